// Waiting on a condition with a deadline; between checks the thread sleeps in a message wait.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace e2e {

// True as soon as ready() is; false when timeoutMs passed first.
bool waitUntil(const std::function<bool()>& ready, DWORD timeoutMs, DWORD pollMs = 15);

// "/work/x" (a Linux path as Wine maps it) → "Z:\work\x"; a Windows path stays as it is.
std::wstring toWindowsPath(const std::wstring& path);
std::wstring fromUtf8(const std::string& s);
std::string toUtf8(const std::wstring& s);

}  // namespace e2e
