// Window-free text rules: trimming, title normalisation, blank shrinking, numbers inside texts,
// quotes and backward search. Locale services (upper case, width mapping, number parsing) come in
// as parameters so this builds and is tested natively.
#pragma once

#include <functional>
#include <string>

namespace sb::common {

using TextMap = std::function<std::wstring(const std::wstring&)>;
// Converts a whole text of digits and "." (optionally led by "-") to a double; false if it cannot.
using RealParser = std::function<bool(const std::wstring&, double&)>;

inline constexpr wchar_t kIdeographicSpace = L'\x3000';

// Removes leading and trailing characters up to U+0020.
std::wstring Trim(const std::wstring& S);

// Trim, Upper, HalfWidth, then each run of U+3000 cut to its first character.
std::wstring NormalizeTitle(const std::wstring& S, const TextMap& Upper, const TextMap& HalfWidth);

// Runs of blanks (U+0020, U+3000) cut to their first character, then one leading and one
// trailing blank removed.
std::wstring SpaceShrink(const std::wstring& S);

// The first "-" or ASCII digit starts the number; it runs over ASCII digits. A lone "-" or a value
// outside 32 bits is no number. Value is left unchanged on false.
bool FindInteger(const std::wstring& S, int& Value);
// As FindInteger, but the run also takes "."; Parse converts it (locale format in the program).
bool FindReal(const std::wstring& S, double& Value, const RealParser& Parse);
// Parser for texts written with "." as the decimal separator, independent of any locale.
bool ParseDotReal(const std::wstring& S, double& Value);

// Removes one pair of surrounding double quotes.
std::wstring DequoteStr(const std::wstring& S);

// 1-based position of the last occurrence of SubStr ending at or before Offset (-1 = length of S,
// below 1 counts as 1, beyond the length is clamped); 0 if none.
int BackPos(const std::wstring& SubStr, const std::wstring& S, int Offset = -1);

}  // namespace sb::common
