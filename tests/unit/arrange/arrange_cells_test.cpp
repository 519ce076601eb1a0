// How the drawing area is cut into cells: the worked example, the shapes that matter, the
// narrow-area refusal, and invariants over many areas, window counts and row counts.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "ArrangeTestSupport.h"
#include "app/ArrangeCore.h"

using namespace sb::app;
using arrange_test::Area;

namespace {

ArrangePlan Plain(const Rect& View, int Count, int LineCount, bool LineMode) {
    ArrangeInput in;
    in.View = View;
    in.Count = Count;
    in.LineCount = LineCount;
    in.LineMode = LineMode;
    return PlanArrange(in);
}

std::vector<Cell> Cells(const ArrangePlan& Plan) {
    std::vector<Cell> cells;
    for (const Placement& p : Plan.Entries) {
        EXPECT_TRUE(p.Move);
        cells.push_back(p.Place);
    }
    return cells;
}

}  // namespace

TEST(ArrangeCells, FourWindowsInTwoRowsOfA1002By602Area) {
    // The area sits anywhere on the screen: positions are relative to its corner.
    for (const Rect view : {Area(1002, 602), Area(1002, 602, 137, 88), Area(1002, 602, -1800, -20)}) {
        const ArrangePlan plan = Plain(view, 4, 2, true);
        ASSERT_EQ(plan.Error, ArrangeError::None);
        EXPECT_EQ(plan.Layout.PerLine, 2);
        const std::vector<Cell> expected{{0, 0, 499, 299}, {500, 0, 499, 299}, {0, 300, 499, 299},
                                         {500, 300, 499, 299}};
        EXPECT_EQ(Cells(plan), expected) << view;
    }
}

TEST(ArrangeCells, ShapesThatMatter) {
    struct Case {
        const char* name;
        Rect view;
        int count, lines;
        bool mode;
        std::vector<Cell> expected;
    } cases[] = {
        {"one window, one column: whole area less 3", Area(800, 600, 30, 40), 1, 1, false,
         {{0, 0, 797, 597}}},
        {"fewer windows than rows: full-width rows, rows 4 and 5 empty", Area(1000, 602), 3, 5, true,
         {{0, 0, 997, 119}, {0, 120, 997, 119}, {0, 240, 997, 119}}},
        {"five in two rows: first row three, second two", Area(1002, 602), 5, 2, true,
         {{0, 0, 332, 299}, {333, 0, 332, 299}, {666, 0, 332, 299}, {0, 300, 332, 299},
          {333, 300, 332, 299}}},
        {"five in two columns: filled top to bottom", Area(1002, 602), 5, 2, false,
         {{0, 0, 499, 199}, {0, 200, 499, 199}, {0, 400, 499, 199}, {500, 0, 499, 199},
          {500, 200, 499, 199}}},
        {"seven in three columns: the last column short", Area(900, 300), 7, 3, false,
         {{0, 0, 298, 98}, {0, 99, 298, 98}, {0, 198, 298, 98}, {299, 0, 298, 98},
          {299, 99, 298, 98}, {299, 198, 298, 98}, {598, 0, 298, 98}}},
        {"remainders are dropped, not spread", Area(1005, 405), 2, 1, true,
         {{0, 0, 500, 402}, {501, 0, 500, 402}}},
        {"one row of one window", Area(640, 480), 1, 7, true, {{0, 0, 637, 67}}},
    };
    for (const Case& c : cases) {
        const ArrangePlan plan = Plain(c.view, c.count, c.lines, c.mode);
        ASSERT_EQ(plan.Error, ArrangeError::None) << c.name;
        EXPECT_EQ(Cells(plan), c.expected) << c.name;
    }
}

TEST(ArrangeCells, TwelveWindowsInSevenRowsLeaveTheLastRowEmpty) {
    const ArrangePlan plan = Plain(Area(700, 300), 12, 7, true);
    ASSERT_EQ(plan.Error, ArrangeError::None);
    EXPECT_EQ(plan.Layout.PerLine, 2);
    ASSERT_EQ(plan.Entries.size(), 12u);
    EXPECT_EQ(plan.Entries[10].Place, (Cell{0, 210, 348, 41}));
    EXPECT_EQ(plan.Entries[11].Place, (Cell{349, 210, 348, 41}));
}

TEST(ArrangeCells, CellsNarrowerOrLowerThanTwoPixelsAreRefusedAndNothingMoves) {
    struct Case {
        const char* name;
        Rect view;
        int count, lines;
        bool mode;
        bool ok;
    } cases[] = {
        {"width 6, two side by side: cells 2 wide", Area(6, 100), 2, 1, true, true},
        {"width 5, two side by side: cells 1 wide", Area(5, 100), 2, 1, true, false},
        {"height 16, seven rows: cells 2 high", Area(100, 16), 7, 7, true, true},
        {"height 15, seven rows: cells 1 high", Area(100, 15), 7, 7, true, false},
        {"4 x 4, one window", Area(4, 4), 1, 1, false, true},
        {"3 x 4, one window", Area(3, 4), 1, 1, false, false},
        {"height 6, three in two columns", Area(100, 6), 3, 2, false, true},
        {"height 5, three in two columns", Area(100, 5), 3, 2, false, false},
        {"empty area", Area(0, 0), 1, 1, true, false},
        {"inverted area", {100, 100, 50, 50}, 1, 1, true, false},
        {"area narrower than the margin", {0, 0, 1, 600}, 1, 1, true, false},
    };
    for (const Case& c : cases) {
        const ArrangePlan plan = Plain(c.view, c.count, c.lines, c.mode);
        if (c.ok) {
            EXPECT_EQ(plan.Error, ArrangeError::None) << c.name;
            EXPECT_EQ(plan.Entries.size(), static_cast<size_t>(c.count)) << c.name;
            for (const Placement& p : plan.Entries) {
                EXPECT_EQ(p.Place.Width >= 1 && p.Place.Height >= 1, true) << c.name;
            }
        } else {
            EXPECT_EQ(plan.Error, ArrangeError::AreaTooNarrow) << c.name;
            EXPECT_TRUE(plan.Entries.empty()) << c.name;
            EXPECT_EQ(std::wstring(ArrangeErrorText(plan.Error)), L"整列する領域が狭すぎます");
            EXPECT_FALSE(ArrangeErrorIsInternal(plan.Error));
        }
    }
}

namespace {

// Every property a tiling must have, checked from the placements alone.
void CheckTiling(const Rect& View, int W, int H, int n, int lines, bool mode, const ArrangePlan& plan,
                 const std::string& where) {
    const int perLine = (n + lines - 1) / lines;
    const int across = mode ? perLine : lines;  // cells side by side
    const int down = mode ? lines : perLine;    // cells one above the other
    const bool roomy = W - 2 >= 2 * across && H - 2 >= 2 * down;
    if (!roomy) {
        EXPECT_EQ(plan.Error, ArrangeError::AreaTooNarrow) << where;
        EXPECT_TRUE(plan.Entries.empty()) << where;
        return;
    }
    ASSERT_EQ(plan.Error, ArrangeError::None) << where;
    ASSERT_EQ(plan.Entries.size(), static_cast<size_t>(n)) << where;
    EXPECT_EQ(plan.Area, View) << where;

    const Cell first = plan.Entries[0].Place;
    const int stepX = first.Width + 1;
    const int stepY = first.Height + 1;
    // Each quotient is truncated: less than one cell's worth of pixels per divisor is left over.
    EXPECT_GE(W - 2 - across * stepX, 0) << where;
    EXPECT_LT(W - 2 - across * stepX, across) << where;
    EXPECT_GE(H - 2 - down * stepY, 0) << where;
    EXPECT_LT(H - 2 - down * stepY, down) << where;

    std::set<int> xs, ys;
    for (int i = 0; i < n; ++i) {
        const Placement& p = plan.Entries[static_cast<size_t>(i)];
        ASSERT_TRUE(p.Move) << where;
        const Cell& c = p.Place;
        EXPECT_EQ(c.Width, first.Width) << where;
        EXPECT_EQ(c.Height, first.Height) << where;
        // Inside the area less its 2-pixel margin, with the cell's 1-pixel gap.
        EXPECT_GE(c.X, 0) << where;
        EXPECT_GE(c.Y, 0) << where;
        EXPECT_LE(c.X + c.Width + 1, W - 2) << where;
        EXPECT_LE(c.Y + c.Height + 1, H - 2) << where;
        xs.insert(c.X);
        ys.insert(c.Y);
        if (i == 0) {
            EXPECT_EQ(c.X, 0) << where;
            EXPECT_EQ(c.Y, 0) << where;
            continue;
        }
        // Placement order: along the line, then the next line from its start.
        const Cell& prev = plan.Entries[static_cast<size_t>(i - 1)].Place;
        const bool sameLine = mode ? c.Y == prev.Y : c.X == prev.X;
        const bool advanced = mode ? (sameLine ? c.X == prev.X + stepX : c.X == 0 && c.Y == prev.Y + stepY)
                                   : (sameLine ? c.Y == prev.Y + stepY : c.Y == 0 && c.X == prev.X + stepX);
        EXPECT_TRUE(advanced) << where << " #" << i;
        for (int j = 0; j < i; ++j) {
            const Rect a = arrange_test::OnScreen(View, c);
            const Rect b = arrange_test::OnScreen(View, plan.Entries[static_cast<size_t>(j)].Place);
            EXPECT_FALSE(arrange_test::Overlap(a, b)) << where << " #" << i << " #" << j;
        }
    }
    // Neighbours are exactly one pixel apart: the grid lines are one cell apart.
    const std::set<int>& along = mode ? xs : ys;
    const std::set<int>& lineStarts = mode ? ys : xs;
    int expected = 0;
    for (int v : xs) { EXPECT_EQ(v, expected) << where; expected += stepX; }
    expected = 0;
    for (int v : ys) { EXPECT_EQ(v, expected) << where; expected += stepY; }
    // Full lines of perLine windows, the last one possibly short, never more lines than asked.
    EXPECT_EQ(static_cast<int>(along.size()), perLine) << where;
    EXPECT_LE(static_cast<int>(lineStarts.size()), lines) << where;
    EXPECT_EQ(static_cast<int>(lineStarts.size()), (n + perLine - 1) / perLine) << where;
}

}  // namespace

TEST(ArrangeCells, EveryTilingFitsWithoutOverlapAndOnePixelGaps) {
    const int sizes[] = {3, 4, 5, 6, 7, 9, 13, 16, 17, 23, 30, 101, 640, 1002, 1921, 3841};
    const Rect origins[] = {Area(0, 0), Area(0, 0, -1920, 37)};
    for (const Rect& origin : origins) {
        for (int W : sizes) {
            for (int H : sizes) {
                const Rect view = Area(W, H, origin.Left, origin.Top);
                for (int n = 1; n <= 12; ++n) {
                    for (int lines = 1; lines <= 7; ++lines) {
                        for (bool mode : {true, false}) {
                            const std::string where = std::to_string(W) + "x" + std::to_string(H) +
                                                      " n=" + std::to_string(n) + " lines=" +
                                                      std::to_string(lines) + (mode ? " rows" : " columns");
                            CheckTiling(view, W, H, n, lines, mode, Plain(view, n, lines, mode), where);
                            // One broken layout is enough to read; the rest would only repeat it.
                            if (HasFailure()) return;
                        }
                    }
                }
            }
        }
    }
}
