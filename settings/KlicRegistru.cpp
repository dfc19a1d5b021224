#include "settings/KlicRegistru.h"

#include "winlib/Chyby.h"

namespace {
constexpr REGSAM kPristup = 0x0002001F; // KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY
}

void KlicRegistru::OveritOtevreni() const
{
    if (!klic_.Get()) Tarnel::WinApi::RaiseFatal(E_HANDLE);
}

LONG KlicRegistru::Otevrit()
{
    if (cesta_.empty()) Tarnel::WinApi::RaiseFatal(E_INVALIDARG);
    return RegOpenKeyExW(koren_, cesta_.c_str(), 0, kPristup, klic_.Receive());
}

LONG KlicRegistru::Vytvorit()
{
    if (cesta_.empty()) Tarnel::WinApi::RaiseFatal(E_INVALIDARG);
    return RegCreateKeyExW(koren_, cesta_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kPristup, nullptr,
                           klic_.Receive(), nullptr);
}

HRESULT KlicRegistru::CistDword(const wchar_t* nazev, DWORD& cil)
{
    OveritOtevreni();
    if (RegQueryValueExW(klic_.Get(), nazev, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) return 1;
    // Whatever the value's type, up to four bytes of it fill the number from the low end.
    DWORD hodnota = 0;
    DWORD velikost = sizeof hodnota;
    LONG chyba = RegQueryValueExW(klic_.Get(), nazev, nullptr, nullptr, reinterpret_cast<BYTE*>(&hodnota), &velikost);
    if (chyba != ERROR_SUCCESS) return Tarnel::WinApi::HresultFromWin32(static_cast<DWORD>(chyba));
    cil = hodnota;
    return S_OK;
}

LONG KlicRegistru::ZapsatDword(const wchar_t* nazev, DWORD hodnota)
{
    OveritOtevreni();
    return RegSetValueExW(klic_.Get(), nazev, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&hodnota), sizeof hodnota);
}
