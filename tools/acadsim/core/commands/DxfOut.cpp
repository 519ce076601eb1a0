// DXFOUT on the command line: file name, options, replace question, an ASCII DXF written.
#include "../Files.h"
#include "DxfOptions.h"

namespace acadsim {

namespace {

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

}  // namespace

std::unique_ptr<Command> makeDxfOut() { return std::make_unique<DxfOut>(); }

}  // namespace acadsim
