// The interpreter's file services on Windows, plus the RAII handles the shell uses.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "FileSystem.h"

namespace acadsim {

struct HandleCloser {
    void operator()(HANDLE h) const {
        if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

struct GdiDeleter {
    void operator()(HGDIOBJ o) const {
        if (o) DeleteObject(o);
    }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiDeleter>;
using UniqueGdi = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, GdiDeleter>;

// An object selected into a device context for one scope.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    ~Selected() {
        if (old_) SelectObject(dc_, old_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

class Win32Files : public FileSystem {
public:
    bool fileExists(const std::wstring& path) override;
    bool folderExists(const std::wstring& path) override;
    bool isReadOnly(const std::wstring& path) override;
    bool writeFile(const std::wstring& path, const std::string& bytes) override;
    bool toAnsi(const std::wstring& text, std::string& out) override;
};

bool readWholeFile(const std::wstring& path, std::string& out, size_t limit);
// Writes beside the target and renames over it, so a reader never sees half a file.
bool writeFileAtomically(const std::wstring& path, const std::string& bytes);
std::wstring fromCodePage(const char* bytes, size_t size, UINT codePage);

}  // namespace acadsim
