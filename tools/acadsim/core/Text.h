// Text helpers of the stand-in. std::wstring holds UTF-16 code units on every platform.
#pragma once

#include <string>
#include <vector>

namespace acadsim {

std::wstring fromUtf8(const std::string& s);
std::string toUtf8(const std::wstring& s);

// Full-width katakana (and the long-vowel mark) to half-width, as releases before 2004 print them.
std::wstring halfWidthKana(const std::wstring& s);

std::wstring upperAscii(std::wstring s);
bool equalsNoCase(const std::wstring& a, const std::wstring& b);
std::wstring trim(const std::wstring& s);
std::vector<std::wstring> split(const std::wstring& s, wchar_t sep);
bool startsWith(const std::wstring& s, const std::wstring& prefix);

// AutoCAD's display of a real with four decimals; huge values (an empty space's extents) in
// exponent form: 1.0000E+20.
std::wstring formatReal(double v);
std::wstring formatInt(long long v);
// A whole text as a number: blanks around it allowed, "." only, nothing else after it.
bool parseReal(const std::wstring& s, double& out);
// "x,y" or "x,y,z" (z ignored).
bool parsePoint(const std::wstring& s, double& x, double& y);

std::wstring fileNamePart(const std::wstring& path);
std::wstring folderPart(const std::wstring& path);  // without the trailing separator
std::wstring extensionPart(const std::wstring& path);  // ".dwg" or empty
std::wstring replaceExtension(const std::wstring& path, const std::wstring& ext);

}  // namespace acadsim
