// Bringing a window of another process to the front: attach our input to its thread and lift
// the foreground lock for the moment of the switch.
#include <windows.h>

#include "common/CommonVer4.h"

namespace {

class InputAttachment {
public:
    InputAttachment(DWORD from, DWORD to) : from_(from), to_(to), attached_(AttachThreadInput(from, to, TRUE) != 0) {}
    ~InputAttachment() { if (attached_) AttachThreadInput(from_, to_, FALSE); }
    InputAttachment(const InputAttachment&) = delete;
    InputAttachment& operator=(const InputAttachment&) = delete;
    bool Attached() const { return attached_; }

private:
    DWORD from_, to_;
    bool attached_;
};

// Sets the system-wide foreground lock timeout to 0 and puts the saved value back on every path.
class ForegroundLockLift {
public:
    ForegroundLockLift() {
        saved_ok_ = SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &saved_, 0) != 0;
        if (saved_ok_) Set(0);
    }
    ~ForegroundLockLift() { if (saved_ok_) Set(saved_); }
    ForegroundLockLift(const ForegroundLockLift&) = delete;
    ForegroundLockLift& operator=(const ForegroundLockLift&) = delete;

private:
    static void Set(DWORD value) {
        SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<PVOID>(static_cast<UINT_PTR>(value)), 0);
    }
    DWORD saved_ = 0;
    bool saved_ok_ = false;
};

}  // namespace

bool ForceForeground(HWND Handle, HWND OwnWindow) {
    const DWORD own = OwnWindow ? GetWindowThreadProcessId(OwnWindow, nullptr) : 0;
    if (own == 0) return false;
    const DWORD target = Handle ? GetWindowThreadProcessId(Handle, nullptr) : 0;
    if (target == 0) return false;
    {
        InputAttachment attachment(target, own);
        if (!attachment.Attached()) return false;
        ForegroundLockLift lift;
        SetForegroundWindow(Handle);
        SetActiveWindow(Handle);
    }
    // Some systems drop the foreground when the shared input is split again; ask once more,
    // while this program still holds the foreground right it just used.
    if (GetForegroundWindow() != Handle) {
        ForegroundLockLift lift;
        SetForegroundWindow(Handle);
    }
    return true;
}
