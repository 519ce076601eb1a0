// The shared session driving the stand-in ACAD.EXE, with the main window's release settings (no
// save, close, backup or delete at release), and what the tests read from the stand-in's state.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "acad/AcadMasterVer4.h"
#include "acad/AcadThreadVer4.h"
#include "acad/AcadVer4.h"
#include "e2e/StandInFixture.h"
#include "log/LogVer4.h"
#include "unit/acad/AcadSession.h"

namespace sysvar_test {

class Session : public acad_test::AcadSession {
public:
    Session()
        : AcadSession({.HostClass = L"SysvarTestHost", .OwnedByHost = true, .KeepDrawingsAtRelease = true}) {}

    // Finds AutoCAD and links to its drawing number Index (active first).
    bool Link(int Index = 0) {
        TDrawWindowListVer4 list;
        if (!acad->DrawWindowList(list, true, false) || Index >= list.Count()) return false;
        return acad->HandleLink(list.Get(Index).Handle);
    }
};

// The names of the commands the stand-in received, in order, from index From on.
inline std::vector<std::string> CommandNames(const nlohmann::json& state, std::size_t From = 0) {
    std::vector<std::string> names;
    const auto& commands = state["commands"];
    for (std::size_t i = From; i < commands.size(); ++i) names.push_back(commands[i]["name"].get<std::string>());
    return names;
}

inline std::string Sysvar(const nlohmann::json& state, const char* name) {
    return state["sysvars"].contains(name) ? state["sysvars"][name].get<std::string>() : std::string("<none>");
}

}  // namespace sysvar_test
