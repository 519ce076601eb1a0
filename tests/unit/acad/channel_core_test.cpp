// The window-free rules of the command channel: typed-text escapes, data pieces, the sender's
// payload limits, prompt prefixes and default values, history excerpts and the skipping decisions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "acad/CommandText.h"
#include "acad/PromptText.h"

using namespace sb::acad;

namespace {

// The half-width mapping of the few full-width characters these prompts use.
std::wstring Half(const std::wstring& s) {
    std::wstring out;
    for (wchar_t c : s) {
        switch (c) {
            case L'コ': out += L'ｺ'; break;
            case L'マ': out += L'ﾏ'; break;
            case L'ン': out += L'ﾝ'; break;
            case L'ド': out += L"ﾄﾞ"; break;
            case L'：': out += L':'; break;
            case L'\x3000': out += L' '; break;
            default: out += c;
        }
    }
    return out;
}

// CP932 as far as the tests need: ASCII one byte, other BMP characters two, the snowman none.
AnsiConversion FakeCp932(const std::wstring& s) {
    AnsiConversion a;
    a.Ok = true;
    for (wchar_t c : s) {
        if (c == L'\x2603') {
            a.UsedDefault = true;
            a.Bytes += '?';
        } else if (c < 0x80) {
            a.Bytes += static_cast<char>(c);
        } else {
            a.Bytes += "\x82\xA0";
        }
    }
    return a;
}

}  // namespace

TEST(CommandText, LogAndSendForms) {
    struct Case {
        const wchar_t* value;
        bool original;
        const wchar_t* log;
        const wchar_t* send;
    } cases[] = {
        {L"_Zoom^mA^m", false, L"_Zoom【Enter】A【Enter】", L"_Zoom\rA\r"},
        {L"abc^Mdef", false, L"abc【Enter】def", L"abc\rdef"},
        {L"abc^Mdef", true, L"abc^Mdef", L"abc^Mdef"},
        {L"^c", false, L"【Esc】", L"\x03"},
        {L"^C^c", false, L"【Esc】【Esc】", L"\x03\x03"},
        {L"a\rb\x03", true, L"a【Enter】b【Esc】", L"a\rb\x03"},
        {L"a\rb", false, L"a\rb", L"a\rb"},
        {L"【esc】x【ENTER】", false, L"【esc】x【ENTER】", L"\x03x\r"},
        {L"【Esc】", true, L"【Esc】", L"\x03"},
        {L"^^mm", false, L"^【Enter】m", L"^\rm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        const std::wstring log = CommandLogForm(c.value, c.original);
        EXPECT_EQ(log, c.log);
        EXPECT_EQ(CommandSendForm(log), c.send);
    }
}

TEST(CommandText, DataPiecesThatWouldTypeEnterOrCancelAreRefused) {
    const wchar_t* fine[] = {L"C:\\work\\plan1.dwg", L"Layout1", L"図面【A】.dwg", L"^x ^", L"c^", L"", L"【Enter"};
    for (const wchar_t* p : fine) EXPECT_TRUE(CommandDataCheck(p).empty()) << testing::PrintToString(std::wstring(p));
    const wchar_t* bad[] = {L"a^Cb", L"a^mb", L"x\ry", L"x\ny", L"\x03", L"C:\\【ENTER】\\x.dwg", L"設計【esc】.dwg"};
    for (const wchar_t* p : bad) {
        const std::wstring e = CommandDataCheck(p);
        EXPECT_FALSE(e.empty()) << testing::PrintToString(std::wstring(p));
        EXPECT_EQ(e.find_first_of(L"\r\n\x03"), std::wstring::npos) << "the error line stays one line";
    }
}

TEST(CommandText, UnicodePayloadIsLittleEndianUtf16WithItsNulAndAtMost1024Units) {
    SendPayload p;
    ASSERT_TRUE(MakeSendPayload(L"A図\r", true, nullptr, p).empty());
    const std::vector<unsigned char> want{0x41, 0x00, 0xF3, 0x56, 0x0D, 0x00, 0x00, 0x00};
    EXPECT_EQ(p.Bytes, want);

    ASSERT_TRUE(MakeSendPayload(std::wstring(1024, L'x'), true, nullptr, p).empty());
    EXPECT_EQ(p.Bytes.size(), 2050u);
    const std::wstring e = MakeSendPayload(std::wstring(1025, L'x'), true, nullptr, p);
    EXPECT_NE(e.find(L"長すぎます"), std::wstring::npos);
    EXPECT_NE(e.find(L"1025"), std::wstring::npos);
    EXPECT_TRUE(p.Bytes.empty());
}

TEST(CommandText, AnsiPayloadCountsConvertedBytesAndRefusesWhatCp932CannotHold) {
    SendPayload p;
    ASSERT_TRUE(MakeSendPayload(std::wstring(1024, L'x'), false, FakeCp932, p).empty());
    EXPECT_EQ(p.Bytes.size(), 1025u);
    EXPECT_EQ(p.Bytes.back(), 0);

    // 512 Japanese characters fill the 1024 bytes exactly; one more does not fit.
    ASSERT_TRUE(MakeSendPayload(std::wstring(512, L'図'), false, FakeCp932, p).empty());
    EXPECT_EQ(p.Bytes.size(), 1025u);
    std::wstring e = MakeSendPayload(std::wstring(513, L'図'), false, FakeCp932, p);
    EXPECT_NE(e.find(L"変換後1026バイト"), std::wstring::npos);
    EXPECT_TRUE(p.Bytes.empty());

    struct Case {
        std::wstring text;
        AnsiConverter conv;
        const wchar_t* fragment;
    } refused[] = {
        {L"C:\\\x2603.dwg", FakeCp932, L"表せない文字"},
        {L"abc", [](const std::wstring&) { return AnsiConversion{}; }, L"変換に失敗"},
        {std::wstring(1025, L'x'), FakeCp932, L"長すぎます"},
        {L"", FakeCp932, L"送信するコマンドがありません"},
        {std::wstring(L"a\0b", 3), FakeCp932, L"NUL"},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(testing::PrintToString(c.text.substr(0, 20)));
        e = MakeSendPayload(c.text, false, c.conv, p);
        EXPECT_NE(e.find(c.fragment), std::wstring::npos) << testing::PrintToString(e);
        EXPECT_TRUE(p.Bytes.empty());
    }
}

TEST(PromptText, PrefixCut) {
    struct Case {
        const wchar_t* in;
        const wchar_t* out;
    } cases[] = {
        {L"コマンド: ", L"コマンド: "},     {L"コマンド:", L"コマンド:"},       {L"ｺﾏﾝﾄﾞ>", L"ｺﾏﾝﾄﾞ>"},
        {L"コマンド: _ZOOM", L"_ZOOM"},      {L"コマンド:  LINE", L"LINE"},      {L"コマンド:X", L"X"},
        {L"コマンド> 図面 ", L"図面 "},      {L"ｺﾏﾝﾄﾞ: _LINE", L"_LINE"},        {L"ｺﾏﾝﾄﾞ>  a", L"a"},
        {L"オブジェクトを選択: ", L"オブジェクトを選択: "}, {L"", L""},
        {L"コマンド：x", L"コマンド：x"},  // a full-width colon is no prefix
    };
    for (const Case& c : cases) EXPECT_EQ(PromptPrefixCut(c.in, Half), c.out) << testing::PrintToString(std::wstring(c.in));
}

TEST(PromptText, DefaultValueOfAPrompt) {
    struct Case {
        const wchar_t* prompt;
        bool ok;
        const wchar_t* value;
    } cases[] = {
        {L"レイアウト名を入力 または [?] <\"Model\">:", true, L"Model"},
        {L"図面に名前を付けて保存 <C:\\work\\plan1.dwg>:", true, L"C:\\work\\plan1.dwg"},
        {L"中心点を指定 <1.0000,2.0000>: <3>:", true, L"3"},
        {L"オブジェクトを選択:", true, L""},
        {L"値 ＜全角＞：", true, L"全角"},
        {L"空 <>:", true, L""},
        {L"abc > def", false, L""},
        {L"新しい色を入力 [真の色(T)/カラーブック(CO)] <7 (白)>:", true, L"7"},
        {L"新しい色を入力 ＜7（白）＞：", true, L"7"},
        {L"色 <7 (白)>:", true, L"7 (白)"},
    };
    for (const Case& c : cases) {
        const PromptValueResult r = PromptValue(c.prompt);
        EXPECT_EQ(r.Ok, c.ok) << testing::PrintToString(std::wstring(c.prompt));
        EXPECT_EQ(r.Value, c.value) << testing::PrintToString(std::wstring(c.prompt));
    }
}

TEST(PromptText, ExcerptsOfShortHistoriesAreClamped) {
    EXPECT_EQ(LastChars(L"", 50), L"");
    EXPECT_EQ(LastChars(L"abc", 50), L"abc");
    EXPECT_EQ(LastChars(std::wstring(60, L'a') + L"xyz", 3), L"xyz");
    EXPECT_EQ(LastLinesExcerpt({}), L"");
    EXPECT_EQ(LastLinesExcerpt({L"one"}), L"one");
    EXPECT_EQ(LastLinesExcerpt({L"1", L"2", L"3", L"4"}), L"2 / 3 / 4");
    EXPECT_EQ(LastLinesExcerpt({std::wstring(60, L'a'), L"b"}), std::wstring(46, L'a') + L" / b");
}

TEST(PromptText, SplitLinesAtEveryKindOfBreak) {
    using V = std::vector<std::wstring>;
    EXPECT_EQ(SplitLines(L"a\r\nb\rc\nd"), (V{L"a", L"b", L"c", L"d"}));
    EXPECT_EQ(SplitLines(L"a\r\n"), (V{L"a"}));
    EXPECT_EQ(SplitLines(L"\r\n\r\nx"), (V{L"", L"", L"x"}));
    EXPECT_EQ(SplitLines(L"\n\r"), (V{L"", L""}));
    EXPECT_EQ(SplitLines(L""), V{});
}

TEST(PromptText, HistoryGainedIsOnlyWhatCameAfterTheOldEnd) {
    struct Case {
        const wchar_t* before;
        const wchar_t* after;
        const wchar_t* gained;
    } cases[] = {
        {L"コマンド: *ｷｬﾝｾﾙ*\r\n", L"コマンド: *ｷｬﾝｾﾙ*\r\nコマンド: _ZOOM\r\n", L"コマンド: _ZOOM\r\n"},
        {L"A\r\nB\r\nC\r\n", L"B\r\nC\r\nD\r\n", L"D\r\n"},  // the window dropped its first line
        {L"X\r\nX\r\n", L"X\r\nX\r\nX\r\n", L"X\r\n"},
        {L"abc", L"abc", L""},
        {L"", L"new", L"new"},
        {L"old", L"", L""},
        {L"old text", L"entirely new", L"entirely new"},
    };
    for (const Case& c : cases) EXPECT_EQ(HistoryGained(c.before, c.after), c.gained) << testing::PrintToString(std::wstring(c.after));
}

TEST(PromptText, OnlyLinesBelowTheLastEchoCount) {
    using V = std::vector<std::wstring>;
    const V history{L"コマンド: DWGTITLED", L"DWGTITLED = 1 (読み込み専用)", L"コマンド: _ZOOM", L"コマンド: dwgtitled ",
                    L"DWGTITLED = 0 (読み込み専用)", L"コマンド: "};
    EXPECT_EQ(LastEchoLine(history, L"DWGTITLED", Half), 3);
    EXPECT_EQ(LinesBelowEcho(history, L"DWGTITLED", Half), (V{L"DWGTITLED = 0 (読み込み専用)", L"コマンド: "}));
    // Never the older value when this command left no echo.
    EXPECT_EQ(LinesBelowEcho({L"コマンド: DWGTITLED", L"DWGTITLED = 1 (読み込み専用)", L"コマンド: "}, L"EXTMIN", Half), V{});
    // A message line naming the command is no echo.
    EXPECT_EQ(LastEchoLine({L"DWGTITLED"}, L"DWGTITLED", Half), -1);
    EXPECT_EQ(LastEchoLine({L"ｺﾏﾝﾄﾞ: _-LAYOUT"}, L"_-layout", Half), 0);
    EXPECT_EQ(LastEchoLine(history, L"", Half), -1);
}

TEST(PromptText, AwaitedPiecesAreTheRunsAnEnterOrCancelEnds) {
    using V = std::vector<std::wstring>;
    EXPECT_EQ(AwaitedPieces(L"VIEWSIZE\r"), V{L"VIEWSIZE"});
    EXPECT_EQ(AwaitedPieces(L"_Zoom\rA\r"), (V{L"_Zoom", L"A"}));
    EXPECT_EQ(AwaitedPieces(L"\x03\x03_SAVEAS\r"), V{L"_SAVEAS"});
    // A path typed before its Enter is meant to stay on the line.
    EXPECT_EQ(AwaitedPieces(L"C:\\work\\plan1.dwg"), V{});
    EXPECT_EQ(AwaitedPieces(L"\r"), V{});
}

// The states of AutoCAD's command line between a send and its answer, and the answers themselves.
TEST(PromptText, TypingEchoIsNoAnswer) {
    struct Case {
        const wchar_t* line;
        const wchar_t* typed;
        bool echo;
    };
    const Case cases[] = {
        {L"コマンド: VIEWSIZE", L"VIEWSIZE\r", true},
        {L"コマンド: VIEWS", L"VIEWSIZE\r", true},  // still typing
        {L"ｺﾏﾝﾄﾞ: FILEDIA ", L"FILEDIA\r", true},
        {L"VIEWSIZE", L"VIEWSIZE\r", true},
        {L"FILEDIA の新しい値を入力 <1>: 0", L"0\r", true},
        {L"置き換えますか? [はい(Y)/いいえ(N)] <N>: Y", L"Y\r", true},
        {L"[図面全体(A)/中心(C)] <リアルタイム>: A", L"_Zoom\rA\r", true},
        {L"図面に名前を付けて保存 <C:\\a.dwg>: C:\\my docs\\pl", L"C:\\my docs\\plan.dwg\r", true},
        // The answers.
        {L"VIEWSIZE の新しい値を入力 <297.0000>:", L"VIEWSIZE\r", false},
        {L"コマンド: ", L"VIEWSIZE\r", false},
        {L"FILEDIA の新しい値を入力 <0>:", L"0\r", false},
        {L"コマンド: VIEWSIZE の新しい値を入力 <1>:", L"VIEWSIZE\r", false},
        {L"ファイル形式を入力 [R14/2000/2018] <2018>:", L"_SAVEAS\r", false},
        // Text that is not what was typed, or not after a prompt.
        {L"コマンド: ZOOM", L"VIEWSIZE\r", false},
        {L"図面を再作成中 - モデル", L"_Zoom\rモデル\r", false},
        {L"コマンド: VIEWSIZE", L"", false},
        {L"", L"VIEWSIZE\r", false},
        // A path left on the line before its Enter is not awaited.
        {L"図面に名前を付けて保存 <C:\\a.dwg>: C:\\b.dwg", L"C:\\b.dwg", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsTypingEcho(c.line, AwaitedPieces(c.typed)), c.echo)
            << testing::PrintToString(std::wstring(c.line)) << " / " << testing::PrintToString(std::wstring(c.typed));
}

TEST(PromptText, SkipperAnswersEachNewPromptOnceAndStops) {
    using S = PromptSkipper::Step;
    PromptSkipper k;
    bool changed = false;
    EXPECT_EQ(k.Next(L"ファイル形式を入力 <2018>:", L"h1", -1, true, changed), S::Answer);
    EXPECT_TRUE(changed);
    EXPECT_EQ(k.Next(L"ファイル形式を入力 <2018>:", L"h1", -1, true, changed), S::Poll);
    EXPECT_FALSE(changed);
    EXPECT_EQ(k.Next(L"処理中", L"h2", -1, true, changed), S::Poll);  // neither ":" nor ">"
    EXPECT_TRUE(changed);
    EXPECT_EQ(k.Next(L"置き換えますか? <N>", L"h3", -1, true, changed), S::Answer);
    // The same prompt back after its Enter (the history moved) cannot be skipped...
    EXPECT_EQ(k.Next(L"置き換えますか? <N>", L"h4", -1, true, changed), S::Repeated);
    // ...unless it asks for Enter to continue.
    PromptSkipper more;
    EXPECT_EQ(more.Next(L"続けるには Enter キーを押してください:", L"a", -1, false, changed), S::Answer);
    EXPECT_EQ(more.Next(L"続けるには Enter キーを押してください:", L"b", -1, false, changed), S::Answer);
    EXPECT_EQ(more.Enters(), 2);
    // A match wins whether or not anything changed; the command prompt fails only with CommandErr.
    EXPECT_EQ(more.Next(L"ｺﾏﾝﾄﾞ:", L"b", 0, true, changed), S::CommandEnded);
    EXPECT_EQ(more.Next(L"ｺﾏﾝﾄﾞ:", L"b", 0, false, changed), S::Matched);
    EXPECT_EQ(more.Next(L"図面名:", L"b", 1, true, changed), S::Matched);
}

TEST(PromptText, SkipperGivesUpAfterThe31stEnter) {
    PromptSkipper k;
    bool changed = false;
    for (int i = 1; i <= 31; ++i) {
        ASSERT_EQ(k.Next(L"p" + std::to_wstring(i) + L":", L"h", -1, false, changed), PromptSkipper::Step::Answer);
        EXPECT_EQ(k.TooManyEnters(), i == 31) << i;
    }
}
