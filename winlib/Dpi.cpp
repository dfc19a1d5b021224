#include "winlib/Dpi.h"

#include <algorithm>

#include "winlib/Chyby.h"
#include "winlib/Handles.h"

namespace Tarnel::WinApi {
namespace {

// The calls of user32 that newer systems have, looked up once per process.
struct VolaniDpi {
    UINT(WINAPI* dpiOkna)(HWND) = nullptr;
    UINT(WINAPI* dpiSystemu)() = nullptr;
    BOOL(WINAPI* upravitObdelnik)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
    BOOL(WINAPI* parametryProDpi)(UINT, UINT, void*, UINT, UINT) = nullptr;
    BOOL(WINAPI* skalovaniRamu)(HWND) = nullptr;
};

template <typename T>
void Najit(HMODULE knihovna, const char* nazev, T& volani)
{
    volani = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(knihovna, nazev)));
}

const VolaniDpi& Volani()
{
    static const VolaniDpi volani = [] {
        VolaniDpi v;
        if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
            Najit(user32, "GetDpiForWindow", v.dpiOkna);
            Najit(user32, "GetDpiForSystem", v.dpiSystemu);
            Najit(user32, "AdjustWindowRectExForDpi", v.upravitObdelnik);
            Najit(user32, "SystemParametersInfoForDpi", v.parametryProDpi);
            Najit(user32, "EnableNonClientDpiScaling", v.skalovaniRamu);
        }
        return v;
    }();
    return volani;
}

} // namespace

UINT DpiSystemu()
{
    if (Volani().dpiSystemu) {
        if (const UINT dpi = Volani().dpiSystemu()) return dpi;
    }
    WindowDc obrazovka(nullptr);
    const int dpi = GetDeviceCaps(obrazovka.Get(), LOGPIXELSY);
    return dpi > 0 ? static_cast<UINT>(dpi) : kZakladniDpi;
}

UINT DpiOkna(HWND okno)
{
    if (Volani().dpiOkna && okno) {
        if (const UINT dpi = Volani().dpiOkna(okno)) return dpi;
    }
    return DpiSystemu();
}

void UpravitObdelnikOkna(RECT& obdelnik, DWORD styl, bool menu, DWORD rozsirenyStyl, UINT dpi)
{
    if (Volani().upravitObdelnik) {
        CheckWin32(Volani().upravitObdelnik(&obdelnik, styl, menu, rozsirenyStyl, dpi));
        return;
    }
    CheckWin32(AdjustWindowRectEx(&obdelnik, styl, menu, rozsirenyStyl));
}

NONCLIENTMETRICSW MetrikyProDpi(UINT dpi)
{
    NONCLIENTMETRICSW metriky{};
    metriky.cbSize = sizeof metriky;
    if (Volani().parametryProDpi) {
        CheckWin32(Volani().parametryProDpi(SPI_GETNONCLIENTMETRICS, sizeof metriky, &metriky, 0, dpi));
        return metriky;
    }
    // The system gives its metrics at its own DPI; the fonts are what matters at another one.
    CheckWin32(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metriky, &metriky, 0));
    const UINT systemu = DpiSystemu();
    for (LOGFONTW* pismo : {&metriky.lfCaptionFont, &metriky.lfSmCaptionFont, &metriky.lfMenuFont,
                            &metriky.lfStatusFont, &metriky.lfMessageFont})
        pismo->lfHeight = MulDiv(pismo->lfHeight, static_cast<int>(dpi), static_cast<int>(systemu));
    return metriky;
}

void PovolitSkalovaniRamu(HWND okno)
{
    // Where the system scales every frame itself, or cannot scale them at all, there is
    // nothing to ask for; a refusal leaves the frame as it would be anyway.
    if (Volani().skalovaniRamu) Volani().skalovaniRamu(okno);
}

void PrijmoutNavrzenyObdelnik(HWND okno, LPARAM navrh)
{
    const auto* obdelnik = reinterpret_cast<const RECT*>(navrh);
    if (!obdelnik) RaiseFatal(E_INVALIDARG);
    CheckWin32(SetWindowPos(okno, nullptr, obdelnik->left, obdelnik->top, obdelnik->right - obdelnik->left,
                            obdelnik->bottom - obdelnik->top, SWP_NOZORDER | SWP_NOACTIVATE));
}

void NastavitVelikostProDpi(HWND okno, SIZE velikost96)
{
    const UINT dpi = DpiOkna(okno);
    SIZE velikost{Skalovat(velikost96.cx, dpi), Skalovat(velikost96.cy, dpi)};
    // A screen of few pixels at a high DPI: no larger than the work area of the monitor.
    MONITORINFO monitor{sizeof monitor};
    if (GetMonitorInfoW(MonitorFromWindow(okno, MONITOR_DEFAULTTONEAREST), &monitor)) {
        velikost.cx = std::min(velikost.cx, monitor.rcWork.right - monitor.rcWork.left);
        velikost.cy = std::min(velikost.cy, monitor.rcWork.bottom - monitor.rcWork.top);
    }
    CheckWin32(SetWindowPos(okno, nullptr, 0, 0, velikost.cx, velikost.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
}

} // namespace Tarnel::WinApi
