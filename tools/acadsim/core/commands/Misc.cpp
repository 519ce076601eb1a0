// UNDO and U, CLOSE, QUIT, and the table of command names.
#include "../Command.h"
#include "../Files.h"
#include "../Sysvars.h"
#include "../Text.h"

namespace acadsim {

std::unique_ptr<Command> makePlotDialog();
std::unique_ptr<Command> makeFileDialog(const std::wstring& command);

namespace {

void undoSteps(Ctx& ctx, int count) {
    auto names = ctx.session().undo(ctx.index(), count);
    if (names.empty()) {
        ctx.say(ctx.t(L"元に戻す操作はありません。"));
        return;
    }
    std::wstring line;
    for (const auto& n : names) line += (line.empty() ? L"" : L" ") + (n == L"GROUP" ? ctx.t(L"グループ") : n);
    ctx.say(line);
}

class UndoCommand : public Command {
public:
    explicit UndoCommand(bool single) : single_(single) {}
    void start(Ctx& ctx) override {
        if (single_) {
            undoSteps(ctx, 1);
            ctx.finish();
            return;
        }
        ctx.say(ctx.t(L"現在の設定: 自動 = オン, コントロール = 全て, 結合 = はい, 画層 = はい"));
        ask(ctx);
    }
    void answer(Ctx& ctx, const std::wstring& text) override {
        std::wstring a = upperAscii(trim(text));
        double n = 1;
        if (a == L"BE" || a == L"BEGIN") {
            ctx.session().undoGroup(ctx.index(), true);
        } else if (a == L"E" || a == L"END") {
            ctx.session().undoGroup(ctx.index(), false);
        } else if (a == L"M" || a == L"MARK" || a == L"A" || a == L"C") {
        } else if (a == L"B" || a == L"BACK") {
            undoSteps(ctx, 1000000);
        } else if (a.empty() || (parseReal(a, n) && n >= 1 && n == static_cast<int>(n))) {
            undoSteps(ctx, static_cast<int>(n));
        } else {
            ctx.say(ctx.t(L"1 以上の整数、またはオプション キーワードが必要です。"));
            ask(ctx);
            return;
        }
        ctx.finish();
    }

private:
    void ask(Ctx& ctx) {
        ctx.ask(ctx.t(L"元に戻す回数を入力、または [自動(A)/コントロール(C)/開始(BE)/終了(E)/マーク(M)/後退(B)] <1>:"));
    }
    bool single_;
};

class CloseCommand : public Command {
public:
    void start(Ctx& ctx) override {
        if (!ctx.drawing().modified) {
            close(ctx);
            return;
        }
        DialogPlan plan;
        plan.id = L"savechanges";
        plan.title = L"AutoCAD";
        plan.body = {ctx.drawing().title() + ctx.t(L" への変更を保存しますか?")};
        plan.buttons = {{ctx.t(L"はい(&Y)"), 6}, {ctx.t(L"いいえ(&N)"), 7}, {ctx.t(L"キャンセル"), 2}};
        ctx.raiseDialog(plan);
    }
    void answer(Ctx& ctx, const std::wstring&) override { ctx.finish(); }
    void dialogClosed(Ctx& ctx, int id) override {
        if (id == 7) {
            close(ctx);
        } else if (id == 6) {
            Drawing& d = ctx.drawing();
            std::wstring path = d.path.empty() ? ctx.session().scenario().documentsFolder + L"\\" + d.title() : d.path;
            if (saveDrawing(ctx, path, d.format)) close(ctx);
            else ctx.finish();
        } else {
            ctx.cancel();
        }
    }

private:
    static void close(Ctx& ctx) {
        ctx.finish();
        ctx.session().closeDrawing(ctx.index());
    }
};

class QuitCommand : public Command {
public:
    void start(Ctx& ctx) override {
        ctx.session().requestQuit();
        ctx.finish();
    }
    void answer(Ctx& ctx, const std::wstring&) override { ctx.finish(); }
};

}  // namespace

std::unique_ptr<Command> makeUndo(bool single) { return std::make_unique<UndoCommand>(single); }
std::unique_ptr<Command> makeClose() { return std::make_unique<CloseCommand>(); }
std::unique_ptr<Command> makeQuit() { return std::make_unique<QuitCommand>(); }

std::unique_ptr<Command> makeCommand(Session& s, int drawing, const std::wstring& name) {
    bool fileDialog = s.sysvar(L"FILEDIA") == L"1";
    if (name == L"ZOOM" || name == L"Z" || name == L"-ZOOM") return makeZoom();
    if (name == L"SAVEAS" || name == L"-SAVEAS") return fileDialog && name[0] != L'-' ? makeFileDialog(name) : makeSaveAs();
    if (name == L"DXFOUT") return fileDialog ? makeFileDialog(name) : makeDxfOut();
    if (name == L"-LAYOUT" || name == L"LAYOUT" || name == L"LO") return makeLayout();
    if (name == L"-PLOT") return makePlot();
    if (name == L"PLOT") return makePlotDialog();
    if (name == L"PSPACE" || name == L"PS") return makeSpace(true);
    if (name == L"MSPACE" || name == L"MS") return makeSpace(false);
    if (name == L"UNDO") return makeUndo(false);
    if (name == L"U") return makeUndo(true);
    if (name == L"CLOSE") return makeClose();
    if (name == L"QUIT" || name == L"EXIT") return makeQuit();
    if (readVar(s, drawing, name).exists) return makeSysvar(name);
    return nullptr;
}

}  // namespace acadsim
