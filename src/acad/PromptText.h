// Window-free rules for AutoCAD's prompt line and history: the command-prompt prefixes, the
// default value of a prompt, log excerpts, history lines, what the history gained since a send,
// the lines below a command's echo, and the decisions of the prompt-skipping loop.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "common/TextCore.h"

namespace sb::acad {

// The command prompt in half-width form after blank shrinking.
inline constexpr wchar_t kCommandPromptHalf[] = L"ｺﾏﾝﾄﾞ:";
inline constexpr wchar_t kCommandPromptFull[] = L"コマンド:";

// Removes the first of the twelve command-prompt prefixes that Text begins with; a text that is
// the bare command prompt (in any width and blank form) stays as it is.
std::wstring PromptPrefixCut(const std::wstring& Text, const sb::common::TextMap& HalfWidth);

// The default value of a prompt: the text inside its last pair of angle brackets (half or full
// width), one pair of double quotes removed; for the colour prompt only the number before the
// bracketed colour name. No closing bracket: an empty value, still a success.
struct PromptValueResult {
    bool Ok = false;
    std::wstring Value;
};
PromptValueResult PromptValue(const std::wstring& Prompt);

// The last Count characters (all of a shorter text).
std::wstring LastChars(const std::wstring& S, std::size_t Count);
// The last three lines joined with " / ", then its last 50 characters.
std::wstring LastLinesExcerpt(const std::vector<std::wstring>& Lines);

// Lines at CR LF, CR or LF; a final line break adds no empty line.
std::vector<std::wstring> SplitLines(const std::wstring& Text);

// What After added to Before: After is taken as Before with some lines possibly dropped from the
// front and new text appended. The longest end of Before that After begins with is the overlap.
std::wstring HistoryGained(const std::wstring& Before, const std::wstring& After);

// Index of the last line that echoes Typed at the command prompt ("コマンド: TYPED", any prompt
// prefix, ASCII letters without case, blanks around ignored); -1 when there is none.
int LastEchoLine(const std::vector<std::wstring>& Lines, const std::wstring& Typed,
                 const sb::common::TextMap& HalfWidth);
// The lines after that echo; none when the echo is missing (never older history).
std::vector<std::wstring> LinesBelowEcho(const std::vector<std::wstring>& Lines, const std::wstring& Typed,
                                         const sb::common::TextMap& HalfWidth);

// What of a typed text AutoCAD still owes an answer to: the runs that an Enter (CR) or a Cancel
// (U+0003) ends. A run left without either (a path typed before its Enter) is not awaited.
std::vector<std::wstring> AwaitedPieces(const std::wstring& Text);

// True when the raw command line shows typing that AutoCAD has not answered yet: after a prompt's
// ":" or ">" (and blanks) it ends with the beginning of one of the awaited pieces, or it is such a
// beginning alone. "コマンド: VIEWSIZE" is the echo of "VIEWSIZE\r", not VIEWSIZE's prompt.
bool IsTypingEcho(const std::wstring& RawLine, const std::vector<std::wstring>& Pieces);

// The decisions of the skipping wait, one poll at a time.
class PromptSkipper {
public:
    enum class Step {
        Poll,          // nothing to do: poll again
        Matched,       // the prompt is one of the alternatives
        CommandEnded,  // the command prompt came while that counts as a failure
        Answer,        // answer the prompt with Enter, then ask TooManyEnters
        Repeated,      // the prompt came back after its Enter: cannot skip it
    };
    // MatchIndex: the alternative the prompt matched, -1 for none. Changed tells the caller to log
    // the prompt as newly seen.
    Step Next(const std::wstring& Prompt, const std::wstring& History, int MatchIndex, bool CommandErr,
              bool& Changed);
    int Enters() const { return FEnters; }
    // After an Enter: more than 30 sent without the expected prompt.
    bool TooManyEnters() const { return FEnters > 30; }

private:
    // A text no read returns, so the first poll always counts as a change.
    std::wstring FLastPrompt{std::wstring(1, L'\0')};
    std::wstring FLastHistory{std::wstring(1, L'\0')};
    std::wstring FLastAnswered{std::wstring(1, L'\0')};
    int FEnters = 0;
};

}  // namespace sb::acad
