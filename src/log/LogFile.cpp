#include "log/LogFile.h"

#include <windows.h>

#include "log/LogWin32.h"

namespace sb::log::win {

namespace {

std::wstring ErrorText(const wchar_t* what, DWORD code) {
    return std::wstring(what) + L"（エラーコード " + std::to_wstring(code) + L"）";
}

// Deletes the temporary file unless it was moved into place.
class TempFile {
public:
    explicit TempFile(std::wstring path) : path_(std::move(path)) {}
    ~TempFile() {
        if (!kept_) DeleteFileW(path_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::wstring& Path() const { return path_; }
    void Keep() { kept_ = true; }

private:
    std::wstring path_;
    bool kept_ = false;
};

}  // namespace

bool WriteFileReplacing(const std::wstring& path, const std::wstring& text, std::wstring& reason) {
    static_assert(sizeof(wchar_t) == 2, "the file holds UTF-16 code units");
    if (path.empty()) {
        reason = L"ファイル名が空です。";
        return false;
    }
    TempFile temp(path + L".sbtmp");
    {
        UniqueHandle file(CreateFileW(temp.Path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            reason = ErrorText(L"一時ファイルを作成出来ませんでした", GetLastError());
            return false;
        }
        const char* data = reinterpret_cast<const char*>(text.data());
        size_t left = text.size() * sizeof(wchar_t);
        while (left > 0) {
            const DWORD chunk = left > 0x10000000 ? 0x10000000 : static_cast<DWORD>(left);
            DWORD written = 0;
            if (!WriteFile(file.get(), data, chunk, &written, nullptr) || written != chunk) {
                reason = ErrorText(L"ファイルに書き込めませんでした", GetLastError());
                return false;
            }
            data += chunk;
            left -= chunk;
        }
        if (!FlushFileBuffers(file.get())) {
            reason = ErrorText(L"ファイルに書き込めませんでした", GetLastError());
            return false;
        }
    }
    if (!MoveFileExW(temp.Path().c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        reason = ErrorText(L"ファイルを置き換えられませんでした", GetLastError());
        return false;
    }
    temp.Keep();
    return true;
}

}  // namespace sb::log::win
