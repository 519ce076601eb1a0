#include "e2e/driver/Screenshot.h"

#include <windows.h>

#include <memory>
#include <vector>

#include "e2e/driver/TempDir.h"

namespace e2e {

bool screenshot(const std::wstring& bmpPath) {
    int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    int w = GetSystemMetrics(SM_CXVIRTUALSCREEN), h = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (w <= 0 || h <= 0) return false;
    struct ScreenDc {
        HDC dc = GetDC(nullptr);
        ~ScreenDc() {
            if (dc) ReleaseDC(nullptr, dc);
        }
    } screen;
    if (!screen.dc) return false;
    struct MemoryDc {
        HDC dc;
        ~MemoryDc() {
            if (dc) DeleteDC(dc);
        }
    } mem{CreateCompatibleDC(screen.dc)};
    struct Bitmap {
        HBITMAP bmp;
        ~Bitmap() {
            if (bmp) DeleteObject(bmp);
        }
    } bitmap{mem.dc ? CreateCompatibleBitmap(screen.dc, w, h) : nullptr};
    if (!bitmap.bmp) return false;
    BITMAPINFOHEADER bih{};
    bih.biSize = sizeof bih;
    bih.biWidth = w;
    bih.biHeight = h;  // bottom-up, as BMP files store it
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    bih.biCompression = BI_RGB;
    size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~static_cast<size_t>(3);
    std::vector<unsigned char> pixels(stride * static_cast<size_t>(h));
    HGDIOBJ old = SelectObject(mem.dc, bitmap.bmp);
    bool ok = BitBlt(mem.dc, 0, 0, w, h, screen.dc, x, y, SRCCOPY | CAPTUREBLT) != 0;
    SelectObject(mem.dc, old);
    ok = ok && GetDIBits(mem.dc, bitmap.bmp, 0, static_cast<UINT>(h), pixels.data(),
                         reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS) == h;
    if (!ok) return false;
    BITMAPFILEHEADER bfh{};
    bfh.bfType = 0x4D42;
    bfh.bfOffBits = sizeof bfh + sizeof bih;
    bfh.bfSize = static_cast<DWORD>(bfh.bfOffBits + pixels.size());
    std::string bytes(reinterpret_cast<const char*>(&bfh), sizeof bfh);
    bytes.append(reinterpret_cast<const char*>(&bih), sizeof bih);
    bytes.append(reinterpret_cast<const char*>(pixels.data()), pixels.size());
    return writeTextFile(bmpPath, bytes);
}

}  // namespace e2e
