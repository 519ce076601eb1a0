// A fresh folder under the Windows temp folder, removed with everything in it afterwards.
#pragma once

#include <string>

namespace e2e {

class TempDir {
public:
    explicit TempDir(const std::wstring& prefix = L"sb-e2e");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring file(const std::wstring& name) const { return path_ + L"\\" + name; }
    bool valid() const { return !path_.empty(); }

private:
    std::wstring path_;
};

// Deletes a folder tree, read-only files included.
bool removeTree(const std::wstring& path);
bool writeTextFile(const std::wstring& path, const std::string& utf8);
bool readTextFile(const std::wstring& path, std::string& out);
bool fileExists(const std::wstring& path);

}  // namespace e2e
