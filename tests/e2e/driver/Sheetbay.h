// Sheetbay.exe driven like a user: buttons found by caption, runs awaited, the log read back.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "e2e/driver/Process.h"

namespace e2e {

class Sheetbay {
public:
    ~Sheetbay() { stop(); }

    bool start(const std::wstring& exe, const std::vector<std::wstring>& args, const std::wstring& folder,
               std::wstring& error, DWORD timeoutMs = 20000);
    bool stop() { return process_.stop(); }
    HWND mainWindow() const { return main_; }
    ProcessGuard& process() { return process_; }

    HWND control(const std::wstring& caption) const;  // any descendant of the main window
    // Presses the button and waits until the run it starts has ended: the Stop button "中断"
    // is disabled again.
    bool runButton(const std::wstring& caption, DWORD timeoutMs = 60000);
    bool waitRunEnded(DWORD timeoutMs) const;
    // The lines of the log list (the main window's list box with LBS_HASSTRINGS).
    bool logLines(std::vector<std::wstring>& lines) const;
    // The log file written beside the program on exit.
    std::wstring logFilePath() const;

private:
    ProcessGuard process_;
    std::wstring exe_;
    HWND main_ = nullptr;
};

// The first top-level window of the process that is visible and has no owner.
HWND mainWindowOf(DWORD pid);
// A descendant list box whose items are strings.
HWND findStringListBox(HWND parent);

}  // namespace e2e
