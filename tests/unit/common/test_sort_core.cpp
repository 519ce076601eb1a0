// Natural sort without a log or locale: keys, digit padding, the exchanging bubble sort, the
// steps' lines and progress, and a stop request in the middle.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/SortCore.h"

using namespace sb::common;

namespace {

std::wstring AsciiUpper(const std::wstring& s) {
    std::wstring out = s;
    for (auto& c : out)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return out;
}

// ASCII letters and digits to their full-width forms, the way the locale mapping does.
std::wstring AsciiToFull(const std::wstring& s) {
    std::wstring out = s;
    for (auto& c : out)
        if (c > L' ' && c < 0x7F) c = static_cast<wchar_t>(c - 0x21 + 0xFF01);
    return out;
}

struct Recorder {
    std::vector<std::wstring> lines;
    int breakAfterChecks = -1;  // request a stop at this check (0-based), -1 never
    int checks = 0;
    int progressMax = -1, progressPos = 0, incs = 0;

    SortHooks Hooks() {
        SortHooks h;
        h.Add = [this](const std::wstring& t, int level) { lines.push_back(L"A" + std::to_wstring(level) + L" " + t); };
        h.Sub = [this](const std::wstring& t, int level) { lines.push_back(L"S" + std::to_wstring(level) + L" " + t); };
        h.Emergency = [this](const std::wstring& t) { lines.push_back(L"E " + t); };
        h.ProgressRange = [this](int, int max) { progressMax = max; };
        h.ProgressPosition = [this](int p) { progressPos = p; };
        h.ProgressInc = [this] { ++incs; };
        h.Breaking = [this] { return breakAfterChecks >= 0 && checks++ >= breakAfterChecks; };
        h.Upper = AsciiUpper;
        h.FullWidth = AsciiToFull;
        return h;
    }
};

std::vector<std::wstring> Values(const TSortDataListVer4& items) {
    std::vector<std::wstring> out;
    for (const auto& i : items) out.push_back(i.Value);
    return out;
}

std::vector<std::wstring> Keys(const TSortDataListVer4& items) {
    std::vector<std::wstring> out;
    for (const auto& i : items) out.push_back(i.WorkComp);
    return out;
}

const TSortModeVer4 kMainWindowMode = SiSortUpper | SiFilename | SiSortReal;

struct SortCase {
    const char* name;
    TSortModeVer4 mode;
    std::vector<std::wstring> input;
    std::vector<std::wstring> sorted;
};

TEST(SortExecuteTest, Table) {
    const SortCase cases[] = {
        {"file names across folders", kMainWindowMode,
         {L"C:\\b\\Plan10.dwg", L"C:\\a\\plan9.dwg", L"D:\\Plan1.dwg"},
         {L"D:\\Plan1.dwg", L"C:\\a\\plan9.dwg", L"C:\\b\\Plan10.dwg"}},
        {"drive colon ends the folder part", kMainWindowMode,
         {L"C:b2.dwg", L"X:\\z\\b10.dwg", L"a99.dwg"},
         {L"a99.dwg", L"C:b2.dwg", L"X:\\z\\b10.dwg"}},
        {"without padding digits compare as text", SiSortUpper | SiFilename,
         {L"Plan10", L"plan9", L"Plan1"},
         {L"Plan1", L"Plan10", L"plan9"}},
        {"without file-name mode the folder counts", SiSortUpper | SiSortReal,
         {L"C:\\b\\a1", L"C:\\a\\b1"},
         {L"C:\\a\\b1", L"C:\\b\\a1"}},
        {"descending", SiSortOrder,
         {L"B", L"A", L"C"},
         {L"C", L"B", L"A"}},
        {"ASCII digits before full-width digits", SiSortReal,
         {L"A１", L"A9", L"A２"},
         {L"A9", L"A１", L"A２"}},
        {"full width makes both digit kinds compare alike", SiSortMultiByte | SiSortReal,
         {L"A１０", L"A9", L"A２"},
         {L"A２", L"A9", L"A１０"}},
        {"several runs", SiSortReal,
         {L"v1.10", L"v1.9", L"v1.2", L"v10.0"},
         {L"v1.2", L"v1.9", L"v1.10", L"v10.0"}},
        {"prefix is the smaller", 0,
         {L"ab", L"a", L""},
         {L"", L"a", L"ab"}},
    };
    for (const auto& c : cases) {
        Recorder rec;
        TSortDataListVer4 items;
        ASSERT_TRUE(SortExecute(c.input, c.mode, 0, items, rec.Hooks())) << c.name;
        EXPECT_EQ(Values(items), c.sorted) << c.name;
    }
}

TEST(SortExecuteTest, MainWindowKeysAndItemFields) {
    Recorder rec;
    TSortDataListVer4 items;
    ASSERT_TRUE(SortExecute({L"C:\\b\\Plan10.dwg", L"C:\\a\\plan9.dwg", L"D:\\Plan1.dwg"}, kMainWindowMode, 0,
                            items, rec.Hooks()));
    EXPECT_EQ(Keys(items), (std::vector<std::wstring>{L"PLAN01.DWG", L"PLAN09.DWG", L"PLAN10.DWG"}));
    EXPECT_EQ(items.Get(0).Index, 2);
    EXPECT_EQ(items.Get(0).WorkValue, L"PLAN1.DWG");
    EXPECT_EQ(items.Get(2).Index, 0);
    EXPECT_EQ(items.Get(2).MojiLength, 8);
    EXPECT_EQ(items.Get(2).MathCount, 1);
}

TEST(SortExecuteTest, EqualKeysEndInReverseInputOrder) {
    Recorder rec;
    TSortDataListVer4 items;
    ASSERT_TRUE(SortExecute({L"a7", L"A007", L"a07"}, SiSortUpper | SiSortReal, 0, items, rec.Hooks()));
    // All three keys are A007 (leading zeros belong to the run).
    EXPECT_EQ(Keys(items), (std::vector<std::wstring>(3, L"A007")));
    EXPECT_EQ(items.Get(0).Index, 2);
    EXPECT_EQ(items.Get(1).Index, 1);
    EXPECT_EQ(items.Get(2).Index, 0);
}

struct PadCase { const wchar_t* key; int width; const wchar_t* padded; };

TEST(PadDigitRunsTest, Table) {
    const PadCase cases[] = {
        {L"A9-B12", 3, L"A009-B012"},
        {L"X１２", 3, L"X０１２"},
        {L"1２", 2, L"01０２"},  // a change of digit kind starts a new run
        {L"abc", 4, L"abc"},
        {L"12345", 3, L"12345"},
        {L"", 3, L""},
    };
    for (const auto& c : cases) EXPECT_EQ(PadDigitRuns(c.key, c.width), c.padded) << c.key;
    EXPECT_EQ(LongestDigitRun(L"12３４５x9"), 3);
}

TEST(SortRealNumberTest, CountsRunsAndCharactersPerItem) {
    Recorder rec;
    TSortDataListVer4 items;
    ASSERT_TRUE(SortDataPrepare({L"1２ab", L"x12345"}, 0, items, rec.Hooks()));
    ASSERT_TRUE(SortRealNumber(SiSortReal, items, rec.Hooks()));
    EXPECT_EQ(items.Get(0).MathCount, 2);
    EXPECT_EQ(items.Get(0).MojiLength, 2);
    EXPECT_EQ(items.Get(0).WorkComp, L"00001００００２ab");
    EXPECT_EQ(items.Get(0).WorkValue, L"1２ab");
    EXPECT_EQ(items.Get(1).WorkComp, L"x12345");
}

TEST(SortExecuteTest, LinesAndProgress) {
    Recorder rec;
    TSortDataListVer4 items;
    ASSERT_TRUE(SortExecute({L"b", L"a", L"c", L"d"}, SiSortReal, 0, items, rec.Hooks()));
    EXPECT_EQ(rec.lines, (std::vector<std::wstring>{
                             L"A0 ソート中･･･", L"S1 ソートデータの準備中", L"S1 数字の数値化中",
                             L"S2 数字の最大桁数調査中", L"S2 数字の数値化中", L"S1 バブルソート中",
                             L"A1 ソート完了"}));
    EXPECT_EQ(rec.progressMax, 10);  // n(n+1)/2, larger than the 6 comparisons
    EXPECT_EQ(rec.incs, 6);
}

TEST(SortExecuteTest, UnknownSortTypeIsAnEmergency) {
    Recorder rec;
    TSortDataListVer4 items;
    EXPECT_FALSE(SortExecute({L"b", L"a"}, 0, 1, items, rec.Hooks()));
    ASSERT_FALSE(rec.lines.empty());
    EXPECT_EQ(rec.lines.back(), L"E 存在しないソートタイプが選ばれています");
}

TEST(SortExecuteTest, EmptyInputSucceedsEmpty) {
    Recorder rec;
    TSortDataListVer4 items;
    items.Add(TSortDataVer4{});
    EXPECT_TRUE(SortExecute({}, kMainWindowMode, 0, items, rec.Hooks()));
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(rec.lines.back(), L"A1 ソート完了");
}

TEST(SortExecuteTest, StopRequestInEachStepFailsWithoutClosingLine) {
    // 3 items: checks 0-2 prepare, 3-5 width pass, 6-8 padding pass, 9-11 comparisons.
    for (int stopAt : {1, 4, 7, 10}) {
        Recorder rec;
        rec.breakAfterChecks = stopAt;
        TSortDataListVer4 items;
        EXPECT_FALSE(SortExecute({L"c3", L"b2", L"a1"}, SiSortReal, 0, items, rec.Hooks())) << stopAt;
        EXPECT_NE(rec.lines.back(), L"A1 ソート完了") << stopAt;
        EXPECT_EQ(rec.checks, stopAt + 1) << "no check after the stop";
    }
}

TEST(SortExecuteTest, StopMidSortLeavesPartialOrder) {
    Recorder rec;
    rec.breakAfterChecks = 3 + 3 + 3 + 1;  // stop at the second comparison
    TSortDataListVer4 items;
    ASSERT_FALSE(SortExecute({L"c", L"b", L"a"}, SiSortReal, 0, items, rec.Hooks()));
    EXPECT_EQ(Values(items), (std::vector<std::wstring>{L"b", L"c", L"a"}));
}

TEST(SortDataListTest, ExchangeSwapsAllFields) {
    TSortDataListVer4 list;
    list.Add({0, L"v0", L"k0", L"w0", L"r0", 1, 2});
    list.Add({1, L"v1", L"k1", L"w1", L"r1", 3, 4});
    list.Exchange(0, 1);
    EXPECT_EQ(list.Get(0).Index, 1);
    EXPECT_EQ(list.Get(0).RealStr, L"r1");
    EXPECT_EQ(list.Get(0).MathCount, 4);
    EXPECT_EQ(list.Get(1).WorkValue, L"w0");
}

TEST(FileNamePartTest, Table) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"C:\\a\\b.dwg", L"b.dwg"}, {L"C:b.dwg", L"b.dwg"}, {L"b.dwg", L"b.dwg"}, {L"C:\\a\\", L""},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(FileNamePart(in), out) << in;
}

}  // namespace
