// Window, process and text helpers shared by the AutoCAD session, the command channel and the
// drawing queries. Stateless: safe to call from the main thread and the monitor thread at once.
// The window-free pieces (text rules, wildcard, prompt lists) live in TextCore.h, Wildcard.h and
// PromptList.h; the functions here bind them to the system locale.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/EnumWindowVer4.h"
#include "common/PromptList.h"
#include "common/TextCore.h"
#include "common/Wildcard.h"

// Every send to a window of another process is bounded: a hung AutoCAD must not freeze us.
inline constexpr unsigned kCrossProcessSendTimeoutMs = 2000;
// Longest control text read, in UTF-16 units (a long AutoCAD history is well below this).
inline constexpr int kControlTextCap = 4 * 1024 * 1024;

// EnumWindows callback: List is a TEnumWindowListVer4*. Records titled top-level windows and
// stops after 4096 visited windows.
BOOL CALLBACK EnumWindowsProc(HWND Handle, LPARAM List);

std::wstring GetWindowTitle(HWND Handle);      // at most 1023 units; empty when not a window
std::wstring GetWindowClassName(HWND Handle);  // empty when not a window

// Whole control text by WM_GETTEXTLENGTH / WM_GETTEXT, each bounded by TimeoutMs (abort if hung).
// Empty when the handle is not a window, the text is empty, or a send failed or timed out.
std::wstring GetControlText(HWND Handle, unsigned TimeoutMs = kCrossProcessSendTimeoutMs);
// As GetControlText, but tells a failed or timed-out read (false) from an empty text (true).
bool TryGetControlText(HWND Handle, std::wstring& Text, unsigned TimeoutMs = kCrossProcessSendTimeoutMs);

DWORD GetWindowProcessID(HWND Handle);         // 0 when not a window
std::wstring GetWindowExePath(HWND Handle);    // empty when unknown (not proof of "not AutoCAD")

// Makes Handle (a window of another process) the foreground and active window by attaching the
// input of OwnWindow's thread (normally the program's main window) to the target's thread.
bool ForceForeground(HWND Handle, HWND OwnWindow);

std::wstring ToFullWidth(const std::wstring& S);   // input unchanged when mapping fails
std::wstring ToHalfWidth(const std::wstring& S);
std::wstring LocaleUpperCase(const std::wstring& S);  // user locale
std::wstring NormalizeTitle(const std::wstring& S);   // trim, upper case, half width, one U+3000

std::wstring SpaceShrink(const std::wstring& S);
bool FindInteger(const std::wstring& S, int& Value);
bool FindReal(const std::wstring& S, double& Value);  // user locale's number format
std::wstring DequoteStr(const std::wstring& S);
int BackPos(const std::wstring& SubStr, const std::wstring& S, int Offset = -1);
bool WildcardMatch(const std::wstring& Text, const std::wstring& Pattern);

// First child (or, with Recursive, descendant in pre-order) of Parent after ChildAfter whose class
// and text match the one-star patterns (an empty pattern matches anything). Text reads are bounded
// by TextTimeoutMs; a text that cannot be read does not match a non-empty TextPattern.
HWND FindChildWindow(HWND Parent, HWND ChildAfter, const std::wstring& ClassPattern, bool Recursive,
                     const std::wstring& TextPattern, unsigned TextTimeoutMs = kCrossProcessSendTimeoutMs);

// Keeps this thread's windows responsive for Milliseconds, sleeping between message passes.
void ProcessMessagesWait(unsigned Milliseconds);

// Prompt list matching with the user locale's upper case. PromptListSet itself is
// sb::common::PromptListSet (PromptList.h): the caller logs its Emergency text on failure.
bool PromptListMatch(const std::wstring& Prompt, const std::vector<std::wstring>& List, int& Index);
