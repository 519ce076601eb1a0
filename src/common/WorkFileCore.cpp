#include "common/WorkFileCore.h"

#include <cstddef>

namespace sb::common {

namespace {

std::size_t LastSeparator(const std::wstring& Path) { return Path.find_last_of(L"\\/"); }

std::wstring Slashes(std::wstring Path) {
    for (wchar_t& c : Path)
        if (c == L'/') c = L'\\';
    return Path;
}

}  // namespace

std::wstring UniqueCandidateName(const std::wstring& Folder, const std::wstring& Prefix, const std::wstring& Ext,
                                 bool NoNumberFirst, int Index) {
    if (NoNumberFirst && Index == 0) return Folder + L"\\" + Prefix + L"." + Ext;
    std::wstring number = std::to_wstring(NoNumberFirst ? Index : Index + 1);
    if (number.size() < 4) number.insert(0, 4 - number.size(), L'0');
    return Folder + L"\\" + Prefix + number + L"." + Ext;
}

std::wstring ExtractFileName(const std::wstring& Path) {
    const std::size_t sep = LastSeparator(Path);
    return sep == std::wstring::npos ? Path : Path.substr(sep + 1);
}

std::wstring ChangeFileExt(const std::wstring& Path, const std::wstring& Ext) {
    const std::size_t sep = LastSeparator(Path);
    const std::size_t dot = Path.find_last_of(L'.');
    if (dot == std::wstring::npos || (sep != std::wstring::npos && dot < sep)) return Path + Ext;
    return Path.substr(0, dot) + Ext;
}

std::wstring ChangeFileExtToNone(const std::wstring& Name) { return ChangeFileExt(Name, L""); }

bool IsDirectlyInFolder(const std::wstring& Path, const std::wstring& Folder, const TextMap& Upper) {
    const std::wstring path = Slashes(Path);
    std::wstring folder = Slashes(Folder);
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    const std::size_t sep = path.find_last_of(L'\\');
    if (folder.empty() || sep == std::wstring::npos) return false;
    return Upper(path.substr(0, sep)) == Upper(folder);
}

}  // namespace sb::common
