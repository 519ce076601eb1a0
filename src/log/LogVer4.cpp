#include "log/LogVer4.h"

#include "log/LogClipboard.h"
#include "log/LogFile.h"
#include "log/LogPrint.h"
#include "log/LogRefreshThread.h"
#include "log/LogStatusLabel.h"
#include "log/LogView.h"

using sb::log::LinkData;

namespace {

// No exception leaves the log: its callers are window procedures and operations that
// expect a Boolean, never a throw.
template <typename F>
void Safe(F&& f) noexcept {
    try {
        f();
    } catch (...) {
    }
}

template <typename F>
bool SafeCheck(F&& f) noexcept {
    try {
        return f();
    } catch (...) {
        return false;
    }
}

void DefaultPump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit request for the program's own message loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

class TLogVer4::Impl final : public sb::log::LogHost {
public:
    Impl(TLogVer4& owner, HWND parent, int controlId, const std::wstring& name)
        : owner_(owner), core(*this) {
        TLogViewVer4::Events events;
        events.LevelChanged = [this](int index) { Safe([&] { core.xLevelValue(index); }); };
        events.CopyClicked = [this] { Safe([&] { CopyWarnings(); }); };
        events.PrintClicked = [this] { Safe([&] { PrintWarnings(); }); };
        events.DoubleClicked = [this](int index) { Safe([&] { LineDoubleClicked(index); }); };
        events.Timer = [this] { Safe([&] { core.MessageRefresh(); }); };
        view = std::make_unique<TLogViewVer4>(parent, controlId, name, core, std::move(events));
        view->PrintEnabled(sb::log::win::PrintAvailable());
    }

    void Shutdown() {
        core.Shutdown();
        if (view) view->Detach();
        label.Attach(nullptr);
    }

    // LogHost
    void LineAppended(const sb::log::TLogLinkVer4& line) override { view->AppendLine(line.Text); }
    void LastLineReplaced(const std::wstring& text) override { view->ReplaceLastLine(text); }
    void LinesCleared() override { view->ClearLines(); }
    bool RefreshDue(int refreshTimeMs) override { return LogThread.TakeDue(refreshTimeMs); }
    void PumpMessages() override {
        Safe([&] {
            if (owner_.MessagePump)
                owner_.MessagePump();
            else
                DefaultPump();
        });
    }
    void RedrawBars(const sb::log::BarView& main, const sb::log::BarView& step) override {
        view->ShowBars(main, step);
    }
    void ShowLabel(const sb::log::LabelView& shown) override {
        label.Show(shown.Text, sb::log::win::Resolve(shown.FontColor), sb::log::win::Resolve(shown.BrushColor));
    }
    std::wstring HintUnderPointer() override;
    void MainJumpDemand() override {
        Safe([&] {
            if (owner_.OnMainJumpDemand) owner_.OnMainJumpDemand();
        });
    }
    void LogJumpDemand() override {
        Safe([&] {
            if (owner_.OnLogJumpDemand) owner_.OnLogJumpDemand();
        });
    }

    void CopyWarnings();
    void PrintWarnings();
    void LineDoubleClicked(int index);

    TLogVer4& owner_;
    TLogThreadVer4 LogThread;  // first in, last out: it outlives everything that asks it
    sb::log::LogCore core;
    TLogStatusLabelVer4 label;
    std::unique_ptr<TLogViewVer4> view;
};

std::wstring TLogVer4::Impl::HintUnderPointer() {
    if (!owner_.HintOf) return {};
    POINT pt;
    if (!GetCursorPos(&pt)) return {};
    HWND at = WindowFromPoint(pt);
    if (!at) return {};
    // WindowFromPoint passes over disabled controls; descend from the top window instead.
    HWND current = GetAncestor(at, GA_ROOT);
    for (int depth = 0; current && depth < 32; ++depth) {
        POINT local = pt;
        ScreenToClient(current, &local);
        HWND child = ChildWindowFromPointEx(current, local, CWP_SKIPINVISIBLE);
        if (!child || child == current) break;
        current = child;
    }
    return current ? owner_.HintOf(current) : std::wstring{};
}

void TLogVer4::Impl::CopyWarnings() {
    std::wstring reason;
    if (!sb::log::win::PutClipboardText(view->Handle(), core.WarningText(), reason)) {
        MessageBoxW(GetAncestor(view->Handle(), GA_ROOT), reason.c_str(), L"警告コピー", MB_OK | MB_ICONERROR);
    }
}

void TLogVer4::Impl::PrintWarnings() {
    std::vector<std::wstring> lines;
    for (const auto& line : core.Lines()) {
        if (line.LogLevel > sb::log::Normal) lines.push_back(line.Text);
    }
    std::wstring reason;
    if (!sb::log::win::PrintLines(view->Handle(), lines, reason) && !reason.empty()) {
        MessageBoxW(GetAncestor(view->Handle(), GA_ROOT), reason.c_str(), L"警告印刷", MB_OK | MB_ICONERROR);
    }
}

void TLogVer4::Impl::LineDoubleClicked(int index) {
    const auto& lines = core.Lines();
    if (!owner_.OnLogClick || index < 0 || static_cast<size_t>(index) >= lines.size()) return;
    const auto& line = lines[static_cast<size_t>(index)];
    if (line.LinkType.empty()) return;
    owner_.OnLogClick(line.LinkType, line.FullPath, line.Address1, line.Address2);
}

// ---- TLogVer4 ---------------------------------------------------------------------------------

TLogVer4::TLogVer4(HWND parent, int controlId, const std::wstring& name)
    : impl_(std::make_unique<Impl>(*this, parent, controlId, name)) {}

TLogVer4::~TLogVer4() {
    // From here on every call is a no-op; the members then go in reverse order, the refresh
    // thread last (woken by its event and joined).
    impl_->Shutdown();
}

HWND TLogVer4::Handle() const { return impl_->view->Handle(); }
void TLogVer4::SetBounds(int x, int y, int w, int h) {
    Safe([&] { impl_->view->SetBounds(x, y, w, h); });
}
void TLogVer4::Loaded() {
    Safe([&] {
        impl_->view->Layout();
        if (HWND panel = impl_->view->Handle()) SetWindowTextW(panel, L"ログ");
    });
}
void TLogVer4::Dpi(int dpi) {
    Safe([&] { impl_->view->Dpi(dpi); });
}
void TLogVer4::ButtonsEnabled(bool on) { impl_->view->ButtonsEnabled(on); }

void TLogVer4::Add(const std::wstring& Text, int Level, int LogMode, const std::wstring& LinkType,
                   const std::wstring& FullPath, const std::wstring& Address1, const std::wstring& Address2) {
    Safe([&] { impl_->core.Add(Text, Level, LogMode, LinkData{LinkType, FullPath, Address1, Address2}); });
}
void TLogVer4::Sub(const std::wstring& Text, int Level, int LogMode, const std::wstring& LinkType,
                   const std::wstring& FullPath, const std::wstring& Address1, const std::wstring& Address2) {
    Safe([&] { impl_->core.Sub(Text, Level, LogMode, LinkData{LinkType, FullPath, Address1, Address2}); });
}
void TLogVer4::Plus(const std::wstring& Text, int Level, int LogMode) {
    Safe([&] { impl_->core.Plus(Text, Level, LogMode); });
}
void TLogVer4::Separator(int Level) {
    Safe([&] { impl_->core.Separator(Level); });
}
void TLogVer4::Space(int Level) {
    Safe([&] { impl_->core.Space(Level); });
}

#define SB_LOG_SEVERITY(Method)                                                                                  \
    void TLogVer4::Method(const std::wstring& Text, const std::wstring& LinkType, const std::wstring& FullPath, \
                          const std::wstring& Address1, const std::wstring& Address2) {                        \
        Safe([&] { impl_->core.Method(Text, LinkData{LinkType, FullPath, Address1, Address2}); });             \
    }
SB_LOG_SEVERITY(Memo)
SB_LOG_SEVERITY(Report)
SB_LOG_SEVERITY(Confirmation)
SB_LOG_SEVERITY(Attention)
SB_LOG_SEVERITY(Warning)
SB_LOG_SEVERITY(Error)
SB_LOG_SEVERITY(Emergency)
#undef SB_LOG_SEVERITY

void TLogVer4::Breaking() {
    Safe([&] { impl_->core.Breaking(); });
}
bool TLogVer4::BreakingCheck() {
    return SafeCheck([&] { return impl_->core.BreakingCheck(); });
}
bool TLogVer4::EmergencyCheck() {
    return SafeCheck([&] { return impl_->core.EmergencyCheck(); });
}
bool TLogVer4::ErrorCheck() {
    return SafeCheck([&] { return impl_->core.ErrorCheck(); });
}
bool TLogVer4::WarningCheck() {
    return SafeCheck([&] { return impl_->core.WarningCheck(); });
}
bool TLogVer4::AttentionCheck() {
    return SafeCheck([&] { return impl_->core.AttentionCheck(); });
}
int TLogVer4::BreakingCount() const { return impl_->core.BreakingCount(); }
void TLogVer4::BreakingCount(int value) { impl_->core.BreakingCount(value); }

void TLogVer4::Clear() {
    Safe([&] { impl_->core.Clear(); });
}
void TLogVer4::MessageLabelClear() {
    Safe([&] { impl_->core.MessageLabelClear(); });
}
void TLogVer4::MainJump() {
    Safe([&] { impl_->core.MainJump(); });
}
void TLogVer4::LogJump() {
    Safe([&] { impl_->core.LogJump(); });
}
void TLogVer4::NoErrorJump() {
    Safe([&] { impl_->core.NoErrorJump(); });
}

int TLogVer4::xMainProgressMin() const { return impl_->core.xMainProgressMin(); }
void TLogVer4::xMainProgressMin(int value) {
    Safe([&] { impl_->core.xMainProgressMin(value); });
}
int TLogVer4::xMainProgressMax() const { return impl_->core.xMainProgressMax(); }
void TLogVer4::xMainProgressMax(int value) {
    Safe([&] { impl_->core.xMainProgressMax(value); });
}
int TLogVer4::xMainProgressPosition() const { return impl_->core.xMainProgressPosition(); }
void TLogVer4::xMainProgressPosition(int value) {
    Safe([&] { impl_->core.xMainProgressPosition(value); });
}
int TLogVer4::xProgressMin() const { return impl_->core.xProgressMin(); }
void TLogVer4::xProgressMin(int value) {
    Safe([&] { impl_->core.xProgressMin(value); });
}
int TLogVer4::xProgressMax() const { return impl_->core.xProgressMax(); }
void TLogVer4::xProgressMax(int value) {
    Safe([&] { impl_->core.xProgressMax(value); });
}
int TLogVer4::xProgressPosition() const { return impl_->core.xProgressPosition(); }
void TLogVer4::xProgressPosition(int value) {
    Safe([&] { impl_->core.xProgressPosition(value); });
}
void TLogVer4::xMainProgressInc() {
    Safe([&] { impl_->core.xMainProgressInc(); });
}
void TLogVer4::xProgressInc() {
    Safe([&] { impl_->core.xProgressInc(); });
}

int TLogVer4::xLevelValue() const { return impl_->core.xLevelValue(); }
void TLogVer4::xLevelValue(int value) {
    impl_->core.xLevelValue(value);
    impl_->view->LevelIndex(impl_->core.xLevelValue());
}
int TLogVer4::xRefreshTime() const { return impl_->core.xRefreshTime(); }
void TLogVer4::xRefreshTime(int milliseconds) { impl_->core.xRefreshTime(milliseconds); }
void TLogVer4::xListScrollWidth(int pixels) { impl_->view->ListScrollWidth(pixels); }
void TLogVer4::xListItemHeight(int pixels) { impl_->view->ListItemHeight(pixels); }
void TLogVer4::xListFont(const std::wstring& face, int height) {
    Safe([&] { impl_->view->ListFont(face, height); });
}
void TLogVer4::xMessageFontColor(COLORREF colour) { impl_->core.xMessageFontColor(colour); }
void TLogVer4::xMessageBrushColor(COLORREF colour) { impl_->core.xMessageBrushColor(colour); }
void TLogVer4::xAutoHint(bool on) { impl_->core.xAutoHint(on); }
void TLogVer4::MessageLabel(HWND label) {
    Safe([&] {
        impl_->label.Attach(label);
        impl_->core.LabelAssigned(impl_->label.Label() != nullptr);
    });
}

const sb::log::LogCore& TLogVer4::Core() const { return impl_->core; }

bool TLogVer4::SaveToFile(const std::wstring& FullPath) {
    return SafeCheck([&] {
        std::wstring reason;
        if (sb::log::win::WriteFileReplacing(FullPath, impl_->core.FileText(), reason)) return true;
        impl_->core.Error(L"ログを保存出来ませんでした：" + FullPath + L"　" + reason);
        return false;
    });
}
