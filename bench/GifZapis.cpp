#include "bench/GifZapis.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "tests/GifWriter.h"

namespace Bench {
namespace {

using GifFixtures::GifRecipe;

// A frame of every pixel of the screen as the file gives it.
using Obraz = std::vector<BYTE>;

// Diagonal bands that drift with the frame number, plus a moving block.
BYTE Pruhy(int x, int y, int n, int width, int height)
{
    const int blokX = (n * 17) % (width > 64 ? width - 64 : 1);
    if (x >= blokX && x < blokX + 64 && y >= height / 3 && y < height / 3 + 64) return 255;
    return static_cast<BYTE>(((x + y + n * 3) / 6) % 200 + ((x / 40 + y / 40) % 2) * 50);
}

// A still textured background with a block a fifth of the frame across moving over it.
BYTE Castecny(int x, int y, int n, int width, int height)
{
    const int strana = std::max(8, width / 5);
    const int bx = (n * width / 24) % std::max(1, width - strana);
    const int by = (n * height / 30) % std::max(1, height - strana);
    if (x >= bx && x < bx + strana && y >= by && y < by + strana) return static_cast<BYTE>(200 + (x + y + n) % 56);
    return static_cast<BYTE>(((x / 16 + y / 16) % 2) * 60 + (x * 3 + y) % 100);
}

template <typename Vzor> Obraz Nakreslit(int width, int height, int n, Vzor vzor)
{
    Obraz pixely(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixely[static_cast<size_t>(y) * width + x] = vzor(x, y, n, width, height);
    return pixely;
}

// The smallest rectangle holding every pixel that differs between the two frames.
RECT Zmena(const Obraz& pred, const Obraz& po, int width, int height)
{
    RECT r{width, height, -1, -1};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (pred[static_cast<size_t>(y) * width + x] != po[static_cast<size_t>(y) * width + x]) {
                r = RECT{std::min<LONG>(r.left, x), std::min<LONG>(r.top, y), std::max<LONG>(r.right, x + 1),
                         std::max<LONG>(r.bottom, y + 1)};
            }
    return r.right < 0 ? RECT{0, 0, 1, 1} : r;
}

// Frames of a 256-colour global table, compressed as encoders compress them.
GifRecipe Recept(int width, int height, int zelena)
{
    GifRecipe recept;
    recept.width = static_cast<UINT16>(width);
    recept.height = static_cast<UINT16>(height);
    recept.compressed = true;
    for (int i = 0; i < 256; ++i) recept.globalColours.push_back(RGB(i, (i * zelena) & 0xFF, 255 - i));
    return recept;
}

// Frame n drawn as the part `r` of a picture, over what the frame before left (disposal 1).
void Pridat(GifRecipe& recept, const Obraz& obraz, const RECT& r, int delayCs)
{
    const int w = r.right - r.left, h = r.bottom - r.top;
    Obraz vyrez(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        std::copy_n(obraz.begin() + static_cast<ptrdiff_t>(r.top + y) * recept.width + r.left, w,
                    vyrez.begin() + static_cast<ptrdiff_t>(y) * w);
    const auto u16 = [](LONG v) { return static_cast<UINT16>(v); };
    recept.frames.push_back(GifFixtures::OwnFrame(u16(r.left), u16(r.top), u16(w), u16(h), std::move(vyrez), {}));
    recept.frames.back().delay = static_cast<UINT16>(delayCs);
}

} // namespace

bool ZapsatAnimaci(const std::wstring& cesta, int width, int height, int count, int delayCs)
{
    GifRecipe recept = Recept(width, height, 3);
    for (int n = 0; n < count; ++n)
        Pridat(recept, Nakreslit(width, height, n, Pruhy), RECT{0, 0, width, height}, delayCs);
    return GifFixtures::WriteGif(cesta, recept);
}

bool ZapsatCastecnou(const std::wstring& cesta, int width, int height, int count, int delayCs)
{
    GifRecipe recept = Recept(width, height, 5);
    Obraz predchozi;
    for (int n = 0; n < count; ++n) {
        Obraz snimek = Nakreslit(width, height, n, Castecny);
        Pridat(recept, snimek, n == 0 ? RECT{0, 0, width, height} : Zmena(predchozi, snimek, width, height), delayCs);
        predchozi = std::move(snimek);
    }
    return GifFixtures::WriteGif(cesta, recept);
}

bool ZapsatJednobarevny(const std::wstring& cesta, int width, int height)
{
    GifRecipe recept = GifFixtures::Still(static_cast<UINT16>(width), static_cast<UINT16>(height), RGB(40, 120, 200));
    recept.compressed = true;
    return GifFixtures::WriteGif(cesta, recept);
}

} // namespace Bench
