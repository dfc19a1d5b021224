#pragma once
// Finding and working the dialogs a test's other thread shows, as a user would.
#include <windows.h>

#include <string>
#include <vector>

namespace DialogDriver {

std::wstring ClassOf(HWND window);
std::vector<HWND> Children(HWND parent);
// A visible dialog-class window of the thread, other than `except`, whose owner is `owner`
// when one is given.
HWND FindDialog(DWORD thread, HWND owner = nullptr, HWND except = nullptr);
// The file name box of a common item dialog: its first visible edit control.
HWND FirstVisibleEdit(HWND dialog);
// Clicks a button by posting, so that a modal box the click opens cannot block the caller.
void Click(HWND dialog, int id);

} // namespace DialogDriver
