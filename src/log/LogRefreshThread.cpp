#include "log/LogRefreshThread.h"

TLogThreadVer4::TLogThreadVer4()
    : stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (stop_) thread_ = sb::log::win::UniqueHandle(CreateThread(nullptr, 0, &Run, this, 0, nullptr));
}

TLogThreadVer4::~TLogThreadVer4() {
    if (thread_) {
        SetEvent(stop_.get());
        WaitForSingleObject(thread_.get(), INFINITE);
    }
}

DWORD WINAPI TLogThreadVer4::Run(LPVOID self) {
    static_cast<TLogThreadVer4*>(self)->Loop();
    return 0;
}

void TLogThreadVer4::Loop() {
    for (;;) {
        DWORD period;
        {
            sb::log::win::Lock guard(lock_);
            ProcessFlag = true;
            period = static_cast<DWORD>(ProcessTime);
        }
        if (WaitForSingleObject(stop_.get(), period) != WAIT_TIMEOUT) return;
    }
}

bool TLogThreadVer4::TakeDue(int processTimeMs) {
    sb::log::win::Lock guard(lock_);
    ProcessTime = processTimeMs;
    if (!thread_) return true;  // no thread could be started: refresh every time rather than never
    const bool due = ProcessFlag;
    ProcessFlag = false;
    return due;
}
