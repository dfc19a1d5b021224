// The program's identity as its version resource gives it.
#include <gtest/gtest.h>

#include "winlib/Verze.h"

using namespace Tarnel::WinApi;

TEST(Verze, ProductNameAndNoticeComeFromTheCzechUnicodeBlock)
{
    std::wstring nazev;
    ASSERT_EQ(S_OK, ReadVersionString(L"ProductName", nazev));
    EXPECT_EQ(L"Animora", nazev);
    std::wstring pravo;
    ASSERT_EQ(S_OK, ReadVersionString(L"LegalCopyright", pravo));
    EXPECT_NE(std::wstring::npos, pravo.find(L"Tarnel"));
}

TEST(Verze, MissingValueFailsAndLeavesOutputAlone)
{
    std::wstring hodnota = L"beze změny";
    EXPECT_TRUE(FAILED(ReadVersionString(L"NicTakovehoNeni", hodnota)));
    EXPECT_EQ(L"beze změny", hodnota);
}

TEST(Verze, ProductVersionIsSplitIntoFourParts)
{
    WORD major = 9, minor = 9, build = 9, revision = 9;
    ASSERT_EQ(S_OK, ReadProductVersion(major, minor, build, revision));
    EXPECT_EQ(1, major);
    EXPECT_EQ(0, minor);
    EXPECT_EQ(0, build);
    EXPECT_EQ(4, revision);
}
