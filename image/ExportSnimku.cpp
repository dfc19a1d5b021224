#include "image/ExportSnimku.h"

#include <shlwapi.h>

#include "image/GifAnimace.h"
#include "winlib/Chyby.h"

using namespace Tarnel::WinApi;

namespace {

// {b96b3cb0-0728-11d3-9d7b-0000f81ef32e}: the GIF file format.
constexpr GUID kImageFormatGif = {0xb96b3cb0, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
constexpr size_t kExtensionBuffer = MAX_PATH;
constexpr unsigned kTemporaryAttempts = 100;

int FindEncoderWithFormat(const wchar_t* ext, CLSID* encoder, GUID* format)
{
    if (wcslen(ext) >= kExtensionBuffer) RaiseFatal(HresultFromWin32(ERROR_INSUFFICIENT_BUFFER));
    UINT count = 0;
    UINT bytes = 0;
    if (Gdip::GdipGetImageEncodersSize(&count, &bytes) != Gdiplus::Ok) RaiseLastError();
    if (bytes == 0) return -1;
    HeapBlock buffer(bytes);
    if (!buffer) return -1;
    auto* codecs = buffer.As<Gdiplus::ImageCodecInfo>();
    if (Gdip::GdipGetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) RaiseLastError();
    for (UINT i = 0; i < count; ++i) {
        if (codecs[i].FilenameExtension && PatternsNameExtension(codecs[i].FilenameExtension, ext)) {
            *encoder = codecs[i].Clsid;
            if (format) *format = codecs[i].FormatID;
            return static_cast<int>(i);
        }
    }
    return -1;
}

const wchar_t* ExtensionOf(const std::wstring& path) { return PathFindExtensionW(path.c_str()); }

HRESULT WriteImage(Gdiplus::GpBitmap* image, const std::wstring& target, const CLSID& encoder)
{
    if (Gdip::GdipSaveImageToFile(image, target.c_str(), &encoder, nullptr) != Gdiplus::Ok) {
        return HresultFromLastError();
    }
    return S_OK;
}

// Windows refuses to overwrite a read-only file whoever asks; a process that may write
// anything (Wine run by root) would not, so the attribute is honoured here explicitly.
bool IsReadOnlyFile(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool SamePath(const std::wstring& a, const wchar_t* b)
{
    return CompareStringOrdinal(a.c_str(), -1, b, -1, TRUE) == CSTR_EQUAL;
}

bool HasLongPathPrefix(const std::wstring& path) { return path.compare(0, 4, L"\\\\?\\") == 0; }

// The target's name of the attempt, short when the usual one would not fit a plain path.
std::wstring CandidateFor(const std::wstring& target, unsigned attempt)
{
    std::wstring candidate = TemporaryPathFor(target, attempt);
    if (candidate.size() >= MAX_PATH && !HasLongPathPrefix(target)) candidate = ShortTemporaryPathFor(target, attempt);
    return candidate;
}

// The checked file takes the target's place in one step: either the old content stays or
// the new one is there.
HRESULT PutInPlace(const std::wstring& temporary, const std::wstring& target)
{
    if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return HresultFromLastError();
    return S_OK;
}

} // namespace

bool PatternsNameExtension(const wchar_t* patterns, const wchar_t* ext)
{
    if (!ext || !*ext) return false;
    const size_t extLength = wcslen(ext);
    for (const wchar_t* p = patterns; *p;) {
        const wchar_t* end = wcschr(p, L';');
        const size_t length = end ? static_cast<size_t>(end - p) : wcslen(p);
        if (length == extLength + 1 && p[0] == L'*' && _wcsnicmp(p + 1, ext, extLength) == 0) return true;
        if (!end) break;
        p = end + 1;
    }
    return false;
}

int FindEncoder(const wchar_t* ext, CLSID* encoder) { return FindEncoderWithFormat(ext, encoder, nullptr); }

std::wstring TemporaryPathFor(const std::wstring& path, unsigned attempt)
{
    const std::wstring number = attempt ? std::to_wstring(attempt) : std::wstring();
    return path + L"_temp_" + number + ExtensionOf(path);
}

std::wstring ShortTemporaryPathFor(const std::wstring& path, unsigned attempt)
{
    const size_t separator = path.find_last_of(L"\\/");
    const std::wstring folder = separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
    return folder + L"~an" + std::to_wstring(attempt) + L".tmp";
}

HRESULT ReserveTemporaryFile(const std::wstring& target, std::wstring& temporary)
{
    // A file of the user's may carry the name already; it is neither written nor deleted.
    for (unsigned attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        const std::wstring candidate = CandidateFor(target, attempt);
        HANDLE file = CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CheckWin32(CloseHandle(file));
            temporary = candidate;
            return S_OK;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return HresultFromWin32(error);
    }
    return HresultFromWin32(ERROR_FILE_EXISTS);
}

bool IsImageOfSize(const std::wstring& path, UINT width, UINT height)
{
    OwnedBitmap written;
    if (!OpenBitmapFile(path, written)) return false;
    return BitmapWidth(written.Get()) == width && BitmapHeight(written.Get()) == height;
}

HRESULT GifAnimace::SaveToFile(const std::wstring& target) { return SaveToFile(target, std::nullopt); }

HRESULT GifAnimace::SaveToFile(const std::wstring& target, std::optional<COLORREF> podklad)
{
    std::wstring temporary;
    HRESULT result = WriteChecked(target, temporary, podklad);
    if (SUCCEEDED(result)) result = PutInPlace(temporary, target);
    if (FAILED(result) && !temporary.empty()) DeleteFileW(temporary.c_str());
    return result;
}

HRESULT GifAnimace::WriteChecked(const std::wstring& target, std::wstring& temporary, std::optional<COLORREF> podklad)
{
    RequireImage();
    CLSID encoder{};
    GUID format{};
    if (FindEncoderWithFormat(ExtensionOf(target), &encoder, &format) < 0) return E_INVALIDARG;
    if (IsReadOnlyFile(target)) return HresultFromWin32(ERROR_ACCESS_DENIED);
    HRESULT result = ReserveTemporaryFile(target, temporary);
    if (FAILED(result)) return result;
    OwnedBitmap over;
    Gdiplus::GpBitmap* frame = podklad ? FlatFrameBitmap(over, *podklad) : FrameBitmap(over);
    if (!frame) return E_OUTOFMEMORY;
    result = IsEqualGUID(format, kImageFormatGif) ? SavePaletteCopy(frame, temporary, encoder)
                                                  : WriteImage(frame, temporary, encoder);
    // A full disk or a broken encoder may leave a file that only looks written.
    if (SUCCEEDED(result) && !IsImageOfSize(temporary, Width(), Height())) result = HresultFromWin32(ERROR_INVALID_DATA);
    return result;
}

// Some GIF encoders report success yet write a broken file when handed a full-colour frame
// of an animation; a palette copy of the active frame is written correctly everywhere.
Gdiplus::GpBitmap* GifAnimace::FrameBitmap(OwnedBitmap& over) const
{
    if (!gif_) return image_.Get();
    // The library's bitmap over the composed canvas: no copy, valid while nothing composes.
    const auto* pixels = gif_->Snimek(active_);
    const INT w = static_cast<INT>(gif_->Width());
    if (Gdip::GdipCreateBitmapFromScan0(w, static_cast<INT>(gif_->Height()), w * 4, PixelFormat32bppARGB,
                                        reinterpret_cast<BYTE*>(const_cast<uint32_t*>(pixels)),
                                        over.Receive()) != Gdiplus::Ok)
        return nullptr;
    return over.Get();
}

HRESULT GifAnimace::SavePaletteCopy(Gdiplus::GpBitmap* frame, const std::wstring& target, const CLSID& encoder)
{
    OwnedBitmap copy;
    const int w = static_cast<int>(Width());
    const int h = static_cast<int>(Height());
    if (Gdip::GdipCloneBitmapAreaI(0, 0, w, h, PixelFormat8bppIndexed, frame, copy.Receive()) != Gdiplus::Ok) {
        return HresultFromLastError();
    }
    return WriteImage(copy.Get(), target, encoder);
}

HRESULT GifAnimace::SaveFrame(const wchar_t* target)
{
    RequireImage();
    if (target && !SamePath(path_, target)) return SaveToFile(target);
    return ReplaceOpenFile();
}

// The open image keeps its file in use, so it is let go of between the check and the replace,
// and opened again afterwards: with the new content, or as it was, at the frame it showed.
HRESULT GifAnimace::ReplaceOpenFile()
{
    const std::wstring source = path_;
    const UINT shown = active_;
    std::wstring temporary;
    HRESULT result = WriteChecked(source, temporary);
    const bool hadFrameInfo = frameCount_ > 0;
    Clear();
    if (SUCCEEDED(result)) result = PutInPlace(temporary, source);
    if (FAILED(result) && !temporary.empty()) DeleteFileW(temporary.c_str());
    Load(source, hadFrameInfo);
    if (FAILED(result) && HasImage()) SelectFrame(shown);
    return result;
}
