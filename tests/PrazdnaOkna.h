#pragma once
// Windows of the window layer that handle nothing themselves, destroyed with their objects:
// parents and hosts for the controls and panels under test.
#include <windows.h>

#include "winlib/DialogImpl.h"
#include "winlib/Okno.h"

class PrazdnyDialog : public Tarnel::WinApi::DialogImpl {
public:
    explicit PrazdnyDialog(UINT id) : DialogImpl(id) {}
};

class PrazdneOkno : public Tarnel::WinApi::Okno {
public:
    HWND Vytvorit(const wchar_t* trida, DWORD styl, const RECT& misto)
    {
        return Create(Tarnel::WinApi::WindowClass{trida}, nullptr, L"hostitel", styl, 0, misto);
    }
};
