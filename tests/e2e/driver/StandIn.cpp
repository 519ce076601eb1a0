#include "e2e/driver/StandIn.h"

#include <nlohmann/json.hpp>

#include "e2e/driver/Profile.h"
#include "e2e/driver/Wait.h"
#include "e2e/driver/Windows.h"

namespace e2e {

AcadWindows findAcadWindows(DWORD pid) {
    AcadWindows w;
    for (HWND top : topLevelWindows(pid)) {
        std::wstring title = windowText(top);
        if (!w.frame && title.find(L"AutoCAD") != std::wstring::npos) {
            if (HWND client = FindWindowExW(top, nullptr, L"MDIClient", nullptr)) {
                w.frame = top;
                w.mdiClient = client;
                continue;
            }
        }
        bool textTitle = title.find(L"テキスト") != std::wstring::npos || title.find(L"ﾃｷｽﾄ") != std::wstring::npos;
        if (!w.text && textTitle) {
            HWND a = FindWindowExW(top, nullptr, nullptr, nullptr);
            HWND b = a ? FindWindowExW(a, nullptr, nullptr, L"Marin") : nullptr;
            HWND c = b ? FindWindowExW(b, nullptr, nullptr, nullptr) : nullptr;
            HWND d = c ? FindWindowExW(b, c, nullptr, nullptr) : nullptr;
            if (c && d) {
                w.text = top;
                w.commandLine = c;
                w.history = d;
            }
        }
    }
    return w;
}

std::vector<std::wstring> splitLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::wstring cur;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            lines.push_back(cur);
            cur.clear();
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) lines.push_back(cur);
    return lines;
}

static bool prepare(const std::wstring& acadExe, const std::wstring& folder, const std::string& scenario,
                    std::wstring& exePath, std::wstring& prompt, std::wstring& error) {
    std::wstring exeName = L"ACAD.EXE";
    int year = 2023;
    try {
        auto j = nlohmann::json::parse(scenario);
        if (j.contains("release") && j["release"].is_object()) {
            const auto& r = j["release"];
            if (r.contains("exe") && r["exe"].is_string()) exeName = fromUtf8(r["exe"].get<std::string>());
            if (r.contains("year") && r["year"].is_number_integer()) year = r["year"].get<int>();
        }
    } catch (const std::exception&) {
        // Invalid scenarios are the stand-in's to refuse; start it anyway.
    }
    int sortYear = year < 100 ? (year == 13 ? 1994 : year == 14 ? 1997 : 1900 + year) : year;
    prompt = sortYear < 2004 ? L"ｺﾏﾝﾄﾞ: " : L"コマンド: ";
    if (!writeTextFile(folder + L"\\scenario.json", scenario)) {
        error = L"cannot write the scenario into " + folder;
        return false;
    }
    exePath = folder + L"\\" + exeName;
    if (!CopyFileW(toWindowsPath(acadExe).c_str(), exePath.c_str(), FALSE)) {
        error = L"cannot copy " + acadExe + L" to " + exePath;
        return false;
    }
    return true;
}

static std::string profiled(const std::string& scenario) {
    return slowProfile() ? withSlowProfile(scenario) : scenario;
}

bool StandIn::start(const std::string& scenarioUtf8, std::wstring& error, DWORD timeoutMs) {
    timeoutMs = deadline(timeoutMs);
    awaited_ = 0;
    lineAtSend_.clear();
    if (!prepare(acadExe_, folder_, profiled(scenarioUtf8), exePath_, commandPrompt_, error)) return false;
    if (!process_.start(exePath_, {folder_ + L"\\scenario.json", statePath()}, folder_, error)) return false;
    bool up = waitUntil(
        [&] {
            if (!process_.running()) return true;
            windows_ = findAcadWindows(process_.pid());
            return windows_.complete() && fileExists(statePath());
        },
        timeoutMs);
    if (!process_.running()) {
        DWORD code = 0;
        process_.waitExit(1000, &code);
        error = L"the stand-in ended with exit code " + std::to_wstring(code);
        return false;
    }
    if (!up) error = L"the stand-in's windows did not appear";
    return up;
}

bool StandIn::startExpectingExit(const std::string& scenarioUtf8, DWORD& exitCode, DWORD timeoutMs) {
    std::wstring error;
    if (!prepare(acadExe_, folder_, profiled(scenarioUtf8), exePath_, commandPrompt_, error)) return false;
    if (!process_.start(exePath_, {folder_ + L"\\scenario.json", statePath()}, folder_, error)) return false;
    return process_.waitExit(timeoutMs, &exitCode);
}

// The state's "received", or 0 when the state cannot be read.
static unsigned long long receivedOf(const nlohmann::json& state) {
    auto it = state.find("received");
    return it != state.end() && it->is_number_unsigned() ? it->get<unsigned long long>() : 0;
}

static nlohmann::json stateOf(const StandIn& acad) {
    std::string text;
    if (!acad.readState(text)) return nlohmann::json();
    return nlohmann::json::parse(text, nullptr, false);
}

bool StandIn::send(const std::wstring& text) {
    // Each send this driver makes is counted once: the stand-in has taken this one when its
    // "received" reaches the larger of the two counts, plus one (others may send too).
    unsigned long long before = receivedOf(stateOf(*this));
    lineAtSend_ = commandLine();
    std::string bytes;
    COPYDATASTRUCT cds{};
    cds.dwData = 1;
    if (IsWindowUnicode(windows_.frame)) {
        cds.cbData = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
        cds.lpData = const_cast<wchar_t*>(text.c_str());
    } else {
        int n = WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
        bytes.resize(static_cast<size_t>(n > 0 ? n : 0));
        if (n > 0) WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
        cds.cbData = static_cast<DWORD>(bytes.size() + 1);
        cds.lpData = bytes.data();
    }
    DWORD_PTR result = 0;
    bool taken = SendMessageTimeoutW(windows_.frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_ABORTIFHUNG,
                                     deadline(5000), &result) != 0 &&
                 result != 0;
    if (taken) awaited_ = (before > awaited_ ? before : awaited_) + 1;
    return taken;
}

bool StandIn::caughtUp() const {
    nlohmann::json state = stateOf(*this);
    if (!state.is_object()) return false;
    auto pending = state.find("pending");
    auto busy = state.find("busy");
    return receivedOf(state) >= awaited_ && pending != state.end() && *pending == 0 && busy != state.end() &&
           *busy == false;
}

bool StandIn::waitIdle(DWORD timeoutMs) const { return waitUntil([&] { return caughtUp(); }, deadline(timeoutMs)); }

std::wstring StandIn::commandLine() const { return windowText(windows_.commandLine); }
std::wstring StandIn::history() const { return windowText(windows_.history); }

bool StandIn::copyHistory(std::wstring& text) {
    DWORD before = GetClipboardSequenceNumber();
    DWORD_PTR r = 0;
    if (!SendMessageTimeoutW(windows_.text, WM_COMMAND, 32781, 0, SMTO_ABORTIFHUNG, 5000, &r)) return false;
    if (!waitUntil([&] { return GetClipboardSequenceNumber() != before; }, 3000)) return false;
    return clipboardText(text);
}

bool StandIn::waitCommandLine(const std::wstring& text, DWORD timeoutMs) const {
    return waitUntil([&] { return commandLine() == text && (text != lineAtSend_ || caughtUp()); }, deadline(timeoutMs));
}

bool StandIn::run(const std::wstring& text, std::vector<std::wstring>& added, DWORD timeoutMs) {
    added.clear();
    DWORD start = GetTickCount();
    timeoutMs = deadline(timeoutMs);
    // What was sent before is typed first, so that the lines counted here are not its own.
    waitUntil([&] { return caughtUp(); }, timeoutMs);
    size_t before = splitLines(history()).size();
    if (!send(text)) return false;
    std::vector<std::wstring> lines;
    DWORD spent = GetTickCount() - start;
    bool done = waitUntil(
        [&] {
            if (!caughtUp()) return false;
            lines = splitLines(history());
            return lines.size() > before && commandLine() == commandPrompt_;
        },
        spent < timeoutMs ? timeoutMs - spent : 0);
    for (size_t i = before; i < lines.size(); ++i) added.push_back(lines[i]);
    return done;
}

HWND StandIn::waitDialog(const wchar_t* titlePart, DWORD timeoutMs) const {
    HWND found = nullptr;
    waitUntil(
        [&] {
            found = findTopLevel(process_.pid(), L"#32770", titlePart);
            return found && IsWindowVisible(found);
        },
        deadline(timeoutMs));
    return found && IsWindowVisible(found) ? found : nullptr;
}

bool StandIn::readState(std::string& json) const { return readTextFile(statePath(), json); }

std::vector<HWND> StandIn::drawingWindows() const {
    std::vector<HWND> out;
    for (HWND c : children(windows_.mdiClient))
        if (!windowText(c).empty() && !GetWindow(c, GW_OWNER)) out.push_back(c);
    return out;
}

}  // namespace e2e
