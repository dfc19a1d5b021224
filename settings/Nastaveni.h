#pragma once
// The program's user settings and their home in the per-user registry: the default speed and
// its step, which the settings dialog edits, and the choices the menus make.
#include <windows.h>

#include <cstdint>

#include "image/PravidlaPrehravani.h"

struct Nastaveni {
    uint32_t rychlostAnimace = 100;   // default playback speed, percent
    uint32_t krokZmenyRychlosti = 10; // speed step, percentage points
    Casovani casovaniSnimku = Casovani::PodleSouboru;
    Opakovani opakovani = Opakovani::StaleDokola;
    uint32_t pozadiPruhlednosti = 0;  // the background under transparent pixels (PozadiPruhlednosti)
};

// The one settings record of the program (main thread only).
extern Nastaveni nastaveni;

// Ranges the dialogs accept; stored values outside them are pulled in on reading.
constexpr uint32_t kRychlostMin = 10;
constexpr uint32_t kRychlostMax = 1000;
constexpr uint32_t kKrokMin = 1;
constexpr uint32_t kKrokMax = 100;

constexpr wchar_t kKlicAplikace[] = L"Software\\Tarnel\\Animora\\1";

// Reads the values over the record; S_OK when the key opened, 1 when it could not.
HRESULT NacistNastaveni();
// Writes both values (speed first); S_OK or the failure of the first call that failed.
HRESULT UlozitNastaveni(const Nastaveni& zaznam);
// Writes the menus' choices; S_OK or the failure.
HRESULT UlozitVolby(const Nastaveni& zaznam);
// Writes the transparency background alone, as the user picks it; S_OK or the failure.
HRESULT UlozitPozadiPruhlednosti(uint32_t pozadi);
