#include "log/LogStatusLabel.h"

#include <commctrl.h>

#include "log/LogWin32.h"

namespace {
constexpr UINT_PTR kSubclassId = 0x5B107;
}

void TLogStatusLabelVer4::Attach(HWND label) {
    if (label_ == label) return;
    if (label_) {
        RemoveWindowSubclass(label_, &Proc, kSubclassId);
        InvalidateRect(label_, nullptr, TRUE);
    }
    label_ = nullptr;
    if (label && SetWindowSubclass(label, &Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        label_ = label;
        const int length = GetWindowTextLengthW(label_);
        text_.assign(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
        const int got = GetWindowTextW(label_, text_.data(), static_cast<int>(text_.size()));
        text_.resize(got > 0 ? static_cast<size_t>(got) : 0);
        InvalidateRect(label_, nullptr, TRUE);
    }
}

void TLogStatusLabelVer4::Show(const std::wstring& text, COLORREF font, COLORREF brush) {
    if (!label_) return;
    font_ = font;
    brush_ = brush;
    if (text != text_) {
        text_ = text;
        SetWindowTextW(label_, text_.c_str());  // keeps the label's own text readable
    }
    InvalidateRect(label_, nullptr, TRUE);
}

LRESULT CALLBACK TLogStatusLabelVer4::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR ref) {
    auto* self = reinterpret_cast<TLogStatusLabelVer4*>(ref);
    try {
        switch (msg) {
        case WM_PAINT:
            self->Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETTEXT:
        case WM_ENABLE: {
            // The static control would paint itself at once with its own colours.
            const LRESULT result = DefWindowProcW(hwnd, msg, wp, lp);
            InvalidateRect(hwnd, nullptr, TRUE);
            return result;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, &Proc, id);
            if (self->label_ == hwnd) self->label_ = nullptr;
            break;
        default:
            break;
        }
    } catch (...) {
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

void TLogStatusLabelVer4::Paint() {
    sb::log::win::PaintGuard paint(label_);
    if (!paint.dc()) return;
    RECT rc;
    GetClientRect(label_, &rc);
    sb::log::win::GdiObject<HBRUSH> brush(CreateSolidBrush(brush_));
    FillRect(paint.dc(), &rc, brush.get());
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(label_, WM_GETFONT, 0, 0));
    sb::log::win::SelectGuard select(paint.dc(), font);
    SetBkMode(paint.dc(), TRANSPARENT);
    SetTextColor(paint.dc(), font_);
    DrawTextW(paint.dc(), text_.c_str(), static_cast<int>(text_.size()), &rc,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}
