// Drawing frames: the pictures the frame service hands out, kept or drawn afresh, and their
// copy to a device context.
#include "image/GifAnimace.h"

#include <algorithm>

#include "winlib/Chyby.h"

using namespace Tarnel::WinApi;

namespace {

constexpr uint64_t kMalaAnimace = uint64_t{16} << 20;
constexpr uint64_t kNejvyssiRozpocet = uint64_t{64} << 20;

// A picture's pixel of the colour; GDI leaves the alpha byte of a 32-bit bitmap 0 where it
// paints, and the pictures do the same.
uint32_t Pixel(COLORREF barva)
{
    return (uint32_t{GetRValue(barva)} << 16) | (uint32_t{GetGValue(barva)} << 8) | GetBValue(barva);
}

bool JednaBarva(HBRUSH stetec, COLORREF& barva)
{
    LOGBRUSH popis{};
    if (GetObjectW(stetec, sizeof popis, &popis) != sizeof popis || popis.lbStyle != BS_SOLID) return false;
    barva = popis.lbColor;
    return true;
}

void Vyplnit(HDC dc, int x0, int y0, int x1, int y1, HBRUSH stetec)
{
    if (x0 >= x1 || y0 >= y1) return;
    const RECT r{x0, y0, x1, y1};
    if (!FillRect(dc, &r, stetec)) RaiseLastError();
}

void Zkopirovat(HDC dc, int x, int y, const GifAnimace::Obraz& obraz)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = obraz.kde.cx;
    info.bmiHeader.biHeight = -obraz.kde.cy; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const UINT radku = static_cast<UINT>(obraz.kde.cy);
    if (SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(obraz.kde.cx), radku, 0, 0, 0, radku, obraz.pixely, &info,
                          DIB_RGB_COLORS) == 0)
        RaiseLastError();
}

uint64_t FyzickaPamet()
{
    MEMORYSTATUSEX stav{sizeof stav};
    return GlobalMemoryStatusEx(&stav) ? stav.ullTotalPhys : 0;
}

} // namespace

size_t GifAnimace::RozpocetPameti(size_t snimku, size_t bajtuPlatna, uint64_t fyzickaPamet)
{
    const uint64_t vse = uint64_t{snimku} * bajtuPlatna;
    const uint64_t rozpocet =
        vse <= kMalaAnimace ? vse + kMalaAnimace : std::clamp(vse / 4, kMalaAnimace, kNejvyssiRozpocet);
    return static_cast<size_t>(std::min(rozpocet, fyzickaPamet / 16));
}

void GifAnimace::StartBudget()
{
    rozpocet_ = RozpocetPameti(frameCount_ ? frameCount_ : 1, size_t{Width()} * Height() * 4, FyzickaPamet());
}

void GifAnimace::NastavitRozpocet(size_t bajtu)
{
    rozpocet_ = bajtu;
    pictures_.Vyprazdnit();
    if (keeping_ && gif_) gif_->NastavitRozpocetKontrol(CheckpointBudget());
}

size_t GifAnimace::CheckpointBudget() const
{
    if (!gif_) return 0;
    // A small animation keeps every frame composed; a larger one gives half to checkpoints.
    const uint64_t vse = uint64_t{frameCount_} * gif_->Width() * gif_->Height() * 4;
    return static_cast<size_t>(vse <= kMalaAnimace && vse <= rozpocet_ ? vse : rozpocet_ / 2);
}

size_t GifAnimace::PictureBudget() const { return rozpocet_ - CheckpointBudget(); }

size_t GifAnimace::DrzenaPamet() const { return pictures_.Bajtu() + (gif_ ? gif_->PametKontrol() : 0); }

void GifAnimace::DrawFitted(HDC dc, int x, int y, int cx, int cy, HBRUSH brush, PozadiPruhlednosti podObrazem) const
{
    RequireImage();
    // A window shrunk below its bars asks for an empty box: nothing to show.
    if (cx <= 0 || cy <= 0) {
        if (Height() == 0 || Width() == 0) RaiseFatal(E_HANDLE);
        return;
    }
    COLORREF barva = 0;
    if (!JednaBarva(brush, barva)) {
        DrawFittedOverBrush(dc, x, y, cx, cy, brush, podObrazem);
        return;
    }
    const Obraz obraz = FittedPicture(cx, cy, barva, podObrazem);
    const FittedPlacement& to = obraz.kde;
    // The brush around the frame's picture, and the picture in one copy: nothing twice.
    Vyplnit(dc, x, y, x + cx, y + to.y, brush);
    Vyplnit(dc, x, y + to.y + to.cy, x + cx, y + cy, brush);
    Vyplnit(dc, x, y + to.y, x + to.x, y + to.y + to.cy, brush);
    Vyplnit(dc, x + to.x + to.cx, y + to.y, x + cx, y + to.y + to.cy, brush);
    if (to.cx > 0 && to.cy > 0) Zkopirovat(dc, x + to.x, y + to.y, obraz);
}

GifAnimace::Obraz GifAnimace::FittedPicture(int cx, int cy, COLORREF pozadi, PozadiPruhlednosti podObrazem) const
{
    RequireImage();
    const UINT h = Height();
    const UINT w = Width();
    if (h == 0 || w == 0 || cx <= 0 || cy <= 0) RaiseFatal(E_HANDLE);
    const FittedPlacement to = FittedRect(w, h, cx, cy);
    // The background is part of what a picture is: a kept one over another is another picture.
    const bool sachovnice = podObrazem == PozadiPruhlednosti::Sachovnice;
    const KlicObrazu klic{active_, to.cx, to.cy, sachovnice ? 0 : PixelPozadi(podObrazem, Pixel(pozadi), 0, 0),
                          static_cast<uint32_t>(sachovnice ? podObrazem : PozadiPruhlednosti::BarvaOkna)};
    NoteWhereDrawing(active_);
    if (keeping_) {
        if (const uint32_t* drzeny = pictures_.Najit(klic)) return {drzeny, to};
        WalkTo(active_, klic);
    }
    uint32_t* cil = keeping_ ? pictures_.Pridat(klic, PictureBudget()) : nullptr;
    if (!cil) {
        const size_t pixelu = static_cast<size_t>(to.cx) * static_cast<size_t>(to.cy);
        if (picture_.size() < pixelu) picture_.resize(pixelu);
        cil = picture_.data();
    }
    DrawPicture(klic, cil);
    return {cil, to};
}

void GifAnimace::NoteWhereDrawing(UINT snimek) const
{
    // Playing forward, and wrapping to the first frame after the last, goes on as it went.
    const bool dale = lastDrawn_ < 0 || snimek == static_cast<UINT>(lastDrawn_) ||
                      snimek == static_cast<UINT>(lastDrawn_) + 1 ||
                      (snimek == 0 && static_cast<UINT>(lastDrawn_) + 1 == frameCount_);
    lastDrawn_ = static_cast<int>(snimek);
    if (dale || keeping_) return;
    keeping_ = true;
    if (gif_) gif_->NastavitRozpocetKontrol(CheckpointBudget());
}

void GifAnimace::WalkTo(UINT snimek, const KlicObrazu& klic) const
{
    if (!gif_) return; // the library walks on its own and keeps nothing of it
    const UINT od = static_cast<UINT>(gif_->PrvniSnimekCesty(snimek));
    if (od >= snimek) return;
    // Pictures are kept only of the frames from the checkpoint at or before the frame asked
    // for: those are what the next steps back would compose again. Further back a checkpoint
    // is as near, so drawing them now would only make this one step slow (the first step back
    // passes every frame from the first). And only as many as the budget holds beside the
    // frame asked for.
    const size_t rozestup = gif_->RozestupKontrol();
    const UINT odKontroly = rozestup ? static_cast<UINT>(snimek / rozestup * rozestup) : od;
    const size_t jeden = ObrazySnimku::Velikost(klic.sirka, klic.vyska);
    const size_t mist = jeden ? PictureBudget() / jeden : 0;
    const UINT drzenych =
        static_cast<UINT>(std::min<size_t>(snimek - std::max(od, odKontroly), mist > 0 ? mist - 1 : 0));
    for (UINT f = snimek - drzenych; f < snimek; ++f) {
        KlicObrazu cestou = klic;
        cestou.snimek = f;
        if (pictures_.Obsahuje(cestou)) continue;
        if (uint32_t* cil = pictures_.Pridat(cestou, PictureBudget())) DrawPicture(cestou, cil);
    }
}

void GifAnimace::DrawPicture(const KlicObrazu& klic, uint32_t* pixely) const
{
    if (klic.vzor == 0) {
        std::fill(pixely, pixely + static_cast<size_t>(klic.sirka) * static_cast<size_t>(klic.vyska), klic.pozadi);
    } else {
        for (int y = 0; y < klic.vyska; ++y)
            VyplnitRadekPozadi(static_cast<PozadiPruhlednosti>(klic.vzor), klic.pozadi, 0, y, klic.sirka,
                               pixely + static_cast<size_t>(y) * static_cast<size_t>(klic.sirka));
    }
    LayFrameOver(klic.snimek, PixelTarget{reinterpret_cast<uint8_t*>(pixely),
                                          static_cast<ptrdiff_t>(klic.sirka) * 4, klic.sirka, klic.vyska});
}

void GifAnimace::LayFrameOver(UINT snimek, const PixelTarget& target) const
{
    const UINT w = Width();
    const UINT h = Height();
    const bool natural = static_cast<UINT>(target.width) == w && static_cast<UINT>(target.height) == h;
    if (gif_) {
        const PixelSource frame{reinterpret_cast<const uint8_t*>(gif_->Snimek(snimek)),
                                static_cast<ptrdiff_t>(w) * 4, static_cast<int>(w), static_cast<int>(h),
                                SourceAlpha::Straight};
        if (natural)
            CopyOver(frame, target);
        else
            reduction_.ReduceOver(frame, target);
        return;
    }
    // The library draws its active frame, the one SelectFrame chose.
    FrameBands frame(image_.Get(), w, h, converted_);
    if (natural)
        CopyOver(frame, target);
    else
        reduction_.ReduceOver(frame, target);
}

void GifAnimace::DrawFittedOverBrush(HDC dc, int x, int y, int cx, int cy, HBRUSH brush,
                                     PozadiPruhlednosti podObrazem) const
{
    // A brush of more than one colour shows through transparent pixels as GDI paints it: the
    // frame is laid over it in a back buffer, which then reaches dc in one copy.
    backBuffer_.Pripravit(cx, cy);
    const RECT box = {0, 0, cx, cy};
    if (!FillRect(backBuffer_.Dc(), &box, brush)) RaiseLastError();
    const FittedPlacement to = FittedRect(Width(), Height(), cx, cy);
    if (to.cx > 0 && to.cy > 0) {
        const PixelTarget cil = backBuffer_.Oblast(to.x, to.y, to.cx, to.cy);
        if (podObrazem != PozadiPruhlednosti::BarvaOkna)
            for (int y = 0; y < to.cy; ++y)
                VyplnitRadekPozadi(podObrazem, 0, 0, y, to.cx, reinterpret_cast<uint32_t*>(cil.first + cil.stride * y));
        LayFrameOver(active_, cil);
    }
    CheckWin32(BitBlt(dc, x, y, cx, cy, backBuffer_.Dc(), 0, 0, SRCCOPY));
}
