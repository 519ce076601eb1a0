// Another program (sb_clipboard_holder.exe, beside the test program) holding the clipboard open
// until Release.
#pragma once

#include <windows.h>

#include <string>

namespace channel_test {

class ClipboardHolder {
public:
    ClipboardHolder() {
        const std::wstring id = std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount());
        const std::wstring readyName = L"SbClipHolderReady-" + id, releaseName = L"SbClipHolderRelease-" + id;
        ready_ = CreateEventW(nullptr, TRUE, FALSE, readyName.c_str());
        release_ = CreateEventW(nullptr, TRUE, FALSE, releaseName.c_str());
        std::wstring cmd = L"\"" + HelperPath() + L"\" " + readyName + L" " + releaseName;
        STARTUPINFOW si{};
        si.cb = sizeof si;
        if (CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_)) {
            HANDLE both[2] = {ready_, pi_.hProcess};
            holding_ = WaitForMultipleObjects(2, both, FALSE, 20000) == WAIT_OBJECT_0;
        }
    }
    ~ClipboardHolder() {
        Release();
        if (pi_.hProcess) {
            CloseHandle(pi_.hProcess);
            CloseHandle(pi_.hThread);
        }
        CloseHandle(ready_);
        CloseHandle(release_);
    }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;

    bool holding() const { return holding_; }
    // Lets go of the clipboard; returns once the holder has ended.
    void Release() {
        SetEvent(release_);
        if (pi_.hProcess) WaitForSingleObject(pi_.hProcess, 10000);
    }

private:
    static std::wstring HelperPath() {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring p = path;
        return p.substr(0, p.find_last_of(L"\\/") + 1) + L"sb_clipboard_holder.exe";
    }
    HANDLE ready_ = nullptr, release_ = nullptr;
    PROCESS_INFORMATION pi_{};
    bool holding_ = false;
};

// The clipboard's text put there by "the user" / read back (opened without an owner window).
inline bool SetUserClipboardText(const std::wstring& text) {
    bool open = false;
    for (int i = 0; i < 100 && !(open = OpenClipboard(nullptr) != FALSE); ++i) Sleep(20);
    if (!open) return false;
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    bool ok = false;
    if (void* p = mem ? GlobalLock(mem) : nullptr) {
        memcpy(p, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(mem);
        ok = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
    }
    CloseClipboard();
    return ok;
}

inline bool UserClipboardText(std::wstring& out) {
    out.clear();
    bool open = false;
    for (int i = 0; i < 100 && !(open = OpenClipboard(nullptr) != FALSE); ++i) Sleep(20);
    if (!open) return false;
    bool ok = false;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
            out.assign(p, wcsnlen(p, GlobalSize(h) / sizeof(wchar_t)));
            GlobalUnlock(h);
            ok = true;
        }
    }
    CloseClipboard();
    return ok;
}

}  // namespace channel_test
