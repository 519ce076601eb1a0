// The main window's controls as data: kind, parent, name, caption and bounds at 96 dpi.
#pragma once

#include <span>

enum class ControlKind {
    TabControl,  // page control: its pages are the Page entries that name it as parent
    Page,        // a page or sheet of a TabControl; fills the control's display area
    Panel,       // plain container; w or h of 0 means "fill the parent"
    Group,       // container with a group frame and caption
    Button,
    Check,
    Radio,
    Label,
    Memo,        // read-only multi-line edit with a vertical scroll bar
    Link,        // link label
    Status,      // sunken panel at the window's bottom holding the status label
    LogHost,     // where the log component is created
};

struct ControlSpec {
    int id;
    int parent;  // 0 = the window's client area
    ControlKind kind;
    const wchar_t* name;
    const wchar_t* caption;
    int x, y, w, h;
    const wchar_t* hint = nullptr;
};

std::span<const ControlSpec> MainFormControls();

// Client size of the window at 96 dpi.
inline constexpr int kMainClientWidth = 474;
inline constexpr int kMainClientHeight = 368;
