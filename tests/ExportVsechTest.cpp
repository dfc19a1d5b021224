// Exporting every frame and the clipboard: the files' names and range, each file against the
// frame composed afresh, the table of delays, the question before overwriting, a write that
// fails half way, cancelling, the progress window's end, and what the clipboard holds.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "image/GifAnimace.h"
#include "image/GifDekoder.h"
#include "resources/resource_export.h"
#include "soubory/KlavesyExportu.h"
#include "soubory/OknoPrubehuExportu.h"
#include "soubory/PrikazExportu.h"
#include "soubory/Schranka.h"
#include "soubory/VystupSnimku.h"
#include "soubory/ZapisSnimku.h"
#include "tests/DialogDriver.h"
#include "tests/GifFixtures.h"
#include "tests/TestSupport.h"

using namespace GifFixtures;
using TestSupport::FilesIn;
using TestSupport::ReadBytes;
using TestSupport::ScratchDir;

namespace {

constexpr UINT16 kSirka = 12;
constexpr UINT16 kVyska = 10;

// Four frames as optimising encoders write them: a full first frame, then rectangles, one
// cleared after it is shown (disposal 2), one with transparent pixels restored (disposal 3).
GifRecipe Optimalizovana()
{
    GifRecipe recipe;
    recipe.width = kSirka;
    recipe.height = kVyska;
    const COLORREF cervena = RGB(204, 0, 0), modra = RGB(0, 0, 204), zelena = RGB(0, 153, 0);
    Frame prvni = OwnFrame(0, 0, kSirka, kVyska, std::vector<BYTE>(kSirka * kVyska, 0), {cervena, modra});
    prvni.delay = 7;
    Frame vymazany = OwnFrame(2, 2, 4, 4, std::vector<BYTE>(16, 1), {cervena, modra}, 2);
    vymazany.delay = 12;
    std::vector<BYTE> sachovnice(6 * 3);
    for (size_t i = 0; i < sachovnice.size(); ++i) sachovnice[i] = static_cast<BYTE>(i % 2);
    Frame obnoveny = OwnFrame(5, 5, 6, 3, sachovnice, {zelena, modra}, 3);
    obnoveny.transparentIndex = 1;
    obnoveny.delay = 0;
    Frame posledni = OwnFrame(0, 7, 3, 3, std::vector<BYTE>(9, 0), {zelena, modra});
    posledni.delay = 25;
    recipe.frames = {prvni, vymazany, obnoveny, posledni};
    return recipe;
}

// The frames as our decoder composes them from the file, alpha 0 pixels as 0.
std::vector<std::vector<uint32_t>> SlozeneSnimky(const std::wstring& gif)
{
    const std::string bajty = ReadBytes(gif);
    GifDekoder dekoder;
    EXPECT_EQ(GifDekoder::Otevreni::Otevreno, dekoder.Open(std::vector<uint8_t>(bajty.begin(), bajty.end())));
    std::vector<std::vector<uint32_t>> snimky;
    for (size_t i = 0; i < dekoder.FrameCount(); ++i) {
        const uint32_t* p = dekoder.Snimek(i);
        snimky.emplace_back(p, p + size_t{dekoder.Width()} * dekoder.Height());
    }
    return snimky;
}

uint32_t BezSkrytychBarev(uint32_t p) { return (p >> 24) == 0 ? 0 : p; }

uint32_t PresOkno(uint32_t p)
{
    const COLORREF c = GetSysColor(COLOR_WINDOW);
    const uint32_t podklad = 0xFF000000u | uint32_t{GetRValue(c)} << 16 | uint32_t{GetGValue(c)} << 8 | GetBValue(c);
    return (p >> 24) == 0 ? podklad : p;
}

// The pixels of an image file, decoded by the image library.
std::vector<uint32_t> PixelySouboru(const std::wstring& cesta)
{
    GifAnimace obraz;
    std::vector<uint32_t> pixely;
    if (SUCCEEDED(obraz.Load(cesta, true))) {
        EXPECT_EQ(S_OK, obraz.ActiveFramePixels(pixely));
    }
    return pixely;
}

struct Export : ::testing::Test {
    ZadaniExportu Zadani(FormatExportu format = FormatExportu::Png, RozsahSnimku rozsah = {1, 4}, bool zpozdeni = true)
    {
        ZadaniExportu z;
        z.soubor = gif;
        z.slozka = slozka.Path();
        z.format = format;
        z.rozsah = rozsah;
        z.zpozdeni = zpozdeni;
        z.pocetSnimku = 4;
        return z;
    }
    std::vector<std::wstring> Soubory() const
    {
        std::vector<std::wstring> jmena = FilesIn(slozka.Path());
        jmena.erase(std::remove(jmena.begin(), jmena.end(), L"anim.gif"), jmena.end());
        std::sort(jmena.begin(), jmena.end());
        return jmena;
    }

    ScratchDir slozka;
    std::wstring gif = [this] {
        const std::wstring cesta = slozka.File(L"anim.gif");
        EXPECT_TRUE(WriteGif(cesta, Optimalizovana()));
        return cesta;
    }();
};

const auto kVzdy = [](UINT, UINT) { return true; };

} // namespace

TEST(VystupSnimku, NamesDigitsRangesAndTheQuestion)
{
    struct {
        UINT pocet, cislo;
        const wchar_t* nazev;
    } const nazvy[] = {{9, 3, L"C:\\out\\a.b_3.png"}, {10, 3, L"C:\\out\\a.b_03.png"}, {120, 37, L"C:\\out\\a.b_037.png"},
                       {120, 120, L"C:\\out\\a.b_120.png"}, {1000, 1, L"C:\\out\\a.b_0001.png"}};
    for (const auto& n : nazvy) {
        ZadaniExportu z;
        z.soubor = L"D:\\gify\\a.b.gif";
        z.slozka = L"C:\\out";
        z.pocetSnimku = n.pocet;
        EXPECT_EQ(n.nazev, CestaSnimku(z, n.cislo)) << n.pocet << " frames";
    }

    struct {
        UINT od, po, pocet;
        bool platny;
    } const rozsahy[] = {{1, 4, 4, true}, {3, 3, 4, true}, {0, 2, 4, false}, {3, 2, 4, false}, {2, 5, 4, false}};
    for (const auto& r : rozsahy) EXPECT_EQ(r.platny, PlatnyRozsah(r.od, r.po, r.pocet).has_value()) << r.od << "-" << r.po;

    struct {
        UINT existujicich;
        const wchar_t* otazka;
    } const otazky[] = {{1, L"Přepsat 1 existující soubor?"},
                        {3, L"Přepsat 3 existující soubory?"},
                        {37, L"Přepsat 37 existujících souborů?"}};
    for (const auto& o : otazky) EXPECT_EQ(o.otazka, OtazkaPrepsani(o.existujicich));

    struct {
        UINT klavesa;
        bool ctrl, shift, alt;
        UINT prikaz;
    } const klavesy[] = {{'C', true, false, false, ID_ANIMACE_KOPIROVATSNIMEK},
                         {'C', true, true, false, ID_ANIMACE_KOPIROVATSOUBOR},
                         {'S', true, true, false, ID_ANIMACE_EXPORTOVATSNIMKY},
                         {'S', true, false, false, 0}, {'C', false, false, false, 0}, {'C', true, false, true, 0}};
    for (const auto& k : klavesy)
        EXPECT_EQ(k.prikaz, PrikazKlavesyExportu(k.klavesa, k.ctrl, k.shift, k.alt)) << char(k.klavesa);
}

TEST_F(Export, EveryFileIsTheComposedFrameWithAlphaOrOverTheWindowColour)
{
    const auto slozene = SlozeneSnimky(gif);
    ASSERT_EQ(4u, slozene.size());
    struct {
        FormatExportu format;
        uint32_t (*ocekavany)(uint32_t);
    } const formaty[] = {{FormatExportu::Png, BezSkrytychBarev}, {FormatExportu::Bmp, PresOkno}};
    for (const auto& f : formaty) {
        const ZadaniExportu zadani = Zadani(f.format, {1, 4}, false);
        const VysledekExportu v = ExportovatSnimky(zadani, GetSysColor(COLOR_WINDOW), kVzdy);
        ASSERT_EQ(S_OK, v.chyba);
        EXPECT_EQ(4u, v.zapsano);
        for (UINT i = 0; i < 4; ++i) {
            std::vector<uint32_t> ocekavane = slozene[i];
            std::transform(ocekavane.begin(), ocekavane.end(), ocekavane.begin(), f.ocekavany);
            std::vector<uint32_t> zapsane = PixelySouboru(CestaSnimku(zadani, i + 1));
            std::transform(zapsane.begin(), zapsane.end(), zapsane.begin(), BezSkrytychBarev);
            EXPECT_EQ(ocekavane, zapsane) << Popis(f.format).pripona << " frame " << i + 1;
        }
    }
    // Frame 3 shows the cleared rectangle of frame 2: the fixture does test transparency.
    EXPECT_EQ(0u, slozene[2][3 * kSirka + 3] >> 24);
}

TEST_F(Export, ARangeWritesItsFramesByTheirNumbersAndTheirRows)
{
    const VysledekExportu v = ExportovatSnimky(Zadani(FormatExportu::Png, {2, 4}), 0, kVzdy);
    ASSERT_EQ(S_OK, v.chyba);
    EXPECT_EQ(4u, v.zapsano);
    EXPECT_EQ((std::vector<std::wstring>{L"anim_2.png", L"anim_3.png", L"anim_4.png", L"anim_snimky.csv"}), Soubory());
    EXPECT_EQ("\xEF\xBB\xBF" + std::string(u8"snímek,zpoždění_ms,x,y,šířka,výška,likvidace\r\n") +
                  "2,120,2,2,4,4,2\r\n"
                  "3,0,5,5,6,3,3\r\n"
                  "4,250,0,7,3,3,1\r\n",
              ReadBytes(slozka.File(L"anim_snimky.csv")));
}

TEST_F(Export, AWriteThatFailsStopsAndKeepsWhatWasWritten)
{
    // A folder under the third file's name: that file cannot take its place.
    const std::wstring prekazka = slozka.File(L"anim_3.png");
    ASSERT_TRUE(CreateDirectoryW(prekazka.c_str(), nullptr));
    const VysledekExportu v = ExportovatSnimky(Zadani(FormatExportu::Png, {1, 4}, false), 0, kVzdy);
    RemoveDirectoryW(prekazka.c_str());
    EXPECT_TRUE(FAILED(v.chyba));
    EXPECT_EQ(prekazka, v.soubor);
    EXPECT_EQ(2u, v.zapsano);
    EXPECT_EQ((std::vector<std::wstring>{L"anim_1.png", L"anim_2.png"}), Soubory()) << "no temporary file is left";
    const std::wstring zprava = TextSelhaniExportu(v);
    EXPECT_NE(std::wstring::npos, zprava.find(prekazka)) << zprava;
    EXPECT_NE(std::wstring::npos, zprava.find(L"zůstávají: 2.")) << zprava;
}

TEST_F(Export, CancelStopsBeforeTheNextFrame)
{
    const VysledekExportu v =
        ExportovatSnimky(Zadani(FormatExportu::Bmp, {1, 4}, false), 0, [](UINT hotovo, UINT) { return hotovo < 2; });
    EXPECT_TRUE(v.zruseno);
    EXPECT_EQ(S_OK, v.chyba);
    EXPECT_EQ(2u, v.zapsano);
    EXPECT_EQ((std::vector<std::wstring>{L"anim_1.bmp", L"anim_2.bmp"}), Soubory());
}

TEST_F(Export, ExistingTargetsAreAskedForOnceAndNoLeavesThemAsTheyWere)
{
    TestSupport::OwnerWindow vlastnik;
    for (const wchar_t* nazev : {L"anim_2.png", L"anim_snimky.csv"})
        ASSERT_TRUE(TestSupport::WriteBytes(slozka.File(nazev), "mine", 4));
    for (const int odpoved : {IDNO, IDYES}) {
        std::wstring otazka;
        HWND prubeh = nullptr;
        const size_t kroku = DialogDriver::Behem(
            [&] { prubeh = SpustitExportSnimku(vlastnik.Get(), gif, 4); },
            {DialogDriver::VDialogu(vlastnik.Get(), [](HWND d) { DialogDriver::Click(d, IDOK); }, false),
             {[&] {
                  HWND d = DialogDriver::FindDialog(GetCurrentThreadId(), vlastnik.Get());
                  return d && GetDlgItem(d, 0xFFFF) ? d : nullptr;
              },
              [&](HWND box) {
                  otazka = DialogDriver::TextOf(GetDlgItem(box, 0xFFFF));
                  DialogDriver::Click(box, odpoved);
              }}});
        EXPECT_EQ(2u, kroku);
        EXPECT_EQ(L"Přepsat 2 existující soubory?", otazka);
        if (odpoved == IDNO) {
            EXPECT_EQ(nullptr, prubeh);
            EXPECT_EQ("mine", ReadBytes(slozka.File(L"anim_2.png")));
            EXPECT_EQ((std::vector<std::wstring>{L"anim_2.png", L"anim_snimky.csv"}), Soubory());
            continue;
        }
        ASSERT_NE(nullptr, prubeh);
        HWND hotovo = GetDlgItem(prubeh, IDC_PRUBEH_HOTOVO);
        ASSERT_TRUE(TestSupport::PumpUntil([&] { return !DialogDriver::TextOf(hotovo).empty(); }, 30000));
        EXPECT_EQ(L"Snímek 4 ze 4", DialogDriver::TextOf(GetDlgItem(prubeh, IDC_PRUBEH_TEXT)));
        EXPECT_NE(std::wstring::npos, DialogDriver::TextOf(hotovo).find(L"Hotovo. Zapsané soubory: 5"));
        EXPECT_EQ(SlozeneSnimky(gif)[1].size(), PixelySouboru(slozka.File(L"anim_2.png")).size());
        SendMessageW(prubeh, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        EXPECT_FALSE(IsWindow(prubeh)) << "Zavřít closes the finished export's window";
    }
}

TEST_F(Export, TheClipboardHoldsTheFrameAsDibWithAlphaAndPngAndTheFileAsADrop)
{
    TestSupport::OwnerWindow vlastnik;
    GifAnimace model;
    ASSERT_EQ(S_OK, model.Load(gif, true));
    ASSERT_EQ(S_OK, KopirovatSnimek(vlastnik.Get(), model, 2));
    std::vector<uint32_t> slozeny = SlozeneSnimky(gif)[2];
    const COLORREF okno = GetSysColor(COLOR_WINDOW);
    std::string png;
    {
        ASSERT_TRUE(OpenClipboard(nullptr));
        HGLOBAL dib = GetClipboardData(CF_DIBV5);
        HGLOBAL obsahPng = GetClipboardData(RegisterClipboardFormatW(L"PNG"));
        ASSERT_TRUE(dib && obsahPng);
        const auto* hlavicka = static_cast<const BITMAPV5HEADER*>(GlobalLock(dib));
        EXPECT_EQ(kSirka, hlavicka->bV5Width);
        EXPECT_EQ(kVyska, hlavicka->bV5Height) << "bottom-up";
        EXPECT_EQ(0xFF000000u, hlavicka->bV5AlphaMask);
        const auto* pixely = reinterpret_cast<const uint32_t*>(hlavicka + 1);
        for (int y = 0; y < kVyska; ++y)
            for (int x = 0; x < kSirka; ++x) {
                const uint32_t p = slozeny[y * kSirka + x];
                const uint32_t podklad = uint32_t{GetRValue(okno)} << 16 | uint32_t{GetGValue(okno)} << 8 | GetBValue(okno);
                const uint32_t ocekavany = (p >> 24) ? p : podklad;
                ASSERT_EQ(ocekavany, pixely[(kVyska - 1 - y) * kSirka + x]) << x << "," << y;
            }
        GlobalUnlock(dib);
        png.assign(static_cast<const char*>(GlobalLock(obsahPng)), GlobalSize(obsahPng));
        GlobalUnlock(obsahPng);
        CloseClipboard();
    }
    const std::wstring souborPng = slozka.File(L"schranka.png");
    ASSERT_TRUE(TestSupport::WriteBytes(souborPng, png.data(), png.size()));
    std::transform(slozeny.begin(), slozeny.end(), slozeny.begin(), BezSkrytychBarev);
    std::vector<uint32_t> zPng = PixelySouboru(souborPng);
    std::transform(zPng.begin(), zPng.end(), zPng.begin(), BezSkrytychBarev);
    EXPECT_EQ(slozeny, zPng) << "the PNG keeps the frame and its transparency";

    ASSERT_EQ(S_OK, KopirovatSoubor(vlastnik.Get(), gif));
    ASSERT_TRUE(OpenClipboard(nullptr));
    auto drop = static_cast<HDROP>(GetClipboardData(CF_HDROP));
    ASSERT_NE(nullptr, drop);
    wchar_t cesta[MAX_PATH] = {};
    EXPECT_EQ(1u, DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0));
    DragQueryFileW(drop, 0, cesta, MAX_PATH);
    CloseClipboard();
    EXPECT_EQ(gif, cesta);
}
