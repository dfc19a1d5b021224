#include "image/ExportSnimku.h"

#include <shlwapi.h>

#include "image/GifAnimace.h"
#include "image/SouboroveDialogy.h"
#include "winlib/Chyby.h"

using namespace Tarnel::WinApi;

namespace {

// {b96b3cb0-0728-11d3-9d7b-0000f81ef32e}: the GIF file format.
constexpr GUID kImageFormatGif = {0xb96b3cb0, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
constexpr size_t kExtensionBuffer = MAX_PATH;

int FindEncoderWithFormat(const wchar_t* ext, CLSID* encoder, GUID* format)
{
    wchar_t upper[kExtensionBuffer];
    if (wcslen(ext) >= kExtensionBuffer) RaiseFatal(HresultFromWin32(ERROR_INSUFFICIENT_BUFFER));
    wcscpy(upper, ext);
    CharUpperW(upper);

    UINT count = 0;
    UINT bytes = 0;
    if (Gdip::GdipGetImageEncodersSize(&count, &bytes) != Gdiplus::Ok) RaiseLastError();
    if (bytes == 0) return -1;
    HeapBlock buffer(bytes);
    if (!buffer) return -1;
    auto* codecs = buffer.As<Gdiplus::ImageCodecInfo>();
    if (Gdip::GdipGetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) RaiseLastError();
    for (UINT i = 0; i < count; ++i) {
        if (codecs[i].FilenameExtension && StrStrIW(codecs[i].FilenameExtension, upper)) {
            *encoder = codecs[i].Clsid;
            if (format) *format = codecs[i].FormatID;
            return static_cast<int>(i);
        }
    }
    return -1;
}

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

} // namespace

int FindEncoder(const wchar_t* ext, CLSID* encoder) { return FindEncoderWithFormat(ext, encoder, nullptr); }

std::wstring TemporaryPathFor(const std::wstring& path, unsigned attempt)
{
    const std::wstring number = attempt ? std::to_wstring(attempt) : std::wstring();
    return path + L"_temp_" + number + PathFindExtensionW(path.c_str());
}

HRESULT ReserveTemporaryFile(const std::wstring& source, std::wstring& temporary)
{
    // A file of the user's may carry the name already; it is neither written nor deleted.
    constexpr unsigned kAttempts = 100;
    for (unsigned attempt = 0; attempt < kAttempts; ++attempt) {
        const std::wstring candidate = TemporaryPathFor(source, attempt);
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

HRESULT GifAnimace::SaveToFile(const std::wstring& target)
{
    RequireImage();
    CLSID encoder{};
    GUID format{};
    if (FindEncoderWithFormat(PathFindExtensionW(target.c_str()), &encoder, &format) < 0) return E_INVALIDARG;
    if (IsReadOnlyFile(target)) return HresultFromWin32(ERROR_ACCESS_DENIED);
    if (IsEqualGUID(format, kImageFormatGif)) return SavePaletteCopy(target, encoder);
    return WriteImage(image_.Get(), target, encoder);
}

// Some GIF encoders report success yet write a broken file when handed a full-colour frame
// of an animation; a palette copy of the active frame is written correctly everywhere.
HRESULT GifAnimace::SavePaletteCopy(const std::wstring& target, const CLSID& encoder)
{
    OwnedBitmap copy;
    const int w = static_cast<int>(Width());
    const int h = static_cast<int>(Height());
    if (Gdip::GdipCloneBitmapAreaI(0, 0, w, h, PixelFormat8bppIndexed, image_.Get(), copy.Receive()) != Gdiplus::Ok) {
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

// The open image keeps its file in use, so the frame goes to a file beside it first; the
// source is replaced only by a file known to decode, and in one step, so that no failure
// on the way can cost the user the original.
HRESULT GifAnimace::ReplaceOpenFile()
{
    const std::wstring source = path_;
    const UINT width = Width();
    const UINT height = Height();

    std::wstring temporary;
    HRESULT result = ReserveTemporaryFile(source, temporary);
    if (SUCCEEDED(result)) result = SaveToFile(temporary);
    if (SUCCEEDED(result) && !IsImageOfSize(temporary, width, height)) {
        result = HresultFromWin32(ERROR_INVALID_DATA);
    }
    // A broken, half-written or empty file of this save must not stay behind. Only the file
    // this save created goes: nothing else of that name is ever deleted.
    if (FAILED(result) && !temporary.empty()) DeleteFileW(temporary.c_str());

    const bool hadFrameInfo = frameCount_ > 0;
    Clear();
    // When the source is held elsewhere or read-only the replace fails: both files then stay
    // as they are.
    if (SUCCEEDED(result) && !IsReadOnlyFile(source)) {
        MoveFileExW(temporary.c_str(), source.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
    Load(source, hadFrameInfo);
    return result;
}

void OnSaveFrame(HWND owner, GifAnimace* model, const KterySnimek& snimek)
{
    if (!model || !model->HasImage()) return;
    const std::optional<std::wstring> target = ShowSaveDialog(owner);
    // The dialog's loop may have drawn other frames (list items, a playing animation): the
    // frame meant is made active again, once the model is known to still hold an image.
    // A frame the model no longer has is not replaced by another.
    if (!target || !model->HasImage()) return;
    const std::optional<UINT> ktery = snimek ? snimek() : std::nullopt;
    if (ktery && FAILED(model->SelectFrame(*ktery))) return;
    model->SaveFrame(target->c_str()); // failures are not reported to the user
}
