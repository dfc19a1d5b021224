#pragma once
// GIFs decoded by the program's own decoder beside the image library's: opening to the first
// frame, a frame change, and a step back at the last frame.

namespace Bench {

void Dekodery();

} // namespace Bench
