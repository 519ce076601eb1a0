// Text rules without a window: numbers in texts, BackPos, SpaceShrink, DequoteStr, trimming and
// title normalisation with stand-in locale services.
#include <gtest/gtest.h>

#include <string>

#include "common/TextCore.h"

using namespace sb::common;

namespace {

struct IntCase { const wchar_t* text; bool found; int value; };

TEST(FindIntegerTest, Table) {
    const IntCase cases[] = {
        {L"Autodesk AutoCAD 2011 - [Drawing1.dwg]", true, 2011},
        {L" - Drawing1.dwg", false, 0},  // the lone hyphen ends the scan
        {L"x-12y", true, -12},
        {L"-1", true, -1},
        {L"abc", false, 0},
        {L"", false, 0},
        {L"v007", true, 7},
        {L"2147483647", true, 2147483647},
        {L"-2147483648", true, -2147483647 - 1},
        {L"2147483648", false, 0},
        {L"-2147483649", false, 0},
        {L"99999999999999999999", false, 0},
        {L"１２3", true, 3},  // full-width digits are not ASCII digits
    };
    for (const auto& c : cases) {
        int value = 4242;
        EXPECT_EQ(FindInteger(c.text, value), c.found) << c.text;
        EXPECT_EQ(value, c.found ? c.value : 4242) << c.text;  // untouched on failure
    }
}

struct RealCase { const wchar_t* text; bool found; double value; };

TEST(FindRealTest, TableWithDotParser) {
    const RealCase cases[] = {
        {L"Y=12.5,3", true, 12.5},
        {L"VIEWSIZE = -0.25 (読み込み専用)", true, -0.25},
        {L"<1.2.3>", false, 0},
        {L"- 4.0", false, 0},
        {L"a7.", true, 7.0},
        {L"-.5", true, -0.5},
        {L"-.", false, 0},
        {L"no number", false, 0},
        {L"1e5", true, 1.0},  // the run stops at "e"
    };
    for (const auto& c : cases) {
        double value = 99.0;
        EXPECT_EQ(FindReal(c.text, value, ParseDotReal), c.found) << c.text;
        EXPECT_DOUBLE_EQ(value, c.found ? c.value : 99.0) << c.text;
    }
}

TEST(FindRealTest, UsesTheGivenParserOnTheRun) {
    std::wstring seen;
    double value = 0;
    auto parser = [&](const std::wstring& run, double& v) { seen = run; v = 3.0; return true; };
    EXPECT_TRUE(FindReal(L"pt: 12.50,7", value, parser));
    EXPECT_EQ(seen, L"12.50");
    EXPECT_EQ(value, 3.0);
    auto refusing = [](const std::wstring&, double&) { return false; };
    value = 8.0;
    EXPECT_FALSE(FindReal(L"12.5", value, refusing));
    EXPECT_EQ(value, 8.0);
}

struct BackPosCase { const wchar_t* sub; const wchar_t* s; int offset; int expected; };

TEST(BackPosTest, Table) {
    const BackPosCase cases[] = {
        {L"ab", L"abcab", -1, 4},
        {L"ab", L"abcab", 4, 1},
        {L"ab", L"abcab", 5, 4},
        {L"ab", L"abcab", 0, 0},
        {L"a", L"abcab", 0, 1},     // below 1 counts as 1
        {L"a", L"abcab", -7, 1},
        {L"ab", L"abcab", 500, 4},  // beyond the end is clamped, nothing read past it
        {L"abcabx", L"abcab", -1, 0},
        {L"", L"abc", -1, 0},
        {L"a", L"", -1, 0},
        {L"AB", L"abcab", -1, 0},   // case-sensitive
        {L"ｺﾏﾝﾄﾞ:", L"ｺﾏﾝﾄﾞ: _ZOOM\nｺﾏﾝﾄﾞ:", -1, 14},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BackPos(c.sub, c.s, c.offset), c.expected) << c.sub << L" in " << c.s << L" @" << c.offset;
}

TEST(SpaceShrinkTest, Table) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"\x3000 a  b \x3000", L"a b"},
        {L"a \x3000\x3000 b", L"a b"},        // a mixed run keeps its first blank
        {L"a\x3000 b", L"a\x3000" L"b"},
        {L"   ", L""},
        {L"", L""},
        {L" x", L"x"},
        {L"x\t\ty", L"x\t\ty"},               // only U+0020 and U+3000 are blanks
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(SpaceShrink(in), out) << in;
}

TEST(DequoteStrTest, Table) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"\"", L"\""},
        {L"\"x\"", L"x"},
        {L"\"\"", L""},
        {L"\"abc", L"\"abc"},
        {L"abc\"", L"abc\""},
        {L"\"\"x\"\"", L"\"x\""},  // only one pair
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(DequoteStr(in), out) << in;
}

TEST(TrimTest, RemovesControlAndBlankButNotIdeographicSpace) {
    EXPECT_EQ(Trim(L"\t\r\n ab c \x01"), L"ab c");
    EXPECT_EQ(Trim(L"\x3000" L"a\x3000"), L"\x3000" L"a\x3000");
    EXPECT_EQ(Trim(L" \t "), L"");
}

TEST(NormalizeTitleTest, TrimsBeforeMappingAndCollapsesIdeographicSpaces) {
    std::wstring upperInput, halfInput;
    TextMap upper = [&](const std::wstring& s) { upperInput = s; return s + L"U"; };
    TextMap half = [&](const std::wstring& s) { halfInput = s; return s + L"\x3000\x3000\x3000" L"h\x3000\x3000"; };
    EXPECT_EQ(NormalizeTitle(L"  ab\x3000\x3000" L"c \n", upper, half), L"ab\x3000" L"cU\x3000h\x3000");
    EXPECT_EQ(upperInput, L"ab\x3000\x3000" L"c");
    EXPECT_EQ(halfInput, L"ab\x3000\x3000" L"cU");  // half width after upper case
}

}  // namespace
