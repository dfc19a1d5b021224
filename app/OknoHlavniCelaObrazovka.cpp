// Full screen: only the picture, on the whole monitor the window is on, black around it; the
// window's menu, bars and frame go and come back exactly as they were.
#include "app/OknoHlavni.h"

#include "image/GifAnimace.h"
#include "winlib/Chyby.h"

using namespace Tarnel::WinApi;

void OknoHlavni::PrepnoutCelouObrazovku()
{
    if (celaObrazovka)
        OpustitCelouObrazovku();
    else if (animace && animace->HasImage() && !seznamSnimku)
        VstoupitNaCelouObrazovku();
}

void OknoHlavni::VstoupitNaCelouObrazovku()
{
    CelaObrazovka predtim{};
    predtim.poloha.length = sizeof predtim.poloha;
    CheckWin32(GetWindowPlacement(hwnd_, &predtim.poloha));
    predtim.styl = GetWindowLongPtrW(hwnd_, GWL_STYLE);
    MONITORINFO monitor{sizeof monitor};
    CheckWin32(GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor));
    celaObrazovka = predtim;

    // The bars hide and so take no room: the picture's area is then the whole client area.
    for (HWND lista : {RebarOkno(), StavovaLista()})
        if (lista) ShowWindow(lista, SW_HIDE);
    CheckWin32(SetMenu(hwnd_, nullptr));
    SetWindowLongPtrW(hwnd_, GWL_STYLE, (predtim.styl & ~WS_OVERLAPPEDWINDOW) | WS_POPUP);
    const RECT& r = monitor.rcMonitor;
    CheckWin32(SetWindowPos(hwnd_, HWND_TOP, r.left, r.top, Width(r), Height(r), SWP_FRAMECHANGED | SWP_NOOWNERZORDER));
    RozmistitPohled();
    PrekreslitOkno();
    AktualizovatPrikazy();
}

void OknoHlavni::OpustitCelouObrazovku()
{
    if (!celaObrazovka) return;
    const CelaObrazovka predtim = *celaObrazovka;
    celaObrazovka.reset();
    SetWindowLongPtrW(hwnd_, GWL_STYLE, predtim.styl);
    CheckWin32(SetMenu(hwnd_, hlavniMenu.menu));
    for (HWND lista : {RebarOkno(), StavovaLista()})
        if (lista) ShowWindow(lista, SW_SHOWNA);
    CheckWin32(SetWindowPlacement(hwnd_, &predtim.poloha));
    CheckWin32(SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                            SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED));
    PoslatZmenuVelikosti();
    PrekreslitOkno();
    AktualizovatPrikazy();
}
