#include "Timing.h"

namespace acadsim {

bool matches(const CommandMatch& m, const CommandStep& step) {
    if (!m.command.empty() && m.command != step.command) return false;
    if (m.drawing >= 0 && m.drawing != step.drawing) return false;
    // A plan for any command counts the starts of any command.
    if (m.run > 0 && m.run != (m.command.empty() ? step.anyRun : step.run)) return false;
    return true;
}

int LatencyDraw::draw(int base) {
    if (l_.jitterMs <= 0) return base;
    // The raw engine, not a distribution: distributions differ between standard libraries.
    return base + static_cast<int>(rng_() % (static_cast<unsigned>(l_.jitterMs) + 1u));
}

int Schedule::busyBefore(const CommandStep& step) {
    if (step.answer != 0) return 0;
    for (auto& b : busy_)
        if (b.times > 0 && b.ms > 0 && matches(b.match, step)) {
            --b.times;
            return b.ms;
        }
    return 0;
}

int Schedule::hangAfter(const CommandStep& step) {
    if (hang_.times <= 0 || hang_.ms <= 0 || step.answer != hang_.atAnswer || !matches(hang_.match, step)) return 0;
    --hang_.times;
    return hang_.ms;
}

}  // namespace acadsim
