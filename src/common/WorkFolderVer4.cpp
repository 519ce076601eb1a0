#include "common/WorkFolderVer4.h"

#include <windows.h>

#include <array>
#include <memory>

#include "common/WorkFileCore.h"
#include "log/LogVer4.h"

namespace {

constexpr wchar_t kNoteName[] = L"このフォルダに関する注意事項.txt";
constexpr wchar_t kNoteNameUpper[] = L"このフォルダに関する注意事項.TXT";
constexpr std::array<const wchar_t*, 4> kNoteLines = {
    L"このフォルダは一時作業ファイルを作成する為のフォルダです。",
    L"異常終了等によるゴミファイルを一掃するため、作業開始時に",
    L"このファイル以外は削除されますので、このフォルダ内に他の",
    L"ファイルを置かないでください。",
};
constexpr std::array<const wchar_t*, 7> kKeptExtensions = {L".PDF", L".JPG", L".GIF", L".PNG",
                                                           L".DWF", L".DWFX", L".DXB"};

struct FindCloser {
    void operator()(HANDLE h) const { if (h != INVALID_HANDLE_VALUE) FindClose(h); }
};

std::wstring Upper(std::wstring text) {
    if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

bool WriteNoteFile(const std::wstring& folder) {
    std::wstring text = L"\uFEFF";
    for (const wchar_t* line : kNoteLines) (text += line) += L"\r\n";
    HANDLE file = CreateFileW((folder + L"\\" + kNoteName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const bool ok = WriteFile(file, text.data(), bytes, &written, nullptr) && written == bytes;
    CloseHandle(file);
    return ok;
}

bool CreateFolderTree(const std::wstring& path) {
    if (CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) return true;
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos || slash == 0) return false;
    return CreateFolderTree(path.substr(0, slash)) && CreateDirectoryW(path.c_str(), nullptr);
}

bool KeptByExtension(const std::wstring& name) {
    const size_t dot = name.find_last_of(L'.');
    if (dot == std::wstring::npos) return false;
    const std::wstring ext = Upper(name.substr(dot));
    for (const wchar_t* kept : kKeptExtensions)
        if (ext == kept) return true;
    return false;
}

}  // namespace

std::wstring WorkFolderPath() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    const size_t slash = path.find_last_of(L"\\/");
    path.resize(slash == std::wstring::npos ? 0 : slash);
    return path + L"\\WorkFolder";
}

bool FileInUse(const std::wstring& Path) {
    if (GetFileAttributesW(Path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    HANDLE file = CreateFileW(Path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return true;
    CloseHandle(file);
    return false;
}

bool WorkFolderPrepare(TLogVer4* Log, bool ExtMode) {
    const std::wstring folder = WorkFolderPath();
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (Log) Log->Add(L"作業フォルダを作成します", 0, 1);
        if (!CreateFolderTree(folder)) {
            if (Log) Log->Error(L"作業フォルダの作成に失敗しました。");
            return false;
        }
        WriteNoteFile(folder);
        return true;
    }
    // Only clean a folder that is ours: a junction or a user's folder of the same name keeps its files.
    const bool ours = (attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
                      GetFileAttributesW((folder + L"\\" + kNoteName).c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        if (Log) Log->Error(L"作業フォルダの作成に失敗しました。");
        return false;
    }
    if (!ours) {
        if (Log) Log->Warning(L"作業フォルダ" + folder + L"は本プログラムが作成したものではないため、中のファイルを削除しません");
        return true;
    }
    WIN32_FIND_DATAW data{};
    std::unique_ptr<void, FindCloser> find(FindFirstFileW((folder + L"\\*.*").c_str(), &data));
    if (find.get() == INVALID_HANDLE_VALUE) return true;
    bool announced = false;
    do {
        if (Log && Log->BreakingCheck()) break;
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L".." || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        if (Upper(name) == kNoteNameUpper) continue;
        if (ExtMode && !KeptByExtension(name)) continue;
        if (!announced && Log) Log->Add(L"作業フォルダ内の残骸を削除します", 0, 1);
        announced = true;
        const std::wstring path = folder + L"\\" + name;
        if (FileInUse(path)) {
            if (Log) Log->Sub(name + L"は使用中のため削除しません", 0, 1);
        } else {
            if (Log) Log->Sub(name + L"を削除します", 0, 1);
            DeleteFileW(path.c_str());
        }
    } while (FindNextFileW(find.get(), &data));
    return true;
}

bool TempFileCreate(const std::wstring& Folder, const std::wstring& Prefix, std::wstring& Path) {
    Path.clear();
    if (Folder.empty()) return false;
    if (GetFileAttributesW(Folder.c_str()) == INVALID_FILE_ATTRIBUTES && !CreateFolderTree(Folder)) return false;
    wchar_t name[MAX_PATH]{};
    if (GetTempFileNameW(Folder.c_str(), Prefix.c_str(), 0, name) == 0) return false;
    Path = name;
    return true;
}

bool UniqueFileName(const std::wstring& Folder, const std::wstring& Prefix, const std::wstring& Ext,
                    bool NoNumberFirst, std::wstring& Path) {
    Path.clear();
    std::wstring reserved;
    if (!TempFileCreate(Folder, Prefix, reserved)) return false;
    // The reservation goes on every path out, an exception included, unless it became the name.
    struct Reservation {
        std::wstring path;
        ~Reservation() { if (!path.empty()) DeleteFileW(path.c_str()); }
    } guard{reserved};
    for (int i = 0; i < sb::common::kUniqueCandidateCount; ++i) {
        const std::wstring name = sb::common::UniqueCandidateName(Folder, Prefix, Ext, NoNumberFirst, i);
        if (MoveFileW(reserved.c_str(), name.c_str())) {
            guard.path.clear();
            Path = name;
            return true;
        }
    }
    return false;
}
