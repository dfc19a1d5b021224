#include "app/Rebar.h"

#include "winlib/Chyby.h"

using namespace Tarnel::WinApi;

void Rebar::Create(HWND parent, UINT id)
{
    Destroy();
    hwnd_ = CreateWindowExW(0, REBARCLASSNAMEW, L"RRebar", kStyl, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) RaiseLastError();
    REBARINFO info{sizeof info};
    info.fMask = 0;
    info.himl = nullptr;
    if (!SendMessageW(hwnd_, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info))) RaiseLastError();
}

void Rebar::InsertBand(REBARBANDINFOW& band)
{
    if (!SendMessageW(hwnd_, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band)))
        RaiseLastError();
}

void Rebar::Destroy()
{
    if (hwnd_ && ::IsWindow(hwnd_)) CheckWin32(DestroyWindow(hwnd_));
    hwnd_ = nullptr;
}
