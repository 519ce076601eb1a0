#include "common/SortVer4.h"

#include "common/CommonVer4.h"

bool TSortVer4::Execute(const std::vector<std::wstring>& Target) {
    try {
        sb::common::SortHooks hooks;
        hooks.Add = [this](const std::wstring& text, int level) { FLog.Add(text, level, 1); };
        hooks.Sub = [this](const std::wstring& text, int level) { FLog.Sub(text, level, 1); };
        hooks.Emergency = [this](const std::wstring& text) { FLog.Emergency(text); };
        hooks.ProgressRange = [this](int min, int max) {
            FLog.xProgressMin(min);
            FLog.xProgressMax(max);
        };
        hooks.ProgressPosition = [this](int position) { FLog.xProgressPosition(position); };
        hooks.ProgressInc = [this] { FLog.xProgressInc(); };
        hooks.Breaking = [this] { return FLog.BreakingCheck(); };
        hooks.FullWidth = ToFullWidth;
        hooks.Upper = LocaleUpperCase;
        return sb::common::SortExecute(Target, FSortVer4Mode, FSortType, Items, hooks);
    } catch (...) {
        FLog.Emergency(L"ソート中に内部エラーが発生しました");
        return false;
    }
}

bool TSortVer4::AnserGet(std::vector<std::wstring>& Target) const {
    Target.clear();
    for (const TSortDataVer4& item : Items) Target.push_back(item.Value);
    return true;
}
