// TAcadVer4: the linked drawing's path and saving it, both through AutoCAD's SAVEAS with its file
// dialogs switched off.
#include <mutex>
#include <string>

#include "acad/AcadThreadVer4.h"
#include "acad/AcadVer4.h"
#include "acad/SaveCore.h"

namespace {

constexpr int kSilentDepth = -10000;

sb::acad::FileFacts FactsOf(const std::wstring& Path) {
    sb::acad::FileFacts facts;
    if (Path.empty()) return facts;
    const DWORD attributes = GetFileAttributesW(Path.c_str());
    facts.Exists = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    facts.ReadOnly = facts.Exists && (attributes & FILE_ATTRIBUTE_READONLY);
    return facts;
}

}  // namespace

bool TAcadVer4::UntitledCheck(int LogMode) {
    std::wstring titled;
    if (!acGetSystemVar(L"DWGTITLED", titled, LogMode, false) || !EscapeWait(LogMode)) return false;
    if (titled == L"0") {
        FLog.Error(sb::acad::kUntitledDrawingText);
        return false;
    }
    return true;
}

bool TAcadVer4::acGetFilePath(std::wstring& Path, int LogMode) {
    Path.clear();
    FLog.Add(L"ファイルのフルパスを取得", 2, LogMode);
    if (!LinkCheck(false)) return false;
    if (!UntitledCheck(LogMode + 1)) return false;
    TCadBackUpListVer4 backup;
    bool typed = false;
    bool result = false;
    do {
        // With FILEDIA still 1 SAVEAS would open its modal dialog: type nothing.
        if (!acSetSystemVar(L"FILEDIA", L"0", backup, LogMode + 1)) break;
        if (!acNecessaryEscape(LogMode + 1) || !EscapeWait(LogMode + 1)) break;
        typed = true;
        if (!acPostCommand(L"_SAVEAS^m", LogMode + 1, false)) break;
        if (!acSkipPrompt(L"図面に名前*", true, true, LogMode + 1)) break;
        std::wstring value;
        if (!acGetPromptValue(value, LogMode + 1, true)) break;
        if (!acPostEscape(LogMode + 1)) break;
        Path = value;
        result = true;
    } while (false);
    if (!result && typed) EscapeAfterFailure(LogMode + 1);
    acUndoSystemVar(backup, LogMode + 1);
    return result;
}

bool TAcadVer4::acSaveAs(const std::wstring& Path, const std::wstring& Option, int LogMode) {
    std::wstring path, option;
    return acSaveAs(Path, Option, path, option, LogMode);
}

bool TAcadVer4::acSaveAs(const std::wstring& Path, const std::wstring& Option, std::wstring& OrignalPath,
                         std::wstring& OrignalOption, int LogMode) {
    OrignalPath.clear();
    OrignalOption.clear();
    FLog.Add(L"ファイル保存", 2, LogMode);
    if (!LinkCheck(false)) return false;
    const int depth = LogMode + 1;
    if (!CommandDataCheck(Path) || !CommandDataCheck(Option)) return false;
    // A never-saved drawing would be saved over a file of the default name.
    if (Path.empty() && !UntitledCheck(depth)) return false;
    TCadBackUpListVer4 backup;
    {
        std::lock_guard<std::mutex> lock(FMaster->AcadLock());
        FMaster->MonitorThread().FileSaveErrorFlag = false;
    }
    bool typed = false;
    bool result = false;
    do {
        if (!acSetSystemVar(L"FILEDIA", L"0", backup, depth)) break;
        if (!acNecessaryEscape(depth)) break;
        typed = true;
        if (!acPostCommand(L"_SAVEAS^m", depth, false)) break;
        int index = -1;
        if (!acSkipPrompt(L"ﾌｧｲﾙ形式*|[*", index, true, true, depth)) break;
        if (!acGetPromptValue(OrignalOption, depth, true)) break;
        if (!Option.empty()) {
            if (!acPostCommand(Option + L"^m", depth, false)) break;
            if (!acSkipPrompt(L"ﾌｧｲﾙ形式*|[*|図面に名前*", index, true, true, depth)) break;
            if (index != 3) {
                FLog.Error(sb::acad::kSaveOptionText);
                break;
            }
        }
        if (!acSkipPrompt(L"図面に名前*", index, true, true, depth)) break;
        if (!acGetPromptValue(OrignalPath, depth, true)) break;
        const std::wstring refusal = sb::acad::SaveFileCheckMessage(Path, FactsOf(OrignalPath), FactsOf(Path));
        if (!refusal.empty()) {
            FLog.Error(refusal);
            break;
        }
        if (!Path.empty() && !acPostCommand(Path, depth, true)) break;
        std::wstring reference;
        if (!acGetHistory(reference, true, kSilentDepth)) break;
        if (!acDirectCommand(L"^m", depth, false)) break;
        if (!SaveCompletionWait(reference)) break;
        if (!acSkipPrompt(L"置き換えますか*|図面に名前*", index, false, true, depth)) break;
        if (index == 1) {
            if (!acPostCommand(L"Y^m", depth, false) || !ReplaceAnswered()) break;
            if (!acSkipPrompt(depth)) {
                WriteProtectionSeen();
                break;
            }
        } else if (index == 2) {
            FLog.Error(sb::acad::kSamePromptText);
            break;
        }
        // The write-protection dialog may come only after the replace answer.
        if (WriteProtectionSeen()) break;
        if (!Path.empty()) {
            std::wstring history;
            if (!acGetHistory(history, false, kSilentDepth)) break;
            const sb::acad::SaveConfirm confirm = sb::acad::SaveHistoryConfirm(history, Path);
            if (confirm == sb::acad::SaveConfirm::PathNotFound) {
                FLog.Error(sb::acad::kSaveConfirmText);
                break;
            }
            if (confirm == sb::acad::SaveConfirm::Invalid) {
                FLog.Error(sb::acad::kSaveBadPathText);
                break;
            }
        }
        result = acNecessaryEscape(depth) && EscapeWait(depth);
    } while (false);
    // SAVEAS must not stay half-answered before FILEDIA goes back.
    if (!result && typed) EscapeAfterFailure(depth);
    acUndoSystemVar(backup, depth);
    return result;
}

bool TAcadVer4::SaveCompletionWait(const std::wstring& Reference) {
    for (int round = 0; round < 1000; ++round) {
        Wait(30);
        if (StopCheck()) return false;
        std::wstring history, prompt;
        if (!acGetHistory(history, true, kSilentDepth) || !acGetPrompt(prompt, true, kSilentDepth, false)) return false;
        if (history != Reference && prompt.find(L"図面に名前") == std::wstring::npos) return true;
        if (WriteProtectionSeen()) return false;
    }
    return true;
}

bool TAcadVer4::ReplaceAnswered() {
    // While AutoCAD shows its write-protection dialog the question stays on the command line; an
    // Enter for it would be taken later by the command prompt and start SAVEAS again.
    for (int round = 0; round < 300; ++round) {
        if (WriteProtectionSeen()) return false;
        std::wstring prompt;
        if (!acGetPrompt(prompt, true, kSilentDepth, false)) return false;
        if (prompt.find(L"置き換えますか") == std::wstring::npos) return true;
        Wait(30);
        if (StopCheck()) return false;
    }
    return true;
}

bool TAcadVer4::WriteProtectionSeen() {
    bool seen;
    {
        std::lock_guard<std::mutex> lock(FMaster->AcadLock());
        seen = FMaster->MonitorThread().FileSaveErrorFlag;
    }
    if (seen) FLog.Error(sb::acad::kSaveWriteProtectedText);
    return seen;
}
