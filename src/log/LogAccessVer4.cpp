#include "log/LogAccessVer4.h"

#include "log/LogText.h"
#include "log/LogVer4.h"

bool TLogAccessVer4::LogCheck(bool isPlus) {
    const bool present = FLog != nullptr;
    if (!isPlus && !OnLoggingFlag && OnLogging) {
        OnLoggingFlag = true;
        try {
            OnLogging(*this);
        } catch (...) {
            // A failing handler must not stop the line from being logged.
        }
        OnLoggingFlag = false;
    }
    // The handler may have detached the log; then there is nothing to forward to.
    return present && FLog != nullptr;
}

void TLogAccessVer4::Clear() {
    if (LogCheck()) FLog->Clear();
}
void TLogAccessVer4::MessageLabelClear() {
    if (LogCheck()) FLog->MessageLabelClear();
}
void TLogAccessVer4::Separator(int Level) {
    if (LogCheck()) FLog->Separator(Level);
}
void TLogAccessVer4::Space(int Level) {
    if (LogCheck()) FLog->Space(Level);
}
void TLogAccessVer4::Add(const std::wstring& Text, int Level, int LogMode, const std::wstring& LinkType,
                         const std::wstring& FullPath, const std::wstring& Address1, const std::wstring& Address2) {
    if (!LogCheck()) return;
    FLog->Add(sb::log::FacadeLineText(FLogName, Text, LogMode), Level, LogMode, LinkType, FullPath, Address1,
              Address2);
}
void TLogAccessVer4::Sub(const std::wstring& Text, int Level, int LogMode, const std::wstring& LinkType,
                         const std::wstring& FullPath, const std::wstring& Address1, const std::wstring& Address2) {
    if (LogCheck()) FLog->Sub(Text, Level, LogMode, LinkType, FullPath, Address1, Address2);
}
void TLogAccessVer4::Plus(const std::wstring& Text, int Level, int LogMode) {
    if (LogCheck(true)) FLog->Plus(Text, Level, LogMode);
}
void TLogAccessVer4::Memo(const std::wstring& Text) {
    if (LogCheck()) FLog->Memo(sb::log::FacadeSeverityText(FLogName, Text));
}
void TLogAccessVer4::Emergency(const std::wstring& Text) {
    if (LogCheck()) FLog->Emergency(sb::log::FacadeSeverityText(FLogName, Text));
}
void TLogAccessVer4::Error(const std::wstring& Text) {
    if (LogCheck()) FLog->Error(sb::log::FacadeSeverityText(FLogName, Text));
}
void TLogAccessVer4::Warning(const std::wstring& Text) {
    if (LogCheck()) FLog->Warning(sb::log::FacadeSeverityText(FLogName, Text));
}
void TLogAccessVer4::Attention(const std::wstring& Text) {
    if (LogCheck()) FLog->Attention(sb::log::FacadeSeverityText(FLogName, Text));
}
void TLogAccessVer4::Confirmation(const std::wstring& Text) {
    if (LogCheck()) FLog->Confirmation(sb::log::FacadeSeverityText(FLogName, Text));
}
void TLogAccessVer4::Report(const std::wstring& Text) {
    if (LogCheck()) FLog->Report(sb::log::FacadeSeverityText(FLogName, Text));
}
bool TLogAccessVer4::BreakingCheck() { return LogCheck() && FLog->BreakingCheck(); }
bool TLogAccessVer4::EmergencyCheck() { return LogCheck() && FLog->EmergencyCheck(); }
bool TLogAccessVer4::ErrorCheck() { return LogCheck() && FLog->ErrorCheck(); }
bool TLogAccessVer4::WarningCheck() { return LogCheck() && FLog->WarningCheck(); }
bool TLogAccessVer4::AttentionCheck() { return LogCheck() && FLog->AttentionCheck(); }
void TLogAccessVer4::MainJump() {
    if (LogCheck()) FLog->MainJump();
}
void TLogAccessVer4::LogJump() {
    if (LogCheck()) FLog->LogJump();
}
void TLogAccessVer4::NoErrorJump() {
    if (LogCheck()) FLog->NoErrorJump();
}
void TLogAccessVer4::xMainProgressInc() {
    if (LogCheck()) FLog->xMainProgressInc();
}
void TLogAccessVer4::xProgressInc() {
    if (LogCheck()) FLog->xProgressInc();
}
int TLogAccessVer4::xMainProgressMin() { return LogCheck() ? FLog->xMainProgressMin() : 0; }
void TLogAccessVer4::xMainProgressMin(int value) {
    if (LogCheck()) FLog->xMainProgressMin(value);
}
int TLogAccessVer4::xMainProgressMax() { return LogCheck() ? FLog->xMainProgressMax() : 0; }
void TLogAccessVer4::xMainProgressMax(int value) {
    if (LogCheck()) FLog->xMainProgressMax(value);
}
int TLogAccessVer4::xMainProgressPosition() { return LogCheck() ? FLog->xMainProgressPosition() : 0; }
void TLogAccessVer4::xMainProgressPosition(int value) {
    if (LogCheck()) FLog->xMainProgressPosition(value);
}
int TLogAccessVer4::xProgressMin() { return LogCheck() ? FLog->xProgressMin() : 0; }
void TLogAccessVer4::xProgressMin(int value) {
    if (LogCheck()) FLog->xProgressMin(value);
}
int TLogAccessVer4::xProgressMax() { return LogCheck() ? FLog->xProgressMax() : 0; }
void TLogAccessVer4::xProgressMax(int value) {
    if (LogCheck()) FLog->xProgressMax(value);
}
int TLogAccessVer4::xProgressPosition() { return LogCheck() ? FLog->xProgressPosition() : 0; }
void TLogAccessVer4::xProgressPosition(int value) {
    if (LogCheck()) FLog->xProgressPosition(value);
}
int TLogAccessVer4::BreakingCount() { return LogCheck() ? FLog->BreakingCount() : 0; }
