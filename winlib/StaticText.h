#pragma once
// An existing static control of a dialog taken over and painted by the object: the control
// is switched to owner drawing and its window text drawn with the object's colour, font,
// background brush and alignment. A view over the control unless vlastniOkno is set, in which
// case detaching destroys the control instead of handing it back.
//
// The parent must reflect the control's notifications (message + kReflectBase), as
// DialogImpl does for everything it leaves alone; without that the control is never painted.
#include <windows.h>

#include "winlib/Handles.h"
#include "winlib/WindowImpl.h"

namespace Tarnel::WinApi {

class StaticText : public WindowImpl {
public:
    // Text alignment within the control.
    enum Zarovnani : int { Vlevo = 0, NaStred = 1, Vpravo = 2 };

    StaticText() = default;
    ~StaticText() override;

    // Detaches whatever the object holds, then takes the control over: dark-red text, the
    // control's own font 20 pixels high at 96 DPI (scaled to the control's DPI), the
    // button-face background, owner drawing. A handle
    // that is no window, or a control that cannot be taken over, is fatal (E_INVALIDARG).
    void Pripojit(HWND prvek);
    // Gives the object's font another face of 2 to 31 characters and redraws a visible control.
    // Fatal: no control (E_HANDLE), a shorter name (E_INVALIDARG), a longer one (no room).
    void NastavitPismo(const wchar_t* nazevPisma);
    // Hands the control back (or destroys it when owned) and deletes the object's font. A
    // control that someone else has subclassed since is left as it is.
    void Odpojit();

    HFONT Pismo() const { return pismo.Get(); }

    // Set by the owner directly; after a change to a shown control the owner redraws it.
    COLORREF barvaTextu = RGB(0x80, 0, 0);
    bool vlastniOkno = false;
    HBRUSH stetecPozadi = nullptr; // not owned: a system colour brush
    int zarovnani = Vlevo;

protected:
    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& polozka) override;

private:
    void OnDestroy();
    void Vykreslit(const DRAWITEMSTRUCT& polozka);
    void PrekreslitIhned();

    Font pismo;
};

} // namespace Tarnel::WinApi
