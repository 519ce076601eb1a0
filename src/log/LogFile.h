// Writes a text file as UTF-16 little endian, replacing the target only when the whole text
// was written (a temporary file beside it is moved over it).
#pragma once

#include <string>

namespace sb::log::win {

// `text` is written as its UTF-16 code units (include the byte order mark in it).
bool WriteFileReplacing(const std::wstring& path, const std::wstring& text, std::wstring& reason);

}  // namespace sb::log::win
