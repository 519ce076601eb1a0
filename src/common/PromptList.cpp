#include "common/PromptList.h"

#include "common/Wildcard.h"

namespace sb::common {

namespace {

// Left to right, non-overlapping: "***" becomes "**".
std::wstring ReduceDoubleStars(const std::wstring& S) {
    std::wstring out;
    out.reserve(S.size());
    for (std::size_t i = 0; i < S.size(); ++i) {
        out.push_back(S[i]);
        if (S[i] == L'*' && i + 1 < S.size() && S[i + 1] == L'*') ++i;
    }
    return out;
}

bool IsUnusableAlternative(const std::wstring& A) {
    return A.empty() || A == L" " || A == L"\x3000" || A == L"*" || A == L"**";
}

}  // namespace

PromptListSetResult PromptListSet(const std::wstring& TargetPrompt, std::vector<std::wstring>& List,
                                  std::wstring& Display) {
    List.clear();
    const std::wstring text = ReduceDoubleStars(TargetPrompt);
    if (text.empty()) return {false, kPromptListNone};
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = text.find(L'|', start);
        List.push_back(text.substr(start, bar == std::wstring::npos ? std::wstring::npos : bar - start));
        if (bar == std::wstring::npos) break;
        start = bar + 1;
    }
    Display.clear();
    for (const std::wstring& item : List) {
        if (IsUnusableAlternative(item)) return {false, kPromptListBad};
        Display += L"「" + item + L"」";
    }
    return {true, {}};
}

bool PromptListMatch(const std::wstring& Prompt, const std::vector<std::wstring>& List, int& Index,
                     const TextMap& Upper) {
    auto fold = [&](const std::wstring& s) { return Upper ? Upper(Trim(s)) : Trim(s); };
    const std::wstring p = fold(Prompt);
    for (std::size_t i = 0; i < List.size(); ++i) {
        if (WildcardMatch(p, fold(List[i]))) {
            Index = static_cast<int>(i);
            return true;
        }
    }
    Index = -1;
    return false;
}

}  // namespace sb::common
