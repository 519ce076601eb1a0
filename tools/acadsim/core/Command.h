// A running command: a small state machine that answers each finished line of input.
#pragma once

#include <memory>
#include <string>

#include "Session.h"

namespace acadsim {

class Ctx {
public:
    Ctx(Session& s, int drawing) : s_(s), d_(drawing) {}
    Session& session() { return s_; }
    Drawing& drawing() { return s_.drawings()[static_cast<size_t>(d_)]; }
    int index() const { return d_; }
    std::wstring t(const std::wstring& fixed) const { return s_.t(fixed); }

    void say(const std::wstring& text);                       // lines into the history
    void ask(const std::wstring& prompt, bool spaceIsEnter = true);  // "\n": earlier lines to the history
    void finish() { finished_ = true; }
    void cancel();                                            // "*キャンセル*" and back
    void raiseDialog(const DialogPlan& plan);                 // the command waits for it
    void pushUndo(const std::wstring& name);                  // before a view or tab change
    void changed();                                           // a state file must show it

    bool finished() const { return finished_; }
    bool cancelled() const { return cancelled_; }

private:
    Session& s_;
    int d_;
    bool finished_ = false;
    bool cancelled_ = false;
};

class Command {
public:
    virtual ~Command() = default;
    virtual void start(Ctx& ctx) = 0;
    virtual void answer(Ctx& ctx, const std::wstring& text) = 0;
    // A dialog this command raised was closed with that command id (0: WM_CLOSE).
    virtual void dialogClosed(Ctx& ctx, int id) {
        if (!isOk(id)) ctx.cancel();
    }
    static bool isOk(int id) { return id == 1 || id == 6; }
};

// The command of that name (upper case, "_" and "'" removed, "-" kept), or null when unknown.
std::unique_ptr<Command> makeCommand(Session& s, int drawing, const std::wstring& name);

// Commands, one factory per file.
std::unique_ptr<Command> makeZoom();
std::unique_ptr<Command> makeSaveAs();
std::unique_ptr<Command> makeDxfOut();
std::unique_ptr<Command> makeLayout();
std::unique_ptr<Command> makePlot();
std::unique_ptr<Command> makeSpace(bool paper);
std::unique_ptr<Command> makeUndo(bool single);
std::unique_ptr<Command> makeClose();
std::unique_ptr<Command> makeQuit();
std::unique_ptr<Command> makeSysvar(const std::wstring& name);

}  // namespace acadsim
