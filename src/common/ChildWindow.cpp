#include <windows.h>

#include <vector>

#include "common/CommonVer4.h"

namespace {
// Bounds the walk should a foreign tree keep changing under it.
constexpr int kMaxVisited = 200000;
}

HWND FindChildWindow(HWND Parent, HWND ChildAfter, const std::wstring& ClassPattern, bool Recursive,
                     const std::wstring& TextPattern, unsigned TextTimeoutMs) {
    auto matches = [&](HWND child) {
        if (!ClassPattern.empty() && !WildcardMatch(GetWindowClassName(child), ClassPattern)) return false;
        if (TextPattern.empty()) return true;
        std::wstring text;
        return TryGetControlText(child, text, TextTimeoutMs) && WildcardMatch(text, TextPattern);
    };
    try {
        std::vector<HWND> parents;  // the levels above the one being walked
        HWND parent = Parent;
        HWND after = ChildAfter;
        for (int visited = 0; visited < kMaxVisited; ++visited) {
            HWND child = FindWindowExW(parent, after, nullptr, nullptr);
            if (!child) {
                if (parents.empty()) return nullptr;
                after = parent;  // resume after the exhausted level's parent
                parent = parents.back();
                parents.pop_back();
                continue;
            }
            if (matches(child)) return child;
            if (Recursive && GetWindow(child, GW_CHILD)) {
                parents.push_back(parent);
                parent = child;
                after = nullptr;
                continue;
            }
            after = child;
        }
    } catch (...) {
    }
    return nullptr;
}
