#include "WinTestSupport.h"

#include <algorithm>

namespace sbtest {

const wchar_t* PlainClass() {
    static const wchar_t* name = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SbTestPlain";
        RegisterClassW(&wc);
        return L"SbTestPlain";
    }();
    return name;
}

HWND MakeWindow(const wchar_t* className, const wchar_t* text, DWORD style, HWND parent) {
    return CreateWindowExW(0, className, text, style, 0, 0, 100, 50, parent, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

bool WaitUntil(const std::function<bool()>& Done, unsigned TimeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + TimeoutMs;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (Done()) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 20)),
                                    QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path, n);
    return s.substr(0, s.find_last_of(L'\\') + 1);
}

HelperProcess::HelperProcess(const std::wstring& title) {
    exePath_ = ProgramFolder() + L"sb_common_helper.exe";
    const std::wstring eventName = L"SbCommonHelperReady" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                                   std::to_wstring(GetTickCount64());
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    if (!ready) return;
    std::wstring commandLine = L"\"" + exePath_ + L"\" " + eventName + L" " + title;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    if (CreateProcessW(exePath_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                       &info_)) {
        HANDLE waits[2] = {ready, info_.hProcess};
        if (WaitForMultipleObjects(2, waits, FALSE, 20000) == WAIT_OBJECT_0) {
            WaitUntil([&] { return (window_ = FindWindowW(L"SbCommonHelperWindow", title.c_str())) != nullptr; },
                      5000);
        }
    }
    CloseHandle(ready);
}

HelperProcess::~HelperProcess() {
    if (!info_.hProcess) return;
    if (window_ && IsWindow(window_)) PostMessageW(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info_.hProcess, 5000) != WAIT_OBJECT_0) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

}  // namespace sbtest
