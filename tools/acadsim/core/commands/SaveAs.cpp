// SAVEAS and DXFOUT on the command line (FILEDIA 0), and their file dialog (FILEDIA 1).
#include "../Command.h"
#include "../Files.h"
#include "../Release.h"
#include "../Text.h"

namespace acadsim {

namespace {

std::wstring defaultFolder(Ctx& ctx) {
    const Drawing& d = ctx.drawing();
    return d.path.empty() ? ctx.session().scenario().documentsFolder : folderPart(d.path);
}

std::wstring defaultPath(Ctx& ctx, const std::wstring& ext) {
    const Drawing& d = ctx.drawing();
    if (d.path.empty()) return ctx.session().scenario().documentsFolder + L"\\" + replaceExtension(d.title(), ext);
    return replaceExtension(d.path, ext);
}

std::wstring formatExt(const std::wstring& format) {
    if (format == L"DXF") return L".dxf";
    if (format == L"S") return L".dws";
    if (format == L"T") return L".dwt";
    return L".dwg";
}

bool yes(const std::wstring& a) { return a == L"Y" || a == L"YES"; }
bool no(const std::wstring& a) { return a.empty() || a == L"N" || a == L"NO"; }

// The DXF options shared by DXFOUT and SAVEAS in DXF format: precision, version, objects.
class DxfOptions {
public:
    enum class Result { Again, Done };

    void ask(Ctx& ctx) {
        if (stage_ == Stage::Version) {
            std::wstring list;
            auto formats = saveFormats(ctx.session().release());
            for (auto it = formats.rbegin(); it != formats.rend(); ++it)
                if (*it != L"R14") list += *it + L"/";
            ctx.ask(ctx.t(L"バージョンを入力 [") + list + L"R12] <" + version(ctx) + L">:");
        } else if (stage_ == Stage::Objects) {
            ctx.ask(ctx.t(L"オブジェクトを選択:"));
        } else {
            ctx.ask(ctx.t(L"精度として小数点以下の桁数を入力 (0 から 16) または [オブジェクト(O)/バージョン(V)/バイナリ(B)] <") +
                    formatInt(precision) + L">:");
        }
    }

    Result answer(Ctx& ctx, const std::wstring& text) {
        std::wstring a = upperAscii(trim(text));
        if (stage_ == Stage::Version) {
            bool known = a.empty() || a == L"R12";
            for (const auto& f : saveFormats(ctx.session().release())) known = known || (a == f && f != L"R14");
            if (!known) ctx.say(ctx.t(L"オプション キーワードが無効です。"));
            else if (!a.empty()) version_ = a;
            stage_ = known ? Stage::Precision : Stage::Version;
        } else if (stage_ == Stage::Objects) {
            if (a.empty()) {
                stage_ = Stage::Precision;
            } else {
                int n = a == L"P" || a == L"PREVIOUS" ? 0 : (ctx.drawing().tabs[0].extents ? 4 : 0);
                ctx.say(formatInt(n) + ctx.t(L" 個を見つけました"));
                objects += n;
            }
        } else if (a == L"V") {
            stage_ = Stage::Version;
        } else if (a == L"O") {
            stage_ = Stage::Objects;
        } else if (a == L"B") {
            binaryAsked = true;
        } else {
            double p = precision;
            if (!a.empty() && (!parseReal(a, p) || p < 0 || p > 16 || p != static_cast<int>(p))) {
                ctx.say(ctx.t(L"0 から 16 までの整数、またはオプション キーワードが必要です。"));
            } else {
                precision = static_cast<int>(p);
                return Result::Done;
            }
        }
        ask(ctx);
        return Result::Again;
    }

    std::wstring version(Ctx& ctx) const {
        return version_.empty() ? ctx.session().release().nativeFormat() == L"R14" ? L"R12"
                                                                                  : ctx.session().release().nativeFormat()
                                : version_;
    }

    int precision = 16;
    int objects = 0;
    bool binaryAsked = false;

private:
    enum class Stage { Precision, Version, Objects };
    Stage stage_ = Stage::Precision;
    std::wstring version_;
};

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

class DxfOut : public Command {
public:
    void start(Ctx& ctx) override {
        if (ctx.session().release().dxfoutNoOptions)
            ctx.ask(ctx.t(L"DXF 図面名を書き出し <") + defaultPath(ctx, L".dxf") + L">:", false);
        else
            ctx.ask(ctx.t(L"図面に名前を付けて保存 <") + defaultPath(ctx, L".dxf") + L">:", false);
    }

    void answer(Ctx& ctx, const std::wstring& text) override {
        std::wstring a = upperAscii(trim(text));
        switch (stage_) {
        case Stage::Name:
            path_ = a.empty() ? defaultPath(ctx, L".dxf") : completePath(text, defaultFolder(ctx), L".dxf");
            if (!validPath(path_) || !ctx.session().fs().folderExists(folderPart(path_))) {
                ctx.say(ctx.t(L"ファイル名が無効です。"));
                ctx.finish();
                return;
            }
            if (ctx.session().release().dxfoutNoOptions) {
                write(ctx);
                return;
            }
            stage_ = Stage::Options;
            options_.ask(ctx);
            return;
        case Stage::Options:
            if (options_.answer(ctx, text) == DxfOptions::Result::Again) return;
            if (ctx.session().fs().fileExists(path_)) {
                ctx.say(ctx.t(L"この名前の図面は既に存在します。"));
                stage_ = Stage::Replace;
                ctx.ask(ctx.t(L"置き換えますか? [はい(Y)/いいえ(N)] <N>:"));
                return;
            }
            write(ctx);
            return;
        case Stage::Replace:
            if (yes(a)) {
                write(ctx);
            } else if (no(a)) {
                ctx.finish();
            } else {
                ctx.say(ctx.t(L"Y または N を入力してください。"));
                ctx.ask(ctx.t(L"置き換えますか? [はい(Y)/いいえ(N)] <N>:"));
            }
            return;
        case Stage::Dialog:
            return;
        }
    }

    void dialogClosed(Ctx& ctx, int) override { ctx.finish(); }

private:
    enum class Stage { Name, Options, Replace, Dialog };

    void write(Ctx& ctx) {
        if (exportDxf(ctx, path_, options_.version(ctx), options_.precision) || !ctx.session().dialogOpen())
            ctx.finish();
        else
            stage_ = Stage::Dialog;
    }

    Stage stage_ = Stage::Name;
    std::wstring path_;
    DxfOptions options_;
};

// FILEDIA 1: the command opens its file dialog; "保存" saves under the proposed name.
class FileDialogCommand : public Command {
public:
    explicit FileDialogCommand(std::wstring command) : command_(std::move(command)) {}

    void start(Ctx& ctx) override {
        dxf_ = command_ == L"DXFOUT" || ctx.drawing().format == L"DXF";
        path_ = defaultPath(ctx, dxf_ ? L".dxf" : L".dwg");
        DialogSpec spec;
        spec.id = L"filedialog";
        spec.title = ctx.t(L"図面に名前を付けて保存");
        spec.body = {ctx.t(L"ファイル名:"), fileNamePart(path_), ctx.t(L"ファイルの種類:")};
        spec.buttons = {{ctx.t(L"保存(&S)"), 1}, {ctx.t(L"キャンセル"), 2}};
        ctx.raiseDialog(spec);
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
std::unique_ptr<Command> makeDxfOut() { return std::make_unique<DxfOut>(); }
std::unique_ptr<Command> makeFileDialog(const std::wstring& command) {
    return std::make_unique<FileDialogCommand>(command);
}

}  // namespace acadsim
