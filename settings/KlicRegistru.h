#pragma once
// One registry key below HKEY_CURRENT_USER, opened for reading and writing alike.
#include <windows.h>

#include <string>

#include "winlib/Handles.h"

class KlicRegistru {
public:
    explicit KlicRegistru(std::wstring cesta, HKEY koren = HKEY_CURRENT_USER)
        : cesta_(std::move(cesta)), koren_(koren) {}

    // Opens an existing key; a Win32 error code (not an HRESULT) on failure.
    LONG Otevrit();
    // Creates the key, or opens it when it exists.
    LONG Vytvorit();
    // Reads a value of at most 4 bytes whatever its type: S_OK, 1 when there is no such
    // value, or the failure of the query; the target changes only on S_OK.
    HRESULT CistDword(const wchar_t* nazev, DWORD& cil);
    LONG ZapsatDword(const wchar_t* nazev, DWORD hodnota);
    void Zavrit() { klic_.Close(); }

private:
    void OveritOtevreni() const;

    std::wstring cesta_;
    HKEY koren_;
    Tarnel::WinApi::RegKey klic_;
};
