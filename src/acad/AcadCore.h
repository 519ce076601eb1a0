// Window-free rules of the AutoCAD session: the rough release guess from the main window's title,
// the text window's size rule, where to put the text window back, which MDI children count as
// drawings, and the Windows-version and handle lines of the discovery log.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sb::acad {

struct Rect {
    long left = 0, top = 0, right = 0, bottom = 0;
};

// Rough release class from the main window: 2000 for an ANSI frame; for a Unicode frame 2011 when
// the title, without "AUTODESK", "autocad" and "lt" (any case), holds 2011 or no number, else 2007.
struct RoughVersion {
    int CadVersion = 0;
    bool Version2011Flag = false;
};
RoughVersion GuessRoughVersion(bool UnicodeWindow, const std::wstring& RawTitle);

// Removes every occurrence of Word, comparing ASCII letters without case.
std::wstring RemoveWordNoCase(const std::wstring& S, const std::wstring& Word);

// The text window must be 400..800 wide and 400..600 high (inclusive); a side outside its range
// becomes 400. True when either side was replaced.
bool TextWindowSizeRule(long Width, long Height, long& NewWidth, long& NewHeight);

// True when the two rectangles share at least one pixel (empty rectangles meet nothing).
bool RectsMeet(const Rect& A, const Rect& B);
// Where the remembered text window goes back: its own place when it meets any monitor, else the
// origin. Returns true when it was moved to the origin.
bool TextWindowRestorePlace(const Rect& Remembered, const std::vector<Rect>& Monitors, long& Left, long& Top);

// One MDI child of AutoCAD's view root as the drawing listing sees it.
struct DrawChildFacts {
    std::wstring Title;            // window title; empty = not a drawing
    bool HasFirstChild = false;
    std::wstring FirstChildClass;  // class of the first child (browser page test)
    bool HasDialogChild = false;   // a direct child of class "#32770"
    bool HasCommonControlChild = false;  // a direct child whose class contains "msctls"
};
// True when the child goes into the drawing list (Mode: leave out browser pages; TempCut: leave out
// unnamed "DRAWING…" drawings).
bool DrawChildListed(const DrawChildFacts& Facts, bool Mode, bool TempCut);
// Upper case of ASCII letters only.
std::wstring AsciiUpper(const std::wstring& S);

// "Windowsのバ－ジョン  …" for a Windows major.minor version.
std::wstring WindowsVersionLine(unsigned Major, unsigned Minor);
// Format(Label, Value, Value) with a label holding "%10d %8x".
std::wstring HandleLine(const std::wstring& Label, std::int64_t Value);
// "\"title\" [Class=\"class\"] [Wnd=n] [PID=n] [FileName=path]" and the shorter child line.
std::wstring CandidateLine(const std::wstring& Title, const std::wstring& Class, std::int64_t Wnd,
                           std::uint32_t Pid, const std::wstring& Path);
std::wstring ChildLine(const std::wstring& Title, const std::wstring& Class, std::int64_t Wnd);

// Diagnostic listing: flags every window that belongs to a process owning a window whose title,
// ASCII upper-cased, contains "AUTOCAD".
struct CandidateFacts {
    std::wstring Title;
    std::uint32_t Pid = 0;
};
std::vector<bool> FlagAcadProcesses(const std::vector<CandidateFacts>& Windows);

// Monitor log line kinds, by LogSet's level.
enum class LogKind { Add, Memo, Report, Confirmation, Attention, Warning, Error, Emergency };
LogKind LogKindOfLevel(int Level);

}  // namespace sb::acad
