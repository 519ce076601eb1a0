// Save all in place and restore windows, against the stand-in: files on disk and window states.
#include <string>
#include <vector>

#include "e2e/sheetbay/ArrangeFixture.h"

namespace {

using SaveRestoreE2E = e2e::ArrangeFixture;

std::string Scenario(const std::string& drawings) {
    return R"({"frame": {"x": 0, "y": 0, "width": 1100, "height": 800}, "drawings": [)" + drawings + "]}";
}

TEST_F(SaveRestoreE2E, SavesEachDrawingInPlaceAndSkipsTheReadOnlyOne) {
    ASSERT_NO_FATAL_FAILURE(StartBoth(Scenario(
        R"({"path": "one.dwg"}, {"path": "locked.dwg", "readOnly": true}, {"path": "three.dwg"})")));
    for (const wchar_t* name : {L"one.dwg", L"locked.dwg", L"three.dwg"}) ASSERT_NO_FATAL_FAILURE(Age(name));
    ASSERT_TRUE(app.run(L"全図面を上書き保存", 120000));
    EXPECT_TRUE(Rewritten(L"one.dwg"));
    EXPECT_TRUE(Rewritten(L"three.dwg"));
    EXPECT_FALSE(Rewritten(L"locked.dwg"));
    EXPECT_TRUE(app.logHas(L"ファイル保存に失敗しました。現在のファイルが読み込み専用ファイルのため上書き保存できません。"));
    problemsExpected = true;
    EXPECT_TRUE(e2e::isEnabled(app.control(L"全図面を上書き保存")));
}

TEST_F(SaveRestoreE2E, MinimisedDrawingsAreSkippedOrRestoredAsChecked) {
    ASSERT_NO_FATAL_FAILURE(StartBoth(Scenario(R"({"path": "open.dwg"}, {"path": "small.dwg", "minimized": true})")));
    HWND small = Drawing(L"small.dwg");
    ASSERT_TRUE(IsIconic(small));
    for (const wchar_t* name : {L"open.dwg", L"small.dwg"}) ASSERT_NO_FATAL_FAILURE(Age(name));

    ASSERT_TRUE(app.run(L"全図面を上書き保存", 120000));
    EXPECT_TRUE(app.logHas(L"small.dwgは最小化しているため無視します"));
    EXPECT_TRUE(IsIconic(small));
    EXPECT_FALSE(Rewritten(L"small.dwg"));
    EXPECT_TRUE(Rewritten(L"open.dwg"));

    Check(L"最小化していてるなら戻す", true, L"現在開いている全ての図面へのファイル操作");
    ASSERT_TRUE(app.run(L"全図面を上書き保存", 120000));
    EXPECT_FALSE(IsIconic(small));
    EXPECT_TRUE(Rewritten(L"small.dwg"));
}

TEST_F(SaveRestoreE2E, ANeverSavedDrawingIsNotSavedUnderADefaultName) {
    ASSERT_NO_FATAL_FAILURE(StartBoth(Scenario(R"({"path": ""}, {"path": "named.dwg"})")));
    ASSERT_NO_FATAL_FAILURE(Age(L"named.dwg"));
    ASSERT_TRUE(app.run(L"全図面を上書き保存", 120000));
    EXPECT_TRUE(app.logHas(L"名前の付いていない図面です。"));
    problemsExpected = true;
    EXPECT_TRUE(Rewritten(L"named.dwg"));
    EXPECT_FALSE(e2e::fileExists(dir.file(L"Drawing1.dwg")));
    EXPECT_EQ(SaveAsCount(), 1) << "nothing typed for the unnamed drawing";
}

TEST_F(SaveRestoreE2E, RestoreLeavesEveryWindowNormal) {
    ASSERT_NO_FATAL_FAILURE(StartBoth(Scenario(
        R"({"path": "big.dwg", "maximized": true}, {"path": "plain.dwg"}, {"path": "tiny.dwg", "minimized": true})")));
    HWND big = Drawing(L"big.dwg");
    // Maximised, then minimised: restoring it once would bring it back maximised.
    ShowWindow(big, SW_MINIMIZE);
    ASSERT_TRUE(e2e::waitUntil([&] { return IsIconic(big) != 0; }, 3000));
    ASSERT_TRUE(app.run(L"全図面の最小化･最大化を解除"));
    for (const wchar_t* title : {L"big.dwg", L"plain.dwg", L"tiny.dwg"}) {
        HWND h = Drawing(title);
        EXPECT_FALSE(IsIconic(h)) << e2e::toUtf8(title);
        EXPECT_FALSE(IsZoomed(h)) << e2e::toUtf8(title);
    }
    EXPECT_TRUE(app.logHas(L"最小化･最大化状態の解除"));
}

}  // namespace
