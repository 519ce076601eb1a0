// One running stand-in per test suite, in its own temp folder.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "e2e/driver/StandIn.h"
#include "e2e/driver/TempDir.h"
#include "e2e/driver/Wait.h"
#include "e2e/driver/Windows.h"

namespace e2e_test {

inline std::wstring acadExe() { return e2e::toWindowsPath(e2e::fromUtf8(ACADSIM_EXE)); }
inline std::wstring outFolder() { return e2e::toWindowsPath(e2e::fromUtf8(ACADSIM_OUT)); }

struct Running {
    e2e::TempDir dir{L"acadsim"};
    std::unique_ptr<e2e::StandIn> acad;

    explicit Running(const std::string& scenario) {
        acad = std::make_unique<e2e::StandIn>(acadExe(), dir.path());
        std::wstring error;
        started = acad->start(scenario, error);
        this->error = e2e::toUtf8(error);
    }
    ~Running() { acad.reset(); }  // the process ends before its folder goes

    nlohmann::json state() const {
        std::string text;
        if (!acad->readState(text)) return {};
        return nlohmann::json::parse(text, nullptr, false);
    }
    bool started = false;
    std::string error;
};

inline bool contains(const std::vector<std::wstring>& lines, const std::wstring& line) {
    for (const auto& l : lines)
        if (l == line) return true;
    return false;
}

inline std::wstring joined(const std::vector<std::wstring>& lines) {
    std::wstring out;
    for (const auto& l : lines) out += l + L"\n";
    return out;
}

}  // namespace e2e_test
