#include "winlib/ChildControl.h"

#include "winlib/Chyby.h"

namespace Tarnel::WinApi {

void ChildControl::Create(const wchar_t* className, const wchar_t* title, DWORD style, HWND parent, UINT id)
{
    Destroy();
    hwnd_ = CreateWindowExW(0, className, title, style, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) RaiseLastError();
}

void ChildControl::Destroy()
{
    DestroyOwnedWindow(hwnd_);
    hwnd_ = nullptr;
}

} // namespace Tarnel::WinApi
