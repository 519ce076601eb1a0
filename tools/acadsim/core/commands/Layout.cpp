// -LAYOUT (? and S), -PLOT up to its prompts, PLOT's dialog, PSPACE and MSPACE.
#include <algorithm>

#include "../Command.h"
#include "../Text.h"

namespace acadsim {

namespace {

std::wstring tabName(Ctx& ctx, int i) {
    return i == 0 ? ctx.session().release().modelName() : ctx.drawing().tabs[static_cast<size_t>(i)].name;
}

class LayoutCommand : public Command {
public:
    void start(Ctx& ctx) override { askOption(ctx); }

    void answer(Ctx& ctx, const std::wstring& text) override {
        std::wstring a = upperAscii(trim(text));
        Drawing& d = ctx.drawing();
        if (setting_) {
            int i = a.empty() ? d.currentTab : d.findTab(trim(text));
            if (i < 0) {
                ctx.say(ctx.t(L"レイアウト \"") + trim(text) + ctx.t(L"\" が見つかりません。"));
                askSet(ctx);
                return;
            }
            if (i != d.currentTab) {
                ctx.pushUndo(L"-LAYOUT");
                d.currentTab = i;
                ctx.say(i == 0 ? ctx.t(L"モデルを再作成中.") : ctx.t(L"ペーパー空間を再作成中."));
            }
            ctx.finish();
        } else if (a == L"?") {
            list(ctx);
            askOption(ctx);
        } else if (a.empty() || a == L"S" || a == L"SET") {
            setting_ = true;
            askSet(ctx);
        } else if (a == L"C" || a == L"D" || a == L"N" || a == L"T" || a == L"R" || a == L"SA") {
            ctx.say(ctx.t(L"このオプションはこの図面では使用できません。"));
            askOption(ctx);
        } else {
            ctx.say(ctx.t(L"オプション キーワードが無効です。"));
            askOption(ctx);
        }
    }

private:
    void askOption(Ctx& ctx) {
        ctx.ask(ctx.t(L"レイアウト オプションを入力 [コピー(C)/削除(D)/新規作成(N)/テンプレート(T)/名前変更(R)/"
                      L"名前を付けて保存(SA)/設定(S)/?] <設定>:"));
    }

    void askSet(Ctx& ctx) {
        ctx.ask(ctx.t(L"現在のレイアウトにするレイアウトを入力 <") + tabName(ctx, ctx.drawing().currentTab) + L">:", false);
    }

    // The listing is in name order, not in tab order.
    void list(Ctx& ctx) {
        Drawing& d = ctx.drawing();
        ctx.say(ctx.t(L"アクティブなレイアウト: ") + tabName(ctx, d.currentTab));
        std::vector<size_t> order;
        for (size_t i = 1; i < d.tabs.size(); ++i) order.push_back(i);
        std::sort(order.begin(), order.end(), [&](size_t x, size_t y) { return d.tabs[x].name < d.tabs[y].name; });
        int block = 0;
        for (size_t i : order) {
            std::wstring name = d.tabs[i].name;
            std::wstring pad(name.size() < 20 ? 22 - name.size() : 2, L' ');
            std::wstring blockName = static_cast<int>(i) == d.currentTab ? L"*PAPER_SPACE"
                                                                          : L"*PAPER_SPACE" + formatInt(block++);
            ctx.say(ctx.t(L"レイアウト: ") + name + pad + ctx.t(L"ブロック名: ") + blockName + L".");
        }
    }

    bool setting_ = false;
};

class PlotCommand : public Command {
public:
    void start(Ctx& ctx) override { ask(ctx); }

    void answer(Ctx& ctx, const std::wstring& text) override {
        std::wstring a = upperAscii(trim(text));
        switch (stage_) {
        case 0:
            if (!a.empty() && a != L"Y" && a != L"N" && a != L"YES" && a != L"NO") {
                ctx.say(ctx.t(L"Y または N を入力してください。"));
                break;
            }
            stage_ = 1;
            break;
        case 1:
            if (a == L"?") {
                Drawing& d = ctx.drawing();
                for (size_t i = 0; i < d.tabs.size(); ++i) ctx.say(tabName(ctx, static_cast<int>(i)));
                break;
            }
            if (!a.empty() && ctx.drawing().findTab(trim(text)) < 0) {
                ctx.say(ctx.t(L"レイアウト \"") + trim(text) + ctx.t(L"\" が見つかりません。"));
                break;
            }
            stage_ = 2;
            break;
        case 2:
            stage_ = 3;
            break;
        case 3:
            stage_ = 4;
            break;
        default:
            ctx.say(ctx.t(L"印刷デバイスが設定されていないため印刷できません。"));
            ctx.finish();
            return;
        }
        ask(ctx);
    }

private:
    void ask(Ctx& ctx) {
        switch (stage_) {
        case 0: ctx.ask(ctx.t(L"詳細な印刷設定を行いますか? [はい(Y)/いいえ(N)] <いいえ(N)>:")); break;
        case 1:
            ctx.ask(ctx.t(L"レイアウト名を入力 または [?] <") + tabName(ctx, ctx.drawing().currentTab) + L">:", false);
            break;
        case 2: ctx.ask(ctx.t(L"ページ設定名を入力 または [?] <なし>:"), false); break;
        case 3: ctx.ask(ctx.t(L"出力デバイス名を入力 または [?] <なし>:"), false); break;
        default: ctx.ask(ctx.t(L"印刷を続けますか? [はい(Y)/いいえ(N)] <Y>:")); break;
        }
    }

    int stage_ = 0;
};

// PLOT without the dash opens the plot dialog; only closing it ends the command.
class PlotDialogCommand : public Command {
public:
    void start(Ctx& ctx) override {
        DialogPlan plan;
        plan.id = L"plot";
        plan.title = ctx.t(L"印刷 - ") + tabName(ctx, ctx.drawing().currentTab);
        plan.body = {ctx.t(L"ページ設定"), ctx.t(L"プリンタ/プロッタ")};
        plan.buttons = {{L"OK", 1}, {ctx.t(L"キャンセル"), 2}};
        ctx.raiseDialog(plan);
    }
    void answer(Ctx&, const std::wstring&) override {}
    void dialogClosed(Ctx& ctx, int id) override {
        if (isOk(id)) ctx.say(ctx.t(L"印刷デバイスが設定されていないため印刷できません。"));
        ctx.finish();
    }
};

class SpaceCommand : public Command {
public:
    explicit SpaceCommand(bool paper) : paper_(paper) {}
    void start(Ctx& ctx) override {
        Drawing& d = ctx.drawing();
        if (d.currentTab == 0) {
            ctx.say(ctx.t(L"** コマンドはモデル タブでは使用できません **"));
        } else if (d.tab().mspace != paper_) {
            ctx.say(paper_ ? ctx.t(L"既にペーパー空間にいます。") : ctx.t(L"既にモデル空間にいます。"));
        } else {
            ctx.pushUndo(paper_ ? L"PSPACE" : L"MSPACE");
            d.tab().mspace = !paper_;
        }
        ctx.finish();
    }
    void answer(Ctx& ctx, const std::wstring&) override { ctx.finish(); }

private:
    bool paper_;
};

}  // namespace

std::unique_ptr<Command> makeLayout() { return std::make_unique<LayoutCommand>(); }
std::unique_ptr<Command> makePlot() { return std::make_unique<PlotCommand>(); }
std::unique_ptr<Command> makePlotDialog() { return std::make_unique<PlotDialogCommand>(); }
std::unique_ptr<Command> makeSpace(bool paper) { return std::make_unique<SpaceCommand>(paper); }

}  // namespace acadsim
