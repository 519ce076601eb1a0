// Reading windows and processes of other programs.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "common/CommonVer4.h"
#include "common/ProcessPath.h"

namespace {

struct HandleCloser {
    void operator()(HANDLE h) const { if (h) CloseHandle(h); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

using QueryImageNameFn = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);

QueryImageNameFn ImageNameQuery() {
    HMODULE kernel = GetModuleHandleW(L"Kernel32.dll");
    if (!kernel) return nullptr;
    return reinterpret_cast<QueryImageNameFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "QueryFullProcessImageNameW")));
}

}  // namespace

std::wstring GetWindowTitle(HWND Handle) {
    if (!IsWindow(Handle)) return {};
    wchar_t buffer[1024] = {};
    const int n = GetWindowTextW(Handle, buffer, 1024);
    return std::wstring(buffer, static_cast<std::size_t>(std::clamp(n, 0, 1023)));
}

std::wstring GetWindowClassName(HWND Handle) {
    if (!IsWindow(Handle)) return {};
    wchar_t buffer[1024] = {};
    const int n = GetClassNameW(Handle, buffer, 1024);
    return std::wstring(buffer, static_cast<std::size_t>(std::clamp(n, 0, 1023)));
}

bool TryGetControlText(HWND Handle, std::wstring& Text, unsigned TimeoutMs) {
    if (!IsWindow(Handle)) return false;
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(Handle, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, TimeoutMs, &length)) return false;
    const LRESULT signedLength = static_cast<LRESULT>(length);
    if (signedLength <= 0) {
        Text.clear();
        return true;
    }
    // The text may grow between the two messages: WM_GETTEXT gets the buffer's size and its
    // own count decides how much is taken.
    const std::size_t capacity = static_cast<std::size_t>(std::min<LRESULT>(signedLength, kControlTextCap)) + 1;
    std::vector<wchar_t> buffer;
    try {
        buffer.assign(capacity, L'\0');
    } catch (...) {
        return false;
    }
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(Handle, WM_GETTEXT, capacity, reinterpret_cast<LPARAM>(buffer.data()),
                             SMTO_ABORTIFHUNG, TimeoutMs, &copied))
        return false;
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(copied), capacity - 1);
    Text.assign(buffer.data(), n);
    return true;
}

std::wstring GetControlText(HWND Handle, unsigned TimeoutMs) {
    std::wstring text;
    if (!TryGetControlText(Handle, text, TimeoutMs)) return {};
    return text;
}

DWORD GetWindowProcessID(HWND Handle) {
    if (!IsWindow(Handle)) return 0;
    DWORD pid = 0;
    GetWindowThreadProcessId(Handle, &pid);
    return pid;
}

namespace sb::common {

bool HasImageNameQuery() { return ImageNameQuery() != nullptr; }

std::wstring ExePathByImageName(DWORD ProcessId) {
    const QueryImageNameFn query = ImageNameQuery();
    if (!query || ProcessId == 0) return {};
    UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ProcessId));
    if (!process) return {};
    wchar_t buffer[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!query(process.get(), 0, buffer, &size)) return {};
    return std::wstring(buffer, std::min<DWORD>(size, MAX_PATH - 1));
}

std::wstring ExePathByModuleName(DWORD ProcessId) {
    if (ProcessId == 0) return {};
    UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ProcessId));
    if (!process) return {};
    wchar_t buffer[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameExW(process.get(), nullptr, buffer, MAX_PATH);
    if (n == 0) return {};
    return std::wstring(buffer, std::min<DWORD>(n, MAX_PATH - 1));
}

}  // namespace sb::common

std::wstring GetWindowExePath(HWND Handle) {
    const DWORD pid = GetWindowProcessID(Handle);
    if (pid == 0) return {};
    return sb::common::HasImageNameQuery() ? sb::common::ExePathByImageName(pid)
                                           : sb::common::ExePathByModuleName(pid);
}
