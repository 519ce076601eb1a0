// System variables typed at the command prompt: the writable ones ask for a new value, the
// read-only ones print their value.
#include "../Command.h"
#include "../Sysvars.h"
#include "../Text.h"

namespace acadsim {

namespace {

std::wstring point(double x, double y) { return formatReal(x) + L"," + formatReal(y); }
std::wstring point(double x, double y, double z) { return point(x, y) + L"," + formatReal(z); }
std::wstring quoted(const std::wstring& s) { return L"\"" + s + L"\""; }

bool isNumberText(const std::wstring& s) {
    double d;
    return parseReal(s, d);
}

// Accepts an integer within [lo, hi]; a message otherwise.
bool integerIn(Session& s, const std::wstring& text, int lo, int hi, std::wstring& out, std::wstring& message) {
    double d;
    if (!parseReal(text, d) || d != static_cast<long long>(d)) {
        message = s.t(L"整数を入力してください。");
        return false;
    }
    if (d < lo || d > hi) {
        message = s.t(L"値は ") + formatInt(lo) + s.t(L" から ") + formatInt(hi) + s.t(L" の範囲でなければなりません。");
        return false;
    }
    out = formatInt(static_cast<long long>(d));
    return true;
}

std::wstring unquote(const std::wstring& s) {
    std::wstring t = trim(s);
    if (t.size() >= 2 && t.front() == L'"' && t.back() == L'"') t = t.substr(1, t.size() - 2);
    return t;
}

}  // namespace

VarInfo readVar(Session& s, int drawing, const std::wstring& name) {
    VarInfo v;
    Drawing& d = s.drawings()[static_cast<size_t>(drawing)];
    const Tab& tab = d.tab();
    v.exists = true;
    if (name == L"FILEDIA" || name == L"CMDECHO" || name == L"SDI") {
        v.value = s.sysvar(name);
    } else if (name == L"CLAYER") {
        v.value = quoted(d.clayer);
    } else if (name == L"CTAB") {
        v.value = quoted(d.currentTab == 0 ? s.release().modelName() : tab.name);
    } else if (name == L"LIMMIN") {
        v.value = point(tab.limits.x1, tab.limits.y1);
    } else if (name == L"LIMMAX") {
        v.value = point(tab.limits.x2, tab.limits.y2);
    } else if (name == L"TILEMODE") {
        v.value = d.currentTab == 0 ? L"1" : L"0";
    } else {
        v.readOnly = true;
        if (name == L"DWGTITLED") {
            v.value = d.path.empty() ? L"0" : L"1";
        } else if (name == L"DWGNAME") {
            v.value = quoted(d.title());
        } else if (name == L"DWGPREFIX") {
            v.value = quoted((d.path.empty() ? s.scenario().documentsFolder : folderPart(d.path)) + L"\\");
        } else if (name == L"VIEWCTR") {
            v.value = point(tab.view.cx, tab.view.cy, 0);
        } else if (name == L"VIEWSIZE") {
            v.value = formatReal(tab.view.height);
        } else if (name == L"EXTMIN") {
            v.value = tab.extents ? point(tab.extents->x1, tab.extents->y1, 0) : point(1e20, 1e20, 1e20);
        } else if (name == L"EXTMAX") {
            v.value = tab.extents ? point(tab.extents->x2, tab.extents->y2, 0) : point(-1e20, -1e20, -1e20);
        } else if (name == L"ACADVER" && s.release().acadver) {
            v.value = quoted(*s.release().acadver);
        } else if (name == L"VERSION" && s.release().version) {
            v.value = quoted(*s.release().version);
        } else if (s.scenario().sysvars.count(name)) {
            std::wstring raw = s.sysvar(name);
            v.readOnly = false;
            v.value = isNumberText(raw) ? raw : quoted(raw);
        } else {
            v.exists = false;
        }
    }
    return v;
}

bool writeVar(Session& s, int drawing, const std::wstring& name, const std::wstring& text, std::wstring& message) {
    Drawing& d = s.drawings()[static_cast<size_t>(drawing)];
    Tab& tab = d.tab();
    std::wstring value;
    if (name == L"FILEDIA" || name == L"CMDECHO") {
        if (!integerIn(s, text, 0, 1, value, message)) return false;
        s.setSysvar(name, value);
    } else if (name == L"SDI") {
        if (!integerIn(s, text, 0, 3, value, message)) return false;
        s.setSysvar(name, value);
    } else if (name == L"TILEMODE") {
        if (!integerIn(s, text, 0, 1, value, message)) return false;
        if (value == L"1") {
            d.currentTab = 0;
        } else if (d.currentTab == 0) {
            int best = -1;
            for (size_t i = 1; i < d.tabs.size(); ++i)
                if (best < 0 || d.tabs[i].tabOrder < d.tabs[static_cast<size_t>(best)].tabOrder) best = static_cast<int>(i);
            if (best > 0) d.currentTab = best;
        }
    } else if (name == L"CLAYER") {
        std::wstring n = unquote(text);
        for (const auto& layer : d.layers)
            if (equalsNoCase(layer, n)) {
                d.clayer = layer;
                return true;
            }
        message = s.t(L"画層 \"") + n + s.t(L"\" が見つかりません。");
        return false;
    } else if (name == L"CTAB") {
        int i = d.findTab(unquote(text));
        if (i < 0) {
            message = s.t(L"レイアウト \"") + unquote(text) + s.t(L"\" が見つかりません。");
            return false;
        }
        d.currentTab = i;
    } else if (name == L"LIMMIN" || name == L"LIMMAX") {
        double x, y;
        if (!parsePoint(trim(text), x, y) || split(trim(text), L',').size() != 2) {
            message = s.t(L"2D 点が必要です。");
            return false;
        }
        if (name == L"LIMMIN") { tab.limits.x1 = x; tab.limits.y1 = y; }
        else { tab.limits.x2 = x; tab.limits.y2 = y; }
    } else {
        s.setSysvar(name, unquote(text));
    }
    return true;
}

namespace {

class SysvarCommand : public Command {
public:
    explicit SysvarCommand(std::wstring name) : name_(std::move(name)) {}

    void start(Ctx& ctx) override {
        VarInfo v = readVar(ctx.session(), ctx.index(), name_);
        if (v.readOnly) {
            ctx.say(name_ + L" = " + v.value + ctx.t(L" (読み込み専用)"));
            ctx.finish();
        } else {
            ask(ctx);
        }
    }

    void answer(Ctx& ctx, const std::wstring& text) override {
        if (trim(text).empty()) {
            ctx.finish();
            return;
        }
        std::wstring message;
        if (writeVar(ctx.session(), ctx.index(), name_, text, message)) {
            ctx.finish();
        } else {
            ctx.say(message);
            ask(ctx);
        }
    }

private:
    void ask(Ctx& ctx) {
        VarInfo v = readVar(ctx.session(), ctx.index(), name_);
        bool text = !v.value.empty() && v.value[0] == L'"';
        ctx.ask(name_ + ctx.t(L" の新しい値を入力 <") + v.value + L">:", !text);
    }

    std::wstring name_;
};

}  // namespace

std::unique_ptr<Command> makeSysvar(const std::wstring& name) { return std::make_unique<SysvarCommand>(name); }

}  // namespace acadsim
