#include "image/ZadniBuffer.h"

#include "winlib/Chyby.h"

using namespace Tarnel::WinApi;

void ZadniBuffer::Pripravit(int cx, int cy)
{
    if (dc_ && cx == sirka_ && cy == vyska_) return;
    Uvolnit();

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = -cy; // top-down: row 0 first, as the frame's rows come
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    if (!dc_) RaiseLastError();
    void* bity = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bity, nullptr, 0);
    if (!bitmap_) RaiseLastError();
    puvodni_ = SelectObject(dc_, bitmap_);
    if (!puvodni_ || puvodni_ == HGDI_ERROR) RaiseLastError();
    pixely_ = static_cast<uint8_t*>(bity);
    sirka_ = cx;
    vyska_ = cy;
}

void ZadniBuffer::Uvolnit()
{
    if (puvodni_) {
        const HGDIOBJ zpet = SelectObject(dc_, puvodni_);
        if (!zpet || zpet == HGDI_ERROR) RaiseLastError();
        puvodni_ = nullptr;
    }
    if (dc_) CheckWin32(DeleteDC(dc_));
    if (bitmap_) CheckWin32(DeleteObject(bitmap_));
    dc_ = nullptr;
    bitmap_ = nullptr;
    pixely_ = nullptr;
    sirka_ = vyska_ = 0;
}

PixelTarget ZadniBuffer::Oblast(int x, int y, int cx, int cy) const
{
    GdiFlush();
    const ptrdiff_t krok = 4 * static_cast<ptrdiff_t>(sirka_);
    return PixelTarget{pixely_ + krok * y + 4 * x, krok, cx, cy};
}
