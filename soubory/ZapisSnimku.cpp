#include "soubory/ZapisSnimku.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "image/ExportSnimku.h"
#include "image/GifAnimace.h"
#include "winlib/Chyby.h"
#include "winlib/Handles.h"

using namespace Tarnel::WinApi;

namespace {

HRESULT ZapsatDo(const std::wstring& cesta, const std::string& obsah)
{
    HANDLE soubor = CreateFileW(cesta.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    if (soubor == INVALID_HANDLE_VALUE) return HresultFromLastError();
    KernelHandle drzak(soubor);
    DWORD zapsano = 0;
    if (!WriteFile(soubor, obsah.data(), static_cast<DWORD>(obsah.size()), &zapsano, nullptr) ||
        !FlushFileBuffers(soubor))
        return HresultFromLastError();
    // A full disk may take fewer bytes than it was given and say nothing.
    LARGE_INTEGER velikost{};
    if (!GetFileSizeEx(soubor, &velikost)) return HresultFromLastError();
    if (zapsano != obsah.size() || static_cast<uint64_t>(velikost.QuadPart) != obsah.size())
        return HresultFromWin32(ERROR_DISK_FULL);
    return S_OK;
}

std::string Tabulka(const std::vector<GifAnimace::PopisSnimku>& popisy, UINT prvni)
{
    std::string tabulka = HlavickaTabulky();
    for (size_t i = 0; i < popisy.size(); ++i) {
        const GifAnimace::PopisSnimku& p = popisy[i];
        tabulka += RadekTabulky(prvni + static_cast<UINT>(i), p.zpozdeniMs, p.x, p.y, p.sirka, p.vyska, p.likvidace);
    }
    return tabulka;
}

} // namespace

HRESULT ZapsatSouborBezpecne(const std::wstring& cil, const std::string& obsah)
{
    std::wstring docasny;
    HRESULT vysledek = ReserveTemporaryFile(cil, docasny);
    if (FAILED(vysledek)) return vysledek;
    vysledek = ZapsatDo(docasny, obsah);
    if (SUCCEEDED(vysledek) &&
        !MoveFileExW(docasny.c_str(), cil.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        vysledek = HresultFromLastError();
    if (FAILED(vysledek)) DeleteFileW(docasny.c_str());
    return vysledek;
}

VysledekExportu ExportovatSnimky(const ZadaniExportu& zadani, COLORREF podklad, const PrubehExportu& prubeh)
{
    VysledekExportu vysledek;
    GifAnimace model;
    if (FAILED(model.Load(zadani.soubor, true)) || model.FrameCount() < 1) {
        vysledek.chyba = HresultFromWin32(ERROR_INVALID_DATA);
        vysledek.soubor = zadani.soubor;
        return vysledek;
    }
    const UINT od = std::max<UINT>(zadani.rozsah.od, 1);
    const UINT po = std::min<UINT>(zadani.rozsah.po, static_cast<UINT>(model.FrameCount()));
    const UINT celkem = po >= od ? po - od + 1 : 0;
    const std::optional<COLORREF> pod = Popis(zadani.format).pruhlednost ? std::nullopt : std::optional(podklad);
    std::vector<GifAnimace::PopisSnimku> popisy;
    for (UINT cislo = od; cislo <= po; ++cislo) {
        if (!prubeh(cislo - od, celkem)) {
            vysledek.zruseno = true;
            break;
        }
        const std::wstring cil = CestaSnimku(zadani, cislo);
        HRESULT hr = model.SelectFrame(cislo - 1);
        if (SUCCEEDED(hr)) hr = model.SaveToFile(cil, pod);
        if (FAILED(hr)) {
            vysledek.chyba = hr;
            vysledek.soubor = cil;
            break;
        }
        popisy.push_back(model.FrameDescription(cislo - 1));
        ++vysledek.zapsano;
    }
    // The table describes the frames that were written, whatever stopped the rest.
    if (zadani.zpozdeni && !popisy.empty()) {
        const std::wstring cil = CestaTabulky(zadani);
        const HRESULT hr = ZapsatSouborBezpecne(cil, Tabulka(popisy, od));
        if (SUCCEEDED(hr)) {
            ++vysledek.zapsano;
        } else if (SUCCEEDED(vysledek.chyba)) {
            vysledek.chyba = hr;
            vysledek.soubor = cil;
        }
    }
    if (!vysledek.zruseno && SUCCEEDED(vysledek.chyba)) prubeh(celkem, celkem);
    return vysledek;
}
