#include "winlib/Toolbar.h"

#include "winlib/Chyby.h"

namespace Tarnel::WinApi {

void Toolbar::Create(HWND parent, UINT id, HIMAGELIST obrazky, HIMAGELIST sedeObrazky)
{
    if (!::IsWindow(parent)) RaiseFatal(E_INVALIDARG);
    ChildControl::Create(TOOLBARCLASSNAMEW, nullptr, kStyl, parent, id);
    SendMessageW(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(obrazky));
    SendMessageW(hwnd_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SendMessageW(hwnd_, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(sedeObrazky));
}

void Toolbar::NastavitObrazky(HIMAGELIST obrazky, HIMAGELIST sedeObrazky)
{
    SendMessageW(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(obrazky));
    SendMessageW(hwnd_, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(sedeObrazky));
    // The buttons are measured again for the pictures' size.
    SendMessageW(hwnd_, TB_SETBUTTONSIZE, 0, MAKELPARAM(0, 0));
    SendMessageW(hwnd_, TB_AUTOSIZE, 0, 0);
}

HIMAGELIST Toolbar::ImageList() const
{
    return reinterpret_cast<HIMAGELIST>(SendMessageW(hwnd_, TB_GETIMAGELIST, 0, 0));
}

void Toolbar::AddButton(const TBBUTTON& button)
{
    if (!SendMessageW(hwnd_, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button))) RaiseLastError();
}

void Toolbar::EnableButton(int command, bool enable)
{
    if (!SendMessageW(hwnd_, TB_ENABLEBUTTON, static_cast<WPARAM>(command), MAKELPARAM(enable ? TRUE : FALSE, 0)))
        RaiseLastError();
}

} // namespace Tarnel::WinApi
