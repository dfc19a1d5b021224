#pragma once
// The "Exportovat snímky…" command of a window (the main window and the frames overview, each
// for its own file): asks what to export, asks once before any existing file is overwritten,
// and starts the export in a progress window beside the window.
#include <windows.h>

#include <string>
#include <vector>

// The progress window, or null when the user cancelled, said No, a modal loop of the thread
// is running already, or the window closed meanwhile. The caller checks its own state
// afterwards: the dialog's and the question's loops dispatch whatever arrives.
HWND SpustitExportSnimku(HWND vlastnik, const std::wstring& soubor, UINT pocetSnimku);

// How many of the files exist already.
UINT PocetExistujicich(const std::vector<std::wstring>& soubory);

// The export and clipboard commands' states in a window's menus: all of them need a picture
// shown, and nothing else (an export or a copy does not stop playback).
struct StavPrikazuExportu {
    UINT prikaz;
    bool povoleno;
};
std::vector<StavPrikazuExportu> StavyPrikazuExportu(bool obrazekZobrazen);
