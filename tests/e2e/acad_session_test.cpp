// Finding AutoCAD, listing its drawings, watching its dialogs and ending an operation, against the
// stand-in ACAD.EXE: the master and the automation component run in this test process.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>

#include "StandInFixture.h"
#include "acad/AcadMasterVer4.h"
#include "acad/AcadThreadVer4.h"
#include "acad/AcadVer4.h"
#include "log/LogVer4.h"
#include "unit/acad/AcadSession.h"

namespace {

using e2e_test::Running;

// The real log on a hidden host window; the tests end the operation themselves where they check it.
class Session : public acad_test::AcadSession {
public:
    Session() : AcadSession({.HostClass = L"AcadSessionTestHost", .EndAtTeardown = false}) {}

    // Waits with the component's own wait, which keeps the monitor's lines flowing.
    bool WaitFor(const std::function<bool()>& cond, DWORD timeoutMs) {
        const DWORD start = GetTickCount();
        while (!cond()) {
            if (GetTickCount() - start > timeoutMs) return false;
            acad->Wait(20);
        }
        return true;
    }
    template <class F>
    auto Monitor(F f) {
        std::lock_guard<std::mutex> lock(master->AcadLock());
        return f(master->MonitorThread());
    }
};

std::wstring ExeName(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

RECT Rect(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
}

const char* kThreeDrawings = R"({
  "release": {"year": 2023},
  "textWindow": {"visible": true, "x": 900, "y": 40, "width": 600, "height": 480},
  "drawings": [{"path": "a.dwg", "createFile": false},
               {"path": "b.dwg", "createFile": false},
               {"path": "c.dwg", "createFile": false}],
  "active": 1})";

}  // namespace

TEST(AcadDiscovery, FindsFullAutoCadItsFiveWindowsAndListsTheDrawingsActiveFirst) {
    Running r(kThreeDrawings);
    ASSERT_TRUE(r.started) << r.error;
    Session s;
    TDrawWindowListVer4 list;
    ASSERT_TRUE(s.acad->DrawWindowList(list, true, false)) << s.Dump();

    const e2e::AcadWindows& w = r.acad->windows();
    TAcadMasterVer4& m = *s.master;
    EXPECT_EQ(m.MainHandle(), w.frame);
    EXPECT_EQ(m.ViewHandle, w.mdiClient);
    EXPECT_EQ(m.TextHandle(), w.text);
    EXPECT_EQ(m.CommandHandle, w.commandLine);
    EXPECT_EQ(m.HistoryHandle, w.history);
    EXPECT_EQ(m.ProcessID(), r.acad->pid());
    EXPECT_EQ(ExeName(m.ExecPath()), L"ACAD.EXE");
    EXPECT_TRUE(m.DataCheck());
    EXPECT_EQ(m.CadVersion, 2007);

    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Get(0).Caption, L"b.dwg");  // the active drawing first
    EXPECT_EQ(list.Get(0).Handle, r.acad->drawingWindows().at(0));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(list.Get(i).Handle, r.acad->drawingWindows().at(static_cast<std::size_t>(i)));
    EXPECT_EQ(s.acad->DrawWindowCount(), 3);
    HWND active = nullptr;
    EXPECT_TRUE(s.acad->GetActiveHandle(active, true, false));
    EXPECT_EQ(active, list.Get(0).Handle);

    // Discovery lines, the candidate listing with the child trees at level 4, once per operation.
    EXPECT_TRUE(s.Has(L"AutoCADのハンドル取得開始"));
    EXPECT_TRUE(s.Has(L"AutoCADのフルパス    "));
    EXPECT_TRUE(s.Has(L"Windowsのバ\xFF0Dジョン  "));
    EXPECT_TRUE(s.Has(L"プロセスID           " ));
    EXPECT_TRUE(s.Has(L"ヒストリーウインドウ "));
    EXPECT_EQ(s.Count(L"AutoCAD候補となるウインドウの列挙"), 1) << s.Dump();
    EXPECT_TRUE(s.Has(L"[Class=\"AcadSimFrame\"]"));
    EXPECT_TRUE(s.Has(L"\"Marin\" [Class=\"AcadSimMarin\"]"));  // a child tree line
    EXPECT_TRUE(s.Has(L"ACAD.EXE]"));
}

TEST(AcadDiscovery, CandidateListingOnlyFromLevelThreeAndChildTreesOnlyAtFour) {
    Running r(kThreeDrawings);
    ASSERT_TRUE(r.started) << r.error;
    struct Case {
        int level;
        bool listing, trees;
    } cases[] = {{2, false, false}, {3, true, false}, {4, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        Session s;
        s.log->xLevelValue(c.level);
        TDrawWindowListVer4 list;
        ASSERT_TRUE(s.acad->DrawWindowList(list, true, false));
        s.master->AcadEnd();
        // Once by the search and once by the end of the operation.
        EXPECT_EQ(s.Count(L"AutoCAD候補となるウインドウの列挙"), c.listing ? 2 : 0) << s.Dump();
        EXPECT_EQ(s.Has(L"[Class=\"AcadSimFrame\"]"), c.listing);
        EXPECT_EQ(s.Has(L"\"Marin\" [Class=\"AcadSimMarin\"]"), c.trees);
    }
}

TEST(AcadDiscovery, LtExecutablesAreAcceptedAndTheRoughVersionComesFromTheTitle) {
    struct Case {
        const char* what;
        std::string release;
        const wchar_t* exe;
        int version;
        bool flag2011;
    } cases[] = {
        {"ACLT.EXE", R"({"year": 2016, "lt": true, "exe": "ACLT.EXE"})", L"ACLT.EXE", 2007, false},
        {"ACADLT.EXE", R"({"year": 2011, "lt": true, "exe": "ACADLT.EXE"})", L"ACADLT.EXE", 2011, true},
        {"2012 title", R"({"year": 2012})", L"ACAD.EXE", 2007, false},
        {"no number", R"({"year": 2023, "title": "AutoCAD"})", L"ACAD.EXE", 2011, true},
        {"ANSI frame", R"({"year": 2000})", L"ACAD.EXE", 2000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Running r(R"({"release": )" + c.release + R"(, "drawings": [{"path": "a.dwg", "createFile": false}]})");
        ASSERT_TRUE(r.started) << r.error;
        Session s;
        TDrawWindowListVer4 list;
        ASSERT_TRUE(s.acad->DrawWindowList(list, true, false)) << s.Dump();
        EXPECT_EQ(s.master->MainHandle(), r.acad->windows().frame);
        EXPECT_EQ(s.master->TextHandle(), r.acad->windows().text);
        EXPECT_EQ(ExeName(s.master->ExecPath()), c.exe);
        EXPECT_EQ(s.master->CadVersion, c.version);
        EXPECT_EQ(s.master->Version2011Flag, c.flag2011);
        ASSERT_EQ(list.Count(), 1);
        EXPECT_EQ(list.Get(0).Caption, L"a.dwg");
    }
}

TEST(AcadDiscovery, OfTwoAutoCadsTheHigherInZOrderWinsWithItsOwnTextWindow) {
    Running first(kThreeDrawings);
    ASSERT_TRUE(first.started) << first.error;
    Running second(R"({"release": {"year": 2018}, "drawings": [{"path": "z.dwg", "createFile": false}]})");
    ASSERT_TRUE(second.started) << second.error;
    for (Running* top : {&first, &second}) {
        Running* other = top == &first ? &second : &first;
        // Our own raise: the other's text window above, this frame above everything.
        SetWindowPos(other->acad->windows().text, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetWindowPos(top->acad->windows().frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        Session s;
        TDrawWindowListVer4 list;
        ASSERT_TRUE(s.acad->DrawWindowList(list, true, false)) << s.Dump();
        EXPECT_EQ(s.master->MainHandle(), top->acad->windows().frame);
        EXPECT_EQ(s.master->TextHandle(), top->acad->windows().text);
        EXPECT_EQ(s.master->ProcessID(), top->acad->pid());
        EXPECT_EQ(list.Count(), top == &first ? 3 : 1);
    }
}

TEST(AcadDiscovery, BrowserPageLeftOutInModeTrueAndUnnamedDrawingsCutOnlyWithTempCut) {
    Running r(R"({"startPage": true,
      "drawings": [{"path": "a.dwg", "createFile": false}, {"path": ""}], "active": 0})");
    ASSERT_TRUE(r.started) << r.error;
    Session s;
    struct Case {
        bool mode, tempCut;
        std::vector<std::wstring> captions;
    } cases[] = {
        {true, false, {L"a.dwg", L"Drawing1.dwg"}},
        {false, false, {L"a.dwg", L"Drawing1.dwg", L"スタート"}},
        {true, true, {L"a.dwg"}},
    };
    for (const Case& c : cases) {
        TDrawWindowListVer4 list;
        ASSERT_TRUE(s.acad->DrawWindowList(list, c.mode, c.tempCut)) << s.Dump();
        std::vector<std::wstring> captions;
        for (const TDrawWindowVer4& d : list) captions.push_back(d.Caption);
        std::sort(captions.begin(), captions.end());
        std::vector<std::wstring> expected = c.captions;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(captions, expected) << c.mode << c.tempCut;
        EXPECT_EQ(list.Get(0).Caption, L"a.dwg");
    }
}

TEST(AcadEnd, TextWindowGoesBackToWhereItWasAtTheFirstSearchOrToTheOriginWhenThatWasOffScreen) {
    struct Case {
        const char* what;
        int x, y;
        POINT expected;
        const wchar_t* line;
    } cases[] = {
        {"off-screen place", 3000, 2500, {0, 0}, L"テキストウインドウの元々の場所が画面外なので画面内で移動させます。。"},
        {"on-screen place", 700, 40, {700, 40}, L"テキストウインドウの場所を元に戻します。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Running r(R"({"textWindow": {"visible": true, "x": )" + std::to_string(c.x) + R"(, "y": )" + std::to_string(c.y) +
                  R"(, "width": 600, "height": 480}, "drawings": [{"path": "a.dwg", "createFile": false}]})");
        ASSERT_TRUE(r.started) << r.error;
        HWND text = r.acad->windows().text;
        Session s;
        TDrawWindowListVer4 list;
        ASSERT_TRUE(s.acad->DrawWindowList(list, true, false));
        // The run moves the text window (as a prompt read does), then searches once more: that
        // place is ours and must not be remembered as the user's.
        SetWindowPos(text, nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        s.master->Claer2();
        ASSERT_TRUE(s.acad->DrawWindowList(list, true, false));
        s.master->AcadEnd();
        EXPECT_TRUE(s.Has(c.line)) << s.Dump();
        EXPECT_TRUE(s.Has(L"最後のプロンプト → "));
        ASSERT_TRUE(e2e::waitUntil([&] {
            RECT rc = Rect(text);
            return rc.left == c.expected.x && rc.top == c.expected.y;
        }, 3000)) << Rect(text).left << "," << Rect(text).top;
        EXPECT_EQ(Rect(text).right - Rect(text).left, 600);
        EXPECT_EQ(Rect(text).bottom - Rect(text).top, 480);
    }
}

TEST(AcadMonitor, AnswersTheStandInsDialogsAndResizesASmallTextWindow) {
    Running r(R"({
      "textWindow": {"visible": true, "x": 900, "y": 40, "width": 300, "height": 200},
      "drawings": [{"path": "a.dwg", "createFile": false}],
      "dialogs": [
        {"id": "proxy", "trigger": "start", "title": "プロキシ情報", "body": ["カスタム オブジェクトが含まれています。"],
         "checkbox": "今後このメッセージを表示しない", "buttons": [{"text": "OK", "id": 1}]},
        {"id": "protect", "trigger": "start", "title": "AutoCAD メッセージ", "body": ["a.dwg は書き込み禁止です。"],
         "buttons": [{"text": "OK", "id": 1}]},
        {"id": "fatal", "trigger": "start", "title": "FATAL ERROR", "body": ["続けますか?"],
         "buttons": [{"text": "はい", "id": 6}, {"text": "いいえ", "id": 7}]}]})");
    ASSERT_TRUE(r.started) << r.error;
    Session s;
    TDrawWindowListVer4 list;
    ASSERT_TRUE(s.acad->DrawWindowList(list, true, false)) << s.Dump();
    auto closedBy = [&](const char* id) -> std::string {
        const nlohmann::json state = r.state();
        for (const auto& d : state["dialogs"])
            if (d.value("id", "") == id && d.contains("closedBy") && d["closedBy"].is_string()) return d["closedBy"];
        return "";
    };
    ASSERT_TRUE(s.WaitFor([&] { return !closedBy("proxy").empty() && !closedBy("protect").empty() && !closedBy("fatal").empty(); },
                          10000))
        << r.state().dump() << s.Dump();
    EXPECT_EQ(closedBy("proxy"), "IDOK");
    const nlohmann::json state = r.state();
    for (const auto& d : state["dialogs"]) {
        if (d.value("id", "") == "proxy") {
            EXPECT_EQ(d["checkbox"], true);
        }
    }
    EXPECT_EQ(closedBy("fatal"), "IDYES");
    EXPECT_TRUE(s.Monitor([](TAcadMonitorThreadVer4& m) { return m.FileSaveErrorFlag; }));
    ASSERT_TRUE(s.WaitFor([&] { return s.Has(L"書き込み禁止ダイアログを発見しました。ダイアログを閉じます"); }, 3000));
    EXPECT_TRUE(s.Has(L"プロキシ情報ダイアログを発見しました。表示しないを選択してダイアログを閉じます。"));
    EXPECT_TRUE(s.Has(L"FATAL ERRORダイアログを発見しました。ダイアログを閉じます。"));

    HWND text = r.acad->windows().text;
    ASSERT_TRUE(s.WaitFor([&] { return Rect(text).right - Rect(text).left == 400; }, 3000));
    EXPECT_EQ(Rect(text).bottom - Rect(text).top, 400);
    EXPECT_TRUE(s.Has(L"テキストウインドウが不適切と判断しました。サイズを調整します。"));
    EXPECT_TRUE(s.acad->OpenWindowWait(1, false));
}

TEST(AcadMonitor, SaveQuestionMakesOpenWindowWaitFailAfterFiveSightingsAndStopEndsAWait) {
    Running r(R"({
      "drawings": [{"path": "a.dwg", "createFile": false}],
      "dialogs": [{"id": "save", "trigger": "start", "title": "AutoCAD", "body": ["a.dwg への変更を保存しますか?"],
                   "buttons": [{"text": "はい", "id": 6}, {"text": "いいえ", "id": 7}]}]})");
    ASSERT_TRUE(r.started) << r.error;
    Session s;
    TDrawWindowListVer4 list;
    ASSERT_TRUE(s.acad->DrawWindowList(list, true, false)) << s.Dump();
    ASSERT_TRUE(s.WaitFor([&] { return s.Monitor([](TAcadMonitorThreadVer4& m) { return m.EndErrorFlag; }); }, 3000));
    DWORD t0 = GetTickCount();
    EXPECT_FALSE(s.acad->OpenWindowWait(1, true));
    EXPECT_GE(GetTickCount() - t0, 350u);
    EXPECT_TRUE(s.Has(L"ErrorEndCountにより終了"));
    EXPECT_FALSE(s.Monitor([](TAcadMonitorThreadVer4& m) { return m.EndErrorFlag; }));
    EXPECT_EQ(s.Count(L"保存しますかダイアログを発見しました。中断します。"), 1);
    EXPECT_NE(e2e::findTopLevel(r.acad->pid(), L"#32770"), nullptr);  // never answered

    // Stop pressed before the wait: it ends at its first step.
    s.log->Breaking();
    t0 = GetTickCount();
    EXPECT_FALSE(s.acad->OpenWindowWait(1, false));
    EXPECT_LT(GetTickCount() - t0, 200u);
}
