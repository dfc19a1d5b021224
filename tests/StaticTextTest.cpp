// The owner-drawn static text: taking a dialog's static over and handing it back, its font
// and style, and what it paints, read back from the control itself.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/ChildModes.h"
#include "tests/KresleniPrvku.h"
#include "tests/PomocnikK1.h"
#include "tests/TestSupport.h"
#include "tests/winlib_test_resource.h"
#include "tests/PrazdnaOkna.h"
#include "winlib/Chyby.h"
#include "winlib/StaticNadpis.h"

using PomocnikK1::ProcOf;
using Tarnel::WinApi::MessageHandler;
using Tarnel::WinApi::StaticText;

namespace {

constexpr COLORREF kBila = RGB(255, 255, 255);
constexpr COLORREF kTmaveCervena = RGB(0x80, 0, 0);

bool PismoExistuje(HFONT pismo) { return GetObjectType(pismo) == OBJ_FONT; }

LOGFONTW Popis(HFONT pismo)
{
    LOGFONTW popis{};
    GetObjectW(pismo, sizeof popis, &popis);
    return popis;
}

class StaticTextTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, rodic.Create(nullptr));
        SetWindowPos(rodic, nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        popisek = GetDlgItem(rodic, IDC_WINLIB_POPISEK);
        ASSERT_NE(nullptr, popisek);
        vlastniProcedura = ProcOf(popisek);
    }
    // Another static of the dialog's font, at the given place and in the given style.
    HWND PridatStatic(const wchar_t* text, DWORD styl, int y)
    {
        HWND prvek = CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | styl, 10, y, 180, 30, rodic, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
        SendMessageW(prvek, WM_SETFONT, SendMessageW(popisek, WM_GETFONT, 0, 0), FALSE);
        return prvek;
    }

    PrazdnyDialog rodic{IDD_WINLIB_TEST}; // modeless and shown: it reflects what it leaves alone
    HWND popisek = nullptr;
    WNDPROC vlastniProcedura = nullptr;
};

TEST_F(StaticTextTest, AttachingGivesTheHeadingLookAndDetachingHandsTheControlBack)
{
    const LOGFONTW dialogove = Popis(reinterpret_cast<HFONT>(SendMessageW(popisek, WM_GETFONT, 0, 0)));
    const LONG stylPred = GetWindowLongW(popisek, GWL_STYLE);
    {
        Knihovna::StaticNadpis nadpis;
        nadpis.Pripojit(popisek);
        EXPECT_EQ(popisek, nadpis.Handle());
        EXPECT_EQ(&nadpis, MessageHandler::FromHandle(popisek));
        EXPECT_NE(vlastniProcedura, ProcOf(popisek));
        EXPECT_EQ(kTmaveCervena, nadpis.barvaTextu);
        EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), nadpis.stetecPozadi);
        EXPECT_FALSE(nadpis.vlastniOkno);
        EXPECT_EQ(StaticText::Vlevo, nadpis.zarovnani);

        const LONG styl = GetWindowLongW(popisek, GWL_STYLE);
        EXPECT_EQ(SS_OWNERDRAW | SS_NOTIFY, styl & (SS_TYPEMASK | SS_NOTIFY));
        EXPECT_EQ(stylPred & ~(SS_TYPEMASK | SS_NOTIFY), styl & ~(SS_TYPEMASK | SS_NOTIFY)) << "nothing else changes";

        // The dialog's font, 20 pixels high; the face and everything else stay.
        ASSERT_TRUE(PismoExistuje(nadpis.Pismo()));
        const LOGFONTW popis = Popis(nadpis.Pismo());
        EXPECT_EQ(-20, popis.lfHeight);
        EXPECT_STREQ(dialogove.lfFaceName, popis.lfFaceName);
        EXPECT_EQ(dialogove.lfWeight, popis.lfWeight);
        EXPECT_EQ(dialogove.lfCharSet, popis.lfCharSet);
        EXPECT_EQ(dialogove.lfItalic, popis.lfItalic);

        const HFONT pismo = nadpis.Pismo();
        nadpis.Odpojit();
        EXPECT_EQ(nullptr, nadpis.Handle());
        EXPECT_EQ(nullptr, MessageHandler::FromHandle(popisek));
        EXPECT_EQ(vlastniProcedura, ProcOf(popisek));
        EXPECT_EQ(nullptr, nadpis.Pismo());
        EXPECT_FALSE(PismoExistuje(pismo)) << "the object's font is deleted";
        EXPECT_TRUE(IsWindow(popisek)) << "a control it does not own stays";

        nadpis.Pripojit(popisek);
    }
    // The destructor detaches too.
    EXPECT_EQ(vlastniProcedura, ProcOf(popisek));
    EXPECT_EQ(nullptr, MessageHandler::FromHandle(popisek));
}

TEST_F(StaticTextTest, AttachingTheSameObjectAgainFirstHandsThePreviousControlBack)
{
    Knihovna::StaticNadpis nadpis;
    nadpis.Pripojit(popisek);
    const WNDPROC nase = ProcOf(popisek);
    HFONT prvni = nadpis.Pismo();
    nadpis.barvaTextu = RGB(0, 0, 255);

    // The same control again: attached afresh, with a font of its own and the look reset.
    nadpis.Pripojit(popisek);
    EXPECT_EQ(popisek, nadpis.Handle());
    EXPECT_EQ(nase, ProcOf(popisek));
    EXPECT_EQ(&nadpis, MessageHandler::FromHandle(popisek));
    EXPECT_FALSE(PismoExistuje(prvni));
    ASSERT_TRUE(PismoExistuje(nadpis.Pismo()));
    EXPECT_EQ(-20, Popis(nadpis.Pismo()).lfHeight) << "not the previous font made smaller or larger";
    EXPECT_EQ(kTmaveCervena, nadpis.barvaTextu);
    const auto volani = KresleniPrvku::ZaznamenatText(popisek);
    ASSERT_EQ(1u, volani.size()) << "still painted by the object";
    EXPECT_EQ(kTmaveCervena, volani[0].barva);

    // Another control: the first one gets its own procedure back.
    HWND druhy = PridatStatic(L"druhý", SS_LEFT, 40);
    const WNDPROC druhyVlastni = ProcOf(druhy);
    prvni = nadpis.Pismo();
    nadpis.Pripojit(druhy);
    EXPECT_EQ(vlastniProcedura, ProcOf(popisek));
    EXPECT_EQ(nullptr, MessageHandler::FromHandle(popisek));
    EXPECT_EQ(druhy, nadpis.Handle());
    EXPECT_EQ(&nadpis, MessageHandler::FromHandle(druhy));
    EXPECT_FALSE(PismoExistuje(prvni));
    nadpis.Odpojit();
    EXPECT_EQ(druhyVlastni, ProcOf(druhy));
}

TEST_F(StaticTextTest, ControlSubclassedByAnotherIsLeftAloneOnDetaching)
{
    Knihovna::StaticNadpis nadpis;
    nadpis.Pripojit(popisek);
    PomocnikK1::Cizi::Nainstalovat(popisek);

    nadpis.Odpojit();
    EXPECT_EQ(&PomocnikK1::Cizi::Procedura, ProcOf(popisek)) << "the other procedure stays installed";
    EXPECT_EQ(popisek, nadpis.Handle()) << "and the object stays attached under it";
    EXPECT_EQ(nullptr, nadpis.Pismo()) << "the font goes all the same";

    // Once the other has taken itself off, detaching works.
    PomocnikK1::Cizi::Odebrat(popisek);
    nadpis.Odpojit();
    EXPECT_EQ(nullptr, nadpis.Handle());
    EXPECT_EQ(vlastniProcedura, ProcOf(popisek));
}

TEST_F(StaticTextTest, DestroyedControlTakesTheFontAndTheBindingWithIt)
{
    Knihovna::StaticNadpis nadpis;
    HWND prvek = PridatStatic(L"pryč", SS_LEFT, 40);
    nadpis.Pripojit(prvek);
    const HFONT pismo = nadpis.Pismo();
    ASSERT_TRUE(DestroyWindow(prvek));
    EXPECT_EQ(nullptr, nadpis.Handle());
    EXPECT_EQ(nullptr, nadpis.Pismo());
    EXPECT_FALSE(PismoExistuje(pismo));

    // An owned control is destroyed on detaching instead of handed back.
    prvek = PridatStatic(L"vlastní", SS_LEFT, 40);
    nadpis.Pripojit(prvek);
    nadpis.vlastniOkno = true;
    nadpis.Odpojit();
    EXPECT_FALSE(IsWindow(prvek));
    EXPECT_EQ(nullptr, nadpis.Handle());
}

TEST_F(StaticTextTest, PaintsItsTextInItsColourFontAndAlignmentAndRestoresThePreviousFont)
{
    HWND prvek = PridatStatic(L"Animora", SS_RIGHT, 40);
    Knihovna::StaticNadpis nadpis;
    nadpis.Pripojit(prvek);
    // A right-aligned static's type is replaced: combined with owner drawing's it would make a
    // metafile static, which nobody paints.
    EXPECT_EQ(SS_OWNERDRAW | SS_NOTIFY, GetWindowLongW(prvek, GWL_STYLE) & (SS_TYPEMASK | SS_NOTIFY));
    nadpis.NastavitPismo(L"Verdana");
    nadpis.stetecPozadi = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));

    auto volani = KresleniPrvku::ZaznamenatText(prvek);
    ASSERT_EQ(1u, volani.size());
    EXPECT_EQ(L"Animora", volani[0].text);
    EXPECT_EQ(kTmaveCervena, volani[0].barva);
    ASSERT_TRUE(volani[0].pismoZnamo);
    EXPECT_STREQ(L"Verdana", volani[0].pismo.lfFaceName);
    EXPECT_EQ(-20, volani[0].pismo.lfHeight);
    // The font that was selected before the object's own is selected back after the text.
    ASSERT_GE(volani[0].vyberyPred.size(), 2u);
    ASSERT_FALSE(volani[0].vyberyPo.empty());
    EXPECT_EQ(volani[0].vyberyPred[volani[0].vyberyPred.size() - 2], volani[0].vyberyPo.front());

    // Left, centred and right: the text's ink moves across the control.
    RECT klient{};
    GetClientRect(prvek, &klient);
    LONG leve[3] = {};
    LONG prave[3] = {};
    for (int zarovnani : {StaticText::Vlevo, StaticText::NaStred, StaticText::Vpravo}) {
        SCOPED_TRACE(zarovnani);
        nadpis.zarovnani = zarovnani;
        auto platno = KresleniPrvku::Vytisknout(prvek, RGB(0, 255, 0));
        EXPECT_EQ(0, platno->Count(RGB(0, 255, 0), klient)) << "the whole item is filled";
        const RECT inkoust = platno->BoundsOfOther(kBila, klient);
        ASSERT_LT(inkoust.left, inkoust.right);
        EXPECT_LT(inkoust.top, 6) << "at the top";
        EXPECT_EQ(0, KresleniPrvku::CiziPixely(*platno, kBila, kTmaveCervena, klient));
        EXPECT_GT(platno->Count(kTmaveCervena, klient), 0);
        leve[zarovnani] = inkoust.left;
        prave[zarovnani] = klient.right - inkoust.right;
    }
    EXPECT_LT(leve[0], 4);
    EXPECT_LT(prave[2], 4);
    EXPECT_LE(std::abs(leve[1] - prave[1]), 3);
}

TEST_F(StaticTextTest, NewWindowTextIsPaintedThroughTheOwnerDrawing)
{
    HWND prvek = PridatStatic(L"A", SS_LEFT, 40);
    Knihovna::StaticNadpis nadpis;
    nadpis.Pripojit(prvek);
    nadpis.stetecPozadi = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    UpdateWindow(prvek);
    ValidateRect(prvek, nullptr);

    // The static repaints a new text at once (or asks for it); either way the screen shows it.
    SetWindowTextW(prvek, L"Nový nadpis");
    UpdateWindow(prvek);
    RECT klient{};
    GetClientRect(prvek, &klient);
    auto obrazovka = KresleniPrvku::ZObrazovky(prvek);
    auto tisk = KresleniPrvku::Vytisknout(prvek, RGB(0, 255, 0));
    EXPECT_GT(obrazovka->Count(kTmaveCervena, klient), tisk->Count(kTmaveCervena, klient) / 2);
    EXPECT_EQ(0, KresleniPrvku::CiziPixely(*obrazovka, kBila, kTmaveCervena, klient));
    const RECT inkoust = obrazovka->BoundsOfOther(kBila, klient);
    EXPECT_GT(inkoust.right - inkoust.left, 60) << "the whole new text, not the one letter";
}

// The child's fatal report, when it shows: its text, read before OK is pressed.
struct Hlaseni {
    bool zobrazeno = false;
    std::wstring text;
    DWORD kodUkonceni = 0;
};

Hlaseni SpustitAOdkliknout(const std::wstring& argument)
{
    Hlaseni hlaseni;
    ChildProcess potomek;
    EXPECT_TRUE(StartChild(L"heading-face", argument, potomek));
    const ULONGLONG konec = GetTickCount64() + 15000;
    HWND okno = nullptr;
    while (!okno && GetTickCount64() < konec && WaitForSingleObject(potomek.process, 20) == WAIT_TIMEOUT) {
        // The child's first visible dialog.
        while ((okno = FindWindowExW(nullptr, okno, L"#32770", nullptr)) != nullptr) {
            DWORD proces = 0;
            GetWindowThreadProcessId(okno, &proces);
            if (proces == potomek.id && IsWindowVisible(okno)) break;
        }
    }
    if (okno) {
        hlaseni.zobrazeno = true;
        wchar_t text[2048] = L"";
        GetWindowTextW(GetDlgItem(okno, 0xFFFF), text, 2048);
        hlaseni.text = text;
        PostMessageW(GetDlgItem(okno, IDOK), BM_CLICK, 0, 0);
    }
    hlaseni.kodUkonceni = potomek.WaitForExit(15000);
    return hlaseni;
}

TEST(StaticTextFatal, FaceNamesWithoutRoomOrTooShortAndAMissingControlEndTheProgram)
{
    struct Pripad {
        const wchar_t* argument;
        HRESULT chyba;
    };
    for (const Pripad& p : {Pripad{L"1", E_INVALIDARG}, Pripad{L"32", HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER)},
                            Pripad{L"detached", E_HANDLE}}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(p.argument)));
        const Hlaseni hlaseni = SpustitAOdkliknout(p.argument);
        ASSERT_TRUE(hlaseni.zobrazeno) << "a fatal report";
        EXPECT_NE(std::wstring::npos, hlaseni.text.find(L"\n\n" + PomocnikK1::SystemText(p.chyba) + L"\n\n")) << hlaseni.text;
        EXPECT_EQ(0xFFFFFFFFu, hlaseni.kodUkonceni);
    }
    const Hlaseni prijato = SpustitAOdkliknout(L"31");
    EXPECT_FALSE(prijato.zobrazeno);
    EXPECT_EQ(0u, prijato.kodUkonceni) << "31 characters fit and are the font's face";
}

} // namespace
