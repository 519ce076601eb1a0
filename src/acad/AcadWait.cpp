// TAcadVer4: waits, the stop test and compulsion mode.
#include <mutex>
#include <vector>

#include "acad/AcadThreadVer4.h"
#include "acad/AcadVer4.h"
#include "log/LogVer4.h"

void TAcadVer4::ProcessMessages() {
    TLogVer4* log = FLog.Log();
    if (log && log->MessagePump) {
        log->MessagePump();
    } else {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    // The monitor's lines normally arrive by message; this also delivers them if that failed.
    if (FMaster) FMaster->MonitorThread().DrainLog();
}

void TAcadVer4::Wait(unsigned WaitTime) {
    const DWORD start = GetTickCount();
    for (;;) {
        ProcessMessages();
        const DWORD elapsed = GetTickCount() - start;  // unsigned: the wrap-around does no harm
        if (elapsed >= WaitTime) return;
        // Sleep until a message arrives or the time is up: responsive without burning a core.
        MsgWaitForMultipleObjectsEx(0, nullptr, WaitTime - elapsed, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

void TAcadVer4::ActiveWait(int LogMode) {
    FLog.Add(L"図面切替ウエイト", 4, LogMode);
    Wait(FWaitTime_Active);
}

void TAcadVer4::CommandWait(int LogMode, bool NoLog) {
    if (!NoLog) FLog.Add(L"コマンド間ウエイト", 4, LogMode);
    Wait(FWaitTime_Command);
}

bool TAcadVer4::OpenWindowWait(int LogMode, bool DebugLog) {
    if (DebugLog) FLog.Add(L"OpenWindowWait", 4, 1);
    if (!MasterLinkCheck()) {
        if (DebugLog) FLog.Add(L"MasterLinkCheckの異常により終了", 4, 1);
        return false;
    }
    TAcadMasterVer4& m = *FMaster;
    // AutoCAD that cannot be found is not "free of dialogs".
    if (!m.DataCheck() && !AcadHandleSearch(true)) {
        FLog.Error(L"起動済みのAutoCADを発見出来ませんでした。");
        return false;
    }
    TAcadMonitorThreadVer4& monitor = m.MonitorThread();
    const bool ownerVisible = FOwner && IsWindowVisible(FOwner);
    auto mayShowOwner = [this] { return FOwner && IsWindow(FOwner) && (!OwnerShowAllowed || OwnerShowAllowed()); };
    int errorCount = 0;
    bool shown = false;
    bool result = false;
    for (;;) {
        if (StopCheck()) break;
        if (!IsWindow(m.MainHandle())) {
            FLog.Error(L"起動済みのAutoCADを発見出来ませんでした。");
            break;
        }
        int okCount, noCount;
        bool endError;
        {
            std::lock_guard<std::mutex> lock(m.AcadLock());
            okCount = monitor.OkCount;
            noCount = monitor.NoCount;
            endError = monitor.EndErrorFlag;
            if (monitor.DialogCycles != FDialogCyclesSeen) FDialogSeen = true;
        }
        if (endError && ++errorCount >= 5) {
            if (DebugLog) FLog.Add(L"ErrorEndCountにより終了", 4, 1);
            break;
        }
        if (okCount >= 3 && errorCount == 0) {
            result = true;
            break;
        }
        if (noCount >= 3 && !shown) {
            shown = true;
            if (mayShowOwner() && !IsWindowVisible(FOwner)) ShowWindow(FOwner, SW_SHOW);
            if (!endError) FLog.Add(L"待機中", 2, LogMode + 1);
        }
        Wait(100);
    }
    if (FOwner && IsWindow(FOwner) && (IsWindowVisible(FOwner) != FALSE) != ownerVisible) {
        if (!ownerVisible)
            ShowWindow(FOwner, SW_HIDE);
        else if (mayShowOwner())
            ShowWindow(FOwner, SW_SHOW);
    }
    {
        std::lock_guard<std::mutex> lock(m.AcadLock());
        monitor.EndErrorFlag = false;
    }
    return result;
}

void TAcadVer4::CompulsionClear() { sb::acad::CompulsionClear(FCompulsion, FLog.BreakingCount()); }

void TAcadVer4::SetCompulsionMode(bool Value) {
    if (Value == FCompulsion.Mode) return;
    FCompulsion.Mode = Value;
    CompulsionCheck();
}

bool TAcadVer4::CompulsionCheck() {
    std::vector<std::wstring> reports;
    const bool counts = sb::acad::CompulsionCheck(FCompulsion, FLog.BreakingCheck(), FLog.BreakingCount(), reports);
    for (const std::wstring& r : reports) FLog.Report(r);
    return counts;
}

bool TAcadVer4::StopCheck() {
    if (CompulsionCheck()) return FLog.BreakingCheck();
    ProcessMessages();
    return false;
}
