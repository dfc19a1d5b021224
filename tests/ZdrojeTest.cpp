// What must hold for every dialog, menu and text the program compiles in, so that a control
// added, moved or renumbered in the resource script cannot break a dialog unseen: controls
// lie inside their dialog, ids and access keys do not repeat, the keyboard reaches every
// control, every text the program asks for exists, and links show the address they open.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "resources/resource.h"
#include "tests/SablonaDialogu.h"
#include "tests/TestSupport.h"

using SablonaDialogu::Prvek;
using SablonaDialogu::Sablona;

namespace {

constexpr DWORD kBezId = 0xFFFF; // a static the program never addresses

bool Tlacitko(const Prvek& p, DWORD typ) { return p.trida == L"BUTTON" && (p.styl & BS_TYPEMASK) == typ; }
bool Prepinac(const Prvek& p) { return Tlacitko(p, BS_RADIOBUTTON) || Tlacitko(p, BS_AUTORADIOBUTTON); }

// Controls the user works with the keyboard; statics and group boxes only label them.
bool Ovladany(const Prvek& p)
{
    if (p.trida == L"STATIC" || Tlacitko(p, BS_GROUPBOX)) return false;
    return !(p.styl & WS_DISABLED);
}

// The letter after a single '&', lower case; 0 when the text has none.
wchar_t KlavesaPristupu(const std::wstring& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&') continue;
        if (text[i + 1] != L'&') return static_cast<wchar_t>(towlower(text[i + 1]));
        ++i;
    }
    return 0;
}

std::wstring Retezec(UINT id)
{
    const wchar_t* text = nullptr;
    const int delka = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return delka > 0 ? std::wstring(text, static_cast<size_t>(delka)) : std::wstring();
}

const Prvek* NajitPrvek(const Sablona& s, DWORD id)
{
    for (const Prvek& p : s.prvky)
        if (p.id == id) return &p;
    return nullptr;
}

} // namespace

TEST(Zdroje, EveryControlLiesInsideItsDialogWithAnIdAndAccessKeyOfItsOwn)
{
    const auto dialogy = SablonaDialogu::VsechnyDialogy();
    ASSERT_GE(dialogy.size(), 4u);
    for (UINT id : dialogy) {
        const Sablona s = SablonaDialogu::Nacist(id);
        SCOPED_TRACE("dialog " + std::to_string(id));
        ASSERT_TRUE(s.nalezena) << "a DIALOGEX template";
        EXPECT_TRUE(s.styl & DS_SETFONT) << "the dialog font";
        ASSERT_FALSE(s.prvky.empty());
        std::set<DWORD> ids;
        std::map<wchar_t, std::wstring> klavesy;
        int vychozich = 0;
        for (const Prvek& p : s.prvky) {
            SCOPED_TRACE("control " + std::to_string(p.id));
            EXPECT_GE(p.misto.left, 0);
            EXPECT_GE(p.misto.top, 0);
            EXPECT_LE(p.misto.right, s.rozmer.cx);
            EXPECT_LE(p.misto.bottom, s.rozmer.cy);
            EXPECT_LT(p.misto.left, p.misto.right) << "not empty";
            EXPECT_LT(p.misto.top, p.misto.bottom);
            EXPECT_TRUE(p.styl & WS_CHILD);
            if (p.id != kBezId && p.id != static_cast<DWORD>(-1)) {
                EXPECT_TRUE(ids.insert(p.id).second) << "the id repeats";
            }
            if (const wchar_t k = KlavesaPristupu(p.text)) {
                const auto [jiny, novy] = klavesy.emplace(k, p.text);
                EXPECT_TRUE(novy) << "&" << static_cast<char>(k) << " also in " << testing::PrintToString(jiny->second);
            }
            vychozich += Tlacitko(p, BS_DEFPUSHBUTTON);
        }
        EXPECT_LE(vychozich, 1) << "one default button at the most";
    }
}

TEST(Zdroje, TabReachesEveryControlAndRadioButtonsGoInGroups)
{
    for (UINT id : SablonaDialogu::VsechnyDialogy()) {
        const Sablona s = SablonaDialogu::Nacist(id);
        SCOPED_TRACE("dialog " + std::to_string(id));
        int zastaveni = 0;
        for (size_t i = 0; i < s.prvky.size(); ++i) {
            const Prvek& p = s.prvky[i];
            SCOPED_TRACE("control " + std::to_string(p.id));
            if (Ovladany(p) && !Prepinac(p)) {
                EXPECT_TRUE(p.styl & WS_TABSTOP) << "Tab passes it by";
            }
            zastaveni += (p.styl & WS_TABSTOP) != 0;
            if (!Prepinac(p)) continue;
            // Arrow keys move within a run of radio buttons: the run starts a group, which
            // the control after it ends, and Tab stops at its first button.
            const bool prvni = i == 0 || !Prepinac(s.prvky[i - 1]);
            if (prvni) {
                EXPECT_TRUE(p.styl & WS_GROUP) << "a run of radio buttons starts a group";
                EXPECT_TRUE(p.styl & WS_TABSTOP);
            } else {
                EXPECT_FALSE(p.styl & WS_GROUP) << "inside the run";
            }
            if (i + 1 < s.prvky.size() && !Prepinac(s.prvky[i + 1])) {
                EXPECT_TRUE(s.prvky[i + 1].styl & WS_GROUP) << "the control after the run ends the group";
            }
        }
        EXPECT_GT(zastaveni, 0) << "the keyboard reaches the dialog";
    }
}

TEST(Zdroje, EveryTextIdOfTheProgramAndEveryMenuCommandHasItsText)
{
    // The ids come from the header the program is built with, so a text id added to the
    // program but not to the string table fails here.
    const std::string hlavicka = TestSupport::ReadBytes(TestSupport::SourceFile(L"resources\\resource.h")) +
                                 TestSupport::ReadBytes(TestSupport::SourceFile(L"resources\\resource_export.h"));
    ASSERT_FALSE(hlavicka.empty());
    const std::regex definice(R"(#define\s+(IDS?_[A-Z0-9_]+)\s+(\d+))");
    std::set<UINT> texty;
    for (std::sregex_iterator it(hlavicka.begin(), hlavicka.end(), definice), konec; it != konec; ++it)
        texty.insert(static_cast<UINT>(std::stoul((*it)[2])));
    EXPECT_TRUE(texty.count(IDS_PRIPRAVEN) && texty.count(ID_SOUBOR_KONEC)) << "the header was read";

    for (UINT menu : {IDR_HLAVNI_MENU, IDR_KONTEXTOVE_MENU, IDR_MENU_RYCHLOST}) {
        HMENU m = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(menu));
        ASSERT_NE(nullptr, m) << menu;
        const std::set<UINT> prikazy = TestSupport::MenuCommands(m);
        DestroyMenu(m);
        EXPECT_FALSE(prikazy.empty()) << menu;
        texty.insert(prikazy.begin(), prikazy.end());
    }
    for (UINT id : texty) EXPECT_NE(L"", Retezec(id)) << "no text for id " << id;
}

TEST(Zdroje, EveryMenuItemHasAnAccessKeyOfItsOwnInItsMenu)
{
    // The context menu is left out: its texts are the bar's own, and there Zavřít and
    // Zobrazit meet at one level, both on Z.
    for (UINT id : {IDR_HLAVNI_MENU, IDR_MENU_RYCHLOST}) {
        HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
        ASSERT_NE(nullptr, menu) << id;
        std::vector<HMENU> zbyva{menu};
        while (!zbyva.empty()) {
            HMENU m = zbyva.back();
            zbyva.pop_back();
            std::map<wchar_t, std::wstring> klavesy;
            for (int i = 0; i < GetMenuItemCount(m); ++i) {
                if (HMENU podmenu = GetSubMenu(m, i)) zbyva.push_back(podmenu);
                wchar_t text[128] = L"";
                if (!GetMenuStringW(m, static_cast<UINT>(i), text, 128, MF_BYPOSITION)) continue; // a separator
                const wchar_t k = KlavesaPristupu(text);
                if (k == 0) continue; // the web address, shown as it is written
                const auto [jiny, novy] = klavesy.emplace(k, text);
                EXPECT_TRUE(novy) << "menu " << id << ": " << testing::PrintToString(std::wstring(text)) << " and "
                                  << testing::PrintToString(jiny->second);
            }
        }
        DestroyMenu(menu);
    }
}

TEST(Zdroje, LinksShowTheAddressesTheProgramOpens)
{
    // The web link of the settings opens the maker's site through its href.
    const Sablona predvolby = SablonaDialogu::Nacist(IDD_NASTAVENI);
    const Prvek* nastaveni = NajitPrvek(predvolby, IDC_NASTAVENI_ODKAZ);
    ASSERT_NE(nullptr, nastaveni);
    EXPECT_NE(std::wstring::npos, nastaveni->text.find(L"<a href=\"" ANIMORA_WEB_URL L"\">"))
        << testing::PrintToString(nastaveni->text);
    // A shown address may end in a no-break space that keeps its last letter from being clipped.
    EXPECT_NE(std::wstring::npos, nastaveni->text.find(L">" ANIMORA_WEB_MENU_TEXT L"\u00a0</a>"))
        << testing::PrintToString(nastaveni->text);

    const Sablona info = SablonaDialogu::Nacist(IDD_PROGRAM_INFO);
    const Prvek* web = NajitPrvek(info, IDC_INFO_WEB);
    const Prvek* email = NajitPrvek(info, IDC_INFO_EMAIL);
    ASSERT_TRUE(web && email);
    EXPECT_EQ(L"SYSLINK", web->trida);
    EXPECT_NE(std::wstring::npos, web->text.find(L"<a>" ANIMORA_WEB_MENU_TEXT L"\u00A0</a>"));
    EXPECT_NE(std::wstring::npos, email->text.find(L"<a>" ANIMORA_EMAIL L"</a>"));
    const std::wstring adresa = ANIMORA_WEB_URL;
    const std::wstring text = L"" ANIMORA_WEB_MENU_TEXT;
    EXPECT_EQ(text, adresa.substr(adresa.size() - text.size()));
    const std::wstring posta = ANIMORA_EMAIL;
    EXPECT_EQ(text.substr(text.find(L'.') + 1), posta.substr(posta.find(L'@') + 1)) << "the support address is of its domain";
}

TEST(Zdroje, ProgramInfoLeavesTheBandForTheMakersOtherProductsEmpty)
{
    const Sablona s = SablonaDialogu::Nacist(IDD_PROGRAM_INFO);
    ASSERT_FALSE(s.prvky.empty());
    for (const Prvek& p : s.prvky) EXPECT_TRUE(p.misto.top >= 137 || p.misto.bottom <= 99) << p.id;
}
