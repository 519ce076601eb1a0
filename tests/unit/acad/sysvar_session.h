// One operation's components in this test process, driving the stand-in ACAD.EXE: the real log on
// a hidden host window, the master with its monitor thread started, and the automation component
// with the main window's release settings (no save, close, backup or delete at release).
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

namespace sysvar_test {

class Session {
public:
    Session() {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SysvarTestHost";
        RegisterClassExW(&wc);
        host = CreateWindowExW(0, L"SysvarTestHost", L"Sheetbay", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
        log = std::make_unique<TLogVer4>(host, 1);
        log->xLevelValue(4);
        master = std::make_unique<TAcadMasterVer4>(log.get(), L"監視スレッド");
        master->CriticalErrorAutoClose(true);
        acad = std::make_unique<TAcadVer4>(log.get(), L"CAD");
        acad->Master(master.get());
        acad->Owner(host);  // the window whose thread input is attached to bring AutoCAD forward
        acad->LinkFreeAutoSave(false);
        acad->LinkFreeAutoClose(false);
        acad->LinkFreeAutoBackup(false);
        acad->LinkFreeAutoDelete(false);
        master->AcadStart();
    }
    ~Session() {
        if (master) master->AcadEnd();
        acad.reset();
        master.reset();
        log.reset();
        DestroyWindow(host);
    }

    // Finds AutoCAD and links to its drawing number Index (active first).
    bool Link(int Index = 0) {
        TDrawWindowListVer4 list;
        if (!acad->DrawWindowList(list, true, false) || Index >= list.Count()) return false;
        return acad->HandleLink(list.Get(Index).Handle);
    }

    int IndexOf(const std::wstring& fragment, int from = 0) const {
        const auto& lines = log->Core().Lines();
        for (std::size_t i = static_cast<std::size_t>(from); i < lines.size(); ++i)
            if (lines[i].Text.find(fragment) != std::wstring::npos) return static_cast<int>(i);
        return -1;
    }
    bool Has(const std::wstring& fragment) const { return IndexOf(fragment) >= 0; }
    int Count(const std::wstring& fragment) const {
        int n = 0;
        for (const auto& l : log->Core().Lines()) n += l.Text.find(fragment) != std::wstring::npos;
        return n;
    }
    std::string Dump() const {
        std::wstring all;
        for (const auto& l : log->Core().Lines()) all += l.Text + L"\n";
        return e2e::toUtf8(all);
    }

    HWND host = nullptr;
    std::unique_ptr<TLogVer4> log;
    std::unique_ptr<TAcadMasterVer4> master;
    std::unique_ptr<TAcadVer4> acad;
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
