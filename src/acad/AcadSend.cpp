// TAcadVer4: typing texts into AutoCAD (the sender thread and its three ways of waiting) and the
// public posting operations.
#include <memory>

#include "acad/AcadPostThread.h"
#include "acad/AcadVer4.h"
#include "acad/CommandText.h"
#include "common/CommonVer4.h"

namespace {

constexpr wchar_t kSendFailed[] = L"AutoCADへのコマンド送信に失敗しました";
const std::wstring kBareCancel(1, sb::acad::kCancelChar);

}  // namespace

void TAcadVer4::WaitHandle(HANDLE Handle, unsigned WaitTime) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        ProcessMessages();
        const ULONGLONG elapsed = GetTickCount64() - start;
        if (elapsed >= WaitTime) return;
        const DWORD count = Handle ? 1 : 0;
        const DWORD r = MsgWaitForMultipleObjectsEx(count, Handle ? &Handle : nullptr,
                                                    static_cast<DWORD>(WaitTime - elapsed), QS_ALLINPUT,
                                                    MWMO_INPUTAVAILABLE);
        if (Handle && r == WAIT_OBJECT_0) {
            ProcessMessages();
            return;
        }
    }
}

bool TAcadVer4::SubPostCommand(const std::wstring& Text, int LogMode, bool Asynchronous, bool ThreadWait) {
    if (!MasterLinkCheck()) return false;
    if (Text.empty()) {
        FLog.Error(L"送信するコマンドがありません");
        return false;
    }
    TAcadMasterVer4& m = *FMaster;
    std::wstring prompt0, history0;
    if (!Asynchronous) {
        if (!SubGetPrompt(prompt0, false, false, -1000)) return false;
        if (!SubGetHistory(history0, false, -1000)) return false;
    }
    const DWORD app = FOwner ? GetWindowThreadProcessId(FOwner, nullptr) : GetCurrentThreadId();
    if (app == 0) {
        FLog.Error(L"自身のスレッドID取得に失敗しました");
        return false;
    }
    HWND main = m.MainHandle();
    const DWORD target = main ? GetWindowThreadProcessId(main, nullptr) : 0;
    if (target == 0) {
        FLog.Error(L"AutoCADのスレッドID取得に失敗しました");
        return false;
    }
    // Refused before anything starts: longer than the sender's buffer, or not exactly typable.
    sb::acad::SendPayload payload;
    const std::wstring refused = sb::acad::MakeSendPayload(Text, IsWindowUnicode(main) != FALSE, ToAnsiCodePage, payload);
    if (!refused.empty()) {
        FLog.Error(refused);
        return false;
    }
    std::wstring error;
    std::unique_ptr<TPostCommandThreadVer4> sender =
        TPostCommandThreadVer4::Start(app, target, main, std::move(payload), error, FSendTimeoutMs);
    if (!sender) {
        FLog.Error(error);
        return false;
    }

    if (Asynchronous) {
        Wait(100);
        // The sender is bounded by its own time-out; learn whether it sent.
        const ULONGLONG deadline = GetTickCount64() + FSendTimeoutMs + 2000;
        while (!sender->Ended() && GetTickCount64() < deadline) WaitHandle(sender->Handle(), 50);
        ProcessMessages();
        if (!sender->Ended() || !sender->Sent()) {
            FLog.Error(kSendFailed);
            return false;
        }
        return true;
    }

    bool finished = !ThreadWait;
    for (int round = 0;;) {
        if (StopCheck()) return false;
        ProcessMessages();
        const bool ended = sender->Ended();
        if (ended && !sender->Sent()) {
            FLog.Error(kSendFailed);
            return false;
        }
        if (ended) finished = true;
        if (finished) {
            std::wstring now;
            TReadResult r = ReadPrompt(now, false, false);
            if (r == TReadResult::Failed) {
                FLog.Error(L"プロンプト取得中に異常が発生しました");
                return false;
            }
            if (r == TReadResult::Ok && now != prompt0) {
                ProcessMessages();
                return true;
            }
            r = ReadHistory(now, false);
            if (r == TReadResult::Failed) {
                FLog.Error(L"履歴取得中に異常が発生しました");
                return false;
            }
            if (r == TReadResult::Ok && now != history0) {
                ProcessMessages();
                return true;
            }
        }
        if (Text == kBareCancel && round == 300) {
            FLog.Add(L"AutoCADがキャンセルを受け付けた様子がないので再送信します。", 3, LogMode + 1);
            if (!SubPostCommand(Text, LogMode + 1, true, true)) return false;
        }
        WaitHandle(finished ? nullptr : sender->Handle(), 10);
        if (round < 1000) ++round;
    }
}

bool TAcadVer4::SubSendCommand(const std::wstring& Value, int LogMode, bool Original, bool Asynchronous,
                               bool ThreadWait, const std::wstring& Caption) {
    if (!LinkCheck(false)) return false;
    if (Value.empty()) {
        FLog.Error(L"送信するコマンドがありません");
        return false;
    }
    const std::wstring logForm = sb::acad::CommandLogForm(Value, Original);
    const std::wstring text = sb::acad::CommandSendForm(logForm);
    if (!OpenWindowWait(LogMode, false)) return false;
    FLog.Add(Caption + L"「" + logForm + L"」", 3, LogMode);
    return SubPostCommand(text, LogMode, Asynchronous, ThreadWait);
}

bool TAcadVer4::acPostCommand(const std::wstring& Value, int LogMode, bool Original) {
    return SubSendCommand(Value, LogMode, Original, false, true, L"コマンド送信");
}

bool TAcadVer4::acStepCommand(const std::wstring& Value, int LogMode, bool Original) {
    return SubSendCommand(Value, LogMode, Original, false, false, L"コマンド送信(Step)");
}

bool TAcadVer4::acDirectCommand(const std::wstring& Value, int LogMode, bool Original) {
    return SubSendCommand(Value, LogMode, Original, true, true, L"非同期コマンド送信");
}

bool TAcadVer4::acPostEnter(int LogMode) {
    if (!LinkCheck(false)) return false;
    return acPostCommand(L"^m", LogMode, false);
}

bool TAcadVer4::acPostEscape(int LogMode) {
    if (!LinkCheck(false)) return false;
    return acPostCommand(L"^c", LogMode, false);
}

bool TAcadVer4::acActive(int LogMode) {
    FLog.Add(L"アクティブ化", 2, LogMode);
    if (!LinkCheck(false)) return false;
    return HandleActive(FLinkHandle, false);
}

bool TAcadVer4::CommandDataCheck(const std::wstring& Piece) {
    const std::wstring reason = sb::acad::CommandDataCheck(Piece);
    if (reason.empty()) return true;
    FLog.Error(reason);
    return false;
}
