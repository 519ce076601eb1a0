// The one-star wildcard rule and prompt-pattern lists.
#include <gtest/gtest.h>

#include <cwctype>
#include <string>
#include <vector>

#include "common/PromptList.h"
#include "common/Wildcard.h"

using namespace sb::common;

namespace {

struct WildCase { const wchar_t* text; const wchar_t* pattern; bool match; };

TEST(WildcardMatchTest, Table) {
    const WildCase cases[] = {
        {L"ABC", L"*", false},
        {L"ABC", L"**", false},
        {L"", L"*", false},
        {L"ABC", L"A*", true},
        {L"ABC", L"*C", true},
        {L"ABC", L"*B*", true},
        {L"ABC", L"ABC", true},
        {L"abc", L"ABC", false},
        {L"A*C", L"A*C", true},
        {L"AXC", L"A*C", false},  // an inner star is a plain character
        {L"ABC", L"*ABC*", true},
        {L"ABC", L"*ABCD*", false},
        {L"AB", L"ABC*", false},
        {L"BC", L"*ABC", false},
        {L"", L"", true},
        {L"x", L"", false},
        {L"AutoCAD テキスト ウィンドウ - plan1.dwg", L"AutoCAD テキスト ウィンドウ*", true},
        {L"ｺﾏﾝﾄﾞ: ", L"ｺﾏﾝﾄﾞ:*", true},
        {L"*", L"**", false},
        {L"a*", L"**", false},
        {L"x*y", L"***", true},  // the middle "*" is searched for
    };
    for (const auto& c : cases)
        EXPECT_EQ(WildcardMatch(c.text, c.pattern), c.match) << c.text << L" ~ " << c.pattern;
}

struct SetCase {
    const wchar_t* target;
    bool ok;
    const wchar_t* emergency;
    std::vector<std::wstring> items;
    const wchar_t* display;
};

TEST(PromptListSetTest, Table) {
    const SetCase cases[] = {
        {L"ｺﾏﾝﾄﾞ:*|*新しい値を入力*", true, L"", {L"ｺﾏﾝﾄﾞ:*", L"*新しい値を入力*"}, L"「ｺﾏﾝﾄﾞ:*」「*新しい値を入力*」"},
        {L"ｺﾏﾝﾄﾞ:", true, L"", {L"ｺﾏﾝﾄﾞ:"}, L"「ｺﾏﾝﾄﾞ:」"},
        {L"a b | c", true, L"", {L"a b ", L" c"}, L"「a b 」「 c」"},  // spaces inside kept
        {L"**x**", true, L"", {L"*x*"}, L"「*x*」"},
        {L"a||b", false, kPromptListBad, {}, L""},
        {L"a| ", false, kPromptListBad, {}, L""},
        {L"\x3000|a", false, kPromptListBad, {}, L""},
        {L"a|*", false, kPromptListBad, {}, L""},
        {L"a|**", false, kPromptListBad, {}, L""},   // reduced to "*"
        {L"a|***", false, kPromptListBad, {}, L""},  // reduced to "**"
        {L"a|", false, kPromptListBad, {}, L""},
        {L"|", false, kPromptListBad, {}, L""},
        {L"", false, kPromptListNone, {}, L""},
        {L"  ", true, L"", {L"  "}, L"「  」"},  // two blanks are not the single blank refused
    };
    for (const auto& c : cases) {
        std::vector<std::wstring> list{L"stale"};
        std::wstring display = L"stale";
        const PromptListSetResult r = PromptListSet(c.target, list, display);
        EXPECT_EQ(r.Ok, c.ok) << c.target;
        EXPECT_EQ(r.Emergency, c.emergency) << c.target;
        if (c.ok) {
            EXPECT_EQ(list, c.items) << c.target;
            EXPECT_EQ(display, c.display) << c.target;
        }
    }
}

TEST(PromptListSetTest, EmergencyTextsAreTheLogLines) {
    EXPECT_STREQ(kPromptListNone, L"指定プロンプトがありません");
    EXPECT_STREQ(kPromptListBad, L"指定プロンプト正しくありません");
}

std::wstring AsciiUpper(const std::wstring& s) {
    std::wstring out = s;
    for (auto& c : out)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return out;
}

struct MatchCase { const wchar_t* prompt; std::vector<std::wstring> list; bool match; int index; };

TEST(PromptListMatchTest, Table) {
    const MatchCase cases[] = {
        {L"  Zoom Window <Real Time>:  ", {L"ｺﾏﾝﾄﾞ:", L" zoom WINDOW*  "}, true, 1},
        {L"ｺﾏﾝﾄﾞ:", {L"ｺﾏﾝﾄﾞ:", L"ｺﾏﾝﾄﾞ*"}, true, 0},           // first match wins
        {L"ｺﾏﾝﾄﾞ: _ZOOM", {L"ｺﾏﾝﾄﾞ:", L"*ZOOM"}, true, 1},
        {L"abc", {L"x", L"y"}, false, -1},
        {L"abc", {}, false, -1},
        {L"\tFILEDIA の新しい値を入力 <1>:\r\n", {L"ｺﾏﾝﾄﾞ:", L"*の新しい値を入力*"}, true, 1},
    };
    for (const auto& c : cases) {
        int index = 77;
        EXPECT_EQ(PromptListMatch(c.prompt, c.list, index, AsciiUpper), c.match) << c.prompt;
        EXPECT_EQ(index, c.index) << c.prompt;
    }
}

TEST(PromptListMatchTest, SetThenMatchTellsWhichPromptAppeared) {
    std::vector<std::wstring> list;
    std::wstring display;
    ASSERT_TRUE(PromptListSet(L"ｺﾏﾝﾄﾞ:|*ﾌｧｲﾙ名を入力*|*置き換え*", list, display));
    int index = -5;
    EXPECT_TRUE(PromptListMatch(L"図面を置き換えますか? <N> ", list, index, AsciiUpper));
    EXPECT_EQ(index, 2);
}

}  // namespace
