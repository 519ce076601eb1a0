// The work folder next to the program: created on demand, cleaned of leftovers at every start.
#pragma once

#include <string>

class TLogVer4;

// The program's folder + "\WorkFolder", without a trailing separator.
std::wstring WorkFolderPath();
// Creates the folder (with its note file) or cleans it; false when it cannot be created.
// A folder we did not make (no note file) or a reparse point is left untouched.
bool WorkFolderPrepare(TLogVer4* Log, bool ExtMode);
// True when the file exists and cannot be opened exclusively.
bool FileInUse(const std::wstring& Path);
