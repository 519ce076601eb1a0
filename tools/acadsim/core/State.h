// The state file: what the stand-in's drawings, files, dialogs and commands look like now.
#pragma once

#include <string>

#include "Session.h"

namespace acadsim {

struct ProcessInfo {
    unsigned long pid = 0;
    std::wstring exe;
    unsigned long long received = 0;  // WM_COPYDATA messages taken
};

std::string stateJson(const Session& s, const ProcessInfo& p, unsigned long long sequence);

}  // namespace acadsim
