// One operation's components in a test process, driving the stand-in ACAD.EXE: the real log on a
// hidden host window of this thread (hidden: the watcher must not meet windows of ours), the master
// with its monitor thread started, and the automation component wired to it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "acad/AcadMasterVer4.h"
#include "acad/AcadVer4.h"
#include "e2e/driver/Wait.h"
#include "log/LogVer4.h"

namespace acad_test {

// Where the test suites' sessions differ; the rest is the main window's wiring.
struct AcadSessionOptions {
    const wchar_t* HostClass = L"AcadSessionTestHost";
    int HostWidth = 800;
    int HostHeight = 600;  // the component may show its owner during a wait
    bool CriticalErrorAutoClose = true;
    bool OwnedByHost = false;  // the host's thread input is attached to bring AutoCAD forward
    bool KeepDrawingsAtRelease = false;  // no save, close, backup or delete at release
    std::optional<int> WaitTimeActive{};  // the component's own when unset
    std::optional<int> WaitTimeCommand{};
    bool EndAtTeardown = true;  // AcadEnd restores the text window before the components go
};

class AcadSession {
public:
    explicit AcadSession(const AcadSessionOptions& o) : endAtTeardown_(o.EndAtTeardown) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = o.HostClass;
        RegisterClassExW(&wc);  // fails harmlessly for every session after the first
        host = CreateWindowExW(0, o.HostClass, L"Sheetbay", WS_OVERLAPPEDWINDOW, 0, 0, o.HostWidth, o.HostHeight,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        log = std::make_unique<TLogVer4>(host, 1);
        log->xLevelValue(4);
        master = std::make_unique<TAcadMasterVer4>(log.get(), L"監視スレッド");
        if (o.CriticalErrorAutoClose) master->CriticalErrorAutoClose(true);
        acad = std::make_unique<TAcadVer4>(log.get(), L"CAD");
        acad->Master(master.get());
        if (o.OwnedByHost) acad->Owner(host);
        if (o.KeepDrawingsAtRelease) {
            acad->LinkFreeAutoSave(false);
            acad->LinkFreeAutoClose(false);
            acad->LinkFreeAutoBackup(false);
            acad->LinkFreeAutoDelete(false);
        }
        if (o.WaitTimeActive) acad->WaitTime_Active(*o.WaitTimeActive);
        if (o.WaitTimeCommand) acad->WaitTime_Command(*o.WaitTimeCommand);
        master->AcadStart();
    }
    ~AcadSession() {
        if (endAtTeardown_ && master) master->AcadEnd();
        acad.reset();
        master.reset();
        log.reset();
        DestroyWindow(host);
    }
    AcadSession(const AcadSession&) = delete;
    AcadSession& operator=(const AcadSession&) = delete;

    // The first log line from index from on that holds fragment, or -1.
    int IndexOf(const std::wstring& fragment, int from = 0) const {
        const auto& lines = log->Core().Lines();
        for (std::size_t i = static_cast<std::size_t>(from); i < lines.size(); ++i)
            if (lines[i].Text.find(fragment) != std::wstring::npos) return static_cast<int>(i);
        return -1;
    }
    bool Has(const std::wstring& fragment) const { return IndexOf(fragment) >= 0; }
    int Count(const std::wstring& fragment) const {
        int n = 0;
        for (const auto& l : log->Core().Lines()) n += l.Text.find(fragment) != std::wstring::npos;
        return n;
    }
    // The whole log, for failure messages.
    std::string Dump() const {
        std::wstring all;
        for (const auto& l : log->Core().Lines()) all += l.Text + L"\n";
        return e2e::toUtf8(all);
    }

    HWND host = nullptr;
    std::unique_ptr<TLogVer4> log;
    std::unique_ptr<TAcadMasterVer4> master;
    std::unique_ptr<TAcadVer4> acad;

private:
    bool endAtTeardown_;
};

}  // namespace acad_test
