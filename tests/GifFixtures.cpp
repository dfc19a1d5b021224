#include "tests/GifFixtures.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdlib>

namespace GifFixtures {

bool DecodedPixel(const std::wstring& path, UINT frame, int x, int y, COLORREF& colour)
{
    namespace Gdip = Gdiplus::DllExports;
    static const GUID kTime = {0x6aedbd6d, 0x3fb5, 0x418a, {0x83, 0xa6, 0x7f, 0x45, 0x22, 0x9d, 0xc8, 0x72}};
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (Gdip::GdipCreateBitmapFromFile(path.c_str(), &bitmap) != Gdiplus::Ok) return false;
    bool ok = frame == 0 || Gdip::GdipImageSelectActiveFrame(bitmap, &kTime, frame) == Gdiplus::Ok;
    Gdiplus::ARGB argb = 0;
    ok = ok && Gdip::GdipBitmapGetPixel(bitmap, x, y, &argb) == Gdiplus::Ok;
    Gdip::GdipDisposeImage(bitmap);
    colour = RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
    return ok;
}

bool UnderWine()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

int ColourDistance(COLORREF a, COLORREF b)
{
    const int dr = std::abs(GetRValue(a) - GetRValue(b));
    const int dg = std::abs(GetGValue(a) - GetGValue(b));
    const int db = std::abs(GetBValue(a) - GetBValue(b));
    return std::max({dr, dg, db});
}

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<DWORD*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
    Fill(fill);
}

Canvas::~Canvas()
{
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

COLORREF Canvas::Pixel(int x, int y) const
{
    GdiFlush();
    return Raw(x, y);
}

COLORREF Canvas::Raw(int x, int y) const
{
    const DWORD p = bits_[static_cast<size_t>(y) * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void Canvas::Fill(COLORREF colour)
{
    GdiFlush();
    const DWORD p = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    std::fill(bits_, bits_ + static_cast<size_t>(width_) * height_, p);
}

RECT Canvas::BoundsOfOther(COLORREF background, const RECT& area) const
{
    RECT bounds = {area.right, area.bottom, area.left, area.top};
    bool any = false;
    GdiFlush();
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (Raw(x, y) == background) continue;
            any = true;
            bounds.left = std::min<LONG>(bounds.left, x);
            bounds.top = std::min<LONG>(bounds.top, y);
            bounds.right = std::max<LONG>(bounds.right, x + 1);
            bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
        }
    }
    return any ? bounds : RECT{0, 0, 0, 0};
}

int Canvas::Count(COLORREF colour, const RECT& area) const
{
    int n = 0;
    GdiFlush();
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) n += Raw(x, y) == colour;
    return n;
}

} // namespace GifFixtures
