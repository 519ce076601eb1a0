// TAcadVer4: the raw reads of AutoCAD's prompt line and history from its text window.
#include <algorithm>
#include <cstdio>

#include "acad/AcadVer4.h"
#include "acad/PromptText.h"
#include "common/CommonVer4.h"

void TAcadVer4::TextWindowAdjust() {
    if (!FMaster) return;
    TAcadMasterVer4& m = *FMaster;
    HWND main = m.MainHandle();
    HWND text = m.TextHandle();
    if (!main || !text || !IsWindow(main) || !IsWindow(text)) return;
    RECT mainRect{}, textRect{};
    GetWindowRect(main, &mainRect);
    GetWindowRect(text, &textRect);
    const long below = std::max<long>(GetSystemMetrics(SM_CYSCREEN) + 1, mainRect.bottom + 10);
    if (textRect.top < below) {
        wchar_t line[96];
        std::swprintf(line, 96, L"テキストウインドウを移動させます。 %d,%d", static_cast<int>(textRect.left),
                      static_cast<int>(below));
        FLog.Add(line, 3, 1);
        // Asynchronous: a hung AutoCAD must not hold us in its window-position messages.
        SetWindowPos(text, nullptr, textRect.left, below, 400, 400,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
        RedrawWindow(text, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    if (m.Version2011Flag && !IsWindowVisible(text)) {
        FLog.Add(L"テキストウインドウを表示させます。", 3, 1);
        ShowWindowAsync(text, SW_SHOW);
    }
}

std::wstring TAcadVer4::PromptPrefixCut(const std::wstring& Text) {
    return sb::acad::PromptPrefixCut(Text, [](const std::wstring& s) { return ToHalfWidth(s); });
}

namespace {

// A false read of a control that is still a window did not answer in time.
bool Hung(HWND Control) { return Control && IsWindow(Control); }

}  // namespace

void TAcadVer4::NoAnswerMemo() {
    wchar_t line[96];
    std::swprintf(line, 96, L"AutoCADが%u秒間応答しませんでした", FAnswerDeadlineMs / 1000);
    FLog.Memo(line);
}

bool TAcadVer4::AnswerPending(TAnswerWait& W) {
    if (StopCheck()) {
        W.Stopped = true;
        return false;
    }
    if (GetTickCount64() - W.Start >= FAnswerDeadlineMs) {
        NoAnswerMemo();
        return false;
    }
    if (!W.HungLogged && FMaster && IsHungAppWindow(FMaster->MainHandle())) {
        W.HungLogged = true;
        FLog.Add(L"AutoCADが応答していません。応答を待っています", 2, 1);
    }
    Wait(20);
    return true;
}

TAcadVer4::TReadResult TAcadVer4::ReadPrompt(std::wstring& Value, bool HalfWidthMode, bool NoTrim, bool* Echo) {
    Value.clear();
    if (Echo) *Echo = false;
    if (!MasterLinkCheck()) return TReadResult::Failed;
    TextWindowAdjust();
    HWND control = FMaster->CommandHandle;
    std::wstring raw;
    if (!TryGetControlText(control, raw, FReadAttemptMs)) return Hung(control) ? TReadResult::Hung : TReadResult::Failed;
    if (Echo) *Echo = sb::acad::IsTypingEcho(raw, FAwaitedPieces);
    std::wstring v = PromptPrefixCut(raw);
    if (HalfWidthMode) v = ToHalfWidth(v);
    if (!NoTrim) v = SpaceShrink(v);
    FMaster->LastPrompt = v;
    Value = v;
    return TReadResult::Ok;
}

TAcadVer4::TReadResult TAcadVer4::ReadHistory(std::wstring& Value, bool HalfWidthMode) {
    Value.clear();
    if (!MasterLinkCheck()) return TReadResult::Failed;
    TextWindowAdjust();
    HWND control = FMaster->HistoryHandle;
    std::wstring raw;
    if (!TryGetControlText(control, raw, FReadAttemptMs)) return Hung(control) ? TReadResult::Hung : TReadResult::Failed;
    if (HalfWidthMode) raw = ToHalfWidth(raw);
    FMaster->LastHistroy = raw;
    Value = raw;
    return TReadResult::Ok;
}

bool TAcadVer4::ReadUntilAnswered(const std::function<TReadResult()>& Read, const wchar_t* Error) {
    if (!MasterLinkCheck()) return false;
    TAnswerWait wait;
    for (;;) {
        const TReadResult r = Read();
        if (r == TReadResult::Ok) return true;
        if (r == TReadResult::Failed || !AnswerPending(wait)) break;
    }
    if (!wait.Stopped) FLog.Error(Error);
    return false;
}

bool TAcadVer4::SubGetPrompt(std::wstring& Value, bool HalfWidthMode, bool NoTrim, int /*LogMode*/) {
    Value.clear();
    return ReadUntilAnswered([&] { return ReadPrompt(Value, HalfWidthMode, NoTrim); },
                             L"プロンプト取得中に異常が発生しました");
}

bool TAcadVer4::SubGetHistory(std::wstring& Value, bool HalfWidthMode, int /*LogMode*/) {
    Value.clear();
    return ReadUntilAnswered([&] { return ReadHistory(Value, HalfWidthMode); }, L"履歴取得中に異常が発生しました");
}
