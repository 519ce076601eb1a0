// TMainForm: window class, controls from the layout table, DPI scaling, message routing.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <exception>

#include "app/FormUtilVer4.h"
#include "app/MainForm.h"
#include "app/MainFormIds.h"
#include "app/MainFormText.h"
#include "app/PanelWindow.h"

namespace {

constexpr wchar_t kMainClass[] = L"TMainForm";
constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kMainExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES;

const ControlSpec* FindEntry(int id) {
    for (const auto& entry : MainFormControls())
        if (entry.id == id) return &entry;
    return nullptr;
}

}  // namespace

TMainForm::TMainForm(HINSTANCE instance) : FInstance(instance) {}

TMainForm::~TMainForm() {
    if (FHandle) DestroyWindow(FHandle);
}

int TMainForm::Scale(int value) const { return MulDiv(value, FDpi, 96); }

HWND TMainForm::Control(int id) const {
    auto it = FControls.find(id);
    return it == FControls.end() ? nullptr : it->second;
}

bool TMainForm::Checked(int id) const {
    HWND h = Control(id);
    return h && SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::wstring TMainForm::Hint(int id) const {
    auto it = FHints.find(id);
    return it == FHints.end() ? L"" : it->second;
}

std::wstring TMainForm::Caption(int id) const {
    const ControlSpec* entry = FindEntry(id);
    return entry && entry->caption ? entry->caption : L"";
}

std::wstring TMainForm::ExeSiblingPath(const wchar_t* extension) const {
    std::wstring path(32768, L'\0');
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(n);
    size_t dot = path.find_last_of(L".\\/");
    if (dot != std::wstring::npos && path[dot] == L'.') path.resize(dot);
    return path + extension;
}

bool TMainForm::Create(int showCommand) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = FInstance;
    wc.hIcon = LoadIconW(FInstance, MAKEINTRESOURCEW(1));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kMainClass;
    if (!GetClassInfoExW(FInstance, kMainClass, &wc) && !RegisterClassExW(&wc)) return false;
    HWND hwnd = CreateWindowExW(kMainExStyle, kMainClass, kMainFormCaption, kMainStyle, CW_USEDEFAULT,
                                CW_USEDEFAULT, 100, 100, nullptr, nullptr, FInstance, this);
    if (!hwnd) return false;
    ShowWindow(hwnd, showCommand);
    UpdateWindow(hwnd);
    FormShow();
    return true;
}

void TMainForm::FormCreate() {
    BackupPage = -1;
    FormShowMemory = false;
    FRunFlag = false;
    BackHandle = nullptr;
    SortList.clear();
    BackList.Clear();
}

void TMainForm::FormDestroy() {
    SortList.clear();
    BackList.Clear();
}

void TMainForm::CreateFonts() {
    FFont.reset(CreateFontW(-Scale(11), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                            DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma"));
    FBoldFont.reset(CreateFontW(-Scale(11), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                                DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma"));
}

void TMainForm::CreateControls() {
    const wchar_t* panelClass = PanelWindowClass(FInstance);
    for (const auto& entry : MainFormControls()) {
        HWND parent = entry.parent ? Control(entry.parent) : FHandle;
        if (entry.kind == ControlKind::Page) parent = GetParent(parent);  // pages lie over their page control
        const HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id));
        const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        const wchar_t* caption = entry.caption ? entry.caption : L"";
        HWND h = nullptr;
        switch (entry.kind) {
        case ControlKind::TabControl: {
            DWORD style = child | WS_TABSTOP | TCS_MULTILINE;
            if (entry.parent == 0) style |= TCS_BUTTONS | TCS_FLATBUTTONS;
            h = CreateWindowExW(0, WC_TABCONTROLW, L"", style, 0, 0, 0, 0, parent, id, FInstance, nullptr);
            int index = 0;
            for (const auto& page : MainFormControls()) {
                if (page.kind != ControlKind::Page || page.parent != entry.id) continue;
                TCITEMW item{};
                item.mask = TCIF_TEXT;
                item.pszText = const_cast<wchar_t*>(page.caption);
                SendMessageW(h, TCM_INSERTITEMW, index++, reinterpret_cast<LPARAM>(&item));
                FPages[entry.id].push_back(page.id);
            }
            break;
        }
        case ControlKind::Page:
        case ControlKind::Panel:
            h = CreateWindowExW(WS_EX_CONTROLPARENT, panelClass, caption, child | WS_CLIPCHILDREN, 0, 0, 0, 0,
                                parent, id, FInstance, nullptr);
            break;
        case ControlKind::Status:
            h = CreateWindowExW(WS_EX_STATICEDGE | WS_EX_CONTROLPARENT, panelClass, L"", child, 0, 0, 0, 0, parent,
                                id, FInstance, nullptr);
            break;
        case ControlKind::Group: {
            // No WS_CLIPCHILDREN: the frame covers the whole group and paints no interior, so the
            // group itself must erase below it.
            h = CreateWindowExW(WS_EX_CONTROLPARENT, panelClass, caption, child, 0, 0, 0, 0, parent, id, FInstance,
                                nullptr);
            HWND frame = CreateWindowExW(0, L"BUTTON", caption, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 0, 0, 0, h,
                                         nullptr, FInstance, nullptr);
            FGroupFrames[entry.id] = frame;
            break;
        }
        case ControlKind::Button:
            h = CreateWindowExW(0, L"BUTTON", caption, child | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0, parent, id,
                                FInstance, nullptr);
            break;
        case ControlKind::Check:
            h = CreateWindowExW(0, L"BUTTON", caption, child | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 0, 0, parent, id,
                                FInstance, nullptr);
            break;
        case ControlKind::Radio: {
            const bool first = !FindEntry(entry.id - 1) || FindEntry(entry.id - 1)->kind != ControlKind::Radio;
            h = CreateWindowExW(0, L"BUTTON", caption, child | BS_AUTORADIOBUTTON | (first ? WS_GROUP | WS_TABSTOP : 0),
                                0, 0, 0, 0, parent, id, FInstance, nullptr);
            break;
        }
        case ControlKind::Label:
            h = CreateWindowExW(0, L"STATIC", caption, child | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, parent, id,
                                FInstance, nullptr);
            break;
        case ControlKind::Memo:
            h = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", entry.caption ? entry.caption : kHistoryText,
                                child | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0, 0, 0, parent,
                                id, FInstance, nullptr);
            break;
        case ControlKind::Link:
            h = CreateWindowExW(0, WC_LINK, caption, child | WS_TABSTOP, 0, 0, 0, 0, parent, id, FInstance, nullptr);
            break;
        case ControlKind::LogHost:
            Log = std::make_unique<TLogVer4>(parent, entry.id, entry.name);
            h = Log->Handle();
            break;
        }
        if (!h) continue;
        FControls[entry.id] = h;
        if (entry.kind == ControlKind::LogHost) continue;
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(entry.id == IDC_HELPBUTTON ? FBoldFont.get() : FFont.get()), FALSE);
        if (auto frame = FGroupFrames.find(entry.id); frame != FGroupFrames.end())
            SendMessageW(frame->second, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.get()), FALSE);
        if (entry.hint) FHints[entry.id] = entry.hint;
    }
    // Page controls lie below their pages; the help button stands over the tab row.
    for (const auto& [tab, pages] : FPages) SetWindowPos(Control(tab), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    for (const auto& [group, frame] : FGroupFrames) SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(Control(IDC_HELPBUTTON), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SendMessageW(Control(IDC_FORMPOSITION0), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(Control(IDC_ZOOMTAB0), BM_SETCHECK, BST_CHECKED, 0);
    EnableWindow(Control(IDC_STOPBUTTON), FALSE);
    ShowPage(IDC_APPPAGE, 4);  // the history page, until the first show
    ShowPage(IDC_MAINPAGECONTROL, 0);
}

void TMainForm::LayoutControls() {
    RECT client{0, 0, Scale(kMainClientWidth), Scale(kMainClientHeight)};
    RECT frame = client;
    AdjustWindowRectExForDpi(&frame, kMainStyle, FALSE, kMainExStyle, FDpi);
    SetWindowPos(FHandle, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const auto& entry : MainFormControls()) {
        HWND h = Control(entry.id);
        if (!h) continue;
        RECT r{Scale(entry.x), Scale(entry.y), Scale(entry.x + entry.w), Scale(entry.y + entry.h)};
        HWND parent = GetParent(h);
        if (entry.kind == ControlKind::Page) {
            HWND tab = Control(entry.parent);
            GetWindowRect(tab, &r);
            MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
            SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
        } else if (entry.w == 0 || entry.h == 0) {
            GetClientRect(parent, &r);
        }
        if (entry.kind == ControlKind::LogHost) {
            Log->Dpi(FDpi);
            Log->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
            Log->Loaded();
            continue;
        }
        MoveWindow(h, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
        if (auto frameIt = FGroupFrames.find(entry.id); frameIt != FGroupFrames.end())
            MoveWindow(frameIt->second, 0, 0, r.right - r.left, r.bottom - r.top, FALSE);
    }
    InvalidateRect(FHandle, nullptr, TRUE);
}

void TMainForm::CreateToolTips() {
    if (FToolTip || FHints.empty()) return;
    FToolTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, FHandle, nullptr, FInstance,
                               nullptr);
    if (!FToolTip) return;
    SendMessageW(FToolTip, TTM_SETMAXTIPWIDTH, 0, Scale(400));
    for (auto& [id, hint] : FHints) {
        TTTOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = FHandle;
        info.uId = reinterpret_cast<UINT_PTR>(Control(id));
        info.lpszText = hint.data();
        SendMessageW(FToolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

int TMainForm::PageIndex(int tabControlId) const {
    return static_cast<int>(SendMessageW(Control(tabControlId), TCM_GETCURSEL, 0, 0));
}

void TMainForm::ShowPage(int tabControlId, int index) {
    auto it = FPages.find(tabControlId);
    if (it == FPages.end() || index < 0 || index >= static_cast<int>(it->second.size())) return;
    SendMessageW(Control(tabControlId), TCM_SETCURSEL, index, 0);
    for (int i = 0; i < static_cast<int>(it->second.size()); ++i)
        ShowWindow(Control(it->second[i]), i == index ? SW_SHOW : SW_HIDE);
}

void TMainForm::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        HandleMessage(msg);
    }
}

void TMainForm::HandleMessage(MSG& msg) {
    if (FHandle && IsDialogMessageW(FHandle, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void TMainForm::OnNotify(const NMHDR& header) {
    if (header.code == TCN_SELCHANGE) {
        const int tab = static_cast<int>(header.idFrom);
        ShowPage(tab, PageIndex(tab));
    } else if ((header.code == NM_CLICK || header.code == NM_RETURN) && header.idFrom == IDC_HOMEPAGELINKLABEL) {
        HomePageLinkLabelLinkClick(reinterpret_cast<const NMLINK&>(header).item.szUrl);
    }
}

void TMainForm::OnCommand(int id, int code, HWND /*control*/) {
    if (code != BN_CLICKED) return;
    if ((id >= IDC_ROW1SIDE && id <= IDC_ROW7LENGTH) || (id >= IDC_ALLZOOMBUTTON && id <= IDC_ACTIVEEXTZOOMBUTTON) ||
        id == IDC_ALLSAVEBUTTON || id == IDC_NOICONBUTTON) {
        StartButtonClick(id);
    } else if (id == IDC_STOPBUTTON) {
        StopButtonClick();
    } else if (id == IDC_APPENDBUTTON) {
        if (IsWindowEnabled(Control(IDC_APPENDBUTTON))) AppEndButtonClick();
    } else if (id == IDC_HELPBUTTON) {
        HelpButtonClick();
    } else if (id == IDC_INISAVEBUTTON || id == IDC_INILOADBUTTON || id == IDC_INILINKAGEBUTTON) {
        Log->Attention(L"設定ファイル操作：この機能はまだ使えません");
    }
}

void TMainForm::HomePageLinkLabelLinkClick(const std::wstring& link) {
    ShellExecuteW(FHandle, L"open", link.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TMainForm::HelpButtonClick() {
    const std::wstring help = ExeSiblingPath(L".chm");
    if (reinterpret_cast<INT_PTR>(ShellExecuteW(FHandle, L"open", help.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) <= 32)
        Log->Error(L"ヘルプファイルを開けませんでした：" + help);
}

LRESULT CALLBACK TMainForm::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* form = static_cast<TMainForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->FHandle = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<TMainForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!form) return DefWindowProcW(hwnd, msg, wParam, lParam);
    // No exception may leave a window procedure: there is nothing above it to catch it.
    try {
        return form->HandleWindowMessage(msg, wParam, lParam);
    } catch (const std::exception& e) {
        form->ReportInternalError(e.what());
    } catch (...) {
        form->ReportInternalError("unknown");
    }
    return 0;
}

LRESULT TMainForm::HandleWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        FDpi = static_cast<int>(GetDpiForWindow(FHandle));
        if (FDpi <= 0) FDpi = 96;
        FormCreate();
        CreateFonts();
        CreateControls();
        CreateComponents();
        LayoutControls();
        return 0;
    case WM_DPICHANGED: {
        FDpi = HIWORD(wParam);
        CreateFonts();
        for (const auto& [id, h] : FControls)
            if (id != IDC_LOG) SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(id == IDC_HELPBUTTON ? FBoldFont.get() : FFont.get()), FALSE);
        for (const auto& [id, frame] : FGroupFrames) SendMessageW(frame, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.get()), FALSE);
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(FHandle, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        LayoutControls();
        return 0;
    }
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_NOTIFY:
        OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        return 0;
    case WM_DROPFILES:
        DragFinish(reinterpret_cast<HDROP>(wParam));  // dropped settings files are not handled yet
        return 0;
    case WM_CLOSE:
        if (!FormCloseQuery()) return 0;
        if (FRunFlag) {
            // The run still uses this window: hide it now, close after the run's end steps.
            FClosePending = true;
            ShowWindow(FHandle, SW_HIDE);
            return 0;
        }
        FormClose();
        DestroyWindow(FHandle);
        return 0;
    case WM_DESTROY:
        FormDestroy();
        SortItem.reset();
        Acad.reset();
        AcadMaster.reset();
        Ini.reset();
        if (FToolTip) DestroyWindow(FToolTip);
        FToolTip = nullptr;
        return 0;
    case WM_NCDESTROY:
        Log.reset();
        SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
        FHandle = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(FHandle, msg, wParam, lParam);
}
