// TAcadVer4: making the linked drawing AutoCAD's active drawing, the link check every command
// begins with, and cancelling until AutoCAD takes commands again.
#include "acad/AcadVer4.h"
#include "acad/PromptText.h"
#include "common/CommonVer4.h"

bool TAcadVer4::HandleActive(HWND Handle, bool DebugLog) {
    auto debug = [&](const wchar_t* Text) {
        if (DebugLog) FLog.Add(Text, 4, 1);
    };
    debug(L"HandleActive開始");
    if (!MasterLinkCheck()) return false;
    HWND main = FMaster->MainHandle();
    if (!main || !IsWindow(main)) {
        FLog.Error(L"メインハンドルが存在しません");
        return false;
    }
    if (!BringWindowToTop(main) || !ForceForeground(main, FOwner)) {
        FLog.Error(L"メインウインドウのZオーダーの変更に失敗しました");
        return false;
    }
    if (!Handle || !IsWindow(Handle)) {
        FLog.Error(L"ハンドルが存在しません");
        return false;
    }
    if (IsIconic(Handle)) OpenIcon(Handle);
    if (ActiveCheck(Handle)) return true;

    std::wstring prompt0, history0;
    if (!SubGetPrompt(prompt0, false, true, -1000)) {
        debug(L"SubGetPrompt失敗ため終了");
        return false;
    }
    if (!SubGetHistory(history0, false, -1000)) {
        debug(L"SubGetHistory失敗ため終了");
        return false;
    }
    for (int attempt = 1; attempt <= 10; ++attempt) {
        if (!BringWindowToTop(Handle)) {
            FLog.Error(L"Zオーダーの変更に失敗しました");
            return false;
        }
        PostMessageW(main, WM_NULL, 0, 0);
        // A drawing is a child window; where the system will not take a child as the foreground
        // window, its top-level window (AutoCAD's main window) stands for it.
        if (!SetForegroundWindow(Handle) && !SetForegroundWindow(GetAncestor(Handle, GA_ROOT))) {
            FLog.Error(L"フォアグラウンド化に失敗しました");
            return false;
        }
        PostMessageW(main, WM_NULL, 0, 0);
        debug(L"アクティブ化実行");
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(FMaster->CommandHandle, WM_ACTIVATE, WA_CLICKACTIVE, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                            FReadAttemptMs, &answer);
        PostMessageW(main, WM_NULL, 0, 0);
        ActiveWait(2);
        if (!ActiveCheck(Handle)) {
            debug(L"アクティブになっていないのでやり直し");
            continue;
        }
        std::wstring prompt, history;
        if (!SubGetPrompt(prompt, false, true, -1000) || !SubGetHistory(history, false, -1000)) {
            debug(L"アクティブ化中のSubGetHistory失敗ため終了");
            return false;
        }
        if (prompt.empty()) {
            debug(L"プロンプトが空なのでやり直し");
            continue;
        }
        if (history.empty()) {
            debug(L"履歴が空なのでやり直し");
            continue;
        }
        if (attempt > 1 || (prompt == prompt0 && history == history0)) ActiveWait(2);
        if (ActiveCheck(Handle)) return true;
        debug(L"再確認でアクティブになっていないのでやり直し");
    }
    FLog.Error(L"図面のアクティブ化に失敗しました。");
    return false;
}

bool TAcadVer4::LastActive() {
    return FLastMainHandle && IsWindow(FLastMainHandle) && BringWindowToTop(FLastMainHandle);
}

bool TAcadVer4::EscapeWait(int LogMode) {
    if (!MasterLinkCheck()) return false;
    if (!FMaster->DataCheck() && !AcadHandleSearch(false)) return false;
    FLog.Add(L"AutoCADがコマンドを受け付けるようになるまで待機中", 3, LogMode);
    // Only a cancel echoed after our first Escape counts; older ones in the history do not.
    std::wstring before;
    bool haveBefore = false;
    const std::wstring cancel(1, L'\x0003');
    for (;;) {
        FLog.Plus(L".", 3, 1);
        if (StopCheck()) return false;
        TDrawWindowListVer4 list;
        if (!DrawWindowList(list, true, false)) {
            // AutoCAD gone does not take commands.
            if (!FMaster->DataCheck()) FLog.Error(L"起動済みのAutoCADを発見出来ませんでした。");
            return false;
        }
        if (list.Count() < 1) break;
        Wait(100);
        if (!OpenWindowWait(LogMode + 1, false)) return false;
        if (!haveBefore) {
            if (!SubGetHistory(before, true, -1000)) return false;
            haveBefore = true;
        }
        if (!SubPostCommand(cancel, LogMode, true, true)) return false;
        std::wstring history;
        const TReadResult r = ReadHistory(history, true);
        if (r == TReadResult::Failed) {
            FLog.Error(L"履歴取得中に異常が発生しました");
            return false;
        }
        if (r == TReadResult::Ok && sb::acad::HistoryGained(before, history).find(L"ｷｬﾝｾﾙ") != std::wstring::npos) break;
    }
    CommandWait(LogMode + 1, false);
    return true;
}

bool TAcadVer4::LinkCheck(bool DebugLog) {
    if (DebugLog) FLog.Add(L"LinkCheck開始", 4, 1);
    if (StopCheck()) return false;
    if (!MasterLinkCheck()) return false;
    if (!FLinkHandle) {
        FLog.Error(L"リンクしていません");
        return false;
    }
    if (!IsWindow(FLinkHandle)) {
        FLog.Error(L"ハンドルが存在しません");
        LinkGoneRelease();
        return false;
    }
    HWND active = nullptr;
    if (!GetActiveHandle(active, false, DebugLog)) {
        if (DebugLog) FLog.Add(L"GetActiveHandleの異常により終了", 4, 1);
        return false;
    }
    if (active == FLinkHandle || HandleActive(FLinkHandle, DebugLog)) return true;
    if (DebugLog) FLog.Add(L"HandleActiveの異常により終了", 4, 1);
    return false;
}

void TAcadVer4::LinkGoneRelease() {
    // The drawing is gone: release the link in full, its work files included.
    LinkFree();
}
