#pragma once
// The off-screen picture of fitted drawing: a 32-bit top-down DIB section in a memory DC
// whose pixels the program writes directly. It is kept while the same size is asked for, so
// a frame change allocates nothing; it holds no frame, only the last picture drawn.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "image/ZmenseniSnimku.h"
#include "winlib/Nekopirovatelny.h"

// Owns its DC and bitmap; not copyable.
class ZadniBuffer : private Tarnel::WinApi::Nekopirovatelny {
public:
    ZadniBuffer() = default;
    ~ZadniBuffer() { Uvolnit(); }

    // Makes the buffer cx x cy (both positive); a buffer of that size is reused as it is.
    void Pripravit(int cx, int cy);
    void Uvolnit();

    HDC Dc() const { return dc_; }
    int Sirka() const { return sirka_; }
    int Vyska() const { return vyska_; }
    // The pixels of a rectangle inside the buffer. GDI's pending drawing is flushed first,
    // so that what the program writes lands after it.
    PixelTarget Oblast(int x, int y, int cx, int cy) const;

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ puvodni_ = nullptr;
    uint8_t* pixely_ = nullptr;
    int sirka_ = 0;
    int vyska_ = 0;
};
