// The keyboard's rules that need no window: which commands a key runs, which command's state
// governs a move only the keyboard makes, and the order of a folder. Where the jumps land is
// checked on the window.
#include <gtest/gtest.h>

#include "app/Klavesy.h"
#include "frames/SousedniObrazek.h"
#include "resources/resource.h"

namespace {

Klavesa Vk(UINT vk, bool shift = false, bool ctrl = false, bool alt = false)
{
    Klavesa k;
    k.vk = vk;
    k.shift = shift;
    k.ctrl = ctrl;
    k.alt = alt;
    return k;
}

Klavesa Znak(wchar_t znak, bool ctrl = false)
{
    Klavesa k;
    k.znak = znak;
    k.ctrl = ctrl;
    return k;
}

std::string Popis(const Klavesa& k)
{
    return "vk " + std::to_string(k.vk) + " char " + std::to_string(k.znak) + (k.shift ? " shift" : "") +
           (k.ctrl ? " ctrl" : "") + (k.alt ? " alt" : "");
}

} // namespace

TEST(Klavesy, EachKeyRunsItsCommandsAndAStepWhilePlayingPausesFirst)
{
    constexpr UINT P = ID_ANIMACE_PRERUSIT;
    const struct {
        Klavesa klavesa;
        PrikazyKlavesy stoji;   // paused, stopped or no animation
        PrikazyKlavesy hraje;   // playing
    } radky[] = {
        {Vk(VK_SPACE), {ID_ANIMACE_SPUSTIT, 0}, {P, 0}},
        {Vk(VK_RIGHT), {ID_ANIMACE_KROKVPRED, 0}, {P, ID_ANIMACE_KROKVPRED}},
        {Znak(L'.'), {ID_ANIMACE_KROKVPRED, 0}, {P, ID_ANIMACE_KROKVPRED}},
        {Vk(VK_LEFT), {ID_ANIMACE_KROKZPET, 0}, {P, ID_ANIMACE_KROKZPET}},
        {Znak(L','), {ID_ANIMACE_KROKZPET, 0}, {P, ID_ANIMACE_KROKZPET}},
        {Vk(VK_RIGHT, true), {ID_SNIMEK_VPRED_O_DESET, 0}, {P, ID_SNIMEK_VPRED_O_DESET}},
        {Vk(VK_LEFT, true), {ID_SNIMEK_ZPET_O_DESET, 0}, {P, ID_SNIMEK_ZPET_O_DESET}},
        {Vk(VK_HOME), {ID_SNIMEK_PRVNI, 0}, {P, ID_SNIMEK_PRVNI}},
        {Vk(VK_END), {ID_SNIMEK_POSLEDNI, 0}, {P, ID_SNIMEK_POSLEDNI}},
        {Znak(L'+'), {ID_RYCHLOST_ZVYSIT, 0}, {ID_RYCHLOST_ZVYSIT, 0}},
        {Znak(L'-'), {ID_RYCHLOST_SNIZIT, 0}, {ID_RYCHLOST_SNIZIT, 0}},
        {Znak(L'*'), {ID_RYCHLOST_VYCHOZI, 0}, {ID_RYCHLOST_VYCHOZI, 0}},
        {Znak(L'0'), {ID_RYCHLOST_VYCHOZI, 0}, {ID_RYCHLOST_VYCHOZI, 0}},
        {Vk(VK_ESCAPE), {ID_ANIMACE_ZASTAVIT, 0}, {ID_ANIMACE_ZASTAVIT, 0}},
        {Vk('O', false, true), {ID_SOUBOR_OTEVRIT, 0}, {ID_SOUBOR_OTEVRIT, 0}},
        {Vk('S', false, true), {ID_ANIMACE_ULOZITSNIMEK, 0}, {ID_ANIMACE_ULOZITSNIMEK, 0}},
        {Vk('W', false, true), {ID_SOUBOR_ZAVRIT, 0}, {ID_SOUBOR_ZAVRIT, 0}},
        {Vk(VK_NEXT), {ID_SOUBOR_DALSI_VE_SLOZCE, 0}, {ID_SOUBOR_DALSI_VE_SLOZCE, 0}},
        {Vk(VK_PRIOR), {ID_SOUBOR_PREDCHOZI_VE_SLOZCE, 0}, {ID_SOUBOR_PREDCHOZI_VE_SLOZCE, 0}},
        // Not ours: the letters without Ctrl, Ctrl with Shift, AltGr's characters, the
        // control codes Ctrl types, and the list's own up and down arrows.
        {Vk('O'), {}, {}},
        {Vk('O', true, true), {}, {}},
        {Vk(VK_RIGHT, false, true, true), {}, {}},
        {Znak(L'+', true), {}, {}},
        {Znak(0x0F), {}, {}},
        {Vk(VK_DOWN), {}, {}},
        {Vk(VK_UP), {}, {}},
    };
    for (const auto& r : radky) {
        EXPECT_EQ(r.stoji, UrcitPrikazyKlavesy(r.klavesa, false)) << Popis(r.klavesa);
        EXPECT_EQ(r.hraje, UrcitPrikazyKlavesy(r.klavesa, true)) << Popis(r.klavesa) << " while playing";
        EXPECT_EQ(r.stoji[0] != 0, JeKlavesaOkna(r.klavesa)) << Popis(r.klavesa);
    }
}

TEST(Klavesy, TheKeyboardsOwnMovesFollowTheStateOfTheCommandTheyExtend)
{
    const Podminky pozastaveno{true, true, false};
    const Podminky hraje{true, true, true};
    const Podminky obrazek{true, false, false};
    const struct {
        UINT prikaz;
        Podminky podminky;
        bool povoleno;
    } radky[] = {
        {ID_SNIMEK_PRVNI, pozastaveno, true},
        {ID_SNIMEK_POSLEDNI, hraje, false},
        {ID_SNIMEK_VPRED_O_DESET, obrazek, false},
        {ID_SNIMEK_ZPET_O_DESET, pozastaveno, true},
        {ID_ANIMACE_SPUSTIT, hraje, false},
        {ID_ANIMACE_ULOZITSNIMEK, hraje, false},
        {ID_ANIMACE_ULOZITSNIMEK, obrazek, true},
        // Commands the table does not list always run: opening, the speed, the folder.
        {ID_SOUBOR_DALSI_VE_SLOZCE, Podminky{}, true},
        {ID_RYCHLOST_ZVYSIT, Podminky{}, true},
    };
    for (const auto& r : radky)
        EXPECT_EQ(r.povoleno, PrikazPovolen(r.prikaz, UrcitStavyPrikazu(r.podminky, false, false))) << r.prikaz;
    EXPECT_EQ(static_cast<UINT>(ID_SOUBOR_OTEVRIT), PrikazStavu(ID_SOUBOR_PREDCHOZI_VE_SLOZCE))
        << "the folder is refused while a dialog waits, as an open is";
}

TEST(Klavesy, AFolderInExplorersOrderWrapsAtItsEnds)
{
    std::vector<std::wstring> nazvy{L"b.png", L"a10.gif", L"A1.GIF", L"a2.gif"};
    SeraditJakoPruzkumnik(nazvy);
    ASSERT_EQ((std::vector<std::wstring>{L"A1.GIF", L"a2.gif", L"a10.gif", L"b.png"}), nazvy);

    const struct {
        const wchar_t* aktualni;
        int smer;
        std::vector<size_t> poradi;
    } radky[] = {
        {L"a2.gif", 1, {2, 3, 0}},
        {L"a2.gif", -1, {0, 3, 2}},
        {L"b.png", 1, {0, 1, 2}},
        {L"a1.gif", -1, {3, 2, 1}}, // found whatever its case
        {L"a5.gif", 1, {2, 3, 0, 1}}, // gone meanwhile: from where it stood
        {L"a5.gif", -1, {1, 0, 3, 2}},
    };
    for (const auto& r : radky)
        EXPECT_EQ(r.poradi, PoradiSousedu(nazvy, r.aktualni, r.smer)) << testing::PrintToString(r.aktualni) << r.smer;
    EXPECT_TRUE(PoradiSousedu({L"a.gif"}, L"a.gif", 1).empty()) << "alone in its folder";

    for (const wchar_t* obrazek : {L"x.gif", L"X.JPEG", L"x.tif", L"x.Png", L"x.bmp"}) EXPECT_TRUE(JeNazevObrazku(obrazek));
    for (const wchar_t* jiny : {L"x.txt", L"gif", L"x.gif.bak", L"x"}) EXPECT_FALSE(JeNazevObrazku(jiny));
}
