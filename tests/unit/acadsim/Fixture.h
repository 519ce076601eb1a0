// A stand-in session over an in-memory file system.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "Scenario.h"
#include "Session.h"
#include "Text.h"

namespace acadsim_test {

class MemoryFiles : public acadsim::FileSystem {
public:
    std::map<std::wstring, std::string> files;
    std::set<std::wstring> readOnly;
    std::set<std::wstring> folders{L"C:\\work", L"C:\\users\\Public\\Documents"};

    bool fileExists(const std::wstring& p) override { return files.count(p) > 0; }
    bool folderExists(const std::wstring& p) override { return folders.count(p) > 0; }
    bool isReadOnly(const std::wstring& p) override { return readOnly.count(p) > 0; }
    bool writeFile(const std::wstring& p, const std::string& bytes) override {
        if (!folders.count(acadsim::folderPart(p))) return false;
        files[p] = bytes;
        return true;
    }
    // Only ASCII and the characters below have a CP932 form in this fake.
    bool toAnsi(const std::wstring& text, std::string& out) override {
        out.clear();
        for (wchar_t c : text) {
            if (c < 0x80) out.push_back(static_cast<char>(c));
            else if (c == L'壁') out += "\x95\xC7";
            else return false;
        }
        return true;
    }
};

inline acadsim::Scenario scenarioFrom(const std::string& json) {
    acadsim::Scenario sc;
    std::string error;
    EXPECT_TRUE(acadsim::parseScenario(json, sc, error)) << error;
    return sc;
}

// Two drawings: plan1 with two layouts (tab order unlike name order), an unsaved one.
inline const char* kTwoDrawings = R"({
  "release": {"year": 2023},
  "drawings": [
    {"path": "C:\\work\\plan1.dwg", "layers": ["0", "WALL"],
     "model": {"limits": [0, 0, 420, 297], "extents": [10, 20, 110, 70],
               "view": {"center": [210, 148.5], "height": 297}},
     "layouts": [{"name": "Plan B", "tabOrder": 1}, {"name": "Plan A", "tabOrder": 2, "centerZoom": false}]},
    {"path": ""}
  ]
})";

struct SessionFixture : ::testing::Test {
    MemoryFiles fs;
    std::unique_ptr<acadsim::Session> s;

    void start(const std::string& json) { s = std::make_unique<acadsim::Session>(scenarioFrom(json), fs); }
    void type(const std::wstring& text) { s->input(text); }
    std::wstring line() const { return s->commandLineText(s->current()); }
    std::wstring history() const { return s->historyText(s->current()); }
    std::wstring lastLines(size_t n) const {
        auto all = acadsim::split(history(), L'\n');
        std::wstring out;
        for (size_t i = all.size() > n ? all.size() - n : 0; i < all.size(); ++i) {
            std::wstring l = all[i];
            if (!l.empty() && l.back() == L'\r') l.pop_back();
            out += l + L"\n";
        }
        return out;
    }
    acadsim::Drawing& drawing() { return *s->currentDrawing(); }
};

}  // namespace acadsim_test
