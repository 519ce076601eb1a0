#include "Release.h"

#include "Text.h"

namespace acadsim {

namespace {
struct YearInfo {
    int year;
    const wchar_t* acadver;
};
const YearInfo kYears[] = {
    {13, L"13"}, {14, L"14.0"}, {97, L"14.0"}, {98, L"14.01"},
    {2000, L"15.0s (LMS Tech)"}, {2002, L"15.06s (LMS Tech)"}, {2004, L"16.0s (LMS Tech)"},
    {2005, L"16.1s (LMS Tech)"}, {2006, L"16.2s (LMS Tech)"}, {2007, L"17.0s (LMS Tech)"},
    {2008, L"17.1s (LMS Tech)"}, {2009, L"17.2s (LMS Tech)"}, {2010, L"18.0s (LMS Tech)"},
    {2011, L"18.1s (LMS Tech)"}, {2012, L"18.2s (LMS Tech)"}, {2013, L"19.0s (LMS Tech)"},
    {2014, L"19.1s (LMS Tech)"}, {2015, L"20.0s (LMS Tech)"}, {2016, L"20.1s (LMS Tech)"},
    {2017, L"21.0s (LMS Tech)"}, {2018, L"22.0s (LMS Tech)"}, {2019, L"23.0s (LMS Tech)"},
    {2020, L"23.1s (LMS Tech)"}, {2021, L"24.0s (LMS Tech)"}, {2022, L"24.1s (LMS Tech)"},
    {2023, L"24.2s (LMS Tech)"},
};
}  // namespace

bool isKnownYear(int year) {
    for (const auto& y : kYears)
        if (y.year == year) return true;
    return false;
}

std::wstring defaultAcadver(int year) {
    for (const auto& y : kYears)
        if (y.year == year) return y.acadver;
    return L"";
}

std::wstring defaultTitle(int year, bool lt) {
    std::wstring product = lt ? L"AutoCAD LT" : L"AutoCAD";
    if (year == 13 || year == 14) return product + L" R" + formatInt(year);
    if (year == 97 || year == 98) return L"AutoCAD LT " + formatInt(year);
    if (year >= 2009) return L"Autodesk " + product + L" " + formatInt(year);
    return product + L" " + formatInt(year);
}

std::wstring Release::nativeFormat() const {
    int y = sortYear();
    if (y >= 2018) return L"2018";
    if (y >= 2013) return L"2013";
    if (y >= 2010) return L"2010";
    if (y >= 2007) return L"2007";
    if (y >= 2004) return L"2004";
    if (y >= 2000) return L"2000";
    return L"R14";
}

std::vector<std::wstring> saveFormats(const Release& r) {
    static const wchar_t* all[] = {L"R14", L"2000", L"2004", L"2007", L"2010", L"2013", L"2018"};
    std::vector<std::wstring> out;
    for (const wchar_t* f : all) {
        out.push_back(f);
        if (r.nativeFormat() == f) break;
    }
    return out;
}

std::wstring dwgMagic(const std::wstring& format) {
    if (format == L"R14") return L"AC1014";
    if (format == L"2000") return L"AC1015";
    if (format == L"2004") return L"AC1018";
    if (format == L"2007") return L"AC1021";
    if (format == L"2010") return L"AC1024";
    if (format == L"2013") return L"AC1027";
    return L"AC1032";
}

bool isModelName(const std::wstring& name) {
    return equalsNoCase(name, L"Model") || name == L"モデル" || name == L"\uFF93\uFF83\uFF9E\uFF99";
}

std::wstring Drawing::title() const { return path.empty() ? untitledName : fileNamePart(path); }

int Drawing::findTab(const std::wstring& name) const {
    if (isModelName(name)) return 0;
    for (size_t i = 1; i < tabs.size(); ++i)
        if (equalsNoCase(tabs[i].name, name)) return static_cast<int>(i);
    return -1;
}

}  // namespace acadsim
