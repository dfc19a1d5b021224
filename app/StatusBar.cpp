#include "app/StatusBar.h"

#include "winlib/Chyby.h"

using namespace Tarnel::WinApi;

void StatusBar::Create(HWND parent, UINT id)
{
    Destroy();
    if (!::IsWindow(parent)) RaiseFatal(E_INVALIDARG);
    ChildControl::Create(STATUSCLASSNAMEW, L"", kStyl, parent, id);
}

void StatusBar::SetParts(const int* praveOkraje, int pocet)
{
    if (!SendMessageW(hwnd_, SB_SETPARTS, static_cast<WPARAM>(pocet), reinterpret_cast<LPARAM>(praveOkraje)))
        RaiseLastError();
}

void StatusBar::SetText(int cast, const std::wstring& text)
{
    if (!SendMessageW(hwnd_, SB_SETTEXTW, static_cast<WPARAM>(cast), reinterpret_cast<LPARAM>(text.c_str())))
        RaiseLastError();
}

std::wstring StatusBar::Text(int cast) const
{
    const auto delka = LOWORD(SendMessageW(hwnd_, SB_GETTEXTLENGTHW, static_cast<WPARAM>(cast), 0));
    std::wstring text(static_cast<size_t>(delka) + 1, L'\0');
    SendMessageW(hwnd_, SB_GETTEXTW, static_cast<WPARAM>(cast), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcsnlen(text.c_str(), delka));
    return text;
}
