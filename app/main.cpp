// Process entry: start-up, the message loop, shutdown, in that order.
#include <windows.h>

#include "app/Aplikace.h"
#include "winlib/Handles.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const Tarnel::WinApi::ComApartment com;
    if (HRESULT hr = aplikace.Startup(); hr != S_OK) return hr; // quietly, with the failure as exit code
    const int kodUkonceni = SpustitSmyckuZprav();
    const HRESULT hr = aplikace.Shutdown();
    return hr != S_OK ? hr : kodUkonceni;
}
