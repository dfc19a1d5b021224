#include "image/GifLzw.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace {

// Copies count values from an earlier place of the same buffer, 16 bytes at a time: up to
// 15 bytes past the end are written with whatever follows the source, to be overwritten
// later. Every value needed lies before `to`, so no chunk reads a value this copy has written.
template <typename T> inline void CopyForward(T* to, const T* from, size_t count)
{
    constexpr size_t kChunk = 16 / sizeof(T);
    for (size_t i = 0; i < count; i += kChunk) {
        T chunk[kChunk];
        std::memcpy(chunk, from + i, sizeof chunk);
        std::memcpy(to + i, chunk, sizeof chunk);
    }
}

// Every literal value in order, and room for CopyForward's over-read past the last.
template <typename T, size_t N> struct Literaly {
    T hodnoty[N + 16 / sizeof(T)] = {};
    constexpr Literaly()
    {
        for (size_t i = 0; i < N; ++i) hodnoty[i] = static_cast<T>(i);
    }
};
constexpr Literaly<uint8_t, 256> kLiteraly8;
constexpr Literaly<uint16_t, 2048> kLiteraly16;

template <typename T> const T* Literals()
{
    if constexpr (std::is_same_v<T, uint8_t>)
        return kLiteraly8.hodnoty;
    else
        return kLiteraly16.hodnoty;
}

} // namespace

void GifLzw::Start(unsigned minimumCode, const uint8_t* subBlocks, size_t size, uint32_t width, uint32_t height)
{
    bajt_ = subBlocks;
    konecBloku_ = subBlocks; // the first length byte comes next
    konecDat_ = subBlocks + size;
    bity_ = 0;
    pocetBitu_ = 0;
    skoncil_ = minimumCode < 1 || minimumCode > 11;
    minimalniKod_ = skoncil_ ? 1 : minimumCode;
    clear_ = 1u << minimalniKod_;
    for (unsigned i = 0; i < clear_; ++i) {
        predpona_[i] = 0;
        pripona_[i] = static_cast<uint16_t>(i);
        delka_[i] = 1;
        poloha_[i] = 0; // never used, but read
    }
    Clear();

    // Room for the whole frame up to the window, and for a few rows at least, so that what
    // waits to be taken never fills more than a quarter of it (see Compact).
    const uint64_t frame = uint64_t{width} * height;
    const size_t room = std::max<size_t>(static_cast<size_t>(std::min<uint64_t>(frame, okno_)),
                                         4 * (size_t{width} + kKodu)) + kRezerva;
    if (Bytes())
        Reserve(hodnoty8_, room);
    else
        Reserve(hodnoty16_, room);
    zacatek_ = 0;
    konec_ = 0;
    zaklad_ = 0;
}

template <typename T> void GifLzw::Reserve(std::unique_ptr<T[]>& values, size_t room)
{
    size_t& capacity = std::is_same_v<T, uint8_t> ? kapacita8_ : kapacita16_;
    if (capacity < room) {
        values.reset(new T[room]);
        capacity = room;
    }
    kapacita_ = capacity;
}

void GifLzw::Clear()
{
    sirkaKodu_ = minimalniKod_ + 1;
    dalsi_ = clear_ + 2;
    predchozi_ = kZadny;
    delkaPredchoziho_ = 0;
}

size_t GifLzw::Fill(size_t wanted, size_t ahead)
{
    // Going on past `wanted` in the same pass spares a call, and the loading and storing of
    // the decoder's state, per row; what waits stays within a quarter of the window.
    const size_t most = std::max(wanted, std::min(ahead, kapacita_ / 4));
    while (!skoncil_ && Available() < wanted) {
        if (Bytes()) {
            if (konec_ > kapacita_ - kRezerva) Compact(hodnoty8_.get());
            Decode(hodnoty8_.get(), most);
        } else {
            if (konec_ > kapacita_ - kRezerva) Compact(hodnoty16_.get());
            Decode(hodnoty16_.get(), most);
        }
    }
    return Available();
}

// Keeps what waits to be taken and the most recent quarter of the window, where the strings
// of the latest codes are, and drops the rest.
template <typename T> void GifLzw::Compact(T* values)
{
    const size_t history = kapacita_ / 4;
    const size_t from = std::min(zacatek_, konec_ > history ? konec_ - history : 0);
    std::memmove(values, values + from, (konec_ - from) * sizeof(T));
    zaklad_ += static_cast<uint32_t>(from);
    zacatek_ -= from;
    konec_ -= from;
    if (konec_ > kapacita_ - kRezerva) skoncil_ = true; // cannot happen: wanted is below a quarter
}

template <typename T> void GifLzw::Decode(T* const out, size_t wanted)
{
    // The state lives in locals while the loop runs: the compiler would otherwise store and
    // reload the members around every write to the values.
    const uint8_t* bajt = bajt_;
    const uint8_t* konecBloku = konecBloku_;
    const uint8_t* const konecDat = konecDat_;
    uint64_t bity = bity_;
    unsigned pocetBitu = pocetBitu_;
    unsigned sirkaKodu = sirkaKodu_;
    unsigned dalsi = dalsi_;
    unsigned predchozi = predchozi_;
    size_t delkaPredchoziho = delkaPredchoziho_;
    const unsigned clear = clear_;
    const uint32_t zaklad = zaklad_;
    uint16_t* const predpona = predpona_;
    uint16_t* const pripona = pripona_;
    uint16_t* const delka = delka_;
    uint32_t* const poloha = poloha_;
    const T* const literaly = Literals<T>();
    bool skoncil = false;

    size_t n = konec_;
    const size_t target = zacatek_ + wanted;
    const size_t limit = kapacita_ - kRezerva;
    while (n < target && n <= limit) {
        if (pocetBitu < sirkaKodu) {
            if (konecBloku - bajt >= 8) {
                uint64_t next = 0;
                std::memcpy(&next, bajt, 8); // GIF packs codes from the lowest bit up
                bity |= next << pocetBitu;
                bajt += (63 - pocetBitu) >> 3;
                pocetBitu |= 56;
            } else {
                // Near a sub-block's end: a byte at a time, over the next length byte.
                while (pocetBitu <= 56) {
                    if (bajt == konecBloku) {
                        if (bajt == konecDat || *bajt == 0) break; // the terminator or the file's end
                        const size_t length = *bajt++;
                        konecBloku = bajt + std::min<size_t>(length, static_cast<size_t>(konecDat - bajt));
                        continue;
                    }
                    bity |= uint64_t{*bajt++} << pocetBitu;
                    pocetBitu += 8;
                }
                if (pocetBitu < sirkaKodu) {
                    skoncil = true; // the data ran out
                    break;
                }
            }
        }
        const unsigned code = static_cast<unsigned>(bity) & ((1u << sirkaKodu) - 1);
        bity >>= sirkaKodu;
        pocetBitu -= sirkaKodu;

        size_t length = 0;
        T first = 0;
        // The clear and end codes, and codes that cannot come here, are rare: a single test
        // sends them aside, and the code being defined with them.
        if (code >= clear && (code <= clear + 1 || code >= dalsi || predchozi == kZadny)) {
            if (code == clear) {
                sirkaKodu = minimalniKod_ + 1;
                dalsi = clear + 2;
                predchozi = kZadny;
                continue;
            }
            // The end code; a code not yet defined; a string code right after a clear code.
            if (code != dalsi || dalsi == kKodu || predchozi == kZadny) {
                skoncil = true;
                break;
            }
            // The code being defined: the previous string and its own first value.
            length = delkaPredchoziho + 1;
            first = out[n - delkaPredchoziho];
            CopyForward(out + n, out + n - delkaPredchoziho, delkaPredchoziho);
            out[n + delkaPredchoziho] = first;
        } else {
            // A literal is copied from the table of literals like any string from the
            // window, so that the mix of the two in dithered pictures costs no mispredictions.
            const bool literal = code < clear;
            length = delka[code]; // 1 for a literal
            const uint32_t from = poloha[code];
            if (literal || (from >= zaklad && from - zaklad + length <= n)) {
                const T* source = literal ? literaly + code : out + (from - zaklad);
                first = *source;
                CopyForward(out + n, source, length);
            } else { // gone from the window: along the chain, last value first
                T* p = out + n + length;
                unsigned c = code;
                while (p != out + n) {
                    first = static_cast<T>(pripona[c]);
                    *--p = first;
                    c = predpona[c];
                }
            }
        }
        // Once the table is full it stays as it is until a clear code (a "deferred clear").
        // Codes widen once the next code to define does not fit; ">=" and not "==" because
        // with a minimum code size of 1 the first code to define (4) is already too wide, so
        // the code after the first literal is 3 bits wide, as giflib reads it.
        if (predchozi != kZadny && dalsi < kKodu) {
            predpona[dalsi] = static_cast<uint16_t>(predchozi);
            pripona[dalsi] = first;
            delka[dalsi] = static_cast<uint16_t>(delkaPredchoziho + 1);
            poloha[dalsi] = zaklad + static_cast<uint32_t>(n - delkaPredchoziho);
            ++dalsi;
        }
        if (dalsi >= (1u << sirkaKodu) && sirkaKodu < 12) ++sirkaKodu;
        n += length;
        predchozi = code;
        delkaPredchoziho = length;
    }

    bajt_ = bajt;
    konecBloku_ = konecBloku;
    bity_ = bity;
    pocetBitu_ = pocetBitu;
    sirkaKodu_ = sirkaKodu;
    dalsi_ = dalsi;
    predchozi_ = predchozi;
    delkaPredchoziho_ = delkaPredchoziho;
    konec_ = n;
    skoncil_ = skoncil;
}
