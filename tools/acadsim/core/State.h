// The state file: what the stand-in's drawings, files, dialogs and commands look like now.
#pragma once

#include <string>

#include "Session.h"

namespace acadsim {

struct ProcessInfo {
    unsigned long pid = 0;
    std::wstring exe;
    unsigned long long received = 0;  // WM_COPYDATA messages taken
    size_t pending = 0;               // characters received and not yet typed
    bool busy = false;                // written just before the thread blocks (busy period, hang)
    int activating = -1;              // a drawing activated that the command line has not followed yet
};

std::string stateJson(const Session& s, const ProcessInfo& p, unsigned long long sequence);

}  // namespace acadsim
