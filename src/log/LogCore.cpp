#include "log/LogCore.h"

#include <climits>

namespace sb::log {

namespace {
int Deeper(int LogMode) { return LogMode == INT_MAX ? LogMode : LogMode + 1; }
int Next(int value) { return value == INT_MAX ? value : value + 1; }
}  // namespace

LogCore::LogCore(LogHost& host) : FHost(host) {}

void LogCore::Shutdown() { FCreateFlag = false; }

bool LogCore::LevelPasses(int Level) {
    if (Level < 0) Level = FLevelMemory;
    FLevelMemory = Level;
    return FLevelValue >= Level;
}

void LogCore::LineAdd(const std::wstring& text, int severity, const LinkData& link) {
    const SeverityStyle& style = StyleOf(severity);
    TLogLinkVer4 line;
    line.Text = text;
    line.BrushColor = style.BrushColor;
    line.FontColor = style.FontColor;
    line.LogLevel = severity;
    line.LinkType = link.LinkType;
    line.FullPath = link.FullPath;
    line.Address1 = link.Address1;
    line.Address2 = link.Address2;
    LogLinkList.push_back(line);
    FHost.LineAppended(LogLinkList.back());
    MessageSet(line);
    RefreshCheck();
    FSeparatorContinuousness = false;
}

void LogCore::Add(const std::wstring& Text, int Level, int LogMode, const LinkData& link) {
    if (!FCreateFlag) return;
    if (!LevelPasses(Level)) return;
    if (auto line = RenderDepth(Text, LogMode)) LineAdd(*line, Normal, link);
}

void LogCore::Sub(const std::wstring& Text, int Level, int LogMode, const LinkData& link) {
    Add(Text, Level, Deeper(LogMode), link);
}

void LogCore::Plus(const std::wstring& Text, int Level, int LogMode) {
    if (!FCreateFlag) return;
    if (!LevelPasses(Level) || LogMode <= 0 || LogLinkList.empty()) return;
    LogLinkList.back().Text += L" " + Text;
    FHost.LastLineReplaced(LogLinkList.back().Text);
    RefreshCheck();
}

void LogCore::Separator(int Level) {
    if (!FCreateFlag) return;
    if (!LevelPasses(Level) || FSeparatorContinuousness) return;
    const std::wstring separator(20, L'\uFF0D');
    const size_t before = LogLinkList.size();
    LineAdd(separator, Normal, {});
    // A line added by a handler run from the message pump inside LineAdd comes after the
    // separator; then the last line is no separator any more.
    FSeparatorContinuousness = LogLinkList.size() == before + 1 && LogLinkList.back().Text == separator;
}

void LogCore::Space(int Level) {
    if (!FCreateFlag) return;
    if (LevelPasses(Level)) LineAdd(L"", Normal, {});
}

void LogCore::SeverityLine(int severity, const std::wstring& Text, const LinkData& link) {
    if (!FCreateFlag) return;
    // Raised before the line is added, so a check made by a handler run from the pump
    // inside LineAdd already sees it.
    if (FErrorMemory < severity) FErrorMemory = severity;
    LineAdd(StyleOf(severity).Prefix + Text, severity, link);
}

void LogCore::Memo(const std::wstring& Text, const LinkData& link) { SeverityLine(MemoLine, Text, link); }
void LogCore::Report(const std::wstring& Text, const LinkData& link) { SeverityLine(ReportLine, Text, link); }
void LogCore::Confirmation(const std::wstring& Text, const LinkData& link) {
    SeverityLine(ConfirmationLine, Text, link);
}
void LogCore::Attention(const std::wstring& Text, const LinkData& link) {
    SeverityLine(AttentionLine, Text, link);
}
void LogCore::Warning(const std::wstring& Text, const LinkData& link) { SeverityLine(WarningLine, Text, link); }
void LogCore::Error(const std::wstring& Text, const LinkData& link) { SeverityLine(ErrorLine, Text, link); }
void LogCore::Emergency(const std::wstring& Text, const LinkData& link) {
    SeverityLine(EmergencyLine, Text, link);
}

void LogCore::Breaking() {
    if (!FCreateFlag) return;
    FBreakingCount = Next(FBreakingCount);
    SeverityLine(BreakingLine, BreakingText, {});
}

bool LogCore::BreakingCheck() {
    if (!FCreateFlag) return false;
    RefreshCheck();
    return FErrorMemory > 7;
}
bool LogCore::EmergencyCheck() {
    if (!FCreateFlag) return false;
    RefreshCheck();
    return FErrorMemory > 6;
}
bool LogCore::ErrorCheck() {
    if (!FCreateFlag) return false;
    RefreshCheck();
    return FErrorMemory > 5;
}
bool LogCore::WarningCheck() {
    if (!FCreateFlag) return false;
    RefreshCheck();
    return FErrorMemory > 4;
}
bool LogCore::AttentionCheck() {
    if (!FCreateFlag) return false;
    RefreshCheck();
    return FErrorMemory > 3;
}

void LogCore::MessageSet(const TLogLinkVer4& line) {
    if (!FLabelAssigned || line.LogLevel < ReportLine || line.LogLevel < FBackLabelMemory) return;
    FSetMessage = line.Text;
    FSetFontColor = line.FontColor;
    FSetBrushColor = line.BrushColor;
    FBackLabelMemory = line.LogLevel;
    MessageRefresh();
}

void LogCore::MessageRefresh() {
    if (!FCreateFlag || !FLabelAssigned) return;
    LabelView view;
    if (!FSetMessage.empty()) {
        FFlashMemory = !FFlashMemory;
        view.Text = FSetMessage;
    } else {
        FFlashMemory = false;
        if (FAutoHint) view.Text = OneLineHint(FHost.HintUnderPointer());
    }
    view.FontColor = FFlashMemory ? FSetFontColor : FMessageFontColor;
    view.BrushColor = FFlashMemory ? FSetBrushColor : FMessageBrushColor;
    FHost.ShowLabel(view);
}

void LogCore::MessageLabelClear() {
    if (!FCreateFlag) return;
    FBackLabelMemory = 0;
    FFlashMemory = false;
    FSetMessage.clear();
    MessageRefresh();
}

void LogCore::Clear() {
    // Records and list items go together, whatever the state, so they never disagree.
    LogLinkList.clear();
    FHost.LinesCleared();
    FSeparatorContinuousness = false;
    if (!FCreateFlag) return;
    FMain = Bar{0, 100, 0, FMain.Drawn};
    FStep = Bar{0, 100, 0, FStep.Drawn};
    FLevelMemory = 0;
    FErrorMemory = 0;
    RedrawBars();
    MessageLabelClear();
}

void LogCore::MainJump() {
    if (!FCreateFlag) return;
    if (AttentionCheck()) Confirmation(JumpConfirmation);
    FHost.MainJumpDemand();
}

void LogCore::LogJump() {
    if (!FCreateFlag) return;
    if (AttentionCheck()) Confirmation(JumpConfirmation);
    FHost.LogJumpDemand();
}

void LogCore::NoErrorJump() {
    if (!FCreateFlag) return;
    if (!AttentionCheck())
        MainJump();
    else
        LogJump();
}

void LogCore::RefreshCheck() {
    if (!FCreateFlag) return;
    if (!FHost.RefreshDue(FRefreshTime)) return;
    FHost.PumpMessages();
    // The pump may have run a handler that began the log's destruction.
    if (FCreateFlag) RedrawBars();
}

BarView LogCore::ViewOf(Bar& bar, const std::wstring& head) {
    bar.Drawn = true;
    BarView view;
    view.Min = bar.Min;
    view.Max = bar.Max;
    view.Position = ClampPosition(bar.Position, bar.Min, bar.Max);
    view.Text = BarText(head, bar.Min, bar.Max, bar.Position);
    return view;
}

void LogCore::RedrawBars() {
    if (!FCreateFlag) return;
    const BarView main = ViewOf(FMain, MainBarHead);
    const BarView step = ViewOf(FStep, StepBarHead);
    FHost.RedrawBars(main, step);
}

std::wstring LogCore::MainBarText() const {
    return FMain.Drawn ? BarText(MainBarHead, FMain.Min, FMain.Max, FMain.Position) : BarPlaceholder(MainBarHead);
}

std::wstring LogCore::StepBarText() const {
    return FStep.Drawn ? BarText(StepBarHead, FStep.Min, FStep.Max, FStep.Position) : BarPlaceholder(StepBarHead);
}

void LogCore::SetPosition(Bar& bar, int value) { bar.Position = ClampPosition(value, bar.Min, bar.Max); }

void LogCore::xMainProgressMin(int value) {
    if (!FCreateFlag) return;
    FMain.Min = value;
    RefreshCheck();
}
void LogCore::xMainProgressMax(int value) {
    if (!FCreateFlag) return;
    FMain.Max = value;
    RefreshCheck();
}
void LogCore::xMainProgressPosition(int value) {
    if (!FCreateFlag) return;
    SetPosition(FMain, value);
    RefreshCheck();
    RedrawBars();
}
void LogCore::xProgressMin(int value) {
    if (!FCreateFlag) return;
    FStep.Min = value;
    RefreshCheck();
}
void LogCore::xProgressMax(int value) {
    if (!FCreateFlag) return;
    FStep.Max = value;
    RefreshCheck();
}
void LogCore::xProgressPosition(int value) {
    if (!FCreateFlag) return;
    SetPosition(FStep, value);
    RefreshCheck();
}
void LogCore::xMainProgressInc() { xMainProgressPosition(Next(FMain.Position)); }
void LogCore::xProgressInc() { xProgressPosition(Next(FStep.Position)); }

void LogCore::xLevelValue(int value) { FLevelValue = (value >= 0 && value < LevelCount) ? value : 0; }

void LogCore::xRefreshTime(int milliseconds) { FRefreshTime = milliseconds < 1 ? 1 : milliseconds; }

void LogCore::xMessageFontColor(Colour colour) { FMessageFontColor = colour; }
void LogCore::xMessageBrushColor(Colour colour) { FMessageBrushColor = colour; }

std::wstring LogCore::WarningText() const {
    std::wstring text;
    for (const TLogLinkVer4& line : LogLinkList) {
        if (line.LogLevel > Normal) text += line.Text + L"\r\n";
    }
    return text;
}

std::wstring LogCore::FileText() const {
    std::wstring text(1, L'\uFEFF');
    for (const TLogLinkVer4& line : LogLinkList) text += line.Text + L"\r\n";
    return text;
}

}  // namespace sb::log
