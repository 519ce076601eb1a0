// Sheetbay.exe under Wine: a button press with and without AutoCAD (the stand-in), the window
// unlocked afterwards, and the log file written at close.
#include <gtest/gtest.h>

#include <string>

#include "e2e/driver/StandIn.h"
#include "e2e/driver/TempDir.h"
#include "e2e/driver/Wait.h"
#include "e2e/driver/Windows.h"
#include "e2e/sheetbay/SheetbayApp.h"

namespace {

using e2e::SheetbayApp;

class RunnerE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.valid());
        std::wstring error;
        ASSERT_TRUE(app.start(error)) << e2e::toUtf8(error);
    }
    void StartAcad(const std::string& scenario) {
        std::wstring error;
        ASSERT_TRUE(acad.start(scenario, error)) << e2e::toUtf8(error);
    }
    e2e::TempDir dir{L"sb-runner"};
    SheetbayApp app{SHEETBAY_EXE, dir.path()};
    e2e::StandIn acad{ACAD_EXE, dir.path()};
};

TEST_F(RunnerE2E, WithoutAutoCadTheRunReportsItAndUnlocks) {
    ASSERT_TRUE(app.run(L"横2列に並べる"));
    const auto lines = app.logLines();
    EXPECT_TRUE(e2e::containsLine(lines, L"■■エラー■■AutoCADが起動していません"));
    EXPECT_FALSE(e2e::containsLine(lines, L"を実行"));
    EXPECT_FALSE(e2e::isEnabled(app.control(L"中断")));
    EXPECT_TRUE(e2e::isEnabled(app.control(L"終了")));
    EXPECT_TRUE(e2e::isEnabled(app.control(L"横2列に並べる")));
    EXPECT_TRUE(e2e::isEnabled(app.control(L"ファイル名でソートする")));
}

TEST_F(RunnerE2E, WithDrawingsOpenTheButtonsRunIsAnnounced) {
    ASSERT_NO_FATAL_FAILURE(StartAcad(R"({"drawings": [{"path": "plan1.dwg"}, {"path": "plan2.dwg"}]})"));
    // The discovery is logged at the debug level: chosen in the log's level combo, as a user would.
    HWND combo = FindWindowExW(GetParent(app.control(L"ロギングレベル")), nullptr, L"ComboBox", nullptr);
    ASSERT_NE(combo, nullptr);
    DWORD_PTR r = 0;
    SendMessageTimeoutW(combo, CB_SETCURSEL, 3, 0, SMTO_NORMAL, 2000, &r);
    SendMessageTimeoutW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(combo), SMTO_NORMAL, 2000, &r);
    ASSERT_TRUE(app.run(L"縦3列に並べる"));
    const auto lines = app.logLines();
    EXPECT_FALSE(e2e::containsLine(lines, L"AutoCADが起動していません"));
    EXPECT_TRUE(e2e::containsLine(lines, L"CAD：AutoCADのハンドル取得開始"));
    EXPECT_TRUE(e2e::containsLine(lines, L"AutoCADのフルパス"));
    EXPECT_TRUE(e2e::containsLine(lines, L"縦3列に並べるを実行"));
    EXPECT_FALSE(e2e::isEnabled(app.control(L"中断")));
}

TEST_F(RunnerE2E, OnlyTheStartPageOpenMeansNoDrawings) {
    ASSERT_NO_FATAL_FAILURE(StartAcad(R"({"startPage": true, "drawings": []})"));
    ASSERT_TRUE(app.run(L"全図面を上書き保存"));
    const auto lines = app.logLines();
    EXPECT_TRUE(e2e::containsLine(lines, L"■■エラー■■図面を開いていません"));
    EXPECT_FALSE(e2e::containsLine(lines, L"を実行"));
}

TEST_F(RunnerE2E, ClosingWritesTheLogFileBesideTheProgram) {
    ASSERT_TRUE(app.run(L"横1列に並べる"));
    const auto shown = app.logLines();
    ASSERT_TRUE(app.close());
    std::string bytes;
    ASSERT_TRUE(e2e::readTextFile(app.sibling(L".Log"), bytes));
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE"));
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    std::wstring expected;
    for (const auto& line : shown) expected += line + L"\r\n";
    EXPECT_EQ(text, expected);
}

}  // namespace
