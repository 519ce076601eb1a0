// The monitor thread's end is bounded even while AutoCAD hangs with a dialog open: every action
// is a send with a time-out, and the master wakes and joins the thread.
#include <gtest/gtest.h>

#include <string>

#include "acad_harness.h"

namespace {

constexpr DWORD kHangMs = 8000;

// A stand-in AutoCAD that raises a dialog and then stops pumping messages: hung.
int RunHungAcad() {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = inst;
    wc.lpszClassName = L"HungAcadWindow";
    RegisterClassExW(&wc);
    HWND frame = CreateWindowExW(0, L"HungAcadWindow", L"HungAcad frame", WS_POPUP | WS_BORDER, 0, 0, 600, 400, nullptr,
                                 nullptr, inst, nullptr);
    HWND text = CreateWindowExW(0, L"HungAcadWindow", L"HungAcad text", WS_POPUP | WS_BORDER, 700, 0, 1000, 500, nullptr,
                                nullptr, inst, nullptr);
    alignas(4) WORD buf[32] = {};
    auto* t = reinterpret_cast<DLGTEMPLATE*>(buf);
    t->style = WS_POPUP | WS_BORDER;
    HWND dlg = CreateDialogIndirectParamW(inst, t, nullptr, [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    SetWindowTextW(dlg, L"ファイルを選択");
    SetWindowPos(dlg, HWND_TOP, 100, 100, 300, 200, SWP_NOACTIVATE);
    for (HWND h : {frame, text, dlg}) ShowWindow(h, SW_SHOWNOACTIVATE);
    Sleep(kHangMs);
    return 0;
}

struct Found {
    DWORD pid;
    HWND frame = nullptr, text = nullptr, dialog = nullptr;
};

BOOL CALLBACK FindHelper(HWND h, LPARAM data) {
    auto* f = reinterpret_cast<Found*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid != f->pid || !IsWindowVisible(h)) return TRUE;
    wchar_t title[256] = {};
    GetWindowTextW(h, title, 256);
    const std::wstring t = title;
    if (t == L"HungAcad frame") f->frame = h;
    if (t == L"HungAcad text") f->text = h;
    if (t == L"ファイルを選択") f->dialog = h;
    return TRUE;
}

}  // namespace

TEST(MonitorEnd, MasterEndsPromptlyWhileAHungAutoCadHoldsADialog) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring cmd = L"\"" + std::wstring(self) + L"\" --hung-acad";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    TWinHandle process(pi.hProcess), thread(pi.hThread);

    Found found{pi.dwProcessId};
    ASSERT_TRUE(harness::WaitUntil([&] {
        EnumWindows(FindHelper, reinterpret_cast<LPARAM>(&found));
        return found.frame && found.text && found.dialog;
    }, 10000));

    harness::LogHarness logs;
    auto master = std::make_unique<TAcadMasterVer4>(&logs.Log(), L"監視スレッド");
    master->AcadStart();
    master->MainHandle(found.frame);
    master->TextHandle(found.text);
    master->ProcessID(pi.dwProcessId);
    // The watcher has met the dialog and is now trying to close it.
    ASSERT_TRUE(harness::WaitUntil([&] { return logs.Has(L"ファイル選択ダイアログを発見しました。"); }, 4000)) << logs.Dump();
    harness::WaitUntil([] { return false; }, 300);

    const DWORD t0 = GetTickCount();
    master.reset();
    const DWORD took = GetTickCount() - t0;
    EXPECT_LT(took, 2500u);
    // AutoCAD is still hung: the end did not wait for it.
    EXPECT_EQ(WaitForSingleObject(process.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 5000);
}

int main(int argc, char** argv) {
    if (argc >= 2 && std::string(argv[1]) == "--hung-acad") return RunHungAcad();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
