#include "Fixture.h"

using namespace acadsim;
using acadsim_test::SessionFixture;

struct AcadsimFiles : SessionFixture {
    void SetUp() override {
        start(acadsim_test::kTwoDrawings);
        fs.files[L"C:\\work\\plan1.dwg"] = "old";
        type(L"FILEDIA\r0\r");
    }
};

TEST_F(AcadsimFiles, SaveAsInPlaceAsksToReplace) {
    type(L"_SAVEAS\r");
    EXPECT_EQ(lastLines(1), L"現在のファイル形式: AutoCAD 2018 図面\n");
    EXPECT_EQ(line(), L"ファイル形式を入力 [R14(LT98&LT97)/2000(LT2000)/2004(LT2004)/2007(LT2007)/2010(LT2010)/"
                      L"2013(LT2013)/2018(LT2018)/Standards(S)/DXF(DXF)/Template(T)] <2018>: ");
    type(L"\r");
    EXPECT_EQ(line(), L"図面に名前を付けて保存 <C:\\work\\plan1.dwg>: ");
    type(L"\r");
    EXPECT_EQ(lastLines(1), L"この名前の図面は既に存在します。\n");
    EXPECT_EQ(line(), L"置き換えますか? [はい(Y)/いいえ(N)] <N>: ");
    EXPECT_EQ(fs.files[L"C:\\work\\plan1.dwg"], "old");
    type(L"Y\r");
    EXPECT_EQ(line(), L"コマンド: ");
    EXPECT_EQ(fs.files[L"C:\\work\\plan1.dwg"].rfind("AC1032", 0), 0u);
    ASSERT_EQ(s->files().size(), 1u);
}

TEST_F(AcadsimFiles, SaveAsUnderNewNamesAndBadPaths) {
    struct Case {
        const wchar_t* typed;
        const wchar_t* written;   // empty: nothing written
        const wchar_t* lastLine;
    } cases[] = {
        {L"_SAVEAS\r2000\rC:\\work\\新しい 図面\r", L"C:\\work\\新しい 図面.dwg", nullptr},
        {L"_SAVEAS\r\rplan2.dwg\r", L"C:\\work\\plan2.dwg", nullptr},
        {L"_SAVEAS\r\rQ:\\nowhere\\x.dwg\r", L"", L"ファイル名が無効です。"},
        {L"_SAVEAS\r\rC:\\work\\a|b.dwg\r", L"", L"ファイル名が無効です。"},
        {L"_SAVEAS\rR13\r", L"", L"オプション キーワードが無効です。"},
    };
    for (const auto& c : cases) {
        size_t before = fs.files.size();
        type(c.typed);
        if (c.lastLine) {
            EXPECT_EQ(lastLines(1), std::wstring(c.lastLine) + L"\n") << c.typed;
            EXPECT_EQ(fs.files.size(), before) << c.typed;
            type(L"\x0003");
        } else {
            EXPECT_TRUE(fs.files.count(c.written)) << c.typed;
            EXPECT_EQ(drawing().path, c.written);
            EXPECT_EQ(drawing().title(), fileNamePart(c.written));
            EXPECT_EQ(line(), L"コマンド: ");
        }
    }
    EXPECT_EQ(fs.files[L"C:\\work\\新しい 図面.dwg"].rfind("AC1015", 0), 0u);
}

TEST_F(AcadsimFiles, ReadOnlyTargetRaisesTheWriteProtectionDialog) {
    fs.readOnly.insert(L"C:\\work\\plan1.dwg");
    type(L"_SAVEAS\r\r\rY\r");
    auto dialog = s->takeDialogRequest();
    ASSERT_TRUE(dialog);
    std::wstring body;
    for (const auto& b : dialog->plan.body) body += b;
    EXPECT_NE(body.find(L"書き込み禁止"), std::wstring::npos);
    EXPECT_EQ(fs.files[L"C:\\work\\plan1.dwg"], "old");
    s->dialogClosed(dialog->serial, 1, false);
    EXPECT_EQ(line(), L"コマンド: ");
    EXPECT_EQ(lastLines(1), L"図面は保存されませんでした。\n");
}

TEST_F(AcadsimFiles, FileDialogWhenFiledia1) {
    type(L"FILEDIA\r1\r_SAVEAS\r");
    auto dialog = s->takeDialogRequest();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->plan.title, L"図面に名前を付けて保存");
    s->dialogClosed(dialog->serial, 2, false);
    EXPECT_EQ(s->commands().back().end, L"cancelled");
    EXPECT_EQ(fs.files[L"C:\\work\\plan1.dwg"], "old");
}

TEST_F(AcadsimFiles, DxfOutWritesLayoutsWithTabOrders) {
    drawing().layers.push_back(L"壁");
    type(L"_DXFOUT\r");
    EXPECT_EQ(line(), L"図面に名前を付けて保存 <C:\\work\\plan1.dxf>: ");
    type(L"C:\\work\\out.dxf\r");
    EXPECT_EQ(line().rfind(L"精度として小数点以下の桁数を入力 (0 から 16) または [オブジェクト(O)/バージョン(V)/バイナリ(B)] <16>:", 0), 0u);
    type(L"V\r");
    EXPECT_EQ(line(), L"バージョンを入力 [2018/2013/2010/2007/2004/2000/R12] <2018>: ");
    type(L"2018\r\r");
    EXPECT_EQ(line(), L"コマンド: ");
    const std::string dxf = fs.files[L"C:\\work\\out.dxf"];
    EXPECT_NE(dxf.find("$ACADVER\r\n  1\r\nAC1032"), std::string::npos);
    EXPECT_NE(dxf.find("  1\r\nPlan A\r\n 70\r\n1\r\n 71\r\n2\r\n"), std::string::npos);
    EXPECT_NE(dxf.find("  1\r\nPlan B\r\n 70\r\n1\r\n 71\r\n1\r\n"), std::string::npos);
    EXPECT_NE(dxf.find(toUtf8(L"壁")), std::string::npos);
    EXPECT_EQ(drawing().path, L"C:\\work\\plan1.dwg");

    // Again: the file exists now, so the replace question comes after the precision.
    type(L"_DXFOUT\rC:\\work\\out.dxf\rV\r2000\r\r");
    EXPECT_EQ(line(), L"置き換えますか? [はい(Y)/いいえ(N)] <N>: ");
    type(L"Y\r");
    EXPECT_NE(fs.files[L"C:\\work\\out.dxf"].find("$ACADVER\r\n  1\r\nAC1015"), std::string::npos);
    EXPECT_NE(fs.files[L"C:\\work\\out.dxf"].find("\x95\xC7"), std::string::npos);  // CP932 below 2007

    // A layer name without a CP932 form cannot go into an ANSI file.
    drawing().layers.push_back(L"\u00E9");
    type(L"_DXFOUT\rC:\\work\\out2.dxf\rV\r2004\r\r");
    EXPECT_FALSE(fs.files.count(L"C:\\work\\out2.dxf"));
    EXPECT_EQ(line(), L"コマンド: ");
}

TEST(AcadsimDxfOutWithoutOptions, SaveAsInDxfFormatIsTheWayToChooseObjects) {
    // Releases whose DXFOUT takes no options: the export name prompt writes at once; SAVEAS in DXF
    // format offers version and objects, and the drawing then carries the DXF path.
    acadsim_test::MemoryFiles fs;
    Session s(acadsim_test::scenarioFrom(R"({"release": {"year": 2005, "dxfoutNoOptions": true},
      "sysvars": {"FILEDIA": "0"}, "drawings": [{"path": "C:\\work\\a.dwg",
      "model": {"extents": [0, 0, 10, 10]}, "layouts": [{"name": "L1"}]}]})"), fs);
    s.input(L"_DXFOUT\r");
    EXPECT_EQ(s.commandLineText(0), L"DXF 図面名を書き出し <C:\\work\\a.dxf>: ");
    s.input(L"C:\\work\\whole.dxf\r");
    EXPECT_EQ(s.commandLineText(0), L"コマンド: ");
    EXPECT_NE(fs.files[L"C:\\work\\whole.dxf"].find("AC1018"), std::string::npos);

    fs.files[L"C:\\work\\part.dxf"] = "";  // the work file exists beforehand
    struct Step {
        const wchar_t* typed;
        const wchar_t* prompt;  // start of the command line afterwards
    } steps[] = {
        {L"SAVEAS\r", L"ファイル形式を入力 [R14(LT98&LT97)/2000(LT2000)/2004(LT2004)/Standards(S)/DXF(DXF)/Template(T)] <2004>:"},
        {L"DXF\r", L"精度として小数点以下の桁数を入力"},
        {L"V\r", L"バージョンを入力 [2004/2000/R12] <2004>:"},
        {L"2000\r", L"精度として"},
        {L"O\r", L"オブジェクトを選択:"},
        {L"P\r\r", L"精度として"},
        {L"\r", L"図面に名前を付けて保存 <C:\\work\\a.dxf>:"},
        {L"C:\\work\\part.dxf\r", L"置き換えますか?"},
        {L"Y\r", L"コマンド: "},
    };
    for (const auto& st : steps) {
        s.input(st.typed);
        EXPECT_EQ(s.commandLineText(0).rfind(st.prompt, 0), 0u) << toUtf8(st.typed) << " -> " << toUtf8(s.commandLineText(0));
    }
    EXPECT_NE(fs.files[L"C:\\work\\part.dxf"].find("AC1018"), std::string::npos);
    EXPECT_EQ(s.drawings()[0].path, L"C:\\work\\part.dxf");
    EXPECT_EQ(s.drawings()[0].format, L"DXF");
    EXPECT_NE(s.historyText(0).find(L"0 個を見つけました"), std::wstring::npos);
}

TEST_F(AcadsimFiles, CloseAsksForModifiedDrawings) {
    struct Case {
        int button;
        bool closed;
        bool saved;
    } cases[] = {{2, false, false}, {7, true, false}, {6, true, true}};
    for (const auto& c : cases) {
        start(acadsim_test::kTwoDrawings);
        fs.files[L"C:\\work\\plan1.dwg"] = "old";
        drawing().modified = true;
        type(L"CLOSE\r");
        auto dialog = s->takeDialogRequest();
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->plan.body.at(0), L"plan1.dwg への変更を保存しますか?");
        s->dialogClosed(dialog->serial, c.button, false);
        EXPECT_EQ(s->drawings()[0].open, !c.closed) << c.button;
        EXPECT_EQ(fs.files[L"C:\\work\\plan1.dwg"] != "old", c.saved) << c.button;
        EXPECT_EQ(s->current(), c.closed ? 1 : 0);
    }
}
