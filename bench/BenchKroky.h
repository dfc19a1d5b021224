#pragma once
// Steps forward and back and playback from the second loop in the main window, with the
// cache of drawn frames and without it, on animations written as common encoders write them.

namespace Bench {

void KrokyAPrehravani();

} // namespace Bench
