// The interpreter of the stand-in: one command line per drawing, fed character by character.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FileSystem.h"
#include "Model.h"

namespace acadsim {

class Command;
class Ctx;

// A dialog the shell must raise; the command (if any) waits until it is closed.
struct DialogRequest {
    int serial = 0;
    DialogPlan plan;
};

// Views and tabs before a command changed them, for UNDO.
struct UndoStep {
    std::wstring name;
    int currentTab = 0;
    std::vector<Tab> tabs;
};

struct CommandLine {
    std::vector<std::wstring> history;
    std::wstring prompt;          // current prompt line, without the trailing blank
    std::wstring typed;
    bool spaceIsEnter = true;
    std::unique_ptr<Command> command;
    int record = -1;              // index into Session::commands() of the running command
    int run = 0, anyRun = 0;      // the running command's start: its how-many-th, of its name and of all
    std::wstring lastCommand;     // repeated by Enter at an empty command prompt
    std::vector<UndoStep> undo;
    int groupDepth = 0;           // inside UNDO BE ... E
    bool groupHasStep = false;
};

class Session {
public:
    Session(Scenario scenario, FileSystem& fs);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Typing into the current drawing's command line.
    void type(wchar_t c);
    // The character is Enter at the current drawing's command line (CR, or a blank where it is one).
    bool isEnter(wchar_t c) const;
    // The command that this character, typed now, starts or answers; none when it is no such Enter.
    std::optional<CommandStep> enterStep(wchar_t c) const;
    void input(const std::wstring& text);

    const Scenario& scenario() const { return sc_; }
    const Release& release() const { return sc_.release; }
    std::vector<Drawing>& drawings() { return sc_.drawings; }
    const std::vector<Drawing>& drawings() const { return sc_.drawings; }
    int current() const { return current_; }
    void setCurrent(int index);   // an open drawing, or -1 when none is open
    Drawing* currentDrawing();

    std::wstring commandLineText(int drawing) const;
    std::wstring historyText(int drawing) const;   // CR LF between lines, cut to the window limit
    std::wstring clipboardText(int drawing) const; // whole history plus the command line
    std::wstring commandPrompt() const;            // "コマンド:" or "ｺﾏﾝﾄﾞ:"

    // Dialogs: the scenario's start dialogs are requested at construction.
    std::optional<DialogRequest> takeDialogRequest();
    bool dialogOpen() const { return !openDialogs_.empty(); }
    void dialogClosed(int serial, int commandId, bool checkbox);  // commandId 0: WM_CLOSE

    bool quitRequested() const { return quit_; }
    void setViewAspect(int drawing, double aspect);

    std::wstring sysvar(const std::wstring& name) const;
    void setSysvar(const std::wstring& name, const std::wstring& value) { sc_.sysvars[name] = value; }
    const std::vector<CommandRecord>& commands() const { return commands_; }
    const std::vector<DialogRecord>& dialogs() const { return dialogRecords_; }
    const std::vector<FileRecord>& files() const { return files_; }
    // Increments whenever something a state file shows has changed.
    unsigned long long changes() const { return changes_; }

    // Used by commands.
    FileSystem& fs() { return fs_; }
    std::wstring t(const std::wstring& fixedText) const;  // release wording (half-width kana)
    void recordFile(const std::wstring& path, const std::wstring& kind, int drawing);
    int requestDialog(const DialogPlan& plan, int drawing);  // serial
    void closeDrawing(int index);
    void requestQuit() { quit_ = true; }
    void pushUndo(int drawing, const std::wstring& name);
    // Undoes up to count steps; the names of the undone commands, newest first.
    std::vector<std::wstring> undo(int drawing, int count);
    void undoGroup(int drawing, bool begin);

private:
    friend class Ctx;
    void submit(int d);
    void cancel(int d);
    void startCommand(int d, const std::wstring& typed);
    void runCommand(int d, const std::wstring& typed, const std::wstring& name);
    void toCommandPrompt(int d);
    void addHistory(int d, const std::wstring& text);
    void endCommand(int d, const std::wstring& how);
    void afterStep(int d, Ctx& ctx);

    Scenario sc_;
    FileSystem& fs_;
    std::vector<CommandLine> lines_;
    int current_ = -1;
    std::vector<DialogRequest> dialogQueue_;
    struct OpenDialog {
        int serial;
        int drawing;              // the waiting command's drawing, -1 for none
        size_t record;
        std::wstring deferredCommand;  // started once the dialog is closed with OK/Yes
        std::wstring deferredTyped;
    };
    std::vector<OpenDialog> openDialogs_;
    std::vector<int> dialogTimesLeft_;
    std::map<std::wstring, int> starts_;  // per command name, for the plans' run
    int anyStarts_ = 0;
    std::vector<CommandRecord> commands_;
    std::vector<DialogRecord> dialogRecords_;
    std::vector<FileRecord> files_;
    int nextSerial_ = 1;
    bool quit_ = false;
    unsigned long long changes_ = 0;
};

}  // namespace acadsim
