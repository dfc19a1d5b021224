#include "image/GifAnimace.h"

#include <algorithm>
#include <vector>

#include "image/GifPaleta.h"
#include "image/GifZpozdeni.h"
#include "winlib/Chyby.h"

using namespace Tarnel::WinApi;

namespace {

// The time dimension of animated images, {6aedbd6d-3fb5-418a-83a6-7f45229dc872}.
constexpr GUID kFrameDimensionTime = {0x6aedbd6d, 0x3fb5, 0x418a, {0x83, 0xa6, 0x7f, 0x45, 0x22, 0x9d, 0xc8, 0x72}};
constexpr PROPID kPropertyFrameDelay = 0x5100;

} // namespace

FittedPlacement FittedRect(UINT w, UINT h, int cx, int cy)
{
    if (cx <= 0 || cy <= 0) return {0, 0, 0, 0};
    const UINT boxW = static_cast<UINT>(cx);
    const UINT boxH = static_cast<UINT>(cy);
    if (w <= boxW && h <= boxH) {
        return {(cx - static_cast<int>(w)) / 2, (cy - static_cast<int>(h)) / 2, static_cast<int>(w),
                static_cast<int>(h)};
    }
    const float rx = static_cast<float>(cx) / static_cast<float>(w);
    const float ry = static_cast<float>(cy) / static_cast<float>(h);
    // 64 bits: a frame tens of thousands of pixels across times a box of thousands does not fit
    // in 32. A sliver of a frame keeps at least one pixel, or it would not be drawn at all.
    if (rx > ry) {
        const int dw = std::max(1, static_cast<int>(uint64_t{w} * boxH / h));
        return {(cx - dw) / 2, 0, dw, cy};
    }
    const int dh = std::max(1, static_cast<int>(uint64_t{h} * boxW / w));
    return {0, (cy - dh) / 2, cx, dh};
}

HRESULT GifAnimace::Load(const std::wstring& path, bool readFrames)
{
    Clear();
    if (GifFileLacksColourTable(path)) return E_INVALIDARG;
    if (!OpenBitmapFile(path, image_)) return E_INVALIDARG;
    // A frame the decoder accepts but whose pixels the process cannot have is no image to show.
    if (!PixelsReadable()) {
        image_.Reset();
        return E_INVALIDARG;
    }
    path_ = path;
    active_ = 0;
    if (!readFrames) return S_OK;
    ReadFrameInfo();
    return ReadDelayTable();
}

void GifAnimace::ReadFrameInfo()
{
    UINT dimensions = 0;
    if (Gdip::GdipImageGetFrameDimensionsCount(image_.Get(), &dimensions) != Gdiplus::Ok || dimensions == 0) return;
    std::vector<GUID> list(dimensions);
    if (Gdip::GdipImageGetFrameDimensionsList(image_.Get(), list.data(), dimensions) != Gdiplus::Ok) return;
    UINT frames = 0;
    if (Gdip::GdipImageGetFrameCount(image_.Get(), &list[0], &frames) != Gdiplus::Ok) frames = 0;
    frameCount_ = frames;
}

HRESULT GifAnimace::ReadDelayTable()
{
    UINT size = 0;
    if (Gdip::GdipGetPropertyItemSize(image_.Get(), kPropertyFrameDelay, &size) != Gdiplus::Ok || size == 0) {
        return S_OK; // an image without frame delays
    }
    HeapBlock block(size);
    if (!block) RaiseFatal(E_OUTOFMEMORY);
    auto* item = block.As<Gdiplus::PropertyItem>();
    if (Gdip::GdipGetPropertyItem(image_.Get(), kPropertyFrameDelay, size, item) != Gdiplus::Ok) return S_FALSE;
    delayTable_ = std::move(block);
    RepairDelayTable();
    return S_OK;
}

void GifAnimace::RepairDelayTable()
{
    auto* item = delayTable_.As<Gdiplus::PropertyItem>();
    auto* delays = static_cast<UINT*>(item->value);
    const size_t entries = item->length / 4;
    // Only a table with a frame of no delay can need it, and only then is the file read again.
    bool anyZero = false;
    for (size_t i = 0; i < entries && i < frameCount_; ++i) anyZero = anyZero || delays[i] == 0;
    if (anyZero) RepairDelays(delays, entries, frameCount_, GifFileFrameDelays(path_));
}

bool GifAnimace::PixelsReadable() const
{
    const UINT w = BitmapWidth(image_.Get());
    const UINT h = BitmapHeight(image_.Get());
    // Only a frame too large for one converted band can fail where a small one would not.
    if (w == 0 || h == 0 || uint64_t{w} * h * 4 <= FrameBands::kBandBytes) return true;
    FrameBands frame(image_.Get(), w, h, converted_);
    return frame.Band(0, 1).first != nullptr;
}

void GifAnimace::Clear()
{
    image_.Reset();
    active_ = 0;
    path_.clear();
    delayTable_.Reset();
    frameCount_ = 0;
}

HRESULT GifAnimace::SelectFrame(UINT index)
{
    if (!HasImage()) return E_POINTER;
    if (index >= frameCount_) return E_INVALIDARG;
    if (index == active_) return S_OK; // the library would compose it again all the same
    if (Gdip::GdipImageSelectActiveFrame(image_.Get(), &kFrameDimensionTime, index) != Gdiplus::Ok) {
        return HresultFromLastError();
    }
    active_ = index;
    return S_OK;
}

UINT GifAnimace::FrameDelayMs(UINT index) const
{
    if (!HasImage() || !delayTable_) return 0;
    const auto* item = delayTable_.As<Gdiplus::PropertyItem>();
    if (index >= frameCount_ || index >= item->length / 4) return 0;
    return static_cast<const UINT*>(item->value)[index] * 10;
}

void GifAnimace::RequireImage() const
{
    if (!HasImage()) RaiseFatal(E_HANDLE);
}

UINT GifAnimace::Width() const
{
    RequireImage();
    return BitmapWidth(image_.Get());
}

UINT GifAnimace::Height() const
{
    RequireImage();
    return BitmapHeight(image_.Get());
}

UINT GifAnimace::FirstFrameOnTheWay(UINT index) const
{
    if (index == active_) return index;
    return index > active_ ? active_ + 1 : 0;
}

void GifAnimace::DrawFitted(HDC dc, int x, int y, int cx, int cy, HBRUSH brush) const
{
    RequireImage();
    // A window shrunk below its bars asks for an empty box: nothing to show.
    if (cx <= 0 || cy <= 0) {
        if (Height() == 0 || Width() == 0) RaiseFatal(E_HANDLE);
        return;
    }
    const ZadniBuffer& picture = DrawFittedOffScreen(cx, cy, brush);
    CheckWin32(BitBlt(dc, x, y, cx, cy, picture.Dc(), 0, 0, SRCCOPY));
}

const ZadniBuffer& GifAnimace::DrawFittedOffScreen(int cx, int cy, HBRUSH brush) const
{
    RequireImage();
    const UINT h = Height();
    const UINT w = Width();
    if (h == 0 || w == 0) RaiseFatal(E_HANDLE);

    // Background and frame are composed off screen and copied in one step, so they never
    // show separately. The brush is GDI's to paint, whatever kind of brush it is; the frame
    // is then laid over it pixel by pixel.
    backBuffer_.Pripravit(cx, cy);
    const RECT box = {0, 0, cx, cy};
    if (!FillRect(backBuffer_.Dc(), &box, brush)) RaiseLastError();
    const FittedPlacement to = FittedRect(w, h, cx, cy);
    if (to.cx > 0 && to.cy > 0) {
        FrameBands frame(image_.Get(), w, h, converted_);
        const PixelTarget target = backBuffer_.Oblast(to.x, to.y, to.cx, to.cy);
        if (static_cast<UINT>(to.cx) == w && static_cast<UINT>(to.cy) == h) {
            CopyOver(frame, target);
        } else {
            reduction_.ReduceOver(frame, target);
        }
    }
    GdiFlush(); // the caller may read the pixels: GDI's fill must have landed
    return backBuffer_;
}

void DestroyGifAnimace(GifAnimace*& model)
{
    if (model) {
        model->Clear();
        delete model;
    }
    model = nullptr;
}
