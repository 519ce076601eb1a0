#include "Scenario.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "Release.h"
#include "Text.h"

namespace acadsim {

namespace {

using nlohmann::json;

struct Bad : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(const std::string& key, const std::string& what) { throw Bad(key + ": " + what); }

const json* opt(const json& o, const char* key) {
    auto it = o.find(key);
    return it == o.end() || it->is_null() ? nullptr : &*it;
}

std::wstring str(const json& v, const std::string& key) {
    if (!v.is_string()) fail(key, "must be a text");
    return fromUtf8(v.get<std::string>());
}

double num(const json& v, const std::string& key) {
    if (!v.is_number()) fail(key, "must be a number");
    double d = v.get<double>();
    if (!std::isfinite(d)) fail(key, "must be finite");
    return d;
}

int integer(const json& v, const std::string& key) {
    if (!v.is_number_integer()) fail(key, "must be a whole number");
    return v.get<int>();
}

long long bounded(const json& v, const std::string& key, long long lo, long long hi) {
    if (!v.is_number_integer()) fail(key, "must be a whole number");
    long long n = v.is_number_unsigned() && v.get<unsigned long long>() > static_cast<unsigned long long>(hi)
                      ? hi + 1
                      : v.get<long long>();
    if (n < lo || n > hi) fail(key, "must be " + std::to_string(lo) + " to " + std::to_string(hi));
    return n;
}

int milliseconds(const json& v, const std::string& key) { return static_cast<int>(bounded(v, key, 0, 600000)); }

bool boolean(const json& v, const std::string& key) {
    if (!v.is_boolean()) fail(key, "must be true or false");
    return v.get<bool>();
}

const json& object(const json& v, const std::string& key) {
    if (!v.is_object()) fail(key, "must be an object");
    return v;
}

const json& array(const json& v, const std::string& key) {
    if (!v.is_array()) fail(key, "must be an array");
    return v;
}

Range range(const json& v, const std::string& key) {
    array(v, key);
    if (v.size() != 4) fail(key, "must be [x1, y1, x2, y2]");
    Range r{num(v[0], key), num(v[1], key), num(v[2], key), num(v[3], key)};
    if (r.x2 < r.x1 || r.y2 < r.y1) fail(key, "lower-left corner must not lie above or right of the upper-right one");
    return r;
}

Rect rect(const json& v, const std::string& key) {
    object(v, key);
    Rect r;
    r.given = true;
    if (auto* x = opt(v, "x")) r.x = integer(*x, key + ".x");
    if (auto* y = opt(v, "y")) r.y = integer(*y, key + ".y");
    r.width = 600;
    r.height = 400;
    if (auto* w = opt(v, "width")) r.width = integer(*w, key + ".width");
    if (auto* h = opt(v, "height")) r.height = integer(*h, key + ".height");
    if (r.width < 50 || r.height < 50) fail(key, "width and height must be at least 50");
    return r;
}

Tab tab(const json& v, const std::string& key, bool model) {
    object(v, key);
    Tab t;
    if (model) {
        t.name = L"Model";
    } else {
        auto* n = opt(v, "name");
        if (!n) fail(key + ".name", "is missing");
        t.name = trim(str(*n, key + ".name"));
        if (t.name.empty()) fail(key + ".name", "must not be empty");
        if (isModelName(t.name)) fail(key + ".name", "is the model tab's name");
        for (wchar_t c : t.name)
            if (c < 0x20) fail(key + ".name", "must not hold control characters");
        if (auto* p = opt(v, "plotSettingsName")) t.plotSettingsName = str(*p, key + ".plotSettingsName");
        if (auto* m = opt(v, "modelSpaceActive")) t.mspace = boolean(*m, key + ".modelSpaceActive");
    }
    t.limits = model ? Range{0, 0, 420, 297} : Range{0, 0, 420, 297};
    if (auto* l = opt(v, "limits")) t.limits = range(*l, key + ".limits");
    if (auto* e = opt(v, "extents")) t.extents = range(*e, key + ".extents");
    t.view = View{(t.limits.x1 + t.limits.x2) / 2, (t.limits.y1 + t.limits.y2) / 2, t.limits.height()};
    if (t.view.height <= 0) t.view.height = 1;
    if (auto* view = opt(v, "view")) {
        object(*view, key + ".view");
        if (auto* c = opt(*view, "center")) {
            array(*c, key + ".view.center");
            if (c->size() != 2) fail(key + ".view.center", "must be [x, y]");
            t.view.cx = num((*c)[0], key + ".view.center");
            t.view.cy = num((*c)[1], key + ".view.center");
        }
        if (auto* h = opt(*view, "height")) {
            t.view.height = num(*h, key + ".view.height");
            if (t.view.height <= 0) fail(key + ".view.height", "must be positive");
        }
    }
    if (auto* c = opt(v, "centerZoom")) t.centerZoom = boolean(*c, key + ".centerZoom");
    return t;
}

Drawing drawing(const json& v, const std::string& key, const Release& rel, int& untitled) {
    object(v, key);
    Drawing d;
    if (auto* p = opt(v, "path")) d.path = str(*p, key + ".path");
    if (!d.path.empty() && fileNamePart(d.path).empty()) fail(key + ".path", "has no file name");
    if (d.path.empty()) d.untitledName = L"Drawing" + formatInt(++untitled) + L".dwg";
    d.format = rel.nativeFormat();
    if (auto* f = opt(v, "format")) {
        d.format = str(*f, key + ".format");
        bool known = false;
        for (const auto& s : saveFormats(rel)) known = known || s == d.format;
        if (!known) fail(key + ".format", "is no file format of this release");
    }
    if (auto* b = opt(v, "readOnly")) d.readOnly = boolean(*b, key + ".readOnly");
    if (auto* b = opt(v, "createFile")) d.createFile = boolean(*b, key + ".createFile");
    if (auto* b = opt(v, "modified")) d.modified = boolean(*b, key + ".modified");
    if (auto* b = opt(v, "minimized")) d.minimized = boolean(*b, key + ".minimized");
    if (auto* b = opt(v, "maximized")) d.maximized = boolean(*b, key + ".maximized");
    if (auto* w = opt(v, "window")) d.window = rect(*w, key + ".window");
    if (auto* l = opt(v, "layers")) {
        array(*l, key + ".layers");
        d.layers.clear();
        for (const auto& n : *l) d.layers.push_back(str(n, key + ".layers"));
        if (d.layers.empty()) fail(key + ".layers", "must hold at least one layer");
    }
    d.clayer = d.layers.front();
    if (auto* c = opt(v, "clayer")) {
        d.clayer = str(*c, key + ".clayer");
        bool found = false;
        for (const auto& n : d.layers) found = found || equalsNoCase(n, d.clayer);
        if (!found) fail(key + ".clayer", "is not one of the layers");
    }
    static const json emptyObject = json::object();
    d.tabs.push_back(tab(opt(v, "model") ? v["model"] : emptyObject, key + ".model", true));
    if (auto* ls = opt(v, "layouts")) {
        array(*ls, key + ".layouts");
        for (size_t i = 0; i < ls->size(); ++i) {
            std::string k = key + ".layouts[" + std::to_string(i) + "]";
            Tab t = tab((*ls)[i], k, false);
            t.tabOrder = static_cast<int>(i) + 1;
            if (auto* o = opt((*ls)[i], "tabOrder")) t.tabOrder = integer(*o, k + ".tabOrder");
            if (t.tabOrder < 1) fail(k + ".tabOrder", "must be 1 or more");
            for (const auto& other : d.tabs) {
                if (equalsNoCase(other.name, t.name)) fail(k + ".name", "names a second tab " + toUtf8(t.name));
                if (other.tabOrder == t.tabOrder) fail(k + ".tabOrder", "is used twice");
            }
            d.tabs.push_back(std::move(t));
        }
    }
    if (auto* c = opt(v, "currentTab")) {
        d.currentTab = d.findTab(str(*c, key + ".currentTab"));
        if (d.currentTab < 0) fail(key + ".currentTab", "names no tab of the drawing");
    }
    return d;
}

std::wstring commandName(const json& v, const std::string& key) {
    std::wstring c = upperAscii(str(v, key));
    while (!c.empty() && (c[0] == L'_' || c[0] == L'-')) c.erase(0, 1);
    return c;
}

// "command", "run" and "drawing" of a plan; drawings: how many the scenario has.
CommandMatch commandMatch(const json& v, const std::string& key, bool named, size_t drawings) {
    CommandMatch m;
    auto* c = opt(v, "command");
    if (named && !c) fail(key + ".command", "is missing");
    if (c) m.command = commandName(*c, key + ".command");
    if (named && m.command.empty()) fail(key + ".command", "must name a command");
    if (auto* r = opt(v, "run")) m.run = static_cast<int>(bounded(*r, key + ".run", 1, 1000000));
    if (auto* d = opt(v, "drawing")) {
        m.drawing = static_cast<int>(bounded(*d, key + ".drawing", 0, 1000000));
        if (static_cast<size_t>(m.drawing) >= drawings) fail(key + ".drawing", "is no index into drawings");
    }
    return m;
}

DialogPlan dialog(const json& v, const std::string& key, size_t drawings) {
    object(v, key);
    DialogPlan s;
    if (auto* i = opt(v, "id")) s.id = str(*i, key + ".id");
    auto* t = opt(v, "trigger");
    if (!t) fail(key + ".trigger", "is missing");
    s.trigger = str(*t, key + ".trigger");
    if (s.trigger != L"start" && s.trigger != L"command") fail(key + ".trigger", "must be \"start\" or \"command\"");
    if (s.trigger == L"command") {
        s.match = commandMatch(v, key, true, drawings);
    } else {
        for (const char* only : {"command", "run", "drawing"})
            if (opt(v, only)) fail(key + "." + only, "belongs to trigger \"command\" only");
    }
    if (auto* n = opt(v, "times")) s.times = static_cast<int>(bounded(*n, key + ".times", 0, 1000000));
    auto* ti = opt(v, "title");
    if (!ti) fail(key + ".title", "is missing");
    s.title = str(*ti, key + ".title");
    if (auto* b = opt(v, "body")) {
        array(*b, key + ".body");
        for (const auto& line : *b) s.body.push_back(str(line, key + ".body"));
    }
    if (auto* bs = opt(v, "buttons")) {
        array(*bs, key + ".buttons");
        for (const auto& b : *bs) {
            object(b, key + ".buttons");
            DialogButton db;
            if (auto* tx = opt(b, "text")) db.text = str(*tx, key + ".buttons.text");
            if (auto* id = opt(b, "id")) db.id = integer(*id, key + ".buttons.id");
            s.buttons.push_back(db);
        }
    }
    if (s.buttons.empty()) s.buttons.push_back({L"OK", 1});
    if (auto* c = opt(v, "checkbox")) s.checkbox = str(*c, key + ".checkbox");
    if (s.body.size() + s.buttons.size() + (s.checkbox.empty() ? 0 : 1) > 10)
        fail(key, "may hold at most ten texts, buttons and check box together");
    return s;
}

void parse(const json& root, Scenario& sc) {
    object(root, "scenario");
    Release& r = sc.release;
    if (auto* rel = opt(root, "release")) {
        object(*rel, "release");
        if (auto* y = opt(*rel, "year")) r.year = integer(*y, "release.year");
        if (!isKnownYear(r.year)) fail("release.year", "is no known release (13, 14, 97, 98, 2000, 2002, 2004 ... 2023)");
        if (auto* lt = opt(*rel, "lt")) r.lt = boolean(*lt, "release.lt");
        if (r.year == 97 || r.year == 98) r.lt = true;
        if (auto* e = opt(*rel, "exe")) {
            r.exe = upperAscii(str(*e, "release.exe"));
            if (r.exe != L"ACAD.EXE" && r.exe != L"ACLT.EXE" && r.exe != L"ACADLT.EXE")
                fail("release.exe", "must be ACAD.EXE, ACLT.EXE or ACADLT.EXE");
        }
        r.unicode = r.sortYear() >= 2007;
        if (auto* u = opt(*rel, "unicode")) r.unicode = boolean(*u, "release.unicode");
        if (auto* t = opt(*rel, "title")) r.title = str(*t, "release.title");
        if (auto* v = opt(*rel, "version")) r.version = str(*v, "release.version");
        r.acadver = defaultAcadver(r.year);
        if (rel->contains("acadver")) {
            const json& a = (*rel)["acadver"];
            if (a.is_null()) r.acadver.reset();
            else r.acadver = str(a, "release.acadver");
        }
        if (auto* d = opt(*rel, "dxfoutNoOptions")) r.dxfoutNoOptions = boolean(*d, "release.dxfoutNoOptions");
    } else {
        r.acadver = defaultAcadver(r.year);
    }
    if (r.title.empty()) r.title = defaultTitle(r.year, r.lt);

    if (auto* l = opt(root, "latency")) {
        object(*l, "latency");
        Latency& t = sc.latency;
        if (auto* c = opt(*l, "commandMs")) t.commandMs = milliseconds(*c, "latency.commandMs");
        if (auto* j = opt(*l, "jitterMs")) t.jitterMs = milliseconds(*j, "latency.jitterMs");
        if (auto* a = opt(*l, "activationMs")) t.activationMs = milliseconds(*a, "latency.activationMs");
        if (auto* s = opt(*l, "seed")) t.seed = static_cast<unsigned>(bounded(*s, "latency.seed", 0, 4294967295LL));
    }
    if (auto* f = opt(root, "frame")) {
        sc.frame = rect(*f, "frame");
        if (auto* m = opt(*f, "maximized")) sc.frameMaximized = boolean(*m, "frame.maximized");
    }
    if (auto* t = opt(root, "textWindow")) {
        sc.textWindow = rect(*t, "textWindow");
        if (auto* v = opt(*t, "visible")) sc.textWindowVisible = boolean(*v, "textWindow.visible");
    }
    if (auto* d = opt(root, "documentsFolder")) sc.documentsFolder = str(*d, "documentsFolder");
    if (auto* s = opt(root, "startPage")) sc.startPage = boolean(*s, "startPage");
    if (auto* p = opt(root, "palettes")) {
        array(*p, "palettes");
        for (const auto& n : *p) sc.palettes.push_back(str(n, "palettes"));
    }
    sc.sysvars = {{L"FILEDIA", L"1"}, {L"CMDECHO", L"1"}, {L"SDI", L"0"}};
    if (auto* s = opt(root, "sysvars")) {
        object(*s, "sysvars");
        for (auto it = s->begin(); it != s->end(); ++it) {
            std::wstring name = upperAscii(fromUtf8(it.key()));
            if (name.empty()) fail("sysvars", "holds an empty name");
            sc.sysvars[name] = it->is_string() ? str(*it, "sysvars." + it.key())
                                               : fromUtf8(it->dump());
        }
    }
    for (const char* flag : {"FILEDIA", "CMDECHO"}) {
        std::wstring v = sc.sysvars[fromUtf8(flag)];
        if (v != L"0" && v != L"1") fail(std::string("sysvars.") + flag, "must be 0 or 1");
    }
    auto* ds = opt(root, "drawings");
    if (!ds) fail("drawings", "is missing");
    array(*ds, "drawings");
    int untitled = 0;
    for (size_t i = 0; i < ds->size(); ++i)
        sc.drawings.push_back(drawing((*ds)[i], "drawings[" + std::to_string(i) + "]", r, untitled));
    if (auto* a = opt(root, "active")) sc.active = integer(*a, "active");
    if (!sc.drawings.empty() && (sc.active < 0 || sc.active >= static_cast<int>(sc.drawings.size())))
        fail("active", "is no index into drawings");
    for (size_t i = 0; i < sc.drawings.size(); ++i) {
        // In MDI only the active child is shown maximised.
        std::string key = "drawings[" + std::to_string(i) + "].maximized";
        if (sc.drawings[i].maximized && static_cast<int>(i) != sc.active) fail(key, "is for the active drawing only");
        if (sc.drawings[i].maximized && sc.drawings[i].minimized) fail(key, "and minimized exclude each other");
    }
    size_t n = sc.drawings.size();
    if (auto* h = opt(root, "hang")) {
        object(*h, "hang");
        sc.hang.match = commandMatch(*h, "hang", true, n);
        if (auto* ms = opt(*h, "ms")) sc.hang.ms = milliseconds(*ms, "hang.ms");
        if (auto* t = opt(*h, "times")) sc.hang.times = static_cast<int>(bounded(*t, "hang.times", 0, 1000000));
        if (auto* a = opt(*h, "atAnswer")) sc.hang.atAnswer = static_cast<int>(bounded(*a, "hang.atAnswer", 1, 1000000));
    }
    if (auto* bs = opt(root, "busy")) {
        array(*bs, "busy");
        for (size_t i = 0; i < bs->size(); ++i) {
            std::string key = "busy[" + std::to_string(i) + "]";
            const json& b = object((*bs)[i], key);
            BusyPlan p;
            p.match = commandMatch(b, key, false, n);
            auto* ms = opt(b, "ms");
            if (!ms) fail(key + ".ms", "is missing");
            p.ms = milliseconds(*ms, key + ".ms");
            if (auto* t = opt(b, "times")) p.times = static_cast<int>(bounded(*t, key + ".times", 0, 1000000));
            sc.busy.push_back(p);
        }
    }
    if (auto* dl = opt(root, "dialogs")) {
        array(*dl, "dialogs");
        for (size_t i = 0; i < dl->size(); ++i)
            sc.dialogs.push_back(dialog((*dl)[i], "dialogs[" + std::to_string(i) + "]", n));
    }
    if (auto* h = opt(root, "historyWindowLimit")) {
        int n = integer(*h, "historyWindowLimit");
        if (n < 0) fail("historyWindowLimit", "must not be negative");
        sc.historyWindowLimit = static_cast<size_t>(n);
    }
}

}  // namespace

bool parseScenario(const std::string& utf8Json, Scenario& out, std::string& error) {
    try {
        json root = json::parse(utf8Json);
        Scenario sc;
        parse(root, sc);
        out = std::move(sc);
        return true;
    } catch (const Bad& e) {
        error = e.what();
    } catch (const json::exception& e) {
        error = std::string("not valid JSON: ") + e.what();
    } catch (const std::exception& e) {
        error = e.what();
    }
    return false;
}

}  // namespace acadsim
