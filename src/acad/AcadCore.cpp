#include "acad/AcadCore.h"


#include "common/TextCore.h"

namespace sb::acad {

namespace {

wchar_t AsciiUpperChar(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

}  // namespace

std::wstring AsciiUpper(const std::wstring& S) {
    std::wstring r(S);
    for (auto& c : r) c = AsciiUpperChar(c);
    return r;
}

std::wstring RemoveWordNoCase(const std::wstring& S, const std::wstring& Word) {
    if (Word.empty()) return S;
    const std::wstring upperWord = AsciiUpper(Word);
    std::wstring rest = S;
    // Remove left to right; a removal can join pieces into a new occurrence, which is removed too.
    for (;;) {
        const std::size_t at = AsciiUpper(rest).find(upperWord);
        if (at == std::wstring::npos) return rest;
        rest.erase(at, Word.size());
    }
}

RoughVersion GuessRoughVersion(bool UnicodeWindow, const std::wstring& RawTitle) {
    RoughVersion v;
    if (!UnicodeWindow) {
        v.CadVersion = 2000;
        return v;
    }
    v.CadVersion = 2007;
    std::wstring rest = RemoveWordNoCase(RawTitle, L"AUTODESK");
    rest = RemoveWordNoCase(rest, L"autocad");
    rest = RemoveWordNoCase(rest, L"lt");
    int n = 0;
    if (!sb::common::FindInteger(rest, n)) n = 2011;
    if (n == 2011) {
        v.CadVersion = 2011;
        v.Version2011Flag = true;
    }
    return v;
}

bool TextWindowSizeRule(long Width, long Height, long& NewWidth, long& NewHeight) {
    NewWidth = (Width < 400 || Width > 800) ? 400 : Width;
    NewHeight = (Height < 400 || Height > 600) ? 400 : Height;
    return NewWidth != Width || NewHeight != Height;
}

bool RectsMeet(const Rect& A, const Rect& B) {
    if (A.right <= A.left || A.bottom <= A.top || B.right <= B.left || B.bottom <= B.top) return false;
    return A.left < B.right && B.left < A.right && A.top < B.bottom && B.top < A.bottom;
}

bool TextWindowRestorePlace(const Rect& Remembered, const std::vector<Rect>& Monitors, long& Left, long& Top) {
    for (const Rect& m : Monitors) {
        if (RectsMeet(Remembered, m)) {
            Left = Remembered.left;
            Top = Remembered.top;
            return false;
        }
    }
    Left = 0;
    Top = 0;
    return true;
}

bool DrawChildListed(const DrawChildFacts& Facts, bool Mode, bool TempCut) {
    if (Facts.Title.empty()) return false;
    if (Facts.HasFirstChild) {
        const std::wstring cls = AsciiUpper(Facts.FirstChildClass);
        if (cls == L"CEFBROWSERWINDOW" || cls.find(L"CHROME") != std::wstring::npos) return !Mode;
    }
    if (TempCut && AsciiUpper(Facts.Title).compare(0, 7, L"DRAWING") == 0) return false;
    return Facts.HasDialogChild || Facts.HasCommonControlChild;
}

std::wstring WindowsVersionLine(unsigned Major, unsigned Minor) {
    const wchar_t* what;
    if (Major > 6 || (Major == 6 && Minor >= 2))
        what = L" 8以降";
    else if (Major == 6 && Minor == 1)
        what = L" 7";
    else if (Major == 6 && Minor == 0)
        what = L" Vista";
    else
        what = L" XP以前";
    return std::wstring(L"Windowsのバ\xFF0Dジョン ") + what;
}

namespace {

std::wstring PadLeft(std::wstring s, std::size_t width) {
    if (s.size() < width) s.insert(0, width - s.size(), L' ');
    return s;
}

std::wstring Hex(std::uint64_t v) {
    const wchar_t* digits = L"0123456789abcdef";
    std::wstring r;
    do {
        r.insert(r.begin(), digits[v & 0xF]);
        v >>= 4;
    } while (v != 0);
    return r;
}

// Replaces the first %10d and %8x of Label by the value.
std::wstring ApplyLabel(const std::wstring& Label, std::int64_t Value) {
    std::wstring out = Label;
    const std::size_t d = out.find(L"%10d");
    if (d != std::wstring::npos) out.replace(d, 4, PadLeft(std::to_wstring(Value), 10));
    const std::size_t x = out.find(L"%8x");
    if (x != std::wstring::npos) out.replace(x, 3, PadLeft(Hex(static_cast<std::uint64_t>(Value)), 8));
    return out;
}

}  // namespace

std::wstring HandleLine(const std::wstring& Label, std::int64_t Value) { return ApplyLabel(Label, Value); }

std::wstring CandidateLine(const std::wstring& Title, const std::wstring& Class, std::int64_t Wnd,
                           std::uint32_t Pid, const std::wstring& Path) {
    return L"\"" + Title + L"\" [Class=\"" + Class + L"\"] [Wnd=" + std::to_wstring(Wnd) + L"] [PID=" +
           std::to_wstring(Pid) + L"] [FileName=" + Path + L"]";
}

std::wstring ChildLine(const std::wstring& Title, const std::wstring& Class, std::int64_t Wnd) {
    return L"\"" + Title + L"\" [Class=\"" + Class + L"\"] [Wnd=" + std::to_wstring(Wnd) + L"]";
}

std::vector<bool> FlagAcadProcesses(const std::vector<CandidateFacts>& Windows) {
    std::vector<bool> flags(Windows.size(), false);
    for (std::size_t i = 0; i < Windows.size(); ++i) {
        if (AsciiUpper(Windows[i].Title).find(L"AUTOCAD") == std::wstring::npos) continue;
        flags[i] = true;
        for (std::size_t j = 0; j < Windows.size(); ++j)
            if (Windows[j].Pid == Windows[i].Pid) flags[j] = true;
    }
    return flags;
}

LogKind LogKindOfLevel(int Level) {
    switch (Level) {
        case 1: return LogKind::Memo;
        case 2: return LogKind::Report;
        case 3: return LogKind::Confirmation;
        case 4: return LogKind::Attention;
        case 5: return LogKind::Warning;
        case 6: return LogKind::Error;
        case 7: return LogKind::Emergency;
        default: return LogKind::Add;
    }
}

}  // namespace sb::acad
