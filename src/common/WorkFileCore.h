// Window-free rules of the work files: the candidate names of a unique work file, extension
// changes, and whether a path lies directly in a folder.
#pragma once

#include <string>

#include "common/TextCore.h"

namespace sb::common {

// Candidate Index (0..299) of UniqueFileName: "Folder\Prefix.Ext" for the first when NoNumberFirst,
// else "Folder\Prefix" + a four-digit number + "." + Ext, the number being Index (NoNumberFirst)
// or Index + 1.
std::wstring UniqueCandidateName(const std::wstring& Folder, const std::wstring& Prefix, const std::wstring& Ext,
                                 bool NoNumberFirst, int Index);
inline constexpr int kUniqueCandidateCount = 300;

// Path with its file name's extension replaced by Ext (with its dot), or Ext appended when the file
// name has none.
std::wstring ChangeFileExt(const std::wstring& Path, const std::wstring& Ext);
// The file name part of a path (after the last "\" or "/").
std::wstring ExtractFileName(const std::wstring& Path);
// The name without its extension.
std::wstring ChangeFileExtToNone(const std::wstring& Name);

// True when Path's folder is Folder itself (compared through Upper, separators "\" and "/" alike,
// a trailing separator of Folder ignored).
bool IsDirectlyInFolder(const std::wstring& Path, const std::wstring& Folder, const TextMap& Upper);

}  // namespace sb::common
