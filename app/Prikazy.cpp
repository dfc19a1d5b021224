#include "app/Prikazy.h"

#include "resources/resource.h"
#include "winlib/Cesta.h"
#include "winlib/Retezce.h"

#include <algorithm>

using Tarnel::WinApi::NazevSouboru;
using Tarnel::WinApi::TextZdroje;

Podminky UrcitPodminky(const StavModelu& model, bool prehrava)
{
    Podminky podminky;
    podminky.l = model.maObrazek;
    podminky.a = podminky.l && model.pocetSnimku > 1 && model.maTabulkuZpozdeni && model.zpozdeniPrvniho != 0;
    podminky.p = prehrava;
    return podminky;
}

StavyPrikazu UrcitStavyPrikazu(const Podminky& podminky, bool seznamZobrazen, bool prehledObrazkuBezi)
{
    const bool l = podminky.l;
    const bool a = podminky.a;
    const bool p = podminky.p;
    return {{
        {ID_ANIMACE_KROKVPRED, !p && a, false, false},
        {ID_ANIMACE_KROKZPET, !p && a, false, false},
        {ID_ANIMACE_PRERUSIT, p && a, false, false},
        {ID_ANIMACE_SPUSTIT, !p && a, false, false},
        {ID_ANIMACE_ZASTAVIT, a, false, false},
        // The overview tool can always be started or ended.
        {ID_NASTROJE_PREHLEDOBRAZKU, true, prehledObrazkuBezi, true},
        {ID_SOUBOR_ZAVRIT, l, false, false},
        {ID_ANIMACE_ULOZITSNIMEK, l && !p, false, false},
        {ID_ZOBRAZIT_ANIMACI, l, l && !seznamZobrazen, true},
        {ID_ZOBRAZIT_PREHLEDSNIMKU, l && a, l && seznamZobrazen, true},
    }};
}

uint32_t IntervalSnimku(uint32_t zpozdeniMs, uint32_t rychlost)
{
    if (rychlost == 100 || rychlost == 0) return zpozdeniMs;
    // 64 bits so that no delay a file can name wraps around before the division.
    const uint64_t interval = static_cast<uint64_t>(zpozdeniMs) * 100u / rychlost;
    return static_cast<uint32_t>(std::min<uint64_t>(interval, UINT32_MAX));
}

uint32_t ZvysenaRychlost(uint32_t rychlost, uint32_t krok)
{
    const uint64_t vysledek = static_cast<uint64_t>(rychlost) + krok;
    return static_cast<uint32_t>(std::min<uint64_t>(vysledek, kNejvyssiRychlost));
}

std::optional<uint32_t> SnizenaRychlost(uint32_t rychlost, uint32_t krok)
{
    if (rychlost < krok) return std::nullopt;
    return std::max(rychlost - krok, kNejnizsiRychlost);
}

int NasledujiciSnimek(int snimek, int pocetSnimku) { return snimek < pocetSnimku - 1 ? snimek + 1 : 0; }

int PredchoziSnimek(int snimek) { return snimek > 0 ? snimek - 1 : 0; }

std::array<int, 3> CastiStavoveListy(int sirkaListy, int sirkaPocitadla, int sirkaRychlosti)
{
    // A bar narrower than the two fixed parts keeps their order, without negative edges.
    const int rychlost = std::max(0, sirkaListy - sirkaRychlosti);
    return {std::max(0, rychlost - sirkaPocitadla), rychlost, -1};
}

Obdelnik OblastSeznamu(int sirkaKlienta, int vyskaKlienta, int vyskaRebaru, int vyskaStavoveListy)
{
    // A window shrunk below its bars leaves no room; a negative height would mean nothing.
    const int vyska = std::max(0, vyskaKlienta - vyskaRebaru - vyskaStavoveListy);
    return {0, vyskaRebaru, sirkaKlienta, vyska};
}

bool CekaNaModalniSmycku(UINT prikaz)
{
    switch (prikaz) {
    case ID_SOUBOR_OTEVRIT:
    case ID_SOUBOR_ZAVRIT:
    case ID_ANIMACE_ZASTAVIT:
    case ID_ANIMACE_ULOZITSNIMEK:
    case ID_ANIMACE_RYCHLOST:
        return true;
    default:
        return false;
    }
}

POINT PoziceKontextovehoMenu(LPARAM lParam, POINT kurzor, POINT levyHorniRohKlienta)
{
    // Screen coordinates are signed: monitors left of or above the primary one lie below 0.
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    if (x == 0 && y == 0) return kurzor;
    if (x == -1 && y == -1) return levyHorniRohKlienta; // Shift+F10 or the menu key
    return POINT{x, y};
}

std::wstring TextInformaciOSouboru(const std::wstring& cesta, int pocetSnimku)
{
    return TextZdroje(IDS_INFORMACE_O_SOUBORU, {NazevSouboru(cesta), std::to_wstring(pocetSnimku), cesta});
}

std::wstring TextRychlosti(uint32_t rychlost) { return TextZdroje(IDS_RYCHLOST, {std::to_wstring(rychlost)}); }

std::wstring TextPocitadla(const Podminky& podminky, int snimek, int pocetSnimku)
{
    if (!podminky.l) return L"";
    if (!podminky.a) return L"1/1";
    return std::to_wstring(snimek + 1) + L"/" + std::to_wstring(pocetSnimku);
}

std::wstring TextNapovedyMenu(const std::wstring& retezec)
{
    const size_t konecRadku = retezec.find(L'\n');
    if (konecRadku != std::wstring::npos) return retezec.substr(0, konecRadku);
    if (!retezec.empty() && retezec.back() == L'.') return retezec;
    return retezec + L'.';
}

std::wstring TextTipu(const std::wstring& retezec, size_t velikostBufferu)
{
    const size_t konecRadku = retezec.find(L'\n');
    std::wstring tip = konecRadku == std::wstring::npos ? retezec : retezec.substr(konecRadku + 1);
    if (velikostBufferu == 0) return L"";
    if (tip.size() > velikostBufferu - 1) tip.resize(velikostBufferu - 1);
    return tip;
}
