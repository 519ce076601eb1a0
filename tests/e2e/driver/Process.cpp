#include "e2e/driver/Process.h"

#include "e2e/driver/Wait.h"

namespace e2e {

namespace {

std::wstring quote(const std::wstring& s) {
    if (!s.empty() && s.find_first_of(L" \t\"") == std::wstring::npos) return s;
    std::wstring out = L"\"";
    for (wchar_t c : s) {
        if (c == L'"') out += L'\\';
        out += c;
    }
    return out + L"\"";
}

}  // namespace

bool ProcessGuard::start(const std::wstring& exe, const std::vector<std::wstring>& args, const std::wstring& folder,
                         std::wstring& error) {
    stop();
    std::wstring cmd = quote(exe);
    for (const auto& a : args) cmd += L" " + quote(a);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
        error = L"CreateProcessW failed for " + exe + L", error " + std::to_wstring(GetLastError());
        return false;
    }
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    pid_ = pi.dwProcessId;
    return true;
}

bool ProcessGuard::running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool ProcessGuard::waitExit(DWORD timeoutMs, DWORD* exitCode) {
    if (!process_) return true;
    bool ended = waitUntil([&] { return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }, timeoutMs);
    if (ended && exitCode) GetExitCodeProcess(process_, exitCode);
    return ended;
}

bool ProcessGuard::stop(DWORD politeMs) {
    if (!process_) return true;
    bool byItself = true;
    if (running()) {
        for (HWND w : topLevelWindows(pid_))
            if (!GetWindow(w, GW_OWNER)) PostMessageW(w, WM_CLOSE, 0, 0);
        if (!waitExit(politeMs)) {
            byItself = false;
            TerminateProcess(process_, 99);
            WaitForSingleObject(process_, 5000);
        }
    }
    CloseHandle(process_);
    process_ = nullptr;
    pid_ = 0;
    return byItself;
}

std::vector<HWND> topLevelWindows(DWORD pid) {
    struct Ctx {
        DWORD pid;
        std::vector<HWND> found;
    } ctx{pid, {}};
    EnumWindows(
        [](HWND w, LPARAM l) -> BOOL {
            auto* c = reinterpret_cast<Ctx*>(l);
            DWORD p = 0;
            GetWindowThreadProcessId(w, &p);
            if (p == c->pid) c->found.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&ctx));
    return ctx.found;
}

HWND findTopLevel(DWORD pid, const wchar_t* className, const wchar_t* titlePart) {
    for (HWND w : topLevelWindows(pid)) {
        wchar_t cls[256] = {}, title[512] = {};
        GetClassNameW(w, cls, 255);
        if (className && std::wstring(cls) != className) continue;
        if (titlePart) {
            GetWindowTextW(w, title, 511);
            if (std::wstring(title).find(titlePart) == std::wstring::npos) continue;
        }
        return w;
    }
    return nullptr;
}

}  // namespace e2e
