#pragma once
// Exporting every frame of an animation to a folder.

namespace Bench {

// Exports all frames of 1280 x 720 x 30 and 640 x 480 x 60 as PNG and as BMP and prints the
// seconds each took, the milliseconds per frame, and beside them what saving one frame takes.
void ExportSnimku();

} // namespace Bench
