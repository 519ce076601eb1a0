// TAcadVer4: checked reads of the prompt and history, waiting for and skipping to prompts,
// sending a command and waiting, and the default value of a prompt.
#include <mutex>

#include "acad/AcadClipboard.h"
#include "acad/AcadThreadVer4.h"
#include "acad/AcadVer4.h"
#include "acad/PromptText.h"
#include "common/CommonVer4.h"

namespace {

constexpr wchar_t kOtherDrawingHistory[] = L"違う図面の履歴を取得した可能性を検知しました";

}  // namespace

bool TAcadVer4::PromptListSet(const std::wstring& TargetPrompt, std::vector<std::wstring>& List, std::wstring& Display) {
    const sb::common::PromptListSetResult r = sb::common::PromptListSet(TargetPrompt, List, Display);
    if (!r) FLog.Emergency(r.Emergency);
    return r.Ok;
}

bool TAcadVer4::PromptListMatch(const std::wstring& Prompt, const std::vector<std::wstring>& List, int& Index) {
    return ::PromptListMatch(Prompt, List, Index);
}

std::wstring TAcadVer4::CommandPromptPattern(bool HalfWidthMode) const {
    const bool half = HalfWidthMode || (FMaster && FMaster->CadVersion < 2004);
    return half ? sb::acad::kCommandPromptHalf : sb::acad::kCommandPromptFull;
}

bool TAcadVer4::CheckedPrompt(std::wstring& Value, bool HalfWidthMode, int LogMode, bool NoTrim) {
    Value.clear();
    if (!LinkCheck(false) || !OpenWindowWait(LogMode, false)) return false;
    // AutoCAD takes typed text into its queue and answers later: until then its command line
    // shows the text itself, which is no answer.
    TAnswerWait wait;
    unsigned cycles = 0;
    for (;;) {
        {
            // Taken before the read: a dialog after it must still count as seen.
            std::lock_guard<std::mutex> lock(FMaster->AcadLock());
            cycles = FMaster->MonitorThread().DialogCycles;
        }
        bool echo = false;
        const TReadResult r = ReadPrompt(Value, HalfWidthMode, NoTrim, &echo);
        if (r == TReadResult::Ok && !echo) break;
        if (r == TReadResult::Failed || !AnswerPending(wait)) {
            Value.clear();
            if (!wait.Stopped) FLog.Error(L"プロンプト取得中に異常が発生しました");
            return false;
        }
    }
    HWND active = nullptr;
    if (!GetActiveHandle(active, false, false)) return false;
    if (active == FLinkHandle) {
        FDialogSeen = false;
        FDialogCyclesSeen = cycles;
        FLastSeenPrompt = SpaceShrink(ToHalfWidth(Value));
        FLog.Add(L"コマンド取得「" + Value + L"」", 3, LogMode);
        return true;
    }
    FLog.Error(L"違う図面のプロンプトを取得した可能性を検知しました");
    return false;
}

bool TAcadVer4::acGetPrompt(std::wstring& Value, bool HalfWidthMode, int LogMode, bool NoTrim) {
    return CheckedPrompt(Value, HalfWidthMode, LogMode, NoTrim);
}

bool TAcadVer4::acGetHistory(std::wstring& Value, bool HalfWidthMode, int LogMode) {
    Value.clear();
    if (!LinkCheck(false) || !OpenWindowWait(LogMode, false)) return false;
    if (!SubGetHistory(Value, HalfWidthMode, LogMode)) return false;
    HWND active = nullptr;
    if (!GetActiveHandle(active, false, false)) return false;
    if (active != FLinkHandle) {
        FLog.Error(kOtherDrawingHistory);
        return false;
    }
    FLog.Add(L"履歴取得「..." + sb::acad::LastChars(Value, 50) + L"」", 4, LogMode);
    return true;
}

bool TAcadVer4::acGetHistoryForClipboard(std::vector<std::wstring>& Value, bool HalfWidthMode, int LogMode) {
    Value.clear();
    if (!LinkCheck(false) || !OpenWindowWait(LogMode, false)) return false;
    TextWindowAdjust();
    ProcessMessages();
    TClipboardHistoryOptions options;
    options.Pump = [this](unsigned ms) { Wait(ms); };
    options.BeforeAttempt = FClipboardBeforeAttempt;
    options.SendTimeoutMs = FReadAttemptMs;
    options.DeadlineMs = FAnswerDeadlineMs;
    bool stopped = false;
    options.Stopped = [this, &stopped] { return stopped = StopCheck(); };
    const TClipboardHistoryResult r = ReadHistoryThroughClipboard(FMaster->TextHandle(), FMaster->ProcessID(), options);
    if (r.OtherReplaced) FLog.Memo(L"クリップボードにあった文字以外のデータは、履歴の読み取りで置き換えられました");
    if (r.RestoreFailed) FLog.Warning(L"クリップボードの内容を元に戻せませんでした");
    if (!r.Ok && stopped) return false;
    if (!r.Ok && r.Unanswered) {
        FLog.Error(L"履歴取得中に異常が発生しました");
        return false;
    }
    if (!r.Ok) {
        FLog.Error(L"クリップボードを読み取れませんでした。");
        FLog.Memo(L"Microsoft Officeのクリップボード または その他クリップボード監視系のソフトに妨害された可能性があります。");
        return false;
    }
    std::vector<std::wstring> lines = sb::acad::SplitLines(r.Text);
    if (HalfWidthMode)
        for (std::wstring& line : lines) line = ToHalfWidth(line);
    HWND active = nullptr;
    if (!GetActiveHandle(active, false, false)) return false;
    if (active != FLinkHandle) {
        FLog.Error(kOtherDrawingHistory);
        return false;
    }
    FLog.Add(L"履歴取得「..." + sb::acad::LastLinesExcerpt(lines) + L"」", 4, LogMode);
    Value = std::move(lines);
    return true;
}

bool TAcadVer4::acGetLastHistoryForClipboard(std::wstring& Value, bool HalfWidthMode, int LogMode) {
    Value.clear();
    std::vector<std::wstring> lines;
    if (!acGetHistoryForClipboard(lines, HalfWidthMode, -10000)) return false;
    if (!lines.empty()) Value = lines.back();
    FLog.Add(L"最後の履歴取得「" + Value + L"」", 4, LogMode);
    return true;
}

bool TAcadVer4::PromptWaitList(const std::wstring& TargetPrompt, bool HalfWidthMode, std::vector<std::wstring>& List,
                               std::wstring& Display) {
    if (!LinkCheck(false)) return false;
    const std::wstring pattern =
        CommandPromptPattern(HalfWidthMode) + (TargetPrompt.empty() ? std::wstring() : L"|" + TargetPrompt);
    return PromptListSet(pattern, List, Display);
}

bool TAcadVer4::PromptWaitRound(int LogMode) {
    if (StopCheck()) return false;
    Wait(10);
    return OpenWindowWait(LogMode + 1, false);
}

bool TAcadVer4::acWaitPrompt(const std::wstring& TargetPrompt, int& Index, bool CommandErr, bool HalfWidthMode,
                             int LogMode) {
    Index = -1;
    std::vector<std::wstring> list;
    std::wstring display;
    if (!PromptWaitList(TargetPrompt, HalfWidthMode, list, display)) return false;
    FLog.Add(L"指定プロンプト出現待ち" + display, 3, LogMode);
    // A prompt that stays as it is, unasked for, ends the wait in bounded time.
    std::wstring last(1, L'\0');
    ULONGLONG since = GetTickCount64();
    for (;;) {
        if (!PromptWaitRound(LogMode)) return false;
        std::wstring prompt;
        if (!CheckedPrompt(prompt, HalfWidthMode, -10000, false)) return false;
        if (PromptListMatch(prompt, list, Index)) {
            FLog.Sub(L"コマンド取得「" + prompt + L"」", 4, LogMode);
            const std::wstring seen = L"「" + list[static_cast<std::size_t>(Index)] + L"」を検知しました";
            if (CommandErr && Index == 0) {
                FLog.Error(seen);
                return false;
            }
            FLog.Sub(seen, 4, LogMode);
            return true;
        }
        Index = -1;
        if (prompt != last) {
            last = prompt;
            since = GetTickCount64();
        } else if (GetTickCount64() - since >= FAnswerDeadlineMs) {
            FLog.Error(L"指定プロンプトが出現しませんでした");
            return false;
        }
        FLog.Plus(L".", 3, 1);
    }
}

bool TAcadVer4::acWaitPrompt(const std::wstring& TargetPrompt, bool CommandErr, bool HalfWidthMode, int LogMode) {
    int index = -1;
    return acWaitPrompt(TargetPrompt, index, CommandErr, HalfWidthMode, LogMode);
}

bool TAcadVer4::acWaitPrompt(int LogMode) { return acWaitPrompt(std::wstring(), false, true, LogMode); }

bool TAcadVer4::acSkipPrompt(const std::wstring& TargetPrompt, int& Index, bool CommandErr, bool HalfWidthMode,
                             int LogMode) {
    Index = -1;
    std::vector<std::wstring> list;
    std::wstring display;
    if (!PromptWaitList(TargetPrompt, HalfWidthMode, list, display)) return false;
    FLog.Add(L"指定プロンプト出現までスキップ・・・" + display, 3, LogMode);
    sb::acad::PromptSkipper skipper;
    ULONGLONG since = GetTickCount64();
    for (;;) {
        if (!PromptWaitRound(LogMode)) return false;
        std::wstring prompt, history;
        if (!CheckedPrompt(prompt, HalfWidthMode, -10000, false)) return false;
        if (!SubGetHistory(history, HalfWidthMode, -10000)) return false;
        int match = -1;
        PromptListMatch(prompt, list, match);
        bool changed = false;
        const sb::acad::PromptSkipper::Step step = skipper.Next(prompt, history, match, CommandErr, changed);
        if (changed) {
            FLog.Sub(L"コマンド取得「" + prompt + L"」", 4, LogMode);
            since = GetTickCount64();
        } else if (step == sb::acad::PromptSkipper::Step::Poll && GetTickCount64() - since >= FAnswerDeadlineMs) {
            FLog.Error(L"指定プロンプトが出現しませんでした");
            return false;
        }
        switch (step) {
            case sb::acad::PromptSkipper::Step::Matched:
                Index = match;
                FLog.Sub(L"「" + list[static_cast<std::size_t>(match)] + L"」を検知しました", 4, LogMode);
                return true;
            case sb::acad::PromptSkipper::Step::CommandEnded:
                Index = match;
                FLog.Error(L"「" + list[0] + L"」を検知しました");
                return false;
            case sb::acad::PromptSkipper::Step::Repeated:
                FLog.Error(L"同じプロンプトを繰り返しました。スキップ出来ません。");
                return false;
            case sb::acad::PromptSkipper::Step::Answer:
                if (!acPostEnter(LogMode + 1)) return false;
                if (skipper.TooManyEnters()) {
                    FLog.Error(L"指定プロンプトが出現しませんでした");
                    return false;
                }
                break;
            case sb::acad::PromptSkipper::Step::Poll:
                break;
        }
    }
}

bool TAcadVer4::acSkipPrompt(const std::wstring& TargetPrompt, bool CommandErr, bool HalfWidthMode, int LogMode) {
    int index = -1;
    return acSkipPrompt(TargetPrompt, index, CommandErr, HalfWidthMode, LogMode);
}

bool TAcadVer4::acSkipPrompt(int LogMode) { return acSkipPrompt(std::wstring(), false, true, LogMode); }

bool TAcadVer4::acCommandLineCheck(int LogMode) {
    FLog.Add(L"コマンドラインチェック", 4, LogMode);
    if (!LinkCheck(false)) return false;
    std::wstring prompt;
    return acGetPrompt(prompt, true, LogMode + 1, false) && prompt == sb::acad::kCommandPromptHalf;
}

bool TAcadVer4::acSendCommand(const std::wstring& Value, const std::wstring& TargetPrompt, int& Index, bool CommandErr,
                              bool HalfWidthMode, int LogMode, bool Original) {
    Index = -1;
    if (!acPostCommand(Value, LogMode, Original)) return false;
    return acWaitPrompt(TargetPrompt, Index, CommandErr, HalfWidthMode, LogMode + 1);
}

bool TAcadVer4::acSendCommand(const std::wstring& Value, const std::wstring& TargetPrompt, bool CommandErr,
                              bool HalfWidthMode, int LogMode, bool Original) {
    int index = -1;
    return acSendCommand(Value, TargetPrompt, index, CommandErr, HalfWidthMode, LogMode, Original);
}

bool TAcadVer4::acSendCommand(const std::wstring& Value, int LogMode, bool Original) {
    return acSendCommand(Value, std::wstring(), false, true, LogMode, Original);
}

bool TAcadVer4::acStepWaitCommand(const std::wstring& Value, const std::wstring& TargetPrompt, int& Index,
                                  bool CommandErr, bool HalfWidthMode, int LogMode, bool Original) {
    Index = -1;
    if (!acStepCommand(Value, LogMode, Original)) return false;
    return acWaitPrompt(TargetPrompt, Index, CommandErr, HalfWidthMode, LogMode + 1);
}

bool TAcadVer4::acNecessaryEscape(int LogMode) {
    if (!LinkCheck(false)) return false;
    std::wstring prompt;
    if (!acGetPrompt(prompt, true, -10000, false)) return false;
    if (prompt == sb::acad::kCommandPromptHalf) return true;
    FLog.Add(L"キャンセル送信「【Esc】」", 4, LogMode);
    return acPostEscape(-10000);
}

bool TAcadVer4::acGetPromptValue(std::wstring& Value, int LogMode, bool NoTrim) {
    Value.clear();
    if (!LinkCheck(false)) return false;
    std::wstring prompt;
    if (!acGetPrompt(prompt, false, -10000, NoTrim)) return false;
    if (prompt.empty()) {
        FLog.Error(L"Value取得時に異常が発生しました");
        return false;
    }
    const sb::acad::PromptValueResult r = sb::acad::PromptValue(prompt);
    if (!r.Ok) {
        FLog.Error(L"Value取得時に異常が発生しました プロンプトが不正です");
        return false;
    }
    Value = r.Value;
    FLog.Add(L"Value取得「" + Value + L"」", 4, LogMode);
    return true;
}

bool TAcadVer4::CommandEndCheck() {
    if (!LinkCheck(false)) return false;
    for (int round = 0; round < 21; ++round) {
        if (StopCheck()) return false;
        std::wstring prompt;
        if (!CheckedPrompt(prompt, true, -10000, false)) return false;
        if (prompt == sb::acad::kCommandPromptHalf) return true;
        Wait(10);
    }
    FLog.Error(L"コマンドが正常に終了していません。");
    return false;
}
