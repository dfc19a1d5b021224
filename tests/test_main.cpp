// Entry of the test executable: the process is set up as the program sets itself up
// (COM apartment, common controls, GDI+), then GoogleTest runs. A test that needs a
// second process starts this executable again with "--child=NAME"; see ChildModes.
#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include "tests/ChildModes.h"

int wmain(int argc, wchar_t** argv)
{
    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof icc, 0x2FFF};
    InitCommonControlsEx(&icc);
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);

    for (int i = 1; i < argc; ++i) {
        if (wcsncmp(argv[i], L"--child=", 8) == 0) return RunChildMode(argv[i] + 8, argc - i - 1, argv + i + 1);
    }

    testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    Gdiplus::GdiplusShutdown(token);
    CoUninitialize();
    return result;
}
