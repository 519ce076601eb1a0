// The drawing's path, saving through SAVEAS, linking and releasing, and the link's work files,
// against the stand-in ACAD.EXE.
#include <gtest/gtest.h>

#include "common/WorkFolderVer4.h"
#include "sysvar_session.h"

using e2e_test::Running;
using sysvar_test::CommandNames;
using sysvar_test::Session;
using sysvar_test::Sysvar;

namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Sets a file's last write time far back, so a rewrite shows.
void Age(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FILETIME old{0x10000000, 0x01C00000};
    SetFileTime(h, nullptr, nullptr, &old);
    CloseHandle(h);
}

bool Aged(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime.dwHighDateTime == 0x01C00000;
}

void Touch(const std::wstring& path, bool readOnly = false) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    if (readOnly) SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
}

const nlohmann::json& LastCommand(const nlohmann::json& state, const char* name) {
    static const nlohmann::json none;
    const auto& commands = state["commands"];
    for (std::size_t i = commands.size(); i-- > 0;)
        if (commands[i]["name"] == name) return commands[i];
    return none;
}

TEST(AcadFilePath, SavedDrawingGivesItsPathNeverSavedOneTypesNoSaveas) {
    Running r(R"({"documentsFolder": ".", "sysvars": {"FILEDIA": "1"},
      "drawings": [{"path": "plan.dwg"}, {"path": ""}]})");
    ASSERT_TRUE(r.started) << r.error;
    Session s;
    ASSERT_TRUE(s.Link(0)) << s.Dump();
    std::wstring path;
    ASSERT_TRUE(s.acad->acGetFilePath(path, 1)) << s.Dump();
    EXPECT_EQ(path, r.dir.file(L"plan.dwg"));
    auto state = r.state();
    EXPECT_EQ(Sysvar(state, "FILEDIA"), "1");
    EXPECT_EQ(LastCommand(state, "SAVEAS")["end"], "cancelled");
    EXPECT_EQ(state["drawings"][0]["commandLine"], "コマンド: ");
    ASSERT_TRUE(s.acad->LinkFree());

    ASSERT_TRUE(s.Link(1)) << s.Dump();
    const std::size_t before = r.state()["commands"].size();
    EXPECT_FALSE(s.acad->acGetFilePath(path, 1));
    EXPECT_TRUE(path.empty());
    EXPECT_FALSE(s.acad->acSaveAs(L"", L"", 1));
    EXPECT_EQ(s.Count(L"名前の付いていない図面です。"), 2) << s.Dump();
    state = r.state();
    for (const auto& name : CommandNames(state, before)) EXPECT_NE(name, "SAVEAS");
    EXPECT_FALSE(Exists(r.dir.file(L"Drawing1.dwg")));
    EXPECT_EQ(Sysvar(state, "FILEDIA"), "1");
}

class Save : public ::testing::Test {
protected:
    void SetUp() override {
        r = std::make_unique<Running>(R"({"documentsFolder": ".", "sysvars": {"FILEDIA": "1"},
          "drawings": [{"path": "plan.dwg"}]})");
        ASSERT_TRUE(r->started) << r->error;
        s = std::make_unique<Session>();
        ASSERT_TRUE(s->Link()) << s->Dump();
    }
    void TearDown() override {
        s.reset();
        r.reset();
    }
    // FILEDIA back at 1 and AutoCAD at its command prompt.
    void ExpectRestored() {
        auto state = r->state();
        EXPECT_EQ(Sysvar(state, "FILEDIA"), "1");
        EXPECT_EQ(state["drawings"][0]["commandLine"], "コマンド: ");
    }
    std::unique_ptr<Running> r;
    std::unique_ptr<Session> s;
};

TEST_F(Save, InPlaceAnswersTheReplaceQuestion) {
    const std::wstring plan = r->dir.file(L"plan.dwg");
    Age(plan);
    std::wstring proposedPath, proposedFormat;
    ASSERT_TRUE(s->acad->acSaveAs(L"", L"", proposedPath, proposedFormat, 1)) << s->Dump();
    EXPECT_EQ(proposedPath, plan);
    EXPECT_EQ(proposedFormat, L"2018");
    EXPECT_FALSE(Aged(plan));
    auto saveas = LastCommand(r->state(), "SAVEAS");
    EXPECT_EQ(saveas["end"], "done");
    EXPECT_EQ(saveas["answers"].back(), "Y");
    ExpectRestored();
}

TEST_F(Save, UnderAnotherNameAndFormatThenRefusedOption) {
    const std::wstring target = r->dir.file(L"copy.dxf");
    ASSERT_TRUE(s->acad->acSaveAs(target, L"DXF", 1)) << s->Dump();
    EXPECT_TRUE(Exists(target));
    ExpectRestored();
    EXPECT_FALSE(s->acad->acSaveAs(r->dir.file(L"other.dwg"), L"XYZ", 1));
    EXPECT_TRUE(s->Has(L"ファイル保存に失敗しました。オプションが不正である可能性があります")) << s->Dump();
    EXPECT_FALSE(Exists(r->dir.file(L"other.dwg")));
    ExpectRestored();
}

TEST_F(Save, InvalidTargetPathIsReportedFromTheHistory) {
    EXPECT_FALSE(s->acad->acSaveAs(r->dir.file(L"no-such-folder\\x.dwg"), L"", 1));
    EXPECT_TRUE(s->Has(L"ファイル保存に失敗しました。パス名が不正の可能性があります")) << s->Dump();
    ExpectRestored();
}

TEST_F(Save, ReadOnlyTargetRefusedBeforeTheNameIsTyped) {
    const std::wstring locked = r->dir.file(L"locked.dwg");
    Touch(locked, true);
    Age(locked);
    EXPECT_FALSE(s->acad->acSaveAs(locked, L"", 1));
    EXPECT_TRUE(s->Has(L"既存のファイルが読み込み専用ファイルのため上書き保存できません。")) << s->Dump();
    EXPECT_TRUE(Aged(locked));
    EXPECT_EQ(LastCommand(r->state(), "SAVEAS")["end"], "cancelled");
    ExpectRestored();
}

TEST_F(Save, WriteProtectionDialogEndsTheSave) {
    // A relative name: our own check cannot see the file that AutoCAD completes it to.
    Touch(r->dir.file(L"locked.dwg"), true);
    EXPECT_FALSE(s->acad->acSaveAs(L"locked", L"", 1));
    EXPECT_TRUE(s->Has(L"ファイル保存に失敗しました。書込禁止のファイルだったと思われます。")) << s->Dump();
    auto state = r->state();
    ASSERT_FALSE(state["dialogs"].empty());
    EXPECT_NE(state["dialogs"].back()["closedBy"], "");
    ExpectRestored();
}

TEST(AcadSaveReadOnly, CurrentFileReadOnlyRefusedBeforeAnythingIsWritten) {
    Running r(R"({"documentsFolder": ".", "sysvars": {"FILEDIA": "1"},
      "drawings": [{"path": "plan.dwg", "readOnly": true}]})");
    ASSERT_TRUE(r.started) << r.error;
    const std::wstring plan = r.dir.file(L"plan.dwg");
    SetFileAttributesW(plan.c_str(), FILE_ATTRIBUTE_NORMAL);
    Age(plan);
    SetFileAttributesW(plan.c_str(), FILE_ATTRIBUTE_READONLY);
    Session s;
    ASSERT_TRUE(s.Link()) << s.Dump();
    EXPECT_FALSE(s.acad->acSaveAs(L"", L"", 1));
    EXPECT_TRUE(s.Has(L"ファイル保存に失敗しました。現在のファイルが読み込み専用ファイルのため上書き保存できません。")) << s.Dump();
    EXPECT_TRUE(Aged(plan));
    auto state = r.state();
    EXPECT_EQ(LastCommand(state, "SAVEAS")["end"], "cancelled");
    EXPECT_EQ(Sysvar(state, "FILEDIA"), "1");
    EXPECT_EQ(state["drawings"][0]["commandLine"], "コマンド: ");
}

TEST(AcadSaveFiledia, AlreadyZeroIsOnlyReadNeverRestored) {
    Running r(R"({"documentsFolder": ".", "sysvars": {"FILEDIA": "0"}, "drawings": [{"path": "plan.dwg"}]})");
    ASSERT_TRUE(r.started) << r.error;
    Session s;
    ASSERT_TRUE(s.Link()) << s.Dump();
    const std::size_t before = r.state()["commands"].size();
    ASSERT_TRUE(s.acad->acSaveAs(L"", L"", 1)) << s.Dump();
    std::wstring path;
    ASSERT_TRUE(s.acad->acGetFilePath(path, 1));
    EXPECT_EQ(CommandNames(r.state(), before),
              (std::vector<std::string>{"DWGTITLED", "FILEDIA", "SAVEAS", "DWGTITLED", "FILEDIA", "SAVEAS"}));
    EXPECT_FALSE(s.Has(L"システム変数を復元"));
}

TEST(AcadLink, LinkAndReleaseWithTheMainWindowsSettingsAndWorkFiles) {
    Running r(R"({"documentsFolder": ".", "drawings": [{"path": "a.dwg"}, {"path": "b.dwg"}]})");
    ASSERT_TRUE(r.started) << r.error;
    Session s;
    TAcadVer4& a = *s.acad;
    EXPECT_TRUE(a.LinkFree());  // no link: nothing to release, nothing logged
    EXPECT_FALSE(s.Has(L"リンク解放"));

    TDrawWindowListVer4 list;
    ASSERT_TRUE(a.DrawWindowList(list, true, false));
    EXPECT_FALSE(a.HandleLink(nullptr));
    EXPECT_TRUE(s.Has(L"指定したハンドルが無効です"));
    EXPECT_FALSE(a.HandleLink(r.acad->windows().frame));
    EXPECT_TRUE(s.Has(L"指定したハンドルがビューウインドウの子ウインドウではありません"));
    ASSERT_TRUE(a.HandleLink(list.Get(1).Handle)) << s.Dump();
    EXPECT_EQ(a.LinkHandle(), list.Get(1).Handle);
    EXPECT_EQ(a.LinkMode(), 2);
    EXPECT_FALSE(a.HandleLink(list.Get(0).Handle));
    EXPECT_TRUE(s.Has(L"リンク済みです"));

    // Two work files deleted with their .BAK siblings, in creation order; one kept on request.
    std::wstring first, second, kept;
    ASSERT_TRUE(a.UniqueFileCreate(first, L"", L"DXF", true, 1)) << s.Dump();
    ASSERT_TRUE(a.UniqueFileCreate(second, L"", L"DXF", true, 1));
    ASSERT_TRUE(a.UniqueFileCreate(kept, L"Keep", L"TXT", false, 1));
    const std::wstring folder = WorkFolderPath();
    EXPECT_EQ(first, folder + L"\\test_acad_sysvarAcad0001.DXF");
    EXPECT_EQ(second, folder + L"\\test_acad_sysvarAcad0002.DXF");
    EXPECT_EQ(kept, folder + L"\\test_acad_sysvarKeep0001.TXT");
    Touch(folder + L"\\test_acad_sysvarAcad0001.BAK");
    Touch(folder + L"\\test_acad_sysvarAcad0002.BAK");

    const std::size_t before = r.state()["commands"].size();
    ASSERT_TRUE(a.LinkFree()) << s.Dump();
    EXPECT_EQ(a.LinkHandle(), nullptr);
    EXPECT_EQ(a.LinkMode(), 0);
    const int released = s.IndexOf(L"リンク解放");
    const int d1 = s.IndexOf(L"作業ファイルを削除します test_acad_sysvarAcad0001.DXF");
    const int b1 = s.IndexOf(L"作業Bakファイルも削除します test_acad_sysvarAcad0001.BAK");
    const int d2 = s.IndexOf(L"作業ファイルを削除します test_acad_sysvarAcad0002.DXF");
    const int done = s.IndexOf(L"解放完了");
    EXPECT_TRUE(released >= 0 && released < d1 && d1 < b1 && b1 < d2 && d2 < done) << s.Dump();
    for (const auto& p : {first, second, folder + L"\\test_acad_sysvarAcad0001.BAK",
                          folder + L"\\test_acad_sysvarAcad0002.BAK"})
        EXPECT_FALSE(Exists(p));
    EXPECT_TRUE(Exists(kept));
    DeleteFileW(kept.c_str());
    // Neither saved nor closed.
    auto state = r.state();
    EXPECT_TRUE(CommandNames(state, before).empty());
    EXPECT_TRUE(state["drawings"][0]["open"].get<bool>() && state["drawings"][1]["open"].get<bool>());

    ASSERT_TRUE(a.ActiveLink()) << s.Dump();
    EXPECT_EQ(a.LinkMode(), 1);
    EXPECT_TRUE(s.Has(L"アクティブ図面にリンク"));
    HWND active = nullptr;
    ASSERT_TRUE(a.GetActiveHandle(active, true, false));
    EXPECT_EQ(a.LinkHandle(), active);

    // A work file of a link that is never released goes with the component.
    std::wstring orphan;
    ASSERT_TRUE(a.UniqueFileCreate(orphan, L"", L"DXF", true, 1));
    s.acad.reset();
    EXPECT_FALSE(Exists(orphan));
}

}  // namespace

namespace {

// The same steps on releases that word their prompts differently: an ANSI frame with half-width
// katakana, a 2011 known by its title, a release identified only by ACADVER.
TEST(AcrossReleases, ReadSetRestorePathAndSaveInPlace) {
    const char* releases[] = {
        R"({"year": 2002})",
        R"({"year": 2011, "title": "AutoCAD 2011"})",
        R"({"year": 2008})",
    };
    for (const char* release : releases) {
        SCOPED_TRACE(release);
        Running r(std::string(R"({"release": )") + release +
                  R"(, "documentsFolder": ".", "sysvars": {"FILEDIA": "1", "CMDECHO": "1"},
                     "drawings": [{"path": "図面1.dwg"}]})");
        ASSERT_TRUE(r.started) << r.error;
        Session s;
        ASSERT_TRUE(s.Link()) << s.Dump();
        TAcadVer4& a = *s.acad;
        std::wstring value;
        EXPECT_TRUE(a.acGetSystemVar(L"FILEDIA", value, 1, false)) << s.Dump();
        EXPECT_EQ(value, L"1");
        EXPECT_TRUE(a.acGetSystemVar(L"DWGNAME", value, 1, false)) << s.Dump();
        EXPECT_EQ(value, L"図面1.dwg");

        TCadBackUpListVer4 backup;
        ASSERT_TRUE(a.acSetSystemVar(L"FILEDIA", L"0", backup, 1)) << s.Dump();
        ASSERT_TRUE(a.acSetSystemVar(L"CMDECHO", L"0", backup, 1));
        EXPECT_EQ(Sysvar(r.state(), "CMDECHO"), "0");
        EXPECT_TRUE(a.acUndoSystemVar(backup, 1));
        EXPECT_EQ(Sysvar(r.state(), "FILEDIA"), "1");
        EXPECT_EQ(Sysvar(r.state(), "CMDECHO"), "1");

        std::wstring path;
        ASSERT_TRUE(a.acGetFilePath(path, 1)) << s.Dump();
        EXPECT_EQ(path, r.dir.file(L"図面1.dwg"));
        const std::wstring plan = r.dir.file(L"図面1.dwg");
        Age(plan);
        ASSERT_TRUE(a.acSaveAs(L"", L"", 1)) << s.Dump();
        EXPECT_FALSE(Aged(plan));
        const auto state = r.state();
        EXPECT_EQ(Sysvar(state, "FILEDIA"), "1");
        EXPECT_EQ(LastCommand(state, "SAVEAS")["end"], "done");
        EXPECT_FALSE(s.Has(L"■■エラー■■")) << s.Dump();
        EXPECT_TRUE(a.LinkFree());
    }
}

}  // namespace

namespace {

TEST(AcadLinkGone, ALinkWhoseDrawingClosedIsReleasedWithItsWorkFiles) {
    Running r(R"({"documentsFolder": ".", "drawings": [{"path": "a.dwg"}, {"path": "b.dwg"}]})");
    ASSERT_TRUE(r.started) << r.error;
    Session s;
    ASSERT_TRUE(s.Link(0)) << s.Dump();
    std::wstring work;
    ASSERT_TRUE(s.acad->UniqueFileCreate(work, L"", L"DXF", true, 1));
    ASSERT_TRUE(r.acad->send(L"_CLOSE\r"));
    ASSERT_TRUE(e2e::waitUntil([&] { return !IsWindow(s.acad->LinkHandle()); }, 5000));
    std::wstring value;
    EXPECT_FALSE(s.acad->acGetSystemVar(L"FILEDIA", value, 1, false));
    EXPECT_TRUE(s.Has(L"ハンドルが存在しません")) << s.Dump();
    EXPECT_EQ(s.acad->LinkHandle(), nullptr);
    EXPECT_EQ(s.acad->LinkMode(), 0);
    EXPECT_FALSE(Exists(work));
    EXPECT_TRUE(s.acad->UniqueFiles().empty());
}

}  // namespace
