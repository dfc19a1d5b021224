#pragma once
// Forward-only reading of GIF blocks, over memory or over an open file, for the checks the
// model makes on a file's own blocks before and after the decoder has read it.
#include <windows.h>

#include <cstddef>
#include <vector>

namespace GifBloky {

constexpr BYTE kColourTableFlag = 0x80;
constexpr BYTE kExtensionIntroducer = 0x21;
constexpr BYTE kImageIntroducer = 0x2C;
constexpr BYTE kTrailer = 0x3B;
constexpr BYTE kGraphicControlLabel = 0xF9;
constexpr size_t kScreenDescriptorSize = 13; // "GIF8xa" and the logical screen descriptor
constexpr size_t kImageDescriptorSize = 9;   // after the introducer

class MemoryBytes {
public:
    MemoryBytes(const BYTE* data, size_t size) : data_(data), size_(size) {}
    bool Get(BYTE& b)
    {
        if (pos_ >= size_) return false;
        b = data_[pos_++];
        return true;
    }
    bool Skip(size_t count)
    {
        if (count > size_ - pos_) return false;
        pos_ += count;
        return true;
    }

private:
    const BYTE* data_;
    size_t size_;
    size_t pos_ = 0;
};

// Reads the file one chunk at a time; the file stays the caller's.
class FileBytes {
public:
    static constexpr DWORD kChunk = 64 * 1024;

    explicit FileBytes(HANDLE file) : file_(file), buffer_(kChunk) {}
    bool Get(BYTE& b)
    {
        if (pos_ == got_ && !Refill()) return false;
        b = buffer_[pos_++];
        return true;
    }
    bool Skip(size_t count)
    {
        while (count > got_ - pos_) {
            count -= got_ - pos_;
            pos_ = got_;
            if (!Refill()) return false;
        }
        pos_ += count;
        return true;
    }

private:
    bool Refill()
    {
        DWORD got = 0;
        if (!ReadFile(file_, buffer_.data(), kChunk, &got, nullptr) || got == 0) return false;
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
bool Read(Bytes& in, BYTE* to, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        if (!in.Get(to[i])) return false;
    return true;
}

// Skips a chain of data sub-blocks up to and including its empty terminator.
template <typename Bytes>
bool SkipSubBlocks(Bytes& in)
{
    BYTE size = 0;
    while (in.Get(size) && size != 0)
        if (!in.Skip(size)) return false;
    return size == 0;
}

inline size_t ColourTableBytes(BYTE flags) { return size_t{3} << ((flags & 7) + 1); }

// Opens a file for reading while others (the decoder among them) may have it open too;
// INVALID_HANDLE_VALUE when it cannot be opened.
HANDLE OpenShared(const wchar_t* path);
// Closes what OpenShared opened; a failure is not expected.
void Close(HANDLE file);

} // namespace GifBloky
