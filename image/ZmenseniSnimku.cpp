#include "image/ZmenseniSnimku.h"

#include <emmintrin.h>

#include <algorithm>

// The reduction runs four channels at a time in SSE2, which every x86-64 processor has: a
// full-HD frame brought down to a window is two million source pixels on every frame change.

namespace {

constexpr uint32_t kColourBits = 0x00FFFFFF;

const uint32_t* Row(const PixelSource& source, int y)
{
    return reinterpret_cast<const uint32_t*>(source.first + source.stride * y);
}

uint32_t* Row(const PixelTarget& target, int y) { return reinterpret_cast<uint32_t*>(target.first + target.stride * y); }

// --- natural size ----------------------------------------------------------------------

uint32_t Channel(uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

uint32_t Blend(uint32_t colour, uint32_t background, uint32_t alpha)
{
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t c = Channel(colour, shift);
        const uint32_t b = Channel(background, shift);
        out |= ((c * alpha + b * (255 - alpha) + 127) / 255) << shift;
    }
    return out;
}

uint32_t BlendPremultiplied(uint32_t colour, uint32_t background, uint32_t alpha)
{
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t c = Channel(colour, shift) + (Channel(background, shift) * (255 - alpha) + 127) / 255;
        out |= std::min<uint32_t>(c, 255) << shift;
    }
    return out;
}

template <SourceAlpha kAlpha>
void CopyRow(const uint32_t* from, uint32_t* to, int width)
{
    for (int x = 0; x < width; ++x) {
        const uint32_t p = from[x];
        const uint32_t a = p >> 24;
        if (kAlpha == SourceAlpha::Opaque || a == 255) {
            to[x] = p & kColourBits;
        } else if (kAlpha == SourceAlpha::Straight) {
            if (a != 0) to[x] = Blend(p, to[x], a);
        } else {
            to[x] = BlendPremultiplied(p, to[x], a);
        }
    }
}

template <SourceAlpha kAlpha>
void CopyAll(const PixelSource& source, const PixelTarget& target)
{
    for (int y = 0; y < target.height; ++y) CopyRow<kAlpha>(Row(source, y), Row(target, y), target.width);
}

// --- reduction -------------------------------------------------------------------------

// Fixed point of the reduction: a weight of 1 (at most this big, so it stays a signed 16-bit
// number), and the fraction bits the averaged rows keep of each 8-bit level.
constexpr int kWeightBits = 14;
constexpr int kWeightOne = 1 << kWeightBits;
constexpr int kRowFractionBits = 7;

const __m128i kAlphaBytes = _mm_set1_epi32(static_cast<int>(0xFF000000u));

// The four 16-bit lanes of each of two pixels: blue, green, red, alpha.
inline __m128i ColourLanes() { return _mm_set_epi16(0, -1, -1, -1, 0, -1, -1, -1); }
inline __m128i AlphaLanesFull() { return _mm_set_epi16(255, 0, 0, 0, 255, 0, 0, 0); }

// Two pixels of straight colour, as 16-bit lanes, multiplied by their own alpha (c * a / 255,
// rounded exactly); the alpha lanes stay as they are.
inline __m128i Premultiply(__m128i v)
{
    __m128i alpha = _mm_shufflehi_epi16(_mm_shufflelo_epi16(v, _MM_SHUFFLE(3, 3, 3, 3)), _MM_SHUFFLE(3, 3, 3, 3));
    alpha = _mm_or_si128(_mm_and_si128(alpha, ColourLanes()), AlphaLanesFull());
    const __m128i t = _mm_add_epi16(_mm_mullo_epi16(v, alpha), _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
}

// Four source pixels as two registers of two premultiplied pixels each.
template <SourceAlpha kAlpha>
inline void Widen(__m128i bytes, __m128i& low, __m128i& high)
{
    const __m128i zero = _mm_setzero_si128();
    if (kAlpha == SourceAlpha::Opaque) bytes = _mm_or_si128(bytes, kAlphaBytes);
    low = _mm_unpacklo_epi8(bytes, zero);
    high = _mm_unpackhi_epi8(bytes, zero);
    if (kAlpha != SourceAlpha::Straight) return;
    const __m128i alpha = _mm_and_si128(bytes, kAlphaBytes);
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(alpha, kAlphaBytes)) == 0xFFFF) return; // all opaque
    low = Premultiply(low);
    high = Premultiply(high);
}

// The four pixels from x on (fewer at the end of a row, the rest then 0).
inline __m128i LoadFour(const uint32_t* row, int x, int width)
{
    if (width - x >= 4) return _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x));
    uint32_t rest[4] = {};
    std::copy(row + x, row + width, rest);
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(rest));
}

// Sums of four pixels' channels, one register a pixel.
struct FourSums {
    __m128i s0 = _mm_setzero_si128();
    __m128i s1 = _mm_setzero_si128();
    __m128i s2 = _mm_setzero_si128();
    __m128i s3 = _mm_setzero_si128();

    // Adds four pixels of each of two rows, weighted by the two halves of w.
    template <SourceAlpha kAlpha>
    void Add(__m128i a, __m128i b, __m128i w)
    {
        __m128i aLow, aHigh, bLow, bHigh;
        Widen<kAlpha>(a, aLow, aHigh);
        Widen<kAlpha>(b, bLow, bHigh);
        s0 = _mm_add_epi32(s0, _mm_madd_epi16(_mm_unpacklo_epi16(aLow, bLow), w));
        s1 = _mm_add_epi32(s1, _mm_madd_epi16(_mm_unpackhi_epi16(aLow, bLow), w));
        s2 = _mm_add_epi32(s2, _mm_madd_epi16(_mm_unpacklo_epi16(aHigh, bHigh), w));
        s3 = _mm_add_epi32(s3, _mm_madd_epi16(_mm_unpackhi_epi16(aHigh, bHigh), w));
    }
    // The same for one row, weighted by the low half of w.
    template <SourceAlpha kAlpha>
    void Add(__m128i a, __m128i w)
    {
        const __m128i zero = _mm_setzero_si128();
        __m128i aLow, aHigh;
        Widen<kAlpha>(a, aLow, aHigh);
        s0 = _mm_add_epi32(s0, _mm_madd_epi16(_mm_unpacklo_epi16(aLow, zero), w));
        s1 = _mm_add_epi32(s1, _mm_madd_epi16(_mm_unpackhi_epi16(aLow, zero), w));
        s2 = _mm_add_epi32(s2, _mm_madd_epi16(_mm_unpacklo_epi16(aHigh, zero), w));
        s3 = _mm_add_epi32(s3, _mm_madd_epi16(_mm_unpackhi_epi16(aHigh, zero), w));
    }
};

// The `count` source rows of one target row, weighted two rows at a time: per source pixel
// four 16-bit channels with kRowFractionBits fraction bits, written for whole groups of four.
template <SourceAlpha kAlpha>
void AverageRows(const uint32_t* const* rows, const uint32_t* weights, int count, int width, int16_t* to)
{
    constexpr int kShift = kWeightBits - kRowFractionBits;
    const __m128i round = _mm_set1_epi32(1 << (kShift - 1));
    const int pairs = count / 2;
    for (int x = 0; x < width; x += 4) {
        FourSums sum;
        for (int p = 0; p < pairs; ++p) {
            sum.Add<kAlpha>(LoadFour(rows[2 * p], x, width), LoadFour(rows[2 * p + 1], x, width),
                            _mm_set1_epi32(static_cast<int>(weights[p])));
        }
        if (count % 2) {
            sum.Add<kAlpha>(LoadFour(rows[count - 1], x, width), _mm_set1_epi32(static_cast<int>(weights[pairs])));
        }
        const __m128i p0 = _mm_srai_epi32(_mm_add_epi32(sum.s0, round), kShift);
        const __m128i p1 = _mm_srai_epi32(_mm_add_epi32(sum.s1, round), kShift);
        const __m128i p2 = _mm_srai_epi32(_mm_add_epi32(sum.s2, round), kShift);
        const __m128i p3 = _mm_srai_epi32(_mm_add_epi32(sum.s3, round), kShift);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 4 * x), _mm_packs_epi32(p0, p1));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 4 * x + 8), _mm_packs_epi32(p2, p3));
    }
}

// A premultiplied average laid over the background pixel it replaces.
inline uint32_t Over(uint32_t colour, uint32_t background)
{
    const uint32_t a = colour >> 24;
    if (a == 255) return colour & kColourBits;
    if (a == 0) return background;
    return BlendPremultiplied(colour, background, a);
}

// One target pixel of the averaged row: kPairs pairs of neighbouring source pixels, their
// channels interleaved to meet their two weights.
template <int kPairs>
inline __m128i ColumnSum(const int16_t* p, const uint32_t* weights, int pairs)
{
    const int count = kPairs > 0 ? kPairs : pairs;
    __m128i sum = _mm_setzero_si128();
    for (int k = 0; k < count; ++k) {
        const __m128i two = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8 * k));
        const __m128i lanes = _mm_unpacklo_epi16(two, _mm_srli_si128(two, 8));
        sum = _mm_add_epi32(sum, _mm_madd_epi16(lanes, _mm_set1_epi32(static_cast<int>(weights[k]))));
    }
    constexpr int kShift = kWeightBits + kRowFractionBits;
    return _mm_srai_epi32(_mm_add_epi32(sum, _mm_set1_epi32(1 << (kShift - 1))), kShift);
}

// The averaged row brought down to the target's width and laid over the target row, four
// target pixels at a time. The number of pairs is a constant for the common reductions, so
// the inner loop unrolls.
template <int kPairs>
void AverageColumns(const int16_t* rowMean, const int* firsts, const uint32_t* weights, int pairs, uint32_t* to,
                    int width)
{
    const int count = kPairs > 0 ? kPairs : pairs;
    int i = 0;
    for (; i + 4 <= width; i += 4, weights += 4 * count) {
        const __m128i c0 = ColumnSum<kPairs>(rowMean + 4 * firsts[i], weights, count);
        const __m128i c1 = ColumnSum<kPairs>(rowMean + 4 * firsts[i + 1], weights + count, count);
        const __m128i c2 = ColumnSum<kPairs>(rowMean + 4 * firsts[i + 2], weights + 2 * count, count);
        const __m128i c3 = ColumnSum<kPairs>(rowMean + 4 * firsts[i + 3], weights + 3 * count, count);
        const __m128i four = _mm_packus_epi16(_mm_packs_epi32(c0, c1), _mm_packs_epi32(c2, c3));
        auto* out = reinterpret_cast<__m128i*>(to + i);
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(four, kAlphaBytes), kAlphaBytes)) == 0xFFFF) {
            _mm_storeu_si128(out, _mm_andnot_si128(kAlphaBytes, four)); // all opaque
            continue;
        }
        alignas(16) uint32_t colours[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(colours), four);
        for (int k = 0; k < 4; ++k) to[i + k] = Over(colours[k], to[i + k]);
    }
    for (; i < width; ++i, weights += count) {
        const __m128i c = ColumnSum<kPairs>(rowMean + 4 * firsts[i], weights, count);
        const __m128i q = _mm_packus_epi16(_mm_packs_epi32(c, c), _mm_packs_epi32(c, c));
        to[i] = Over(static_cast<uint32_t>(_mm_cvtsi128_si32(q)), to[i]);
    }
}

// A source held whole in memory, handed out as one band.
class WholeSource : public RowBands {
public:
    explicit WholeSource(const PixelSource& source)
        : RowBands(source.width, source.height, source.alpha), source_(source) {}
    PixelSource Band(int first, int) override
    {
        PixelSource band = source_;
        band.first = source_.first + source_.stride * first;
        band.height = source_.height - first;
        return band;
    }

private:
    PixelSource source_;
};

} // namespace

void CopyOver(RowBands& source, const PixelTarget& target)
{
    for (int y = 0; y < target.height;) {
        PixelSource band = source.Band(y, 1);
        if (!band.first || band.height <= 0) return;
        band.height = std::min(band.height, target.height - y);
        const PixelTarget part{target.first + target.stride * y, target.stride, target.width, band.height};
        CopyOver(band, part);
        y += band.height;
    }
}

void CopyOver(const PixelSource& source, const PixelTarget& target)
{
    switch (source.alpha) {
    case SourceAlpha::Straight: CopyAll<SourceAlpha::Straight>(source, target); break;
    case SourceAlpha::Premultiplied: CopyAll<SourceAlpha::Premultiplied>(source, target); break;
    case SourceAlpha::Opaque: CopyAll<SourceAlpha::Opaque>(source, target); break;
    }
}

void AreaReduction::Axis::Prepare(int sourceSize, int targetSize)
{
    if (from == sourceSize && to == targetSize) return;
    from = sourceSize;
    to = targetSize;
    // In units of 1/targetSize of a source pixel, source pixel x spans [x * to, (x + 1) * to)
    // and target pixel i spans [i * from, (i + 1) * from): the overlaps are whole numbers.
    // Their running sum is rounded to fixed point, so the weights of a target pixel add up to
    // exactly 1 and no rounding error builds up along the span.
    const int64_t n = sourceSize;
    const int64_t m = targetSize;
    std::vector<std::vector<uint32_t>> spans(static_cast<size_t>(m));
    firsts.assign(static_cast<size_t>(m), 0);
    counts.assign(static_cast<size_t>(m), 0);
    size_t longest = 0;
    for (int64_t i = 0; i < m; ++i) {
        const int64_t begin = i * n;
        const int64_t end = begin + n;
        const int64_t first = begin / m;
        const int64_t last = (end - 1) / m;
        std::vector<uint32_t>& span = spans[static_cast<size_t>(i)];
        int64_t covered = 0;
        int64_t given = 0;
        for (int64_t x = first; x <= last; ++x) {
            covered += std::min((x + 1) * m, end) - std::max(x * m, begin);
            const int64_t upTo = (covered * kWeightOne + n / 2) / n;
            span.push_back(static_cast<uint32_t>(upTo - given));
            given = upTo;
        }
        firsts[static_cast<size_t>(i)] = static_cast<int>(first);
        counts[static_cast<size_t>(i)] = static_cast<int>(span.size());
        longest = std::max(longest, span.size());
    }
    pairs = static_cast<int>((longest + 1) / 2);
    weights.assign(static_cast<size_t>(m) * static_cast<size_t>(pairs), 0);
    for (size_t i = 0; i < spans.size(); ++i)
        for (size_t k = 0; k < spans[i].size(); ++k)
            weights[i * static_cast<size_t>(pairs) + k / 2] |= spans[i][k] << (k % 2 ? 16 : 0);
}

void AreaReduction::ReduceOver(const PixelSource& source, const PixelTarget& target)
{
    WholeSource whole(source);
    ReduceOver(whole, target);
}

void AreaReduction::ReduceOver(RowBands& source, const PixelTarget& target)
{
    if (source.width <= 0 || source.height <= 0 || target.width <= 0 || target.height <= 0) return;
    columns_.Prepare(source.width, target.width);
    rows_.Prepare(source.height, target.height);
    // Whole groups of four, and room for the weightless pixels that even out the last spans.
    const size_t pixels = static_cast<size_t>(source.width + 3) / 4 * 4 + 2 * static_cast<size_t>(columns_.pairs);
    rowMean_.resize(4 * pixels);

    PixelSource band{};
    int bandFirst = 0;
    for (int j = 0; j < target.height; ++j) {
        const size_t r = static_cast<size_t>(j);
        const int first = rows_.firsts[r];
        const int count = rows_.counts[r];
        if (!band.first || first < bandFirst || first + count > bandFirst + band.height) {
            band = source.Band(first, count);
            bandFirst = first;
            if (!band.first || band.height < count) return;
        }
        const uint32_t* weights = rows_.weights.data() + r * static_cast<size_t>(rows_.pairs);
        rowPointers_.clear();
        for (int k = 0; k < count; ++k) rowPointers_.push_back(Row(band, first - bandFirst + k));
        switch (source.alpha) {
        case SourceAlpha::Straight:
            AverageRows<SourceAlpha::Straight>(rowPointers_.data(), weights, count, source.width, rowMean_.data());
            break;
        case SourceAlpha::Premultiplied:
            AverageRows<SourceAlpha::Premultiplied>(rowPointers_.data(), weights, count, source.width,
                                                    rowMean_.data());
            break;
        case SourceAlpha::Opaque:
            AverageRows<SourceAlpha::Opaque>(rowPointers_.data(), weights, count, source.width, rowMean_.data());
            break;
        }
        const int* firsts = columns_.firsts.data();
        const uint32_t* columnWeights = columns_.weights.data();
        uint32_t* to = Row(target, j);
        switch (columns_.pairs) {
        case 1: AverageColumns<1>(rowMean_.data(), firsts, columnWeights, 1, to, target.width); break;
        case 2: AverageColumns<2>(rowMean_.data(), firsts, columnWeights, 2, to, target.width); break;
        case 3: AverageColumns<3>(rowMean_.data(), firsts, columnWeights, 3, to, target.width); break;
        default:
            AverageColumns<0>(rowMean_.data(), firsts, columnWeights, columns_.pairs, to, target.width);
            break;
        }
    }
}
