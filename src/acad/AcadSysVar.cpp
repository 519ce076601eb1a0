// TAcadVer4: reading and setting system variables the way a user does at the command line, their
// backup and restore, and the UNDO command.
#include <string>
#include <vector>

#include "acad/AcadVer4.h"
#include "acad/PromptText.h"
#include "acad/SysVarCore.h"
#include "common/CommonVer4.h"

namespace {

constexpr int kSilentDepth = -10000;

}  // namespace

void TAcadVer4::EscapeAfterFailure(int LogMode) {
    // A command left half-answered would take the user's next keys as its answer; a first Stop must
    // not prevent the cancel (a second one does).
    const bool back = FCompulsion.Mode;
    SetCompulsionMode(true);
    acNecessaryEscape(LogMode);
    SetCompulsionMode(back);
}

bool TAcadVer4::acGetSystemVar(const std::wstring& Target, std::wstring& RetValue, int LogMode, bool NoError) {
    RetValue.clear();
    FLog.Add(L"システム変数" + Target + L"を取得", 3, LogMode);
    if (!CommandDataCheck(Target)) return false;
    if (!LinkCheck(false) || !acNecessaryEscape(LogMode + 1)) return false;
    int index = -1;
    if (!acStepWaitCommand(Target + L"^m", Target + L"*", index, false, false, LogMode + 1, false)) return false;
    std::wstring value;
    if (index == 1) {
        if (!acGetPromptValue(value, LogMode + 1, false)) {
            EscapeAfterFailure(LogMode + 1);
            return false;
        }
        // A variable always has a value: a prompt without one is not the variable's answer.
        if (value.empty()) {
            if (!NoError) FLog.Error(L"システム変数の取得に失敗しました。書式が正しく読み取れません");
            EscapeAfterFailure(LogMode + 1);
            return false;
        }
        if (!acPostEscape(LogMode + 1)) return false;
    } else {
        auto fail = [&](const wchar_t* Error) {
            if (!NoError && Error) FLog.Error(Error);
            EscapeAfterFailure(LogMode + 1);
            return false;
        };
        std::vector<std::wstring> lines;
        if (!acGetHistoryForClipboard(lines, false, kSilentDepth)) return fail(nullptr);
        const std::vector<std::wstring> below = sb::acad::LinesBelowEcho(lines, Target, ToHalfWidth);
        switch (sb::acad::ReadOnlyValue(below, Target, value)) {
            case sb::acad::VarReadResult::Ok:
                break;
            case sb::acad::VarReadResult::NotFound:
                return fail(L"システム変数の取得に失敗しました。履歴でコマンドが見つかりません");
            case sb::acad::VarReadResult::Unreadable:
                return fail(L"システム変数の取得に失敗しました。履歴が正しく読み取れません");
            case sb::acad::VarReadResult::BadFormat:
                return fail(L"システム変数の取得に失敗しました。書式が正しく読み取れません");
        }
    }
    RetValue = value;
    FLog.Sub(L"Value取得「" + RetValue + L"」", 4, LogMode + 1);
    return true;
}

bool TAcadVer4::SubSetSystemVar(const std::wstring& Target, const std::wstring& SetValue, std::wstring& RetValue,
                                bool& ChangeFlag, int LogMode, bool NeedPrevious) {
    RetValue.clear();
    ChangeFlag = false;
    if (SetValue.empty()) {
        FLog.Add(L"システム変数" + Target + L"は設定されていないので変更しません", 3, LogMode);
        return true;
    }
    FLog.Add(L"システム変数" + Target + L"を" + SetValue + L"に設定", 3, LogMode);
    const std::wstring typed = sb::acad::TypedVariableValue(Target, SetValue);
    if (!CommandDataCheck(Target) || !CommandDataCheck(typed)) return false;
    if (!LinkCheck(false) || !acNecessaryEscape(LogMode + 1)) return false;
    int index = -1;
    if (!acStepWaitCommand(Target + L"^m", Target + L"*", index, false, false, LogMode + 1, false)) {
        EscapeAfterFailure(LogMode + 1);
        return false;
    }
    if (index == 0) {
        FLog.Error(L"システム変数の設定に失敗しました。設定出来ないか、不正なシステム変数名である可能性があります");
        // A dialog may have held the name back: its prompt must not stay open.
        EscapeAfterFailure(LogMode + 1);
        return false;
    }
    if (!acGetPromptValue(RetValue, LogMode + 1, false)) {
        EscapeAfterFailure(LogMode + 1);
        return false;
    }
    // A previous value that could not be read cannot be put back: change nothing.
    if (NeedPrevious && RetValue.empty()) {
        FLog.Error(L"システム変数" + Target + L"の現在の値が読み取れないため変更しません");
        EscapeAfterFailure(LogMode + 1);
        return false;
    }
    if (sb::acad::SameVariableValue(Target, SetValue, RetValue, LocaleUpperCase)) {
        FLog.Sub(L"既に設定出来ているので中止します", 4, LogMode);
        return acPostEscape(LogMode + 1);
    }
    // From the first key of the value on, the variable may have changed: it must be restorable.
    ChangeFlag = true;
    if (!acSendCommand(typed + L"^m", Target + L"*", index, false, false, LogMode + 1, false)) {
        EscapeAfterFailure(LogMode + 1);
        return false;
    }
    if (index != 0) {
        FLog.Error(L"システム変数の設定に失敗しました。設定値が不正である可能性があります");
        EscapeAfterFailure(LogMode + 1);
        return false;
    }
    std::wstring history;
    if (!acGetHistory(history, false, LogMode + 1)) return false;
    switch (sb::acad::SetAnswerCheck(history, Target)) {
        case sb::acad::VarSetResult::Ok:
            break;
        case sb::acad::VarSetResult::NotFound:
            FLog.Error(L"システム変数の取得に失敗しました。履歴でコマンドが見つかりません");
            return false;
        case sb::acad::VarSetResult::Unreadable:
            FLog.Error(L"システム変数の取得に失敗しました。履歴が正しく読み取れません");
            return false;
        case sb::acad::VarSetResult::Invalid:
            FLog.Error(L"システム変数の設定値が無効です。");
            return false;
    }
    return acNecessaryEscape(LogMode + 1);
}

bool TAcadVer4::acSetSystemVar(const std::wstring& Target, const std::wstring& SetValue, std::wstring& RetValue,
                               bool& ChangeFlag, int LogMode) {
    return SubSetSystemVar(Target, SetValue, RetValue, ChangeFlag, LogMode, false);
}

bool TAcadVer4::acSetSystemVar(const std::wstring& Target, const std::wstring& SetValue, std::wstring& RetValue,
                               int LogMode) {
    bool change = false;
    return SubSetSystemVar(Target, SetValue, RetValue, change, LogMode, false);
}

bool TAcadVer4::acSetSystemVar(const std::wstring& Target, const std::wstring& SetValue, int LogMode) {
    std::wstring previous;
    bool change = false;
    return SubSetSystemVar(Target, SetValue, previous, change, LogMode, false);
}

bool TAcadVer4::acSetSystemVar(const std::wstring& Target, const std::wstring& SetValue,
                               TCadBackUpListVer4& BackupList, int LogMode) {
    std::wstring previous;
    bool change = false;
    const bool result = SubSetSystemVar(Target, SetValue, previous, change, LogMode, true);
    if (change) BackupList.Add({Target, previous});
    return result;
}

bool TAcadVer4::acUndoSystemVar(const TCadBackUpListVer4& BackupList, int LogMode) {
    if (BackupList.Count() == 0) return true;
    const bool back = FCompulsion.Mode;
    SetCompulsionMode(true);
    auto attention = [this](const std::wstring& Line) { FLog.Attention(Line); };
    bool result;
    if (!LinkCheck(false)) {
        // Nothing could be restored: say so for every variable, so the user can put it back.
        result = sb::acad::RestoreNewestFirst(BackupList, [](const TCadBackUpVer4&) { return false; }, attention);
    } else {
        FLog.Add(L"システム変数を復元", 2, LogMode);
        result = sb::acad::RestoreNewestFirst(
            BackupList,
            [&](const TCadBackUpVer4& Entry) {
                if (acSetSystemVar(Entry.Target, Entry.StrValue, LogMode + 1)) return true;
                // A dialog closed meanwhile may have started a command: once more, from its prompt.
                FLog.Add(L"システム変数" + Entry.Target + L"の復元をやり直します", 3, LogMode + 1);
                return acSetSystemVar(Entry.Target, Entry.StrValue, LogMode + 1);
            },
            attention);
    }
    SetCompulsionMode(back);
    return result;
}

bool TAcadVer4::acUndoStart(int LogMode) {
    FLog.Add(L"Undoのグループ化開始", 2, LogMode);
    return acNecessaryEscape(LogMode + 1) && acSendCommand(L"_UNDO^mBE^m", LogMode + 1, false);
}

bool TAcadVer4::acUndoEnd(int LogMode) {
    FLog.Add(L"Undoのグループ化終了", 2, LogMode);
    return acNecessaryEscape(LogMode + 1) && acSendCommand(L"_UNDO^mE^m", LogMode + 1, false);
}

bool TAcadVer4::acUndo(int RepeatCount, int LogMode) {
    FLog.Add(L"Undo実行", 2, LogMode);
    if (RepeatCount <= 0) {
        FLog.Error(L"実行回数が0以下になっています");
        return false;
    }
    return acNecessaryEscape(LogMode + 1) &&
           acSendCommand(L"_UNDO^m" + std::to_wstring(RepeatCount) + L"^m", LogMode + 1, false);
}
