#include "winlib/Edit.h"

#include "winlib/Chyby.h"

namespace Tarnel::WinApi {

void Edit::PridatStyl(DWORD styl)
{
    const DWORD stavajici = Styl();
    if ((stavajici & styl) == styl) return;
    SetLastError(0);
    if (!SetWindowLongPtrW(hwnd_, GWL_STYLE, static_cast<LONG_PTR>(stavajici | styl)) && GetLastError())
        RaiseLastError();
}

bool Edit::NastavitCislo(uint32_t cislo)
{
    return SetDlgItemInt(GetParent(hwnd_), GetDlgCtrlID(hwnd_), cislo, FALSE) != FALSE;
}

} // namespace Tarnel::WinApi
