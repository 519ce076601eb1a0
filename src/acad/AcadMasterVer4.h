// The one holder of what the program knows about the running AutoCAD: its five windows, process,
// executable, rough release, the remembered state of its text window, and the monitor thread.
// An operation of the main window runs between AcadStart and AcadEnd.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>

#include "log/LogAccessVer4.h"

class TLogVer4;
class TEnumWindowListVer4;
class TAcadMonitorThreadVer4;

class TAcadMasterVer4 {
public:
    // Must be created on the main thread (the monitor's log lines are delivered to it).
    TAcadMasterVer4(TLogVer4* Log, const std::wstring& LogName);
    ~TAcadMasterVer4();
    TAcadMasterVer4(const TAcadMasterVer4&) = delete;
    TAcadMasterVer4& operator=(const TAcadMasterVer4&) = delete;

    TLogAccessVer4& Log() { return FLog; }

    bool CriticalErrorAutoClose() const { return FCriticalErrorAutoClose; }
    void CriticalErrorAutoClose(bool Value) { FCriticalErrorAutoClose = Value; }

    // Setting these also copies them, under AcadLock, into the monitor thread.
    HWND MainHandle() const { return FMainHandle; }
    void MainHandle(HWND Value);
    HWND TextHandle() const { return FTextHandle; }
    void TextHandle(HWND Value);
    DWORD ProcessID() const { return FProcessID; }
    void ProcessID(DWORD Value);
    const std::wstring& ExecPath() const { return FExecPath; }
    void ExecPath(const std::wstring& Value);

    void Claer();
    void Claer2();
    void AcadStart();
    void AcadEnd();
    // All five handles set and each a window.
    bool DataCheck() const;

    // Diagnostic listing of every window of every AutoCAD process (trees at log level 4).
    void LogWindowHandleSub(TEnumWindowListVer4& TargetList);
    void LogWindowHandleSub2(HWND Target, int LogMode);

    std::mutex& AcadLock() { return FAcadLock; }
    TAcadMonitorThreadVer4& MonitorThread() { return *FMonitorThread; }
    // The log level of the log behind the facade (0 without a log).
    int LogLevel();

    HWND ViewHandle = nullptr;
    HWND CommandHandle = nullptr;
    HWND HistoryHandle = nullptr;
    int CadVersion = 0;
    bool FlagVersionCheck = false;
    bool FlagVersionIdentification = false;
    bool AcadListLog = false;
    bool FlagSdiCheck = false;
    std::wstring LastHistroy;
    std::wstring LastPrompt;
    bool Version2011Flag = false;
    bool TextWindowOpenMemory = false;
    RECT TextWindowRectMemory{};
    bool TextWindowMemoryFlag = false;
    // The text window the memory above belongs to: remembered once per operation, not at every
    // search, so a mid-run search never records our own moves as the user's.
    HWND TextWindowMemoryHandle = nullptr;
    bool StartFlag = false;
    std::unique_ptr<TEnumWindowListVer4> EnumWindowList;

private:
    void TextWindowRestore();
    static LRESULT CALLBACK NotifyProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    TLogAccessVer4 FLog;
    std::mutex FAcadLock;  // created before and freed after the monitor thread
    HWND FNotifyWindow = nullptr;  // message-only window of the main thread for the monitor's lines
    std::unique_ptr<TAcadMonitorThreadVer4> FMonitorThread;
    bool FCriticalErrorAutoClose = false;
    HWND FMainHandle = nullptr;
    HWND FTextHandle = nullptr;
    DWORD FProcessID = 0;
    std::wstring FExecPath;
};
