#include "app/FormUtilVer4.h"

#include <vector>

void CopyEnabledToChildren(HWND control) {
    const BOOL enabled = IsWindowEnabled(control);
    // Explicit stack: nesting depth of the form is small, but recursion buys nothing here.
    std::vector<HWND> parents{control};
    while (!parents.empty()) {
        HWND parent = parents.back();
        parents.pop_back();
        for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            EnableWindow(child, enabled);
            if (GetWindow(child, GW_CHILD)) parents.push_back(child);
        }
    }
}

std::wstring CaretToLineBreak(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size() + 8);
    for (wchar_t c : text) {
        if (c == L'^')
            out += L"\r\n";
        else
            out += c;
    }
    return out;
}

void LabelCaretToLineBreak(HWND form) {
    std::vector<HWND> parents{form};
    while (!parents.empty()) {
        HWND parent = parents.back();
        parents.pop_back();
        for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t cls[16]{};
            GetClassNameW(child, cls, 16);
            if (lstrcmpiW(cls, L"Static") == 0) {
                const int length = GetWindowTextLengthW(child);
                std::wstring text(static_cast<size_t>(length) + 1, L'\0');
                text.resize(static_cast<size_t>(GetWindowTextW(child, text.data(), length + 1)));
                if (text.find(L'^') != std::wstring::npos) SetWindowTextW(child, CaretToLineBreak(text).c_str());
            }
            if (GetWindow(child, GW_CHILD)) parents.push_back(child);
        }
    }
}
