#pragma once
// The frames overview panel scrolled upwards through a large animation.

namespace Bench {

// Scrolls the panel's list of 60 frames of 1280 x 720 from its end back to its start, one
// row a step, and prints the time each step took to show its newly exposed row, without the
// row cache and with it.
void PrehledSnimku();

} // namespace Bench
