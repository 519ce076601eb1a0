// TAcadVer4: linking to one drawing window, releasing the link (with the optional save, close and
// working-copy steps), and the link's work files.
#include <cstdint>
#include <string>

#include "acad/AcadCore.h"
#include "acad/AcadVer4.h"
#include "common/CommonVer4.h"
#include "common/WorkFileCore.h"
#include "common/WorkFolderVer4.h"
#include "log/LogVer4.h"

namespace {

bool FileExists(const std::wstring& Path) {
    const DWORD attributes = GetFileAttributesW(Path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring ExecutableBaseName() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return sb::common::ChangeFileExtToNone(sb::common::ExtractFileName(path));
}

}  // namespace

bool TAcadVer4::SubLinkStart(const wchar_t* Title) {
    FLog.Add(Title, 1, 1);
    if (!MasterLinkCheck()) return false;
    if (FLinkHandle) {
        FLog.Emergency(L"リンク済みです");
        return false;
    }
    if (!FMaster->DataCheck() && !AcadHandleSearch(false)) return false;
    if (IsIconic(FMaster->MainHandle())) OpenIcon(FMaster->MainHandle());
    return true;
}

bool TAcadVer4::SubLinkFinish(HWND Handle, int Mode) {
    FLinkHandle = Handle;
    FLinkPath.clear();
    FLinkOriginalPath.clear();
    FLinkFileOpen = false;
    FLinkFileCopy = false;
    FLinkMode = Mode;
    FSuccess = false;
    // A stop request made before the link does not count against compulsion mode.
    FCompulsion.BreakingCount = FLog.BreakingCount();
    FLog.Sub(sb::acad::HandleLine(L"リンクウインドウ     %10d %8x",
                                  static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(Handle))),
             4, 1);
    if (!acVersionCheck(1, false)) return false;  // the link stays: the caller releases it
    FilterList.clear();
    return true;
}

bool TAcadVer4::HandleLink(HWND Handle) {
    if (!SubLinkStart(L"図面にリンク")) return false;
    if (!Handle || !IsWindow(Handle)) {
        FLog.Error(L"指定したハンドルが無効です");
        return false;
    }
    if (GetParent(Handle) != FMaster->ViewHandle) {
        FLog.Emergency(L"指定したハンドルがビューウインドウの子ウインドウではありません");
        return false;
    }
    return SubLinkFinish(Handle, 2);
}

bool TAcadVer4::ActiveLink() {
    if (!SubLinkStart(L"アクティブ図面にリンク")) return false;
    HWND active = nullptr;
    if (!GetActiveHandle(active, true, false)) return false;
    return SubLinkFinish(active, 1);
}

void TAcadVer4::LinkClear() {
    FLinkHandle = nullptr;
    FLinkPath.clear();
    FLinkOriginalPath.clear();
    FLinkFileOpen = false;
    FLinkFileCopy = false;
    FLinkMode = 0;
    DxfOutUniqueFile.clear();
    BeforeDxfOutPath.clear();
    DxfList.clear();
    BeforeWmfOutPath.clear();
}

bool TAcadVer4::LinkFree() {
    const bool linked = FLinkHandle && IsWindow(FLinkHandle);
    if (linked) FLog.Add(L"リンク解放", 1, 1);
    if (!MasterLinkCheck()) return false;
    FLastMainHandle = FMaster->MainHandle();
    const bool back = FCompulsion.Mode;
    SetCompulsionMode(true);
    const bool result = SubLinkFree(linked);
    UniqueFileDelete(2);
    SetCompulsionMode(back);
    CompulsionClear();
    LinkClear();
    if (linked) FLog.Sub(L"解放完了", 2, 1);
    return result;
}

bool TAcadVer4::SubLinkFree(bool Linked) {
    if (Linked && FLinkFreeAutoSave) {
        if (FReadOnlyLinkFlag) {
            FLog.Sub(L"読込専用のため保存処理はスキップします", 2, 1);
        } else {
            FLog.Sub(L"解放前に保存します", 2, 1);
            if (!acSaveAs(L"", L"", 2)) {
                FReadOnlyLinkFlag = true;
                if (FLinkFreeAutoClose && FLinkFileOpen) FLog.Report(L"保存出来なかったためファイルを閉じません");
            }
        }
    }
    if (Linked && FLinkFreeAutoClose && !FReadOnlyLinkFlag) {
        if (FLinkFileOpen) {
            bool saved = true;
            if (!FLinkFreeAutoSave) {
                FLog.Sub(L"解放前に保存します", 2, 1);
                saved = acSaveAs(L"", L"", 2);
            }
            if (!saved && FLinkFileCopy) {
                FLog.Error(L"作業ファイルが保存出来なかったためファイルを閉じません");
                return false;
            }
            if (!saved)
                FLog.Report(L"保存出来なかったためファイルを閉じません");
            else if (!SubLinkClose())
                return false;
        } else if (!FLinkPath.empty()) {
            FLog.Report(L"既に開いていたファイルなので閉じません");
        }
    }
    if (FLinkFreeAutoBackUp && FLinkFileCopy) {
        if (FSuccess) {
            // The backup selector belongs to the further automation features; none is built.
            if (!FAutoBackUpSelect) {
                FLog.Emergency(L"AutoBackUpSelectにリンクしていません");
                return false;
            }
        } else {
            FLog.Sub(L"作業ファイルの最終処理は行いません", 0, 1);
        }
    }
    if (FLinkFreeAutoDelete && FLinkFileCopy && FLinkFileOpen && !FReadOnlyLinkFlag) {
        const std::wstring dwg = sb::common::ChangeFileExt(FLinkPath, L".DWG");
        if (FileExists(dwg)) {
            FLog.Sub(L"作業ファイルを削除します " + sb::common::ExtractFileName(dwg), 2, 1);
            if (!DeleteFileW(dwg.c_str())) {
                FLog.Error(L"作業ファイルの削除に失敗しました");
                return false;
            }
        }
        const std::wstring bak = sb::common::ChangeFileExt(FLinkPath, L".BAK");
        if (FileExists(bak)) {
            FLog.Sub(L"Bakファイルも削除します " + sb::common::ExtractFileName(bak), 2, 1);
            if (!DeleteFileW(bak.c_str())) {
                FLog.Error(L"Bakファイルの削除に失敗しました");
                return false;
            }
        }
    }
    return true;
}

bool TAcadVer4::SubLinkClose() {
    if (!acNecessaryEscape(2) || !acNecessaryEscape(2)) return false;
    if (!FMaster->FlagSdiCheck) {
        FMaster->FlagSdiCheck = true;
        FLog.Sub(L"SDIチェック", 2, 1);
        std::wstring sdi;
        if (acGetSystemVar(L"SDI", sdi, 2, true) && sdi == L"1") {
            FLog.Error(L"AutoCADがSDIモードになっています。SDIモードは解除してください。");
            FLog.Memo(L"SDIモードではファイルの開閉操作が正常にできないためSDIモードは解除してください。");
            return false;
        }
    }
    FLog.Sub(L"図面を閉じます", 2, 1);
    if (!acDirectCommand(L"Close^m", 2, false)) return false;
    FLog.Sub(L"クローズ完了待ち", 3, 1);
    for (int waits = 1;; ++waits) {
        CommandWait(2, true);
        if (waits == 101) {
            FLog.Error(L"図面のクローズが確認できません");
            FLog.Confirmation(L"SDIモードになっていませんか？");
            FLog.Memo(L"もしお使いのAutoCADがSDIモードになっている場合、");
            FLog.Memo(L"ファイルの開閉操作が正常にできないためSDIモードは解除してください。");
            return false;
        }
        if (!OpenWindowWait(2, false)) return false;
        FLog.Plus(L".", 3, 1);
        if (!IsWindow(FLinkHandle)) return true;
    }
}

bool TAcadVer4::UniqueFileCreate(std::wstring& Path, const std::wstring& FirstName, const std::wstring& TargetExt,
                                 bool AutoDelete, int LogMode) {
    Path.clear();
    const std::wstring first = FirstName.empty() ? FName : FirstName;
    FLog.Add(L"作業ファイル生成 ", 2, LogMode);
    if (!UniqueFileName(WorkFolderPath(), ExecutableBaseName() + first, TargetExt, false, Path)) {
        FLog.Error(L"作業ファイルの生成に失敗しました");
        return false;
    }
    if (AutoDelete) UniqueFileList.push_back(Path);
    FLog.Plus(sb::common::ExtractFileName(Path), 2, LogMode);
    return true;
}

void TAcadVer4::UniqueFileDelete(int LogMode) {
    if (UniqueFileList.empty()) return;
    const std::wstring folder = WorkFolderPath();
    for (const std::wstring& path : UniqueFileList) {
        if (FileExists(path)) {
            FLog.Add(L"作業ファイルを削除します " + sb::common::ExtractFileName(path), 2, LogMode);
            if (!DeleteFileW(path.c_str())) FLog.Error(L"作業ファイルの削除に失敗しました");
        }
        // A file exported beside the user's drawing keeps the user's own .BAK.
        if (!sb::common::IsDirectlyInFolder(path, folder, LocaleUpperCase)) continue;
        const std::wstring bak = sb::common::ChangeFileExt(path, L".BAK");
        if (FileExists(bak)) {
            FLog.Add(L"作業Bakファイルも削除します " + sb::common::ExtractFileName(bak), 2, LogMode);
            if (!DeleteFileW(bak.c_str())) FLog.Error(L"作業Bakファイルの削除に失敗しました");
        }
    }
    DxfOutUniqueFile.clear();
    UniqueFileList.clear();
}
