#include "e2e/sheetbay/SheetbayApp.h"

#include "e2e/driver/Wait.h"
#include "e2e/driver/Windows.h"

namespace e2e {

namespace {

constexpr wchar_t kTitle[] = L"Sheetbay Ver1.28";
constexpr wchar_t kStop[] = L"中断";

}  // namespace

bool containsLine(const std::vector<std::wstring>& lines, const std::wstring& part) {
    for (const auto& line : lines)
        if (line.find(part) != std::wstring::npos) return true;
    return false;
}

bool SheetbayApp::start(std::wstring& error, DWORD timeoutMs) {
    exe_ = folder_ + L"\\Sheetbay.exe";
    if (!CopyFileW(toWindowsPath(builtExe_).c_str(), exe_.c_str(), FALSE)) {
        error = L"cannot copy " + builtExe_ + L" to " + exe_;
        return false;
    }
    if (!process_.start(exe_, {}, folder_, error)) return false;
    const bool up = waitUntil([&] {
        window_ = findTopLevel(process_.pid(), L"TMainForm", kTitle);
        return window_ && IsWindowVisible(window_) && control(kStop) != nullptr;
    }, timeoutMs);
    if (!up) error = L"Sheetbay's main window did not appear";
    return up;
}

HWND SheetbayApp::control(const std::wstring& caption) const {
    return window_ ? findChildByCaption(window_, caption) : nullptr;
}

HWND SheetbayApp::control(const std::wstring& group, const std::wstring& caption) const {
    HWND box = control(group);
    return box ? findChildByCaption(box, caption) : nullptr;
}

bool SheetbayApp::waitIdle(DWORD timeoutMs) const {
    return waitUntil([&] { return !isEnabled(control(kStop)); }, timeoutMs);
}

bool SheetbayApp::run(const std::wstring& caption, DWORD timeoutMs) {
    HWND button = control(caption);
    if (!button) return false;
    // The run happens inside the button's click: the send returns when it has ended.
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, timeoutMs, &result)) return false;
    return waitIdle(timeoutMs);
}

bool SheetbayApp::startRun(const std::wstring& caption, DWORD timeoutMs) {
    HWND button = control(caption);
    if (!button || !PostMessageW(button, BM_CLICK, 0, 0)) return false;
    return waitUntil([&] { return isEnabled(control(kStop)); }, timeoutMs);
}

std::vector<std::wstring> SheetbayApp::logLines() const {
    std::vector<std::wstring> lines;
    HWND list = nullptr;
    // The log list is the only list box of the window.
    std::vector<HWND> stack{window_};
    while (!stack.empty() && !list) {
        HWND parent = stack.back();
        stack.pop_back();
        for (HWND child : children(parent)) {
            if (className(child) == L"ListBox") {
                list = child;
                break;
            }
            stack.push_back(child);
        }
    }
    if (list) listBoxLines(list, lines);
    return lines;
}

bool SheetbayApp::logHas(const std::wstring& part) const { return containsLine(logLines(), part); }

bool SheetbayApp::close(DWORD timeoutMs) {
    if (!PostMessageW(window_, WM_CLOSE, 0, 0)) return false;
    return process_.waitExit(timeoutMs);
}

std::wstring SheetbayApp::sibling(const wchar_t* extension) const { return folder_ + L"\\Sheetbay" + extension; }

}  // namespace e2e
