#include "image/GifPaleta.h"

#include <cstring>
#include <vector>

#include "winlib/Chyby.h"

namespace {

constexpr BYTE kColourTableFlag = 0x80;
constexpr BYTE kExtensionIntroducer = 0x21;
constexpr BYTE kImageIntroducer = 0x2C;
constexpr size_t kScreenDescriptorSize = 13; // "GIF8xa" and the logical screen descriptor
constexpr size_t kImageDescriptorSize = 9;   // after the introducer
constexpr DWORD kReadChunk = 64 * 1024;

// Forward-only reading over a block of memory.
class MemoryBytes {
public:
    MemoryBytes(const BYTE* data, size_t size) : data_(data), size_(size) {}
    bool Get(BYTE& b)
    {
        if (pos_ >= size_) return false;
        b = data_[pos_++];
        return true;
    }

private:
    const BYTE* data_;
    size_t size_;
    size_t pos_ = 0;
};

// Forward-only reading over an open file, one chunk at a time.
class FileBytes {
public:
    explicit FileBytes(HANDLE file) : file_(file), buffer_(kReadChunk) {}
    bool Get(BYTE& b)
    {
        if (pos_ == got_ && !Refill()) return false;
        b = buffer_[pos_++];
        return true;
    }

private:
    bool Refill()
    {
        DWORD got = 0;
        if (!ReadFile(file_, buffer_.data(), kReadChunk, &got, nullptr) || got == 0) return false;
        got_ = got;
        pos_ = 0;
        return true;
    }

    HANDLE file_;
    std::vector<BYTE> buffer_;
    size_t got_ = 0;
    size_t pos_ = 0;
};

template <typename Bytes>
bool Skip(Bytes& in, size_t count)
{
    BYTE ignored = 0;
    for (size_t i = 0; i < count; ++i)
        if (!in.Get(ignored)) return false;
    return true;
}

template <typename Bytes>
bool SkipSubBlocks(Bytes& in)
{
    BYTE size = 0;
    while (in.Get(size) && size != 0)
        if (!Skip(in, size)) return false;
    return size == 0;
}

size_t ColourTableBytes(BYTE flags) { return size_t{3} << ((flags & 7) + 1); }

template <typename Bytes>
bool LacksColourTable(Bytes& in)
{
    BYTE header[kScreenDescriptorSize];
    for (BYTE& b : header)
        if (!in.Get(b)) return false;
    if (std::memcmp(header, "GIF8", 4) != 0 || (header[10] & kColourTableFlag)) return false;

    BYTE block = 0;
    while (in.Get(block)) {
        if (block == kExtensionIntroducer) {
            if (!Skip(in, 1) || !SkipSubBlocks(in)) return false;
        } else if (block == kImageIntroducer) {
            BYTE descriptor[kImageDescriptorSize];
            for (BYTE& b : descriptor)
                if (!in.Get(b)) return false;
            const BYTE flags = descriptor[kImageDescriptorSize - 1];
            if (!(flags & kColourTableFlag)) return true;
            // Colour table, LZW code size, then the image data.
            if (!Skip(in, ColourTableBytes(flags) + 1) || !SkipSubBlocks(in)) return false;
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
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    FileBytes in(file);
    const bool lacks = LacksColourTable(in);
    if (!CloseHandle(file)) Tarnel::WinApi::RaiseLastError();
    return lacks;
}
