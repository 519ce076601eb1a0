#include "settings/IniVer4.h"

bool TIniVer4::CommandLineLoad(int /*Mode*/) { return true; }

bool TIniVer4::Save(const std::wstring& /*FileName*/, int /*Mode*/, bool /*FolderMem*/) { return true; }
