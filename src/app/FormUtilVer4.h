// Small helpers that serve the main window.
#pragma once

#include <windows.h>

#include <string>

// Gives every descendant control of `control` the control's own enabled state.
void CopyEnabledToChildren(HWND control);
// Replaces every "^" by a line break (CR LF): hints and label captions are written with "^".
std::wstring CaretToLineBreak(const std::wstring& text);
// Applies CaretToLineBreak to the caption of every static label below `form`.
void LabelCaretToLineBreak(HWND form);
