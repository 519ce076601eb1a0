// A font with Japanese glyphs: the Windows UI font where it exists, else the Noto CJK family
// that Debian's fonts-noto-cjk gives Wine.
#include "App.h"

namespace acadsim {

namespace {

int CALLBACK found(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM l) {
    *reinterpret_cast<bool*>(l) = true;
    return 0;
}

bool fontExists(HDC dc, const wchar_t* face) {
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    bool exists = false;
    EnumFontFamiliesExW(dc, &lf, found, reinterpret_cast<LPARAM>(&exists), 0);
    return exists;
}

}  // namespace

UniqueFont createUiFont(int height) {
    const wchar_t* faces[] = {L"MS UI Gothic", L"Noto Sans CJK JP", L"Noto Sans Mono CJK JP", L"MS Gothic"};
    const wchar_t* face = L"MS UI Gothic";
    HDC dc = GetDC(nullptr);
    for (const wchar_t* f : faces)
        if (dc && fontExists(dc, f)) {
            face = f;
            break;
        }
    if (dc) ReleaseDC(nullptr, dc);
    return UniqueFont(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face));
}

}  // namespace acadsim
