// The kept active drawing: which free strip beside it is tiled, and how the other windows fill it.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "ArrangeTestSupport.h"
#include "app/ArrangeCore.h"

using namespace sb::app;
using arrange_test::Area;
using arrange_test::OnScreen;
using arrange_test::Overlap;

TEST(FreeStrip, LargestSideWinsAndTiesGoAboveBelowLeftRight) {
    const Rect view = Area(1000, 600);
    struct Case {
        const char* name;
        Rect view, active;
        Strip side;
        Rect area;
    } cases[] = {
        {"middle, a little high: below is largest", view, {400, 100, 600, 200}, Strip::Below,
         {0, 201, 1000, 600}},
        {"against the left edge: right", view, {0, 0, 300, 600}, Strip::Right, {301, 0, 1000, 600}},
        {"against the right edge: left", view, {700, 0, 1000, 600}, Strip::Left, {0, 0, 699, 600}},
        {"at the bottom: above", view, {0, 400, 1000, 600}, Strip::Above, {0, 0, 1000, 399}},
        {"above ties below", view, {0, 200, 1000, 400}, Strip::Above, {0, 0, 1000, 199}},
        {"below ties left", view, {501, 100, 700, 299}, Strip::Below, {0, 300, 1000, 600}},
        {"left ties right", view, {400, 0, 600, 600}, Strip::Left, {0, 0, 399, 600}},
        {"all four tie", Area(1001, 1001), {400, 400, 601, 601}, Strip::Above, {0, 0, 1001, 399}},
        {"offset area, screen coordinates", Area(1000, 600, 200, 100), {200, 100, 500, 700},
         Strip::Right, {501, 100, 1200, 700}},
        // Hanging far out to the left: its negative-width "left strip" must not win.
        {"active window hanging out of the area", view, {-2000, 100, 300, 300}, Strip::Right,
         {301, 0, 1000, 600}},
        {"active window entirely outside, to the right", view, {2000, 0, 2500, 600}, Strip::Left,
         {0, 0, 999, 600}},
        {"active window above the area", view, {0, -500, 1000, -100}, Strip::Below, {0, 1, 1000, 600}},
    };
    for (const Case& c : cases) {
        const StripChoice s = ChooseFreeStrip(c.view, c.active);
        EXPECT_EQ(s.Error, ArrangeError::None) << c.name;
        EXPECT_EQ(s.Side, c.side) << c.name;
        EXPECT_EQ(s.Area, c.area) << c.name;
    }
}

TEST(FreeStrip, NoFreeSpaceIsAnErrorNotANegativeStrip) {
    struct Case {
        const char* name;
        Rect view, active;
    } cases[] = {
        {"active window covers the area", Area(1000, 600), {-4, -4, 1004, 604}},
        {"active window is the area", Area(1000, 600), {0, 0, 1000, 600}},
        {"only one-pixel gaps left", Area(1000, 600), {1, 1, 999, 599}},
        {"empty area", Area(0, 0), {0, 0, 10, 10}},
        {"inverted area", {500, 500, 100, 100}, {200, 200, 300, 300}},
    };
    for (const Case& c : cases) {
        const StripChoice s = ChooseFreeStrip(c.view, c.active);
        EXPECT_EQ(s.Error, ArrangeError::AreaTooNarrow) << c.name;
        EXPECT_EQ(s.Size, 0u) << c.name;
    }
}

TEST(FreeStrip, ExtremeCoordinatesNeitherOverflowNorLoseTheOrder) {
    // Every extent reaches 2^32 - 1: sizes need all 64 bits, and "one pixel beside" INT_MIN must
    // not wrap.
    const Rect view{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    StripChoice s = ChooseFreeStrip(view, {0, 0, 1, 1});
    EXPECT_EQ(s.Error, ArrangeError::None);
    EXPECT_EQ(s.Side, Strip::Above);  // ties the left strip, which comes later
    EXPECT_EQ(s.Area, (Rect{INT_MIN, INT_MIN, INT_MAX, -1}));
    EXPECT_EQ(s.Size, std::uint64_t{0xFFFFFFFFu} * std::uint64_t{0x7FFFFFFFu});

    s = ChooseFreeStrip(view, {INT_MIN, INT_MIN, INT_MAX, INT_MIN + 10});
    EXPECT_EQ(s.Side, Strip::Below);
    EXPECT_EQ(s.Area, (Rect{INT_MIN, INT_MIN + 11, INT_MAX, INT_MAX}));
}

namespace {

Rect Clip(const Rect& r, const Rect& v) {
    auto clamp = [](int x, int lo, int hi) { return x < lo ? lo : (x > hi ? hi : x); };
    Rect c{clamp(r.Left, v.Left, v.Right), clamp(r.Top, v.Top, v.Bottom), clamp(r.Right, v.Left, v.Right),
           clamp(r.Bottom, v.Top, v.Bottom)};
    return c;
}

std::int64_t Pixels(const Rect& r) {
    const std::int64_t w = r.Right > r.Left ? std::int64_t{r.Right} - r.Left : 0;
    const std::int64_t h = r.Bottom > r.Top ? std::int64_t{r.Bottom} - r.Top : 0;
    return w * h;
}

}  // namespace

TEST(FreeStrip, ChosenStripAvoidsTheActiveWindowAndNoEarlierSideIsAsLarge) {
    const Rect view = Area(400, 300, 50, 20);
    const int xs[] = {-500, 0, 50, 51, 52, 100, 249, 250, 251, 449, 450, 451, 900};
    const int ys[] = {-500, 0, 20, 21, 22, 100, 169, 170, 171, 319, 320, 321, 900};
    for (int l : xs) for (int r : xs) for (int t : ys) for (int b : ys) {
        if (r < l || b < t) continue;
        const Rect active{l, t, r, b};
        const StripChoice s = ChooseFreeStrip(view, active);
        const Rect clipped = Clip(active, view);
        // The four strips as drawn by hand, one pixel away from the clipped window.
        const Rect strips[4] = {{view.Left, view.Top, view.Right, clipped.Top - 1},
                                {view.Left, clipped.Bottom + 1, view.Right, view.Bottom},
                                {view.Left, view.Top, clipped.Left - 1, view.Bottom},
                                {clipped.Right + 1, view.Top, view.Right, view.Bottom}};
        std::int64_t largest = 0;
        for (const Rect& st : strips) largest = std::max(largest, Pixels(st));
        const std::string where = std::to_string(l) + "," + std::to_string(t) + "," + std::to_string(r) +
                                  "," + std::to_string(b);
        if (largest == 0) {
            EXPECT_EQ(s.Error, ArrangeError::AreaTooNarrow) << where;
            continue;
        }
        ASSERT_EQ(s.Error, ArrangeError::None) << where;
        const int side = static_cast<int>(s.Side);
        EXPECT_EQ(Pixels(s.Area), largest) << where;
        EXPECT_EQ(s.Area, strips[side]) << where;
        for (int earlier = 0; earlier < side; ++earlier) EXPECT_LT(Pixels(strips[earlier]), largest) << where;
        EXPECT_FALSE(Overlap(s.Area, clipped)) << where;
        EXPECT_TRUE(s.Area.Left >= view.Left && s.Area.Right <= view.Right && s.Area.Top >= view.Top &&
                    s.Area.Bottom <= view.Bottom)
            << where;
    }
}

namespace {

ArrangeInput KeepActive(const Rect& View, const Rect& Active, int Count, int ActiveIndex, int Lines,
                        bool Mode) {
    ArrangeInput in;
    in.View = View;
    in.Count = Count;
    in.LineCount = Lines;
    in.LineMode = Mode;
    in.ActiveNoMove = true;
    in.ActiveIndex = ActiveIndex;
    in.Active = Active;
    return in;
}

}  // namespace

TEST(KeepActive, TheOtherWindowAloneFillsTheStrip) {
    // Active window in the top half: the strip below is used, offset from the area's corner.
    const Rect view = Area(1002, 602, 10, 60);
    const ArrangePlan plan = PlanArrange(KeepActive(view, {10, 60, 1012, 260}, 2, 0, 1, false));
    ASSERT_EQ(plan.Error, ArrangeError::None);
    EXPECT_EQ(plan.Area, (Rect{10, 261, 1012, 662}));
    ASSERT_EQ(plan.Entries.size(), 2u);
    EXPECT_FALSE(plan.Entries[0].Move);
    EXPECT_TRUE(plan.Entries[1].Move);
    // 1002 x 401 strip at y 201 of the area: one window less 2 + 1 pixels each way.
    EXPECT_EQ(plan.Entries[1].Place, (Cell{0, 201, 999, 398}));
}

TEST(KeepActive, TheActiveEntryUsesNoCellWhereverTheSortPutIt) {
    // Active window at the left: five others tiled in the strip to its right, two rows.
    const Rect view = Area(1000, 600);
    const ArrangePlan plan = PlanArrange(KeepActive(view, {0, 0, 399, 600}, 6, 3, 2, true));
    ASSERT_EQ(plan.Error, ArrangeError::None);
    EXPECT_EQ(plan.Area, (Rect{400, 0, 1000, 600}));
    // 600 - 2 across three, 600 - 2 down two.
    const std::vector<Cell> expected{{400, 0, 198, 298}, {599, 0, 198, 298}, {798, 0, 198, 298},
                                     {400, 299, 198, 298}, {599, 299, 198, 298}};
    std::vector<Cell> moved;
    for (size_t i = 0; i < plan.Entries.size(); ++i) {
        EXPECT_EQ(plan.Entries[i].Move, i != 3) << i;
        if (plan.Entries[i].Move) moved.push_back(plan.Entries[i].Place);
    }
    EXPECT_EQ(moved, expected);
}

TEST(KeepActive, PlacedWindowsNeverCoverTheActiveWindow) {
    const Rect view = Area(800, 500, 100, 80);
    const Rect actives[] = {{300, 200, 600, 400}, {100, 80, 500, 580}, {-300, 300, 2000, 2000},
                            {850, 90, 900, 100}, {90, 70, 110, 90}};
    for (const Rect& active : actives) {
        const Rect clipped = Clip(active, view);
        for (int count = 2; count <= 12; ++count) {
            for (int lines = 1; lines <= 7; ++lines) {
                for (bool mode : {true, false}) {
                    const ArrangePlan plan = PlanArrange(KeepActive(view, active, count, count - 1, lines, mode));
                    if (plan.Error != ArrangeError::None) {
                        EXPECT_EQ(plan.Error, ArrangeError::AreaTooNarrow);
                        EXPECT_TRUE(plan.Entries.empty());
                        continue;
                    }
                    ASSERT_EQ(plan.Entries.size(), static_cast<size_t>(count));
                    for (int i = 0; i + 1 < count; ++i) {
                        const Placement& p = plan.Entries[static_cast<size_t>(i)];
                        ASSERT_TRUE(p.Move);
                        const Rect onScreen = OnScreen(view, p.Place);
                        EXPECT_FALSE(Overlap(onScreen, clipped)) << count << " " << lines << " " << mode;
                        EXPECT_TRUE(onScreen.Left >= plan.Area.Left && onScreen.Right < plan.Area.Right &&
                                    onScreen.Top >= plan.Area.Top && onScreen.Bottom < plan.Area.Bottom);
                    }
                    EXPECT_FALSE(plan.Entries.back().Move);
                }
            }
        }
    }
}

TEST(KeepActive, AThinStripIsRefusedAndNothingMoves) {
    struct Case {
        const char* name;
        Rect active;
        int count, lines;
        bool mode;
    } cases[] = {
        // Largest strip is 1000 x 3 below: one pixel left for cells after the margin.
        {"a 3-pixel strip below", {0, 0, 1000, 596}, 2, 1, true},
        // Strip 1000 x 8 above: 6 pixels after the margin, too few for four rows.
        {"four rows in an 8-pixel strip", {0, 9, 1000, 600}, 5, 4, true},
        {"no strip at all", {-1, -1, 1001, 601}, 3, 1, true},
    };
    for (const Case& c : cases) {
        const ArrangePlan plan = PlanArrange(KeepActive(Area(1000, 600), c.active, c.count, 0, c.lines, c.mode));
        EXPECT_EQ(plan.Error, ArrangeError::AreaTooNarrow) << c.name;
        EXPECT_TRUE(plan.Entries.empty()) << c.name;
    }
    // The same 8-pixel strip holds three rows of 1-pixel-high windows.
    const ArrangePlan three = PlanArrange(KeepActive(Area(1000, 600), {0, 9, 1000, 600}, 4, 0, 3, true));
    ASSERT_EQ(three.Error, ArrangeError::None);
    EXPECT_EQ(three.Entries[3].Place, (Cell{0, 4, 997, 1}));
}
