#include "Session.h"

#include <algorithm>

#include "Command.h"
#include "Text.h"

namespace acadsim {

Session::Session(Scenario scenario, FileSystem& fs) : sc_(std::move(scenario)), fs_(fs) {
    lines_.resize(sc_.drawings.size());
    for (size_t i = 0; i < lines_.size(); ++i) {
        lines_[i].history.push_back(t(L"AutoCAD メニュー ユーティリティをロードしました。"));
        lines_[i].prompt = commandPrompt();
    }
    current_ = sc_.drawings.empty() ? -1 : sc_.active;
    for (const auto& plan : sc_.dialogs) {
        dialogTimesLeft_.push_back(plan.times);
        if (plan.trigger == L"start") requestDialog(plan, -1);
    }
}

Session::~Session() = default;

std::wstring Session::t(const std::wstring& fixedText) const {
    return sc_.release.halfWidthKana() ? halfWidthKana(fixedText) : fixedText;
}

std::wstring Session::commandPrompt() const { return t(L"コマンド:"); }

void Session::setCurrent(int index) {
    if (index >= 0 && (index >= static_cast<int>(sc_.drawings.size()) || !sc_.drawings[static_cast<size_t>(index)].open))
        return;
    if (current_ != index) {
        current_ = index;
        ++changes_;
    }
}

Drawing* Session::currentDrawing() {
    return current_ < 0 ? nullptr : &sc_.drawings[static_cast<size_t>(current_)];
}

void Session::input(const std::wstring& text) {
    for (wchar_t c : text) type(c);
}

void Session::type(wchar_t c) {
    if (current_ < 0 || dialogOpen()) return;
    int d = current_;
    CommandLine& L = lines_[static_cast<size_t>(d)];
    if (c == 3 || c == 27) {
        cancel(d);
    } else if (c == L'\r' || (c == L' ' && L.spaceIsEnter)) {
        submit(d);
    } else if (c == 8) {
        if (!L.typed.empty()) L.typed.pop_back();
    } else if (static_cast<unsigned>(c) >= 0x20) {
        L.typed.push_back(c);
    }
    ++changes_;
}

bool Session::isEnter(wchar_t c) const {
    if (current_ < 0 || dialogOpen()) return false;
    return c == L'\r' || (c == L' ' && lines_[static_cast<size_t>(current_)].spaceIsEnter);
}

static std::wstring plainName(std::wstring n) {
    while (!n.empty() && (n[0] == L'_' || n[0] == L'-' || n[0] == L'\'')) n.erase(0, 1);
    return upperAscii(n);
}

std::optional<CommandStep> Session::enterStep(wchar_t c) const {
    if (!isEnter(c)) return std::nullopt;
    const CommandLine& L = lines_[static_cast<size_t>(current_)];
    if (L.command) {
        if (L.record < 0) return std::nullopt;
        const CommandRecord& r = commands_[static_cast<size_t>(L.record)];
        return CommandStep{plainName(r.name), current_, L.run, L.anyRun, static_cast<int>(r.answers.size()) + 1};
    }
    std::wstring name = plainName(trim(L.typed));
    if (name.empty()) name = plainName(L.lastCommand);
    if (name.empty()) return std::nullopt;
    auto it = starts_.find(name);
    return CommandStep{name, current_, (it == starts_.end() ? 0 : it->second) + 1, anyStarts_ + 1, 0};
}

void Session::addHistory(int d, const std::wstring& text) {
    for (const auto& line : split(text, L'\n')) lines_[static_cast<size_t>(d)].history.push_back(line);
    ++changes_;
}

void Session::toCommandPrompt(int d) {
    CommandLine& L = lines_[static_cast<size_t>(d)];
    L.prompt = commandPrompt();
    L.spaceIsEnter = true;
    ++changes_;
}

void Session::endCommand(int d, const std::wstring& how) {
    CommandLine& L = lines_[static_cast<size_t>(d)];
    if (L.record >= 0) commands_[static_cast<size_t>(L.record)].end = how;
    L.record = -1;
    L.command.reset();
}

void Session::cancel(int d) {
    CommandLine& L = lines_[static_cast<size_t>(d)];
    addHistory(d, L.prompt + L" " + t(L"*キャンセル*"));
    L.typed.clear();
    if (L.command) endCommand(d, L"cancelled");
    toCommandPrompt(d);
}

void Session::submit(int d) {
    CommandLine& L = lines_[static_cast<size_t>(d)];
    std::wstring text = L.typed;
    L.typed.clear();
    addHistory(d, text.empty() ? L.prompt : L.prompt + L" " + text);
    if (L.command) {
        if (L.record >= 0) commands_[static_cast<size_t>(L.record)].answers.push_back(text);
        Ctx ctx(*this, d);
        L.command->answer(ctx, text);
        afterStep(d, ctx);
    } else {
        startCommand(d, text);
    }
}

void Session::afterStep(int d, Ctx& ctx) {
    if (ctx.finished()) {
        endCommand(d, ctx.cancelled() ? L"cancelled" : L"done");
        toCommandPrompt(d);
    }
    ++changes_;
}

static std::wstring commandName(const std::wstring& typed) {
    std::wstring n = trim(typed);
    while (!n.empty() && (n[0] == L'_' || n[0] == L'\'')) n.erase(0, 1);
    return upperAscii(n);
}

void Session::startCommand(int d, const std::wstring& typed) {
    CommandLine& L = lines_[static_cast<size_t>(d)];
    std::wstring name = commandName(typed);
    std::wstring shown = typed;
    if (name.empty()) {
        if (L.lastCommand.empty()) return;
        name = L.lastCommand;
        shown = L.lastCommand;
    }
    std::wstring plain = plainName(name);
    L.run = ++starts_[plain];
    L.anyRun = ++anyStarts_;
    CommandStep step{plain, d, L.run, L.anyRun, 0};
    for (size_t i = 0; i < sc_.dialogs.size(); ++i) {
        const DialogPlan& plan = sc_.dialogs[i];
        if (plan.trigger == L"command" && dialogTimesLeft_[i] > 0 && matches(plan.match, step)) {
            --dialogTimesLeft_[i];
            int serial = requestDialog(plan, d);
            openDialogs_.back().deferredCommand = name;
            openDialogs_.back().deferredTyped = shown;
            // As AutoCAD, the command line keeps showing the command while its dialog is up.
            L.typed = shown;
            (void)serial;
            return;
        }
    }
    runCommand(d, shown, name);
}

void Session::runCommand(int d, const std::wstring& typed, const std::wstring& name) {
    CommandLine& L = lines_[static_cast<size_t>(d)];
    commands_.push_back({d, name, trim(typed), {}, L"open"});
    auto cmd = makeCommand(*this, d, name);
    if (!cmd) {
        commands_.back().end = L"unknown";
        addHistory(d, t(L"不明なコマンド \"") + name + t(L"\"。F1 キーを押すとヘルプを表示します。"));
        toCommandPrompt(d);
        return;
    }
    L.lastCommand = name;
    L.command = std::move(cmd);
    L.record = static_cast<int>(commands_.size()) - 1;
    Ctx ctx(*this, d);
    L.command->start(ctx);
    afterStep(d, ctx);
}

std::wstring Session::commandLineText(int d) const {
    const CommandLine& L = lines_[static_cast<size_t>(d)];
    return L.prompt + L" " + L.typed;
}

std::wstring Session::historyText(int d) const {
    std::wstring all;
    for (const auto& line : lines_[static_cast<size_t>(d)].history) {
        if (!all.empty()) all += L"\r\n";
        all += line;
    }
    size_t limit = sc_.historyWindowLimit;
    if (limit > 0 && all.size() > limit) all.erase(0, all.size() - limit);
    return all;
}

std::wstring Session::clipboardText(int d) const {
    std::wstring all;
    for (const auto& line : lines_[static_cast<size_t>(d)].history) all += line + L"\r\n";
    return all + commandLineText(d);
}

std::optional<DialogRequest> Session::takeDialogRequest() {
    if (dialogQueue_.empty()) return std::nullopt;
    DialogRequest r = dialogQueue_.front();
    dialogQueue_.erase(dialogQueue_.begin());
    return r;
}

int Session::requestDialog(const DialogPlan& plan, int drawing) {
    int serial = nextSerial_++;
    dialogQueue_.push_back({serial, plan});
    dialogRecords_.push_back({plan.id, plan.title, L"", false});
    openDialogs_.push_back({serial, drawing, dialogRecords_.size() - 1, L"", L""});
    ++changes_;
    return serial;
}

void Session::dialogClosed(int serial, int commandId, bool checkbox) {
    auto it = std::find_if(openDialogs_.begin(), openDialogs_.end(),
                           [&](const OpenDialog& o) { return o.serial == serial; });
    if (it == openDialogs_.end()) return;
    OpenDialog od = *it;
    openDialogs_.erase(it);
    static const std::pair<int, const wchar_t*> names[] = {
        {0, L"WM_CLOSE"}, {1, L"IDOK"}, {2, L"IDCANCEL"}, {6, L"IDYES"}, {7, L"IDNO"}};
    std::wstring how = L"ID" + formatInt(commandId);
    for (const auto& n : names)
        if (n.first == commandId) how = n.second;
    dialogRecords_[od.record].closedBy = how;
    dialogRecords_[od.record].checkbox = checkbox;
    ++changes_;
    if (od.drawing < 0 || !sc_.drawings[static_cast<size_t>(od.drawing)].open) return;
    bool ok = commandId == 1 || commandId == 6;
    CommandLine& L = lines_[static_cast<size_t>(od.drawing)];
    if (!od.deferredCommand.empty()) {
        L.typed.clear();
        if (ok) {
            runCommand(od.drawing, od.deferredTyped, od.deferredCommand);
        } else {
            commands_.push_back({od.drawing, od.deferredCommand, trim(od.deferredTyped), {}, L"cancelled"});
            addHistory(od.drawing, L.prompt + L" " + t(L"*キャンセル*"));
            toCommandPrompt(od.drawing);
        }
    } else if (L.command) {
        Ctx ctx(*this, od.drawing);
        L.command->dialogClosed(ctx, commandId);
        afterStep(od.drawing, ctx);
    }
}

void Session::setViewAspect(int drawing, double aspect) {
    if (drawing >= 0 && drawing < static_cast<int>(sc_.drawings.size()) && aspect > 0.05 && aspect < 50)
        sc_.drawings[static_cast<size_t>(drawing)].aspect = aspect;
}

void Session::recordFile(const std::wstring& path, const std::wstring& kind, int drawing) {
    files_.push_back({path, kind, drawing});
    ++changes_;
}

void Session::closeDrawing(int index) {
    sc_.drawings[static_cast<size_t>(index)].open = false;
    CommandLine& L = lines_[static_cast<size_t>(index)];
    if (L.command) endCommand(index, L"done");
    if (current_ == index) {
        current_ = -1;
        for (size_t i = 0; i < sc_.drawings.size(); ++i)
            if (sc_.drawings[i].open) {
                current_ = static_cast<int>(i);
                break;
            }
    }
    ++changes_;
}

void Session::pushUndo(int d, const std::wstring& name) {
    CommandLine& L = lines_[static_cast<size_t>(d)];
    if (L.groupDepth > 0 && L.groupHasStep) return;
    const Drawing& dr = sc_.drawings[static_cast<size_t>(d)];
    L.undo.push_back({L.groupDepth > 0 ? std::wstring(L"GROUP") : name, dr.currentTab, dr.tabs});
    if (L.groupDepth > 0) L.groupHasStep = true;
}

std::vector<std::wstring> Session::undo(int d, int count) {
    CommandLine& L = lines_[static_cast<size_t>(d)];
    Drawing& dr = sc_.drawings[static_cast<size_t>(d)];
    std::vector<std::wstring> names;
    while (count-- > 0 && !L.undo.empty()) {
        UndoStep s = std::move(L.undo.back());
        L.undo.pop_back();
        dr.currentTab = s.currentTab;
        dr.tabs = std::move(s.tabs);
        names.push_back(s.name);
    }
    ++changes_;
    return names;
}

void Session::undoGroup(int d, bool begin) {
    CommandLine& L = lines_[static_cast<size_t>(d)];
    if (begin) {
        if (L.groupDepth == 0) L.groupHasStep = false;
        ++L.groupDepth;
    } else if (L.groupDepth > 0) {
        --L.groupDepth;
    }
}

std::wstring Session::sysvar(const std::wstring& name) const {
    auto it = sc_.sysvars.find(name);
    return it == sc_.sysvars.end() ? std::wstring() : it->second;
}

// --- Ctx ---

void Ctx::say(const std::wstring& text) { s_.addHistory(d_, text); }

void Ctx::ask(const std::wstring& prompt, bool spaceIsEnter) {
    auto lines = split(prompt, L'\n');
    for (size_t i = 0; i + 1 < lines.size(); ++i) s_.addHistory(d_, lines[i]);
    CommandLine& L = s_.lines_[static_cast<size_t>(d_)];
    L.prompt = lines.back();
    L.spaceIsEnter = spaceIsEnter;
}

void Ctx::cancel() {
    CommandLine& L = s_.lines_[static_cast<size_t>(d_)];
    s_.addHistory(d_, L.prompt + L" " + s_.t(L"*キャンセル*"));
    cancelled_ = finished_ = true;
}

void Ctx::raiseDialog(const DialogPlan& plan) { s_.requestDialog(plan, d_); }

void Ctx::pushUndo(const std::wstring& name) { s_.pushUndo(d_, name); }

void Ctx::changed() { ++s_.changes_; }

}  // namespace acadsim
