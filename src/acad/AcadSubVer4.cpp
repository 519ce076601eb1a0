#include "acad/AcadSubVer4.h"

#include <cstdint>

#include "common/CommonVer4.h"
#include "log/LogAccessVer4.h"

const TDrawWindowVer4* TDrawWindowListVer4::GetNewDraw(const TDrawWindowListVer4& OldList) const {
    for (const TDrawWindowVer4& item : FItems) {
        bool known = false;
        for (const TDrawWindowVer4& old : OldList)
            if (old.Handle == item.Handle) {
                known = true;
                break;
            }
        if (!known) return &item;
    }
    return nullptr;
}

void TDrawWindowListVer4::Logging(const std::wstring& Title, TLogAccessVer4& Log, int LogMode) const {
    Log.Sub(Title, 4, LogMode);
    if (FItems.empty()) {
        Log.Sub(L"無し", 4, LogMode + 1);
        return;
    }
    for (std::size_t i = 0; i < FItems.size(); ++i) {
        auto v = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(FItems[i].Handle));
        std::wstring hex;
        do {
            hex.insert(hex.begin(), L"0123456789abcdef"[v & 0xF]);
            v >>= 4;
        } while (v);
        if (hex.size() < 8) hex.insert(0, 8 - hex.size(), L' ');
        Log.Sub(L"ウインドウ" + std::to_wstring(i) + L" [" + hex + L"] " + GetWindowTitle(FItems[i].Handle), 4,
                LogMode + 1);
    }
}
