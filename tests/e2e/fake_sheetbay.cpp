// A stand-in for Sheetbay's main window, to test the driver across processes: a run button whose
// run lasts a while with the Stop button "中断" enabled, and a string list box as the log.
#include <windows.h>

namespace {

constexpr int kRun = 1, kStop = 2, kList = 3;
constexpr UINT_PTR kRunTimer = 1;
HWND g_list = nullptr;

void log(const wchar_t* line) { SendMessageW(g_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line)); }

LRESULT CALLBACK MainProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    switch (m) {
    case WM_COMMAND:
        if (LOWORD(w) == kRun) {
            // The run goes on while its window keeps handling messages; the timer ends it.
            EnableWindow(GetDlgItem(h, kRun), FALSE);
            EnableWindow(GetDlgItem(h, kStop), TRUE);
            log(L"横2列に並べるを実行");
            SetTimer(h, kRunTimer, 600, nullptr);
        } else if (LOWORD(w) == kStop) {
            log(L"■■中断■■");
        }
        return 0;
    case WM_TIMER:
        KillTimer(h, kRunTimer);
        log(L"整列が完了しました");
        EnableWindow(GetDlgItem(h, kStop), FALSE);
        EnableWindow(GetDlgItem(h, kRun), TRUE);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(h, m, w, l);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR, int) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = MainProc;
    wc.hInstance = inst;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"FakeSheetbay";
    if (!RegisterClassExW(&wc)) return 1;
    HWND main = CreateWindowExW(0, L"FakeSheetbay", L"Sheetbay", WS_OVERLAPPEDWINDOW, 100, 100, 500, 400, nullptr,
                                nullptr, inst, nullptr);
    if (!main) return 1;
    CreateWindowExW(0, L"Button", L"横2列に並べる", WS_CHILD | WS_VISIBLE, 10, 10, 150, 30, main,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRun)), inst, nullptr);
    CreateWindowExW(0, L"Button", L"中断", WS_CHILD | WS_VISIBLE | WS_DISABLED, 170, 10, 80, 30, main,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStop)), inst, nullptr);
    g_list = CreateWindowExW(WS_EX_CLIENTEDGE, L"ListBox", L"", WS_CHILD | WS_VISIBLE | LBS_HASSTRINGS | WS_VSCROLL,
                             10, 50, 460, 300, main, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kList)), inst, nullptr);
    ShowWindow(main, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
