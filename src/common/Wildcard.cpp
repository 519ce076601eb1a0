#include "common/Wildcard.h"

namespace sb::common {

bool WildcardMatch(const std::wstring& Text, const std::wstring& Pattern) {
    if (Pattern.empty()) return Text.empty();
    const bool lead = Pattern.front() == L'*';
    const bool trail = Pattern.back() == L'*';
    if (lead && trail) {
        if (Pattern.size() <= 2) return false;  // "*" and "**": nothing between the stars
        return Text.find(Pattern.substr(1, Pattern.size() - 2)) != std::wstring::npos;
    }
    if (lead) {
        const std::size_t n = Pattern.size() - 1;
        return Text.size() >= n && Text.compare(Text.size() - n, n, Pattern, 1, n) == 0;
    }
    if (trail) {
        const std::size_t n = Pattern.size() - 1;
        return Text.size() >= n && Text.compare(0, n, Pattern, 0, n) == 0;
    }
    return Text == Pattern;
}

}  // namespace sb::common
