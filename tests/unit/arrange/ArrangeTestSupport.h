// Small helpers shared by the arrange tests.
#pragma once

#include <gtest/gtest.h>

#include <ostream>

#include "app/ArrangeCore.h"

namespace sb::app {

inline bool operator==(const Cell& a, const Cell& b) {
    return a.X == b.X && a.Y == b.Y && a.Width == b.Width && a.Height == b.Height;
}
inline std::ostream& operator<<(std::ostream& os, const Cell& c) {
    return os << "(" << c.X << "," << c.Y << ")-(" << c.Width << "," << c.Height << ")";
}
inline bool operator==(const Rect& a, const Rect& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}
inline std::ostream& operator<<(std::ostream& os, const Rect& r) {
    return os << "{" << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom << "}";
}

}  // namespace sb::app

namespace arrange_test {

// A W x H drawing area whose top-left corner is at (X, Y) on the screen.
inline sb::app::Rect Area(int W, int H, int X = 0, int Y = 0) { return {X, Y, X + W, Y + H}; }

// A window's cell on the screen, from its place relative to the area's corner.
inline sb::app::Rect OnScreen(const sb::app::Rect& View, const sb::app::Cell& C) {
    return {View.Left + C.X, View.Top + C.Y, View.Left + C.X + C.Width, View.Top + C.Y + C.Height};
}

inline bool Overlap(const sb::app::Rect& A, const sb::app::Rect& B) {
    return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

}  // namespace arrange_test
