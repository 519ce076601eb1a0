// State of the log core beyond its lines: progress arithmetic and texts, the status label's
// choice and flashing, and the refresh throttle.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "FakeLogHost.h"
#include "log/LogCore.h"

using namespace sb::log;

namespace {

struct StateFixture : ::testing::Test {
    FakeLogHost host;
    LogCore log{host};
};

// ---- progress ---------------------------------------------------------------------------------

struct BarTextCase {
    int min, max, position;
    std::wstring expected;
};

class BarTexts : public ::testing::TestWithParam<BarTextCase> {};

TEST_P(BarTexts, CountsFromTheMinimumWithTwoDecimals) {
    const auto& c = GetParam();
    EXPECT_EQ(BarText(L"全体", c.min, c.max, c.position), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, BarTexts,
                         ::testing::Values(BarTextCase{0, 10, 3, L"全体 3/10 (30.00％)"},
                                           BarTextCase{0, 100, 0, L"全体 0/100 (0.00％)"},
                                           BarTextCase{5, 15, 10, L"全体 5/10 (50.00％)"},
                                           BarTextCase{0, 3, 1, L"全体 1/3 (33.33％)"},
                                           BarTextCase{0, 3, 2, L"全体 2/3 (66.67％)"},
                                           BarTextCase{7, 7, 7, L"全体 0/0 (100.00％)"},
                                           BarTextCase{0, 10, 12, L"全体 10/10 (100.00％)"},
                                           BarTextCase{-2147483647 - 1, 2147483647, 2147483647,
                                                       L"全体 4294967295/4294967295 (100.00％)"}));

TEST_F(StateFixture, TextsReadDashesUntilTheFirstRedraw) {
    EXPECT_EQ(log.MainBarText(), L"全体 ---/--- (---％)");
    EXPECT_EQ(log.StepBarText(), L"工程 ---/--- (---％)");
    log.Clear();
    EXPECT_EQ(log.MainBarText(), L"全体 0/100 (0.00％)");
    EXPECT_EQ(log.StepBarText(), L"工程 0/100 (0.00％)");
    EXPECT_EQ(host.lastStep.Text, L"工程 0/100 (0.00％)");
}

struct ClampCase {
    const char* name;
    std::function<void(LogCore&)> run;
    int stored;
};

class StepClamp : public StateFixture, public ::testing::WithParamInterface<ClampCase> {};

TEST_P(StepClamp, StoresTheClampedPosition) {
    GetParam().run(log);
    EXPECT_EQ(log.xProgressPosition(), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Cases, StepClamp,
                         ::testing::Values(ClampCase{"AboveMax",
                                                     [](LogCore& l) {
                                                         l.xProgressMax(10);
                                                         l.xProgressPosition(12);
                                                     },
                                                     10},
                                           ClampCase{"BelowMin",
                                                     [](LogCore& l) {
                                                         l.xProgressMin(3);
                                                         l.xProgressPosition(-1);
                                                     },
                                                     3},
                                           ClampCase{"IncrementStopsAtMax",
                                                     [](LogCore& l) {
                                                         l.xProgressMax(2);
                                                         l.xProgressInc();
                                                         l.xProgressInc();
                                                         l.xProgressInc();
                                                     },
                                                     2},
                                           ClampCase{"IncrementAtIntMaxDoesNotOverflow",
                                                     [](LogCore& l) {
                                                         l.xProgressMax(2147483647);
                                                         l.xProgressPosition(2147483647);
                                                         l.xProgressInc();
                                                     },
                                                     2147483647}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StateFixture, OverallPositionRedrawsBothBarsStepPositionWaitsForARefresh) {
    log.xProgressMax(4);
    log.xProgressPosition(1);
    EXPECT_EQ(host.barRedraws, 0);
    log.xMainProgressMax(8);
    log.xMainProgressPosition(2);
    ASSERT_EQ(host.barRedraws, 1);
    EXPECT_EQ(host.lastMain.Text, L"全体 2/8 (25.00％)");
    EXPECT_EQ(host.lastStep.Text, L"工程 1/4 (25.00％)");
    EXPECT_EQ(host.lastStep.Max, 4);

    log.xProgressInc();
    EXPECT_EQ(host.barRedraws, 1);
    host.due = true;
    log.xProgressInc();
    EXPECT_EQ(host.barRedraws, 2);
    EXPECT_EQ(host.lastStep.Text, L"工程 3/4 (75.00％)");
}

TEST_F(StateFixture, RedrawClampsToARangeChangedAfterTheStore) {
    log.xProgressPosition(80);
    log.xProgressMax(50);
    EXPECT_EQ(log.xProgressPosition(), 80) << "reading returns the stored value";
    log.RedrawBars();
    EXPECT_EQ(host.lastStep.Position, 50);
    EXPECT_EQ(host.lastStep.Text, L"工程 50/50 (100.00％)");
}

TEST_F(StateFixture, ClearResetsBarsAndMemoriesButNotTheStopCount) {
    log.xMainProgressMin(5);
    log.xMainProgressMax(9);
    log.xMainProgressPosition(7);
    log.xLevelValue(4);
    log.Add(L"x", 3, 1);
    log.Breaking();
    log.Clear();
    EXPECT_EQ(log.xMainProgressMin(), 0);
    EXPECT_EQ(log.xMainProgressMax(), 100);
    EXPECT_EQ(log.xMainProgressPosition(), 0);
    EXPECT_EQ(log.LevelMemory(), 0);
    EXPECT_EQ(log.ErrorMemory(), 0);
    EXPECT_EQ(log.BreakingCount(), 1);
    EXPECT_EQ(log.xLevelValue(), 4) << "the user's level choice survives a new run";
}

// ---- refresh throttle -------------------------------------------------------------------------

TEST_F(StateFixture, PumpsOnlyWhenTheRefreshIsDueAndHandsOverThePeriod) {
    log.xRefreshTime(150);
    log.Add(L"a", 0, 1);
    log.xProgressInc();
    EXPECT_FALSE(log.BreakingCheck());
    EXPECT_EQ(host.pumps, 0);
    EXPECT_EQ(host.refreshPeriods, (std::vector<int>{150, 150, 150}));

    host.due = true;
    log.Add(L"b", 0, 1);
    log.Add(L"c", 0, 1);
    EXPECT_EQ(host.pumps, 1);
    // The pump comes after the line is shown; then the bars are redrawn.
    const std::vector<std::wstring> tail(host.events.end() - 4, host.events.end());
    EXPECT_EQ(tail, (std::vector<std::wstring>{L"append:b", L"pump", L"bars", L"append:c"}));
}

TEST_F(StateFixture, EveryCallThatMayLastRunsTheRefreshCheck) {
    const std::function<void(LogCore&)> calls[] = {
        [](LogCore& l) { l.Add(L"a", 0, 1); },        [](LogCore& l) { l.Plus(L"p", 0, 1); },
        [](LogCore& l) { l.Error(L"e"); },            [](LogCore& l) { l.xMainProgressMin(0); },
        [](LogCore& l) { l.xProgressMax(100); },      [](LogCore& l) { l.xProgressPosition(3); },
        [](LogCore& l) { l.xMainProgressPosition(3); }, [](LogCore& l) { l.AttentionCheck(); },
        [](LogCore& l) { l.BreakingCheck(); },
    };
    int i = 0;
    for (const auto& call : calls) {
        SCOPED_TRACE(i++);
        host.due = true;
        const int before = host.pumps;
        call(log);
        EXPECT_EQ(host.pumps, before + 1);
    }
}

TEST_F(StateFixture, PumpThatEndsTheLogStopsTheRedraw) {
    host.onPump = [&] { log.Shutdown(); };
    host.due = true;
    log.Add(L"a", 0, 1);
    EXPECT_EQ(host.barRedraws, 0);
}

// ---- status label -----------------------------------------------------------------------------

struct LabelCase {
    const char* name;
    std::function<void(LogCore&)> run;
    std::wstring message;
    int backLabel;
};

class LabelRule : public StateFixture, public ::testing::WithParamInterface<LabelCase> {
protected:
    void SetUp() override { log.LabelAssigned(true); }
};

TEST_P(LabelRule, ShowsTheMostSevereAndOfEqualOnesTheNewest) {
    GetParam().run(log);
    EXPECT_EQ(log.SetMessage(), GetParam().message);
    EXPECT_EQ(log.BackLabelMemory(), GetParam().backLabel);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LabelRule,
    ::testing::Values(LabelCase{"AttentionBeatsReport",
                                [](LogCore& l) {
                                    l.Report(L"r1");
                                    l.Attention(L"a1");
                                    l.Report(L"r2");
                                },
                                L"■■注　意■■a1", 4},
                      LabelCase{"SecondAttentionReplacesFirst",
                                [](LogCore& l) {
                                    l.Attention(L"a1");
                                    l.Report(L"r2");
                                    l.Attention(L"a2");
                                },
                                L"■■注　意■■a2", 4},
                      LabelCase{"MemosAndNormalLinesNeverShow",
                                [](LogCore& l) {
                                    l.Memo(L"m");
                                    l.Add(L"n", 0, 1);
                                },
                                L"", 0},
                      LabelCase{"ClearEmptiesAndLowersTheBar",
                                [](LogCore& l) {
                                    l.Error(L"e");
                                    l.MessageLabelClear();
                                    l.Report(L"r");
                                },
                                L"■■報　告■■r", 2},
                      LabelCase{"StopOutranksError",
                                [](LogCore& l) {
                                    l.Breaking();
                                    l.Error(L"e");
                                },
                                L"■■中　断■■中断を受け付けました", 8}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StateFixture, WithoutALabelNothingIsChosenOrShown) {
    log.Error(L"e");
    log.MessageRefresh();
    EXPECT_EQ(log.SetMessage(), L"");
    EXPECT_TRUE(host.labels.empty());
}

TEST_F(StateFixture, MessageFlashesBetweenItsColoursAndTheNormalOnes) {
    log.LabelAssigned(true);
    log.xMessageFontColor(0x111111);
    log.xMessageBrushColor(0x222222);
    log.Error(L"e");  // shows at once, in the flash phase
    log.MessageRefresh();
    log.MessageRefresh();
    ASSERT_EQ(host.labels.size(), 3u);
    const Colour fonts[] = {colours::White, 0x111111, colours::White};
    const Colour brushes[] = {colours::Red, 0x222222, colours::Red};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(host.labels[i].Text, L"■■エラー■■e");
        EXPECT_EQ(host.labels[i].FontColor, fonts[i]);
        EXPECT_EQ(host.labels[i].BrushColor, brushes[i]);
    }
    log.MessageLabelClear();
    EXPECT_EQ(host.labels.back().Text, L"");
    EXPECT_EQ(host.labels.back().FontColor, 0x111111u);
    EXPECT_EQ(host.labels.back().BrushColor, 0x222222u);
    EXPECT_FALSE(log.FlashMemory());
}

TEST_F(StateFixture, AutoHintShowsTheHintOnOneLineOnlyWithoutAMessage) {
    log.LabelAssigned(true);
    host.hint = L"一行目\r\n二行目\t";
    log.MessageRefresh();
    EXPECT_EQ(host.labels.back().Text, L"");
    log.xAutoHint(true);
    log.MessageRefresh();
    EXPECT_EQ(host.labels.back().Text, L"一行目二行目");
    log.Warning(L"w");
    log.MessageRefresh();
    EXPECT_EQ(host.labels.back().Text, L"■■警　報■■w");
}

}  // namespace
