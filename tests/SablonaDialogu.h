#pragma once
// The dialog templates compiled into the executable, read as the dialog manager reads them
// (DLGTEMPLATEEX), so that a test can check what holds for every dialog instead of copying
// the resource script.
#include <windows.h>

#include <string>
#include <vector>

namespace SablonaDialogu {

struct Prvek {
    DWORD id = 0;
    std::wstring trida; // upper case; a predefined class given by its ordinal reads by name
    std::wstring text;  // an ordinal (an icon resource) reads as "#<number>"
    DWORD styl = 0;
    RECT misto{}; // left, top, right, bottom in dialog units
};

struct Sablona {
    bool nalezena = false;
    DWORD styl = 0;
    SIZE rozmer{}; // dialog units
    std::wstring titulek;
    WORD bodyPisma = 0;
    std::wstring pismo;
    std::vector<Prvek> prvky; // in tab order
};

Sablona Nacist(UINT id);
// Every dialog template of the executable.
std::vector<UINT> VsechnyDialogy();
// Where the dialog manager puts a rectangle of the template in the dialog's client area:
// position and size are converted from dialog units each on its own.
RECT VPixelech(HWND dialog, const RECT& misto);

} // namespace SablonaDialogu
