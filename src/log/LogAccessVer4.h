// Per-component facade onto the one log: adds the component's name to its top-level lines and
// swallows every call when no log is attached. No Breaking and no SaveToFile: only the main
// window records a stop request and saves the log.
#pragma once

#include <functional>
#include <string>

class TLogVer4;

class TLogAccessVer4 {
public:
    using TOnLogging = std::function<void(TLogAccessVer4&)>;

    TLogAccessVer4() = default;
    TLogAccessVer4(TLogVer4* log, std::wstring name) : FLog(log), FLogName(std::move(name)) {}

    TLogVer4* Log() const { return FLog; }
    void Log(TLogVer4* log) { FLog = log; }
    const std::wstring& LogName() const { return FLogName; }
    void LogName(const std::wstring& name) { FLogName = name; }
    TOnLogging OnLogging;

    void Clear();
    void MessageLabelClear();
    void Separator(int Level = 0);
    void Space(int Level = 0);
    void Add(const std::wstring& Text, int Level, int LogMode, const std::wstring& LinkType = {},
             const std::wstring& FullPath = {}, const std::wstring& Address1 = {},
             const std::wstring& Address2 = {});
    void Sub(const std::wstring& Text, int Level, int LogMode, const std::wstring& LinkType = {},
             const std::wstring& FullPath = {}, const std::wstring& Address1 = {},
             const std::wstring& Address2 = {});
    void Plus(const std::wstring& Text, int Level, int LogMode);
    void Memo(const std::wstring& Text);
    void Emergency(const std::wstring& Text);
    void Error(const std::wstring& Text);
    void Warning(const std::wstring& Text);
    void Attention(const std::wstring& Text);
    void Confirmation(const std::wstring& Text);
    void Report(const std::wstring& Text);
    bool BreakingCheck();
    bool EmergencyCheck();
    bool ErrorCheck();
    bool WarningCheck();
    bool AttentionCheck();
    void MainJump();
    void LogJump();
    void NoErrorJump();
    void xMainProgressInc();
    void xProgressInc();
    int xMainProgressMin();
    void xMainProgressMin(int value);
    int xMainProgressMax();
    void xMainProgressMax(int value);
    int xMainProgressPosition();
    void xMainProgressPosition(int value);
    int xProgressMin();
    void xProgressMin(int value);
    int xProgressMax();
    void xProgressMax(int value);
    int xProgressPosition();
    void xProgressPosition(int value);
    int BreakingCount();

private:
    // Raises OnLogging (not re-entrantly) and says whether a log was attached when it began.
    bool LogCheck(bool isPlus = false);

    TLogVer4* FLog = nullptr;  // not owned; main thread only
    std::wstring FLogName;
    bool OnLoggingFlag = false;
};
