// Natural sort, window-free: sort keys (file-name part, width, case), digit-run padding so that
// runs compare by value, and the bubble sort that also exchanges equal keys. The component
// TSortVer4 (SortVer4.h) binds it to the log and the locale through SortHooks.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/TextCore.h"

enum TSortModeItemVer4 : unsigned {
    SiSortMultiByte = 1u << 0,  // key in full width
    SiSortUpper = 1u << 1,      // key upper-cased
    SiFilename = 1u << 2,       // only the file-name part
    SiSortReal = 1u << 3,       // digit runs padded to compare by value
    SiSortOrder = 1u << 4,      // descending
};
using TSortModeVer4 = unsigned;  // set of TSortModeItemVer4 bits

struct TSortDataVer4 {
    int Index = 0;           // position in the input
    std::wstring Value;      // the input string
    std::wstring WorkComp;   // the sort key
    std::wstring WorkValue;  // the key before padding
    std::wstring RealStr;    // the padded key while it is built
    int MojiLength = 0;      // non-digit characters of the key
    int MathCount = 0;       // digit runs of the key
};

class TSortDataListVer4 {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    TSortDataVer4& Get(int Index) { return FItems.at(static_cast<std::size_t>(Index)); }
    const TSortDataVer4& Get(int Index) const { return FItems.at(static_cast<std::size_t>(Index)); }
    void Put(int Index, const TSortDataVer4& Value) { FItems.at(static_cast<std::size_t>(Index)) = Value; }
    void Exchange(int I, int J) { std::swap(Get(I), Get(J)); }
    void Add(TSortDataVer4 Value) { FItems.push_back(std::move(Value)); }
    void Clear() { FItems.clear(); }
    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }

private:
    std::vector<TSortDataVer4> FItems;
};

namespace sb::common {

inline constexpr wchar_t kSortStart[] = L"ソート中\uFF65\uFF65\uFF65";
inline constexpr wchar_t kSortDone[] = L"ソート完了";
inline constexpr wchar_t kSortPrepare[] = L"ソートデータの準備中";
inline constexpr wchar_t kSortNumbering[] = L"数字の数値化中";
inline constexpr wchar_t kSortWidthSurvey[] = L"数字の最大桁数調査中";
inline constexpr wchar_t kSortBubble[] = L"バブルソート中";
inline constexpr wchar_t kSortBadType[] = L"存在しないソートタイプが選ばれています";

// Everything the sort needs from outside; unset members do nothing (Breaking: never).
struct SortHooks {
    std::function<void(const std::wstring& Text, int Level)> Add;  // top-level line
    std::function<void(const std::wstring& Text, int Level)> Sub;  // nested line
    std::function<void(const std::wstring& Text)> Emergency;
    std::function<void(int Min, int Max)> ProgressRange;          // the step bar
    std::function<void(int Position)> ProgressPosition;
    std::function<void()> ProgressInc;
    std::function<bool()> Breaking;                               // stop requested
    TextMap FullWidth;
    TextMap Upper;
};

// 0 for not a digit, 1 for "0"-"9", 2 for full-width "０"-"９".
int DigitClass(wchar_t C);
// The part after the last "\" or drive ":".
std::wstring FileNamePart(const std::wstring& Path);
// Longest digit run in Key (runs end where the digit class changes).
int LongestDigitRun(const std::wstring& Key);
// Key with every digit run led by zeros of its class up to Width.
std::wstring PadDigitRuns(const std::wstring& Key, int Width);

bool SortDataPrepare(const std::vector<std::wstring>& Target, TSortModeVer4 Mode, TSortDataListVer4& Items,
                     const SortHooks& Hooks);
bool SortRealNumber(TSortModeVer4 Mode, TSortDataListVer4& Items, const SortHooks& Hooks);
bool SortSortType(int SortType, TSortModeVer4 Mode, TSortDataListVer4& Items, const SortHooks& Hooks);
bool SortBubble(TSortModeVer4 Mode, TSortDataListVer4& Items, const SortHooks& Hooks);

// The whole run: lines, the three steps, and the closing line. Items holds the result.
bool SortExecute(const std::vector<std::wstring>& Target, TSortModeVer4 Mode, int SortType,
                 TSortDataListVer4& Items, const SortHooks& Hooks);

}  // namespace sb::common
