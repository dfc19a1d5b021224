// The main window's closer look: the zoom through commands and keys, kept while the file plays
// on and given up when another file opens; the background key; full screen and back.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/OknoHlavniTest.h"

namespace {

// The keyboard state the window reads for Ctrl, set for the thread while the key is sent.
void PoslatKlavesu(HWND okno, UINT klavesa, bool ctrl)
{
    BYTE stav[256] = {};
    GetKeyboardState(stav);
    stav[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(stav);
    SendMessageW(okno, WM_KEYDOWN, klavesa, 0);
    stav[VK_CONTROL] = 0;
    SetKeyboardState(stav);
}

std::wstring TextPriblizeni(HWND lista)
{
    wchar_t text[64] = {};
    GetWindowTextW(FindWindowExW(lista, nullptr, L"Static", nullptr), text, 64);
    return text;
}

} // namespace

TEST_F(OknoHlavniTest, ZoomStaysWhileTheFilePlaysOnAndOpeningReturnsToFitted)
{
    VytvoritSAnimaci(4, false);
    EXPECT_TRUE(okno->AktualniPriblizeni().prizpusobit);
    EXPECT_EQ(L"Přizpůsobeno: 100 %", TextPriblizeni(StavovaLista()));
    PoslatKlavesu(Okno(), '1', true);
    PoslatKlavesu(Okno(), VK_OEM_PLUS, true);
    PoslatKlavesu(Okno(), VK_ADD, true);
    EXPECT_FALSE(okno->AktualniPriblizeni().prizpusobit);
    EXPECT_EQ(3.0, okno->AktualniPriblizeni().meritko);
    EXPECT_FALSE(MenuZaskrtnuto(ID_ZOBRAZIT_PRIZPUSOBIT));

    Prikaz(ID_ANIMACE_KROKVPRED);
    Prikaz(ID_RYCHLOST_ZVYSIT);
    Prikaz(ID_ANIMACE_SPUSTIT);
    Tik();
    SetWindowPos(Okno(), nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER);
    TestSupport::PumpMessages();
    EXPECT_EQ(3.0, okno->AktualniPriblizeni().meritko) << "through a step, a speed change, a tick and a resize";
    EXPECT_EQ(L"Zvětšení: 300 %", TextPriblizeni(StavovaLista()));
    EXPECT_EQ(L"Rychlost: 110 %", Cast(kCastRychlost)) << "the speed part keeps its own text";
    PoslatKlavesu(Okno(), VK_OEM_MINUS, true);
    EXPECT_EQ(2.0, okno->AktualniPriblizeni().meritko);

    okno->OtevritSoubor(PomalaAnimace(3), false);
    EXPECT_TRUE(okno->AktualniPriblizeni().prizpusobit);
    EXPECT_TRUE(MenuZaskrtnuto(ID_ZOBRAZIT_PRIZPUSOBIT));
    PoslatKlavesu(Okno(), '0', true);
    EXPECT_TRUE(okno->AktualniPriblizeni().prizpusobit);
}

TEST_F(OknoHlavniTest, BackgroundKeyGoesRoundAndIsRemembered)
{
    VytvoritSAnimaci(2, false);
    const UINT poradi[] = {ID_POZADI_SACHOVNICE, ID_POZADI_TMAVE, ID_POZADI_SVETLE, ID_POZADI_BARVA_OKNA};
    for (const UINT ocekavane : poradi) {
        PoslatKlavesu(Okno(), 'B', false);
        for (UINT prikaz = ID_POZADI_BARVA_OKNA; prikaz <= ID_POZADI_SVETLE; ++prikaz)
            EXPECT_EQ(prikaz == ocekavane, MenuZaskrtnuto(static_cast<int>(prikaz))) << prikaz;
        DWORD ulozene = 99;
        DWORD velikost = sizeof ulozene;
        EXPECT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_CURRENT_USER, L"Software\\Tarnel\\Animora\\1",
                                              L"pozadiPruhlednosti", RRF_RT_REG_DWORD, nullptr, &ulozene, &velikost));
        EXPECT_EQ(ocekavane - ID_POZADI_BARVA_OKNA, ulozene);
    }
}

TEST_F(OknoHlavniTest, FullScreenAndBackRestoresTheWindow)
{
    VytvoritSAnimaci(2, false);
    SetWindowPos(Okno(), nullptr, 30, 40, 700, 500, SWP_NOZORDER);
    TestSupport::PumpMessages();
    WINDOWPLACEMENT predtim{sizeof predtim};
    GetWindowPlacement(Okno(), &predtim);
    const LONG_PTR styl = GetWindowLongPtrW(Okno(), GWL_STYLE);
    const HMENU menu = GetMenu(Okno());

    // Each way in, each way out.
    for (const bool klavesou : {true, false}) {
        SCOPED_TRACE(klavesou ? "F11, Esc" : "command, double click");
        if (klavesou)
            PoslatKlavesu(Okno(), VK_F11, false);
        else
            Prikaz(ID_ZOBRAZIT_CELA_OBRAZOVKA);
        TestSupport::PumpMessages();
        ASSERT_TRUE(okno->NaCeleObrazovce());
        RECT r{};
        GetWindowRect(Okno(), &r);
        MONITORINFO monitor{sizeof monitor};
        GetMonitorInfoW(MonitorFromWindow(Okno(), MONITOR_DEFAULTTONEAREST), &monitor);
        EXPECT_TRUE(EqualRect(&r, &monitor.rcMonitor));
        EXPECT_EQ(nullptr, GetMenu(Okno()));
        EXPECT_FALSE(IsWindowVisible(StavovaLista()));
        EXPECT_FALSE(IsWindowVisible(Rebar()));

        if (klavesou) {
            PoslatKlavesu(Okno(), VK_ESCAPE, false);
        } else {
            // Two presses at once on the picture are a double click.
            const RECT oblast = okno->OblastPohledu();
            for (int i = 0; i < 2; ++i) {
                SendMessageW(Okno(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(oblast.left + 10, oblast.top + 10));
                SendMessageW(Okno(), WM_LBUTTONUP, 0, MAKELPARAM(oblast.left + 10, oblast.top + 10));
            }
        }
        TestSupport::PumpMessages();
        EXPECT_FALSE(okno->NaCeleObrazovce());
        WINDOWPLACEMENT potom{sizeof potom};
        GetWindowPlacement(Okno(), &potom);
        EXPECT_TRUE(EqualRect(&predtim.rcNormalPosition, &potom.rcNormalPosition));
        EXPECT_EQ(predtim.showCmd, potom.showCmd);
        EXPECT_EQ(styl, GetWindowLongPtrW(Okno(), GWL_STYLE));
        EXPECT_EQ(menu, GetMenu(Okno()));
        EXPECT_TRUE(IsWindowVisible(StavovaLista()));
        EXPECT_TRUE(IsWindowVisible(Rebar()));
    }
}
