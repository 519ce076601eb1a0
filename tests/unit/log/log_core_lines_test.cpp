// Lines of the log core: level filter, depth, separators, Plus, severities and their prefixes,
// the facade's naming rule, and what Clear and destruction leave.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "FakeLogHost.h"
#include "log/LogCore.h"

using namespace sb::log;

namespace {

struct LogFixture : ::testing::Test {
    FakeLogHost host;
    LogCore log{host};

    std::vector<std::wstring> Texts() const {
        std::vector<std::wstring> texts;
        for (const auto& line : log.Lines()) texts.push_back(line.Text);
        return texts;
    }
};

const std::wstring kSep(20, L'\uFF0D');

// ---- level filter and remembered level --------------------------------------------------------

struct FilterCase {
    const char* name;
    int levelValue;
    std::function<void(LogCore&)> run;
    std::vector<std::wstring> expected;
};

class LevelFilter : public LogFixture, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(LevelFilter, AddsOnlyWhatTheLevelAllows) {
    log.xLevelValue(GetParam().levelValue);
    GetParam().run(log);
    EXPECT_EQ(Texts(), GetParam().expected);
    EXPECT_EQ(host.items, GetParam().expected) << "list items and records must agree";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LevelFilter,
    ::testing::Values(
        FilterCase{"DetailAboveSettingIsDroppedAndRemembered", 0,
                   [](LogCore& l) {
                       l.Add(L"x", 3, 1);
                       l.Add(L"y", -1, 1);
                       l.Add(L"z", 0, 1);
                   },
                   {L"z"}},
        FilterCase{"HighestSettingShowsBoth", 4,
                   [](LogCore& l) {
                       l.Add(L"x", 3, 1);
                       l.Add(L"y", -1, 1);
                   },
                   {L"x", L"y"}},
        FilterCase{"SilentDepthStillRemembersLevel", 2,
                   [](LogCore& l) {
                       l.Add(L"hidden", 3, 0);
                       l.Add(L"y", -1, 1);
                       l.Add(L"w", 2, 1);
                   },
                   {L"w"}},
        FilterCase{"NegativeLevelFollowsSeparatorAndPlusToo", 1,
                   [](LogCore& l) {
                       l.Add(L"a", 1, 1);
                       l.Separator(2);      // filtered, remembers 2
                       l.Add(L"b", -1, 1);  // level 2: filtered
                       l.Plus(L"c", 1, 1);  // level 1 passes
                   },
                   {L"a c"}},
        FilterCase{"SeverityLinesIgnoreTheSetting", 0,
                   [](LogCore& l) {
                       l.Add(L"n", 4, 1);
                       l.Memo(L"m");
                   },
                   {L"m"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogFixture, LinesAlreadyShownAreNotFilteredAgain) {
    log.xLevelValue(4);
    log.Add(L"debug", 4, 1);
    log.xLevelValue(0);
    log.Add(L"more", 4, 1);
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"debug"}));
}

TEST_F(LogFixture, LevelValueOutsideTheComboMeansMajorStepsOnly) {
    log.xLevelValue(7);
    EXPECT_EQ(log.xLevelValue(), 0);
    log.xLevelValue(-1);
    EXPECT_EQ(log.xLevelValue(), 0);
}

// ---- depth ------------------------------------------------------------------------------------

struct DepthCase {
    int depth;
    bool added;
    std::wstring text;
};

class DepthRendering : public LogFixture, public ::testing::WithParamInterface<DepthCase> {};

TEST_P(DepthRendering, IndentsAsACallTree) {
    log.Add(L"T", 0, GetParam().depth);
    if (!GetParam().added) {
        EXPECT_TRUE(log.Lines().empty());
        EXPECT_TRUE(host.events.empty());
    } else {
        ASSERT_EQ(log.Lines().size(), 1u);
        EXPECT_EQ(log.Lines()[0].Text, GetParam().text);
        EXPECT_EQ(log.Lines()[0].LogLevel, 0);
        EXPECT_EQ(log.Lines()[0].FontColor, colours::Black);
        EXPECT_EQ(log.Lines()[0].BrushColor, colours::White);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DepthRendering,
                         ::testing::Values(DepthCase{-10000, false, L""}, DepthCase{-1, false, L""},
                                           DepthCase{0, false, L""}, DepthCase{1, true, L"T"},
                                           DepthCase{2, true, L"\u3000\u3000T"},
                                           DepthCase{3, true, L"\u3000\u3000\u3000\u3000\u2514T"},
                                           DepthCase{4, true, L"\u3000\u3000\u3000\u3000\u3000\u3000\u2514T"}));

TEST_F(LogFixture, SubNestsOneDeeperButNeverLiftsTheSilentDepth) {
    log.Sub(L"a", 0, 1);
    log.Sub(L"b", 0, -10000);
    log.Sub(L"c", 0, 0);
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"\u3000\u3000a", L"c"}));
}

TEST(RenderDepth, WildDepthStaysBounded) {
    auto line = RenderDepth(L"x", 2147483647);
    ASSERT_TRUE(line.has_value());
    EXPECT_LT(line->size(), 1000u);
    EXPECT_EQ(line->substr(line->size() - 2), L"\u2514x");
}

// ---- separators -------------------------------------------------------------------------------

struct SeparatorCase {
    const char* name;
    std::function<void(LogCore&)> run;
    std::vector<std::wstring> expected;
};

class Separators : public LogFixture, public ::testing::WithParamInterface<SeparatorCase> {};

TEST_P(Separators, NeverTwoInARow) {
    GetParam().run(log);
    EXPECT_EQ(Texts(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Separators,
    ::testing::Values(SeparatorCase{"TwoCallsOneLine",
                                    [](LogCore& l) {
                                        l.Separator(0);
                                        l.Separator(0);
                                    },
                                    {kSep}},
                      SeparatorCase{"LineBetweenGivesTwo",
                                    [](LogCore& l) {
                                        l.Separator(0);
                                        l.Add(L"a", 0, 1);
                                        l.Separator(0);
                                    },
                                    {kSep, L"a", kSep}},
                      SeparatorCase{"SpaceAndSeverityLinesCountAsLines",
                                    [](LogCore& l) {
                                        l.Separator(0);
                                        l.Space(0);
                                        l.Separator(0);
                                        l.Error(L"e");
                                        l.Separator(0);
                                    },
                                    {kSep, L"", kSep, std::wstring(CodeOfError) + L"e", kSep}},
                      SeparatorCase{"FilteredLineInBetweenDoesNotCount",
                                    [](LogCore& l) {
                                        l.Separator(0);
                                        l.Add(L"a", 3, 1);
                                        l.Separator(0);
                                    },
                                    {kSep}},
                      SeparatorCase{"PlusLeavesTheLastLineASeparator",
                                    [](LogCore& l) {
                                        l.Separator(0);
                                        l.Plus(L".", 0, 1);
                                        l.Separator(0);
                                    },
                                    {kSep + L" ."}},
                      SeparatorCase{"ANewRunMayStartWithOne",
                                    [](LogCore& l) {
                                        l.Separator(0);
                                        l.Clear();
                                        l.Separator(0);
                                    },
                                    {kSep}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogFixture, LineAddedWhileTheSeparatorPumpsEndsTheRun) {
    // The Stop button pressed while the separator's refresh processes messages.
    host.onPump = [&] { log.Breaking(); };
    host.due = true;
    log.Separator(0);
    log.Separator(0);
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{kSep, std::wstring(CodeOfBreaking) + LogCore::BreakingText, kSep}));
}

// ---- Plus -------------------------------------------------------------------------------------

TEST_F(LogFixture, PlusAppendsToTheLastLineAndKeepsItsRecord) {
    log.Error(L"wait");
    log.Plus(L".", 0, 1);
    log.Plus(L".", 0, 1);
    ASSERT_EQ(log.Lines().size(), 1u);
    EXPECT_EQ(log.Lines()[0].Text, std::wstring(CodeOfError) + L"wait . .");
    EXPECT_EQ(log.Lines()[0].LogLevel, ErrorLine);
    EXPECT_EQ(log.Lines()[0].BrushColor, colours::Red);
    EXPECT_EQ(host.items, Texts());
    EXPECT_EQ(host.events.back(), L"replace:" + std::wstring(CodeOfError) + L"wait . .");
}

TEST_F(LogFixture, PlusDoesNothingWithoutALineOrAtSilentDepthOrWhenFiltered) {
    log.Plus(L"x", 0, 1);
    EXPECT_TRUE(log.Lines().empty());
    log.Add(L"a", 0, 1);
    log.Plus(L"silent", 0, 0);
    log.Plus(L"deep", 0, -10000);
    log.Plus(L"detail", 3, 1);
    log.Plus(L"nested", 0, 5);  // depth only tested, not rendered
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"a nested"}));
}

// ---- severities -------------------------------------------------------------------------------

struct SeverityCase {
    const char* name;
    void (LogCore::*method)(const std::wstring&, const LinkData&);
    int severity;
    std::wstring prefix;
    Colour font;
    Colour brush;
};

class Severities : public LogFixture, public ::testing::WithParamInterface<SeverityCase> {};

TEST_P(Severities, PrefixColoursAndMemory) {
    const auto& c = GetParam();
    log.xLevelValue(0);
    (log.*c.method)(L"text", LinkData{});
    ASSERT_EQ(log.Lines().size(), 1u);
    const auto& line = log.Lines()[0];
    EXPECT_EQ(line.Text, c.prefix + L"text");
    EXPECT_EQ(line.LogLevel, c.severity);
    EXPECT_EQ(line.FontColor, c.font);
    EXPECT_EQ(line.BrushColor, c.brush);
    EXPECT_EQ(log.ErrorMemory(), c.severity);
    // A lower severity afterwards never lowers the memory.
    log.Memo(L"later");
    EXPECT_EQ(log.ErrorMemory(), c.severity);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Severities,
    ::testing::Values(
        SeverityCase{"Memo", &LogCore::Memo, 1, L"", 0x000000, 0xFFFF00},
        SeverityCase{"Report", &LogCore::Report, 2, L"■■報　告■■", 0xFFFFFF, 0x008000},
        SeverityCase{"Confirmation", &LogCore::Confirmation, 3, L"■■確　認■■", 0xFFFFFF, 0xFF0000},
        SeverityCase{"Attention", &LogCore::Attention, 4, L"■■注　意■■", 0x000000, 0x00FFFF},
        SeverityCase{"Warning", &LogCore::Warning, 5, L"■■警　報■■", 0xFFFFFF, 0xFF00FF},
        SeverityCase{"Error", &LogCore::Error, 6, L"■■エラー■■", 0xFFFFFF, 0x0000FF},
        SeverityCase{"Emergency", &LogCore::Emergency, 7, L"■内部エラー■", 0xFFFFFF, 0x0000FF}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogFixture, FacadeNamesTopLevelAndSeverityLinesOnly) {
    log.Error(FacadeSeverityText(L"CAD", L"失敗"));
    log.Add(FacadeLineText(L"CAD", L"top", 1), 0, 1);
    log.Add(FacadeLineText(L"CAD", L"nested", 2), 0, 2);
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"■■エラー■■CAD\uFF1A失敗", L"CAD\uFF1Atop", L"\u3000\u3000nested"}));
}

TEST_F(LogFixture, LinkDataIsKeptInTheRecord) {
    log.Add(L"a", 0, 1, LinkData{L"type", L"C:\\x.dwg", L"1", L"2"});
    ASSERT_EQ(log.Lines().size(), 1u);
    EXPECT_EQ(log.Lines()[0].LinkType, L"type");
    EXPECT_EQ(log.Lines()[0].FullPath, L"C:\\x.dwg");
    EXPECT_EQ(log.Lines()[0].Address2, L"2");
}

// ---- stop request and checks ------------------------------------------------------------------

TEST_F(LogFixture, ChecksFollowTheHighestSeveritySinceClear) {
    struct Step {
        std::function<void(LogCore&)> run;
        bool attention, warning, error, emergency, breaking;
    };
    const Step steps[] = {
        {[](LogCore& l) { l.Report(L"r"); }, false, false, false, false, false},
        {[](LogCore& l) { l.Attention(L"a"); }, true, false, false, false, false},
        {[](LogCore& l) { l.Warning(L"w"); }, true, true, false, false, false},
        {[](LogCore& l) { l.Error(L"e"); }, true, true, true, false, false},
        {[](LogCore& l) { l.Emergency(L"i"); }, true, true, true, true, false},
        {[](LogCore& l) { l.Breaking(); }, true, true, true, true, true},
        {[](LogCore& l) { l.Memo(L"m"); }, true, true, true, true, true},
        {[](LogCore& l) { l.Clear(); }, false, false, false, false, false},
    };
    int i = 0;
    for (const Step& s : steps) {
        s.run(log);
        SCOPED_TRACE(i++);
        EXPECT_EQ(log.AttentionCheck(), s.attention);
        EXPECT_EQ(log.WarningCheck(), s.warning);
        EXPECT_EQ(log.ErrorCheck(), s.error);
        EXPECT_EQ(log.EmergencyCheck(), s.emergency);
        EXPECT_EQ(log.BreakingCheck(), s.breaking);
    }
}

TEST_F(LogFixture, BreakingCountsAcrossClear) {
    log.Breaking();
    ASSERT_EQ(log.Lines().size(), 1u);
    EXPECT_EQ(log.Lines()[0].Text, L"■■中　断■■中断を受け付けました");
    EXPECT_EQ(log.Lines()[0].LogLevel, BreakingLine);
    EXPECT_EQ(log.Lines()[0].BrushColor, colours::Red);
    log.Clear();
    EXPECT_FALSE(log.BreakingCheck());
    log.Breaking();
    EXPECT_EQ(log.BreakingCount(), 2);
    EXPECT_TRUE(log.BreakingCheck());
}

TEST_F(LogFixture, StopPressedDuringAPumpIsSeenByTheSameCheck) {
    host.onPump = [&] { log.Breaking(); };
    host.due = true;
    EXPECT_TRUE(log.BreakingCheck());
    EXPECT_EQ(host.pumps, 1) << "the nested line must not pump again";
}

// ---- page jumps -------------------------------------------------------------------------------

TEST_F(LogFixture, MainJumpConfirmsOnceAfterAWarning) {
    log.Warning(L"w");
    host.events.clear();
    log.MainJump();
    const std::wstring confirmation = std::wstring(CodeOfConfirmation) + LogCore::JumpConfirmation;
    ASSERT_EQ(log.Lines().size(), 2u);
    EXPECT_EQ(log.Lines()[1].Text,
              L"■■確　認■■エラー、警報、注意のいずれかがありました。内容を確認してください。");
    EXPECT_EQ(host.events, (std::vector<std::wstring>{L"append:" + confirmation, L"mainjump"}));
}

TEST_F(LogFixture, JumpsWithoutAttentionAddNothing) {
    struct Case {
        std::function<void(LogCore&)> jump;
        std::wstring demand;
        bool attention;
    };
    const Case cases[] = {
        {[](LogCore& l) { l.MainJump(); }, L"mainjump", false},
        {[](LogCore& l) { l.LogJump(); }, L"logjump", false},
        {[](LogCore& l) { l.NoErrorJump(); }, L"mainjump", false},
        {[](LogCore& l) { l.NoErrorJump(); }, L"logjump", true},
    };
    for (const Case& c : cases) {
        log.Clear();
        log.Report(L"r");
        if (c.attention) log.Attention(L"a");
        const size_t before = log.Lines().size();
        host.events.clear();
        c.jump(log);
        EXPECT_EQ(log.Lines().size(), before + (c.attention ? 1 : 0));
        ASSERT_FALSE(host.events.empty());
        EXPECT_EQ(host.events.back(), c.demand);
    }
}

// ---- Clear, destruction and the texts built from the lines ----------------------------------

TEST_F(LogFixture, AfterShutdownNothingIsAddedAndClearStillEmptiesBoth) {
    log.Error(L"e");
    log.Shutdown();
    log.Add(L"a", 0, 1);
    log.Breaking();
    log.MainJump();
    EXPECT_FALSE(log.BreakingCheck());
    EXPECT_FALSE(log.AttentionCheck());
    EXPECT_EQ(log.Lines().size(), 1u);
    log.Clear();
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_TRUE(host.items.empty());
}

TEST_F(LogFixture, CopyTextHasEveryLineAboveNormalWithCrLf) {
    EXPECT_EQ(log.WarningText(), L"");
    log.Add(L"n", 0, 1);
    EXPECT_EQ(log.WarningText(), L"");
    log.Report(L"r");
    log.Add(L"n2", 0, 1);
    log.Memo(L"m");
    log.Error(L"e");
    EXPECT_EQ(log.WarningText(), L"■■報　告■■r\r\nm\r\n■■エラー■■e\r\n");
}

TEST_F(LogFixture, FileTextIsBomThenEveryLine) {
    EXPECT_EQ(log.FileText(), L"\uFEFF");
    log.Add(L"a", 0, 1);
    log.Space(0);
    log.Warning(L"w");
    EXPECT_EQ(log.FileText(), L"\uFEFFa\r\n\r\n■■警　報■■w\r\n");
}

}  // namespace
