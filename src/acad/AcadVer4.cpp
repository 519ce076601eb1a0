// TAcadVer4: construction and destruction.
#include "acad/AcadVer4.h"

TAcadVer4::TAcadVer4(TLogVer4* Log, const std::wstring& LogName) : FLog(Log, LogName) {
    FWaitTime_Active = 500;
    FWaitTime_Command = 300;
    FLinkFreeAutoClose = true;
    FLinkFreeAutoSave = true;
    FLinkFreeAutoDelete = true;
    FLinkFreeAutoBackUp = false;
    FLinkReadOnlyPermission = false;
    CompulsionClear();
    FLastMainHandle = nullptr;
    FReadOnlyLinkFlag = false;
}

TAcadVer4::~TAcadVer4() {
    UniqueFileDelete(1);  // work files of a link that was never released
    FLog.OnLogging = nullptr;
}
