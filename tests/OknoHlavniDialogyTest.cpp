// The speed command (40016) and the preferences command (40002) of the main window, from
// every place they are offered, with the dialogs worked by a helper thread as a user would.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/Aplikace.h"
#include "image/GifAnimace.h"
#include "resources/resource.h"
#include "settings/DlgNastaveni.h"
#include "settings/Nastaveni.h"
#include "tests/DialogDriver.h"
#include "tests/OknoHlavniTest.h"
#include "tests/PomocnikK2.h"

using namespace Uzivatel;

namespace {

// Runs the action that opens a menu and chooses in it with the keys, posted once it shows: the
// menu's own loop takes them from the queue as it takes typed keys.
void VybratVMenu(const std::function<void()>& otevrit, std::vector<std::pair<UINT, WPARAM>> klavesy)
{
    DialogDriver::Behem(otevrit, {{DialogDriver::OpenMenu, [&](HWND popup) {
                                       for (const auto& [zprava, klavesa] : klavesy) PostMessageW(popup, zprava, klavesa, 1);
                                   }}});
}

std::pair<UINT, WPARAM> Znak(wchar_t znak) { return {WM_CHAR, znak}; }
std::pair<UINT, WPARAM> Klavesa(UINT klavesa) { return {WM_KEYDOWN, klavesa}; }

std::optional<DWORD> Ulozeno(const wchar_t* nazev)
{
    DWORD hodnota = 0;
    DWORD velikost = sizeof hodnota;
    if (RegGetValueW(HKEY_CURRENT_USER, kKlicAplikace, nazev, RRF_RT_REG_DWORD, nullptr, &hodnota, &velikost) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return hodnota;
}

int PocetDialogu(DWORD vlakno)
{
    const std::vector<HWND> dialogy = DialogDriver::ThreadWindows(vlakno, L"#32770");
    return static_cast<int>(std::count_if(dialogy.begin(), dialogy.end(), [](HWND d) { return IsWindowVisible(d); }));
}

// Types the speed into the speed dialog, optionally checks the box, and confirms.
ObsluhaDialogu::Skript ZadatRychlost(std::wstring rychlost, bool trvale = false)
{
    return [rychlost, trvale](HWND dialog) {
        Napsat(GetDlgItem(dialog, IDC_RYCHLOST_HODNOTA), rychlost);
        if (trvale) Kliknout(GetDlgItem(dialog, IDC_RYCHLOST_TRVALE));
        Kliknout(GetDlgItem(dialog, IDOK));
    };
}

// While it lives, the application key cannot be created: its parent is a volatile key, which
// may hold no stored ones. It must go before the main window closes, as the window's
// placement store treats a key it cannot create as fatal.
class NezapisovatelnyRegistr : TestSupport::NonCopyable {
public:
    NezapisovatelnyRegistr()
    {
        // The keys above it are made first: created along with it, they would be volatile too.
        HKEY klic = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Tarnel", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &klic, nullptr);
        RegCloseKey(klic);
        RegCreateKeyExW(HKEY_CURRENT_USER, kRodic, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &klic,
                        nullptr);
        RegCloseKey(klic);
    }
    ~NezapisovatelnyRegistr()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kRodic);
        RegDeleteKeyW(HKEY_CURRENT_USER, kRodic);
    }

private:
    static constexpr wchar_t kRodic[] = L"Software\\Tarnel\\Animora";
};

class OknoHlavniDialogy : public OknoHlavniTest {
protected:
    void KliknoutNaTlacitko(int prikaz, bool naSipku = false)
    {
        PomocnikK2::KliknoutNaTlacitko(Panel(), prikaz, naSipku);
    }
    // Runs the action with the helper working the dialog it opens; the commands chosen in a
    // menu arrive posted, so they are dispatched here too.
    // True when the action showed a dialog that the script ended as a user ends it.
    static bool SDialogem(ObsluhaDialogu::Skript skript, const std::function<void()>& akce)
    {
        return ObsluhaDialogu::Obslouzit(
            [&] {
                akce();
                TestSupport::PumpMessages();
            },
            std::move(skript));
    }
    // The speed dialog opened by its command and worked by the script.
    bool SRychlosti(ObsluhaDialogu::Skript skript)
    {
        return SDialogem(std::move(skript), [&] { Prikaz(ID_ANIMACE_RYCHLOST); });
    }
};

TEST_F(OknoHlavniDialogy, SpeedDialogOpensFromTheMenusAndTheToolbarWithTheCurrentSpeedCentred)
{
    VytvoritSAnimaci(3);
    ASSERT_TRUE(SetWindowPos(Okno(), nullptr, 150, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER)); // off the screen's centre
    RECT hlavni{};
    GetWindowRect(Okno(), &hlavni);
    struct Cesta {
        const char* odkud;
        std::function<void()> otevrit;
    };
    const Cesta cesty[] = {
        {"menu Animace", [&] { VybratVMenu([&] { SendMessageW(Okno(), WM_SYSCOMMAND, SC_KEYMENU, L'a'); }, {Znak(L'r')}); }},
        {"context menu",
         [&] {
             VybratVMenu([&] { SendMessageW(Okno(), WM_CONTEXTMENU, 0, MAKELPARAM(300, 300)); },
                         {Klavesa(VK_DOWN), Klavesa(VK_DOWN), Klavesa(VK_DOWN), Klavesa(VK_RIGHT), Znak(L'r')});
         }},
        {"toolbar button", [&] { KliknoutNaTlacitko(ID_ANIMACE_RYCHLOST); }},
        {"speed menu", [&] { VybratVMenu([&] { KliknoutNaTlacitko(ID_ANIMACE_RYCHLOST, true); }, {Znak(L'd')}); }},
    };
    uint32_t rychlost = 100;
    for (const Cesta& cesta : cesty) {
        SCOPED_TRACE(cesta.odkud);
        std::wstring titulek, pole;
        RECT r{};
        const uint32_t nova = rychlost + 10;
        const bool otevreno = SDialogem(
            [&](HWND dialog) {
                titulek = Text(dialog);
                GetWindowRect(dialog, &r);
                pole = Text(GetDlgItem(dialog, IDC_RYCHLOST_HODNOTA));
                ZadatRychlost(std::to_wstring(nova))(dialog);
            },
            cesta.otevrit);
        ASSERT_TRUE(otevreno);
        EXPECT_EQ(L"Animora", titulek);
        EXPECT_EQ(std::to_wstring(rychlost), pole) << "opens with the current speed";
        EXPECT_NEAR((hlavni.left + hlavni.right) / 2, (r.left + r.right) / 2, 1) << "centred over the window";
        EXPECT_NEAR((hlavni.top + hlavni.bottom) / 2, (r.top + r.bottom) / 2, 1);
        EXPECT_EQ(nova, okno->Rychlost());
        EXPECT_EQ(L"Rychlost: " + std::to_wstring(nova) + L" %", Cast(kCastRychlost));
        rychlost = nova;
    }
    EXPECT_EQ(100u, nastaveni.rychlostAnimace);
    EXPECT_FALSE(Ulozeno(L"rychlostAnimace").has_value()) << "nothing stored without the check box";
}

TEST_F(OknoHlavniDialogy, ChosenSpeedGovernsTheNextFrameAndBecomesTheDefaultOnlyWhenAsked)
{
    VytvoritSAnimaci(4);
    ASSERT_EQ(1u, okno->intervaly.size());
    ASSERT_TRUE(SRychlosti(ZadatRychlost(L"250")));
    EXPECT_EQ(250u, okno->Rychlost());
    EXPECT_EQ(1u, okno->intervaly.size()) << "the running timer is not armed again";
    Tik();
    ASSERT_EQ(2u, okno->intervaly.size());
    EXPECT_EQ(okno->Animace()->FrameDelayMs(1) * 100 / 250, okno->intervaly.back()) << "frame 1 at 250 %";
    EXPECT_EQ(100u, nastaveni.rychlostAnimace);
    EXPECT_FALSE(Ulozeno(L"rychlostAnimace").has_value());

    nastaveni.krokZmenyRychlosti = 30;
    ASSERT_TRUE(SRychlosti(ZadatRychlost(L"400", true)));
    EXPECT_EQ(400u, okno->Rychlost());
    EXPECT_EQ(400u, nastaveni.rychlostAnimace);
    EXPECT_EQ(400u, Ulozeno(L"rychlostAnimace").value_or(0));
    EXPECT_EQ(30u, Ulozeno(L"krokZmenyRychlosti").value_or(0)) << "both settings are written";
    EXPECT_EQ(L"Rychlost: 400 %", Cast(kCastRychlost));
}

TEST_F(OknoHlavniDialogy, NewDefaultThatTheRegistryRefusesStaysForTheRunWithoutAWord)
{
    NezapisovatelnyRegistr zakaz;
    VytvoritSAnimaci(3);
    ASSERT_TRUE(SRychlosti(ZadatRychlost(L"300", true)));
    EXPECT_EQ(300u, okno->Rychlost());
    EXPECT_EQ(300u, nastaveni.rychlostAnimace);
    EXPECT_FALSE(Ulozeno(L"rychlostAnimace").has_value());
    EXPECT_EQ(nullptr, DialogDriver::FindDialog(GetCurrentThreadId())) << "no message about it";
    Prikaz(ID_RYCHLOST_ZVYSIT);
    Prikaz(ID_RYCHLOST_VYCHOZI);
    EXPECT_EQ(300u, okno->Rychlost()) << "the default of this run";
    HKEY klic = nullptr;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, kKlicAplikace, 0, KEY_READ, &klic));
}

TEST_F(OknoHlavniDialogy, SpeedDialogEndingsThatChangeOnlyTheSpeedOnScreenOrNothing)
{
    nastaveni.krokZmenyRychlosti = 50;
    VytvoritSAnimaci(3);
    struct Pripad {
        const char* co;
        ObsluhaDialogu::Skript skript;
        uint32_t rychlost;
    };
    const Pripad pripady[] = {
        // The check box is not acted on when the speed is the current one.
        {"current speed with the box",
         [](HWND d) {
             Kliknout(GetDlgItem(d, IDC_RYCHLOST_TRVALE));
             Kliknout(GetDlgItem(d, IDOK));
         },
         150},
        // Leaving the field puts 150 back before OK reads it.
        {"invalid speed, OK",
         [](HWND d) {
             Napsat(GetDlgItem(d, IDC_RYCHLOST_HODNOTA), L"5");
             Kliknout(GetDlgItem(d, IDOK));
         },
         150},
        {"invalid speed, Enter gives the default",
         [](HWND d) {
             Napsat(GetDlgItem(d, IDC_RYCHLOST_HODNOTA), L"5");
             Stisknout(GetDlgItem(d, IDC_RYCHLOST_HODNOTA), VK_RETURN);
         },
         100},
        {"cancelled",
         [](HWND d) {
             Napsat(GetDlgItem(d, IDC_RYCHLOST_HODNOTA), L"250");
             Kliknout(GetDlgItem(d, IDC_RYCHLOST_TRVALE));
             ZavritKrizkem(d);
         },
         150},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.co);
        Prikaz(ID_RYCHLOST_VYCHOZI);
        Prikaz(ID_RYCHLOST_ZVYSIT);
        ASSERT_EQ(150u, okno->Rychlost());
        ASSERT_TRUE(SRychlosti(p.skript));
        EXPECT_EQ(p.rychlost, okno->Rychlost());
        EXPECT_EQ(L"Rychlost: " + std::to_wstring(p.rychlost) + L" %", Cast(kCastRychlost));
        EXPECT_EQ(100u, nastaveni.rychlostAnimace);
        EXPECT_FALSE(Ulozeno(L"rychlostAnimace").has_value());
    }
}

TEST_F(OknoHlavniDialogy, ClosingTheMainWindowUnderEitherDialogEndsTheDialogFirst)
{
    const std::pair<UINT, int> pripady[] = {{ID_ANIMACE_RYCHLOST, IDC_RYCHLOST_HODNOTA},
                                            {ID_NASTROJE_PREDVOLBY, IDC_NASTAVENI_RYCHLOST}};
    for (const auto& [prikaz, pole] : pripady) {
        SCOPED_TRACE(prikaz);
        okno = std::make_unique<SledovaneOkno>();
        Vytvorit();
        okno->OtevritSoubor(PomalaAnimace(3), true);
        HWND hlavni = Okno();
        const bool otevreno = SDialogem(
            [hlavni, pole = pole](HWND dialog) {
                Napsat(GetDlgItem(dialog, pole), L"250");
                PostMessageW(hlavni, WM_CLOSE, 0, 0);
            },
            [&] { Prikaz(prikaz); });
        EXPECT_TRUE(otevreno);
        TestSupport::PumpUntil([&] { return !IsWindow(hlavni); }, 5000);
        EXPECT_FALSE(IsWindow(hlavni)) << "the close came back once the dialog had ended";
        EXPECT_EQ(nullptr, dlgNastaveni);
        EXPECT_EQ(100u, nastaveni.rychlostAnimace);
        EXPECT_FALSE(Ulozeno(L"rychlostAnimace").has_value()) << "the dialog was cancelled, not confirmed";
    }
}

TEST_F(OknoHlavniDialogy, PreferencesOpenFromTheMenuAndTheToolbarCentredOverTheWindow)
{
    Vytvorit();
    ASSERT_TRUE(SetWindowPos(Okno(), nullptr, 150, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
    RECT hlavni{};
    GetWindowRect(Okno(), &hlavni);
    const std::function<void()> cesty[] = {
        [&] { VybratVMenu([&] { SendMessageW(Okno(), WM_SYSCOMMAND, SC_KEYMENU, L't'); }, {Znak(L'v')}); },
        [&] { KliknoutNaTlacitko(ID_NASTROJE_PREDVOLBY); },
    };
    for (const auto& otevrit : cesty) {
        std::wstring titulek;
        bool ukazatel = false;
        RECT r{};
        ASSERT_TRUE(SDialogem(
            [&](HWND dialog) {
                titulek = Text(dialog);
                GetWindowRect(dialog, &r);
                ukazatel = dlgNastaveni && dlgNastaveni->Handle() == dialog;
                Kliknout(GetDlgItem(dialog, IDCANCEL));
            },
            otevrit));
        EXPECT_EQ(L"Animora - Předvolby", titulek);
        EXPECT_TRUE(ukazatel) << "the running dialog is known while it runs";
        EXPECT_EQ(nullptr, dlgNastaveni) << "and forgotten once it has ended";
        EXPECT_TRUE(IsWindowEnabled(Okno())) << "the main window takes input again";
        EXPECT_NEAR((hlavni.left + hlavni.right) / 2, (r.left + r.right) / 2, 1);
        EXPECT_NEAR((hlavni.top + hlavni.bottom) / 2, (r.top + r.bottom) / 2, 1);
    }
}

TEST_F(OknoHlavniDialogy, SecondPreferencesCommandBringsTheOpenDialogForwardInsteadOfAnother)
{
    Vytvorit();
    HWND hlavni = Okno();
    int poDruhem = 0, poRychlosti = 0;
    HWND vPopredi = nullptr, dialogOkno = nullptr;
    ASSERT_TRUE(SDialogem(
        [&](HWND dialog) {
            const DWORD vlakno = GetWindowThreadProcessId(dialog, nullptr);
            dialogOkno = dialog;
            SetForegroundWindow(hlavni);
            PostMessageW(hlavni, WM_COMMAND, MAKEWPARAM(ID_NASTROJE_PREDVOLBY, 0), 0);
            Sleep(300);
            poDruhem = PocetDialogu(vlakno);
            vPopredi = GetForegroundWindow();
            PostMessageW(hlavni, WM_COMMAND, MAKEWPARAM(ID_ANIMACE_RYCHLOST, 0), 0);
            Sleep(300);
            poRychlosti = PocetDialogu(vlakno);
            Kliknout(GetDlgItem(dialog, IDCANCEL));
        },
        [&] { Prikaz(ID_NASTROJE_PREDVOLBY); }));
    EXPECT_EQ(1, poDruhem) << "no second settings dialog";
    EXPECT_EQ(dialogOkno, vPopredi) << "the open one came to the front";
    EXPECT_EQ(1, poRychlosti) << "no speed dialog over it either";
    EXPECT_EQ(nullptr, dlgNastaveni);

    // Once it has ended, the command opens it again.
    EXPECT_TRUE(SDialogem([](HWND dialog) { Kliknout(GetDlgItem(dialog, IDCANCEL)); },
                          [&] { Prikaz(ID_NASTROJE_PREDVOLBY); }));
}

TEST_F(OknoHlavniDialogy, NewDefaultSpeedWaitsForTheDefaultCommandWhileTheNewStepActsAtOnce)
{
    VytvoritSAnimaci(3);
    ASSERT_TRUE(SDialogem(
        [](HWND dialog) {
            Napsat(GetDlgItem(dialog, IDC_NASTAVENI_RYCHLOST), L"250");
            Napsat(GetDlgItem(dialog, IDC_NASTAVENI_KROK), L"25");
            Kliknout(GetDlgItem(dialog, IDOK));
        },
        [&] { Prikaz(ID_NASTROJE_PREDVOLBY); }));
    EXPECT_EQ(250u, Ulozeno(L"rychlostAnimace").value_or(0));
    EXPECT_EQ(25u, Ulozeno(L"krokZmenyRychlosti").value_or(0));
    EXPECT_EQ(100u, okno->Rychlost()) << "the speed on screen stays";
    EXPECT_EQ(L"Rychlost: 100 %", Cast(kCastRychlost));
    Prikaz(ID_RYCHLOST_ZVYSIT);
    EXPECT_EQ(125u, okno->Rychlost());
    Prikaz(ID_RYCHLOST_VYCHOZI);
    EXPECT_EQ(250u, okno->Rychlost());
    EXPECT_EQ(L"Rychlost: 250 %", Cast(kCastRychlost));
}

} // namespace
