// The fourteen arrange buttons against the stand-in: real window rectangles afterwards.
#include <algorithm>
#include <string>
#include <vector>

#include "e2e/sheetbay/ArrangeFixture.h"

namespace {

using e2e::Place;

class ArrangeE2E : public e2e::ArrangeFixture {};

TEST_F(ArrangeE2E, WorkedExampleFourWindowsInTwoRows) {
    ASSERT_NO_FATAL_FAILURE(StartBoth(e2e::DrawingsScenario({"a.dwg", "b.dwg", "c.dwg", "d.dwg"})));
    ASSERT_NO_FATAL_FAILURE(SizeDrawingArea(1002, 602));
    const auto order = acad.drawingWindows();  // active first, then Z order: the placement order
    ASSERT_EQ(order.size(), 4u);
    ASSERT_TRUE(app.run(L"横2列に並べる"));
    const Place expected[] = {{0, 0, 499, 299}, {500, 0, 499, 299}, {0, 300, 499, 299}, {500, 300, 499, 299}};
    for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(PlaceOf(order[i]), expected[i]) << "window " << i;
    EXPECT_EQ(GetForegroundWindow(), app.window()) << "Sheetbay comes back in front after the run";
    EXPECT_TRUE(app.logHas(L"a.dwg (0,0)-(499,299)"));
}

// Every button, on window counts that leave rows short or empty.
TEST_F(ArrangeE2E, AllFourteenButtonsTileTheArea) {
    ASSERT_NO_FATAL_FAILURE(StartBoth(e2e::DrawingsScenario({"p1.dwg", "p2.dwg", "p3.dwg", "p4.dwg", "p5.dwg"})));
    ASSERT_NO_FATAL_FAILURE(SizeDrawingArea(902, 632));
    const auto order = acad.drawingWindows();
    const int n = static_cast<int>(order.size());
    ASSERT_EQ(n, 5);
    for (int lines = 1; lines <= 7; ++lines) {
        for (bool rows : {true, false}) {
            const std::wstring caption = std::wstring(rows ? L"横" : L"縦") + std::to_wstring(lines) + L"列に並べる";
            SCOPED_TRACE(e2e::toUtf8(caption));
            ASSERT_TRUE(app.run(caption));
            const int perLine = (n + lines - 1) / lines;
            const int cellH = rows ? 630 / lines : 630 / perLine;
            const int cellW = rows ? 900 / perLine : 900 / lines;
            for (int p = 0; p < n; ++p) {
                const int along = p % perLine, across = p / perLine;
                const int col = rows ? along : across, row = rows ? across : along;
                EXPECT_EQ(PlaceOf(order[static_cast<size_t>(p)]), (Place{col * cellW, row * cellH, cellW - 1, cellH - 1}))
                    << "window " << p;
            }
        }
    }
}

TEST_F(ArrangeE2E, OneWindowFillsTheAreaLessMarginAndGap) {
    ASSERT_NO_FATAL_FAILURE(StartBoth(e2e::DrawingsScenario({"only.dwg"})));
    ASSERT_NO_FATAL_FAILURE(SizeDrawingArea(800, 500));
    ASSERT_TRUE(app.run(L"縦1列に並べる"));
    EXPECT_EQ(PlaceOf(Drawing(L"only.dwg")), (Place{0, 0, 797, 497}));
}

TEST_F(ArrangeE2E, FileNameSortAcrossFoldersAndCase) {
    ASSERT_NO_FATAL_FAILURE(StartBoth(e2e::DrawingsScenario({"B\\\\Plan10.dwg", "A\\\\plan9.dwg", "B\\\\Plan1.dwg"}),
                                      {L"A", L"B"}));
    ASSERT_NO_FATAL_FAILURE(SizeDrawingArea(902, 602));
    Check(L"ファイル名でソートする", true);
    ASSERT_TRUE(app.run(L"横1列に並べる"));
    EXPECT_EQ(PlaceOf(Drawing(L"Plan1.dwg")).x, 0);
    EXPECT_EQ(PlaceOf(Drawing(L"plan9.dwg")).x, 300);
    EXPECT_EQ(PlaceOf(Drawing(L"Plan10.dwg")).x, 600);
    EXPECT_EQ(SaveAsCount(), 3) << "each path learned from AutoCAD; commands: " << ::testing::PrintToString(CommandNames());
    EXPECT_TRUE(app.logHas(L"ファイルパスを取得"));
    EXPECT_EQ(GetForegroundWindow(), app.window()) << "back in front after AutoCAD was brought forward";
}

TEST_F(ArrangeE2E, MemoryReusesPathsUntilEmptiedOrAutoCadChanges) {
    const std::string scenario = e2e::DrawingsScenario({"x2.dwg", "x10.dwg", "x1.dwg"});
    ASSERT_NO_FATAL_FAILURE(StartBoth(scenario));
    Check(L"ファイル名でソートする", true);
    Check(L"ファイル名は記憶しておく", true);
    ASSERT_TRUE(app.run(L"縦3列に並べる"));
    ASSERT_EQ(SaveAsCount(), 3);

    // Same AutoCAD, same drawings: every path comes from the memory, nothing is linked.
    ASSERT_TRUE(app.run(L"縦3列に並べる"));
    EXPECT_EQ(SaveAsCount(), 3);
    for (const wchar_t* title : {L"x1.dwg", L"x2.dwg", L"x10.dwg"})
        EXPECT_TRUE(app.logHas(std::wstring(title) + L"はキャッシュに取得済みのファイルパスがありました")) << e2e::toUtf8(title);
    EXPECT_TRUE(app.logHas(L"x1.dwg 取得済み"));

    // Memory off empties it: the next run with memory on learns every path again.
    Check(L"ファイル名は記憶しておく", false);
    ASSERT_TRUE(app.run(L"縦3列に並べる"));
    Check(L"ファイル名は記憶しておく", true);
    const int before = SaveAsCount();
    ASSERT_TRUE(app.run(L"縦3列に並べる"));
    EXPECT_FALSE(app.logHas(L"はキャッシュに取得済みのファイルパスがありました"));
    EXPECT_EQ(SaveAsCount(), before + 3);

    // Another AutoCAD main window: the memory is not used.
    ASSERT_TRUE(acad.stop());
    std::wstring error;
    ASSERT_TRUE(acad.start(scenario, error)) << e2e::toUtf8(error);
    ASSERT_TRUE(app.run(L"縦3列に並べる"));
    EXPECT_TRUE(app.logHas(L"メインハンドルが一致しないためキャッシュをクリアします"));
    EXPECT_FALSE(app.logHas(L"はキャッシュに取得済みのファイルパスがありました"));
}

TEST_F(ArrangeE2E, KeptActiveDrawingStaysAndTheOthersFillTheLargestStrip) {
    ASSERT_NO_FATAL_FAILURE(StartBoth(e2e::DrawingsScenario({"active.dwg", "o1.dwg", "o2.dwg"})));
    ASSERT_NO_FATAL_FAILURE(SizeDrawingArea(1002, 602));
    HWND active = Drawing(L"active.dwg");
    // The active drawing in the upper left: the strip to its right is the largest.
    MoveWindow(active, 0, 0, 300, 200, TRUE);
    const Place kept = PlaceOf(active);
    Check(L"アクティブ図面は動かさない", true);
    ASSERT_TRUE(app.run(L"縦2列に並べる"));
    EXPECT_EQ(PlaceOf(active), kept);
    RECT activeRect{}, area = Area();
    GetWindowRect(active, &activeRect);
    for (const wchar_t* title : {L"o1.dwg", L"o2.dwg"}) {
        RECT r{};
        GetWindowRect(Drawing(title), &r);
        RECT overlap{};
        EXPECT_FALSE(IntersectRect(&overlap, &r, &activeRect)) << e2e::toUtf8(title);
        EXPECT_GT(r.left, activeRect.right) << "placed in the strip right of the active drawing";
        EXPECT_LE(r.right, area.right);
    }
}

TEST_F(ArrangeE2E, KeptActiveDrawingAloneIsAnError) {
    ASSERT_NO_FATAL_FAILURE(StartBoth(e2e::DrawingsScenario({"only.dwg"})));
    const Place before = PlaceOf(Drawing(L"only.dwg"));
    Check(L"アクティブ図面は動かさない", true);
    ASSERT_TRUE(app.run(L"横2列に並べる"));
    EXPECT_TRUE(app.logHas(L"■■エラー■■アクティブ図面以外に対象となる図面がありません"));
    problemsExpected = true;
    EXPECT_EQ(PlaceOf(Drawing(L"only.dwg")), before);
}

TEST_F(ArrangeE2E, MinimisedActiveDrawingWithRestoreOffLeavesTheList) {
    ASSERT_NO_FATAL_FAILURE(StartBoth(e2e::DrawingsScenario({"a.dwg", "b.dwg", "c.dwg"})));
    HWND first = Drawing(L"a.dwg");
    ShowWindow(first, SW_MINIMIZE);
    ASSERT_TRUE(e2e::waitUntil([&] { return IsIconic(first) != 0; }, 3000));
    std::vector<HWND> rest;  // the others in list order: active first, then Z order
    for (HWND h : acad.drawingWindows())
        if (h != first) rest.push_back(h);
    ASSERT_EQ(rest.size(), 2u);
    const Place keptBefore = PlaceOf(rest[0]);
    Check(L"アクティブ図面は動かさない", true);
    ASSERT_TRUE(app.run(L"横1列に並べる"));
    EXPECT_TRUE(app.logHas(L"a.dwgは最小化しているため無視します"));
    EXPECT_TRUE(IsIconic(first)) << "left alone";
    // The first remaining window counts as the active one: it stays, the other one is placed.
    EXPECT_EQ(PlaceOf(rest[0]), keptBefore);
    EXPECT_FALSE(app.logHas(e2e::windowText(rest[0]) + L" ("));
    EXPECT_TRUE(app.logHas(e2e::windowText(rest[1]) + L" ("));
}

}  // namespace
