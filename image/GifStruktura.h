#pragma once
// One walk over the blocks of a GIF held in memory: the logical screen and the table of the
// frames that can be decoded, with what their graphic control extensions say about them.
// Standard C++ only, so that the decoder also builds natively (the fuzz test does).
#include <cstddef>
#include <cstdint>
#include <vector>

namespace GifStruktura {

// What becomes of a frame's rectangle after the frame has been shown.
enum class Likvidace : uint8_t {
    Ponechat, // 0, 1 and the undefined 5..7: the frame stays
    Vymazat,  // 2: the rectangle becomes transparent
    Obnovit,  // 3, and 4 as some encoders write it: what was there before the frame returns
};

struct Snimek {
    // The rectangle as declared; it may reach outside the screen, which clips it.
    uint32_t x = 0;
    uint32_t y = 0;
    uint32_t sirka = 0;
    uint32_t vyska = 0;
    uint16_t zpozdeni = 0; // hundredths of a second; 0 without a control extension
    Likvidace likvidace = Likvidace::Ponechat;
    int pruhledny = -1; // transparent index, -1 without one
    bool prokladany = false;
    // LZW minimum code size as the file gives it; only 1..11 draws anything, and it is 0 when
    // the file ends before it.
    uint8_t minimalniKod = 0;
    // The colour table in force: the local one, else the global one; barev 0 when the file
    // has neither.
    size_t paleta = 0; // offset in the file
    uint32_t barev = 0;
    size_t data = 0;        // offset of the length byte of the first data sub-block
    bool dataCela = true;   // false when the file ends inside the frame

    // Whether the frame draws anything at all; one that does not still holds its delay and
    // leaves the canvas as it was.
    bool Kresli() const { return sirka > 0 && vyska > 0 && minimalniKod >= 1 && minimalniKod <= 11; } // codes of 12 bits at most
};

struct Obsah {
    bool gif = false; // the file starts with "GIF87a" or "GIF89a"
    // The logical screen, grown to hold the first frame where that frame is wider or taller.
    uint32_t sirka = 0;
    uint32_t vyska = 0;
    std::vector<Snimek> snimky;
    // The loop count of the first NETSCAPE2.0 (or ANIMEXTS1.0) application extension: -1
    // without one, 0 for ever, n for n repetitions after the first play.
    int opakovani = -1;
};

// Walks the blocks once. The walk ends at the trailer, at a byte that starts no block, or
// where the data ends; trailing bytes are never looked at. An image separator makes a frame,
// as browsers count them: one that the file cuts short (anywhere after its separator) is
// listed and ends the walk; one with an empty rectangle, a code size above 11 or no data
// draws nothing but keeps its delay and disposal. A frame whose code size is 0 is left out:
// the control extension before it applies to nothing.
Obsah Projdi(const uint8_t* data, size_t size);

} // namespace GifStruktura
