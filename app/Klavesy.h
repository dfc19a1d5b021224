#pragma once
// What the keys of the main window do, decided without a window: each key stands for one or
// two commands of the window's command table, run in order, each only while the command
// table has it enabled. The window only reads the key and its modifiers and runs the answer.
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "app/Prikazy.h"

// A key as the window received it. Letters and the arrows come as virtual keys; the keys
// whose place differs between keyboard layouts (+, -, *, 0, the full stop and the comma)
// come as the characters they type.
struct Klavesa {
    UINT vk = 0;         // WM_KEYDOWN; 0 for a character
    wchar_t znak = 0;    // WM_CHAR; 0 for a virtual key
    bool shift = false;
    bool ctrl = false;
    bool alt = false;    // AltGr types characters as Ctrl+Alt: never a shortcut of ours
};

// The commands a key runs, in order; unused places are 0. While the animation plays, a step
// first pauses it, since the steps are only available when it does not play.
using PrikazyKlavesy = std::array<UINT, 2>;

PrikazyKlavesy UrcitPrikazyKlavesy(const Klavesa& klavesa, bool prehrava);
// Whether the key is one of the window's at all, in any state.
bool JeKlavesaOkna(const Klavesa& klavesa);

// The command whose enabled state and modal-loop rule a command follows: the keyboard's own
// moves follow the menu command they extend (a jump between frames is a step, the files of
// the folder are an open).
UINT PrikazStavu(UINT prikaz);
// Whether the command table lets the command run now; commands it does not list always run.
bool PrikazPovolen(UINT prikaz, const StavyPrikazu& stavy);

// The frame a jump command goes to from snimek of pocetSnimku: forward wraps after the last
// frame, back stops at the first, as the single steps do.
int CilovySnimek(UINT prikaz, int snimek, int pocetSnimku);
constexpr int kSkokSnimku = 10;
