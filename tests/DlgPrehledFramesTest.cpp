// The frames overview panel on the test's own thread, hosted by a plain top-level window:
// its template, what it lists and shows for real and damaged files, how its rows are drawn
// (also when scrolled upwards through the cache), and its open and save buttons worked
// through the real file dialogs.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/Aplikace.h"
#include "frames/DlgPrehledFrames.h"
#include "image/ExportSnimku.h"
#include "image/GifAnimace.h"
#include "soubory/PrikazUlozeni.h"
#include "resources/resource.h"
#include "tests/DialogDriver.h"
#include "tests/GifFixtures.h"
#include "tests/IdentitaProgramu.h"
#include "tests/PrazdnaOkna.h"
#include "tests/PrehledFramesTest.h"
#include "tests/SablonaDialogu.h"
#include "tests/TestSupport.h"
#include "winlib/ModalniSmycka.h"
#include "winlib/WindowImpl.h"

using namespace GifFixtures;
using namespace PrehledFrames;

namespace {

class PanelTest : public testing::Test {
protected:
    IdentitaProgramu identita;

    void SetUp() override
    {
        constexpr DWORD kStyl = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
        ASSERT_NE(nullptr, hostitel.Vytvorit(L"PrehledFramesTestHost", kStyl, RECT{10, 10, 720, 700}));
    }
    void TearDown() override
    {
        panel.reset();
        TestSupport::PumpMessages();
    }

    void Otevrit(const wchar_t* cesta)
    {
        panel.reset();
        panel = std::make_unique<DlgPrehledFrames>();
        HWND okno = panel->Vytvorit(hostitel, cesta);
        ASSERT_NE(nullptr, okno);
        EXPECT_FALSE(IsWindowVisible(okno)) << "the host shows it";
        ShowWindow(okno, SW_SHOW);
        Prekreslit();
    }
    void Otevrit(const std::wstring& cesta) { Otevrit(cesta.c_str()); }
    std::wstring Gif(const std::wstring& nazev, const GifRecipe& popis)
    {
        const std::wstring cesta = slozka.File(nazev);
        EXPECT_TRUE(WriteGif(cesta, popis));
        return cesta;
    }

    HWND Seznam() const { return GetDlgItem(*panel, IDC_PREHLED_SEZNAM); }
    int Pocet() const { return static_cast<int>(SendMessageW(Seznam(), LB_GETCOUNT, 0, 0)); }
    int Vybrany() const { return static_cast<int>(SendMessageW(Seznam(), LB_GETCURSEL, 0, 0)); }
    int VyskaRadku(int i) const { return static_cast<int>(SendMessageW(Seznam(), LB_GETITEMHEIGHT, i, 0)); }
    std::wstring Informace() const { return TextOf(GetDlgItem(*panel, IDC_PREHLED_INFORMACE)); }
    std::wstring Titulek() const { return TextOf(hostitel); }

    // As a click on a row: the selection moves and the list tells its parent.
    void Vybrat(int i)
    {
        SendMessageW(Seznam(), LB_SETCURSEL, static_cast<WPARAM>(i), 0);
        SendMessageW(*panel, WM_COMMAND, MAKEWPARAM(IDC_PREHLED_SEZNAM, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Seznam()));
    }
    void Kliknout(int id)
    {
        SendMessageW(*panel, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(*panel, id)));
    }
    void Posunout(int horniRadek)
    {
        SendMessageW(Seznam(), LB_SETTOPINDEX, static_cast<WPARAM>(horniRadek), 0);
        Prekreslit();
    }
    void Prekreslit()
    {
        TestSupport::PumpMessages();
        UpdateWindow(Seznam());
    }
    RECT Radek(int i) const
    {
        RECT r{};
        SendMessageW(Seznam(), LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // What the list shows now, drawn afresh into a canvas.
    std::unique_ptr<Canvas> Vytisknout() const
    {
        RECT klient{};
        GetClientRect(Seznam(), &klient);
        auto platno = std::make_unique<Canvas>(klient.right, klient.bottom, RGB(1, 2, 3));
        SendMessageW(Seznam(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(platno->Dc()), PRF_CLIENT | PRF_ERASEBKGND);
        return platno;
    }
    // Scrolls from the last row up to the first, each row at the top showing its own frame.
    void ProjitNahoru()
    {
        Posunout(Pocet() - 1);
        for (int horni = Pocet() - 1; horni >= 0; --horni) {
            Posunout(horni);
            ASSERT_LE(ColourDistance(FrameColour(horni), StredRadkuNaObrazovce(horni)), 2) << "row " << horni;
        }
    }
    // The colour in the middle of a row as it is on the screen.
    COLORREF StredRadkuNaObrazovce(int i) const
    {
        const RECT r = Radek(i);
        HDC dc = GetDC(Seznam());
        const COLORREF barva = GetPixel(dc, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        ReleaseDC(Seznam(), dc);
        return barva;
    }

    PrazdneOkno hostitel;
    std::unique_ptr<DlgPrehledFrames> panel;
    TestSupport::ScratchDir slozka;
};

// The overview's title for a file of that many frames.
std::wstring TitulekSouboru(const std::wstring& jmeno, int snimku)
{
    return L"Animora - " + jmeno + L" (počet obrázků: " + std::to_wstring(snimku) + L")";
}

RECT VKlientovi(HWND prvek) { return DialogDriver::VKlientu(GetParent(prvek), prvek); }

void OcekavatObdelnik(const RECT& ocekavany, const RECT& skutecny, const char* co)
{
    EXPECT_EQ(ocekavany.left, skutecny.left) << co;
    EXPECT_EQ(ocekavany.top, skutecny.top) << co;
    EXPECT_EQ(ocekavany.right, skutecny.right) << co;
    EXPECT_EQ(ocekavany.bottom, skutecny.bottom) << co;
}

} // namespace

TEST_F(PanelTest, CreatedPanelIsAChildOfItsHostSizedByTheTemplate)
{
    Otevrit(nullptr);
    HWND okno = *panel;
    const auto styl = static_cast<DWORD>(GetWindowLongPtrW(okno, GWL_STYLE));
    EXPECT_TRUE(styl & WS_CHILD);
    EXPECT_FALSE(styl & WS_CAPTION) << "no title";
    EXPECT_TRUE(GetWindowLongPtrW(okno, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    EXPECT_EQ(static_cast<HWND>(hostitel), GetParent(okno));
    const SablonaDialogu::Sablona sablona = SablonaDialogu::Nacist(IDD_PREHLED_FRAMES);
    ASSERT_EQ(4u, sablona.prvky.size());
    EXPECT_FALSE(sablona.styl & (WS_CAPTION | WS_VISIBLE)) << "no title, shown by the host";
    RECT klient{};
    GetClientRect(okno, &klient);
    const RECT cely{0, 0, sablona.rozmer.cx, sablona.rozmer.cy};
    OcekavatObdelnik(SablonaDialogu::VPixelech(okno, cely), klient, "panel");

    EXPECT_EQ(L"ListBox", DialogDriver::ClassOf(Seznam()));
    EXPECT_EQ(0, GetWindowLongPtrW(Seznam(), GWL_STYLE) & LBS_HASSTRINGS) << "rows keep no strings";
    for (const SablonaDialogu::Prvek& prvek : sablona.prvky) {
        HWND prvekOkna = GetDlgItem(okno, static_cast<int>(prvek.id));
        OcekavatObdelnik(SablonaDialogu::VPixelech(okno, prvek.misto), VKlientovi(prvekOkna), "where the template puts it");
    }
    EXPECT_EQ(L"", Informace()) << "the template's text is replaced at once";
}

// ---- what a file shows --------------------------------------------------------------------

TEST_F(PanelTest, SharedFilesListEveryFrameWithTheFirstSelectedAndItsInfo)
{
    struct {
        const wchar_t* nazev;
        int snimku, vyska;
        const wchar_t* informace;
    } const soubory[] = {
        // 10 frames of 268 x 86, each held 10 hundredths (MANIFEST.tsv).
        {L"nsgif_waves.gif", 10, 86, L"Velikost: 268 x 86 bodů. Interval: 100 milisekund."},
        {L"pillow_hopper.png", 1, 128, L"Velikost: 128 x 128 bodů. Interval: 0 milisekund."},
        // 807 x 606: one row, as high as a list row can be.
        {L"pillow_test.colors.gif", 1, 255, L"Velikost: 807 x 606 bodů. Interval: 0 milisekund."},
    };
    for (const auto& soubor : soubory) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(soubor.nazev)));
        const std::wstring cesta = TestSupport::SharedGif(soubor.nazev);
        Otevrit(cesta);
        ASSERT_EQ(soubor.snimku, Pocet());
        for (int i = 0; i < soubor.snimku; ++i) {
            EXPECT_EQ(i, SendMessageW(Seznam(), LB_GETITEMDATA, static_cast<WPARAM>(i), 0));
            EXPECT_EQ(soubor.vyska, VyskaRadku(i)) << "row " << i;
        }
        EXPECT_EQ(0, Vybrany());
        EXPECT_EQ(soubor.informace, Informace());
        EXPECT_EQ(TitulekSouboru(soubor.nazev, soubor.snimku), Titulek());
        EXPECT_EQ(cesta, panel->Cesta());
        Vybrat(soubor.snimku - 1);
        EXPECT_EQ(soubor.informace, Informace()) << "the last frame";
    }
}

TEST_F(PanelTest, InfoLineFollowsTheSelectedFramesOwnDelay)
{
    Otevrit(Gif(L"zpozdeni.gif", Animation(120, 90, 4, {10, 25, 0, 7})));
    EXPECT_EQ(L"Velikost: 120 x 90 bodů. Interval: 100 milisekund.", Informace());
    Vybrat(1);
    EXPECT_EQ(L"Velikost: 120 x 90 bodů. Interval: 250 milisekund.", Informace());
    Vybrat(3);
    EXPECT_EQ(L"Velikost: 120 x 90 bodů. Interval: 70 milisekund.", Informace());
    SendMessageW(Seznam(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageW(*panel, WM_COMMAND, MAKEWPARAM(IDC_PREHLED_SEZNAM, LBN_SELCHANGE), 0);
    EXPECT_EQ(L"", Informace()) << "no selection, no info";
}

TEST_F(PanelTest, TallImageGivesRowsOf255WithTheFrameScaledIntoThem)
{
    Otevrit(Gif(L"vysoka.gif", Animation(20, 400, 3)));
    ASSERT_EQ(3, Pocet());
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        Posunout(i);
        auto platno = Vytisknout();
        const RECT r = Radek(i);
        ASSERT_EQ(255, r.bottom - r.top);
        ASSERT_LE(r.bottom, platno->Height()) << "the row is on screen";
        const RECT obraz = platno->BoundsOfOther(i == 0 ? GetSysColor(COLOR_HIGHLIGHT) : GetSysColor(COLOR_WINDOW), r);
        EXPECT_EQ(255, obraz.bottom - obraz.top) << "the full height of the row";
        EXPECT_NEAR(20 * 255 / 400, obraz.right - obraz.left, 1) << "scaled, keeping its shape";
        EXPECT_NEAR((r.left + r.right) / 2, (obraz.left + obraz.right) / 2, 1) << "centred";
        EXPECT_LE(ColourDistance(FrameColour(i), platno->Pixel((r.left + r.right) / 2, r.top + 100)), 2);
    }
}

TEST_F(PanelTest, WhatIsNoImageStartsAnEmptyPanel)
{
    const std::wstring text = slozka.File(L"text.gif");
    ASSERT_TRUE(TestSupport::WriteBytes(text, "GIF? no, plain text", 19));
    struct {
        std::wstring cesta;
        bool ponechana; // kept as the panel's path: an existing file
    } const pripady[] = {
        {slozka.File(L"neexistuje.gif"), false},
        {slozka.Path(), false}, // a folder
        {text, true},
        {TestSupport::SharedGif(L"imagegif_gifplayer-muybridge_trunc13.gif"), true}, // header only
        {L"", false},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(testing::PrintToString(p.cesta));
        Otevrit(p.cesta.empty() ? nullptr : p.cesta.c_str());
        EXPECT_EQ(0, Pocet());
        EXPECT_EQ(kBezObrazku, Titulek());
        EXPECT_EQ(L"", Informace());
        ASSERT_NE(nullptr, panel->Model());
        EXPECT_FALSE(panel->Model()->HasImage());
        EXPECT_EQ(p.ponechana ? p.cesta : L"", panel->Cesta());
        Vytisknout(); // an empty list is drawn without a frame
        EXPECT_FALSE(ObslouzitDialog([&] { Kliknout(IDC_PREHLED_ULOZIT); }, Scenar{})) << "nothing to save";
    }
}

// Every damaged or unusual file of the shared corpus opens without harm, and whatever the
// model makes of it is what the list shows and draws.
class PanelCorpusTest : public PanelTest, public testing::WithParamInterface<const char*> {};

TEST_P(PanelCorpusTest, OpensListsAndDrawsWithoutHarm)
{
    const std::string nazev = GetParam();
    const std::wstring cesta = TestSupport::SharedGif(std::wstring(nazev.begin(), nazev.end()).c_str());
    Otevrit(cesta);
    const GifAnimace* model = panel->Model();
    ASSERT_NE(nullptr, model);
    if (!model->HasImage()) {
        EXPECT_EQ(0, Pocet());
        EXPECT_EQ(kBezObrazku, Titulek());
        return;
    }
    EXPECT_EQ(model->FrameCount(), Pocet());
    if (Pocet() > 0) {
        EXPECT_EQ(0, Vybrany());
        Posunout(Pocet() - 1);
        Vybrat(Pocet() - 1);
        Posunout(0);
        Vytisknout();
    }
    EXPECT_EQ(TitulekSouboru(std::wstring(nazev.begin(), nazev.end()), model->FrameCount()), Titulek());
}

INSTANTIATE_TEST_SUITE_P(DamagedFiles, PanelCorpusTest,
                         testing::Values("pillow_iss634_trunc138000.gif", "pillow_zero_width.gif",
                                         "pillow_decompression_bomb.gif", "imagegif_issue-117-out-of-range.gif",
                                         "nsgif_lzwof.gif", "nsgif_afl-id000023.gif", "nsgif_afl-id000252.gif",
                                         "imagers_oob.gif", "pillow_test_extents.gif",
                                         "pillow_dispose_bgnd_gif_renamed.png", "pillow_hopper_png_renamed.gif"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string jmeno = info.param;
                             for (char& c : jmeno)
                                 if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                             return jmeno;
                         });

// ---- drawing ------------------------------------------------------------------------------

TEST_F(PanelTest, RowsShowTheirOwnFramesAndTheSelectionOnTheHighlight)
{
    Otevrit(Gif(L"radky.gif", Animation(30, 20, 5)));
    for (int vybrany : {0, 3}) {
        Vybrat(vybrany);
        auto platno = Vytisknout();
        for (int i = 0; i < 5; ++i) {
            SCOPED_TRACE(testing::Message() << "selected " << vybrany << ", row " << i);
            const RECT r = Radek(i);
            EXPECT_EQ(20, r.bottom - r.top);
            EXPECT_LE(ColourDistance(FrameColour(i), platno->Pixel((r.left + r.right) / 2, (r.top + r.bottom) / 2)), 2);
            const COLORREF pozadi = GetSysColor(i == vybrany ? COLOR_HIGHLIGHT : COLOR_WINDOW);
            EXPECT_EQ(pozadi, platno->Pixel(r.left + 2, (r.top + r.bottom) / 2));
            const RECT obraz = platno->BoundsOfOther(pozadi, r);
            EXPECT_EQ(30, obraz.right - obraz.left) << "natural size";
            EXPECT_EQ(20, obraz.bottom - obraz.top);
        }
    }
}

TEST_F(PanelTest, TransparentPixelsShowTheRowsBackground)
{
    GifRecipe popis = Animation(30, 20, 3);
    popis.frames[0].transparent = true;
    Otevrit(Gif(L"pruhledna.gif", popis));
    const RECT r = Radek(0);
    const int x = (r.left + r.right) / 2 - 15;
    const RECT obraz{x, r.top, x + 30, r.bottom};
    EXPECT_EQ(30 * 20, Vytisknout()->Count(GetSysColor(COLOR_HIGHLIGHT), obraz)) << "selected: the highlight";
    Vybrat(1);
    EXPECT_EQ(30 * 20, Vytisknout()->Count(GetSysColor(COLOR_WINDOW), obraz)) << "not selected: the window colour";
}

TEST_F(PanelTest, ScrollingUpwardsShowsEveryRowsOwnFrameWithinTheModelsBudget)
{
    // Rows of 40 pixels: a dozen on screen, the rest reached by scrolling.
    const int pocet = 40;
    Otevrit(Gif(L"dlouha.gif", Animation(60, 40, pocet)));
    ASSERT_EQ(pocet, Pocet());
    ASSERT_NO_FATAL_FAILURE(ProjitNahoru());
    // Going back keeps what the rows cost to draw, and no more than the file's budget.
    EXPECT_GT(panel->Model()->DrzenaPamet(), 0u);
    EXPECT_LE(panel->Model()->DrzenaPamet(), panel->Model()->Rozpocet());

    // Drawn again from what was kept and afresh, every row still shows its own frame.
    auto platno = Vytisknout();
    for (int i = 0; i < pocet; ++i) {
        const RECT r = Radek(i);
        if (r.top >= platno->Height()) break;
        EXPECT_LE(ColourDistance(FrameColour(i), platno->Pixel((r.left + r.right) / 2, (r.top + r.bottom) / 2)), 2)
            << "row " << i;
    }
}

// ---- the buttons --------------------------------------------------------------------------

TEST_F(PanelTest, SavedImageIsTheSelectedFrameEvenAfterOtherRowsWereDrawn)
{
    const int pocet = 30;
    Otevrit(Gif(L"ulozit.gif", Animation(60, 40, pocet)));
    Vybrat(5);
    EXPECT_EQ(L"Velikost: 60 x 40 bodů. Interval: 100 milisekund.", Informace());
    Posunout(pocet - 1); // draws the last rows, each made the model's active frame in turn
    const std::wstring cil = slozka.File(L"vybrany.png");
    EXPECT_TRUE(ObslouzitDialog([&] { Kliknout(IDC_PREHLED_ULOZIT); }, Scenar{cil}));
    COLORREF barva = 0;
    ASSERT_TRUE(DecodedPixel(cil, 0, 30, 20, barva));
    EXPECT_LE(ColourDistance(FrameColour(5), barva), 2);
    EXPECT_EQ(5, Vybrany()) << "nothing else changes";
    EXPECT_EQ(pocet, Pocet());

    // Rows are drawn right after the save, too.
    Posunout(0);
    EXPECT_LE(ColourDistance(FrameColour(0), StredRadkuNaObrazovce(0)), 2);
}

TEST_F(PanelTest, SavingOverItsOwnFileListsWhatTheFileNowHolds)
{
    // An animation named .png (the decoder goes by the content), so that the save dialog,
    // which offers PNG, keeps the typed name and asks before overwriting.
    const std::wstring cesta = Gif(L"vlastni.png", Animation(30, 20, 6));
    Otevrit(cesta);
    Vybrat(3);
    EXPECT_TRUE(ObslouzitDialog([&] { Kliknout(IDC_PREHLED_ULOZIT); }, Scenar{cesta, IDYES}));
    ASSERT_EQ(1, Pocet()) << "the file now holds the one saved frame";
    EXPECT_EQ(L"Animora - vlastni.png (počet obrázků: 1)", Titulek());
    COLORREF barva = 0;
    ASSERT_TRUE(DecodedPixel(cesta, 0, 15, 10, barva));
    EXPECT_LE(ColourDistance(FrameColour(3), barva), 2);
    EXPECT_LE(ColourDistance(FrameColour(3), StredRadkuNaObrazovce(0)), 2);
}

TEST_F(PanelTest, OpeningAnotherFileRefillsTheListAndTitleAndANonImageEmptiesThem)
{
    Otevrit(Gif(L"prvni.gif", Animation(30, 20, 3)));
    const std::wstring druhy = Gif(L"druhý.gif", Animation(50, 25, 7, {4}));
    EXPECT_TRUE(ObslouzitDialog([&] { Kliknout(IDC_PREHLED_OTEVRIT); }, Scenar{druhy}));
    EXPECT_EQ(7, Pocet());
    EXPECT_EQ(0, Vybrany());
    EXPECT_EQ(25, VyskaRadku(0));
    EXPECT_EQ(L"Animora - druhý.gif (počet obrázků: 7)", Titulek());
    EXPECT_EQ(L"Velikost: 50 x 25 bodů. Interval: 40 milisekund.", Informace());
    EXPECT_EQ(druhy, panel->Cesta());
    EXPECT_LE(ColourDistance(FrameColour(0), StredRadkuNaObrazovce(0)), 2) << "the new file's rows, not the old";

    // A file that is no image empties the list but keeps the info line.
    const std::wstring text = slozka.File(L"poznamky.txt");
    ASSERT_TRUE(TestSupport::WriteBytes(text, "no image", 8));
    EXPECT_TRUE(ObslouzitDialog([&] { Kliknout(IDC_PREHLED_OTEVRIT); }, Scenar{text}));
    EXPECT_EQ(0, Pocet());
    EXPECT_EQ(kBezObrazku, Titulek());
    EXPECT_EQ(L"Velikost: 50 x 25 bodů. Interval: 40 milisekund.", Informace());
    EXPECT_EQ(text, panel->Cesta()) << "the path names the file last tried";
}

TEST_F(PanelTest, ButtonsAreRefusedWhileAModalLoopRunsAndOkOrCancelDoNotEndThePanel)
{
    Otevrit(Gif(L"smycka.gif", Animation(30, 20, 4)));
    {
        Tarnel::WinApi::ModalniSmycka smycka;
        EXPECT_FALSE(ObslouzitDialog([&] { Kliknout(IDC_PREHLED_OTEVRIT); }, Scenar{}));
        EXPECT_FALSE(ObslouzitDialog([&] { Kliknout(IDC_PREHLED_ULOZIT); }, Scenar{}));
    }
    SendMessageW(*panel, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    SendMessageW(*panel, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(panel->IsWindow());
    EXPECT_EQ(4, Pocet());
}

TEST_F(PanelTest, SaveCommandMakesTheGivenFrameActiveOnlyOnceATargetIsChosen)
{
    const std::wstring zdroj = Gif(L"model.gif", Animation(30, 20, 6));
    GifAnimace model;
    ASSERT_EQ(S_OK, model.Load(zdroj, true));
    ASSERT_EQ(S_OK, model.SelectFrame(1));
    const std::wstring cil = slozka.File(L"ctvrty.png");
    EXPECT_TRUE(ObslouzitDialog([&] { OnSaveFrame(hostitel, &model, 4); }, Scenar{cil}));
    COLORREF barva = 0;
    ASSERT_TRUE(DecodedPixel(cil, 0, 15, 10, barva));
    EXPECT_LE(ColourDistance(FrameColour(4), barva), 2);

    const std::wstring zadny = slozka.File(L"neni.png");
    EXPECT_TRUE(ObslouzitDialog([&] { OnSaveFrame(hostitel, &model, 6); }, Scenar{zadny}));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(zadny.c_str())) << "a frame the model lacks saves nothing";
}
