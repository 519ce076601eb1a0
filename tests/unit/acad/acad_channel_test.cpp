// The command channel end to end: TAcadVer4 in this process activates drawings, types commands,
// waits for and skips prompts, cancels and reads the history of the stand-in ACAD.EXE.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "ClipboardHolder.h"
#include "StandInFixture.h"
#include "StopAfter.h"
#include "acad/AcadMasterVer4.h"
#include "acad/AcadVer4.h"
#include "log/LogVer4.h"
#include "unit/acad/AcadSession.h"

struct TAcadVer4TestAccess {
    static void Link(TAcadVer4& a, HWND h) { a.FLinkHandle = h; }
    static void BeforeClipboardAttempt(TAcadVer4& a, std::function<void(int)> f) {
        a.FClipboardBeforeAttempt = std::move(f);
    }
    static bool LinkCheck(TAcadVer4& a) { return a.LinkCheck(true); }
    static bool CommandEndCheck(TAcadVer4& a) { return a.CommandEndCheck(); }
};
using Access = TAcadVer4TestAccess;

namespace {

using acad_test::StopAfter;
using channel_test::ClipboardHolder;
using e2e_test::Running;

// The real log, master and component on a hidden host window of this thread, with short waits.
class Session : public acad_test::AcadSession {
public:
    Session()
        : AcadSession({.HostClass = L"AcadChannelTestHost",
                       .HostWidth = 300,
                       .HostHeight = 200,
                       .CriticalErrorAutoClose = false,
                       .OwnedByHost = true,
                       .WaitTimeActive = 100,
                       .WaitTimeCommand = 50}) {}

    // The drawing windows by title, found as the program finds them.
    HWND Drawing(const std::wstring& title) {
        TDrawWindowListVer4 list;
        if (!acad->DrawWindowList(list, true, false)) return nullptr;
        for (int i = 0; i < list.Count(); ++i)
            if (list.Get(i).Caption == title) return list.Get(i).Handle;
        return nullptr;
    }
    bool Link(const std::wstring& title) {
        HWND h = Drawing(title);
        Access::Link(*acad, h);
        return h != nullptr;
    }
};

const char* kThreeDrawings = R"({
  "release": {"year": 2023},
  "frame": {"x": 0, "y": 0, "width": 1000, "height": 700},
  "textWindow": {"visible": true, "x": 900, "y": 40, "width": 600, "height": 480},
  "sysvars": {"FILEDIA": "0"},
  "drawings": [{"path": "a.dwg", "createFile": false},
               {"path": "b.dwg", "createFile": false},
               {"path": "c.dwg", "createFile": false, "minimized": true}],
  "active": 0})";

class Channel : public ::testing::Test {
protected:
    static void SetUpTestSuite() { running_ = new Running(kThreeDrawings); }
    static void TearDownTestSuite() {
        delete running_;
        running_ = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(running_->started) << running_->error;
        // Every test starts at the command prompt of a.dwg.
        acad().send(L"\x03");
        ASSERT_TRUE(acad().waitCommandLine(L"コマンド: "));
        ASSERT_TRUE(s.Link(L"a.dwg")) << s.Dump();
        ASSERT_TRUE(s.acad->acActive(1)) << s.Dump();
    }
    static e2e::StandIn& acad() { return *running_->acad; }
    static nlohmann::json state() { return running_->state(); }
    static int CurrentIndex() {
        const nlohmann::json st = state();
        return st.is_object() && st.contains("current") ? st["current"].get<int>() : -1;
    }
    // The user clicks another drawing: the MDI client activates it.
    static void UserActivates(HWND child) {
        DWORD_PTR r = 0;
        SendMessageTimeoutW(acad().windows().mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0,
                            SMTO_ABORTIFHUNG, 2000, &r);
    }
    // The state file follows the command line within moments.
    static bool LastCommandEnds(const char* end) {
        return e2e::waitUntil([&] {
            const nlohmann::json st = state();
            return st.is_object() && st.contains("commands") && !st["commands"].empty() &&
                   st["commands"].back()["end"] == end;
        }, 3000);
    }
    static int Received() {
        const nlohmann::json st = state();
        return st.is_object() && st.contains("received") ? st["received"].get<int>() : -1;
    }

    Session s;
    static Running* running_;
};
Running* Channel::running_ = nullptr;

}  // namespace

TEST_F(Channel, ActivatesEachOfThreeDrawingsInTurn) {
    const struct {
        const wchar_t* title;
        int index;
    } order[] = {{L"c.dwg", 2}, {L"b.dwg", 1}, {L"a.dwg", 0}, {L"c.dwg", 2}};
    ASSERT_TRUE(IsIconic(s.Drawing(L"c.dwg")));
    for (const auto& o : order) {
        HWND h = s.Drawing(o.title);
        ASSERT_NE(h, nullptr);
        ASSERT_TRUE(s.acad->HandleActive(h, true)) << s.Dump();
        EXPECT_TRUE(e2e::waitUntil([&] { return CurrentIndex() == o.index; }, 3000)) << e2e::toUtf8(o.title);
        HWND active = nullptr;
        ASSERT_TRUE(s.acad->GetActiveHandle(active, false, false));
        EXPECT_EQ(active, h);
        EXPECT_FALSE(IsIconic(h)) << "a minimised drawing is restored first";
    }
    // The active drawing again: nothing more to do.
    const int tries = s.Count(L"アクティブ化実行");
    EXPECT_TRUE(s.acad->HandleActive(s.Drawing(L"c.dwg"), true));
    EXPECT_EQ(s.Count(L"アクティブ化実行"), tries);
}

TEST_F(Channel, TextWindowIsMovedBelowTheScreenBeforeReading) {
    std::wstring prompt;
    ASSERT_TRUE(s.acad->acGetPrompt(prompt, true, 1, false)) << s.Dump();
    EXPECT_EQ(prompt, L"ｺﾏﾝﾄﾞ:");
    const int below = GetSystemMetrics(SM_CYSCREEN) + 1;
    RECT r{};
    EXPECT_TRUE(e2e::waitUntil([&] {
        GetWindowRect(acad().windows().text, &r);
        return r.top >= below;
    }, 3000));
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(r.bottom - r.top, 400);
    EXPECT_TRUE(s.Has(L"テキストウインドウを移動させます。"));
}

TEST_F(Channel, LinkCheckActivatesTheLinkedDrawingAgainAfterTheUserSwitched) {
    UserActivates(s.Drawing(L"b.dwg"));
    ASSERT_TRUE(e2e::waitUntil([] { return CurrentIndex() == 1; }, 3000));
    EXPECT_TRUE(s.acad->acCommandLineCheck(1)) << s.Dump();
    EXPECT_TRUE(e2e::waitUntil([] { return CurrentIndex() == 0; }, 3000));
}

TEST_F(Channel, LinkToAClosedDrawingIsReleased) {
    HWND gone = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    Access::Link(*s.acad, gone);
    EXPECT_FALSE(Access::LinkCheck(*s.acad));
    EXPECT_TRUE(s.Has(L"ハンドルが存在しません"));
    EXPECT_EQ(s.acad->LinkHandle(), nullptr);
    EXPECT_FALSE(s.acad->acPostEnter(1));
    EXPECT_TRUE(s.Has(L"リンクしていません"));
}

TEST_F(Channel, CommandAnswersWithTheExpectedPromptAndItsDefault) {
    int index = -1;
    ASSERT_TRUE(s.acad->acSendCommand(L"_Zoom^m", L"*<ﾘｱﾙﾀｲﾑ>:", index, true, true, 1, false)) << s.Dump();
    EXPECT_EQ(index, 1);
    EXPECT_TRUE(s.Has(L"コマンド送信「_Zoom【Enter】」"));
    std::wstring value;
    ASSERT_TRUE(s.acad->acGetPromptValue(value, 1, false));
    EXPECT_EQ(value, L"リアルタイム");
    ASSERT_TRUE(s.acad->acSendCommand(L"A^m", 1, false)) << s.Dump();
    ASSERT_TRUE(LastCommandEnds("done"));
    const nlohmann::json last = state()["commands"].back();
    EXPECT_EQ(last["name"], "ZOOM");
    EXPECT_EQ(last["answers"], nlohmann::json::array({"A"}));
    EXPECT_TRUE(s.acad->acCommandLineCheck(1));
    EXPECT_TRUE(TAcadVer4TestAccess::CommandEndCheck(*s.acad));
}

TEST_F(Channel, CommandThatReturnsToTheCommandPromptFailsWithCommandErr) {
    EXPECT_FALSE(s.acad->acSendCommand(L"_FOO^m", L"*ﾌｧｲﾙ名を*", true, true, 1, false));
    EXPECT_TRUE(s.Has(L"「ｺﾏﾝﾄﾞ:」を検知しました")) << s.Dump();
    // Without CommandErr the command prompt is alternative 0 and a success.
    int index = -1;
    EXPECT_TRUE(s.acad->acSendCommand(L"_FOO^m", L"*ﾌｧｲﾙ名を*", index, false, true, 1, false));
    EXPECT_EQ(index, 0);
}

TEST_F(Channel, UnusablePatternsAreRefusedBeforeAnythingIsRead) {
    for (const wchar_t* pattern : {L"ﾌｧｲﾙ名||*:", L"*", L"a|**"}) {
        EXPECT_FALSE(s.acad->acWaitPrompt(pattern, false, true, 1)) << e2e::toUtf8(pattern);
        EXPECT_FALSE(s.acad->acSkipPrompt(pattern, false, true, 1)) << e2e::toUtf8(pattern);
    }
    EXPECT_EQ(s.Count(L"指定プロンプト正しくありません"), 6);
    EXPECT_FALSE(s.Has(L"指定プロンプト出現")) << s.Dump();
}

TEST_F(Channel, SkipAnswersUnexpectedPromptsWithEnterThenEscapeOnlyWhenNeeded) {
    ASSERT_TRUE(s.acad->acPostCommand(L"_SAVEAS^m", 1, false)) << s.Dump();
    const int enters = s.Count(L"コマンド送信「【Enter】」");
    int index = -1;
    ASSERT_TRUE(s.acad->acSkipPrompt(L"図面に名前を付けて保存*", index, true, true, 1)) << s.Dump();
    EXPECT_EQ(index, 1);
    EXPECT_EQ(s.Count(L"コマンド送信「【Enter】」") - enters, 1) << "the file-format prompt took one Enter";
    std::wstring path;
    ASSERT_TRUE(s.acad->acGetPromptValue(path, 1, false));
    EXPECT_EQ(path, running_->dir.path() + L"\\a.dwg");

    ASSERT_TRUE(s.acad->acNecessaryEscape(1)) << s.Dump();
    EXPECT_EQ(s.Count(L"キャンセル送信「【Esc】」"), 1);
    EXPECT_TRUE(s.acad->acCommandLineCheck(1));
    EXPECT_TRUE(LastCommandEnds("cancelled"));
    ASSERT_TRUE(s.acad->acNecessaryEscape(1));
    EXPECT_EQ(s.Count(L"キャンセル送信「【Esc】」"), 1) << "at the command prompt nothing is sent";
}

TEST_F(Channel, PromptRepeatedAfterItsEnterStopsTheSkip) {
    ASSERT_TRUE(s.acad->acSendCommand(L"_Zoom^mC^m", L"中心点を指定*", true, true, 1, false)) << s.Dump();
    EXPECT_FALSE(s.acad->acSkipPrompt(L"*ﾌｧｲﾙ名*", true, true, 1));
    EXPECT_TRUE(s.Has(L"同じプロンプトを繰り返しました。スキップ出来ません。")) << s.Dump();
}

TEST_F(Channel, EscapeWaitCancelsAHalfAnsweredCommand) {
    ASSERT_TRUE(s.acad->acSendCommand(L"_Zoom^mC^m", L"中心点を指定*", true, true, 1, false)) << s.Dump();
    ASSERT_TRUE(s.acad->EscapeWait(1)) << s.Dump();
    EXPECT_EQ(acad().commandLine(), L"コマンド: ");
    EXPECT_TRUE(LastCommandEnds("cancelled"));
}

TEST_F(Channel, StopEndsEachKindOfWait) {
    struct Case {
        const char* name;
        std::function<bool(TAcadVer4&)> wait;
    } cases[] = {
        // LF changes neither the prompt nor the history: the posted and step waits go on.
        {"posted", [](TAcadVer4& a) { return a.acPostCommand(L"\n", 1, true); }},
        {"step", [](TAcadVer4& a) { return a.acStepCommand(L"\n", 1, true); }},
        // A half-typed command name: no prompt of the pattern, nothing to answer.
        {"prompt", [](TAcadVer4& a) {
             return a.acDirectCommand(L"_ZOO", 1, false) && a.acWaitPrompt(L"*ﾌｧｲﾙ名*", true, true, 1);
         }},
        {"skip", [](TAcadVer4& a) {
             return a.acDirectCommand(L"_ZOO", 1, false) && a.acSkipPrompt(L"*ﾌｧｲﾙ名*", true, true, 1);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session fresh;
        ASSERT_TRUE(fresh.Link(L"a.dwg"));
        acad().send(L"\x03");
        ASSERT_TRUE(acad().waitCommandLine(L"コマンド: "));
        const DWORD start = GetTickCount();
        {
            StopAfter stop(*fresh.log, 800);
            EXPECT_FALSE(c.wait(*fresh.acad));
        }
        EXPECT_GE(GetTickCount() - start, 700u) << "it was waiting, not failing";
        EXPECT_LT(GetTickCount() - start, 5000u);
    }
}

TEST_F(Channel, LongTextsAndDataPiecesAreRefusedWithNothingSent) {
    const int before = Received();
    EXPECT_FALSE(s.acad->acPostCommand(std::wstring(1025, L'x'), 1, false));
    EXPECT_TRUE(s.Has(L"送信するコマンドが長すぎます（1025文字")) << s.Dump();
    EXPECT_FALSE(s.acad->acPostCommand(L"", 1, false));
    EXPECT_TRUE(s.Has(L"送信するコマンドがありません"));
    EXPECT_FALSE(s.acad->CommandDataCheck(L"C:\\図面【Esc】\\a.dwg"));
    EXPECT_TRUE(s.acad->CommandDataCheck(L"C:\\図面【A】\\a.dwg"));
    s.acad->Wait(200);
    EXPECT_EQ(Received(), before);
}

TEST_F(Channel, HistoryThroughTheClipboardKeepsTheUsersText) {
    ASSERT_TRUE(s.acad->acSendCommand(L"_FOO^m", 1, false));
    ASSERT_TRUE(channel_test::SetUserClipboardText(L"ユーザーの文字"));
    std::vector<std::wstring> lines;
    ASSERT_TRUE(s.acad->acGetHistoryForClipboard(lines, true, 1)) << s.Dump();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_NE(std::find(lines.begin(), lines.end(), L"ｺﾏﾝﾄﾞ: _FOO"), lines.end()) << e2e::toUtf8(e2e_test::joined(lines));
    EXPECT_EQ(lines.back(), L"ｺﾏﾝﾄﾞ: ") << "the command line comes last";
    std::wstring last;
    ASSERT_TRUE(s.acad->acGetLastHistoryForClipboard(last, false, 1));
    EXPECT_EQ(last, L"コマンド: ");
    std::wstring now;
    ASSERT_TRUE(channel_test::UserClipboardText(now));
    EXPECT_EQ(now, L"ユーザーの文字");
}

TEST_F(Channel, ClipboardHeldByAnotherProgramForTheFirstAttemptsOnly) {
    ASSERT_TRUE(channel_test::SetUserClipboardText(L"ユーザーの文字"));
    ClipboardHolder holder;
    ASSERT_TRUE(holder.holding());
    int attempts = 0;
    Access::BeforeClipboardAttempt(*s.acad, [&](int k) {
        attempts = k;
        if (k == 3) holder.Release();
    });
    std::vector<std::wstring> lines;
    ASSERT_TRUE(s.acad->acGetHistoryForClipboard(lines, true, 1)) << s.Dump();
    EXPECT_EQ(attempts, 3);
    EXPECT_FALSE(lines.empty());
    std::wstring now;
    ASSERT_TRUE(channel_test::UserClipboardText(now));
    EXPECT_EQ(now, L"ユーザーの文字");
}

TEST_F(Channel, ClipboardHeldThroughAllFiveAttempts) {
    ASSERT_TRUE(channel_test::SetUserClipboardText(L"ユーザーの文字"));
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.holding());
        std::vector<std::wstring> lines;
        EXPECT_FALSE(s.acad->acGetHistoryForClipboard(lines, true, 1));
        EXPECT_TRUE(lines.empty());
    }
    EXPECT_TRUE(s.Has(L"クリップボードを読み取れませんでした。"));
    EXPECT_TRUE(s.Has(L"Microsoft Officeのクリップボード または その他クリップボード監視系のソフトに妨害された可能性があります。"));
    std::wstring now;
    ASSERT_TRUE(channel_test::UserClipboardText(now));
    EXPECT_EQ(now, L"ユーザーの文字");
}

TEST_F(Channel, DrawingSwitchedByTheUserMidReadIsDetected) {
    ASSERT_TRUE(channel_test::SetUserClipboardText(L"ユーザーの文字"));
    HWND other = s.Drawing(L"b.dwg");
    Access::BeforeClipboardAttempt(*s.acad, [&](int k) {
        if (k == 1) {
            UserActivates(other);
            e2e::waitUntil([] { return CurrentIndex() == 1; }, 3000);
        }
    });
    std::vector<std::wstring> lines;
    EXPECT_FALSE(s.acad->acGetHistoryForClipboard(lines, true, 1));
    EXPECT_TRUE(s.Has(L"違う図面の履歴を取得した可能性を検知しました")) << s.Dump();
    std::wstring now;
    ASSERT_TRUE(channel_test::UserClipboardText(now));
    EXPECT_EQ(now, L"ユーザーの文字");
}

namespace {

struct FrameCase {
    const char* name;
    const char* scenario;
    bool unicode;
};

class Frames : public ::testing::TestWithParam<FrameCase> {};

}  // namespace

TEST_P(Frames, JapaneseTextArrivesIntact) {
    Running r(GetParam().scenario);
    ASSERT_TRUE(r.started) << r.error;
    Session s;
    ASSERT_TRUE(s.Link(L"図面.dwg")) << s.Dump();
    EXPECT_EQ(IsWindowUnicode(s.master->MainHandle()) != FALSE, GetParam().unicode);
    ASSERT_TRUE(s.acad->acSendCommand(L"図面一覧①^m", 1, false)) << s.Dump();
    EXPECT_NE(r.acad->history().find(L"\"図面一覧①\""), std::wstring::npos) << e2e::toUtf8(r.acad->history());

    // The limit is the sender's buffer in the frame's own units: 512 Japanese characters fit
    // as CP932 bytes, 513 do not; 1024 UTF-16 units fit, 1025 do not.
    const std::wstring tooLong = GetParam().unicode ? std::wstring(1025, L'図') : std::wstring(513, L'図');
    EXPECT_FALSE(s.acad->acPostCommand(tooLong, 1, false));
    EXPECT_TRUE(s.Has(L"送信するコマンドが長すぎます")) << s.Dump();
    if (!GetParam().unicode) {
        EXPECT_FALSE(s.acad->acPostCommand(L"C:\\café\\a.dwg^m", 1, false));
        EXPECT_TRUE(s.Has(L"AutoCADの文字コードで表せない文字が含まれているため送信できません"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Channel, Frames,
    ::testing::Values(FrameCase{"unicode", R"({"release": {"year": 2023},
        "drawings": [{"path": "図面.dwg", "createFile": false}]})", true},
                      FrameCase{"ansi", R"({"release": {"year": 2004, "unicode": false},
        "drawings": [{"path": "図面.dwg", "createFile": false}]})", false}),
    [](const ::testing::TestParamInfo<FrameCase>& i) { return std::string(i.param.name); });
