#include "app/Klavesy.h"

#include <algorithm>

#include "resources/resource.h"
#include "soubory/KlavesyExportu.h"

namespace {

PrikazyKlavesy Jeden(UINT prikaz) { return {prikaz, 0}; }

// A step or jump between frames: while playing, the first press pauses and steps at once.
PrikazyKlavesy Krok(UINT prikaz, bool prehrava)
{
    return prehrava ? PrikazyKlavesy{ID_ANIMACE_PRERUSIT, prikaz} : Jeden(prikaz);
}

PrikazyKlavesy PrikazyZnaku(wchar_t znak, bool prehrava)
{
    switch (znak) {
    case L'.': return Krok(ID_ANIMACE_KROKVPRED, prehrava);
    case L',': return Krok(ID_ANIMACE_KROKZPET, prehrava);
    case L'+': return Jeden(ID_RYCHLOST_ZVYSIT);
    case L'-': return Jeden(ID_RYCHLOST_SNIZIT);
    case L'*':
    case L'0': return Jeden(ID_RYCHLOST_VYCHOZI);
    default: return {};
    }
}

PrikazyKlavesy PrikazyCtrl(UINT vk)
{
    switch (vk) {
    case 'O': return Jeden(ID_SOUBOR_OTEVRIT);
    case 'S': return Jeden(ID_ANIMACE_ULOZITSNIMEK);
    case 'W': return Jeden(ID_SOUBOR_ZAVRIT);
    default: return {};
    }
}

PrikazyKlavesy PrikazyVirtualniKlavesy(UINT vk, bool shift, bool prehrava)
{
    switch (vk) {
    case VK_SPACE: return Jeden(prehrava ? ID_ANIMACE_PRERUSIT : ID_ANIMACE_SPUSTIT);
    case VK_RIGHT: return Krok(shift ? ID_SNIMEK_VPRED_O_DESET : ID_ANIMACE_KROKVPRED, prehrava);
    case VK_LEFT: return Krok(shift ? ID_SNIMEK_ZPET_O_DESET : ID_ANIMACE_KROKZPET, prehrava);
    case VK_HOME: return Krok(ID_SNIMEK_PRVNI, prehrava);
    case VK_END: return Krok(ID_SNIMEK_POSLEDNI, prehrava);
    case VK_ESCAPE: return Jeden(ID_ANIMACE_ZASTAVIT);
    case VK_NEXT: return Jeden(ID_SOUBOR_DALSI_VE_SLOZCE);
    case VK_PRIOR: return Jeden(ID_SOUBOR_PREDCHOZI_VE_SLOZCE);
    default: return {};
    }
}

} // namespace

PrikazyKlavesy UrcitPrikazyKlavesy(const Klavesa& klavesa, bool prehrava)
{
    if (klavesa.alt) return {};
    // A character typed with Ctrl is a control code, not the character itself.
    if (klavesa.znak) return klavesa.ctrl ? PrikazyKlavesy{} : PrikazyZnaku(klavesa.znak, prehrava);
    if (klavesa.ctrl) {
        if (const UINT export_ = PrikazKlavesyExportu(klavesa.vk, true, klavesa.shift, false)) return Jeden(export_);
        return klavesa.shift ? PrikazyKlavesy{} : PrikazyCtrl(klavesa.vk);
    }
    return PrikazyVirtualniKlavesy(klavesa.vk, klavesa.shift, prehrava);
}

bool JeKlavesaOkna(const Klavesa& klavesa)
{
    return UrcitPrikazyKlavesy(klavesa, false)[0] != 0 || UrcitPrikazyKlavesy(klavesa, true)[0] != 0;
}

UINT PrikazStavu(UINT prikaz)
{
    switch (prikaz) {
    case ID_SNIMEK_PRVNI:
    case ID_SNIMEK_ZPET_O_DESET: return ID_ANIMACE_KROKZPET;
    case ID_SNIMEK_POSLEDNI:
    case ID_SNIMEK_VPRED_O_DESET: return ID_ANIMACE_KROKVPRED;
    case ID_SOUBOR_DALSI_VE_SLOZCE:
    case ID_SOUBOR_PREDCHOZI_VE_SLOZCE: return ID_SOUBOR_OTEVRIT;
    default: return prikaz;
    }
}

bool PrikazPovolen(UINT prikaz, const StavyPrikazu& stavy)
{
    const UINT podle = PrikazStavu(prikaz);
    const auto stav = std::find_if(stavy.begin(), stavy.end(), [podle](const StavPrikazu& s) { return s.prikaz == podle; });
    return stav == stavy.end() || stav->povoleno;
}

int CilovySnimek(UINT prikaz, int snimek, int pocetSnimku)
{
    if (pocetSnimku <= 0) return snimek;
    switch (prikaz) {
    case ID_SNIMEK_PRVNI: return 0;
    case ID_SNIMEK_POSLEDNI: return pocetSnimku - 1;
    case ID_SNIMEK_VPRED_O_DESET: return (snimek + kSkokSnimku) % pocetSnimku;
    case ID_SNIMEK_ZPET_O_DESET: return std::max(0, snimek - kSkokSnimku);
    default: return snimek;
    }
}
