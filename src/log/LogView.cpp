#include "log/LogView.h"

#include <commctrl.h>

#include <vector>

using sb::log::win::GdiObject;
using sb::log::win::SelectGuard;

namespace {

constexpr wchar_t kPanelClass[] = L"SheetbayLogPanel";
constexpr UINT_PTR kFlashTimer = 1;
constexpr UINT kFlashPeriod = 500;
constexpr UINT_PTR kSubclassId = 0x5B106;

const wchar_t* const kLevelItems[] = {L"大工程のみ", L"中工程まで", L"小工程まで", L"デバッグ情報まで",
                                      L"デバッグ詳細まで"};

bool RegisterPanelClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance, kPanelClass, &existing)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kPanelClass;
    return RegisterClassExW(&wc) != 0;
}

HWND Child(HWND parent, DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, int id) {
    return CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

std::wstring WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    if (length <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    const int got = GetWindowTextW(hwnd, buffer.data(), static_cast<int>(buffer.size()));
    return std::wstring(buffer.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

}  // namespace

TLogViewVer4::TLogViewVer4(HWND parent, int controlId, const std::wstring& name, const sb::log::LogCore& core,
                           Events events)
    : core_(core), events_(std::move(events)), name_(name) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterPanelClass(instance, &PanelProc)) return;
    panel_ = CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                             200, 120, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance,
                             this);
    if (!panel_) return;
    list_ = Child(panel_, WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                  WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_NOTIFY |
                      LBS_NOINTEGRALHEIGHT,
                  ListId);
    level_ = Child(panel_, 0, L"STATIC", L"ロギングレベル", SS_LEFT | SS_NOPREFIX, LevelLabelId);
    combo_ = Child(panel_, 0, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, ComboId);
    mainBar_ = Child(panel_, 0, PROGRESS_CLASSW, sb::log::BarPlaceholder(sb::log::LogCore::MainBarHead).c_str(),
                     PBS_SMOOTH, MainBarId);
    stepBar_ = Child(panel_, 0, PROGRESS_CLASSW, sb::log::BarPlaceholder(sb::log::LogCore::StepBarHead).c_str(),
                     PBS_SMOOTH, StepBarId);
    clip_ = Child(panel_, 0, L"BUTTON", L"警告コピー", BS_PUSHBUTTON | WS_TABSTOP, ClipId);
    print_ = Child(panel_, 0, L"BUTTON", L"警告印刷", BS_PUSHBUTTON | WS_TABSTOP, PrintId);
    for (const wchar_t* item : kLevelItems) SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageW(combo_, CB_SETCURSEL, 0, 0);
    if (list_) SetWindowSubclass(list_, &ListProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    for (HWND bar : {mainBar_, stepBar_}) {
        if (bar) SetWindowSubclass(bar, &BarProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    }
    MakeFonts();
    ApplyFonts();
    ApplyEnabled();
    SetTimer(panel_, kFlashTimer, kFlashPeriod, nullptr);
    Layout();
}

TLogViewVer4::~TLogViewVer4() {
    Detach();
    if (panel_) {
        SetWindowLongPtrW(panel_, GWLP_USERDATA, 0);
        DestroyWindow(panel_);  // destroys the controls; their subclasses go with WM_NCDESTROY
    }
}

void TLogViewVer4::Detach() {
    if (detached_) return;
    detached_ = true;
    if (panel_) KillTimer(panel_, kFlashTimer);
    events_ = Events{};
}

// ---- window procedures ----------------------------------------------------------------------

LRESULT CALLBACK TLogViewVer4::PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        static_cast<TLogViewVer4*>(cs->lpCreateParams)->panel_ = hwnd;
    }
    auto* self = reinterpret_cast<TLogViewVer4*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) {
        try {
            return self->Handle(msg, wp, lp);
        } catch (...) {
            // Nothing may escape into the system's dispatcher; the message gets its default.
        }
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT TLogViewVer4::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        if (mis->CtlType == ODT_LISTBOX && mis->CtlID == ListId) {
            mis->itemHeight = static_cast<UINT>(Scale(itemHeight_));
            return TRUE;
        }
        break;
    }
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        if (dis->CtlType == ODT_LISTBOX && dis->CtlID == ListId) {
            DrawItem(*dis);
            return TRUE;
        }
        break;
    }
    case WM_COMMAND:
        if (lp) {
            Command(LOWORD(wp), HIWORD(wp));
            return 0;
        }
        break;
    case WM_TIMER:
        if (wp == kFlashTimer) {
            if (events_.Timer) events_.Timer();
            return 0;
        }
        break;
    case WM_SIZE:
        Layout();
        return 0;
    case WM_NCDESTROY: {
        // The parent went first: forget every handle so later calls touch nothing stale.
        HWND self = panel_;
        SetWindowLongPtrW(self, GWLP_USERDATA, 0);
        panel_ = list_ = level_ = combo_ = mainBar_ = stepBar_ = clip_ = print_ = nullptr;
        return DefWindowProcW(self, msg, wp, lp);
    }
    default:
        break;
    }
    return DefWindowProcW(panel_, msg, wp, lp);
}

LRESULT CALLBACK TLogViewVer4::ListProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR ref) {
    try {
        if (msg == WM_ERASEBKGND) {
            return reinterpret_cast<TLogViewVer4*>(ref)->EraseListBackground(reinterpret_cast<HDC>(wp)) ? 1 : 0;
        }
        if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &ListProc, id);
    } catch (...) {
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT CALLBACK TLogViewVer4::BarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR ref) {
    try {
        switch (msg) {
        case WM_PAINT:
            reinterpret_cast<TLogViewVer4*>(ref)->PaintBar(hwnd);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, &BarProc, id);
            break;
        default:
            break;
        }
    } catch (...) {
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

void TLogViewVer4::Command(int id, int code) {
    if (detached_) return;
    if (id == ComboId && code == CBN_SELCHANGE) {
        const int index = static_cast<int>(SendMessageW(combo_, CB_GETCURSEL, 0, 0));
        if (index >= 0 && events_.LevelChanged) events_.LevelChanged(index);
    } else if (id == ClipId && code == BN_CLICKED) {
        if (events_.CopyClicked) events_.CopyClicked();
    } else if (id == PrintId && code == BN_CLICKED) {
        if (events_.PrintClicked) events_.PrintClicked();
    } else if (id == ListId && code == LBN_DBLCLK) {
        const int index = static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
        if (index >= 0 && events_.DoubleClicked) events_.DoubleClicked(index);
    }
}

// ---- drawing --------------------------------------------------------------------------------

void TLogViewVer4::DrawItem(const DRAWITEMSTRUCT& dis) {
    if (dis.itemID == static_cast<UINT>(-1)) return;
    const auto& lines = core_.Lines();
    COLORREF back = RGB(255, 255, 255);
    COLORREF fore = RGB(0, 0, 0);
    const std::wstring* text = nullptr;
    if (dis.itemID < lines.size()) {  // a stale item after a failed append has no record
        const auto& line = lines[dis.itemID];
        back = sb::log::win::Resolve(line.BrushColor);
        fore = sb::log::win::Resolve(line.FontColor);
        text = &line.Text;
    }
    if (dis.itemState & ODS_FOCUS) {
        back = RGB(0, 0, 0);
        fore = RGB(255, 255, 255);
    }
    GdiObject<HBRUSH> brush(CreateSolidBrush(back));
    FillRect(dis.hDC, &dis.rcItem, brush.get());
    if (!text || text->empty()) return;
    SelectGuard font(dis.hDC, listFont_.get());
    SetBkMode(dis.hDC, TRANSPARENT);
    SetTextColor(dis.hDC, fore);
    ExtTextOutW(dis.hDC, dis.rcItem.left + Scale(2), dis.rcItem.top, ETO_CLIPPED, &dis.rcItem, text->c_str(),
                static_cast<UINT>(text->size()), nullptr);
}

bool TLogViewVer4::EraseListBackground(HDC dc) {
    RECT client;
    GetClientRect(list_, &client);
    LONG itemBottom = 0;
    const LRESULT count = SendMessageW(list_, LB_GETCOUNT, 0, 0);
    if (count > 0) {
        RECT item{};
        if (SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(&item)) !=
            LB_ERR)
            itemBottom = item.bottom;
    }
    if (itemBottom < client.bottom) {
        RECT below{client.left, itemBottom < client.top ? client.top : itemBottom, client.right, client.bottom};
        FillRect(dc, &below, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    return true;
}

void TLogViewVer4::PaintBar(HWND bar) {
    sb::log::win::PaintGuard paint(bar);
    RECT rc;
    GetClientRect(bar, &rc);
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0 || !paint.dc()) return;
    // Drawn off screen first, so the text never flickers over the bar.
    sb::log::win::MemoryDc memory(paint.dc());
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(paint.dc(), w, h));
    if (!memory.get() || !bitmap.get()) return;
    SelectGuard selectBitmap(memory.get(), bitmap.get());
    FillRect(memory.get(), &rc, GetSysColorBrush(COLOR_BTNFACE));
    DefSubclassProc(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT | PRF_ERASEBKGND);
    const std::wstring text = WindowText(bar);
    SelectGuard font(memory.get(), uiFont_.get());
    SetBkMode(memory.get(), TRANSPARENT);
    SetTextColor(memory.get(), RGB(255, 0, 0));
    TextOutW(memory.get(), Scale(10), Scale(4), text.c_str(), static_cast<int>(text.size()));
    BitBlt(paint.dc(), 0, 0, w, h, memory.get(), 0, 0, SRCCOPY);
}

// ---- lines and bars -------------------------------------------------------------------------

void TLogViewVer4::AppendLine(const std::wstring& text) {
    if (!list_) return;
    sb::log::win::RedrawSuspender suspend(list_);
    const LRESULT index = SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index < 0) return;
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(list_, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

void TLogViewVer4::ReplaceLastLine(const std::wstring& text) {
    if (!list_) return;
    const LRESULT count = SendMessageW(list_, LB_GETCOUNT, 0, 0);
    if (count <= 0) return;
    sb::log::win::RedrawSuspender suspend(list_);
    const WPARAM last = static_cast<WPARAM>(count - 1);
    SendMessageW(list_, LB_DELETESTRING, last, 0);
    const LRESULT index = SendMessageW(list_, LB_INSERTSTRING, last, reinterpret_cast<LPARAM>(text.c_str()));
    if (index < 0) return;
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(list_, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

void TLogViewVer4::ClearLines() {
    if (!list_) return;
    sb::log::win::RedrawSuspender suspend(list_);
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
}

void TLogViewVer4::ShowBars(const sb::log::BarView& main, const sb::log::BarView& step) {
    const std::pair<HWND, const sb::log::BarView*> bars[] = {{mainBar_, &main}, {stepBar_, &step}};
    for (const auto& [bar, view] : bars) {
        if (!bar) continue;
        SendMessageW(bar, PBM_SETRANGE32, static_cast<WPARAM>(view->Min), static_cast<LPARAM>(view->Max));
        SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(view->Position), 0);
        SetWindowTextW(bar, view->Text.c_str());
        InvalidateRect(bar, nullptr, FALSE);
        UpdateWindow(bar);
    }
}

void TLogViewVer4::LevelIndex(int index) {
    if (combo_) SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// ---- options, fonts and layout --------------------------------------------------------------

void TLogViewVer4::ListItemHeight(int pixels) {
    itemHeight_ = pixels > 0 ? pixels : 1;
    ApplyFonts();
}

void TLogViewVer4::ListScrollWidth(int pixels) {
    scrollWidth_ = pixels > 0 ? pixels : 0;
    if (list_) SendMessageW(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(Scale(scrollWidth_)), 0);
}

void TLogViewVer4::ListFont(const std::wstring& face, int height) {
    listFace_ = face;
    listFontHeight_ = height;
    MakeFonts();
    ApplyFonts();
}

void TLogViewVer4::Dpi(int dpi) {
    dpi_ = dpi > 0 ? dpi : 96;
    MakeFonts();
    ApplyFonts();
    ListScrollWidth(scrollWidth_);
    Layout();
}

void TLogViewVer4::MakeFonts() {
    listFont_.reset(CreateFontW(MulDiv(listFontHeight_, dpi_, 96), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                FIXED_PITCH | FF_MODERN, listFace_.c_str()));
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    LOGFONTW ui{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        ui = metrics.lfMessageFont;
        const UINT systemDpi = GetDpiForSystem();
        ui.lfHeight = MulDiv(ui.lfHeight, dpi_, systemDpi ? static_cast<int>(systemDpi) : 96);
    } else {
        ui.lfHeight = -MulDiv(12, dpi_, 96);
        ui.lfCharSet = DEFAULT_CHARSET;
    }
    uiFont_.reset(CreateFontIndirectW(&ui));
}

void TLogViewVer4::ApplyFonts() {
    if (list_) {
        SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(listFont_.get()), FALSE);
        const LRESULT count = SendMessageW(list_, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i)
            SendMessageW(list_, LB_SETITEMHEIGHT, static_cast<WPARAM>(i), Scale(itemHeight_));
        InvalidateRect(list_, nullptr, TRUE);
    }
    for (HWND control : {level_, combo_, mainBar_, stepBar_, clip_, print_}) {
        if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont_.get()), TRUE);
    }
}

void TLogViewVer4::ApplyEnabled() {
    if (clip_) EnableWindow(clip_, buttonsOn_);
    if (print_) EnableWindow(print_, buttonsOn_ && printAvailable_);
}

void TLogViewVer4::SetBounds(int x, int y, int w, int h) {
    if (panel_) MoveWindow(panel_, x, y, w, h, TRUE);  // WM_SIZE lays the controls out
}

void TLogViewVer4::Layout() {
    if (!panel_) return;
    RECT rc;
    GetClientRect(panel_, &rc);
    const int W = rc.right;
    const int H = rc.bottom;
    auto place = [](HWND hwnd, int x, int y, int w, int h) {
        if (hwnd) MoveWindow(hwnd, x, y, w < 0 ? 0 : w, h < 0 ? 0 : h, TRUE);
    };
    place(list_, 0, 0, W - Scale(1), H - Scale(50));
    SIZE labelSize{Scale(80), Scale(13)};
    if (HDC dc = GetDC(level_)) {
        SelectGuard font(dc, uiFont_.get());
        const std::wstring caption = L"ロギングレベル";
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &labelSize);
        ReleaseDC(level_, dc);
    }
    place(level_, 0, H - Scale(41), labelSize.cx, labelSize.cy);
    // The height given to a drop-down list also holds its opened list.
    place(combo_, 0, H - Scale(22), Scale(110), Scale(22) + Scale(13) * 8);
    place(mainBar_, Scale(120), H - Scale(45), W - Scale(200), Scale(20));
    place(stepBar_, Scale(120), H - Scale(20), W - Scale(200), Scale(20));
    place(clip_, W - Scale(71), H - Scale(45), Scale(70), Scale(20));
    place(print_, W - Scale(71), H - Scale(20), Scale(70), Scale(20));
}
