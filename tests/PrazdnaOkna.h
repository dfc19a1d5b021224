#pragma once
// Windows of the window layer that handle nothing themselves, destroyed with their objects:
// parents and hosts for the controls and panels under test.
#include <windows.h>

#include "winlib/DialogImpl.h"
#include "winlib/WindowImpl.h"

class PrazdnyDialog : public Tarnel::WinApi::DialogImpl {
public:
    explicit PrazdnyDialog(UINT id) : DialogImpl(id) {}
    ~PrazdnyDialog() override
    {
        if (IsWindow()) ::DestroyWindow(hwnd_);
    }

protected:
    bool ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
};

class PrazdneOkno : public Tarnel::WinApi::WindowImpl {
public:
    ~PrazdneOkno() override
    {
        if (IsWindow()) ::DestroyWindow(hwnd_);
    }
    HWND Vytvorit(const wchar_t* trida, DWORD styl, const RECT& misto)
    {
        return Create(Tarnel::WinApi::WindowClass{trida}, nullptr, L"hostitel", styl, 0, misto);
    }

protected:
    bool ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
};
