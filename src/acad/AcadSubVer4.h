// Drawing-window records: one MDI child of AutoCAD's view root and the owning list of them, in
// AutoCAD's MDI Z order (index 0 is the active drawing).
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

class TLogAccessVer4;

struct TDrawWindowVer4 {
    HWND Handle = nullptr;
    std::wstring Caption;  // title when listed
    std::wstring Path;     // filled by callers that ask AutoCAD; empty when listed
};

class TDrawWindowListVer4 {
public:
    void Clear() { FItems.clear(); }
    int Count() const { return static_cast<int>(FItems.size()); }
    TDrawWindowVer4& Get(int Index) { return FItems.at(static_cast<std::size_t>(Index)); }
    const TDrawWindowVer4& Get(int Index) const { return FItems.at(static_cast<std::size_t>(Index)); }
    void Put(int Index, const TDrawWindowVer4& Value) { FItems.at(static_cast<std::size_t>(Index)) = Value; }
    void Add(TDrawWindowVer4 Value) { FItems.push_back(std::move(Value)); }
    void Delete(int Index) { FItems.erase(FItems.begin() + Index); }
    void Exchange(int A, int B) { std::swap(FItems.at(static_cast<std::size_t>(A)), FItems.at(static_cast<std::size_t>(B))); }

    auto begin() { return FItems.begin(); }
    auto end() { return FItems.end(); }
    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }

    // The first record whose Handle occurs nowhere in OldList; nullptr when there is none.
    const TDrawWindowVer4* GetNewDraw(const TDrawWindowListVer4& OldList) const;
    // Title line, then "無し" or one "ウインドウ%d [%8x] %s" line per record (title read now).
    void Logging(const std::wstring& Title, TLogAccessVer4& Log, int LogMode) const;

private:
    std::vector<TDrawWindowVer4> FItems;
};
