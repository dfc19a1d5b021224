// The command bars of the real main window: the toolbar's buttons and band, the layout at
// several window sizes, tooltips, menu help in the status bar, the speed drop-down and the
// context menu.
#include <algorithm>

#include "app/Aplikace.h"
#include "resources/resource.h"
#include "tests/DialogDriver.h"
#include "tests/OknoHlavniTest.h"
#include "tests/PomocnikK2.h"

using namespace GifFixtures;

namespace {

// Moves the window to a given outer size and lets the layout run.
void ZmenitVelikost(HWND okno, int sirka, int vyska)
{
    SetWindowPos(okno, nullptr, 0, 0, sirka, vyska, SWP_NOMOVE | SWP_NOZORDER);
    TestSupport::PumpMessages();
}

using DialogDriver::VKlientu;

} // namespace

// ---- toolbar and band ---------------------------------------------------------------------

TEST_F(OknoHlavniTest, ToolbarInTheRebarsOneBandShowsMenuCommandsWithPicturesOfTheirOwnInGroups)
{
    Vytvorit();
    HWND panel = Panel();
    ASSERT_NE(nullptr, panel) << "the toolbar sits in the rebar";
    ASSERT_EQ(1, SendMessageW(Rebar(), RB_GETBANDCOUNT, 0, 0));
    REBARBANDINFOW pas{};
    pas.cbSize = sizeof pas;
    pas.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_ID;
    ASSERT_TRUE(SendMessageW(Rebar(), RB_GETBANDINFOW, 0, reinterpret_cast<LPARAM>(&pas)));
    EXPECT_EQ(static_cast<UINT>(RBBS_BREAK | RBBS_GRIPPERALWAYS), pas.fStyle & 0xFFu);
    EXPECT_EQ(panel, pas.hwndChild);
    EXPECT_EQ(ID_PAS_PANELU, pas.wID);
    EXPECT_EQ(240u, pas.cxMinChild);
    EXPECT_EQ(24u, pas.cyMinChild) << "a 16-pixel picture plus 8";
    EXPECT_EQ(static_cast<int>(ID_PANEL_NASTROJU), GetDlgCtrlID(panel));
    EXPECT_EQ(static_cast<LRESULT>(TBSTYLE_EX_DRAWDDARROWS), SendMessageW(panel, TB_GETEXTENDEDSTYLE, 0, 0));
    EXPECT_EQ(reinterpret_cast<LRESULT>(aplikace.seznamObrazku->Normal()), SendMessageW(panel, TB_GETIMAGELIST, 0, 0));
    EXPECT_EQ(reinterpret_cast<LRESULT>(aplikace.seznamObrazku->Disabled()),
              SendMessageW(panel, TB_GETDISABLEDIMAGELIST, 0, 0));

    // The speed buttons come from the speed menu, which the bar's speed item opens too.
    std::set<UINT> vMenu = TestSupport::MenuCommands(GetMenu(Okno()));
    ASSERT_TRUE(vMenu.count(ID_ANIMACE_RYCHLOST));
    HMENU rychlost = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MENU_RYCHLOST));
    const std::set<UINT> vRychlosti = TestSupport::MenuCommands(rychlost);
    DestroyMenu(rychlost);
    vMenu.insert(vRychlosti.begin(), vRychlosti.end());
    std::set<int> prikazy, obrazky;
    const auto pocet = static_cast<int>(SendMessageW(panel, TB_BUTTONCOUNT, 0, 0));
    ASSERT_GT(pocet, 2);
    bool predchoziOddelovac = true; // no separator at the start
    for (int i = 0; i < pocet; ++i) {
        SCOPED_TRACE(i);
        TBBUTTON b{};
        ASSERT_TRUE(SendMessageW(panel, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&b)));
        const bool oddelovac = b.fsStyle & BTNS_SEP;
        EXPECT_FALSE(oddelovac && predchoziOddelovac) << "no empty group";
        predchoziOddelovac = oddelovac;
        if (oddelovac) continue;
        EXPECT_TRUE(vMenu.count(static_cast<UINT>(b.idCommand))) << "button " << b.idCommand << " has no item in the menus";
        EXPECT_TRUE(prikazy.insert(b.idCommand).second) << "a command on two buttons";
        EXPECT_TRUE(obrazky.insert(b.iBitmap).second) << "a picture on two buttons";
        EXPECT_GE(b.iBitmap, 0);
        EXPECT_LT(b.iBitmap, aplikace.seznamObrazku->Count());
        EXPECT_EQ(b.idCommand == ID_ANIMACE_RYCHLOST, (b.fsStyle & BTNS_DROPDOWN) != 0) << "the speed menu's arrow";
    }
    EXPECT_FALSE(predchoziOddelovac) << "no separator at the end";
}

TEST_F(OknoHlavniTest, ClickingToolbarButtonsSendsTheirCommands)
{
    VytvoritSAnimaci(3);
    auto kliknout = [&](int prikaz) {
        PomocnikK2::KliknoutNaTlacitko(Panel(), prikaz);
        TestSupport::PumpMessages();
    };
    kliknout(ID_ANIMACE_PRERUSIT);
    OcekavatStav(Stav::Pozastaveno, "pause button");
    kliknout(ID_ANIMACE_KROKVPRED);
    EXPECT_EQ(1, okno->Snimek());
    kliknout(ID_RYCHLOST_ZVYSIT);
    EXPECT_EQ(L"Rychlost: 110 %", Cast(kCastRychlost));
    kliknout(ID_ANIMACE_SPUSTIT);
    OcekavatStav(Stav::Prehrava, "start button");
    kliknout(ID_ANIMACE_KROKZPET); // disabled while playing
    EXPECT_EQ(1, okno->Snimek());
}

// ---- layout -------------------------------------------------------------------------------

TEST_F(OknoHlavniTest, StatusPartsFollowTheWidthAndTheFramesListFillsTheRoomBetweenTheBars)
{
    VytvoritSAnimaci(4);
    Prikaz(ID_ZOBRAZIT_PREHLEDSNIMKU);
    TestSupport::PumpMessages();
    ASSERT_NE(nullptr, Seznam());
    int sirkaPocitadla = -1;
    int sirkaRychlosti = -1;
    for (const SIZE velikost : {SIZE{800, 600}, SIZE{400, 300}, SIZE{1100, 700}, SIZE{250, 200}, SIZE{500, 420}}) {
        SCOPED_TRACE(testing::Message() << velikost.cx << "x" << velikost.cy);
        ZmenitVelikost(Okno(), velikost.cx, velikost.cy);
        RECT klient{};
        GetClientRect(Okno(), &klient);
        const RECT lista = VKlientu(Okno(), StavovaLista());
        const int sirka = lista.right - lista.left;
        EXPECT_EQ(klient.right, sirka);
        EXPECT_EQ(klient.bottom, lista.bottom) << "docked at the bottom";

        int casti[4] = {};
        ASSERT_EQ(3, SendMessageW(StavovaLista(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(casti)));
        // The counter and the speed part keep the widths their texts need; the file part
        // takes the rest.
        if (sirkaPocitadla < 0) {
            sirkaPocitadla = casti[1] - casti[0];
            sirkaRychlosti = sirka - casti[1];
            EXPECT_GT(sirkaPocitadla, 0);
            EXPECT_GT(sirkaRychlosti, sirkaPocitadla) << "\"Rychlost: 1000 %\" is the longer text";
        }
        EXPECT_EQ(sirka - sirkaRychlosti, casti[1]);
        EXPECT_EQ(std::max(0, sirka - sirkaRychlosti - sirkaPocitadla), casti[0]) << "no edge below 0";
        EXPECT_EQ(-1, casti[2]);
        EXPECT_EQ(okno->CastiStavoveListy()[0], casti[0]);

        const RECT rebar = VKlientu(Okno(), Rebar());
        EXPECT_EQ(0, rebar.top);
        EXPECT_EQ(0, rebar.left);
        EXPECT_EQ(klient.right, rebar.right);
        EXPECT_GE(rebar.bottom - rebar.top, 24) << "tall enough for the band";

        const RECT seznam = VKlientu(Okno(), Seznam());
        EXPECT_EQ(0, seznam.left);
        EXPECT_EQ(klient.right, seznam.right);
        EXPECT_EQ(rebar.bottom, seznam.top);
        EXPECT_EQ(lista.top, seznam.bottom);
    }
}

// ---- help texts ---------------------------------------------------------------------------

TEST_F(OknoHlavniTest, ToolbarTooltipsComeFromTheStringTableForCommandsOnly)
{
    Vytvorit();
    HWND tip = reinterpret_cast<HWND>(SendMessageW(Panel(), TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(nullptr, tip);
    const std::pair<int, const wchar_t*> ocekavane[] = {
        {ID_SOUBOR_KONEC, L"Ukončit aplikaci"},
        {ID_ANIMACE_SPUSTIT, L"Spustit animaci"},
        {ID_ANIMACE_RYCHLOST, L"Zvolit rychlost animace"},
        {ID_ANIMACE_ULOZITSNIMEK, L"Uložit aktuální snímek animace jako obrázek"},
        {ID_RYCHLOST_SNIZIT, L"Snížit rychlost o předvolený krok"},
    };
    for (const auto& [prikaz, text] : ocekavane) {
        wchar_t buffer[256] = L"";
        TOOLINFOW info{};
        info.cbSize = sizeof info;
        info.hwnd = Panel();
        info.uId = static_cast<UINT_PTR>(prikaz);
        info.lpszText = buffer;
        SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
        EXPECT_STREQ(text, buffer) << "button " << prikaz;
    }

    // Asked directly, the window answers for commands only.
    auto pozadat = [&](UINT_PTR id) {
        NMTTDISPINFOW tip{};
        tip.hdr.hwndFrom = Panel();
        tip.hdr.idFrom = id;
        tip.hdr.code = TTN_GETDISPINFOW;
        wcscpy(tip.szText, L"nezměněno");
        tip.lpszText = tip.szText;
        SendMessageW(Okno(), WM_NOTIFY, id, reinterpret_cast<LPARAM>(&tip));
        return std::wstring(tip.lpszText ? tip.lpszText : L"");
    };
    EXPECT_EQ(L"Zobrazit další obrázek z animace", pozadat(ID_ANIMACE_KROKVPRED));
    EXPECT_EQ(L"Výchozí rychlost animace", pozadat(ID_RYCHLOST_VYCHOZI));
    EXPECT_EQ(L"nezměněno", pozadat(0)) << "separators";
    EXPECT_EQ(L"nezměněno", pozadat(40000));
    EXPECT_EQ(L"nezměněno", pozadat(50000));
}

TEST_F(OknoHlavniTest, MenuHelpShowsInTheStatusBarAndGoesAway)
{
    Vytvorit();
    const std::wstring klidovy = okno->TextStavu();
    HMENU menu = GetMenu(Okno());
    auto vybrat = [&](UINT id, UINT priznaky, HMENU m) {
        SendMessageW(Okno(), WM_MENUSELECT, MAKEWPARAM(id, priznaky), reinterpret_cast<LPARAM>(m));
        return Cast(kCastInformace);
    };
    EXPECT_EQ(L"Spustit animaci.", vybrat(ID_ANIMACE_SPUSTIT, MF_HILITE, menu));
    EXPECT_EQ(L"Zavřít soubor.", vybrat(ID_SOUBOR_ZAVRIT, MF_HILITE | MF_MOUSESELECT, menu));
    EXPECT_EQ(klidovy, vybrat(1, MF_POPUP | MF_HILITE, menu)) << "a sub-menu title";
    EXPECT_EQ(L"Ukončit aplikaci.", vybrat(ID_SOUBOR_KONEC, MF_HILITE, menu));
    EXPECT_EQ(klidovy, vybrat(0, MF_SEPARATOR, menu)) << "a separator";
    EXPECT_EQ(L"Snížit rychlost o předvolený krok.", vybrat(ID_RYCHLOST_SNIZIT, MF_HILITE, menu));
    EXPECT_EQ(klidovy, vybrat(0, 0xFFFF, nullptr)) << "the menu closed";
    EXPECT_EQ(klidovy, vybrat(1234, MF_HILITE, menu)) << "an item without help";

    // The file information comes back, not the ready text, once a file is open.
    okno->OtevritSoubor(PomalaAnimace(), true);
    EXPECT_EQ(L"Přerušit animaci.", vybrat(ID_ANIMACE_PRERUSIT, MF_HILITE, menu));
    EXPECT_EQ(okno->TextStavu(), vybrat(0, 0xFFFF, nullptr));
    EXPECT_NE(klidovy, okno->TextStavu());

    ShowWindow(Okno(), SW_HIDE);
    EXPECT_EQ(okno->TextStavu(), vybrat(ID_ANIMACE_SPUSTIT, MF_HILITE, menu)) << "no help while hidden";
}

TEST_F(OknoHlavniTest, RealMenuNavigationShowsHelp)
{
    Vytvorit();
    std::wstring behemMenu;
    SetForegroundWindow(Okno());
    // Alt+S opens the "Soubor" menu through the system's own menu loop; once it is open, the
    // help of its first item is read and the menu closed.
    DialogDriver::Behem([&] { SendMessageW(Okno(), WM_SYSCOMMAND, SC_KEYMENU, L's'); },
                        {{DialogDriver::OpenMenu, [&](HWND popup) {
                              SendMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
                              behemMenu = Cast(kCastInformace);
                              EndMenu();
                          }}});
    TestSupport::PumpMessages();
    EXPECT_EQ(L"Otevřít soubor pro zobrazení a animaci.", behemMenu);
    EXPECT_EQ(okno->TextStavu(), Cast(kCastInformace)) << "restored when the menu closed";
}

// ---- speed drop-down and context menu -----------------------------------------------------

TEST_F(OknoHlavniTest, SpeedMenuOpensAtTheCursorFromTheSpeedArrowOnly)
{
    Vytvorit();
    SetCursorPos(400, 500);
    const ZachyceneMenu menu =
        ZachytitMenu([&] { PomocnikK2::KliknoutNaTlacitko(Panel(), ID_ANIMACE_RYCHLOST, true); }); // on the arrow
    ASSERT_TRUE(menu.otevreno);
    EXPECT_EQ((std::vector<UINT>{ID_RYCHLOST_ZVYSIT, ID_RYCHLOST_SNIZIT, ID_RYCHLOST_VYCHOZI, 0, ID_ANIMACE_RYCHLOST}),
              menu.polozky);
    EXPECT_EQ(400, menu.poloha.left);
    EXPECT_EQ(500, menu.poloha.top);

    // A drop-down from other buttons or controls shows no menu.
    auto poslat = [&](UINT_PTR odkud, int tlacitko) {
        NMTOOLBARW nm{};
        nm.hdr.hwndFrom = Panel();
        nm.hdr.idFrom = odkud;
        nm.hdr.code = TBN_DROPDOWN;
        nm.iItem = tlacitko;
        return ZachytitMenu([&] { SendMessageW(Okno(), WM_NOTIFY, odkud, reinterpret_cast<LPARAM>(&nm)); });
    };
    EXPECT_TRUE(poslat(ID_PANEL_NASTROJU, ID_ANIMACE_RYCHLOST).otevreno);
    EXPECT_FALSE(poslat(ID_PANEL_NASTROJU, ID_ANIMACE_SPUSTIT).otevreno);
    EXPECT_FALSE(poslat(7, ID_ANIMACE_RYCHLOST).otevreno);
}

TEST_F(OknoHlavniTest, ContextMenuOpensWhereAsked)
{
    Vytvorit();
    const ZachyceneMenu mysi = ZachytitMenu([&] { SendMessageW(Okno(), WM_CONTEXTMENU, 0, MAKELPARAM(350, 420)); });
    ASSERT_TRUE(mysi.otevreno);
    EXPECT_EQ(350, mysi.poloha.left);
    EXPECT_EQ(420, mysi.poloha.top);
    EXPECT_EQ(std::vector<UINT>({ID_SOUBOR_OTEVRIT, ID_SOUBOR_ZAVRIT, 0, ZachyceneMenu::kPodmenu,
                                 ZachyceneMenu::kPodmenu, 0, ZachyceneMenu::kPodmenu, 0, ID_SOUBOR_KONEC}),
              mysi.polozky);
    EXPECT_EQ(0u, mysi.stavy.count(ID_NASTROJE_PREDVOLBY)) << "no tools in the context menu";
    EXPECT_EQ(0u, mysi.stavy.count(ID_NASTROJE_PREHLEDOBRAZKU));

    // Shift+F10 opens at the client area's corner; a message without a point, at the cursor.
    POINT roh{0, 0};
    ClientToScreen(Okno(), &roh);
    SetCursorPos(610, 380);
    for (const auto& [lParam, bod] : {std::pair{LPARAM{-1}, roh}, std::pair{LPARAM{0}, POINT{610, 380}}}) {
        SCOPED_TRACE(lParam);
        const ZachyceneMenu m = ZachytitMenu([&] { SendMessageW(Okno(), WM_CONTEXTMENU, 0, lParam); });
        ASSERT_TRUE(m.otevreno);
        EXPECT_EQ(bod.x, m.poloha.left);
        EXPECT_EQ(bod.y, m.poloha.top);
    }
}

TEST_F(OknoHlavniTest, ContextMenuFollowsThePlaybackState)
{
    Vytvorit();
    auto povoleno = [](const ZachyceneMenu& m, UINT prikaz) {
        const auto it = m.stavy.find(prikaz);
        EXPECT_NE(m.stavy.end(), it) << "no item " << prikaz;
        return it != m.stavy.end() && !(it->second & (MF_GRAYED | MF_DISABLED));
    };
    auto otevrit = [&] { return ZachytitMenu([&] { SendMessageW(Okno(), WM_CONTEXTMENU, 0, MAKELPARAM(300, 300)); }); };

    // The commands from Spustit to Uložit snímek that are on in a state; the rest are off.
    const auto ocekavat = [&](const char* stav, std::set<UINT> zapnute) {
        const ZachyceneMenu m = otevrit();
        for (UINT prikaz = ID_ANIMACE_SPUSTIT; prikaz <= ID_ANIMACE_ULOZITSNIMEK; ++prikaz)
            EXPECT_EQ(zapnute.count(prikaz) != 0, povoleno(m, prikaz)) << stav << ": " << prikaz;
        EXPECT_TRUE(povoleno(m, ID_ZOBRAZIT_ANIMACI)) << "the view items keep their resource state";
        EXPECT_TRUE(povoleno(m, ID_ZOBRAZIT_PREHLEDSNIMKU));
        EXPECT_TRUE(povoleno(m, ID_SOUBOR_OTEVRIT));
        EXPECT_EQ(0u, m.stavy.at(ID_ZOBRAZIT_ANIMACI) & MF_CHECKED) << "no check marks in the context menu";
    };
    ocekavat("empty", {});
    okno->OtevritSoubor(PomalaAnimace(), true);
    ocekavat("playing", {ID_ANIMACE_PRERUSIT, ID_ANIMACE_ZASTAVIT, ID_SOUBOR_ZAVRIT});
    Prikaz(ID_ANIMACE_PRERUSIT);
    ocekavat("paused", {ID_ANIMACE_SPUSTIT, ID_ANIMACE_ZASTAVIT, ID_SOUBOR_ZAVRIT, ID_ANIMACE_KROKVPRED,
                        ID_ANIMACE_KROKZPET, ID_ANIMACE_ULOZITSNIMEK});
}
