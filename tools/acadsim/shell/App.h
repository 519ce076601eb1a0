// The stand-in's Win32 shell: its windows, the input queue, timers, dialogs and the state file.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Session.h"
#include "Timing.h"
#include "Win32Files.h"

namespace acadsim {

constexpr UINT WM_APP_PUMP = WM_APP + 1;
constexpr UINT_PTR TIMER_COMMAND = 1;
constexpr UINT_PTR TIMER_ACTIVATE = 2;
constexpr UINT_PTR TIMER_STATE = 3;
constexpr WPARAM ID_COPY_HISTORY = 32781;

class App {
public:
    App(Scenario sc, std::wstring statePath, std::wstring exeName);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    bool create();   // all windows; false when one cannot be made
    int run();       // message loop until the frame is gone

    // Called by the window procedures.
    void receive(const std::wstring& text);
    void pump();
    void commandTimer();
    void activated(HWND child);
    void activationTimer();
    void copyHistory();
    void dialogClosed(HWND dialog, int commandId);
    void viewResized(HWND child, int width, int height);
    void paintView(HWND view, HDC dc);
    void frameDestroyed();
    void stateTimer();
    void closeRequested();  // WM_CLOSE on the frame
    void childDestroyed(HWND child);
    void updateFrameTitle();

    bool ansi() const { return !session_->release().unicode; }
    LRESULT defFrame(HWND h, UINT m, WPARAM w, LPARAM l);
    LRESULT defChild(HWND h, UINT m, WPARAM w, LPARAM l);
    LRESULT defWindow(HWND h, UINT m, WPARAM w, LPARAM l);
    HWND frame() const { return frame_; }
    HWND mdiClient() const { return mdiClient_; }
    HWND textWindow() const { return textWindow_; }
    HFONT font() const { return font_.get(); }
    int drawingOf(HWND child) const;
    Session& session() { return *session_; }

private:
    bool registerClasses();
    HWND createWindow(DWORD exStyle, const wchar_t* cls, const std::wstring& title, DWORD style, int x, int y, int w,
                      int h, HWND parent, HMENU menu, void* param = nullptr);
    bool createDrawingWindow(int index);
    bool createTextWindow();
    void createStartPage();
    void createPalettes();
    void raiseDialogs();
    void sync();          // windows follow the session
    void writeState();
    void block(int ms);   // busy or hung: this thread answers nothing meanwhile
    void setText(HWND h, const std::wstring& text);

    Win32Files files_;
    std::unique_ptr<Session> session_;
    std::wstring statePath_;
    std::wstring exeName_;
    HWND frame_ = nullptr, mdiClient_ = nullptr, textWindow_ = nullptr, pane_ = nullptr, marin_ = nullptr;
    HWND commandEdit_ = nullptr, historyEdit_ = nullptr;
    std::vector<HWND> children_;      // MDI child per drawing, null once closed
    std::vector<HWND> tabBars_;       // status bar per drawing
    std::map<HWND, int> dialogs_;     // open dialog → serial
    UniqueFont font_;
    std::wstring queue_;              // received, not yet typed
    bool holding_ = false;            // an Enter waits for the command latency
    bool released_ = false;           // the held Enter may pass now
    bool busy_ = false;
    bool starting_ = true;            // activations while the windows are made take no latency
    int pendingActivation_ = -1;
    unsigned long long received_ = 0;
    std::string writtenState_;        // what the state file last showed, sequence aside
    unsigned long long sequence_ = 0;
    std::wstring shownCommand_, shownHistory_, shownFrameTitle_;
    bool shownMaximized_ = false;
    std::vector<std::wstring> shownTitles_;
    bool quitting_ = false;
    LatencyDraw latency_;
    Schedule schedule_;
    int closeSerial_ = 0;             // the save-changes question of a close, while open
};

extern App* g_app;

// Runs a window procedure's body; anything thrown ends there (an allocation failure at worst).
template <class F>
LRESULT guarded(F&& body, LRESULT onError = 0) noexcept {
    try {
        return body();
    } catch (...) {
        return onError;
    }
}

// Window procedures and dialog helpers, one file each.
LRESULT CALLBACK FrameProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK DrawingProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ViewProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK TextWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PaneProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PlainProc(HWND, UINT, WPARAM, LPARAM);
HWND createDialogWindow(HWND owner, const DialogPlan& plan, bool ansi, HFONT font);
bool putClipboardText(HWND owner, const std::wstring& text, bool ansi);
UniqueFont createUiFont(int height);
std::wstring tabsText(const Session& s, const Drawing& d);

}  // namespace acadsim
