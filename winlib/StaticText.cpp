#include "winlib/StaticText.h"

#include <cwchar>

#include "winlib/Chyby.h"
#include "winlib/Dpi.h"

namespace Tarnel::WinApi {
namespace {

constexpr int kVyskaPisma = 20; // the character height at 96 DPI, in pixels

// The font that was selected before the object's own, while one control paints. Painting
// happens on the one thread that owns the dialogs, so a single slot serves every object.
HGDIOBJ g_zapamatovanePismo = nullptr;

// The font a control paints with: the one it was given, else the system font.
HFONT PismoPrvku(HWND prvek)
{
    auto pismo = reinterpret_cast<HFONT>(SendMessageW(prvek, WM_GETFONT, 0, 0));
    return pismo ? pismo : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

LOGFONTW LogickePismo(HFONT pismo)
{
    LOGFONTW popis{};
    if (GetObjectW(pismo, sizeof popis, &popis) == 0) RaiseLastError();
    return popis;
}

HFONT VytvoritPismo(const LOGFONTW& popis)
{
    HFONT pismo = CreateFontIndirectW(&popis);
    if (!pismo) RaiseLastError();
    return pismo;
}

HGDIOBJ Vybrat(HDC dc, HGDIOBJ objekt)
{
    HGDIOBJ predchozi = SelectObject(dc, objekt);
    if (!predchozi || predchozi == HGDI_ERROR) RaiseLastError();
    return predchozi;
}

UINT PriznakyKresleni(int zarovnani)
{
    switch (zarovnani) {
    case StaticText::NaStred: return DT_SINGLELINE | DT_TOP | DT_CENTER;
    case StaticText::Vpravo: return DT_SINGLELINE | DT_TOP | DT_RIGHT;
    default: return DT_SINGLELINE | DT_TOP | DT_LEFT;
    }
}

// Owner drawing replaces the control's type; the type bits are one value, not flags, so
// adding them to another type (right-aligned text, say) would make some third type of it.
void ZapnoutVlastniKresleni(HWND prvek)
{
    const LONG styl = GetWindowLongW(prvek, GWL_STYLE);
    if ((styl & SS_TYPEMASK) == SS_OWNERDRAW && (styl & SS_NOTIFY)) return;
    SetLastError(ERROR_SUCCESS);
    if (!SetWindowLongW(prvek, GWL_STYLE, (styl & ~SS_TYPEMASK) | SS_OWNERDRAW | SS_NOTIFY) &&
        GetLastError() != ERROR_SUCCESS)
        RaiseLastError();
}

} // namespace

StaticText::~StaticText() { Odpojit(); }

void StaticText::Pripojit(HWND prvek)
{
    Odpojit();
    vlastniOkno = false;
    barvaTextu = RGB(0x80, 0, 0);
    stetecPozadi = GetSysColorBrush(COLOR_BTNFACE);
    if (!::IsWindow(prvek)) RaiseFatal(E_INVALIDARG);
    if (!SubclassWindow(prvek)) RaiseFatal(E_INVALIDARG);

    // Every attribute but the height stays that of the font the dialog gave the control.
    LOGFONTW popis = LogickePismo(PismoPrvku(prvek));
    popis.lfHeight = -Skalovat(kVyskaPisma, DpiOkna(prvek));
    pismo.Reset(VytvoritPismo(popis));
    ZapnoutVlastniKresleni(prvek);
}

void StaticText::NastavitPismo(const wchar_t* nazevPisma)
{
    if (!IsWindow()) RaiseFatal(E_HANDLE);
    if (!nazevPisma || wcsnlen(nazevPisma, 2) < 2) RaiseFatal(E_INVALIDARG);
    LOGFONTW popis = LogickePismo(pismo ? pismo.Get() : PismoPrvku(hwnd_));
    const size_t delka = wcsnlen(nazevPisma, LF_FACESIZE);
    if (delka >= LF_FACESIZE) { // no room for the terminator
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        RaiseLastError();
    }
    wmemcpy(popis.lfFaceName, nazevPisma, delka + 1);
    pismo.Reset();
    pismo.Reset(VytvoritPismo(popis));
    if (IsVisible()) PrekreslitIhned();
}

void StaticText::Odpojit()
{
    if (IsWindow()) {
        if (vlastniOkno)
            CheckWin32(::DestroyWindow(hwnd_));
        else
            UnsubclassWindow();
    }
    pismo.Reset();
}

bool StaticText::ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_DESTROY) {
        OnDestroy();
        return false; // the control's own procedure still sees it
    }
    // The drawing goes to OnDrawItem; every other reflected notification is left to the
    // default processing it had before.
    if (message == kReflectBase + WM_DRAWITEM) return false;
    return DefaultReflectionHandling(window, message, wParam, lParam, result);
}

void StaticText::OnDestroy() { pismo.Reset(); }

bool StaticText::OnDrawItem(const DRAWITEMSTRUCT& polozka)
{
    Vykreslit(polozka);
    return true;
}

void StaticText::Vykreslit(const DRAWITEMSTRUCT& polozka)
{
    const std::wstring text = Text();
    HDC dc = polozka.hDC;
    // A scheme with other than black window text (high contrast) wins over our colour.
    const COLORREF textSchematu = GetSysColor(COLOR_WINDOWTEXT);
    SetTextColor(dc, textSchematu == RGB(0, 0, 0) ? barvaTextu : textSchematu);
    SetBkMode(dc, TRANSPARENT);
    if (pismo) g_zapamatovanePismo = Vybrat(dc, pismo.Get());
    if (stetecPozadi) FillRect(dc, &polozka.rcItem, stetecPozadi);
    RECT obdelnik = polozka.rcItem;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &obdelnik, PriznakyKresleni(zarovnani));
    if (pismo) Vybrat(dc, g_zapamatovanePismo);
}

void StaticText::PrekreslitIhned()
{
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

} // namespace Tarnel::WinApi
