#include "common/EnumWindowVer4.h"

#include "common/CommonVer4.h"

BOOL CALLBACK EnumWindowsProc(HWND Handle, LPARAM List) {
    auto* list = reinterpret_cast<TEnumWindowListVer4*>(List);
    if (!list) return FALSE;
    ++list->LoopCount;
    const BOOL goOn = list->LoopCount >= TEnumWindowListVer4::kMaxVisited ? FALSE : TRUE;
    try {
        std::wstring title = GetWindowTitle(Handle);
        if (title.empty()) return goOn;
        TEnumWindowVer4 record;
        record.Handle = Handle;
        record.ClassName = GetWindowClassName(Handle);
        record.OriginalTitleName = title;
        record.TitleName = std::move(title);
        list->Add(std::move(record));
    } catch (...) {
        return FALSE;  // out of memory: nothing may unwind through the system's callback
    }
    return goOn;
}

void EnumTopWindows(TEnumWindowListVer4& List) {
    List.Clear();
    EnumWindows(EnumWindowsProc, reinterpret_cast<LPARAM>(&List));
}
