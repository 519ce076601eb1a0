// Releases, LT executable names, scenario dialogs, latency and refused scenarios of the stand-in.
#include "StandInFixture.h"

using e2e_test::Running;

namespace {

TEST(AcadsimRelease, Pre2004AnsiFrameTakesCp932AndWritesHalfWidthKatakana) {
    Running r(R"({"release": {"year": 14},
      "drawings": [{"path": "旧図面.dwg", "layers": ["0", "壁"],
                    "layouts": [{"name": "ﾚｲｱｳﾄ1"}]}]})");
    ASSERT_TRUE(r.started) << r.error;
    e2e::StandIn& acad = *r.acad;
    EXPECT_FALSE(IsWindowUnicode(acad.windows().frame));
    EXPECT_EQ(e2e::windowText(acad.windows().frame), L"AutoCAD R14 - [旧図面.dwg]");
    EXPECT_EQ(e2e::windowText(acad.windows().text), L"AutoCAD ﾃｷｽﾄ ｳｨﾝﾄﾞｳ - 旧図面.dwg");
    EXPECT_EQ(acad.commandLine(), L"ｺﾏﾝﾄﾞ: ");
    std::vector<std::wstring> added;
    ASSERT_TRUE(acad.run(L"CLAYER\r壁\r", added));  // sent as CP932 bytes
    acad.send(L"CLAYER\r");
    EXPECT_TRUE(acad.waitCommandLine(L"CLAYER の新しい値を入力 <\"壁\">: "));
    acad.send(L"\x03");
    ASSERT_TRUE(acad.waitCommandLine(L"ｺﾏﾝﾄﾞ: "));
    EXPECT_NE(e2e::splitLines(acad.history()).back().find(L"*ｷｬﾝｾﾙ*"), std::wstring::npos);
    ASSERT_TRUE(acad.run(L"ACADVER\r", added));
    EXPECT_EQ(added.back(), L"ACADVER = \"14.0\" (読み込み専用)");
    ASSERT_TRUE(acad.run(L"VERSION\r", added));
    EXPECT_EQ(added.back().rfind(L"不明なｺﾏﾝﾄﾞ \"VERSION\"", 0), 0u);
    acad.send(L"-PLOT\rN\r");
    EXPECT_TRUE(acad.waitCommandLine(L"ﾚｲｱｳﾄ名を入力 または [?] <ﾓﾃﾞﾙ>: "));
    std::wstring clip;
    ASSERT_TRUE(acad.copyHistory(clip));
    EXPECT_NE(clip.find(L"ACADVER = \"14.0\""), std::wstring::npos);
    EXPECT_TRUE(acad.stop());
}

TEST(AcadsimRelease, LtExecutableDialogsAndVersionVariable) {
    Running r(R"({"release": {"year": 2016, "lt": true, "exe": "ACLT.EXE", "version": "AutoCAD LT 2016"},
      "startPage": true, "palettes": ["プロパティ"],
      "drawings": [{"path": "a.dwg"}, {"path": "b.dwg"}],
      "dialogs": [
        {"id": "proxy", "trigger": "start", "title": "プロキシ情報",
         "body": ["この図面にはカスタム オブジェクトが含まれています。"],
         "checkbox": "今後このメッセージを表示しない", "buttons": [{"text": "OK", "id": 1}]},
        {"id": "busy", "trigger": "command", "command": "SAVEAS", "title": "AutoCAD",
         "body": ["コマンドはまだ実行中です。"], "buttons": [{"text": "OK", "id": 1}]}]})");
    ASSERT_TRUE(r.started) << r.error;
    e2e::StandIn& acad = *r.acad;
    auto state = r.state();
    EXPECT_EQ(state["exe"], "ACLT.EXE");
    EXPECT_EQ(e2e::windowText(acad.windows().frame).rfind(L"Autodesk AutoCAD LT 2016 - [", 0), 0u);

    // The start dialog: its check box and its OK button found by caption and clicked.
    HWND dialog = acad.waitDialog(L"プロキシ情報");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(e2e::click(e2e::findChildByCaption(dialog, L"今後このメッセージを表示しない", L"Button")));
    ASSERT_TRUE(e2e::click(e2e::findChildByCaption(dialog, L"OK", L"Button")));
    ASSERT_TRUE(e2e::waitUntil([&] { return r.state()["dialogs"][0]["closedBy"] == "IDOK"; }, 3000));
    EXPECT_EQ(r.state()["dialogs"][0]["checkbox"], true);

    std::vector<std::wstring> added;
    ASSERT_TRUE(acad.run(L"VERSION\r", added));
    EXPECT_EQ(added.back(), L"VERSION = \"AutoCAD LT 2016\" (読み込み専用)");

    // A command dialog holds the command; closing it by WM_CLOSE cancels the command.
    acad.send(L"_SAVEAS\r");
    HWND busy = acad.waitDialog(L"AutoCAD");
    ASSERT_NE(busy, nullptr);
    PostMessageW(busy, WM_CLOSE, 0, 0);
    ASSERT_TRUE(e2e::waitUntil([&] { return r.state()["dialogs"].size() == 2 && r.state()["dialogs"][1]["closedBy"] == "WM_CLOSE"; }, 3000));
    EXPECT_EQ(r.state()["commands"].back()["end"], "cancelled");
    EXPECT_EQ(acad.commandLine(), L"コマンド: ");

    // The start page is an MDI child hosting a browser window, not a drawing.
    bool browser = false;
    for (HWND c : e2e::children(acad.windows().mdiClient))
        if (HWND first = GetWindow(c, GW_CHILD)) browser = browser || e2e::className(first) == L"CefBrowserWindow";
    EXPECT_TRUE(browser);
    HWND palette = e2e::findTopLevel(acad.pid(), L"AcadSimPalette", L"プロパティ");
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(GetWindow(palette, GW_OWNER), acad.windows().frame);
}

TEST(AcadsimRelease, LatencyHoldsCommandsAndActivation) {
    Running r(R"({"latency": {"commandMs": 400, "jitterMs": 0, "activationMs": 400},
      "drawings": [{"path": "a.dwg"}, {"path": "b.dwg"}], "active": 0})");
    ASSERT_TRUE(r.started) << r.error;
    e2e::StandIn& acad = *r.acad;
    DWORD start = GetTickCount();
    ASSERT_TRUE(acad.send(L"VIEWSIZE\r"));
    EXPECT_TRUE(acad.waitCommandLine(L"コマンド: VIEWSIZE", 300));  // typed, not yet taken
    std::wstring before = acad.history();
    ASSERT_TRUE(e2e::waitUntil([&] { return acad.history() != before; }, 3000));
    EXPECT_GE(GetTickCount() - start, 400u);

    auto drawings = acad.drawingWindows();
    ASSERT_EQ(drawings.size(), 2u);
    start = GetTickCount();
    SendMessageW(acad.windows().mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(drawings[1]), 0);
    EXPECT_EQ(e2e::windowText(acad.windows().text), L"AutoCAD テキスト ウィンドウ - a.dwg");
    ASSERT_TRUE(e2e::waitUntil([&] { return e2e::windowText(acad.windows().text) == L"AutoCAD テキスト ウィンドウ - b.dwg"; }, 3000));
    EXPECT_GE(GetTickCount() - start, 400u);
}

TEST(AcadsimRelease, InvalidScenarioIsRefusedWithExitCode2) {
    struct Case {
        const char* scenario;
        const char* reason;
    } cases[] = {
        {R"({"release": {"year": 2003}, "drawings": []})", "release.year"},
        {R"({"drawings": [{"path": "Q:\\nowhere\\a.dwg"}]})", "does not exist"},
        {"not json", "not valid JSON"},
    };
    for (const auto& c : cases) {
        e2e::TempDir dir(L"acadsim-bad");
        e2e::StandIn acad(e2e_test::acadExe(), dir.path());
        DWORD code = 0;
        ASSERT_TRUE(acad.startExpectingExit(c.scenario, code)) << c.scenario;
        EXPECT_EQ(code, 2u) << c.scenario;
        std::string state;
        ASSERT_TRUE(acad.readState(state));
        EXPECT_NE(state.find(c.reason), std::string::npos) << state;
    }
}

}  // namespace
