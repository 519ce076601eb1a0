#include <gtest/gtest.h>

#include "acad/CompulsionCore.h"

using namespace sb::acad;

namespace {

// The log's stop requests as the component sees them: pending after the first, counted always.
struct Stops {
    int count = 0;
    bool Pending() const { return count > 0; }
};

}  // namespace

TEST(Compulsion, WithoutTheModeEveryStopCounts) {
    CompulsionState s;
    Stops stops;
    CompulsionClear(s, stops.count);
    std::vector<std::wstring> reports;
    EXPECT_TRUE(CompulsionCheck(s, stops.Pending(), stops.count, reports));
    stops.count = 1;
    EXPECT_TRUE(CompulsionCheck(s, stops.Pending(), stops.count, reports));
    EXPECT_TRUE(reports.empty());
}

TEST(Compulsion, FirstStopHeldBackSecondHonouredThenCancelledQuietly) {
    CompulsionState s;
    Stops stops;
    CompulsionClear(s, stops.count);
    std::vector<std::wstring> reports;
    s.Mode = true;  // switched on by a critical step
    EXPECT_TRUE(CompulsionCheck(s, stops.Pending(), stops.count, reports));

    stops.count = 1;  // first Stop
    EXPECT_FALSE(CompulsionCheck(s, stops.Pending(), stops.count, reports));
    EXPECT_FALSE(CompulsionCheck(s, stops.Pending(), stops.count, reports));
    ASSERT_EQ(reports, std::vector<std::wstring>{kCompulsionStartText});  // reported once

    stops.count = 2;  // second Stop
    EXPECT_TRUE(CompulsionCheck(s, stops.Pending(), stops.count, reports));
    EXPECT_TRUE(CompulsionCheck(s, stops.Pending(), stops.count, reports));
    ASSERT_EQ(reports, (std::vector<std::wstring>{kCompulsionStartText, kCompulsionRefusedText}));

    s.Mode = false;  // the step ends; its refusal was already reported, so no cancel line
    EXPECT_TRUE(CompulsionCheck(s, stops.Pending(), stops.count, reports));
    EXPECT_EQ(reports.size(), 2u);
}

TEST(Compulsion, ModeEndingAfterAHeldBackStopReportsTheCancelAndTheStopThenCounts) {
    CompulsionState s;
    Stops stops;
    CompulsionClear(s, stops.count);
    std::vector<std::wstring> reports;
    s.Mode = true;
    stops.count = 1;
    EXPECT_FALSE(CompulsionCheck(s, stops.Pending(), stops.count, reports));
    s.Mode = false;
    EXPECT_TRUE(CompulsionCheck(s, stops.Pending(), stops.count, reports));
    EXPECT_TRUE(CompulsionCheck(s, stops.Pending(), stops.count, reports));
    EXPECT_EQ(reports, (std::vector<std::wstring>{kCompulsionStartText, kCompulsionCancelText}));
}

TEST(Compulsion, StopsBeforeTheLinkDoNotUseUpTheHeldBackOne) {
    CompulsionState s;
    std::vector<std::wstring> reports;
    // Two stops of an earlier run are behind the base taken at the link.
    CompulsionClear(s, 2);
    s.Mode = true;
    EXPECT_FALSE(CompulsionCheck(s, true, 3, reports));
    EXPECT_TRUE(CompulsionCheck(s, true, 4, reports));
    // Switching the mode on again starts a fresh report pair.
    s.Mode = false;
    CompulsionCheck(s, true, 4, reports);
    reports.clear();
    CompulsionClear(s, 4);
    s.Mode = true;
    EXPECT_FALSE(CompulsionCheck(s, true, 5, reports));
    EXPECT_EQ(reports, std::vector<std::wstring>{kCompulsionStartText});
}
