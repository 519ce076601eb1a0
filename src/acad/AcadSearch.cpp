// TAcadVer4: finding AutoCAD's five windows and writing them into the master.
#include <cstdint>

#include "acad/AcadCore.h"
#include "acad/AcadVer4.h"
#include "common/CommonVer4.h"
#include "log/LogVer4.h"

namespace {

std::intptr_t HandleValue(HWND h) { return reinterpret_cast<std::intptr_t>(h); }

// The real Windows version (GetVersionEx answers what the manifest allows).
void WindowsVersion(unsigned& Major, unsigned& Minor) {
    Major = 0;
    Minor = 0;
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (!ntdll) return;
    auto fn = reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
    if (!fn) return;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (fn(&info) == 0) {
        Major = info.dwMajorVersion;
        Minor = info.dwMinorVersion;
    }
}

}  // namespace

bool TAcadVer4::MasterLinkCheck() {
    if (!FMaster) {
        FLog.Emergency(L"マスターとリンクしていません");
        return false;
    }
    if (!FMaster->StartFlag) {
        FLog.Emergency(L"マスターが開始状態にありません。");
        return false;
    }
    return true;
}

bool TAcadVer4::AcadHandleSearch(bool Silent) {
    if (!MasterLinkCheck()) return false;
    TAcadMasterVer4& m = *FMaster;
    if (!Silent) FLog.Add(L"AutoCADのハンドル取得開始", 3, 1);
    CompulsionClear();
    m.Claer2();

    TEnumWindowListVer4& list = *m.EnumWindowList;
    EnumTopWindows(list);
    for (TEnumWindowVer4& item : list) item.TitleName = NormalizeTitle(item.TitleName);

    if (m.LogLevel() >= 3 && !m.AcadListLog) {
        FLog.Separator(0);
        FLog.Add(L"AutoCAD候補となるウインドウの列挙", 0, 1);
        m.LogWindowHandleSub(list);
        FLog.Separator(0);
    }

    for (const TEnumWindowVer4& item : list) {
        MainWindowCheck(item);
        if (m.MainHandle()) break;
    }
    if (!m.MainHandle()) {
        if (!Silent) FLog.Error(L"起動済みのAutoCADを発見出来ませんでした。");
        return false;
    }
    for (const TEnumWindowVer4& item : list) {
        TextWindowCheck(item);
        if (m.TextHandle()) break;
    }
    if (!m.TextHandle()) {
        if (!Silent) FLog.Error(L"起動済みのAutoCADのテキストウインドウを発見出来ませんでした。");
        return false;
    }

    // Taken once per operation: a later search would record our own moves as the user's.
    HWND text = m.TextHandle();
    if (!m.TextWindowMemoryFlag || m.TextWindowMemoryHandle != text) {
        m.TextWindowOpenMemory = IsWindowVisible(text) != FALSE;
        RECT r{};
        GetWindowRect(text, &r);
        m.TextWindowRectMemory = r;
        m.TextWindowMemoryFlag = true;
        m.TextWindowMemoryHandle = text;
    }

    const sb::acad::RoughVersion v =
        sb::acad::GuessRoughVersion(IsWindowUnicode(m.MainHandle()) != FALSE, GetWindowTitle(m.MainHandle()));
    m.CadVersion = v.CadVersion;
    if (v.Version2011Flag) m.Version2011Flag = true;

    if (!Silent) {
        if (FOwner) FLog.Sub(GetWindowTitle(FOwner), 3, 1);
        unsigned major = 0, minor = 0;
        WindowsVersion(major, minor);
        FLog.Sub(sb::acad::WindowsVersionLine(major, minor), 3, 1);
        FLog.Sub(L"AutoCADのフルパス    " + m.ExecPath(), 3, 1);
        FLog.Sub(sb::acad::HandleLine(L"プロセスID           %10d %8x", m.ProcessID()), 3, 1);
        FLog.Sub(sb::acad::HandleLine(L"メイン               %10d %8x", HandleValue(m.MainHandle())), 3, 1);
        FLog.Sub(sb::acad::HandleLine(L"ビューのルート       %10d %8x", HandleValue(m.ViewHandle)), 3, 1);
        FLog.Sub(sb::acad::HandleLine(L"テキストウインドウ   %10d %8x", HandleValue(m.TextHandle())), 3, 1);
        FLog.Sub(sb::acad::HandleLine(L"コマンドウインドウ   %10d %8x", HandleValue(m.CommandHandle)), 3, 1);
        FLog.Sub(sb::acad::HandleLine(L"ヒストリーウインドウ %10d %8x", HandleValue(m.HistoryHandle)), 3, 1);
    }
    return true;
}

void TAcadVer4::MainWindowCheck(const TEnumWindowVer4& Item) {
    if (Item.TitleName.find(L"AUTOCAD") == std::wstring::npos) return;
    const std::wstring path = GetWindowExePath(Item.Handle);
    if (!path.empty()) {
        const std::size_t slash = path.find_last_of(L"\\/");
        const std::wstring name = sb::acad::AsciiUpper(slash == std::wstring::npos ? path : path.substr(slash + 1));
        if (name != L"ACAD.EXE" && name != L"ACLT.EXE" && name != L"ACADLT.EXE") return;
    }
    HWND view = FindWindowExW(Item.Handle, nullptr, L"MDIClient", nullptr);
    if (!view) return;
    FMaster->MainHandle(Item.Handle);
    FMaster->ViewHandle = view;
    FMaster->ExecPath(path);
    FMaster->ProcessID(GetWindowProcessID(Item.Handle));
}

void TAcadVer4::TextWindowCheck(const TEnumWindowVer4& Item) {
    const std::wstring& t = Item.TitleName;
    if (t.find(L"AUTOCAD") == std::wstring::npos || t.find(L"ﾃｷｽﾄ") == std::wstring::npos ||
        t.find(L"ｳｨﾝﾄﾞｳ") == std::wstring::npos)
        return;
    if (GetWindowProcessID(Item.Handle) != FMaster->ProcessID()) return;
    HWND a = FindWindowExW(Item.Handle, nullptr, nullptr, nullptr);
    if (!a) return;
    HWND b = FindWindowExW(a, nullptr, nullptr, L"Marin");
    if (!b) return;
    HWND c = FindWindowExW(b, nullptr, nullptr, nullptr);
    if (!c) return;
    HWND d = FindWindowExW(b, c, nullptr, nullptr);
    if (!d) return;
    FMaster->TextHandle(Item.Handle);
    FMaster->CommandHandle = c;
    FMaster->HistoryHandle = d;
}
