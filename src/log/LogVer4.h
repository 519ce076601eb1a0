// The one log of the program: lines with severity, detail level and depth; the stop request;
// two progress bars; the status label; and the refresh throttle that keeps the window alive.
// Everything here runs on the main (UI) thread except the refresh thread (LogRefreshThread.h).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "log/LogCore.h"

class TLogViewVer4;
class TLogRefreshThreadVer4;

class TLogVer4 {
public:
    using TLogJump = std::function<void()>;
    using TLogClick = std::function<void(const std::wstring& LinkType, const std::wstring& FullPath,
                                         const std::wstring& Address1, const std::wstring& Address2)>;
    using TMessagePump = std::function<void()>;

    // Creates the log panel (and its controls) as a child of parent.
    TLogVer4(HWND parent, int controlId, const std::wstring& name = L"Log");
    ~TLogVer4();
    TLogVer4(const TLogVer4&) = delete;
    TLogVer4& operator=(const TLogVer4&) = delete;

    HWND Handle() const;                  // the panel window
    void SetBounds(int x, int y, int w, int h);
    void Loaded();                        // lays the controls out for the panel's size
    void Dpi(int dpi);                    // scales every pixel value; 96 = unscaled
    // Enables or disables the copy and print buttons (disabled while an operation runs, so
    // nothing else writes the clipboard while AutoCAD's history is read through it).
    void ButtonsEnabled(bool on);

    // Lines.
    void Add(const std::wstring& Text, int Level, int LogMode, const std::wstring& LinkType = {},
             const std::wstring& FullPath = {}, const std::wstring& Address1 = {},
             const std::wstring& Address2 = {});
    void Sub(const std::wstring& Text, int Level, int LogMode, const std::wstring& LinkType = {},
             const std::wstring& FullPath = {}, const std::wstring& Address1 = {},
             const std::wstring& Address2 = {});
    void Plus(const std::wstring& Text, int Level, int LogMode);
    void Separator(int Level = 0);
    void Space(int Level = 0);
    void Memo(const std::wstring& Text, const std::wstring& LinkType = {}, const std::wstring& FullPath = {},
              const std::wstring& Address1 = {}, const std::wstring& Address2 = {});
    void Report(const std::wstring& Text, const std::wstring& LinkType = {}, const std::wstring& FullPath = {},
                const std::wstring& Address1 = {}, const std::wstring& Address2 = {});
    void Confirmation(const std::wstring& Text, const std::wstring& LinkType = {},
                      const std::wstring& FullPath = {}, const std::wstring& Address1 = {},
                      const std::wstring& Address2 = {});
    void Attention(const std::wstring& Text, const std::wstring& LinkType = {}, const std::wstring& FullPath = {},
                   const std::wstring& Address1 = {}, const std::wstring& Address2 = {});
    void Warning(const std::wstring& Text, const std::wstring& LinkType = {}, const std::wstring& FullPath = {},
                 const std::wstring& Address1 = {}, const std::wstring& Address2 = {});
    void Error(const std::wstring& Text, const std::wstring& LinkType = {}, const std::wstring& FullPath = {},
               const std::wstring& Address1 = {}, const std::wstring& Address2 = {});
    void Emergency(const std::wstring& Text, const std::wstring& LinkType = {}, const std::wstring& FullPath = {},
                   const std::wstring& Address1 = {}, const std::wstring& Address2 = {});

    // Stop request and checks (each check first runs the refresh check).
    void Breaking();
    bool BreakingCheck();
    bool EmergencyCheck();
    bool ErrorCheck();
    bool WarningCheck();
    bool AttentionCheck();
    int BreakingCount() const;
    void BreakingCount(int value);

    void Clear();
    void MessageLabelClear();
    void MainJump();
    void LogJump();
    void NoErrorJump();

    // Progress bars: getter / setter pairs.
    int xMainProgressMin() const;
    void xMainProgressMin(int value);
    int xMainProgressMax() const;
    void xMainProgressMax(int value);
    int xMainProgressPosition() const;
    void xMainProgressPosition(int value);
    int xProgressMin() const;
    void xProgressMin(int value);
    int xProgressMax() const;
    void xProgressMax(int value);
    int xProgressPosition() const;
    void xProgressPosition(int value);
    void xMainProgressInc();
    void xProgressInc();

    // Published options.
    int xLevelValue() const;
    void xLevelValue(int value);
    int xRefreshTime() const;
    void xRefreshTime(int milliseconds);
    void xListScrollWidth(int pixels);
    void xListItemHeight(int pixels);
    void xListFont(const std::wstring& face, int height);
    void xMessageFontColor(COLORREF colour);
    void xMessageBrushColor(COLORREF colour);
    void xAutoHint(bool on);
    void MessageLabel(HWND label);

    TLogJump OnMainJumpDemand;
    TLogJump OnLogJumpDemand;
    TLogClick OnLogClick;
    // Processes all pending messages of the main thread; defaults to a PeekMessage loop.
    TMessagePump MessagePump;
    // The hint of a control, shown on the status label when xAutoHint is on (none by default).
    std::function<std::wstring(HWND control)> HintOf;

    // Read access for the view, the log file and tests.
    const sb::log::LogCore& Core() const;
    bool SaveToFile(const std::wstring& FullPath);

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};
