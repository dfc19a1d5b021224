#pragma once
// Writing the frames of an export: every frame composed on the whole canvas by a model of the
// export's own, each file through the checked temporary file and one-step replace of the save
// command, then the table of delays. Runs on the calling thread (the export's worker).
#include <windows.h>

#include <functional>
#include <string>

#include "soubory/VystupSnimku.h"

struct VysledekExportu {
    UINT zapsano = 0;      // files written, the table included; they stay whatever follows
    HRESULT chyba = S_OK;  // why the export stopped short
    std::wstring soubor;   // the file it stopped at
    bool zruseno = false;  // stopped at the user's request
};

// Asked before every frame with the frames done and the frames in all, and once more at the
// end; false stops the export before that frame.
using PrubehExportu = std::function<bool(UINT hotovo, UINT celkem)>;

// Formats without transparency get the frame over `podklad`, the colour the window shows
// under it. A range beyond the file's frames is cut to them.
VysledekExportu ExportovatSnimky(const ZadaniExportu& zadani, COLORREF podklad, const PrubehExportu& prubeh);

// Writes the bytes to the file through a temporary file beside it that is checked and then put
// in its place in one step; on failure the target stays as it was and nothing is left beside it.
HRESULT ZapsatSouborBezpecne(const std::wstring& cil, const std::string& obsah);
