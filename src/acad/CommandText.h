// Window-free rules of the texts typed into AutoCAD: the caller's "^m"/"^c" escapes and the
// 【Enter】/【Esc】 markers, the check of data pieces put inside a command, and the bytes the
// sender hands over (UTF-16 or the ANSI code page, at most the sender's buffer).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace sb::acad {

inline constexpr wchar_t kEnterMark[] = L"【Enter】";
inline constexpr wchar_t kEscMark[] = L"【Esc】";
inline constexpr wchar_t kCancelChar = L'\x0003';
inline constexpr wchar_t kEnterChar = L'\r';

// The sender's buffer: 1024 UTF-16 units, or 1024 bytes in the ANSI code page, plus the NUL.
inline constexpr std::size_t kSendBufferUnits = 1024;

// Replaces every occurrence of From by To, comparing ASCII letters without case.
std::wstring ReplaceNoCase(const std::wstring& S, const std::wstring& From, const std::wstring& To);
bool ContainsNoCase(const std::wstring& S, const std::wstring& Part);

// The form shown in the log. Original: CR and U+0003 become the markers; otherwise "^m" and "^c"
// (any case) do.
std::wstring CommandLogForm(const std::wstring& Value, bool Original);
// The form typed: the markers (any case) become CR and U+0003.
std::wstring CommandSendForm(const std::wstring& LogForm);

// A piece of data (path, name, value) put inside a command may not type Enter or Cancel by
// itself: "^m"/"^c" (any case), CR, LF, U+0003 and the two markers (any case) are refused.
// Empty Reason when the piece is fine; otherwise the error line to log.
std::wstring CommandDataCheck(const std::wstring& Piece);

// The bytes of WM_COPYDATA's lpData, with the terminating NUL; cbData is their count.
struct SendPayload {
    std::vector<unsigned char> Bytes;
};

// Converts UTF-16 text to the ANSI code page: Bytes without NUL; UsedDefault when some character
// has no exact form there (nothing may be replaced by a best fit or a default character).
struct AnsiConversion {
    bool Ok = false;
    bool UsedDefault = false;
    std::string Bytes;
};
using AnsiConverter = std::function<AnsiConversion(const std::wstring&)>;

// Builds the payload for a Unicode (UTF-16, little endian) or ANSI window. Empty Error on
// success; otherwise the error line to log and no payload.
std::wstring MakeSendPayload(const std::wstring& Text, bool UnicodeWindow, const AnsiConverter& ToAnsi,
                             SendPayload& Payload);

}  // namespace sb::acad
