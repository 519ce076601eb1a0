// The real log panel under Wine: list items, Clear, the copy button and the clipboard, the log
// file, the level combo, the layout, the status label, the refresh pump, the thread's end, and
// the facade in front of it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "log/LogAccessVer4.h"
#include "log/LogVer4.h"
#include "log/LogView.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr UINT kProbe = WM_APP + 7;

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kProbe) {
        SetPropW(hwnd, L"probes", reinterpret_cast<HANDLE>(reinterpret_cast<INT_PTR>(GetPropW(hwnd, L"probes")) + 1));
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND MakeHost() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"LogTestHost";
        registered = RegisterClassExW(&wc) != 0;
    }
    return CreateWindowExW(0, L"LogTestHost", L"host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 600, 400,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

int Probes(HWND hwnd) { return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(hwnd, L"probes"))); }

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::wstring TextOf(HWND hwnd) {
    wchar_t buffer[512] = {};
    GetWindowTextW(hwnd, buffer, 512);
    return buffer;
}

std::vector<std::wstring> ListItems(HWND list) {
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        const LRESULT got = SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(got > 0 ? static_cast<size_t>(got) : 0);
        items.push_back(text);
    }
    return items;
}

bool SetClipboard(const std::wstring& text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    const bool ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!ok) GlobalFree(memory);
    CloseClipboard();
    return ok;
}

std::wstring GetClipboard() {
    if (!OpenClipboard(nullptr)) return L"<not open>";
    std::wstring text = L"<no text>";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(data));
        text = std::wstring(p, wcsnlen(p, GlobalSize(data) / sizeof(wchar_t)));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

std::string ReadBytes(const std::wstring& path) {
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

std::string Utf16Bytes(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

RECT RectInPanel(HWND control) {
    RECT rc;
    GetWindowRect(control, &rc);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

struct LogWin : ::testing::Test {
    HWND host = MakeHost();
    std::unique_ptr<TLogVer4> log;
    HWND list = nullptr;

    void SetUp() override {
        ASSERT_NE(host, nullptr);
        log = std::make_unique<TLogVer4>(host, 100);
        ASSERT_NE(log->Handle(), nullptr);
        log->SetBounds(0, 0, 444, 267);
        log->Loaded();
        list = GetDlgItem(log->Handle(), TLogViewVer4::ListId);
        ASSERT_NE(list, nullptr);
    }
    void TearDown() override {
        log.reset();
        DestroyWindow(host);
        Pump();
    }
    HWND Control(int id) const { return GetDlgItem(log->Handle(), id); }
    void Click(int id) { SendMessageW(Control(id), BM_CLICK, 0, 0); }
};

// ---- lines and Clear --------------------------------------------------------------------------

TEST_F(LogWin, LinesReachTheListAndTheNewestIsSelected) {
    log->Add(L"手順", 0, 1);
    log->Sub(L"詳細", 0, 1);
    log->Error(L"失敗");
    log->Plus(L"…", 0, 1);
    EXPECT_EQ(ListItems(list), (std::vector<std::wstring>{L"手順", L"\u3000\u3000詳細", L"■■エラー■■失敗 …"}));
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(log->Core().Lines().size(), 3u);
}

TEST_F(LogWin, ClearEmptiesTheListAndResetsTheBars) {
    HWND mainBar = Control(TLogViewVer4::MainBarId);
    HWND stepBar = Control(TLogViewVer4::StepBarId);
    EXPECT_EQ(TextOf(mainBar), L"全体 ---/--- (---％)");
    EXPECT_EQ(TextOf(stepBar), L"工程 ---/--- (---％)");
    log->Add(L"a", 0, 1);
    log->Warning(L"w");
    log->xMainProgressMax(10);
    log->xMainProgressPosition(3);
    EXPECT_EQ(TextOf(mainBar), L"全体 3/10 (30.00％)");
    EXPECT_EQ(SendMessageW(mainBar, PBM_GETPOS, 0, 0), 3);
    log->Clear();
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 0);
    EXPECT_TRUE(log->Core().Lines().empty());
    EXPECT_EQ(TextOf(mainBar), L"全体 0/100 (0.00％)");
    EXPECT_EQ(TextOf(stepBar), L"工程 0/100 (0.00％)");
    EXPECT_EQ(SendMessageW(mainBar, PBM_GETPOS, 0, 0), 0);
}

// ---- drawing ----------------------------------------------------------------------------------

TEST_F(LogWin, LinesPaintTheirColoursAndTheRestOfTheListIsWhite) {
    log->Add(L"n", 0, 1);
    log->Error(L"e");
    log->Warning(L"w");
    RECT client;
    GetClientRect(list, &client);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    FillRect(memory, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

    // The background outside the lines is erased, the lines themselves are not.
    EXPECT_NE(SendMessageW(list, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0), 0);
    const int x = client.right - 5;
    EXPECT_EQ(GetPixel(memory, x, 13 + 6), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(memory, x, 39 + 2), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(memory, x, client.bottom - 2), RGB(255, 255, 255));

    SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    EXPECT_EQ(GetPixel(memory, x, 6), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(memory, x, 13 + 6), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(memory, x, 26 + 6), RGB(255, 0, 255));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

TEST_F(LogWin, FocusedLineIsWhiteOnBlackSelectionAloneKeepsItsColours) {
    log->Error(L"e");
    struct Case {
        const char* name;
        UINT item;
        UINT state;
        COLORREF background;
    };
    const Case cases[] = {
        {"selected newest line", 0, ODS_SELECTED, RGB(255, 0, 0)},
        {"focused line", 0, ODS_SELECTED | ODS_FOCUS, RGB(0, 0, 0)},
        {"item without a record", 5, 0, RGB(255, 255, 255)},
    };
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 100, 13);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_LISTBOX;
        dis.CtlID = TLogViewVer4::ListId;
        dis.itemID = c.item;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = c.state;
        dis.hwndItem = list;
        dis.hDC = memory;
        dis.rcItem = RECT{0, 0, 100, 13};
        SendMessageW(log->Handle(), WM_DRAWITEM, TLogViewVer4::ListId, reinterpret_cast<LPARAM>(&dis));
        EXPECT_EQ(GetPixel(memory, 95, 6), c.background);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

TEST_F(LogWin, LineHeightAndLayoutFollowTheDpi) {
    struct Case {
        int dpi;
        RECT list, combo, mainBar, stepBar, clip, print;
        int itemHeight;
    };
    const Case cases[] = {
        {96, {0, 0, 443, 217}, {0, 245, 110, 0}, {120, 222, 364, 242}, {120, 247, 364, 267}, {373, 222, 443, 242},
         {373, 247, 443, 267}, 13},
        {192, {0, 0, 442, 167}, {0, 223, 220, 0}, {240, 177, 284, 217}, {240, 227, 284, 267}, {302, 177, 442, 217},
         {302, 227, 442, 267}, 26},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        log->Dpi(c.dpi);
        log->SetBounds(0, 0, 444, 267);
        log->Loaded();
        log->Add(L"line", 0, 1);
        auto same = [](RECT a, RECT b) {
            return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
        };
        EXPECT_TRUE(same(RectInPanel(list), c.list));
        const RECT combo = RectInPanel(Control(TLogViewVer4::ComboId));
        EXPECT_EQ(combo.left, c.combo.left);
        EXPECT_EQ(combo.top, c.combo.top);
        EXPECT_EQ(combo.right, c.combo.right);
        EXPECT_TRUE(same(RectInPanel(Control(TLogViewVer4::MainBarId)), c.mainBar));
        EXPECT_TRUE(same(RectInPanel(Control(TLogViewVer4::StepBarId)), c.stepBar));
        EXPECT_TRUE(same(RectInPanel(Control(TLogViewVer4::ClipId)), c.clip));
        EXPECT_TRUE(same(RectInPanel(Control(TLogViewVer4::PrintId)), c.print));
        const LRESULT last = SendMessageW(list, LB_GETCOUNT, 0, 0) - 1;
        EXPECT_EQ(SendMessageW(list, LB_GETITEMHEIGHT, static_cast<WPARAM>(last), 0), c.itemHeight);
        EXPECT_EQ(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), c.itemHeight) << "older lines are rescaled too";
    }
    EXPECT_EQ(TextOf(log->Handle()), L"ログ");
}

// ---- copy button ------------------------------------------------------------------------------

TEST_F(LogWin, CopyPutsExactlyTheLinesAboveNormalOnTheClipboard) {
    struct Case {
        const char* name;
        void (*fill)(TLogVer4&);
        std::wstring expected;
    };
    const Case cases[] = {
        {"only normal lines", [](TLogVer4& l) { l.Add(L"n", 0, 1); }, L""},
        {"report normal error",
         [](TLogVer4& l) {
             l.Report(L"r");
             l.Add(L"n", 0, 1);
             l.Error(L"e");
         },
         L"■■報　告■■r\r\n■■エラー■■e\r\n"},
        {"memo and stop",
         [](TLogVer4& l) {
             l.Memo(L"m");
             l.Breaking();
         },
         L"m\r\n■■中　断■■中断を受け付けました\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        log->Clear();
        c.fill(*log);
        ASSERT_TRUE(SetClipboard(L"user's text"));
        Click(TLogViewVer4::ClipId);
        EXPECT_EQ(GetClipboard(), c.expected);
    }
}

TEST_F(LogWin, ButtonsCanBeLockedForARun) {
    EXPECT_TRUE(IsWindowEnabled(Control(TLogViewVer4::ClipId)));
    log->ButtonsEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(Control(TLogViewVer4::ClipId)));
    EXPECT_FALSE(IsWindowEnabled(Control(TLogViewVer4::PrintId)));
    log->ButtonsEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(Control(TLogViewVer4::ClipId)));
}

// ---- level combo and links --------------------------------------------------------------------

TEST_F(LogWin, TheComboAndTheLevelValueFollowEachOther) {
    HWND combo = Control(TLogViewVer4::ComboId);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
    SendMessageW(combo, CB_SETCURSEL, 3, 0);
    SendMessageW(log->Handle(), WM_COMMAND, MAKEWPARAM(TLogViewVer4::ComboId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(log->xLevelValue(), 3);
    log->Add(L"debug", 3, 1);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 1);
    log->xLevelValue(1);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
}

TEST_F(LogWin, DoubleClickOnALinkLineRaisesOnLogClickAndAThrowingHandlerStaysInside) {
    std::vector<std::wstring> got;
    log->OnLogClick = [&](const std::wstring& type, const std::wstring& path, const std::wstring& a1,
                          const std::wstring& a2) {
        got = {type, path, a1, a2};
        throw std::runtime_error("handler failed");
    };
    log->Add(L"plain", 0, 1);
    log->Add(L"link", 0, 1, L"DWG", L"C:\\a.dwg", L"x", L"y");
    const LPARAM from = reinterpret_cast<LPARAM>(list);
    SendMessageW(log->Handle(), WM_COMMAND, MAKEWPARAM(TLogViewVer4::ListId, LBN_DBLCLK), from);
    EXPECT_EQ(got, (std::vector<std::wstring>{L"DWG", L"C:\\a.dwg", L"x", L"y"}));
    got.clear();
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    SendMessageW(log->Handle(), WM_COMMAND, MAKEWPARAM(TLogViewVer4::ListId, LBN_DBLCLK), from);
    EXPECT_TRUE(got.empty());
}

// ---- log file ---------------------------------------------------------------------------------

struct TempDir {
    std::wstring path;
    TempDir() {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        path = std::wstring(base) + L"sb_log_test_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
               std::to_wstring(GetTickCount64());
        CreateDirectoryW(path.c_str(), nullptr);
    }
    ~TempDir() {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                if (data.cFileName[0] != L'.') DeleteFileW((path + L"\\" + data.cFileName).c_str());
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
        RemoveDirectoryW(path.c_str());
    }
    int Files() const {
        int n = 0;
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return 0;
        do {
            if (data.cFileName[0] != L'.') ++n;
        } while (FindNextFileW(find, &data));
        FindClose(find);
        return n;
    }
};

TEST_F(LogWin, SaveWritesBomAndLinesAndReplacesTheOldFile) {
    TempDir dir;
    const std::wstring file = dir.path + L"\\Sheetbay.Log";
    ASSERT_TRUE(log->SaveToFile(file));
    EXPECT_EQ(ReadBytes(file), "\xFF\xFE") << "an empty log is only the byte order mark";

    log->Add(L"手順", 0, 1);
    log->Error(L"失敗");
    ASSERT_TRUE(log->SaveToFile(file));
    EXPECT_EQ(ReadBytes(file), "\xFF\xFE" + Utf16Bytes(L"手順\r\n■■エラー■■失敗\r\n"));
    EXPECT_EQ(dir.Files(), 1) << "no temporary file is left beside it";
}

TEST_F(LogWin, FailedSaveReturnsFalseLogsAndLeavesTheOldFile) {
    TempDir dir;
    const std::wstring missing = dir.path + L"\\no such folder\\Sheetbay.Log";
    EXPECT_FALSE(log->SaveToFile(missing));
    ASSERT_FALSE(log->Core().Lines().empty());
    EXPECT_EQ(log->Core().Lines().back().LogLevel, 6);

    // A target that cannot be replaced (a folder of that name) keeps what it was.
    const std::wstring folder = dir.path + L"\\Sheetbay.Log";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    EXPECT_FALSE(log->SaveToFile(folder));
    EXPECT_EQ(GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(dir.Files(), 1) << "the temporary file is removed after a failure";
    RemoveDirectoryW(folder.c_str());
}

// ---- status label -----------------------------------------------------------------------------

TEST_F(LogWin, StatusLabelShowsTheMessageAndFlashes) {
    HWND label = CreateWindowExW(0, L"STATIC", L"initial", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 300, 400, 20, host,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(label, nullptr);
    log->MessageLabel(label);
    log->Report(L"r");
    log->Error(L"e");
    log->Report(L"r2");
    EXPECT_EQ(TextOf(label), L"■■エラー■■e");

    // The 500 ms timer flips the flash phase.
    const bool first = log->Core().FlashMemory();
    int flips = 0;
    bool phase = first;
    const auto deadline = Clock::now() + std::chrono::seconds(3);
    while (flips < 2 && Clock::now() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        Pump();
        if (log->Core().FlashMemory() != phase) {
            phase = !phase;
            ++flips;
        }
    }
    EXPECT_EQ(flips, 2);

    log->MessageLabelClear();
    EXPECT_EQ(TextOf(label), L"");
    EXPECT_FALSE(log->Core().FlashMemory());
    log.reset();  // lets go of the label before the window goes
    SetWindowTextW(label, L"after");
    EXPECT_EQ(TextOf(label), L"after");
}

TEST_F(LogWin, StatusLabelIsPaintedInTheChosenColours) {
    HWND label = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 300, 400, 20, host, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(label, nullptr);
    log->MessageLabel(label);
    ShowWindow(host, SW_SHOWNOACTIVATE);
    auto pixel = [&] {
        RedrawWindow(label, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        HDC dc = GetDC(label);
        const COLORREF colour = GetPixel(dc, 395, 10);
        ReleaseDC(label, dc);
        return colour;
    };
    log->Error(L"e");
    ASSERT_TRUE(log->Core().FlashMemory());
    EXPECT_EQ(pixel(), RGB(255, 0, 0));
    log->MessageLabelClear();
    EXPECT_EQ(pixel(), GetSysColor(COLOR_BTNFACE));
    log->xMessageBrushColor(RGB(0, 0, 255));
    SendMessageW(log->Handle(), WM_TIMER, 1, 0);  // what the 500 ms timer does
    EXPECT_EQ(pixel(), RGB(0, 0, 255));
}

TEST_F(LogWin, AutoHintShowsTheHintOfADisabledControlUnderThePointer) {
    HWND label = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 300, 400, 20, host, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    log->MessageLabel(label);
    HWND print = Control(TLogViewVer4::PrintId);
    log->HintOf = [&](HWND control) { return control == print ? std::wstring(L"印刷\r\nします") : std::wstring(); };
    log->xAutoHint(true);
    log->ButtonsEnabled(false);
    ShowWindow(host, SW_SHOWNOACTIVATE);
    UpdateWindow(host);
    RECT rc;
    GetWindowRect(print, &rc);
    ASSERT_TRUE(SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2));
    SendMessageW(log->Handle(), WM_TIMER, 1, 0);  // what the 500 ms timer does
    EXPECT_EQ(TextOf(label), L"印刷します");
}

TEST(LogLifetime, ParentDestroyedFirstLeavesTheLogHarmless) {
    HWND host = MakeHost();
    ASSERT_NE(host, nullptr);
    auto log = std::make_unique<TLogVer4>(host, 100);
    HWND label = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, host, nullptr, GetModuleHandleW(nullptr),
                                 nullptr);
    log->MessageLabel(label);
    DestroyWindow(host);
    log->Add(L"a", 0, 1);
    log->Error(L"e");
    log->Clear();
    log->Dpi(120);
    log->Loaded();
    EXPECT_EQ(log->Handle(), nullptr);
    log.reset();
}

// ---- refresh thread and message pump ----------------------------------------------------------

TEST_F(LogWin, DefaultPumpDispatchesPostedMessagesAndKeepsTheQuitRequest) {
    PostMessageW(host, kProbe, 0, 0);
    PostQuitMessage(5);
    const auto deadline = Clock::now() + std::chrono::seconds(3);
    while (Probes(host) == 0 && Clock::now() < deadline) {
        log->BreakingCheck();
        Sleep(5);
    }
    EXPECT_EQ(Probes(host), 1);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 5u);
}

TEST_F(LogWin, MessagesArePumpedAtMostOncePerRefreshTime) {
    int pumps = 0;
    log->MessagePump = [&] { ++pumps; };
    log->xRefreshTime(100);
    log->BreakingCheck();  // hands the period to the thread
    const auto start = Clock::now();
    while (Clock::now() - start < std::chrono::milliseconds(1000)) {
        log->Add(L"x", 4, 1);  // filtered: no line, no check
        log->BreakingCheck();
        log->xProgressInc();
    }
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    EXPECT_GE(pumps, 3);
    EXPECT_LE(pumps, elapsed / 100 + 2);
}

TEST(LogThread, DestructorEndsTheThreadAtOnceEvenWithALongPeriod) {
    HWND host = MakeHost();
    ASSERT_NE(host, nullptr);
    auto log = std::make_unique<TLogVer4>(host, 100);
    log->xRefreshTime(5000);
    log->BreakingCheck();
    Sleep(150);  // the thread is now in a 5 s wait
    log->BreakingCheck();
    const auto start = Clock::now();
    log.reset();
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1000));
    DestroyWindow(host);
}

// ---- facade -----------------------------------------------------------------------------------

TEST_F(LogWin, FacadeNamesItsLinesAndForwardsTheRest) {
    TLogAccessVer4 access(log.get(), L"CAD");
    access.Add(L"開始", 0, 1);
    access.Add(L"下位", 0, 2);
    access.Sub(L"子", 0, 1);
    access.Error(L"失敗");
    access.Plus(L".", 0, 1);
    EXPECT_EQ(ListItems(list), (std::vector<std::wstring>{L"CAD：開始", L"\u3000\u3000下位", L"\u3000\u3000子",
                                                          L"■■エラー■■CAD：失敗 ."}));
    EXPECT_TRUE(access.ErrorCheck());
    access.xProgressMax(10);
    access.xProgressPosition(20);
    EXPECT_EQ(access.xProgressPosition(), 10);
    EXPECT_EQ(access.BreakingCount(), 0);
}

TEST_F(LogWin, FacadeWithoutALogSwallowsEverything) {
    TLogAccessVer4 access(nullptr, L"CAD");
    int raised = 0;
    access.OnLogging = [&](TLogAccessVer4&) { ++raised; };
    access.Error(L"e");
    access.Add(L"a", 0, 1);
    EXPECT_FALSE(access.BreakingCheck());
    EXPECT_EQ(access.xProgressMax(), 0);
    EXPECT_EQ(access.BreakingCount(), 0);
    EXPECT_EQ(raised, 5) << "the event is raised even without a log";
}

TEST_F(LogWin, OnLoggingIsNotReenteredSkipsPlusAndSurvivesAThrow) {
    TLogAccessVer4 access(log.get(), L"CAD");
    int raised = 0;
    access.OnLogging = [&](TLogAccessVer4& self) {
        ++raised;
        self.Add(L"from handler", 0, 1);  // must not raise the event again
        if (raised == 2) throw std::runtime_error("handler failed");
    };
    access.Add(L"a", 0, 1);
    access.Add(L"b", 0, 1);
    access.Plus(L"c", 0, 1);
    EXPECT_EQ(raised, 2);
    EXPECT_EQ(ListItems(list), (std::vector<std::wstring>{L"CAD：from handler", L"CAD：a", L"CAD：from handler",
                                                          L"CAD：b c"}));

    // A handler that detaches the log ends the forwarding without touching the missing log.
    access.OnLogging = [](TLogAccessVer4& self) { self.Log(nullptr); };
    access.Error(L"lost");
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 4);
}

}  // namespace
