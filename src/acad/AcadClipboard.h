// AutoCAD's whole history through the clipboard: the text window is asked to copy it
// (WM_COMMAND 32781), and the user's clipboard text is saved first and put back on every path.
// A read counts only when the clipboard really changed after the copy command and AutoCAD (or
// nobody) owns it: the user's own text is never taken for AutoCAD's history.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct TClipboardHistoryResult {
    bool Ok = false;
    std::wstring Text;          // the history as copied
    int Attempts = 0;           // attempts made (1..5)
    bool Unanswered = false;    // AutoCAD never answered the copy request
    bool OtherReplaced = false; // the user's clipboard held more than text, which is now gone
    bool RestoreFailed = false; // the user's clipboard could not be put back
};

struct TClipboardHistoryOptions {
    static constexpr int kAttempts = 5;
    // Keeps the main thread's messages moving for the given milliseconds.
    std::function<void(unsigned)> Pump;
    // Called before each attempt with its number (from 1); lets a test change the world between
    // attempts.
    std::function<void(int)> BeforeAttempt;
    unsigned SendTimeoutMs = 2000;
    // A copy request AutoCAD did not answer in time (busy, not gone) is asked again, without
    // using up an attempt, until this much time has passed or Stopped says so.
    unsigned DeadlineMs = 0;
    std::function<bool()> Stopped;
};

// TextWindow: AutoCAD's text window; AcadProcessID: AutoCAD's process.
TClipboardHistoryResult ReadHistoryThroughClipboard(HWND TextWindow, DWORD AcadProcessID,
                                                    const TClipboardHistoryOptions& Options);
