// The settings store against a real (scratch) registry key.
#include <gtest/gtest.h>

#include "settings/KlicRegistru.h"
#include "settings/Nastaveni.h"
#include "tests/TestSupport.h"

namespace {

class NastaveniTest : public testing::Test {
protected:
    void SetUp() override { nastaveni = Nastaveni{}; }

    static void Zapsat(const wchar_t* nazev, DWORD typ, const void* data, DWORD velikost)
    {
        HKEY klic = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, kKlicAplikace, 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &klic, nullptr));
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(klic, nazev, 0, typ, static_cast<const BYTE*>(data), velikost));
        RegCloseKey(klic);
    }
    static void ZapsatDword(const wchar_t* nazev, DWORD hodnota) { Zapsat(nazev, REG_DWORD, &hodnota, sizeof hodnota); }

    static bool CistHodnotu(const wchar_t* nazev, DWORD& typ, DWORD& hodnota)
    {
        DWORD velikost = sizeof hodnota;
        return RegGetValueW(HKEY_CURRENT_USER, kKlicAplikace, nazev, RRF_RT_ANY, &typ, &hodnota, &velikost) ==
                   ERROR_SUCCESS &&
               velikost == 4;
    }

    TestSupport::ScratchRegistry registr_;
};

TEST_F(NastaveniTest, MissingKeyKeepsDefaultsAndCreatesNothing)
{
    EXPECT_EQ(1, NacistNastaveni());
    EXPECT_EQ(100u, nastaveni.rychlostAnimace);
    EXPECT_EQ(10u, nastaveni.krokZmenyRychlosti);
    HKEY klic = nullptr;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, kKlicAplikace, 0, KEY_READ, &klic));
}

TEST_F(NastaveniTest, OneValuePresentOtherKeepsDefault)
{
    ZapsatDword(L"krokZmenyRychlosti", 25);
    EXPECT_EQ(S_OK, NacistNastaveni());
    EXPECT_EQ(25u, nastaveni.krokZmenyRychlosti);
    EXPECT_EQ(100u, nastaveni.rychlostAnimace);
}

TEST_F(NastaveniTest, ValueTypeIsNotLookedAtButLengthIs)
{
    const DWORD binarni = 250;
    Zapsat(L"rychlostAnimace", REG_BINARY, &binarni, 4);
    const wchar_t text[] = L"dlouhý text";
    Zapsat(L"krokZmenyRychlosti", REG_SZ, text, sizeof text);
    EXPECT_EQ(S_OK, NacistNastaveni());
    EXPECT_EQ(250u, nastaveni.rychlostAnimace);
    EXPECT_EQ(10u, nastaveni.krokZmenyRychlosti) << "data longer than 4 bytes must be ignored";
}

TEST_F(NastaveniTest, ShortDataFillsLowBytes)
{
    const unsigned char dva[] = {0x2C, 0x01}; // 300
    Zapsat(L"rychlostAnimace", REG_BINARY, dva, 2);
    EXPECT_EQ(S_OK, NacistNastaveni());
    EXPECT_EQ(300u, nastaveni.rychlostAnimace);
}

TEST_F(NastaveniTest, OutOfRangeValuesArePulledIntoTheDialogRanges)
{
    struct Pripad {
        DWORD rychlost, krok, ocekavanaRychlost, ocekavanyKrok;
    };
    const Pripad pripady[] = {
        {0, 0, 10, 1}, {9, 101, 10, 100}, {5000, 0xFFFFFFFF, 1000, 100}, {10, 1, 10, 1}, {1000, 100, 1000, 100}, {437, 33, 437, 33},
    };
    for (const auto& p : pripady) {
        nastaveni = Nastaveni{};
        ZapsatDword(L"rychlostAnimace", p.rychlost);
        ZapsatDword(L"krokZmenyRychlosti", p.krok);
        EXPECT_EQ(S_OK, NacistNastaveni());
        EXPECT_EQ(p.ocekavanaRychlost, nastaveni.rychlostAnimace) << "stored speed " << p.rychlost;
        EXPECT_EQ(p.ocekavanyKrok, nastaveni.krokZmenyRychlosti) << "stored step " << p.krok;
    }
}

TEST_F(NastaveniTest, SavingWritesBothValuesAsDwords)
{
    Nastaveni zaznam;
    zaznam.rychlostAnimace = 340;
    EXPECT_EQ(S_OK, UlozitNastaveni(zaznam));
    DWORD typ = 0, hodnota = 0;
    ASSERT_TRUE(CistHodnotu(L"rychlostAnimace", typ, hodnota));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), typ);
    EXPECT_EQ(340u, hodnota);
    ASSERT_TRUE(CistHodnotu(L"krokZmenyRychlosti", typ, hodnota));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), typ);
    EXPECT_EQ(10u, hodnota);

    nastaveni.rychlostAnimace = 1;
    EXPECT_EQ(S_OK, NacistNastaveni());
    EXPECT_EQ(340u, nastaveni.rychlostAnimace);
}

TEST_F(NastaveniTest, KeyObjectReportsMissingValueAndKeepsTarget)
{
    ZapsatDword(L"rychlostAnimace", 77);
    KlicRegistru klic(kKlicAplikace);
    ASSERT_EQ(ERROR_SUCCESS, klic.Otevrit());
    DWORD cil = 5;
    EXPECT_EQ(1, klic.CistDword(L"neexistuje", cil));
    EXPECT_EQ(5u, cil);
    EXPECT_EQ(S_OK, klic.CistDword(L"rychlostAnimace", cil));
    EXPECT_EQ(77u, cil);
}

} // namespace
