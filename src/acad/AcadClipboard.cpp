#include "acad/AcadClipboard.h"

#include <cstring>

namespace {

constexpr WPARAM kCopyHistoryCommand = 32781;
// Longest clipboard text taken, in UTF-16 units.
constexpr std::size_t kTextCap = 8 * 1024 * 1024;

LRESULT CALLBACK OwnerProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcW(h, m, w, l); }

// A message-only window of this thread: the clipboard's owner while we put the user's text back.
class OwnerWindow {
public:
    OwnerWindow() {
        static const ATOM atom = [] {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = OwnerProc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"SheetbayClipboardOwner";
            return RegisterClassExW(&wc);
        }();
        if (atom)
            h_ = CreateWindowExW(0, L"SheetbayClipboardOwner", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    }
    ~OwnerWindow() {
        if (h_) DestroyWindow(h_);
    }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    HWND get() const { return h_; }

private:
    HWND h_ = nullptr;
};

// The clipboard opened for as long as this lives.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool ok() const { return open_; }

private:
    bool open_;
};

// The clipboard's CF_UNICODETEXT, never read past its global block; the clipboard is open.
bool ReadOpenText(std::wstring& out) {
    out.clear();
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) return false;
    const SIZE_T bytes = GlobalSize(data);
    const void* p = GlobalLock(data);
    if (!p) return false;
    std::size_t units = bytes / sizeof(wchar_t);
    if (units > kTextCap) units = kTextCap;
    const auto* text = static_cast<const wchar_t*>(p);
    std::size_t n = 0;
    while (n < units && text[n] != L'\0') ++n;
    out.assign(text, n);
    GlobalUnlock(data);
    return true;
}

bool IsTextFormat(UINT f) { return f == CF_TEXT || f == CF_OEMTEXT || f == CF_UNICODETEXT || f == CF_LOCALE; }

struct Saved {
    bool Done = false;
    bool HadText = false;
    bool HadOther = false;
    std::wstring Text;
};

bool SaveUserClipboard(HWND owner, Saved& s) {
    OpenedClipboard cb(owner);
    if (!cb.ok()) return false;
    s.HadText = IsClipboardFormatAvailable(CF_UNICODETEXT) && ReadOpenText(s.Text);
    for (UINT f = EnumClipboardFormats(0); f != 0; f = EnumClipboardFormats(f))
        if (!IsTextFormat(f)) s.HadOther = true;
    s.Done = true;
    return true;
}

bool PutText(const std::wstring& text) {
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!mem) return false;
    void* p = GlobalLock(mem);
    if (!p) {
        GlobalFree(mem);
        return false;
    }
    std::memcpy(p, text.c_str(), bytes);
    GlobalUnlock(mem);
    if (!SetClipboardData(CF_UNICODETEXT, mem)) {
        GlobalFree(mem);  // still ours when the clipboard did not take it
        return false;
    }
    return true;
}

bool RestoreUserClipboard(HWND owner, const Saved& s, const std::function<void(unsigned)>& pump) {
    // Other programs' clipboard monitors open it too: a few short tries.
    for (int i = 0; i < 20; ++i) {
        if (i > 0 && pump) pump(25);
        OpenedClipboard cb(owner);
        if (!cb.ok()) continue;
        if (!EmptyClipboard()) return false;
        return !s.HadText || PutText(s.Text);
    }
    return false;
}

DWORD OwnerProcess(HWND owner) {
    DWORD pid = 0;
    if (owner) GetWindowThreadProcessId(owner, &pid);
    return pid;
}

}  // namespace

TClipboardHistoryResult ReadHistoryThroughClipboard(HWND TextWindow, DWORD AcadProcessID,
                                                    const TClipboardHistoryOptions& Options) {
    TClipboardHistoryResult r;
    OwnerWindow owner;
    Saved saved;
    bool requested = false;
    DWORD before = 0;
    auto pump = [&](unsigned ms) {
        if (Options.Pump) Options.Pump(ms);
    };
    const ULONGLONG start = GetTickCount64();
    auto busyRetry = [&] {
        return IsWindow(TextWindow) && GetTickCount64() - start < Options.DeadlineMs &&
               !(Options.Stopped && Options.Stopped());
    };
    for (int k = 1; k <= TClipboardHistoryOptions::kAttempts && !r.Ok; ++k) {
        r.Attempts = k;
        if (k > 1) pump(50);
        if (Options.BeforeAttempt) Options.BeforeAttempt(k);
        // The user's text first: the copy command replaces it.
        if (!saved.Done && !SaveUserClipboard(owner.get(), saved)) continue;
        if (!requested) {
            before = GetClipboardSequenceNumber();
            DWORD_PTR answer = 0;
            if (!SendMessageTimeoutW(TextWindow, WM_COMMAND, kCopyHistoryCommand, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                                     Options.SendTimeoutMs, &answer)) {
                r.Unanswered = true;
                // A busy AutoCAD is asked again; only its answers use up attempts.
                if (busyRetry()) {
                    pump(50);
                    --k;
                }
                continue;
            }
            r.Unanswered = false;
            requested = true;
            pump(6);
        }
        if (GetClipboardSequenceNumber() == before) {
            requested = false;  // no copy happened: ask again
            continue;
        }
        OpenedClipboard cb(owner.get());
        if (!cb.ok()) continue;  // the copy is there; read it at the next attempt
        const HWND clipOwner = GetClipboardOwner();
        const bool acadOwned = !clipOwner || OwnerProcess(clipOwner) == AcadProcessID;
        if (!acadOwned || !IsClipboardFormatAvailable(CF_UNICODETEXT) || !ReadOpenText(r.Text)) {
            r.Text.clear();
            requested = false;  // someone else wrote after the copy: ask again
            continue;
        }
        r.Ok = true;
    }
    if (saved.Done) {
        r.OtherReplaced = saved.HadOther;
        r.RestoreFailed = !RestoreUserClipboard(owner.get(), saved, Options.Pump);
    }
    return r;
}
