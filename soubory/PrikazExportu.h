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

class GifAnimace;

// Carries out an export or clipboard command (the ids of resource_export.h) for the file that
// `okno` shows in `model`: the export beside `vlastnikExportu`, the copy of frame `snimek`
// (the model's active frame when negative) or of the file itself. False when prikaz is none of
// them; with no picture shown the command does nothing.
bool ProvestPrikazExportu(UINT prikaz, HWND okno, HWND vlastnikExportu, GifAnimace* model, int snimek);

// How many of the files exist already.
UINT PocetExistujicich(const std::vector<std::wstring>& soubory);

// The export and clipboard commands' states in a window's menus: all of them need a picture
// shown, and nothing else (an export or a copy does not stop playback).
struct StavPrikazuExportu {
    UINT prikaz;
    bool povoleno;
};
std::vector<StavPrikazuExportu> StavyPrikazuExportu(bool obrazekZobrazen);
