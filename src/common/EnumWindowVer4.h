// One enumerated top-level window and the owning list that the enumeration callback fills.
// A list belongs to one thread.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

struct TEnumWindowVer4 {
    HWND Handle = nullptr;
    std::wstring TitleName;          // as read; the AutoCAD search stores its normalised form
    std::wstring ClassName;
    std::wstring OriginalTitleName;  // as read, never normalised
    DWORD ProcessID = 0;             // diagnostic listing only
    std::wstring ExePath;            // diagnostic listing only
    std::wstring ExeName;
    bool Flag = false;               // diagnostic listing: belongs to an AutoCAD process
};

class TEnumWindowListVer4 {
public:
    static constexpr int kMaxVisited = 4096;

    int LoopCount = 0;  // windows visited by the callback since the last Clear

    void Clear() { FItems.clear(); LoopCount = 0; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TEnumWindowVer4& Get(int Index) { return FItems.at(static_cast<std::size_t>(Index)); }
    const TEnumWindowVer4& Get(int Index) const { return FItems.at(static_cast<std::size_t>(Index)); }
    void Put(int Index, const TEnumWindowVer4& Value) { FItems.at(static_cast<std::size_t>(Index)) = Value; }
    void Add(TEnumWindowVer4 Value) { FItems.push_back(std::move(Value)); }

    auto begin() { return FItems.begin(); }
    auto end() { return FItems.end(); }
    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }

private:
    std::vector<TEnumWindowVer4> FItems;
};

// Clears List and enumerates the desktop's top-level windows into it with EnumWindowsProc.
void EnumTopWindows(TEnumWindowListVer4& List);
