#include "acad/DialogTable.h"

namespace sb::acad {

namespace {

bool StartsWith(const std::wstring& T, const wchar_t* X) { return T.rfind(X, 0) == 0; }
bool Contains(const std::wstring& T, const wchar_t* X) { return T.find(X) != std::wstring::npos; }
// First occurrence found, and not at the first position.
bool ContainsNotAtStart(const std::wstring& T, const wchar_t* X) {
    const std::size_t at = T.find(X);
    return at != std::wstring::npos && at > 0;
}

constexpr int kAdd = 0;
constexpr int kReport = 2;
constexpr int kError = 6;

DialogVerdict Known(const char* row, int action, unsigned flags, const wchar_t* text, int level, bool cont,
                    bool flagsAfterLog = false) {
    DialogVerdict v;
    v.NeedsNoAttention = false;
    v.Action = action;
    v.Flags = flags;
    v.FlagsAfterLog = flagsAfterLog;
    v.LogText = text ? text : L"";
    v.LogLevel = level;
    v.LogContinue = cont;
    v.Row = row;
    return v;
}

DialogVerdict Ignored(const char* row) {
    DialogVerdict v;
    v.Row = row;
    return v;
}

}  // namespace

DialogVerdict MatchDialog(const DialogFacts& F) {
    const std::wstring& T = F.Title;
    if (StartsWith(T, L"ﾌﾟﾛﾊﾟﾃｨ") || F.ToolbarChild) return Ignored("palette");

    if (StartsWith(T, L"ｵﾌﾞｼﾞｪｸﾄ選択ﾌｨﾙﾀ")) {
        if (F.FilterDialogOkMode) return Known("1", kActionNone, kFlagRecordFilterDialog, nullptr, kAdd, false);
        return Known("1b", kActionClose, 0, L"フィルタダイアログを発見しました。ダイアログを閉じます。", kAdd, true);
    }
    if (StartsWith(T, L"印刷") && !Contains(T, L"印刷ﾌｧｲﾙ")) {
        if (F.PrintDialogOkMode) return Known("2", kActionNone, kFlagRecordPrintDialog, nullptr, kAdd, false);
        return Known("2b", kActionClose, 0, L"印刷ダイアログを発見しました。ダイアログを閉じます。", kAdd, false);
    }
    if (ContainsNotAtStart(T, L"画層ﾌｨﾙﾀ") && ContainsNotAtStart(T, L"超過"))
        return Known("3", kActionClose, 0, L"画層フィルタの超過ダイアログを発見しました。ダイアログを閉じます。", kAdd, false);
    if (ContainsNotAtStart(T, L"品質向上"))
        return Known("4", kActionCancel, 0, L"品質向上プログラムダイアログを発見しました。ダイアログを閉じます。", kAdd, false);
    if (Contains(T, L"図面修復") && !Contains(T, L"図面修復管理"))
        return Known("5", kActionNone, kFlagEndError | kFlagFileOpenError, L"図面修復ダイアログを発見しました。中断します。",
                     kError, true);
    if (F.Class != L"#32770") return Ignored("6");
    if (StartsWith(T, L"ﾌｧｲﾙを選択"))
        return Known("7", kActionClose, 0, L"ファイル選択ダイアログを発見しました。ダイアログを閉じます。", kAdd, false);
    if (StartsWith(T, L"ﾌﾟﾛｷｼ情報")) {
        if (F.ProxyHideButton && F.ProxyHideButton()) {
            DialogVerdict v = Known("8", kActionOk, 0,
                                    L"プロキシ情報ダイアログを発見しました。表示しないを選択してダイアログを閉じます。", kAdd, false);
            v.ClickProxyButton = true;
            return v;
        }
        return Known("8b", kActionClose, 0, L"プロキシ情報ダイアログを発見しました。ダイアログを閉じます。", kAdd, false);
    }
    if (StartsWith(T, L"文字ｽﾀｲﾙに使用するﾌｫﾝﾄを指定"))
        return Known("9", kActionOk, 0,
                     L"文字スタイルフォント指定ダイアログを発見しました。ディフォルトを選んでダイアログを閉じます。", kAdd, false);
    if (StartsWith(T, L"ｼｪｲﾌﾟ ﾌｧｲﾙを選択"))
        return Known("10", kActionClose, 0, L"シェイプファイル指定ダイアログを発見しました。ダイアログを閉じます。", kAdd, false);
    if (StartsWith(T, L"ﾍﾟｰｼﾞ設定"))
        return Known("11", kActionClose, 0, L"ページ設定ダイアログを発見しました。ダイアログを閉じます。", kAdd, false);
    if (Contains(T, L"ｴﾗｰ終了") || (Contains(T, L"ABORT") && Contains(T, L"ERROR"))) {
        if (F.CriticalErrorAutoClose)
            return Known("12", kActionYes, kFlagEndError | kFlagCriticalError,
                         L"フェイタルエラーなどの強制終了ダイアログを発見しました。ダイアログを閉じます。", kError, false);
        return Known("12b", kActionNone, kFlagEndError | kFlagCriticalError,
                     L"フェイタルエラーなどの強制終了ダイアログを発見しました。", kError, true);
    }
    if (Contains(T, L"FATAL") && Contains(T, L"ERROR"))
        return Known("13", kActionYes, 0, L"FATAL ERRORダイアログを発見しました。ダイアログを閉じます。", kReport, false);
    if (Contains(T, L"ﾋﾞｭｰﾎﾟｰﾄの照明ﾓｰﾄﾞ"))
        return Known("14", kActionClose, 0, L"ビューポートの照明モードダイアログを発見しました。ダイアログを閉じます。", kAdd, false);
    if (Contains(T, L"照明") && Contains(T, L"挿入単位"))
        return Known("15", kActionOk, 0, L"照明 挿入単位ダイアログを発見しました。ダイアログを閉じます。", kAdd, false);

    const std::wstring B = F.Body ? F.Body() : std::wstring();
    if (Contains(B, L"まだ実行中です"))
        return Known("16", kActionNone, kFlagEndError | kFlagCommandExecError,
                     L"コマンド実行中ダイアログを発見しました。処理に失敗しているようです", kError, true);
    if (Contains(B, L"書き") && Contains(B, L"禁止"))
        return Known("17", kActionClose, kFlagFileSaveError, L"書き込み禁止ダイアログを発見しました。ダイアログを閉じます", kAdd,
                     false, true);
    if (Contains(B, L"変更を保存しますか"))
        return Known("18", kActionNone, kFlagEndError, L"保存しますかダイアログを発見しました。中断します。", kError, true);
    if (Contains(B, L"読み込み専用")) {
        if (F.LinkReadOnlyPermission)
            return Known("19", kActionYes, kFlagReadOnlyLink, L"既に使用or読込専用ダイアログを発見しました。ダイアログを閉じます。",
                         kAdd, false);
        return Known("19b", kActionNo, kFlagEndError | kFlagReadOnlyError,
                     L"既に使用or読込専用ダイアログを発見しました。このソフトでは処理の都合上、保存の出来ないファイルは処理の対象外になっています。",
                     kError, false);
    }
    if (Contains(B, L"ﾌﾟﾛｯﾀ環境設定は使用できません"))
        return Known("20", kActionClose, 0, L"プロッタ使用不可ダイアログを発見しました。ダイアログを閉じます。", kReport, false);
    if (Contains(B, L"ﾌﾟﾘﾝﾀ名が無効"))
        return Known("21", kActionNo, 0, L"プリンタ名が無効ダイアログを発見しました。ダイアログを閉じます。", kReport, false);
    if (Contains(B, L"修復された"))
        return Known("22", kActionYes, 0, L"修復完了ダイアログを発見しました。ダイアログを閉じます。", kReport, false);
    if (Contains(B, L"ﾌｧｲﾙが互換性のない"))
        return Known("23", kActionClose, kFlagEndError | kFlagFileOpenError,
                     L"ファイル互換無し報告ダイアログを発見しました。ダイアログを閉じます。", kError, false);
    if (Contains(B, L"壊れた情報"))
        return Known("24", kActionClose, kFlagEndError | kFlagFileOpenError, L"破損報告ダイアログを発見しました。ダイアログを閉じます。",
                     kError, false);
    if (Contains(B, L"ﾌｧｲﾙが無効"))
        return Known("25", kActionClose, kFlagEndError | kFlagFileOpenError,
                     L"図面ファイルが無効ダイアログを発見しました。ダイアログを閉じます。", kError, false);
    if (Contains(B, L"継続不能")) {
        if (F.CriticalErrorAutoClose)
            return Known("26", kActionNo, kFlagEndError | kFlagCriticalError, L"継続不能ダイアログを発見しました。ダイアログを閉じます。",
                         kError, false);
        return Known("26b", kActionNone, kFlagEndError | kFlagCriticalError, L"継続不能ダイアログを発見しました。", kError, true);
    }
    if (Contains(B, L"図面を開く際に"))
        return Known("27", kActionYes, kFlagEndError | kFlagFileOpenError,
                     L"開く時のエラー検出ダイアログを発見しました。ダイアログを閉じます。", kError, false);
    if (Contains(B, L"図面ﾌｧｲﾙの修復"))
        return Known("28", kActionNo, kFlagEndError | kFlagFileOpenError,
                     L"図面ファイルの修復ダイアログを発見しました。オープンを中断します。", kError, false);

    const bool replaceQuestion = Contains(B, L"既に存在します") && Contains(B, L"置き換えますか");
    const bool fileChooser = Contains(B, L"ﾌｧｲﾙの種類") && Contains(B, L"保存先");
    if (StartsWith(T, L"印刷ﾌｧｲﾙを作成")) {
        if (replaceQuestion)
            return Known("29", kActionYes, 0, L"印刷ファイル作成の上書き確認ダイアログを発見しました。そのままYESを実行します。", kAdd,
                         false);
        if (fileChooser) {
            if (F.FileOutErrorFlag) return Known("30", kActionClose, 0, L"印刷ファイル作成ダイアログは閉じます。", kAdd, false);
            return Known("30b", kActionPostOk, 0, L"印刷ファイル作成ダイアログを発見しました。そのままOKを実行します。", kAdd, false);
        }
    }
    if (StartsWith(T, L"ﾌﾟﾛｯﾀ ﾌｧｲﾙを作成")) {
        if (replaceQuestion)
            return Known("31", kActionYes, 0,
                         L"プロッタファイル作成の上書き確認ダイアログを発見しました。そのままYESを実行します。", kAdd, false);
        if (fileChooser) {
            if (F.FileOutErrorFlag) return Known("32", kActionClose, 0, L"プロッタファイル作成ダイアログは閉じます。", kAdd, false);
            return Known("32b", kActionPostOk, 0, L"プロッタファイル作成ダイアログを発見しました。そのままOKを実行します。", kAdd,
                         false);
        }
    }
    if (Contains(T, L"印刷ﾌｧｲﾙが存在します"))
        return Known("33", kActionOk, 0, L"プロッタファイル作成の上書き確認ダイアログを発見しました。そのままOKを実行します。", kAdd,
                     false);
    if (StartsWith(T, L"印刷ﾌｧｲﾙを参照") && fileChooser) {
        if (F.FileOutErrorFlag) return Known("34", kActionClose, 0, L"印刷ファイル参照ダイアログは閉じます。", kAdd, false);
        return Known("34b", kActionPostOk, 0, L"印刷ファイル参照ダイアログを発見しました。そのままOKを実行します。", kAdd, false);
    }
    if (StartsWith(T, L"警告") && Contains(B, L"同じ名前の印刷ﾌｧｲﾙを上書きしてよろしいですか"))
        return Known("35", kActionOk, 0, L"プロッタファイル作成の上書き確認ダイアログを発見しました。そのままOKを実行します。", kAdd,
                     false);
    if (Contains(T, L"ﾌｧｲﾙを出力") && Contains(B, L"別のﾌﾟﾛｸﾞﾗﾑにより開かれて"))
        return Known("36", kActionClose, kFlagFileOutError,
                     L"別のプログラムにより開かれていますダイアログを発見しました。ファイルを作成出来ませんでした。", kError, false, true);
    if (Contains(T, L"AUTOCAD") && Contains(B, L"使用中です") && Contains(B, L"他のﾌｧｲﾙ名を"))
        return Known("37", kActionClose, kFlagFileOutError,
                     L"別のプログラムにより開かれていますダイアログを発見しました。ファイルを作成出来ませんでした。", kError, false, true);
    return Ignored("");
}

}  // namespace sb::acad
