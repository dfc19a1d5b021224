#include "soubory/VystupSnimku.h"

#include <shlwapi.h>

#include "resources/resource.h"
#include "resources/resource_export.h"
#include "winlib/Retezce.h"

using namespace Tarnel::WinApi;

namespace {

const std::array<PopisFormatu, 5> kFormaty = {{
    {FormatExportu::Png, L".png", IDS_TYP_PNG, true},
    {FormatExportu::Bmp, L".bmp", IDS_TYP_BITMAPY, false},
    {FormatExportu::Jpeg, L".jpg", IDS_TYP_JPEG, false},
    {FormatExportu::Gif, L".gif", IDS_TYP_GIF, true},
    {FormatExportu::Tiff, L".tiff", IDS_TYP_TIFF, true},
}};

std::wstring VeSlozce(const std::wstring& slozka, const std::wstring& nazev)
{
    if (slozka.empty() || slozka.back() == L'\\' || slozka.back() == L'/') return slozka + nazev;
    return slozka + L"\\" + nazev;
}

} // namespace

const std::array<PopisFormatu, 5>& FormatyExportu() { return kFormaty; }

const PopisFormatu& Popis(FormatExportu format)
{
    for (const PopisFormatu& popis : kFormaty)
        if (popis.format == format) return popis;
    return kFormaty[0];
}

std::optional<RozsahSnimku> PlatnyRozsah(UINT od, UINT po, UINT pocetSnimku)
{
    if (od < 1 || od > po || po > pocetSnimku) return std::nullopt;
    return RozsahSnimku{od, po};
}

std::wstring ZakladNazvu(const std::wstring& soubor)
{
    std::wstring nazev = PathFindFileNameW(soubor.c_str());
    const size_t tecka = nazev.find_last_of(L'.');
    if (tecka != std::wstring::npos && tecka > 0) nazev.resize(tecka);
    return nazev;
}

UINT PocetCislic(UINT cislo)
{
    UINT cislic = 1;
    for (; cislo >= 10; cislo /= 10) ++cislic;
    return cislic;
}

std::wstring CestaSnimku(const ZadaniExportu& zadani, UINT cislo)
{
    std::wstring cislice = std::to_wstring(cislo);
    const UINT sirka = PocetCislic(zadani.pocetSnimku);
    if (cislice.size() < sirka) cislice.insert(0, sirka - cislice.size(), L'0');
    return VeSlozce(zadani.slozka, ZakladNazvu(zadani.soubor) + L"_" + cislice + Popis(zadani.format).pripona);
}

std::wstring CestaTabulky(const ZadaniExportu& zadani)
{
    return VeSlozce(zadani.slozka, ZakladNazvu(zadani.soubor) + L"_snimky.csv");
}

std::vector<std::wstring> CileExportu(const ZadaniExportu& zadani)
{
    std::vector<std::wstring> cile;
    for (UINT cislo = zadani.rozsah.od; cislo <= zadani.rozsah.po && cislo != 0; ++cislo)
        cile.push_back(CestaSnimku(zadani, cislo));
    if (zadani.zpozdeni) cile.push_back(CestaTabulky(zadani));
    return cile;
}

std::string HlavickaTabulky()
{
    // The mark lets spreadsheets read the header's letters as UTF-8.
    return std::string("\xEF\xBB\xBF") + u8"snímek,zpoždění_ms,x,y,šířka,výška,likvidace\r\n";
}

std::string RadekTabulky(UINT cislo, UINT zpozdeniMs, UINT x, UINT y, UINT sirka, UINT vyska, UINT likvidace)
{
    std::string radek;
    for (const UINT hodnota : {cislo, zpozdeniMs, x, y, sirka, vyska}) radek += std::to_string(hodnota) + ",";
    return radek + std::to_string(likvidace) + "\r\n";
}

std::wstring OtazkaPrepsani(UINT existujicich)
{
    const UINT tvar = existujicich == 1                            ? IDS_EXPORT_PREPSAT_1
                      : existujicich >= 2 && existujicich <= 4     ? IDS_EXPORT_PREPSAT_2_4
                                                                   : IDS_EXPORT_PREPSAT_5;
    return TextZdroje(tvar, {std::to_wstring(existujicich)});
}
