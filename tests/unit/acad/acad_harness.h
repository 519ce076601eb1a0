// Test harness for the AutoCAD session under Wine: a hidden host window with the real log, a UI
// thread that plays AutoCAD's windows (frame with MDI client, text window with its "Marin" pane)
// and raises dialog boxes, and waits on conditions with a deadline.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "acad/AcadMasterVer4.h"
#include "acad/AcadThreadVer4.h"
#include "acad/AcadVer4.h"
#include "log/LogVer4.h"

namespace harness {

// Pumps this thread's messages until Cond holds or TimeoutMs passed; returns Cond's last value.
bool WaitUntil(const std::function<bool()>& Cond, unsigned TimeoutMs);

// A thread with a message loop that runs tasks for the test.
class UiThread {
public:
    UiThread();
    ~UiThread();
    void Run(const std::function<void()>& Task);

private:
    void Loop();
    std::thread thread_;
    DWORD id_ = 0;
    HANDLE ready_ = nullptr;
};

struct DialogSpec {
    DialogSpec(std::wstring title, std::vector<std::wstring> body = {},
               std::vector<std::pair<std::wstring, int>> buttons = {{L"OK", IDOK}}, std::wstring checkbox = {})
        : Title(std::move(title)), Body(std::move(body)), Buttons(std::move(buttons)), Checkbox(std::move(checkbox)) {}
    std::wstring Title;
    std::vector<std::wstring> Body;     // static texts
    std::vector<std::pair<std::wstring, int>> Buttons;
    std::wstring Checkbox;              // empty: none
    int X = 200, Y = 200;
};

struct DialogRecord {
    std::wstring ClosedBy;  // "", "WM_CLOSE", "IDOK", "IDCANCEL", "IDYES", "IDNO"
    bool Checked = false;
};

// AutoCAD's windows, owned by a UI thread of this process.
class FakeAcad {
public:
    FakeAcad();
    ~FakeAcad();
    HWND Frame = nullptr, View = nullptr, Text = nullptr, Command = nullptr, History = nullptr;
    HWND Drawing = nullptr;

    HWND ShowDialog(const DialogSpec& Plan);
    DialogRecord Record(HWND Dialog);
    bool Open(HWND Dialog) { return IsWindow(Dialog) != FALSE; }
    void Run(const std::function<void()>& Task) { ui_.Run(Task); }

private:
    UiThread ui_;
};

// The real log on a hidden host window (hidden: the watcher must never meet a window of the
// main thread, which does not pump while a test asserts).
class LogHarness {
public:
    LogHarness();
    ~LogHarness();
    TLogVer4& Log() { return *log_; }
    bool Has(const std::wstring& Fragment) const;
    int Count(const std::wstring& Fragment) const;
    // Index of the first line containing Fragment, or -1.
    int IndexOf(const std::wstring& Fragment) const;
    std::wstring Dump() const;

private:
    HWND host_ = nullptr;
    std::unique_ptr<TLogVer4> log_;
};

// Master and component wired to the fake AutoCAD as if a search had found it.
void AttachFake(TAcadMasterVer4& Master, const FakeAcad& Fake);

template <class F>
auto Locked(TAcadMasterVer4& Master, F f) {
    std::lock_guard<std::mutex> lock(Master.AcadLock());
    return f(Master.MonitorThread());
}

}  // namespace harness
