#include "Files.h"

#include "Release.h"
#include "Text.h"

namespace acadsim {

bool validPath(const std::wstring& path) {
    bool drive = path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/') &&
                 ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
    bool share = path.size() > 2 && path[0] == L'\\' && path[1] == L'\\';
    if (!drive && !share) return false;
    std::wstring name = fileNamePart(path);
    if (trim(name).empty() || name == L"." || name == L"..") return false;
    for (size_t i = 0; i < path.size(); ++i) {
        wchar_t c = path[i];
        if (c < 0x20 || c == L'<' || c == L'>' || c == L'"' || c == L'|' || c == L'?' || c == L'*') return false;
        if (c == L':' && i != 1) return false;
    }
    return true;
}

std::wstring completePath(const std::wstring& typed, const std::wstring& folder, const std::wstring& ext) {
    std::wstring p = trim(typed);
    if (p.size() >= 2 && p.front() == L'"' && p.back() == L'"') p = p.substr(1, p.size() - 2);
    bool absolute = (p.size() >= 2 && p[1] == L':') || (!p.empty() && (p[0] == L'\\' || p[0] == L'/'));
    if (!absolute && !p.empty()) p = folder + L"\\" + p;
    if (!p.empty() && extensionPart(p).empty()) p += ext;
    return p;
}

std::string drawingBytes(const Session& s, const Drawing& d, const std::wstring& format) {
    std::wstring text = dwgMagic(format) + L"\r\nAutoCAD stand-in drawing\r\n";
    text += L"file: " + d.title() + L"\r\nsaved by: " + s.release().title + L"\r\n";
    for (const auto& tab : d.tabs) {
        text += L"tab " + formatInt(tab.tabOrder) + L": " + tab.name + L"  view " + formatReal(tab.view.cx) + L"," +
                formatReal(tab.view.cy) + L" h " + formatReal(tab.view.height) + L"\r\n";
    }
    return toUtf8(text);
}

DialogPlan writeProtectDialog(const Session& s, const std::wstring& path) {
    DialogPlan plan;
    plan.id = L"writeprotect";
    plan.title = s.t(L"AutoCAD メッセージ");
    plan.body = {path, s.t(L"このファイルは書き込み禁止です。図面を保存できませんでした。")};
    plan.buttons = {{L"OK", 1}};
    return plan;
}

bool saveDrawing(Ctx& ctx, const std::wstring& path, const std::wstring& format) {
    Session& s = ctx.session();
    Drawing& d = ctx.drawing();
    if (s.fs().isReadOnly(path)) {
        ctx.raiseDialog(writeProtectDialog(s, path));
        return false;
    }
    std::string bytes;
    bool dxf = format == L"DXF";
    if (dxf) {
        if (!dxfBytes(s, d, s.release().nativeFormat(), 16, bytes)) {
            ctx.say(s.t(L"図面の文字をファイルのコード ページで表せません。"));
            return false;
        }
    } else {
        bytes = drawingBytes(s, d, format);
    }
    if (!s.fs().writeFile(path, bytes)) {
        ctx.say(s.t(L"ファイル名が無効です。"));
        return false;
    }
    d.path = path;
    d.format = format;
    d.modified = false;
    s.recordFile(path, dxf ? L"dxf" : L"dwg", ctx.index());
    return true;
}

bool exportDxf(Ctx& ctx, const std::wstring& path, const std::wstring& version, int precision) {
    Session& s = ctx.session();
    if (s.fs().isReadOnly(path)) {
        ctx.raiseDialog(writeProtectDialog(s, path));
        return false;
    }
    std::string bytes;
    if (!dxfBytes(s, ctx.drawing(), version, precision, bytes)) {
        ctx.say(s.t(L"図面の文字をファイルのコード ページで表せません。"));
        return false;
    }
    if (!s.fs().writeFile(path, bytes)) {
        ctx.say(s.t(L"ファイル名が無効です。"));
        return false;
    }
    s.recordFile(path, L"dxf", ctx.index());
    return true;
}

}  // namespace acadsim
