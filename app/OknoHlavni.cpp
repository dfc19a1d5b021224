// The main window itself: creation, the message map, the command table, file drops, the
// context menu and the teardown.
#include "app/OknoHlavni.h"

#include <shellapi.h>

#include "app/Aplikace.h"
#include "image/ExportSnimku.h"
#include "image/GifAnimace.h"
#include "image/SouboroveDialogy.h"
#include "resources/resource.h"
#include "settings/Nastaveni.h"
#include "winlib/Chyby.h"

using namespace Tarnel::WinApi;

OknoHlavni oknoHlavni;

namespace {

constexpr int kSirkaOkna = 800;
constexpr int kVyskaOkna = 600;
// A path as long as the system allows, terminator included.
constexpr UINT kDelkaCesty = 32767;

} // namespace

OknoHlavni::OknoHlavni() = default;

OknoHlavni::~OknoHlavni()
{
    if (hwnd_ && ::IsWindow(hwnd_)) CheckWin32(DestroyWindow(hwnd_));
    // The menu went with the window; the holder only forgets it.
    hlavniMenu = DrzakMenu{};
    DestroyGifAnimace(animace);
}

void OknoHlavni::VytvoritHlavniOkno(const wchar_t* cesta)
{
    NastavitKlicRegistru(kKlicAplikace);
    rychlost = nastaveni.rychlostAnimace;
    textStavu = TextPripraven();

    const WindowClass trida{kNazevTridy, CS_HREDRAW | CS_VREDRAW, IDC_ARROW,
                            reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_APPWORKSPACE + 1)),
                            MAKEINTRESOURCEW(IDR_HLAVNI_MENU)};
    if (!Create(trida, nullptr, aplikace.nazevAplikace.c_str(), WS_OVERLAPPEDWINDOW, 0,
                RECT{0, 0, kSirkaOkna, kVyskaOkna}))
        RaiseLastError();

    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona));

    hlavniMenu.menu = GetMenu(hwnd_);
    hlavniMenu.vlastni = false;
    if (!IsMenu(hlavniMenu.menu)) RaiseFatal(E_INVALIDARG);

    VytvoritPanelNastroju();
    VytvoritStavovouListu();

    if (ObnovitPolohu(nullptr, false) != S_OK) Vycentrovat(hwnd_, nullptr);
    DragAcceptFiles(hwnd_, TRUE);

    AktualizovatPrikazy();
    AktualizovatStav();

    ShowWindow(hwnd_, SW_SHOW);
    PoslatZmenuVelikosti();

    if (cesta) OtevritSoubor(cesta, true);
}

bool OknoHlavni::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_CLOSE: result = OnClose(); return true;
    case WM_ENDSESSION: result = OnEndSession(wParam, lParam); return true;
    case WM_DESTROY: result = OnDestroy(); return true;
    case WM_SIZE: result = RozmistitPanely(wParam, lParam); return true;
    case WM_PAINT: result = OnPaint(); return true;
    case WM_ERASEBKGND: return OnEraseBackground(result);
    case WM_CONTEXTMENU: result = OnContextMenu(lParam); return true;
    case WM_GETDLGCODE: result = DLGC_WANTALLKEYS; return true;
    case WM_MEASUREITEM: return OnMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam), result);
    case WM_DRAWITEM: return OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), result);
    case WM_NOTIFY: return OnNotify(reinterpret_cast<NMHDR*>(lParam), result);
    case WM_COMMAND: return OnCommand(LOWORD(wParam), result);
    case WM_TIMER: result = OnTimer(wParam); return true;
    case WM_MENUSELECT: result = OnMenuSelect(wParam, lParam); return true;
    case WM_DROPFILES: return OnDropFiles(reinterpret_cast<HDROP>(wParam), result);
    case WM_AKTUALIZOVAT_STAV: AktualizovatPrikazy(); result = 0; return true;
    default: return false;
    }
}

LRESULT OknoHlavni::OnClose()
{
    UkoncitOkno();
    return DefWindowProc(WM_CLOSE, 0, 0);
}

LRESULT OknoHlavni::OnEndSession(WPARAM konciRelace, LPARAM lParam)
{
    // A cancelled log-off leaves the window running, so it keeps its bars and its file.
    if (konciRelace) UkoncitOkno();
    return DefWindowProc(WM_ENDSESSION, konciRelace, lParam);
}

LRESULT OknoHlavni::OnDestroy()
{
    // The timer dies with the window; only the flag and the timer resolution have to follow.
    prehrava = false;
    presnostCasovace.Uvolnit();
    DestroyGifAnimace(animace);
    PostQuitMessage(0);
    return DefWindowProc(WM_DESTROY, 0, 0);
}

LRESULT OknoHlavni::OnTimer(UINT_PTR idCasovace)
{
    if (idCasovace == TIMER_ANIMACE) return DalsiSnimek();
    return 0;
}

bool OknoHlavni::OnDropFiles(HDROP drop, LRESULT& result)
{
    // An empty first name means an empty list, however the system counts it.
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 0 || DragQueryFileW(drop, 0, nullptr, 0) == 0) return false;
    std::wstring cesta(kDelkaCesty, L'\0');
    cesta.resize(DragQueryFileW(drop, 0, cesta.data(), kDelkaCesty));
    DragFinish(drop);
    OtevritSoubor(cesta, true);
    result = 0;
    return true;
}

bool OknoHlavni::OnCommand(UINT prikaz, LRESULT& result)
{
    result = 0;
    switch (prikaz) {
    case ID_SOUBOR_KONEC: Post(WM_CLOSE); return true;
    case ID_NASTROJE_PREDVOLBY: ZobrazitPredvolby(); return true;
    case ID_SOUBOR_OTEVRIT: OtevritDialogem(); return true;
    case ID_NAPOVEDA_OAPLIKACI: aplikace.ShowProgramInfo(hwnd_); return true;
    case ID_ANIMACE_SPUSTIT:
        if (!prehrava) result = SpustitAnimaci();
        return true;
    case ID_ANIMACE_ZASTAVIT: ZastavitAnimaci(); return true;
    case ID_ANIMACE_KROKVPRED: KrokVpred(); return true;
    case ID_ANIMACE_KROKZPET: KrokZpet(); return true;
    case ID_ANIMACE_PRERUSIT: PrerusitAnimaci(); return true;
    case ID_SOUBOR_ZAVRIT: ZavritSoubor(); return true;
    case ID_ANIMACE_ULOZITSNIMEK: UlozitAktualniSnimek(); return true;
    case ID_NAPOVEDA_WEB: OtevritWeb(); return true;
    case ID_NASTROJE_PREHLEDOBRAZKU: PrepnoutPrehledObrazku(); return true;
    case ID_ZOBRAZIT_ANIMACI: ZobrazitAnimaci(); return true;
    case ID_ZOBRAZIT_PREHLEDSNIMKU: ZobrazitPrehledSnimku(); return true;
    case ID_ANIMACE_RYCHLOST: ZvolitRychlost(); return true;
    case ID_RYCHLOST_ZVYSIT:
    case ID_RYCHLOST_SNIZIT:
    case ID_RYCHLOST_VYCHOZI: ZmenitRychlost(prikaz); return true;
    default: return false;
    }
}

LRESULT OknoHlavni::OnContextMenu(LPARAM pozice)
{
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_KONTEXTOVE_MENU));
    if (!menu) RaiseLastError();

    // The context menu offers the playback commands under the same rules as the main menu.
    const StavPrikazu stav = UrcitStavPrikazu(AktualniPodminky(), seznamSnimku != nullptr, PrehledObrazkuBezi());
    const struct {
        UINT prikaz;
        bool povoleno;
    } polozky[] = {
        {ID_ANIMACE_KROKVPRED, stav.krokVpred}, {ID_ANIMACE_KROKZPET, stav.krokZpet},
        {ID_ANIMACE_PRERUSIT, stav.prerusit},   {ID_ANIMACE_SPUSTIT, stav.spustit},
        {ID_ANIMACE_ZASTAVIT, stav.zastavit},   {ID_SOUBOR_ZAVRIT, stav.zavrit},
        {ID_ANIMACE_ULOZITSNIMEK, stav.ulozitSnimek},
    };
    for (const auto& polozka : polozky)
        EnableMenuItem(menu, polozka.prikaz, MF_BYCOMMAND | (polozka.povoleno ? MF_ENABLED : MF_GRAYED | MF_DISABLED));

    POINT kurzor{};
    GetCursorPos(&kurzor);
    POINT roh{0, 0};
    ClientToScreen(hwnd_, &roh);
    SledovatMenu(GetSubMenu(menu, 0), PoziceKontextovehoMenu(pozice, kurzor, roh));
    CheckWin32(DestroyMenu(menu));
    return 0;
}

void OknoHlavni::SledovatMenu(HMENU popup, POINT pozice)
{
    SetForegroundWindow(hwnd_);
    CheckWin32(TrackPopupMenu(popup, TPM_RIGHTBUTTON | TPM_LEFTALIGN, pozice.x, pozice.y, 0, hwnd_, nullptr));
}

void OknoHlavni::UkoncitOkno()
{
    UkoncitPrehledObrazku();
    ZavritSoubor();
    UlozitPolohu(nullptr);
    ZrusitSeznamSnimku();
    if (rebar) {
        panelNastroju.reset();
        rebar.reset();
    }
    stavovaLista.reset();
}

void OknoHlavni::PrekreslitOkno()
{
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void OknoHlavni::PoslatZmenuVelikosti()
{
    RECT klient{};
    if (!GetClientRect(hwnd_, &klient)) return;
    Post(WM_SIZE, 0, MAKELPARAM(klient.right - klient.left, klient.bottom - klient.top));
}

HMENU OknoHlavni::HlavniMenu() const
{
    if (!IsMenu(hlavniMenu.menu)) RaiseFatal(E_HANDLE);
    return hlavniMenu.menu;
}

void OknoHlavni::OtevritDialogem()
{
    if (const auto cesta = ShowOpenDialog(hwnd_)) OtevritSoubor(*cesta, true);
}

void OknoHlavni::UlozitAktualniSnimek() { OnSaveFrame(hwnd_, animace); }

void OknoHlavni::OtevritWeb()
{
    // A machine without a browser is no reason to bother the user.
    ShellExecuteW(hwnd_, L"open", ANIMORA_WEB_URL, nullptr, nullptr, SW_SHOWMAXIMIZED);
}

void OknoHlavni::ZobrazitPredvolby()
{
    // The settings dialog arrives with its own change; until then the command is inert.
}

void OknoHlavni::PrepnoutPrehledObrazku()
{
    // The frames-overview window arrives with its own change; until then the command is inert.
}

void OknoHlavni::UkoncitPrehledObrazku()
{
    // Nothing to stop while the frames-overview window does not exist.
}

bool OknoHlavni::PrehledObrazkuBezi() const { return false; }

BOOL OknoHlavni::NastavitCasovac(UINT intervalMs) { return SetTimer(hwnd_, TIMER_ANIMACE, intervalMs, nullptr) != 0; }

BOOL OknoHlavni::ZrusitCasovac() { return KillTimer(hwnd_, TIMER_ANIMACE); }
