// The frame window with its MDI client, window classes, and the start-up of all windows.
#include "App.h"

#include <commctrl.h>
#include "Text.h"

namespace acadsim {

namespace {

std::string ansiText(const std::wstring& s) {
    std::string out;
    if (s.empty()) return out;
    int n = WideCharToMultiByte(932, 0, s.c_str(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return out;
    out.resize(static_cast<size_t>(n));
    WideCharToMultiByte(932, 0, s.c_str(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
    return out;
}

struct ClassInfo {
    const wchar_t* name;
    WNDPROC proc;
    HBRUSH brush;
};

}  // namespace

bool App::registerClasses() {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    HCURSOR cursor = LoadCursorW(nullptr, IDC_ARROW);
    const ClassInfo classes[] = {
        {L"AcadSimFrame", FrameProc, reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1)},
        {L"AcadSimDrawing", DrawingProc, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)},
        {L"AcadSimView", ViewProc, nullptr},
        {L"AcadSimTextWindow", TextWindowProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
        {L"AcadSimPane", PaneProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
        {L"AcadSimMarin", PaneProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
        {L"AcadSimPalette", PlainProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
        {L"CefBrowserWindow", PlainProc, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)},
    };
    for (const auto& c : classes) {
        if (ansi()) {
            std::string name = ansiText(c.name);
            WNDCLASSEXA wc{};
            wc.cbSize = sizeof wc;
            wc.style = CS_HREDRAW | CS_VREDRAW;
            wc.lpfnWndProc = c.proc;
            wc.hInstance = inst;
            wc.hIcon = icon;
            wc.hCursor = cursor;
            wc.hbrBackground = c.brush;
            wc.lpszClassName = name.c_str();
            if (!RegisterClassExA(&wc)) return false;
        } else {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof wc;
            wc.style = CS_HREDRAW | CS_VREDRAW;
            wc.lpfnWndProc = c.proc;
            wc.hInstance = inst;
            wc.hIcon = icon;
            wc.hCursor = cursor;
            wc.hbrBackground = c.brush;
            wc.lpszClassName = c.name;
            if (!RegisterClassExW(&wc)) return false;
        }
    }
    return true;
}

HWND App::createWindow(DWORD exStyle, const wchar_t* cls, const std::wstring& title, DWORD style, int x, int y, int w,
                       int h, HWND parent, HMENU menu, void* param) {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    if (ansi()) {
        std::string c = ansiText(cls), t = ansiText(title);
        return CreateWindowExA(exStyle, c.c_str(), t.c_str(), style, x, y, w, h, parent, menu, inst, param);
    }
    return CreateWindowExW(exStyle, cls, title.c_str(), style, x, y, w, h, parent, menu, inst, param);
}

bool App::create() {
    font_ = createUiFont(-14);
    if (!registerClasses()) return false;
    const Scenario& sc = session_->scenario();
    Rect f = sc.frame.given ? sc.frame : Rect{0, 0, 1280, 860, true};
    frame_ = createWindow(0, L"AcadSimFrame", session_->release().title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, f.x, f.y,
                          f.width, f.height, nullptr, nullptr);
    if (!frame_) return false;
    CLIENTCREATESTRUCT ccs{nullptr, 50000};
    mdiClient_ = createWindow(WS_EX_CLIENTEDGE, L"MDICLIENT", L"",
                              WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0, 100, 100, frame_,
                              reinterpret_cast<HMENU>(0xCAC), &ccs);
    if (!mdiClient_) return false;
    ShowWindow(frame_, sc.frameMaximized ? SW_SHOWMAXIMIZED : SW_SHOW);
    RECT rc;
    GetClientRect(frame_, &rc);
    MoveWindow(mdiClient_, 0, 0, rc.right, rc.bottom, TRUE);

    if (sc.startPage) createStartPage();
    size_t n = session_->drawings().size();
    children_.assign(n, nullptr);
    tabBars_.assign(n, nullptr);
    shownTitles_.assign(n, L"");
    for (size_t i = 0; i < n; ++i)
        if (!createDrawingWindow(static_cast<int>(i))) return false;
    if (!createTextWindow()) return false;
    createPalettes();
    // The minimised drawings first, none of them activated, then the scenario's active one.
    int active = session_->current();
    for (size_t i = 0; i < n; ++i)
        if (session_->drawings()[i].minimized && static_cast<int>(i) != active) ShowWindow(children_[i], SW_SHOWMINNOACTIVE);
    if (active >= 0) {
        const Drawing& d = session_->drawings()[static_cast<size_t>(active)];
        HWND child = children_[static_cast<size_t>(active)];
        SendMessageW(mdiClient_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
        if (d.maximized) SendMessageW(mdiClient_, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
        if (d.minimized) {
            // Minimised and still active, as after a click on its minimise button.
            ShowWindow(child, SW_SHOWMINNOACTIVE);
            SendMessageW(mdiClient_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
        }
        session_->setCurrent(active);
    }
    starting_ = false;
    raiseDialogs();
    sync();
    writeState();
    return true;
}

void App::createStartPage() {
    HWND page = createWindow(WS_EX_MDICHILD, L"AcadSimDrawing", session_->t(L"スタート"),
                             WS_CHILD | WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, 500, 350,
                             mdiClient_, nullptr);
    if (!page) return;
    RECT rc;
    GetClientRect(page, &rc);
    createWindow(0, L"CefBrowserWindow", L"", WS_CHILD | WS_VISIBLE, 0, 0, rc.right, rc.bottom, page, nullptr);
}

void App::createPalettes() {
    int y = 60;
    for (const auto& name : session_->scenario().palettes) {
        HWND p = createWindow(WS_EX_TOOLWINDOW, L"AcadSimPalette", name, WS_POPUP | WS_CAPTION | WS_VISIBLE, 20, y, 220,
                              300, frame_, nullptr);
        if (p) y += 40;
    }
}

LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return g_app->defWindow(h, m, w, l); }

LRESULT CALLBACK FrameProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    return guarded([&]() -> LRESULT {
        App* app = g_app;
        switch (m) {
        case WM_COPYDATA: {
            auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(l);
            if (!cds || cds->dwData != 1 || !cds->lpData) return FALSE;
            std::wstring text;
            if (app->ansi()) {
                const char* bytes = static_cast<const char*>(cds->lpData);
                size_t n = 0;
                while (n < cds->cbData && bytes[n]) ++n;
                text = fromCodePage(bytes, n, 932);
            } else {
                const wchar_t* chars = static_cast<const wchar_t*>(cds->lpData);
                size_t units = cds->cbData / sizeof(wchar_t), n = 0;
                while (n < units && chars[n]) ++n;
                text.assign(chars, n);
            }
            app->receive(text);
            return TRUE;
        }
        case WM_APP_PUMP:
            app->pump();
            return 0;
        case WM_TIMER:
            if (w == TIMER_COMMAND) app->commandTimer();
            else if (w == TIMER_ACTIVATE) app->activationTimer();
            else if (w == TIMER_STATE) app->stateTimer();
            return 0;
        case WM_CLOSE:
            app->closeRequested();
            return 0;
        case WM_DESTROY:
            app->frameDestroyed();
            return 0;
        default:
            return app->defFrame(h, m, w, l);
        }
    });
}

}  // namespace acadsim
