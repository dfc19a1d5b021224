#include "image/GifAnimace.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "image/GifPaleta.h"
#include "winlib/Chyby.h"
#include "winlib/Handles.h"

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

namespace {

bool IsGifSignature(const uint8_t* head)
{
    return std::memcmp(head, "GIF87a", 6) == 0 || std::memcmp(head, "GIF89a", 6) == 0;
}

// The whole file, when it starts as a GIF; nothing otherwise (another format, no such file,
// or more than the process can hold). The file is read while others may have it open, and is
// not kept open: saving over it later needs no release first.
enum class Content { Gif, NotGif, Unreadable };

Content ReadGifFile(const std::wstring& path, std::vector<uint8_t>& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Content::Unreadable;
    Tarnel::WinApi::KernelHandle holder(file);
    LARGE_INTEGER size{};
    uint8_t head[6] = {};
    DWORD got = 0;
    if (!GetFileSizeEx(file, &size) || !ReadFile(file, head, sizeof head, &got, nullptr)) return Content::Unreadable;
    if (got < sizeof head || !IsGifSignature(head)) return Content::NotGif;
    if (static_cast<uint64_t>(size.QuadPart) > (uint64_t{1} << 31)) return Content::NotGif; // the library's to try
    try {
        bytes.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return Content::Unreadable;
    }
    std::memcpy(bytes.data(), head, sizeof head);
    size_t have = sizeof head;
    while (have < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - have, 1u << 24));
        if (!ReadFile(file, bytes.data() + have, chunk, &got, nullptr)) return Content::Unreadable;
        if (got == 0) break; // shorter than it said: what is there is what there is
        have += got;
    }
    bytes.resize(have);
    return Content::Gif;
}

} // namespace

HRESULT GifAnimace::Load(const std::wstring& path, bool readFrames)
{
    Clear();
    std::vector<uint8_t> bytes;
    const Content content = ReadGifFile(path, bytes);
    if (content == Content::Unreadable) return E_INVALIDARG;
    if (content == Content::NotGif || libraryForGifs_) return LoadWithLibrary(path, readFrames, content == Content::Gif);

    auto decoder = std::make_unique<GifDekoder>();
    switch (decoder->Open(std::move(bytes))) {
    case GifDekoder::Otevreni::Otevreno: break;
    case GifDekoder::Otevreni::PrilisVelky: return LoadWithLibrary(path, readFrames, true); // drawn in bands there
    default: return E_INVALIDARG; // not a frame that can be shown
    }
    gif_ = std::move(decoder);
    path_ = path;
    active_ = 0;
    frameCount_ = readFrames ? static_cast<UINT>(gif_->FrameCount()) : 0;
    return S_OK;
}

HRESULT GifAnimace::LoadWithLibrary(const std::wstring& path, bool readFrames, bool gif)
{
    // The library crashes on a GIF without any colour table rather than refusing it.
    if (gif && GifFileLacksColourTable(path)) return E_INVALIDARG;
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
    return S_OK;
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
    gif_.reset();
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
    if (gif_) {
        active_ = index; // composed when it is drawn or saved
        return S_OK;
    }
    if (Gdip::GdipImageSelectActiveFrame(image_.Get(), &kFrameDimensionTime, index) != Gdiplus::Ok) {
        return HresultFromLastError();
    }
    active_ = index;
    return S_OK;
}

UINT GifAnimace::FrameDelayMs(UINT index) const
{
    if (gif_) return index < frameCount_ && frameCount_ > 1 ? UINT{gif_->Delay(index)} * 10 : 0;
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
    return gif_ ? gif_->Width() : BitmapWidth(image_.Get());
}

UINT GifAnimace::Height() const
{
    RequireImage();
    return gif_ ? gif_->Height() : BitmapHeight(image_.Get());
}

UINT GifAnimace::FirstFrameOnTheWay(UINT index) const
{
    if (gif_) return static_cast<UINT>(gif_->PrvniSnimekCesty(index));
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
        const PixelTarget target = backBuffer_.Oblast(to.x, to.y, to.cx, to.cy);
        const bool natural = static_cast<UINT>(to.cx) == w && static_cast<UINT>(to.cy) == h;
        if (gif_) {
            const PixelSource frame{reinterpret_cast<const uint8_t*>(gif_->Snimek(active_)),
                                    static_cast<ptrdiff_t>(w) * 4, static_cast<int>(w), static_cast<int>(h),
                                    SourceAlpha::Straight};
            if (natural) {
                CopyOver(frame, target);
            } else {
                reduction_.ReduceOver(frame, target);
            }
        } else {
            FrameBands frame(image_.Get(), w, h, converted_);
            if (natural) {
                CopyOver(frame, target);
            } else {
                reduction_.ReduceOver(frame, target);
            }
        }
    }
    GdiFlush(); // the caller may read the pixels: GDI's fill must have landed
    return backBuffer_;
}

void DestroyGifAnimace(std::unique_ptr<GifAnimace>& model)
{
    model.reset(); // the model clears itself as it goes
}
