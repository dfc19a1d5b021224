#include "settings/Nastaveni.h"

#include <algorithm>

#include "image/Priblizeni.h"
#include "settings/KlicRegistru.h"
#include "winlib/Chyby.h"

Nastaveni nastaveni;

namespace {

HRESULT ChybaRegistru(LONG chyba)
{
    HRESULT hr = Tarnel::WinApi::HresultFromWin32(static_cast<DWORD>(chyba));
    return hr < 0 ? hr : E_FAIL;
}

// A stored speed of 0 would reach the timer arithmetic as a divisor; out-of-range values
// are pulled into what the dialogs accept, values inside it stay as they are.
void OmezitNaRozsahy(Nastaveni& zaznam)
{
    zaznam.rychlostAnimace = std::clamp(zaznam.rychlostAnimace, kRychlostMin, kRychlostMax);
    zaznam.krokZmenyRychlosti = std::clamp(zaznam.krokZmenyRychlosti, kKrokMin, kKrokMax);
    // A background this program does not know (a later version's, say) is the default one.
    if (zaznam.pozadiPruhlednosti >= kPocetPozadi) zaznam.pozadiPruhlednosti = 0;
}

constexpr wchar_t kHodnotaPozadi[] = L"pozadiPruhlednosti";

} // namespace

HRESULT NacistNastaveni()
{
    KlicRegistru klic(kKlicAplikace);
    if (klic.Otevrit() != ERROR_SUCCESS) return 1;
    DWORD hodnota = nastaveni.krokZmenyRychlosti;
    klic.CistDword(L"krokZmenyRychlosti", hodnota);
    nastaveni.krokZmenyRychlosti = hodnota;
    hodnota = nastaveni.rychlostAnimace;
    klic.CistDword(L"rychlostAnimace", hodnota);
    nastaveni.rychlostAnimace = hodnota;
    // A value no version wrote means the default, as a missing one does.
    hodnota = 0;
    klic.CistDword(L"casovaniSnimku", hodnota);
    nastaveni.casovaniSnimku = hodnota == 1 ? Casovani::JakoProhlizec : Casovani::PodleSouboru;
    hodnota = 0;
    klic.CistDword(L"opakovani", hodnota);
    nastaveni.opakovani = hodnota == 1 ? Opakovani::PodleSouboru : Opakovani::StaleDokola;
    hodnota = nastaveni.pozadiPruhlednosti;
    klic.CistDword(kHodnotaPozadi, hodnota);
    nastaveni.pozadiPruhlednosti = hodnota;
    OmezitNaRozsahy(nastaveni);
    klic.Zavrit();
    return S_OK;
}

HRESULT UlozitNastaveni(const Nastaveni& zaznam)
{
    KlicRegistru klic(kKlicAplikace);
    if (LONG chyba = klic.Vytvorit(); chyba != ERROR_SUCCESS) return ChybaRegistru(chyba);
    if (LONG chyba = klic.ZapsatDword(L"rychlostAnimace", zaznam.rychlostAnimace); chyba != ERROR_SUCCESS)
        return ChybaRegistru(chyba);
    if (LONG chyba = klic.ZapsatDword(L"krokZmenyRychlosti", zaznam.krokZmenyRychlosti); chyba != ERROR_SUCCESS)
        return ChybaRegistru(chyba);
    klic.Zavrit();
    return S_OK;
}

HRESULT UlozitVolby(const Nastaveni& zaznam)
{
    KlicRegistru klic(kKlicAplikace);
    if (LONG chyba = klic.Vytvorit(); chyba != ERROR_SUCCESS) return ChybaRegistru(chyba);
    if (LONG chyba = klic.ZapsatDword(L"casovaniSnimku", static_cast<DWORD>(zaznam.casovaniSnimku));
        chyba != ERROR_SUCCESS)
        return ChybaRegistru(chyba);
    if (LONG chyba = klic.ZapsatDword(L"opakovani", static_cast<DWORD>(zaznam.opakovani)); chyba != ERROR_SUCCESS)
        return ChybaRegistru(chyba);
    klic.Zavrit();
    return S_OK;
}

HRESULT UlozitPozadiPruhlednosti(uint32_t pozadi)
{
    KlicRegistru klic(kKlicAplikace);
    if (LONG chyba = klic.Vytvorit(); chyba != ERROR_SUCCESS) return ChybaRegistru(chyba);
    if (LONG chyba = klic.ZapsatDword(kHodnotaPozadi, pozadi); chyba != ERROR_SUCCESS) return ChybaRegistru(chyba);
    klic.Zavrit();
    return S_OK;
}
