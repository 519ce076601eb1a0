// When the stand-in answers: the seeded latency, and which command starts the busy periods, the
// hang and the command dialogs apply to.
#include <algorithm>
#include <vector>

#include "Fixture.h"
#include "Timing.h"

using namespace acadsim;

TEST(AcadsimLatency, SeededDrawsStayInTheirBoundsAndRepeat) {
    struct Case {
        Latency latency;
    } cases[] = {{{30, 120, 40, 1}}, {{0, 0, 0, 1}}, {{100, 0, 250, 9}}, {{5, 3, 7, 42}}};
    for (const auto& c : cases) {
        const Latency& l = c.latency;
        LatencyDraw a(l), b(l);
        std::vector<int> commands, activations;
        for (int i = 0; i < 400; ++i) {
            int cmd = a.command(), act = a.activation();
            ASSERT_EQ(cmd, b.command()) << "seed " << l.seed;  // the same seed, the same run
            ASSERT_EQ(act, b.activation());
            commands.push_back(cmd);
            activations.push_back(act);
        }
        for (const auto& [draws, base] : {std::pair{commands, l.commandMs}, std::pair{activations, l.activationMs}}) {
            auto [lo, hi] = std::minmax_element(draws.begin(), draws.end());
            EXPECT_GE(*lo, base);
            EXPECT_LE(*hi, base + l.jitterMs);
            // The whole jitter range is used, not a part of it.
            EXPECT_LE(*lo, base + l.jitterMs / 10);
            EXPECT_GE(*hi, base + l.jitterMs - l.jitterMs / 10);
        }
    }
    LatencyDraw one({30, 120, 40, 1}), two({30, 120, 40, 2});
    int differ = 0;
    for (int i = 0; i < 20; ++i) differ += one.command() != two.command();
    EXPECT_GT(differ, 10);
}

TEST(AcadsimPlans, CommandMatchTable) {
    struct Case {
        CommandMatch match;
        CommandStep step;
        bool matches;
    } cases[] = {
        {{L"", 0, -1}, {L"ZOOM", 0, 1, 1, 0}, true},
        {{L"SAVEAS", 0, -1}, {L"SAVEAS", 1, 4, 9, 0}, true},
        {{L"SAVEAS", 0, -1}, {L"ZOOM", 0, 1, 1, 0}, false},
        {{L"SAVEAS", 2, -1}, {L"SAVEAS", 0, 2, 7, 0}, true},   // its own starts count
        {{L"SAVEAS", 2, -1}, {L"SAVEAS", 0, 1, 2, 0}, false},
        {{L"", 3, -1}, {L"ZOOM", 0, 1, 3, 0}, true},          // any command: all starts count
        {{L"", 3, -1}, {L"ZOOM", 0, 3, 2, 0}, false},
        {{L"", 0, 1}, {L"ZOOM", 1, 1, 1, 0}, true},
        {{L"ZOOM", 0, 1}, {L"ZOOM", 0, 1, 1, 0}, false},
        {{L"ZOOM", 1, 0}, {L"ZOOM", 0, 1, 1, 0}, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(matches(c.match, c.step), c.matches)
            << toUtf8(c.match.command) << " run " << c.match.run << " drawing " << c.match.drawing << " vs "
            << toUtf8(c.step.command) << " run " << c.step.run << "/" << c.step.anyRun << " drawing " << c.step.drawing;
}

TEST(AcadsimPlans, BusyAndHangAreUsedUpAndKeepTheirPlace) {
    Scenario sc;
    sc.busy = {{{L"SAVEAS", 0, -1}, 500, 1}, {{L"", 0, -1}, 70, 2}};
    sc.hang = {{L"ZOOM", 0, -1}, 2, 900, 1};
    Schedule s(sc);
    const CommandStep saveas{L"SAVEAS", 0, 1, 1, 0}, zoom{L"ZOOM", 0, 1, 2, 0};
    CommandStep answer = zoom;
    answer.answer = 1;
    EXPECT_EQ(s.busyBefore(answer), 0);   // busy only when a command starts
    EXPECT_EQ(s.busyBefore(saveas), 500);  // the first plan that matches
    EXPECT_EQ(s.busyBefore(saveas), 70);   // used up: the next one
    EXPECT_EQ(s.busyBefore(zoom), 70);
    EXPECT_EQ(s.busyBefore(zoom), 0);
    EXPECT_EQ(s.hangAfter(zoom), 0);       // atAnswer 2: neither the start
    EXPECT_EQ(s.hangAfter(answer), 0);     // nor the first answer
    answer.answer = 2;
    EXPECT_EQ(s.hangAfter(answer), 900);
    EXPECT_EQ(s.hangAfter(answer), 0);     // times 1
}

struct AcadsimSteps : acadsim_test::SessionFixture {
    void SetUp() override { start(acadsim_test::kTwoDrawings); }
};

TEST_F(AcadsimSteps, EnterStepNamesTheCommandItsRunAndItsAnswer) {
    ASSERT_FALSE(s->enterStep(L'\r'));  // nothing typed, nothing to repeat
    type(L"_viewsize");
    auto st = s->enterStep(L'\r');
    ASSERT_TRUE(st);
    EXPECT_EQ(st->command, L"VIEWSIZE");
    EXPECT_EQ(st->run, 1);
    EXPECT_EQ(st->anyRun, 1);
    EXPECT_EQ(st->answer, 0);
    EXPECT_FALSE(s->enterStep(L'x'));
    type(L"\r_-LAYOUT\r");
    st = s->enterStep(L' ');  // a blank is Enter at a keyword prompt
    ASSERT_TRUE(st);
    EXPECT_EQ(st->command, L"LAYOUT");
    EXPECT_EQ(st->answer, 1);
    EXPECT_EQ(st->anyRun, 2);
    type(L"S\r");
    st = s->enterStep(L'\r');
    ASSERT_TRUE(st);
    EXPECT_EQ(st->answer, 2);
    EXPECT_FALSE(s->enterStep(L' '));  // at a name prompt a blank is a character
    type(L"Plan B\r\r");  // Enter at the empty prompt repeats -LAYOUT: its second start
    st = s->enterStep(L'\x03');
    EXPECT_FALSE(st);
    type(L"\x03");
    st = s->enterStep(L'\r');
    ASSERT_TRUE(st);
    EXPECT_EQ(st->command, L"LAYOUT");
    EXPECT_EQ(st->run, 3);
    EXPECT_EQ(st->anyRun, 4);
}

TEST(AcadsimPlans, CommandDialogsOnARunOrADrawing) {
    struct Case {
        const char* plan;
        const wchar_t* typed[6];  // "1"/"0": make that drawing current
        bool raised[6];
    } cases[] = {
        {R"("command": "VIEWSIZE")", {L"VIEWSIZE\r", L"VIEWSIZE\r", L"VIEWSIZE\r"}, {true, true, true}},
        {R"("command": "VIEWSIZE", "run": 2)", {L"VIEWSIZE\r", L"VIEWCTR\r", L"VIEWSIZE\r", L"VIEWSIZE\r"},
         {false, false, true, false}},
        {R"("command": "VIEWSIZE", "drawing": 1)", {L"VIEWSIZE\r", L"1", L"VIEWSIZE\r", L"0", L"VIEWSIZE\r"},
         {false, false, true, false, false}},
        {R"("command": "VIEWSIZE", "drawing": 1, "run": 2)", {L"1", L"VIEWSIZE\r", L"0", L"VIEWSIZE\r", L"1", L"VIEWSIZE\r"},
         {false, false, false, false, false, false}},  // the second run was on drawing 0
        {R"("command": "_-LAYOUT", "run": 1)", {L"-LAYOUT\r"}, {true}},
    };
    for (const auto& c : cases) {
        acadsim_test::MemoryFiles fs;
        std::string json = std::string(R"({"drawings": [{"path": "C:\\work\\a.dwg"}, {"path": ""}],
          "dialogs": [{"trigger": "command", "title": "x", "times": 10, )") + c.plan + "}]}";
        Session s(acadsim_test::scenarioFrom(json), fs);
        for (size_t i = 0; i < 6 && c.typed[i]; ++i) {
            std::wstring t = c.typed[i];
            if (t == L"0" || t == L"1") {
                s.setCurrent(t == L"1" ? 1 : 0);
                continue;
            }
            s.input(t);
            auto r = s.takeDialogRequest();
            EXPECT_EQ(r.has_value(), c.raised[i]) << c.plan << " step " << i;
            if (r) s.dialogClosed(r->serial, 1, false);
            s.input(L"\x03");
        }
    }
}
