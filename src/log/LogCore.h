// The log's line model without any window: filter, depth, severities, stop request, checks,
// progress arithmetic, status-label choice and page jumps. It reaches the screen, the message
// pump and the window's events only through LogHost, so it is tested with a recording host.
#pragma once

#include <string>
#include <vector>

#include "log/LogText.h"

namespace sb::log {

// One line of the log: its text and how it is drawn.
struct TLogLinkVer4 {
    std::wstring Text;
    Colour BrushColor = colours::White;
    Colour FontColor = colours::Black;
    int LogLevel = Normal;
    std::wstring LinkType;  // a line with a non-empty LinkType is a link
    std::wstring FullPath;
    std::wstring Address1;
    std::wstring Address2;
};
using TLogLinListVer4 = std::vector<TLogLinkVer4>;

struct LinkData {
    std::wstring LinkType, FullPath, Address1, Address2;
};

// What a progress bar should show after a redraw.
struct BarView {
    int Min = 0;
    int Max = 100;
    int Position = 0;  // already clamped to [Min, Max]
    std::wstring Text;
};

// What the status label should show.
struct LabelView {
    std::wstring Text;
    Colour FontColor = colours::SysWindowText;
    Colour BrushColor = colours::SysBtnFace;
};

class LogHost {
public:
    virtual ~LogHost() = default;
    // The list gains `line` as its new last item (selected and scrolled into view).
    virtual void LineAppended(const TLogLinkVer4& line) = 0;
    // The text of the list's last item becomes `text`.
    virtual void LastLineReplaced(const std::wstring& text) = 0;
    virtual void LinesCleared() = 0;
    // Hands the refresh period to the refresh thread and takes its "refresh due" mark (test and clear).
    virtual bool RefreshDue(int refreshTimeMs) = 0;
    // Processes all pending messages of the main thread.
    virtual void PumpMessages() = 0;
    virtual void RedrawBars(const BarView& main, const BarView& step) = 0;
    virtual void ShowLabel(const LabelView& label) = 0;
    // The hint of the control under the mouse pointer (empty when none).
    virtual std::wstring HintUnderPointer() = 0;
    virtual void MainJumpDemand() = 0;
    virtual void LogJumpDemand() = 0;
};

class LogCore {
public:
    static constexpr int LevelCount = 5;  // detail levels 0..4
    inline static const std::wstring MainBarHead = L"全体";
    inline static const std::wstring StepBarHead = L"工程";
    inline static const std::wstring JumpConfirmation =
        L"エラー、警報、注意のいずれかがありました。内容を確認してください。";
    inline static const std::wstring BreakingText = L"中断を受け付けました";

    explicit LogCore(LogHost& host);
    LogCore(const LogCore&) = delete;
    LogCore& operator=(const LogCore&) = delete;

    // From here on every operation does nothing and every check is false (destruction began).
    void Shutdown();
    bool CreateFlag() const { return FCreateFlag; }

    // Normal lines.
    void Add(const std::wstring& Text, int Level, int LogMode, const LinkData& link = {});
    void Sub(const std::wstring& Text, int Level, int LogMode, const LinkData& link = {});
    void Plus(const std::wstring& Text, int Level, int LogMode);
    void Separator(int Level);
    void Space(int Level);

    // Severity lines, never filtered.
    void Memo(const std::wstring& Text, const LinkData& link = {});
    void Report(const std::wstring& Text, const LinkData& link = {});
    void Confirmation(const std::wstring& Text, const LinkData& link = {});
    void Attention(const std::wstring& Text, const LinkData& link = {});
    void Warning(const std::wstring& Text, const LinkData& link = {});
    void Error(const std::wstring& Text, const LinkData& link = {});
    void Emergency(const std::wstring& Text, const LinkData& link = {});

    void Breaking();
    bool BreakingCheck();
    bool EmergencyCheck();
    bool ErrorCheck();
    bool WarningCheck();
    bool AttentionCheck();
    int BreakingCount() const { return FBreakingCount; }
    void BreakingCount(int value) { FBreakingCount = value; }

    void Clear();
    void MessageLabelClear();
    void MainJump();
    void LogJump();
    void NoErrorJump();

    // Progress.
    int xMainProgressMin() const { return FMain.Min; }
    void xMainProgressMin(int value);
    int xMainProgressMax() const { return FMain.Max; }
    void xMainProgressMax(int value);
    int xMainProgressPosition() const { return FMain.Position; }
    void xMainProgressPosition(int value);
    int xProgressMin() const { return FStep.Min; }
    void xProgressMin(int value);
    int xProgressMax() const { return FStep.Max; }
    void xProgressMax(int value);
    int xProgressPosition() const { return FStep.Position; }
    void xProgressPosition(int value);
    void xMainProgressInc();
    void xProgressInc();
    // Texts the bars show now ("---" until the first redraw).
    std::wstring MainBarText() const;
    std::wstring StepBarText() const;

    // Options.
    int xLevelValue() const { return FLevelValue; }
    void xLevelValue(int value);  // outside 0..4 means 0
    int xRefreshTime() const { return FRefreshTime; }
    void xRefreshTime(int milliseconds);
    Colour xMessageFontColor() const { return FMessageFontColor; }
    void xMessageFontColor(Colour colour);
    Colour xMessageBrushColor() const { return FMessageBrushColor; }
    void xMessageBrushColor(Colour colour);
    bool xAutoHint() const { return FAutoHint; }
    void xAutoHint(bool on) { FAutoHint = on; }
    // Whether a status label is attached; without one the label rule does nothing.
    void LabelAssigned(bool assigned) { FLabelAssigned = assigned; }

    // Status label refresh: flips the flash phase of a set message (the 500 ms timer calls it).
    void MessageRefresh();

    void RefreshCheck();
    void RedrawBars();

    // Read access.
    const TLogLinListVer4& Lines() const { return LogLinkList; }
    int ErrorMemory() const { return FErrorMemory; }
    int LevelMemory() const { return FLevelMemory; }
    bool SeparatorContinuousness() const { return FSeparatorContinuousness; }
    const std::wstring& SetMessage() const { return FSetMessage; }
    Colour SetFontColor() const { return FSetFontColor; }
    Colour SetBrushColor() const { return FSetBrushColor; }
    int BackLabelMemory() const { return FBackLabelMemory; }
    bool FlashMemory() const { return FFlashMemory; }

    // The copy button's text: every line of severity above 0, each followed by CR LF.
    std::wstring WarningText() const;
    // The log file's text: byte order mark, then every line followed by CR LF.
    std::wstring FileText() const;

private:
    struct Bar {
        int Min = 0;
        int Max = 100;
        int Position = 0;
        bool Drawn = false;
    };

    // Applies the level rule; true when a normal line of that level is shown.
    bool LevelPasses(int Level);
    void LineAdd(const std::wstring& text, int severity, const LinkData& link);
    void SeverityLine(int severity, const std::wstring& Text, const LinkData& link);
    void MessageSet(const TLogLinkVer4& line);
    BarView ViewOf(Bar& bar, const std::wstring& head);
    void SetPosition(Bar& bar, int value);

    LogHost& FHost;
    bool FCreateFlag = true;
    TLogLinListVer4 LogLinkList;
    int FLevelValue = 0;
    int FLevelMemory = 0;
    int FErrorMemory = 0;
    int FBreakingCount = 0;
    bool FSeparatorContinuousness = false;
    Bar FMain;
    Bar FStep;
    int FRefreshTime = 100;
    bool FLabelAssigned = false;
    std::wstring FSetMessage;
    Colour FSetFontColor = colours::Black;
    Colour FSetBrushColor = colours::White;
    int FBackLabelMemory = 0;
    bool FFlashMemory = false;
    Colour FMessageFontColor = colours::SysWindowText;
    Colour FMessageBrushColor = colours::SysBtnFace;
    bool FAutoHint = false;
};

}  // namespace sb::log
