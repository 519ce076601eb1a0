// TAcadVer4: the release of the AutoCAD being driven, corrected once per search from its version
// system variables.
#include <cstdio>
#include <string>

#include "acad/AcadVer4.h"
#include "acad/VersionCore.h"

namespace {

constexpr int kSilentDepth = -10000;

std::wstring Right10(int Value) {
    wchar_t text[16];
    std::swprintf(text, 16, L"%10d", Value);
    return text;
}

}  // namespace

bool TAcadVer4::acVersionCheck(int LogMode, bool DebugLog) {
    auto debug = [&](const wchar_t* Text) {
        if (DebugLog) FLog.Add(Text, 4, 1);
    };
    debug(L"acVersionCheck開始");
    if (!LinkCheck(DebugLog)) {
        debug(L"リンクチェックの異常により終了");
        return false;
    }
    if (!OpenWindowWait(LogMode, DebugLog)) {
        debug(L"ウインドウ情報の異常により終了");
        return false;
    }
    TAcadMasterVer4& m = *FMaster;
    if (m.FlagVersionCheck) {
        debug(L"バージョンチェックは既に行っているので終了");
        return true;
    }
    FLog.Add(L"バージョンチェック", 2, LogMode);
    if (m.CadVersion < 2007) {
        // Before Unicode releases the command prompt's width tells 2002 from 2004.
        for (int i = 0; i < 2; ++i) {
            FLog.Add(L"キャンセル送信「【Esc】」", 4, LogMode + 1);
            if (!acPostEscape(kSilentDepth)) return false;
        }
        std::wstring prompt;
        if (!acGetPrompt(prompt, false, LogMode + 1, false)) return false;
        const int byPrompt = sb::acad::VersionFromCommandPrompt(prompt);
        if (byPrompt == 0) {
            FLog.Error(L"コマンドプロンプトの全角半角が判定出来ませんでした。");
            return false;
        }
        m.CadVersion = byPrompt;
    }
    int result = 0;
    std::wstring answer;
    if (acGetSystemVar(L"VERSION", answer, LogMode + 1, true))
        result = sb::acad::VersionFromVersionVar(answer);
    else if (acGetSystemVar(L"ACADVER", answer, LogMode + 1, true))
        result = sb::acad::VersionFromAcadVer(answer);
    if (result == 0 && IsWindowUnicode(m.MainHandle())) {
        FLog.Sub(L"AutoCADのバージョンは2018以降であるとします。", 3, LogMode);
        result = 2018;
    }
    if (result == 2011) m.Version2011Flag = true;
    if (result != 0) {
        m.CadVersion = result;
        FLog.Sub(L"AutoCADのバージョン  " + Right10(m.CadVersion), 3, LogMode);
        m.FlagVersionIdentification = true;
    } else {
        FLog.Sub(L"システム変数での補正は出来ませんでした。AutoCADのバージョンは " + Right10(m.CadVersion) + L" と仮定します。",
                 3, LogMode);
        m.FlagVersionIdentification = false;
    }
    m.FlagVersionCheck = true;
    return true;
}

int TAcadVer4::acGetVersion(int DefaultVersion) {
    if (!FMaster) return DefaultVersion;
    const TAcadMasterVer4& m = *FMaster;
    return sb::acad::ChooseVersion(m.FlagVersionCheck, m.FlagVersionIdentification, m.CadVersion, DefaultVersion);
}
