#pragma once
// A frame change in the main window (800 x 600) at the zoom of each column: fitted, actual
// size, 800 % and 3200 %; only the part in view is drawn, so the closer looks cost no more.

namespace Bench {

void Priblizeni();

} // namespace Bench
