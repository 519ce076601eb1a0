// The text window: pane → "Marin" → command line (first child) and history (second child).
#include "App.h"

namespace acadsim {

namespace {

constexpr int kPaneId = 1;
constexpr int kMarinId = 2;
constexpr int kCommandId = 3;
constexpr int kHistoryId = 4;
WNDPROC g_editProc = nullptr;

// Keys typed into the command line go where WM_COPYDATA text goes.
LRESULT CALLBACK CommandEditProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    return guarded([&]() -> LRESULT {
        if (m == WM_CHAR) {
            g_app->receive(std::wstring(1, static_cast<wchar_t>(w)));
            return 0;
        }
        if (m == WM_KEYDOWN && w == VK_ESCAPE) {
            g_app->receive(std::wstring(1, L'\x1B'));
            return 0;
        }
        return CallWindowProcW(g_editProc, h, m, w, l);
    });
}

}  // namespace

bool App::createTextWindow() {
    const Scenario& sc = session_->scenario();
    Rect r = sc.textWindow.given ? sc.textWindow : Rect{880, 420, 640, 440, true};
    textWindow_ = createWindow(0, L"AcadSimTextWindow", session_->t(L"AutoCAD テキスト ウィンドウ"),
                               WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, r.x, r.y, r.width, r.height, nullptr, nullptr);
    if (!textWindow_) return false;
    pane_ = createWindow(0, L"AcadSimPane", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 10, 10, textWindow_,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPaneId)));
    marin_ = createWindow(0, L"AcadSimMarin", L"Marin", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 10, 10, pane_,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kMarinId)));
    if (!pane_ || !marin_) return false;
    // Created in this order: the command line is the first child, the history the second.
    commandEdit_ = createWindow(WS_EX_CLIENTEDGE, L"Edit", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 10, 10,
                                marin_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCommandId)));
    historyEdit_ = createWindow(WS_EX_CLIENTEDGE, L"Edit", L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0,
                                10, 10, marin_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kHistoryId)));
    if (!commandEdit_ || !historyEdit_) return false;
    SendMessageW(commandEdit_, EM_SETLIMITTEXT, 0, 0);
    SendMessageW(historyEdit_, EM_SETLIMITTEXT, 0, 0);
    for (HWND e : {commandEdit_, historyEdit_}) SendMessageW(e, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    if (!ansi())
        g_editProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(commandEdit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CommandEditProc)));
    RECT rc;
    GetClientRect(textWindow_, &rc);
    SendMessageW(textWindow_, WM_SIZE, 0, MAKELPARAM(rc.right, rc.bottom));
    if (sc.textWindowVisible) ShowWindow(textWindow_, SW_SHOWNOACTIVATE);
    return true;
}

LRESULT CALLBACK TextWindowProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    return guarded([&]() -> LRESULT {
        App* app = g_app;
        switch (m) {
        case WM_SIZE:
            if (HWND pane = GetDlgItem(h, kPaneId)) MoveWindow(pane, 0, 0, LOWORD(l), HIWORD(l), TRUE);
            return 0;
        case WM_COMMAND:
            if (LOWORD(w) == ID_COPY_HISTORY) {
                app->copyHistory();
                return 0;
            }
            break;
        case WM_CLOSE:
            ShowWindow(h, SW_HIDE);
            return 0;
        default:
            break;
        }
        return app->defWindow(h, m, w, l);
    });
}

LRESULT CALLBACK PaneProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    return guarded([&]() -> LRESULT {
        if (m == WM_SIZE) {
            int width = LOWORD(l), height = HIWORD(l);
            if (GetDlgCtrlID(h) == kPaneId) {
                if (HWND marin = GetDlgItem(h, kMarinId)) MoveWindow(marin, 0, 0, width, height, TRUE);
            } else {
                const int line = 26;
                HWND command = GetDlgItem(h, kCommandId), history = GetDlgItem(h, kHistoryId);
                if (history) MoveWindow(history, 0, 0, width, height > line ? height - line : 0, TRUE);
                if (command) MoveWindow(command, 0, height > line ? height - line : 0, width, line, TRUE);
            }
            return 0;
        }
        return g_app->defWindow(h, m, w, l);
    });
}

}  // namespace acadsim
