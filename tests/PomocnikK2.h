#pragma once
// Steps the main-window tests share: a click on a toolbar button, a real drop of files, the
// wait for the quit message, and the picture between the bars as the window shows it.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace PomocnikK2 {

// Presses and releases the button as the mouse does: on its left part or on its arrow.
inline void KliknoutNaTlacitko(HWND panel, int prikaz, bool naSipku = false)
{
    RECT r{};
    if (!SendMessageW(panel, TB_GETRECT, static_cast<WPARAM>(prikaz), reinterpret_cast<LPARAM>(&r))) return;
    const LPARAM bod = MAKELPARAM(naSipku ? r.right - 3 : r.left + 6, (r.top + r.bottom) / 2);
    SendMessageW(panel, WM_MOUSEMOVE, 0, bod);
    SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, bod);
    SendMessageW(panel, WM_LBUTTONUP, 0, bod);
}

// A drop of the files as the shell hands it over; the receiver finishes it.
inline HGLOBAL VytvoritDrop(const std::vector<std::wstring>& soubory)
{
    size_t znaku = 1;
    for (const auto& s : soubory) znaku += s.size() + 1;
    HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + znaku * sizeof(wchar_t));
    if (!drop) return nullptr;
    auto* hlavicka = static_cast<DROPFILES*>(GlobalLock(drop));
    hlavicka->pFiles = sizeof(DROPFILES);
    hlavicka->fWide = TRUE;
    auto* seznam = reinterpret_cast<wchar_t*>(hlavicka + 1);
    for (const auto& s : soubory) {
        wcscpy(seznam, s.c_str());
        seznam += s.size() + 1;
    }
    *seznam = L'\0';
    GlobalUnlock(drop);
    return drop;
}

// Dispatches until the quit message arrives: its code, or -1 when none came in time.
inline int CekatNaKonec(DWORD ms = 5000)
{
    const ULONGLONG konec = GetTickCount64() + ms;
    MSG msg;
    while (GetTickCount64() < konec) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(1);
    }
    return -1;
}

// The room between the rebar and the status bar, in client coordinates.
inline RECT Plocha(HWND okno, HWND rebar, HWND lista)
{
    RECT klient{}, r{}, s{};
    GetClientRect(okno, &klient);
    GetWindowRect(rebar, &r);
    GetWindowRect(lista, &s);
    return RECT{0, r.bottom - r.top, klient.right, klient.bottom - (s.bottom - s.top)};
}

// A client pixel as the window shows it once pending painting is done.
inline COLORREF PixelOkna(HWND okno, int x, int y)
{
    UpdateWindow(okno);
    HDC dc = GetDC(okno);
    const COLORREF barva = GetPixel(dc, x, y);
    ReleaseDC(okno, dc);
    return barva;
}

} // namespace PomocnikK2
