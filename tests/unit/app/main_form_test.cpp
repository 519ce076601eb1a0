// The main window in this process: its controls where the layout puts them, and a run that finds
// no AutoCAD unlocking the window again.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/MainFormIds.h"

namespace {

std::wstring Text(HWND h) {
    wchar_t buffer[512]{};
    GetWindowTextW(h, buffer, 512);
    return buffer;
}

std::vector<std::wstring> LogLines(HWND logPanel) {
    std::vector<std::wstring> lines;
    HWND list = FindWindowExW(logPanel, nullptr, L"ListBox", nullptr);
    if (!list) return lines;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring line(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        line.resize(static_cast<size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()))));
        lines.push_back(line);
    }
    return lines;
}

bool Contains(const std::vector<std::wstring>& lines, const std::wstring& part) {
    for (const auto& line : lines)
        if (line.find(part) != std::wstring::npos) return true;
    return false;
}

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(form.Create(SW_SHOWNOACTIVATE)); }
    RECT InParent(int id) {
        HWND h = form.Control(id);
        RECT r{};
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    TMainForm form{GetModuleHandleW(nullptr)};
};

TEST_F(MainFormTest, WindowAndControlsStandWhereTheLayoutSays) {
    ASSERT_EQ(GetDpiForWindow(form.Handle()), 96u) << "positions below are for 96 dpi";
    EXPECT_EQ(Text(form.Handle()), L"Sheetbay Ver1.28");
    RECT client{};
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 474);
    EXPECT_EQ(client.bottom, 368);
    struct Case { int id; const wchar_t* caption; RECT bounds; };
    const Case cases[] = {
        {IDC_ROW1SIDE, L"横1列に並べる", {10, 25, 131, 50}},
        {IDC_ROW7SIDE, L"横7列に並べる", {10, 205, 131, 230}},
        {IDC_ROW1LENGTH + 2, L"縦3列に並べる", {140, 85, 261, 110}},
        {IDC_LINEACTIVENOMOVECHECK, L"アクティブ図面は動かさない", {270, 110, 440, 127}},
        {IDC_ACTIVEEXTZOOMBUTTON, L"アクティブ図面に合わせる(ｵﾌﾞｼﾞｪｸﾄ範囲の比率)", {175, 75, 436, 100}},
        {IDC_NOICONBUTTON, L"全図面の最小化･最大化を解除", {10, 15, 211, 40}},
        {IDC_STOPBUTTON, L"中断", {5, 320, 80, 345}},
        {IDC_APPENDBUTTON, L"終了", {394, 320, 469, 345}},
        {IDC_HELPBUTTON, L"？", {449, 0, 474, 25}},
        {IDC_MESPANEL, L"", {0, 351, 474, 368}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        ASSERT_NE(form.Control(c.id), nullptr);
        EXPECT_EQ(Text(form.Control(c.id)), c.caption);
        RECT r = InParent(c.id);
        EXPECT_EQ(r.left, c.bounds.left);
        EXPECT_EQ(r.top, c.bounds.top);
        EXPECT_EQ(r.right, c.bounds.right);
        EXPECT_EQ(r.bottom, c.bounds.bottom);
    }
}

TEST_F(MainFormTest, StartsIdleOnTheMainPageWithTheStartLines) {
    EXPECT_FALSE(IsWindowEnabled(form.Control(IDC_STOPBUTTON)));
    EXPECT_TRUE(IsWindowEnabled(form.Control(IDC_APPENDBUTTON)));
    EXPECT_TRUE(IsWindowVisible(form.Control(IDC_MAINPAGE)));
    EXPECT_FALSE(IsWindowVisible(form.Control(IDC_HISTORYPAGE)));
    const auto lines = LogLines(form.Control(IDC_LOG));
    EXPECT_TRUE(Contains(lines, L"起動開始・・・"));
    EXPECT_TRUE(Contains(lines, L"起動完了・・・"));
}

TEST_F(MainFormTest, TheActiveDrawingHintReadsAsFourLines) {
    EXPECT_EQ(form.Hint(IDC_LINEACTIVENOMOVECHECK),
              L"アクティブ図面と被らないように\r\n残りの図面を整列させます\r\nアクティブ図面の上下左右で\r\n一番広い空間に並べます");
}

TEST_F(MainFormTest, ARunWithoutAutoCadReportsItAndUnlocks) {
    // Another page shown before the run must come back afterwards.
    SendMessageW(form.Control(IDC_APPPAGE), TCM_SETCURSEL, 3, 0);
    NMHDR change{form.Control(IDC_APPPAGE), IDC_APPPAGE, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(form.Handle(), WM_NOTIFY, IDC_APPPAGE, reinterpret_cast<LPARAM>(&change));
    ASSERT_TRUE(IsWindowVisible(form.Control(IDC_WARNINGPAGE)));

    SendMessageW(form.Control(IDC_ROW1SIDE + 1), BM_CLICK, 0, 0);

    const auto lines = LogLines(form.Control(IDC_LOG));
    EXPECT_TRUE(Contains(lines, L"■■エラー■■AutoCADが起動していません"));
    EXPECT_FALSE(Contains(lines, L"を実行"));
    EXPECT_TRUE(Contains(lines, L"エラー、警報、注意のいずれかがありました。内容を確認してください。"));
    EXPECT_FALSE(Contains(lines, L"起動開始・・・")) << "the run clears the log";
    EXPECT_FALSE(form.RunFlag());
    EXPECT_FALSE(IsWindowEnabled(form.Control(IDC_STOPBUTTON)));
    EXPECT_TRUE(IsWindowEnabled(form.Control(IDC_APPENDBUTTON)));
    EXPECT_TRUE(IsWindowEnabled(form.Control(IDC_ROW1SIDE)));
    EXPECT_TRUE(IsWindowEnabled(form.Control(IDC_INISAVEBUTTON)));
    EXPECT_TRUE(IsWindowVisible(form.Control(IDC_WARNINGPAGE)));
}

TEST_F(MainFormTest, EscClosesTheIdleWindow) {
    HWND h = form.Handle();
    MSG msg{h, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    msg.hwnd = form.Control(IDC_ROW1SIDE);
    SetFocus(msg.hwnd);
    form.HandleMessage(msg);
    MSG pending;
    while (IsWindow(h) && PeekMessageW(&pending, nullptr, 0, 0, PM_REMOVE)) {
        if (pending.message == WM_QUIT) break;
        form.HandleMessage(pending);
    }
    EXPECT_FALSE(IsWindow(h));
}

}  // namespace
