// Width mapping, upper case and title normalisation through the system locale (Japanese under
// the test session), on the texts AutoCAD really shows.
#include <gtest/gtest.h>

#include <string>

#include "common/CommonVer4.h"

namespace {

struct MapCase { const wchar_t* in; const wchar_t* out; };

TEST(LocaleTextTest, ToHalfWidthOfAutoCadTexts) {
    const MapCase cases[] = {
        // The half-width form is longer than the input (voiced marks become own characters).
        {L"AutoCAD テキスト ウィンドウ", L"AutoCAD ﾃｷｽﾄ ｳｨﾝﾄﾞｳ"},
        {L"コマンド:", L"ｺﾏﾝﾄﾞ:"},
        {L"プロパティ", L"ﾌﾟﾛﾊﾟﾃｨ"},
        {L"ＡｕｔｏＣＡＤ　２０２３", L"AutoCAD 2023"},
        {L"図面１.dwg", L"図面1.dwg"},  // kanji stay
        {L"", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(ToHalfWidth(c.in), c.out) << c.in;
}

TEST(LocaleTextTest, ToFullWidthOfPromptKeys) {
    const MapCase cases[] = {
        {L"ｺﾏﾝﾄﾞ", L"コマンド"},
        {L"ﾌﾟﾛﾊﾟﾃｨ", L"プロパティ"},
        {L"Plan10", L"Ｐｌａｎ１０"},
        {L"図面", L"図面"},
    };
    for (const auto& c : cases) EXPECT_EQ(ToFullWidth(c.in), c.out) << c.in;
}

TEST(LocaleTextTest, UpperCaseCoversFullWidthLetters) {
    EXPECT_EQ(LocaleUpperCase(L"plan ｐｌａｎ ﾃｷｽﾄ"), L"PLAN ＰＬＡＮ ﾃｷｽﾄ");
}

TEST(LocaleTextTest, NormalizeTitleOfAutoCadWindows) {
    const MapCase cases[] = {
        {L"  AutoCAD テキスト ウィンドウ - Plan1.dwg \r\n", L"AUTOCAD ﾃｷｽﾄ ｳｨﾝﾄﾞｳ - PLAN1.DWG"},
        {L"Autodesk AutoCAD 2023 - [ｐｌａｎ１.dwg]", L"AUTODESK AUTOCAD 2023 - [PLAN1.DWG]"},
        {L"プロパティ", L"ﾌﾟﾛﾊﾟﾃｨ"},
    };
    for (const auto& c : cases) EXPECT_EQ(NormalizeTitle(c.in), c.out) << c.in;
}

TEST(LocaleTextTest, IdeographicSpacesBecomeBlanksAfterTheTrim) {
    // The trim runs first and stops at U+3000; the half-width step then turns it into U+0020.
    EXPECT_EQ(NormalizeTitle(L"\x3000ａ\x3000\x3000\x3000ｂ\x3000 "), L" A   B ");
    EXPECT_EQ(ToHalfWidth(L"\x3000"), L" ");
}

TEST(LocaleTextTest, FindRealWithTheUserLocale) {
    double value = 0;
    ASSERT_TRUE(FindReal(L"VIEWCTR = 12.5,3.0,0", value));
    EXPECT_DOUBLE_EQ(value, 12.5);
    int number = 0;
    ASSERT_TRUE(FindInteger(L"AutoCAD 2011", number));
    EXPECT_EQ(number, 2011);
}

TEST(LocaleTextTest, PromptMatchWithLocaleUpperCase) {
    std::vector<std::wstring> list;
    std::wstring display;
    ASSERT_TRUE(sb::common::PromptListSet(L"ｺﾏﾝﾄﾞ:|*ｚｏｏｍ*", list, display));
    int index = -5;
    EXPECT_TRUE(PromptListMatch(L"  [ＺＯＯＭ] Zoom  ", list, index));
    EXPECT_EQ(index, 1);
}

}  // namespace
