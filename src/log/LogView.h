// The log panel and its controls: the owner-drawn line list, the level label and combo, the
// two progress bars with their texts, and the copy and print buttons. It draws what the core
// holds and reports the user's actions through Events; it decides nothing about the log.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "log/LogCore.h"
#include "log/LogWin32.h"

class TLogViewVer4 {
public:
    struct Events {
        std::function<void(int index)> LevelChanged;
        std::function<void()> CopyClicked;
        std::function<void()> PrintClicked;
        std::function<void(int index)> DoubleClicked;
        std::function<void()> Timer;  // every 500 ms
    };

    static constexpr int ListId = 1001;
    static constexpr int ComboId = 1002;
    static constexpr int ClipId = 1003;
    static constexpr int PrintId = 1004;
    static constexpr int MainBarId = 1005;
    static constexpr int StepBarId = 1006;
    static constexpr int LevelLabelId = 1007;

    TLogViewVer4(HWND parent, int controlId, const std::wstring& name, const sb::log::LogCore& core, Events events);
    ~TLogViewVer4();
    TLogViewVer4(const TLogViewVer4&) = delete;
    TLogViewVer4& operator=(const TLogViewVer4&) = delete;

    HWND Handle() const { return panel_; }
    HWND List() const { return list_; }
    HWND Combo() const { return combo_; }
    HWND MainBar() const { return mainBar_; }
    HWND StepBar() const { return stepBar_; }
    HWND ClipButton() const { return clip_; }
    HWND PrintButton() const { return print_; }

    void SetBounds(int x, int y, int w, int h);
    void Layout();
    void Dpi(int dpi);
    int Scale(int pixels) const { return MulDiv(pixels, dpi_, 96); }

    void AppendLine(const std::wstring& text);
    void ReplaceLastLine(const std::wstring& text);
    void ClearLines();
    void ShowBars(const sb::log::BarView& main, const sb::log::BarView& step);
    void LevelIndex(int index);
    void ListItemHeight(int pixels);
    void ListScrollWidth(int pixels);
    void ListFont(const std::wstring& face, int height);
    void PrintEnabled(bool on) { printAvailable_ = on; ApplyEnabled(); }
    void ButtonsEnabled(bool on) { buttonsOn_ = on; ApplyEnabled(); }
    // Stops the 500 ms timer and the user's events (destruction began).
    void Detach();

private:
    static LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK ListProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    static LRESULT CALLBACK BarProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    void DrawItem(const DRAWITEMSTRUCT& dis);
    bool EraseListBackground(HDC dc);
    void PaintBar(HWND bar);
    void Command(int id, int code);
    void MakeFonts();
    void ApplyFonts();
    void ApplyEnabled();

    const sb::log::LogCore& core_;
    Events events_;
    std::wstring name_;
    int dpi_ = 96;
    int itemHeight_ = 13;
    int scrollWidth_ = 0;
    std::wstring listFace_ = L"ＭＳ ゴシック";
    int listFontHeight_ = -13;
    bool printAvailable_ = false;
    bool buttonsOn_ = true;
    bool detached_ = false;
    HWND panel_ = nullptr;
    HWND list_ = nullptr;
    HWND level_ = nullptr;
    HWND combo_ = nullptr;
    HWND mainBar_ = nullptr;
    HWND stepBar_ = nullptr;
    HWND clip_ = nullptr;
    HWND print_ = nullptr;
    sb::log::win::GdiObject<HFONT> listFont_;
    sb::log::win::GdiObject<HFONT> uiFont_;
};
