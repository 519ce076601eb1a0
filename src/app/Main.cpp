// Program body: common controls, the main window, the message loop.
#include <windows.h>
#include <commctrl.h>

#include "app/MainForm.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS |
                                              ICC_BAR_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&icc);
    TMainForm form(instance);
    if (!form.Create(showCommand)) {
        MessageBoxW(nullptr, L"メインウインドウを作成できませんでした。", L"Sheetbay", MB_ICONERROR);
        return 1;
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) form.HandleMessage(msg);
    return static_cast<int>(msg.wParam);
}
