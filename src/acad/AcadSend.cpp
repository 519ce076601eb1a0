// TAcadVer4: typing texts into AutoCAD (the sender thread and its three ways of waiting) and the
// public posting operations.
#include <memory>

#include "acad/AcadPostThread.h"
#include "acad/AcadVer4.h"
#include "acad/CommandText.h"
#include "acad/PromptText.h"
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
    std::unique_ptr<TPostCommandThreadVer4> sender = TPostCommandThreadVer4::Start(
        app, target, main, std::move(payload), error, FSendTimeoutMs, FAnswerDeadlineMs);
    if (!sender) {
        FLog.Error(error);
        return false;
    }
    const ULONGLONG sendStart = GetTickCount64();
    FAwaitedPieces = sb::acad::AwaitedPieces(Text);

    if (Asynchronous) {
        Wait(100);
        // The sender is bounded by its own time-out; learn whether it sent.
        const ULONGLONG deadline = GetTickCount64() + FSendTimeoutMs + FAnswerDeadlineMs + 2000;
        while (!sender->Ended() && GetTickCount64() < deadline) WaitHandle(sender->Handle(), 50);
        ProcessMessages();
        if (sender->Ended() && sender->TimedOut()) {
            // The caller watches what AutoCAD shows next; that alone tells whether it arrived.
            FLog.Add(L"AutoCADの応答が遅いため、送信の結果は表示で確認します", 3, LogMode + 1);
            return true;
        }
        if (!sender->Ended() || !sender->Sent()) {
            FLog.Error(kSendFailed);
            return false;
        }
        return true;
    }

    bool finished = !ThreadWait;
    bool unsure = false;  // the send timed out: delivered once AutoCAD shows it, before the deadline
    ULONGLONG hungSince = 0;  // reads have timed out since then; 0 while AutoCAD answers
    for (int round = 0;;) {
        if (StopCheck()) return false;
        ProcessMessages();
        const bool ended = sender->Ended();
        if (ended && !sender->Sent() && !sender->TimedOut()) {
            FLog.Error(kSendFailed);
            return false;
        }
        if (ended && sender->TimedOut() && !unsure) {
            unsure = true;
            FLog.Add(L"AutoCADの応答が遅いため、コマンドが届いたか表示で確認します", 3, LogMode + 1);
        }
        if (ended) finished = true;
        if (unsure && GetTickCount64() - sendStart >= FAnswerDeadlineMs) {
            FLog.Error(kSendFailed);
            return false;
        }
        if (finished) {
            std::wstring now;
            TReadResult r = ReadPrompt(now, false, false);
            if (r == TReadResult::Ok && now != prompt0) {
                ProcessMessages();
                return true;
            }
            if (r == TReadResult::Ok) {
                r = ReadHistory(now, false);
                if (r == TReadResult::Ok && now != history0) {
                    ProcessMessages();
                    return true;
                }
            }
            if (r == TReadResult::Failed) {
                FLog.Error(L"プロンプト取得中に異常が発生しました");
                return false;
            }
            // A read that timed out is "no change yet" until AutoCAD has not answered for too long.
            if (r != TReadResult::Hung) {
                hungSince = 0;
            } else if (!hungSince) {
                hungSince = GetTickCount64();
            } else if (GetTickCount64() - hungSince >= FAnswerDeadlineMs) {
                NoAnswerMemo();
                FLog.Error(L"プロンプト取得中に異常が発生しました");
                return false;
            }
        }
        // Sent again only when the first is known to have arrived: a timed-out one may yet come.
        if (Text == kBareCancel && round == 300 && !unsure) {
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
    if (FDialogSeen && !Asynchronous) {
        // The text was meant for the prompt last seen; a dialog closed since may have moved
        // AutoCAD on (a command deferred by it starts now): look again before typing.
        const std::wstring seen = FLastSeenPrompt;
        std::wstring now;
        if (!CheckedPrompt(now, true, -10000, false)) return false;
        if (!seen.empty() && now != seen) {
            FLog.Error(L"ダイアログが閉じられた後でAutoCADのプロンプトが変わったため、コマンドを送信しません「" + now + L"」");
            return false;
        }
    }
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
