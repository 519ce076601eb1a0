// The end-to-end driver against the stand-in: temp folders, the process guard, windows found by
// caption, the state file, and a screenshot of three drawings tiled by hand.
#include "StandInFixture.h"

#include "e2e/driver/Profile.h"
#include "e2e/driver/Screenshot.h"
#include "e2e/driver/Sheetbay.h"

namespace {

std::string exampleScenario(const char* name) {
    std::string text;
    EXPECT_TRUE(e2e::readTextFile(e2e::toWindowsPath(e2e::fromUtf8(ACADSIM_EXAMPLES)) + L"\\" + e2e::fromUtf8(name), text));
    return text;
}

TEST(E2eDriver, TempDirIsUniqueAndRemovedWithReadOnlyFiles) {
    std::wstring path;
    {
        e2e::TempDir a(L"drv"), b(L"drv");
        ASSERT_TRUE(a.valid() && b.valid());
        EXPECT_NE(a.path(), b.path());
        path = a.path();
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH, temp);
        EXPECT_EQ(path.rfind(temp, 0), 0u);
        CreateDirectoryW(a.file(L"sub").c_str(), nullptr);
        ASSERT_TRUE(e2e::writeTextFile(a.file(L"sub\\ro.txt"), "x"));
        SetFileAttributesW(a.file(L"sub\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    }
    EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(E2eDriver, ProcessGuardClosesPolitelyOrTerminates) {
    e2e::TempDir dir(L"drv");
    {
        e2e::StandIn acad(e2e_test::acadExe(), dir.path());
        std::wstring error;
        ASSERT_TRUE(acad.start(R"({"drawings": [{"path": "a.dwg"}]})", error)) << e2e::toUtf8(error);
        HANDLE h = acad.process().handle();
        HANDLE copy = nullptr;
        ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), h, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS));
        SetWindowPos(acad.windows().frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        EXPECT_EQ(e2e::mainWindowOf(acad.pid()), acad.windows().frame);
        EXPECT_TRUE(acad.stop());  // WM_CLOSE was enough
        DWORD code = 99;
        GetExitCodeProcess(copy, &code);
        EXPECT_EQ(code, 0u);
        CloseHandle(copy);
    }
    // A modified drawing makes the close ask whether to save: the guard terminates at its deadline.
    e2e::StandIn acad(e2e_test::acadExe(), dir.path());
    std::wstring error;
    ASSERT_TRUE(acad.start(R"({"drawings": [{"path": "b.dwg", "modified": true}]})", error)) << e2e::toUtf8(error);
    DWORD start = GetTickCount();
    EXPECT_FALSE(acad.process().stop(500));
    EXPECT_GE(GetTickCount() - start, 500u);
    EXPECT_FALSE(acad.process().running());
}

TEST(E2eDriver, StateFileFollowsEveryCommand) {
    e2e_test::Running r(R"({"drawings": [{"path": "a.dwg"}]})");
    ASSERT_TRUE(r.started) << r.error;
    auto first = r.state();
    ASSERT_TRUE(first.is_object());
    std::vector<std::wstring> added;
    ASSERT_TRUE(r.acad->run(L"_Zoom\rC\r1,2\r3\r", added));
    auto after = r.state();
    EXPECT_GT(after["sequence"].get<int>(), first["sequence"].get<int>());
    EXPECT_EQ(after["drawings"][0]["tabs"][0]["center"], nlohmann::json::array({1.0, 2.0}));
    EXPECT_EQ(after["commands"].back()["name"], "ZOOM");
    EXPECT_EQ(after["commands"].back()["answers"], nlohmann::json::array({"C", "1,2", "3"}));
    EXPECT_EQ(after["received"], 1);

    // A reader that holds the file without delete sharing delays the update; it is not lost.
    // (run() waits on the state file, so the answer is awaited on the history here.)
    HANDLE held = CreateFileW(r.acad->statePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(r.acad->send(L"VIEWSIZE\r"));
    ASSERT_TRUE(e2e::waitUntil([&] { return r.acad->history().find(L"VIEWSIZE = ") != std::wstring::npos; }, 5000));
    std::string stale;
    EXPECT_TRUE(e2e::readTextFile(r.acad->statePath(), stale));
    EXPECT_EQ(nlohmann::json::parse(stale)["commands"].size(), 1u);  // the rename is blocked meanwhile
    CloseHandle(held);
    ASSERT_TRUE(e2e::waitUntil([&] { return r.state()["commands"].size() == 2; }, 3000));
    EXPECT_GT(r.state()["sequence"].get<int>(), after["sequence"].get<int>());
}

// The input is typed after the send has returned: the waits must not take the unchanged old
// command line, nor the prompt between two commands sent together, for the answer.
TEST(E2eDriver, WaitsTakeTheAnswerNotTheUnchangedPrompt) {
    e2e_test::Running r(R"({"latency": {"commandMs": 300, "jitterMs": 0}, "drawings": [{"path": "a.dwg"}]})");
    ASSERT_TRUE(r.started) << r.error;
    ASSERT_TRUE(r.acad->send(L"VIEWSIZE\r"));
    ASSERT_TRUE(r.acad->waitCommandLine(L"コマンド: "));
    EXPECT_NE(r.acad->history().find(L"VIEWSIZE = "), std::wstring::npos);
    std::vector<std::wstring> added;
    ASSERT_TRUE(r.acad->run(L"DWGTITLED\rVIEWCTR\r", added));
    ASSERT_FALSE(added.empty());
    EXPECT_EQ(added.back().rfind(L"VIEWCTR = ", 0), 0u) << e2e::toUtf8(added.back());
    EXPECT_EQ(r.state()["pending"], 0);
}

// SHEETBAY_E2E_PROFILE for one test, restored afterwards.
class ScopedProfile {
public:
    explicit ScopedProfile(const wchar_t* value) {
        wchar_t old[64] = {};
        DWORD n = GetEnvironmentVariableW(kName, old, 64);
        had_ = n > 0 && n < 64;
        if (had_) old_ = old;
        SetEnvironmentVariableW(kName, value);
    }
    ~ScopedProfile() { SetEnvironmentVariableW(kName, had_ ? old_.c_str() : nullptr); }

private:
    static constexpr const wchar_t* kName = L"SHEETBAY_E2E_PROFILE";
    bool had_ = false;
    std::wstring old_;
};

TEST(E2eDriver, SlowProfileAddsOnlyWhatTheScenarioLeavesOut) {
    using nlohmann::json;
    const json slowBusy = json::array({{{"run", 3}, {"ms", 5000}, {"times", 1}}});
    struct Case {
        const char* scenario;
        json latency, busy;
    } cases[] = {
        {R"({"drawings": []})", {{"commandMs", 400}, {"jitterMs", 100}, {"activationMs", 300}, {"seed", 7}}, slowBusy},
        {R"({"latency": {"commandMs": 0, "seed": 3}, "busy": [], "drawings": []})",
         {{"commandMs", 0}, {"jitterMs", 100}, {"activationMs", 300}, {"seed", 3}}, json::array()},
    };
    for (const auto& c : cases) {
        json merged = json::parse(e2e::withSlowProfile(c.scenario));
        EXPECT_EQ(merged["latency"], c.latency) << c.scenario;
        EXPECT_EQ(merged["busy"], c.busy) << c.scenario;
        EXPECT_EQ(merged["drawings"], json::array()) << c.scenario;
    }
    EXPECT_EQ(e2e::withSlowProfile("not json"), "not json");  // the stand-in's to refuse
    EXPECT_EQ(e2e::withSlowProfile("[1]"), "[1]");
    {
        ScopedProfile slow(L"slow");
        EXPECT_TRUE(e2e::slowProfile());
        EXPECT_GT(e2e::deadline(1000), 6000u);  // one busy period more than the wait itself
    }
    ScopedProfile other(L"fast");
    EXPECT_FALSE(e2e::slowProfile());
    EXPECT_EQ(e2e::deadline(1000), 1000u);
}

TEST(E2eDriver, SlowProfileReachesTheStandInAndRunWaitsItOut) {
    ScopedProfile slow(L"slow");
    e2e_test::Running r(R"({"drawings": [{"path": "a.dwg"}]})");
    ASSERT_TRUE(r.started) << r.error;
    struct Step {
        const wchar_t* typed;
        const wchar_t* answer;
        DWORD atLeastMs;
    } steps[] = {
        {L"DWGTITLED\r", L"DWGTITLED = ", 400},
        {L"VIEWSIZE\r", L"VIEWSIZE = ", 400},
        {L"VIEWCTR\r", L"VIEWCTR = ", 5400},  // the third command: busy for 5 s, then the latency
    };
    for (const auto& s : steps) {
        std::vector<std::wstring> added;
        DWORD start = GetTickCount();
        ASSERT_TRUE(r.acad->run(s.typed, added)) << e2e::toUtf8(s.typed);  // the default timeout, widened
        EXPECT_GE(GetTickCount() - start, s.atLeastMs) << e2e::toUtf8(s.typed);
        ASSERT_FALSE(added.empty());
        EXPECT_EQ(added.back().rfind(s.answer, 0), 0u) << e2e::toUtf8(added.back());
    }
}

TEST(E2eDriver, SheetbayButtonsRunsAndLogAcrossProcesses) {
    e2e::TempDir dir(L"drv");
    e2e::Sheetbay app;
    std::wstring error;
    ASSERT_TRUE(app.start(e2e::fromUtf8(FAKE_SHEETBAY_EXE), {}, dir.path(), error)) << e2e::toUtf8(error);
    EXPECT_FALSE(e2e::isEnabled(app.control(L"中断")));
    DWORD start = GetTickCount();
    ASSERT_TRUE(app.runButton(L"横2列に並べる", 5000));
    EXPECT_GE(GetTickCount() - start, 500u);  // waited for the run, not just the click
    std::vector<std::wstring> lines;
    ASSERT_TRUE(app.logLines(lines));
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"横2列に並べるを実行", L"整列が完了しました"}));
    EXPECT_FALSE(app.runButton(L"どこにもないボタン", 100));
    EXPECT_TRUE(app.stop());
}

TEST(E2eDriver, ThreeDrawingsTiledByHandScreenshot) {
    e2e::TempDir dir(L"shot");
    e2e::StandIn acad(e2e_test::acadExe(), dir.path());
    std::wstring error;
    ASSERT_TRUE(acad.start(exampleScenario("three-drawings.json"), error)) << e2e::toUtf8(error);
    HWND client = acad.windows().mdiClient;
    std::vector<std::wstring> titles = {L"1階平面図.dwg", L"2階平面図.dwg", L"配置図.dwg"};
    RECT rc;
    GetClientRect(client, &rc);
    int width = rc.right / 3;
    for (size_t i = 0; i < titles.size(); ++i) {
        HWND child = e2e::findChildByCaption(client, titles[i]);
        ASSERT_NE(child, nullptr) << e2e::toUtf8(titles[i]);
        MoveWindow(child, static_cast<int>(i) * width, 0, width - 1, rc.bottom, TRUE);
    }
    // Each drawing zoomed to its extents in its new window; the first one on a paper layout.
    std::vector<std::wstring> added;
    for (size_t i = titles.size(); i-- > 0;) {
        HWND child = e2e::findChildByCaption(client, titles[i]);
        SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
        ASSERT_TRUE(e2e::waitUntil([&] { return e2e::windowText(acad.windows().text).find(titles[i]) != std::wstring::npos; }, 3000));
        if (i == 0) ASSERT_TRUE(acad.run(L"_-LAYOUT\rS\rA3 平面図\r", added));
        ASSERT_TRUE(acad.run(L"_Zoom\rE\r", added));
    }
    acad.send(L"_-LAYOUT\r?\r");
    ASSERT_TRUE(e2e::waitUntil([&] { return acad.commandLine().rfind(L"レイアウト オプションを入力", 0) == 0; }, 5000));
    for (HWND child : acad.drawingWindows()) {
        RECT r;
        GetWindowRect(child, &r);
        EXPECT_NEAR(r.right - r.left, width - 1, 1);
    }
    // Two round trips through the stand-in's queue: everything before them has been painted.
    DWORD_PTR result = 0;
    for (int i = 0; i < 2; ++i)
        SendMessageTimeoutW(acad.windows().frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &result);
    std::wstring out = e2e_test::outFolder();
    CreateDirectoryW(out.c_str(), nullptr);
    std::wstring bmp = out + L"\\three-drawings.bmp";
    ASSERT_TRUE(e2e::screenshot(bmp));
    std::string bytes;
    ASSERT_TRUE(e2e::readTextFile(bmp, bytes));
    ASSERT_GT(bytes.size(), 54u);
    const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data() + sizeof(BITMAPFILEHEADER));
    EXPECT_EQ(info->biWidth, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(info->biHeight, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    // Not one flat colour: windows were drawn.
    std::string pixels = bytes.substr(54);
    EXPECT_NE(pixels.find_first_not_of(pixels[0]), std::string::npos);
    std::wstring demo = e2e::toWindowsPath(e2e::fromUtf8(DEMO_OUT));
    CreateDirectoryW(demo.c_str(), nullptr);
    EXPECT_TRUE(acad.stop());
}

}  // namespace
