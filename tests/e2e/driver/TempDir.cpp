#include "e2e/driver/TempDir.h"

#include <windows.h>

#include <memory>

namespace e2e {

namespace {
struct FindCloser {
    void operator()(HANDLE h) const {
        if (h != INVALID_HANDLE_VALUE) FindClose(h);
    }
};
struct FileCloser {
    void operator()(HANDLE h) const {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};
using UniqueFind = std::unique_ptr<void, FindCloser>;
using UniqueFile = std::unique_ptr<void, FileCloser>;
}  // namespace

TempDir::TempDir(const std::wstring& prefix) {
    wchar_t base[MAX_PATH + 1] = {};
    DWORD n = GetTempPathW(MAX_PATH, base);
    if (n == 0 || n > MAX_PATH) return;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring candidate = std::wstring(base) + prefix + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(attempt);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
    }
}

TempDir::~TempDir() {
    if (!path_.empty()) removeTree(path_);
}

bool removeTree(const std::wstring& path) {
    WIN32_FIND_DATAW fd;
    UniqueFind find(FindFirstFileW((path + L"\\*").c_str(), &fd));
    bool ok = true;
    if (find.get() != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring full = path + L"\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                ok = removeTree(full) && ok;
            } else {
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                ok = DeleteFileW(full.c_str()) && ok;
            }
        } while (FindNextFileW(find.get(), &fd));
    }
    find.reset();
    return RemoveDirectoryW(path.c_str()) && ok;
}

bool writeTextFile(const std::wstring& path, const std::string& utf8) {
    UniqueFile h(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (h.get() == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    return WriteFile(h.get(), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr) && written == utf8.size();
}

bool readTextFile(const std::wstring& path, std::string& out) {
    UniqueFile h(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (h.get() == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h.get(), &size) || size.QuadPart > (64 << 20)) return false;
    out.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    return out.empty() || (ReadFile(h.get(), out.data(), static_cast<DWORD>(out.size()), &got, nullptr) && got == out.size());
}

bool fileExists(const std::wstring& path) {
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace e2e
