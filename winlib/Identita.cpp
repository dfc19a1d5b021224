#include "winlib/Identita.h"

namespace Tarnel::WinApi {
namespace {

struct Identita {
    std::wstring nazev;
    HICON velka = nullptr;
    HICON mala = nullptr;
};

Identita& Data()
{
    static Identita identita;
    return identita;
}

} // namespace

void NastavitIdentitu(const std::wstring& nazev, HICON velkaIkona, HICON malaIkona)
{
    Data() = Identita{nazev, velkaIkona, malaIkona};
}

const std::wstring& NazevProgramu() { return Data().nazev; }

void NastavitIkonyOkna(HWND okno)
{
    if (Data().velka) SendMessageW(okno, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Data().velka));
    if (Data().mala) SendMessageW(okno, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Data().mala));
}

} // namespace Tarnel::WinApi
