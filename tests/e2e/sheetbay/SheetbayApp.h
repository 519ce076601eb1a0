// Sheetbay.exe started for one test from a copy in the test's own folder, so its settings file,
// log file and work folder land there and nowhere else. Built on the driver's e2e::Sheetbay.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "e2e/driver/Sheetbay.h"

namespace e2e {

class SheetbayApp {
public:
    SheetbayApp(std::wstring builtExe, std::wstring folder) : builtExe_(std::move(builtExe)), folder_(std::move(folder)) {}
    SheetbayApp(const SheetbayApp&) = delete;
    SheetbayApp& operator=(const SheetbayApp&) = delete;

    // Copies the program into the folder, starts it and waits for its main window.
    bool start(std::wstring& error, DWORD timeoutMs = 20000);
    HWND window() const { return sheetbay_.mainWindow(); }
    HWND control(const std::wstring& caption) const { return sheetbay_.control(caption); }
    // A control inside the group of that caption (several check boxes share one caption).
    HWND control(const std::wstring& group, const std::wstring& caption) const;
    // Presses an operation button and returns once the run has ended (Stop disabled again).
    bool run(const std::wstring& caption, DWORD timeoutMs = 60000) { return sheetbay_.runButton(caption, timeoutMs); }
    // Presses a button without waiting; true once a run has visibly started (Stop enabled).
    bool startRun(const std::wstring& caption, DWORD timeoutMs = 10000);
    bool waitIdle(DWORD timeoutMs = 60000) const { return sheetbay_.waitRunEnded(timeoutMs); }
    std::vector<std::wstring> logLines() const;
    bool logHas(const std::wstring& part) const;
    // Asks the window to close and waits for the process to end.
    bool close(DWORD timeoutMs = 20000);
    std::wstring sibling(const wchar_t* extension) const { return folder_ + L"\\Sheetbay" + extension; }
    ProcessGuard& process() { return sheetbay_.process(); }

private:
    std::wstring builtExe_, folder_;
    Sheetbay sheetbay_;
};

bool containsLine(const std::vector<std::wstring>& lines, const std::wstring& part);

}  // namespace e2e
