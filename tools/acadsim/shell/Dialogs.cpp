// Dialog boxes (class "#32770") raised by the scenario or by a command; the frame stays disabled
// while one is open, as under a modal dialog.
#include "App.h"

namespace acadsim {

namespace {

constexpr int kCheckboxId = 100;

INT_PTR DialogBody(HWND h, UINT m, WPARAM w, LPARAM l);

INT_PTR CALLBACK DialogProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    return guarded([&]() -> LRESULT { return DialogBody(h, m, w, l); }, FALSE);
}

INT_PTR DialogBody(HWND h, UINT m, WPARAM w, LPARAM l) {
    switch (m) {
    case WM_INITDIALOG: {
        const auto* plan = reinterpret_cast<const DialogPlan*>(l);
        HFONT font = g_app->font();
        SetWindowTextW(h, plan->title.c_str());
        HINSTANCE inst = GetModuleHandleW(nullptr);
        auto add = [&](const wchar_t* cls, const std::wstring& text, DWORD style, int x, int y, int cw, int ch, int id) {
            HWND c = CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, cw, ch, h,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst, nullptr);
            if (c) SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        };
        int y = 16;
        for (const auto& line : plan->body) {
            add(L"Static", line, SS_LEFT, 20, y, 440, 22, -1);
            y += 26;
        }
        if (!plan->checkbox.empty()) {
            add(L"Button", plan->checkbox, BS_AUTOCHECKBOX | WS_TABSTOP, 20, y + 4, 440, 22, kCheckboxId);
            y += 30;
        }
        int x = 480 - 20 - static_cast<int>(plan->buttons.size()) * 110;
        for (size_t i = 0; i < plan->buttons.size(); ++i) {
            const auto& b = plan->buttons[i];
            add(L"Button", b.text, (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP, x, y + 14, 100, 30, b.id);
            x += 110;
        }
        RECT frame{0, 0, 480, y + 60};
        AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(h, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(h, GWL_EXSTYLE)));
        RECT owner{};
        GetWindowRect(GetWindow(h, GW_OWNER), &owner);
        int width = frame.right - frame.left, height = frame.bottom - frame.top;
        SetWindowPos(h, HWND_TOP, owner.left + ((owner.right - owner.left) - width) / 2,
                     owner.top + ((owner.bottom - owner.top) - height) / 3, width, height, SWP_SHOWWINDOW);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(w) != kCheckboxId && (HIWORD(w) == BN_CLICKED || HIWORD(w) == 0)) g_app->dialogClosed(h, LOWORD(w));
        return TRUE;
    case WM_CLOSE:
        g_app->dialogClosed(h, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

HWND createDialogWindow(HWND owner, const DialogPlan& plan, bool ansi, HFONT) {
    // An empty template: the controls are made in WM_INITDIALOG.
    struct alignas(4) Template {
        DLGTEMPLATE t;
        WORD menu, cls, title;
    } tpl{};
    tpl.t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    tpl.t.cx = 240;
    tpl.t.cy = 100;
    HINSTANCE inst = GetModuleHandleW(nullptr);
    LPARAM param = reinterpret_cast<LPARAM>(&plan);
    return ansi ? CreateDialogIndirectParamA(inst, &tpl.t, owner, DialogProc, param)
                : CreateDialogIndirectParamW(inst, &tpl.t, owner, DialogProc, param);
}

}  // namespace acadsim
