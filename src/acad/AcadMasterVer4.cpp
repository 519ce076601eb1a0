#include "acad/AcadMasterVer4.h"

#include <cstdint>
#include <vector>

#include "acad/AcadCore.h"
#include "acad/AcadThreadVer4.h"
#include "common/CommonVer4.h"
#include "log/LogVer4.h"

namespace {

constexpr UINT kMonitorLogMessage = WM_APP + 0x41;
constexpr wchar_t kNotifyClass[] = L"SheetbayAcadMasterNotify";

ATOM RegisterNotifyClass(WNDPROC proc) {
    static ATOM atom = [proc] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kNotifyClass;
        return RegisterClassExW(&wc);
    }();
    return atom;
}

std::intptr_t HandleValue(HWND h) { return reinterpret_cast<std::intptr_t>(h); }

BOOL CALLBACK CollectMonitor(HMONITOR, HDC, LPRECT Rect, LPARAM Data) {
    auto* out = reinterpret_cast<std::vector<sb::acad::Rect>*>(Data);
    out->push_back({Rect->left, Rect->top, Rect->right, Rect->bottom});
    return TRUE;
}

}  // namespace

TAcadMasterVer4::TAcadMasterVer4(TLogVer4* Log, const std::wstring& LogName)
    : EnumWindowList(std::make_unique<TEnumWindowListVer4>()), FLog(Log, LogName) {
    if (RegisterNotifyClass(&TAcadMasterVer4::NotifyProc) != 0) {
        FNotifyWindow = CreateWindowExW(0, kNotifyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
        if (FNotifyWindow) SetWindowLongPtrW(FNotifyWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    FMonitorThread = std::make_unique<TAcadMonitorThreadVer4>(FAcadLock, &FLog, FNotifyWindow, kMonitorLogMessage);
    StartFlag = false;
    FCriticalErrorAutoClose = false;
    Claer();
}

TAcadMasterVer4::~TAcadMasterVer4() {
    FMonitorThread.reset();  // wakes and joins the thread before the lock and the facade go
    if (FNotifyWindow) {
        SetWindowLongPtrW(FNotifyWindow, GWLP_USERDATA, 0);
        DestroyWindow(FNotifyWindow);
    }
}

LRESULT CALLBACK TAcadMasterVer4::NotifyProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kMonitorLogMessage) {
        auto* self = reinterpret_cast<TAcadMasterVer4*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        try {
            if (self && self->FMonitorThread) self->FMonitorThread->DrainLog();
        } catch (...) {
            // A line that cannot be logged is dropped; nothing may leave a window procedure.
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

void TAcadMasterVer4::MainHandle(HWND Value) {
    FMainHandle = Value;
    std::lock_guard<std::mutex> lock(FAcadLock);
    FMonitorThread->MainHandle = Value;
}

void TAcadMasterVer4::TextHandle(HWND Value) {
    FTextHandle = Value;
    std::lock_guard<std::mutex> lock(FAcadLock);
    FMonitorThread->TextHandle = Value;
}

void TAcadMasterVer4::ProcessID(DWORD Value) {
    FProcessID = Value;
    std::lock_guard<std::mutex> lock(FAcadLock);
    FMonitorThread->ProcessID = Value;
}

void TAcadMasterVer4::ExecPath(const std::wstring& Value) {
    FExecPath = Value;
    std::lock_guard<std::mutex> lock(FAcadLock);
    FMonitorThread->ExecPath = Value;
}

int TAcadMasterVer4::LogLevel() { return FLog.Log() ? FLog.Log()->xLevelValue() : 0; }

void TAcadMasterVer4::Claer() {
    Claer2();
    AcadListLog = false;
}

void TAcadMasterVer4::Claer2() {
    MainHandle(nullptr);
    ViewHandle = nullptr;
    TextHandle(nullptr);
    CommandHandle = nullptr;
    HistoryHandle = nullptr;
    ProcessID(0);
    ExecPath(std::wstring());
    CadVersion = 0;
    FlagVersionCheck = false;
    FlagVersionIdentification = false;
    FlagSdiCheck = false;
    Version2011Flag = false;
    // The text window memory is kept: it is taken once per operation (AcadStart clears it).
    std::lock_guard<std::mutex> lock(FAcadLock);
    TAcadMonitorThreadVer4& m = *FMonitorThread;
    m.BackLog.clear();
    m.CriticalErrorFlag = false;
    m.CommandExecErrorFlag = false;
    m.FileOpenErrorFlag = false;
    m.ReadOnlyErrorFlag = false;
    m.ReadOnlyLinkFlag = false;
    m.FileSaveErrorFlag = false;
    m.EndErrorFlag = false;
    m.CriticalErrorAutoClose = FCriticalErrorAutoClose;
}

void TAcadMasterVer4::AcadStart() {
    Claer();
    TextWindowOpenMemory = false;
    TextWindowMemoryFlag = false;
    TextWindowMemoryHandle = nullptr;
    StartFlag = true;
    {
        std::lock_guard<std::mutex> lock(FAcadLock);
        FMonitorThread->ExecFlag = true;
    }
    LastPrompt.clear();
    LastHistroy.clear();
}

void TAcadMasterVer4::AcadEnd() {
    {
        std::lock_guard<std::mutex> lock(FAcadLock);
        FMonitorThread->ExecFlag = false;
    }
    // Not started (for example the work folder failed first): nothing of AutoCAD to restore, and
    // the previous run's prompt and text window must not be replayed.
    if (!StartFlag) return;
    if (LogLevel() >= 3) {
        FLog.Separator(0);
        FLog.Add(L"AutoCAD候補となるウインドウの列挙", 0, 1);
        EnumTopWindows(*EnumWindowList);
        LogWindowHandleSub(*EnumWindowList);
        FLog.Separator(0);
    }
    FLog.Separator(0);
    FLog.Add(L"最後のプロンプト → " + LastPrompt, 3, 1);
    FLog.Add(L"最後の履歴 → " + LastHistroy, 3, 1);
    FLog.Separator(0);
    TextWindowRestore();
    StartFlag = false;
}

bool TAcadMasterVer4::DataCheck() const {
    for (HWND h : {FMainHandle, ViewHandle, FTextHandle, CommandHandle, HistoryHandle})
        if (!h || !IsWindow(h)) return false;
    return true;
}

void TAcadMasterVer4::LogWindowHandleSub(TEnumWindowListVer4& TargetList) {
    std::vector<sb::acad::CandidateFacts> facts;
    for (TEnumWindowVer4& item : TargetList) {
        item.ProcessID = GetWindowProcessID(item.Handle);
        facts.push_back({item.TitleName, static_cast<std::uint32_t>(item.ProcessID)});
    }
    const std::vector<bool> flags = sb::acad::FlagAcadProcesses(facts);
    int i = 0;
    for (TEnumWindowVer4& item : TargetList) {
        item.Flag = flags[static_cast<std::size_t>(i++)];
        if (!item.Flag) continue;
        item.ExePath = GetWindowExePath(item.Handle);
        const std::size_t slash = item.ExePath.find_last_of(L"\\/");
        item.ExeName = slash == std::wstring::npos ? item.ExePath : item.ExePath.substr(slash + 1);
    }
    const bool trees = LogLevel() >= 4;
    for (TEnumWindowVer4& item : TargetList) {
        if (!item.Flag) continue;
        AcadListLog = true;
        FLog.Sub(sb::acad::CandidateLine(item.TitleName, item.ClassName, HandleValue(item.Handle),
                                         static_cast<std::uint32_t>(item.ProcessID), item.ExePath),
                 0, 1);
        if (trees) LogWindowHandleSub2(item.Handle, 2);
    }
}

void TAcadMasterVer4::LogWindowHandleSub2(HWND Target, int LogMode) {
    HWND child = GetWindow(Target, GW_CHILD);
    for (int i = 0; i < 1000 && child; ++i) {
        FLog.Sub(sb::acad::ChildLine(GetWindowTitle(child), GetWindowClassName(child), HandleValue(child)), 4, LogMode);
        LogWindowHandleSub2(child, LogMode + 1);
        child = GetWindow(child, GW_HWNDNEXT);
    }
}

void TAcadMasterVer4::TextWindowRestore() {
    if (!FTextHandle || !IsWindow(FTextHandle)) return;
    // Only what was remembered for this very window can be put back.
    if (!TextWindowMemoryFlag || TextWindowMemoryHandle != FTextHandle) return;

    bool drawing = false;
    if (ViewHandle && IsWindow(ViewHandle)) {
        HWND child = GetWindow(ViewHandle, GW_CHILD);
        for (int i = 0; i < 1000 && child && !drawing; ++i) {
            drawing = !GetWindowTitle(child).empty();
            child = GetWindow(child, GW_HWNDNEXT);
        }
    }
    if (drawing) {
        FLog.Add(L"テキストウインドウの開閉状態を元に戻します。", 3, 2);
        // Asynchronous: a hung AutoCAD must not hold the main thread.
        ShowWindowAsync(FTextHandle, TextWindowOpenMemory ? SW_SHOW : SW_HIDE);
    }

    const RECT& r = TextWindowRectMemory;
    std::vector<sb::acad::Rect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    long left = 0, top = 0;
    // A place on any monitor is the user's own (a second monitor too); only one that meets no
    // monitor at all is brought back to the origin.
    if (!sb::acad::TextWindowRestorePlace({r.left, r.top, r.right, r.bottom}, monitors, left, top))
        FLog.Add(L"テキストウインドウの場所を元に戻します。", 3, 1);
    else
        FLog.Add(L"テキストウインドウの元々の場所が画面外なので画面内で移動させます。。", 3, 1);
    SetWindowPos(FTextHandle, nullptr, left, top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}
