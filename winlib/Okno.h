#pragma once
// Base of the program's top-level windows: remembers where the window was, per window
// class, below a registry key of the application's choosing. Owns its window: deleting the
// object destroys a window of this thread that still exists.
#include <windows.h>

#include <optional>
#include <string>

#include "winlib/WindowImpl.h"

namespace Tarnel::WinApi {

class Okno : public WindowImpl {
public:
    ~Okno() override;

    // With a key, placements go below "<key>\Parametry oken\"; null changes nothing.
    virtual void NastavitKlicRegistru(const wchar_t* klicAplikace);
    // Writes "Poloha" and "Velikost" for the class (null: the window's own class).
    // 0 when written, 1 when skipped (window hidden or minimised), the registry's failure when
    // the key or a value cannot be written (then nothing more happens).
    virtual HRESULT UlozitPolohu(const wchar_t* nazevTridy);
    // Applies a stored placement (position only, or position and size) and pulls the window
    // into its monitor's work area. 0 when applied, 1 when nothing usable is stored.
    virtual HRESULT ObnovitPolohu(const wchar_t* nazevTridy, bool jenPoloha);

    const std::wstring& KlicPolohy() const { return klicPolohy; }

protected:
    std::wstring klicPolohy;

private:
    std::wstring NazevTridy(const wchar_t* nazevTridy) const;
};

// The placement arithmetic, apart from the windows it is applied to.

// Two coordinates in one registry value: the low 16 bits of each, first in the low half.
DWORD ZabalitDvojici(LONG dolni, LONG horni);
// The halves of a stored size, each read back as an unsigned number from 0 to 65535.
POINT RozbalitDvojici(DWORD hodnota);
// The halves of a stored position, each read back signed: a window left of or above the
// primary monitor lies at negative coordinates.
POINT RozbalitPolohu(DWORD hodnota);
// Where a window with rectangle okno must go to lie in the work area oblast; nothing when
// it may stay. The right and bottom edges win over the left and top ones.
std::optional<POINT> PolohaVPracovniOblasti(const RECT& okno, const RECT& oblast);
// Top-left corner of a window of the given size centred on cil and kept inside meze (the
// left and top bounds win when the window is larger than meze).
POINT PolohaNaStred(SIZE okno, const RECT& cil, const RECT& meze);

// Moves a window into the work area of its nearest monitor; 1 when no monitor can be had.
HRESULT UmistitDoPracovniOblasti(HWND window);
// Centres a window over a reference window (given, else its owner or parent) or, failing a
// visible one, on the work area of its nearest monitor. Never resizes or activates.
void Vycentrovat(HWND window, HWND reference = nullptr);

} // namespace Tarnel::WinApi
