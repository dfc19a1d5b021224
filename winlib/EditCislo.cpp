#include "winlib/EditCislo.h"

#include <commctrl.h>

#include <cwchar>

#include "winlib/Chyby.h"

namespace Tarnel::WinApi {
namespace {

bool JeMezera(wchar_t znak) { return znak == L' ' || znak == L'\t'; }

} // namespace

std::optional<uint32_t> PrecistCislo(const std::wstring& text)
{
    size_t od = 0;
    size_t po = text.size();
    while (od < po && JeMezera(text[od])) ++od;
    while (po > od && JeMezera(text[po - 1])) --po;
    if (od == po) return std::nullopt;
    uint64_t cislo = 0;
    for (size_t i = od; i < po; ++i) {
        // A pasted "1 000" or "25x" is no number, whatever part of it could be read as one.
        if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
        cislo = cislo * 10 + static_cast<uint64_t>(text[i] - L'0');
        if (cislo > UINT32_MAX) return std::nullopt;
    }
    return static_cast<uint32_t>(cislo);
}

EditCislo::~EditCislo()
{
    tip.Znicit();
    // A tooltip watching the control keeps its procedure above ours; the control is then
    // let go of where it stands and our procedure passes everything on.
    if (hwnd_ && ::IsWindow(hwnd_) && !Odpojit()) ReleaseWindow();
}

void EditCislo::Pripojit(HWND prvek, uint32_t hodnota, int32_t dolniMez, int32_t horniMez)
{
    if (!::IsWindow(prvek)) RaiseFatal(E_INVALIDARG);
    if (hwnd_ && ::IsWindow(hwnd_) && !Odpojit()) ReleaseWindow();
    if (!SubclassWindow(prvek)) RaiseLastError();
    PridatStyl(ES_NUMBER);
    minimum = dolniMez;
    maximum = horniMez;
    if (!NastavitCislo(hodnota)) RaiseFatal(E_HANDLE);
    posledniPlatna = hodnota;
    tip.Znicit();
    VytvoritTooltip();
}

HRESULT EditCislo::ZiskatHodnotu(uint32_t& hodnota) const
{
    const std::optional<uint32_t> cislo = PlatneCislo();
    if (!cislo) return 1;
    hodnota = *cislo;
    return S_OK;
}

HRESULT EditCislo::Overit()
{
    if (const std::optional<uint32_t> cislo = PlatneCislo()) {
        posledniPlatna = *cislo;
        return S_OK;
    }
    NastavitCislo(posledniPlatna);
    return E_INVALIDARG;
}

HWND EditCislo::Odpojit() { return UnsubclassWindow(); }

std::wstring EditCislo::TextRozsahu() const
{
    wchar_t text[96];
    if (minimum < 0 && maximum < 0)
        swprintf(text, 96, L"Zadejte číselnou hodnotu");
    else if (minimum < 0)
        swprintf(text, 96, L"Zadejte číselnou hodnotu do %d", maximum);
    else if (maximum < 0)
        swprintf(text, 96, L"Zadejte číselnou hodnotu od %d", minimum);
    else
        swprintf(text, 96, L"Zadejte hodnotu v rozsahu %d - %d", minimum, maximum);
    return text;
}

bool EditCislo::ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_KILLFOCUS:
        Overit();
        return false;
    case WM_DESTROY:
        tip.Znicit();
        return false;
    default:
        break;
    }
    // Notifications the dialog did not want end here, as if the control had none of its own.
    return DefaultReflectionHandling(window, message, wParam, lParam, result);
}

std::optional<uint32_t> EditCislo::PlatneCislo() const
{
    const std::optional<uint32_t> cislo = PrecistCislo(Text());
    if (!cislo) return std::nullopt;
    if (maximum >= 0 && *cislo > static_cast<uint32_t>(maximum)) return std::nullopt;
    if (minimum >= 0 && *cislo < static_cast<uint32_t>(minimum)) return std::nullopt;
    return cislo;
}

void EditCislo::VytvoritTooltip()
{
    // Not topmost: the range hint belongs to the control's own window.
    tip.Vytvorit(hwnd_, 0);
    tip.PridatText(hwnd_, TextRozsahu());
}

} // namespace Tarnel::WinApi
