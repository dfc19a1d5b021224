#include "image/GdipObraz.h"

#include "winlib/Chyby.h"

using namespace Tarnel::WinApi;

void OwnedBitmap::Reset()
{
    Gdiplus::GpBitmap* old = std::exchange(bitmap_, nullptr);
    if (old && Gdip::GdipDisposeImage(old) != Gdiplus::Ok) RaiseLastError();
}

OwnedGraphics::OwnedGraphics(HDC dc)
{
    if (Gdip::GdipCreateFromHDC(dc, &graphics_) != Gdiplus::Ok) RaiseLastError();
}

OwnedGraphics::~OwnedGraphics()
{
    if (Gdip::GdipDeleteGraphics(graphics_) != Gdiplus::Ok) RaiseLastError();
}

bool OpenBitmapFile(const std::wstring& path, OwnedBitmap& bitmap)
{
    Gdiplus::GpBitmap* decoded = nullptr;
    if (Gdip::GdipCreateBitmapFromFile(path.c_str(), &decoded) != Gdiplus::Ok) {
        // The library may hand back a half-built object together with the failure.
        if (decoded) Gdip::GdipDisposeImage(decoded);
        bitmap.Reset();
        return false;
    }
    *bitmap.Receive() = decoded;
    return true;
}

UINT BitmapWidth(Gdiplus::GpBitmap* bitmap)
{
    UINT width = 0;
    if (Gdip::GdipGetImageWidth(bitmap, &width) != Gdiplus::Ok) RaiseLastError();
    return width;
}

UINT BitmapHeight(Gdiplus::GpBitmap* bitmap)
{
    UINT height = 0;
    if (Gdip::GdipGetImageHeight(bitmap, &height) != Gdiplus::Ok) RaiseLastError();
    return height;
}
