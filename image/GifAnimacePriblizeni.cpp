// Drawing the active frame at a fixed scale: only the part of the zoomed picture that is in
// view, into the back buffer, which reaches the window in one copy. Nothing is kept per frame:
// at a closer look the frame is read straight from the canvas, so a frame change costs what
// the window's size costs, not what the zoom or the image's size would.
#include "image/GifAnimace.h"

#include <algorithm>

#include "winlib/Chyby.h"

using namespace Tarnel::WinApi;

namespace {

uint32_t PixelBarvy(COLORREF barva)
{
    return (uint32_t{GetRValue(barva)} << 16) | (uint32_t{GetGValue(barva)} << 8) | GetBValue(barva);
}

uint32_t* Radek(const PixelTarget& cil, int y) { return reinterpret_cast<uint32_t*>(cil.first + cil.stride * y); }

// One source pixel over the background pixel under it.
uint32_t Polozit(uint32_t zdroj, uint32_t pod, SourceAlpha alfa)
{
    const uint32_t a = zdroj >> 24;
    if (alfa == SourceAlpha::Opaque || a == 255) return zdroj & 0xFFFFFF;
    if (a == 0) return pod;
    uint32_t vysledek = 0;
    for (int posun = 0; posun <= 16; posun += 8) {
        const uint32_t s = (zdroj >> posun) & 0xFF;
        const uint32_t b = (pod >> posun) & 0xFF;
        const uint32_t c = alfa == SourceAlpha::Premultiplied ? s + (b * (255 - a) + 127) / 255
                                                              : (s * a + b * (255 - a) + 127) / 255;
        vysledek |= std::min<uint32_t>(c, 255) << posun;
    }
    return vysledek;
}

// The rows of the frame that the zoomed part needs, from the decoder's canvas or a band of
// the library's frame.
struct RadkySnimku {
    PixelSource zdroj;
    int prvni; // the source row that zdroj.first is
    const uint32_t* Radek(int y) const
    {
        return reinterpret_cast<const uint32_t*>(zdroj.first + zdroj.stride * (y - prvni));
    }
};

} // namespace

void GifAnimace::DrawZoomed(HDC dc, const RECT& oblast, double meritko, POINT posun, COLORREF okolo,
                            PozadiPruhlednosti pozadi) const
{
    RequireImage();
    const int cx = oblast.right - oblast.left;
    const int cy = oblast.bottom - oblast.top;
    if (cx <= 0 || cy <= 0) return;
    const UINT w = Width();
    const UINT h = Height();
    if (w == 0 || h == 0) RaiseFatal(E_HANDLE);
    const int sirka = ZvetsenaDelka(static_cast<int>(w), meritko);
    const int vyska = ZvetsenaDelka(static_cast<int>(h), meritko);
    const POINT pocatek{PocatekObrazu({sirka, cx, static_cast<int>(posun.x)}),
                        PocatekObrazu({vyska, cy, static_cast<int>(posun.y)})};
    const RECT viditelne{std::max(0L, pocatek.x), std::max(0L, pocatek.y), std::min<LONG>(cx, pocatek.x + sirka),
                         std::min<LONG>(cy, pocatek.y + vyska)};

    backBuffer_.Pripravit(cx, cy);
    const PixelTarget cela = backBuffer_.Oblast(0, 0, cx, cy);
    const uint32_t barvaOkna = PixelBarvy(okolo);
    for (int y = 0; y < cy; ++y) {
        uint32_t* radek = Radek(cela, y);
        if (y < viditelne.top || y >= viditelne.bottom) {
            std::fill(radek, radek + cx, barvaOkna);
            continue;
        }
        std::fill(radek, radek + viditelne.left, barvaOkna);
        std::fill(radek + viditelne.right, radek + cx, barvaOkna);
        VyplnitRadekPozadi(pozadi, barvaOkna, viditelne.left - pocatek.x, y - pocatek.y,
                           viditelne.right - viditelne.left, radek + viditelne.left);
    }
    if (viditelne.left < viditelne.right && viditelne.top < viditelne.bottom) {
        if (sirka >= static_cast<int>(w) && vyska >= static_cast<int>(h))
            DrawBlocks(viditelne, pocatek, sirka, vyska);
        else
            DrawReducedPart(viditelne, pocatek, sirka, vyska, pozadi, barvaOkna);
    }
    CheckWin32(BitBlt(dc, oblast.left, oblast.top, cx, cy, backBuffer_.Dc(), 0, 0, SRCCOPY));
}

void GifAnimace::DrawBlocks(const RECT& viditelne, POINT pocatek, int sirkaObrazu, int vyskaObrazu) const
{
    const int w = static_cast<int>(Width());
    const int h = static_cast<int>(Height());
    const int sloupcu = viditelne.right - viditelne.left;
    const int radku = viditelne.bottom - viditelne.top;
    ZdrojovePixely(w, sirkaObrazu, viditelne.left - pocatek.x, sloupcu, sloupce_);
    ZdrojovePixely(h, vyskaObrazu, viditelne.top - pocatek.y, radku, radky_);

    // Only the source rows in view are read: from the library, a band of just those.
    RadkySnimku snimek{};
    std::unique_ptr<FrameBands> pasy;
    if (gif_) {
        snimek = {PixelSource{reinterpret_cast<const uint8_t*>(gif_->Snimek(active_)), static_cast<ptrdiff_t>(w) * 4,
                              w, h, SourceAlpha::Straight},
                  0};
    } else {
        pasy = std::make_unique<FrameBands>(image_.Get(), Width(), Height(), converted_);
        const int prvni = radky_.front();
        snimek = {pasy->Band(prvni, radky_.back() - prvni + 1), prvni};
        if (!snimek.zdroj.first) return; // rows that cannot be had leave the background
    }
    const PixelTarget cil = backBuffer_.Oblast(viditelne.left, viditelne.top, sloupcu, radku);
    const int prvniRadek = viditelne.top - pocatek.y;
    for (int y = 0; y < radku; ++y) {
        const size_t i = static_cast<size_t>(y);
        uint32_t* radek = Radek(cil, y);
        // A row of the same source row over the same background is the row above once more;
        // every background is the same along a row of checkerboard squares.
        if (y > 0 && radky_[i] == radky_[i - 1] &&
            (prvniRadek + y) / kPoleSachovnice == (prvniRadek + y - 1) / kPoleSachovnice) {
            std::copy(Radek(cil, y - 1), Radek(cil, y - 1) + sloupcu, radek);
            continue;
        }
        const uint32_t* zdroj = snimek.Radek(radky_[i]);
        for (int x = 0; x < sloupcu;) {
            // A block's pixels share their source pixel; an opaque one gives them one colour.
            const int sx = sloupce_[static_cast<size_t>(x)];
            const uint32_t p = zdroj[sx];
            if (snimek.zdroj.alpha == SourceAlpha::Opaque || (p >> 24) == 255) {
                int konec = x + 1;
                while (konec < sloupcu && sloupce_[static_cast<size_t>(konec)] == sx) ++konec;
                std::fill(radek + x, radek + konec, p & 0xFFFFFF);
                x = konec;
            } else {
                radek[x] = Polozit(p, radek[x], snimek.zdroj.alpha);
                ++x;
            }
        }
    }
}

void GifAnimace::DrawReducedPart(const RECT& viditelne, POINT pocatek, int sirkaObrazu, int vyskaObrazu,
                                 PozadiPruhlednosti pozadi, uint32_t okolo) const
{
    // Reduced, every source pixel counts, so the whole frame is averaged into the zoomed
    // picture (never larger than the frame) and the part in view copied from it.
    const size_t pixelu = static_cast<size_t>(sirkaObrazu) * static_cast<size_t>(vyskaObrazu);
    if (picture_.size() < pixelu) picture_.resize(pixelu);
    for (int y = 0; y < vyskaObrazu; ++y)
        VyplnitRadekPozadi(pozadi, okolo, 0, y, sirkaObrazu, picture_.data() + static_cast<size_t>(y) * sirkaObrazu);
    LayFrameOver(active_, PixelTarget{reinterpret_cast<uint8_t*>(picture_.data()),
                                      static_cast<ptrdiff_t>(sirkaObrazu) * 4, sirkaObrazu, vyskaObrazu});
    const int sloupcu = viditelne.right - viditelne.left;
    const PixelTarget cil =
        backBuffer_.Oblast(viditelne.left, viditelne.top, sloupcu, viditelne.bottom - viditelne.top);
    for (int y = 0; y < cil.height; ++y) {
        const uint32_t* zdroj = picture_.data() + static_cast<size_t>(viditelne.top - pocatek.y + y) * sirkaObrazu +
                                (viditelne.left - pocatek.x);
        std::copy(zdroj, zdroj + sloupcu, Radek(cil, y));
    }
}
