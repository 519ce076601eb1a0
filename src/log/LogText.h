// Text and colour rules of log lines that need no window: severities with their prefixes and
// colours, depth indentation, progress texts, and the hint cleanup of the status label.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sb::log {

// 0x00BBGGRR like a Win32 COLORREF. Values with the top bit set name a system colour
// (low byte = COLOR_* index), resolved by the view.
using Colour = std::uint32_t;

namespace colours {
inline constexpr Colour White = 0x00FFFFFF;
inline constexpr Colour Black = 0x00000000;
inline constexpr Colour Aqua = 0x00FFFF00;     // red 0, green 255, blue 255
inline constexpr Colour Green = 0x00008000;    // red 0, green 128, blue 0
inline constexpr Colour Blue = 0x00FF0000;     // red 0, green 0, blue 255
inline constexpr Colour Yellow = 0x0000FFFF;   // red 255, green 255, blue 0
inline constexpr Colour Fuchsia = 0x00FF00FF;  // red 255, green 0, blue 255
inline constexpr Colour Red = 0x000000FF;      // red 255, green 0, blue 0
inline constexpr Colour SystemFlag = 0x80000000;
inline constexpr Colour SysWindowText = SystemFlag | 8;  // COLOR_WINDOWTEXT
inline constexpr Colour SysBtnFace = SystemFlag | 15;    // COLOR_BTNFACE
}  // namespace colours

enum Severity : int {
    Normal = 0,
    MemoLine = 1,
    ReportLine = 2,
    ConfirmationLine = 3,
    AttentionLine = 4,
    WarningLine = 5,
    ErrorLine = 6,
    EmergencyLine = 7,
    BreakingLine = 8,
};

inline constexpr const wchar_t* CodeOfNormal = L"■■通　常■■";
inline constexpr const wchar_t* CodeOfMemo = L"■■メ　モ■■";
inline constexpr const wchar_t* CodeOfReport = L"■■報　告■■";
inline constexpr const wchar_t* CodeOfConfirmation = L"■■確　認■■";
inline constexpr const wchar_t* CodeOfAttention = L"■■注　意■■";
inline constexpr const wchar_t* CodeOfWarning = L"■■警　報■■";
inline constexpr const wchar_t* CodeOfError = L"■■エラー■■";
inline constexpr const wchar_t* CodeOfEmergency = L"■内部エラー■";
inline constexpr const wchar_t* CodeOfBreaking = L"■■中　断■■";

struct SeverityStyle {
    const wchar_t* Prefix;  // what goes in front of the text (empty for normal lines and memos)
    Colour FontColor;
    Colour BrushColor;
};

// Style of a severity 0..8; anything else is treated as normal.
const SeverityStyle& StyleOf(int severity);

// The line for a normal text at depth LogMode, or nothing when the depth is silent (<= 0).
std::optional<std::wstring> RenderDepth(const std::wstring& text, int depth);

// "全体 3/10 (30.00％)" style text of a progress bar; position is clamped to [min, max].
std::wstring BarText(const std::wstring& head, int min, int max, int position);
// Text shown before a bar was drawn for the first time.
std::wstring BarPlaceholder(const std::wstring& head);

// Clamps like the bar does: below min -> min, then above max -> max.
int ClampPosition(int value, int min, int max);

// What a component's facade named `name` hands on: a normal line carries the name only at the
// top level (depth 1), a severity line always; both as name + "：" + text.
std::wstring FacadeLineText(const std::wstring& name, const std::wstring& text, int LogMode);
std::wstring FacadeSeverityText(const std::wstring& name, const std::wstring& text);

// A hint shown on the status label: CR, LF and TAB removed.
std::wstring OneLineHint(const std::wstring& hint);

}  // namespace sb::log
