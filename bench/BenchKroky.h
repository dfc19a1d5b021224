#pragma once
// Steps forward and back and playback from the second loop in the main window, with the
// cache of drawn frames and without it, on animations written as common encoders write them.

#include <windows.h>

#include <vector>

namespace Bench {

void KrokyAPrehravani();
// Runs the main window's own message loop and records when its frame changes (after the
// tick that changed it has drawn the frame), until it has changed `zmen` times.
std::vector<LONGLONG> Prehravat(int zmen);

} // namespace Bench
