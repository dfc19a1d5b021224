#pragma once
// The model of one opened image file, and the frame service of that file: every picture of a
// frame that a window shows comes from here. The model holds the decoded image, its frame
// count and frame-delay table, and draws the active frame fitted into a rectangle; saving the
// active frame lives in ExportSnimku.cpp, drawing in GifAnimaceObrazy.cpp. Each instance is
// used by one thread only.
//
// A GIF (known by its signature, not its name) is decoded by our own decoder, which composes
// its frames as the format says and only when they are asked for; every other format, and a
// GIF whose canvas is beyond our decoder's budget, goes to the image library.
//
// Memory follows use. While the file only plays forward, the model holds the file, the
// decoder's canvas and the last picture drawn, nothing more. Once the user steps back or
// jumps, it keeps checkpoints of the canvas (so that an earlier frame is composed from the
// nearest one, not from the first frame) and the pictures it draws (so that going over them
// again is a copy), both within one budget that grows with the file (RozpocetPameti).
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <memory>

#include "image/GdipObraz.h"
#include "image/GifDekoder.h"
#include "image/ObrazySnimku.h"
#include "image/Priblizeni.h"
#include "image/ZadniBuffer.h"
#include "image/ZmenseniSnimku.h"
#include "winlib/Handles.h"
#include "winlib/Nekopirovatelny.h"

// Where an image of w x h pixels lands inside a cx x cy box whose origin is (0, 0).
struct FittedPlacement {
    int x;
    int y;
    int cx;
    int cy;
};

inline bool operator==(const FittedPlacement& a, const FittedPlacement& b)
{
    return a.x == b.x && a.y == b.y && a.cx == b.cx && a.cy == b.cy;
}

// Natural size and centred when the image fits, otherwise scaled down to the limiting side
// (ties go to the width), never to less than a pixel. Integer arithmetic throughout, so the
// result is exact and stable.
FittedPlacement FittedRect(UINT w, UINT h, int cx, int cy);

// Owns its image and its delay table; not copyable.
class GifAnimace : private Tarnel::WinApi::Nekopirovatelny {
public:
    GifAnimace() = default;
    ~GifAnimace() { Clear(); }

    // S_OK; S_FALSE when the delay property exists but cannot be read; E_INVALIDARG when
    // the file cannot be opened as an image (the model is then empty).
    HRESULT Load(const std::wstring& path, bool readFrames);
    // GIFs go to the image library as well, as they did before the program decoded them
    // itself: the benchmarks compare the two.
    void UseLibraryForGifs(bool library) { libraryForGifs_ = library; }
    // The same for every model made from now on (the benchmarks' main window).
    static void UseLibraryForGifsInNewModels(bool library) { libraryForNewModels_ = library; }
    void Clear();
    // S_OK; E_POINTER without an image; E_INVALIDARG when index is not below FrameCount.
    HRESULT SelectFrame(UINT index);
    // The frame made active last (0 after loading).
    UINT ActiveFrame() const { return active_; }

    bool HasImage() const { return image_ || gif_; }
    // -1 without an image, so that an empty model yields no frames and rejects every index.
    int FrameCount() const { return HasImage() ? static_cast<int>(frameCount_) : -1; }
    // An animation carries its frames' delays; a single image, or frames not read, none.
    bool HasDelayTable() const { return gif_ ? frameCount_ > 1 : static_cast<bool>(delayTable_); }
    // The file's loop count: -1 without one (or not a GIF), 0 for ever, n for n repetitions.
    int LoopCount() const { return gif_ ? gif_->Opakovani() : -1; }
    // Delay of frame index in milliseconds; 0 when unknown or out of range.
    UINT FrameDelayMs(UINT index) const;
    // Both are fatal (E_HANDLE) without an image.
    UINT Width() const;
    UINT Height() const;
    // Draws the active frame fitted and centred into (x, y, cx, cy) over the brush; an empty
    // target rectangle draws nothing. At its natural size the frame is copied pixel for
    // pixel, reduced it is area-averaged. The frame's picture reaches dc in one copy and the
    // brush fills the rest around it, so no pixel is drawn twice.
    // Under the frame's own rectangle a background other than the brush can be asked for.
    void DrawFitted(HDC dc, int x, int y, int cx, int cy, HBRUSH brush,
                    PozadiPruhlednosti podObrazem = PozadiPruhlednosti::BarvaOkna) const;
    // The picture of the active frame fitted into cx x cy (both positive) over the colour:
    // only the frame's rectangle within the box (FittedRect), rows top-down, 32 bits a pixel
    // with the alpha byte 0. Kept pictures come from memory; valid until the next drawing.
    struct Obraz {
        const uint32_t* pixely;
        FittedPlacement kde;
    };
    Obraz FittedPicture(int cx, int cy, COLORREF pozadi,
                        PozadiPruhlednosti podObrazem = PozadiPruhlednosti::BarvaOkna) const;
    // Draws the active frame at a fixed scale into the rectangle `oblast` of dc, scrolled by
    // `posun` (GifAnimacePriblizeni.cpp). Only the part in view is drawn: above 1 x straight
    // from the frame, each image pixel a block of one colour; below, area-averaged. The
    // background lies under the frame's rectangle only, `okolo` fills the rest.
    void DrawZoomed(HDC dc, const RECT& oblast, double meritko, POINT posun, COLORREF okolo,
                    PozadiPruhlednosti pozadi) const;
    const std::wstring& Path() const { return path_; }

    // The most the checkpoints and kept pictures of this file may take, and what they take now.
    size_t Rozpocet() const { return rozpocet_; }
    size_t DrzenaPamet() const;
    // Another budget for this file (the benchmarks compare budgets); what is kept goes.
    void NastavitRozpocet(size_t bajtu);
    // Every composed frame when they all fit in 16 MB, else room that grows with the frames'
    // size from 16 MB to 64 MB; never more than a sixteenth of the machine's memory.
    static size_t RozpocetPameti(size_t snimku, size_t bajtuPlatna, uint64_t fyzickaPamet);

    // Writes the active frame in the format of the target's extension: S_OK, E_INVALIDARG
    // when no encoder knows the extension, or the failure of the write. The frame goes to a
    // file of its own beside the target first and replaces the target only once it is known
    // to decode; on any failure the target stays as it was and nothing is left beside it.
    HRESULT SaveToFile(const std::wstring& target);
    // Like SaveToFile, but a null target or the open file itself (any letter case) goes
    // through a temporary file beside it and the file is opened again afterwards.
    HRESULT SaveFrame(const wchar_t* target);

    // Exporting whole frames (GifAnimaceSnimek.cpp). What the file says of a frame: its
    // rectangle as declared, its delay as written, and the disposal it is composed with, as
    // the GIF89a code (1 the frame stays, 2 its rectangle is cleared, 3 what was under it
    // returns). An image of another format is one frame over the whole picture.
    struct PopisSnimku {
        UINT x, y, sirka, vyska;
        UINT zpozdeniMs;
        UINT likvidace;
    };
    PopisSnimku FrameDescription(UINT index) const;
    // The active frame composed on the whole canvas: Width() x Height() pixels 0xAARRGGBB
    // with straight alpha, rows top-down. E_OUTOFMEMORY when it does not fit in memory.
    HRESULT ActiveFramePixels(std::vector<uint32_t>& pixely) const;
    // SaveToFile, with the frame laid over the colour first when one is given (for formats
    // that keep no transparency: what the window shows under it).
    HRESULT SaveToFile(const std::wstring& target, std::optional<COLORREF> podklad);

private:
    void RequireImage() const;
    // The library's side of Load.
    HRESULT LoadWithLibrary(const std::wstring& path, bool readFrames, bool gif);
    void ReadFrameInfo();
    HRESULT ReadDelayTable();
    // The active frame as the library's bitmap, for its encoders: the library's own image, or
    // a bitmap over our decoder's canvas, which `over` then holds.
    Gdiplus::GpBitmap* FrameBitmap(OwnedBitmap& over) const;
    // Writes the frame beside the target (temporary names the file) and checks it.
    HRESULT WriteChecked(const std::wstring& target, std::wstring& temporary,
                         std::optional<COLORREF> podklad = std::nullopt);
    // The active frame over the colour, as the library's bitmap over flat_.
    Gdiplus::GpBitmap* FlatFrameBitmap(OwnedBitmap& over, COLORREF podklad) const;
    HRESULT SavePaletteCopy(Gdiplus::GpBitmap* frame, const std::wstring& target, const CLSID& encoder);
    HRESULT ReplaceOpenFile();
    // Whether the frame's pixels can be had at all, a band at a time.
    bool PixelsReadable() const;
    void StartBudget();
    // Drawing (GifAnimaceObrazy.cpp).
    void DrawFittedOverBrush(HDC dc, int x, int y, int cx, int cy, HBRUSH brush, PozadiPruhlednosti podObrazem) const;
    // The frame of the key fitted into the key's size over its colour, into pixely.
    void DrawPicture(const KlicObrazu& klic, uint32_t* pixely) const;
    void LayFrameOver(UINT snimek, const PixelTarget& target) const;
    // The first request to go back or skip ahead starts keeping checkpoints and pictures.
    void NoteWhereDrawing(UINT snimek) const;
    // Composes the frames before `snimek` that the decoder passes on its way there, keeping
    // the pictures of the last ones the budget holds.
    void WalkTo(UINT snimek, const KlicObrazu& klic) const;
    size_t CheckpointBudget() const;
    // Zoomed drawing into the back buffer's rectangle of the picture (GifAnimacePriblizeni.cpp).
    void DrawBlocks(const RECT& viditelne, POINT pocatek, int sirkaObrazu, int vyskaObrazu) const;
    void DrawReducedPart(const RECT& viditelne, POINT pocatek, int sirkaObrazu, int vyskaObrazu,
                         PozadiPruhlednosti pozadi, uint32_t okolo) const;
    size_t PictureBudget() const;

    OwnedBitmap image_;                // the library's decoded image, or
    std::unique_ptr<GifDekoder> gif_;  // our own decoder's
    static inline bool libraryForNewModels_ = false;
    bool libraryForGifs_ = libraryForNewModels_;
    UINT frameCount_ = 0;
    UINT active_ = 0;
    std::wstring path_;
    Tarnel::WinApi::HeapBlock delayTable_;

    // The budget of this file, and whether keeping has started (see above).
    size_t rozpocet_ = 0;
    mutable bool keeping_ = false;
    mutable int lastDrawn_ = -1;
    mutable ObrazySnimku pictures_;
    // Drawing resources reused from one draw to the next: the picture drawn when none is kept,
    // the back buffer of a brush that is not one colour, the reduction's weights, and room for
    // a band of a frame the library keeps in another format.
    mutable std::vector<uint32_t> picture_;
    mutable ZadniBuffer backBuffer_;
    mutable AreaReduction reduction_;
    mutable std::vector<uint32_t> converted_;
    mutable std::vector<uint32_t> flat_; // a frame laid over a colour, for saving
    // The source column and row of each pixel in view, at zoom.
    mutable std::vector<int> sloupce_;
    mutable std::vector<int> radky_;
};

// Deletes the owner's model, if any, and leaves the owner's pointer null.
void DestroyGifAnimace(std::unique_ptr<GifAnimace>& model);
