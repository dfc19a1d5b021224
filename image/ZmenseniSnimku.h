#pragma once
// The pixel arithmetic of fitted drawing, on 32-bit pixels in memory (blue, green, red and
// alpha from the lowest byte up): a frame laid over a background at its natural size, or
// reduced by area averaging and then laid over it. Nothing here calls the platform, so the
// tests feed it plain arrays.
#include <cstddef>
#include <cstdint>
#include <vector>

// How the source pixels carry transparency.
enum class SourceAlpha {
    Straight,      // colour and alpha independent (GDI+'s 32bppARGB)
    Premultiplied, // colour already multiplied by alpha (32bppPARGB)
    Opaque,        // the alpha byte means nothing (32bppRGB)
};

struct PixelSource {
    const uint8_t* first; // the top row
    ptrdiff_t stride;     // bytes from one row to the next; negative for bottom-up data
    int width;
    int height;
    SourceAlpha alpha;
};

// A source read a band of rows at a time: a frame too large to have as one 32-bit copy is
// drawn from a band of it at once, since the reduction works row by row.
class RowBands {
public:
    RowBands(int width, int height, SourceAlpha alpha) : width(width), height(height), alpha(alpha) {}
    virtual ~RowBands() = default;
    // At least rows first .. first + count - 1, as a source whose top row is row `first`,
    // readable until the next call; first == nullptr when the rows cannot be had.
    virtual PixelSource Band(int first, int count) = 0;

    const int width;
    const int height;
    const SourceAlpha alpha;
};

// A rectangle of pixels that already holds the background. Results leave the alpha byte 0,
// as GDI itself does in a 32-bit bitmap.
struct PixelTarget {
    uint8_t* first;
    ptrdiff_t stride;
    int width;
    int height;
};

// Source and target of the same size: every pixel is taken as it is, transparent and
// translucent ones laid over what the target holds.
void CopyOver(const PixelSource& source, const PixelTarget& target);
void CopyOver(RowBands& source, const PixelTarget& target);

// Reduction by area averaging: each target pixel is the mean of the source area it covers,
// source pixels on its edges counted by the fraction that lies inside, so every source
// pixel counts and large reductions do not alias. Colours are averaged premultiplied by
// their alpha, then laid over the target. Source rows are averaged first, then columns, in
// fixed point (weights to 1/16384, rows kept to 1/128 of a level), and the result is rounded
// once. The weights are kept for the next call of the same sizes; nothing of the pixels is.
class AreaReduction {
public:
    void ReduceOver(const PixelSource& source, const PixelTarget& target);
    // The same from a source read in bands. Rows that cannot be had leave the rest of the
    // target as it is.
    void ReduceOver(RowBands& source, const PixelTarget& target);

private:
    // Weights along one axis, from `from` source pixels to `to` target pixels: target pixel i
    // covers counts[i] source pixels from firsts[i] on, taken two at a time and padded with
    // weightless ones to `pairs` pairs for every target pixel, so that the loop over columns
    // runs alike for all. A word of weights holds the weight of a pair's first pixel
    // in its low half and of its second in its high half; target pixel i's begin at i * pairs.
    struct Axis {
        int from = -1;
        int to = -1;
        int pairs = 0;
        std::vector<int> firsts;
        std::vector<int> counts;
        std::vector<uint32_t> weights;
        void Prepare(int sourceSize, int targetSize);
    };

    Axis columns_;
    Axis rows_;
    // The source rows of one target row, and their average: four 16-bit channels a pixel.
    std::vector<const uint32_t*> rowPointers_;
    std::vector<int16_t> rowMean_;
};
