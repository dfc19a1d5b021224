#include "winlib/ToolTip.h"

#include <commctrl.h>

#include "winlib/Chyby.h"

namespace Tarnel::WinApi {

ToolTip::~ToolTip() { Znicit(); }

HRESULT ToolTip::Vytvorit(HWND dialog, DWORD rozsirenyStyl)
{
    if (hwnd_ && ::IsWindow(hwnd_)) return S_FALSE;
    if (!dialog) RaiseFatal(E_INVALIDARG);
    dialog_ = dialog;
    hwnd_ = CreateWindowExW(rozsirenyStyl, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) RaiseLastError();
    return S_OK;
}

void ToolTip::PridatNastroj(HWND prvek, UINT idRetezce)
{
    if (!::IsWindow(dialog_)) RaiseFatal(E_HANDLE);
    TTTOOLINFOW nastroj{};
    nastroj.cbSize = sizeof nastroj;
    nastroj.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    nastroj.hwnd = dialog_;
    nastroj.uId = reinterpret_cast<UINT_PTR>(prvek);
    nastroj.hinst = GetModuleHandleW(nullptr);
    nastroj.lpszText = MAKEINTRESOURCEW(idRetezce);
    if (!Send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&nastroj))) RaiseLastError();
}

void ToolTip::PridatText(HWND prvek, const std::wstring& text)
{
    TTTOOLINFOW nastroj{};
    nastroj.cbSize = sizeof nastroj;
    nastroj.uFlags = TTF_SUBCLASS;
    nastroj.hwnd = prvek;
    nastroj.uId = 0;
    CheckWin32(GetClientRect(prvek, &nastroj.rect));
    std::wstring kopie = text; // the tooltip copies it during the call
    nastroj.lpszText = kopie.data();
    if (!Send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&nastroj))) RaiseLastError();
}

void ToolTip::Znicit()
{
    DestroyOwnedWindow(hwnd_);
    hwnd_ = nullptr;
}

} // namespace Tarnel::WinApi
