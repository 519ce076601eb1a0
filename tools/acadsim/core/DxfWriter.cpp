// ASCII DXF as AutoCAD writes it: HEADER, TABLES, BLOCKS, ENTITIES and, from R2000 on, OBJECTS
// with the layout dictionary and one LAYOUT object per tab.
#include <algorithm>
#include <cstdio>

#include "Files.h"
#include "Text.h"

namespace acadsim {

namespace {

class Dxf {
public:
    explicit Dxf(int precision) : precision_(std::clamp(precision, 0, 16)) {}

    void pair(int code, const std::wstring& value) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%3d", code);
        text_ += fromUtf8(buf) + L"\r\n" + value + L"\r\n";
    }
    void real(int code, double v) {
        char buf[512];
        std::snprintf(buf, sizeof buf, "%.*f", precision_ == 0 ? 1 : precision_, v);
        pair(code, fromUtf8(buf));
    }
    void integer(int code, long long v) { pair(code, formatInt(v)); }
    std::wstring handle() {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%X", next_++);
        return fromUtf8(buf);
    }
    void point(int code, double x, double y) {
        real(code, x);
        real(code + 10, y);
    }
    void point3(int code, double x, double y, double z) {
        point(code, x, y);
        real(code + 20, z);
    }
    unsigned seed() const { return next_; }
    std::wstring& text() { return text_; }

private:
    int precision_;
    unsigned next_ = 0x20;
    std::wstring text_;
};

std::wstring acadver(const std::wstring& version) {
    if (version == L"R12") return L"AC1009";
    if (version == L"2000") return L"AC1015";
    if (version == L"2004") return L"AC1018";
    if (version == L"2007") return L"AC1021";
    if (version == L"2010") return L"AC1024";
    if (version == L"2013") return L"AC1027";
    return L"AC1032";
}

struct LayoutOut {
    const Tab* tab;
    std::wstring handle, block, blockName;
};

void header(Dxf& out, const Drawing& d, const std::wstring& ver, unsigned seed) {
    const Tab& model = d.tabs[0];
    Range ext = model.extents ? *model.extents : Range{1e20, 1e20, -1e20, -1e20};
    out.pair(0, L"SECTION");
    out.pair(2, L"HEADER");
    out.pair(9, L"$ACADVER");
    out.pair(1, ver);
    out.pair(9, L"$DWGCODEPAGE");
    out.pair(3, L"ANSI_932");
    out.pair(9, L"$INSBASE");
    out.point3(10, 0, 0, 0);
    out.pair(9, L"$EXTMIN");
    out.point3(10, ext.x1, ext.y1, model.extents ? 0 : 1e20);
    out.pair(9, L"$EXTMAX");
    out.point3(10, ext.x2, ext.y2, model.extents ? 0 : -1e20);
    out.pair(9, L"$LIMMIN");
    out.point(10, model.limits.x1, model.limits.y1);
    out.pair(9, L"$LIMMAX");
    out.point(10, model.limits.x2, model.limits.y2);
    out.pair(9, L"$CLAYER");
    out.pair(8, d.clayer);
    out.pair(9, L"$TILEMODE");
    out.integer(70, d.currentTab == 0 ? 1 : 0);
    if (ver != L"AC1009") {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%X", seed);
        out.pair(9, L"$HANDSEED");
        out.pair(5, fromUtf8(buf));
    }
    out.pair(0, L"ENDSEC");
}

void lines(Dxf& out, const Drawing& d, const std::wstring& owner, bool r12) {
    const Tab& model = d.tabs[0];
    if (!model.extents) return;
    const Range& e = *model.extents;
    double pts[5][2] = {{e.x1, e.y1}, {e.x2, e.y1}, {e.x2, e.y2}, {e.x1, e.y2}, {e.x1, e.y1}};
    for (int i = 0; i < 4; ++i) {
        out.pair(0, L"LINE");
        if (!r12) {
            out.pair(5, out.handle());
            out.pair(330, owner);
            out.pair(100, L"AcDbEntity");
        }
        out.pair(8, d.clayer);
        if (!r12) out.pair(100, L"AcDbLine");
        out.point3(10, pts[i][0], pts[i][1], 0);
        out.point3(11, pts[i + 1][0], pts[i + 1][1], 0);
    }
}

void r12(Dxf& out, const Drawing& d) {
    out.pair(0, L"SECTION");
    out.pair(2, L"TABLES");
    out.pair(0, L"TABLE");
    out.pair(2, L"LAYER");
    out.integer(70, static_cast<long long>(d.layers.size()));
    for (const auto& l : d.layers) {
        out.pair(0, L"LAYER");
        out.pair(2, l);
        out.integer(70, 0);
        out.integer(62, 7);
        out.pair(6, L"CONTINUOUS");
    }
    out.pair(0, L"ENDTAB");
    out.pair(0, L"ENDSEC");
    out.pair(0, L"SECTION");
    out.pair(2, L"ENTITIES");
    lines(out, d, L"", true);
    out.pair(0, L"ENDSEC");
}

void tableHead(Dxf& out, const std::wstring& name, const std::wstring& h, size_t count) {
    out.pair(0, L"TABLE");
    out.pair(2, name);
    out.pair(5, h);
    out.pair(330, L"0");
    out.pair(100, L"AcDbSymbolTable");
    out.integer(70, static_cast<long long>(count));
}

void record(Dxf& out, const std::wstring& type, const std::wstring& table, const std::wstring& sub,
            const std::wstring& name, int handleCode = 5) {
    out.pair(0, type);
    out.pair(handleCode, out.handle());
    out.pair(330, table);
    out.pair(100, L"AcDbSymbolTableRecord");
    out.pair(100, sub);
    out.pair(2, name);
    out.integer(70, 0);
}

void modern(Dxf& out, const Drawing& d, std::vector<LayoutOut>& layouts) {
    std::wstring root = out.handle(), groups = out.handle(), layoutDict = out.handle();
    // Tab order decides the block names: the current (or first) layout owns *Paper_Space.
    std::vector<size_t> order;
    for (size_t i = 1; i < d.tabs.size(); ++i) order.push_back(i);
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return d.tabs[a].tabOrder < d.tabs[b].tabOrder; });
    size_t active = d.currentTab > 0 ? static_cast<size_t>(d.currentTab) : (order.empty() ? 0 : order.front());
    layouts.push_back({&d.tabs[0], out.handle(), out.handle(), L"*Model_Space"});
    int n = 0;
    for (size_t i : order) {
        std::wstring block = i == active ? std::wstring(L"*Paper_Space") : L"*Paper_Space" + formatInt(n++);
        layouts.push_back({&d.tabs[i], out.handle(), out.handle(), block});
    }

    out.pair(0, L"SECTION");
    out.pair(2, L"CLASSES");
    out.pair(0, L"ENDSEC");
    out.pair(0, L"SECTION");
    out.pair(2, L"TABLES");
    std::wstring t = out.handle();
    tableHead(out, L"VPORT", t, 1);
    record(out, L"VPORT", t, L"AcDbViewportTableRecord", L"*Active");
    const Tab& model = d.tabs[0];
    out.point(10, 0, 0);
    out.point(11, 1, 1);
    out.point(12, model.view.cx, model.view.cy);
    out.point(13, 0, 0);
    out.point(14, 10, 10);
    out.point(15, 10, 10);
    out.point3(16, 0, 0, 1);
    out.point3(17, 0, 0, 0);
    out.real(40, model.view.height);
    out.real(41, d.aspect);
    out.real(42, 50);
    out.pair(0, L"ENDTAB");
    t = out.handle();
    tableHead(out, L"LTYPE", t, 3);
    for (const wchar_t* lt : {L"ByBlock", L"ByLayer", L"Continuous"}) {
        record(out, L"LTYPE", t, L"AcDbLinetypeTableRecord", lt);
        out.pair(3, std::wstring(lt) == L"Continuous" ? L"Solid line" : L"");
        out.integer(72, 65);
        out.integer(73, 0);
        out.real(40, 0);
    }
    out.pair(0, L"ENDTAB");
    t = out.handle();
    tableHead(out, L"LAYER", t, d.layers.size());
    for (const auto& l : d.layers) {
        record(out, L"LAYER", t, L"AcDbLayerTableRecord", l);
        out.integer(62, 7);
        out.pair(6, L"Continuous");
    }
    out.pair(0, L"ENDTAB");
    t = out.handle();
    tableHead(out, L"STYLE", t, 1);
    record(out, L"STYLE", t, L"AcDbTextStyleTableRecord", L"Standard");
    out.real(40, 0);
    out.real(41, 1);
    out.real(50, 0);
    out.integer(71, 0);
    out.real(42, 2.5);
    out.pair(3, L"txt");
    out.pair(4, L"");
    out.pair(0, L"ENDTAB");
    for (const wchar_t* empty : {L"VIEW", L"UCS"}) {
        tableHead(out, empty, out.handle(), 0);
        out.pair(0, L"ENDTAB");
    }
    t = out.handle();
    tableHead(out, L"APPID", t, 1);
    record(out, L"APPID", t, L"AcDbRegAppTableRecord", L"ACAD");
    out.pair(0, L"ENDTAB");
    t = out.handle();
    tableHead(out, L"DIMSTYLE", t, 1);
    out.pair(100, L"AcDbDimStyleTable");
    record(out, L"DIMSTYLE", t, L"AcDbDimStyleTableRecord", L"Standard", 105);
    out.pair(0, L"ENDTAB");
    t = out.handle();
    tableHead(out, L"BLOCK_RECORD", t, layouts.size());
    for (const auto& l : layouts) {
        out.pair(0, L"BLOCK_RECORD");
        out.pair(5, l.block);
        out.pair(330, t);
        out.pair(100, L"AcDbSymbolTableRecord");
        out.pair(100, L"AcDbBlockTableRecord");
        out.pair(2, l.blockName);
        out.pair(340, l.handle);
        out.integer(70, 0);
        out.integer(280, 1);
        out.integer(281, 0);
    }
    out.pair(0, L"ENDTAB");
    out.pair(0, L"ENDSEC");

    out.pair(0, L"SECTION");
    out.pair(2, L"BLOCKS");
    for (const auto& l : layouts) {
        bool paper = l.tab->tabOrder != 0;
        out.pair(0, L"BLOCK");
        out.pair(5, out.handle());
        out.pair(330, l.block);
        out.pair(100, L"AcDbEntity");
        if (paper) out.integer(67, 1);
        out.pair(8, L"0");
        out.pair(100, L"AcDbBlockBegin");
        out.pair(2, l.blockName);
        out.integer(70, 0);
        out.point3(10, 0, 0, 0);
        out.pair(3, l.blockName);
        out.pair(1, L"");
        out.pair(0, L"ENDBLK");
        out.pair(5, out.handle());
        out.pair(330, l.block);
        out.pair(100, L"AcDbEntity");
        if (paper) out.integer(67, 1);
        out.pair(8, L"0");
        out.pair(100, L"AcDbBlockEnd");
    }
    out.pair(0, L"ENDSEC");

    out.pair(0, L"SECTION");
    out.pair(2, L"ENTITIES");
    lines(out, d, layouts[0].block, false);
    out.pair(0, L"ENDSEC");

    out.pair(0, L"SECTION");
    out.pair(2, L"OBJECTS");
    out.pair(0, L"DICTIONARY");
    out.pair(5, root);
    out.pair(330, L"0");
    out.pair(100, L"AcDbDictionary");
    out.integer(281, 1);
    out.pair(3, L"ACAD_GROUP");
    out.pair(350, groups);
    out.pair(3, L"ACAD_LAYOUT");
    out.pair(350, layoutDict);
    out.pair(0, L"DICTIONARY");
    out.pair(5, groups);
    out.pair(330, root);
    out.pair(100, L"AcDbDictionary");
    out.integer(281, 1);
    out.pair(0, L"DICTIONARY");
    out.pair(5, layoutDict);
    out.pair(330, root);
    out.pair(100, L"AcDbDictionary");
    out.integer(281, 1);
    for (const auto& l : layouts) {
        out.pair(3, l.tab->name);
        out.pair(350, l.handle);
    }
    for (const auto& l : layouts) {
        const Tab& tab = *l.tab;
        Range ext = tab.extents ? *tab.extents : Range{1e20, 1e20, -1e20, -1e20};
        out.pair(0, L"LAYOUT");
        out.pair(5, l.handle);
        out.pair(330, layoutDict);
        out.pair(100, L"AcDbPlotSettings");
        out.pair(1, tab.plotSettingsName);
        out.pair(2, L"none_device");
        out.pair(4, L"");
        out.pair(6, L"");
        for (int c = 40; c <= 49; ++c) out.real(c, 0);
        out.real(140, 0);
        out.real(141, 0);
        out.real(142, 1);
        out.real(143, 1);
        out.integer(70, 688);
        out.integer(72, 1);
        out.integer(73, 0);
        out.integer(74, 5);
        out.pair(7, L"");
        out.integer(75, 16);
        out.real(147, 1);
        out.integer(76, 0);
        out.integer(77, 2);
        out.integer(78, 300);
        out.real(148, 0);
        out.real(149, 0);
        out.pair(100, L"AcDbLayout");
        out.pair(1, tab.name);
        out.integer(70, 1);
        out.integer(71, tab.tabOrder);
        out.point(10, tab.limits.x1, tab.limits.y1);
        out.point(11, tab.limits.x2, tab.limits.y2);
        out.point3(12, 0, 0, 0);
        out.point3(14, ext.x1, ext.y1, tab.extents ? 0 : 1e20);
        out.point3(15, ext.x2, ext.y2, tab.extents ? 0 : -1e20);
        out.real(146, 0);
        out.point3(13, 0, 0, 0);
        out.point3(16, 1, 0, 0);
        out.point3(17, 0, 1, 0);
        out.integer(76, 0);
        out.pair(330, l.block);
    }
    out.pair(0, L"ENDSEC");
}

}  // namespace

bool dxfBytes(Session& s, const Drawing& d, const std::wstring& version, int precision, std::string& out) {
    std::wstring ver = acadver(version);
    Dxf body(precision);
    std::vector<LayoutOut> layouts;
    if (ver == L"AC1009") r12(body, d);
    else modern(body, d, layouts);
    body.pair(0, L"EOF");
    Dxf head(precision);
    header(head, d, ver, body.seed());
    std::wstring all = head.text() + body.text();
    bool utf8 = ver >= L"AC1021";
    if (utf8) {
        out = toUtf8(all);
        return true;
    }
    return s.fs().toAnsi(all, out);
}

}  // namespace acadsim
