// Windows of another process: its process id and executable, and bringing it to the front with
// the foreground lock timeout put back.
#include <gtest/gtest.h>

#include <windows.h>

#include <cwctype>
#include <string>

#include "WinTestSupport.h"
#include "common/CommonVer4.h"
#include "common/ProcessPath.h"

using sbtest::HelperProcess;
using sbtest::OwnedWindow;

namespace {

std::wstring Lower(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

DWORD LockTimeout() {
    DWORD value = 0;
    SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &value, 0);
    return value;
}
void SetLockTimeout(DWORD value) {
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<PVOID>(static_cast<UINT_PTR>(value)), 0);
}

// One helper process for the suite: each start costs a second or two under Wine.
class ForeignWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { shared = new HelperProcess(L"Autodesk AutoCAD 2023 - [ヘルパー.dwg]"); }
    static void TearDownTestSuite() {
        delete shared;
        shared = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(shared && shared->Started()) << "helper window did not appear"; }
    static HelperProcess* shared;
    HelperProcess& helper = *shared;
};
HelperProcess* ForeignWindow::shared = nullptr;

TEST_F(ForeignWindow, ProcessIdAndTexts) {
    EXPECT_EQ(GetWindowProcessID(helper.Window()), helper.ProcessId());
    EXPECT_EQ(GetWindowTitle(helper.Window()), L"Autodesk AutoCAD 2023 - [ヘルパー.dwg]");
    EXPECT_EQ(GetWindowClassName(helper.Window()), L"SbCommonHelperWindow");
    HWND body = FindChildWindow(helper.Window(), nullptr, L"Static", false, L"ヘルパー*");
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(GetControlText(body), L"ヘルパーの本文");
}

TEST_F(ForeignWindow, ExecutablePathByBothWays) {
    const std::wstring expected = Lower(helper.ExePath());
    ASSERT_TRUE(sb::common::HasImageNameQuery());
    EXPECT_EQ(Lower(GetWindowExePath(helper.Window())), expected);
    EXPECT_EQ(Lower(sb::common::ExePathByImageName(helper.ProcessId())), expected);
    EXPECT_EQ(Lower(sb::common::ExePathByModuleName(helper.ProcessId())), expected);
    EXPECT_EQ(sb::common::ExePathByImageName(0), L"");
    EXPECT_EQ(sb::common::ExePathByModuleName(0), L"");
}

TEST_F(ForeignWindow, ForceForegroundActivatesAndRestoresTheLockTimeout) {
    const DWORD original = LockTimeout();
    SetLockTimeout(7777);
    OwnedWindow own(CreateWindowExW(0, sbtest::PlainClass(), L"own", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 100,
                                    300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    SetForegroundWindow(own.get());
    sbtest::WaitUntil([&] { return GetForegroundWindow() == own.get(); }, 2000);

    EXPECT_TRUE(ForceForeground(helper.Window(), own.get()));
    EXPECT_TRUE(sbtest::WaitUntil([&] { return GetForegroundWindow() == helper.Window(); }, 3000));
    EXPECT_EQ(LockTimeout(), 7777u);

    // Failure paths change nothing either.
    EXPECT_FALSE(ForceForeground(helper.Window(), nullptr));
    EXPECT_FALSE(ForceForeground(nullptr, own.get()));
    EXPECT_FALSE(ForceForeground(own.get(), own.get()));  // no attaching a thread to itself
    EXPECT_EQ(LockTimeout(), 7777u);
    SetLockTimeout(original);
}

TEST_F(ForeignWindow, EnumerationSeesTheHelper) {
    TEnumWindowListVer4 list;
    EnumTopWindows(list);
    bool seen = false;
    for (const auto& r : list)
        if (r.Handle == helper.Window()) seen = r.ClassName == L"SbCommonHelperWindow";
    EXPECT_TRUE(seen);
}

}  // namespace
