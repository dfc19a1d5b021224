#include "image/GifDekoder.h"

#include <algorithm>
#include <cstring>
#include <new>

using GifStruktura::Likvidace;

namespace {

constexpr uint32_t kOpaqueBlack = 0xFF000000u;

// Rows of an interlaced frame come in four passes: every 8th from 0, every 8th from 4,
// every 4th from 2, every 2nd from 1.
constexpr uint32_t kPassStart[] = {0, 4, 2, 1};
constexpr uint32_t kPassStep[] = {8, 8, 4, 2};

// The part of the frame's rectangle that lies on the canvas, in canvas coordinates.
struct Clip {
    uint32_t x0, y0, x1, y1;
    bool Empty() const { return x0 >= x1 || y0 >= y1; }
};

Clip ClipOf(const GifStruktura::Snimek& s, uint32_t width, uint32_t height)
{
    return {std::min(s.x, width), std::min(s.y, height), std::min(s.x + s.sirka, width),
            std::min(s.y + s.vyska, height)};
}

} // namespace

GifDekoder::Otevreni GifDekoder::Open(std::vector<uint8_t> file)
{
    Close();
    soubor_ = std::move(file);
    GifStruktura::Obsah obsah = GifStruktura::Projdi(soubor_.data(), soubor_.size());
    if (!obsah.gif) return Otevreni::NeniGif;
    const uint64_t pixels = uint64_t{obsah.sirka} * obsah.vyska;
    // Frames that draw nothing still need a canvas to leave as it was.
    if (obsah.snimky.empty() || pixels == 0) return Otevreni::ZadnySnimek;
    if (pixels > limity_.pixelu) return Otevreni::PrilisVelky;

    platno_.reset(static_cast<uint32_t*>(std::calloc(static_cast<size_t>(pixels), sizeof(uint32_t))));
    if (!platno_) throw std::bad_alloc();
    sirka_ = obsah.sirka;
    vyska_ = obsah.vyska;
    snimky_ = std::move(obsah.snimky);
    opakovani_ = obsah.opakovani;
    kratke_.assign(snimky_.size(), 0);
    NastavitRozpocetKontrol(limity_.pametKontrol);
    Snimek(0);
    return Otevreni::Otevreno;
}

void GifDekoder::Close()
{
    // Assigning empty vectors gives the memory back; clear() would keep it.
    soubor_ = {};
    sirka_ = 0;
    vyska_ = 0;
    snimky_ = {};
    opakovani_ = -1;
    kratke_ = {};
    platno_.reset();
    stav_ = Stav::Zaklad;
    index_ = 0;
    predchozi_ = {};
    rozestup_ = 0;
    kontroly_ = {};
}

void GifDekoder::NastavitRozpocetKontrol(size_t bajtu)
{
    // The blank canvas before frame 0 needs no checkpoint.
    const size_t frames = snimky_.size();
    const size_t slots = frames > 1 ? bajtu / (Pixels() * sizeof(uint32_t)) : 0;
    const size_t spacing = slots ? (frames + slots) / (slots + 1) : 0;
    if (spacing == rozestup_) return;

    // Checkpoints that fall on the new spacing stay; the others are freed.
    std::vector<std::vector<uint32_t>> kept(spacing ? (frames - 1) / spacing : 0);
    for (size_t j = 0; j < kept.size(); ++j) {
        const size_t frame = (j + 1) * spacing;
        if (rozestup_ && frame % rozestup_ == 0 && frame / rozestup_ <= kontroly_.size())
            kept[j] = std::move(kontroly_[frame / rozestup_ - 1]);
    }
    kontroly_ = std::move(kept);
    rozestup_ = spacing;
}

size_t GifDekoder::PametKontrol() const
{
    size_t bytes = 0;
    for (const std::vector<uint32_t>& k : kontroly_) bytes += k.capacity() * sizeof(uint32_t);
    return bytes;
}

std::vector<uint32_t>* GifDekoder::Checkpoint(size_t i)
{
    if (!rozestup_ || i == 0 || i % rozestup_ != 0 || i / rozestup_ > kontroly_.size()) return nullptr;
    return &kontroly_[i / rozestup_ - 1];
}

size_t GifDekoder::PrvniSnimekCesty(size_t i) const
{
    if (stav_ == Stav::Zobrazen && index_ == i) return i;
    size_t start = 0;
    if (rozestup_) {
        for (size_t c = std::min(i / rozestup_, kontroly_.size()); c > 0; --c) {
            if (!kontroly_[c - 1].empty()) {
                start = c * rozestup_;
                break;
            }
        }
    }
    if (stav_ == Stav::Zobrazen && index_ < i) start = std::max(start, index_ + 1);
    if (stav_ == Stav::Zaklad && index_ <= i) start = std::max(start, index_);
    return start;
}

const uint32_t* GifDekoder::Snimek(size_t i)
{
    if (i >= snimky_.size()) return nullptr;
    if (stav_ == Stav::Zobrazen && index_ == i) return platno_.get();

    const size_t start = PrvniSnimekCesty(i);
    if (stav_ == Stav::Zobrazen && index_ + 1 == start) {
        Dispose(index_);
    } else if (!(stav_ == Stav::Zaklad && index_ == start)) {
        if (start == 0)
            std::fill(platno_.get(), platno_.get() + Pixels(), 0u);
        else
            std::memcpy(platno_.get(), Checkpoint(start)->data(), Pixels() * sizeof(uint32_t));
    }
    // Only the checkpoint nearest before i is filled on the way: it is the one the next steps
    // back start from, and each one filled means a whole canvas of fresh memory, which is what
    // a first step back far from the start would otherwise spend most of its time on.
    const size_t nearest = rozestup_ ? i / rozestup_ * rozestup_ : 0;
    for (size_t f = start;; ++f) {
        std::vector<uint32_t>* slot = f == nearest ? Checkpoint(f) : nullptr;
        if (slot && slot->empty()) slot->assign(platno_.get(), platno_.get() + Pixels());
        Draw(f);
        if (f == i) break;
        Dispose(f);
    }
    stav_ = Stav::Zobrazen;
    index_ = i;
    return platno_.get();
}

void GifDekoder::CopyRect(const GifStruktura::Snimek& s, bool save)
{
    const Clip c = ClipOf(s, sirka_, vyska_);
    if (c.Empty()) return;
    const size_t w = c.x1 - c.x0;
    if (save) predchozi_.resize(w * (c.y1 - c.y0));
    for (uint32_t y = c.y0; y < c.y1; ++y) {
        uint32_t* canvas = platno_.get() + size_t{y} * sirka_ + c.x0;
        uint32_t* kept = predchozi_.data() + (y - c.y0) * w;
        if (save)
            std::memcpy(kept, canvas, w * sizeof(uint32_t));
        else
            std::memcpy(canvas, kept, w * sizeof(uint32_t));
    }
}

void GifDekoder::Dispose(size_t i)
{
    const GifStruktura::Snimek& s = snimky_[i];
    if (s.likvidace == Likvidace::Obnovit) {
        CopyRect(s, false);
    } else if (s.likvidace == Likvidace::Vymazat) {
        const Clip c = ClipOf(s, sirka_, vyska_);
        for (uint32_t y = c.y0; y < c.y1; ++y) {
            uint32_t* row = platno_.get() + size_t{y} * sirka_;
            std::fill(row + c.x0, row + c.x1, 0u);
        }
    }
    stav_ = Stav::Zaklad;
    index_ = i + 1;
}

void GifDekoder::BuildPalette(const GifStruktura::Snimek& s)
{
    // Values past the table, and every value of a frame without any table, are opaque
    // black, as Chromium's decoder shows them.
    const uint32_t values = 1u << s.minimalniKod;
    const uint32_t entries = std::min(s.barev, values);
    const uint8_t* rgb = soubor_.data() + s.paleta;
    for (uint32_t i = 0; i < entries; ++i, rgb += 3)
        paleta_[i] = kOpaqueBlack | (uint32_t{rgb[0]} << 16) | (uint32_t{rgb[1]} << 8) | rgb[2];
    std::fill(paleta_ + entries, paleta_ + values, kOpaqueBlack);
    pruhlednost_ = s.pruhledny >= 0 && static_cast<uint32_t>(s.pruhledny) < values;
    if (pruhlednost_) paleta_[s.pruhledny] = 0;
}

template <typename T>
void GifDekoder::EmitRow(const GifStruktura::Snimek& s, uint32_t row, const T* values, size_t available)
{
    const uint32_t y = s.y + row;
    if (y >= vyska_ || s.x >= sirka_) return;
    const uint32_t x1 = std::min(s.x + s.sirka, sirka_);
    uint32_t* out = platno_.get() + size_t{y} * sirka_ + s.x;
    const uint32_t count = static_cast<uint32_t>(std::min<size_t>(x1 - s.x, available));
    if (pruhlednost_) {
        // Without a branch: transparent and opaque pixels alternate unpredictably in dithered
        // frames whose unchanged pixels an encoder made transparent.
        for (uint32_t x = 0; x < count; ++x) {
            const uint32_t colour = paleta_[values[x]];
            const uint32_t keep = 0u - static_cast<uint32_t>(colour == 0);
            out[x] = colour | (out[x] & keep);
        }
    } else {
        for (uint32_t x = 0; x < count; ++x) out[x] = paleta_[values[x]];
    }
}

void GifDekoder::EmitDecoded(const GifStruktura::Snimek& s, uint32_t row, size_t count)
{
    if (lzw_.Bytes())
        EmitRow(s, row, lzw_.Values8(), count);
    else
        EmitRow(s, row, lzw_.Values16(), count);
}

void GifDekoder::Draw(size_t i)
{
    const GifStruktura::Snimek& s = snimky_[i];
    if (s.likvidace == Likvidace::Obnovit) CopyRect(s, true);
    // Nothing of it shows, or it has nothing to show: no need to decode it.
    if (!s.Kresli() || ClipOf(s, sirka_, vyska_).Empty()) return;

    BuildPalette(s);
    lzw_.Start(s.minimalniKod, soubor_.data() + s.data, soubor_.size() - s.data, s.sirka, s.vyska);

    uint32_t pass = 0;
    uint32_t row = 0; // row within the frame, in the order the file gives them
    uint32_t rowsDone = 0;
    // Rows past the canvas's bottom are never seen; a non-interlaced frame can stop there.
    const uint32_t rowsNeeded = s.prokladany ? s.vyska : std::min(s.vyska, vyska_ - s.y);
    while (rowsDone < rowsNeeded && lzw_.Fill(s.sirka, size_t{rowsNeeded - rowsDone} * s.sirka) >= s.sirka) {
        EmitDecoded(s, row, s.sirka);
        lzw_.Take(s.sirka);
        ++rowsDone;
        if (!s.prokladany) {
            ++row;
            continue;
        }
        row += kPassStep[pass];
        while (row >= s.vyska && pass < 3) row = kPassStart[++pass];
    }
    kratke_[i] = rowsDone < rowsNeeded;
    // The row the data ends in shows the pixels it got, as browsers show them.
    if (kratke_[i] && lzw_.Available() > 0) EmitDecoded(s, row, lzw_.Available());
}
