#pragma once
// Test fixtures made on the spot: the GIF files of GifWriter.h, their pixels decoded back, and a
// 32-bit canvas (a DIB section in a memory DC) to draw into and read the pixels back.
#include <windows.h>

#include <string>

#include "tests/GifWriter.h"

namespace GifFixtures {

// Colour of pixel (x, y) of frame `frame` of an image file, decoded by GDI+; false when the
// file does not decode.
bool DecodedPixel(const std::wstring& path, UINT frame, int x, int y, COLORREF& colour);

// True when the tests run on Wine rather than on Windows.
bool UnderWine();

// Largest per-channel difference of two colours.
int ColourDistance(COLORREF a, COLORREF b);

// A width x height, 32 bits per pixel, top-down DIB selected into its own memory DC.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF Pixel(int x, int y) const;
    void Fill(COLORREF colour);
    // Smallest rectangle (right and bottom exclusive) holding every pixel of `area` that is
    // not `background`; empty (all zero) when there is none.
    RECT BoundsOfOther(COLORREF background, const RECT& area) const;
    // Number of pixels of `area` whose colour is exactly `colour`.
    int Count(COLORREF colour, const RECT& area) const;

private:
    COLORREF Raw(int x, int y) const;

    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    DWORD* bits_ = nullptr;
};

// A solid brush, deleted with the object.
class SolidBrush {
public:
    explicit SolidBrush(COLORREF colour) : brush_(CreateSolidBrush(colour)) {}
    ~SolidBrush() { DeleteObject(brush_); }
    SolidBrush(const SolidBrush&) = delete;
    SolidBrush& operator=(const SolidBrush&) = delete;
    HBRUSH Get() const { return brush_; }

private:
    HBRUSH brush_;
};

} // namespace GifFixtures
