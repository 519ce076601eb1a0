// The monitor thread: while an operation runs it watches AutoCAD's top-level windows, answers or
// closes the dialogs it knows, raises error flags for the main thread, keeps the text window at a
// usable size and counts the cycles that were free of dialogs. It never touches the log: its lines
// are queued and drained on the main thread (DrainLog, driven by a message to the master's window).
#pragma once

#include <windows.h>

#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "acad/AcadCore.h"
#include "acad/DialogTable.h"

class TLogAccessVer4;
class TEnumWindowListVer4;

// Owns a Win32 handle and closes it once.
class TWinHandle {
public:
    TWinHandle() = default;
    explicit TWinHandle(HANDLE h) : h_(h) {}
    ~TWinHandle() { reset(); }
    TWinHandle(const TWinHandle&) = delete;
    TWinHandle& operator=(const TWinHandle&) = delete;
    HANDLE get() const { return h_; }
    void reset(HANDLE h = nullptr) {
        if (h_) CloseHandle(h_);
        h_ = h;
    }

private:
    HANDLE h_ = nullptr;
};

class TAcadMonitorThreadVer4 {
public:
    // Lock is the master's AcadLock; NotifyWindow (a window of the main thread) receives
    // NotifyMessage whenever a line was queued. The thread starts at once.
    TAcadMonitorThreadVer4(std::mutex& Lock, TLogAccessVer4* Log, HWND NotifyWindow, UINT NotifyMessage);
    // Wakes the thread and joins it; every action inside a cycle is bounded, so this returns.
    ~TAcadMonitorThreadVer4();
    TAcadMonitorThreadVer4(const TAcadMonitorThreadVer4&) = delete;
    TAcadMonitorThreadVer4& operator=(const TAcadMonitorThreadVer4&) = delete;

    // Main thread: hands the queued lines to the log in order (re-entrant calls return at once).
    void DrainLog();
    // Asks the thread to end and waits for it (also done by the destructor).
    void Terminate();

    // Shared with the main thread; touched only under the lock.
    HWND MainHandle = nullptr;
    HWND TextHandle = nullptr;
    DWORD ProcessID = 0;
    std::wstring ExecPath;
    bool ExecFlag = false;
    std::wstring BackLog;
    bool CriticalErrorAutoClose = false;
    bool LinkReadOnlyPermission = false;
    int OkCount = 0;
    int NoCount = 0;
    // Cycles that met a dialog, never reset: tells the main thread a dialog came and went between
    // two of its looks. Written by the monitor thread, read by the main thread, under AcadLock.
    unsigned DialogCycles = 0;
    bool CriticalErrorFlag = false;
    bool CommandExecErrorFlag = false;
    bool FileOpenErrorFlag = false;
    bool ReadOnlyErrorFlag = false;
    bool ReadOnlyLinkFlag = false;
    bool FileOutErrorFlag = false;
    bool FileSaveErrorFlag = false;
    bool EndErrorFlag = false;
    HWND FilterDialogHandle = nullptr;
    bool FilterDialogOkMode = false;
    HWND PrintDialogHandle = nullptr;
    bool PrintDialogOkMode = false;

    // Monitor thread (public for the component tests): the dialog test of one window.
    bool WindowCheck(HWND WindowHandle, const std::wstring& TitleName, const std::wstring& ClassName,
                     int& WindowAction);
    // Monitor thread: queues one line for the main thread (repeats with ContinueFlag dropped).
    void LogSet(const std::wstring& Text, int Level, bool ContinueFlag);

private:
    struct QueuedLine {
        std::wstring Text;
        int Level = 0;
    };

    void Execute();
    bool Cycle(TEnumWindowListVer4& List);
    void TextWindowSizeCheck(HWND Text);
    bool PerformAction(HWND Window, int Action);
    bool Sleep(DWORD Milliseconds);  // false when asked to terminate
    bool Terminating() const;

    std::mutex& AcadLock;
    TLogAccessVer4* MasterLog;
    HWND FNotifyWindow;
    UINT FNotifyMessage;
    std::deque<QueuedLine> FQueue;  // under AcadLock
    bool FDraining = false;         // main thread only
    HWND FProxyButton = nullptr;    // monitor thread only: the button row 8 found
    TWinHandle FTerminateEvent;
    std::thread FThread;
};
