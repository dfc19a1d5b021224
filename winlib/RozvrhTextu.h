#pragma once
// Static texts that hold their text. A dialog template sizes its texts in dialog units, but
// how wide a text is in the dialog's font differs between systems and DPI, so a text that fits
// on one is cut on another. Once a dialog is initialised, every single-line static text whose
// text is wider than the control is widened to the right: as far as the next control in its
// row or the dialog's margin allows; an edit next to it gives up a little of its width from
// the left; where even that is not enough, the controls to its right in its row move over and
// the dialog grows by what is missing. Nothing outside that row moves.
#include <windows.h>

#include <vector>

namespace Tarnel::WinApi {

// A control of the dialog as the layout sees it, in client coordinates.
struct PrvekRozvrhu {
    RECT obdelnik{};
    // The width the control's text needs; 0 for a control that is not a text that may grow.
    int sirkaTextu = 0;
    // An edit that scrolls its text: it may give up room on its left.
    bool muzeUstoupit = false;
};

// The share of its width an edit may give up to the text on its left, in quarters.
constexpr int kUstupEditu = 1;

// Widens the texts that need it and moves what has to make room, in place; returns how much
// wider the client area must become (0 when it may stay). okraj is the dialog's margin at its
// right edge, mezera the gap kept before the next control (a smaller gap of the template stays).
int RozvrhnoutTexty(std::vector<PrvekRozvrhu>& prvky, int sirkaKlienta, int okraj, int mezera);

// Applies the rule to the dialog's child controls, measuring each text in its own font. Fatal
// when a control or the dialog refuses to move.
void PrizpusobitTextyDialogu(HWND dialog);

} // namespace Tarnel::WinApi
