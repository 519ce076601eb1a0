#include "acad/CompulsionCore.h"

namespace sb::acad {

void CompulsionClear(CompulsionState& S, int CurrentBreakingCount) {
    S.Mode = false;
    S.BackMode = false;
    S.StartLog = false;
    S.CancelLog = false;
    S.BreakingCount = CurrentBreakingCount;
}

bool CompulsionCheck(CompulsionState& S, bool BreakingPending, int CurrentBreakingCount,
                     std::vector<std::wstring>& Reports) {
    const bool changed = S.Mode != S.BackMode;
    S.BackMode = S.Mode;
    if (changed && S.Mode) {
        S.StartLog = false;
        S.CancelLog = false;
    }
    if (!BreakingPending) return true;

    bool result = true;
    if (S.Mode && CurrentBreakingCount <= S.BreakingCount + 1) {
        if (!S.StartLog) Reports.emplace_back(kCompulsionStartText);
        S.StartLog = true;
        result = false;
    }
    if (S.Mode && CurrentBreakingCount > S.BreakingCount + 1) {
        if (!S.CancelLog) Reports.emplace_back(kCompulsionRefusedText);
        S.CancelLog = true;
    }
    if (!S.Mode && changed && !S.CancelLog && S.StartLog) {
        Reports.emplace_back(kCompulsionCancelText);
        S.CancelLog = true;
    }
    return result;
}

}  // namespace sb::acad
