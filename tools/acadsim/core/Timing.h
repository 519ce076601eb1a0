// When the stand-in answers: latencies drawn from a seeded generator, busy periods and the hang.
#pragma once

#include <random>
#include <vector>

#include "Model.h"

namespace acadsim {

// base + 0..jitterMs per draw; the same seed gives the same run on every platform.
class LatencyDraw {
public:
    explicit LatencyDraw(const Latency& l) : l_(l), rng_(l.seed) {}
    int command() { return draw(l_.commandMs); }
    int activation() { return draw(l_.activationMs); }

private:
    int draw(int base);
    Latency l_;
    std::mt19937 rng_;
};

// The scenario's busy periods and hang, each used up after its times.
class Schedule {
public:
    explicit Schedule(const Scenario& sc) : busy_(sc.busy), hang_(sc.hang) {}
    // Before the step's Enter is taken: how long AutoCAD answers nothing (0: not at all).
    int busyBefore(const CommandStep& step);
    // After the step's Enter was taken: how long AutoCAD hangs (0: not at all).
    int hangAfter(const CommandStep& step);

private:
    std::vector<BusyPlan> busy_;
    HangPlan hang_;
};

}  // namespace acadsim
