// The arrange operation's other window-free rules: the count checks and misuse, the memo line,
// the order after the file-name sort, and the file-name memory lookup.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ArrangeTestSupport.h"
#include "app/ArrangeCore.h"

using namespace sb::app;
using arrange_test::Area;

TEST(ArrangeChecks, CountsAndMisuseStopBeforeAnythingMoves) {
    struct Case {
        const char* name;
        int count, lines, activeIndex;
        bool keepActive;
        ArrangeError error;
        const wchar_t* text;
        bool internal;
    } cases[] = {
        {"empty list", 0, 2, -1, false, ArrangeError::NoDrawings, L"対象となる図面がありません", false},
        {"empty list, active kept", 0, 2, 0, true, ArrangeError::NoDrawings, L"対象となる図面がありません",
         false},
        {"active kept and alone", 1, 2, 0, true, ArrangeError::NoOtherDrawings,
         L"アクティブ図面以外に対象となる図面がありません", false},
        {"zero rows", 3, 0, -1, false, ArrangeError::BadArguments, nullptr, true},
        {"eight rows", 3, 8, -1, false, ArrangeError::BadArguments, nullptr, true},
        {"active index past the list", 3, 2, 3, true, ArrangeError::BadArguments, nullptr, true},
        {"active index missing", 3, 2, -1, true, ArrangeError::BadArguments, nullptr, true},
        {"one window, nothing kept", 1, 7, -1, false, ArrangeError::None, L"", false},
    };
    for (const Case& c : cases) {
        ArrangeInput in;
        in.View = Area(1000, 600);
        in.Count = c.count;
        in.LineCount = c.lines;
        in.ActiveNoMove = c.keepActive;
        in.ActiveIndex = c.activeIndex;
        in.Active = {0, 0, 500, 600};
        const ArrangePlan plan = PlanArrange(in);
        EXPECT_EQ(plan.Error, c.error) << c.name;
        EXPECT_EQ(ArrangeErrorIsInternal(plan.Error), c.internal) << c.name;
        if (c.text) {
            EXPECT_EQ(std::wstring(ArrangeErrorText(plan.Error)), c.text) << c.name;
        }
        EXPECT_FALSE(std::wstring(ArrangeErrorText(plan.Error)).empty() && c.error != ArrangeError::None)
            << c.name;
        EXPECT_EQ(plan.Entries.size(), c.error == ArrangeError::None ? static_cast<size_t>(c.count) : 0u)
            << c.name;
        // The early check alone gives the same verdict for the count rules.
        if (c.error == ArrangeError::NoDrawings || c.error == ArrangeError::NoOtherDrawings) {
            EXPECT_EQ(ArrangeCountCheck(c.count, c.keepActive), c.error) << c.name;
        }
    }
    EXPECT_EQ(ArrangeCountCheck(2, true), ArrangeError::None);
    // The cell arithmetic on its own refuses what it cannot divide by.
    for (int lines : {0, 8}) {
        EXPECT_EQ(LayoutCells(Area(100, 100), Area(100, 100), 3, lines, true).Error, ArrangeError::BadArguments);
    }
    EXPECT_EQ(LayoutCells(Area(100, 100), Area(100, 100), 0, 1, false).Error, ArrangeError::BadArguments);
}

TEST(ArrangeMemo, CaptionThenPositionThenSize) {
    EXPECT_EQ(PlacementMemo(L"plan1.dwg", {500, 300, 499, 299}), L"plan1.dwg (500,300)-(499,299)");
    EXPECT_EQ(PlacementMemo(L"図面 2.dwg", {0, 0, 1, 1}), L"図面 2.dwg (0,0)-(1,1)");
}

TEST(FileNameSortOrder, EntriesFollowTheFirstEqualSortedValue) {
    struct Case {
        const char* name;
        std::vector<std::wstring> paths;
        std::vector<std::wstring> sorted;
        std::vector<int> order;
    } cases[] = {
        {"by sorted position; empty paths together, in list order",
         {L"C:\\b\\x10.dwg", L"", L"C:\\a\\x2.dwg", L"", L"C:\\c\\x1.dwg"},
         {L"", L"", L"C:\\c\\x1.dwg", L"C:\\a\\x2.dwg", L"C:\\b\\x10.dwg"},
         {1, 3, 4, 2, 0}},
        {"a path missing from the sorted list goes first",
         {L"C:\\a.dwg", L"C:\\lost.dwg", L"C:\\b.dwg"},
         {L"C:\\b.dwg", L"C:\\a.dwg"},
         {1, 2, 0}},
        {"the match is exact: case counts",
         {L"C:\\B.DWG", L"C:\\a.dwg"},
         {L"C:\\a.dwg", L"C:\\b.dwg", L"C:\\B.DWG"},
         {1, 0}},
        {"equal paths keep their list order",
         {L"C:\\z.dwg", L"C:\\s.dwg", L"C:\\y\\s.dwg", L"C:\\s.dwg"},
         {L"C:\\s.dwg", L"C:\\s.dwg", L"C:\\y\\s.dwg", L"C:\\z.dwg"},
         {1, 3, 2, 0}},
        {"empty list", {}, {}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(FileNameSortOrder(c.paths, c.sorted), c.order) << c.name;
}

TEST(FileNameSortOrder, ManyUnsavedDrawingsKeepTheirListOrder) {
    // Long enough that an unstable sort would shuffle the equal keys.
    std::vector<std::wstring> paths;
    std::vector<int> expected, saved;
    for (int i = 0; i < 60; ++i) {
        paths.push_back(i % 3 == 0 ? L"C:\\a.dwg" : L"");
        (i % 3 == 0 ? saved : expected).push_back(i);
    }
    expected.insert(expected.end(), saved.begin(), saved.end());
    EXPECT_EQ(FileNameSortOrder(paths, {L"", L"C:\\a.dwg"}), expected);
}

TEST(FileNameMemory, FirstRememberedEntryWithTheSameHandle) {
    const std::vector<std::uintptr_t> list{0x30, 0x10, 0x99, 0x20};
    const std::vector<std::uintptr_t> memory{0x10, 0x20, 0x10, 0x30};
    EXPECT_EQ(MemoryMatches(list, memory), (std::vector<int>{3, 0, -1, 1}));
    EXPECT_EQ(MemoryMatches(list, {}), (std::vector<int>{-1, -1, -1, -1}));
}
