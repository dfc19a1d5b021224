// What the main window shows between its bars: the fitted frame (read back from the
// window's pixels) and the frames list view with its owner-drawn rows.
#include "app/Aplikace.h"
#include "image/GifAnimace.h"
#include "resources/resource.h"
#include "tests/OknoHlavniTest.h"
#include "tests/PomocnikK2.h"
#include "tests/PrehledFramesTest.h"
#include "tests/TestSupport.h"

using namespace GifFixtures;

namespace {

using PomocnikK2::PixelOkna;

// The middle of the room between the bars, in client coordinates.
POINT StredPlochy(HWND okno, HWND rebar, HWND lista)
{
    const RECT plocha = PomocnikK2::Plocha(okno, rebar, lista);
    return POINT{plocha.right / 2, (plocha.top + plocha.bottom) / 2};
}

} // namespace

// ---- the animation view -------------------------------------------------------------------

TEST_F(OknoHlavniTest, PaintShowsTheActiveFrameCentredBetweenTheBars)
{
    Vytvorit();
    okno->OtevritSoubor(Gif(L"barvy.gif", Animation(40, 30, 3, {500, 500, 500})), false);
    const POINT stred = StredPlochy(Okno(), Rebar(), StavovaLista());
    EXPECT_LE(ColourDistance(FrameColour(0), PixelOkna(Okno(), stred.x, stred.y)), 2);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), PixelOkna(Okno(), stred.x - 30, stred.y)) << "window colour around it";
    EXPECT_LE(ColourDistance(FrameColour(0), PixelOkna(Okno(), stred.x - 19, stred.y - 14)), 2) << "natural size";
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), PixelOkna(Okno(), stred.x - 22, stred.y - 17));

    Prikaz(ID_ANIMACE_KROKVPRED);
    EXPECT_LE(ColourDistance(FrameColour(1), PixelOkna(Okno(), stred.x, stred.y)), 2) << "the step shows at once";
    Prikaz(ID_ANIMACE_ZASTAVIT);
    EXPECT_LE(ColourDistance(FrameColour(0), PixelOkna(Okno(), stred.x, stred.y)), 2) << "back at the first frame";
}

TEST_F(OknoHlavniTest, EmptyWindowErasesToTheWorkspaceColourAndAnImageWindowDoesNotErase)
{
    Vytvorit();
    HDC dc = GetDC(Okno());
    EXPECT_NE(0, SendMessageW(Okno(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0)) << "empty: erased";
    okno->OtevritSoubor(Gif(L"obraz.gif", Still(60, 60, FrameColour(4))), true);
    EXPECT_EQ(0, SendMessageW(Okno(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0));
    ReleaseDC(Okno(), dc);
    const POINT stred = StredPlochy(Okno(), Rebar(), StavovaLista());
    EXPECT_LE(ColourDistance(FrameColour(4), PixelOkna(Okno(), stred.x, stred.y)), 2);
    Prikaz(ID_SOUBOR_ZAVRIT);
    EXPECT_EQ(GetSysColor(COLOR_APPWORKSPACE), PixelOkna(Okno(), stred.x, stred.y));
}

// ---- the frames list view -----------------------------------------------------------------

TEST_F(OknoHlavniTest, FramesListPausesAndListsEveryFrame)
{
    VytvoritSAnimaci(12);
    Tik();
    Tik();
    Prikaz(ID_ZOBRAZIT_PREHLEDSNIMKU);
    TestSupport::PumpMessages();
    HWND seznam = Seznam();
    ASSERT_NE(nullptr, seznam);
    EXPECT_EQ(static_cast<int>(ID_SEZNAM_SNIMKU), GetDlgCtrlID(seznam));
    // Rows of their own height drawn by the window, which hears of every selection, in a list
    // that fills exactly the room it is given.
    constexpr DWORD kRadky = LBS_OWNERDRAWVARIABLE | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    EXPECT_EQ(kRadky, static_cast<DWORD>(GetWindowLongPtrW(seznam, GWL_STYLE)) & kRadky);
    EXPECT_EQ(reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)), SendMessageW(seznam, WM_GETFONT, 0, 0));
    ASSERT_EQ(12, SendMessageW(seznam, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < 12; ++i) EXPECT_EQ(i, SendMessageW(seznam, LB_GETITEMDATA, static_cast<WPARAM>(i), 0));
    EXPECT_EQ(0, SendMessageW(seznam, LB_GETCURSEL, 0, 0));
    EXPECT_EQ(16, SendMessageW(seznam, LB_GETITEMHEIGHT, 0, 0)) << "rows as tall as the image";

    OcekavatStav(Stav::Pozastaveno, "frames list");
    EXPECT_EQ(2, okno->Snimek()) << "the playback frame is kept";

    Prikaz(ID_ZOBRAZIT_PREHLEDSNIMKU); // again: filled anew, still one list
    EXPECT_EQ(seznam, Seznam());
    EXPECT_EQ(12, SendMessageW(seznam, LB_GETCOUNT, 0, 0));
}

TEST_F(OknoHlavniTest, BackToTheAnimationResumesFromThePausedFrame)
{
    VytvoritSAnimaci(4);
    Tik();
    Prikaz(ID_ZOBRAZIT_PREHLEDSNIMKU);
    Prikaz(ID_ZOBRAZIT_ANIMACI);
    TestSupport::PumpMessages();
    EXPECT_EQ(nullptr, Seznam());
    OcekavatStav(Stav::Prehrava, "back to the animation");
    EXPECT_EQ(1, okno->Snimek());
    EXPECT_EQ(5100u, okno->intervaly.back());

    Prikaz(ID_ANIMACE_PRERUSIT);
    Prikaz(ID_ZOBRAZIT_ANIMACI); // also without the list, a paused animation plays on
    OcekavatStav(Stav::Prehrava, "animation view while paused");
    EXPECT_EQ(1, okno->Snimek());
}

TEST_F(OknoHlavniTest, ViewCommandsWithoutAFileDoNothing)
{
    Vytvorit();
    for (UINT prikaz : {ID_ZOBRAZIT_PREHLEDSNIMKU, ID_ZOBRAZIT_ANIMACI}) {
        Prikaz(prikaz);
        TestSupport::PumpMessages();
        EXPECT_EQ(nullptr, Seznam()) << prikaz;
    }
    OcekavatStav(Stav::Prazdny, "view commands without a file");
}

TEST_F(OknoHlavniTest, OpeningOrClosingLeavesTheFramesList)
{
    VytvoritSAnimaci(4);
    Prikaz(ID_ZOBRAZIT_PREHLEDSNIMKU);
    ASSERT_NE(nullptr, Seznam());
    okno->OtevritSoubor(PomalaAnimace(3), true);
    EXPECT_EQ(nullptr, Seznam());
    OcekavatStav(Stav::Prehrava, "new file");

    Prikaz(ID_ZOBRAZIT_PREHLEDSNIMKU);
    ASSERT_NE(nullptr, Seznam());
    Prikaz(ID_SOUBOR_ZAVRIT);
    EXPECT_EQ(nullptr, Seznam());
    OcekavatStav(Stav::Prazdny, "closed from the list");
}

TEST_F(OknoHlavniTest, RowsShowTheirOwnFramesWithTheSelectionHighlightedAndAtMost255High)
{
    Vytvorit();
    okno->OtevritSoubor(Gif(L"radky.gif", Animation(30, 20, 4, {500, 500, 500, 500})), false);
    Prikaz(ID_ZOBRAZIT_PREHLEDSNIMKU);
    TestSupport::PumpMessages();
    HWND seznam = Seznam();
    ASSERT_NE(nullptr, seznam);
    RECT klient{};
    GetClientRect(seznam, &klient);
    Canvas platno(klient.right, klient.bottom, RGB(1, 2, 3));
    SendMessageW(seznam, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(platno.Dc()), PRF_CLIENT | PRF_ERASEBKGND);

    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        RECT radek{};
        ASSERT_NE(LB_ERR, SendMessageW(seznam, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&radek)));
        EXPECT_EQ(20, radek.bottom - radek.top);
        const int stred = (radek.left + radek.right) / 2;
        const int y = (radek.top + radek.bottom) / 2;
        EXPECT_LE(ColourDistance(FrameColour(i), platno.Pixel(stred, y)), 2) << "row shows its frame";
        const COLORREF pozadi = i == 0 ? GetSysColor(COLOR_HIGHLIGHT) : GetSysColor(COLOR_WINDOW);
        EXPECT_EQ(pozadi, platno.Pixel(radek.left + 2, y)) << "background beside the frame";
    }

    // Rows of a tall image are capped at the highest a list row can be.
    okno->OtevritSoubor(Gif(L"vysoka.gif", Animation(20, 400, 3, {500, 500, 500})), false);
    Prikaz(ID_ZOBRAZIT_PREHLEDSNIMKU);
    ASSERT_NE(nullptr, Seznam());
    for (int i = 0; i < 3; ++i) EXPECT_EQ(255, SendMessageW(Seznam(), LB_GETITEMHEIGHT, static_cast<WPARAM>(i), 0));
}

// ---- saving the frame on screen ---------------------------------------------------------------

TEST_F(OknoHlavniTest, SavingOverTheOpenFileShowsTheFileAsItNowIs)
{
    // An animation named .png (the decoder goes by the content), so that the save dialog, which
    // offers PNG, keeps the typed name and asks before overwriting.
    const std::wstring cesta = Gif(L"prepsany.png", Animation(30, 20, 6, {200}));
    Vytvorit(cesta.c_str());
    Prikaz(ID_ANIMACE_PRERUSIT);
    Prikaz(ID_ANIMACE_KROKVPRED);
    Prikaz(ID_ANIMACE_KROKVPRED);
    Prikaz(ID_ZOBRAZIT_PREHLEDSNIMKU);
    ASSERT_EQ(6, SendMessageW(Seznam(), LB_GETCOUNT, 0, 0));

    ASSERT_TRUE(PrehledFrames::ObslouzitDialog([&] { Prikaz(ID_ANIMACE_ULOZITSNIMEK); },
                                               PrehledFrames::Scenar{cesta, IDYES}));
    EXPECT_EQ(L"prepsany.png - obsahuje snímků: 1, plná cesta: " + cesta, Cast(kCastInformace));
    EXPECT_EQ(1, SendMessageW(Seznam(), LB_GETCOUNT, 0, 0)) << "the list holds what the file now holds";
    EXPECT_EQ(0, okno->Snimek());
    OcekavatStav(Stav::Obrazek, "after the save over the open file");
}

TEST_F(OknoHlavniTest, SaveThatFailsTellsTheUserWhichFileAndWhy)
{
    Vytvorit(PomalaAnimace().c_str());
    Prikaz(ID_ANIMACE_PRERUSIT);
    const std::wstring cil = slozka.File(L"držený.png");
    const std::string obsah = "another program holds this file";
    ASSERT_TRUE(TestSupport::WriteBytes(cil, obsah.data(), obsah.size()));
    HANDLE drzeny = CreateFileW(cil.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, drzeny);

    PrehledFrames::Zprava zprava;
    PrehledFrames::ObslouzitDialog([&] { Prikaz(ID_ANIMACE_ULOZITSNIMEK); },
                                   PrehledFrames::Scenar{cil, IDYES, &zprava});
    CloseHandle(drzeny);
    ASSERT_TRUE(zprava.videna) << "a failed save says so";
    EXPECT_EQ(Okno(), zprava.vlastnik);
    const std::wstring uvod = L"Snímek se nepodařilo uložit do souboru „" + cil + L"“.\r\n\r\n";
    EXPECT_EQ(0u, zprava.text.find(uvod)) << testing::PrintToString(zprava.text);
    EXPECT_GT(zprava.text.size(), uvod.size()) << "with the system's reason";
    EXPECT_EQ(obsah, TestSupport::ReadBytes(cil));
    OcekavatStav(Stav::Pozastaveno, "nothing else changes");
}
