// Prompt patterns: alternatives separated by "|", each a one-star wildcard pattern. AutoCAD's
// command prompt is always alternative 0. Window-free; the caller logs the Emergency text.
#pragma once

#include <string>
#include <vector>

#include "common/TextCore.h"

namespace sb::common {

inline constexpr wchar_t kPromptListNone[] = L"指定プロンプトがありません";
inline constexpr wchar_t kPromptListBad[] = L"指定プロンプト正しくありません";

struct PromptListSetResult {
    bool Ok = false;
    std::wstring Emergency;  // when !Ok: the text the caller logs as Emergency
    explicit operator bool() const { return Ok; }
};

// Splits TargetPrompt ("**" first reduced to "*") into List; Display lists the alternatives as
// "「a」「b」". Fails on no alternative, or on one that is empty, a single blank, "*" or "**".
PromptListSetResult PromptListSet(const std::wstring& TargetPrompt, std::vector<std::wstring>& List,
                                  std::wstring& Display);

// Index of the first alternative matching Prompt, both trimmed and upper-cased by Upper; -1 and
// false when none matches.
bool PromptListMatch(const std::wstring& Prompt, const std::vector<std::wstring>& List, int& Index,
                     const TextMap& Upper);

}  // namespace sb::common
