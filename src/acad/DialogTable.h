// The watcher's table of AutoCAD dialogs: which known dialog a visible top-level window of the
// AutoCAD process is, what to do with it, which flags to raise and what to report. Window-free:
// the window facts come in as values and lazy callbacks.
#pragma once

#include <functional>
#include <string>

namespace sb::acad {

// Actions on a dialog window (the watcher performs them).
enum DialogAction : int {
    kActionNone = 0,
    kActionClose = 1,      // WM_CLOSE
    kActionYes = 2,        // WM_COMMAND IDYES
    kActionNo = 3,         // WM_COMMAND IDNO
    kActionOk = 4,         // WM_COMMAND IDOK
    kActionCancel = 5,     // WM_COMMAND IDCANCEL
    kActionPostOk = 14,    // WM_COMMAND IDOK, posted
};

// Flags raised under the lock.
enum DialogFlag : unsigned {
    kFlagEndError = 1u << 0,
    kFlagFileOpenError = 1u << 1,
    kFlagCriticalError = 1u << 2,
    kFlagCommandExecError = 1u << 3,
    kFlagFileSaveError = 1u << 4,
    kFlagReadOnlyLink = 1u << 5,
    kFlagReadOnlyError = 1u << 6,
    kFlagFileOutError = 1u << 7,
    kFlagRecordFilterDialog = 1u << 8,  // FilterDialogHandle := window if still 0
    kFlagRecordPrintDialog = 1u << 9,   // PrintDialogHandle := window if still 0
};

struct DialogFacts {
    std::wstring Title;  // normalised title T
    std::wstring Class;  // normalised class C
    bool ToolbarChild = false;  // the first child's first child's class starts with "TOOLBARWINDOW"
    // The joined, normalised texts of the first ten direct children; asked at most once, and only
    // when the title rows did not decide.
    std::function<std::wstring()> Body;
    // A direct "Button" child whose text matches "*表示しない*" exists (proxy dialog).
    std::function<bool()> ProxyHideButton;
    bool FilterDialogOkMode = false;
    bool PrintDialogOkMode = false;
    bool CriticalErrorAutoClose = false;
    bool LinkReadOnlyPermission = false;
    bool FileOutErrorFlag = false;
};

struct DialogVerdict {
    bool NeedsNoAttention = true;  // WindowCheck's result: false = a known dialog
    int Action = kActionNone;
    bool ClickProxyButton = false;  // BM_CLICK the proxy dialog's button before the action
    unsigned Flags = 0;
    bool FlagsAfterLog = false;     // raise the flags after the line was handed over
    std::wstring LogText;           // empty = no line
    int LogLevel = 0;               // LogSet level: 0 Add, 2 Report, 6 Error
    bool LogContinue = false;       // LogSet's ContinueFlag
    std::string Row;                // the table row that decided ("" = none), for tests and traces
};

DialogVerdict MatchDialog(const DialogFacts& Facts);

}  // namespace sb::acad
