#include "log/LogText.h"

#include <cmath>

namespace sb::log {

namespace {

const SeverityStyle kStyles[] = {
    {L"", colours::Black, colours::White},                    // normal
    {L"", colours::Black, colours::Aqua},                     // memo
    {CodeOfReport, colours::White, colours::Green},           // report
    {CodeOfConfirmation, colours::White, colours::Blue},      // confirmation
    {CodeOfAttention, colours::Black, colours::Yellow},       // attention
    {CodeOfWarning, colours::White, colours::Fuchsia},        // warning
    {CodeOfError, colours::White, colours::Red},              // error
    {CodeOfEmergency, colours::White, colours::Red},          // internal error
    {CodeOfBreaking, colours::White, colours::Red},           // stop
};

// Nesting never goes this deep in practice; the cap only keeps a wild depth from
// building a gigantic line.
constexpr int kMaxIndentDepth = 100;

}  // namespace

const SeverityStyle& StyleOf(int severity) {
    if (severity < Normal || severity > BreakingLine) return kStyles[Normal];
    return kStyles[severity];
}

std::optional<std::wstring> RenderDepth(const std::wstring& text, int depth) {
    if (depth <= 0) return std::nullopt;
    if (depth == 1) return text;
    if (depth == 2) return L"\u3000\u3000" + text;
    const int copies = (depth > kMaxIndentDepth ? kMaxIndentDepth : depth) - 1;
    std::wstring line;
    line.reserve(static_cast<size_t>(copies) * 2 + 1 + text.size());
    for (int i = 0; i < copies; ++i) line += L"\u3000\u3000";
    line += L'\u2514';
    line += text;
    return line;
}

int ClampPosition(int value, int min, int max) {
    if (value < min) value = min;
    if (value > max) value = max;
    return value;
}

std::wstring BarText(const std::wstring& head, int min, int max, int position) {
    const long long pos = ClampPosition(position, min, max);
    const long long done = pos - min;
    const long long span = static_cast<long long>(max) - min;
    const double percent = span == 0 ? 100.0 : static_cast<double>(done) / static_cast<double>(span) * 100.0;
    // Two decimals by hand: independent of the C locale's decimal separator.
    long long hundredths = std::llround(percent * 100.0);
    std::wstring number;
    if (hundredths < 0) {
        number = L"-";
        hundredths = -hundredths;
    }
    const long long cents = hundredths % 100;
    number += std::to_wstring(hundredths / 100) + L"." + (cents < 10 ? L"0" : L"") + std::to_wstring(cents);
    return head + L" " + std::to_wstring(done) + L"/" + std::to_wstring(span) + L" (" + number + L"％)";
}

std::wstring BarPlaceholder(const std::wstring& head) { return head + L" ---/--- (---％)"; }

std::wstring FacadeLineText(const std::wstring& name, const std::wstring& text, int LogMode) {
    return LogMode == 1 ? FacadeSeverityText(name, text) : text;
}

std::wstring FacadeSeverityText(const std::wstring& name, const std::wstring& text) {
    return name + L"\uFF1A" + text;
}

std::wstring OneLineHint(const std::wstring& hint) {
    std::wstring line;
    line.reserve(hint.size());
    for (wchar_t c : hint) {
        if (c != L'\r' && c != L'\n' && c != L'\t') line += c;
    }
    return line;
}

}  // namespace sb::log
