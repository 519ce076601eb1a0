#include "log/LogPrint.h"

#include <commdlg.h>

#include "log/LogWin32.h"

namespace sb::log::win {

namespace {

class PrintDialogResult {
public:
    PrintDialogResult() {
        pd_.lStructSize = sizeof(pd_);
        pd_.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
        pd_.nCopies = 1;
    }
    ~PrintDialogResult() {
        if (pd_.hDC) DeleteDC(pd_.hDC);
        if (pd_.hDevMode) GlobalFree(pd_.hDevMode);
        if (pd_.hDevNames) GlobalFree(pd_.hDevNames);
    }
    PrintDialogResult(const PrintDialogResult&) = delete;
    PrintDialogResult& operator=(const PrintDialogResult&) = delete;
    PRINTDLGW& get() { return pd_; }

private:
    PRINTDLGW pd_{};
};

class Document {
public:
    explicit Document(HDC dc) : dc_(dc) {
        DOCINFOW doc{};
        doc.cbSize = sizeof(doc);
        doc.lpszDocName = L"ログ";
        started_ = StartDocW(dc_, &doc) > 0;
    }
    ~Document() {
        if (started_ && !ended_) AbortDoc(dc_);
    }
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;
    bool Started() const { return started_; }
    bool End() {
        ended_ = true;
        return EndDoc(dc_) > 0;
    }

private:
    HDC dc_;
    bool started_ = false;
    bool ended_ = false;
};

}  // namespace

bool PrintLines(HWND owner, const std::vector<std::wstring>& lines, std::wstring& reason) {
    PrintDialogResult dialog;
    dialog.get().hwndOwner = owner;
    if (!PrintDlgW(&dialog.get())) {
        const DWORD code = CommDlgExtendedError();
        if (code != 0) reason = L"印刷の設定を開けませんでした（エラーコード " + std::to_wstring(code) + L"）";
        return false;
    }
    const HDC dc = dialog.get().hDC;
    if (!dc) {
        reason = L"プリンタを使えません。";
        return false;
    }
    GdiObject<HFONT> font(CreateFontW(-MulDiv(10, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE,
                                      FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                      DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"ＭＳ ゴシック"));
    SelectGuard select(dc, font.get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int step = metrics.tmHeight + 4;
    Document document(dc);
    if (!document.Started() || StartPage(dc) <= 0) {
        reason = L"印刷を開始出来ませんでした。";
        return false;
    }
    // One page: lines below its end are not printed.
    int y = 20;
    for (const std::wstring& line : lines) {
        TextOutW(dc, 20, y, line.c_str(), static_cast<int>(line.size()));
        y += step;
    }
    if (EndPage(dc) <= 0 || !document.End()) {
        reason = L"印刷を完了出来ませんでした。";
        return false;
    }
    return true;
}

}  // namespace sb::log::win
