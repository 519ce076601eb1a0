// Release tables, variable answers, value comparison, untypable data, restore order and the save
// checks, without a window.
#include <gtest/gtest.h>

#include <cwctype>
#include <string>
#include <vector>

#include "acad/PromptText.h"
#include "acad/SaveCore.h"
#include "acad/SysVarCore.h"
#include "acad/VersionCore.h"

using namespace sb::acad;

namespace {

std::wstring UpperMap(const std::wstring& s) {
    std::wstring r = s;
    for (wchar_t& c : r) c = static_cast<wchar_t>(std::towupper(c));
    return r;
}

TEST(VersionTables, LaterRowWinsAndR14IsTestedLast) {
    struct Case { const wchar_t* answer; int expected; };
    const Case versionCases[] = {
        {L"AutoCAD 2008", 2008},
        {L"AutoCAD LT 2016", 2016},
        {L"2008 LT98", 98},           // "98" is a later row than "2008"
        {L"R14 2018", 14},            // R14 last, whatever else matched
        {L"R14.0 LT97", 14},
        {L"2000i", 2000},
        {L"R15.0 (LMS Tech)", 0},     // no row at all
        {L"", 0},
    };
    for (const Case& c : versionCases) EXPECT_EQ(VersionFromVersionVar(c.answer), c.expected) << c.answer;
    const Case acadverCases[] = {
        {L"17.1s (LMS Tech)", 2008},
        {L"14.0", 14},
        {L"14.01", 14},
        {L"15.06s (LMS Tech)", 2002},
        {L"18.1s (LMS Tech)", 2011},
        {L"22.0s (LMS Tech)", 2018},
        {L"24.2s (LMS Tech)", 0},     // after 2018: no row
        {L"15.0s (LMS Tech)", 0},     // neither "15.0h" nor "15.05s"
        {L"13.14", 14},               // "14" is a later row than "13"
    };
    for (const Case& c : acadverCases) EXPECT_EQ(VersionFromAcadVer(c.answer), c.expected) << c.answer;
}

TEST(VersionTables, CommandPromptWidthBefore2007) {
    EXPECT_EQ(VersionFromCommandPrompt(L"ｺﾏﾝﾄﾞ:"), 2002);
    EXPECT_EQ(VersionFromCommandPrompt(L"コマンド:"), 2004);
    EXPECT_EQ(VersionFromCommandPrompt(L"Command:"), 0);
    EXPECT_EQ(VersionFromCommandPrompt(L" ｺﾏﾝﾄﾞ:"), 0);
}

TEST(VersionTables, ChooseVersionKeepsTheCallersReleaseUnlessTheEstimateContradicts) {
    struct Case { bool checked, identified; int cad, def, expected; };
    const Case cases[] = {
        {true, true, 2004, 2010, 2004},    // identified: always the identified release
        {false, false, 2007, 2010, 2010},  // unidentified estimate 2007
        {false, false, 2000, 2010, 2000},
        {false, false, 2007, 2002, 2007},
        {true, false, 2000, 97, 97},       // both before Unicode
        {false, true, 2018, 2000, 2018},   // identification without a finished check counts not
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseVersion(c.checked, c.identified, c.cad, c.def), c.expected) << c.cad << " " << c.def;
}

TEST(ReadOnlyValueTest, ValueLineBelowTheEchoOfTheCommand) {
    struct Case {
        std::vector<std::wstring> history;
        const wchar_t* target;
        VarReadResult result;
        const wchar_t* value;
    };
    const Case cases[] = {
        {{L"コマンド: DWGTITLED", L"DWGTITLED = 1 (読み込み専用)", L"コマンド: "}, L"DWGTITLED", VarReadResult::Ok, L"1"},
        {{L"コマンド: ACADVER", L"ACADVER = \"17.1s (LMS Tech)\" (読み込み専用)"}, L"ACADVER", VarReadResult::Ok,
         L"17.1s (LMS Tech)"},
        {{L"ｺﾏﾝﾄﾞ: DWGNAME", L"DWGNAME = \u201D図面 1.dwg\u201D (読み込み専用)"}, L"DWGNAME", VarReadResult::Ok,
         L"図面 1.dwg"},
        {{L"コマンド: VIEWCTR", L"VIEWCTR =   210.0000,148.5000,0.0000 (読み込み専用)"}, L"VIEWCTR",
         VarReadResult::Ok, L"210.0000,148.5000,0.0000"},
        {{L"コマンド: X", L"X = \"open"}, L"X", VarReadResult::Ok, L"open"},
        // A value printed by an earlier read is stale: only what follows the last echo counts.
        {{L"コマンド: DWGTITLED", L"DWGTITLED = 1 (読み込み専用)", L"コマンド: DWGTITLED",
          L"不明なコマンド \"DWGTITLED\"。"}, L"DWGTITLED", VarReadResult::NotFound, L""},
        {{L"DWGTITLED = 1 (読み込み専用)", L"コマンド: "}, L"DWGTITLED", VarReadResult::NotFound, L""},
        {{L"コマンド: VERSION", L"VERSION ="}, L"VERSION", VarReadResult::Unreadable, L""},
        {{L"コマンド: VERSION", L"VERSION: x=1"}, L"VERSION", VarReadResult::BadFormat, L""},
    };
    for (const Case& c : cases) {
        std::wstring value = L"old";
        const auto below = LinesBelowEcho(c.history, c.target, [](const std::wstring& s) { return s; });
        EXPECT_EQ(ReadOnlyValue(below, c.target, value), c.result) << c.history.back();
        EXPECT_EQ(value, c.value) << c.history.back();
    }
}

TEST(SetAnswerCheckTest, AnswerAfterTheLastEchoOfTheName) {
    EXPECT_EQ(SetAnswerCheck(L"コマンド: FILEDIA\r\nFILEDIA の新しい値を入力 <1>: 0\r\n", L"FILEDIA"), VarSetResult::Ok);
    EXPECT_EQ(SetAnswerCheck(L"コマンド: CLAYER\r\nCLAYER の新しい値を入力 <\"0\">: x\r\n画層名が無効です。", L"CLAYER"),
              VarSetResult::Invalid);
    EXPECT_EQ(SetAnswerCheck(L"コマンド: ZOOM\r\n", L"FILEDIA"), VarSetResult::NotFound);
    EXPECT_EQ(SetAnswerCheck(L"コマンド: FILEDIA\r\n", L"FILEDIA"), VarSetResult::Unreadable);
}

TEST(SetValueRules, CaseInsensitiveFourAndLineweightWords) {
    struct Case { const wchar_t* target; const wchar_t* set; const wchar_t* current; bool same; };
    const Case cases[] = {
        {L"CLAYER", L"wall", L"WALL", true},
        {L"clayer", L"wall", L"WALL", true},
        {L"CECOLOR", L"bylayer", L"BYLAYER", true},
        {L"CELTYPE", L"ByBlock", L"BYBLOCK", true},
        {L"CELWEIGHT", L"bylayer", L"-1", false},  // the word is compared, so -1 is still typed
        {L"FILEDIA", L"0", L"0", true},
        {L"CTAB", L"layout1", L"Layout1", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SameVariableValue(c.target, c.set, c.current, UpperMap), c.same) << c.target << " " << c.set;
    EXPECT_EQ(TypedVariableValue(L"CELWEIGHT", L"bylayer"), L"-1");
    EXPECT_EQ(TypedVariableValue(L"celweight", L"ByBlock"), L"-2");
    EXPECT_EQ(TypedVariableValue(L"CELWEIGHT", L"Default"), L"-3");
    EXPECT_EQ(TypedVariableValue(L"CELWEIGHT", L"25"), L"25");
    EXPECT_EQ(TypedVariableValue(L"CLAYER", L"bylayer"), L"bylayer");
}

TEST(RestoreNewestFirstTest, EveryEntryNewestFirstFailuresReportedAndSkippedOver) {
    TCadBackUpListVer4 list;
    list.Add({L"FILEDIA", L"1"});
    list.Add({L"CMDECHO", L"1"});
    list.Add({L"CLAYER", L"壁"});
    std::vector<std::wstring> order, attentions;
    const bool ok = RestoreNewestFirst(
        list, [&](const TCadBackUpVer4& e) { order.push_back(e.Target); return e.Target != L"CMDECHO"; },
        [&](const std::wstring& line) { attentions.push_back(line); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(order, (std::vector<std::wstring>{L"CLAYER", L"CMDECHO", L"FILEDIA"}));
    EXPECT_EQ(attentions, (std::vector<std::wstring>{L"システム変数CMDECHOの設定を元に戻せなかった可能性があります。",
                                                     L"手動でCMDECHOと打ち込み1を設定してください"}));
    attentions.clear();
    EXPECT_TRUE(RestoreNewestFirst(list, [](const TCadBackUpVer4&) { return true; },
                                   [&](const std::wstring& line) { attentions.push_back(line); }));
    EXPECT_TRUE(attentions.empty());
    EXPECT_EQ(list.Count(), 3);  // the list is not emptied
}

TEST(SaveChecks, ReadOnlyAndMissingFilesStopTheSave) {
    const FileFacts none{}, plain{true, false}, locked{true, true};
    struct Case { const wchar_t* path; FileFacts current, target; const wchar_t* message; };
    const Case cases[] = {
        {L"", plain, none, L""},
        {L"", none, none, kSaveNoNameText},
        {L"", locked, none, kSaveCurrentReadOnlyText},
        {L"C:\\a.dxf", locked, none, L""},   // the current file does not matter for another target
        {L"C:\\a.dxf", plain, plain, L""},
        {L"C:\\a.dxf", plain, locked, kSaveTargetReadOnlyText},
    };
    for (const Case& c : cases) EXPECT_EQ(SaveFileCheckMessage(c.path, c.current, c.target), c.message) << c.path;
}

TEST(SaveChecks, HistoryConfirmsThePathTyped) {
    const std::wstring path = L"C:\\out\\plan.dxf";
    EXPECT_EQ(SaveHistoryConfirm(L"図面に名前を付けて保存 <C:\\a.dwg>: C:\\out\\plan.dxf\r\nコマンド:", path), SaveConfirm::Ok);
    EXPECT_EQ(SaveHistoryConfirm(L"図面に名前を付けて保存 <C:\\a.dwg>: C:\\out\\plan.dxf\r\nファイル名が無効です。", path),
              SaveConfirm::Invalid);
    // An old "無効です" before the last echo of the path does not count.
    EXPECT_EQ(SaveHistoryConfirm(L"ファイル名が無効です。\r\n… <C:\\a.dwg>: C:\\out\\plan.dxf\r\n", path), SaveConfirm::Ok);
    EXPECT_EQ(SaveHistoryConfirm(L"… <C:\\a.dwg>: c:\\out\\plan.dxf\r\n", path), SaveConfirm::PathNotFound);
}

}  // namespace
