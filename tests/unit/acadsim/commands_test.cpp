#include <nlohmann/json.hpp>

#include "Fixture.h"
#include "State.h"

using namespace acadsim;
using acadsim_test::SessionFixture;

struct AcadsimCommands : SessionFixture {
    void SetUp() override { start(acadsim_test::kTwoDrawings); }
};

TEST_F(AcadsimCommands, PromptsEchoesCancelAndUnknownCommands) {
    EXPECT_EQ(line(), L"コマンド: ");
    type(L"_zo");
    EXPECT_EQ(line(), L"コマンド: _zo");
    type(L"\x0003");
    EXPECT_EQ(line(), L"コマンド: ");
    EXPECT_EQ(lastLines(1), L"コマンド: *キャンセル*\n");
    type(L"FOO\r");
    EXPECT_EQ(lastLines(2), L"コマンド: FOO\n不明なコマンド \"FOO\"。F1 キーを押すとヘルプを表示します。\n");
    type(L"_Zoom\r");
    EXPECT_EQ(lastLines(2), L"コマンド: _Zoom\nウィンドウの隅を指定、尺度(nX または nXP)を入力、または\n");
    EXPECT_EQ(line(), L"[図面全体(A)/中心(C)/ダイナミック(D)/オブジェクト範囲(E)/前画面(P)/尺度(S)/窓(W)/オブジェクト(O)] <リアルタイム>: ");
    type(L"\x0003");
    EXPECT_EQ(s->commands().back().end, L"cancelled");
    EXPECT_NE(lastLines(1).find(L"<リアルタイム>: *キャンセル*\n"), std::wstring::npos) << lastLines(1);
}

TEST_F(AcadsimCommands, ZoomOptionsChangeTheCurrentTabsView) {
    struct Step {
        const wchar_t* typed;
        double cx, cy, h;
    } steps[] = {
        {L"_Zoom\rE\r", 60, 45, 100 / 1.5},        // extents, widened to the view's aspect
        {L"_Zoom\rA\r", 210, 148.5, 297},          // limits, which hold the extents
        {L"_Zoom\rC\r100,50\r25\r", 100, 50, 25},  // centre and height
        {L"_Zoom\rC\r10,20\r\r", 10, 20, 25},      // Enter keeps the height
        {L"_Zoom\r2X\r", 10, 20, 12.5},
        {L"_Zoom\rP\r", 10, 20, 25},
        {L"_Zoom\rP\r", 100, 50, 25},
    };
    for (const auto& st : steps) {
        type(st.typed);
        const View& v = drawing().tab().view;
        EXPECT_NEAR(v.cx, st.cx, 1e-9) << st.typed;
        EXPECT_NEAR(v.cy, st.cy, 1e-9) << st.typed;
        EXPECT_NEAR(v.height, st.h, 1e-9) << st.typed;
        EXPECT_EQ(line(), L"コマンド: ") << st.typed;
    }
}

TEST_F(AcadsimCommands, CentreZoomRefusesBadHeightsAndMayBeWithheld) {
    type(L"_Zoom\rC\r1,1\r0\r");
    EXPECT_EQ(lastLines(1), L"値は正で 0 以外でなければなりません。\n");
    EXPECT_EQ(line().rfind(L"倍率または高さを入力 <297.0000>:", 0), 0u);
    type(L"\x0003-LAYOUT\rS\rplan a\r_Zoom\r");
    EXPECT_EQ(line().find(L"中心(C)"), std::wstring::npos);
    type(L"C\r");
    EXPECT_EQ(lastLines(2), L"点またはオプション キーワードが必要です。\nウィンドウの隅を指定、尺度(nX または nXP)を入力、または\n");
    type(L"\x0003_Zoom\rP\r");
    EXPECT_EQ(lastLines(1), L"前画面の記録はありません。\n");
}

TEST_F(AcadsimCommands, SystemVariablesAskOrPrint) {
    type(L"VIEWSIZE\r");
    EXPECT_EQ(lastLines(1), L"VIEWSIZE = 297.0000 (読み込み専用)\n");
    type(L"EXTMIN\r");
    EXPECT_EQ(lastLines(1), L"EXTMIN = 10.0000,20.0000,0.0000 (読み込み専用)\n");
    type(L"DWGTITLED\r");
    EXPECT_EQ(lastLines(1), L"DWGTITLED = 1 (読み込み専用)\n");
    type(L"ACADVER\r");
    EXPECT_EQ(lastLines(1), L"ACADVER = \"24.2s (LMS Tech)\" (読み込み専用)\n");
    type(L"VERSION\r");
    EXPECT_EQ(lastLines(1), L"不明なコマンド \"VERSION\"。F1 キーを押すとヘルプを表示します。\n");
    type(L"FILEDIA\r");
    EXPECT_EQ(line(), L"FILEDIA の新しい値を入力 <1>: ");
    type(L"2\r");
    EXPECT_EQ(lastLines(1), L"値は 0 から 1 の範囲でなければなりません。\n");
    EXPECT_EQ(line(), L"FILEDIA の新しい値を入力 <1>: ");
    type(L"0\r");
    EXPECT_EQ(s->sysvar(L"FILEDIA"), L"0");
    type(L"CLAYER\rwall\r");
    EXPECT_EQ(drawing().clayer, L"WALL");
    type(L"CLAYER\r");
    EXPECT_EQ(line(), L"CLAYER の新しい値を入力 <\"WALL\">: ");
    type(L"\x0003LIMMAX\r");
    EXPECT_EQ(line(), L"LIMMAX の新しい値を入力 <420.0000,297.0000>: ");
    type(L"1,2,3\r");
    EXPECT_EQ(lastLines(1), L"2D 点が必要です。\n");
    s->setCurrent(1);
    type(L"DWGTITLED\r");
    EXPECT_EQ(lastLines(1), L"DWGTITLED = 0 (読み込み専用)\n");
    type(L"EXTMAX\r");
    EXPECT_EQ(lastLines(1), L"EXTMAX = -1.0000E+20,-1.0000E+20,-1.0000E+20 (読み込み専用)\n");
}

TEST_F(AcadsimCommands, LayoutListingIsInNameOrderAndSetSwitchesTabs) {
    type(L"_-LAYOUT\r?\r");
    std::wstring pad(16, L' ');
    EXPECT_EQ(lastLines(3), L"アクティブなレイアウト: モデル\n"
                            L"レイアウト: Plan A" + pad + L"ブロック名: *PAPER_SPACE0.\n"
                            L"レイアウト: Plan B" + pad + L"ブロック名: *PAPER_SPACE1.\n");
    EXPECT_EQ(line().rfind(L"レイアウト オプションを入力", 0), 0u);
    type(L"\x0003_-LAYOUT\rS\rNowhere\r");
    EXPECT_EQ(lastLines(1), L"レイアウト \"Nowhere\" が見つかりません。\n");
    type(L"Plan B\r");
    EXPECT_EQ(drawing().currentTab, 1);
    type(L"_-PLOT\rN\r");
    EXPECT_EQ(line(), L"レイアウト名を入力 または [?] <Plan B>: ");
    type(L"\x0003PSPACE\r");
    EXPECT_EQ(lastLines(1), L"既にペーパー空間にいます。\n");
    type(L"MSPACE\rPSPACE\r");
    EXPECT_FALSE(drawing().tab().mspace);
    type(L"UNDO\r3\r");
    EXPECT_EQ(lastLines(1), L"PSPACE MSPACE -LAYOUT\n");
    EXPECT_EQ(drawing().currentTab, 0);
    type(L"PSPACE\r");
    EXPECT_EQ(lastLines(1), L"** コマンドはモデル タブでは使用できません **\n");
}

TEST_F(AcadsimCommands, EachDrawingHasItsOwnCommandLineAndEnterRepeats) {
    type(L"_Zoom\r");
    s->setCurrent(1);
    EXPECT_EQ(line(), L"コマンド: ");
    type(L"VIEWSIZE\r\r");
    EXPECT_EQ(lastLines(4), L"コマンド: VIEWSIZE\nVIEWSIZE = 297.0000 (読み込み専用)\nコマンド:\nVIEWSIZE = 297.0000 (読み込み専用)\n");
    s->setCurrent(0);
    EXPECT_EQ(line().rfind(L"[図面全体(A)", 0), 0u);
    EXPECT_NE(s->clipboardText(0).find(L"\r\n[図面全体(A)"), std::wstring::npos);
}

TEST(AcadsimRelease, OldReleasesWriteHalfWidthKatakana) {
    acadsim_test::MemoryFiles fs;
    Session s(acadsim_test::scenarioFrom(R"({"release": {"year": 14}, "drawings": [{"path": "C:\\work\\a.dwg",
        "layouts": [{"name": "レイアウト1"}]}]})"), fs);
    EXPECT_EQ(s.commandLineText(0), L"\uFF7A\uFF8F\uFF9D\uFF84\uFF9E: ");
    s.input(L"-PLOT\rN\r");
    EXPECT_EQ(s.commandLineText(0), L"\uFF9A\uFF72\uFF71\uFF73\uFF84名を入力 または [?] <\uFF93\uFF83\uFF9E\uFF99>: ");
    s.input(L"\x0003-LAYOUT\r?\r");
    // Names are the user's and stay as they are; the wording is half width.
    EXPECT_NE(s.historyText(0).find(L"\uFF9A\uFF72\uFF71\uFF73\uFF84: レイアウト1"), std::wstring::npos);
    s.input(L"\x0003");
    EXPECT_NE(s.historyText(0).find(L"*\uFF77\uFF6C\uFF9D\uFF7E\uFF99*"), std::wstring::npos);
}

TEST(AcadsimDialogs, CommandDialogHoldsTheCommandUntilClosed) {
    acadsim_test::MemoryFiles fs;
    Session s(acadsim_test::scenarioFrom(R"({"drawings": [{"path": "C:\\work\\a.dwg"}],
      "dialogs": [{"id": "start", "trigger": "start", "title": "図面修復"},
                  {"id": "busy", "trigger": "command", "command": "_-layout", "times": 2, "title": "AutoCAD",
                   "body": ["コマンドはまだ実行中です。"]}]})"), fs);
    auto start = s.takeDialogRequest();
    ASSERT_TRUE(start);
    EXPECT_EQ(start->plan.title, L"図面修復");
    s.input(L"ZOOM\r");  // held by the open dialog
    EXPECT_TRUE(s.commands().empty());
    s.dialogClosed(start->serial, 1, false);
    s.input(L"-LAYOUT\r");
    auto busy = s.takeDialogRequest();
    ASSERT_TRUE(busy);
    EXPECT_EQ(s.commandLineText(0), L"コマンド: -LAYOUT") << "the command stays on the line while its dialog is up";
    s.dialogClosed(busy->serial, 0, true);
    EXPECT_EQ(s.commands().back().end, L"cancelled");
    EXPECT_EQ(s.commandLineText(0), L"コマンド: ");
    s.input(L"-LAYOUT\r");
    busy = s.takeDialogRequest();
    ASSERT_TRUE(busy);
    s.dialogClosed(busy->serial, 1, false);
    EXPECT_EQ(s.commandLineText(0).rfind(L"レイアウト オプションを入力", 0), 0u);
    s.input(L"\x0003-LAYOUT\r");  // times used up
    EXPECT_FALSE(s.takeDialogRequest());
    ASSERT_EQ(s.dialogs().size(), 3u);
    EXPECT_EQ(s.dialogs()[0].closedBy, L"IDOK");
    EXPECT_EQ(s.dialogs()[1].closedBy, L"WM_CLOSE");
    EXPECT_TRUE(s.dialogs()[1].checkbox);

    auto state = nlohmann::json::parse(stateJson(s, {42, L"ACAD.EXE", 5, 3, true, 1}, 9));
    EXPECT_EQ(state["sequence"], 9);
    EXPECT_EQ(state["received"], 5);
    EXPECT_EQ(state["pending"], 3);
    EXPECT_EQ(state["busy"], true);
    EXPECT_EQ(state["activating"], 1);
    EXPECT_EQ(state["dialogs"][1]["closedBy"], "WM_CLOSE");
    EXPECT_EQ(state["commands"].size(), 3u);
    EXPECT_EQ(state["drawings"][0]["commandLine"].get<std::string>().rfind(toUtf8(L"レイアウト オプションを入力"), 0), 0u);
}

TEST_F(AcadsimCommands, UndoGroupsAndTheHistoryWindowLimit) {
    type(L"_UNDO\rBE\r_Zoom\rE\r_-LAYOUT\rS\rPlan B\r_UNDO\rE\r_Zoom\rA\r");
    EXPECT_EQ(drawing().currentTab, 1);
    type(L"U\r");
    EXPECT_EQ(lastLines(1), L"ZOOM\n");
    type(L"U\r");  // the group as one step: back to the model tab and its first view
    EXPECT_EQ(lastLines(1), L"グループ\n");
    EXPECT_EQ(drawing().currentTab, 0);
    EXPECT_DOUBLE_EQ(drawing().tab().view.height, 297);
    type(L"U\r");
    EXPECT_EQ(lastLines(1), L"元に戻す操作はありません。\n");

    acadsim_test::MemoryFiles fs2;
    Session limited(acadsim_test::scenarioFrom(R"({"historyWindowLimit": 40, "drawings": [{}]})"), fs2);
    limited.input(L"VIEWSIZE\rVIEWCTR\rVIEWSIZE\r");
    std::wstring window = limited.historyText(0);
    EXPECT_EQ(window.size(), 40u);
    EXPECT_EQ(window.substr(window.size() - 8), L"(読み込み専用)");
    EXPECT_NE(limited.clipboardText(0).find(L"VIEWCTR = "), std::wstring::npos);  // the copy is whole
}
