// Stop and close while a run is busy with AutoCAD: the stand-in answers slowly, so the run is still
// learning file paths when the user acts.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "e2e/driver/StandIn.h"
#include "e2e/driver/TempDir.h"
#include "e2e/driver/Wait.h"
#include "e2e/driver/Windows.h"
#include "e2e/sheetbay/SheetbayApp.h"

namespace {

using e2e::SheetbayApp;

constexpr char kSlowScenario[] = R"({
  "latency": { "commandMs": 700 },
  "drawings": [ {"path": "Plan10.dwg"}, {"path": "plan9.dwg"}, {"path": "Plan1.dwg"}, {"path": "Plan2.dwg"} ]
})";

class StopCloseE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.valid());
        std::wstring error;
        ASSERT_TRUE(acad.start(kSlowScenario, error)) << e2e::toUtf8(error);
        ASSERT_TRUE(app.start(error)) << e2e::toUtf8(error);
        DWORD_PTR r = 0;
        SendMessageTimeoutW(app.control(L"ファイル名でソートする"), BM_SETCHECK, BST_CHECKED, 0, SMTO_NORMAL, 2000, &r);
    }
    std::vector<RECT> DrawingRects() {
        std::vector<RECT> rects;
        for (HWND h : acad.drawingWindows()) {
            RECT r{};
            GetWindowRect(h, &r);
            rects.push_back(r);
        }
        return rects;
    }
    e2e::TempDir dir{L"sb-stop"};
    SheetbayApp app{SHEETBAY_EXE, dir.path()};
    e2e::StandIn acad{ACAD_EXE, dir.path()};
};

TEST_F(StopCloseE2E, StopDuringPathLearningStillPlacesEveryWindow) {
    const auto before = DrawingRects();
    ASSERT_TRUE(app.startRun(L"横2列に並べる"));
    ASSERT_TRUE(e2e::waitUntil([&] { return app.logHas(L"ファイルパスを取得"); }, 20000));
    ASSERT_TRUE(e2e::click(app.control(L"中断")));
    ASSERT_TRUE(app.waitIdle(60000));
    const auto lines = app.logLines();
    EXPECT_TRUE(e2e::containsLine(lines, L"■■中　断■■中断を受け付けました"));
    EXPECT_NE(std::find(lines.begin(), lines.end(), L"実行"), lines.end()) << "the placement was reached";
    // Every drawing was moved into the two rows, none kept its old place.
    const auto after = DrawingRects();
    ASSERT_EQ(after.size(), before.size());
    int moved = 0;
    for (size_t i = 0; i < after.size(); ++i)
        if (!EqualRect(&after[i], &before[i])) ++moved;
    EXPECT_EQ(moved, static_cast<int>(after.size()));
    EXPECT_TRUE(e2e::isEnabled(app.control(L"横2列に並べる"))) << "the window is unlocked again";
}

TEST_F(StopCloseE2E, CloseDuringARunHidesAtOnceAndWritesTheLogAfterTheRun) {
    ASSERT_TRUE(app.startRun(L"横2列に並べる"));
    ASSERT_TRUE(e2e::waitUntil([&] { return app.logHas(L"ファイルパスを取得"); }, 20000));
    ASSERT_TRUE(PostMessageW(app.window(), WM_CLOSE, 0, 0));
    EXPECT_TRUE(e2e::waitUntil([&] { return !IsWindowVisible(app.window()); }, 5000));
    ASSERT_TRUE(app.process().waitExit(60000)) << "the program ends once the run has wound down";
    std::string bytes;
    ASSERT_TRUE(e2e::readTextFile(app.sibling(L".Log"), bytes));
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    EXPECT_NE(text.find(L"中断を受け付けました"), std::wstring::npos);
    EXPECT_NE(text.find(L"エラー、警報、注意のいずれかがありました。内容を確認してください。"), std::wstring::npos)
        << "the end steps ran before the file was written";
}

}  // namespace
