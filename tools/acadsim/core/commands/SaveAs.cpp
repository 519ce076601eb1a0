// SAVEAS on the command line (FILEDIA 0), and the file dialog of SAVEAS and DXFOUT (FILEDIA 1).
#include "../Files.h"
#include "DxfOptions.h"

namespace acadsim {

std::wstring defaultFolder(Ctx& ctx) {
    const Drawing& d = ctx.drawing();
    return d.path.empty() ? ctx.session().scenario().documentsFolder : folderPart(d.path);
}

std::wstring defaultPath(Ctx& ctx, const std::wstring& ext) {
    const Drawing& d = ctx.drawing();
    if (d.path.empty()) return ctx.session().scenario().documentsFolder + L"\\" + replaceExtension(d.title(), ext);
    return replaceExtension(d.path, ext);
}

namespace {

std::wstring formatExt(const std::wstring& format) {
    if (format == L"DXF") return L".dxf";
    if (format == L"S") return L".dws";
    if (format == L"T") return L".dwt";
    return L".dwg";
}

class SaveAs : public Command {
public:
    void start(Ctx& ctx) override {
        format_ = ctx.drawing().format;
        ctx.say(ctx.t(L"現在のファイル形式: AutoCAD ") + formatLabel(format_) + ctx.t(L" 図面"));
        askFormat(ctx);
    }

    void answer(Ctx& ctx, const std::wstring& text) override {
        std::wstring a = upperAscii(trim(text));
        switch (stage_) {
        case Stage::Format: {
            std::wstring f = a.empty() ? format_ : pickFormat(ctx, a);
            if (f.empty()) {
                ctx.say(ctx.t(L"オプション キーワードが無効です。"));
                askFormat(ctx);
                return;
            }
            format_ = f;
            if (format_ == L"DXF") {
                stage_ = Stage::Dxf;
                dxf_.ask(ctx);
            } else {
                askName(ctx);
            }
            return;
        }
        case Stage::Dxf:
            if (dxf_.answer(ctx, text) == DxfOptions::Result::Done) askName(ctx);
            return;
        case Stage::Name: {
            path_ = a.empty() ? defaultPath(ctx, formatExt(format_)) : completePath(text, defaultFolder(ctx), formatExt(format_));
            if (!validPath(path_) || !ctx.session().fs().folderExists(folderPart(path_))) {
                ctx.say(ctx.t(L"ファイル名が無効です。"));
                ctx.finish();
                return;
            }
            if (ctx.session().fs().fileExists(path_)) {
                ctx.say(ctx.t(L"この名前の図面は既に存在します。"));
                stage_ = Stage::Replace;
                askReplace(ctx);
                return;
            }
            write(ctx);
            return;
        }
        case Stage::Replace:
            if (yes(a)) write(ctx);
            else if (no(a)) askName(ctx);
            else {
                ctx.say(ctx.t(L"Y または N を入力してください。"));
                askReplace(ctx);
            }
            return;
        case Stage::Dialog:
            return;
        }
    }

    void dialogClosed(Ctx& ctx, int) override {
        ctx.say(ctx.t(L"図面は保存されませんでした。"));
        ctx.finish();
    }

private:
    enum class Stage { Format, Dxf, Name, Replace, Dialog };

    static std::wstring formatLabel(const std::wstring& f) { return f == L"DXF" ? L"DXF" : f; }

    void askFormat(Ctx& ctx) {
        std::wstring options;
        for (const auto& f : saveFormats(ctx.session().release()))
            options += f == L"R14" ? L"R14(LT98&LT97)/" : f + L"(LT" + f + L")/";
        ctx.ask(ctx.t(L"ファイル形式を入力 [") + options + L"Standards(S)/DXF(DXF)/Template(T)] <" + format_ + L">:");
        stage_ = Stage::Format;
    }

    std::wstring pickFormat(Ctx& ctx, const std::wstring& a) {
        if (a == L"DXF") return L"DXF";
        if (a == L"S" || a == L"STANDARDS") return L"S";
        if (a == L"T" || a == L"TEMPLATE") return L"T";
        for (const auto& f : saveFormats(ctx.session().release())) {
            if (a == f || a == L"LT" + f) return f;
            if (f == L"R14" && (a == L"LT98" || a == L"LT97")) return f;
        }
        return L"";
    }

    void askName(Ctx& ctx) {
        stage_ = Stage::Name;
        ctx.ask(ctx.t(L"図面に名前を付けて保存 <") + defaultPath(ctx, formatExt(format_)) + L">:", false);
    }

    void askReplace(Ctx& ctx) { ctx.ask(ctx.t(L"置き換えますか? [はい(Y)/いいえ(N)] <N>:")); }

    void write(Ctx& ctx) {
        std::wstring stored = format_ == L"S" || format_ == L"T" ? ctx.drawing().format : format_;
        if (saveDrawing(ctx, path_, stored)) {
            ctx.finish();
        } else if (!ctx.session().dialogOpen()) {
            ctx.finish();
        } else {
            stage_ = Stage::Dialog;
        }
    }

    Stage stage_ = Stage::Format;
    std::wstring format_;
    std::wstring path_;
    DxfOptions dxf_;
};

// FILEDIA 1: the command opens its file dialog; "保存" saves under the proposed name.
class FileDialogCommand : public Command {
public:
    explicit FileDialogCommand(std::wstring command) : command_(std::move(command)) {}

    void start(Ctx& ctx) override {
        dxf_ = command_ == L"DXFOUT" || ctx.drawing().format == L"DXF";
        path_ = defaultPath(ctx, dxf_ ? L".dxf" : L".dwg");
        DialogPlan plan;
        plan.id = L"filedialog";
        plan.title = ctx.t(L"図面に名前を付けて保存");
        plan.body = {ctx.t(L"ファイル名:"), fileNamePart(path_), ctx.t(L"ファイルの種類:")};
        plan.buttons = {{ctx.t(L"保存(&S)"), 1}, {ctx.t(L"キャンセル"), 2}};
        ctx.raiseDialog(plan);
    }

    void answer(Ctx& ctx, const std::wstring&) override { ctx.finish(); }

    void dialogClosed(Ctx& ctx, int id) override {
        if (!isOk(id)) {
            ctx.cancel();
            return;
        }
        if (written_) {
            ctx.finish();
            return;
        }
        written_ = true;
        bool ok = command_ == L"DXFOUT" ? exportDxf(ctx, path_, ctx.session().release().nativeFormat(), 16)
                                        : saveDrawing(ctx, path_, ctx.drawing().format);
        if (ok || !ctx.session().dialogOpen()) ctx.finish();
    }

private:
    std::wstring command_;
    std::wstring path_;
    bool dxf_ = false;
    bool written_ = false;
};

}  // namespace

std::unique_ptr<Command> makeSaveAs() { return std::make_unique<SaveAs>(); }
std::unique_ptr<Command> makeFileDialog(const std::wstring& command) {
    return std::make_unique<FileDialogCommand>(command);
}

}  // namespace acadsim
