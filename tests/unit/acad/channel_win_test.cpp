// The sender thread and the clipboard history read against real windows of another thread, and
// the clipboard held by another process.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "acad/AcadClipboard.h"
#include "acad/AcadPostThread.h"
#include "ClipboardHolder.h"
#include "StopAfter.h"
#include "acad_harness.h"
#include "common/CommonVer4.h"

using harness::WaitUntil;

struct TAcadVer4TestAccess {
    static bool SubPostCommand(TAcadVer4& a, const std::wstring& Text, bool Asynchronous, bool ThreadWait) {
        return a.SubPostCommand(Text, 1, Asynchronous, ThreadWait);
    }
    static bool SubGetPrompt(TAcadVer4& a, std::wstring& Value) { return a.SubGetPrompt(Value, false, false, 1); }
    static void Bounds(TAcadVer4& a, unsigned SendTimeoutMs, unsigned AnswerDeadlineMs) {
        a.FSendTimeoutMs = SendTimeoutMs;
        a.FAnswerDeadlineMs = AnswerDeadlineMs;
    }
};

namespace {

std::string e2e_dump(const harness::LogHarness& logs) {
    const std::wstring w = logs.Dump();
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
    return out;
}

// What a receiver window was handed.
struct Received {
    std::mutex lock;
    std::vector<std::vector<unsigned char>> bytes;
    std::vector<ULONG_PTR> kinds;
    std::atomic<int> calls{0};
    std::atomic<bool> slow{false};
};
Received g_received;

LRESULT Receive(HWND h, UINT m, WPARAM w, LPARAM l, bool unicode) {
    if (m == WM_COPYDATA) {
        ++g_received.calls;
        if (g_received.slow) {
            Sleep(1500);  // a busy AutoCAD; the sender has given up by now, so its data is not read
            return TRUE;
        }
        const auto* d = reinterpret_cast<const COPYDATASTRUCT*>(l);
        const auto* p = static_cast<const unsigned char*>(d->lpData);
        std::lock_guard<std::mutex> guard(g_received.lock);
        g_received.bytes.emplace_back(p, p + d->cbData);
        g_received.kinds.push_back(d->dwData);
        return TRUE;
    }
    return unicode ? DefWindowProcW(h, m, w, l) : DefWindowProcA(h, m, w, l);
}
LRESULT CALLBACK ReceiveW(HWND h, UINT m, WPARAM w, LPARAM l) { return Receive(h, m, w, l, true); }
LRESULT CALLBACK ReceiveA(HWND h, UINT m, WPARAM w, LPARAM l) { return Receive(h, m, w, l, false); }

class Sender : public ::testing::Test {
protected:
    harness::UiThread ui;
    HWND unicodeFrame = nullptr, ansiFrame = nullptr;
    DWORD uiThread = 0;

    void SetUp() override {
        {
            std::lock_guard<std::mutex> guard(g_received.lock);
            g_received.bytes.clear();
            g_received.kinds.clear();
        }
        g_received.calls = 0;
        g_received.slow = false;
        ui.Run([this] {
            uiThread = GetCurrentThreadId();
            WNDCLASSW w{};
            w.lpfnWndProc = ReceiveW;
            w.hInstance = GetModuleHandleW(nullptr);
            w.lpszClassName = L"ChannelTestFrameW";
            RegisterClassW(&w);
            WNDCLASSA a{};
            a.lpfnWndProc = ReceiveA;
            a.hInstance = GetModuleHandleW(nullptr);
            a.lpszClassName = "ChannelTestFrameA";
            RegisterClassA(&a);
            unicodeFrame = CreateWindowExW(0, L"ChannelTestFrameW", L"frame", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                           GetModuleHandleW(nullptr), nullptr);
            ansiFrame = CreateWindowExA(0, "ChannelTestFrameA", "frame", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
        });
        ASSERT_TRUE(unicodeFrame && ansiFrame);
        ASSERT_TRUE(IsWindowUnicode(unicodeFrame));
        ASSERT_FALSE(IsWindowUnicode(ansiFrame));
    }
    void TearDown() override {
        ui.Run([this] {
            DestroyWindow(unicodeFrame);
            DestroyWindow(ansiFrame);
        });
    }

    // Sends and waits for the thread's end on its handle.
    bool SendAndWait(HWND frame, const std::wstring& text, bool& sent, unsigned timeoutMs = 5000,
                     bool* timedOut = nullptr) {
        sb::acad::SendPayload payload;
        const std::wstring e = sb::acad::MakeSendPayload(text, IsWindowUnicode(frame) != FALSE, ToAnsiCodePage, payload);
        if (!e.empty()) return false;
        std::wstring error;
        auto t = TPostCommandThreadVer4::Start(GetCurrentThreadId(), uiThread, frame, payload, error, timeoutMs);
        if (!t) return false;
        if (!WaitUntil([&] { return t->Ended(); }, 10000)) return false;
        sent = t->Sent();
        if (timedOut) *timedOut = t->TimedOut();
        return true;
    }
    std::vector<unsigned char> Last() {
        std::lock_guard<std::mutex> guard(g_received.lock);
        return g_received.bytes.empty() ? std::vector<unsigned char>{} : g_received.bytes.back();
    }
};

}  // namespace

TEST_F(Sender, UnicodeFrameGetsUtf16WithItsNul) {
    const std::wstring text = L"_-LAYOUT\rS\r詳細図\r";
    bool sent = false;
    ASSERT_TRUE(SendAndWait(unicodeFrame, text, sent));
    EXPECT_TRUE(sent);
    const std::vector<unsigned char> got = Last();
    ASSERT_EQ(got.size(), (text.size() + 1) * 2);
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(got.data())), text);
    EXPECT_EQ(g_received.kinds.back(), 1u);
}

TEST_F(Sender, AnsiFrameGetsCp932BytesWithItsNul) {
    const std::wstring text = L"_SAVEAS\r2018\rC:\\作業\\図面①.dwg\r";
    bool sent = false;
    ASSERT_TRUE(SendAndWait(ansiFrame, text, sent));
    EXPECT_TRUE(sent);
    const std::vector<unsigned char> got = Last();
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.back(), 0);
    const int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(got.data()),
                                      static_cast<int>(got.size() - 1), nullptr, 0);
    std::wstring back(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(932, 0, reinterpret_cast<const char*>(got.data()), static_cast<int>(got.size() - 1), back.data(), n);
    EXPECT_EQ(back, text);
    EXPECT_GT(got.size() - 1, text.size()) << "Japanese characters take two bytes";
}

TEST_F(Sender, AnsiConversionRefusesWhatCp932CannotHoldExactly) {
    ASSERT_EQ(GetACP(), 932u) << "the tests run with the Japanese ANSI code page";
    struct Case {
        const wchar_t* text;
        bool exact;
    } cases[] = {
        {L"C:\\作業\\ｱｲｳ.dwg", true},
        {L"¥100", false},   // a best fit would type a backslash
        {L"café", false},   // a best fit would type "cafe"
        {L"☃", false},
    };
    for (const Case& c : cases) {
        const sb::acad::AnsiConversion a = ToAnsiCodePage(c.text);
        EXPECT_TRUE(a.Ok);
        EXPECT_EQ(!a.UsedDefault, c.exact) << testing::PrintToString(std::wstring(c.text));
    }
}

// A window that takes the text but answers late: the sender stops waiting at its bound and says
// so, which is not "not sent" (the text may well have arrived).
TEST_F(Sender, SlowWindowTimesOutAndTheSenderReportsTimedOutNotUnsent) {
    g_received.slow = true;
    const DWORD start = GetTickCount();
    bool sent = true, timedOut = false;
    ASSERT_TRUE(SendAndWait(unicodeFrame, L"_ZOOM\r", sent, 300, &timedOut));
    EXPECT_FALSE(sent);
    EXPECT_TRUE(timedOut);
    EXPECT_LT(GetTickCount() - start, 1400u) << "ended by the time-out, not by the window";
    // Detached again: our input is no longer shared with the window's thread.
    EXPECT_FALSE(AttachThreadInput(uiThread, GetCurrentThreadId(), FALSE));
    ASSERT_TRUE(WaitUntil([] { return g_received.calls.load() == 1; }, 3000));
    ui.Run([] {});  // the slow handler has returned before the windows go
}

TEST_F(Sender, GoneWindowIsNotSentTo) {
    HWND gone = nullptr;
    ui.Run([&] {
        gone = CreateWindowExW(0, L"ChannelTestFrameW", L"x", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        DestroyWindow(gone);
    });
    bool sent = true, timedOut = true;
    ASSERT_TRUE(SendAndWait(gone, L"x", sent, 5000, &timedOut));
    EXPECT_FALSE(sent);
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(g_received.calls.load(), 0);
}

TEST_F(Sender, TextStillArrivesWhenTheCallerLetsGoAtOnce) {
    sb::acad::SendPayload payload;
    ASSERT_TRUE(sb::acad::MakeSendPayload(L"REGEN\r", true, nullptr, payload).empty());
    std::wstring error;
    auto t = TPostCommandThreadVer4::Start(GetCurrentThreadId(), uiThread, unicodeFrame, payload, error);
    ASSERT_TRUE(t);
    t.reset();  // handle closed at once; the thread keeps its own copy of the text
    ASSERT_TRUE(WaitUntil([] { return g_received.calls.load() == 1; }, 5000));
    const std::vector<unsigned char> got = Last();
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(got.data())), L"REGEN\r");
}

namespace {

constexpr wchar_t kHistory[] = L"コマンド: _ZOOM\r\n[図面全体(A)/中心(C)] <リアルタイム>: A\r\nコマンド: ";
std::atomic<bool> g_copies{true};

LRESULT CALLBACK TextWindowProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_COMMAND && w == 32781 && g_copies) {
        if (OpenClipboard(h)) {
            EmptyClipboard();
            const std::wstring text = kHistory;
            HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
            memcpy(GlobalLock(mem), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
            GlobalUnlock(mem);
            SetClipboardData(CF_UNICODETEXT, mem);
            CloseClipboard();
        }
        return 0;
    }
    return DefWindowProcW(h, m, w, l);
}

using channel_test::ClipboardHolder;
bool SetClipboardText(const std::wstring& text) { return channel_test::SetUserClipboardText(text); }
bool ClipboardText(std::wstring& out) { return channel_test::UserClipboardText(out); }

class ClipboardRead : public ::testing::Test {
protected:
    harness::UiThread ui;
    HWND text = nullptr;
    TClipboardHistoryOptions options;

    void SetUp() override {
        g_copies = true;
        ui.Run([this] {
            WNDCLASSW w{};
            w.lpfnWndProc = TextWindowProc;
            w.hInstance = GetModuleHandleW(nullptr);
            w.lpszClassName = L"ChannelTestText";
            RegisterClassW(&w);
            text = CreateWindowExW(0, L"ChannelTestText", L"AutoCAD テキスト ウィンドウ", WS_POPUP, 0, 0, 10, 10, nullptr,
                                   nullptr, GetModuleHandleW(nullptr), nullptr);
        });
        ASSERT_TRUE(text);
        options.Pump = [](unsigned ms) { ProcessMessagesWait(ms); };
        ASSERT_TRUE(SetClipboardText(L"ユーザーがコピーした文字"));
    }
    void TearDown() override {
        ui.Run([this] { DestroyWindow(text); });
    }
    TClipboardHistoryResult Read() { return ReadHistoryThroughClipboard(text, GetCurrentProcessId(), options); }
};

}  // namespace

TEST_F(ClipboardRead, HistoryIsReadAndTheUsersTextPutBack) {
    const TClipboardHistoryResult r = Read();
    ASSERT_TRUE(r.Ok);
    EXPECT_EQ(r.Text, kHistory);
    EXPECT_EQ(r.Attempts, 1);
    EXPECT_FALSE(r.OtherReplaced);
    EXPECT_FALSE(r.RestoreFailed);
    std::wstring now;
    ASSERT_TRUE(ClipboardText(now));
    EXPECT_EQ(now, L"ユーザーがコピーした文字");
}

TEST_F(ClipboardRead, NonTextContentIsReportedAsReplaced) {
    const UINT format = RegisterClipboardFormatW(L"SheetbayTestPicture");
    ASSERT_TRUE(WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 2000));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, 16);
    SetClipboardData(format, mem);
    CloseClipboard();

    const TClipboardHistoryResult r = Read();
    ASSERT_TRUE(r.Ok);
    EXPECT_TRUE(r.OtherReplaced);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT)) << "no text of ours is left behind";
}

TEST_F(ClipboardRead, UsersOwnTextIsNeverTakenForTheHistory) {
    g_copies = false;  // the copy command does nothing
    const TClipboardHistoryResult r = Read();
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Attempts, 5);
    EXPECT_TRUE(r.Text.empty());
    std::wstring now;
    ASSERT_TRUE(ClipboardText(now));
    EXPECT_EQ(now, L"ユーザーがコピーした文字");
}

TEST_F(ClipboardRead, HeldByAnotherProgramForTheFirstTwoAttempts) {
    ClipboardHolder holder;
    ASSERT_TRUE(holder.holding());
    options.BeforeAttempt = [&](int k) {
        if (k == 3) holder.Release();
    };
    const TClipboardHistoryResult r = Read();
    ASSERT_TRUE(r.Ok);
    EXPECT_EQ(r.Attempts, 3);
    EXPECT_EQ(r.Text, kHistory);
    std::wstring now;
    ASSERT_TRUE(ClipboardText(now));
    EXPECT_EQ(now, L"ユーザーがコピーした文字");
}

TEST_F(ClipboardRead, HeldThroughAllFiveAttempts) {
    ClipboardHolder holder;
    ASSERT_TRUE(holder.holding());
    const TClipboardHistoryResult r = Read();
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Attempts, 5);
    holder.Release();
    std::wstring now;
    ASSERT_TRUE(ClipboardText(now));
    EXPECT_EQ(now, L"ユーザーがコピーした文字");
}

namespace {

using acad_test::StopAfter;

// The master and the component of an operation, linked to a fake AutoCAD of another thread.
class FakeAcadSession : public ::testing::Test {
protected:
    harness::LogHarness logs;
    harness::FakeAcad fake;
    TAcadMasterVer4 master{&logs.Log(), L"監視スレッド"};
    TAcadVer4 acad{&logs.Log(), L"CAD"};

    void SetUp() override {
        acad.Master(&master);
        master.AcadStart();
        harness::AttachFake(master, fake);
    }
    void TearDown() override { master.AcadEnd(); }
};
using SenderWait = FakeAcadSession;
using Activation = FakeAcadSession;

}  // namespace

// An AutoCAD whose prompt and history never move: the posted wait runs until Stop, and a bare
// Escape is sent a second time once, at round 300.
TEST_F(SenderWait, BareEscapeIsSentAgainOnceThenStopEndsTheWait) {
    DWORD took = 0;
    {
        StopAfter stop(logs.Log(), 4500);
        const DWORD start = GetTickCount();
        EXPECT_FALSE(TAcadVer4TestAccess::SubPostCommand(acad, L"\x03", false, true));
        took = GetTickCount() - start;
    }
    EXPECT_GE(took, 4000u);
    EXPECT_EQ(logs.Count(L"AutoCADがキャンセルを受け付けた様子がないので再送信します。"), 1) << e2e_dump(logs);
}

// Any other text is never sent twice; the asynchronous send reads nothing and returns at once.
TEST_F(SenderWait, OtherTextsAreNotSentAgainAndAsynchronousSendsDoNotWait) {
    {
        StopAfter stop(logs.Log(), 3500);
        EXPECT_FALSE(TAcadVer4TestAccess::SubPostCommand(acad, L"\x03\x03", false, false));
    }
    EXPECT_EQ(logs.Count(L"再送信します"), 0);

    const DWORD start = GetTickCount();
    EXPECT_TRUE(TAcadVer4TestAccess::SubPostCommand(acad, L"x", true, true)) << e2e_dump(logs);
    EXPECT_LT(GetTickCount() - start, 1500u);
}

namespace {

constexpr UINT kHangMessage = WM_APP + 99;
WNDPROC g_frameProc = nullptr;
HWND g_hangTarget = nullptr;

LRESULT CALLBACK HangingFrameProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == kHangMessage) {
        Sleep(3000);  // AutoCAD busy: none of its windows answers for a while
        return 0;
    }
    return CallWindowProcW(g_frameProc, h, m, w, l);
}

void CALLBACK HangSoon(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostMessageW(g_hangTarget, kHangMessage, 0, 0);
}

}  // namespace

// Reads that time out while AutoCAD is busy are "no change yet" inside the wait, not a failure.
TEST_F(SenderWait, TimedOutReadsInsideTheWaitAreNoChangeYet) {
    g_hangTarget = fake.Frame;
    g_frameProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(fake.Frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HangingFrameProc)));
    {
        const UINT_PTR hang = SetTimer(nullptr, 0, 300, HangSoon);
        StopAfter stop(logs.Log(), 5000);
        const DWORD start = GetTickCount();
        EXPECT_FALSE(TAcadVer4TestAccess::SubPostCommand(acad, L"x", false, false));
        EXPECT_GE(GetTickCount() - start, 4500u) << "ended by Stop";
        KillTimer(nullptr, hang);
    }
    EXPECT_FALSE(logs.Has(L"取得中に異常が発生しました")) << e2e_dump(logs);
    SetWindowLongPtrW(fake.Frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_frameProc));
}

// A read made while AutoCAD is busy for longer than one read's bound waits for its answer.
TEST_F(SenderWait, ReadDuringABusyPeriodWaitsForTheAnswer) {
    g_hangTarget = fake.Frame;
    g_frameProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(fake.Frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HangingFrameProc)));
    fake.Run([&] { SetWindowTextW(fake.Command, L"コマンド: "); });
    PostMessageW(fake.Frame, kHangMessage, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsHungAppWindow(fake.Frame) || !SendMessageTimeoutW(fake.Frame, WM_NULL, 0, 0, SMTO_NORMAL, 200, nullptr); }, 2000));
    const DWORD start = GetTickCount();
    std::wstring prompt;
    EXPECT_TRUE(TAcadVer4TestAccess::SubGetPrompt(acad, prompt)) << e2e_dump(logs);
    EXPECT_EQ(prompt, L"コマンド:");
    EXPECT_GE(GetTickCount() - start, 2000u) << "answered only after the busy period";
    EXPECT_FALSE(logs.Has(L"取得中に異常が発生しました")) << e2e_dump(logs);
    SetWindowLongPtrW(fake.Frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_frameProc));
}

namespace {

// A frame that takes the text late: it answers WM_COPYDATA after the sender's bound, and what it
// then shows on the command line is its answer (or nothing, when Answer is empty).
std::atomic<int> g_slowCalls{0};
HWND g_slowCommand = nullptr;
const wchar_t* g_slowAnswer = L"";

LRESULT CALLBACK SlowTakingFrameProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_COPYDATA) {
        ++g_slowCalls;
        Sleep(900);
        if (*g_slowAnswer) SetWindowTextW(g_slowCommand, g_slowAnswer);
        return TRUE;
    }
    return CallWindowProcW(g_frameProc, h, m, w, l);
}

}  // namespace

// A send that timed out while AutoCAD was only slow is neither reported unsent nor typed twice;
// one that never shows anything is "not sent" at the deadline, still typed once.
TEST_F(SenderWait, TimedOutSendCountsOnceItsAnswerShows) {
    g_slowCommand = fake.Command;
    g_frameProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(fake.Frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SlowTakingFrameProc)));
    fake.Run([&] { SetWindowTextW(fake.Command, L"コマンド: "); });
    TAcadVer4TestAccess::Bounds(acad, 300, 4000);

    g_slowCalls = 0;
    g_slowAnswer = L"ズーム [図面全体(A)] <リアルタイム>:";
    EXPECT_TRUE(TAcadVer4TestAccess::SubPostCommand(acad, L"_ZOOM\r", false, true)) << e2e_dump(logs);
    EXPECT_EQ(g_slowCalls.load(), 1);
    EXPECT_FALSE(logs.Has(L"AutoCADへのコマンド送信に失敗しました")) << e2e_dump(logs);

    g_slowCalls = 0;
    g_slowAnswer = L"";
    const DWORD start = GetTickCount();
    EXPECT_FALSE(TAcadVer4TestAccess::SubPostCommand(acad, L"_REGEN\r", false, true));
    EXPECT_GE(GetTickCount() - start, 3500u) << "not given up before the deadline";
    EXPECT_EQ(g_slowCalls.load(), 1);
    EXPECT_TRUE(logs.Has(L"AutoCADへのコマンド送信に失敗しました")) << e2e_dump(logs);
    SetWindowLongPtrW(fake.Frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_frameProc));
}

// A drawing window that AutoCAD never shows as its active drawing: ten attempts, then the error.
TEST_F(Activation, DrawingThatNeverBecomesActiveFailsAfterTenAttempts) {
    HWND own = CreateWindowExW(0, L"Static", L"Sheetbay", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    acad.Owner(own);
    acad.WaitTime_Active(10);
    // Untitled: never listed as a drawing, so never the active one. The real drawing holds a
    // dialog-class child, as AutoCAD's drawing windows do.
    HWND stray = nullptr;
    fake.Run([&] {
        CreateWindowExW(0, L"#32770", L"", WS_CHILD, 0, 0, 10, 10, fake.Drawing, nullptr, GetModuleHandleW(nullptr), nullptr);
        stray = CreateWindowExW(0, L"FakeAcadDrawing", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, fake.View, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    });
    ASSERT_TRUE(stray);

    EXPECT_TRUE(acad.HandleActive(fake.Drawing, true)) << e2e_dump(logs);
    EXPECT_EQ(logs.Count(L"アクティブ化実行"), 0) << "the active drawing needs no switch";

    EXPECT_FALSE(acad.HandleActive(stray, true));
    EXPECT_EQ(logs.Count(L"アクティブ化実行"), 10) << e2e_dump(logs);
    EXPECT_EQ(logs.Count(L"CAD：アクティブになっていないのでやり直し"), 10);
    EXPECT_TRUE(logs.Has(L"図面のアクティブ化に失敗しました。"));

    EXPECT_FALSE(acad.HandleActive(nullptr, false));
    EXPECT_TRUE(logs.Has(L"ハンドルが存在しません"));
    fake.Run([&] { DestroyWindow(stray); });
    DestroyWindow(own);
}
