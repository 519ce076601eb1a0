// Window-free arithmetic of the arrange operation (SubRowLength): which free strip beside a kept
// active drawing is used, how the area is cut into cells, where each window goes, the memo line
// of a placement, and the orderings that the file-name sort and the file-name memory need.
// The Win32 caller only reads rectangles, logs and moves windows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sb::app {

// Screen pixels; right and bottom exclusive, as the window system reports them.
struct Rect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// One window's place relative to the drawing area's top-left corner (MoveWindow's arguments).
struct Cell {
    int X = 0, Y = 0, Width = 0, Height = 0;
};

enum class ArrangeError {
    None,
    NoDrawings,       // nothing left to arrange
    NoOtherDrawings,  // the kept active drawing is the only one
    AreaTooNarrow,    // no free strip, or cells narrower or lower than 2 pixels
    BadArguments,     // caller misuse (row count, active index, absurd area)
};

// The log text of an error; empty for None.
const wchar_t* ArrangeErrorText(ArrangeError Error);
// True when the error is the caller's misuse (an internal-error line, not a user error).
bool ArrangeErrorIsInternal(ArrangeError Error);

// The checks before anything else happens: an empty list, or a kept active drawing alone.
ArrangeError ArrangeCountCheck(int Count, bool ActiveNoMove);

enum class Strip { Above, Below, Left, Right };

struct StripChoice {
    ArrangeError Error = ArrangeError::None;  // AreaTooNarrow when even the largest strip is empty
    Strip Side = Strip::Above;
    Rect Area;                 // the chosen strip (screen pixels)
    std::int64_t Size = 0;     // its pixel count
};

// The largest free strip of View beside the active window: above, below, left, right, each one
// pixel away from the active window; an earlier side wins a tie. The active window is clipped to
// View first, so one hanging outside the area never yields a strip of negative extent.
StripChoice ChooseFreeStrip(const Rect& View, const Rect& Active);

struct CellLayout {
    ArrangeError Error = ArrangeError::None;
    int PerLine = 0;     // windows in one row (LineMode true) or one column
    int CellWidth = 0;
    int CellHeight = 0;
    std::vector<Cell> Cells;  // placement order; empty on error
};

// Cuts Area (inside View; both in screen pixels) into cells for Count windows in LineCount rows
// (LineMode true, filled row by row) or columns (false, filled column by column). Two pixels of
// the area stay unused in each direction and every window is one pixel smaller than its cell.
CellLayout LayoutCells(const Rect& View, const Rect& Area, int Count, int LineCount, bool LineMode);

struct ArrangeInput {
    Rect View;               // the drawing area's window rectangle
    int Count = 0;           // entries of the drawing list, in its final order
    int LineCount = 1;       // 1..7
    bool LineMode = true;    // true: rows side by side; false: columns
    bool ActiveNoMove = false;
    int ActiveIndex = -1;    // with ActiveNoMove: the active drawing's position in the list
    Rect Active;             // with ActiveNoMove: the active drawing's window rectangle
};

struct Placement {
    bool Move = false;  // false only for the kept active drawing
    Cell Place;
};

struct ArrangePlan {
    ArrangeError Error = ArrangeError::None;
    Rect Area;                        // the area that was divided
    CellLayout Layout;
    std::vector<Placement> Entries;   // one per list entry, in list order; empty on error
};

// The whole geometry of one arrangement. On any error no entry is planned: nothing moves.
ArrangePlan PlanArrange(const ArrangeInput& Input);

// The memo line of one placement: "%s (%d,%d)-(%d,%d)" of caption, x, y, width, height.
std::wstring PlacementMemo(const std::wstring& Caption, const Cell& Place);

// The list order after the file-name sort: each entry's key is the position of the first sorted
// value equal to its path (-1 when none); ascending keys, equal keys keep their list order.
// Returns the old list positions in their new order.
std::vector<int> FileNameSortOrder(const std::vector<std::wstring>& Paths,
                                   const std::vector<std::wstring>& SortedValues);

// For each list handle, the position of the first remembered entry with the same handle, or -1.
std::vector<int> MemoryMatches(const std::vector<std::uintptr_t>& ListHandles,
                               const std::vector<std::uintptr_t>& MemoryHandles);

}  // namespace sb::app
