#pragma once
// The variable-length LZW code of GIF image data. The codes are read straight from the
// file's data sub-blocks. Decoded values gather in a window the decoder owns; a code's string
// is copied from where it came out before, and only a string that has left the window is
// rebuilt along its chain of prefixes. Standard C++ only.
#include <cstddef>
#include <cstdint>
#include <memory>

class GifLzw {
public:
    // Values kept by default. A code's string is nearly always among the values decoded since
    // the last clear code, a few tens of thousands at most in photographic frames; a window no
    // larger stays in the cache, and opening a file touches few fresh pages for it.
    static constexpr size_t kOkno = size_t{1} << 16;

    // window: values the decoder keeps; fewer than a few rows' worth is raised to that.
    explicit GifLzw(size_t window = kOkno) : okno_(window) {}
    GifLzw(const GifLzw&) = delete;
    GifLzw& operator=(const GifLzw&) = delete;

    // Starts a stream of minimumCode (1..11; anything else ends at once) over subBlocks, the
    // image data as the file holds it: from the length byte of the first data sub-block to
    // the terminator or the end of the size bytes, whichever comes first. It is for a frame
    // of width x height values. The bytes stay the caller's and must outlive the decoding.
    void Start(unsigned minimumCode, const uint8_t* subBlocks, size_t size, uint32_t width, uint32_t height);

    // Decodes until at least `wanted` values (at most the frame's width) wait to be taken, or
    // the stream ends; returns how many wait. Once it decodes, it goes on up to `ahead` values
    // waiting (capped by the window): the values the caller will ask for next.
    size_t Fill(size_t wanted, size_t ahead = 0);
    // Values below 256 (minimum code sizes up to 8: every frame whose colour table has at
    // most 256 entries) come as bytes, which halves what decoding writes and drawing reads.
    bool Bytes() const { return minimalniKod_ <= 8; }
    const uint8_t* Values8() const { return hodnoty8_.get() + zacatek_; }
    const uint16_t* Values16() const { return hodnoty16_.get() + zacatek_; }
    size_t Available() const { return konec_ - zacatek_; }
    void Take(size_t count) { zacatek_ += count; }

    // The end code came, a code was not in the table, or the bytes ran out.
    bool Skoncil() const { return skoncil_; }

private:
    static constexpr unsigned kKodu = 4096; // 12-bit codes
    static constexpr unsigned kZadny = kKodu;
    // Room for the longest string and the over-copy past its end.
    static constexpr size_t kRezerva = kKodu + 16;

    void Clear();
    template <typename T> void Reserve(std::unique_ptr<T[]>& values, size_t room);
    template <typename T> void Compact(T* values);
    template <typename T> void Decode(T* out, size_t wanted);

    size_t okno_;
    const uint8_t* bajt_ = nullptr;
    const uint8_t* konecBloku_ = nullptr; // end of the sub-block being read
    const uint8_t* konecDat_ = nullptr;
    uint64_t bity_ = 0;
    unsigned pocetBitu_ = 0;

    unsigned minimalniKod_ = 0;
    unsigned clear_ = 0;
    unsigned sirkaKodu_ = 0;
    unsigned dalsi_ = 0; // the next code to be defined; kKodu once the table is full
    unsigned predchozi_ = kZadny;
    unsigned delkaPredchoziho_ = 0;
    bool skoncil_ = true;

    // One of the two in use, as Bytes() says; not vectors: growing them would zero values
    // that decoding overwrites anyway.
    std::unique_ptr<uint8_t[]> hodnoty8_;
    std::unique_ptr<uint16_t[]> hodnoty16_;
    size_t kapacita8_ = 0;
    size_t kapacita16_ = 0;
    size_t kapacita_ = 0; // of the one in use
    size_t zacatek_ = 0; // first value not yet taken
    size_t konec_ = 0;   // one past the last value decoded
    // Position in the whole stream of the first value kept; a frame's stream is below 2^32
    // values.
    uint32_t zaklad_ = 0;

    uint16_t predpona_[kKodu];
    uint16_t pripona_[kKodu];
    uint16_t delka_[kKodu];
    uint32_t poloha_[kKodu]; // where in the stream the code's string came out first
};
