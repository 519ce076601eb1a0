#include "App.h"

#include <commctrl.h>

#include "Files.h"
#include "State.h"
#include "Text.h"

namespace acadsim {

App* g_app = nullptr;

App::App(Scenario sc, std::wstring statePath, std::wstring exeName)
    : session_(std::make_unique<Session>(std::move(sc), files_)),
      statePath_(std::move(statePath)),
      exeName_(std::move(exeName)),
      latency_(session_->scenario().latency),
      schedule_(session_->scenario()) {}

App::~App() = default;

LRESULT App::defFrame(HWND h, UINT m, WPARAM w, LPARAM l) {
    return ansi() ? DefFrameProcA(h, mdiClient_, m, w, l) : DefFrameProcW(h, mdiClient_, m, w, l);
}
LRESULT App::defChild(HWND h, UINT m, WPARAM w, LPARAM l) {
    return ansi() ? DefMDIChildProcA(h, m, w, l) : DefMDIChildProcW(h, m, w, l);
}
LRESULT App::defWindow(HWND h, UINT m, WPARAM w, LPARAM l) {
    return ansi() ? DefWindowProcA(h, m, w, l) : DefWindowProcW(h, m, w, l);
}

int App::drawingOf(HWND child) const {
    for (size_t i = 0; i < children_.size(); ++i)
        if (children_[i] && children_[i] == child) return static_cast<int>(i);
    return -1;
}

int App::run() {
    MSG msg;
    for (;;) {
        BOOL r = ansi() ? GetMessageA(&msg, nullptr, 0, 0) : GetMessageW(&msg, nullptr, 0, 0);
        if (r <= 0) break;
        HWND dialog = nullptr;
        for (const auto& d : dialogs_)
            if (d.first == msg.hwnd || IsChild(d.first, msg.hwnd)) dialog = d.first;
        if (dialog && IsDialogMessageW(dialog, &msg)) continue;
        if (!TranslateMDISysAccel(mdiClient_, &msg)) {
            TranslateMessage(&msg);
            if (ansi()) DispatchMessageA(&msg);
            else DispatchMessageW(&msg);
        }
    }
    writeState();
    return 0;
}

// As AutoCAD does, the sender is answered at once; the text is typed afterwards from this loop.
void App::receive(const std::wstring& text) {
    ++received_;
    queue_ += text;
    PostMessageW(frame_, WM_APP_PUMP, 0, 0);
}

// Types what is queued: ordinary characters at once (the echo shows), each Enter after the
// command latency, a busy period before a command starts and a hang after it has answered.
void App::pump() {
    while (!queue_.empty() && !session_->dialogOpen() && !holding_ && !quitting_) {
        wchar_t c = queue_.front();
        bool enter = session_->isEnter(c);
        if (enter && !released_) {
            int ms = latency_.command();
            if (ms > 0) {
                holding_ = true;
                SetTimer(frame_, TIMER_COMMAND, static_cast<UINT>(ms), nullptr);
                break;
            }
        }
        released_ = false;
        std::optional<CommandStep> step = session_->enterStep(c);
        if (step)
            if (int ms = schedule_.busyBefore(*step)) block(ms);
        int hang = step ? schedule_.hangAfter(*step) : 0;
        queue_.erase(0, 1);
        session_->type(c);
        if (enter || c == 3 || c == 27) {
            raiseDialogs();
            sync();
            writeState();
        }
        if (hang) block(hang);
    }
    sync();
    writeState();
}

void App::block(int ms) {
    sync();
    busy_ = true;
    writeState();
    // Deliberately blocks this thread: no message is answered, as while AutoCAD regenerates or hangs.
    Sleep(static_cast<DWORD>(ms));
    busy_ = false;
    writeState();
}

void App::commandTimer() {
    KillTimer(frame_, TIMER_COMMAND);
    holding_ = false;
    released_ = true;
    pump();
}

void App::activated(HWND child) {
    int index = drawingOf(child);
    if (index < 0) return;
    int ms = starting_ ? 0 : latency_.activation();
    KillTimer(frame_, TIMER_ACTIVATE);
    if (ms > 0) {
        pendingActivation_ = index;
        SetTimer(frame_, TIMER_ACTIVATE, static_cast<UINT>(ms), nullptr);
        writeState();
        return;
    }
    pendingActivation_ = -1;
    session_->setCurrent(index);
    sync();
    writeState();
}

void App::activationTimer() {
    KillTimer(frame_, TIMER_ACTIVATE);
    if (pendingActivation_ >= 0) session_->setCurrent(pendingActivation_);
    pendingActivation_ = -1;
    sync();
    writeState();
}

void App::copyHistory() {
    int d = session_->current();
    std::wstring text = d >= 0 ? session_->clipboardText(d) : std::wstring();
    putClipboardText(textWindow_, text, ansi());
}

void App::dialogClosed(HWND dialog, int commandId) {
    auto it = dialogs_.find(dialog);
    if (it == dialogs_.end()) return;
    int serial = it->second;
    bool checked = IsDlgButtonChecked(dialog, 100) == BST_CHECKED;
    dialogs_.erase(it);
    DestroyWindow(dialog);
    if (dialogs_.empty()) EnableWindow(frame_, TRUE);
    if (serial == closeSerial_) {
        // Yes saves the modified drawings, No discards them; both close. Cancel keeps AutoCAD.
        closeSerial_ = 0;
        session_->dialogClosed(serial, commandId, checked);
        if (commandId == 6 || commandId == 7) {
            if (commandId == 6)
                for (auto& d : session_->drawings())
                    if (d.open && d.modified && !d.path.empty() && !files_.isReadOnly(d.path))
                        files_.writeFile(d.path, drawingBytes(*session_, d, d.format));
            DestroyWindow(frame_);
        } else {
            writeState();
        }
        return;
    }
    session_->dialogClosed(serial, commandId, checked);
    raiseDialogs();
    sync();
    writeState();
    PostMessageW(frame_, WM_APP_PUMP, 0, 0);
}

void App::raiseDialogs() {
    while (auto request = session_->takeDialogRequest()) {
        // Modal: the frame is disabled before the dialog shows itself, at the end of its set-up.
        EnableWindow(frame_, FALSE);
        HWND h = createDialogWindow(frame_, request->plan, ansi(), font_.get());
        if (!h) {
            if (dialogs_.empty()) EnableWindow(frame_, TRUE);
            session_->dialogClosed(request->serial, 2, false);
            continue;
        }
        dialogs_[h] = request->serial;
        SetForegroundWindow(h);
    }
}

void App::viewResized(HWND child, int width, int height) {
    int index = drawingOf(child);
    if (index >= 0 && width > 0 && height > 0)
        session_->setViewAspect(index, static_cast<double>(width) / height);
}

void App::setText(HWND h, const std::wstring& text) {
    if (h) SetWindowTextW(h, text.c_str());
}

void App::updateFrameTitle() {
    if (!frame_) return;
    std::wstring base = session_->release().title;
    Drawing* d = session_->currentDrawing();
    BOOL maximized = FALSE;
    SendMessageW(mdiClient_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
    // Maximised, the MDI frame appends " - [child]" itself.
    std::wstring title = d && !maximized ? base + L" - [" + d->title() + L"]" : base;
    if (title == shownFrameTitle_ && (maximized != FALSE) == shownMaximized_) return;
    shownFrameTitle_ = title;
    shownMaximized_ = maximized != FALSE;
    setText(frame_, title);
}

void App::sync() {
    Session& s = *session_;
    auto& drawings = s.drawings();
    for (size_t i = 0; i < drawings.size(); ++i) {
        if (!drawings[i].open && children_[i]) {
            HWND child = children_[i];
            children_[i] = nullptr;
            tabBars_[i] = nullptr;
            SendMessageW(mdiClient_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
        }
        if (!children_[i]) continue;
        std::wstring title = drawings[i].title();
        if (shownTitles_[i] != title) {
            shownTitles_[i] = title;
            setText(children_[i], title);
        }
        SendMessageW(tabBars_[i], SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(tabsText(s, drawings[i]).c_str()));
        InvalidateRect(GetWindow(children_[i], GW_CHILD), nullptr, FALSE);
    }
    int cur = s.current();
    updateFrameTitle();
    std::wstring textTitle = s.t(L"AutoCAD テキスト ウィンドウ");
    if (cur >= 0) textTitle += L" - " + drawings[static_cast<size_t>(cur)].title();
    wchar_t buf[512] = {};
    GetWindowTextW(textWindow_, buf, 511);
    if (textTitle != buf) setText(textWindow_, textTitle);
    std::wstring command = cur >= 0 ? s.commandLineText(cur) : s.commandPrompt() + L" ";
    std::wstring history = cur >= 0 ? s.historyText(cur) : std::wstring();
    if (command != shownCommand_) {
        shownCommand_ = command;
        setText(commandEdit_, command);
        int n = static_cast<int>(command.size());
        SendMessageW(commandEdit_, EM_SETSEL, n, n);
    }
    if (history != shownHistory_) {
        shownHistory_ = history;
        setText(historyEdit_, history);
        int n = GetWindowTextLengthW(historyEdit_);
        SendMessageW(historyEdit_, EM_SETSEL, n, n);
        SendMessageW(historyEdit_, EM_SCROLLCARET, 0, 0);
    }
    if (s.quitRequested() && !quitting_) {
        quitting_ = true;
        PostMessageW(frame_, WM_CLOSE, 0, 0);
    }
}

void App::writeState() {
    if (statePath_.empty()) return;
    ProcessInfo p{GetCurrentProcessId(), exeName_, received_, queue_.size(), busy_, pendingActivation_};
    std::string body = stateJson(*session_, p, 0);
    if (body == writtenState_) return;
    if (writeFileAtomically(statePath_, stateJson(*session_, p, sequence_ + 1))) {
        ++sequence_;
        writtenState_ = std::move(body);
    } else if (frame_ && !quitting_) {
        // A reader holding the file without delete sharing blocks the rename: try again soon.
        SetTimer(frame_, TIMER_STATE, 50, nullptr);
    }
}

void App::stateTimer() {
    KillTimer(frame_, TIMER_STATE);
    writeState();
}

void App::childDestroyed(HWND child) {
    int index = drawingOf(child);
    if (index < 0) return;
    children_[static_cast<size_t>(index)] = nullptr;
    tabBars_[static_cast<size_t>(index)] = nullptr;
    if (session_->drawings()[static_cast<size_t>(index)].open) session_->closeDrawing(index);
    if (!quitting_) {
        sync();
        writeState();
    }
}

void App::closeRequested() {
    if (closeSerial_) return;
    std::wstring names;
    for (const auto& d : session_->drawings())
        if (d.open && d.modified) names += (names.empty() ? L"" : L", ") + d.title();
    if (names.empty()) {
        DestroyWindow(frame_);
        return;
    }
    DialogPlan plan;
    plan.id = L"savechanges";
    plan.title = L"AutoCAD";
    plan.body = {names + session_->t(L" への変更を保存しますか?")};
    plan.buttons = {{session_->t(L"はい(&Y)"), 6}, {session_->t(L"いいえ(&N)"), 7}, {session_->t(L"キャンセル"), 2}};
    closeSerial_ = session_->requestDialog(plan, -1);
    raiseDialogs();
    writeState();
}

void App::frameDestroyed() {
    quitting_ = true;
    if (textWindow_) DestroyWindow(textWindow_);  // its own top-level window, not owned by the frame
    textWindow_ = nullptr;
    writeState();
    PostQuitMessage(0);
}

}  // namespace acadsim
