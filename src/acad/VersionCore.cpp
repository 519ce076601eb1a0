#include "acad/VersionCore.h"

#include <iterator>

namespace sb::acad {

namespace {

struct Row {
    const wchar_t* Text;
    int Result;
};

// Left column top to bottom, then the right column, as the rows are tested.
constexpr Row kVersionRows[] = {
    {L"2000", 2000}, {L"2002", 2002}, {L"2004", 2004}, {L"2005", 2005}, {L"2006", 2006},
    {L"2007", 2007}, {L"2008", 2008}, {L"2009", 2009}, {L"2010", 2010}, {L"2011", 2011},
    {L"2012", 2012}, {L"2013", 2013}, {L"2014", 2014}, {L"2015", 2015}, {L"2016", 2016},
    {L"2017", 2017}, {L"2018", 2018}, {L"97", 97},     {L"98", 98},     {L"R14", 14},
};

constexpr Row kAcadVerRows[] = {
    {L"13", 13},       {L"14", 14},       {L"15.0h", 2000},  {L"15.05s", 2000}, {L"15.06s", 2002},
    {L"16.0s", 2004},  {L"16.1s", 2005},  {L"16.2s", 2006},  {L"17.0s", 2007},  {L"17.1s", 2008},
    {L"17.2s", 2009},  {L"18.0s", 2010},  {L"18.1s", 2011},  {L"18.2s", 2012},  {L"19.0s", 2013},
    {L"19.1s", 2014},  {L"20.0s", 2015},  {L"20.1s", 2016},  {L"21.0s", 2017},  {L"21.1s", 2018},
    {L"22.0s", 2018},
};

template <std::size_t N>
int LastRowFound(const Row (&Rows)[N], const std::wstring& Answer) {
    int result = 0;
    for (const Row& row : Rows)
        if (Answer.find(row.Text) != std::wstring::npos) result = row.Result;
    return result;
}

}  // namespace

int VersionFromVersionVar(const std::wstring& Answer) { return LastRowFound(kVersionRows, Answer); }

int VersionFromAcadVer(const std::wstring& Answer) { return LastRowFound(kAcadVerRows, Answer); }

int VersionFromCommandPrompt(const std::wstring& Prompt) {
    if (Prompt.rfind(L"ｺﾏﾝﾄﾞ", 0) == 0) return 2002;
    if (Prompt.rfind(L"コマンド", 0) == 0) return 2004;
    return 0;
}

int ChooseVersion(bool FlagVersionCheck, bool FlagVersionIdentification, int CadVersion, int DefaultVersion) {
    if (FlagVersionCheck && FlagVersionIdentification) return CadVersion;
    return (DefaultVersion < 2007) == (CadVersion < 2007) ? DefaultVersion : CadVersion;
}

}  // namespace sb::acad
