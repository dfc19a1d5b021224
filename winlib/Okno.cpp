#include "winlib/Okno.h"

#include <algorithm>
#include <cwchar>

#include "winlib/Chyby.h"
#include "winlib/Handles.h"

namespace Tarnel::WinApi {
namespace {

// Read, write and create sub-keys: enough for both directions, nothing more.
constexpr REGSAM kPristupKlice = KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY;

// Room for a class name, terminator included (the longest name the system registers).
constexpr size_t kMistoNazvuTridy = 255;

// At least this much of a restored window stays on the work area at its right and bottom.
constexpr LONG kViditelnyOkraj = 10;

const wchar_t kHodnotaPoloha[] = L"Poloha";
const wchar_t kHodnotaVelikost[] = L"Velikost";

bool PracovniOblast(HMONITOR monitor, RECT& oblast)
{
    if (!monitor) return false;
    MONITORINFO info{sizeof info};
    if (!GetMonitorInfoW(monitor, &info)) return false;
    oblast = info.rcWork;
    return true;
}

HRESULT ZapsatDword(RegKey& klic, const wchar_t* nazev, DWORD hodnota)
{
    const LSTATUS chyba =
        RegSetValueExW(klic.Get(), nazev, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&hodnota), sizeof hodnota);
    return chyba == ERROR_SUCCESS ? S_OK : HresultFromWin32(static_cast<DWORD>(chyba));
}

// Whatever the stored type, up to four bytes count; anything longer is not ours.
bool CistDword(HKEY klic, const wchar_t* nazev, DWORD& hodnota)
{
    hodnota = 0;
    DWORD delka = sizeof hodnota;
    return RegQueryValueExW(klic, nazev, nullptr, nullptr, reinterpret_cast<BYTE*>(&hodnota), &delka) ==
           ERROR_SUCCESS;
}

bool NacistUlozene(const std::wstring& cesta, DWORD& poloha, DWORD& velikost)
{
    HKEY otevreny = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, cesta.c_str(), 0, kPristupKlice, &otevreny) != ERROR_SUCCESS) return false;
    RegKey klic;
    *klic.Receive() = otevreny;
    const bool uplne = CistDword(klic.Get(), kHodnotaPoloha, poloha) && CistDword(klic.Get(), kHodnotaVelikost, velikost);
    klic.Close();
    return uplne;
}

HRESULT VytvoritKlic(const std::wstring& cesta, RegKey& klic)
{
    HKEY vytvoreny = nullptr;
    const LSTATUS chyba = RegCreateKeyExW(HKEY_CURRENT_USER, cesta.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                          kPristupKlice, nullptr, &vytvoreny, nullptr);
    if (chyba != ERROR_SUCCESS) return HresultFromWin32(static_cast<DWORD>(chyba));
    *klic.Receive() = vytvoreny;
    return S_OK;
}

// A top-level window centres over a visible, not minimised reference, else on its own monitor.
bool OblastiNejvyssihoOkna(HWND window, HWND reference, RECT& cil, RECT& meze)
{
    const bool podleReference = reference && ::IsWindowVisible(reference) && !::IsIconic(reference);
    HWND podle = podleReference ? reference : window;
    if (!PracovniOblast(MonitorFromWindow(podle, MONITOR_DEFAULTTONEAREST), meze)) return false;
    cil = meze;
    if (podleReference) CheckWin32(::GetWindowRect(reference, &cil));
    return true;
}

// A child window stays inside its parent's client area; all in the parent's coordinates.
bool OblastiDetskehoOkna(HWND window, HWND reference, RECT& cil, RECT& meze)
{
    HWND rodic = ::GetParent(window);
    if (!rodic || !reference) return false;
    CheckWin32(::GetClientRect(rodic, &meze));
    CheckWin32(::GetClientRect(reference, &cil));
    ::MapWindowPoints(reference, rodic, reinterpret_cast<POINT*>(&cil), 2);
    return true;
}

} // namespace

DWORD ZabalitDvojici(LONG dolni, LONG horni)
{
    return (static_cast<DWORD>(dolni) & 0xFFFFu) | ((static_cast<DWORD>(horni) & 0xFFFFu) << 16);
}

POINT RozbalitDvojici(DWORD hodnota) { return POINT{LOWORD(hodnota), HIWORD(hodnota)}; }

POINT RozbalitPolohu(DWORD hodnota)
{
    return POINT{static_cast<SHORT>(LOWORD(hodnota)), static_cast<SHORT>(HIWORD(hodnota))};
}

std::optional<POINT> PolohaVPracovniOblasti(const RECT& okno, const RECT& oblast)
{
    POINT poloha{okno.left, okno.top};
    bool posunuto = false;
    auto posun = [&posunuto](LONG& souradnice, LONG hodnota) {
        souradnice = hodnota;
        posunuto = true;
    };
    if (okno.left < oblast.left) posun(poloha.x, oblast.left);
    if (okno.left > oblast.right - kViditelnyOkraj) posun(poloha.x, oblast.right - kViditelnyOkraj);
    if (okno.top < oblast.top) posun(poloha.y, oblast.top);
    if (okno.top > oblast.bottom - kViditelnyOkraj) posun(poloha.y, oblast.bottom - kViditelnyOkraj);
    // Sticking out on the right or at the bottom overrides the above: flush with that edge,
    // unless the window is too large, when its left or top edge matters more.
    if (okno.right > oblast.right) posun(poloha.x, std::max(oblast.left, oblast.right - Width(okno)));
    if (okno.bottom > oblast.bottom) posun(poloha.y, std::max(oblast.top, oblast.bottom - Height(okno)));
    if (!posunuto) return std::nullopt;
    return poloha;
}

POINT PolohaNaStred(SIZE okno, const RECT& cil, const RECT& meze)
{
    POINT poloha{(cil.left + cil.right) / 2 - okno.cx / 2, (cil.top + cil.bottom) / 2 - okno.cy / 2};
    if (poloha.x + okno.cx > meze.right) poloha.x = meze.right - okno.cx;
    if (poloha.x < meze.left) poloha.x = meze.left;
    if (poloha.y + okno.cy > meze.bottom) poloha.y = meze.bottom - okno.cy;
    if (poloha.y < meze.top) poloha.y = meze.top;
    return poloha;
}

Okno::~Okno() { DestroyOwnedWindow(hwnd_); }

void Okno::NastavitKlicRegistru(const wchar_t* klicAplikace)
{
    if (klicAplikace) klicPolohy = std::wstring(klicAplikace) + L"\\Parametry oken\\";
}

std::wstring Okno::NazevTridy(const wchar_t* nazevTridy) const
{
    if (nazevTridy) {
        if (wcsnlen(nazevTridy, kMistoNazvuTridy) >= kMistoNazvuTridy)
            RaiseFatal(HresultFromWin32(ERROR_INSUFFICIENT_BUFFER));
        return nazevTridy;
    }
    wchar_t nazev[kMistoNazvuTridy];
    const int delka = ::GetClassNameW(hwnd_, nazev, static_cast<int>(kMistoNazvuTridy));
    if (delka <= 0) RaiseLastError();
    return std::wstring(nazev, static_cast<size_t>(delka));
}

HRESULT Okno::UlozitPolohu(const wchar_t* nazevTridy)
{
    if (klicPolohy.empty()) ReportFatalError(L"Nebyl nastaven klíč registru pro uložení souřadnic okna");
    if (!::IsWindowVisible(hwnd_)) return S_FALSE;
    const std::wstring cesta = klicPolohy + NazevTridy(nazevTridy);
    RECT okno{};
    CheckWin32(::GetWindowRect(hwnd_, &okno));
    // Minimised (and maximised on a screen starting at the origin) windows lie at negative
    // coordinates on both axes; keeping the earlier placement serves the user better. Where
    // minimised windows are arranged on the screen instead (no shell), only asking tells.
    if ((okno.left < 0 && okno.top < 0) || ::IsIconic(hwnd_)) return S_FALSE;

    // A key the user may not write (a policy, a volatile parent) only means the placement is
    // not remembered; the window closes as it would anyway.
    RegKey klic;
    HRESULT hr = VytvoritKlic(cesta, klic);
    if (SUCCEEDED(hr)) hr = ZapsatDword(klic, kHodnotaPoloha, ZabalitDvojici(okno.left, okno.top));
    if (SUCCEEDED(hr)) hr = ZapsatDword(klic, kHodnotaVelikost, ZabalitDvojici(Width(okno), Height(okno)));
    klic.Close();
    return hr;
}

HRESULT Okno::ObnovitPolohu(const wchar_t* nazevTridy, bool jenPoloha)
{
    const std::wstring cesta = klicPolohy + NazevTridy(nazevTridy);
    DWORD poloha = 0;
    DWORD velikost = 0;
    if (!NacistUlozene(cesta, poloha, velikost)) return S_FALSE;
    if (!::IsWindow(hwnd_)) return S_OK;

    const POINT xy = RozbalitPolohu(poloha);
    const POINT rozmer = RozbalitDvojici(velikost);
    // The stored place may lie on a monitor that is gone; the pull into the work area below
    // repairs that, so a refused move is not worth failing over.
    ::SetWindowPos(hwnd_, nullptr, xy.x, xy.y, rozmer.x, rozmer.y, SWP_NOZORDER | (jenPoloha ? SWP_NOSIZE : 0));
    UmistitDoPracovniOblasti(hwnd_);
    return S_OK;
}

HRESULT UmistitDoPracovniOblasti(HWND window)
{
    RECT oblast{};
    if (!PracovniOblast(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), oblast)) return S_FALSE;
    RECT okno{};
    CheckWin32(::GetWindowRect(window, &okno));
    if (const auto poloha = PolohaVPracovniOblasti(okno, oblast))
        CheckWin32(::SetWindowPos(window, nullptr, poloha->x, poloha->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
    return S_OK;
}

void Vycentrovat(HWND window, HWND reference)
{
    const bool detske = (::GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0;
    if (!reference) reference = detske ? ::GetParent(window) : ::GetWindow(window, GW_OWNER);
    RECT okno{};
    CheckWin32(::GetWindowRect(window, &okno));
    RECT cil{};
    RECT meze{};
    const bool oblasti = detske ? OblastiDetskehoOkna(window, reference, cil, meze)
                                : OblastiNejvyssihoOkna(window, reference, cil, meze);
    if (!oblasti) return;
    const POINT poloha = PolohaNaStred(SIZE{Width(okno), Height(okno)}, cil, meze);
    CheckWin32(::SetWindowPos(window, nullptr, poloha.x, poloha.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
}

} // namespace Tarnel::WinApi
