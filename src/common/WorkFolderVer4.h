// The work folder next to the program and the work files in it: the folder is created on demand
// and cleaned of leftovers at every start; work files get unique names.
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
// Creates an empty file with a new unique name in Folder (created when missing); Path receives it.
bool TempFileCreate(const std::wstring& Folder, const std::wstring& Prefix, std::wstring& Path);
// Reserves "Folder\Prefix0001.Ext" … "Prefix0300.Ext" (with NoNumberFirst first "Prefix.Ext", then
// from 0001): the first name that does not exist yet is created empty and returned in Path. False,
// with nothing left behind, when all are taken or the folder cannot be used.
bool UniqueFileName(const std::wstring& Folder, const std::wstring& Prefix, const std::wstring& Ext,
                    bool NoNumberFirst, std::wstring& Path);
