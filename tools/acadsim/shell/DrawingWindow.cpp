// One MDI child per drawing: a painted view of the current tab and a status bar of its tabs.
#include "App.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include "Text.h"

namespace acadsim {

namespace {
constexpr int kViewId = 1;
constexpr int kTabsId = 2;
}  // namespace

std::wstring tabsText(const Session& s, const Drawing& d) {
    std::vector<size_t> order;
    for (size_t i = 1; i < d.tabs.size(); ++i) order.push_back(i);
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return d.tabs[a].tabOrder < d.tabs[b].tabOrder; });
    order.insert(order.begin(), 0);
    std::wstring out;
    for (size_t i : order) {
        std::wstring name = i == 0 ? s.release().modelName() : d.tabs[i].name;
        if (!out.empty()) out += L" | ";
        out += static_cast<int>(i) == d.currentTab ? L"[" + name + L"]" : name;
    }
    return out;
}

bool App::createDrawingWindow(int index) {
    const Drawing& d = session_->drawings()[static_cast<size_t>(index)];
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, w = 560, h = 380;
    if (d.window.given) {
        x = d.window.x;
        y = d.window.y;
        w = d.window.width;
        h = d.window.height;
    }
    HWND child = createWindow(WS_EX_MDICHILD, L"AcadSimDrawing", d.title(),
                              WS_CHILD | WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, x, y, w, h, mdiClient_,
                              nullptr);
    if (!child) return false;
    children_[static_cast<size_t>(index)] = child;
    shownTitles_[static_cast<size_t>(index)] = d.title();
    HWND view = createWindow(0, L"AcadSimView", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, child,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kViewId)));
    HWND tabs = ansi() ? CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, child,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTabsId)), GetModuleHandleW(nullptr), nullptr)
                       : CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, child,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTabsId)), GetModuleHandleW(nullptr), nullptr);
    if (!view || !tabs) return false;
    tabBars_[static_cast<size_t>(index)] = tabs;
    SendMessageW(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    RECT rc;
    GetClientRect(child, &rc);
    SendMessageW(child, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.right, rc.bottom));
    return true;
}

LRESULT CALLBACK DrawingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    return guarded([&]() -> LRESULT {
        App* app = g_app;
        switch (m) {
        case WM_SIZE: {
            HWND view = GetDlgItem(h, kViewId), tabs = GetDlgItem(h, kTabsId);
            if (tabs) SendMessageW(tabs, WM_SIZE, 0, 0);
            if (view) {
                RECT rc, tr{};
                GetClientRect(h, &rc);
                if (tabs) GetWindowRect(tabs, &tr);
                int height = rc.bottom - (tr.bottom - tr.top);
                MoveWindow(view, 0, 0, rc.right, height > 0 ? height : 0, TRUE);
                app->viewResized(h, rc.right, height);
            }
            app->updateFrameTitle();
            break;
        }
        case WM_MDIACTIVATE:
            if (reinterpret_cast<HWND>(l) == h) app->activated(h);
            break;
        case WM_DESTROY:
            app->childDestroyed(h);
            break;
        default:
            break;
        }
        return app->defChild(h, m, w, l);
    });
}

LRESULT CALLBACK ViewProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    return guarded([&]() -> LRESULT {
        App* app = g_app;
        switch (m) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            app->paintView(h, dc);
            EndPaint(h, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
            SendMessageW(app->mdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(GetParent(h)), 0);
            return 0;
        default:
            return app->defWindow(h, m, w, l);
        }
    });
}

void App::paintView(HWND view, HDC dc) {
    RECT rc;
    GetClientRect(view, &rc);
    int index = drawingOf(GetParent(view));
    bool model = true;
    const Drawing* d = index >= 0 ? &session_->drawings()[static_cast<size_t>(index)] : nullptr;
    if (d) model = d->currentTab == 0;
    COLORREF back = model ? RGB(33, 40, 48) : RGB(200, 200, 200);
    UniqueGdi backBrush(CreateSolidBrush(back));
    FillRect(dc, &rc, static_cast<HBRUSH>(backBrush.get()));
    if (!d || rc.bottom <= 0) return;
    const Tab& tab = d->tab();
    double scale = rc.bottom / tab.view.height;
    auto sx = [&](double x) { return static_cast<int>(rc.right / 2.0 + (x - tab.view.cx) * scale); };
    auto sy = [&](double y) { return static_cast<int>(rc.bottom / 2.0 - (y - tab.view.cy) * scale); };
    auto box = [&](const Range& r, COLORREF color, int style, bool fill) {
        UniqueGdi pen(CreatePen(style, 1, color));
        UniqueGdi paper(fill ? CreateSolidBrush(RGB(255, 255, 255)) : nullptr);
        Selected p(dc, pen.get());
        Selected b(dc, paper ? paper.get() : GetStockObject(NULL_BRUSH));
        Rectangle(dc, sx(r.x1), sy(r.y2), sx(r.x2) + 1, sy(r.y1) + 1);
    };
    box(tab.limits, model ? RGB(90, 100, 110) : RGB(120, 120, 120), PS_DOT, !model);
    if (tab.extents) {
        // A plan of rooms inside the extents: outer walls, a grid of rooms, door openings.
        const Range& e = *tab.extents;
        COLORREF ink = model ? RGB(230, 230, 230) : RGB(20, 20, 20);
        box(e, ink, PS_SOLID, false);
        UniqueGdi pen(CreatePen(PS_SOLID, 1, model ? RGB(255, 200, 60) : RGB(200, 30, 30)));
        Selected selected(dc, pen.get());
        const int cols = 3, rows = 2;
        for (int c = 1; c < cols; ++c) {
            double x = e.x1 + e.width() * c / cols;
            MoveToEx(dc, sx(x), sy(e.y1), nullptr);
            LineTo(dc, sx(x), sy(e.y2));
        }
        double door = e.width() / cols / 5;
        for (int c = 0; c < cols; ++c) {
            double x = e.x1 + e.width() * c / cols;
            double y = e.y1 + e.height() / rows;
            MoveToEx(dc, sx(x), sy(y), nullptr);
            LineTo(dc, sx(x + door), sy(y));
            MoveToEx(dc, sx(x + 2 * door), sy(y), nullptr);
            LineTo(dc, sx(x + e.width() / cols), sy(y));
            Arc(dc, sx(x + door - door), sy(y + door), sx(x + door + door), sy(y - door), sx(x + 2 * door), sy(y),
                sx(x + door), sy(y + door));
        }
    }
    Selected font(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, model ? RGB(220, 220, 220) : RGB(20, 20, 20));
    std::wstring name = d->currentTab == 0 ? session_->release().modelName() : tab.name;
    std::wstring lines[] = {
        d->title() + L"  —  " + name,
        L"中心 " + formatReal(tab.view.cx) + L", " + formatReal(tab.view.cy) + L"   高さ " + formatReal(tab.view.height),
    };
    int y = 4;
    for (const auto& line : lines) {
        TextOutW(dc, 6, y, line.c_str(), static_cast<int>(line.size()));
        y += 20;
    }
}

}  // namespace acadsim
