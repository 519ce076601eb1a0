// ACAD.EXE SCENARIO.json [STATE.json]
#include "App.h"

#include <commctrl.h>
#include <shellapi.h>

#include "Files.h"
#include "Scenario.h"
#include "Text.h"

using namespace acadsim;

namespace {

struct ArgvFreer {
    void operator()(LPWSTR* p) const {
        if (p) LocalFree(p);
    }
};

int refuse(const std::wstring& statePath, const std::string& message, int code) {
    std::string line = "acadsim: " + message + "\n";
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    if (err && err != INVALID_HANDLE_VALUE) WriteFile(err, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    if (!statePath.empty()) {
        std::string escaped;
        for (char c : message) {
            if (c == '"' || c == '\\') escaped.push_back('\\');
            escaped.push_back(c);
        }
        writeFileAtomically(statePath, "{\"error\": \"" + escaped + "\"}\n");
    }
    return code;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    std::unique_ptr<LPWSTR, ArgvFreer> argv(CommandLineToArgvW(GetCommandLineW(), &argc));
    std::wstring statePath = argv && argc >= 3 ? argv.get()[2] : L"";
    if (!argv || argc < 2 || argc > 3) return refuse(L"", "usage: ACAD.EXE SCENARIO.json [STATE.json]", 2);
    wchar_t full[MAX_PATH] = {};
    std::wstring scenarioPath = GetFullPathNameW(argv.get()[1], MAX_PATH, full, nullptr) ? full : argv.get()[1];
    std::string what = toUtf8(scenarioPath) + ": ";
    std::string bytes;
    if (!readWholeFile(scenarioPath, bytes, 4u << 20)) return refuse(statePath, what + "cannot be read", 2);
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    Scenario sc;
    std::string error;
    if (!parseScenario(bytes, sc, error)) return refuse(statePath, what + error, 2);

    // Relative paths in a scenario are relative to its own folder.
    auto resolve = [&](std::wstring& p) {
        bool absolute = (p.size() >= 2 && p[1] == L':') || (!p.empty() && (p[0] == L'\\' || p[0] == L'/'));
        if (p == L".") p = folderPart(scenarioPath);
        else if (!p.empty() && !absolute) p = folderPart(scenarioPath) + L"\\" + p;
    };
    resolve(sc.documentsFolder);
    for (auto& d : sc.drawings) resolve(d.path);

    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring exe = upperAscii(fileNamePart(module));

    // The drawings' files exist before AutoCAD "opens" them.
    Win32Files files;
    for (size_t i = 0; i < sc.drawings.size(); ++i) {
        Drawing& d = sc.drawings[i];
        std::string key = "drawings[" + std::to_string(i) + "].path: ";
        if (d.path.empty()) continue;
        if (!validPath(d.path)) return refuse(statePath, what + key + "is not a full Windows path", 2);
        if (!files.folderExists(folderPart(d.path)))
            return refuse(statePath, what + key + "folder " + toUtf8(folderPart(d.path)) + " does not exist", 2);
        if (d.createFile && !files.fileExists(d.path)) {
            // Written through a session-free path: only the drawing's own data goes in.
            Session probe(Scenario{sc}, files);
            if (!files.writeFile(d.path, drawingBytes(probe, d, d.format)))
                return refuse(statePath, what + key + "cannot be written", 3);
        }
        if (d.readOnly) {
            DWORD a = GetFileAttributesW(d.path.c_str());
            if (a != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(d.path.c_str(), a | FILE_ATTRIBUTE_READONLY);
        }
    }

    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_BAR_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&icc);
    App app(std::move(sc), statePath, exe);
    g_app = &app;
    if (!app.create()) {
        g_app = nullptr;
        return refuse(statePath, "cannot create the windows", 3);
    }
    int code = app.run();
    g_app = nullptr;
    return code;
}
