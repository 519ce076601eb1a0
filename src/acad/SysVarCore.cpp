#include "acad/SysVarCore.h"

#include <cstddef>

#include "acad/AcadCore.h"

namespace sb::acad {

namespace {

// The line that echoes Target typed at a prompt: it ends with Target, and before it (blanks
// aside) stands a prompt's colon or nothing at all.
bool IsEchoOf(const std::wstring& Line, const std::wstring& Target) {
    const std::wstring text = common::Trim(Line);
    if (text.size() < Target.size() || text.compare(text.size() - Target.size(), Target.size(), Target) != 0)
        return false;
    const std::wstring before = common::Trim(text.substr(0, text.size() - Target.size()));
    return before.empty() || before.back() == L':' || before.back() == L'\xFF1A';
}

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

VarReadResult ReadOnlyValue(const std::vector<std::wstring>& Lines, const std::wstring& Target, std::wstring& Value) {
    Value.clear();
    if (Target.empty()) return VarReadResult::NotFound;
    std::size_t echo = Lines.size();
    for (std::size_t i = Lines.size(); i-- > 0;)
        if (IsEchoOf(Lines[i], Target)) {
            echo = i;
            break;
        }
    if (echo == Lines.size()) return VarReadResult::NotFound;
    const std::wstring* found = nullptr;
    for (std::size_t i = Lines.size(); i-- > echo + 1;)
        if (Lines[i].find(Target) != std::wstring::npos && Lines[i].find(L'=') != std::wstring::npos) {
            found = &Lines[i];
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

bool IsTypableData(const std::wstring& Data) {
    if (Data.find_first_of(L"\r\n\x03") != std::wstring::npos) return false;
    const std::wstring upper = AsciiUpper(Data);
    for (const wchar_t* key : {L"^M", L"^C", L"【ENTER】", L"【ESC】"})
        if (upper.find(key) != std::wstring::npos) return false;
    return true;
}

bool RestoreNewestFirst(const TCadBackUpListVer4& List, const std::function<bool(const TCadBackUpVer4&)>& Set,
                        std::vector<std::wstring>& Attentions) {
    bool result = true;
    for (int i = List.Count(); i-- > 0;) {
        const TCadBackUpVer4& entry = List.Get(i);
        if (Set(entry)) continue;
        Attentions.push_back(L"システム変数" + entry.Target + L"の設定を元に戻せなかった可能性があります。");
        Attentions.push_back(L"手動で" + entry.Target + L"と打ち込み" + entry.StrValue + L"を設定してください");
        result = false;
    }
    return result;
}

}  // namespace sb::acad
