// Window helpers on real windows this test builds: enumeration, titles and classes, control
// texts (capped, bounded in time), the child search and the message-pumping delay.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "WinTestSupport.h"
#include "common/CommonVer4.h"

using sbtest::MakeWindow;
using sbtest::OwnedWindow;
using sbtest::PlainClass;

namespace {

const TEnumWindowVer4* FindRecord(const TEnumWindowListVer4& list, HWND h) {
    for (const auto& r : list)
        if (r.Handle == h) return &r;
    return nullptr;
}

TEST(EnumWindowsProcTest, RecordsTitledTopLevelWindowsOnly) {
    OwnedWindow titled(MakeWindow(PlainClass(), L"AutoCAD テキスト ウィンドウ - plan1.dwg", WS_OVERLAPPED, nullptr));
    OwnedWindow untitled(MakeWindow(PlainClass(), L"", WS_OVERLAPPED, nullptr));
    ASSERT_TRUE(titled.get() && untitled.get());
    TEnumWindowListVer4 list;
    list.Add(TEnumWindowVer4{});
    list.LoopCount = 99;
    EnumTopWindows(list);
    const TEnumWindowVer4* r = FindRecord(list, titled.get());
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->TitleName, L"AutoCAD テキスト ウィンドウ - plan1.dwg");
    EXPECT_EQ(r->OriginalTitleName, r->TitleName);
    EXPECT_EQ(r->ClassName, L"SbTestPlain");
    EXPECT_EQ(r->ProcessID, 0u);
    EXPECT_FALSE(r->Flag);
    EXPECT_EQ(FindRecord(list, untitled.get()), nullptr);
    EXPECT_EQ(FindRecord(list, nullptr), nullptr);  // the stale record went with Clear
    EXPECT_GE(list.LoopCount, list.Count());
    EXPECT_LT(list.LoopCount, 99 + list.Count());   // counted from 0 again
}

TEST(EnumWindowsProcTest, StopsAtTheVisitLimit) {
    OwnedWindow w(MakeWindow(PlainClass(), L"limit", WS_OVERLAPPED, nullptr));
    TEnumWindowListVer4 list;
    list.LoopCount = TEnumWindowListVer4::kMaxVisited - 2;
    EXPECT_TRUE(EnumWindowsProc(w.get(), reinterpret_cast<LPARAM>(&list)));
    EXPECT_FALSE(EnumWindowsProc(w.get(), reinterpret_cast<LPARAM>(&list)));  // the 4096th
    EXPECT_EQ(list.Count(), 2);  // that window is still recorded
    EXPECT_EQ(list.LoopCount, 4096);
}

BOOL CALLBACK CountUpTo4096(HWND h, LPARAM p) {
    auto* titled = reinterpret_cast<std::vector<HWND>*>(p);
    static_assert(TEnumWindowListVer4::kMaxVisited == 4096);
    titled->push_back(h);
    return titled->size() < 4096;
}

// The crowd lives on its own thread, which answers the title reads and takes the windows' system
// traffic with it when it ends.
TEST(EnumWindowsProcTest, CrowdedDesktopVisitsExactly4096) {
    std::vector<HWND> before;
    EnumWindows(CountUpTo4096, reinterpret_cast<LPARAM>(&before));
    const int extra = 4096 - static_cast<int>(before.size()) + 40;
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> created{0};
    std::thread crowd([&] {
        std::vector<OwnedWindow> windows;
        for (int i = 0; i < extra; ++i) {
            HWND h = MakeWindow(PlainClass(), i % 2 ? L"" : L"crowd", WS_OVERLAPPED, nullptr);
            if (!h) break;
            windows.emplace_back(h);
        }
        created = static_cast<int>(windows.size());
        SetEvent(ready);
        while (MsgWaitForMultipleObjectsEx(1, &done, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE) != WAIT_OBJECT_0) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        }
    });
    ASSERT_EQ(WaitForSingleObject(ready, 120000), WAIT_OBJECT_0);
    std::vector<HWND> first4096;
    EnumWindows(CountUpTo4096, reinterpret_cast<LPARAM>(&first4096));
    int titled = 0;
    for (HWND h : first4096) titled += GetWindowTitle(h).empty() ? 0 : 1;
    TEnumWindowListVer4 list;
    EnumTopWindows(list);
    SetEvent(done);
    crowd.join();
    CloseHandle(ready);
    CloseHandle(done);

    ASSERT_EQ(created.load(), extra);
    ASSERT_EQ(first4096.size(), 4096u);
    EXPECT_EQ(list.LoopCount, 4096);
    EXPECT_EQ(list.Count(), titled);
    EXPECT_LT(list.Count(), 4096);
}

TEST(WindowReadTest, TitleClassAndProcessOfAWindowAndOfNoWindow) {
    OwnedWindow w(MakeWindow(PlainClass(), std::wstring(1500, L'あ').c_str(), WS_OVERLAPPED, nullptr));
    EXPECT_EQ(GetWindowTitle(w.get()), std::wstring(1023, L'あ'));
    EXPECT_EQ(GetWindowClassName(w.get()), L"SbTestPlain");
    EXPECT_EQ(GetWindowProcessID(w.get()), GetCurrentProcessId());
    HWND gone = MakeWindow(PlainClass(), L"gone", WS_OVERLAPPED, nullptr);
    DestroyWindow(gone);
    EXPECT_EQ(GetWindowTitle(gone), L"");
    EXPECT_EQ(GetWindowClassName(gone), L"");
    EXPECT_EQ(GetControlText(gone), L"");
    EXPECT_EQ(GetWindowProcessID(gone), 0u);
    EXPECT_EQ(GetWindowExePath(gone), L"");
    std::wstring text = L"old";
    EXPECT_FALSE(TryGetControlText(gone, text));
}

TEST(ControlTextTest, ReadsLongAndEmptyTexts) {
    OwnedWindow parent(MakeWindow(PlainClass(), L"p", WS_OVERLAPPED, nullptr));
    const std::wstring history = [] {
        std::wstring s;
        for (int i = 0; i < 5000; ++i) s += L"ｺﾏﾝﾄﾞ: _ZOOM 行" + std::to_wstring(i) + L"\r\n";
        return s;
    }();
    OwnedWindow edit(MakeWindow(L"EDIT", L"", WS_CHILD | ES_MULTILINE, parent.get()));
    SendMessageW(edit.get(), EM_SETLIMITTEXT, 0, 0);
    SetWindowTextW(edit.get(), history.c_str());
    EXPECT_EQ(GetControlText(edit.get()), history);
    SetWindowTextW(edit.get(), L"");
    std::wstring text = L"old";
    EXPECT_TRUE(TryGetControlText(edit.get(), text));
    EXPECT_EQ(text, L"");
}

// A control whose text changes between WM_GETTEXTLENGTH and WM_GETTEXT, or that reports a count
// that does not fit what it was given.
struct OddTextState { LRESULT lengthAnswer = 0; std::wstring text; LRESULT countAnswer = -1; };
OddTextState g_odd;

LRESULT CALLBACK OddTextProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_GETTEXTLENGTH) return g_odd.lengthAnswer;
    if (m == WM_GETTEXT) {
        const std::size_t room = w ? w - 1 : 0;
        const std::size_t n = std::min(room, g_odd.text.size());
        auto* out = reinterpret_cast<wchar_t*>(l);
        g_odd.text.copy(out, n);
        if (w) out[n] = L'\0';
        return g_odd.countAnswer >= 0 ? g_odd.countAnswer : static_cast<LRESULT>(n);
    }
    return DefWindowProcW(h, m, w, l);
}

TEST(ControlTextTest, PassesBufferSizeAndTrustsTheCopiedCountWithinIt) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = OddTextProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SbTestOddText";
    RegisterClassW(&wc);
    OwnedWindow w(MakeWindow(L"SbTestOddText", nullptr, WS_OVERLAPPED, nullptr));
    ASSERT_NE(w.get(), nullptr);

    struct Case { LRESULT length; const wchar_t* text; LRESULT count; const wchar_t* expected; };
    const Case cases[] = {
        {5, L"ｺﾏﾝﾄﾞ: grown meanwhile", -1, L"ｺﾏﾝﾄﾞ"},  // grew: only what fits the buffer
        {20, L"abc", -1, L"abc"},                       // shrank: the copied count decides
        {5, L"abcdefgh", 1000000, L"abcde"},            // count beyond the buffer is clamped
        {5, L"abcdefgh", 2, L"ab"},
        {0, L"abc", -1, L""},
        {-3, L"abc", -1, L""},
    };
    for (const auto& c : cases) {
        g_odd = {c.length, c.text, c.count};
        std::wstring text = L"old";
        EXPECT_TRUE(TryGetControlText(w.get(), text)) << c.text;
        EXPECT_EQ(text, c.expected) << c.text;
    }
}

TEST(ControlTextTest, AHungWindowTimesOutInsteadOfBlocking) {
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE created = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<HWND> hung{nullptr};
    std::thread owner([&] {
        HWND h = MakeWindow(PlainClass(), L"hung", WS_OVERLAPPED, nullptr);
        hung = h;
        SetEvent(created);
        WaitForSingleObject(release, 30000);  // handles no messages meanwhile
        DestroyWindow(h);
    });
    ASSERT_EQ(WaitForSingleObject(created, 10000), WAIT_OBJECT_0);
    const ULONGLONG start = GetTickCount64();
    std::wstring text = L"old";
    const bool read = TryGetControlText(hung.load(), text, 300);
    const ULONGLONG took = GetTickCount64() - start;
    EXPECT_FALSE(read);
    EXPECT_LT(took, 3000u);
    EXPECT_EQ(FindChildWindow(nullptr, nullptr, L"SbTestPlain", false, L"hung", 300), nullptr);
    SetEvent(release);
    owner.join();
    CloseHandle(release);
    CloseHandle(created);
}

// Parent
//   A  "SbTestA"  "alpha"
//     A1 "Marin"
//       A1a "target"
//     A2 "target two"
//   B  "SbTestB"  "beta"
//     B1 "target"
class ChildTree : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterNamed(L"SbTestA");
        RegisterNamed(L"SbTestB");
        parent = OwnedWindow(MakeWindow(PlainClass(), L"tree", WS_OVERLAPPED, nullptr));
        a = MakeWindow(L"SbTestA", L"alpha", WS_CHILD, parent.get());
        a1 = MakeWindow(L"STATIC", L"Marin", WS_CHILD, a);
        a1a = MakeWindow(L"STATIC", L"target", WS_CHILD, a1);
        a2 = MakeWindow(L"STATIC", L"target two", WS_CHILD, a);
        b = MakeWindow(L"SbTestB", L"beta", WS_CHILD, parent.get());
        b1 = MakeWindow(L"STATIC", L"target", WS_CHILD, b);
        ASSERT_TRUE(a && a1 && a1a && a2 && b && b1);
    }
    static void RegisterNamed(const wchar_t* name) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = name;
        RegisterClassW(&wc);
    }
public:
    OwnedWindow parent;
    HWND a = nullptr, a1 = nullptr, a1a = nullptr, a2 = nullptr, b = nullptr, b1 = nullptr;
};

TEST_F(ChildTree, Table) {
    struct Case { const char* name; HWND after; const wchar_t* cls; bool recursive; const wchar_t* text; HWND ChildTree::*expected; };
    HWND ChildTree::*none = nullptr;
    const Case cases[] = {
        {"first child", nullptr, L"", false, L"", &ChildTree::a},
        {"class pattern", nullptr, L"*B", false, L"", &ChildTree::b},
        {"text of a direct child", nullptr, L"", false, L"beta", &ChildTree::b},
        {"no descent without Recursive", nullptr, L"", false, L"target", none},
        {"pre-order: deep child before later sibling", nullptr, L"", true, L"target", &ChildTree::a1a},
        {"text with star", nullptr, L"Static", true, L"target*", &ChildTree::a1a},
        {"a later sibling inside a level", nullptr, L"", true, L"*two", &ChildTree::a2},
        {"class and text together", nullptr, L"Sb*", true, L"*ta", &ChildTree::b},
        {"nothing matches", nullptr, L"Nope", true, L"", none},
    };
    for (const auto& c : cases) {
        HWND found = FindChildWindow(parent.get(), c.after, c.cls, c.recursive, c.text);
        EXPECT_EQ(found, c.expected ? this->*c.expected : nullptr) << c.name;
    }
}

TEST_F(ChildTree, ChildAfterSkipsEarlierSiblingsAndTheirChildren) {
    EXPECT_EQ(FindChildWindow(parent.get(), a, L"", true, L"target"), b1);
    EXPECT_EQ(FindChildWindow(parent.get(), b, L"", true, L"target"), nullptr);
    EXPECT_EQ(FindChildWindow(a, a1, L"", true, L"target*"), a2);
}

TEST_F(ChildTree, FindsTheCommandLineHolderByItsText) {
    HWND marin = FindChildWindow(parent.get(), nullptr, L"", true, L"Marin");
    EXPECT_EQ(marin, a1);
    EXPECT_EQ(FindChildWindow(marin, nullptr, L"", false, L""), a1a);
}

// Message-pumping delay.
struct TickCounter { int ticks = 0; };
TickCounter g_ticks;
void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) { ++g_ticks.ticks; }

ULONGLONG ThreadCpuMs() {
    FILETIME c, e, k, u;
    GetThreadTimes(GetCurrentThread(), &c, &e, &k, &u);
    auto ms = [](FILETIME f) { return ((static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 10000; };
    return ms(k) + ms(u);
}

TEST(ProcessMessagesWaitTest, HandlesMessagesForTheWholeTimeWithoutSpinning) {
    // The thread clock must show a busy loop, or the idle figure below would prove nothing.
    const ULONGLONG busyStart = ThreadCpuMs();
    const ULONGLONG giveUp = GetTickCount64() + 10000;
    volatile unsigned spin = 0;
    while (ThreadCpuMs() - busyStart < 100 && GetTickCount64() < giveUp) spin = spin + 1;
    ASSERT_GE(ThreadCpuMs() - busyStart, 100u) << "thread times do not move here";

    g_ticks.ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, OnTick);
    const ULONGLONG cpuStart = ThreadCpuMs();
    const ULONGLONG start = GetTickCount64();
    ProcessMessagesWait(600);
    const ULONGLONG elapsed = GetTickCount64() - start;
    const ULONGLONG cpu = ThreadCpuMs() - cpuStart;
    KillTimer(nullptr, timer);
    EXPECT_GE(elapsed, 600u);
    EXPECT_LT(elapsed, 3000u);
    EXPECT_GE(g_ticks.ticks, 5);  // kept handling messages during the wait
    EXPECT_LT(cpu, 200u) << "the wait used the processor";
}

int g_posted = 0;
LRESULT CALLBACK CountingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_APP + 7) { ++g_posted; return 0; }
    return DefWindowProcW(h, m, w, l);
}

TEST(ProcessMessagesWaitTest, ProcessesPendingMessagesEvenForZero) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SbTestCounting";
    RegisterClassW(&wc);
    OwnedWindow w(MakeWindow(L"SbTestCounting", L"", WS_OVERLAPPED, nullptr));
    g_posted = 0;
    PostMessageW(w.get(), WM_APP + 7, 0, 0);
    PostMessageW(w.get(), WM_APP + 7, 0, 0);
    ProcessMessagesWait(0);
    EXPECT_EQ(g_posted, 2);
}

TEST(ProcessMessagesWaitTest, LeavesAQuitRequestForTheMainLoop) {
    PostQuitMessage(3);
    const ULONGLONG start = GetTickCount64();
    ProcessMessagesWait(5000);
    EXPECT_LT(GetTickCount64() - start, 2000u);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

}  // namespace
