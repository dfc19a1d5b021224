#include "winlib/ListBox.h"

#include "winlib/Chyby.h"

namespace Tarnel::WinApi {

void ListBox::Attach(HWND window)
{
    Release();
    if (!::IsWindow(window)) RaiseFatal(E_INVALIDARG);
    if (!SubclassWindow(window)) RaiseLastError();
    owns_ = false;
}

void ListBox::Create(HWND parent, const RECT& rect, DWORD style, UINT id)
{
    Release();
    if (!::IsWindow(parent)) RaiseFatal(E_INVALIDARG);
    HWND window = CreateWindowExW(0, L"ListBox", nullptr, style, rect.left, rect.top, rect.right - rect.left,
                                  rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window) RaiseLastError();
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    owns_ = true;
    if (!SubclassWindow(window)) RaiseLastError();
}

void ListBox::Release()
{
    if (owns_)
        DestroyOwnedWindow(hwnd_);
    else if (IsWindow())
        ReleaseWindow();
    owns_ = false;
}

void ListBox::RequireWindow() const
{
    if (!IsWindow()) RaiseFatal(E_HANDLE);
}

int ListBox::AddItem(LPARAM data)
{
    RequireWindow();
    const auto index = static_cast<int>(SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"")));
    if (index == LB_ERR || index == LB_ERRSPACE) RaiseLastError();
    if (SendMessageW(hwnd_, LB_SETITEMDATA, static_cast<WPARAM>(index), data) == LB_ERR) RaiseLastError();
    return index;
}

void ListBox::Clear()
{
    RequireWindow();
    SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
}

int ListBox::Count() const
{
    RequireWindow();
    return static_cast<int>(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0));
}

void ListBox::Select(int index)
{
    RequireWindow();
    if (SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0) == LB_ERR && index >= 0) RaiseLastError();
}

int ListBox::Selected() const
{
    RequireWindow();
    return static_cast<int>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0));
}

LPARAM ListBox::ItemData(int index) const
{
    RequireWindow();
    return static_cast<LPARAM>(SendMessageW(hwnd_, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

} // namespace Tarnel::WinApi
