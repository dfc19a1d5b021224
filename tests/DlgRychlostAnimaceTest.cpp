// The speed dialog for real: it runs modally on the test thread while a helper thread types,
// presses keys and clicks in it, as a user would.
#include <windows.h>

#include <functional>
#include <string>

#include "app/Aplikace.h"
#include "resources/resource.h"
#include "settings/DlgRychlostAnimace.h"
#include "settings/Nastaveni.h"
#include "tests/DialogyTest.h"

using namespace Uzivatel;

namespace {

class DlgRychlostAnimaceTest : public DialogyTest {};

TEST_F(DlgRychlostAnimaceTest, OpensWithTheCurrentSpeedInTheFocusedFieldUnderTheProductName)
{
    nastaveni.rychlostAnimace = 100;
    DlgRychlostAnimace dialog;
    dialog.rychlost = 370;
    std::wstring titulek, pole, tip;
    bool fokusVPoli = false, zaskrtnuto = true;
    LRESULT velka = 0, mala = 0;
    std::wstring napsano;
    const INT_PTR vysledek = Spustit(dialog, [&](HWND okno) {
        HWND edit = GetDlgItem(okno, IDC_RYCHLOST_HODNOTA);
        titulek = Text(okno);
        pole = Text(edit);
        fokusVPoli = Fokus(GetWindowThreadProcessId(okno, nullptr)) == edit;
        zaskrtnuto = SendMessageW(GetDlgItem(okno, IDC_RYCHLOST_TRVALE), BM_GETCHECK, 0, 0) == BST_CHECKED;
        velka = SendMessageW(okno, WM_GETICON, ICON_BIG, 0);
        mala = SendMessageW(okno, WM_GETICON, ICON_SMALL, 0);
        tip = TextTipu(GetWindowThreadProcessId(okno, nullptr), edit, 0);
        Napsat(edit, L"");
        for (wchar_t znak : std::wstring(L"x4-2a")) PostMessageW(edit, WM_CHAR, znak, 1);
        Sleep(100);
        napsano = Text(edit);
        Stisknout(edit, VK_ESCAPE);
    });
    EXPECT_EQ(IDCANCEL, vysledek);
    EXPECT_EQ(L"Animora", titulek);
    EXPECT_EQ(L"370", pole) << "the current speed, not the default";
    EXPECT_TRUE(fokusVPoli);
    EXPECT_FALSE(zaskrtnuto);
    EXPECT_EQ(reinterpret_cast<LRESULT>(aplikace.velkaIkona.Get()), velka);
    EXPECT_EQ(reinterpret_cast<LRESULT>(aplikace.malaIkona.Get()), mala);
    EXPECT_EQ(L"Zadejte hodnotu v rozsahu 10 - 1000", tip);
    EXPECT_EQ(L"42", napsano) << "only the digits were taken";
    EXPECT_EQ(370u, dialog.rychlost);
}

TEST_F(DlgRychlostAnimaceTest, OkGivesTheTypedSpeedAndTheCheckBox)
{
    for (const bool trvale : {false, true}) {
        SCOPED_TRACE(trvale);
        DlgRychlostAnimace dialog;
        dialog.rychlost = 100;
        const INT_PTR vysledek = Spustit(dialog, [&](HWND okno) {
            Napsat(GetDlgItem(okno, IDC_RYCHLOST_HODNOTA), L"250");
            if (trvale) Kliknout(GetDlgItem(okno, IDC_RYCHLOST_TRVALE));
            Kliknout(GetDlgItem(okno, IDOK));
        });
        EXPECT_EQ(IDOK, vysledek);
        EXPECT_EQ(250u, dialog.rychlost);
        EXPECT_EQ(trvale, dialog.jakoVychozi);
    }
    EXPECT_FALSE(KlicExistuje()) << "the dialog itself stores nothing";
}

TEST_F(DlgRychlostAnimaceTest, EnterWithAnInvalidEntryStillInTheFieldGivesTheDefaultSpeed)
{
    nastaveni.rychlostAnimace = 120;
    for (const wchar_t* spatne : {L"5", L"", L"0", L"1001", L"4294967296", L"123456789012345678901234567890", L"2 50"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(spatne)));
        DlgRychlostAnimace dialog;
        dialog.rychlost = 300;
        const INT_PTR vysledek = Spustit(dialog, [&](HWND okno) {
            HWND edit = GetDlgItem(okno, IDC_RYCHLOST_HODNOTA);
            Napsat(edit, spatne);
            Stisknout(edit, VK_RETURN);
        });
        EXPECT_EQ(IDOK, vysledek);
        EXPECT_EQ(120u, dialog.rychlost);
    }
}

TEST_F(DlgRychlostAnimaceTest, ClickingOkAfterAnInvalidEntryGivesTheLastValidSpeed)
{
    nastaveni.rychlostAnimace = 120;
    for (const wchar_t* spatne : {L"5", L"", L"1001"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(spatne)));
        DlgRychlostAnimace dialog;
        dialog.rychlost = 300;
        const INT_PTR vysledek = Spustit(dialog, [&](HWND okno) {
            Napsat(GetDlgItem(okno, IDC_RYCHLOST_HODNOTA), spatne);
            Kliknout(GetDlgItem(okno, IDOK)); // the press takes the focus from the field first
        });
        EXPECT_EQ(IDOK, vysledek);
        EXPECT_EQ(300u, dialog.rychlost);
    }
}

TEST_F(DlgRychlostAnimaceTest, StornoEscapeAndTheCloseBoxChangeNothing)
{
    for (const auto& konec : ZpusobyZruseni(IDC_RYCHLOST_HODNOTA)) {
        DlgRychlostAnimace dialog;
        dialog.rychlost = 300;
        const INT_PTR vysledek = Spustit(dialog, [&](HWND okno) {
            Napsat(GetDlgItem(okno, IDC_RYCHLOST_HODNOTA), L"250");
            SendMessageW(GetDlgItem(okno, IDC_RYCHLOST_TRVALE), BM_SETCHECK, BST_CHECKED, 0);
            konec(okno);
        });
        EXPECT_EQ(IDCANCEL, vysledek);
        EXPECT_EQ(300u, dialog.rychlost);
        EXPECT_FALSE(dialog.jakoVychozi);
    }
}

} // namespace
