#include "bench/GifZapis.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <vector>

namespace Bench {
namespace {

class BitWriter {
public:
    void Put(unsigned code, int width)
    {
        acc_ |= static_cast<uint64_t>(code) << bits_;
        bits_ += width;
        while (bits_ >= 8) {
            out_.push_back(static_cast<char>(acc_ & 0xFF));
            acc_ >>= 8;
            bits_ -= 8;
        }
    }
    std::string Finish()
    {
        if (bits_ > 0) out_.push_back(static_cast<char>(acc_ & 0xFF));
        return out_;
    }

private:
    std::string out_;
    uint64_t acc_ = 0;
    int bits_ = 0;
};

// GIF's LZW with 8-bit symbols: a dense table indexed by (prefix code, next symbol). Each
// entry carries the generation it was made in, so a clear code costs nothing to apply.
std::string Lzw(const std::vector<uint8_t>& pixels)
{
    constexpr unsigned kClear = 256, kEnd = 257, kMax = 4096;
    std::vector<uint32_t> table(kMax * 256, 0);
    uint32_t generation = 1;
    unsigned next = kEnd + 1;
    auto width = [&] {
        unsigned w = 9;
        while ((1u << w) < next && w < 12) ++w;
        return static_cast<int>(w);
    };
    BitWriter bits;
    bits.Put(kClear, 9);
    unsigned prefix = pixels[0];
    for (size_t i = 1; i < pixels.size(); ++i) {
        const uint8_t symbol = pixels[i];
        const uint32_t entry = table[prefix * 256 + symbol];
        if ((entry >> 16) == generation) {
            prefix = entry & 0xFFFF;
            continue;
        }
        bits.Put(prefix, width());
        if (next == kMax) {
            bits.Put(kClear, 12);
            ++generation;
            next = kEnd + 1;
        } else {
            table[prefix * 256 + symbol] = (generation << 16) | next++;
        }
        prefix = symbol;
    }
    bits.Put(prefix, width());
    if (next < kMax) ++next;
    bits.Put(kEnd, width());
    return bits.Finish();
}

void Put16(std::string& out, unsigned v)
{
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

void SubBlocks(std::string& out, const std::string& data)
{
    for (size_t pos = 0; pos < data.size(); pos += 255) {
        const size_t n = std::min<size_t>(255, data.size() - pos);
        out += static_cast<char>(n);
        out.append(data, pos, n);
    }
    out += '\0';
}

// Diagonal bands that drift with the frame number, plus a moving block.
std::vector<uint8_t> Snimek(int width, int height, int n)
{
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height);
    const int blokX = (n * 17) % (width > 64 ? width - 64 : 1);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t v = static_cast<uint8_t>(((x + y + n * 3) / 6) % 200 + ((x / 40 + y / 40) % 2) * 50);
            if (x >= blokX && x < blokX + 64 && y >= height / 3 && y < height / 3 + 64) v = 255;
            pixels[static_cast<size_t>(y) * width + x] = v;
        }
    return pixels;
}

// The LZW stream of `count` pixels of colour 0, written run by run: in a stream of one colour
// each code the encoder emits stands for a run one pixel longer than the one before, so the
// codes follow from the run lengths without a table.
std::string LzwJednobarevne(uint64_t count)
{
    constexpr unsigned kClear = 256, kEnd = 257, kMax = 4096;
    unsigned next = kEnd + 1;
    auto width = [&] {
        unsigned w = 9;
        while ((1u << w) < next && w < 12) ++w;
        return static_cast<int>(w);
    };
    BitWriter bits;
    bits.Put(kClear, 9);
    uint64_t longest = 1; // the longest run the table holds in this generation
    while (count > 0) {
        const uint64_t run = std::min(longest, count);
        bits.Put(run == 1 ? 0u : static_cast<unsigned>(256 + run), width());
        count -= run;
        if (count == 0) break;
        if (next == kMax) {
            bits.Put(kClear, 12);
            next = kEnd + 1;
            longest = 1;
        } else {
            ++next;
            longest = run + 1;
        }
    }
    if (next < kMax) ++next;
    bits.Put(kEnd, width());
    return bits.Finish();
}

bool ZapsatSoubor(const std::wstring& cesta, const std::string& obsah)
{
    HANDLE soubor = CreateFileW(cesta.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (soubor == INVALID_HANDLE_VALUE) return false;
    DWORD zapsano = 0;
    BOOL ok = WriteFile(soubor, obsah.data(), static_cast<DWORD>(obsah.size()), &zapsano, nullptr);
    CloseHandle(soubor);
    return ok && zapsano == obsah.size();
}

// A still textured background with a block a fifth of the frame across moving over it.
uint8_t Castecny(int x, int y, int n, int width, int height)
{
    const int strana = std::max(8, width / 5);
    const int bx = (n * width / 24) % std::max(1, width - strana);
    const int by = (n * height / 30) % std::max(1, height - strana);
    if (x >= bx && x < bx + strana && y >= by && y < by + strana) return static_cast<uint8_t>(200 + (x + y + n) % 56);
    return static_cast<uint8_t>(((x / 16 + y / 16) % 2) * 60 + (x * 3 + y) % 100);
}

struct Obdelnik {
    int x, y, w, h;
};

// The smallest rectangle holding every pixel that differs between the two frames.
Obdelnik Zmena(const std::vector<uint8_t>& pred, const std::vector<uint8_t>& po, int width, int height)
{
    int x0 = width, y0 = height, x1 = -1, y1 = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (pred[static_cast<size_t>(y) * width + x] != po[static_cast<size_t>(y) * width + x]) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    if (x1 < 0) return {0, 0, 1, 1};
    return {x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

} // namespace

bool ZapsatCastecnou(const std::wstring& cesta, int width, int height, int count, int delayCs)
{
    std::string gif = "GIF89a";
    Put16(gif, width);
    Put16(gif, height);
    gif += "\xF7";
    gif += std::string(2, '\0');
    for (int i = 0; i < 256; ++i) {
        gif += static_cast<char>(i);
        gif += static_cast<char>((i * 5) & 0xFF);
        gif += static_cast<char>(255 - i);
    }
    gif += "\x21\xFF\x0BNETSCAPE2.0\x03\x01";
    gif += std::string(3, '\0');
    std::vector<uint8_t> predchozi;
    for (int n = 0; n < count; ++n) {
        std::vector<uint8_t> snimek(static_cast<size_t>(width) * height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) snimek[static_cast<size_t>(y) * width + x] = Castecny(x, y, n, width, height);
        const Obdelnik r = n == 0 ? Obdelnik{0, 0, width, height} : Zmena(predchozi, snimek, width, height);
        std::vector<uint8_t> vyrez(static_cast<size_t>(r.w) * r.h);
        for (int y = 0; y < r.h; ++y)
            std::copy_n(snimek.begin() + static_cast<ptrdiff_t>(r.y + y) * width + r.x, r.w,
                        vyrez.begin() + static_cast<ptrdiff_t>(y) * r.w);
        gif += "\x21\xF9\x04\x04"; // do not dispose: the next frame is drawn over this one
        Put16(gif, delayCs);
        gif += std::string(2, '\0');
        gif += '\x2C';
        Put16(gif, r.x);
        Put16(gif, r.y);
        Put16(gif, r.w);
        Put16(gif, r.h);
        gif += '\0';
        gif += '\x08';
        SubBlocks(gif, Lzw(vyrez));
        predchozi = std::move(snimek);
    }
    gif += ';';
    return ZapsatSoubor(cesta, gif);
}

bool ZapsatJednobarevny(const std::wstring& cesta, int width, int height)
{
    std::string gif = "GIF89a";
    Put16(gif, width);
    Put16(gif, height);
    gif += "\xF7";
    gif += std::string(2, '\0');
    for (int i = 0; i < 256; ++i) gif += std::string{static_cast<char>(40), static_cast<char>(120), static_cast<char>(200)};
    gif += '\x2C';
    Put16(gif, 0);
    Put16(gif, 0);
    Put16(gif, width);
    Put16(gif, height);
    gif += '\0';
    gif += '\x08';
    SubBlocks(gif, LzwJednobarevne(static_cast<uint64_t>(width) * static_cast<uint64_t>(height)));
    gif += ';';
    return ZapsatSoubor(cesta, gif);
}

bool ZapsatAnimaci(const std::wstring& cesta, int width, int height, int count, int delayCs)
{
    std::string gif = "GIF89a";
    Put16(gif, width);
    Put16(gif, height);
    gif += "\xF7";
    gif += std::string(2, '\0');
    for (int i = 0; i < 256; ++i) {
        gif += static_cast<char>(i);
        gif += static_cast<char>((i * 3) & 0xFF);
        gif += static_cast<char>(255 - i);
    }
    gif += "\x21\xFF\x0BNETSCAPE2.0\x03\x01";
    gif += std::string(3, '\0');
    for (int n = 0; n < count; ++n) {
        gif += "\x21\xF9\x04\x04";
        Put16(gif, delayCs);
        gif += std::string(2, '\0');
        gif += '\x2C';
        Put16(gif, 0);
        Put16(gif, 0);
        Put16(gif, width);
        Put16(gif, height);
        gif += '\0';
        gif += '\x08';
        SubBlocks(gif, Lzw(Snimek(width, height, n)));
    }
    gif += ';';
    return ZapsatSoubor(cesta, gif);
}

} // namespace Bench
