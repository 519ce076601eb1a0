// Another program that holds the clipboard open: opens it, signals the first named event, and
// closes it when the second is signalled (or after a minute), then exits.
// Usage: sb_clipboard_holder.exe <ready event> <release event>
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    const std::wstring args = commandLine ? commandLine : L"";
    const std::size_t space = args.find(L' ');
    if (space == std::wstring::npos) return 2;
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, args.substr(0, space).c_str());
    HANDLE release = OpenEventW(SYNCHRONIZE, FALSE, args.substr(space + 1).c_str());
    if (!ready || !release) return 3;
    HWND owner = CreateWindowExW(0, L"Static", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (!OpenClipboard(owner)) return 4;
    SetEvent(ready);
    WaitForSingleObject(release, 60000);
    CloseClipboard();
    DestroyWindow(owner);
    CloseHandle(ready);
    CloseHandle(release);
    return 0;
}
