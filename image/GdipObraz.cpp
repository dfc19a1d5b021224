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

LockedPixels::LockedPixels(Gdiplus::GpBitmap* bitmap, UINT width, UINT height, std::vector<uint32_t>& buffer)
    : bitmap_(bitmap)
{
    Gdiplus::PixelFormat format = 0;
    if (Gdip::GdipGetImagePixelFormat(bitmap, &format) != Gdiplus::Ok) RaiseLastError();
    const Gdiplus::GpRect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    UINT mode = Gdiplus::ImageLockModeRead;
    switch (format) {
    case PixelFormat32bppARGB: alpha_ = SourceAlpha::Straight; break;
    case PixelFormat32bppPARGB: alpha_ = SourceAlpha::Premultiplied; break;
    case PixelFormat32bppRGB: alpha_ = SourceAlpha::Opaque; break;
    default:
        // Palette and 24-bit frames: the library converts them into our buffer.
        format = PixelFormat32bppARGB;
        alpha_ = SourceAlpha::Straight;
        mode |= Gdiplus::ImageLockModeUserInputBuf;
        buffer.resize(static_cast<size_t>(width) * height);
        data_.Stride = static_cast<INT>(width * 4);
        data_.Scan0 = buffer.data();
        break;
    }
    if (Gdip::GdipBitmapLockBits(bitmap, &all, mode, format, &data_) != Gdiplus::Ok) RaiseLastError();
}

LockedPixels::~LockedPixels()
{
    if (Gdip::GdipBitmapUnlockBits(bitmap_, &data_) != Gdiplus::Ok) RaiseLastError();
}

PixelSource LockedPixels::Source() const
{
    return PixelSource{static_cast<const uint8_t*>(data_.Scan0), data_.Stride, static_cast<int>(data_.Width),
                       static_cast<int>(data_.Height), alpha_};
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
