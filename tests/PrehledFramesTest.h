#pragma once
// Shared by the tests of the frames overview window and its panel: finding the overview
// windows and threads of this process, reading their texts and stored placement, and working
// a file dialog that the test's own thread shows.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/DialogDriver.h"

namespace PrehledFrames {

// The title of the overview while it shows no picture.
inline constexpr wchar_t kBezObrazku[] = L"Animora - Přehled obrázků animace";

using DialogDriver::TextOf;
using DialogDriver::WaitForDialog;

// Every window of class "GifFramesList" of this process, visible or not.
std::vector<HWND> OknaPrehledu();
// Threads of this process that exist right now.
int PocetVlaken();
// The panel (the child dialog) of an overview window.
HWND Panel(HWND oknoPrehledu);
// A REG_DWORD below HKEY_CURRENT_USER; false when it is not there.
bool CistDword(const std::wstring& klic, const wchar_t* hodnota, DWORD& cislo);
std::wstring KlicPolohy(const wchar_t* trida);

// A message box that shows once the file dialog has gone: who owns it and what it says.
struct Zprava {
    bool videna = false;
    HWND vlastnik = nullptr;
    std::wstring text;
};

// What the user does in the file dialog the action opens.
struct Scenar {
    std::wstring cesta;     // typed into the file name box, then OK; empty: Cancel
    int odpovedNaPrepis = 0; // IDYES or IDNO when an overwrite question is expected
    Zprava* zprava = nullptr; // when set, a box after the dialog is read into it and dismissed
};
// Runs the action on this thread while a helper thread works the dialog it opens; whatever
// the script leaves open is cancelled, so that the action always returns. True when a dialog
// was seen.
bool ObslouzitDialog(const std::function<void()>& akce, const Scenar& scenar);

} // namespace PrehledFrames
