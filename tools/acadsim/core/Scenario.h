// Reading a scenario file (UTF-8 JSON) into the stand-in's starting world.
#pragma once

#include <string>

#include "Model.h"

namespace acadsim {

// False with a message naming the offending key when the text is not a valid scenario.
bool parseScenario(const std::string& utf8Json, Scenario& out, std::string& error);

}  // namespace acadsim
