// The demo: the AutoCAD stand-in with six drawings, Sheetbay arranging them "横2列に並べる" with
// the file-name sort on; screenshots before and after and Sheetbay's log file in the output folder.
// Usage: SheetbayDemo ACAD.EXE Sheetbay.exe SCENARIO.json OUTFOLDER [keep]
#include <windows.h>

#include <cstdio>
#include <string>

#include "e2e/driver/Screenshot.h"
#include "e2e/driver/StandIn.h"
#include "e2e/driver/TempDir.h"
#include "e2e/driver/Wait.h"
#include "e2e/driver/Windows.h"
#include "e2e/sheetbay/SheetbayApp.h"

namespace {

int Fail(const std::wstring& what) {
    std::fwprintf(stderr, L"demo: %ls\n", what.c_str());
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 5) return Fail(L"usage: SheetbayDemo ACAD.EXE Sheetbay.exe SCENARIO.json OUTFOLDER [keep]");
    const std::wstring acadExe = argv[1], sheetbayExe = argv[2], scenarioPath = e2e::toWindowsPath(argv[3]);
    const std::wstring out = e2e::toWindowsPath(argv[4]);
    const bool keep = argc > 5 && std::wstring(argv[5]) == L"keep";
    const std::wstring work = out + L"\\work";
    e2e::removeTree(work);
    CreateDirectoryW(out.c_str(), nullptr);
    if (!CreateDirectoryW(work.c_str(), nullptr)) return Fail(L"cannot create " + work);
    // The demo scenario keeps drawings of the same names in two site folders.
    for (const wchar_t* site : {L"\\現場A", L"\\現場B"}) CreateDirectoryW((work + site).c_str(), nullptr);

    std::string scenario;
    if (!e2e::readTextFile(scenarioPath, scenario)) return Fail(L"cannot read " + scenarioPath);
    e2e::StandIn acad(acadExe, work);
    e2e::SheetbayApp app(sheetbayExe, work);
    std::wstring error;
    if (!acad.start(scenario, error)) return Fail(error);
    if (!app.start(error)) return Fail(error);
    // Beside AutoCAD's frame, so the tiles stay visible in the screenshots.
    SetWindowPos(app.window(), nullptr, 1110, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Sleep(800);  // let both finish painting before the picture
    if (!e2e::screenshot(out + L"\\before.bmp")) return Fail(L"screenshot failed");

    DWORD_PTR result = 0;
    SendMessageTimeoutW(app.control(L"ファイル名でソートする"), BM_SETCHECK, BST_CHECKED, 0, SMTO_NORMAL, 2000, &result);
    if (!app.run(L"横2列に並べる", 120000)) return Fail(L"the arrangement did not end");
    Sleep(800);
    if (!e2e::screenshot(out + L"\\after.bmp")) return Fail(L"screenshot failed");

    if (keep) {
        std::fwprintf(stdout, L"demo: Sheetbay and the stand-in stay open; close Sheetbay to end.\n");
        app.process().waitExit(INFINITE);
    } else if (!app.close()) {
        return Fail(L"Sheetbay did not close");
    }
    CopyFileW(app.sibling(L".Log").c_str(), (out + L"\\Sheetbay.Log").c_str(), FALSE);
    return 0;
}
