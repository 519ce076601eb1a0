#include "e2e/driver/Windows.h"

#include "e2e/driver/Wait.h"

namespace e2e {

namespace {
constexpr UINT kTimeoutMs = 3000;

bool send(HWND w, UINT m, WPARAM wp, LPARAM lp, DWORD_PTR& result) {
    return SendMessageTimeoutW(w, m, wp, lp, SMTO_ABORTIFHUNG | SMTO_BLOCK, kTimeoutMs, &result) != 0;
}
}  // namespace

std::wstring windowText(HWND w) {
    // The text may grow between the two messages: a full buffer means read again, larger.
    for (int attempt = 0; attempt < 8; ++attempt) {
        DWORD_PTR len = 0;
        if (!send(w, WM_GETTEXTLENGTH, 0, 0, len)) return {};
        std::wstring buf(len * 2 + 256, L'\0');
        DWORD_PTR got = 0;
        if (!send(w, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()), got)) return {};
        if (got + 1 < buf.size()) {
            buf.resize(got);
            return buf;
        }
    }
    return {};
}

std::wstring className(HWND w) {
    wchar_t cls[256] = {};
    GetClassNameW(w, cls, 255);
    return cls;
}

std::vector<HWND> children(HWND parent) {
    std::vector<HWND> out;
    for (HWND c = GetWindow(parent, GW_CHILD); c && out.size() < 10000; c = GetWindow(c, GW_HWNDNEXT)) out.push_back(c);
    return out;
}

HWND findChildByCaption(HWND parent, const std::wstring& caption, const wchar_t* cls) {
    for (HWND c : children(parent)) {
        if (windowText(c) == caption && (!cls || className(c) == cls)) return c;
        if (HWND deeper = findChildByCaption(c, caption, cls)) return deeper;
    }
    return nullptr;
}

bool click(HWND button) {
    DWORD_PTR r = 0;
    return button && send(button, BM_CLICK, 0, 0, r);
}

bool isEnabled(HWND w) { return w && IsWindowEnabled(w); }

bool listBoxLines(HWND listBox, std::vector<std::wstring>& lines) {
    lines.clear();
    DWORD_PTR count = 0;
    if (!send(listBox, LB_GETCOUNT, 0, 0, count) || static_cast<LONG_PTR>(count) < 0) return false;
    for (DWORD_PTR i = 0; i < count; ++i) {
        DWORD_PTR len = 0;
        if (!send(listBox, LB_GETTEXTLEN, i, 0, len) || static_cast<LONG_PTR>(len) < 0) return false;
        std::wstring buf(len + 1, L'\0');
        DWORD_PTR got = 0;
        if (!send(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buf.data()), got) || static_cast<LONG_PTR>(got) < 0)
            return false;
        buf.resize(got <= len ? got : len);
        lines.push_back(buf);
    }
    return true;
}

bool clipboardText(std::wstring& out) {
    out.clear();
    // Another program may hold the clipboard for a moment.
    if (waitUntil([] { return OpenClipboard(nullptr) != 0; }, 1000)) {
        {
            bool ok = false;
            if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
                if (auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
                    size_t units = GlobalSize(h) / sizeof(wchar_t), n = 0;
                    while (n < units && p[n]) ++n;
                    out.assign(p, n);
                    GlobalUnlock(h);
                    ok = true;
                }
            }
            CloseClipboard();
            return ok;
        }
    }
    return false;
}

}  // namespace e2e
