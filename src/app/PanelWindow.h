// A plain container window for pages, panels and groups: notifications of its children go on to
// the top-level window, so one window procedure serves every control of the form.
#pragma once

#include <windows.h>

// Registers the class once per process; returns its name.
const wchar_t* PanelWindowClass(HINSTANCE instance);
