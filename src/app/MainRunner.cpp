// TMainForm: components, first show, the operation runner and closing.
#include <exception>

#include "app/FormUtilVer4.h"
#include "app/MainForm.h"
#include "app/MainFormIds.h"
#include "common/CommonVer4.h"
#include "common/WorkFolderVer4.h"

void TMainForm::CreateComponents() {
    Log->MessageLabel(Control(IDC_MESLABEL));
    Log->xLevelValue(0);
    Log->xListScrollWidth(2000);
    Log->xListItemHeight(13);
    Log->xListFont(L"ＭＳ ゴシック", -13);
    Log->xRefreshTime(150);
    Log->xMessageFontColor(GetSysColor(COLOR_WINDOWTEXT));
    Log->xMessageBrushColor(GetSysColor(COLOR_BTNFACE));
    Log->xAutoHint(false);
    Log->OnMainJumpDemand = [this] { LogMainJumpDemand(); };
    Log->OnLogJumpDemand = [this] { LogLogJumpDemand(); };
    Log->OnLogClick = [](const std::wstring&, const std::wstring&, const std::wstring&, const std::wstring&) {};
    Log->MessagePump = [this] { ProcessMessages(); };

    Ini = std::make_unique<TIniVer4>(Log.get(), L"設定ファイル");
    Ini->OnSave = [this](TIniVer4& ini, int index, int mode) { IniSave(ini, index, mode); };
    Ini->OnLoad = [this](TIniVer4& ini, int index, int mode) { IniLoad(ini, index, mode); };

    AcadMaster = std::make_unique<TAcadMasterVer4>(Log.get(), L"監視スレッド");
    AcadMaster->CriticalErrorAutoClose(true);
    Acad = std::make_unique<TAcadVer4>(Log.get(), L"CAD");
    Acad->Master(AcadMaster.get());
    Acad->WaitTime_Active(500);
    Acad->WaitTime_Command(300);
    Acad->Owner(FHandle);
    // The main window links drawings only to read or save them: never close, save, back up or
    // delete anything when a link is released.
    Acad->LinkFreeAutoClose(false);
    Acad->LinkFreeAutoSave(false);
    Acad->LinkFreeAutoDelete(false);
    Acad->LinkFreeAutoBackup(false);

    SortItem = std::make_unique<TSortVer4>();
    SortItem->Log().Log(Log.get());
    SortItem->Log().LogName(L"ソート");
    SortItem->xMode(SiSortUpper | SiFilename | SiSortReal);
    SortItem->SortType(0);
    // While a close is pending the window stays hidden, whatever a wait would like to show.
    Acad->OwnerShowAllowed = [this] { return !FClosePending; };
}

void TMainForm::FormShow() {
    if (FormShowMemory) return;
    FormShowMemory = true;
    for (auto& [id, hint] : FHints) hint = CaretToLineBreak(hint);
    CreateToolTips();
    LabelCaretToLineBreak(FHandle);
    Log->MainJump();
    ShowPage(IDC_APPPAGE, 0);
    Log->Add(L"起動開始・・・", 0, 1);
    Log->Separator(0);
    Ini->CommandLineLoad(1);
    Log->Separator(0);
    Log->Add(L"起動完了・・・", 0, 1);
}

void TMainForm::LogLogJumpDemand() {
    BackupPage = PageIndex(IDC_APPPAGE);
    ShowPage(IDC_APPPAGE, 2);
}

void TMainForm::LogMainJumpDemand() { ShowPage(IDC_APPPAGE, BackupPage == -1 ? 0 : BackupPage); }

void TMainForm::ReportInternalError(const char* what) {
    std::wstring text = L"予期しない例外が発生しました：";
    for (const char* p = what; p && *p; ++p) text += static_cast<wchar_t>(static_cast<unsigned char>(*p));
    if (Log) Log->Emergency(text);
}

void TMainForm::StartButtonClick(int buttonId) {
    if (FRunFlag) return;
    Log->Clear();
    Log->LogJump();
    FRunFlag = true;
    FMasterStarted = false;
    Guarded([this, buttonId] { RunSteps(buttonId); });
    // End steps: each runs whatever happened before it.
    // The text window is only restored when this run started the master.
    Guarded([this] { if (FMasterStarted) AcadMaster->AcadEnd(); });
    Guarded([this] { Log->Separator(0); });
    Guarded([this] { StopSeting(); });
    Guarded([this] { Log->Separator(0); });
    Guarded([this] { Log->MainJump(); });
    FRunFlag = false;
    Guarded([this] { FormRefresh(); });
    if (FClosePending)
        FinishPendingClose();
    else
        Guarded([this] { SubFormShow(); });
}

void TMainForm::RunSteps(int buttonId) {
    FormRefresh();
    RunSeting();
    if (!WorkFolderPrepare(Log.get(), false)) return;
    FMasterStarted = true;
    AcadMaster->AcadStart();
    MainRoutine(buttonId);
    Log->xMainProgressPosition(Log->xMainProgressPosition());
}

void TMainForm::MainRoutine(int buttonId) {
    Log->xMainProgressMin(0);
    Log->xMainProgressMax(1);
    Log->xMainProgressPosition(0);
    Log->xProgressMin(0);
    Log->xProgressMax(1);
    Log->xProgressPosition(0);
    TDrawWindowListVer4 list;
    if (!Acad->DrawWindowList(list, true, false)) {
        Log->Error(L"AutoCADが起動していません");
        return;
    }
    if (list.Count() == 0) {
        Log->Error(L"図面を開いていません");
        return;
    }
    Log->Separator(0);
    Log->Add(Caption(buttonId) + L"を実行", 0, 1);
    Log->Separator(0);
    if (buttonId >= IDC_ROW1SIDE && buttonId <= IDC_ROW7SIDE)
        SubRowLength(list, buttonId - IDC_ROW1SIDE + 1, true);
    else if (buttonId >= IDC_ROW1LENGTH && buttonId <= IDC_ROW7LENGTH)
        SubRowLength(list, buttonId - IDC_ROW1LENGTH + 1, false);
    else if (buttonId >= IDC_ALLZOOMBUTTON && buttonId <= IDC_ACTIVEEXTZOOMBUTTON)
        SubAllZoom(list, buttonId - IDC_ALLZOOMBUTTON);
    else if (buttonId == IDC_ALLSAVEBUTTON)
        SubAllSave(list);
    else if (buttonId == IDC_NOICONBUTTON)
        SubNoIcon(list);
}

void TMainForm::FormRefresh() {
    EnableWindow(Control(IDC_STOPBUTTON), FRunFlag);
    EnableWindow(Control(IDC_APPENDBUTTON), !FRunFlag);
    EnableWindow(Control(IDC_MAINPAGE), !FRunFlag);
    EnableWindow(Control(IDC_OPTIONPAGE), !FRunFlag);
    CopyEnabledToChildren(Control(IDC_MAINPAGE));
    CopyEnabledToChildren(Control(IDC_OPTIONPAGE));
    // Nothing may write the clipboard while AutoCAD's history is read through it.
    Log->ButtonsEnabled(!FRunFlag);
}

void TMainForm::SubFormShow() {
    if (IsIconic(FHandle)) ShowWindow(FHandle, SW_RESTORE);
    ShowWindow(FHandle, SW_SHOW);
    // The user (or the run) may have put AutoCAD in front: joining the input of the thread that
    // holds the foreground lets this window take it back.
    HWND front = GetForegroundWindow();
    if (front != FHandle && !(front && ForceForeground(FHandle, front))) SetForegroundWindow(FHandle);
    FormShow();
}

void TMainForm::StopButtonClick() { Log->Breaking(); }

void TMainForm::AppEndButtonClick() { PostMessageW(FHandle, WM_CLOSE, 0, 0); }

bool TMainForm::FormCloseQuery() {
    if (FRunFlag) Log->Breaking();
    return true;
}

void TMainForm::FormClose() {
    Ini->Save(ExeSiblingPath(L".INI"), 0, true);
    Log->SaveToFile(ExeSiblingPath(L".Log"));
}

void TMainForm::FinishPendingClose() {
    FClosePending = false;
    FormClose();
    DestroyWindow(FHandle);
}

// The placement option: 1 keeps the window in front always, 2 only while an operation runs.
void TMainForm::RunSeting() {
    if (Checked(IDC_FORMPOSITION0 + 2))
        SetWindowPos(FHandle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TMainForm::StopSeting() {
    const bool always = Checked(IDC_FORMPOSITION0 + 1);
    SetWindowPos(FHandle, always ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TMainForm::IniSave(TIniVer4&, int, int) {}

void TMainForm::IniLoad(TIniVer4&, int, int) {}
