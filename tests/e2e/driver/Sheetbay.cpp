#include "e2e/driver/Sheetbay.h"

#include "e2e/driver/Profile.h"
#include "e2e/driver/Wait.h"
#include "e2e/driver/Windows.h"

namespace e2e {

namespace {
const wchar_t kStop[] = L"中断";
}

HWND mainWindowOf(DWORD pid) {
    for (HWND w : topLevelWindows(pid))
        if (IsWindowVisible(w) && !GetWindow(w, GW_OWNER)) return w;
    return nullptr;
}

HWND findStringListBox(HWND parent) {
    for (HWND c : children(parent)) {
        std::wstring cls = className(c);
        LONG_PTR style = GetWindowLongPtrW(c, GWL_STYLE);
        if ((cls == L"ListBox" || cls == L"LISTBOX") && (style & LBS_HASSTRINGS)) return c;
        if (HWND deeper = findStringListBox(c)) return deeper;
    }
    return nullptr;
}

bool Sheetbay::start(const std::wstring& exe, const std::vector<std::wstring>& args, const std::wstring& folder,
                     std::wstring& error, DWORD timeoutMs) {
    exe_ = toWindowsPath(exe);
    if (!process_.start(exe_, args, folder, error)) return false;
    bool up = waitUntil(
        [&] {
            main_ = process_.running() ? mainWindowOf(process_.pid()) : nullptr;
            return !process_.running() || (main_ && control(kStop));
        },
        deadline(timeoutMs));
    if (!process_.running()) {
        error = L"Sheetbay ended at start";
        return false;
    }
    if (!up) error = L"Sheetbay's main window with its Stop button did not appear";
    return up;
}

HWND Sheetbay::control(const std::wstring& caption) const { return main_ ? findChildByCaption(main_, caption) : nullptr; }

bool Sheetbay::waitRunEnded(DWORD timeoutMs) const {
    return waitUntil(
        [&] {
            HWND stop = control(kStop);
            return stop && !IsWindowEnabled(stop);
        },
        deadline(timeoutMs));
}

bool Sheetbay::runButton(const std::wstring& caption, DWORD timeoutMs) {
    HWND button = control(caption);
    if (!button || !IsWindowEnabled(button)) return false;
    // The run happens inside the click handler, which keeps pumping messages: the send returns
    // when the run has ended or times out while it goes on; either way Stop tells the end.
    DWORD_PTR r = 0;
    SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, 2000, &r);
    return waitRunEnded(timeoutMs);
}

bool Sheetbay::logLines(std::vector<std::wstring>& lines) const {
    HWND list = main_ ? findStringListBox(main_) : nullptr;
    return list && listBoxLines(list, lines);
}

std::wstring Sheetbay::logFilePath() const {
    size_t dot = exe_.find_last_of(L'.');
    size_t slash = exe_.find_last_of(L"\\/");
    std::wstring base = dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash) ? exe_.substr(0, dot) : exe_;
    return base + L".Log";
}

}  // namespace e2e
