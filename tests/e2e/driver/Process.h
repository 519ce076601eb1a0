// A started program that is always stopped again: closed politely, then terminated.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

class ProcessGuard {
public:
    ProcessGuard() = default;
    ~ProcessGuard() { stop(); }
    ProcessGuard(const ProcessGuard&) = delete;
    ProcessGuard& operator=(const ProcessGuard&) = delete;

    // exe and each argument are quoted as needed; false (with a reason) when it cannot start.
    bool start(const std::wstring& exe, const std::vector<std::wstring>& args, const std::wstring& folder,
               std::wstring& error);
    bool running() const;
    DWORD pid() const { return pid_; }
    HANDLE handle() const { return process_; }
    // Waits for the end; false when it is still running after timeoutMs.
    bool waitExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
    // WM_CLOSE to its top-level windows, then TerminateProcess when it has not ended by the deadline.
    // True when it ended by itself.
    bool stop(DWORD politeMs = 10000);  // generous: a loaded machine closes windows slowly

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// Visible or hidden top-level windows of a process, in Z order.
std::vector<HWND> topLevelWindows(DWORD pid);
HWND findTopLevel(DWORD pid, const wchar_t* className, const wchar_t* titlePart = nullptr);

}  // namespace e2e
