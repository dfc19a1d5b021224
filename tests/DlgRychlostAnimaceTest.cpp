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
    // Checked on the helper thread while the dialog is up.
    EXPECT_EQ(IDCANCEL, Spustit(dialog, [&](HWND okno) {
                  const DWORD vlakno = GetWindowThreadProcessId(okno, nullptr);
                  HWND edit = GetDlgItem(okno, IDC_RYCHLOST_HODNOTA);
                  EXPECT_EQ(L"Animora", Text(okno));
                  EXPECT_EQ(L"370", Text(edit)) << "the current speed, not the default";
                  EXPECT_EQ(edit, Fokus(vlakno));
                  EXPECT_EQ(BST_UNCHECKED, SendMessageW(GetDlgItem(okno, IDC_RYCHLOST_TRVALE), BM_GETCHECK, 0, 0));
                  EXPECT_EQ(reinterpret_cast<LRESULT>(aplikace.velkaIkona.Get()),
                            SendMessageW(okno, WM_GETICON, ICON_BIG, 0));
                  EXPECT_EQ(reinterpret_cast<LRESULT>(aplikace.malaIkona.Get()),
                            SendMessageW(okno, WM_GETICON, ICON_SMALL, 0));
                  EXPECT_EQ(L"Zadejte hodnotu v rozsahu 10 - 1000", TextTipu(vlakno, edit, 0));
                  Napsat(edit, L"");
                  for (wchar_t znak : std::wstring(L"x4-2a")) PostMessageW(edit, WM_CHAR, znak, 1);
                  Sleep(100);
                  EXPECT_EQ(L"42", Text(edit)) << "only the digits were taken";
                  Stisknout(edit, VK_ESCAPE);
              }));
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

// Enter with the entry still in the field gives the default speed; a click on OK takes the
// focus from the field first, which puts the last valid speed back.
TEST_F(DlgRychlostAnimaceTest, InvalidEntryGivesTheDefaultSpeedOnEnterAndTheLastValidOneOnClickingOk)
{
    nastaveni.rychlostAnimace = 120;
    for (const bool enter : {true, false})
        for (const wchar_t* spatne : {L"5", L"", L"0", L"1001", L"4294967296", L"123456789012345678901234567890", L"2 50"}) {
            SCOPED_TRACE(testing::PrintToString(std::wstring(spatne) + (enter ? L" Enter" : L" OK")));
            DlgRychlostAnimace dialog;
            dialog.rychlost = 300;
            EXPECT_EQ(IDOK, Spustit(dialog, [&](HWND okno) {
                          HWND edit = GetDlgItem(okno, IDC_RYCHLOST_HODNOTA);
                          Napsat(edit, spatne);
                          enter ? Stisknout(edit, VK_RETURN) : Kliknout(GetDlgItem(okno, IDOK));
                      }));
            EXPECT_EQ(enter ? 120u : 300u, dialog.rychlost);
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
