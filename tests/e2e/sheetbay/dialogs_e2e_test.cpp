// Save all against an AutoCAD that raises dialogs in the middle of a command, and one that is busy
// while the user presses Stop: every run ends, FILEDIA is as found, nothing is left half-answered.
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "e2e/sheetbay/ArrangeFixture.h"

namespace {

// A dialog the watcher closes with OK (the command goes on) and one it closes (the command ends).
constexpr char kFontDialog[] =
    R"("title": "文字スタイルに使用するフォントを指定", "body": ["フォントが見つかりません。"], "buttons": [{"text": "OK", "id": 1}, {"text": "キャンセル", "id": 2}])";
constexpr char kPageSetupDialog[] =
    R"("title": "ページ設定 - モデル", "body": ["ページ設定を変更します。"], "buttons": [{"text": "OK", "id": 1}, {"text": "キャンセル", "id": 2}])";

const std::vector<std::wstring> kNames{L"one.dwg", L"two.dwg", L"three.dwg"};

class DialogsE2E : public e2e::ArrangeFixture {
protected:
    void Start(const std::string& extra) {
        ASSERT_NO_FATAL_FAILURE(StartBoth(e2e::DrawingsScenario({"one.dwg", "two.dwg", "three.dwg"}, extra)));
        for (const auto& name : kNames) ASSERT_NO_FATAL_FAILURE(Age(name));
    }
    nlohmann::json State() {
        std::string text;
        if (!acad.readState(text)) return nlohmann::json::object();
        return nlohmann::json::parse(text, nullptr, false);
    }
    // FILEDIA as the scenario had it, every drawing back at its command prompt, every dialog closed.
    void ExpectAutoCadAsFound() {
        const nlohmann::json state = State();
        ASSERT_TRUE(state.is_object());
        EXPECT_EQ(state["sysvars"].value("FILEDIA", ""), "1");
        for (const auto& d : state["drawings"])
            EXPECT_EQ(d.value("commandLine", ""), "コマンド: ") << d.value("title", "");
        for (const auto& dialog : state["dialogs"]) EXPECT_NE(dialog.value("closedBy", ""), "") << dialog.dump();
    }
};

// A dialog during SAVEAS hits each drawing in turn; the watcher closes it with OK (the save goes
// on) or closes it outright (that drawing's save ends and is reported).
struct HitCase {
    int hit;
    const char* dialog;
    bool hitSaved;
};

class DialogDuringSaveAs : public DialogsE2E, public ::testing::WithParamInterface<HitCase> {};

TEST_P(DialogDuringSaveAs, OnlyTheHitDrawingMayGoUnsavedAndTheRunEnds) {
    const HitCase c = GetParam();
    const std::string extra = R"("dialogs": [{"id": "mid", "trigger": "command", "command": "SAVEAS", "drawing": )" +
                              std::to_string(c.hit) + R"(, "times": 1, )" + c.dialog + "}]";
    ASSERT_NO_FATAL_FAILURE(Start(extra));
    ASSERT_TRUE(app.run(L"全図面を上書き保存", 300000)) << "the run ends";
    for (int i = 0; i < 3; ++i) {
        const bool expected = i != c.hit || c.hitSaved;
        EXPECT_EQ(Rewritten(kNames[static_cast<size_t>(i)]), expected) << e2e::toUtf8(kNames[static_cast<size_t>(i)]);
    }
    if (!c.hitSaved) {
        EXPECT_TRUE(app.logHas(L"■■エラー■■")) << "the drawing not saved is reported";
        problemsExpected = true;
    }
    ASSERT_NO_FATAL_FAILURE(ExpectAutoCadAsFound());
    EXPECT_EQ(State()["dialogs"].size(), 1u) << "raised once, on the chosen drawing";
}

INSTANTIATE_TEST_SUITE_P(EachDrawing, DialogDuringSaveAs,
                         ::testing::Values(HitCase{0, kFontDialog, true}, HitCase{1, kPageSetupDialog, false},
                                           HitCase{2, kFontDialog, true}));

// A dialog while FILEDIA is being read and set: the variable's prompt comes after it, all are saved.
TEST_F(DialogsE2E, DialogDuringAVariableRead) {
    ASSERT_NO_FATAL_FAILURE(Start(std::string(R"("dialogs": [{"id": "var", "trigger": "command", "command": "FILEDIA", "drawing": 1, "times": 1, )") +
                                  kFontDialog + "}]"));
    ASSERT_TRUE(app.run(L"全図面を上書き保存", 300000));
    for (const auto& name : kNames) EXPECT_TRUE(Rewritten(name)) << e2e::toUtf8(name);
    ASSERT_NO_FATAL_FAILURE(ExpectAutoCadAsFound());
}

// Stop while AutoCAD regenerates: Sheetbay's window keeps answering, and once AutoCAD answers
// again the run winds down with FILEDIA put back.
TEST_F(DialogsE2E, StopDuringABusyPeriod) {
    ASSERT_NO_FATAL_FAILURE(Start(R"("busy": [{"command": "SAVEAS", "ms": 8000, "times": 1}])"));
    ASSERT_TRUE(app.startRun(L"全図面を上書き保存"));
    // Busy: AutoCAD's frame no longer answers.
    auto answers = [](HWND h, UINT ms) {
        DWORD_PTR r = 0;
        return SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_NORMAL, ms, &r) != 0;
    };
    ASSERT_TRUE(e2e::waitUntil([&] { return !answers(acad.windows().frame, 200); }, 120000)) << "the busy period came";
    const DWORD busySince = GetTickCount();
    ASSERT_TRUE(e2e::click(app.control(L"中断")));
    int slowAnswers = 0;
    while (!answers(acad.windows().frame, 200) && GetTickCount() - busySince < 20000) {
        const DWORD start = GetTickCount();
        if (!answers(app.window(), 1000) || GetTickCount() - start > 1000) ++slowAnswers;
        e2e::waitUntil([] { return false; }, 100);
    }
    EXPECT_EQ(slowAnswers, 0) << "Sheetbay's window answered within a second throughout";
    const DWORD answeredAgain = GetTickCount();
    ASSERT_TRUE(app.waitIdle(60000));
    EXPECT_LT(GetTickCount() - answeredAgain, 30000u) << "the run ends soon after AutoCAD answers again";
    EXPECT_TRUE(app.logHas(L"中断を受け付けました"));
    problemsExpected = true;  // the steps after Stop fail, as they should
    ASSERT_NO_FATAL_FAILURE(ExpectAutoCadAsFound());
}

}  // namespace
