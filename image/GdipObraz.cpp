#include "image/GdipObraz.h"

#include <algorithm>
#include <new>

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

namespace {

SourceAlpha AlphaOf(Gdiplus::PixelFormat format)
{
    switch (format) {
    case PixelFormat32bppPARGB: return SourceAlpha::Premultiplied;
    case PixelFormat32bppRGB: return SourceAlpha::Opaque;
    default: return SourceAlpha::Straight; // 32bppARGB, and what the library converts to it
    }
}

Gdiplus::PixelFormat FormatOf(Gdiplus::GpBitmap* bitmap)
{
    Gdiplus::PixelFormat format = 0;
    if (Gdip::GdipGetImagePixelFormat(bitmap, &format) != Gdiplus::Ok) RaiseLastError();
    return format;
}

bool Is32Bit(Gdiplus::PixelFormat format)
{
    return format == PixelFormat32bppARGB || format == PixelFormat32bppPARGB || format == PixelFormat32bppRGB;
}

// Bands come in the frame's own format when that is one of ours, converted to 32bppARGB otherwise.
Gdiplus::PixelFormat BandFormatOf(Gdiplus::GpBitmap* bitmap)
{
    const Gdiplus::PixelFormat format = FormatOf(bitmap);
    return Is32Bit(format) ? format : PixelFormat32bppARGB;
}

} // namespace

FrameBands::FrameBands(Gdiplus::GpBitmap* bitmap, UINT width, UINT height, std::vector<uint32_t>& buffer)
    : RowBands(static_cast<int>(width), static_cast<int>(height), AlphaOf(BandFormatOf(bitmap))), bitmap_(bitmap),
      buffer_(buffer), format_(BandFormatOf(bitmap))
{
    if (!Is32Bit(FormatOf(bitmap))) return;
    // In its own format the library hands out the frame where it lies, without a copy.
    const Gdiplus::GpRect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    lockedWhole_ = Gdip::GdipBitmapLockBits(bitmap, &all, Gdiplus::ImageLockModeRead, format_, &whole_) == Gdiplus::Ok;
}

FrameBands::~FrameBands()
{
    if (lockedWhole_ && Gdip::GdipBitmapUnlockBits(bitmap_, &whole_) != Gdiplus::Ok) RaiseLastError();
}

PixelSource FrameBands::Band(int first, int count)
{
    if (lockedWhole_) {
        return PixelSource{static_cast<const uint8_t*>(whole_.Scan0) + static_cast<ptrdiff_t>(whole_.Stride) * first,
                           whole_.Stride, width, height - first, alpha};
    }
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    const int rows = std::min(height - first, std::max(count, static_cast<int>(kBandBytes / rowBytes)));
    if (rows <= 0) return PixelSource{};
    try {
        buffer_.resize(static_cast<size_t>(rows) * static_cast<size_t>(width));
    } catch (const std::bad_alloc&) {
        return PixelSource{};
    }
    Gdiplus::BitmapData data{};
    data.Width = static_cast<UINT>(width);
    data.Height = static_cast<UINT>(rows);
    data.Stride = static_cast<INT>(rowBytes);
    data.PixelFormat = format_;
    data.Scan0 = buffer_.data();
    const Gdiplus::GpRect area(0, first, width, rows);
    // The library converts the band into our buffer; once unlocked, the buffer keeps it.
    if (Gdip::GdipBitmapLockBits(bitmap_, &area, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                                 format_, &data) != Gdiplus::Ok)
        return PixelSource{};
    if (Gdip::GdipBitmapUnlockBits(bitmap_, &data) != Gdiplus::Ok) RaiseLastError();
    return PixelSource{reinterpret_cast<const uint8_t*>(buffer_.data()), static_cast<ptrdiff_t>(rowBytes), width,
                       rows, alpha};
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

Gdiplus::Status GdiplusRelace::Spustit()
{
    if (token_) return Gdiplus::Ok;
    Gdiplus::GdiplusStartupInput vstup;
    return Gdiplus::GdiplusStartup(&token_, &vstup, nullptr);
}

void GdiplusRelace::Ukoncit()
{
    if (token_) Gdiplus::GdiplusShutdown(std::exchange(token_, 0));
}
