#pragma once
// Animora's own GIF decoder: frames composed on the logical screen as browsers compose them,
// decoded lazily from the file's bytes. Playing forward needs nothing but the canvas; once
// the program gives it a budget, full-canvas checkpoints let an earlier frame be reached in a
// handful of frame decodes. Standard C++ only (no Win32): the program wraps it, and the fuzz
// test builds it natively. One thread per instance.
//
// Pixels are 32-bit 0xAARRGGBB values (bytes B, G, R, A in memory), straight alpha; the
// canvas starts fully transparent (0). Damaged files give what browsers show: a frame cut
// short shows the pixels it decoded over the canvas as it was, and a frame with nothing to
// draw leaves the canvas as it was for its delay.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "image/GifLzw.h"
#include "image/GifStruktura.h"

// Owns a copy of the file's bytes and every buffer; not copyable.
class GifDekoder {
public:
    enum class Otevreni {
        Otevreno,    // ready: Width, Height, FrameCount and the frames
        NeniGif,     // no "GIF87a" / "GIF89a" signature: another decoder's file
        PrilisVelky, // the canvas holds more pixels than the budget allows
        ZadnySnimek, // a GIF without a single frame that can be decoded
    };

    struct Limity {
        uint64_t pixelu = uint64_t{64} << 20; // largest canvas, width * height
        size_t pametKontrol = 0;              // checkpoint budget each Open starts with
        size_t oknoLzw = GifLzw::kOkno;       // decoded values the LZW decoder keeps
    };

    GifDekoder() : GifDekoder(Limity{}) {}
    explicit GifDekoder(Limity limity) : limity_(limity), lzw_(limity.oknoLzw) {}
    GifDekoder(const GifDekoder&) = delete;
    GifDekoder& operator=(const GifDekoder&) = delete;

    // Takes the whole file; walks its blocks once and composes frame 0. Any earlier file is
    // dropped first. Only Otevreno leaves frames to ask for.
    Otevreni Open(std::vector<uint8_t> file);
    // Drops the file and every buffer.
    void Close();

    // The canvas: the logical screen, grown to hold the first frame where that frame is wider
    // or taller than the screen (it then keeps its offset).
    uint32_t Width() const { return sirka_; }
    uint32_t Height() const { return vyska_; }
    size_t FrameCount() const { return snimky_.size(); }
    // The file's loop count: -1 without one, 0 for ever, n for n repetitions after the first play.
    int Opakovani() const { return opakovani_; }
    // Delay of frame i in hundredths of a second (0 without a control extension).
    uint16_t Delay(size_t i) const { return snimky_[i].zpozdeni; }
    // Rectangle, disposal, transparent index and interlacing of frame i as the file gives them.
    const GifStruktura::Snimek& Info(size_t i) const { return snimky_[i]; }
    // False when the file ends inside frame i's data or, once frame i has been composed, when
    // its image data ended before the last row the canvas shows.
    bool Uplny(size_t i) const { return snimky_[i].dataCela && !kratke_[i]; }

    // Composes frame i and returns Width() * Height() pixels, row by row, valid until the
    // next call that composes or opens; null when i is not below FrameCount().
    const uint32_t* Snimek(size_t i);
    // The first frame Snimek(i) will compose from the present state: i when i is on the
    // canvas already, one after the frame on the canvas when going forward, else the nearest
    // checkpoint before i (0 when there is none). Every frame from there to i passes over
    // the canvas on the way.
    size_t PrvniSnimekCesty(size_t i) const;

    // Bytes the checkpoints may hold; 0, the state after Open, keeps none. As many whole
    // canvases as the budget holds are spaced evenly over the animation (every frame's when
    // they all fit); each is filled when a composition passes its frame on the way to a frame
    // it is the nearest checkpoint before, not before. A lower budget drops at once what no
    // longer fits.
    void NastavitRozpocetKontrol(size_t bajtu);
    // Bytes the checkpoints hold now.
    size_t PametKontrol() const;
    // Frames between checkpoints (0 when the budget holds none); for tests and benchmarks.
    size_t RozestupKontrol() const { return rozestup_; }

private:
    enum class Stav { Zaklad, Zobrazen }; // the canvas before frame index_ is drawn / showing it

    void Draw(size_t i);
    void Dispose(size_t i);
    // Lays the first `count` decoded values waiting in the LZW decoder (at most a row) on row
    // `row` of the frame.
    void EmitDecoded(const GifStruktura::Snimek& s, uint32_t row, size_t count);
    template <typename T>
    void EmitRow(const GifStruktura::Snimek& s, uint32_t row, const T* values, size_t available);
    void BuildPalette(const GifStruktura::Snimek& s);
    // The slot of the checkpoint before frame i, or null when i has none.
    std::vector<uint32_t>* Checkpoint(size_t i);
    void CopyRect(const GifStruktura::Snimek& s, bool save);
    size_t Pixels() const { return size_t{sirka_} * vyska_; }

    // The canvas comes from calloc: fresh memory is zero already, so frame 0 after Open is
    // drawn without first clearing the whole canvas.
    struct Uvolnit {
        void operator()(uint32_t* p) const { std::free(p); }
    };

    Limity limity_;
    std::vector<uint8_t> soubor_;
    uint32_t sirka_ = 0;
    uint32_t vyska_ = 0;
    std::vector<GifStruktura::Snimek> snimky_;
    int opakovani_ = -1;
    std::vector<uint8_t> kratke_; // per frame: its data ended short when it was composed

    std::unique_ptr<uint32_t[], Uvolnit> platno_;
    Stav stav_ = Stav::Zaklad;
    size_t index_ = 0;
    std::vector<uint32_t> predchozi_; // the rectangle under the frame shown, kept for disposal 3
    size_t rozestup_ = 0;
    // kontroly_[j]: the canvas before frame (j + 1) * rozestup_, empty until a composition
    // passes that frame.
    std::vector<std::vector<uint32_t>> kontroly_;

    GifLzw lzw_;
    uint32_t paleta_[1u << 11] = {}; // 0 marks the transparent index
    bool pruhlednost_ = false;
};
