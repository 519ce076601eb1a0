#include "e2e/sheetbay/SheetbayApp.h"

#include "e2e/driver/Wait.h"
#include "e2e/driver/Windows.h"

namespace e2e {

bool containsLine(const std::vector<std::wstring>& lines, const std::wstring& part) {
    for (const auto& line : lines)
        if (line.find(part) != std::wstring::npos) return true;
    return false;
}

bool SheetbayApp::start(std::wstring& error, DWORD timeoutMs) {
    const std::wstring exe = folder_ + L"\\Sheetbay.exe";
    if (!CopyFileW(toWindowsPath(builtExe_).c_str(), exe.c_str(), FALSE)) {
        error = L"cannot copy " + builtExe_ + L" to " + exe;
        return false;
    }
    return sheetbay_.start(exe, {}, folder_, error, timeoutMs);
}

HWND SheetbayApp::control(const std::wstring& group, const std::wstring& caption) const {
    HWND box = control(group);
    return box ? findChildByCaption(box, caption) : nullptr;
}

bool SheetbayApp::startRun(const std::wstring& caption, DWORD timeoutMs) {
    HWND button = control(caption);
    if (!button || !PostMessageW(button, BM_CLICK, 0, 0)) return false;
    return waitUntil([&] { return isEnabled(control(L"中断")); }, timeoutMs);
}

std::vector<std::wstring> SheetbayApp::logLines() const {
    std::vector<std::wstring> lines;
    sheetbay_.logLines(lines);
    return lines;
}

bool SheetbayApp::logHas(const std::wstring& part) const { return containsLine(logLines(), part); }

bool SheetbayApp::close(DWORD timeoutMs) {
    if (!PostMessageW(window(), WM_CLOSE, 0, 0)) return false;
    return sheetbay_.process().waitExit(timeoutMs);
}

}  // namespace e2e
