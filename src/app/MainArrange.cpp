// TMainForm::SubRowLength: tiles the drawing windows in rows or columns inside AutoCAD's drawing
// area, optionally ordered by file name (with a memory of the paths) and around the active drawing.
#include <algorithm>
#include <cstdint>

#include "app/ArrangeCore.h"
#include "app/MainForm.h"
#include "app/MainFormIds.h"

namespace {

sb::app::Rect WindowRect(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return {r.left, r.top, r.right, r.bottom};
}

std::uintptr_t Key(HWND h) { return reinterpret_cast<std::uintptr_t>(h); }

}  // namespace

void TMainForm::LearnPathsFromMemory(TDrawWindowListVer4& DrawList) {
    Log->Separator(0);
    Log->Add(L"取得済みのファイルパスをチェック", 0, 1);
    if (BackHandle != AcadMaster->MainHandle()) {
        Log->Add(L"メインハンドルが一致しないためキャッシュをクリアします", 0, 1);
        return;
    }
    std::vector<std::uintptr_t> listHandles, memoryHandles;
    for (const auto& draw : DrawList) listHandles.push_back(Key(draw.Handle));
    for (const auto& memory : BackList) memoryHandles.push_back(Key(memory.Handle));
    const std::vector<int> match = sb::app::MemoryMatches(listHandles, memoryHandles);
    for (int i = 0; i < DrawList.Count(); ++i) {
        if (match[static_cast<size_t>(i)] < 0) continue;
        TDrawWindowVer4& draw = DrawList.Get(i);
        Log->Add(draw.Caption + L"はキャッシュに取得済みのファイルパスがありました", 0, 1);
        draw.Path = BackList.Get(match[static_cast<size_t>(i)]).Path;
    }
}

void TMainForm::LearnPathsFromAutoCad(TDrawWindowListVer4& DrawList) {
    Log->Separator(0);
    Log->Add(L"ファイルパスを取得", 0, 1);
    Log->xMainProgressInc();
    for (int i = 0; i < DrawList.Count(); ++i) {
        TDrawWindowVer4& draw = DrawList.Get(i);
        Log->xProgressPosition(i + 1);
        Log->Add(draw.Caption, 0, 1);
        if (!draw.Path.empty()) {
            Log->Plus(L"取得済み", 0, 1);
            continue;
        }
        std::wstring path;
        if (Acad->HandleLink(draw.Handle) && Acad->acGetFilePath(path, 1)) draw.Path = path;
        Acad->LinkFree();
    }
}

void TMainForm::SortByFileName(TDrawWindowListVer4& DrawList) {
    Log->Separator(0);
    Log->Add(L"ソート", 0, 1);
    Log->xMainProgressInc();
    SortList.clear();
    for (const auto& draw : DrawList) SortList.push_back(draw.Path);
    if (!SortItem->Execute(SortList)) return;  // stopped or failed: the list keeps its order
    std::vector<std::wstring> sorted;
    for (const auto& item : SortItem->Items) sorted.push_back(item.Value);
    const std::vector<int> order = sb::app::FileNameSortOrder(SortList, sorted);
    TDrawWindowListVer4 reordered;
    for (int old : order) reordered.Add(DrawList.Get(old));
    DrawList = std::move(reordered);
}

bool TMainForm::SubRowLength(TDrawWindowListVer4& DrawList, int LineCount, bool LineMode) {
    const bool restore = Checked(IDC_LINEICONCHECK);
    const bool sort = Checked(IDC_LINEFILENAMESORTCHECK);
    const bool memory = Checked(IDC_LINEFILENAMEMEMORYCHECK);
    const bool activeNoMove = Checked(IDC_LINEACTIVENOMOVECHECK);

    if (!restore) SubIconDelete(DrawList);
    if (const auto error = sb::app::ArrangeCountCheck(DrawList.Count(), activeNoMove);
        error != sb::app::ArrangeError::None) {
        Log->Error(sb::app::ArrangeErrorText(error));
        return false;
    }
    Log->xMainProgressMax(sort ? 4 : 2);
    Log->xProgressMax(DrawList.Count());
    const HWND active = DrawList.Get(0).Handle;  // followed by handle, not by position

    Log->xMainProgressInc();
    SubOpenWindow(DrawList);
    if (sort) {
        if (memory) LearnPathsFromMemory(DrawList);
        LearnPathsFromAutoCad(DrawList);
        SortByFileName(DrawList);
    }

    sb::app::ArrangeInput input;
    input.View = WindowRect(AcadMaster->ViewHandle);
    input.Count = DrawList.Count();
    input.LineCount = LineCount;
    input.LineMode = LineMode;
    input.ActiveNoMove = activeNoMove;
    if (activeNoMove) {
        for (int i = 0; i < DrawList.Count(); ++i)
            if (DrawList.Get(i).Handle == active) input.ActiveIndex = i;
        input.Active = WindowRect(active);
    }
    const sb::app::ArrangePlan plan = sb::app::PlanArrange(input);
    if (plan.Error != sb::app::ArrangeError::None) {
        if (sb::app::ArrangeErrorIsInternal(plan.Error))
            Log->Emergency(sb::app::ArrangeErrorText(plan.Error));
        else
            Log->Error(sb::app::ArrangeErrorText(plan.Error));
        return false;
    }

    Log->Separator(0);
    Log->xMainProgressInc();
    Log->Add(L"実行", 0, 1);
    // No stop check here: once reached, every window is placed.
    for (int i = 0; i < DrawList.Count(); ++i) {
        const sb::app::Placement& place = plan.Entries[static_cast<size_t>(i)];
        if (!place.Move) continue;
        const TDrawWindowVer4& draw = DrawList.Get(i);
        Log->xProgressPosition(i + 1);
        Log->Memo(sb::app::PlacementMemo(draw.Caption, place.Place));
        MoveWindow(draw.Handle, place.Place.X, place.Place.Y, place.Place.Width, place.Place.Height, TRUE);
    }

    BackHandle = AcadMaster->MainHandle();
    BackList.Clear();
    if (sort && memory)
        for (const auto& draw : DrawList) BackList.Add(TDrawWindowVer4{draw.Handle, L"", draw.Path});
    return true;
}
