// The command bars: the rebar with the toolbar, the status bar, their layout, and the help
// texts they show (toolbar tooltips, menu help in the status bar).
#include "app/OknoHlavni.h"

#include <commctrl.h>

#include "app/Aplikace.h"
#include "resources/resource.h"
#include "winlib/Chyby.h"
#include "winlib/Retezce.h"
#include "winlib/Dpi.h"

using namespace Tarnel::WinApi;

namespace {

// At 96 DPI.
constexpr int kSirkaPasu = 240;
constexpr int kOkrajPasu = 8; // the band is this much taller than a picture
constexpr size_t kDelkaTipu = 80;

struct TlacitkoPanelu {
    int prikaz; // 0 for a separator
    int obrazek;
    BYTE styl;
};

constexpr BYTE kTlacitko = BTNS_AUTOSIZE;
constexpr BYTE kRozbalovaci = BTNS_AUTOSIZE | BTNS_DROPDOWN;
constexpr TlacitkoPanelu kOddelovac{0, 0, BTNS_SEP};

// The toolbar from left to right.
constexpr TlacitkoPanelu kTlacitka[] = {
    {ID_SOUBOR_OTEVRIT, 6, kTlacitko},
    {ID_SOUBOR_ZAVRIT, 7, kTlacitko},
    kOddelovac,
    {ID_ANIMACE_SPUSTIT, 1, kTlacitko},
    {ID_ANIMACE_PRERUSIT, 5, kTlacitko},
    {ID_ANIMACE_ZASTAVIT, 2, kTlacitko},
    {ID_ANIMACE_KROKVPRED, 3, kTlacitko},
    {ID_ANIMACE_KROKZPET, 4, kTlacitko},
    kOddelovac,
    {ID_ANIMACE_RYCHLOST, 11, kRozbalovaci},
    {ID_RYCHLOST_SNIZIT, 13, kTlacitko},
    {ID_RYCHLOST_ZVYSIT, 12, kTlacitko},
    kOddelovac,
    {ID_ANIMACE_ULOZITSNIMEK, 10, kTlacitko},
    kOddelovac,
    {ID_NASTROJE_PREDVOLBY, 9, kTlacitko},
    {ID_NAPOVEDA_OAPLIKACI, 8, kTlacitko},
    kOddelovac,
    {ID_SOUBOR_KONEC, 0, kTlacitko},
};

} // namespace

HRESULT OknoHlavni::VytvoritPanelNastroju()
{
    if (rebar) {
        panelNastroju.reset();
        rebar.reset();
    }

    rebar = std::make_unique<Rebar>();
    if (hwnd_) rebar->Create(hwnd_, ID_REBAR);

    panelNastroju = std::make_unique<Toolbar>();
    const ToolbarImages* obrazky = aplikace.seznamObrazku.get();
    if (hwnd_)
        panelNastroju->Create(hwnd_, ID_PANEL_NASTROJU, obrazky ? obrazky->Normal(dpi) : nullptr,
                              obrazky ? obrazky->Disabled(dpi) : nullptr);

    if (!rebar->IsWindow() || !panelNastroju->ImageList()) RaiseFatal(E_HANDLE);
    REBARBANDINFOW pas{};
    pas.cbSize = sizeof pas;
    pas.fMask = RBBIM_STYLE | RBBIM_TEXT | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID;
    pas.fStyle = RBBS_BREAK | RBBS_GRIPPERALWAYS;
    pas.lpText = nullptr;
    pas.hwndChild = panelNastroju->Handle();
    RozmeritPas(pas);
    pas.wID = ID_PAS_PANELU;
    pas.cyChild = 0;
    pas.cyMaxChild = 0;
    pas.cyIntegral = 1;
    rebar->InsertBand(pas);

    for (const TlacitkoPanelu& tlacitko : kTlacitka) {
        TBBUTTON b{};
        b.iBitmap = tlacitko.obrazek;
        b.idCommand = tlacitko.prikaz;
        b.fsState = TBSTATE_ENABLED;
        b.fsStyle = tlacitko.styl;
        b.dwData = 0;
        b.iString = tlacitko.styl == BTNS_SEP ? reinterpret_cast<INT_PTR>(L"") : 0;
        panelNastroju->AddButton(b);
    }

    RECT klient{};
    if (!GetClientRect(hwnd_, &klient)) return HresultFromLastError();
    if (!Post(WM_SIZE, 0, MAKELPARAM(klient.right - klient.left, klient.bottom - klient.top)))
        return HresultFromLastError();
    return S_OK;
}

void OknoHlavni::RozmeritPas(REBARBANDINFOW& pas) const
{
    int sirkaObrazku = 0;
    int vyskaObrazku = 0;
    CheckWin32(ImageList_GetIconSize(panelNastroju->ImageList(), &sirkaObrazku, &vyskaObrazku));
    pas.cxMinChild = static_cast<UINT>(Skalovat(kSirkaPasu, dpi));
    pas.cyMinChild = static_cast<UINT>(sirkaObrazku + Skalovat(kOkrajPasu, dpi));
    pas.cx = static_cast<UINT>(Skalovat(kSirkaPasu, dpi));
}

void OknoHlavni::VytvoritStavovouListu()
{
    stavovaLista = std::make_unique<StatusBar>();
    if (!hwnd_) return;
    stavovaLista->Create(hwnd_, ID_STAVOVA_LISTA);
    NastavitPismoStavoveListy();
    stavovaLista->SetParts(castiStavoveListy.data(), static_cast<int>(castiStavoveListy.size()));
    stavovaLista->SetText(kCastInformace, textStavu);
}

void OknoHlavni::NastavitPismoStavoveListy()
{
    // The system's status font as it is at the window's DPI: the bar would otherwise keep the
    // one of the DPI it was made at. The bar lets go of the old font before it is deleted.
    const LOGFONTW popis = MetrikyProDpi(dpi).lfStatusFont;
    Font pismo(CreateFontIndirectW(&popis));
    if (!pismo) RaiseLastError();
    stavovaLista->SetFont(pismo.Get());
    pismoStavoveListy = std::move(pismo);
    sirkaPocitadla = stavovaLista->SirkaCasti(kNejdelsiPocitadlo, dpi);
    sirkaRychlosti = stavovaLista->SirkaCasti(TextRychlosti(kNejvyssiRychlost), dpi);
    // The zoom shares the speed part, on its right.
    sirkaTextuPriblizeni = SirkaTextuPriblizeni();
    sirkaRychlosti += sirkaTextuPriblizeni;
}

LRESULT OknoHlavni::OnDpiChanged(WPARAM wParam, LPARAM lParam)
{
    dpi = DpiZeZpravy(wParam);
    PrijmoutNavrzenyObdelnik(hwnd_, lParam);
    PrizpusobitPanelyDpi();
    PoslatZmenuVelikosti();
    PrekreslitOkno();
    return 0;
}

void OknoHlavni::PrizpusobitPanelyDpi()
{
    // The bars change in place instead of being made again: a handler that one of them called
    // may be waiting in a modal loop, with the bar's own code still to return into.
    if (stavovaLista && stavovaLista->IsWindow()) NastavitPismoStavoveListy();
    const ToolbarImages* obrazky = aplikace.seznamObrazku.get();
    if (!obrazky || !panelNastroju || !panelNastroju->IsWindow() || !rebar || !rebar->IsWindow()) return;
    panelNastroju->NastavitObrazky(obrazky->Normal(dpi), obrazky->Disabled(dpi));
    REBARBANDINFOW pas{};
    pas.cbSize = sizeof pas;
    pas.fMask = RBBIM_CHILDSIZE | RBBIM_SIZE;
    RozmeritPas(pas);
    rebar->SetBand(0, pas);
}

LRESULT OknoHlavni::RozmistitPanely(WPARAM wParam, LPARAM lParam)
{
    const int sirka = LOWORD(lParam);
    const int vyska = HIWORD(lParam);

    int vyskaListy = 0;
    if (stavovaLista && stavovaLista->IsWindow()) {
        SendMessageW(stavovaLista->Handle(), WM_SIZE, wParam, lParam); // it docks itself at the bottom
        const RECT okraje = Window(stavovaLista->Handle()).WindowRect();
        vyskaListy = Height(okraje);
        castiStavoveListy = ::CastiStavoveListy(Width(okraje), sirkaPocitadla, sirkaRychlosti);
        stavovaLista->SetParts(castiStavoveListy.data(), static_cast<int>(castiStavoveListy.size()));
    }

    int vyskaRebaru = 0;
    if (rebar && rebar->IsWindow()) {
        // Height 0: the rebar takes the height its band needs.
        CheckWin32(MoveWindow(rebar->Handle(), 0, 0, sirka, 0, TRUE));
        vyskaRebaru = Height(Window(rebar->Handle()).WindowRect());
    }

    if (seznamSnimku && seznamSnimku->IsWindow()) {
        const Obdelnik oblast = OblastSeznamu(sirka, vyska, vyskaRebaru, vyskaListy);
        CheckWin32(SetWindowPos(seznamSnimku->Handle(), nullptr, oblast.x, oblast.y, oblast.cx, oblast.cy,
                                SWP_NOZORDER));
    }
    RozmistitPohled();
    return DefWindowProc(WM_SIZE, wParam, lParam);
}

void OknoHlavni::ZobrazitTextStavu()
{
    if (stavovaLista && stavovaLista->IsWindow()) stavovaLista->SetText(kCastInformace, textStavu);
}

bool OknoHlavni::OnNotify(NMHDR& hlavicka, LRESULT& result)
{
    if (hlavicka.code == TTN_GETDISPINFOW) {
        if (hlavicka.idFrom <= 40000 || hlavicka.idFrom >= 50000) return false;
        VyplnitTip(reinterpret_cast<NMTTDISPINFOW*>(&hlavicka));
        result = 0;
        return true;
    }
    if (hlavicka.code == static_cast<UINT>(TBN_DROPDOWN) && hlavicka.idFrom == ID_PANEL_NASTROJU &&
        reinterpret_cast<NMTOOLBARW*>(&hlavicka)->iItem == ID_ANIMACE_RYCHLOST) {
        ZobrazitMenuRychlosti();
        result = TBDDRET_DEFAULT;
        return true;
    }
    return false;
}

void OknoHlavni::VyplnitTip(NMTTDISPINFOW* tip)
{
    tip->hinst = GetModuleHandleW(nullptr);
    const auto retezec = NacistRetezec(static_cast<UINT>(tip->hdr.idFrom));
    if (!retezec) {
        const DWORD chyba = GetLastError();
        RaiseFatal(chyba ? HresultFromWin32(chyba) : E_INVALIDARG);
    }
    static_assert(sizeof tip->szText / sizeof tip->szText[0] == kDelkaTipu);
    const std::wstring text = TextTipu(*retezec, kDelkaTipu);
    wcsncpy(tip->szText, text.c_str(), kDelkaTipu);
    tip->szText[kDelkaTipu - 1] = L'\0';
    tip->lpszText = tip->szText;
}

void OknoHlavni::ZobrazitMenuRychlosti()
{
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MENU_RYCHLOST));
    if (!menu) RaiseLastError();
    POINT kurzor{};
    GetCursorPos(&kurzor);
    SledovatMenu(GetSubMenu(menu, 0), kurzor);
    CheckWin32(DestroyMenu(menu));
}

LRESULT OknoHlavni::OnMenuSelect(WPARAM wParam, LPARAM lParam)
{
    if (stavovaLista && stavovaLista->IsWindow() && IsWindowVisible(hwnd_)) {
        // Sub-menu titles and the closing of the menu (flags 0xFFFF) carry the pop-up flag.
        if (HIWORD(wParam) & MF_POPUP) {
            ZobrazitTextStavu();
        } else if (const auto napoveda = NacistRetezec(LOWORD(wParam))) {
            stavovaLista->SetText(kCastInformace, TextNapovedyMenu(*napoveda));
        } else {
            ZobrazitTextStavu(); // separators have no help
        }
    }
    return DefWindowProc(WM_MENUSELECT, wParam, lParam);
}
