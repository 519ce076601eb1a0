// TMainForm::SubAllSave: saves every open drawing in place, one after the other.
#include "app/MainForm.h"
#include "app/MainFormIds.h"

bool TMainForm::SubAllSave(TDrawWindowListVer4& DrawList) {
    if (!Checked(IDC_ALLSAVEICONCHECK)) SubIconDelete(DrawList);
    if (DrawList.Count() == 0) {
        Log->Error(L"対象となる図面がありません");
        return false;
    }
    Log->xMainProgressMax(2);
    Log->xProgressMax(DrawList.Count());
    Log->xMainProgressInc();
    SubOpenWindow(DrawList);
    Log->Separator(0);
    Log->xMainProgressInc();
    Log->Add(L"実行", 0, 1);
    // A drawing that cannot be linked or saved leaves its error line; the others are still saved.
    for (int i = 0; i < DrawList.Count(); ++i) {
        const TDrawWindowVer4& draw = DrawList.Get(i);
        Log->xProgressPosition(i + 1);
        Log->Memo(draw.Caption);
        if (Acad->HandleLink(draw.Handle)) Acad->acSaveAs(L"", L"", 1);
        Acad->LinkFree();
    }
    return true;
}
