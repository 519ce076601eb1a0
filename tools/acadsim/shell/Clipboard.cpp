// WM_COMMAND 32781: the history goes to the clipboard as text, the text window its owner.
#include "App.h"

namespace acadsim {

namespace {

struct GlobalFreer {
    void operator()(HGLOBAL g) const {
        if (g) GlobalFree(g);
    }
};
using UniqueGlobal = std::unique_ptr<std::remove_pointer_t<HGLOBAL>, GlobalFreer>;

UniqueGlobal globalCopy(const void* data, size_t bytes) {
    UniqueGlobal g(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!g) return g;
    void* p = GlobalLock(g.get());
    if (!p) return UniqueGlobal();
    memcpy(p, data, bytes);
    GlobalUnlock(g.get());
    return g;
}

}  // namespace

bool putClipboardText(HWND owner, const std::wstring& text, bool ansi) {
    UniqueGlobal data;
    UINT format = CF_UNICODETEXT;
    if (ansi) {
        std::string bytes;
        int n = WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
        bytes.resize(static_cast<size_t>(n > 0 ? n : 0));
        if (n > 0) WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
        data = globalCopy(bytes.c_str(), bytes.size() + 1);
        format = CF_TEXT;
    } else {
        data = globalCopy(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    }
    if (!data) return false;
    // Another program may hold the clipboard for a moment.
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (OpenClipboard(owner)) {
            bool ok = EmptyClipboard() && SetClipboardData(format, data.get());
            if (ok) data.release();  // the clipboard owns it now
            CloseClipboard();
            return ok;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return false;
}

}  // namespace acadsim
