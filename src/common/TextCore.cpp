#include "common/TextCore.h"

#include <cstdint>
#include <locale>
#include <sstream>

namespace sb::common {

namespace {

bool IsAsciiDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsBlank(wchar_t c) { return c == L' ' || c == kIdeographicSpace; }

// From the first "-" or ASCII digit: that character plus the longest run of Accept characters.
template <class Pred>
std::wstring FirstNumberRun(const std::wstring& S, Pred Accept) {
    std::size_t i = 0;
    while (i < S.size() && S[i] != L'-' && !IsAsciiDigit(S[i])) ++i;
    if (i == S.size()) return {};
    std::size_t j = i + 1;
    while (j < S.size() && Accept(S[j])) ++j;
    return S.substr(i, j - i);
}

}  // namespace

std::wstring Trim(const std::wstring& S) {
    std::size_t b = 0, e = S.size();
    while (b < e && static_cast<std::uint32_t>(S[b]) <= 0x20) ++b;
    while (e > b && static_cast<std::uint32_t>(S[e - 1]) <= 0x20) --e;
    return S.substr(b, e - b);
}

std::wstring NormalizeTitle(const std::wstring& S, const TextMap& Upper, const TextMap& HalfWidth) {
    std::wstring t = Trim(S);
    if (Upper) t = Upper(t);
    if (HalfWidth) t = HalfWidth(t);
    std::wstring out;
    out.reserve(t.size());
    for (wchar_t c : t) {
        if (c == kIdeographicSpace && !out.empty() && out.back() == kIdeographicSpace) continue;
        out.push_back(c);
    }
    return out;
}

std::wstring SpaceShrink(const std::wstring& S) {
    std::wstring out;
    out.reserve(S.size());
    for (std::size_t i = 0; i < S.size(); ++i) {
        if (i > 0 && IsBlank(S[i]) && IsBlank(S[i - 1])) continue;
        out.push_back(S[i]);
    }
    if (!out.empty() && IsBlank(out.front())) out.erase(0, 1);
    if (!out.empty() && IsBlank(out.back())) out.pop_back();
    return out;
}

bool FindInteger(const std::wstring& S, int& Value) {
    const std::wstring run = FirstNumberRun(S, IsAsciiDigit);
    if (run.empty() || run == L"-") return false;
    const bool negative = run[0] == L'-';
    std::int64_t v = 0;
    for (std::size_t i = negative ? 1 : 0; i < run.size(); ++i) {
        v = v * 10 + (run[i] - L'0');
        if (v > 2147483648LL) return false;  // beyond 32 bits either way
    }
    if (negative) v = -v;
    if (v > 2147483647LL) return false;
    Value = static_cast<int>(v);
    return true;
}

bool FindReal(const std::wstring& S, double& Value, const RealParser& Parse) {
    const std::wstring run = FirstNumberRun(S, [](wchar_t c) { return IsAsciiDigit(c) || c == L'.'; });
    if (run.empty() || run == L"-" || !Parse) return false;
    double v = 0;
    if (!Parse(run, v)) return false;
    Value = v;
    return true;
}

bool ParseDotReal(const std::wstring& S, double& Value) {
    // Only what FindReal hands over: optional "-", digits, at most one ".", at least one digit.
    std::string narrow;
    int dots = 0, digits = 0;
    for (std::size_t i = 0; i < S.size(); ++i) {
        const wchar_t c = S[i];
        if (c == L'-' && i == 0) {
        } else if (c == L'.') {
            if (++dots > 1) return false;
        } else if (IsAsciiDigit(c)) {
            ++digits;
        } else {
            return false;
        }
        narrow.push_back(static_cast<char>(c));
    }
    if (digits == 0) return false;
    std::istringstream in(narrow);
    in.imbue(std::locale::classic());
    double v = 0;
    in >> v;
    if (in.fail()) return false;
    Value = v;
    return true;
}

std::wstring DequoteStr(const std::wstring& S) {
    if (S.size() > 1 && S.front() == L'"' && S.back() == L'"') return S.substr(1, S.size() - 2);
    return S;
}

int BackPos(const std::wstring& SubStr, const std::wstring& S, int Offset) {
    if (SubStr.empty() || S.empty()) return 0;
    const long long len = static_cast<long long>(S.size());
    long long end = Offset == -1 ? len : Offset;
    if (end < 1) end = 1;
    if (end > len) end = len;
    const long long sub = static_cast<long long>(SubStr.size());
    for (long long pos = end - sub + 1; pos >= 1; --pos) {
        if (S.compare(static_cast<std::size_t>(pos - 1), SubStr.size(), SubStr) == 0) return static_cast<int>(pos);
    }
    return 0;
}

}  // namespace sb::common
