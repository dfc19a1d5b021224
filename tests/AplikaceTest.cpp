// Start-up and shutdown: the failure path of start-up's own steps, and the real program
// started and closed as a separate process.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include "app/Aplikace.h"
#include "settings/Nastaveni.h"
#include "tests/SkutecnyProgram.h"
#include "tests/TestSupport.h"

namespace {

// An application whose icon step fails the way a missing resource does.
class AplikaceBezIkony : public Aplikace {
protected:
    HICON NacistIkonu(int, int) override
    {
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return nullptr;
    }
};

TEST(Aplikace, FailedStartupStepReturnsItsErrorWithoutAWindow)
{
    TestSupport::ScratchRegistry registr;
    AplikaceBezIkony app;
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_RESOURCE_TYPE_NOT_FOUND), app.Startup());
    EXPECT_EQ(nullptr, FindWindowW(L"Animora", nullptr)) << "no main window may have been made";
    EXPECT_EQ(L"Animora", app.nazevAplikace) << "steps before the failure ran";
    ASSERT_NE(nullptr, app.seznamObrazku);
    EXPECT_EQ(S_OK, app.Shutdown());
    EXPECT_EQ(nullptr, app.seznamObrazku);
    EXPECT_FALSE(app.gdiplus.Bezi());
    Tarnel::WinApi::SetFatalErrorHook(nullptr);
}

TEST(Aplikace, ProgramDeclinesFatalFailures)
{
    Aplikace app;
    EXPECT_EQ(E_NOTIMPL, app.OnFatalError(L"cokoli"));
    app.nazevAplikace = L"Animora";
    EXPECT_STREQ(L"Animora", app.GetAppName());
}

TEST(Aplikace, NormalStartAndCloseEndWithExitCodeZero)
{
    for (const wchar_t* argumenty : {L"", L"\"C:\\\\neexistuje\\\\x.gif\" druhy", L"C:\\\\windows"}) {
        SkutecnyProgram program;
        ASSERT_TRUE(program.Start(argumenty));
        HWND okno = program.HlavniOkno(20000);
        ASSERT_NE(nullptr, okno) << "arguments: " << testing::PrintToString(std::wstring(argumenty));
        wchar_t titulek[64] = {};
        GetWindowTextW(okno, titulek, 64);
        EXPECT_STREQ(L"Animora", titulek);
        EXPECT_EQ(L"Animora - připraven", TextStavu(okno)) << "no file is open";
        PostMessageW(okno, WM_CLOSE, 0, 0);
        EXPECT_EQ(0u, program.KodUkonceni(20000));
    }
}

TEST(Aplikace, StartsOnAFileGivenOnTheCommandLineByItsFullPath)
{
    // A name relative to the working folder is shown, and later reopened, by its full path.
    SkutecnyProgram program;
    ASSERT_TRUE(program.Start(L"nsgif_waves.gif", TestSupport::SharedGifs().c_str()));
    HWND okno = program.HlavniOkno(20000);
    ASSERT_NE(nullptr, okno);
    const std::wstring text = TextStavu(okno);
    EXPECT_EQ(L"nsgif_waves.gif - obsahuje snímků: 10, plná cesta: " + TestSupport::SharedGif(L"nsgif_waves.gif"), text);
    PostMessageW(okno, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, program.KodUkonceni(20000));
}

} // namespace
