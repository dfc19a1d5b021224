// Files reaching the main window from outside: real drops, the Open and Save dialogs, and
// bad input of every kind (folders, undecodable and corrupt files, odd and long names).
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <functional>

#include "app/Aplikace.h"
#include "image/GifAnimace.h"
#include "resources/resource.h"
#include "tests/DialogDriver.h"
#include "tests/OknoHlavniTest.h"
#include "winlib/Cesta.h"

using namespace GifFixtures;

namespace {

// Works the common item dialog the command shows: types the path (or cancels when it is
// empty) from a helper thread; true when the dialog showed.
bool Vybrat(const std::function<void()>& prikaz, const std::wstring& cesta)
{
    const DWORD vlakno = GetCurrentThreadId();
    return ObsluhaDialogu::Obslouzit(prikaz, [&](HWND dialog) { DialogDriver::Choose(vlakno, dialog, {cesta}); });
}

} // namespace

// ---- drops --------------------------------------------------------------------------------

TEST_F(OknoHlavniTest, DroppedFileOpensAndPlays)
{
    Vytvorit();
    const std::wstring cesta = PomalaAnimace(4);
    Pustit({cesta});
    EXPECT_EQ(cesta, okno->CestaSouboru());
    OcekavatStav(Stav::Prehrava, "after the drop");
    EXPECT_EQ(L"1/4", Cast(kCastPocitadlo));
}

TEST_F(OknoHlavniTest, DropOfSeveralFilesOpensOnlyTheFirst)
{
    Vytvorit();
    const std::wstring prvni = Gif(L"prvni.gif", Still(10, 10, FrameColour(1)));
    const std::wstring druhy = PomalaAnimace(3);
    Pustit({prvni, druhy});
    EXPECT_EQ(prvni, okno->CestaSouboru());
    OcekavatStav(Stav::Obrazek, "first of two");
}

TEST_F(OknoHlavniTest, DropWhilePlayingReplacesTheFile)
{
    VytvoritSAnimaci(4);
    Tik();
    const std::wstring druhy = Gif(L"druhy.gif", Animation(16, 16, 2, {800, 800}));
    Pustit({druhy});
    EXPECT_EQ(druhy, okno->CestaSouboru());
    EXPECT_EQ(2, okno->zruseni) << "the old timer went first";
    EXPECT_EQ(L"1/2", Cast(kCastPocitadlo));
    EXPECT_EQ(8000u, okno->intervaly.back());
}

TEST_F(OknoHlavniTest, DropWithoutFilesIsFinishedAndChangesNothing)
{
    VytvoritSAnimaci();
    HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + 2 * sizeof(wchar_t));
    auto* hlavicka = static_cast<DROPFILES*>(GlobalLock(drop));
    hlavicka->pFiles = sizeof(DROPFILES);
    hlavicka->fWide = TRUE;
    GlobalUnlock(drop);
    EXPECT_EQ(0, SendMessageW(Okno(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0));
    OcekavatStav(Stav::Prehrava, "empty drop");
    // Finishing the drop frees its memory; an unfinished one would leak at every such drop.
    EXPECT_EQ(static_cast<UINT>(GMEM_INVALID_HANDLE), GlobalFlags(drop)) << "an empty drop is finished too";
}

TEST_F(OknoHlavniTest, DroppedFolderShowsNothingButRemembersThePath)
{
    VytvoritSAnimaci();
    Pustit({slozka.Path()});
    OcekavatStav(Stav::Prazdny, "folder dropped");
    EXPECT_EQ(slozka.Path(), okno->CestaSouboru());
    EXPECT_NE(nullptr, okno->Animace()) << "a model without an image";
    EXPECT_EQ(L"Animora - připraven", Cast(kCastInformace));
}

// ---- bad files ----------------------------------------------------------------------------

TEST_F(OknoHlavniTest, UndecodableAndCorruptFilesLeaveTheWindowEmpty)
{
    Vytvorit();
    const std::wstring nesmysl = slozka.File(L"nesmysl.gif");
    ASSERT_TRUE(TestSupport::WriteBytes(nesmysl, "toto neni obrazek", 17));
    const std::wstring prazdny = slozka.File(L"prazdny.gif");
    ASSERT_TRUE(TestSupport::WriteBytes(prazdny, "", 0));
    const std::string gif = EncodeGif(Animation(16, 16, 3, {500, 500, 500}));
    const std::wstring hlavicka = slozka.File(L"jen-hlavicka.gif");
    ASSERT_TRUE(TestSupport::WriteBytes(hlavicka, gif.data(), 13));

    for (const std::wstring& cesta :
         {nesmysl, prazdny, hlavicka, slozka.File(L"neexistuje.gif"), TestSupport::SharedGif(L"nsgif_afl-id000001.gif"),
          TestSupport::SharedGif(L"nsgif_afl-id000097.gif"), TestSupport::SharedGif(L"nsgif_lzwof.gif"),
          TestSupport::SharedGif(L"pillow_no_palette.gif"), TestSupport::SharedGif(L"imagegif_issue-117-out-of-range.gif")}) {
        SCOPED_TRACE(testing::PrintToString(cesta));
        okno->OtevritSoubor(PomalaAnimace(), true); // something playing before the bad file arrives
        Pustit({cesta});
        EXPECT_EQ(cesta, okno->CestaSouboru());
        if (okno->Animace() && okno->Animace()->HasImage()) {
            // Some broken files still decode in part; then they show like any other.
            EXPECT_NE(L"", Cast(kCastPocitadlo));
            EXPECT_EQ(0u, Cast(kCastInformace).find(Tarnel::WinApi::NazevSouboru(cesta) + L" - obsahuje snímků: "));
        } else {
            OcekavatStav(Stav::Prazdny, "bad file");
            EXPECT_EQ(L"Animora - připraven", Cast(kCastInformace));
        }
        Prikaz(ID_ZOBRAZIT_PREHLEDSNIMKU);
        Prikaz(ID_ZOBRAZIT_ANIMACI);
        Prikaz(ID_ANIMACE_KROKVPRED);
        Prikaz(ID_SOUBOR_ZAVRIT);
        OcekavatStav(Stav::Prazdny, "closed again");
    }
}

TEST_F(OknoHlavniTest, SharedCorpusOpensWithoutHarm)
{
    Vytvorit();
    WIN32_FIND_DATAW nalez{};
    HANDLE hledani = FindFirstFileW((TestSupport::SharedGifs() + L"\\*").c_str(), &nalez);
    ASSERT_NE(INVALID_HANDLE_VALUE, hledani);
    int otevreno = 0;
    do {
        if (nalez.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::wstring cesta = TestSupport::SharedGif(nalez.cFileName);
        SCOPED_TRACE(testing::PrintToString(cesta));
        okno->OtevritSoubor(cesta, true);
        const Podminky p = okno->AktualniPodminky();
        if (p.a) {
            Tik();
            Prikaz(ID_ANIMACE_PRERUSIT);
            Prikaz(ID_ANIMACE_KROKZPET);
            OcekavatStav(Stav::Pozastaveno, "animated file paused");
        } else if (p.l) {
            OcekavatStav(Stav::Obrazek, "still file");
        } else {
            OcekavatStav(Stav::Prazdny, "undecodable file");
        }
        ++otevreno;
    } while (FindNextFileW(hledani, &nalez));
    FindClose(hledani);
    EXPECT_GE(otevreno, 40);
}

TEST_F(OknoHlavniTest, NamesWithPercentSignsAndNonLatinLettersShowLiterally)
{
    Vytvorit();
    const std::wstring nazev = L"100%s %d %n %% žluťoučký kůň 日本 Ωμέγα.gif";
    const std::wstring cesta = Gif(nazev, Animation(16, 16, 2, {500, 500}));
    Pustit({cesta});
    ASSERT_TRUE(okno->AktualniPodminky().a);
    EXPECT_EQ(nazev + L" - obsahuje snímků: 2, plná cesta: " + cesta, Cast(kCastInformace));
    EXPECT_EQ(okno->TextStavu(), Cast(kCastInformace));
}

TEST_F(OknoHlavniTest, PathLongerThanMaxPathNeverBreaksTheWindow)
{
    Vytvorit();
    std::wstring cesta = slozka.Path();
    while (cesta.size() < 300) {
        cesta += L"\\dlouha-slozka-s-nazvem-do-delky";
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + cesta).c_str(), nullptr));
    }
    cesta += L"\\animace.gif";
    ASSERT_GT(cesta.size(), static_cast<size_t>(MAX_PATH));
    ASSERT_TRUE(WriteGif(L"\\\\?\\" + cesta, Animation(16, 16, 2, {500, 500})));

    Pustit({cesta});
    EXPECT_EQ(cesta, okno->CestaSouboru()) << "the whole path arrives through the drop";
    if (okno->AktualniPodminky().l) {
        EXPECT_EQ(L"animace.gif - obsahuje snímků: 2, plná cesta: " + cesta, Cast(kCastInformace));
        OcekavatStav(Stav::Prehrava, "long path opened");
    } else {
        OcekavatStav(Stav::Prazdny, "long path refused by the decoder");
        EXPECT_EQ(L"Animora - připraven", Cast(kCastInformace));
    }
}

// ---- dialogs ------------------------------------------------------------------------------

TEST_F(OknoHlavniTest, OpenCommandOpensTheChosenFile)
{
    Vytvorit();
    const std::wstring cesta = PomalaAnimace(3);
    EXPECT_TRUE(Vybrat([this] { Prikaz(ID_SOUBOR_OTEVRIT); }, cesta));
    EXPECT_EQ(0, lstrcmpiW(cesta.c_str(), okno->CestaSouboru().c_str()));
    OcekavatStav(Stav::Prehrava, "opened by the dialog");
}

TEST_F(OknoHlavniTest, CancelledOpenChangesNothing)
{
    Vytvorit();
    const std::wstring cesta = PomalaAnimace(3);
    okno->OtevritSoubor(cesta, true);
    EXPECT_TRUE(Vybrat([this] { Prikaz(ID_SOUBOR_OTEVRIT); }, L""));
    EXPECT_EQ(cesta, okno->CestaSouboru());
    EXPECT_EQ(1u, okno->intervaly.size()) << "the file was not opened again";
    OcekavatStav(Stav::Prehrava, "after cancelling");
}

TEST_F(OknoHlavniTest, SaveCommandWritesTheShownFrame)
{
    VytvoritSAnimaci(3, false);
    Prikaz(ID_ANIMACE_KROKVPRED);
    const std::wstring cil = slozka.File(L"snimek.png");
    EXPECT_TRUE(Vybrat([this] { Prikaz(ID_ANIMACE_ULOZITSNIMEK); }, cil));
    COLORREF barva = 0;
    ASSERT_TRUE(DecodedPixel(cil, 0, 8, 8, barva)) << "the frame was saved";
    EXPECT_LE(ColourDistance(FrameColour(1), barva), 2) << "the frame on screen, not the first";
}

TEST_F(OknoHlavniTest, SaveWithoutAFileDoesNothing)
{
    Vytvorit();
    Prikaz(ID_ANIMACE_ULOZITSNIMEK); // no dialog may appear: it would block here
    OcekavatStav(Stav::Prazdny, "save without a file");
}
