#include "image/GifAnimace.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "image/GifStruktura.h"
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
enum class Content { Gif, LargeGif, NotGif, Unreadable };

// The image library crashes on a GIF frame without any colour table rather than refusing it,
// so such a file is turned away before the library sees it. The blocks are walked by the
// decoder's own walker where the file lies, mapped: the library gets only files too large for
// our decoder, which may be more than the process could read into memory.
bool GifWithoutColourTable(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false; // the library will not open it either
    Tarnel::WinApi::KernelHandle holder(file);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart == 0) return false;
    Tarnel::WinApi::KernelHandle mapping(CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping) return false;
    const void* view = MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0);
    if (!view) return false;
    const GifStruktura::Obsah obsah =
        GifStruktura::Projdi(static_cast<const uint8_t*>(view), static_cast<size_t>(size.QuadPart));
    CheckWin32(UnmapViewOfFile(view));
    return std::any_of(obsah.snimky.begin(), obsah.snimky.end(),
                       [](const GifStruktura::Snimek& s) { return s.barev == 0; });
}

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
    if (static_cast<uint64_t>(size.QuadPart) > (uint64_t{1} << 31)) return Content::LargeGif; // the library's to try
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
    if (content != Content::Gif || libraryForGifs_) return LoadWithLibrary(path, readFrames, content != Content::NotGif);

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
    StartBudget();
    return S_OK;
}

HRESULT GifAnimace::LoadWithLibrary(const std::wstring& path, bool readFrames, bool gif)
{
    if (gif && GifWithoutColourTable(path)) return E_INVALIDARG;
    if (!OpenBitmapFile(path, image_)) return E_INVALIDARG;
    // A frame the decoder accepts but whose pixels the process cannot have is no image to show.
    if (!PixelsReadable()) {
        image_.Reset();
        return E_INVALIDARG;
    }
    path_ = path;
    active_ = 0;
    if (readFrames) ReadFrameInfo();
    StartBudget();
    return readFrames ? ReadDelayTable() : S_OK;
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
    // What was kept of the file goes with it, and the next file starts playing forward.
    pictures_.Vyprazdnit();
    picture_ = {};
    keeping_ = false;
    lastDrawn_ = -1;
    rozpocet_ = 0;
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

void DestroyGifAnimace(std::unique_ptr<GifAnimace>& model)
{
    model.reset(); // the model clears itself as it goes
}
