// The stand-in driven only through AutoCAD's channel: WM_COPYDATA in, the command line and
// history windows and the clipboard (WM_COMMAND 32781) out, plus the files it writes.
#include "StandInFixture.h"

#include <functional>

using e2e_test::contains;
using e2e_test::joined;

namespace {

const char* kScenario = R"({
  "release": {"year": 2023},
  "frame": {"x": 0, "y": 0, "width": 1000, "height": 700},
  "textWindow": {"x": 1010, "y": 0, "width": 560, "height": 600},
  "sysvars": {"FILEDIA": "1"},
  "drawings": [
    {"path": "plan1.dwg", "window": {"x": 0, "y": 0, "width": 500, "height": 360},
     "model": {"limits": [0, 0, 200, 300], "extents": [10, 20, 60, 120],
               "view": {"center": [0, 0], "height": 10}},
     "layouts": [{"name": "Plan B", "tabOrder": 1},
                 {"name": "Plan A", "tabOrder": 2, "centerZoom": false, "plotSettingsName": "A3 横"},
                 {"name": "詳細", "tabOrder": 3}]},
    {"path": "readonly.dwg", "readOnly": true},
    {"path": ""}
  ],
  "active": 0
})";

class AcadsimChannel : public ::testing::Test {
protected:
    static void SetUpTestSuite() { running_ = new e2e_test::Running(kScenario); }
    static void TearDownTestSuite() {
        delete running_;
        running_ = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(running_->started) << running_->error;
        // Every test starts at the command prompt of plan1.dwg's model tab.
        activate(0);
        acad().send(L"\x03");
        ASSERT_TRUE(acad().waitCommandLine(L"コマンド: "));
        run(L"_-LAYOUT\rS\rModel\r");
    }

    static e2e::StandIn& acad() { return *running_->acad; }
    static std::wstring dir() { return running_->dir.path(); }
    static nlohmann::json state() { return running_->state(); }

    std::vector<std::wstring> run(const std::wstring& text) {
        std::vector<std::wstring> added;
        EXPECT_TRUE(acad().run(text, added)) << e2e::toUtf8(text) << " -> " << e2e::toUtf8(acad().commandLine());
        return added;
    }
    std::wstring lastLine(const std::wstring& text) {
        auto added = run(text);
        return added.empty() ? L"" : added.back();
    }
    // As a click on the drawing does: the MDI client activates the child.
    void activate(size_t drawing) {
        HWND child = childOf(drawing);
        ASSERT_NE(child, nullptr);
        SendMessageW(acad().windows().mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
        ASSERT_TRUE(e2e::waitUntil([&] { return state()["current"] == static_cast<int>(drawing); }, 3000));
    }
    HWND childOf(size_t drawing) {
        std::wstring title = e2e::fromUtf8(state()["drawings"][drawing]["title"].get<std::string>());
        for (HWND w : acad().drawingWindows())
            if (e2e::windowText(w) == title) return w;
        return nullptr;
    }
    bool waitPrompt(const std::wstring& prefix) {
        return e2e::waitUntil([&] { return acad().commandLine().rfind(prefix, 0) == 0; }, 5000);
    }

    static e2e_test::Running* running_;
};

e2e_test::Running* AcadsimChannel::running_ = nullptr;

TEST_F(AcadsimChannel, WindowsAreFoundAsAutoCADsAre) {
    const e2e::AcadWindows& w = acad().windows();
    EXPECT_EQ(e2e::windowText(w.frame), L"Autodesk AutoCAD 2023 - [plan1.dwg]");
    EXPECT_TRUE(IsWindowUnicode(w.frame));
    EXPECT_EQ(e2e::windowText(w.text), L"AutoCAD テキスト ウィンドウ - plan1.dwg");
    EXPECT_EQ(e2e::windowText(GetParent(w.commandLine)), L"Marin");
    EXPECT_EQ(acad().commandLine(), L"コマンド: ");
    auto drawings = acad().drawingWindows();
    ASSERT_EQ(drawings.size(), 3u);
    EXPECT_EQ(e2e::windowText(drawings[0]), L"plan1.dwg");  // the active one first
    for (HWND d : drawings) {
        bool commonControl = false;
        for (HWND c : e2e::children(d)) commonControl = commonControl || e2e::className(c).find(L"msctls") != std::wstring::npos;
        EXPECT_TRUE(commonControl) << e2e::toUtf8(e2e::windowText(d));
    }
    EXPECT_EQ(state()["exe"], "ACAD.EXE");
    // Maximised, the MDI frame adds the drawing's name itself: still one "[plan1.dwg]".
    SendMessageW(w.mdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(drawings[0]), 0);
    EXPECT_EQ(e2e::windowText(w.frame), L"Autodesk AutoCAD 2023 - [plan1.dwg]");
    SendMessageW(w.mdiClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(drawings[0]), 0);
    EXPECT_EQ(e2e::windowText(w.frame), L"Autodesk AutoCAD 2023 - [plan1.dwg]");
}

TEST_F(AcadsimChannel, ZoomChangesTheViewAsVariablesShow) {
    struct Step {
        const wchar_t* zoom;
        const wchar_t* centre;
        const wchar_t* size;
    } steps[] = {
        {L"_Zoom\rE\r", L"VIEWCTR = 35.0000,70.0000,0.0000 (読み込み専用)", L"VIEWSIZE = 100.0000 (読み込み専用)"},
        {L"_Zoom\rA\r", L"VIEWCTR = 100.0000,150.0000,0.0000 (読み込み専用)", L"VIEWSIZE = 300.0000 (読み込み専用)"},
        {L"_Zoom\rP\r", L"VIEWCTR = 35.0000,70.0000,0.0000 (読み込み専用)", L"VIEWSIZE = 100.0000 (読み込み専用)"},
        {L"_Zoom\rC\r5.5,-6\r42\r", L"VIEWCTR = 5.5000,-6.0000,0.0000 (読み込み専用)", L"VIEWSIZE = 42.0000 (読み込み専用)"},
    };
    for (const auto& s : steps) {
        run(s.zoom);
        EXPECT_EQ(lastLine(L"VIEWCTR\r"), s.centre) << e2e::toUtf8(s.zoom);
        EXPECT_EQ(lastLine(L"VIEWSIZE\r"), s.size) << e2e::toUtf8(s.zoom);
    }
    // The centre option is offered in the ZOOM prompt, and withheld on Plan A.
    acad().send(L"_Zoom\r");
    ASSERT_TRUE(waitPrompt(L"[図面全体(A)/中心(C)/"));
    acad().send(L"\x03");
    run(L"_-LAYOUT\rS\rPlan A\r");
    acad().send(L"_Zoom\r");
    ASSERT_TRUE(waitPrompt(L"[図面全体(A)/ダイナミック(D)/"));
    acad().send(L"C\r");
    ASSERT_TRUE(e2e::waitUntil([&] { return acad().history().find(L"点またはオプション キーワードが必要です。") != std::wstring::npos; }, 3000));
    acad().send(L"\x03");
    ASSERT_TRUE(acad().waitCommandLine(L"コマンド: "));
    EXPECT_EQ(state()["drawings"][0]["currentTab"], "Plan A");
}

TEST_F(AcadsimChannel, VariablesReadOnlyWritableAndFiledia) {
    EXPECT_EQ(lastLine(L"DWGTITLED\r"), L"DWGTITLED = 1 (読み込み専用)");
    EXPECT_EQ(lastLine(L"EXTMAX\r"), L"EXTMAX = 60.0000,120.0000,0.0000 (読み込み専用)");
    acad().send(L"FILEDIA\r");
    ASSERT_TRUE(acad().waitCommandLine(L"FILEDIA の新しい値を入力 <1>: "));
    acad().send(L"5\r");
    ASSERT_TRUE(e2e::waitUntil([&] { return acad().history().find(L"値は 0 から 1 の範囲でなければなりません。") != std::wstring::npos; }, 3000));
    EXPECT_EQ(acad().commandLine(), L"FILEDIA の新しい値を入力 <1>: ");
    acad().send(L"0\r");
    ASSERT_TRUE(acad().waitCommandLine(L"コマンド: "));
    acad().send(L"FILEDIA\r");
    EXPECT_TRUE(acad().waitCommandLine(L"FILEDIA の新しい値を入力 <0>: "));
    acad().send(L"1\r");
    ASSERT_TRUE(acad().waitCommandLine(L"コマンド: "));
    EXPECT_EQ(state()["sysvars"]["FILEDIA"], "1");
}

TEST_F(AcadsimChannel, CancelUnknownCommandAndHistoryThroughTheClipboard) {
    acad().send(L"_-LAYOUT\r");
    ASSERT_TRUE(waitPrompt(L"レイアウト オプションを入力"));
    auto before = e2e::splitLines(acad().history()).size();
    acad().send(L"\x03");
    ASSERT_TRUE(acad().waitCommandLine(L"コマンド: "));
    auto lines = e2e::splitLines(acad().history());
    ASSERT_GT(lines.size(), before);
    EXPECT_NE(lines.back().find(L"*キャンセル*"), std::wstring::npos);
    EXPECT_EQ(lastLine(L"FOO\r"), L"不明なコマンド \"FOO\"。F1 キーを押すとヘルプを表示します。");

    // The listing of -LAYOUT ?, read as Sheetbay reads it: whole lines from the clipboard.
    acad().send(L"_-LAYOUT\r?\r\x03");
    ASSERT_TRUE(acad().waitCommandLine(L"コマンド: "));
    std::wstring clip;
    ASSERT_TRUE(acad().copyHistory(clip));
    EXPECT_EQ(GetClipboardOwner(), acad().windows().text);
    auto all = e2e::splitLines(clip);
    ASSERT_GE(all.size(), 6u);
    EXPECT_EQ(all.back(), L"コマンド: ");
    size_t head = all.size();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i] == L"アクティブなレイアウト: モデル") head = i;
    ASSERT_LT(head + 3, all.size()) << e2e::toUtf8(clip);
    EXPECT_EQ(all[head + 1].rfind(L"レイアウト: Plan A ", 0), 0u);
    EXPECT_EQ(all[head + 2].rfind(L"レイアウト: Plan B ", 0), 0u);
    EXPECT_EQ(all[head + 3].rfind(L"レイアウト: 詳細 ", 0), 0u);
    EXPECT_NE(all[head + 3].find(L"ブロック名: *PAPER_SPACE"), std::wstring::npos);
}

TEST_F(AcadsimChannel, LayoutSetPlotPromptAndPaperSpace) {
    run(L"_-LAYOUT\rS\rplan b\r");
    acad().send(L"_-PLOT\rN\r");
    EXPECT_TRUE(acad().waitCommandLine(L"レイアウト名を入力 または [?] <Plan B>: "));
    acad().send(L"\x03");
    EXPECT_EQ(lastLine(L"_PSPACE\r"), L"既にペーパー空間にいます。");
    run(L"_-LAYOUT\rS\rモデル\r");
    acad().send(L"_-PLOT\rN\r");
    EXPECT_TRUE(acad().waitCommandLine(L"レイアウト名を入力 または [?] <モデル>: "));
    acad().send(L"\x03");
    EXPECT_EQ(lastLine(L"_PSPACE\r"), L"** コマンドはモデル タブでは使用できません **");
}

TEST_F(AcadsimChannel, SaveAsInPlaceNewNameAndBadPath) {
    run(L"FILEDIA\r0\r");
    std::wstring plan1 = dir() + L"\\plan1.dwg";
    acad().send(L"_SAVEAS\r");
    ASSERT_TRUE(waitPrompt(L"ファイル形式を入力 [R14(LT98&LT97)/2000(LT2000)/"));
    acad().send(L"\r");
    ASSERT_TRUE(acad().waitCommandLine(L"図面に名前を付けて保存 <" + plan1 + L">: "));
    acad().send(L"\r");
    ASSERT_TRUE(acad().waitCommandLine(L"置き換えますか? [はい(Y)/いいえ(N)] <N>: "));
    auto filesBefore = state()["files"].size();
    acad().send(L"Y\r");
    ASSERT_TRUE(acad().waitCommandLine(L"コマンド: "));
    std::string bytes;
    ASSERT_TRUE(e2e::readTextFile(plan1, bytes));
    EXPECT_EQ(bytes.rfind("AC1032", 0), 0u);
    EXPECT_EQ(state()["files"].size(), filesBefore + 1);

    std::wstring renamed = dir() + L"\\改訂 plan1.dwg";
    run(L"_SAVEAS\r2010\r" + renamed + L"\r");
    ASSERT_TRUE(e2e::readTextFile(renamed, bytes));
    EXPECT_EQ(bytes.rfind("AC1024", 0), 0u);
    EXPECT_EQ(e2e::windowText(acad().windows().frame), L"Autodesk AutoCAD 2023 - [改訂 plan1.dwg]");
    EXPECT_EQ(e2e::windowText(acad().windows().text), L"AutoCAD テキスト ウィンドウ - 改訂 plan1.dwg");
    EXPECT_EQ(e2e::windowText(acad().drawingWindows()[0]), L"改訂 plan1.dwg");

    auto added = run(L"_SAVEAS\r\rQ:\\どこにもない\\x.dwg\r");
    ASSERT_GE(added.size(), 2u);
    EXPECT_NE(added[added.size() - 2].find(L"Q:\\どこにもない\\x.dwg"), std::wstring::npos);
    EXPECT_EQ(added.back(), L"ファイル名が無効です。");
    EXPECT_FALSE(e2e::fileExists(L"Q:\\どこにもない\\x.dwg"));
    run(L"_SAVEAS\r\r" + plan1 + L"\rY\r");  // back under its own name for the other tests
    run(L"FILEDIA\r1\r");
}

TEST_F(AcadsimChannel, ReadOnlyFileRaisesTheWriteProtectionDialog) {
    activate(1);
    EXPECT_EQ(e2e::windowText(acad().windows().text), L"AutoCAD テキスト ウィンドウ - readonly.dwg");
    run(L"FILEDIA\r0\r");
    acad().send(L"_SAVEAS\r\r\rY\r");
    HWND dialog = acad().waitDialog(L"AutoCAD");
    ASSERT_NE(dialog, nullptr);
    std::wstring body;
    for (HWND c : e2e::children(dialog)) body += e2e::windowText(c);
    EXPECT_NE(body.find(L"書き込み禁止"), std::wstring::npos);
    EXPECT_FALSE(IsWindowEnabled(acad().windows().frame));  // modal
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);                // as the watcher answers it
    ASSERT_TRUE(acad().waitCommandLine(L"コマンド: "));
    EXPECT_EQ(e2e::splitLines(acad().history()).back(), L"図面は保存されませんでした。");
    auto dialogs = state()["dialogs"];
    ASSERT_FALSE(dialogs.empty());
    EXPECT_EQ(dialogs.back()["id"], "writeprotect");
    EXPECT_EQ(dialogs.back()["closedBy"], "IDOK");
    EXPECT_TRUE(IsWindowEnabled(acad().windows().frame));
    run(L"FILEDIA\r1\r");
}

TEST_F(AcadsimChannel, ActivationMakesADrawingCurrentForTheCommandLine) {
    acad().send(L"_Zoom\r");  // left half-answered in plan1
    ASSERT_TRUE(waitPrompt(L"[図面全体(A)"));
    HWND unsaved = childOf(2);
    ASSERT_NE(unsaved, nullptr);
    // BringWindowToTop on an MDI child activates it, as Sheetbay's activation does.
    BringWindowToTop(unsaved);
    SetForegroundWindow(unsaved);
    ASSERT_TRUE(e2e::waitUntil([&] { return state()["current"] == 2; }, 3000));
    EXPECT_EQ(acad().commandLine(), L"コマンド: ");
    EXPECT_EQ(e2e::windowText(acad().windows().text), L"AutoCAD テキスト ウィンドウ - Drawing1.dwg");
    EXPECT_EQ(lastLine(L"DWGTITLED\r"), L"DWGTITLED = 0 (読み込み専用)");
    EXPECT_EQ(acad().drawingWindows()[0], unsaved);
    activate(0);
    EXPECT_EQ(acad().commandLine().rfind(L"[図面全体(A)", 0), 0u);  // plan1's own command line
    EXPECT_EQ(acad().history().find(L"DWGTITLED = 0"), std::wstring::npos);

    // A real mouse click into another drawing's view.
    HWND view = GetWindow(childOf(1), GW_CHILD);
    RECT r;
    ASSERT_TRUE(GetWindowRect(view, &r));
    POINT p{-1, -1};  // a point where that view is not covered by another drawing
    for (int y = r.bottom - 5; y > r.top && p.x < 0; y -= 10)
        for (int x = r.right - 5; x > r.left && p.x < 0; x -= 10)
            if (WindowFromPoint(POINT{x, y}) == view) p = POINT{x, y};
    ASSERT_GE(p.x, 0);
    SetCursorPos(p.x, p.y);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(SendInput(2, clicks, sizeof(INPUT)), 2u);
    ASSERT_TRUE(e2e::waitUntil([&] { return state()["current"] == 1; }, 3000));
    EXPECT_EQ(e2e::windowText(acad().windows().text), L"AutoCAD テキスト ウィンドウ - readonly.dwg");
    EXPECT_EQ(acad().commandLine(), L"コマンド: ");
}

TEST_F(AcadsimChannel, DxfOutWritesTheLayoutsForAnIndependentReader) {
    run(L"FILEDIA\r0\r");
    std::wstring target = dir() + L"\\plan1.dxf";
    acad().send(L"_DXFOUT\r");
    ASSERT_TRUE(acad().waitCommandLine(L"図面に名前を付けて保存 <" + target + L">: "));
    acad().send(target + L"\r");
    ASSERT_TRUE(waitPrompt(L"精度として小数点以下の桁数を入力 (0 から 16) または [オブジェクト(O)/バージョン(V)/バイナリ(B)] <16>:"));
    acad().send(L"V\r");
    ASSERT_TRUE(acad().waitCommandLine(L"バージョンを入力 [2018/2013/2010/2007/2004/2000/R12] <2018>: "));
    run(L"2018\r\r");
    std::string dxf;
    ASSERT_TRUE(e2e::readTextFile(target, dxf));
    EXPECT_NE(dxf.find("AC1032"), std::string::npos);
    run(L"FILEDIA\r1\r");
    // Kept for the ezdxf check, which runs natively after this test.
    std::wstring out = e2e_test::outFolder();
    CreateDirectoryW(out.c_str(), nullptr);
    ASSERT_TRUE(e2e::writeTextFile(out + L"\\dxfout.dxf", dxf));
    nlohmann::json expected;
    using nlohmann::json;
    expected["layouts"] = json::array({json::array({"Model", 0}), json::array({"Plan B", 1}),
                                       json::array({"Plan A", 2}), json::array({"詳細", 3})});
    expected["plotSettings"] = json::object({{"Plan A", "A3 横"}});
    ASSERT_TRUE(e2e::writeTextFile(out + L"\\dxfout-expected.json", expected.dump()));
}

}  // namespace

// Timing, window states and command plans, each on a stand-in of its own scenario.
namespace {

using e2e_test::Running;

nlohmann::json waitState(Running& r, const std::function<bool(const nlohmann::json&)>& ready, DWORD timeoutMs = 5000) {
    nlohmann::json s;
    e2e::waitUntil(
        [&] {
            s = r.state();
            return s.is_object() && ready(s);
        },
        timeoutMs);
    return s;
}

bool historyHas(e2e::StandIn& acad, const std::wstring& part) {
    return acad.history().find(part) != std::wstring::npos;
}

TEST(AcadsimTiming, EchoShowsWhileEnterWaitsThenTheAnswerAndCancelInOrder) {
    Running r(R"({"latency": {"commandMs": 1000, "jitterMs": 0, "activationMs": 0},
                  "drawings": [{"path": "a.dwg"}]})");
    ASSERT_TRUE(r.started) << r.error;
    e2e::StandIn& acad = *r.acad;
    // A blank at the command prompt is Enter as well, held just as long.
    for (const wchar_t* typed : {L"VIEWSIZE\r", L"VIEWSIZE "}) {
        auto before = e2e::splitLines(acad.history()).size();
        DWORD start = GetTickCount();
        ASSERT_TRUE(acad.send(typed));
        ASSERT_TRUE(acad.waitCommandLine(L"コマンド: VIEWSIZE")) << e2e::toUtf8(acad.commandLine());
        EXPECT_EQ(e2e::splitLines(acad.history()).size(), before) << "answered before the latency";
        ASSERT_TRUE(e2e::waitUntil([&] { return e2e::splitLines(acad.history()).size() > before; }, 5000));
        EXPECT_GE(GetTickCount() - start, 1000u);
        auto lines = e2e::splitLines(acad.history());
        EXPECT_EQ(lines.back().rfind(L"VIEWSIZE = ", 0), 0u) << e2e::toUtf8(lines.back());
        EXPECT_TRUE(acad.waitCommandLine(L"コマンド: "));
    }
    // The cancel sent right behind a held Enter waits its turn: it cancels the prompt that Enter opens.
    ASSERT_TRUE(acad.send(L"_ZOOM\r\x03"));
    ASSERT_TRUE(acad.waitCommandLine(L"コマンド: _ZOOM"));
    ASSERT_TRUE(acad.waitIdle());
    auto lines = e2e::splitLines(acad.history());
    ASSERT_GE(lines.size(), 2u);
    EXPECT_NE(lines.back().find(L"<リアルタイム>: *キャンセル*"), std::wstring::npos) << e2e::toUtf8(lines.back());
    EXPECT_EQ(r.state()["commands"].back()["end"], "cancelled");
}

TEST(AcadsimTiming, BusyPeriodLeavesWindowTextUnansweredThenTheCommandAnswers) {
    // The second command of the session, whichever it is, keeps the stand-in busy.
    Running r(R"({"latency": {"commandMs": 0, "jitterMs": 0, "activationMs": 0},
                  "busy": [{"run": 2, "ms": 4000}], "drawings": [{"path": "a.dwg"}]})");
    ASSERT_TRUE(r.started) << r.error;
    e2e::StandIn& acad = *r.acad;
    std::vector<std::wstring> added;
    ASSERT_TRUE(acad.run(L"DWGTITLED\r", added));
    EXPECT_EQ(r.state()["busy"], false);
    ASSERT_TRUE(acad.send(L"VIEWSIZE\r"));
    auto busy = waitState(r, [](const nlohmann::json& s) { return s["busy"] == true; });
    ASSERT_EQ(busy["busy"], true);
    EXPECT_EQ(busy["drawings"][0]["commandLine"], "コマンド: VIEWSIZE");  // the echo, shown before it blocked
    EXPECT_EQ(busy["pending"], 1);                                       // the Enter, not yet taken
    wchar_t buf[256] = {};
    DWORD_PTR got = 0;
    DWORD start = GetTickCount();
    EXPECT_EQ(SendMessageTimeoutW(acad.windows().commandLine, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buf),
                                  SMTO_NORMAL, 1000, &got),
              0);
    EXPECT_GE(GetTickCount() - start, 900u);
    ASSERT_TRUE(e2e::waitUntil([&] { return historyHas(acad, L"VIEWSIZE = "); }, 8000));
    ASSERT_TRUE(acad.waitIdle());
    EXPECT_EQ(acad.commandLine(), L"コマンド: ");
    EXPECT_EQ(r.state()["commands"].back()["name"], "VIEWSIZE");
}

TEST(AcadsimTiming, HangAtTheStartOrAtAnAnswerAfterTheCommandAnswered) {
    struct Case {
        const char* hang;
        const wchar_t* typed;
        const wchar_t* shownAfter;  // what the command line shows once the hang is over
    } cases[] = {
        {R"({"command": "SAVEAS", "ms": 1500})", L"_SAVEAS\r", L"ファイル形式を入力"},
        {R"({"command": "SAVEAS", "atAnswer": 1, "ms": 1500})", L"_SAVEAS\r2010\r", L"図面に名前を付けて保存"},
    };
    for (const auto& c : cases) {
        Running r(std::string(R"({"sysvars": {"FILEDIA": "0"}, "drawings": [{"path": "a.dwg"}], "hang": )") + c.hang + "}");
        ASSERT_TRUE(r.started) << r.error;
        e2e::StandIn& acad = *r.acad;
        auto answers = [&] {
            DWORD_PTR result = 0;
            return SendMessageTimeoutW(acad.windows().frame, WM_NULL, 0, 0, SMTO_NORMAL, 200, &result) != 0;
        };
        ASSERT_TRUE(acad.send(c.typed));
        auto hung = waitState(r, [](const nlohmann::json& s) { return s["busy"] == true; });
        ASSERT_EQ(hung["busy"], true) << c.hang;
        // The prompt the hanging step opened was written before the thread stopped.
        EXPECT_EQ(e2e::fromUtf8(hung["drawings"][0]["commandLine"].get<std::string>()).rfind(c.shownAfter, 0), 0u) << c.hang;
        EXPECT_FALSE(answers()) << c.hang;
        EXPECT_TRUE(e2e::waitUntil(answers, 5000)) << c.hang;
        EXPECT_TRUE(e2e::waitUntil([&] { return acad.commandLine().rfind(c.shownAfter, 0) == 0; }, 3000)) << c.hang;
    }
}

TEST(AcadsimWindows, MaximisedMinimisedAndActiveAsTheScenarioSays) {
    struct Case {
        const char* drawings;
        int active;
        bool maximized[3], minimized[3];
    } cases[] = {
        {R"([{"path": "a.dwg", "maximized": true}, {"path": "b.dwg"}, {"path": "c.dwg", "minimized": true}])", 0,
         {true, false, false}, {false, false, true}},
        {R"([{"path": "a.dwg"}, {"path": "b.dwg"}, {"path": "c.dwg", "minimized": true}])", 1,
         {false, false, false}, {false, false, true}},
        {R"([{"path": "a.dwg", "minimized": true}, {"path": "b.dwg", "minimized": true}, {"path": "c.dwg"}])", 1,
         {false, false, false}, {true, true, false}},
    };
    for (const auto& c : cases) {
        std::string scenario = std::string(R"({"drawings": )") + c.drawings + R"(, "active": )" + std::to_string(c.active) + "}";
        Running r(scenario);
        ASSERT_TRUE(r.started) << r.error;
        e2e::StandIn& acad = *r.acad;
        ASSERT_TRUE(acad.waitIdle());
        auto s = r.state();
        EXPECT_EQ(s["current"], c.active) << scenario;
        const wchar_t* names[] = {L"a.dwg", L"b.dwg", L"c.dwg"};
        HWND mdiActive = reinterpret_cast<HWND>(SendMessageW(acad.windows().mdiClient, WM_MDIGETACTIVE, 0, 0));
        EXPECT_EQ(e2e::windowText(mdiActive), names[c.active]) << scenario;
        for (int i = 0; i < 3; ++i) {
            HWND child = e2e::findChildByCaption(acad.windows().mdiClient, names[i]);
            ASSERT_NE(child, nullptr) << scenario;
            EXPECT_EQ(IsZoomed(child) != FALSE, c.maximized[i]) << scenario << " drawing " << i;
            EXPECT_EQ(IsIconic(child) != FALSE, c.minimized[i]) << scenario << " drawing " << i;
        }
        EXPECT_NE(e2e::windowText(acad.windows().frame).find(std::wstring(L"[") + names[c.active] + L"]"), std::wstring::npos);
        EXPECT_EQ(e2e::windowText(acad.windows().text), std::wstring(L"AutoCAD テキスト ウィンドウ - ") + names[c.active]);
    }
}

TEST(AcadsimDialogs, CommandDialogOnTheSecondRunAndOnOneDrawingOnly) {
    Running r(R"({"drawings": [{"path": "a.dwg"}, {"path": "b.dwg"}], "active": 0,
      "dialogs": [
        {"id": "second", "trigger": "command", "command": "VIEWSIZE", "run": 2, "times": 5, "title": "二回目"},
        {"id": "onB", "trigger": "command", "command": "DWGTITLED", "drawing": 1, "times": 5, "title": "図面B"}]})");
    ASSERT_TRUE(r.started) << r.error;
    e2e::StandIn& acad = *r.acad;
    std::vector<std::wstring> added;
    auto answeredWithDialog = [&](const wchar_t* command, const wchar_t* title) {
        ASSERT_TRUE(acad.send(std::wstring(command) + L"\r"));
        HWND dialog = acad.waitDialog(title);
        ASSERT_NE(dialog, nullptr) << e2e::toUtf8(command);
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        // The command goes on once the dialog is closed.
        EXPECT_TRUE(e2e::waitUntil(
            [&] { return e2e::splitLines(acad.history()).back().rfind(std::wstring(command) + L" = ", 0) == 0; }, 5000));
    };
    ASSERT_TRUE(acad.run(L"VIEWSIZE\r", added));
    answeredWithDialog(L"VIEWSIZE", L"二回目");
    ASSERT_TRUE(acad.run(L"VIEWSIZE\r", added));
    ASSERT_TRUE(acad.run(L"DWGTITLED\r", added));  // drawing 0: no dialog
    EXPECT_EQ(r.state()["dialogs"].size(), 1u);
    HWND b = e2e::findChildByCaption(acad.windows().mdiClient, L"b.dwg");
    SendMessageW(acad.windows().mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(b), 0);
    ASSERT_EQ(waitState(r, [](const nlohmann::json& s) { return s["current"] == 1; })["current"], 1);
    answeredWithDialog(L"DWGTITLED", L"図面B");
    auto dialogs = r.state()["dialogs"];
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[0]["id"], "second");
    EXPECT_EQ(dialogs[1]["id"], "onB");
    EXPECT_EQ(dialogs[1]["closedBy"], "IDOK");
}

}  // namespace
