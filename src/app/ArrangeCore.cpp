// Window-free arithmetic of the arrange operation.
#include "app/ArrangeCore.h"

#include <algorithm>
#include <climits>
#include <cstddef>

namespace sb::app {
namespace {

using i64 = std::int64_t;

// Rectangles in 64 bits while strips are formed: "one pixel beside" an edge at INT_MIN or
// INT_MAX must not overflow.
struct WideRect {
    i64 Left = 0, Top = 0, Right = 0, Bottom = 0;
};

i64 Extent(i64 From, i64 To) { return std::max<i64>(0, To - From); }

bool FitsInt(i64 Value) { return Value >= INT_MIN && Value <= INT_MAX; }

}  // namespace

const wchar_t* ArrangeErrorText(ArrangeError Error) {
    switch (Error) {
        case ArrangeError::None: return L"";
        case ArrangeError::NoDrawings: return L"対象となる図面がありません";
        case ArrangeError::NoOtherDrawings: return L"アクティブ図面以外に対象となる図面がありません";
        case ArrangeError::AreaTooNarrow: return L"整列する領域が狭すぎます";
        case ArrangeError::BadArguments: return L"整列の指定が正しくありません";
    }
    return L"";
}

bool ArrangeErrorIsInternal(ArrangeError Error) { return Error == ArrangeError::BadArguments; }

ArrangeError ArrangeCountCheck(int Count, bool ActiveNoMove) {
    if (Count <= 0) return ArrangeError::NoDrawings;
    if (ActiveNoMove && Count == 1) return ArrangeError::NoOtherDrawings;
    return ArrangeError::None;
}

StripChoice ChooseFreeStrip(const Rect& View, const Rect& Active) {
    // Clip the active window to the area; an inverted area clips everything to its corner.
    const i64 viewRight = std::max(View.Left, View.Right);
    const i64 viewBottom = std::max(View.Top, View.Bottom);
    const i64 activeLeft = std::clamp<i64>(Active.Left, View.Left, viewRight);
    const i64 activeTop = std::clamp<i64>(Active.Top, View.Top, viewBottom);
    const i64 activeRight = std::max(activeLeft, std::clamp<i64>(Active.Right, View.Left, viewRight));
    const i64 activeBottom = std::max(activeTop, std::clamp<i64>(Active.Bottom, View.Top, viewBottom));

    const WideRect candidates[4] = {
        {View.Left, View.Top, viewRight, activeTop - 1},
        {View.Left, activeBottom + 1, viewRight, viewBottom},
        {View.Left, View.Top, activeLeft - 1, viewBottom},
        {activeRight + 1, View.Top, viewRight, viewBottom},
    };
    StripChoice choice;
    int best = -1;
    std::uint64_t bestSize = 0;
    for (int i = 0; i < 4; ++i) {
        const WideRect& c = candidates[i];
        // Both extents are below 2^32, so the product fits in 64 unsigned bits.
        const auto size = static_cast<std::uint64_t>(Extent(c.Left, c.Right)) *
                          static_cast<std::uint64_t>(Extent(c.Top, c.Bottom));
        if (best < 0 || size > bestSize) {
            best = i;
            bestSize = size;
        }
    }
    choice.Side = static_cast<Strip>(best);
    choice.Size = bestSize;
    if (bestSize == 0) {
        choice.Error = ArrangeError::AreaTooNarrow;
        return choice;
    }
    // A non-empty strip lies inside View, so its edges fit in int.
    const WideRect& w = candidates[best];
    choice.Area = {static_cast<int>(w.Left), static_cast<int>(w.Top), static_cast<int>(w.Right),
                   static_cast<int>(w.Bottom)};
    return choice;
}

CellLayout LayoutCells(const Rect& View, const Rect& Area, int Count, int LineCount, bool LineMode) {
    CellLayout layout;
    if (Count < 1 || LineCount < 1 || LineCount > 7) {
        layout.Error = ArrangeError::BadArguments;
        return layout;
    }
    const int perLine = (Count + LineCount - 1) / LineCount;
    const i64 usableWidth = Extent(Area.Left, Area.Right) - 2;
    const i64 usableHeight = Extent(Area.Top, Area.Bottom) - 2;
    // Integer division truncates toward zero, as the quotient in floating point would.
    const i64 cellHeight = usableHeight / (LineMode ? LineCount : perLine);
    const i64 cellWidth = usableWidth / (LineMode ? perLine : LineCount);
    if (cellWidth < 2 || cellHeight < 2) {
        layout.Error = ArrangeError::AreaTooNarrow;
        return layout;
    }
    const i64 offsetX = i64{Area.Left} - View.Left;
    const i64 offsetY = i64{Area.Top} - View.Top;
    const i64 lastX = offsetX + usableWidth;
    const i64 lastY = offsetY + usableHeight;
    if (!FitsInt(offsetX) || !FitsInt(offsetY) || !FitsInt(lastX) || !FitsInt(lastY)) {
        layout.Error = ArrangeError::BadArguments;
        return layout;
    }

    layout.PerLine = perLine;
    layout.CellWidth = static_cast<int>(cellWidth);
    layout.CellHeight = static_cast<int>(cellHeight);
    layout.Cells.reserve(static_cast<std::size_t>(Count));
    int col = 0;
    int row = 0;
    for (int i = 0; i < Count; ++i) {
        layout.Cells.push_back({static_cast<int>(col * cellWidth + offsetX),
                                static_cast<int>(row * cellHeight + offsetY),
                                static_cast<int>(cellWidth - 1), static_cast<int>(cellHeight - 1)});
        if (LineMode) {
            if (++col == perLine) {
                col = 0;
                ++row;
            }
        } else if (++row == perLine) {
            row = 0;
            ++col;
        }
    }
    return layout;
}

ArrangePlan PlanArrange(const ArrangeInput& Input) {
    ArrangePlan plan;
    plan.Error = ArrangeCountCheck(Input.Count, Input.ActiveNoMove);
    if (plan.Error != ArrangeError::None) return plan;
    if (Input.LineCount < 1 || Input.LineCount > 7 ||
        (Input.ActiveNoMove && (Input.ActiveIndex < 0 || Input.ActiveIndex >= Input.Count))) {
        plan.Error = ArrangeError::BadArguments;
        return plan;
    }

    plan.Area = Input.View;
    if (Input.ActiveNoMove) {
        const StripChoice strip = ChooseFreeStrip(Input.View, Input.Active);
        if (strip.Error != ArrangeError::None) {
            plan.Error = strip.Error;
            return plan;
        }
        plan.Area = strip.Area;
    }

    const int placed = Input.Count - (Input.ActiveNoMove ? 1 : 0);
    plan.Layout = LayoutCells(Input.View, plan.Area, placed, Input.LineCount, Input.LineMode);
    if (plan.Layout.Error != ArrangeError::None) {
        plan.Error = plan.Layout.Error;
        return plan;
    }

    plan.Entries.resize(static_cast<std::size_t>(Input.Count));
    std::size_t next = 0;
    for (int p = 0; p < Input.Count; ++p) {
        if (Input.ActiveNoMove && p == Input.ActiveIndex) continue;
        plan.Entries[static_cast<std::size_t>(p)] = {true, plan.Layout.Cells[next++]};
    }
    return plan;
}

std::wstring PlacementMemo(const std::wstring& Caption, const Cell& Place) {
    return Caption + L" (" + std::to_wstring(Place.X) + L"," + std::to_wstring(Place.Y) + L")-(" +
           std::to_wstring(Place.Width) + L"," + std::to_wstring(Place.Height) + L")";
}

std::vector<int> FileNameSortOrder(const std::vector<std::wstring>& Paths,
                                   const std::vector<std::wstring>& SortedValues) {
    std::vector<int> keys;
    keys.reserve(Paths.size());
    for (const std::wstring& path : Paths) {
        const auto found = std::find(SortedValues.begin(), SortedValues.end(), path);
        keys.push_back(found == SortedValues.end() ? -1
                                                   : static_cast<int>(found - SortedValues.begin()));
    }
    std::vector<int> order(Paths.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) {
        return keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)];
    });
    return order;
}

std::vector<int> MemoryMatches(const std::vector<std::uintptr_t>& ListHandles,
                               const std::vector<std::uintptr_t>& MemoryHandles) {
    std::vector<int> matches;
    matches.reserve(ListHandles.size());
    for (const std::uintptr_t handle : ListHandles) {
        const auto found = std::find(MemoryHandles.begin(), MemoryHandles.end(), handle);
        matches.push_back(found == MemoryHandles.end() ? -1
                                                       : static_cast<int>(found - MemoryHandles.begin()));
    }
    return matches;
}

}  // namespace sb::app
