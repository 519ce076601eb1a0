#include "acad/CommandText.h"

namespace sb::acad {

namespace {

wchar_t FoldAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool MatchAt(const std::wstring& S, std::size_t At, const std::wstring& Part) {
    if (S.size() - At < Part.size()) return false;
    for (std::size_t i = 0; i < Part.size(); ++i)
        if (FoldAscii(S[At + i]) != FoldAscii(Part[i])) return false;
    return true;
}

std::wstring ReplaceChar(const std::wstring& S, wchar_t From, const std::wstring& To) {
    std::wstring out;
    out.reserve(S.size());
    for (wchar_t c : S) {
        if (c == From)
            out += To;
        else
            out.push_back(c);
    }
    return out;
}

std::wstring Number(std::size_t N) { return std::to_wstring(N); }

}  // namespace

std::wstring ReplaceNoCase(const std::wstring& S, const std::wstring& From, const std::wstring& To) {
    if (From.empty()) return S;
    std::wstring out;
    out.reserve(S.size());
    std::size_t i = 0;
    while (i < S.size()) {
        if (MatchAt(S, i, From)) {
            out += To;
            i += From.size();
        } else {
            out.push_back(S[i++]);
        }
    }
    return out;
}

bool ContainsNoCase(const std::wstring& S, const std::wstring& Part) {
    if (Part.empty()) return true;
    for (std::size_t i = 0; i + Part.size() <= S.size(); ++i)
        if (MatchAt(S, i, Part)) return true;
    return false;
}

std::wstring CommandLogForm(const std::wstring& Value, bool Original) {
    if (Original) return ReplaceChar(ReplaceChar(Value, kEnterChar, kEnterMark), kCancelChar, kEscMark);
    return ReplaceNoCase(ReplaceNoCase(Value, L"^m", kEnterMark), L"^c", kEscMark);
}

std::wstring CommandSendForm(const std::wstring& LogForm) {
    return ReplaceNoCase(ReplaceNoCase(LogForm, kEnterMark, std::wstring(1, kEnterChar)), kEscMark,
                         std::wstring(1, kCancelChar));
}

std::wstring CommandDataCheck(const std::wstring& Piece) {
    const bool control = Piece.find_first_of(L"\r\n\x0003") != std::wstring::npos;
    const bool escapes = ContainsNoCase(Piece, L"^m") || ContainsNoCase(Piece, L"^c");
    const bool marks = ContainsNoCase(Piece, kEnterMark) || ContainsNoCase(Piece, kEscMark);
    if (!control && !escapes && !marks) return {};
    // Shown with its control characters visible: the line itself must stay one line.
    const std::wstring shown = ReplaceChar(CommandLogForm(Piece, true), L'\n', L"【LF】");
    return L"Enter・キャンセルとして送られる文字を含むため送信できません「" + shown + L"」";
}

std::wstring MakeSendPayload(const std::wstring& Text, bool UnicodeWindow, const AnsiConverter& ToAnsi,
                             SendPayload& Payload) {
    Payload.Bytes.clear();
    if (Text.empty()) return L"送信するコマンドがありません";
    if (Text.find(L'\0') != std::wstring::npos) return L"送信するコマンドにNUL文字が含まれています";
    if (UnicodeWindow) {
        if (Text.size() > kSendBufferUnits)
            return L"送信するコマンドが長すぎます（" + Number(Text.size()) + L"文字、上限" + Number(kSendBufferUnits) +
                   L"文字）";
        Payload.Bytes.reserve((Text.size() + 1) * 2);
        for (wchar_t c : Text) {
            const unsigned unit = static_cast<unsigned>(c) & 0xFFFFu;
            Payload.Bytes.push_back(static_cast<unsigned char>(unit & 0xFFu));
            Payload.Bytes.push_back(static_cast<unsigned char>(unit >> 8));
        }
        Payload.Bytes.push_back(0);
        Payload.Bytes.push_back(0);
        return {};
    }
    // Checked on the characters first: the conversion never yields fewer bytes than characters.
    if (Text.size() > kSendBufferUnits)
        return L"送信するコマンドが長すぎます（" + Number(Text.size()) + L"文字、上限" + Number(kSendBufferUnits) +
               L"バイト）";
    const AnsiConversion a = ToAnsi ? ToAnsi(Text) : AnsiConversion{};
    if (!a.Ok) return L"AutoCADの文字コードへの変換に失敗しました";
    if (a.UsedDefault) return L"AutoCADの文字コードで表せない文字が含まれているため送信できません";
    if (a.Bytes.size() > kSendBufferUnits)
        return L"送信するコマンドが長すぎます（変換後" + Number(a.Bytes.size()) + L"バイト、上限" +
               Number(kSendBufferUnits) + L"バイト）";
    if (a.Bytes.find('\0') != std::string::npos) return L"AutoCADの文字コードへの変換に失敗しました";
    Payload.Bytes.assign(a.Bytes.begin(), a.Bytes.end());
    Payload.Bytes.push_back(0);
    return {};
}

}  // namespace sb::acad
