#pragma once
// Sizes at the DPI a window is shown at. Every size the program gives in pixels is a size at
// 96 DPI (100 %), scaled to the DPI of the window it is used in. The per-monitor calls of newer
// systems are looked up at run time, so that the program still starts where they are missing;
// there the system DPI of the screen stands in for the window's.
#include <windows.h>

namespace Tarnel::WinApi {

constexpr UINT kZakladniDpi = USER_DEFAULT_SCREEN_DPI;
// Sent to the child windows once their top-level window has taken a new DPI (the headers we
// build with name it only for newer systems).
constexpr UINT kZpravaDpiPoRodici = 0x02E3; // WM_DPICHANGED_AFTERPARENT

// A size at 96 DPI at the given DPI, rounded to the nearest pixel.
inline int Skalovat(int px96, UINT dpi) { return MulDiv(px96, static_cast<int>(dpi), static_cast<int>(kZakladniDpi)); }

// The DPI the system gives windows that do not ask for their monitor's.
UINT DpiSystemu();
// The DPI of the window (of its monitor, for a per-monitor aware program); the system DPI
// where the system cannot tell.
UINT DpiOkna(HWND okno);
// The DPI a WM_DPICHANGED message announces.
inline UINT DpiZeZpravy(WPARAM wParam) { return HIWORD(wParam); }

// The window rectangle for a client rectangle, with the frame metrics of the DPI. Fatal when
// the system refuses.
void UpravitObdelnikOkna(RECT& obdelnik, DWORD styl, bool menu, DWORD rozsirenyStyl, UINT dpi);
// The system's fonts and frame metrics as they are at the DPI.
NONCLIENTMETRICSW MetrikyProDpi(UINT dpi);
// Gives a top-level window being created a caption and menu that follow its DPI where the
// system does that only on request (per-monitor awareness of the first version).
void PovolitSkalovaniRamu(HWND okno);
// Moves and sizes the window to the rectangle WM_DPICHANGED suggests (lParam). Fatal when the
// window refuses.
void PrijmoutNavrzenyObdelnik(HWND okno, LPARAM navrh);
// Gives the window the outer size that the size at 96 DPI has at the window's DPI, but no
// more than its monitor's work area; it keeps its position. Fatal when the window refuses.
void NastavitVelikostProDpi(HWND okno, SIZE velikost96);

} // namespace Tarnel::WinApi
