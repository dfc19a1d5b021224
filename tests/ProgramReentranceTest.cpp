// The real Animora.exe closed from outside (as Task Manager's "End task" or a log-off does)
// while one of its handlers waits in a modal loop: it ends normally, with exit code 0, and
// leaves the user's files as they were.
#include <windows.h>

#include <functional>

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/DialogDriver.h"
#include "tests/GifFixtures.h"
#include "tests/SkutecnyProgram.h"
#include "tests/TestSupport.h"

namespace {

constexpr DWORD kCekani = 15000;

// Waits, without pumping (this thread owns no window the program talks to), for a window.
HWND Pockat(const std::function<HWND()>& najit)
{
    const ULONGLONG konec = GetTickCount64() + kCekani;
    while (GetTickCount64() < konec) {
        if (HWND okno = najit()) return okno;
        Sleep(20);
    }
    return nullptr;
}

class ProgramReentrance : public testing::Test {
protected:
    void SetUp() override
    {
        gif = slozka.File(L"animace.gif");
        ASSERT_TRUE(GifFixtures::WriteGif(gif, GifFixtures::Animation(32, 24, 6)));
        puvodni = TestSupport::ReadBytes(gif);
        ASSERT_TRUE(program.Start(L"\"" + gif + L"\""));
        okno = program.HlavniOkno(kCekani);
        ASSERT_NE(nullptr, okno);
        vlakno = GetWindowThreadProcessId(okno, nullptr);
        PostMessageW(okno, WM_COMMAND, ID_ANIMACE_PRERUSIT, 0);
    }

    HWND DialogOf(HWND vlastnik) const { return DialogDriver::FindDialog(vlakno, vlastnik); }

    TestSupport::ScratchDir slozka;
    std::wstring gif;
    std::string puvodni;
    SkutecnyProgram program;
    HWND okno = nullptr;
    DWORD vlakno = 0;
};

TEST_F(ProgramReentrance, CloseDuringTheOverwriteQuestionEndsNormally)
{
    PostMessageW(okno, WM_COMMAND, ID_ANIMACE_ULOZITSNIMEK, 0);
    HWND ulozit = Pockat([&] { return DialogOf(okno); });
    ASSERT_NE(nullptr, ulozit) << "no save dialog";
    // A file of the user's of the type preselected: the dialog asks whether to overwrite it.
    const std::wstring cizi = slozka.File(L"cizi.png");
    const std::string obsah = "PNG? ne, soubor uzivatele";
    ASSERT_TRUE(TestSupport::WriteBytes(cizi, obsah.data(), obsah.size()));
    SendMessageW(DialogDriver::FirstVisibleEdit(ulozit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(cizi.c_str()));
    DialogDriver::Click(ulozit, IDOK);
    ASSERT_NE(nullptr, Pockat([&] { return DialogOf(ulozit); })) << "no overwrite question";

    PostMessageW(okno, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, program.KodUkonceni(kCekani));
    EXPECT_EQ(obsah, TestSupport::ReadBytes(cizi)) << "the file asked about is as it was";
    EXPECT_EQ(puvodni, TestSupport::ReadBytes(gif));
}

TEST_F(ProgramReentrance, SaveOverAFileAnotherProgramHoldsSaysSoAndKeepsIt)
{
    const std::wstring drzeny = slozka.File(L"držený.png");
    const std::string obsah = "another program holds this file";
    ASSERT_TRUE(TestSupport::WriteBytes(drzeny, obsah.data(), obsah.size()));
    HANDLE drzitel = CreateFileW(drzeny.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, drzitel);

    PostMessageW(okno, WM_COMMAND, ID_ANIMACE_ULOZITSNIMEK, 0);
    HWND ulozit = Pockat([&] { return DialogOf(okno); });
    ASSERT_NE(nullptr, ulozit) << "no save dialog";
    SendMessageW(DialogDriver::FirstVisibleEdit(ulozit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(drzeny.c_str()));
    DialogDriver::Click(ulozit, IDOK);
    HWND otazka = Pockat([&] { return DialogOf(ulozit); });
    ASSERT_NE(nullptr, otazka) << "no overwrite question";
    DialogDriver::Click(otazka, IDYES);
    HWND zprava = Pockat([&] { return DialogDriver::FindDialog(vlakno, okno, ulozit); });
    ASSERT_NE(nullptr, zprava) << "a failed save says so";
    wchar_t text[512] = {};
    SendMessageW(GetDlgItem(zprava, 0xFFFF), WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    EXPECT_NE(nullptr, wcsstr(text, drzeny.c_str())) << testing::PrintToString(std::wstring(text));
    DialogDriver::Click(zprava, IDOK);
    ASSERT_NE(nullptr, Pockat([&] { return IsWindow(zprava) ? nullptr : okno; })) << "the box stays";
    CloseHandle(drzitel);

    EXPECT_EQ(obsah, TestSupport::ReadBytes(drzeny)) << "the user's file is as it was";
    EXPECT_EQ(2u, TestSupport::FilesIn(slozka.Path()).size()) << "nothing is left beside it";
    PostMessageW(okno, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, program.KodUkonceni(kCekani));
}

TEST_F(ProgramReentrance, CloseDuringTheOpenDialogEndsNormally)
{
    PostMessageW(okno, WM_COMMAND, ID_SOUBOR_OTEVRIT, 0);
    ASSERT_NE(nullptr, Pockat([&] { return DialogOf(okno); }));
    PostMessageW(okno, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, program.KodUkonceni(kCekani));
}

TEST_F(ProgramReentrance, EndedSessionThenCloseDuringTheContextMenuEndsNormally)
{
    PostMessageW(okno, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(okno), -1);
    ASSERT_NE(nullptr, Pockat([&]() -> HWND {
        HWND menu = FindWindowW(L"#32768", nullptr);
        return menu && IsWindowVisible(menu) ? menu : nullptr;
    }));
    SendMessageTimeoutW(okno, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, kCekani, nullptr);
    PostMessageW(okno, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, program.KodUkonceni(kCekani));
    EXPECT_EQ(puvodni, TestSupport::ReadBytes(gif));
}

} // namespace
