// A stop request raised by a timer while a wait runs (the waits pump this thread), as the user's
// Stop button would raise it.
#pragma once

#include <windows.h>

#include "log/LogVer4.h"

namespace acad_test {

class StopAfter {
public:
    StopAfter(TLogVer4& log, unsigned ms) {
        Target() = &log;
        id_ = SetTimer(nullptr, 0, ms, Fire);
    }
    ~StopAfter() {
        KillTimer(nullptr, id_);
        Target() = nullptr;
    }
    StopAfter(const StopAfter&) = delete;
    StopAfter& operator=(const StopAfter&) = delete;

private:
    // A thread timer carries no context: the log to stop sits here while one is armed.
    static TLogVer4*& Target() {
        static TLogVer4* log = nullptr;
        return log;
    }
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        if (Target()) Target()->Breaking();
    }

    UINT_PTR id_ = 0;
};

}  // namespace acad_test
