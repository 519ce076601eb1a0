// Prints lines on one page after the user confirmed the print dialog.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace sb::log::win {

inline bool PrintAvailable() { return true; }

// False with an empty reason when the user cancelled; false with a reason on a failure.
bool PrintLines(HWND owner, const std::vector<std::wstring>& lines, std::wstring& reason);

}  // namespace sb::log::win
