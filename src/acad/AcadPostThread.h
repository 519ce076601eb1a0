// TPostCommandThreadVer4: the short-lived thread that types one text into AutoCAD. It attaches
// AutoCAD's input to the program's main thread, hands the text over with WM_COPYDATA (bounded: a
// hung AutoCAD must not hold our input state), posts WM_NULL and detaches on every path. A send
// that waited its whole bound is reported as timed out, not as unsent: a slow AutoCAD may still
// take it, and only what AutoCAD then shows tells.
// The caller owns the object and with it the thread handle; the thread keeps its own copy of
// what it needs, so the caller may let go of it while the thread is still blocked in AutoCAD.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "acad/CommandText.h"

// The ANSI code page of the system, refusing best fits and default characters.
sb::acad::AnsiConversion ToAnsiCodePage(const std::wstring& Text);

class TPostCommandThreadVer4 {
public:
    // How long the sender waits for AutoCAD's window procedure to take the text.
    static constexpr unsigned kSendTimeoutMs = 5000;

    // Starts the thread; nullptr when it could not be created (Error says why).
    // RetryMs: how long a send refused at once because Windows reports AutoCAD hung (nothing was
    // handed over) is tried again.
    static std::unique_ptr<TPostCommandThreadVer4> Start(DWORD FAppThreadID, DWORD FTaegetThreadID, HWND FTaegetHandle,
                                                         sb::acad::SendPayload FValue, std::wstring& Error,
                                                         unsigned SendTimeoutMs = kSendTimeoutMs,
                                                         unsigned RetryMs = 0);
    // Closes the handle; does not wait for the thread.
    ~TPostCommandThreadVer4();
    TPostCommandThreadVer4(const TPostCommandThreadVer4&) = delete;
    TPostCommandThreadVer4& operator=(const TPostCommandThreadVer4&) = delete;

    // The thread's handle, valid for this object's life: wait on it to learn of the end.
    HANDLE Handle() const { return FHandle; }
    bool Ended() const;
    // After Ended: whether AutoCAD's window took the text.
    bool Sent() const;
    // After Ended: the send waited its whole bound without an answer; the text may still arrive.
    bool TimedOut() const;
    // Asks a thread that has not sent yet not to send.
    void Terminate();

    struct State;

private:
    TPostCommandThreadVer4(std::shared_ptr<State> S, HANDLE H) : FState(std::move(S)), FHandle(H) {}
    std::shared_ptr<State> FState;
    HANDLE FHandle = nullptr;
};
