// A stand-in with n drawings and Sheetbay beside it, plus what the arrange tests read back: the
// drawing area and each drawing window's place inside it.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "e2e/driver/StandIn.h"
#include "e2e/driver/TempDir.h"
#include "e2e/driver/Wait.h"
#include "e2e/driver/Windows.h"
#include "e2e/sheetbay/SheetbayApp.h"

namespace e2e {

struct Place {
    int x, y, width, height;
    bool operator==(const Place&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Place& p) {
    return os << "(" << p.x << "," << p.y << ")-(" << p.width << "x" << p.height << ")";
}

// Drawings named in the scenario, each in a window of its own, the first one active.
inline std::string DrawingsScenario(const std::vector<std::string>& paths, const std::string& extra = "") {
    std::string json = "{" + extra + (extra.empty() ? "" : ",") + R"("frame": {"x": 0, "y": 0, "width": 1100, "height": 800}, "drawings": [)";
    for (size_t i = 0; i < paths.size(); ++i) {
        const int offset = static_cast<int>(i) * 30;
        json += (i ? "," : "") + std::string(R"({"path": ")") + paths[i] + R"(", "window": {"x": )" +
                std::to_string(10 + offset) + R"(, "y": )" + std::to_string(10 + offset) +
                R"(, "width": 400, "height": 300}})";
    }
    return json + "]}";
}

class ArrangeFixture : public ::testing::Test {
protected:
    // folders: sub-folders of the test folder that the scenario's drawings live in.
    void StartBoth(const std::string& scenario, const std::vector<std::wstring>& folders = {}) {
        ASSERT_TRUE(dir.valid());
        for (const auto& folder : folders) ASSERT_TRUE(CreateDirectoryW(dir.file(folder).c_str(), nullptr));
        std::wstring error;
        ASSERT_TRUE(acad.start(scenario, error)) << toUtf8(error);
        ASSERT_TRUE(app.start(error)) << toUtf8(error);
        // Sheetbay beside AutoCAD's frame: activating it must not hide any drawing.
        SetWindowPos(app.window(), nullptr, 1110, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // group: the caption of the group holding the check box, where several share its caption.
    void Check(const wchar_t* caption, bool on, const wchar_t* group = L"現在開いている全ての図面を整列") {
        HWND box = app.control(group, caption);
        ASSERT_NE(box, nullptr) << toUtf8(caption);
        DWORD_PTR r = 0;
        ASSERT_TRUE(SendMessageTimeoutW(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0, SMTO_NORMAL, 2000, &r));
    }
    // Resizes AutoCAD's frame so that its drawing area's window rectangle is width × height.
    void SizeDrawingArea(int width, int height) {
        RECT frame{}, view{};
        GetWindowRect(acad.windows().frame, &frame);
        GetWindowRect(acad.windows().mdiClient, &view);
        SetWindowPos(acad.windows().frame, nullptr, 0, 0, frame.right - frame.left + width - (view.right - view.left),
                     frame.bottom - frame.top + height - (view.bottom - view.top), SWP_NOMOVE | SWP_NOZORDER);
        ASSERT_TRUE(waitUntil([&] {
            GetWindowRect(acad.windows().mdiClient, &view);
            return view.right - view.left == width && view.bottom - view.top == height;
        }, 5000));
    }
    RECT Area() const {
        RECT view{};
        GetWindowRect(acad.windows().mdiClient, &view);
        return view;
    }
    // A drawing window's place as MoveWindow gave it: relative to the drawing area's client corner.
    Place PlaceOf(HWND drawing) const {
        RECT r{};
        GetWindowRect(drawing, &r);
        POINT corner{r.left, r.top};
        ScreenToClient(acad.windows().mdiClient, &corner);
        return {corner.x, corner.y, r.right - r.left, r.bottom - r.top};
    }
    HWND Drawing(const std::wstring& title) const {
        for (HWND h : acad.drawingWindows())
            if (windowText(h) == title) return h;
        return nullptr;
    }
    // Dates a drawing file back, so a save in place shows as a newer write time.
    void Age(const std::wstring& name) {
        const std::wstring path = dir.file(name);
        const DWORD attributes = GetFileAttributesW(path.c_str());
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        HANDLE h = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << toUtf8(path);
        FILETIME old{};
        SYSTEMTIME y2001{2001, 1, 1, 1, 0, 0, 0, 0};
        SystemTimeToFileTime(&y2001, &old);
        SetFileTime(h, nullptr, nullptr, &old);
        CloseHandle(h);
        SetFileAttributesW(path.c_str(), attributes);
    }
    bool Rewritten(const std::wstring& name) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExW(dir.file(name).c_str(), GetFileExInfoStandard, &data)) return false;
        SYSTEMTIME st{};
        FileTimeToSystemTime(&data.ftLastWriteTime, &st);
        return st.wYear > 2001;
    }
    // How many SAVEAS commands the stand-in has received: each path learned from AutoCAD types one.
    int SaveAsCount() const {
        int count = 0;
        for (const auto& name : CommandNames())
            if (name == "SAVEAS") ++count;
        return count;
    }
    // The commands the stand-in received, in order (for counts and for failure messages).
    std::vector<std::string> CommandNames() const {
        std::vector<std::string> names;
        std::string text;
        if (!acad.readState(text)) return names;
        const nlohmann::json state = nlohmann::json::parse(text);  // kept: the loop runs over a part of it
        for (const auto& command : state["commands"]) names.push_back(command.value("name", ""));
        return names;
    }
    // A run against an AutoCAD that merely takes its time logs no error, warning or attention:
    // a test that expects such lines says so.
    bool problemsExpected = false;
    void TearDown() override {
        if (!app.window()) return;
        if (HasFailure()) {
            // What Sheetbay saw, to tell AutoCAD's part from ours.
            std::string lines;
            for (const auto& line : app.logLines()) lines += toUtf8(line) + "\n";
            ADD_FAILURE() << "Sheetbay's log:\n" << lines;
            return;
        }
        if (problemsExpected) return;
        for (const auto& line : app.logLines())
            for (const wchar_t* mark : {L"■■エラー■■", L"■内部エラー■", L"■■警　報■■", L"■■注　意■■"})
                EXPECT_EQ(line.find(mark), std::wstring::npos) << "unexpected: " << toUtf8(line);
    }
    TempDir dir{L"sb-arrange"};
    SheetbayApp app{SHEETBAY_EXE, dir.path()};
    StandIn acad{ACAD_EXE, dir.path()};
};

}  // namespace e2e
