#include "image/GifStruktura.h"

#include <algorithm>
#include <cstring>

namespace GifStruktura {
namespace {

constexpr uint8_t kTableFlag = 0x80;
constexpr uint8_t kInterlaceFlag = 0x40;
constexpr uint8_t kExtension = 0x21;
constexpr uint8_t kImage = 0x2C;
constexpr uint8_t kGraphicControl = 0xF9;
constexpr uint8_t kApplication = 0xFF;
constexpr size_t kHeaderSize = 13; // signature and logical screen descriptor
constexpr size_t kDescriptorSize = 9;

constexpr size_t kPrefetchDistance = 1024; // four sub-blocks of 255 bytes ahead

uint32_t Read16(const uint8_t* p) { return p[0] | (uint32_t{p[1]} << 8); }

inline void Prefetch(const uint8_t* p)
{
#if defined(__GNUC__)
    __builtin_prefetch(p);
#else
    (void)p;
#endif
}

uint32_t TableEntries(uint8_t flags) { return uint32_t{2} << (flags & 7); }

// A control extension describes the next image only.
struct Control {
    uint16_t delay = 0;
    Likvidace disposal = Likvidace::Ponechat;
    int transparent = -1;
};

Likvidace DisposalOf(uint8_t packed)
{
    switch ((packed >> 2) & 7) {
    case 2:
        return Likvidace::Vymazat;
    case 3:
    case 4: // some encoders set the third bit for "restore to previous"; browsers read it so
        return Likvidace::Obnovit;
    default:
        return Likvidace::Ponechat;
    }
}

class Walker {
public:
    Walker(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool Has(size_t count) const { return count <= size_ - pos_; }
    size_t Pos() const { return pos_; }
    const uint8_t* At() const { return data_ + pos_; }
    void Skip(size_t count) { pos_ += count; }
    bool Byte(uint8_t& b)
    {
        if (!Has(1)) return false;
        b = data_[pos_++];
        return true;
    }
    // Skips data sub-blocks up to and including their terminator; false when the data ends
    // first.
    bool SkipSubBlocks()
    {
        for (;;) {
            // Each length byte says where the next one is, so without a hint every step
            // waits for memory the cache does not hold yet; image data is mostly sub-blocks of
            // 255 bytes, which makes the next few lines worth asking for early.
            Prefetch(data_ + std::min(pos_ + kPrefetchDistance, size_ - 1));
            uint8_t length = 0;
            if (!Byte(length)) return false;
            if (length == 0) return true;
            const size_t have = std::min<size_t>(length, size_ - pos_);
            pos_ += have;
            if (have < length) return false;
        }
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// The loop count of an application extension whose identifier block starts at p (its length
// byte), or -1 when it is not a looping extension.
int LoopCountOf(const Walker& in)
{
    const uint8_t* p = in.At();
    if (!in.Has(16) || p[0] != 11 || p[12] < 3 || p[13] != 1) return -1;
    if (std::memcmp(p + 1, "NETSCAPE2.0", 11) != 0 && std::memcmp(p + 1, "ANIMEXTS1.0", 11) != 0) return -1;
    return static_cast<int>(Read16(p + 14));
}

// Reads an extension after its introducer; false when the data ends inside it.
bool ReadExtension(Walker& in, Control& control, int& loops)
{
    uint8_t label = 0;
    if (!in.Byte(label)) return false;
    if (label == kGraphicControl && in.Has(5) && in.At()[0] >= 4) {
        const uint8_t* p = in.At() + 1;
        control.disposal = DisposalOf(p[0]);
        control.delay = static_cast<uint16_t>(Read16(p + 1));
        control.transparent = (p[0] & 1) ? p[3] : -1;
    }
    if (label == kApplication && loops < 0) loops = LoopCountOf(in);
    return in.SkipSubBlocks();
}

// Reads an image after its separator into frame; false when the walk has to end. A separator
// makes a frame, as browsers count them: what the file cuts off leaves the frame without a
// rectangle, a table or data, and it draws nothing. Only a code size of 0 leaves the frame
// out (listed is false), as it always has.
bool ReadImage(Walker& in, size_t globalTable, uint32_t globalEntries, Snimek& frame, bool& listed)
{
    listed = true;
    frame.dataCela = false;
    frame.data = in.Pos();
    if (!in.Has(kDescriptorSize)) return false;
    const uint8_t* d = in.At();
    frame.x = Read16(d);
    frame.y = Read16(d + 2);
    frame.sirka = Read16(d + 4);
    frame.vyska = Read16(d + 6);
    frame.prokladany = (d[8] & kInterlaceFlag) != 0;
    in.Skip(kDescriptorSize);
    frame.paleta = globalTable;
    frame.barev = globalEntries;
    if (d[8] & kTableFlag) {
        if (!in.Has(size_t{3} * TableEntries(d[8]))) {
            frame.barev = 0;
            return false;
        }
        frame.barev = TableEntries(d[8]);
        frame.paleta = in.Pos();
        in.Skip(size_t{3} * frame.barev);
    }
    if (!in.Byte(frame.minimalniKod)) return false;
    listed = frame.minimalniKod != 0;
    frame.data = in.Pos();
    frame.dataCela = in.SkipSubBlocks();
    return frame.dataCela;
}

} // namespace

Obsah Projdi(const uint8_t* data, size_t size)
{
    Obsah obsah;
    if (size < 6 || (std::memcmp(data, "GIF87a", 6) != 0 && std::memcmp(data, "GIF89a", 6) != 0)) return obsah;
    obsah.gif = true;
    if (size < kHeaderSize) return obsah;
    obsah.sirka = Read16(data + 6);
    obsah.vyska = Read16(data + 8);
    Walker in(data, size);
    in.Skip(kHeaderSize);
    size_t globalTable = 0;
    uint32_t globalEntries = 0;
    if (data[10] & kTableFlag) {
        globalEntries = TableEntries(data[10]);
        if (!in.Has(size_t{3} * globalEntries)) return obsah;
        globalTable = in.Pos();
        in.Skip(size_t{3} * globalEntries);
    }

    Control control;
    uint8_t block = 0;
    while (in.Byte(block)) {
        if (block == kExtension) {
            if (!ReadExtension(in, control, obsah.opakovani)) break;
        } else if (block == kImage) {
            Snimek frame;
            bool listed = true;
            const bool more = ReadImage(in, globalTable, globalEntries, frame, listed);
            if (listed) {
                frame.zpozdeni = control.delay;
                frame.likvidace = control.disposal;
                frame.pruhledny = control.transparent;
                obsah.snimky.push_back(frame);
            }
            control = Control{};
            if (!more) break;
        } else {
            break; // the trailer, or bytes that start no block: browsers end the file there
        }
    }

    // A first frame larger than the screen says the screen is wrong: the screen grows to
    // hold it where it stands, so that later frames keep their places. A first frame that
    // would fit but is placed past an edge is clipped like any other frame.
    if (!obsah.snimky.empty()) {
        const Snimek& first = obsah.snimky.front();
        if (first.sirka > obsah.sirka || first.vyska > obsah.vyska) {
            obsah.sirka = std::max(obsah.sirka, first.x + first.sirka);
            obsah.vyska = std::max(obsah.vyska, first.y + first.vyska);
        }
    }
    return obsah;
}

} // namespace GifStruktura
