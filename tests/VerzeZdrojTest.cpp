// Every version the resource gives is the one CMake generated from project(VERSION), so a
// version written into the resource script by hand shows up here.
#include <gtest/gtest.h>

#include <string>

#include "animora_version.h"
#include "winlib/Verze.h"

using namespace Tarnel::WinApi;

TEST(VerzeZdroj, TextAndFixedVersionsAreTheGeneratedOne)
{
    const std::string vygenerovana = ANIMORA_VERSION_TEXT;
    const std::wstring ocekavana(vygenerovana.begin(), vygenerovana.end());

    std::wstring souborova, produktova;
    ASSERT_EQ(S_OK, ReadVersionString(L"FileVersion", souborova));
    ASSERT_EQ(S_OK, ReadVersionString(L"ProductVersion", produktova));
    WORD major = 0, minor = 0, build = 0, revision = 0;
    ASSERT_EQ(S_OK, ReadProductVersion(major, minor, build, revision));
    const std::wstring pevna = std::to_wstring(major) + L"." + std::to_wstring(minor) + L"." + std::to_wstring(build) +
                               L"." + std::to_wstring(revision);

    EXPECT_EQ(ocekavana, souborova);
    EXPECT_EQ(ocekavana, produktova);
    EXPECT_EQ(ocekavana, pevna);
}
