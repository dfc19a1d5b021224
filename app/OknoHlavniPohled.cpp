// Looking closer at the picture: the zoom commands and keys, the scroll bars, panning with
// the wheel and by dragging, the zoom in the status bar and the background under transparent
// pixels. The fitted view stays what it was; all of this only adds to it.
#include "app/OknoHlavni.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

#include "frames/ModulPrehledFrames.h"
#include "image/GifAnimace.h"
#include "resources/resource.h"
#include "settings/Nastaveni.h"
#include "winlib/Chyby.h"
#include "winlib/Dpi.h"
#include "winlib/Retezce.h"

using namespace Tarnel::WinApi;

namespace {

constexpr UINT ID_VODOROVNY_POSUVNIK = 1021;
constexpr UINT ID_SVISLY_POSUVNIK = 1022;
constexpr UINT ID_TEXT_PRIBLIZENI = 1023;
// At 96 DPI: one line of a scroll bar and one notch of the wheel.
constexpr int kRadekPosunu = 16;
constexpr int kKrokKolecka = 48;

bool Stisknuto(int klavesa) { return GetKeyState(klavesa) < 0; }

int SystemovaMira(int mira, UINT dpi) { return MulDiv(GetSystemMetrics(mira), static_cast<int>(dpi), static_cast<int>(DpiSystemu())); }

Osa OsaPohledu(LONG obraz, LONG okno, LONG posun)
{
    return Osa{static_cast<int>(obraz), static_cast<int>(okno), static_cast<int>(posun)};
}

POINT BodZLParam(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

} // namespace

RECT OknoHlavni::OblastPohledu() const
{
    RECT r = OblastObrazku();
    if (posuvniky.svisly) r.right -= SystemovaMira(SM_CXVSCROLL, dpi);
    if (posuvniky.vodorovny) r.bottom -= SystemovaMira(SM_CYHSCROLL, dpi);
    r.right = std::max(r.left, r.right);
    r.bottom = std::max(r.top, r.bottom);
    return r;
}

double OknoHlavni::ZobrazeneMeritko() const
{
    if (!animace || !animace->HasImage()) return 1.0;
    if (!priblizeni.prizpusobit) return priblizeni.meritko;
    const RECT r = OblastPohledu();
    if (Width(r) <= 0 || Height(r) <= 0) return 1.0;
    const FittedPlacement kde = FittedRect(animace->Width(), animace->Height(), Width(r), Height(r));
    return static_cast<double>(kde.cx) / animace->Width();
}

SIZE OknoHlavni::VelikostObrazu() const
{
    if (!animace || !animace->HasImage()) return SIZE{};
    const double m = ZobrazeneMeritko();
    if (priblizeni.prizpusobit) {
        const RECT r = OblastPohledu();
        const FittedPlacement kde = FittedRect(animace->Width(), animace->Height(), std::max(1L, Width(r)),
                                               std::max(1L, Height(r)));
        return SIZE{kde.cx, kde.cy};
    }
    return SIZE{ZvetsenaDelka(static_cast<int>(animace->Width()), m),
                ZvetsenaDelka(static_cast<int>(animace->Height()), m)};
}

bool OknoHlavni::LzePosouvat() const
{
    if (priblizeni.prizpusobit || !animace || !animace->HasImage() || seznamSnimku) return false;
    const RECT r = OblastPohledu();
    const SIZE obraz = VelikostObrazu();
    return obraz.cx > Width(r) || obraz.cy > Height(r);
}

bool OknoHlavni::BodVPohledu(POINT klient) const
{
    const RECT r = OblastPohledu();
    return animace && animace->HasImage() && !seznamSnimku && PtInRect(&r, klient);
}

void OknoHlavni::VychoziPriblizeni()
{
    priblizeni = Priblizeni::Prizpusobene();
    posun = POINT{};
    tazeni.reset();
    RozmistitPohled();
}

void OknoHlavni::Priblizit(bool blize, std::optional<POINT> bod)
{
    const double m = ZobrazeneMeritko();
    NastavitPriblizeni(Priblizeni::Pevne(blize ? VetsiPriblizeni(m) : MensiPriblizeni(m)), bod);
}

void OknoHlavni::NastavitPriblizeni(const Priblizeni& nove, std::optional<POINT> bod)
{
    if (!animace || !animace->HasImage()) return;
    const RECT r = OblastPohledu();
    const SIZE stary = VelikostObrazu();
    const POINT kde = bod.value_or(POINT{Width(r) / 2, Height(r) / 2});
    const POINT staryPosun = priblizeni.prizpusobit ? POINT{} : posun;
    priblizeni = nove;
    const SIZE novy = VelikostObrazu();
    posun.x = PosunPoPriblizeni(OsaPohledu(stary.cx, Width(r), staryPosun.x), novy.cx, kde.x);
    posun.y = PosunPoPriblizeni(OsaPohledu(stary.cy, Height(r), staryPosun.y), novy.cy, kde.y);
    RozmistitPohled();
    PrekreslitObrazek();
    AktualizovatPrikazy();
}

void OknoHlavni::Posunout(POINT novy)
{
    const RECT r = OblastPohledu();
    const SIZE obraz = VelikostObrazu();
    novy.x = OmezitPosun(novy.x, obraz.cx, Width(r));
    novy.y = OmezitPosun(novy.y, obraz.cy, Height(r));
    if (novy.x == posun.x && novy.y == posun.y) return;
    posun = novy;
    if (vodorovnyPosuvnik.IsWindow()) SetScrollPos(vodorovnyPosuvnik.Handle(), SB_CTL, posun.x, TRUE);
    if (svislyPosuvnik.IsWindow()) SetScrollPos(svislyPosuvnik.Handle(), SB_CTL, posun.y, TRUE);
    PrekreslitObrazek();
}

void OknoHlavni::RozmistitPohled()
{
    const bool zobrazen = animace && animace->HasImage() && !seznamSnimku && !priblizeni.prizpusobit &&
                          !celaObrazovka;
    const RECT oblast = OblastObrazku();
    const int sirkaListy = SystemovaMira(SM_CXVSCROLL, dpi);
    const int vyskaListy = SystemovaMira(SM_CYHSCROLL, dpi);
    posuvniky = Posuvniky{};
    if (zobrazen) {
        const SIZE obraz = VelikostObrazu();
        posuvniky = PotrebnePosuvniky(obraz.cx, obraz.cy, Width(oblast), Height(oblast), sirkaListy, vyskaListy);
    }
    const RECT r = OblastPohledu();
    const SIZE obraz = VelikostObrazu();
    posun.x = OmezitPosun(posun.x, obraz.cx, Width(r));
    posun.y = OmezitPosun(posun.y, obraz.cy, Height(r));

    struct Lista {
        ChildControl& okno;
        bool zobrazit;
        DWORD styl;
        UINT id;
        RECT kde;
        LONG obraz;
        LONG stranka;
        LONG poloha;
    };
    const Lista listy[] = {
        {vodorovnyPosuvnik, posuvniky.vodorovny, SBS_HORZ, ID_VODOROVNY_POSUVNIK,
         RECT{r.left, r.bottom, r.right, r.bottom + vyskaListy}, obraz.cx, Width(r), posun.x},
        {svislyPosuvnik, posuvniky.svisly, SBS_VERT, ID_SVISLY_POSUVNIK,
         RECT{r.right, r.top, r.right + sirkaListy, r.bottom}, obraz.cy, Height(r), posun.y},
    };
    for (const Lista& lista : listy) {
        if (!lista.zobrazit) {
            if (lista.okno.IsWindow()) ShowWindow(lista.okno.Handle(), SW_HIDE);
            continue;
        }
        if (!lista.okno.IsWindow()) lista.okno.Create(L"SCROLLBAR", L"", WS_CHILD | lista.styl, hwnd_, lista.id);
        SCROLLINFO info{sizeof info, SIF_ALL | SIF_DISABLENOSCROLL, 0, static_cast<int>(lista.obraz - 1),
                        static_cast<UINT>(lista.stranka), static_cast<int>(lista.poloha), 0};
        SetScrollInfo(lista.okno.Handle(), SB_CTL, &info, TRUE);
        CheckWin32(SetWindowPos(lista.okno.Handle(), nullptr, lista.kde.left, lista.kde.top, Width(lista.kde),
                                Height(lista.kde), SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW));
    }
    ZobrazitPriblizeni();
}

void OknoHlavni::ZobrazitPriblizeni()
{
    if (!stavovaLista || !stavovaLista->IsWindow()) return;
    if (!textPriblizeni.IsWindow()) {
        textPriblizeni.Create(L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_RIGHT | SS_NOPREFIX | SS_CENTERIMAGE,
                              stavovaLista->Handle(), ID_TEXT_PRIBLIZENI);
    }
    SendMessageW(textPriblizeni.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(pismoStavoveListy.Get()), FALSE);
    // In the speed part, after the speed's own text, which keeps the part's left side.
    RECT cast{};
    SendMessageW(stavovaLista->Handle(), SB_GETRECT, kCastRychlost, reinterpret_cast<LPARAM>(&cast));
    const int okraj = Skalovat(4, dpi);
    CheckWin32(SetWindowPos(textPriblizeni.Handle(), nullptr, std::max(cast.left, cast.right - sirkaTextuPriblizeni),
                            cast.top + 1, std::max(0, std::min<int>(sirkaTextuPriblizeni, Width(cast)) - okraj),
                            std::max(0L, Height(cast) - 2), SWP_NOZORDER | SWP_NOACTIVATE));
    std::wstring text;
    if (animace && animace->HasImage())
        text = TextZdroje(priblizeni.prizpusobit ? IDS_PRIBLIZENI_PRIZPUSOBENO : IDS_PRIBLIZENI,
                          {ProcentaPriblizeni(ZobrazeneMeritko())});
    SetWindowTextW(textPriblizeni.Handle(), text.c_str());
}

int OknoHlavni::SirkaTextuPriblizeni() const
{
    // The longer of the two texts at their longest percentages.
    return std::max(stavovaLista->SirkaCasti(TextZdroje(IDS_PRIBLIZENI, {L"3200"}), dpi),
                    stavovaLista->SirkaCasti(TextZdroje(IDS_PRIBLIZENI_PRIZPUSOBENO, {L"100"}), dpi));
}

bool OknoHlavni::PrikazPohledu(UINT prikaz)
{
    switch (prikaz) {
    case ID_ZOBRAZIT_PRIZPUSOBIT: NastavitPriblizeni(Priblizeni::Prizpusobene(), std::nullopt); return true;
    case ID_ZOBRAZIT_SKUTECNA: NastavitPriblizeni(Priblizeni::Pevne(1.0), std::nullopt); return true;
    case ID_ZOBRAZIT_ZVETSIT: Priblizit(true, std::nullopt); return true;
    case ID_ZOBRAZIT_ZMENSIT: Priblizit(false, std::nullopt); return true;
    case ID_POZADI_BARVA_OKNA: NastavitPozadi(PozadiPruhlednosti::BarvaOkna); return true;
    case ID_POZADI_SACHOVNICE: NastavitPozadi(PozadiPruhlednosti::Sachovnice); return true;
    case ID_POZADI_TMAVE: NastavitPozadi(PozadiPruhlednosti::Tmave); return true;
    case ID_POZADI_SVETLE: NastavitPozadi(PozadiPruhlednosti::Svetle); return true;
    case ID_POZADI_DALSI: NastavitPozadi(DalsiPozadi(SpolecnePozadi())); return true;
    case ID_ZOBRAZIT_CELA_OBRAZOVKA: PrepnoutCelouObrazovku(); return true;
    default: return false;
    }
}

bool OknoHlavni::KlavesaPohledu(UINT klavesa)
{
    if (Stisknuto(VK_CONTROL)) {
        switch (klavesa) {
        case '0':
        case VK_NUMPAD0: return PrikazPohledu(ID_ZOBRAZIT_PRIZPUSOBIT);
        case '1':
        case VK_NUMPAD1: return PrikazPohledu(ID_ZOBRAZIT_SKUTECNA);
        case VK_OEM_PLUS:
        case VK_ADD: return PrikazPohledu(ID_ZOBRAZIT_ZVETSIT);
        case VK_OEM_MINUS:
        case VK_SUBTRACT: return PrikazPohledu(ID_ZOBRAZIT_ZMENSIT);
        default: return false;
        }
    }
    if (Stisknuto(VK_MENU)) return false;
    switch (klavesa) {
    case 'B': return PrikazPohledu(ID_POZADI_DALSI);
    case VK_F11: return PrikazPohledu(ID_ZOBRAZIT_CELA_OBRAZOVKA);
    case VK_ESCAPE:
        if (!celaObrazovka) return false;
        OpustitCelouObrazovku();
        return true;
    default: return false;
    }
}

void OknoHlavni::NastavitPozadi(PozadiPruhlednosti pozadi)
{
    NastavitSpolecnePozadi(pozadi);
    nastaveni.pozadiPruhlednosti = static_cast<uint32_t>(pozadi);
    UlozitPozadiPruhlednosti(nastaveni.pozadiPruhlednosti); // a refused write leaves it for this run
    PrekreslitOkno();
    if (seznamSnimku && seznamSnimku->IsWindow()) InvalidateRect(seznamSnimku->Handle(), nullptr, FALSE);
    // The overview panel draws on its own thread; it only has to be asked to draw again.
    if (HWND prehled = modulPrehledFrames.OknoPrehledu())
        RedrawWindow(prehled, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    AktualizovatPrikazy();
}

void OknoHlavni::PouzitStavyPohledu(HMENU menu) const
{
    const bool obrazek = AktualniPodminky().l;
    for (const UINT prikaz : {ID_ZOBRAZIT_PRIZPUSOBIT, ID_ZOBRAZIT_SKUTECNA, ID_ZOBRAZIT_ZVETSIT,
                              ID_ZOBRAZIT_ZMENSIT, ID_ZOBRAZIT_CELA_OBRAZOVKA})
        EnableMenuItem(menu, prikaz, MF_BYCOMMAND | (obrazek ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
    auto zaskrtnout = [menu](UINT prikaz, bool ano) {
        CheckMenuItem(menu, prikaz, MF_BYCOMMAND | (ano ? MF_CHECKED : MF_UNCHECKED));
    };
    zaskrtnout(ID_ZOBRAZIT_PRIZPUSOBIT, obrazek && priblizeni.prizpusobit);
    zaskrtnout(ID_ZOBRAZIT_SKUTECNA, obrazek && !priblizeni.prizpusobit && priblizeni.meritko == 1.0);
    zaskrtnout(ID_ZOBRAZIT_CELA_OBRAZOVKA, celaObrazovka.has_value());
    const UINT pozadi = ID_POZADI_BARVA_OKNA + static_cast<UINT>(SpolecnePozadi());
    CheckMenuRadioItem(menu, ID_POZADI_BARVA_OKNA, ID_POZADI_SVETLE, pozadi, MF_BYCOMMAND);
}

bool OknoHlavni::ZpravaPohledu(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL: {
        const HWND lista = reinterpret_cast<HWND>(lParam);
        if (!lista || (lista != vodorovnyPosuvnik.Handle() && lista != svislyPosuvnik.Handle())) return false;
        result = OnScroll(lista == vodorovnyPosuvnik.Handle() ? SB_HORZ : SB_VERT, LOWORD(wParam));
        return true;
    }
    case WM_MOUSEWHEEL: return OnMouseWheel(wParam, lParam, false) && ((result = 0), true);
    case WM_MOUSEHWHEEL: return OnMouseWheel(wParam, lParam, true) && ((result = 0), true);
    case WM_LBUTTONDOWN:
        if (DvojityKlik(BodZLParam(lParam))) {
            PrepnoutCelouObrazovku();
            result = 0;
            return true;
        }
        return OnLButtonDown(lParam) && ((result = 0), true);
    case WM_MOUSEMOVE: return OnMouseMove(lParam) && ((result = 0), true);
    case WM_LBUTTONUP:
        if (!tazeni) return false;
        ReleaseCapture();
        tazeni.reset();
        result = 0;
        return true;
    case WM_CAPTURECHANGED: tazeni.reset(); return false;
    case WM_SETCURSOR: return OnSetCursor(lParam, result);
    case WM_LBUTTONDBLCLK:
        if (!BodVPohledu(BodZLParam(lParam))) return false;
        PrepnoutCelouObrazovku();
        result = 0;
        return true;
    case WM_CLOSE:
        // The placement stored at the close is the window's own, not the full screen's.
        if (celaObrazovka) OpustitCelouObrazovku();
        return false;
    default: return false;
    }
}

LRESULT OknoHlavni::OnScroll(int lista, UINT kod)
{
    const bool vodorovne = lista == SB_HORZ;
    const HWND okno = vodorovne ? vodorovnyPosuvnik.Handle() : svislyPosuvnik.Handle();
    SCROLLINFO info{sizeof info, SIF_ALL};
    if (!GetScrollInfo(okno, SB_CTL, &info)) return 0;
    const int radek = Skalovat(kRadekPosunu, dpi);
    int poloha = info.nPos;
    switch (kod) {
    case SB_LINEUP: poloha -= radek; break;
    case SB_LINEDOWN: poloha += radek; break;
    case SB_PAGEUP: poloha -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: poloha += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: poloha = info.nTrackPos; break;
    case SB_TOP: poloha = 0; break;
    case SB_BOTTOM: poloha = info.nMax; break;
    default: return 0;
    }
    Posunout(vodorovne ? POINT{poloha, posun.y} : POINT{posun.x, poloha});
    return 0;
}

bool OknoHlavni::OnMouseWheel(WPARAM wParam, LPARAM lParam, bool vodorovne)
{
    if (!animace || !animace->HasImage() || seznamSnimku) return false;
    const int otoceni = GET_WHEEL_DELTA_WPARAM(wParam);
    const WORD klavesy = GET_KEYSTATE_WPARAM(wParam);
    POINT bod = BodZLParam(lParam); // screen coordinates
    ScreenToClient(hwnd_, &bod);
    const RECT r = OblastPohledu();
    if ((klavesy & MK_CONTROL) && !vodorovne) {
        const std::optional<POINT> kde =
            PtInRect(&r, bod) ? std::optional<POINT>(POINT{bod.x - r.left, bod.y - r.top}) : std::nullopt;
        Priblizit(otoceni > 0, kde);
        return true;
    }
    const int krok = MulDiv(otoceni, Skalovat(kKrokKolecka, dpi), WHEEL_DELTA);
    if (vodorovne)
        Posunout(POINT{posun.x + krok, posun.y}); // the tilt wheel turns the other way round
    else if (klavesy & MK_SHIFT)
        Posunout(POINT{posun.x - krok, posun.y});
    else
        Posunout(POINT{posun.x, posun.y - krok});
    return true;
}

bool OknoHlavni::OnLButtonDown(LPARAM lParam)
{
    const POINT bod = BodZLParam(lParam);
    if (!BodVPohledu(bod) || !LzePosouvat()) return false;
    tazeni = std::make_pair(bod, posun);
    SetCapture(hwnd_);
    return true;
}

bool OknoHlavni::DvojityKlik(POINT bod)
{
    if (!BodVPohledu(bod)) {
        posledniKlik.reset();
        return false;
    }
    const LONG ted = GetMessageTime();
    const auto predtim = posledniKlik;
    posledniKlik = std::make_pair(ted, bod);
    if (!predtim) return false;
    const bool blizko = std::abs(bod.x - predtim->second.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                        std::abs(bod.y - predtim->second.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    if (!blizko || static_cast<DWORD>(ted - predtim->first) > GetDoubleClickTime()) return false;
    posledniKlik.reset(); // a third press starts a new pair
    return true;
}

bool OknoHlavni::OnMouseMove(LPARAM lParam)
{
    if (!tazeni || GetCapture() != hwnd_) return false;
    const POINT bod = BodZLParam(lParam);
    Posunout(POINT{tazeni->second.x - (bod.x - tazeni->first.x), tazeni->second.y - (bod.y - tazeni->first.y)});
    return true;
}

bool OknoHlavni::OnSetCursor(LPARAM lParam, LRESULT& result)
{
    if (LOWORD(lParam) != HTCLIENT) return false;
    POINT bod{};
    GetCursorPos(&bod);
    ScreenToClient(hwnd_, &bod);
    if (!BodVPohledu(bod) || !LzePosouvat()) return false;
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    result = TRUE;
    return true;
}
