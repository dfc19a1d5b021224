// Whole frames for the export and the clipboard: what the file says of each frame, the
// composed canvas of the active frame, and that canvas laid over a colour for formats that
// keep no transparency.
#include "image/GifAnimace.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "winlib/Chyby.h"

using namespace Tarnel::WinApi;

namespace {

UINT KodLikvidace(GifStruktura::Likvidace likvidace)
{
    switch (likvidace) {
    case GifStruktura::Likvidace::Vymazat: return 2;
    case GifStruktura::Likvidace::Obnovit: return 3;
    default: return 1;
    }
}

// A straight-alpha pixel over an opaque colour, as the window shows it.
uint32_t PresBarvu(uint32_t pixel, uint32_t r, uint32_t g, uint32_t b)
{
    const uint32_t a = pixel >> 24;
    if (a == 255) return pixel;
    const auto smichat = [a](uint32_t horni, uint32_t dolni) { return (horni * a + dolni * (255 - a) + 127) / 255; };
    return 0xFF000000u | smichat((pixel >> 16) & 0xFF, r) << 16 | smichat((pixel >> 8) & 0xFF, g) << 8 |
           smichat(pixel & 0xFF, b);
}

bool Zvetsit(std::vector<uint32_t>& pixely, size_t pocet)
{
    try {
        pixely.resize(pocet);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

} // namespace

GifAnimace::PopisSnimku GifAnimace::FrameDescription(UINT index) const
{
    RequireImage();
    if (!gif_ || index >= gif_->FrameCount()) return {0, 0, Width(), Height(), FrameDelayMs(index), 1};
    const GifStruktura::Snimek& s = gif_->Info(index);
    return {s.x, s.y, s.sirka, s.vyska, UINT{s.zpozdeni} * 10, KodLikvidace(s.likvidace)};
}

HRESULT GifAnimace::ActiveFramePixels(std::vector<uint32_t>& pixely) const
{
    RequireImage();
    const UINT w = Width();
    const UINT h = Height();
    if (!Zvetsit(pixely, size_t{w} * h)) return E_OUTOFMEMORY;
    if (gif_) {
        const uint32_t* platno = gif_->Snimek(active_);
        if (!platno) return E_INVALIDARG;
        std::memcpy(pixely.data(), platno, pixely.size() * sizeof(uint32_t));
        return S_OK;
    }
    // The library converts into our buffer: no copy of its own of a large frame.
    Gdiplus::BitmapData data{};
    data.Width = w;
    data.Height = h;
    data.Stride = static_cast<INT>(w * 4);
    data.PixelFormat = PixelFormat32bppARGB;
    data.Scan0 = pixely.data();
    const Gdiplus::GpRect cely{0, 0, static_cast<INT>(w), static_cast<INT>(h)};
    if (Gdip::GdipBitmapLockBits(image_.Get(), &cely, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                                 PixelFormat32bppARGB, &data) != Gdiplus::Ok)
        return E_OUTOFMEMORY;
    if (Gdip::GdipBitmapUnlockBits(image_.Get(), &data) != Gdiplus::Ok) RaiseLastError();
    return S_OK;
}

Gdiplus::GpBitmap* GifAnimace::FlatFrameBitmap(OwnedBitmap& over, COLORREF podklad) const
{
    if (FAILED(ActiveFramePixels(flat_))) return nullptr;
    const uint32_t r = GetRValue(podklad);
    const uint32_t g = GetGValue(podklad);
    const uint32_t b = GetBValue(podklad);
    std::transform(flat_.begin(), flat_.end(), flat_.begin(), [=](uint32_t p) { return PresBarvu(p, r, g, b); });
    const INT w = static_cast<INT>(Width());
    if (Gdip::GdipCreateBitmapFromScan0(w, static_cast<INT>(Height()), w * 4, PixelFormat32bppRGB,
                                        reinterpret_cast<BYTE*>(flat_.data()), over.Receive()) != Gdiplus::Ok)
        return nullptr;
    return over.Get();
}
