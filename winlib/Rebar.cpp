#include "winlib/Rebar.h"

#include "winlib/Chyby.h"

namespace Tarnel::WinApi {

void Rebar::Create(HWND parent, UINT id)
{
    ChildControl::Create(REBARCLASSNAMEW, L"RRebar", kStyl, parent, id);
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

void Rebar::SetBand(UINT index, REBARBANDINFOW& band)
{
    if (!SendMessageW(hwnd_, RB_SETBANDINFOW, index, reinterpret_cast<LPARAM>(&band))) RaiseLastError();
}

} // namespace Tarnel::WinApi
