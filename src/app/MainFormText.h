// Fixed texts of the main window that are not control captions.
#pragma once

inline constexpr wchar_t kMainFormCaption[] = L"Sheetbay Ver1.28";

// Change history, newest first: a dated block per release.
inline constexpr wchar_t kHistoryText[] =
    L"2026/12/10 Ver1.28\r\n"
    L"\u3000・全図面の整列、ズーム、上書き保存、最小化･最大化の解除を一つのボタンで実行\r\n"
    L"\u3000・実行中の中断ボタンとログ表示\r\n"
    L"\r\n\r\n";
