#include "common/SortCore.h"

#include <algorithm>
#include <climits>

namespace sb::common {

namespace {

void Add(const SortHooks& h, const wchar_t* text, int level) { if (h.Add) h.Add(text, level); }
void Sub(const SortHooks& h, const wchar_t* text, int level) { if (h.Sub) h.Sub(text, level); }
void Range(const SortHooks& h, long long max) {
    if (h.ProgressRange) h.ProgressRange(0, static_cast<int>(std::min<long long>(max, INT_MAX)));
}
void Position(const SortHooks& h, int pos) { if (h.ProgressPosition) h.ProgressPosition(pos); }
bool Breaking(const SortHooks& h) { return h.Breaking && h.Breaking(); }

wchar_t ZeroOf(int digitClass) { return digitClass == 2 ? L'\xFF10' : L'0'; }

}  // namespace

int DigitClass(wchar_t C) {
    if (C >= L'0' && C <= L'9') return 1;
    if (C >= L'\xFF10' && C <= L'\xFF19') return 2;
    return 0;
}

std::wstring FileNamePart(const std::wstring& Path) {
    const std::size_t cut = Path.find_last_of(L"\\:");
    return cut == std::wstring::npos ? Path : Path.substr(cut + 1);
}

int LongestDigitRun(const std::wstring& Key) {
    int longest = 0, run = 0, runClass = 0;
    for (wchar_t c : Key) {
        const int cls = DigitClass(c);
        run = cls == 0 ? 0 : (cls == runClass ? run + 1 : 1);
        runClass = cls;
        longest = std::max(longest, run);
    }
    return longest;
}

std::wstring PadDigitRuns(const std::wstring& Key, int Width) {
    std::wstring out;
    std::size_t i = 0;
    while (i < Key.size()) {
        const int cls = DigitClass(Key[i]);
        if (cls == 0) {
            out.push_back(Key[i++]);
            continue;
        }
        std::size_t j = i;
        while (j < Key.size() && DigitClass(Key[j]) == cls) ++j;
        const int len = static_cast<int>(j - i);
        if (len < Width) out.append(static_cast<std::size_t>(Width - len), ZeroOf(cls));
        out.append(Key, i, j - i);
        i = j;
    }
    return out;
}

bool SortDataPrepare(const std::vector<std::wstring>& Target, TSortModeVer4 Mode, TSortDataListVer4& Items,
                     const SortHooks& Hooks) {
    Sub(Hooks, kSortPrepare, 1);
    Range(Hooks, static_cast<long long>(Target.size()));
    for (std::size_t k = 0; k < Target.size(); ++k) {
        Position(Hooks, static_cast<int>(k));
        if (Breaking(Hooks)) return false;
        TSortDataVer4 item;
        item.Index = static_cast<int>(k);
        item.Value = Target[k];
        std::wstring key = Target[k];
        if (Mode & SiFilename) key = FileNamePart(key);
        if ((Mode & SiSortMultiByte) && Hooks.FullWidth) key = Hooks.FullWidth(key);
        if ((Mode & SiSortUpper) && Hooks.Upper) key = Hooks.Upper(key);
        item.WorkComp = item.WorkValue = key;
        Items.Add(std::move(item));
    }
    return true;
}

bool SortRealNumber(TSortModeVer4 Mode, TSortDataListVer4& Items, const SortHooks& Hooks) {
    if (!(Mode & SiSortReal)) return true;
    Sub(Hooks, kSortNumbering, 1);
    Sub(Hooks, kSortWidthSurvey, 2);
    const int n = Items.Count();
    Range(Hooks, n);
    int width = 0;
    for (int i = 0; i < n; ++i) {
        Position(Hooks, i);
        if (Breaking(Hooks)) return false;
        TSortDataVer4& item = Items.Get(i);
        item.MojiLength = 0;
        item.MathCount = 0;
        int prevClass = 0;
        for (wchar_t c : item.WorkComp) {
            const int cls = DigitClass(c);
            if (cls == 0) ++item.MojiLength;
            else if (cls != prevClass) ++item.MathCount;
            prevClass = cls;
        }
        width = std::max(width, LongestDigitRun(item.WorkComp));
    }
    Sub(Hooks, kSortNumbering, 2);
    Range(Hooks, n);
    for (int i = 0; i < n; ++i) {
        Position(Hooks, i);
        if (Breaking(Hooks)) return false;
        TSortDataVer4& item = Items.Get(i);
        item.RealStr = PadDigitRuns(item.WorkComp, width);
        item.WorkComp = item.RealStr;
    }
    return true;
}

bool SortBubble(TSortModeVer4 Mode, TSortDataListVer4& Items, const SortHooks& Hooks) {
    Sub(Hooks, kSortBubble, 1);
    const long long n = Items.Count();
    Range(Hooks, n * (n + 1) / 2);
    Position(Hooks, 0);
    if (n < 2) return true;
    const bool descending = (Mode & SiSortOrder) != 0;
    for (int i = 0; i + 1 < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            if (Hooks.ProgressInc) Hooks.ProgressInc();
            if (Breaking(Hooks)) return false;
            // Ordinal on UTF-16 units; a prefix is the smaller. Equal keys are exchanged too.
            const int cmp = Items.Get(i).WorkComp.compare(Items.Get(j).WorkComp);
            if (descending ? cmp <= 0 : cmp >= 0) Items.Exchange(i, j);
        }
    }
    return true;
}

bool SortSortType(int SortType, TSortModeVer4 Mode, TSortDataListVer4& Items, const SortHooks& Hooks) {
    if (SortType == 0) return SortBubble(Mode, Items, Hooks);
    if (Hooks.Emergency) Hooks.Emergency(kSortBadType);
    return false;
}

bool SortExecute(const std::vector<std::wstring>& Target, TSortModeVer4 Mode, int SortType,
                 TSortDataListVer4& Items, const SortHooks& Hooks) {
    Add(Hooks, kSortStart, 0);
    Items.Clear();
    if (!SortDataPrepare(Target, Mode, Items, Hooks)) return false;
    if (!SortRealNumber(Mode, Items, Hooks)) return false;
    if (!SortSortType(SortType, Mode, Items, Hooks)) return false;
    Add(Hooks, kSortDone, 1);
    return true;
}

}  // namespace sb::common
