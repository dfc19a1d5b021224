#include "image/GifDekoder.h"

#include <algorithm>
#include <cstring>

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
    if (obsah.snimky.empty()) return Otevreni::ZadnySnimek;
    const uint64_t pixels = uint64_t{obsah.sirka} * obsah.vyska;
    if (pixels > limity_.pixelu) return Otevreni::PrilisVelky;

    sirka_ = obsah.sirka;
    vyska_ = obsah.vyska;
    snimky_ = std::move(obsah.snimky);
    opakovani_ = obsah.opakovani;
    kratke_.assign(snimky_.size(), 0);
    platno_.assign(static_cast<size_t>(pixels), 0);

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
    platno_ = {};
    stav_ = Stav::Zaklad;
    index_ = 0;
    predchozi_ = {};
    rozestup_ = 0;
    kontroly_ = {};
}

void GifDekoder::NastavitRozpocetKontrol(size_t bajtu)
{
    // Checkpoints evenly spaced over the animation, as many as the budget holds; the blank
    // canvas before frame 0 needs none.
    rozestup_ = 0;
    kontroly_ = {};
    const size_t platno = platno_.size() * sizeof(uint32_t);
    const size_t slots = platno ? bajtu / platno : 0;
    if (slots > 0 && snimky_.size() > 1) {
        rozestup_ = (snimky_.size() + slots) / (slots + 1);
        kontroly_.resize((snimky_.size() - 1) / rozestup_);
    }
}

size_t GifDekoder::PametKontrol() const
{
    size_t bajtu = 0;
    for (const auto& k : kontroly_) bajtu += k.size() * sizeof(uint32_t);
    return bajtu;
}

size_t GifDekoder::PrvniSnimekCesty(size_t i) const
{
    if (stav_ == Stav::Zobrazen && index_ == i) return i;
    size_t start = 0;
    if (rozestup_) {
        for (size_t c = i / rozestup_ * rozestup_; c > 0; c -= rozestup_) {
            if (c / rozestup_ - 1 < kontroly_.size() && !kontroly_[c / rozestup_ - 1].empty()) {
                start = c;
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
    if (stav_ == Stav::Zobrazen && index_ == i) return platno_.data();

    const size_t start = PrvniSnimekCesty(i);
    if (stav_ == Stav::Zobrazen && index_ + 1 == start) {
        Dispose(index_);
    } else if (!(stav_ == Stav::Zaklad && index_ == start)) {
        if (start == 0)
            std::fill(platno_.begin(), platno_.end(), 0u);
        else
            platno_ = kontroly_[start / rozestup_ - 1];
    }
    for (size_t f = start;; ++f) {
        if (IsCheckpoint(f)) {
            std::vector<uint32_t>& slot = kontroly_[f / rozestup_ - 1];
            if (slot.empty()) slot = platno_;
        }
        Draw(f);
        if (f == i) break;
        Dispose(f);
    }
    stav_ = Stav::Zobrazen;
    index_ = i;
    return platno_.data();
}

void GifDekoder::CopyRect(const GifStruktura::Snimek& s, bool save)
{
    const Clip c = ClipOf(s, sirka_, vyska_);
    if (c.Empty()) return;
    const size_t w = c.x1 - c.x0;
    if (save) predchozi_.resize(w * (c.y1 - c.y0));
    for (uint32_t y = c.y0; y < c.y1; ++y) {
        uint32_t* canvas = platno_.data() + size_t{y} * sirka_ + c.x0;
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
            uint32_t* row = platno_.data() + size_t{y} * sirka_;
            std::fill(row + c.x0, row + c.x1, 0u);
        }
    }
    stav_ = Stav::Zaklad;
    index_ = i + 1;
}

void GifDekoder::GatherData(const GifStruktura::Snimek& s)
{
    data_.clear();
    size_t pos = s.data;
    while (pos < soubor_.size() && soubor_[pos] != 0) {
        const size_t length = std::min<size_t>(soubor_[pos], soubor_.size() - pos - 1);
        data_.insert(data_.end(), soubor_.begin() + static_cast<ptrdiff_t>(pos + 1),
                     soubor_.begin() + static_cast<ptrdiff_t>(pos + 1 + length));
        pos += 1 + length;
    }
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

void GifDekoder::EmitRow(const GifStruktura::Snimek& s, uint32_t row, const uint16_t* values)
{
    const uint32_t y = s.y + row;
    if (y >= vyska_ || s.x >= sirka_) return;
    const uint32_t x1 = std::min(s.x + s.sirka, sirka_);
    uint32_t* out = platno_.data() + size_t{y} * sirka_ + s.x;
    const uint32_t count = x1 - s.x;
    if (pruhlednost_) {
        for (uint32_t x = 0; x < count; ++x) {
            const uint32_t colour = paleta_[values[x]];
            if (colour) out[x] = colour;
        }
    } else {
        for (uint32_t x = 0; x < count; ++x) out[x] = paleta_[values[x]];
    }
}

void GifDekoder::Draw(size_t i)
{
    const GifStruktura::Snimek& s = snimky_[i];
    if (s.likvidace == Likvidace::Obnovit) CopyRect(s, true);
    if (ClipOf(s, sirka_, vyska_).Empty()) return; // nothing of it shows: no need to decode it

    BuildPalette(s);
    GatherData(s);
    lzw_.Start(s.minimalniKod, data_.data(), data_.size(), s.sirka, s.vyska);

    uint32_t pass = 0;
    uint32_t row = 0; // row within the frame, in the order the file gives them
    uint32_t rowsDone = 0;
    // Rows past the canvas's bottom are never seen; a non-interlaced frame can stop there.
    const uint32_t rowsNeeded = s.prokladany ? s.vyska : std::min(s.vyska, vyska_ - s.y);
    while (rowsDone < rowsNeeded && lzw_.Fill(s.sirka) >= s.sirka) {
        EmitRow(s, row, lzw_.Values());
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
}
