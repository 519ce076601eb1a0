#include "Win32Files.h"

#include <algorithm>

namespace acadsim {

bool Win32Files::fileExists(const std::wstring& path) {
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Files::folderExists(const std::wstring& path) {
    std::wstring p = path;
    if (p.size() == 2 && p[1] == L':') p += L"\\";
    DWORD a = GetFileAttributesW(p.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Files::isReadOnly(const std::wstring& path) {
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY);
}

static bool writeAll(const std::wstring& path, const std::string& bytes) {
    UniqueHandle h(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (h.get() == INVALID_HANDLE_VALUE) return false;
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(h.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

bool Win32Files::writeFile(const std::wstring& path, const std::string& bytes) { return writeAll(path, bytes); }

bool Win32Files::toAnsi(const std::wstring& text, std::string& out) {
    out.clear();
    if (text.empty()) return true;
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return false;
    out.resize(static_cast<size_t>(n));
    n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()), out.data(), n,
                            nullptr, &usedDefault);
    return n > 0 && !usedDefault;
}

bool readWholeFile(const std::wstring& path, std::string& out, size_t limit) {
    UniqueHandle h(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (h.get() == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h.get(), &size) || size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > limit)
        return false;
    out.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < out.size()) {
        DWORD got = 0;
        if (!ReadFile(h.get(), out.data() + done, static_cast<DWORD>(out.size() - done), &got, nullptr) || got == 0)
            return false;
        done += got;
    }
    return true;
}

bool writeFileAtomically(const std::wstring& path, const std::string& bytes) {
    std::wstring tmp = path + L".tmp";
    if (!writeAll(tmp, bytes)) return false;
    if (!MoveFileExW(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(tmp.c_str());
        return false;
    }
    return true;
}

std::wstring fromCodePage(const char* bytes, size_t size, UINT codePage) {
    if (size == 0) return {};
    int n = MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(size), nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(size), out.data(), n);
    return out;
}

}  // namespace acadsim
