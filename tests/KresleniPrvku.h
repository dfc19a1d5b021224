#pragma once
// Reading back what a control draws: its pixels (printed into a canvas, or as they are on
// the screen) and the text calls it makes, recorded in an enhanced metafile.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/GifFixtures.h"

namespace KresleniPrvku {

// The control's client area printed (WM_PRINTCLIENT) into a canvas of the given width (the
// client width when 0), filled with `vypln` first.
std::unique_ptr<GifFixtures::Canvas> Vytisknout(HWND prvek, COLORREF vypln, int sirka = 0);
// The control's client area as the screen shows it now.
std::unique_ptr<GifFixtures::Canvas> ZObrazovky(HWND prvek);

// Whether a colour lies between the background and the text colour, as smoothed text edges do.
bool OdstinBarvy(COLORREF barva, COLORREF text, COLORREF pozadi);
// Pixels of the area whose colour is neither `pozadi` nor a shade between it and `text`.
int CiziPixely(const GifFixtures::Canvas& platno, COLORREF pozadi, COLORREF text, const RECT& oblast);

// One text call of a control's painting, with the state of the device context at the time.
struct VolaniTextu {
    std::wstring text;
    COLORREF barva = CLR_INVALID;
    LOGFONTW pismo{};          // the font selected for the text
    bool pismoZnamo = false;   // the font was created in the recording (not a stock one)
    // The font selections made before the text and after it, as handle-table indexes
    // (stock objects with their high bit set).
    std::vector<DWORD> vyberyPred;
    std::vector<DWORD> vyberyPo;
};
// Records a WM_PRINTCLIENT of the control and returns its text calls.
std::vector<VolaniTextu> ZaznamenatText(HWND prvek);

} // namespace KresleniPrvku
