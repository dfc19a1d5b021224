#include "app/ToolbarImages.h"

#include <cstdlib>
#include <memory>
#include <utility>

#include "resources/resource.h"
#include "winlib/Chyby.h"
#include "winlib/Dpi.h"
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

int VelikostObrazkuProDpi(UINT dpi, const std::vector<int>& velikosti)
{
    constexpr int kVelikostPri96 = 16;
    const int chtena = Skalovat(kVelikostPri96, dpi);
    int nejlepsi = 0;
    for (int velikost : velikosti) {
        const int odchylka = std::abs(velikost - chtena);
        const int dosud = std::abs(nejlepsi - chtena);
        if (!nejlepsi || odchylka < dosud || (odchylka == dosud && velikost > nejlepsi)) nejlepsi = velikost;
    }
    return nejlepsi;
}

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
    Add(bitmapId);
}

void ToolbarImages::LoadSizes()
{
    Release();
    for (UINT bitmapId : {IDB_PANEL_NASTROJU, IDB_PANEL_NASTROJU_20, IDB_PANEL_NASTROJU_24, IDB_PANEL_NASTROJU_32})
        Add(bitmapId);
}

void ToolbarImages::Add(UINT bitmapId)
{
    Sada sada;
    {
        Bitmap bitmap(LoadToolbarBitmap(bitmapId));
        sada.velikost = BitmapSize(bitmap.Get()).cy;
        sada.normal = CreateList(bitmap.Get(), sada.velikost);
    }
    // Held at once, so that a failure below still finds it to release.
    sady_.push_back(sada);
    if (sady_.size() == 1) count_ = ImageList_GetImageCount(sada.normal);
    Bitmap grey(LoadGreyBitmap(bitmapId));
    sady_.back().disabled = CreateList(grey.Get(), BitmapSize(grey.Get()).cy);
}

void ToolbarImages::Release()
{
    for (Sada& sada : sady_) {
        if (sada.normal) CheckWin32(ImageList_Destroy(std::exchange(sada.normal, nullptr)));
        if (sada.disabled) CheckWin32(ImageList_Destroy(std::exchange(sada.disabled, nullptr)));
    }
    sady_.clear();
    count_ = 0;
}

const ToolbarImages::Sada* ToolbarImages::SadaProDpi(UINT dpi) const
{
    std::vector<int> velikosti;
    for (const Sada& sada : sady_) velikosti.push_back(sada.velikost);
    const int velikost = VelikostObrazkuProDpi(dpi, velikosti);
    for (const Sada& sada : sady_)
        if (sada.velikost == velikost) return &sada;
    return nullptr;
}

HIMAGELIST ToolbarImages::Normal(UINT dpi) const
{
    const Sada* sada = SadaProDpi(dpi);
    return sada ? sada->normal : nullptr;
}

HIMAGELIST ToolbarImages::Disabled(UINT dpi) const
{
    const Sada* sada = SadaProDpi(dpi);
    return sada ? sada->disabled : nullptr;
}

int ToolbarImages::Size(UINT dpi) const
{
    const Sada* sada = SadaProDpi(dpi);
    return sada ? sada->velikost : 0;
}
