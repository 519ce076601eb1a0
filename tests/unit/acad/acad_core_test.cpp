#include <gtest/gtest.h>

#include "acad/AcadCore.h"

using namespace sb::acad;

TEST(RoughVersion, FromTitleAndFrame) {
    struct Case {
        bool unicode;
        const wchar_t* title;
        int version;
        bool flag2011;
    } cases[] = {
        {true, L"Autodesk AutoCAD 2023 - [plan1.dwg]", 2007, false},
        {true, L"Autodesk AutoCAD 2012 - [plan1.dwg]", 2007, false},
        {true, L"Autodesk AutoCAD 2011 - [plan1.dwg]", 2011, true},
        {true, L"Autodesk AutoCAD LT 2011 - [plan1.dwg]", 2011, true},
        // No number: the lone hyphen ends the scan, so no year at all means 2011.
        {true, L"AutoCAD - [Drawing1.dwg]", 2011, true},
        {true, L"autodesk autocad lt", 2011, true},
        // The brand words go whatever their case; what is left decides.
        {true, L"AUTOCADLT2012", 2007, false},
        {true, L"AutoCAD Lt 2011", 2011, true},
        // An ANSI frame is an old release whatever the title says.
        {false, L"AutoCAD 2011 - [plan1.dwg]", 2000, false},
        {false, L"AutoCAD R14", 2000, false},
    };
    for (const Case& c : cases) {
        const RoughVersion v = GuessRoughVersion(c.unicode, c.title);
        EXPECT_EQ(v.CadVersion, c.version) << c.title;
        EXPECT_EQ(v.Version2011Flag, c.flag2011) << c.title;
    }
}

TEST(RoughVersion, RemovalThatJoinsPiecesRemovesTheNewOccurrenceToo) {
    EXPECT_EQ(RemoveWordNoCase(L"LlTt 5", L"lt"), L" 5");
    EXPECT_EQ(RemoveWordNoCase(L"abc", L""), L"abc");
}

TEST(TextWindowSize, BoundsAreInclusiveAndABadSideBecomes400) {
    struct Case {
        long w, h, nw, nh;
        bool changed;
    } cases[] = {
        {1000, 500, 400, 500, true}, {800, 600, 800, 600, false}, {400, 400, 400, 400, false},
        {399, 600, 400, 600, true},  {800, 601, 800, 400, true},  {401, 399, 401, 400, true},
        {0, 0, 400, 400, true},      {-50, 450, 400, 450, true},
    };
    for (const Case& c : cases) {
        long nw = -1, nh = -1;
        EXPECT_EQ(TextWindowSizeRule(c.w, c.h, nw, nh), c.changed) << c.w << "x" << c.h;
        EXPECT_EQ(nw, c.nw) << c.w << "x" << c.h;
        EXPECT_EQ(nh, c.nh) << c.w << "x" << c.h;
    }
}

TEST(TextWindowRestore, StaysOnAnyMonitorAndComesBackOnlyFromNowhere) {
    const Rect primary{0, 0, 1600, 1000};
    const Rect right{1600, 0, 3520, 1080};
    const Rect left{-1920, -200, 0, 880};
    struct Case {
        const char* what;
        Rect window;
        std::vector<Rect> monitors;
        bool moved;
    } cases[] = {
        {"on a second monitor to the right", {2000, 100, 2600, 600}, {primary, right}, false},
        {"on a monitor left of and above the primary", {-1500, -100, -900, 400}, {primary, left}, false},
        {"half off the primary", {-100, -50, 300, 200}, {primary}, false},
        {"below the screen (moved there to read the prompt)", {0, 1200, 600, 1700}, {primary}, true},
        {"beyond the right edge, touching it", {1600, 0, 2000, 400}, {primary}, true},
        {"where a second monitor used to be", {2000, 100, 2600, 600}, {primary}, true},
        {"no monitor known", {10, 10, 400, 400}, {}, true},
        {"an empty rectangle", {10, 10, 10, 10}, {primary}, true},
    };
    for (const Case& c : cases) {
        long x = -1, y = -1;
        EXPECT_EQ(TextWindowRestorePlace(c.window, c.monitors, x, y), c.moved) << c.what;
        EXPECT_EQ(x, c.moved ? 0 : c.window.left) << c.what;
        EXPECT_EQ(y, c.moved ? 0 : c.window.top) << c.what;
    }
}

TEST(DrawChild, BrowserPagesUnnamedDrawingsAndNonDrawings) {
    struct Case {
        const char* what;
        DrawChildFacts facts;
        bool mode, tempCut, listed;
    } cases[] = {
        {"drawing with a dialog child", {L"plan1.dwg", true, L"AcadSimView", true, false}, true, false, true},
        {"drawing with a common control only", {L"plan1.dwg", true, L"AcadSimView", false, true}, true, false, true},
        {"no dialog or common control", {L"plan1.dwg", true, L"AcadSimView", false, false}, true, false, false},
        {"untitled", {L"", true, L"AcadSimView", true, true}, false, false, false},
        {"start page, Mode true", {L"スタート", true, L"CefBrowserWindow", false, false}, true, false, false},
        {"start page, Mode false", {L"スタート", true, L"CefBrowserWindow", false, false}, false, false, true},
        {"chrome host, any case", {L"x", true, L"Chrome_WidgetWin_0", true, false}, true, false, false},
        {"Drawing1 kept without TempCut", {L"Drawing1.dwg", true, L"v", true, false}, true, false, true},
        {"Drawing1 cut with TempCut", {L"Drawing1.dwg", true, L"v", true, false}, true, true, false},
        {"lower case drawing cut too", {L"drawing2.dwg", true, L"v", true, false}, true, true, false},
        {"a name that only contains drawing", {L"mydrawing.dwg", true, L"v", true, false}, true, true, true},
    };
    for (const Case& c : cases) EXPECT_EQ(DrawChildListed(c.facts, c.mode, c.tempCut), c.listed) << c.what;
}

TEST(DiscoveryLines, WindowsVersionAndHandles) {
    const std::wstring head = L"Windowsのバ\xFF0Dジョン  ";
    EXPECT_EQ(WindowsVersionLine(10, 0), head + L"8以降");
    EXPECT_EQ(WindowsVersionLine(6, 2), head + L"8以降");
    EXPECT_EQ(WindowsVersionLine(6, 1), head + L"7");
    EXPECT_EQ(WindowsVersionLine(6, 0), head + L"Vista");
    EXPECT_EQ(WindowsVersionLine(5, 1), head + L"XP以前");
    EXPECT_EQ(HandleLine(L"プロセスID           %10d %8x", 4242),
              std::wstring(L"プロセスID           ") + L"      4242" + L" " + L"    1092");
    EXPECT_EQ(HandleLine(L"メイン               %10d %8x", 0),
              std::wstring(L"メイン               ") + L"         0" + L" " + L"       0");
    EXPECT_EQ(CandidateLine(L"AUTOCAD", L"AcadSimFrame", 65, 7, L"C:\\a\\ACAD.EXE"),
              L"\"AUTOCAD\" [Class=\"AcadSimFrame\"] [Wnd=65] [PID=7] [FileName=C:\\a\\ACAD.EXE]");
    EXPECT_EQ(ChildLine(L"Marin", L"AcadSimMarin", 12), L"\"Marin\" [Class=\"AcadSimMarin\"] [Wnd=12]");
}

TEST(DiagnosticListing, FlagsEveryWindowOfAnAutoCadProcess) {
    const std::vector<CandidateFacts> windows = {
        {L"Autodesk AutoCAD 2023 - [plan1.dwg]", 10}, {L"プロパティ", 10}, {L"メモ帳", 20},
        {L"autocad テキスト ウィンドウ", 30},            {L"", 30},           {L"Sheetbay", 40},
    };
    EXPECT_EQ(FlagAcadProcesses(windows), (std::vector<bool>{true, true, false, true, true, false}));
}

TEST(MonitorLines, LevelsSelectTheKindOfLine) {
    EXPECT_EQ(LogKindOfLevel(0), LogKind::Add);
    EXPECT_EQ(LogKindOfLevel(1), LogKind::Memo);
    EXPECT_EQ(LogKindOfLevel(2), LogKind::Report);
    EXPECT_EQ(LogKindOfLevel(3), LogKind::Confirmation);
    EXPECT_EQ(LogKindOfLevel(4), LogKind::Attention);
    EXPECT_EQ(LogKindOfLevel(5), LogKind::Warning);
    EXPECT_EQ(LogKindOfLevel(6), LogKind::Error);
    EXPECT_EQ(LogKindOfLevel(7), LogKind::Emergency);
    EXPECT_EQ(LogKindOfLevel(8), LogKind::Add);
    EXPECT_EQ(LogKindOfLevel(-1), LogKind::Add);
}
