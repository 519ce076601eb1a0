#include <gtest/gtest.h>

#include "acad/DialogTable.h"

using namespace sb::acad;

namespace {

struct Options {
    bool filterOk = false, printOk = false, autoClose = false, readOnlyOk = false, fileOutError = false;
    bool proxyButton = false;
};

struct Row {
    const char* what;
    const wchar_t* title;
    const wchar_t* cls;
    const wchar_t* body;
    Options opt;
    const char* row;
    bool attention;  // WindowCheck false
    int action;
    unsigned flags;
    const wchar_t* text;
    int level;
    bool cont;
};

DialogVerdict Verdict(const Row& r, int* bodyReads = nullptr) {
    DialogFacts f;
    f.Title = r.title;
    f.Class = r.cls;
    const std::wstring body = r.body;
    f.Body = [body, bodyReads] {
        if (bodyReads) ++*bodyReads;
        return body;
    };
    const bool button = r.opt.proxyButton;
    f.ProxyHideButton = [button] { return button; };
    f.FilterDialogOkMode = r.opt.filterOk;
    f.PrintDialogOkMode = r.opt.printOk;
    f.CriticalErrorAutoClose = r.opt.autoClose;
    f.LinkReadOnlyPermission = r.opt.readOnlyOk;
    f.FileOutErrorFlag = r.opt.fileOutError;
    return MatchDialog(f);
}

constexpr unsigned End = kFlagEndError;
constexpr unsigned Open = kFlagFileOpenError;
constexpr unsigned Crit = kFlagCriticalError;
const wchar_t* const D = L"#32770";

Options AutoClose() { Options o; o.autoClose = true; return o; }
Options FilterOk() { Options o; o.filterOk = true; return o; }
Options PrintOk() { Options o; o.printOk = true; return o; }
Options ReadOnlyOk() { Options o; o.readOnlyOk = true; return o; }
Options FileOut() { Options o; o.fileOutError = true; return o; }
Options Proxy() { Options o; o.proxyButton = true; return o; }

}  // namespace

// Titles and bodies as the watcher sees them: normalised (upper case, half-width katakana).
TEST(DialogTable, EveryRowInOrderWithItsActionFlagsAndLine) {
    const Row rows[] = {
        {"palette", L"ﾌﾟﾛﾊﾟﾃｨ", L"ACADSIMPALETTE", L"", {}, "palette", false, 0, 0, L"", 0, false},
        {"filter expected", L"ｵﾌﾞｼﾞｪｸﾄ選択ﾌｨﾙﾀ", D, L"", FilterOk(), "1", true, 0, kFlagRecordFilterDialog, L"", 0, false},
        {"filter", L"ｵﾌﾞｼﾞｪｸﾄ選択ﾌｨﾙﾀ", D, L"", {}, "1b", true, 1, 0, L"フィルタダイアログを発見しました。ダイアログを閉じます。", 0, true},
        {"plot expected", L"印刷 - ﾓﾃﾞﾙ", D, L"", PrintOk(), "2", true, 0, kFlagRecordPrintDialog, L"", 0, false},
        {"plot", L"印刷 - ﾓﾃﾞﾙ", D, L"", {}, "2b", true, 1, 0, L"印刷ダイアログを発見しました。ダイアログを閉じます。", 0, false},
        {"layer filter", L"AUTOCAD - 画層ﾌｨﾙﾀの超過", D, L"", {}, "3", true, 1, 0, L"画層フィルタの超過ダイアログを発見しました。ダイアログを閉じます。", 0, false},
        {"quality", L"AUTOCAD 品質向上ﾌﾟﾛｸﾞﾗﾑ", D, L"", {}, "4", true, 5, 0, L"品質向上プログラムダイアログを発見しました。ダイアログを閉じます。", 0, false},
        {"recovery, any class", L"図面修復", L"ACADSIMPANE", L"", {}, "5", true, 0, End | Open, L"図面修復ダイアログを発見しました。中断します。", 6, true},
        {"recovery manager is not it", L"図面修復管理", D, L"", {}, "", false, 0, 0, L"", 0, false},
        {"not a dialog box", L"AUTOCAD", L"ACADSIMPALETTE", L"変更を保存しますか?", {}, "6", false, 0, 0, L"", 0, false},
        {"file chooser", L"ﾌｧｲﾙを選択", D, L"", {}, "7", true, 1, 0, L"ファイル選択ダイアログを発見しました。ダイアログを閉じます。", 0, false},
        {"proxy with button", L"ﾌﾟﾛｷｼ情報", D, L"", Proxy(), "8", true, 4, 0, L"プロキシ情報ダイアログを発見しました。表示しないを選択してダイアログを閉じます。", 0, false},
        {"proxy without", L"ﾌﾟﾛｷｼ情報", D, L"", {}, "8b", true, 1, 0, L"プロキシ情報ダイアログを発見しました。ダイアログを閉じます。", 0, false},
        {"font", L"文字ｽﾀｲﾙに使用するﾌｫﾝﾄを指定", D, L"", {}, "9", true, 4, 0, L"文字スタイルフォント指定ダイアログを発見しました。ディフォルトを選んでダイアログを閉じます。", 0, false},
        {"shape", L"ｼｪｲﾌﾟ ﾌｧｲﾙを選択", D, L"", {}, "10", true, 1, 0, L"シェイプファイル指定ダイアログを発見しました。ダイアログを閉じます。", 0, false},
        {"page setup", L"ﾍﾟｰｼﾞ設定 - ﾓﾃﾞﾙ", D, L"", {}, "11", true, 1, 0, L"ページ設定ダイアログを発見しました。ダイアログを閉じます。", 0, false},
        {"abort closed", L"AUTOCAD ｴﾗｰ終了", D, L"", AutoClose(), "12", true, 2, End | Crit, L"フェイタルエラーなどの強制終了ダイアログを発見しました。ダイアログを閉じます。", 6, false},
        {"abort left", L"ABORT: ERROR", D, L"", {}, "12b", true, 0, End | Crit, L"フェイタルエラーなどの強制終了ダイアログを発見しました。", 6, true},
        {"fatal", L"FATAL ERROR", D, L"", {}, "13", true, 2, 0, L"FATAL ERRORダイアログを発見しました。ダイアログを閉じます。", 2, false},
        {"lighting", L"ﾋﾞｭｰﾎﾟｰﾄの照明ﾓｰﾄﾞ", D, L"", {}, "14", true, 1, 0, L"ビューポートの照明モードダイアログを発見しました。ダイアログを閉じます。", 0, false},
        {"lighting units", L"照明 - 挿入単位", D, L"", {}, "15", true, 4, 0, L"照明 挿入単位ダイアログを発見しました。ダイアログを閉じます。", 0, false},
        {"still running", L"AUTOCAD", D, L"ｺﾏﾝﾄﾞはまだ実行中です。OK", {}, "16", true, 0, End | kFlagCommandExecError, L"コマンド実行中ダイアログを発見しました。処理に失敗しているようです", 6, true},
        {"write protected", L"AUTOCAD ﾒｯｾｰｼﾞ", D, L"ﾌｧｲﾙは書き込み禁止です。", {}, "17", true, 1, kFlagFileSaveError, L"書き込み禁止ダイアログを発見しました。ダイアログを閉じます", 0, false},
        {"save changes", L"AUTOCAD", D, L"PLAN1.DWGへの変更を保存しますか?はい(Y)いいえ(N)", {}, "18", true, 0, End, L"保存しますかダイアログを発見しました。中断します。", 6, true},
        {"read only accepted", L"AUTOCAD", D, L"読み込み専用で開きますか", ReadOnlyOk(), "19", true, 2, kFlagReadOnlyLink, L"既に使用or読込専用ダイアログを発見しました。ダイアログを閉じます。", 0, false},
        {"read only refused", L"AUTOCAD", D, L"読み込み専用で開きますか", {}, "19b", true, 3, End | kFlagReadOnlyError, L"既に使用or読込専用ダイアログを発見しました。このソフトでは処理の都合上、保存の出来ないファイルは処理の対象外になっています。", 6, false},
        {"plotter", L"AUTOCAD", D, L"ﾌﾟﾛｯﾀ環境設定は使用できません", {}, "20", true, 1, 0, L"プロッタ使用不可ダイアログを発見しました。ダイアログを閉じます。", 2, false},
        {"printer", L"AUTOCAD", D, L"ﾌﾟﾘﾝﾀ名が無効です", {}, "21", true, 3, 0, L"プリンタ名が無効ダイアログを発見しました。ダイアログを閉じます。", 2, false},
        {"repaired", L"AUTOCAD", D, L"修復された図面を開きます", {}, "22", true, 2, 0, L"修復完了ダイアログを発見しました。ダイアログを閉じます。", 2, false},
        {"incompatible", L"AUTOCAD", D, L"ﾌｧｲﾙが互換性のない形式です", {}, "23", true, 1, End | Open, L"ファイル互換無し報告ダイアログを発見しました。ダイアログを閉じます。", 6, false},
        {"broken", L"AUTOCAD", D, L"壊れた情報があります", {}, "24", true, 1, End | Open, L"破損報告ダイアログを発見しました。ダイアログを閉じます。", 6, false},
        {"invalid", L"AUTOCAD", D, L"図面ﾌｧｲﾙが無効です", {}, "25", true, 1, End | Open, L"図面ファイルが無効ダイアログを発見しました。ダイアログを閉じます。", 6, false},
        {"cannot continue closed", L"AUTOCAD", D, L"継続不能なｴﾗｰ", AutoClose(), "26", true, 3, End | Crit, L"継続不能ダイアログを発見しました。ダイアログを閉じます。", 6, false},
        {"cannot continue left", L"AUTOCAD", D, L"継続不能なｴﾗｰ", {}, "26b", true, 0, End | Crit, L"継続不能ダイアログを発見しました。", 6, true},
        {"open error", L"AUTOCAD", D, L"図面を開く際にｴﾗｰ", {}, "27", true, 2, End | Open, L"開く時のエラー検出ダイアログを発見しました。ダイアログを閉じます。", 6, false},
        {"file repair", L"AUTOCAD", D, L"図面ﾌｧｲﾙの修復が必要", {}, "28", true, 3, End | Open, L"図面ファイルの修復ダイアログを発見しました。オープンを中断します。", 6, false},
        {"plot file replace", L"印刷ﾌｧｲﾙを作成", D, L"既に存在します。置き換えますか?", {}, "29", true, 2, 0, L"印刷ファイル作成の上書き確認ダイアログを発見しました。そのままYESを実行します。", 0, false},
        {"plot file chooser, failed", L"印刷ﾌｧｲﾙを作成", D, L"ﾌｧｲﾙの種類保存先", FileOut(), "30", true, 1, 0, L"印刷ファイル作成ダイアログは閉じます。", 0, false},
        {"plot file chooser", L"印刷ﾌｧｲﾙを作成", D, L"ﾌｧｲﾙの種類保存先", {}, "30b", true, 14, 0, L"印刷ファイル作成ダイアログを発見しました。そのままOKを実行します。", 0, false},
        {"plotter file replace", L"ﾌﾟﾛｯﾀ ﾌｧｲﾙを作成", D, L"既に存在します。置き換えますか?", {}, "31", true, 2, 0, L"プロッタファイル作成の上書き確認ダイアログを発見しました。そのままYESを実行します。", 0, false},
        {"plotter file chooser, failed", L"ﾌﾟﾛｯﾀ ﾌｧｲﾙを作成", D, L"ﾌｧｲﾙの種類保存先", FileOut(), "32", true, 1, 0, L"プロッタファイル作成ダイアログは閉じます。", 0, false},
        {"plotter file chooser", L"ﾌﾟﾛｯﾀ ﾌｧｲﾙを作成", D, L"ﾌｧｲﾙの種類保存先", {}, "32b", true, 14, 0, L"プロッタファイル作成ダイアログを発見しました。そのままOKを実行します。", 0, false},
        {"plot file exists", L"AUTOCAD - 印刷ﾌｧｲﾙが存在します", D, L"", {}, "33", true, 4, 0, L"プロッタファイル作成の上書き確認ダイアログを発見しました。そのままOKを実行します。", 0, false},
        {"plot file browse, failed", L"印刷ﾌｧｲﾙを参照", D, L"ﾌｧｲﾙの種類保存先", FileOut(), "34", true, 1, 0, L"印刷ファイル参照ダイアログは閉じます。", 0, false},
        {"plot file browse", L"印刷ﾌｧｲﾙを参照", D, L"ﾌｧｲﾙの種類保存先", {}, "34b", true, 14, 0, L"印刷ファイル参照ダイアログを発見しました。そのままOKを実行します。", 0, false},
        {"overwrite warning", L"警告", D, L"同じ名前の印刷ﾌｧｲﾙを上書きしてよろしいですか?", {}, "35", true, 4, 0, L"プロッタファイル作成の上書き確認ダイアログを発見しました。そのままOKを実行します。", 0, false},
        {"output busy", L"ﾌｧｲﾙを出力", D, L"別のﾌﾟﾛｸﾞﾗﾑにより開かれています", {}, "36", true, 1, kFlagFileOutError, L"別のプログラムにより開かれていますダイアログを発見しました。ファイルを作成出来ませんでした。", 6, false},
        {"file in use", L"AUTOCAD", D, L"使用中です。他のﾌｧｲﾙ名を指定", {}, "37", true, 1, kFlagFileOutError, L"別のプログラムにより開かれていますダイアログを発見しました。ファイルを作成出来ませんでした。", 6, false},
        {"unknown dialog box", L"AUTOCAD", D, L"何か別のこと", {}, "", false, 0, 0, L"", 0, false},
    };
    for (const Row& r : rows) {
        const DialogVerdict v = Verdict(r);
        EXPECT_EQ(v.Row, r.row) << r.what;
        EXPECT_EQ(!v.NeedsNoAttention, r.attention) << r.what;
        EXPECT_EQ(v.Action, r.action) << r.what;
        EXPECT_EQ(v.Flags, r.flags) << r.what;
        EXPECT_EQ(v.LogText, r.text) << r.what;
        EXPECT_EQ(v.LogLevel, r.level) << r.what;
        EXPECT_EQ(v.LogContinue, r.cont) << r.what;
        EXPECT_EQ(v.ClickProxyButton, std::string(r.row) == "8") << r.what;
    }
}

TEST(DialogTable, OrderDecidesWhereTitlesOverlap) {
    // "印刷ﾌｧｲﾙ…" is not the plot dialog; an error-ending title is answered before any body row;
    // the layer-filter and quality rows need their words after the start of the title.
    const Row rows[] = {
        {"plot file title is not row 2", L"印刷ﾌｧｲﾙを作成", D, L"ほかの本文", {}, "", false, 0, 0, L"", 0, false},
        {"layer filter words at the start", L"画層ﾌｨﾙﾀ超過", D, L"", {}, "", false, 0, 0, L"", 0, false},
        {"quality at the start", L"品質向上", D, L"", {}, "", false, 0, 0, L"", 0, false},
        {"title row beats body row", L"ﾌｧｲﾙを選択", D, L"変更を保存しますか", {}, "7", true, 1, 0, L"ファイル選択ダイアログを発見しました。ダイアログを閉じます。", 0, false},
        {"toolbar with a plot title", L"印刷", L"ACADSIMPALETTE", L"", {}, "palette", false, 0, 0, L"", 0, false},
        {"save question before read-only", L"AUTOCAD", D, L"変更を保存しますか読み込み専用", {}, "18", true, 0, End, L"保存しますかダイアログを発見しました。中断します。", 6, true},
    };
    for (const Row& r : rows) {
        DialogFacts f;
        f.Title = r.title;
        f.Class = r.cls;
        f.ToolbarChild = std::string(r.what).rfind("toolbar", 0) == 0;
        const std::wstring body = r.body;
        f.Body = [body] { return body; };
        const DialogVerdict v = MatchDialog(f);
        EXPECT_EQ(v.Row, r.row) << r.what;
        EXPECT_EQ(v.Action, r.action) << r.what;
        EXPECT_EQ(v.LogText, r.text) << r.what;
    }
}

TEST(DialogTable, BodyIsReadOnlyWhenTheTitleRowsDidNotDecideAndFlagsOfSomeRowsFollowTheLine) {
    int reads = 0;
    Verdict({"", L"ﾌｧｲﾙを選択", D, L"", {}, "", false, 0, 0, L"", 0, false}, &reads);
    EXPECT_EQ(reads, 0);
    Verdict({"", L"ACADSIM", L"ACADSIMPALETTE", L"", {}, "", false, 0, 0, L"", 0, false}, &reads);
    EXPECT_EQ(reads, 0);
    Verdict({"", L"AUTOCAD", D, L"", {}, "", false, 0, 0, L"", 0, false}, &reads);
    EXPECT_EQ(reads, 1);

    auto after = [](const wchar_t* title, const wchar_t* body) {
        return Verdict({"", title, D, body, {}, "", false, 0, 0, L"", 0, false}).FlagsAfterLog;
    };
    EXPECT_TRUE(after(L"AUTOCAD", L"書き込み禁止"));
    EXPECT_TRUE(after(L"ﾌｧｲﾙを出力", L"別のﾌﾟﾛｸﾞﾗﾑにより開かれて"));
    EXPECT_TRUE(after(L"AUTOCAD", L"使用中です他のﾌｧｲﾙ名を"));
    EXPECT_FALSE(after(L"AUTOCAD", L"変更を保存しますか"));
}
