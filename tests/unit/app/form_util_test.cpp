// The enabled state spreads to every descendant; carets become line breaks in labels only.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/FormUtilVer4.h"

namespace {

struct Window {
    HWND h;
    explicit Window(HWND handle) : h(handle) {}
    ~Window() { if (h) DestroyWindow(h); }
};

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text) {
    return CreateWindowExW(0, cls, text, WS_CHILD, 0, 0, 50, 20, parent, nullptr, nullptr, nullptr);
}

TEST(CopyEnabledToChildren, ReachesEveryDepthBothWays) {
    Window top(CreateWindowExW(0, L"STATIC", L"top", WS_OVERLAPPED, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr));
    HWND page = Child(top.h, L"STATIC", L"page");
    HWND group = Child(page, L"STATIC", L"group");
    HWND button = Child(group, L"BUTTON", L"b");
    HWND sibling = Child(page, L"BUTTON", L"s");
    EnableWindow(page, FALSE);
    CopyEnabledToChildren(page);
    for (HWND h : {group, button, sibling}) EXPECT_FALSE(IsWindowEnabled(h));
    EXPECT_TRUE(IsWindowEnabled(top.h));
    EnableWindow(page, TRUE);
    CopyEnabledToChildren(page);
    for (HWND h : {group, button, sibling}) EXPECT_TRUE(IsWindowEnabled(h));
}

TEST(CaretToLineBreak, EveryCaret) {
    EXPECT_EQ(CaretToLineBreak(L"a^b^^c"), L"a\r\nb\r\n\r\nc");
    EXPECT_EQ(CaretToLineBreak(L""), L"");
}

TEST(LabelCaretToLineBreak, LabelsOnlyAtAnyDepth) {
    Window top(CreateWindowExW(0, L"STATIC", L"top", WS_OVERLAPPED, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr));
    HWND panel = Child(top.h, L"BUTTON", L"panel");
    HWND label = Child(panel, L"STATIC", L"one^two");
    HWND button = Child(top.h, L"BUTTON", L"x^y");
    LabelCaretToLineBreak(top.h);
    wchar_t text[64]{};
    GetWindowTextW(label, text, 64);
    EXPECT_STREQ(text, L"one\r\ntwo");
    GetWindowTextW(button, text, 64);
    EXPECT_STREQ(text, L"x^y");
}

}  // namespace
