// The end-to-end profile, chosen by the environment variable SHEETBAY_E2E_PROFILE. "slow" makes
// the stand-in answer like a loaded AutoCAD: 400-500 ms per Enter, 300-400 ms per activation, and
// the third command of the session busy for 5 s.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

bool slowProfile();  // SHEETBAY_E2E_PROFILE is "slow"

// The deadline for a wait that normally needs at most ms: longer in the slow profile, by enough
// for its slower answers and its one busy period. The driver's own waits use it.
DWORD deadline(DWORD ms);

// The slow profile's latency fields and busy periods merged into a scenario where it sets none
// itself; a text that is no JSON object stays as it is (the stand-in refuses it).
std::string withSlowProfile(const std::string& scenarioUtf8);

}  // namespace e2e
