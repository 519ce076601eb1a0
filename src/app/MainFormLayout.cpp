#include "app/MainFormLayout.h"

#include "app/MainFormIds.h"

namespace {

using K = ControlKind;

// Order matters: parents before children; within a parent, creation order is tab order.
constexpr ControlSpec kControls[] = {
    {IDC_APPPAGE, 0, K::TabControl, L"AppPage", L"", 0, 0, 474, 318},
    {IDC_MAINPAGE, IDC_APPPAGE, K::Page, L"MainPage", L"メイン", 0, 0, 0, 0},
    {IDC_OPTIONPAGE, IDC_APPPAGE, K::Page, L"OptionPage", L"オプション", 0, 0, 0, 0},
    {IDC_LOGPAGE, IDC_APPPAGE, K::Page, L"LogPage", L"ログ情報", 0, 0, 0, 0},
    {IDC_WARNINGPAGE, IDC_APPPAGE, K::Page, L"WarningPage", L"注意事項", 0, 0, 0, 0},
    {IDC_HISTORYPAGE, IDC_APPPAGE, K::Page, L"HistoryPage", L"更新履歴", 0, 0, 0, 0},

    {IDC_MAINPAGECONTROL, IDC_MAINPAGE, K::TabControl, L"MainPageControl", L"", 0, 0, 0, 0},
    {IDC_LINESHEET, IDC_MAINPAGECONTROL, K::Page, L"LineSheet", L"整列", 0, 0, 0, 0},
    {IDC_ZOOMSHEET, IDC_MAINPAGECONTROL, K::Page, L"ZoomSheet", L"ズーム", 0, 0, 0, 0},
    {IDC_OTHERSSHEET, IDC_MAINPAGECONTROL, K::Page, L"OthersSheet", L"その他", 0, 0, 0, 0},

    {IDC_GROUPBOX3, IDC_LINESHEET, K::Group, L"GroupBox3", L"現在開いている全ての図面を整列", 3, 3, 447, 251},
    {IDC_ROW1SIDE + 0, IDC_GROUPBOX3, K::Button, L"Row1SideButton", L"横1列に並べる", 10, 25, 121, 25},
    {IDC_ROW1SIDE + 1, IDC_GROUPBOX3, K::Button, L"Row2SideButton", L"横2列に並べる", 10, 55, 121, 25},
    {IDC_ROW1SIDE + 2, IDC_GROUPBOX3, K::Button, L"Row3SideButton", L"横3列に並べる", 10, 85, 121, 25},
    {IDC_ROW1SIDE + 3, IDC_GROUPBOX3, K::Button, L"Row4SideButton", L"横4列に並べる", 10, 115, 121, 25},
    {IDC_ROW1SIDE + 4, IDC_GROUPBOX3, K::Button, L"Row5SideButton", L"横5列に並べる", 10, 145, 121, 25},
    {IDC_ROW1SIDE + 5, IDC_GROUPBOX3, K::Button, L"Row6SideButton", L"横6列に並べる", 10, 175, 121, 25},
    {IDC_ROW1SIDE + 6, IDC_GROUPBOX3, K::Button, L"Row7SideButton", L"横7列に並べる", 10, 205, 121, 25},
    {IDC_ROW1LENGTH + 0, IDC_GROUPBOX3, K::Button, L"Row1LengthButton", L"縦1列に並べる", 140, 25, 121, 25},
    {IDC_ROW1LENGTH + 1, IDC_GROUPBOX3, K::Button, L"Row2LengthButton", L"縦2列に並べる", 140, 55, 121, 25},
    {IDC_ROW1LENGTH + 2, IDC_GROUPBOX3, K::Button, L"Row3LengthButton", L"縦3列に並べる", 140, 85, 121, 25},
    {IDC_ROW1LENGTH + 3, IDC_GROUPBOX3, K::Button, L"Row4LengthButton", L"縦4列に並べる", 140, 115, 121, 25},
    {IDC_ROW1LENGTH + 4, IDC_GROUPBOX3, K::Button, L"Row5LengthButton", L"縦5列に並べる", 140, 145, 121, 25},
    {IDC_ROW1LENGTH + 5, IDC_GROUPBOX3, K::Button, L"Row6LengthButton", L"縦6列に並べる", 140, 175, 121, 25},
    {IDC_ROW1LENGTH + 6, IDC_GROUPBOX3, K::Button, L"Row7LengthButton", L"縦7列に並べる", 140, 205, 121, 25},
    {IDC_LINEICONCHECK, IDC_GROUPBOX3, K::Check, L"LineIconCheck", L"最小化していてるなら戻す", 270, 30, 170, 17},
    {IDC_LINEFILENAMESORTCHECK, IDC_GROUPBOX3, K::Check, L"LineFileNameSortCheck", L"ファイル名でソートする", 270, 50, 170, 17},
    {IDC_LINEFILENAMEMEMORYCHECK, IDC_GROUPBOX3, K::Check, L"LineFileNameMemoryCheck", L"ファイル名は記憶しておく", 270, 70, 170, 17},
    {IDC_LINEACTIVENOMOVECHECK, IDC_GROUPBOX3, K::Check, L"LineActiveNoMoveCheck", L"アクティブ図面は動かさない", 270, 110, 170, 17,
     L"アクティブ図面と被らないように^残りの図面を整列させます^アクティブ図面の上下左右で^一番広い空間に並べます"},

    {IDC_GROUPBOX1, IDC_ZOOMSHEET, K::Group, L"GroupBox1", L"現在開いている全ての図面をズーム", 3, 3, 447, 111},
    {IDC_ALLZOOMBUTTON, IDC_GROUPBOX1, K::Button, L"AllZoomButton", L"図面全体ズーム", 10, 15, 161, 25},
    {IDC_EXTZOOMBUTTON, IDC_GROUPBOX1, K::Button, L"ExtZoomButton", L"オブジェクト範囲ズーム", 10, 45, 161, 25},
    {IDC_ACTIVESIZEZOOMBUTTON, IDC_GROUPBOX1, K::Button, L"ActiveSizeZoomButton", L"アクティブ図面に合わせる(実寸)", 175, 15, 261, 25},
    {IDC_ACTIVEALLZOOMBUTTON, IDC_GROUPBOX1, K::Button, L"ActiveAllZoomButton", L"アクティブ図面に合わせる(図面範囲の比率)", 175, 45, 261, 25},
    {IDC_ACTIVEEXTZOOMBUTTON, IDC_GROUPBOX1, K::Button, L"ActiveExtZoomButton", L"アクティブ図面に合わせる(ｵﾌﾞｼﾞｪｸﾄ範囲の比率)", 175, 75, 261, 25},
    {IDC_ZOOMICONCHECK, IDC_GROUPBOX1, K::Check, L"ZoomIconCheck", L"最小化していてるなら戻す", 10, 80, 161, 17},
    {IDC_ZOOMTABSELECTRADIO, IDC_ZOOMSHEET, K::Group, L"ZoomTabSelectRadio", L"ズームを実行するタブ", 5, 115, 446, 137},
    {IDC_ZOOMTAB0 + 0, IDC_ZOOMTABSELECTRADIO, K::Radio, L"ZoomTabSelectRadio_0", L"現在のタブ", 10, 16, 426, 16},
    {IDC_ZOOMTAB0 + 1, IDC_ZOOMTABSELECTRADIO, K::Radio, L"ZoomTabSelectRadio_1", L"全てのタブ", 10, 33, 426, 16},
    {IDC_ZOOMTAB0 + 2, IDC_ZOOMTABSELECTRADIO, K::Radio, L"ZoomTabSelectRadio_2", L"モデルのみ", 10, 50, 426, 16},
    {IDC_ZOOMTAB0 + 3, IDC_ZOOMTABSELECTRADIO, K::Radio, L"ZoomTabSelectRadio_3", L"全てのレイアウト", 10, 67, 426, 16},
    {IDC_ZOOMTAB0 + 4, IDC_ZOOMTABSELECTRADIO, K::Radio, L"ZoomTabSelectRadio_4", L"現在のタブがレイアウトなら全てのレイアウト", 10, 84, 426, 16},
    {IDC_ZOOMTAB0 + 5, IDC_ZOOMTABSELECTRADIO, K::Radio, L"ZoomTabSelectRadio_5", L"モデルと全ての名前付きレイアウト", 10, 101, 426, 16},
    {IDC_ZOOMTAB0 + 6, IDC_ZOOMTABSELECTRADIO, K::Radio, L"ZoomTabSelectRadio_6", L"全ての名前付きレイアウト、無ければ現在タブ", 10, 118, 426, 16},

    {IDC_GROUPBOX2, IDC_OTHERSSHEET, K::Group, L"GroupBox2", L"現在開いている全ての図面へのファイル操作", 3, 3, 447, 71},
    {IDC_ALLSAVEBUTTON, IDC_GROUPBOX2, K::Button, L"AllSaveButton", L"全図面を上書き保存", 10, 15, 161, 25},
    {IDC_ALLSAVEICONCHECK, IDC_GROUPBOX2, K::Check, L"AllSaveIconCheck", L"最小化していてるなら戻す", 10, 45, 161, 17},
    {IDC_GROUPBOX4, IDC_OTHERSSHEET, K::Group, L"GroupBox4", L"現在開いている全ての図面へのウインドウ操作", 3, 75, 447, 51},
    {IDC_NOICONBUTTON, IDC_GROUPBOX4, K::Button, L"NoIconButton", L"全図面の最小化･最大化を解除", 10, 15, 201, 25},

    {IDC_OPTIONPANEL, IDC_OPTIONPAGE, K::Panel, L"OptionPanel", L"", 0, 0, 0, 0},
    {IDC_FORMPOSITION, IDC_OPTIONPANEL, K::Group, L"FormPosition", L"前面表示設定", 16, 8, 205, 105},
    {IDC_FORMPOSITION0 + 0, IDC_FORMPOSITION, K::Radio, L"FormPosition_0", L"通常通り", 10, 20, 185, 20},
    {IDC_FORMPOSITION0 + 1, IDC_FORMPOSITION, K::Radio, L"FormPosition_1", L"常に前面表示", 10, 47, 185, 20},
    {IDC_FORMPOSITION0 + 2, IDC_FORMPOSITION, K::Radio, L"FormPosition_2", L"実行中のみ前面表示", 10, 74, 185, 20},
    {IDC_INIACCESS, IDC_OPTIONPANEL, K::Group, L"IniAccess", L"設定保存・読込・関連付け", 16, 131, 205, 110},
    {IDC_INISAVEBUTTON, IDC_INIACCESS, K::Button, L"IniAccess_FSaveButton", L"保存", 20, 20, 75, 25},
    {IDC_INILOADBUTTON, IDC_INIACCESS, K::Button, L"IniAccess_FLoadButton", L"読み込み", 110, 20, 75, 25},
    {IDC_INILINKAGEBUTTON, IDC_INIACCESS, K::Button, L"IniAccess_FLinkageButton", L"関連付けをする", 20, 65, 165, 25},

    {IDC_LOGPANEL, IDC_LOGPAGE, K::Panel, L"LogPanel", L"", 0, 0, 0, 0},
    {IDC_LOG, IDC_LOGPANEL, K::LogHost, L"Log", L"", 10, 10, 444, 267},

    {IDC_WARNINGPANEL, IDC_WARNINGPAGE, K::Panel, L"WarningPanel", L"", 0, 0, 0, 0},
    {IDC_WARNINGMEMO, IDC_WARNINGPANEL, K::Memo, L"WarningMemo",
     L"・プログラム実行中は不用意にＡｕｔｏＣＡＤに触れないでください。\r\n"
     L"\u3000ＡｕｔｏＣＡＤに触れてアクティブな図面が変わるとそちらに処理をしてまう事があります。",
     0, 0, 0, 0},

    {IDC_HISTORYPANEL, IDC_HISTORYPAGE, K::Panel, L"HistoryPanel", L"", 0, 0, 0, 0},
    {IDC_HISTORYMEMO, IDC_HISTORYPANEL, K::Memo, L"HistoryMemo", nullptr, 5, 5, 454, 175},
    {IDC_GROUPBOX5, IDC_HISTORYPANEL, K::Group, L"GroupBox5", L"このソフトについて", 5, 185, 454, 95},
    {IDC_LABEL2, IDC_GROUPBOX5, K::Label, L"Label2", L"Sheetbay  Copyright (C) Sheetbay team", 10, 20, 430, 15},
    {IDC_LABEL3, IDC_GROUPBOX5, K::Label, L"Label3", L"ご意見・ご要望・不具合報告等については下記のホームページまで願いします。", 10, 42, 430, 15},
    {IDC_HOMEPAGELINKLABEL, IDC_GROUPBOX5, K::Link, L"HomePageLinkLabel",
     L"<a href=\"https://sheetbay.example.jp/\">https://sheetbay.example.jp/</a>", 10, 64, 430, 17},

    {IDC_STOPBUTTON, 0, K::Button, L"StopButton", L"中断", 5, 320, 75, 25},
    {IDC_APPENDBUTTON, 0, K::Button, L"AppEndButton", L"終了", 394, 320, 75, 25},
    {IDC_MESPANEL, 0, K::Status, L"MesPanel", L"", 0, 351, 474, 17},
    {IDC_MESLABEL, IDC_MESPANEL, K::Label, L"MesLabel", L"", 0, 0, 0, 0},
    {IDC_HELPBUTTON, 0, K::Button, L"HelpButton", L"？", 449, 0, 25, 25},
};

}  // namespace

std::span<const ControlSpec> MainFormControls() { return kControls; }
