#include "acad/AcadThreadVer4.h"

#include "common/CommonVer4.h"
#include "log/LogAccessVer4.h"

namespace {

// Records every top-level window, titled or not (handles only), and stops after 4096.
BOOL CALLBACK MonitorEnumProc(HWND Handle, LPARAM Data) {
    auto* list = reinterpret_cast<TEnumWindowListVer4*>(Data);
    ++list->LoopCount;
    TEnumWindowVer4 item;
    item.Handle = Handle;
    list->Add(std::move(item));
    return list->LoopCount < TEnumWindowListVer4::kMaxVisited ? TRUE : FALSE;
}

// Every send to a dialog is bounded so a hung AutoCAD cannot hold this thread (nor the exit join).
constexpr UINT kActionTimeoutMs = 1000;

}  // namespace

TAcadMonitorThreadVer4::TAcadMonitorThreadVer4(std::mutex& Lock, TLogAccessVer4* Log, HWND NotifyWindow,
                                               UINT NotifyMessage)
    : AcadLock(Lock), MasterLog(Log), FNotifyWindow(NotifyWindow), FNotifyMessage(NotifyMessage) {
    FTerminateEvent.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    // Without its wake-up event the thread could not be ended; then it is not started at all.
    bool started = false;
    if (FTerminateEvent.get()) {
        try {
            FThread = std::thread([this] { Execute(); });
            started = true;
        } catch (...) {
        }
    }
    if (!started && MasterLog) MasterLog->Emergency(L"監視スレッドを開始出来ませんでした。ダイアログの監視は行われません。");
}

TAcadMonitorThreadVer4::~TAcadMonitorThreadVer4() { Terminate(); }

void TAcadMonitorThreadVer4::Terminate() {
    if (FTerminateEvent.get()) SetEvent(FTerminateEvent.get());
    if (FThread.joinable()) FThread.join();
}

bool TAcadMonitorThreadVer4::Sleep(DWORD Milliseconds) {
    return WaitForSingleObject(FTerminateEvent.get(), Milliseconds) == WAIT_TIMEOUT;
}

bool TAcadMonitorThreadVer4::Terminating() const {
    return WaitForSingleObject(FTerminateEvent.get(), 0) == WAIT_OBJECT_0;
}

void TAcadMonitorThreadVer4::Execute() {
    try {
        TEnumWindowListVer4 list;
        {
            std::lock_guard<std::mutex> lock(AcadLock);
            OkCount = 0;
            NoCount = 0;
        }
        while (!Terminating() && Cycle(list)) {
        }
    } catch (...) {
        // Nothing leaves the thread; the watcher simply stops watching.
    }
}

bool TAcadMonitorThreadVer4::Cycle(TEnumWindowListVer4& List) {
    HWND main, text;
    DWORD pid;
    bool exec;
    {
        std::lock_guard<std::mutex> lock(AcadLock);
        main = MainHandle;
        text = TextHandle;
        pid = ProcessID;
        exec = ExecFlag;
    }
    if (!exec || !main || !text || pid == 0) {
        {
            std::lock_guard<std::mutex> lock(AcadLock);
            OkCount = 0;
            NoCount = 0;
        }
        return Sleep(100);
    }

    TextWindowSizeCheck(text);

    List.Clear();
    EnumWindows(&MonitorEnumProc, reinterpret_cast<LPARAM>(&List));
    if (!Sleep(50)) return false;

    bool seen = false;
    for (const TEnumWindowVer4& item : List) {
        if (Terminating()) return false;
        HWND w = item.Handle;
        if (w == main || w == text || !IsWindow(w) || !IsWindowVisible(w)) continue;
        if (GetWindowProcessID(w) != pid) continue;
        const std::wstring title = NormalizeTitle(GetWindowTitle(w));
        const std::wstring cls = NormalizeTitle(GetWindowClassName(w));
        int action = 0;
        if (!WindowCheck(w, title, cls, action)) {
            std::lock_guard<std::mutex> lock(AcadLock);
            OkCount = 0;
            seen = true;
        }
        if (action != 0 && IsWindow(w)) {
            PerformAction(w, action);
            for (int i = 0; i < 50 && IsWindow(w); ++i)
                if (!Sleep(20)) return false;
        }
    }

    std::lock_guard<std::mutex> lock(AcadLock);
    if (seen) {
        OkCount = 0;
        ++DialogCycles;
        if (NoCount < 100) ++NoCount;
    } else {
        if (OkCount < 100) ++OkCount;
        NoCount = 0;
    }
    return true;
}

void TAcadMonitorThreadVer4::TextWindowSizeCheck(HWND Text) {
    if (!IsWindowVisible(Text)) return;
    RECT r;
    if (!GetWindowRect(Text, &r)) return;
    long w = 0, h = 0;
    if (!sb::acad::TextWindowSizeRule(r.right - r.left, r.bottom - r.top, w, h)) return;
    LogSet(L"テキストウインドウが不適切と判断しました。サイズを調整します。", 0, false);
    // Asynchronous: moving a window of a hung AutoCAD must not block the watcher.
    SetWindowPos(Text, nullptr, r.left, r.top, w, h, SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

bool TAcadMonitorThreadVer4::PerformAction(HWND Window, int Action) {
    UINT msg = WM_COMMAND;
    WPARAM wp = 0;
    switch (Action) {
        case sb::acad::kActionClose: msg = WM_CLOSE; break;
        case sb::acad::kActionYes: wp = IDYES; break;
        case sb::acad::kActionNo: wp = IDNO; break;
        case sb::acad::kActionOk: wp = IDOK; break;
        case sb::acad::kActionCancel: wp = IDCANCEL; break;
        case sb::acad::kActionPostOk: return PostMessageW(Window, WM_COMMAND, IDOK, 0) != FALSE;
        default: return false;
    }
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(Window, msg, wp, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL, kActionTimeoutMs, &result) != 0;
}

void TAcadMonitorThreadVer4::LogSet(const std::wstring& Text, int Level, bool ContinueFlag) {
    {
        std::lock_guard<std::mutex> lock(AcadLock);
        if (ContinueFlag && Text == BackLog) return;
        BackLog = Text;
        if (Terminating() || !MasterLog) return;
        FQueue.push_back({Text, Level});
    }
    // The lines stay queued even if this post fails; the next post delivers them all.
    if (FNotifyWindow) PostMessageW(FNotifyWindow, FNotifyMessage, 0, 0);
}

void TAcadMonitorThreadVer4::DrainLog() {
    // A log call may pump messages and so re-enter here; the outer loop keeps the order.
    if (FDraining) return;
    FDraining = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{FDraining};
    for (;;) {
        QueuedLine line;
        {
            std::lock_guard<std::mutex> lock(AcadLock);
            if (FQueue.empty()) return;
            line = std::move(FQueue.front());
            FQueue.pop_front();
        }
        TLogAccessVer4& log = *MasterLog;
        switch (sb::acad::LogKindOfLevel(line.Level)) {
            case sb::acad::LogKind::Add: log.Add(line.Text, 1, 1); break;
            case sb::acad::LogKind::Memo: log.Memo(line.Text); break;
            case sb::acad::LogKind::Report: log.Report(line.Text); break;
            case sb::acad::LogKind::Confirmation: log.Confirmation(line.Text); break;
            case sb::acad::LogKind::Attention: log.Attention(line.Text); break;
            case sb::acad::LogKind::Warning: log.Warning(line.Text); break;
            case sb::acad::LogKind::Error: log.Error(line.Text); break;
            case sb::acad::LogKind::Emergency: log.Emergency(line.Text); break;
        }
    }
}
