// The main window's status label, painted by the log: the window owns the static control, the
// log subclasses it and draws its text in the colours the log chooses (the flashing message).
#pragma once

#include <windows.h>

#include <string>

class TLogStatusLabelVer4 {
public:
    TLogStatusLabelVer4() = default;
    ~TLogStatusLabelVer4() { Attach(nullptr); }
    TLogStatusLabelVer4(const TLogStatusLabelVer4&) = delete;
    TLogStatusLabelVer4& operator=(const TLogStatusLabelVer4&) = delete;

    // Takes over painting of `label` (nullptr: lets go of the current one).
    void Attach(HWND label);
    HWND Label() const { return label_; }
    void Show(const std::wstring& text, COLORREF font, COLORREF brush);
    COLORREF FontColor() const { return font_; }
    COLORREF BrushColor() const { return brush_; }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    void Paint();

    HWND label_ = nullptr;
    std::wstring text_;
    COLORREF font_ = GetSysColor(COLOR_WINDOWTEXT);
    COLORREF brush_ = GetSysColor(COLOR_BTNFACE);
};
