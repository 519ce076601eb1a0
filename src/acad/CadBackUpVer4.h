// The previous values of system variables changed for one step, restored newest first.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct TCadBackUpVer4 {
    std::wstring Target;    // the variable's name as the caller gave it
    std::wstring StrValue;  // its value before the change, as AutoCAD's prompt showed it
    int IntValue = 0;
    bool BoolValue = false;
};

class TCadBackUpListVer4 {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    const TCadBackUpVer4& Get(int Index) const { return FItems.at(static_cast<std::size_t>(Index)); }
    void Put(int Index, const TCadBackUpVer4& Value) { FItems.at(static_cast<std::size_t>(Index)) = Value; }
    void Add(TCadBackUpVer4 Value) { FItems.push_back(std::move(Value)); }
    void Clear() { FItems.clear(); }

private:
    std::vector<TCadBackUpVer4> FItems;
};
