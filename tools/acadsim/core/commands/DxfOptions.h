// The DXF options DXFOUT and SAVEAS in DXF format share: precision, version, objects.
#pragma once

#include "../Command.h"
#include "../Release.h"
#include "../Text.h"

namespace acadsim {

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

inline bool yes(const std::wstring& a) { return a == L"Y" || a == L"YES"; }
inline bool no(const std::wstring& a) { return a.empty() || a == L"N" || a == L"NO"; }

// Where a file-name prompt proposes to save: beside the drawing, or in the documents folder.
std::wstring defaultFolder(Ctx& ctx);
std::wstring defaultPath(Ctx& ctx, const std::wstring& ext);

}  // namespace acadsim
