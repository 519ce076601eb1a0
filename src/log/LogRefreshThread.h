// The log's refresh thread: marks every ProcessTime milliseconds that the window may process
// its messages again. It touches only ProcessTime and ProcessFlag, always under its lock; it is
// woken and stopped by an event and joined by its owner.
#pragma once

#include <windows.h>

#include "log/LogWin32.h"

class TLogThreadVer4 {
public:
    TLogThreadVer4();
    // Signals the stop event and waits for the thread to end.
    ~TLogThreadVer4();
    TLogThreadVer4(const TLogThreadVer4&) = delete;
    TLogThreadVer4& operator=(const TLogThreadVer4&) = delete;

    bool Running() const { return static_cast<bool>(thread_); }
    // Sets the period for the next cycle and takes the "refresh due" mark (test and clear).
    bool TakeDue(int processTimeMs);

private:
    static DWORD WINAPI Run(LPVOID self);
    void Loop();

    sb::log::win::CriticalSection lock_;
    int ProcessTime = 100;     // under lock_
    bool ProcessFlag = false;  // under lock_
    sb::log::win::UniqueHandle stop_;
    sb::log::win::UniqueHandle thread_;
};
