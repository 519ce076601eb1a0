// System variables of the stand-in: their current text and how a typed value is taken.
#pragma once

#include <string>

#include "Session.h"

namespace acadsim {

struct VarInfo {
    bool exists = false;
    bool readOnly = false;
    std::wstring value;  // as AutoCAD prints it: text values in double quotes
};

VarInfo readVar(Session& s, int drawing, const std::wstring& name);
// False with the message AutoCAD prints when the value is refused.
bool writeVar(Session& s, int drawing, const std::wstring& name, const std::wstring& text, std::wstring& message);

}  // namespace acadsim
