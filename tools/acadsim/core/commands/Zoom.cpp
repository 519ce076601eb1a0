// ZOOM: All, Extents, Previous, Center and scale factors, on the current tab's view.
#include <algorithm>

#include "../Command.h"
#include "../Text.h"

namespace acadsim {

namespace {

class Zoom : public Command {
public:
    void start(Ctx& ctx) override { askOption(ctx); }

    void answer(Ctx& ctx, const std::wstring& text) override {
        std::wstring a = upperAscii(trim(text));
        Tab& tab = ctx.drawing().tab();
        if (stage_ == Stage::Option) {
            if (a.empty()) {
                ctx.say(ctx.t(L"ESC または ENTER キーを押して終了、または右クリックしてショートカット メニューを表示。"));
                ctx.finish();
            } else if (a == L"A" || a == L"ALL") {
                Range box = tab.limits;
                if (tab.extents) box = unite(box, *tab.extents);
                fit(ctx, box);
            } else if (a == L"E" || a == L"EXTENTS") {
                fit(ctx, tab.extents ? *tab.extents : tab.limits);
            } else if (a == L"P" || a == L"PREVIOUS") {
                if (tab.previous.empty()) {
                    ctx.say(ctx.t(L"前画面の記録はありません。"));
                } else {
                    ctx.pushUndo(L"ZOOM");
                    tab.view = tab.previous.back();
                    tab.previous.pop_back();
                }
                ctx.finish();
            } else if ((a == L"C" || a == L"CENTER") && tab.centerZoom) {
                stage_ = Stage::Center;
                ctx.ask(ctx.t(L"中心点を指定:"));
            } else if (scaleFactor(a)) {
                View v = tab.view;
                v.height /= factor_;
                setView(ctx, v);
            } else {
                ctx.say(ctx.t(L"点またはオプション キーワードが必要です。"));
                askOption(ctx);
            }
        } else if (stage_ == Stage::Center) {
            if (!parsePoint(trim(text), cx_, cy_)) {
                ctx.say(ctx.t(L"点またはオプション キーワードが必要です。"));
                ctx.ask(ctx.t(L"中心点を指定:"));
                return;
            }
            stage_ = Stage::Height;
            askHeight(ctx);
        } else {
            double h = tab.view.height;
            if (!a.empty()) {
                if (scaleFactor(a)) {
                    h = tab.view.height / factor_;
                } else if (!parseReal(a, h)) {
                    ctx.say(ctx.t(L"数値の距離、2 点、またはオプション キーワードが必要です。"));
                    askHeight(ctx);
                    return;
                } else if (h <= 0) {
                    ctx.say(ctx.t(L"値は正で 0 以外でなければなりません。"));
                    askHeight(ctx);
                    return;
                }
            }
            setView(ctx, View{cx_, cy_, h});
        }
    }

private:
    enum class Stage { Option, Center, Height };

    void askOption(Ctx& ctx) {
        std::wstring centre = ctx.drawing().tab().centerZoom ? L"中心(C)/" : L"";
        ctx.ask(ctx.t(L"ウィンドウの隅を指定、尺度(nX または nXP)を入力、または\n[図面全体(A)/" + centre +
                      L"ダイナミック(D)/オブジェクト範囲(E)/前画面(P)/尺度(S)/窓(W)/オブジェクト(O)] <リアルタイム>:"));
    }

    void askHeight(Ctx& ctx) {
        ctx.ask(ctx.t(L"倍率または高さを入力 <") + formatReal(ctx.drawing().tab().view.height) + L">:");
    }

    // "2X", "0.5XP": a factor on the current view.
    bool scaleFactor(const std::wstring& a) {
        std::wstring n = a;
        if (n.size() > 2 && n.compare(n.size() - 2, 2, L"XP") == 0) n.resize(n.size() - 2);
        else if (n.size() > 1 && n.back() == L'X') n.pop_back();
        else return false;
        return parseReal(n, factor_) && factor_ > 0;
    }

    static Range unite(const Range& a, const Range& b) {
        return {std::min(a.x1, b.x1), std::min(a.y1, b.y1), std::max(a.x2, b.x2), std::max(a.y2, b.y2)};
    }

    void fit(Ctx& ctx, const Range& box) {
        double aspect = ctx.drawing().aspect;
        double h = std::max(box.height(), box.width() / aspect);
        if (h <= 0) h = 1;
        setView(ctx, View{(box.x1 + box.x2) / 2, (box.y1 + box.y2) / 2, h});
    }

    void setView(Ctx& ctx, const View& v) {
        Tab& tab = ctx.drawing().tab();
        ctx.pushUndo(L"ZOOM");
        tab.previous.push_back(tab.view);
        if (tab.previous.size() > 10) tab.previous.erase(tab.previous.begin());
        tab.view = v;
        ctx.finish();
    }

    Stage stage_ = Stage::Option;
    double cx_ = 0, cy_ = 0, factor_ = 1;
};

}  // namespace

std::unique_ptr<Command> makeZoom() { return std::make_unique<Zoom>(); }

}  // namespace acadsim
