// TMainForm: the operations on the list of drawing windows.
#include "app/MainForm.h"

void TMainForm::SubIconDelete(TDrawWindowListVer4& DrawList) {
    for (int i = DrawList.Count() - 1; i >= 0; --i) {
        if (!IsIconic(DrawList.Get(i).Handle)) continue;
        Log->Add(DrawList.Get(i).Caption + L"は最小化しているため無視します", 0, 1);
        DrawList.Delete(i);
    }
}

void TMainForm::SubOpenWindow(TDrawWindowListVer4& DrawList) {
    Log->Separator(0);
    Log->Add(L"最小化･最大化状態の解除", 0, 1);
    for (int i = 0; i < DrawList.Count(); ++i) {
        const TDrawWindowVer4& draw = DrawList.Get(i);
        Log->xProgressPosition(i + 1);
        Log->Add(draw.Caption, 0, 1);
        if (IsIconic(draw.Handle)) OpenIcon(draw.Handle);
        // A window maximised before it was minimised comes back maximised: undo that too.
        if (IsZoomed(draw.Handle)) ShowWindow(draw.Handle, SW_RESTORE);
    }
}

bool TMainForm::SubAllZoom(TDrawWindowListVer4&, int) {
    Log->Emergency(L"ズームはまだ実装されていません");
    return false;
}

bool TMainForm::SubNoIcon(TDrawWindowListVer4& DrawList) {
    // Window calls only: no AutoCAD command is involved.
    SubOpenWindow(DrawList);
    return true;
}
