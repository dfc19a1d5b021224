#include "soubory/KlavesyExportu.h"

#include "resources/resource_export.h"

UINT PrikazKlavesyExportu(UINT klavesa, bool ctrl, bool shift, bool alt)
{
    if (!ctrl || alt) return 0;
    switch (klavesa) {
    case 'C': return shift ? ID_ANIMACE_KOPIROVATSOUBOR : ID_ANIMACE_KOPIROVATSNIMEK;
    case 'S': return shift ? ID_ANIMACE_EXPORTOVATSNIMKY : 0; // Ctrl+S alone is not ours
    default: return 0;
    }
}

UINT PrikazStiskuExportu(UINT klavesa)
{
    const auto drzena = [](int k) { return (GetKeyState(k) & 0x8000) != 0; };
    return PrikazKlavesyExportu(klavesa, drzena(VK_CONTROL), drzena(VK_SHIFT), drzena(VK_MENU));
}
