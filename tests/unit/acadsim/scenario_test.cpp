#include <fstream>
#include <iterator>

#include "Fixture.h"

using namespace acadsim;

TEST(AcadsimScenario, DefaultsFollowTheRelease) {
    struct Case {
        const char* json;
        const wchar_t* title;
        bool unicode;
        const wchar_t* acadver;
        const wchar_t* format;
    } cases[] = {
        {R"({"drawings": []})", L"Autodesk AutoCAD 2023", true, L"24.2s (LMS Tech)", L"2018"},
        {R"({"release": {"year": 2008}, "drawings": []})", L"AutoCAD 2008", true, L"17.1s (LMS Tech)", L"2007"},
        {R"({"release": {"year": 2002, "lt": true}, "drawings": []})", L"AutoCAD LT 2002", false, L"15.06s (LMS Tech)", L"2000"},
        {R"({"release": {"year": 14}, "drawings": []})", L"AutoCAD R14", false, L"14.0", L"R14"},
        {R"({"release": {"year": 2012, "lt": true}, "drawings": []})", L"Autodesk AutoCAD LT 2012", true, L"18.2s (LMS Tech)", L"2010"},
    };
    for (const auto& c : cases) {
        Scenario sc = acadsim_test::scenarioFrom(c.json);
        EXPECT_EQ(sc.release.title, c.title) << c.json;
        EXPECT_EQ(sc.release.unicode, c.unicode) << c.json;
        ASSERT_TRUE(sc.release.acadver.has_value());
        EXPECT_EQ(*sc.release.acadver, c.acadver) << c.json;
        EXPECT_EQ(sc.release.nativeFormat(), c.format) << c.json;
        EXPECT_FALSE(sc.release.version.has_value());
    }
}

TEST(AcadsimScenario, InvalidScenariosNameTheKey) {
    struct Case {
        const char* json;
        const char* key;
    } cases[] = {
        {"{", "not valid JSON"},
        {R"({"release": {"year": 2003}, "drawings": []})", "release.year"},
        {R"({"release": {"exe": "NOTEPAD.EXE"}, "drawings": []})", "release.exe"},
        {R"({})", "drawings"},
        {R"({"drawings": {}})", "drawings"},
        {R"({"drawings": [{"layouts": [{"name": "A"}, {"name": "a"}]}]})", "drawings[0].layouts[1].name"},
        {R"({"drawings": [{"layouts": [{"name": "モデル"}]}]})", "drawings[0].layouts[0].name"},
        {R"({"drawings": [{"layouts": [{"name": "A", "tabOrder": 0}]}]})", "drawings[0].layouts[0].tabOrder"},
        {R"({"drawings": [{"model": {"limits": [10, 0, 0, 5]}}]})", "drawings[0].model.limits"},
        {R"({"drawings": [{"model": {"view": {"height": 0}}}]})", "drawings[0].model.view.height"},
        {R"({"drawings": [{"currentTab": "Nowhere"}]})", "drawings[0].currentTab"},
        {R"({"drawings": [{"readOnly": "yes"}]})", "drawings[0].readOnly"},
        {R"({"drawings": [{}], "active": 1})", "active"},
        {R"({"drawings": [], "sysvars": {"FILEDIA": "2"}})", "sysvars.FILEDIA"},
        {R"({"drawings": [], "dialogs": [{"trigger": "later", "title": "x"}]})", "dialogs[0].trigger"},
        {R"({"drawings": [], "dialogs": [{"trigger": "command", "title": "x"}]})", "dialogs[0].command"},
        {R"({"drawings": [], "hang": {"ms": 100}})", "hang.command"},
        {R"({"drawings": [], "latency": {"commandMs": -1}})", "latency.commandMs"},
        {R"({"drawings": [], "latency": {"jitterMs": 600001}})", "latency.jitterMs"},
        {R"({"drawings": [], "latency": {"activationMs": 1.5}})", "latency.activationMs"},
        {R"({"drawings": [], "latency": {"seed": -1}})", "latency.seed"},
        {R"({"drawings": [], "latency": {"seed": 4294967296}})", "latency.seed"},
        {R"({"drawings": [], "latency": []})", "latency"},
        {R"({"drawings": [], "busy": {"ms": 5}})", "busy"},
        {R"({"drawings": [], "busy": [{"command": "ZOOM"}]})", "busy[0].ms"},
        {R"({"drawings": [], "busy": [{"ms": 5}, {"ms": 5, "run": 0}]})", "busy[1].run"},
        {R"({"drawings": [{}], "busy": [{"ms": 5, "drawing": 1}]})", "busy[0].drawing"},
        {R"({"drawings": [], "busy": [{"ms": 5, "times": -1}]})", "busy[0].times"},
        {R"({"drawings": [], "busy": [{"ms": 5, "command": 3}]})", "busy[0].command"},
        {R"({"drawings": [], "hang": {"command": "ZOOM", "atAnswer": 0}})", "hang.atAnswer"},
        {R"({"drawings": [], "hang": {"command": "ZOOM", "ms": 600001}})", "hang.ms"},
        {R"({"drawings": [{}], "dialogs": [{"trigger": "command", "command": "ZOOM", "drawing": 2, "title": "x"}]})",
         "dialogs[0].drawing"},
        {R"({"drawings": [], "dialogs": [{"trigger": "command", "command": "ZOOM", "run": 0, "title": "x"}]})",
         "dialogs[0].run"},
        {R"({"drawings": [{}], "dialogs": [{"trigger": "start", "drawing": 0, "title": "x"}]})", "dialogs[0].drawing"},
        {R"({"drawings": [{}, {"maximized": true}], "active": 0})", "drawings[1].maximized"},
        {R"({"drawings": [{"maximized": true, "minimized": true}]})", "drawings[0].maximized"},
    };
    for (const auto& c : cases) {
        Scenario sc;
        std::string error;
        EXPECT_FALSE(parseScenario(c.json, sc, error)) << c.json;
        EXPECT_NE(error.find(c.key), std::string::npos) << c.json << " -> " << error;
    }
}

TEST(AcadsimScenario, TimingBusyHangAndDialogPlans) {
    Scenario none = acadsim_test::scenarioFrom(R"({"drawings": []})");
    EXPECT_EQ(none.latency.commandMs, 30);  // realistic unless a scenario says otherwise
    EXPECT_EQ(none.latency.jitterMs, 120);
    EXPECT_EQ(none.latency.activationMs, 40);
    EXPECT_EQ(none.latency.seed, 1u);
    EXPECT_TRUE(none.busy.empty());
    EXPECT_EQ(none.hang.ms, 0);

    Scenario sc = acadsim_test::scenarioFrom(R"({
      "latency": {"commandMs": 0, "seed": 4294967295},
      "busy": [{"command": "_SaveAs", "run": 2, "drawing": 1, "ms": 5000, "times": 3}, {"ms": 10}],
      "hang": {"command": "-layout", "atAnswer": 2, "ms": 800},
      "drawings": [{}, {"maximized": true, "minimized": false}], "active": 1,
      "dialogs": [{"trigger": "command", "command": "ZOOM", "run": 4, "drawing": 0, "title": "x"}]})");
    EXPECT_EQ(sc.latency.commandMs, 0);
    EXPECT_EQ(sc.latency.jitterMs, 120);  // fields left out keep their defaults
    EXPECT_EQ(sc.latency.seed, 4294967295u);
    ASSERT_EQ(sc.busy.size(), 2u);
    EXPECT_EQ(sc.busy[0].match.command, L"SAVEAS");
    EXPECT_EQ(sc.busy[0].match.run, 2);
    EXPECT_EQ(sc.busy[0].match.drawing, 1);
    EXPECT_EQ(sc.busy[0].ms, 5000);
    EXPECT_EQ(sc.busy[0].times, 3);
    EXPECT_EQ(sc.busy[1].match.command, L"");  // any command, every start, once
    EXPECT_EQ(sc.busy[1].match.run, 0);
    EXPECT_EQ(sc.busy[1].match.drawing, -1);
    EXPECT_EQ(sc.busy[1].times, 1);
    EXPECT_EQ(sc.hang.match.command, L"LAYOUT");
    EXPECT_EQ(sc.hang.atAnswer, 2);
    EXPECT_EQ(sc.dialogs[0].match.run, 4);
    EXPECT_EQ(sc.dialogs[0].match.drawing, 0);
}

TEST(AcadsimScenario, DrawingsGetTabsTitlesAndViews) {
    Scenario sc = acadsim_test::scenarioFrom(acadsim_test::kTwoDrawings);
    ASSERT_EQ(sc.drawings.size(), 2u);
    const Drawing& d = sc.drawings[0];
    EXPECT_EQ(d.title(), L"plan1.dwg");
    ASSERT_EQ(d.tabs.size(), 3u);
    EXPECT_EQ(d.tabs[2].name, L"Plan A");
    EXPECT_EQ(d.tabs[2].tabOrder, 2);
    EXPECT_FALSE(d.tabs[2].centerZoom);
    EXPECT_EQ(d.findTab(L"plan a"), 2);
    EXPECT_EQ(d.findTab(L"モデル"), 0);
    EXPECT_EQ(sc.drawings[1].title(), L"Drawing1.dwg");
    // A layout without a view looks at its limits.
    EXPECT_DOUBLE_EQ(d.tabs[1].view.cx, 210);
    EXPECT_DOUBLE_EQ(d.tabs[1].view.height, 297);
}

TEST(AcadsimText, HalfWidthKanaKeepsKanjiAndVoicedMarks) {
    EXPECT_EQ(halfWidthKana(L"コマンド:"), L"\uFF7A\uFF8F\uFF9D\uFF84\uFF9E:");
    EXPECT_EQ(halfWidthKana(L"*キャンセル*"), L"*\uFF77\uFF6C\uFF9D\uFF7E\uFF99*");
    EXPECT_EQ(halfWidthKana(L"ページ設定"), L"\uFF8D\uFF9F\uFF70\uFF7C\uFF9E設定");
    EXPECT_EQ(halfWidthKana(L"読み込み専用。"), L"読み込み専用。");
}

TEST(AcadsimText, NumbersAsAutoCADPrintsThem) {
    EXPECT_EQ(formatReal(297), L"297.0000");
    EXPECT_EQ(formatReal(-0.00001), L"-0.0000");
    EXPECT_EQ(formatReal(1e20), L"1.0000E+20");
    EXPECT_EQ(formatReal(-1e20), L"-1.0000E+20");
    double v = 0;
    EXPECT_TRUE(parseReal(L" 1.5e2 ", v));
    EXPECT_DOUBLE_EQ(v, 150);
    EXPECT_FALSE(parseReal(L"1,5", v));
    EXPECT_FALSE(parseReal(L"12abc", v));
    EXPECT_EQ(fromUtf8(toUtf8(L"図面\xD83D\xDE00")), L"図面\xD83D\xDE00");
}

TEST(AcadsimScenario, ShippedExamplesAreValid) {
    struct Example {
        const char* file;
        size_t drawings;
    } examples[] = {{"three-drawings.json", 3}, {"r14-ansi.json", 1}, {"lt-dialogs.json", 3}};
    for (const auto& e : examples) {
        std::string path = std::string(ACADSIM_EXAMPLES) + "/" + e.file;
#ifdef _WIN32
        path = "Z:" + path;  // the Linux path as Wine maps it
#endif
        std::ifstream in(path, std::ios::binary);
        ASSERT_TRUE(in) << path;
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        Scenario sc;
        std::string error;
        ASSERT_TRUE(parseScenario(text, sc, error)) << e.file << ": " << error;
        EXPECT_EQ(sc.drawings.size(), e.drawings) << e.file;
    }
    // The one with two named layouts keeps them in its own tab order.
    std::ifstream in(std::string(
#ifdef _WIN32
                         "Z:"
#endif
                         ACADSIM_EXAMPLES) +
                     "/three-drawings.json");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Scenario sc = acadsim_test::scenarioFrom(text);
    ASSERT_EQ(sc.drawings[0].tabs.size(), 3u);
    EXPECT_EQ(sc.drawings[0].tabs[1].name, L"A3 平面図");
    EXPECT_EQ(sc.drawings[0].tabs[1].tabOrder, 2);
}
