#include "image/GifZpozdeni.h"

#include <cstring>

#include "image/GifBloky.h"

namespace {

using namespace GifBloky;

constexpr BYTE kGraphicControlSize = 4; // packed fields, delay (2 bytes), transparent index

template <typename Bytes>
std::vector<UINT> FrameDelays(Bytes& in)
{
    std::vector<UINT> delays;
    BYTE header[kScreenDescriptorSize];
    if (!Read(in, header, kScreenDescriptorSize) || std::memcmp(header, "GIF8", 4) != 0) return delays;
    if ((header[10] & kColourTableFlag) && !in.Skip(ColourTableBytes(header[10]))) return delays;

    UINT pending = 0; // delay of the control extension waiting for its frame
    BYTE block = 0;
    while (in.Get(block)) {
        if (block == kExtensionIntroducer) {
            BYTE label = 0;
            if (!in.Get(label)) break;
            if (label == kGraphicControlLabel) {
                BYTE size = 0;
                BYTE fields[kGraphicControlSize];
                if (!in.Get(size) || size < kGraphicControlSize || !Read(in, fields, kGraphicControlSize) ||
                    !in.Skip(size - kGraphicControlSize))
                    break;
                pending = fields[1] | (UINT{fields[2]} << 8);
            }
            if (!SkipSubBlocks(in)) break;
        } else if (block == kImageIntroducer) {
            BYTE descriptor[kImageDescriptorSize];
            if (!Read(in, descriptor, kImageDescriptorSize)) break;
            const BYTE flags = descriptor[kImageDescriptorSize - 1];
            const size_t table = (flags & kColourTableFlag) ? ColourTableBytes(flags) : 0;
            // Colour table, LZW code size, then the image data; only a whole frame counts.
            if (!in.Skip(table + 1) || !SkipSubBlocks(in)) break;
            delays.push_back(pending);
            pending = 0;
        } else {
            break; // the trailer, or damage
        }
    }
    return delays;
}

} // namespace

std::vector<UINT> GifFrameDelays(const BYTE* data, size_t size)
{
    MemoryBytes in(data, size);
    return FrameDelays(in);
}

std::vector<UINT> GifFileFrameDelays(const std::wstring& path)
{
    HANDLE file = OpenShared(path.c_str());
    if (file == INVALID_HANDLE_VALUE) return {};
    FileBytes in(file);
    std::vector<UINT> delays = FrameDelays(in);
    Close(file);
    return delays;
}

size_t RepairDelays(UINT* table, size_t entries, UINT frameCount, const std::vector<UINT>& fileDelays)
{
    if (fileDelays.size() != frameCount) return 0;
    size_t repaired = 0;
    for (size_t i = 0; i < entries && i < fileDelays.size(); ++i) {
        if (table[i] == 0 && fileDelays[i] != 0) {
            table[i] = fileDelays[i];
            ++repaired;
        }
    }
    return repaired;
}
