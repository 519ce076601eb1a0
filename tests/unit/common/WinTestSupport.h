// Fixtures for the window tests: owned windows, a window class, a helper process that is always
// ended, and waiting on a condition with a deadline while this thread's messages are handled.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace sbtest {

struct WindowDeleter {
    void operator()(HWND h) const { if (h && IsWindow(h)) DestroyWindow(h); }
};

class OwnedWindow {
public:
    OwnedWindow() = default;
    explicit OwnedWindow(HWND h) : h_(h) {}
    ~OwnedWindow() { WindowDeleter{}(h_); }
    OwnedWindow(OwnedWindow&& o) noexcept : h_(o.h_) { o.h_ = nullptr; }
    OwnedWindow& operator=(OwnedWindow&& o) noexcept {
        if (this != &o) { WindowDeleter{}(h_); h_ = o.h_; o.h_ = nullptr; }
        return *this;
    }
    HWND get() const { return h_; }

private:
    HWND h_ = nullptr;
};

// Registers (once) a plain window class with DefWindowProcW, or with the given procedure.
const wchar_t* PlainClass();
HWND MakeWindow(const wchar_t* className, const wchar_t* text, DWORD style, HWND parent);

// Handles pending messages and waits (without spinning) until Done() or the deadline.
bool WaitUntil(const std::function<bool()>& Done, unsigned TimeoutMs);

// Starts sb_common_helper.exe (beside the test program) with a titled window and waits for it.
class HelperProcess {
public:
    explicit HelperProcess(const std::wstring& title);
    ~HelperProcess();
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;
    bool Started() const { return window_ != nullptr; }
    HWND Window() const { return window_; }
    DWORD ProcessId() const { return info_.dwProcessId; }
    const std::wstring& ExePath() const { return exePath_; }

private:
    PROCESS_INFORMATION info_ = {};
    HWND window_ = nullptr;
    std::wstring exePath_;
};

std::wstring ProgramFolder();

}  // namespace sbtest
