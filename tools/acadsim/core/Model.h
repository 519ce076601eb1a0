// The stand-in's world: release, drawings with their tabs, views and ranges, scenario dialogs.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace acadsim {

struct Range {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double width() const { return x2 - x1; }
    double height() const { return y2 - y1; }
};

struct View {
    double cx = 0, cy = 0, height = 1;
};

struct Tab {
    std::wstring name;            // "Model" for the model tab (shown as the release's model name)
    int tabOrder = 0;             // 0 for the model tab
    std::wstring plotSettingsName;
    Range limits;
    std::optional<Range> extents; // none: nothing drawn in this space
    View view;
    bool centerZoom = true;       // the ZOOM prompt offers "中心(C)"
    bool mspace = false;          // a viewport of this layout is active
    std::vector<View> previous;   // ZOOM Previous, newest last
};

struct Release {
    int year = 2023;              // 13, 14, 97, 98, 2000 ... 2023
    bool lt = false;
    std::wstring exe = L"ACAD.EXE";
    bool unicode = true;
    std::wstring title;           // frame title before " - [drawing]"
    std::optional<std::wstring> version;  // VERSION variable, absent when empty
    std::optional<std::wstring> acadver;  // ACADVER variable, absent when empty
    bool dxfoutNoOptions = false;

    // Releases numbered 13/14/97/98 come before 2000.
    int sortYear() const { return year < 100 ? (year == 13 ? 1994 : year == 14 ? 1997 : 1900 + year) : year; }
    bool halfWidthKana() const { return sortYear() < 2004; }
    std::wstring nativeFormat() const;    // "2018", "2013", ... "R14"
    std::wstring modelName() const { return halfWidthKana() ? L"\uFF93\uFF83\uFF9E\uFF99" : L"モデル"; }
};

struct DialogButton {
    std::wstring text;
    int id = 1;
};

// Which command starts a plan applies to.
struct CommandMatch {
    std::wstring command;         // upper case, without "_"/"-"; empty: any command
    int run = 0;                  // only the n-th start (from 1) of a matching command in the session; 0: each
    int drawing = -1;             // only while this drawing is current; -1: any
};

// A command that is starting, or answering one of its prompts, in the current drawing.
struct CommandStep {
    std::wstring command;         // upper case, without "_"/"-"
    int drawing = 0;
    int run = 0;                  // starts: the how-many-th start of this command in the session
    int anyRun = 0;               // starts: the how-many-th start of any command
    int answer = 0;               // 0: the command starts; n: it takes its n-th answer
};

bool matches(const CommandMatch& m, const CommandStep& step);

struct DialogPlan {
    std::wstring id;
    std::wstring trigger;         // "start" or "command"
    CommandMatch match;           // trigger "command": the command (always named), its run, its drawing
    int times = 1;
    std::wstring title;
    std::vector<std::wstring> body;
    std::vector<DialogButton> buttons;
    std::wstring checkbox;
};

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    bool given = false;
};

struct CommandRecord {
    int drawing = 0;
    std::wstring name;
    std::wstring typed;
    std::vector<std::wstring> answers;
    std::wstring end = L"open";
};

struct DialogRecord {
    std::wstring id;
    std::wstring title;
    std::wstring closedBy;        // "IDOK", "IDYES", "IDNO", "IDCANCEL", "WM_CLOSE", "" = still open
    bool checkbox = false;
};

struct FileRecord {
    std::wstring path;
    std::wstring kind;            // "dwg" or "dxf"
    int drawing = 0;
};

struct Drawing {
    std::wstring path;            // empty: never saved
    std::wstring untitledName;    // "Drawing1.dwg" for a never-saved drawing
    std::wstring format;          // "2018" ...
    bool readOnly = false;
    bool createFile = true;
    bool modified = false;
    bool minimized = false;
    bool maximized = false;
    bool open = true;
    Rect window;
    std::vector<std::wstring> layers{L"0"};
    std::wstring clayer = L"0";
    std::vector<Tab> tabs;        // tabs[0] is the model tab
    int currentTab = 0;
    double aspect = 1.5;          // width / height of the drawing view

    std::wstring title() const;   // file name shown on the window
    Tab& tab() { return tabs[static_cast<size_t>(currentTab)]; }
    const Tab& tab() const { return tabs[static_cast<size_t>(currentTab)]; }
    int findTab(const std::wstring& name) const;  // case-insensitive; model by any of its names
};

// AutoCAD stops answering messages for a while when this command starts, or takes its
// atAnswer-th answer, after it has answered (a hung AutoCAD).
struct HangPlan {
    CommandMatch match;           // the command is always named
    int atAnswer = 0;             // 0: at the start
    int ms = 0;
    int times = 1;
};

// AutoCAD is busy (regenerating) when a matching command starts: it answers nothing for ms, then
// the command answers.
struct BusyPlan {
    CommandMatch match;
    int ms = 0;
    int times = 1;
};

// Milliseconds per Enter and per activation: base + 0..jitterMs drawn from a generator seeded with seed.
struct Latency {
    int commandMs = 30;
    int jitterMs = 120;
    int activationMs = 40;
    unsigned seed = 1;
};

struct Scenario {
    Release release;
    HangPlan hang;
    std::vector<BusyPlan> busy;
    Latency latency;
    Rect frame;
    bool frameMaximized = false;
    Rect textWindow;
    bool textWindowVisible = true;
    std::wstring documentsFolder = L"C:\\users\\Public\\Documents";
    bool startPage = false;
    std::vector<std::wstring> palettes;
    std::map<std::wstring, std::wstring> sysvars;
    std::vector<Drawing> drawings;
    int active = 0;
    std::vector<DialogPlan> dialogs;
    size_t historyWindowLimit = 0;
};

// Full-width forms of a model tab name all name the model tab.
bool isModelName(const std::wstring& name);

}  // namespace acadsim
