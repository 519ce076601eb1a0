#include "State.h"

#include <nlohmann/json.hpp>

#include "Text.h"

namespace acadsim {

namespace {

using nlohmann::json;

json range(const Range& r) { return json::array({r.x1, r.y1, r.x2, r.y2}); }

json tabJson(const Tab& t) {
    json j;
    j["name"] = toUtf8(t.name);
    j["tabOrder"] = t.tabOrder;
    j["plotSettingsName"] = toUtf8(t.plotSettingsName);
    j["center"] = json::array({t.view.cx, t.view.cy});
    j["height"] = t.view.height;
    j["limits"] = range(t.limits);
    j["extents"] = t.extents ? range(*t.extents) : json();
    j["centerZoom"] = t.centerZoom;
    j["mspace"] = t.mspace;
    j["previousViews"] = t.previous.size();
    return j;
}

}  // namespace

std::string stateJson(const Session& s, const ProcessInfo& p, unsigned long long sequence) {
    json j;
    j["sequence"] = sequence;
    j["pid"] = p.pid;
    j["exe"] = toUtf8(p.exe);
    j["year"] = s.release().year;
    j["lt"] = s.release().lt;
    j["unicode"] = s.release().unicode;
    j["title"] = toUtf8(s.release().title);
    j["current"] = s.current();
    json vars = json::object();
    for (const auto& [k, v] : s.scenario().sysvars) vars[toUtf8(k)] = toUtf8(v);
    j["sysvars"] = vars;
    json drawings = json::array();
    for (size_t i = 0; i < s.drawings().size(); ++i) {
        const Drawing& d = s.drawings()[i];
        json dj;
        dj["title"] = toUtf8(d.title());
        dj["path"] = toUtf8(d.path);
        dj["format"] = toUtf8(d.format);
        dj["readOnly"] = d.readOnly;
        dj["open"] = d.open;
        dj["clayer"] = toUtf8(d.clayer);
        dj["aspect"] = d.aspect;
        dj["currentTab"] = toUtf8(d.tabs[static_cast<size_t>(d.currentTab)].name);
        dj["mspace"] = d.tab().mspace;
        dj["commandLine"] = toUtf8(s.commandLineText(static_cast<int>(i)));
        json tabs = json::array();
        for (const auto& t : d.tabs) tabs.push_back(tabJson(t));
        dj["tabs"] = tabs;
        drawings.push_back(dj);
    }
    j["drawings"] = drawings;
    json files = json::array();
    for (const auto& f : s.files())
        files.push_back({{"path", toUtf8(f.path)}, {"kind", toUtf8(f.kind)}, {"drawing", f.drawing}});
    j["files"] = files;
    json dialogs = json::array();
    for (const auto& d : s.dialogs())
        dialogs.push_back({{"id", toUtf8(d.id)}, {"title", toUtf8(d.title)}, {"closedBy", toUtf8(d.closedBy)},
                           {"checkbox", d.checkbox}});
    j["dialogs"] = dialogs;
    json commands = json::array();
    for (const auto& c : s.commands()) {
        json answers = json::array();
        for (const auto& a : c.answers) answers.push_back(toUtf8(a));
        commands.push_back({{"drawing", c.drawing}, {"name", toUtf8(c.name)}, {"typed", toUtf8(c.typed)},
                            {"answers", answers}, {"end", toUtf8(c.end)}});
    }
    j["commands"] = commands;
    j["received"] = p.received;
    j["pending"] = p.pending;
    j["busy"] = p.busy;
    j["activating"] = p.activating;
    // Text typed through the channel may hold lone surrogates: replaced, never thrown.
    return j.dump(2, ' ', false, json::error_handler_t::replace);
}

}  // namespace acadsim
