#include "tests/DialogyTest.h"

#include "app/Aplikace.h"
#include "resources/resource.h"
#include "settings/Nastaveni.h"

void DialogyTest::SetUp()
{
    nastaveni = Nastaveni{};
    vlastnik_.emplace();
    ASSERT_NE(nullptr, Vlastnik());
}

void DialogyTest::TearDown()
{
    vlastnik_.reset();
    TestSupport::PumpMessages();
    nastaveni = Nastaveni{};
}

INT_PTR DialogyTest::Spustit(Tarnel::WinApi::DialogImpl& dialog, ObsluhaDialogu::Skript skript)
{
    INT_PTR vysledek = 0;
    EXPECT_TRUE(ObsluhaDialogu::Obslouzit([&] { vysledek = dialog.DoModal(Vlastnik()); }, std::move(skript)))
        << "the dialog showed and ended as a user ends it";
    return vysledek;
}

std::vector<ObsluhaDialogu::Skript> DialogyTest::ZpusobyZruseni(int prvek)
{
    return {
        [](HWND okno) { Uzivatel::Kliknout(GetDlgItem(okno, IDCANCEL)); },
        [prvek](HWND okno) { Uzivatel::Stisknout(GetDlgItem(okno, prvek), VK_ESCAPE); },
        [](HWND okno) { Uzivatel::ZavritKrizkem(okno); },
    };
}

std::optional<DWORD> DialogyTest::Hodnota(const wchar_t* nazev)
{
    DWORD typ = 0;
    DWORD hodnota = 0;
    DWORD velikost = sizeof hodnota;
    if (RegGetValueW(HKEY_CURRENT_USER, kKlicAplikace, nazev, RRF_RT_ANY, &typ, &hodnota, &velikost) != ERROR_SUCCESS)
        return std::nullopt;
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), typ) << testing::PrintToString(std::wstring(nazev));
    EXPECT_EQ(4u, velikost);
    return hodnota;
}

bool DialogyTest::KlicExistuje()
{
    HKEY klic = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKlicAplikace, 0, KEY_READ, &klic) != ERROR_SUCCESS) return false;
    RegCloseKey(klic);
    return true;
}

void DialogyTest::ZakazatZapis()
{
    // The keys above it are made first: created along with it, they would be volatile too.
    HKEY klic = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Tarnel", 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &klic, nullptr));
    RegCloseKey(klic);
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Tarnel\\Animora", 0, nullptr,
                                             REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &klic, nullptr));
    RegCloseKey(klic);
    ASSERT_NE(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, kKlicAplikace, 0, nullptr, 0, 0x0002001F, nullptr,
                                             &klic, nullptr))
        << "a stored key below a volatile one";
}
