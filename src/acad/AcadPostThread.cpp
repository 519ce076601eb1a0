#include "acad/AcadPostThread.h"

#include <process.h>

#include <atomic>
#include <vector>

struct TPostCommandThreadVer4::State {
    DWORD AppThreadID = 0;
    DWORD TaegetThreadID = 0;
    HWND TaegetHandle = nullptr;
    std::vector<unsigned char> Value;  // the payload with its NUL
    unsigned SendTimeoutMs = 0;
    unsigned RetryMs = 0;
    std::atomic<bool> Terminated{false};
    std::atomic<bool> Sent{false};
    std::atomic<bool> TimedOut{false};
};

namespace {

using State = TPostCommandThreadVer4::State;

// One send with the input attached, detached again on every path. True when AutoCAD took it;
// Waited tells a send that used its whole bound from one refused at once.
bool SendOnce(State& s, COPYDATASTRUCT& data, bool& Waited) {
    Waited = false;
    if (!AttachThreadInput(s.TaegetThreadID, s.AppThreadID, TRUE)) return false;
    bool sent = false;
    if (IsWindow(s.TaegetHandle) && !s.Terminated) {
        const ULONGLONG start = GetTickCount64();
        DWORD_PTR answer = 0;
        sent = SendMessageTimeoutW(s.TaegetHandle, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                   SMTO_NORMAL | SMTO_ABORTIFHUNG, s.SendTimeoutMs, &answer) != 0;
        Waited = !sent && GetTickCount64() - start + 50 >= s.SendTimeoutMs;
        if (sent) PostMessageW(s.TaegetHandle, WM_NULL, 0, 0);
    }
    AttachThreadInput(s.TaegetThreadID, s.AppThreadID, FALSE);
    return sent;
}

void Run(State& s) {
    if (!IsWindow(s.TaegetHandle) || s.Terminated) return;
    COPYDATASTRUCT data{};
    data.dwData = 1;
    data.cbData = static_cast<DWORD>(s.Value.size());
    data.lpData = s.Value.data();
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        bool waited = false;
        if (SendOnce(s, data, waited)) {
            s.Sent = true;
            return;
        }
        if (waited) {
            s.TimedOut = true;
            return;
        }
        // Refused at once (AutoCAD reported hung, or the input could not be attached): nothing was
        // handed over, so trying again cannot type the text twice.
        if (!IsWindow(s.TaegetHandle) || s.Terminated || GetTickCount64() - start >= s.RetryMs) return;
        Sleep(100);
    }
}

unsigned __stdcall ThreadMain(void* Param) {
    // The thread's own reference: the caller may have let go of the object by now.
    std::unique_ptr<std::shared_ptr<State>> keep(static_cast<std::shared_ptr<State>*>(Param));
    try {
        Run(**keep);
    } catch (...) {
        // Nothing leaves the thread; an exception here means nothing was sent.
    }
    return 0;
}

}  // namespace

sb::acad::AnsiConversion ToAnsiCodePage(const std::wstring& Text) {
    sb::acad::AnsiConversion a;
    if (Text.empty()) {
        a.Ok = true;
        return a;
    }
    if (Text.size() > 0x3FFFFFFF) return a;
    const int length = static_cast<int>(Text.size());
    // UTF-8 as the ANSI code page takes neither flag nor default-character report; it holds every character.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* used = utf8 ? nullptr : &usedDefault;
    const int needed = WideCharToMultiByte(CP_ACP, flags, Text.data(), length, nullptr, 0, nullptr, used);
    if (needed <= 0) return a;
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    usedDefault = FALSE;
    const int written = WideCharToMultiByte(CP_ACP, flags, Text.data(), length, bytes.data(), needed, nullptr, used);
    if (written <= 0) return a;
    bytes.resize(static_cast<std::size_t>(written));
    a.Ok = true;
    a.UsedDefault = usedDefault != FALSE;
    a.Bytes = std::move(bytes);
    return a;
}

std::unique_ptr<TPostCommandThreadVer4> TPostCommandThreadVer4::Start(DWORD FAppThreadID, DWORD FTaegetThreadID,
                                                                      HWND FTaegetHandle, sb::acad::SendPayload FValue,
                                                                      std::wstring& Error, unsigned SendTimeoutMs,
                                                                      unsigned RetryMs) {
    Error.clear();
    auto state = std::make_shared<State>();
    state->AppThreadID = FAppThreadID;
    state->TaegetThreadID = FTaegetThreadID;
    state->TaegetHandle = FTaegetHandle;
    state->Value = std::move(FValue.Bytes);
    state->SendTimeoutMs = SendTimeoutMs;
    state->RetryMs = RetryMs;
    auto* param = new std::shared_ptr<State>(state);
    const uintptr_t h = _beginthreadex(nullptr, 0, &ThreadMain, param, 0, nullptr);
    if (h == 0) {
        delete param;
        Error = L"コマンド送信スレッドを作成できませんでした";
        return nullptr;
    }
    return std::unique_ptr<TPostCommandThreadVer4>(
        new TPostCommandThreadVer4(std::move(state), reinterpret_cast<HANDLE>(h)));
}

TPostCommandThreadVer4::~TPostCommandThreadVer4() {
    if (FHandle) CloseHandle(FHandle);
}

bool TPostCommandThreadVer4::Ended() const { return WaitForSingleObject(FHandle, 0) == WAIT_OBJECT_0; }

bool TPostCommandThreadVer4::Sent() const { return FState->Sent; }

bool TPostCommandThreadVer4::TimedOut() const { return FState->TimedOut; }

void TPostCommandThreadVer4::Terminate() { FState->Terminated = true; }
