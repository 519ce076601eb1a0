// The watcher's dialog test: gathers the facts of one window for the dialog table, clicks the
// proxy dialog's button, raises the flags and hands the line over.
#include "acad/AcadThreadVer4.h"
#include "common/CommonVer4.h"

namespace {

constexpr UINT kClickTimeoutMs = 1000;

bool HasToolbarGrandChild(HWND Window) {
    HWND first = GetWindow(Window, GW_CHILD);
    if (!first) return false;
    HWND inner = GetWindow(first, GW_CHILD);
    return inner && NormalizeTitle(GetWindowClassName(inner)).rfind(L"TOOLBARWINDOW", 0) == 0;
}

// Normalised texts of the first ten direct children, joined with nothing between them.
std::wstring DialogBody(HWND Window) {
    std::wstring body;
    HWND child = nullptr;
    for (int i = 0; i < 10; ++i) {
        child = FindWindowExW(Window, child, nullptr, nullptr);
        if (!child) break;
        body += NormalizeTitle(GetWindowTitle(child));
    }
    return body;
}

}  // namespace

bool TAcadMonitorThreadVer4::WindowCheck(HWND WindowHandle, const std::wstring& TitleName,
                                         const std::wstring& ClassName, int& WindowAction) {
    WindowAction = 0;
    sb::acad::DialogFacts facts;
    facts.Title = TitleName;
    facts.Class = ClassName;
    facts.ToolbarChild = HasToolbarGrandChild(WindowHandle);
    facts.Body = [WindowHandle] { return DialogBody(WindowHandle); };
    FProxyButton = nullptr;
    facts.ProxyHideButton = [this, WindowHandle] {
        FProxyButton = FindChildWindow(WindowHandle, nullptr, L"Button", false, L"*表示しない*", kClickTimeoutMs);
        return FProxyButton != nullptr;
    };
    {
        std::lock_guard<std::mutex> lock(AcadLock);
        facts.FilterDialogOkMode = FilterDialogOkMode;
        facts.PrintDialogOkMode = PrintDialogOkMode;
        facts.CriticalErrorAutoClose = CriticalErrorAutoClose;
        facts.LinkReadOnlyPermission = LinkReadOnlyPermission;
        facts.FileOutErrorFlag = FileOutErrorFlag;
    }
    const sb::acad::DialogVerdict v = sb::acad::MatchDialog(facts);
    WindowAction = v.Action;

    if (v.ClickProxyButton && FProxyButton) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(FProxyButton, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL, kClickTimeoutMs, &result);
    }

    auto raise = [&] {
        if (v.Flags == 0) return;
        std::lock_guard<std::mutex> lock(AcadLock);
        if (v.Flags & sb::acad::kFlagEndError) EndErrorFlag = true;
        if (v.Flags & sb::acad::kFlagFileOpenError) FileOpenErrorFlag = true;
        if (v.Flags & sb::acad::kFlagCriticalError) CriticalErrorFlag = true;
        if (v.Flags & sb::acad::kFlagCommandExecError) CommandExecErrorFlag = true;
        if (v.Flags & sb::acad::kFlagFileSaveError) FileSaveErrorFlag = true;
        if (v.Flags & sb::acad::kFlagReadOnlyLink) ReadOnlyLinkFlag = true;
        if (v.Flags & sb::acad::kFlagReadOnlyError) ReadOnlyErrorFlag = true;
        if (v.Flags & sb::acad::kFlagFileOutError) FileOutErrorFlag = true;
        if ((v.Flags & sb::acad::kFlagRecordFilterDialog) && !FilterDialogHandle) FilterDialogHandle = WindowHandle;
        if ((v.Flags & sb::acad::kFlagRecordPrintDialog) && !PrintDialogHandle) PrintDialogHandle = WindowHandle;
    };
    if (!v.FlagsAfterLog) raise();
    if (!v.LogText.empty()) LogSet(v.LogText, v.LogLevel, v.LogContinue);
    if (v.FlagsAfterLog) raise();
    return v.NeedsNoAttention;
}
