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
    HDC screen = GetDC(nullptr);
    if (!screen) return false;
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = mem ? CreateCompatibleBitmap(screen, w, h) : nullptr;
    bool ok = false;
    std::vector<unsigned char> pixels;
    BITMAPINFOHEADER bih{};
    bih.biSize = sizeof bih;
    bih.biWidth = w;
    bih.biHeight = h;  // bottom-up, as BMP files store it
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    bih.biCompression = BI_RGB;
    size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~static_cast<size_t>(3);
    if (bmp) {
        HGDIOBJ old = SelectObject(mem, bmp);
        ok = BitBlt(mem, 0, 0, w, h, screen, x, y, SRCCOPY | CAPTUREBLT) != 0;
        SelectObject(mem, old);
        pixels.resize(stride * static_cast<size_t>(h));
        ok = ok && GetDIBits(mem, bmp, 0, static_cast<UINT>(h), pixels.data(), reinterpret_cast<BITMAPINFO*>(&bih),
                             DIB_RGB_COLORS) == h;
    }
    if (bmp) DeleteObject(bmp);
    if (mem) DeleteDC(mem);
    ReleaseDC(nullptr, screen);
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
