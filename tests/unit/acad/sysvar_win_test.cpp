// Release identification, system variables with their backup and restore, and UNDO, against the
// stand-in ACAD.EXE.
#include <gtest/gtest.h>

#include "sysvar_session.h"

using e2e_test::Running;
using sysvar_test::CommandNames;
using sysvar_test::Session;
using sysvar_test::Sysvar;

namespace {

struct ReleaseCase {
    const char* name;
    const char* release;  // the scenario's "release" object
    int cadVersion;
    bool identified;
    bool flag2011;
    const wchar_t* logLine;
    const char* notTyped;  // a version variable that must not have been asked
};

TEST(AcadVersionCheck, ReleasesAsTheTablesSayOncePerSearch) {
    const ReleaseCase cases[] = {
        {"2023 Unicode, no VERSION, ACADVER after the tables", R"({"year": 2023})", 2018, true, false,
         L"AutoCADのバージョンは2018以降であるとします。", nullptr},
        {"2002 ANSI frame, half-width prompt", R"({"year": 2002})", 2002, true, false,
         L"AutoCADのバージョン        2002", nullptr},
        {"2011 by the title's estimate and ACADVER", R"({"year": 2011, "title": "AutoCAD 2011"})", 2011, true, true,
         L"AutoCADのバージョン        2011", nullptr},
        {"only ACADVER", R"({"year": 2008})", 2008, true, false, L"AutoCADのバージョン        2008", nullptr},
        {"VERSION answers, ACADVER not asked", R"({"year": 2016, "lt": true, "version": "AutoCAD LT 2016"})", 2016,
         true, false, L"AutoCADのバージョン        2016", "ACADVER"},
        {"2000 ANSI, no variable: the prompt's 2002 stays", R"({"year": 2000, "acadver": null})", 2002, false, false,
         L"システム変数での補正は出来ませんでした。AutoCADのバージョンは       2002 と仮定します。", nullptr},
    };
    for (const ReleaseCase& c : cases) {
        SCOPED_TRACE(c.name);
        Running r(std::string(R"({"release": )") + c.release + R"(, "drawings": [{"path": "a.dwg"}]})");
        ASSERT_TRUE(r.started) << r.error;
        Session s;
        ASSERT_TRUE(s.Link()) << s.Dump();
        const TAcadMasterVer4& m = *s.master;
        EXPECT_TRUE(m.FlagVersionCheck);
        EXPECT_EQ(m.CadVersion, c.cadVersion) << s.Dump();
        EXPECT_EQ(m.FlagVersionIdentification, c.identified);
        EXPECT_EQ(m.Version2011Flag, c.flag2011);
        EXPECT_TRUE(s.Has(c.logLine)) << s.Dump();
        if (c.notTyped) {
            for (const auto& n : CommandNames(r.state())) EXPECT_NE(n, c.notTyped);
        }
        // A second link in the same search asks AutoCAD nothing.
        ASSERT_TRUE(s.acad->LinkFree());
        const auto received = r.state()["received"];
        ASSERT_TRUE(s.Link()) << s.Dump();
        EXPECT_EQ(r.state()["received"], received);
        EXPECT_EQ(s.Count(L"バージョンチェック"), 1);
        // acGetVersion: an identified release always; else the caller's unless Unicode-ness disagrees.
        if (c.identified) {
            EXPECT_EQ(s.acad->acGetVersion(97), c.cadVersion);
        } else {
            EXPECT_EQ(s.acad->acGetVersion(97), 97);
            EXPECT_EQ(s.acad->acGetVersion(2010), c.cadVersion);
        }
        EXPECT_TRUE(s.acad->LinkFree());
    }
}

// One stand-in for the system-variable cases; each leaves AutoCAD at its command prompt.
class SysVar : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        running = new Running(R"({"release": {"year": 2023},
          "sysvars": {"FILEDIA": "1", "CMDECHO": "1", "SDI": "0", "CELWEIGHT": "-1", "USERS1": ""},
          "drawings": [{"path": "a.dwg", "layers": ["0", "WALL"], "clayer": "WALL"}]})");
    }
    static void TearDownTestSuite() {
        delete running;
        running = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(running->started) << running->error;
        s = std::make_unique<Session>();
        ASSERT_TRUE(s->Link()) << s->Dump();
    }
    void TearDown() override {
        if (s) s->acad->LinkFree();
        s.reset();
    }
    nlohmann::json State() { return running->state(); }
    std::size_t CommandCount() { return State()["commands"].size(); }
    std::wstring CommandLine() { return running->acad->commandLine(); }

    static Running* running;
    std::unique_ptr<Session> s;
};
Running* SysVar::running = nullptr;

TEST_F(SysVar, ReadsWritableReadOnlyAndQuotedValues) {
    TAcadVer4& a = *s->acad;
    std::wstring value;
    EXPECT_TRUE(a.acGetSystemVar(L"FILEDIA", value, 1, false)) << s->Dump();
    EXPECT_EQ(value, L"1");
    EXPECT_EQ(CommandLine(), L"コマンド: ");  // the value prompt was cancelled
    EXPECT_TRUE(a.acGetSystemVar(L"CLAYER", value, 1, false));
    EXPECT_EQ(value, L"WALL");
    EXPECT_TRUE(a.acGetSystemVar(L"DWGTITLED", value, 1, false)) << s->Dump();
    EXPECT_EQ(value, L"1");
    EXPECT_TRUE(a.acGetSystemVar(L"ACADVER", value, 1, false));
    EXPECT_EQ(value, L"24.2s (LMS Tech)");
    EXPECT_TRUE(s->Has(L"Value取得「24.2s (LMS Tech)」"));
    // An unknown name: silent with NoError, an error line without; the older DWGTITLED line in the
    // history is never taken for its answer.
    EXPECT_FALSE(a.acGetSystemVar(L"VERSION", value, 1, true));
    EXPECT_FALSE(s->Has(L"システム変数の取得に失敗しました"));
    EXPECT_FALSE(a.acGetSystemVar(L"DWGTITLED_X", value, 1, false));
    EXPECT_TRUE(value.empty());
    EXPECT_TRUE(s->Has(L"システム変数の取得に失敗しました。履歴でコマンドが見つかりません"));
}

TEST_F(SysVar, SetWithBackupAndRestoreNewestFirst) {
    TAcadVer4& a = *s->acad;
    TCadBackUpListVer4 backup;
    ASSERT_TRUE(a.acSetSystemVar(L"FILEDIA", L"0", backup, 1)) << s->Dump();
    ASSERT_TRUE(a.acSetSystemVar(L"CMDECHO", L"0", backup, 1)) << s->Dump();
    ASSERT_TRUE(a.acSetSystemVar(L"FILEDIA", L"0", backup, 1));  // already 0: nothing recorded
    EXPECT_TRUE(s->Has(L"既に設定出来ているので中止します"));
    ASSERT_EQ(backup.Count(), 2);
    EXPECT_EQ(backup.Get(0).Target, L"FILEDIA");
    EXPECT_EQ(backup.Get(0).StrValue, L"1");
    auto state = State();
    EXPECT_EQ(Sysvar(state, "FILEDIA"), "0");
    EXPECT_EQ(Sysvar(state, "CMDECHO"), "0");

    const std::size_t before = state["commands"].size();
    EXPECT_TRUE(a.acUndoSystemVar(backup, 1)) << s->Dump();
    state = State();
    EXPECT_EQ(Sysvar(state, "FILEDIA"), "1");
    EXPECT_EQ(Sysvar(state, "CMDECHO"), "1");
    EXPECT_EQ(CommandNames(state, before), (std::vector<std::string>{"CMDECHO", "FILEDIA"}));
    EXPECT_EQ(backup.Count(), 2);
}

TEST_F(SysVar, RestoreSurvivesAFirstStopButNotASecond) {
    TAcadVer4& a = *s->acad;
    TCadBackUpListVer4 backup;
    ASSERT_TRUE(a.acSetSystemVar(L"FILEDIA", L"0", backup, 1));
    ASSERT_TRUE(a.acSetSystemVar(L"CMDECHO", L"0", backup, 1));
    s->log->Breaking();
    EXPECT_TRUE(a.acUndoSystemVar(backup, 1)) << s->Dump();
    EXPECT_EQ(Sysvar(State(), "FILEDIA"), "1");
    EXPECT_EQ(Sysvar(State(), "CMDECHO"), "1");
    EXPECT_TRUE(s->Has(L"強制実行モード開始"));

    // A fresh link after the run's log was cleared; then two presses: nothing is restored, and the
    // user is told for every variable, newest first, what to type.
    a.LinkFree();
    s->log->Clear();
    ASSERT_TRUE(s->Link()) << s->Dump();
    backup.Clear();
    ASSERT_TRUE(a.acSetSystemVar(L"FILEDIA", L"0", backup, 1)) << s->Dump();
    ASSERT_TRUE(a.acSetSystemVar(L"CMDECHO", L"0", backup, 1));
    s->log->Breaking();
    s->log->Breaking();
    EXPECT_FALSE(a.acUndoSystemVar(backup, 1));
    EXPECT_EQ(Sysvar(State(), "FILEDIA"), "0");
    const int cmdecho = s->IndexOf(L"システム変数CMDECHOの設定を元に戻せなかった可能性があります。");
    const int filedia = s->IndexOf(L"システム変数FILEDIAの設定を元に戻せなかった可能性があります。");
    EXPECT_GE(cmdecho, 0) << s->Dump();
    EXPECT_GT(filedia, cmdecho);
    EXPECT_EQ(s->IndexOf(L"手動でCMDECHOと打ち込み1を設定してください"), cmdecho + 1);
    EXPECT_EQ(s->IndexOf(L"手動でFILEDIAと打ち込み1を設定してください"), filedia + 1);

    // Put AutoCAD back for the next case.
    a.LinkFree();
    s->log->Clear();
    ASSERT_TRUE(s->Link());
    EXPECT_TRUE(a.acUndoSystemVar(backup, 1));
    EXPECT_EQ(Sysvar(State(), "FILEDIA"), "1");
}

TEST_F(SysVar, CaseInsensitiveFourLineweightWordsAndRefusedValues) {
    TAcadVer4& a = *s->acad;
    TCadBackUpListVer4 backup;
    std::size_t before = CommandCount();
    ASSERT_TRUE(a.acSetSystemVar(L"CLAYER", L"wall", backup, 1)) << s->Dump();
    EXPECT_EQ(backup.Count(), 0);
    auto state = State();
    EXPECT_EQ(state["commands"][before]["end"], "cancelled");
    EXPECT_EQ(state["drawings"][0]["clayer"], "WALL");

    // CELWEIGHT: the word is compared, so -1 is typed although the prompt shows -1.
    before = CommandCount();
    std::wstring previous;
    bool changed = false;
    ASSERT_TRUE(a.acSetSystemVar(L"CELWEIGHT", L"bylayer", previous, changed, 1)) << s->Dump();
    EXPECT_TRUE(changed);
    EXPECT_EQ(previous, L"-1");
    state = State();
    EXPECT_EQ(state["commands"][before]["answers"], nlohmann::json::array({"-1"}));

    // A refused value: error, the prompt cancelled, and still recorded (it may have changed).
    ASSERT_FALSE(a.acSetSystemVar(L"FILEDIA", L"7", backup, 1));
    EXPECT_TRUE(s->Has(L"システム変数の設定に失敗しました。設定値が不正である可能性があります")) << s->Dump();
    EXPECT_EQ(CommandLine(), L"コマンド: ");
    ASSERT_EQ(backup.Count(), 1);
    EXPECT_EQ(backup.Get(0).StrValue, L"1");
    EXPECT_TRUE(a.acUndoSystemVar(backup, 1));

    EXPECT_FALSE(a.acSetSystemVar(L"NOSUCHVAR", L"1", 1));
    EXPECT_TRUE(s->Has(L"システム変数の設定に失敗しました。設定出来ないか、不正なシステム変数名である可能性があります"));

    // Nothing is typed for an empty value or for a value that would type keys by itself.
    before = CommandCount();
    EXPECT_TRUE(a.acSetSystemVar(L"FILEDIA", L"", 1));
    EXPECT_TRUE(s->Has(L"システム変数FILEDIAは設定されていないので変更しません"));
    EXPECT_FALSE(a.acSetSystemVar(L"CLAYER", L"0^mLINE", 1));
    EXPECT_EQ(CommandCount(), before);
}

TEST_F(SysVar, UnreadablePreviousValueIsNeverChangedWithABackup) {
    TAcadVer4& a = *s->acad;
    TCadBackUpListVer4 backup;
    const std::size_t before = CommandCount();
    EXPECT_FALSE(a.acSetSystemVar(L"USERS1", L"x", backup, 1));
    EXPECT_TRUE(s->Has(L"システム変数USERS1の現在の値が読み取れないため変更しません")) << s->Dump();
    EXPECT_EQ(backup.Count(), 0);
    auto state = State();
    EXPECT_EQ(Sysvar(state, "USERS1"), "");
    EXPECT_EQ(state["commands"][before]["end"], "cancelled");
    EXPECT_EQ(CommandLine(), L"コマンド: ");
    // Without a backup the value may be set.
    EXPECT_TRUE(a.acSetSystemVar(L"USERS1", L"x", 1)) << s->Dump();
    EXPECT_EQ(Sysvar(State(), "USERS1"), "x");
}

TEST_F(SysVar, UndoGroupAndSteps) {
    TAcadVer4& a = *s->acad;
    const std::size_t before = CommandCount();
    EXPECT_TRUE(a.acUndoStart(1)) << s->Dump();
    EXPECT_TRUE(a.acUndoEnd(1));
    EXPECT_TRUE(a.acUndo(2, 1));
    const auto received = State()["received"];
    EXPECT_FALSE(a.acUndo(0, 1));
    EXPECT_TRUE(s->Has(L"実行回数が0以下になっています"));
    auto state = State();
    EXPECT_EQ(state["received"], received);
    ASSERT_EQ(state["commands"].size(), before + 3);
    EXPECT_EQ(state["commands"][before]["answers"], nlohmann::json::array({"BE"}));
    EXPECT_EQ(state["commands"][before + 1]["answers"], nlohmann::json::array({"E"}));
    EXPECT_EQ(state["commands"][before + 2]["answers"], nlohmann::json::array({"2"}));
}

}  // namespace

namespace {

// An AutoCAD that shows what was typed for a long while before it answers, and regenerates for
// five seconds when DWGTITLED starts: every read waits for the real answer.
TEST(SlowAutoCad, ReadsWaitForTheAnswerNotTheEcho) {
    Running r(R"({"release": {"year": 2016, "version": "AutoCAD 2016"}, "documentsFolder": ".",
      "latency": {"commandMs": 400, "jitterMs": 100, "activationMs": 300, "seed": 3},
      "busy": [{"command": "DWGTITLED", "run": 1, "ms": 5000}],
      "sysvars": {"FILEDIA": "1"}, "drawings": [{"path": ""}, {"path": "plan.dwg"}]})");
    ASSERT_TRUE(r.started) << r.error;
    Session s;
    ASSERT_TRUE(s.Link(0)) << s.Dump();
    EXPECT_EQ(s.master->CadVersion, 2016) << "VERSION read, not an empty echo" << s.Dump();
    EXPECT_TRUE(s.master->FlagVersionIdentification);
    std::wstring value;
    ASSERT_TRUE(s.acad->acGetSystemVar(L"DWGTITLED", value, 1, false)) << s.Dump();
    EXPECT_EQ(value, L"0") << "never the empty echo of the name";
    ASSERT_TRUE(s.acad->acGetSystemVar(L"FILEDIA", value, 1, false)) << s.Dump();
    EXPECT_EQ(value, L"1");
    ASSERT_TRUE(s.acad->acSetSystemVar(L"FILEDIA", L"0", 1)) << s.Dump();
    EXPECT_EQ(Sysvar(r.state(), "FILEDIA"), "0");
    ASSERT_TRUE(s.acad->acSetSystemVar(L"FILEDIA", L"1", 1)) << s.Dump();
    ASSERT_TRUE(s.acad->LinkFree());

    ASSERT_TRUE(s.Link(1)) << s.Dump();
    std::wstring path;
    ASSERT_TRUE(s.acad->acGetFilePath(path, 1)) << s.Dump();
    EXPECT_EQ(path, r.dir.file(L"plan.dwg"));
    const auto state = r.state();
    EXPECT_EQ(Sysvar(state, "FILEDIA"), "1");
    for (const auto& d : state["drawings"]) EXPECT_EQ(d["commandLine"], "コマンド: ");
    EXPECT_FALSE(s.Has(L"異常が発生しました")) << s.Dump();
    EXPECT_FALSE(s.Has(L"失敗しました")) << s.Dump();
    EXPECT_TRUE(s.acad->LinkFree());
}

}  // namespace
