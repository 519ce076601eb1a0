// The monitor thread against real dialog boxes: actions, flags, log lines, the text window's size,
// the waits built on its counts, Stop and compulsion mode, and its bounded end.
#include <gtest/gtest.h>

#include "acad_harness.h"

struct TAcadVer4TestAccess {
    static void SetCompulsionMode(TAcadVer4& a, bool v) { a.SetCompulsionMode(v); }
};

using harness::DialogSpec;
using harness::Locked;
using harness::WaitUntil;
using Mon = TAcadMonitorThreadVer4;

namespace {

class Monitor : public ::testing::Test {
protected:
    harness::LogHarness logs;
    harness::FakeAcad fake;
    TAcadMasterVer4 master{&logs.Log(), L"監視スレッド"};
    TAcadVer4 acad{&logs.Log(), L"CAD"};

    void SetUp() override {
        acad.Master(&master);
        master.AcadStart();
        harness::AttachFake(master, fake);
    }
    int OkCount() { return Locked(master, [](Mon& m) { return m.OkCount; }); }
    int NoCount() { return Locked(master, [](Mon& m) { return m.NoCount; }); }
    RECT TextRect() {
        RECT r{};
        GetWindowRect(fake.Text, &r);
        return r;
    }
};

struct FlagCase {
    const char* name;
    bool Mon::*flag;
};

}  // namespace

TEST_F(Monitor, AnswersClosesOrLeavesEachKindOfDialog) {
    struct Case {
        const char* what;
        DialogSpec plan;
        bool autoClose;
        const wchar_t* closedBy;  // nullptr: the dialog is left open
        bool checked;
        std::vector<bool Mon::*> flags;
        const wchar_t* line;
    };
    const std::vector<std::pair<std::wstring, int>> yesNo = {{L"はい(&Y)", IDYES}, {L"いいえ(&N)", IDNO}};
    const Case cases[] = {
        {"file chooser is closed", {L"ファイルを選択", {L"ファイル名:"}}, false, L"WM_CLOSE", false, {},
         L"ファイル選択ダイアログを発見しました。ダイアログを閉じます。"},
        {"fatal error is answered yes", {L"FATAL ERROR", {L"続行しますか?"}, yesNo}, false, L"IDYES", false, {},
         L"■■報　告■■"},
        {"read-only question is refused", {L"AutoCAD", {L"この図面は読み込み専用です。", L"開きますか?"}, yesNo}, false,
         L"IDNO", false, {&Mon::EndErrorFlag, &Mon::ReadOnlyErrorFlag},
         L"既に使用or読込専用ダイアログを発見しました。このソフトでは処理の都合上"},
        {"font choice takes the default", {L"文字スタイルに使用するフォントを指定", {}}, false, L"IDOK", false, {},
         L"文字スタイルフォント指定ダイアログを発見しました。"},
        {"quality programme is cancelled", {L"AutoCAD - 品質向上プログラム", {}, {{L"キャンセル", IDCANCEL}}}, false,
         L"IDCANCEL", false, {}, L"品質向上プログラムダイアログを発見しました。"},
        {"plot file chooser gets a posted OK", {L"印刷ファイルを作成", {L"ファイルの種類", L"保存先"}}, false, L"IDOK", false,
         {}, L"印刷ファイル作成ダイアログを発見しました。そのままOKを実行します。"},
        {"proxy dialog: the box is ticked, then OK",
         {L"プロキシ情報", {L"この図面にはカスタム オブジェクトがあります"}, {{L"OK", IDOK}}, L"今後このメッセージを表示しない"},
         false, L"IDOK", true, {}, L"表示しないを選択してダイアログを閉じます。"},
        {"proxy dialog without the box is closed", {L"プロキシ情報", {L"カスタム オブジェクト"}}, false, L"WM_CLOSE", false,
         {}, L"プロキシ情報ダイアログを発見しました。ダイアログを閉じます。"},
        {"write protection is closed and flagged", {L"AutoCAD メッセージ", {L"plan1.dwg は書き込み禁止です。"}}, false,
         L"WM_CLOSE", false, {&Mon::FileSaveErrorFlag}, L"書き込み禁止ダイアログを発見しました。ダイアログを閉じます"},
        {"abort dialog closed when allowed", {L"AutoCAD エラー終了", {L"内部エラー"}, yesNo}, true, L"IDYES", false,
         {&Mon::EndErrorFlag, &Mon::CriticalErrorFlag}, L"強制終了ダイアログを発見しました。ダイアログを閉じます。"},
        {"abort dialog left otherwise", {L"AutoCAD エラー終了", {L"内部エラー"}, yesNo}, false, nullptr, false,
         {&Mon::EndErrorFlag, &Mon::CriticalErrorFlag}, L"フェイタルエラーなどの強制終了ダイアログを発見しました。"},
        {"save question is never answered", {L"AutoCAD", {L"plan1.dwg への変更を保存しますか?"}, yesNo}, false, nullptr,
         false, {&Mon::EndErrorFlag}, L"保存しますかダイアログを発見しました。中断します。"},
        {"recovery stops the step", {L"図面修復", {L"修復が必要です"}}, false, nullptr, false,
         {&Mon::EndErrorFlag, &Mon::FileOpenErrorFlag}, L"図面修復ダイアログを発見しました。中断します。"},
        {"command still running", {L"AutoCAD", {L"コマンドはまだ実行中です。"}}, false, nullptr, false,
         {&Mon::EndErrorFlag, &Mon::CommandExecErrorFlag}, L"コマンド実行中ダイアログを発見しました。"},
    };
    const std::vector<bool Mon::*> allFlags = {&Mon::CriticalErrorFlag, &Mon::CommandExecErrorFlag, &Mon::FileOpenErrorFlag,
                                              &Mon::ReadOnlyErrorFlag, &Mon::ReadOnlyLinkFlag, &Mon::FileSaveErrorFlag,
                                              &Mon::EndErrorFlag};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        logs.Log().Clear();
        master.CriticalErrorAutoClose(c.autoClose);
        master.Claer2();  // flags and BackLog start afresh, as at a new search
        harness::AttachFake(master, fake);
        HWND dlg = fake.ShowDialog(c.plan);
        ASSERT_TRUE(dlg);
        if (c.closedBy) {
            ASSERT_TRUE(WaitUntil([&] { return !fake.Record(dlg).ClosedBy.empty(); }, 5000));
            EXPECT_EQ(fake.Record(dlg).ClosedBy, c.closedBy);
            EXPECT_EQ(fake.Record(dlg).Checked, c.checked);
        } else {
            // Left open: seen in cycle after cycle, reported once.
            ASSERT_TRUE(WaitUntil([&] { return NoCount() >= 5; }, 5000));
            EXPECT_TRUE(fake.Open(dlg));
            EXPECT_EQ(OkCount(), 0);
            fake.Run([&] { DestroyWindow(dlg); });
        }
        ASSERT_TRUE(WaitUntil([&] { return logs.Has(c.line); }, 3000)) << logs.Dump();
        EXPECT_EQ(logs.Count(c.line), 1) << logs.Dump();
        for (bool Mon::*f : allFlags) {
            const bool expected = std::find(c.flags.begin(), c.flags.end(), f) != c.flags.end();
            EXPECT_EQ(Locked(master, [f](Mon& m) { return m.*f; }), expected);
        }
        ASSERT_TRUE(WaitUntil([&] { return OkCount() >= 2; }, 3000));
    }
}

TEST_F(Monitor, UnknownDialogBoxCountsAsFreeAndIdleThreadHoldsCountsAtZero) {
    HWND dlg = fake.ShowDialog({L"AutoCAD", {L"こんにちは"}});
    ASSERT_TRUE(WaitUntil([&] { return OkCount() >= 4; }, 5000));
    EXPECT_TRUE(fake.Open(dlg));
    EXPECT_EQ(fake.Record(dlg).ClosedBy, L"");

    master.AcadEnd();  // idle: counts go back to 0 and stay there
    ASSERT_TRUE(WaitUntil([&] { return OkCount() == 0; }, 2000));
    WaitUntil([] { return false; }, 300);
    EXPECT_EQ(OkCount(), 0);
    EXPECT_EQ(NoCount(), 0);
}

TEST_F(Monitor, TextWindowIsResizedOnlyWhenOutsideItsRange) {
    fake.Run([&] { SetWindowPos(fake.Text, nullptr, 100, 50, 1000, 500, SWP_NOZORDER | SWP_NOACTIVATE); });
    ASSERT_TRUE(WaitUntil([&] {
        RECT r = TextRect();
        return r.right - r.left == 400;
    }, 3000));
    RECT r = TextRect();
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.bottom - r.top, 500);
    ASSERT_TRUE(WaitUntil([&] { return logs.Has(L"テキストウインドウが不適切と判断しました。サイズを調整します。"); }, 2000));

    logs.Log().Clear();
    fake.Run([&] { SetWindowPos(fake.Text, nullptr, 100, 50, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE); });
    const int start = OkCount();
    ASSERT_TRUE(WaitUntil([&] { return OkCount() >= start + 3; }, 3000));
    r = TextRect();
    EXPECT_EQ(r.right - r.left, 800);
    EXPECT_EQ(r.bottom - r.top, 600);
    EXPECT_FALSE(logs.Has(L"テキストウインドウが不適切"));
}

TEST_F(Monitor, LinesReachTheLogInOrderAndContinuedRepeatsAreDropped) {
    TAcadMonitorThreadVer4& mon = master.MonitorThread();
    logs.Log().Clear();
    std::thread worker([&] {
        for (int i = 0; i < 200; ++i) mon.LogSet(L"行" + std::to_wstring(i) + L"番", i % 3 == 0 ? 2 : 0, false);
        mon.LogSet(L"続く行", 6, true);
        mon.LogSet(L"続く行", 6, true);
        mon.LogSet(L"続く行", 6, true);
        mon.LogSet(L"続く行", 6, false);  // without the continue flag a repeat is a new line
    });
    worker.join();
    ASSERT_TRUE(WaitUntil([&] { return logs.Count(L"続く行") >= 2; }, 3000)) << logs.Dump();
    int last = -1;
    for (int i = 0; i < 200; ++i) {
        const int at = logs.IndexOf(L"行" + std::to_wstring(i) + L"番");
        ASSERT_GT(at, last) << i;
        last = at;
    }
    EXPECT_EQ(logs.Count(L"続く行"), 2);
    EXPECT_TRUE(logs.Has(L"■■報　告■■"));
    EXPECT_TRUE(logs.Has(L"■■エラー■■"));
}

TEST_F(Monitor, OpenWindowWaitSucceedsWhenFreeAndFailsAfterFiveSightingsOfAnEndError) {
    EXPECT_TRUE(acad.OpenWindowWait(1, true));

    HWND dlg = fake.ShowDialog({L"AutoCAD", {L"plan1.dwg への変更を保存しますか?"}, {{L"はい", IDYES}, {L"いいえ", IDNO}}});
    ASSERT_TRUE(WaitUntil([&] { return Locked(master, [](Mon& m) { return m.EndErrorFlag; }); }, 3000));
    const DWORD t0 = GetTickCount();
    EXPECT_FALSE(acad.OpenWindowWait(1, true));
    const DWORD took = GetTickCount() - t0;
    EXPECT_GE(took, 350u);
    EXPECT_LT(took, 3000u);
    EXPECT_TRUE(logs.Has(L"ErrorEndCountにより終了"));
    EXPECT_FALSE(Locked(master, [](Mon& m) { return m.EndErrorFlag; }));
    EXPECT_TRUE(fake.Open(dlg));  // nobody answered the question
    fake.Run([&] { DestroyWindow(dlg); });
}

namespace {
TLogVer4* g_stopLog = nullptr;
void CALLBACK PressStop(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (g_stopLog) g_stopLog->Breaking();
}
}  // namespace

TEST_F(Monitor, StopEndsOpenWindowWaitWhileADialogKeepsItWaiting) {
    // An expected plot dialog is left open without an end error: only Stop ends the wait.
    Locked(master, [](Mon& m) { return m.PrintDialogOkMode = true; });
    HWND dlg = fake.ShowDialog({L"印刷 - モデル", {L"プリンタ/プロッタ"}});
    ASSERT_TRUE(WaitUntil([&] { return NoCount() >= 3; }, 3000));
    EXPECT_EQ(Locked(master, [](Mon& m) { return m.PrintDialogHandle; }), dlg);

    g_stopLog = &logs.Log();
    SetTimer(nullptr, 0, 400, PressStop);
    const DWORD t0 = GetTickCount();
    EXPECT_FALSE(acad.OpenWindowWait(1, false));
    const DWORD took = GetTickCount() - t0;
    EXPECT_GE(took, 350u);
    EXPECT_LT(took, 3000u);
    EXPECT_TRUE(logs.Has(L"待機中"));
    EXPECT_TRUE(fake.Open(dlg));
    fake.Run([&] { DestroyWindow(dlg); });
}

TEST_F(Monitor, CompulsionHoldsBackTheFirstStopAndHonoursTheSecond) {
    Locked(master, [](Mon& m) { return m.PrintDialogOkMode = true; });
    HWND dlg = fake.ShowDialog({L"印刷 - モデル", {L"プリンタ/プロッタ"}});
    ASSERT_TRUE(WaitUntil([&] { return NoCount() >= 3; }, 3000));
    g_stopLog = &logs.Log();

    TAcadVer4TestAccess::SetCompulsionMode(acad, true);
    SetTimer(nullptr, 0, 300, PressStop);
    SetTimer(nullptr, 0, 900, PressStop);
    const DWORD t0 = GetTickCount();
    EXPECT_FALSE(acad.OpenWindowWait(1, false));
    const DWORD took = GetTickCount() - t0;
    EXPECT_GE(took, 850u) << "the first Stop was not held back";
    EXPECT_LT(took, 3500u);
    const int start = logs.IndexOf(L"強制実行モード開始");
    const int refused = logs.IndexOf(L"再度中断を受け付けているため、強制実行モードは行いません");
    ASSERT_GE(start, 0) << logs.Dump();
    ASSERT_GT(refused, start) << logs.Dump();
    EXPECT_EQ(logs.Count(L"強制実行モード開始"), 1);
    TAcadVer4TestAccess::SetCompulsionMode(acad, false);
    EXPECT_FALSE(logs.Has(L"強制実行モード解除"));  // the refusal already ended it
    fake.Run([&] { DestroyWindow(dlg); });
}

TEST_F(Monitor, CompulsionEndingAfterAHeldBackStopReportsTheCancelAndTheStopThenCounts) {
    g_stopLog = &logs.Log();
    TAcadVer4TestAccess::SetCompulsionMode(acad, true);
    logs.Log().Breaking();
    EXPECT_TRUE(acad.OpenWindowWait(1, false));  // held back: the wait runs to its end
    TAcadVer4TestAccess::SetCompulsionMode(acad, false);
    EXPECT_TRUE(logs.Has(L"強制実行モード開始"));
    EXPECT_TRUE(logs.Has(L"強制実行モード解除"));
    EXPECT_LT(logs.IndexOf(L"強制実行モード開始"), logs.IndexOf(L"強制実行モード解除"));
    const DWORD t0 = GetTickCount();
    EXPECT_FALSE(acad.OpenWindowWait(1, false));
    EXPECT_LT(GetTickCount() - t0, 300u);
}

TEST_F(Monitor, AutoCadThatCannotBeFoundIsNeitherFreeOfDialogsNorListed) {
    // The fake's executable is not AutoCAD's, so a fresh search finds nothing.
    master.AcadStart();
    EXPECT_FALSE(acad.OpenWindowWait(1, false));
    EXPECT_TRUE(logs.Has(L"起動済みのAutoCADを発見出来ませんでした。"));

    logs.Log().Clear();
    TDrawWindowListVer4 list;
    EXPECT_FALSE(acad.DrawWindowList(list, true, false));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(logs.Has(L"起動済みのAutoCAD"));  // the caller reports it

    master.AcadEnd();
    logs.Log().Clear();
    EXPECT_FALSE(acad.DrawWindowList(list, true, false));
    EXPECT_TRUE(logs.Has(L"マスターが開始状態にありません。"));
}

TEST_F(Monitor, EndRestoresTheRememberedTextWindowOnlyWhenStarted) {
    struct Case {
        const char* what;
        RECT remembered;
        POINT expected;
        const wchar_t* line;
    } cases[] = {
        {"off every monitor", {2000, 1200, 2600, 1700}, {0, 0}, L"テキストウインドウの元々の場所が画面外なので画面内で移動させます。。"},
        {"on the screen", {120, 80, 720, 580}, {120, 80}, L"テキストウインドウの場所を元に戻します。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        master.AcadStart();
        harness::AttachFake(master, fake);
        master.TextWindowMemoryFlag = true;
        master.TextWindowMemoryHandle = fake.Text;
        master.TextWindowRectMemory = c.remembered;
        master.TextWindowOpenMemory = true;
        logs.Log().Clear();
        master.AcadEnd();
        EXPECT_TRUE(logs.Has(c.line)) << logs.Dump();
        EXPECT_TRUE(logs.Has(L"テキストウインドウの開閉状態を元に戻します。"));  // a drawing is open
        ASSERT_TRUE(WaitUntil([&] {
            RECT r = TextRect();
            return r.left == c.expected.x && r.top == c.expected.y && r.right - r.left == 600;
        }, 3000));
        EXPECT_EQ(TextRect().bottom - TextRect().top, 500);
    }
    // A second end without a start (the run failed before AcadStart) restores and logs nothing.
    logs.Log().Clear();
    fake.Run([&] { SetWindowPos(fake.Text, nullptr, 300, 300, 600, 500, SWP_NOZORDER | SWP_NOACTIVATE); });
    master.AcadEnd();
    WaitUntil([] { return false; }, 200);
    EXPECT_EQ(TextRect().left, 300);
    EXPECT_FALSE(logs.Has(L"最後のプロンプト"));
}

TEST(DrawWindowList, NewDrawAndLoggingReadTheWindowsNow) {
    harness::LogHarness logs;
    harness::FakeAcad fake;
    HWND other = nullptr;
    fake.Run([&] {
        other = CreateWindowExW(0, L"FakeAcadDrawing", L"b.dwg", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, fake.View, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    });
    TDrawWindowListVer4 before, after;
    before.Add({fake.Drawing, L"a.dwg", L""});
    after.Add({fake.Drawing, L"a.dwg", L""});
    after.Add({other, L"old caption", L""});
    ASSERT_NE(after.GetNewDraw(before), nullptr);
    EXPECT_EQ(after.GetNewDraw(before)->Handle, other);
    EXPECT_EQ(before.GetNewDraw(after), nullptr);

    TLogAccessVer4 log(&logs.Log(), L"CAD");
    after.Logging(L"図面一覧", log, 1);
    TDrawWindowListVer4().Logging(L"空の一覧", log, 1);
    wchar_t hex[32];
    swprintf(hex, 32, L"[%8x]", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(other)));
    EXPECT_TRUE(logs.Has(std::wstring(L"ウインドウ1 ") + hex + L" b.dwg")) << logs.Dump();  // title read now
    EXPECT_FALSE(logs.Has(L"old caption"));
    EXPECT_TRUE(logs.Has(L"ウインドウ0 "));
    EXPECT_EQ(logs.IndexOf(L"無し"), logs.IndexOf(L"空の一覧") + 1);
}
