#include "app/ToolbarImages.h"

#include <memory>

#include "winlib/Chyby.h"
#include "winlib/Handles.h"

using namespace Tarnel::WinApi;

namespace {

HBITMAP LoadToolbarBitmap(UINT bitmapId)
{
    auto bitmap = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) RaiseLastError();
    return bitmap;
}

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info{};
    if (!GetObjectW(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) RaiseLastError();
    return SIZE{info.bmWidth, info.bmHeight};
}

} // namespace

void ZesednoutPixely(uint8_t* bgra, size_t pocetPixelu)
{
    for (size_t i = 0; i < pocetPixelu; ++i, bgra += 4) {
        uint8_t grey = SedaUroven(bgra[2], bgra[1], bgra[0]);
        bgra[0] = bgra[1] = bgra[2] = grey;
    }
}

ToolbarImages::~ToolbarImages() { Release(); }

HIMAGELIST ToolbarImages::CreateList(HBITMAP bitmap, int size) const
{
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 1);
    if (!list) RaiseLastError();
    // Black is the transparent colour of the pictures.
    if (ImageList_AddMasked(list, bitmap, RGB(0, 0, 0)) == -1) RaiseLastError();
    return list;
}

HBITMAP ToolbarImages::LoadGreyBitmap(UINT bitmapId) const
{
    HBITMAP bitmap = LoadToolbarBitmap(bitmapId);
    const SIZE size = BitmapSize(bitmap);
    WindowDc screen(nullptr);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy; // rows top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    const size_t pixels = static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy);
    HeapBlock buffer(pixels * 4);
    if (!buffer) RaiseFatal(E_OUTOFMEMORY);
    if (GetDIBits(screen.Get(), bitmap, 0, size.cy, buffer.Get(), &info, DIB_RGB_COLORS) != size.cy) RaiseLastError();
    ZesednoutPixely(buffer.As<uint8_t>(), pixels);
    if (SetDIBits(screen.Get(), bitmap, 0, size.cy, buffer.Get(), &info, DIB_RGB_COLORS) != size.cy) RaiseLastError();
    return bitmap;
}

void ToolbarImages::Load(UINT bitmapId)
{
    Release();
    {
        Bitmap bitmap(LoadToolbarBitmap(bitmapId));
        normal_ = CreateList(bitmap.Get(), BitmapSize(bitmap.Get()).cy);
        count_ = ImageList_GetImageCount(normal_);
    }
    Bitmap grey(LoadGreyBitmap(bitmapId));
    disabled_ = CreateList(grey.Get(), BitmapSize(grey.Get()).cy);
}

void ToolbarImages::Release()
{
    if (normal_) CheckWin32(ImageList_Destroy(std::exchange(normal_, nullptr)));
    if (disabled_) CheckWin32(ImageList_Destroy(std::exchange(disabled_, nullptr)));
    count_ = 0;
}
