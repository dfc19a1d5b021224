#pragma once
// The real main window in the test process: set up as start-up sets it up, driven by real
// messages, and read back through its controls (status bar texts, toolbar and menu states).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/OknoHlavni.h"
#include "tests/GifFixtures.h"
#include "tests/IdentitaProgramu.h"
#include "tests/TestSupport.h"

// The main window with the animation timer watched: every interval asked for is kept.
class SledovaneOkno : public OknoHlavni {
public:
    std::vector<UINT> intervaly;
    int zruseni = 0;

protected:
    BOOL NastavitCasovac(UINT intervalMs) override
    {
        intervaly.push_back(intervalMs);
        return OknoHlavni::NastavitCasovac(intervalMs);
    }
    BOOL ZrusitCasovac() override
    {
        ++zruseni;
        return OknoHlavni::ZrusitCasovac();
    }
};

// The four playback states of the command table.
enum class Stav { Prazdny, Obrazek, Pozastaveno, Prehrava };

class OknoHlavniTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the window the way start-up does (without a path unless given).
    void Vytvorit(const wchar_t* cesta = nullptr);
    HWND Okno() const { return okno->Handle(); }

    // A GIF written into the scratch folder.
    std::wstring Gif(const std::wstring& nazev, const GifFixtures::GifRecipe& popis);
    // Frames of 16x16 held for several seconds each, so that no real tick interferes.
    std::wstring PomalaAnimace(int pocetSnimku = 4);
    // The window created with such an animation open, playing or paused at its first frame.
    void VytvoritSAnimaci(int pocetSnimku = 4, bool spustit = true)
    {
        Vytvorit();
        okno->OtevritSoubor(PomalaAnimace(pocetSnimku), spustit);
    }

    void Prikaz(UINT id) { SendMessageW(Okno(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    void Tik() { SendMessageW(Okno(), WM_TIMER, TIMER_ANIMACE, 0); }
    // Builds a real drop of the files and posts it to the window, then lets it arrive.
    void Pustit(const std::vector<std::wstring>& soubory);

    HWND StavovaLista() const { return FindWindowExW(Okno(), nullptr, STATUSCLASSNAMEW, nullptr); }
    HWND Rebar() const { return FindWindowExW(Okno(), nullptr, REBARCLASSNAMEW, nullptr); }
    HWND Panel() const { return Rebar() ? FindWindowExW(Rebar(), nullptr, TOOLBARCLASSNAMEW, nullptr) : nullptr; }
    HWND Seznam() const { return FindWindowExW(Okno(), nullptr, L"ListBox", nullptr); }

    std::wstring Cast(int cast) const;
    bool TlacitkoPovoleno(int prikaz) const;
    bool MenuPovoleno(int prikaz) const;
    bool MenuZaskrtnuto(int prikaz) const;
    // Checks every command state, the counter and the timer against the state's row.
    void OcekavatStav(Stav stav, const char* kde);

    IdentitaProgramu identita;
    TestSupport::ScratchRegistry registr;
    TestSupport::ScratchDir slozka;
    std::unique_ptr<SledovaneOkno> okno;
};

// What a popup menu looked like while it was open, caught from inside its modal loop.
struct ZachyceneMenu {
    static constexpr UINT kPodmenu = 0xFFFFFFFF;
    bool otevreno = false;
    RECT poloha{};
    std::vector<UINT> polozky;     // items of the tracked popup: commands, 0 for separators
    std::map<UINT, UINT> stavy;    // GetMenuState of every command anywhere in the tree
};
// Runs the action (which opens a popup menu) and closes the menu as soon as it shows.
ZachyceneMenu ZachytitMenu(const std::function<void()>& akce);
