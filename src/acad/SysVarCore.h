// Window-free rules of reading and setting AutoCAD system variables: the value of a read-only
// variable in the history, AutoCAD's answer to a new value, the comparison that decides whether a
// value must be typed at all, and the restore order of a backup list.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "acad/CadBackUpVer4.h"
#include "common/TextCore.h"

namespace sb::acad {

enum class VarReadResult { Ok, NotFound, Unreadable, BadFormat };

// The value of a read-only variable from the history lines below the echo of the command that
// typed Target (LinesBelowEcho), so a value printed by an earlier read is never taken. The value
// line is the last of them containing Target and "="; after Target it must read "=", blanks, then
// a value: quoted by a double quote or a right double quotation mark (up to the next mark of that
// kind), else up to the next blank.
VarReadResult ReadOnlyValue(const std::vector<std::wstring>& LinesBelowEcho, const std::wstring& Target,
                            std::wstring& Value);
// The value part of Rest (the text after "=": blanks, then a quoted or bare value).
std::wstring ValueAfterEquals(const std::wstring& Rest);

enum class VarSetResult { Ok, NotFound, Unreadable, Invalid };
// AutoCAD's answer in the history window's text after a new value was typed: the text after the
// last occurrence of Target, trimmed, must hold at least 2 characters and no "無効".
VarSetResult SetAnswerCheck(const std::wstring& History, const std::wstring& Target);

// CLAYER, CECOLOR, CELTYPE and CELWEIGHT compare without letter case (Upper: the locale's upper
// case); other variables exactly.
bool SameVariableValue(const std::wstring& Target, const std::wstring& SetValue, const std::wstring& Current,
                       const common::TextMap& Upper);
// The text typed for SetValue: CELWEIGHT's words BYLAYER, BYBLOCK and DEFAULT (any case) as -1, -2, -3.
std::wstring TypedVariableValue(const std::wstring& Target, const std::wstring& SetValue);

// Restores every entry newest first through Set; a failed entry hands its two attention lines to
// Attention at once and makes the result false, and the next entry is still restored.
bool RestoreNewestFirst(const TCadBackUpListVer4& List, const std::function<bool(const TCadBackUpVer4&)>& Set,
                        const std::function<void(const std::wstring&)>& Attention);

}  // namespace sb::acad
