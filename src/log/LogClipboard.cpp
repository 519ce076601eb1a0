#include "log/LogClipboard.h"

#include <cstring>

namespace sb::log::win {

namespace {

class ClipboardGuard {
public:
    explicit ClipboardGuard(HWND owner) {
        // Another program may hold the clipboard for a moment.
        for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
            open_ = OpenClipboard(owner) != FALSE;
            if (!open_) Sleep(10);
        }
    }
    ~ClipboardGuard() {
        if (open_) CloseClipboard();
    }
    ClipboardGuard(const ClipboardGuard&) = delete;
    ClipboardGuard& operator=(const ClipboardGuard&) = delete;
    bool Open() const { return open_; }

private:
    bool open_ = false;
};

class GlobalMemory {
public:
    explicit GlobalMemory(size_t bytes) : h_(GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
    ~GlobalMemory() {
        if (h_) GlobalFree(h_);
    }
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;
    HGLOBAL get() const { return h_; }
    HGLOBAL release() {
        HGLOBAL h = h_;
        h_ = nullptr;
        return h;
    }

private:
    HGLOBAL h_;
};

}  // namespace

bool PutClipboardText(HWND owner, const std::wstring& text, std::wstring& reason) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    GlobalMemory memory(bytes);
    if (!memory.get()) {
        reason = L"メモリを確保出来ませんでした。";
        return false;
    }
    void* target = GlobalLock(memory.get());
    if (!target) {
        reason = L"メモリを確保出来ませんでした。";
        return false;
    }
    std::memcpy(target, text.c_str(), bytes);
    GlobalUnlock(memory.get());
    ClipboardGuard clipboard(owner);
    if (!clipboard.Open()) {
        reason = L"クリップボードを開けませんでした。";
        return false;
    }
    if (!EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, memory.get())) {
        reason = L"クリップボードに書き込めませんでした。";
        return false;
    }
    memory.release();  // the clipboard owns it now
    return true;
}

}  // namespace sb::log::win
