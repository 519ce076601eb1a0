// A small program of its own for the window tests: shows a titled window with one text child,
// signals the named event given first on its command line, and exits when its window is closed.
// Usage: sb_common_helper.exe <event name> <window title>
#include <windows.h>

#include <string>

namespace {

LRESULT CALLBACK HelperProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    const std::wstring args = commandLine ? commandLine : L"";
    const std::size_t space = args.find(L' ');
    const std::wstring eventName = args.substr(0, space);
    const std::wstring title = space == std::wstring::npos ? L"SbHelper" : args.substr(space + 1);

    WNDCLASSW wc = {};
    wc.lpfnWndProc = HelperProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"SbCommonHelperWindow";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    if (!RegisterClassW(&wc)) return 2;
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 100, 100, 400, 200,
                                nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 3;
    CreateWindowExW(0, L"STATIC", L"ヘルパーの本文", WS_CHILD | WS_VISIBLE, 10, 10, 200, 20, hwnd, nullptr,
                    instance, nullptr);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);

    if (HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName.c_str())) {
        SetEvent(ready);
        CloseHandle(ready);
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
