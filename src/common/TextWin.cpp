// The text rules bound to the system's locale services.
#include <windows.h>

#include <vector>

#include "common/CommonVer4.h"

namespace {

// LCMapStringW with the size asked first: the half-width form can be longer than the input.
std::wstring MapString(LCID locale, DWORD flags, const std::wstring& S) {
    if (S.empty() || S.size() > 0x3FFFFFFF) return S;
    const int inLength = static_cast<int>(S.size());
    const int needed = LCMapStringW(locale, flags, S.data(), inLength, nullptr, 0);
    if (needed <= 0) return S;
    std::vector<wchar_t> buffer(static_cast<std::size_t>(needed));
    const int written = LCMapStringW(locale, flags, S.data(), inLength, buffer.data(), needed);
    if (written <= 0) return S;
    return std::wstring(buffer.data(), static_cast<std::size_t>(written));
}

std::wstring LocaleDecimalSeparator() {
    wchar_t buffer[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8) <= 0) return L".";
    return buffer;
}

}  // namespace

std::wstring ToFullWidth(const std::wstring& S) { return MapString(LOCALE_SYSTEM_DEFAULT, LCMAP_FULLWIDTH, S); }
std::wstring ToHalfWidth(const std::wstring& S) { return MapString(LOCALE_SYSTEM_DEFAULT, LCMAP_HALFWIDTH, S); }
std::wstring LocaleUpperCase(const std::wstring& S) { return MapString(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, S); }

std::wstring NormalizeTitle(const std::wstring& S) {
    return sb::common::NormalizeTitle(S, LocaleUpperCase, ToHalfWidth);
}

std::wstring SpaceShrink(const std::wstring& S) { return sb::common::SpaceShrink(S); }
bool FindInteger(const std::wstring& S, int& Value) { return sb::common::FindInteger(S, Value); }

bool FindReal(const std::wstring& S, double& Value) {
    // The run holds only digits and ".": under a locale whose separator is not "." a run with a
    // "." does not convert, as the locale's own conversion would refuse it.
    const bool dotLocale = LocaleDecimalSeparator() == L".";
    return sb::common::FindReal(S, Value, [dotLocale](const std::wstring& run, double& v) {
        if (!dotLocale && run.find(L'.') != std::wstring::npos) return false;
        return sb::common::ParseDotReal(run, v);
    });
}

std::wstring DequoteStr(const std::wstring& S) { return sb::common::DequoteStr(S); }
int BackPos(const std::wstring& SubStr, const std::wstring& S, int Offset) {
    return sb::common::BackPos(SubStr, S, Offset);
}
bool WildcardMatch(const std::wstring& Text, const std::wstring& Pattern) {
    return sb::common::WildcardMatch(Text, Pattern);
}

bool PromptListMatch(const std::wstring& Prompt, const std::vector<std::wstring>& List, int& Index) {
    return sb::common::PromptListMatch(Prompt, List, Index, LocaleUpperCase);
}
