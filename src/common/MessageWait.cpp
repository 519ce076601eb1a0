#include <windows.h>

#include "common/CommonVer4.h"

namespace {

// Dispatches what is pending; false when WM_QUIT came (it is posted again for the main loop).
bool PumpPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

}  // namespace

void ProcessMessagesWait(unsigned Milliseconds) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        if (!PumpPending()) return;
        const ULONGLONG elapsed = GetTickCount64() - start;
        if (elapsed >= Milliseconds) return;
        // Sleep until a message arrives or the time is up; never spin.
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(Milliseconds - elapsed), QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
    }
}
