#pragma once
// Who the windows of this process say they are: the name in their captions and the two icons
// of their title bars. The program sets them once at start-up, before its first window, and
// any thread reads them afterwards; the window layer itself knows nothing of the program.
#include <windows.h>

#include <string>

namespace Tarnel::WinApi {

void NastavitIdentitu(const std::wstring& nazev, HICON velkaIkona, HICON malaIkona);
// Empty until set.
const std::wstring& NazevProgramu();
// Gives the window the big and the small icon (WM_SETICON); nothing when none is set.
void NastavitIkonyOkna(HWND okno);

} // namespace Tarnel::WinApi
