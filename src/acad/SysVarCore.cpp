#include "acad/SysVarCore.h"

#include <cstddef>

#include "acad/AcadCore.h"

namespace sb::acad {

namespace {

bool IsQuote(wchar_t c) { return c == L'"' || c == L'\x201D'; }

}  // namespace

std::wstring ValueAfterEquals(const std::wstring& Rest) {
    std::size_t i = 0;
    while (i < Rest.size() && Rest[i] == L' ') ++i;
    if (i == Rest.size()) return {};
    wchar_t endMark = L' ';
    if (IsQuote(Rest[i])) endMark = Rest[i++];
    const std::size_t end = Rest.find(endMark, i);
    return Rest.substr(i, end == std::wstring::npos ? std::wstring::npos : end - i);
}

VarReadResult ReadOnlyValue(const std::vector<std::wstring>& LinesBelowEcho, const std::wstring& Target,
                            std::wstring& Value) {
    Value.clear();
    if (Target.empty()) return VarReadResult::NotFound;
    const std::wstring* found = nullptr;
    for (std::size_t i = LinesBelowEcho.size(); i-- > 0;)
        if (LinesBelowEcho[i].find(Target) != std::wstring::npos && LinesBelowEcho[i].find(L'=') != std::wstring::npos) {
            found = &LinesBelowEcho[i];
            break;
        }
    if (!found) return VarReadResult::NotFound;
    const std::wstring rest = common::Trim(found->substr(found->find(Target) + Target.size()));
    if (rest.size() < 2) return VarReadResult::Unreadable;
    if (rest[0] != L'=') return VarReadResult::BadFormat;
    Value = ValueAfterEquals(rest.substr(1));
    return VarReadResult::Ok;
}

VarSetResult SetAnswerCheck(const std::wstring& History, const std::wstring& Target) {
    const int pos = Target.empty() ? 0 : common::BackPos(Target, History);
    if (pos == 0) return VarSetResult::NotFound;
    const std::wstring rest = common::Trim(History.substr(static_cast<std::size_t>(pos - 1) + Target.size()));
    if (rest.size() < 2) return VarSetResult::Unreadable;
    if (rest.find(L"無効") != std::wstring::npos) return VarSetResult::Invalid;
    return VarSetResult::Ok;
}

bool SameVariableValue(const std::wstring& Target, const std::wstring& SetValue, const std::wstring& Current,
                       const common::TextMap& Upper) {
    const std::wstring name = AsciiUpper(Target);
    if (name == L"CLAYER" || name == L"CECOLOR" || name == L"CELTYPE" || name == L"CELWEIGHT")
        return Upper(SetValue) == Upper(Current);
    return SetValue == Current;
}

std::wstring TypedVariableValue(const std::wstring& Target, const std::wstring& SetValue) {
    if (AsciiUpper(Target) != L"CELWEIGHT") return SetValue;
    const std::wstring word = AsciiUpper(SetValue);
    if (word == L"BYLAYER") return L"-1";
    if (word == L"BYBLOCK") return L"-2";
    if (word == L"DEFAULT") return L"-3";
    return SetValue;
}

bool RestoreNewestFirst(const TCadBackUpListVer4& List, const std::function<bool(const TCadBackUpVer4&)>& Set,
                        const std::function<void(const std::wstring&)>& Attention) {
    bool result = true;
    for (int i = List.Count(); i-- > 0;) {
        const TCadBackUpVer4& entry = List.Get(i);
        if (Set(entry)) continue;
        Attention(L"システム変数" + entry.Target + L"の設定を元に戻せなかった可能性があります。");
        Attention(L"手動で" + entry.Target + L"と打ち込み" + entry.StrValue + L"を設定してください");
        result = false;
    }
    return result;
}

}  // namespace sb::acad
