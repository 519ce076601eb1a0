// The settings file component. The main window calls it at start and at close; the stored
// format and the typed accessors are not in place yet, so nothing is read or written so far.
#pragma once

#include <functional>
#include <string>

#include "log/LogAccessVer4.h"

class TLogVer4;

class TIniVer4 {
public:
    using TIniEvent = std::function<void(TIniVer4& ini, int index, int mode)>;

    TIniVer4(TLogVer4* log, const std::wstring& logName) : FLog(log, logName) {}

    // Loads the main settings file and the one named on the command line (Mode 1 at start).
    bool CommandLineLoad(int Mode);
    // Writes the settings to FileName.
    bool Save(const std::wstring& FileName, int Mode, bool FolderMem);

    TIniEvent OnSave;
    TIniEvent OnLoad;

private:
    TLogAccessVer4 FLog;
};
