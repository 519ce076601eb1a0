// The natural-sort component: sorts strings by their keys and keeps the items with their original
// strings so callers can map their own objects onto the new order. Logs through its facade and
// stops between items when a stop is requested.
#pragma once

#include <string>
#include <vector>

#include "common/SortCore.h"
#include "log/LogAccessVer4.h"

class TSortVer4 {
public:
    TSortVer4() = default;
    TSortVer4(const TSortVer4&) = delete;
    TSortVer4& operator=(const TSortVer4&) = delete;

    TLogAccessVer4& Log() { return FLog; }
    TSortModeVer4 xMode() const { return FSortVer4Mode; }
    void xMode(TSortModeVer4 Value) { FSortVer4Mode = Value; }
    int SortType() const { return FSortType; }
    void SortType(int Value) { FSortType = Value; }

    TSortDataListVer4 Items;  // the result, in sorted order

    // True when sorted; Target itself is not changed.
    bool Execute(const std::vector<std::wstring>& Target);
    // Replaces Target's lines by the items' original strings in their order.
    bool AnserGet(std::vector<std::wstring>& Target) const;
    void AnserClear() { Items.Clear(); }
    bool AnserFlag() const { return Items.Count() > 0; }

private:
    TLogAccessVer4 FLog;
    TSortModeVer4 FSortVer4Mode = SiSortUpper | SiSortReal;
    int FSortType = 0;
};
