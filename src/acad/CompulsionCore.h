// Compulsion (forced execution) bookkeeping: while the mode is on, the first stop request since the
// link was made is held back; a second one is honoured.
#pragma once

#include <string>
#include <vector>

namespace sb::acad {

struct CompulsionState {
    bool Mode = false;          // FCompulsionMode
    bool BackMode = false;      // CompulsionBackMode
    bool StartLog = false;      // CompulsionStartLog
    bool CancelLog = false;     // CompulsionCancelLog
    int BreakingCount = 0;      // CompulsionBreakingCount
};

// CompulsionClear: everything off, the stop-request count taken as the new base.
void CompulsionClear(CompulsionState& S, int CurrentBreakingCount);

// CompulsionCheck: true when a pending stop request counts. Reports receives the report lines to
// write, in order.
bool CompulsionCheck(CompulsionState& S, bool BreakingPending, int CurrentBreakingCount,
                     std::vector<std::wstring>& Reports);

inline const wchar_t* const kCompulsionStartText = L"強制実行モード開始";
inline const wchar_t* const kCompulsionRefusedText = L"再度中断を受け付けているため、強制実行モードは行いません";
inline const wchar_t* const kCompulsionCancelText = L"強制実行モード解除";

}  // namespace sb::acad
