// libFuzzer target: any bytes through GifDekoder. Opens the input, composes its frames
// forward (which must hold no checkpoints), then gives it a checkpoint budget, lowers it half
// way, and asks for frames out of order, which must compose exactly as they did forward
// (checkpoints, disposal 3 and the LZW window are all on that way). A frame with nothing to
// draw must leave the canvas as it was. The sanitizers catch what goes outside a buffer; a
// difference traps.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <string_view>
#include <vector>

#include "image/GifDekoder.h"

namespace {

// Keeps one input's work within a fraction of a second under the sanitizers.
constexpr uint64_t kCanvasPixels = uint64_t{1} << 18;
constexpr uint64_t kComposedPixels = uint64_t{1} << 23;
// A few checkpoints for small canvases, none for large; then fewer.
constexpr size_t kBudget = size_t{1} << 20;
constexpr size_t kLowerBudget = size_t{1} << 17;

// The standard library's hash is not instrumented: a loop of ours over every pixel would take
// most of the fuzzer's time and teach it nothing.
size_t Hash(const uint32_t* pixels, size_t count)
{
    return std::hash<std::string_view>{}(std::string_view(reinterpret_cast<const char*>(pixels), count * 4));
}

void Require(bool condition)
{
    if (!condition) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    GifDekoder::Limity limity;
    limity.pixelu = kCanvasPixels;
    // Half the inputs with the smallest LZW window, so that strings are rebuilt from their
    // prefix chains as well as copied.
    limity.oknoLzw = (size & 1) ? 0 : GifLzw::kOkno;
    GifDekoder d(limity);
    if (d.Open(std::vector<uint8_t>(data, data + size)) != GifDekoder::Otevreni::Otevreno) {
        Require(d.FrameCount() == 0 && d.Snimek(0) == nullptr);
        return 0;
    }
    const size_t pixels = size_t{d.Width()} * d.Height();
    Require(pixels > 0 && pixels <= kCanvasPixels && d.FrameCount() > 0);
    const size_t frames = static_cast<size_t>(std::min<uint64_t>(d.FrameCount(), kComposedPixels / pixels + 1));

    std::vector<size_t> forward(frames);
    for (size_t i = 0; i < frames; ++i) {
        Require(d.PrvniSnimekCesty(i) == i);
        forward[i] = Hash(d.Snimek(i), pixels);
        // A frame with nothing to draw shows the canvas its predecessor left.
        if (i > 0 && !d.Info(i).Kresli() && d.Info(i - 1).likvidace == GifStruktura::Likvidace::Ponechat)
            Require(forward[i] == forward[i - 1]);
    }
    Require(d.Snimek(d.FrameCount()) == nullptr);
    Require(d.PametKontrol() == 0);

    d.NastavitRozpocetKontrol(kBudget);
    const size_t order[] = {frames - 1, frames / 2, 0, frames > 1 ? frames - 2 : 0, frames / 3, frames - 1};
    for (size_t k = 0; k < std::size(order); ++k) {
        if (k == 3) d.NastavitRozpocetKontrol(kLowerBudget);
        const size_t i = order[k];
        Require(d.PrvniSnimekCesty(i) <= i);
        Require(Hash(d.Snimek(i), pixels) == forward[i]);
        Require(d.PametKontrol() <= (k < 3 ? kBudget : kLowerBudget));
    }
    return 0;
}
