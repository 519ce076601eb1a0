// The two ways of reading a process's executable path: QueryFullProcessImageNameW where the
// system has it (Vista and later), GetModuleFileNameExW before. Empty on any failure.
#pragma once

#include <windows.h>

#include <string>

namespace sb::common {

std::wstring ExePathByImageName(DWORD ProcessId);  // empty also when the call does not exist
std::wstring ExePathByModuleName(DWORD ProcessId);
bool HasImageNameQuery();

}  // namespace sb::common
