#include "acad/SaveCore.h"

#include <cstddef>

#include "common/TextCore.h"

namespace sb::acad {

std::wstring SaveFileCheckMessage(const std::wstring& TargetPath, const FileFacts& Current, const FileFacts& Target) {
    if (TargetPath.empty()) {
        if (!Current.Exists) return kSaveNoNameText;
        if (Current.ReadOnly) return kSaveCurrentReadOnlyText;
        return {};
    }
    if (Target.Exists && Target.ReadOnly) return kSaveTargetReadOnlyText;
    return {};
}

SaveConfirm SaveHistoryConfirm(const std::wstring& History, const std::wstring& Path) {
    const int pos = Path.empty() ? 0 : common::BackPos(Path, History);
    if (pos == 0) return SaveConfirm::PathNotFound;
    if (History.find(L"無効です", static_cast<std::size_t>(pos - 1)) != std::wstring::npos) return SaveConfirm::Invalid;
    return SaveConfirm::Ok;
}

}  // namespace sb::acad
