#include "acad_harness.h"

#include <map>

namespace harness {

bool WaitUntil(const std::function<bool()>& Cond, unsigned TimeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (Cond()) return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= TimeoutMs) return Cond();
        MsgWaitForMultipleObjectsEx(0, nullptr, std::min<DWORD>(20, TimeoutMs - elapsed), QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
    }
}

namespace {
constexpr UINT kTaskMessage = WM_APP + 7;
struct Task {
    const std::function<void()>* fn;
    HANDLE done;
};
}  // namespace

UiThread::UiThread() {
    ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this] { Loop(); });
    WaitForSingleObject(ready_, INFINITE);
}

UiThread::~UiThread() {
    PostThreadMessageW(id_, WM_QUIT, 0, 0);
    thread_.join();
    CloseHandle(ready_);
}

void UiThread::Loop() {
    id_ = GetCurrentThreadId();
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before the test posts
    SetEvent(ready_);
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!msg.hwnd && msg.message == kTaskMessage) {
            auto* task = reinterpret_cast<Task*>(msg.lParam);
            (*task->fn)();
            SetEvent(task->done);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void UiThread::Run(const std::function<void()>& Fn) {
    Task task{&Fn, CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    PostThreadMessageW(id_, kTaskMessage, 0, reinterpret_cast<LPARAM>(&task));
    // Keep our own queue moving: the UI thread may send to windows of this thread.
    WaitUntil([&] { return WaitForSingleObject(task.done, 0) == WAIT_OBJECT_0; }, INFINITE);
    CloseHandle(task.done);
}

namespace {

std::mutex g_recordsLock;
std::map<HWND, DialogRecord> g_records;

void Record(HWND dlg, const wchar_t* how) {
    std::lock_guard<std::mutex> lock(g_recordsLock);
    DialogRecord& r = g_records[dlg];
    r.ClosedBy = how;
    HWND box = GetDlgItem(dlg, 100);
    r.Checked = box && SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

INT_PTR CALLBACK DialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG: return FALSE;  // no focus: an active window costs seconds to hide under Wine
        case WM_COMMAND: {
            const int id = LOWORD(wp);
            const wchar_t* how = id == IDOK ? L"IDOK" : id == IDCANCEL ? L"IDCANCEL" : id == IDYES ? L"IDYES"
                               : id == IDNO ? L"IDNO" : nullptr;
            if (how) {
                Record(dlg, how);
                DestroyWindow(dlg);
            }
            return TRUE;
        }
        case WM_CLOSE:
            Record(dlg, L"WM_CLOSE");
            DestroyWindow(dlg);
            return TRUE;
    }
    return FALSE;
}

// Windows are shown without activation: without a window manager (Xvfb) Wine waits two seconds
// whenever the active top-level window is hidden or destroyed.
constexpr DWORD kTopStyle = WS_POPUP | WS_BORDER;

LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcW(h, m, w, l); }

void RegisterPlain(const wchar_t* name) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = name;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassExW(&wc);
}

}  // namespace

FakeAcad::FakeAcad() {
    ui_.Run([this] {
        RegisterPlain(L"FakeAcadFrame");
        RegisterPlain(L"FakeAcadText");
        RegisterPlain(L"FakeAcadPane");
        RegisterPlain(L"FakeAcadDrawing");
        HINSTANCE inst = GetModuleHandleW(nullptr);
        Frame = CreateWindowExW(0, L"FakeAcadFrame", L"Autodesk AutoCAD 2023 - [a.dwg]", kTopStyle,
                                0, 0, 900, 700, nullptr, nullptr, inst, nullptr);
        CLIENTCREATESTRUCT ccs{nullptr, 1000};
        View = CreateWindowExW(0, L"MDIClient", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 880, 600, Frame, nullptr, inst, &ccs);
        Drawing = CreateWindowExW(0, L"FakeAcadDrawing", L"a.dwg", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, View, nullptr,
                                  inst, nullptr);
        Text = CreateWindowExW(0, L"FakeAcadText", L"AutoCAD テキスト ウィンドウ - a.dwg", kTopStyle,
                               900, 40, 600, 480, nullptr, nullptr, inst, nullptr);
        HWND pane = CreateWindowExW(0, L"FakeAcadPane", L"", WS_CHILD | WS_VISIBLE, 0, 0, 580, 440, Text, nullptr, inst, nullptr);
        HWND marin = CreateWindowExW(0, L"FakeAcadPane", L"Marin", WS_CHILD | WS_VISIBLE, 0, 0, 580, 440, pane, nullptr, inst, nullptr);
        Command = CreateWindowExW(0, L"Edit", L"コマンド: ", WS_CHILD | WS_VISIBLE, 0, 400, 580, 20, marin, nullptr, inst, nullptr);
        History = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 580, 380, marin, nullptr, inst,
                                  nullptr);
        ShowWindow(Frame, SW_SHOWNOACTIVATE);
        ShowWindow(Text, SW_SHOWNOACTIVATE);
    });
}

FakeAcad::~FakeAcad() {
    ui_.Run([this] {
        DestroyWindow(Text);
        DestroyWindow(Frame);
    });
}

HWND FakeAcad::ShowDialog(const DialogSpec& Plan) {
    HWND dlg = nullptr;
    ui_.Run([&] {
        // An empty in-memory template: the dialog box class "#32770" with our own procedure.
        alignas(4) WORD buf[64] = {};
        auto* t = reinterpret_cast<DLGTEMPLATE*>(buf);
        t->style = kTopStyle;
        t->cx = 200;
        t->cy = 100;
        HINSTANCE inst = GetModuleHandleW(nullptr);
        dlg = CreateDialogIndirectParamW(inst, t, nullptr, DialogProc, 0);
        if (!dlg) return;
        SetWindowTextW(dlg, Plan.Title.c_str());
        int y = 10;
        for (const std::wstring& line : Plan.Body) {
            CreateWindowExW(0, L"Static", line.c_str(), WS_CHILD | WS_VISIBLE, 10, y, 380, 20, dlg, nullptr, inst, nullptr);
            y += 24;
        }
        if (!Plan.Checkbox.empty())
            CreateWindowExW(0, L"Button", Plan.Checkbox.c_str(), WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, y, 300, 20, dlg,
                            reinterpret_cast<HMENU>(100), inst, nullptr);
        int x = 10;
        for (const auto& b : Plan.Buttons) {
            CreateWindowExW(0, L"Button", b.first.c_str(), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, y + 30, 80, 24, dlg,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.second)), inst, nullptr);
            x += 90;
        }
        SetWindowPos(dlg, HWND_TOP, Plan.X, Plan.Y, 420, y + 100, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    });
    return dlg;
}

DialogRecord FakeAcad::Record(HWND Dialog) {
    std::lock_guard<std::mutex> lock(g_recordsLock);
    auto it = g_records.find(Dialog);
    return it == g_records.end() ? DialogRecord{} : it->second;
}

namespace {
LRESULT CALLBACK HostProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcW(h, m, w, l); }
}  // namespace

LogHarness::LogHarness() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"AcadTestHost";
    RegisterClassExW(&wc);
    host_ = CreateWindowExW(0, L"AcadTestHost", L"Sheetbay test host", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    log_ = std::make_unique<TLogVer4>(host_, 1);
    log_->xLevelValue(4);
}

LogHarness::~LogHarness() {
    log_.reset();
    DestroyWindow(host_);
}

bool LogHarness::Has(const std::wstring& Fragment) const { return IndexOf(Fragment) >= 0; }

int LogHarness::Count(const std::wstring& Fragment) const {
    int n = 0;
    for (const auto& line : log_->Core().Lines())
        if (line.Text.find(Fragment) != std::wstring::npos) ++n;
    return n;
}

int LogHarness::IndexOf(const std::wstring& Fragment) const {
    const auto& lines = log_->Core().Lines();
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].Text.find(Fragment) != std::wstring::npos) return static_cast<int>(i);
    return -1;
}

std::wstring LogHarness::Dump() const {
    std::wstring all;
    for (const auto& line : log_->Core().Lines()) all += line.Text + L"\n";
    return all;
}

void AttachFake(TAcadMasterVer4& Master, const FakeAcad& Fake) {
    Master.MainHandle(Fake.Frame);
    Master.ViewHandle = Fake.View;
    Master.TextHandle(Fake.Text);
    Master.CommandHandle = Fake.Command;
    Master.HistoryHandle = Fake.History;
    Master.ProcessID(GetCurrentProcessId());
}

}  // namespace harness
