#include "image/GifPaleta.h"

#include <cstring>

#include "image/GifBloky.h"
#include "winlib/Chyby.h"

namespace {

using namespace GifBloky;

template <typename Bytes>
bool LacksColourTable(Bytes& in)
{
    BYTE header[kScreenDescriptorSize];
    if (!Read(in, header, kScreenDescriptorSize)) return false;
    if (std::memcmp(header, "GIF8", 4) != 0 || (header[10] & kColourTableFlag)) return false;

    BYTE block = 0;
    while (in.Get(block)) {
        if (block == kExtensionIntroducer) {
            if (!in.Skip(1) || !SkipSubBlocks(in)) return false;
        } else if (block == kImageIntroducer) {
            BYTE descriptor[kImageDescriptorSize];
            if (!Read(in, descriptor, kImageDescriptorSize)) return false;
            const BYTE flags = descriptor[kImageDescriptorSize - 1];
            if (!(flags & kColourTableFlag)) return true;
            // Colour table, LZW code size, then the image data.
            if (!in.Skip(ColourTableBytes(flags) + 1) || !SkipSubBlocks(in)) return false;
        } else {
            return false; // the trailer, or something only the decoder can judge
        }
    }
    return false;
}

} // namespace

bool GifLacksColourTable(const BYTE* data, size_t size)
{
    MemoryBytes in(data, size);
    return LacksColourTable(in);
}

bool GifFileLacksColourTable(const std::wstring& path)
{
    HANDLE file = OpenShared(path.c_str());
    if (file == INVALID_HANDLE_VALUE) return false;
    FileBytes in(file);
    const bool lacks = LacksColourTable(in);
    Close(file);
    return lacks;
}
