#pragma once
// Owning holders for GDI+ flat-API objects used by the image model and the export.
// Disposal is checked like every other clean-up call: a failure there is not expected.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "image/ZmenseniSnimku.h"
#include "winlib/Nekopirovatelny.h"

namespace Gdip = Gdiplus::DllExports;

// GDI+ for the process: started once, on the main thread before any other thread exists, and
// shut down by its holder at the latest.
class GdiplusRelace : private Tarnel::WinApi::Nekopirovatelny {
public:
    GdiplusRelace() = default;
    ~GdiplusRelace() { Ukoncit(); }

    // Version 1, no debug callback, the background thread and the codecs on.
    Gdiplus::Status Spustit();
    void Ukoncit();
    bool Bezi() const { return token_ != 0; }

private:
    ULONG_PTR token_ = 0;
};

// Owns one decoded or cloned GDI+ bitmap (and with it the file it was read from).
class OwnedBitmap : private Tarnel::WinApi::Nekopirovatelny {
public:
    OwnedBitmap() = default;
    ~OwnedBitmap() { Reset(); }
    OwnedBitmap(OwnedBitmap&& other) noexcept : bitmap_(other.Detach()) {}
    OwnedBitmap& operator=(OwnedBitmap&& other) noexcept
    {
        if (this != &other) {
            Reset();
            bitmap_ = other.Detach();
        }
        return *this;
    }

    Gdiplus::GpBitmap* Get() const { return bitmap_; }
    explicit operator bool() const { return bitmap_ != nullptr; }
    Gdiplus::GpBitmap** Receive()
    {
        Reset();
        return &bitmap_;
    }
    Gdiplus::GpBitmap* Detach() { return std::exchange(bitmap_, nullptr); }
    void Reset();

private:
    Gdiplus::GpBitmap* bitmap_ = nullptr;
};

// A GDI+ drawing surface on a device context.
class OwnedGraphics : private Tarnel::WinApi::Nekopirovatelny {
public:
    explicit OwnedGraphics(HDC dc);
    ~OwnedGraphics();

    Gdiplus::GpGraphics* Get() const { return graphics_; }

private:
    Gdiplus::GpGraphics* graphics_ = nullptr;
};

// The active frame's pixels, a band of rows at a time. A frame the library keeps in a 32-bit
// format is read where it lies, as one band; any other is converted a band at a time into the
// caller's buffer, which the caller keeps for the next frame so that a frame change allocates
// nothing. A frame of any size is drawn this way with a few megabytes of our own: a copy of
// the whole of a huge frame may be more than the process can have.
class FrameBands : public RowBands, private Tarnel::WinApi::Nekopirovatelny {
public:
    FrameBands(Gdiplus::GpBitmap* bitmap, UINT width, UINT height, std::vector<uint32_t>& buffer);
    ~FrameBands() override;

    PixelSource Band(int first, int count) override;

    // Bytes of a converted band: rows enough for the reduction's window, and no more.
    static constexpr size_t kBandBytes = size_t{16} << 20;

private:
    Gdiplus::GpBitmap* bitmap_;
    std::vector<uint32_t>& buffer_;
    Gdiplus::PixelFormat format_;
    Gdiplus::BitmapData whole_{};
    bool lockedWhole_ = false;
};

// Decodes a file; an undecodable or missing file is an expected outcome (false, bitmap empty).
bool OpenBitmapFile(const std::wstring& path, OwnedBitmap& bitmap);

// Pixel size of a bitmap; a failed query is not expected for a bitmap that exists.
UINT BitmapWidth(Gdiplus::GpBitmap* bitmap);
UINT BitmapHeight(Gdiplus::GpBitmap* bitmap);
