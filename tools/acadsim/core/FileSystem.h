// File services the interpreter needs, given by the shell (Win32) or by a test (in memory).
#pragma once

#include <string>

namespace acadsim {

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual bool fileExists(const std::wstring& path) = 0;
    virtual bool folderExists(const std::wstring& path) = 0;
    virtual bool isReadOnly(const std::wstring& path) = 0;
    // Replaces the file's contents; false when it cannot be written.
    virtual bool writeFile(const std::wstring& path, const std::string& bytes) = 0;
    // Text in the system's ANSI code page (CP932 here); false when a character has no form there.
    virtual bool toAnsi(const std::wstring& text, std::string& out) = 0;
};

}  // namespace acadsim
