// The main window itself: creation, the message map, the command table, file drops, the
// context menu and the teardown.
#include "app/OknoHlavni.h"

#include <shellapi.h>

#include "app/Aplikace.h"
#include "frames/ModulPrehledFrames.h"
#include "soubory/PrikazUlozeni.h"
#include "image/GifAnimace.h"
#include "soubory/SouboroveDialogy.h"
#include "resources/resource.h"
#include "settings/DlgNastaveni.h"
#include "settings/Nastaveni.h"
#include "winlib/Chyby.h"
#include "winlib/Identita.h"
#include "winlib/Dpi.h"
#include "winlib/ModalniSmycka.h"

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
    // The menu goes with the window; the holder only forgets it.
    hlavniMenu = DrzakMenu{};
    DestroyGifAnimace(animace);
}

void OknoHlavni::VytvoritHlavniOkno(const wchar_t* cesta)
{
    NastavitKlicRegistru(kKlicAplikace);
    polohaUlozena = false;
    rychlost = nastaveni.rychlostAnimace;
    modulPrehledFrames.NastavitCasovani(nastaveni.casovaniSnimku);
    textStavu = TextPripraven();
    NastavitSpolecnePozadi(static_cast<PozadiPruhlednosti>(nastaveni.pozadiPruhlednosti));

    const WindowClass trida{kNazevTridy, CS_HREDRAW | CS_VREDRAW, IDC_ARROW,
                            reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_APPWORKSPACE + 1)),
                            MAKEINTRESOURCEW(IDR_HLAVNI_MENU)};
    if (!Create(trida, nullptr, aplikace.nazevAplikace.c_str(), WS_OVERLAPPEDWINDOW, 0,
                RECT{0, 0, kSirkaOkna, kVyskaOkna}))
        RaiseLastError();
    // The first size is one at 96 DPI; where the window is shown at another, it grows with it.
    dpi = DpiOkna(hwnd_);
    NastavitVelikostProDpi(hwnd_, SIZE{kSirkaOkna, kVyskaOkna});

    NastavitIkonyOkna(hwnd_);

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
    if (ZpravaPohledu(message, wParam, lParam, result)) return true; // zoom, panning, full screen
    switch (message) {
    case WM_CLOSE: result = OnClose(wParam, lParam); return true;
    case WM_ENDSESSION: result = OnEndSession(wParam, lParam); return true;
    case WM_DESTROY: result = OnDestroy(); return true;
    case WM_SIZE: result = RozmistitPanely(wParam, lParam); return true;
    case WM_PAINT: result = OnPaint(); return true;
    case WM_ERASEBKGND: return OnEraseBackground(result);
    case WM_CONTEXTMENU: result = OnContextMenu(lParam); return true;
    case WM_GETDLGCODE: result = DLGC_WANTALLKEYS; return true;
    case WM_TIMER: result = OnTimer(wParam); return true;
    case WM_MENUSELECT: result = OnMenuSelect(wParam, lParam); return true;
    case WM_DROPFILES: return OnDropFiles(reinterpret_cast<HDROP>(wParam), result);
    case WM_AKTUALIZOVAT_STAV: AktualizovatPrikazy(); result = 0; return true;
    case WM_DPICHANGED: result = OnDpiChanged(wParam, lParam); return true;
    case WM_KEYDOWN: result = 0; return OnKeyDown(static_cast<UINT>(wParam), lParam);
    case WM_CHAR: result = 0; return OnChar(static_cast<wchar_t>(wParam), lParam);
    case WM_VKEYTOITEM: result = OnVKeyToItem(LOWORD(wParam)); return true;
    case WM_PARENTNOTIFY: OnParentNotify(wParam, lParam); return false;
    default: return false;
    }
}

LRESULT OknoHlavni::OnClose(WPARAM wParam, LPARAM lParam)
{
    // A handler of ours waits in a dialog or menu and still uses the model and the bars: the
    // loops are asked to end, and the close comes back once that handler has returned.
    if (ModalniSmycka::OdlozitZavreni(hwnd_, wParam, lParam)) return 0;
    UkoncitOkno();
    return DefWindowProc(WM_CLOSE, wParam, lParam);
}

LRESULT OknoHlavni::OnEndSession(WPARAM konciRelace, LPARAM lParam)
{
    // A cancelled log-off leaves the window running, so it keeps its bars and its file.
    if (konciRelace) {
        // The process may end as soon as this returns. While a handler of ours waits in a
        // modal loop, only what must outlive the session is done; the objects that handler
        // still uses stay as they are.
        if (ModalniSmycka::Bezi()) {
            UkoncitPrehledObrazku(); // the session ends the thread anyway if it does not end
            UlozitPolohuJednou();
        } else {
            UkoncitOkno();
        }
    }
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
    // The drop's memory is ours to free, whatever becomes of it.
    std::wstring cesta;
    // An empty first name means an empty list, however the system counts it.
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) != 0 && DragQueryFileW(drop, 0, nullptr, 0) != 0) {
        cesta.assign(kDelkaCesty, L'\0');
        cesta.resize(DragQueryFileW(drop, 0, cesta.data(), kDelkaCesty));
    }
    DragFinish(drop);
    // While a dialog or menu of ours is open, a drop would replace the model under it.
    if (cesta.empty() || ModalniSmycka::Bezi()) return false;
    OtevritSoubor(cesta, true);
    result = 0;
    return true;
}

bool OknoHlavni::OnCommand(UINT prikaz, UINT, HWND)
{
    // A handler of ours waits in a dialog or menu: nothing may replace the model it uses, and
    // no second loop starts over it.
    if (ModalniSmycka::Bezi() && CekaNaModalniSmycku(prikaz)) return true;
    if (PrikazPohledu(prikaz)) return true;
    switch (prikaz) {
    case ID_SOUBOR_KONEC: Post(WM_CLOSE); return true;
    case ID_NASTROJE_PREDVOLBY: ZobrazitPredvolby(); return true;
    case ID_SOUBOR_OTEVRIT: OtevritDialogem(); return true;
    case ID_NAPOVEDA_OAPLIKACI: aplikace.ShowProgramInfo(hwnd_); return true;
    case ID_ANIMACE_SPUSTIT:
        if (!prehrava) SpustitAnimaci();
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
    case ID_CASOVANI_PODLE_SOUBORU: ZvolitCasovani(Casovani::PodleSouboru); return true;
    case ID_CASOVANI_JAKO_PROHLIZEC: ZvolitCasovani(Casovani::JakoProhlizec); return true;
    case ID_OPAKOVANI_STALE: ZvolitOpakovani(Opakovani::StaleDokola); return true;
    case ID_OPAKOVANI_PODLE_SOUBORU: ZvolitOpakovani(Opakovani::PodleSouboru); return true;
    default: return ObslouzitPrikazExportu(prikaz) || OnPrikazKlavesnice(prikaz);
    }
}

LRESULT OknoHlavni::OnContextMenu(LPARAM pozice)
{
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_KONTEXTOVE_MENU));
    if (!menu) RaiseLastError();

    // The context menu offers the playback commands under the same rules as the main menu.
    PouzitStavyPrikazu(menu, false, nullptr);

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
    ModalniSmycka smycka;
    CheckWin32(TrackPopupMenu(popup, TPM_RIGHTBUTTON | TPM_LEFTALIGN, pozice.x, pozice.y, 0, hwnd_, nullptr));
}

void OknoHlavni::UkoncitOkno()
{
    if (!UkoncitPrehledObrazku()) {
        // The overview thread does not end (its file dialog waits on a drive that does not
        // answer, say). The main window's own placement is saved, and the program ends as it
        // would after a close; the thread ends with the process.
        UlozitPolohuJednou();
        ExitProcess(0);
    }
    ZavritSoubor();
    UlozitPolohuJednou();
    ZrusitSeznamSnimku();
    if (rebar) {
        panelNastroju.reset();
        rebar.reset();
    }
    stavovaLista.reset();
}

void OknoHlavni::UlozitPolohuJednou()
{
    // An ended session followed by a close must not store the placement of a torn-down window.
    if (polohaUlozena) return;
    polohaUlozena = true;
    UlozitPolohu(nullptr);
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

void OknoHlavni::UlozitAktualniSnimek()
{
    // The frame on screen when the dialog closes: an animation plays on under the dialog, and
    // the window's frame number leads while the model follows when it must.
    const VysledekUlozeni vysledek = OnSaveFrame(hwnd_, animace.get(), [this]() -> std::optional<UINT> {
        if (!JeSnimek(snimek)) return std::nullopt;
        return static_cast<UINT>(snimek);
    });
    // The dialogs' loops may have closed the window meanwhile. A file written over is opened
    // again as any file the user drops: from its first frame, with its own texts and commands.
    if (vysledek != VysledekUlozeni::UlozenoDoOtevreneho || !IsWindow()) return;
    const std::wstring cesta = cestaSouboru; // closing the file clears the member
    const bool seznam = seznamSnimku != nullptr;
    OtevritSoubor(cesta, true);
    if (seznam) ZobrazitPrehledSnimku(); // the view the user saved from stays

}

void OknoHlavni::OtevritWeb()
{
    // A machine without a browser is no reason to bother the user.
    ShellExecuteW(hwnd_, L"open", ANIMORA_WEB_URL, nullptr, nullptr, SW_SHOWMAXIMIZED);
}

void OknoHlavni::ZobrazitPredvolby()
{
    if (dlgNastaveni) {
        SetForegroundWindow(dlgNastaveni->Handle());
        return;
    }
    // A second modal loop over one that runs already would outlive the first one's handler.
    if (ModalniSmycka::Bezi()) return;
    DlgNastaveni dialog;
    dlgNastaveni = &dialog;
    const INT_PTR vysledek = dialog.DoModal(hwnd_);
    dlgNastaveni = nullptr;
    if (vysledek == -1) RaiseLastError();
    // The dialog has stored what it changed; the speed on screen stays until ID_RYCHLOST_VYCHOZI.
}

void OknoHlavni::PrepnoutPrehledObrazku()
{
    if (modulPrehledFrames.Bezi()) {
        // A thread that cannot end yet closes its window when it can; the check mark follows.
        modulPrehledFrames.Ukoncit();
        return;
    }
    // The check mark follows once the thread reports its start.
    modulPrehledFrames.Spustit(AktualniPodminky().a ? cestaSouboru.c_str() : nullptr, hwnd_);
}

bool OknoHlavni::UkoncitPrehledObrazku() { return modulPrehledFrames.Ukoncit(); }

bool OknoHlavni::PrehledObrazkuBezi() const { return modulPrehledFrames.Bezi(); }

BOOL OknoHlavni::NastavitCasovac(UINT intervalMs) { return SetTimer(hwnd_, TIMER_ANIMACE, intervalMs, nullptr) != 0; }

BOOL OknoHlavni::ZrusitCasovac() { return KillTimer(hwnd_, TIMER_ANIMACE); }
