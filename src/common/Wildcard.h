// The one-star wildcard rule used for window classes, texts and prompts: "*" is special only as the
// first or last character of the pattern; comparison is case-sensitive.
#pragma once

#include <string>

namespace sb::common {

// "*X*": Text contains X (an empty X matches nothing); "*X": ends with X; "X*": starts with X;
// otherwise Text equals Pattern.
bool WildcardMatch(const std::wstring& Text, const std::wstring& Pattern);

}  // namespace sb::common
