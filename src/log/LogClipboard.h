// Puts text on the clipboard as CF_UNICODETEXT.
#pragma once

#include <windows.h>

#include <string>

namespace sb::log::win {

// False (with the reason) when the clipboard could not be opened or written.
bool PutClipboardText(HWND owner, const std::wstring& text, std::wstring& reason);

}  // namespace sb::log::win
