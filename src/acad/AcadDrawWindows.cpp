// TAcadVer4: the list of open drawing windows and the active drawing.
#include "acad/AcadCore.h"
#include "acad/AcadVer4.h"
#include "common/CommonVer4.h"

namespace {

constexpr int kMaxChildren = 1000;

sb::acad::DrawChildFacts FactsOf(HWND W) {
    sb::acad::DrawChildFacts f;
    f.Title = GetWindowTitle(W);
    if (f.Title.empty()) return f;
    HWND first = GetWindow(W, GW_CHILD);
    f.HasFirstChild = first != nullptr;
    if (first) f.FirstChildClass = GetWindowClassName(first);
    f.HasDialogChild = FindChildWindow(W, nullptr, L"#32770", false, L"") != nullptr;
    if (!f.HasDialogChild) f.HasCommonControlChild = FindChildWindow(W, nullptr, L"*msctls*", false, L"") != nullptr;
    return f;
}

}  // namespace

bool TAcadVer4::DrawWindowList(TDrawWindowListVer4& DrawList, bool Mode, bool TempCut) {
    DrawList.Clear();
    if (!MasterLinkCheck()) return false;
    TAcadMasterVer4& m = *FMaster;
    if (!m.DataCheck()) {
        // Silent first, so that "not running" is the caller's to report; then once with the lines.
        if (!AcadHandleSearch(true)) return false;
        if (!AcadHandleSearch(false)) return false;
    }
    HWND w = nullptr;
    for (int i = 0; i < kMaxChildren; ++i) {
        w = (i == 0) ? GetWindow(m.ViewHandle, GW_CHILD) : GetWindow(w, GW_HWNDNEXT);
        if (!w) return true;
        const sb::acad::DrawChildFacts facts = FactsOf(w);
        if (sb::acad::DrawChildListed(facts, Mode, TempCut)) DrawList.Add({w, facts.Title, std::wstring()});
    }
    if (!GetWindow(w, GW_HWNDNEXT)) return true;
    FLog.Error(L"図面が1000枚以上開いています");
    return false;
}

int TAcadVer4::DrawWindowCount() {
    TDrawWindowListVer4 list;
    return DrawWindowList(list, true, false) ? list.Count() : 0;
}

bool TAcadVer4::GetActiveHandle(HWND& Handle, bool Mode, bool DebugLog) {
    Handle = nullptr;
    if (DebugLog) FLog.Add(L"GetActiveHandle開始", 4, 1);
    TDrawWindowListVer4 list;
    const bool listed = DrawWindowList(list, Mode, false);
    if (listed && list.Count() > 0) {
        Handle = list.Get(0).Handle;
        return true;
    }
    // AutoCAD gone is not "no drawing open".
    if (!listed && FMaster && FMaster->StartFlag && !FMaster->DataCheck()) {
        FLog.Error(L"起動済みのAutoCADを発見出来ませんでした。");
        return false;
    }
    FLog.Error(L"図面が１枚も開いていません");
    return false;
}

bool TAcadVer4::ActiveCheck(HWND Handle) {
    HWND active = nullptr;
    if (!GetActiveHandle(active, false, false)) return false;
    return active == Handle;
}
