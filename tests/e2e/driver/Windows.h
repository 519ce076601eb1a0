// Reading and pressing another process's controls, each call bounded in time.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

std::wstring windowText(HWND w);  // WM_GETTEXT through SendMessageTimeoutW; empty on failure
std::wstring className(HWND w);
// The first descendant whose text equals caption (and, when given, whose class is cls).
HWND findChildByCaption(HWND parent, const std::wstring& caption, const wchar_t* cls = nullptr);
std::vector<HWND> children(HWND parent);  // direct children in Z order
bool click(HWND button);                  // BM_CLICK
bool isEnabled(HWND w);
// Lines of a list box with LBS_HASSTRINGS (works across processes).
bool listBoxLines(HWND listBox, std::vector<std::wstring>& lines);
// The clipboard's text (CF_UNICODETEXT, bounded by GlobalSize); false when there is none.
bool clipboardText(std::wstring& out);

}  // namespace e2e
