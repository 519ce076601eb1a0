// The AutoCAD stand-in started for one test: its scenario, its windows, its channel and its state.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "e2e/driver/Process.h"
#include "e2e/driver/TempDir.h"

namespace e2e {

// The windows Sheetbay looks for, found by the same rules.
struct AcadWindows {
    HWND frame = nullptr, mdiClient = nullptr, text = nullptr, commandLine = nullptr, history = nullptr;
    bool complete() const { return frame && mdiClient && text && commandLine && history; }
};
AcadWindows findAcadWindows(DWORD pid);

class StandIn {
public:
    // acadExe: the built ACAD.EXE (Linux or Windows path). folder: where scenario, state, copies go.
    StandIn(std::wstring acadExe, std::wstring folder) : acadExe_(std::move(acadExe)), folder_(std::move(folder)) {}
    ~StandIn() { stop(); }
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

    // Writes the scenario (in the slow profile with its latency and busy period merged in, see
    // Profile.h), copies ACAD.EXE to the executable name the scenario's release.exe names
    // (ACLT.EXE, ACADLT.EXE) inside the folder, starts it and waits for its windows and first state.
    bool start(const std::string& scenarioUtf8, std::wstring& error, DWORD timeoutMs = 20000);
    // Starts without waiting for windows (for scenarios that must be refused); the exit code.
    bool startExpectingExit(const std::string& scenarioUtf8, DWORD& exitCode, DWORD timeoutMs = 20000);
    bool stop() { return process_.stop(); }

    const AcadWindows& windows() const { return windows_; }
    DWORD pid() const { return process_.pid(); }
    ProcessGuard& process() { return process_; }
    std::wstring statePath() const { return folder_ + L"\\state.json"; }
    std::wstring exePath() const { return exePath_; }

    // The channel: WM_COPYDATA dwData 1, UTF-16 or CP932 as the frame is Unicode or not. As with
    // AutoCAD it returns before the text is typed: the windows show the old state for a while.
    bool send(const std::wstring& text);
    std::wstring commandLine() const;
    std::wstring history() const;
    // WM_COMMAND 32781 to the text window, then the clipboard once it has changed.
    bool copyHistory(std::wstring& text);
    // Waits until the stand-in has typed all that was sent (its state file: "received" counts the
    // last send, "pending" 0, not "busy"), whatever that did.
    bool waitIdle(DWORD timeoutMs = 5000) const;
    // Waits until the command line shows exactly this text. When it showed that text already at
    // the last send, only once that send has been typed in full (never the unchanged old line).
    bool waitCommandLine(const std::wstring& text, DWORD timeoutMs = 5000) const;
    // Sends a whole command, waits until all of it has been typed and the command prompt is back;
    // the history lines it added.
    bool run(const std::wstring& text, std::vector<std::wstring>& added, DWORD timeoutMs = 5000);
    std::wstring commandPrompt() const { return commandPrompt_; }

    // A dialog box of the stand-in once it is fully shown (visible, its controls made).
    HWND waitDialog(const wchar_t* titlePart, DWORD timeoutMs = 5000) const;
    // Every wait above stretches its timeout with deadline() in the slow profile.

    // The state file (UTF-8 JSON).
    bool readState(std::string& json) const;
    // Drawing windows (MDI children with a title), active first.
    std::vector<HWND> drawingWindows() const;

private:
    bool caughtUp() const;  // the state shows every send typed and the thread free

    std::wstring acadExe_, folder_, exePath_;
    unsigned long long awaited_ = 0;  // the stand-in's "received" once it has taken the last send
    std::wstring lineAtSend_;         // the command line just before the last send
    ProcessGuard process_;
    AcadWindows windows_;
    std::wstring commandPrompt_ = L"コマンド: ";
};

std::vector<std::wstring> splitLines(const std::wstring& text);

}  // namespace e2e
