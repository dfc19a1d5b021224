// The keys of the main window, with the focus on the picture and on the frames list, sent as
// the system sends them; the folder walk of Page Down and Page Up; the list of keys.
#include <windows.h>

#include "app/Klavesy.h"
#include "image/GifAnimace.h"
#include "resources/resource.h"
#include "settings/Nastaveni.h"
#include "tests/DialogDriver.h"
#include "tests/OknoHlavniTest.h"

using namespace GifFixtures;

namespace {

// The state of Shift and Ctrl as the window reads it for the next key.
void Modifikatory(bool shift, bool ctrl)
{
    BYTE stav[256]{};
    GetKeyboardState(stav);
    stav[VK_SHIFT] = shift ? 0x80 : 0;
    stav[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(stav);
}

// A key press as the system sends it to the focused window: first press, repeat count 1.
// What the list hands on to the window arrives there before the modifiers are let go.
void Stisknout(HWND cil, const Klavesa& k)
{
    Modifikatory(k.shift, k.ctrl);
    if (k.znak)
        SendMessageW(cil, WM_CHAR, k.znak, 1);
    else
        SendMessageW(cil, WM_KEYDOWN, k.vk, 1);
    TestSupport::PumpMessages();
    Modifikatory(false, false);
}

Klavesa Vk(UINT vk, bool shift = false, bool ctrl = false)
{
    Klavesa k;
    k.vk = vk;
    k.shift = shift;
    k.ctrl = ctrl;
    return k;
}

Klavesa Znak(wchar_t znak)
{
    Klavesa k;
    k.znak = znak;
    return k;
}

class KlavesyOkna : public OknoHlavniTest {
protected:
    // A slow animation of 12 frames, paused at frame 6 or playing from frame 1; the window's
    // speed back at 100 %, and the default speed then made 70 % so that returning to it shows.
    void Zacit(bool hraje, bool naSeznamu)
    {
        nastaveni.rychlostAnimace = 100;
        Prikaz(ID_RYCHLOST_VYCHOZI);
        nastaveni.rychlostAnimace = 70;
        okno->OtevritSoubor(animace, hraje);
        if (!hraje)
            for (int i = 0; i < 5; ++i) Prikaz(ID_ANIMACE_KROKVPRED);
        if (naSeznamu) Prikaz(ID_ZOBRAZIT_PREHLEDSNIMKU);
        SetFocus(naSeznamu ? Seznam() : Okno());
    }
    HWND Cil() const { return GetFocus(); }

    std::wstring animace;
};

} // namespace

TEST_F(KlavesyOkna, EveryKeyOnThePictureAndOnTheFramesList)
{
    Vytvorit();
    animace = PomalaAnimace(12);
    const struct {
        const char* nazev;
        Klavesa klavesa;
        bool hraje;               // before the key: playing at 1/12, else paused at 6/12
        const wchar_t* pocitadlo; // after it
        bool hrajePak;
        const wchar_t* rychlost;
    } radky[] = {
        {"Space pauses", Vk(VK_SPACE), true, L"1/12", false, L"Rychlost: 100 %"},
        {"Space plays", Vk(VK_SPACE), false, L"6/12", true, L"Rychlost: 100 %"},
        {"right", Vk(VK_RIGHT), false, L"7/12", false, L"Rychlost: 100 %"},
        {"right while playing pauses and steps", Vk(VK_RIGHT), true, L"2/12", false, L"Rychlost: 100 %"},
        {"full stop", Znak(L'.'), false, L"7/12", false, L"Rychlost: 100 %"},
        {"left", Vk(VK_LEFT), false, L"5/12", false, L"Rychlost: 100 %"},
        {"left at the first frame stays", Vk(VK_LEFT), true, L"1/12", false, L"Rychlost: 100 %"},
        {"comma", Znak(L','), false, L"5/12", false, L"Rychlost: 100 %"},
        {"Shift+right wraps", Vk(VK_RIGHT, true), false, L"4/12", false, L"Rychlost: 100 %"},
        {"Shift+left stops at the first", Vk(VK_LEFT, true), false, L"1/12", false, L"Rychlost: 100 %"},
        {"Home", Vk(VK_HOME), false, L"1/12", false, L"Rychlost: 100 %"},
        {"End", Vk(VK_END), false, L"12/12", false, L"Rychlost: 100 %"},
        {"End while playing", Vk(VK_END), true, L"12/12", false, L"Rychlost: 100 %"},
        {"Esc", Vk(VK_ESCAPE), false, L"1/12", false, L"Rychlost: 100 %"},
        {"Esc while playing", Vk(VK_ESCAPE), true, L"1/12", false, L"Rychlost: 100 %"},
        {"plus", Znak(L'+'), false, L"6/12", false, L"Rychlost: 110 %"},
        {"minus", Znak(L'-'), true, L"1/12", true, L"Rychlost: 90 %"},
        {"star", Znak(L'*'), false, L"6/12", false, L"Rychlost: 70 %"},
        {"zero", Znak(L'0'), false, L"6/12", false, L"Rychlost: 70 %"},
        {"Ctrl+W", Vk('W', false, true), false, L"", false, L"Rychlost: 100 %"},
    };
    for (bool naSeznamu : {false, true}) {
        for (const auto& r : radky) {
            // The frames list view pauses: the rows that start playing are the picture's.
            if (naSeznamu && r.hraje) continue;
            SCOPED_TRACE(std::string(r.nazev) + (naSeznamu ? " on the list" : " on the picture"));
            Zacit(r.hraje, naSeznamu);
            ASSERT_EQ(naSeznamu ? Seznam() : Okno(), Cil());
            Stisknout(Cil(), r.klavesa);
            EXPECT_EQ(r.pocitadlo, Cast(kCastPocitadlo));
            EXPECT_EQ(r.hrajePak, okno->Prehrava());
            EXPECT_EQ(r.rychlost, Cast(kCastRychlost));
            if (!naSeznamu) continue;
            if (Seznam())
                EXPECT_EQ(okno->Snimek(), SendMessageW(Seznam(), LB_GETCURSEL, 0, 0)) << "the row follows the frame";
            else
                EXPECT_EQ(Okno(), GetFocus()) << "the keyboard stays with the window when the list goes";
        }
    }
}

TEST_F(KlavesyOkna, TheListsOwnArrowsMoveItsSelectionOnly)
{
    Vytvorit();
    animace = PomalaAnimace(12);
    Zacit(false, true);
    const LRESULT pred = SendMessageW(Seznam(), LB_GETCURSEL, 0, 0);
    Stisknout(Seznam(), Vk(VK_DOWN));
    EXPECT_EQ(pred + 1, SendMessageW(Seznam(), LB_GETCURSEL, 0, 0));
    EXPECT_EQ(L"6/12", Cast(kCastPocitadlo));
}

TEST_F(KlavesyOkna, CtrlSSavesOnlyWhileSavingIsAvailable)
{
    Vytvorit();
    animace = PomalaAnimace(12);
    // Saving is refused while playing; paused, Ctrl+S shows the save dialog (cancelled here).
    for (bool hraje : {true, false}) {
        Zacit(hraje, false);
        const bool dialog = ObsluhaDialogu::Obslouzit([&] { Stisknout(Okno(), Vk('S', false, true)); },
                                                      [](HWND d) { DialogDriver::Choose(GetWindowThreadProcessId(d, nullptr), d, {}); });
        EXPECT_EQ(!hraje, dialog) << (hraje ? "playing" : "paused");
    }
}

TEST_F(KlavesyOkna, HeldKeysRunOnlyTheLastOfTheRepeatsWaiting)
{
    Vytvorit();
    animace = PomalaAnimace(12);
    Zacit(false, false);
    // Three repeats of a held key waiting at once: the window steps once.
    for (int i = 0; i < 3; ++i) PostMessageW(Okno(), WM_KEYDOWN, VK_RIGHT, 0x40000001);
    TestSupport::PumpMessages();
    EXPECT_EQ(L"7/12", Cast(kCastPocitadlo));
    // Three presses with their releases between them are three steps, characters as well.
    for (int i = 0; i < 3; ++i) {
        PostMessageW(Okno(), WM_CHAR, L'.', 0x00340001);
        PostMessageW(Okno(), WM_KEYUP, VK_OEM_PERIOD, 0xC0340001);
    }
    TestSupport::PumpMessages();
    EXPECT_EQ(L"10/12", Cast(kCastPocitadlo));
}

TEST_F(KlavesyOkna, PageDownAndUpWalkTheFolderInExplorersOrder)
{
    Vytvorit();
    // Frames of 5 s, so that no tick interferes; "b.gif" does not decode and is passed over.
    const std::wstring a1 = Gif(L"a1.gif", Animation(16, 16, 3, {500, 500, 500}));
    const std::wstring a2 = Gif(L"a2.gif", Still(8, 8, FrameColour(1)));
    const std::wstring a10 = Gif(L"a10.gif", Animation(16, 16, 2, {500, 500}));
    ASSERT_TRUE(TestSupport::WriteBytes(slozka.File(L"b.gif"), "GIF89a?", 7));
    ASSERT_TRUE(TestSupport::WriteBytes(slozka.File(L"c.txt"), "text", 4));
    for (bool naSeznamu : {false, true}) {
        SCOPED_TRACE(naSeznamu ? "on the list" : "on the picture");
        okno->OtevritSoubor(a1, true);
        Stisknout(Okno(), Znak(L'+'));
        const struct {
            UINT vk;
            const std::wstring& soubor;
            bool hraje;
        } kroky[] = {
            {VK_NEXT, a2, false}, // a still image never inherits the timer
            {VK_NEXT, a10, true},
            {VK_NEXT, a1, true},  // past the undecodable file, round to the first
            {VK_PRIOR, a10, true},
            {VK_PRIOR, a2, false},
        };
        for (const auto& k : kroky) {
            if (naSeznamu && okno->AktualniPodminky().a) Prikaz(ID_ZOBRAZIT_PREHLEDSNIMKU);
            HWND cil = naSeznamu && Seznam() ? Seznam() : Okno();
            Stisknout(cil, Vk(k.vk));
            EXPECT_EQ(k.soubor, okno->CestaSouboru());
            // The list view paused the file; the next one follows that pause.
            EXPECT_EQ(k.hraje && cil == Okno(), okno->Prehrava()) << testing::PrintToString(k.soubor);
            EXPECT_EQ(L"Rychlost: 110 %", Cast(kCastRychlost)) << "the speed stays";
        }
        Prikaz(ID_RYCHLOST_SNIZIT);
    }
}

TEST_F(KlavesyOkna, TheListOfKeysIsInTheHelpMenusAndClosesWithEscOrEnter)
{
    Vytvorit();
    HMENU kontext = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_KONTEXTOVE_MENU));
    for (HMENU napoveda : {GetSubMenu(GetMenu(Okno()), 4), GetSubMenu(GetSubMenu(kontext, 0), 6)}) {
        ASSERT_NE(nullptr, napoveda);
        EXPECT_EQ(static_cast<UINT>(ID_NAPOVEDA_KLAVESY), GetMenuItemID(napoveda, GetMenuItemCount(napoveda) - 1))
            << "after the existing items";
    }
    DestroyMenu(kontext);

    for (UINT klavesa : {VK_ESCAPE, VK_RETURN}) {
        HWND videny = nullptr;
        const bool zobrazen = DialogDriver::BehemDialogu(
            Okno(), [&] { Prikaz(ID_NAPOVEDA_KLAVESY); },
            [&](HWND dialog) {
                videny = dialog;
                EXPECT_EQ(Okno(), GetWindow(dialog, GW_OWNER));
                EXPECT_EQ(L"Animora - Klávesové zkratky", DialogDriver::TextOf(dialog));
                HWND seznam = GetDlgItem(dialog, IDC_KLAVESY_SEZNAM);
                const int radku = static_cast<int>(SendMessageW(seznam, LB_GETCOUNT, 0, 0));
                EXPECT_EQ(IDS_KLAVESY_POSLEDNI - IDS_KLAVESY_PRVNI + 1, radku);
                for (int i = 0; i < radku; ++i)
                    EXPECT_GT(SendMessageW(seznam, LB_GETTEXTLEN, i, 0), 3) << "row " << i;
                PostMessageW(GetFocus(), WM_KEYDOWN, klavesa, 1);
            },
            false);
        EXPECT_TRUE(zobrazen) << klavesa;
        EXPECT_FALSE(IsWindow(videny)) << "closed by the key " << klavesa;
    }
}
