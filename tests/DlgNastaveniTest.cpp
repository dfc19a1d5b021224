// The settings dialog for real: it runs modally on the test thread while a helper thread
// works it as a user would; what it stores is read back from the (scratch) registry.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "app/Aplikace.h"
#include "resources/resource.h"
#include "settings/DlgNastaveni.h"
#include "settings/Nastaveni.h"
#include "tests/DialogDriver.h"
#include "tests/DialogyTest.h"

using namespace Uzivatel;

namespace {

// The dialog with the shell left out: what the link would open is only noted.
class NastaveniBezProhlizece : public DlgNastaveni {
public:
    std::vector<std::wstring> adresy;
    std::vector<int> zobrazeni;

protected:
    void OtevritAdresu(const wchar_t* adresa, int jak) override
    {
        adresy.push_back(adresa);
        zobrazeni.push_back(jak);
    }
};

// Moves the focus as the Tab key would put it on the control, and waits until it is there.
void Zamerit(HWND dialog, HWND prvek)
{
    PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(prvek), TRUE);
    const DWORD vlakno = GetWindowThreadProcessId(dialog, nullptr);
    const ULONGLONG konec = GetTickCount64() + 3000;
    while (Fokus(vlakno) != prvek && GetTickCount64() < konec) Sleep(10);
}

// A point of the link control that lies on its link, found the way the control itself tests.
POINT BodOdkazu(HWND odkaz)
{
    RECT r{};
    GetClientRect(odkaz, &r);
    for (LONG y = r.top + 1; y < r.bottom; y += 3)
        for (LONG x = r.left; x < r.right; x += 2) {
            LHITTESTINFO zasah{};
            zasah.pt = POINT{x, y};
            if (SendMessageW(odkaz, LM_HITTEST, 0, reinterpret_cast<LPARAM>(&zasah))) return zasah.pt;
        }
    return POINT{-1, -1};
}

class DlgNastaveniTest : public DialogyTest {
protected:
    INT_PTR Spustit(DlgNastaveni& dialog, ObsluhaDialogu::Skript skript)
    {
        const INT_PTR vysledek = DialogyTest::Spustit(dialog, std::move(skript));
        EXPECT_EQ(nullptr, DialogDriver::FindDialog(Vlakno())) << "no box was shown after it";
        return vysledek;
    }
    void Vyplnit(HWND dialog, const wchar_t* rychlost, const wchar_t* krok)
    {
        Napsat(GetDlgItem(dialog, IDC_NASTAVENI_RYCHLOST), rychlost);
        Napsat(GetDlgItem(dialog, IDC_NASTAVENI_KROK), krok);
    }
    // Types both values and presses OK; what the settings hold afterwards.
    Nastaveni Potvrdit(const wchar_t* rychlost, const wchar_t* krok)
    {
        DlgNastaveni dialog;
        EXPECT_EQ(IDOK, Spustit(dialog, [&](HWND okno) {
                      Vyplnit(okno, rychlost, krok);
                      Kliknout(GetDlgItem(okno, IDOK));
                  }));
        return nastaveni;
    }
    void OcekavatUlozeno(DWORD rychlost, DWORD krok)
    {
        EXPECT_EQ(rychlost, Hodnota(L"rychlostAnimace").value_or(0xDEAD));
        EXPECT_EQ(krok, Hodnota(L"krokZmenyRychlosti").value_or(0xDEAD));
    }
};

TEST_F(DlgNastaveniTest, OpensWithTheSettingsUnderItsCaptionWithTheRangeAndLinkTips)
{
    nastaveni = Nastaveni{333, 17};
    DlgNastaveni dialog;
    // Checked on the helper thread while the dialog is up.
    EXPECT_EQ(IDCANCEL, Spustit(dialog, [&](HWND okno) {
                  const DWORD vlakno = GetWindowThreadProcessId(okno, nullptr);
                  HWND editRychlosti = GetDlgItem(okno, IDC_NASTAVENI_RYCHLOST);
                  HWND editKroku = GetDlgItem(okno, IDC_NASTAVENI_KROK);
                  HWND odkaz = GetDlgItem(okno, IDC_NASTAVENI_ODKAZ);
                  EXPECT_EQ(L"Animora - Předvolby", Text(okno));
                  EXPECT_EQ(L"333", Text(editRychlosti));
                  EXPECT_EQ(L"17", Text(editKroku));
                  EXPECT_EQ(GetDlgItem(okno, IDOK), Fokus(vlakno)) << "the first control with a tab stop";
                  EXPECT_EQ(reinterpret_cast<LRESULT>(aplikace.velkaIkona.Get()),
                            SendMessageW(okno, WM_GETICON, ICON_BIG, 0));
                  EXPECT_EQ(reinterpret_cast<LRESULT>(aplikace.malaIkona.Get()),
                            SendMessageW(okno, WM_GETICON, ICON_SMALL, 0));
                  EXPECT_EQ(L"Zadejte hodnotu v rozsahu 10 - 1000", TextTipu(vlakno, editRychlosti, 0));
                  EXPECT_EQ(L"Zadejte hodnotu v rozsahu 1 - 100", TextTipu(vlakno, editKroku, 0));
                  EXPECT_EQ(L"Zobrazit webové stránky firmy Tarnel",
                            TextTipu(vlakno, okno, reinterpret_cast<UINT_PTR>(odkaz)));
                  const std::wstring textOdkazu = Text(odkaz);
                  EXPECT_NE(std::wstring::npos, textOdkazu.find(L"Tarnel")) << testing::PrintToString(textOdkazu);
                  EXPECT_NE(std::wstring::npos, textOdkazu.find(L"www.tarnel.cz"));
                  LITEM polozka{LIF_ITEMINDEX | LIF_URL, 0};
                  EXPECT_TRUE(SendMessageW(odkaz, LM_GETITEM, 0, reinterpret_cast<LPARAM>(&polozka)));
                  EXPECT_STREQ(ANIMORA_WEB_URL, polozka.szUrl) << "the same site as the Help menu";
                  Kliknout(GetDlgItem(okno, IDCANCEL));
              }));
    EXPECT_FALSE(KlicExistuje());
}

TEST_F(DlgNastaveniTest, OkTakesBothNewValuesAndWritesBothEvenWhenNothingChanged)
{
    nastaveni = Nastaveni{333, 17};
    DlgNastaveni dialog;
    EXPECT_EQ(IDOK, Spustit(dialog, [](HWND okno) { Kliknout(GetDlgItem(okno, IDOK)); }));
    OcekavatUlozeno(333, 17);

    const Nastaveni nove = Potvrdit(L"250", L"20");
    EXPECT_EQ(250u, nove.rychlostAnimace);
    EXPECT_EQ(20u, nove.krokZmenyRychlosti);
    OcekavatUlozeno(250, 20);
}

TEST_F(DlgNastaveniTest, EnterWithAnInvalidEntryInTheFocusedFieldKeepsThatSettingAndStoresTheOther)
{
    struct Pripad {
        int pole;
        const wchar_t* rychlost;
        const wchar_t* krok;
        DWORD ocekavanaRychlost, ocekavanyKrok;
    };
    const Pripad pripady[] = {
        {IDC_NASTAVENI_RYCHLOST, L"5", L"20", 333, 20},
        {IDC_NASTAVENI_RYCHLOST, L"", L"20", 333, 20},
        {IDC_NASTAVENI_RYCHLOST, L"4294967296", L"20", 333, 20},
        {IDC_NASTAVENI_RYCHLOST, L"12 5", L"20", 333, 20},
        {IDC_NASTAVENI_KROK, L"500", L"0", 500, 17},
        {IDC_NASTAVENI_KROK, L"500", L"101", 500, 17},
        {IDC_NASTAVENI_KROK, L"500", L"99999999999999999999", 500, 17},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(p.rychlost) + L" / " + p.krok));
        nastaveni = Nastaveni{333, 17};
        DlgNastaveni dialog;
        EXPECT_EQ(IDOK, Spustit(dialog, [&](HWND okno) {
                      HWND pole = GetDlgItem(okno, p.pole);
                      Zamerit(okno, pole);
                      Vyplnit(okno, p.rychlost, p.krok);
                      Stisknout(pole, VK_RETURN);
                  }));
        EXPECT_EQ(p.ocekavanaRychlost, nastaveni.rychlostAnimace);
        EXPECT_EQ(p.ocekavanyKrok, nastaveni.krokZmenyRychlosti);
        OcekavatUlozeno(p.ocekavanaRychlost, p.ocekavanyKrok);
    }
}

TEST_F(DlgNastaveniTest, TabbingAwayFromAnInvalidEntryPutsBackTheLastValidNumber)
{
    nastaveni = Nastaveni{333, 17};
    DlgNastaveni dialog;
    std::wstring poOdchodu;
    EXPECT_EQ(IDOK, Spustit(dialog, [&](HWND okno) {
                  HWND rychlost = GetDlgItem(okno, IDC_NASTAVENI_RYCHLOST);
                  Zamerit(okno, rychlost);
                  Napsat(rychlost, L"1001");
                  Stisknout(rychlost, VK_TAB);
                  const ULONGLONG konec = GetTickCount64() + 3000;
                  while (Fokus(GetWindowThreadProcessId(okno, nullptr)) == rychlost && GetTickCount64() < konec) Sleep(10);
                  poOdchodu = Text(rychlost);
                  Kliknout(GetDlgItem(okno, IDOK));
              }));
    EXPECT_EQ(L"333", poOdchodu);
    OcekavatUlozeno(333, 17);
}

TEST_F(DlgNastaveniTest, StornoEscapeAndTheCloseBoxStoreNothing)
{
    for (const auto& konec : ZpusobyZruseni(IDOK)) {
        nastaveni = Nastaveni{333, 17};
        DlgNastaveni dialog;
        EXPECT_EQ(IDCANCEL, Spustit(dialog, [&](HWND okno) {
                      Vyplnit(okno, L"250", L"20");
                      konec(okno);
                  }));
        EXPECT_EQ(333u, nastaveni.rychlostAnimace);
        EXPECT_EQ(17u, nastaveni.krokZmenyRychlosti);
        EXPECT_FALSE(KlicExistuje());
    }
}

TEST_F(DlgNastaveniTest, RegistryThatCannotBeWrittenLeavesTheNewValuesForTheRunSilently)
{
    ZakazatZapis();
    const Nastaveni nove = Potvrdit(L"250", L"20");
    EXPECT_EQ(250u, nove.rychlostAnimace);
    EXPECT_EQ(20u, nove.krokZmenyRychlosti);
    EXPECT_FALSE(KlicExistuje());
}

TEST_F(DlgNastaveniTest, ClickOnTheLinkOrEnterOnItOpensTheMakersAddressMaximised)
{
    for (const bool enter : {false, true}) {
        SCOPED_TRACE(enter ? "Enter" : "click");
        NastaveniBezProhlizece dialog;
        bool trefa = false;
        EXPECT_EQ(IDCANCEL, Spustit(dialog, [&](HWND okno) {
                      HWND odkaz = GetDlgItem(okno, IDC_NASTAVENI_ODKAZ);
                      if (enter) {
                          Zamerit(okno, odkaz);
                          trefa = Fokus(GetWindowThreadProcessId(okno, nullptr)) == odkaz;
                          Stisknout(odkaz, VK_RETURN);
                      } else {
                          const POINT bod = BodOdkazu(odkaz);
                          trefa = bod.x >= 0;
                          PostMessageW(odkaz, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bod.x, bod.y));
                          PostMessageW(odkaz, WM_LBUTTONUP, 0, MAKELPARAM(bod.x, bod.y));
                          Sleep(200);
                          // A click beside the link opens nothing.
                          RECT r{};
                          GetClientRect(odkaz, &r);
                          PostMessageW(odkaz, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, r.bottom - 1));
                          PostMessageW(odkaz, WM_LBUTTONUP, 0, MAKELPARAM(1, r.bottom - 1));
                      }
                      Sleep(200);
                      Kliknout(GetDlgItem(okno, IDCANCEL));
                  }));
        ASSERT_TRUE(trefa) << (enter ? "the link had the keyboard" : "no point of the control lies on its link");
        ASSERT_EQ(1u, dialog.adresy.size());
        EXPECT_EQ(ANIMORA_WEB_URL, dialog.adresy[0]);
        EXPECT_EQ(SW_SHOWMAXIMIZED, dialog.zobrazeni[0]);
        EXPECT_FALSE(KlicExistuje());
    }
}

} // namespace
