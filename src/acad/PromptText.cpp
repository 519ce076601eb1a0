#include "acad/PromptText.h"

#include <algorithm>

namespace sb::acad {

namespace {

bool StartsWith(const std::wstring& S, const std::wstring& Prefix) { return S.compare(0, Prefix.size(), Prefix) == 0; }

std::wstring FoldAscii(const std::wstring& S) {
    std::wstring out = S;
    for (wchar_t& c : out)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return out;
}

}  // namespace

std::wstring PromptPrefixCut(const std::wstring& Text, const sb::common::TextMap& HalfWidth) {
    static const wchar_t* const kPrefixes[] = {
        L"コマンド:  ", L"コマンド: ", L"コマンド:", L"コマンド>  ", L"コマンド> ", L"コマンド>",
        L"ｺﾏﾝﾄﾞ:  ",   L"ｺﾏﾝﾄﾞ: ",   L"ｺﾏﾝﾄﾞ:",   L"ｺﾏﾝﾄﾞ>  ",   L"ｺﾏﾝﾄﾞ> ",   L"ｺﾏﾝﾄﾞ>",
    };
    const std::wstring n = sb::common::SpaceShrink(HalfWidth ? HalfWidth(Text) : Text);
    if (n == L"ｺﾏﾝﾄﾞ:" || n == L"ｺﾏﾝﾄﾞ>") return Text;
    for (const wchar_t* prefix : kPrefixes)
        if (StartsWith(Text, prefix)) return Text.substr(std::wstring(prefix).size());
    return Text;
}

std::vector<std::wstring> AwaitedPieces(const std::wstring& Text) {
    std::vector<std::wstring> pieces;
    std::wstring run;
    for (wchar_t c : Text) {
        if (c == L'\r' || c == L'\x0003') {
            if (!run.empty()) pieces.push_back(run);
            run.clear();
        } else {
            run.push_back(c);
        }
    }
    return pieces;
}

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\x3000'; }

std::wstring TrimRight(std::wstring S) {
    while (!S.empty() && IsBlank(S.back())) S.pop_back();
    return S;
}

bool EndsAPrompt(wchar_t c) { return c == L':' || c == L'>' || c == L'\xFF1A' || c == L'\xFF1E'; }

}  // namespace

bool IsTypingEcho(const std::wstring& RawLine, const std::vector<std::wstring>& Pieces) {
    const std::wstring line = TrimRight(RawLine);
    if (line.empty()) return false;
    for (const std::wstring& piece : Pieces) {
        for (std::size_t k = std::min(piece.size(), line.size()); k > 0; --k) {
            const std::wstring typed = TrimRight(piece.substr(0, k));
            if (typed.empty() || typed.size() > line.size()) continue;
            if (line.compare(line.size() - typed.size(), typed.size(), typed) != 0) continue;
            const std::wstring before = TrimRight(line.substr(0, line.size() - typed.size()));
            if (before.empty() || EndsAPrompt(before.back())) return true;
        }
    }
    return false;
}

PromptValueResult PromptValue(const std::wstring& Prompt) {
    PromptValueResult r;
    wchar_t partner = 0;
    bool closed = false;
    bool opened = false;
    std::wstring value;
    for (std::size_t i = Prompt.size(); i-- > 0;) {
        const wchar_t c = Prompt[i];
        if (!closed) {
            if (c == L'>') partner = L'<';
            if (c == L'\xFF1E') partner = L'\xFF1C';
            closed = partner != 0;
            continue;
        }
        if (c == partner) {
            opened = true;
            break;
        }
        value.insert(value.begin(), c);
    }
    if (!closed) {
        r.Ok = true;
        return r;
    }
    if (!opened) return r;
    value = sb::common::DequoteStr(value);
    if (StartsWith(Prompt, L"新しい色を入力")) {
        const std::size_t cut = value.find_first_of(L"(\xFF08");
        if (cut != std::wstring::npos) value = sb::common::Trim(value.substr(0, cut));
    }
    r.Ok = true;
    r.Value = value;
    return r;
}

std::wstring LastChars(const std::wstring& S, std::size_t Count) {
    return S.size() <= Count ? S : S.substr(S.size() - Count);
}

std::wstring LastLinesExcerpt(const std::vector<std::wstring>& Lines) {
    std::wstring joined;
    const std::size_t from = Lines.size() > 3 ? Lines.size() - 3 : 0;
    for (std::size_t i = from; i < Lines.size(); ++i) {
        if (i > from) joined += L" / ";
        joined += Lines[i];
    }
    return LastChars(joined, 50);
}

std::vector<std::wstring> SplitLines(const std::wstring& Text) {
    std::vector<std::wstring> lines;
    std::wstring line;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        const wchar_t c = Text[i];
        if (c == L'\r' || c == L'\n') {
            lines.push_back(line);
            line.clear();
            if (c == L'\r' && i + 1 < Text.size() && Text[i + 1] == L'\n') ++i;
        } else {
            line.push_back(c);
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::wstring HistoryGained(const std::wstring& Before, const std::wstring& After) {
    if (After.empty()) return {};
    // Prefix function of After, then After matched along Before: the state at Before's end is
    // the longest end of Before that After begins with.
    std::vector<std::size_t> fail(After.size(), 0);
    for (std::size_t i = 1, k = 0; i < After.size(); ++i) {
        while (k > 0 && After[i] != After[k]) k = fail[k - 1];
        if (After[i] == After[k]) ++k;
        fail[i] = k;
    }
    std::size_t k = 0;
    for (wchar_t c : Before) {
        if (k == After.size()) k = fail[k - 1];
        while (k > 0 && c != After[k]) k = fail[k - 1];
        if (c == After[k]) ++k;
    }
    return After.substr(k);
}

int LastEchoLine(const std::vector<std::wstring>& Lines, const std::wstring& Typed,
                 const sb::common::TextMap& HalfWidth) {
    const std::wstring want = FoldAscii(sb::common::Trim(Typed));
    if (want.empty()) return -1;
    for (std::size_t i = Lines.size(); i-- > 0;) {
        const std::wstring cut = PromptPrefixCut(Lines[i], HalfWidth);
        if (cut.size() == Lines[i].size()) continue;  // not a line of the command prompt
        if (FoldAscii(sb::common::Trim(cut)) == want) return static_cast<int>(i);
    }
    return -1;
}

std::vector<std::wstring> LinesBelowEcho(const std::vector<std::wstring>& Lines, const std::wstring& Typed,
                                         const sb::common::TextMap& HalfWidth) {
    const int echo = LastEchoLine(Lines, Typed, HalfWidth);
    if (echo < 0) return {};
    return std::vector<std::wstring>(Lines.begin() + echo + 1, Lines.end());
}

PromptSkipper::Step PromptSkipper::Next(const std::wstring& Prompt, const std::wstring& History, int MatchIndex,
                                        bool CommandErr, bool& Changed) {
    Changed = Prompt != FLastPrompt || History != FLastHistory;
    if (Changed) {
        FLastPrompt = Prompt;
        FLastHistory = History;
    }
    if (MatchIndex >= 0) return (CommandErr && MatchIndex == 0) ? Step::CommandEnded : Step::Matched;
    if (!Changed) return Step::Poll;
    const wchar_t last = Prompt.empty() ? L'\0' : Prompt.back();
    if (last != L':' && last != L'>') return Step::Poll;
    if (Prompt == FLastAnswered && Prompt.find(L"続けるには") == std::wstring::npos) return Step::Repeated;
    FLastAnswered = Prompt;
    ++FEnters;
    return Step::Answer;
}

}  // namespace sb::acad
