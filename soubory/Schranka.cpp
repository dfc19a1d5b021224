#include "soubory/Schranka.h"

#include <shlobj.h>

#include <cstring>

#include "image/ExportSnimku.h"
#include "image/GdipObraz.h"
#include "image/GifAnimace.h"
#include "resources/resource_export.h"
#include "winlib/Chyby.h"
#include "winlib/Handles.h"
#include "winlib/Identita.h"
#include "winlib/ModalniSmycka.h"
#include "winlib/Retezce.h"

using namespace Tarnel::WinApi;

namespace {

constexpr int kPokusuOtevreni = 10;
constexpr DWORD kPrestavkaPokusuMs = 20;

// Memory for the clipboard; the clipboard owns it once it has taken it.
class GlobalniBlok : private Nekopirovatelny {
public:
    GlobalniBlok(const void* data, size_t bajtu) : blok_(GlobalAlloc(GMEM_MOVEABLE, bajtu))
    {
        if (!blok_) return;
        void* cil = GlobalLock(blok_);
        if (!cil) RaiseLastError();
        std::memcpy(cil, data, bajtu);
        GlobalUnlock(blok_);
    }
    ~GlobalniBlok()
    {
        if (blok_) GlobalFree(blok_);
    }
    explicit operator bool() const { return blok_ != nullptr; }
    // Hands the block to the clipboard under the format.
    HRESULT Predat(UINT format)
    {
        if (!blok_) return E_OUTOFMEMORY;
        if (!SetClipboardData(format, blok_)) return HresultFromLastError();
        blok_ = nullptr;
        return S_OK;
    }

private:
    HGLOBAL blok_;
};

// The clipboard opened for the window and emptied: another program may hold it for a moment.
class OtevrenaSchranka : private Nekopirovatelny {
public:
    explicit OtevrenaSchranka(HWND vlastnik)
    {
        for (int pokus = 0; pokus < kPokusuOtevreni && !otevrena_; ++pokus) {
            otevrena_ = OpenClipboard(vlastnik) != FALSE;
            if (!otevrena_) Sleep(kPrestavkaPokusuMs);
        }
        if (otevrena_) vysledek_ = EmptyClipboard() ? S_OK : HresultFromLastError();
        else vysledek_ = HresultFromLastError();
    }
    ~OtevrenaSchranka()
    {
        if (otevrena_) CloseClipboard();
    }
    HRESULT Vysledek() const { return vysledek_; }
    template <typename Bajty>
    HRESULT Vlozit(UINT format, const Bajty& bajty)
    {
        GlobalniBlok blok(bajty.data(), bajty.size());
        return blok.Predat(format);
    }

private:
    bool otevrena_ = false;
    HRESULT vysledek_ = E_FAIL;
};

} // namespace

std::vector<uint8_t> BlokDibV5(const std::vector<uint32_t>& pixely, UINT sirka, UINT vyska, COLORREF podklad)
{
    BITMAPV5HEADER hlavicka{};
    hlavicka.bV5Size = sizeof hlavicka;
    hlavicka.bV5Width = static_cast<LONG>(sirka);
    hlavicka.bV5Height = static_cast<LONG>(vyska); // bottom-up, as most readers expect
    hlavicka.bV5Planes = 1;
    hlavicka.bV5BitCount = 32;
    hlavicka.bV5Compression = BI_BITFIELDS;
    hlavicka.bV5SizeImage = sirka * vyska * 4;
    hlavicka.bV5RedMask = 0x00FF0000;
    hlavicka.bV5GreenMask = 0x0000FF00;
    hlavicka.bV5BlueMask = 0x000000FF;
    hlavicka.bV5AlphaMask = 0xFF000000;
    hlavicka.bV5CSType = 0x73524742; // LCS_sRGB, "sRGB"
    hlavicka.bV5Intent = LCS_GM_IMAGES;

    std::vector<uint8_t> blok(sizeof hlavicka + size_t{sirka} * vyska * 4);
    std::memcpy(blok.data(), &hlavicka, sizeof hlavicka);
    const uint32_t pod = (uint32_t{GetRValue(podklad)} << 16) | (uint32_t{GetGValue(podklad)} << 8) | GetBValue(podklad);
    auto* cil = reinterpret_cast<uint32_t*>(blok.data() + sizeof hlavicka);
    for (UINT y = 0; y < vyska; ++y) {
        const uint32_t* radek = pixely.data() + size_t{vyska - 1 - y} * sirka;
        for (UINT x = 0; x < sirka; ++x) *cil++ = (radek[x] >> 24) == 0 ? pod : radek[x];
    }
    return blok;
}

HRESULT BlokPng(const std::vector<uint32_t>& pixely, UINT sirka, UINT vyska, std::string& png)
{
    CLSID koder{};
    if (FindEncoder(L".png", &koder) < 0) return E_NOTIMPL;
    OwnedBitmap obraz;
    const INT w = static_cast<INT>(sirka);
    if (Gdip::GdipCreateBitmapFromScan0(w, static_cast<INT>(vyska), w * 4, PixelFormat32bppARGB,
                                        reinterpret_cast<BYTE*>(const_cast<uint32_t*>(pixely.data())),
                                        obraz.Receive()) != Gdiplus::Ok)
        return E_OUTOFMEMORY;
    ComPtr<IStream> proud;
    HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, proud.Receive());
    if (FAILED(hr)) return hr;
    if (Gdip::GdipSaveImageToStream(obraz.Get(), proud.Get(), &koder, nullptr) != Gdiplus::Ok) return E_FAIL;
    STATSTG stav{};
    hr = proud->Stat(&stav, STATFLAG_NONAME);
    if (FAILED(hr)) return hr;
    png.resize(static_cast<size_t>(stav.cbSize.QuadPart));
    LARGE_INTEGER zacatek{};
    hr = proud->Seek(zacatek, STREAM_SEEK_SET, nullptr);
    ULONG precteno = 0;
    if (SUCCEEDED(hr)) hr = proud->Read(png.data(), static_cast<ULONG>(png.size()), &precteno);
    if (SUCCEEDED(hr) && precteno != png.size()) hr = E_FAIL;
    return FAILED(hr) ? hr : S_OK;
}

std::vector<uint8_t> BlokSeznamuSouboru(const std::wstring& cesta)
{
    DROPFILES hlavicka{};
    hlavicka.pFiles = sizeof hlavicka;
    hlavicka.fWide = TRUE;
    // The name, its terminator and the empty name that ends the list.
    const size_t bajtuJmena = (cesta.size() + 2) * sizeof(wchar_t);
    std::vector<uint8_t> blok(sizeof hlavicka + bajtuJmena, 0);
    std::memcpy(blok.data(), &hlavicka, sizeof hlavicka);
    std::memcpy(blok.data() + sizeof hlavicka, cesta.c_str(), cesta.size() * sizeof(wchar_t));
    return blok;
}

HRESULT KopirovatSnimek(HWND vlastnik, GifAnimace& model, UINT snimek)
{
    if (!model.HasImage()) return E_POINTER;
    HRESULT hr = model.SelectFrame(snimek);
    if (FAILED(hr)) return hr;
    std::vector<uint32_t> pixely;
    hr = model.ActiveFramePixels(pixely);
    if (FAILED(hr)) return hr;
    std::string png;
    hr = BlokPng(pixely, model.Width(), model.Height(), png);
    if (FAILED(hr)) return hr;
    const std::vector<uint8_t> dib = BlokDibV5(pixely, model.Width(), model.Height(), GetSysColor(COLOR_WINDOW));
    const UINT formatPng = RegisterClipboardFormatW(L"PNG");
    if (!formatPng) return HresultFromLastError();

    OtevrenaSchranka schranka(vlastnik);
    if (FAILED(schranka.Vysledek())) return schranka.Vysledek();
    hr = schranka.Vlozit(CF_DIBV5, dib);
    if (SUCCEEDED(hr)) hr = schranka.Vlozit(formatPng, png);
    return hr;
}

HRESULT KopirovatSoubor(HWND vlastnik, const std::wstring& cesta)
{
    if (cesta.empty()) return E_INVALIDARG;
    const UINT formatEfektu = RegisterClipboardFormatW(CFSTR_PREFERREDDROPEFFECT);
    if (!formatEfektu) return HresultFromLastError();
    const DWORD kopirovat = DROPEFFECT_COPY;
    const std::vector<uint8_t> efekt(reinterpret_cast<const uint8_t*>(&kopirovat),
                                     reinterpret_cast<const uint8_t*>(&kopirovat) + sizeof kopirovat);

    OtevrenaSchranka schranka(vlastnik);
    if (FAILED(schranka.Vysledek())) return schranka.Vysledek();
    HRESULT hr = schranka.Vlozit(CF_HDROP, BlokSeznamuSouboru(cesta));
    // Explorer copies without it as well; with it, it never moves the file.
    if (SUCCEEDED(hr)) schranka.Vlozit(formatEfektu, efekt);
    return hr;
}

void OznamitChybuSchranky(HWND vlastnik, HRESULT chyba)
{
    const std::wstring text = TextZdroje(IDS_SCHRANKA_SELHALO, {ErrorInfo(chyba).ErrorText()});
    ModalniSmycka smycka;
    MessageBoxW(vlastnik, text.c_str(), NazevProgramu().c_str(), MB_OK | MB_ICONERROR);
}
