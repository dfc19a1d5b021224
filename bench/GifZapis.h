#pragma once
// Writes large, realistically compressible animated GIFs for the benchmarks: every frame
// full-size, 256-colour global palette, real LZW compression.
#include <windows.h>

#include <string>

namespace Bench {

// count frames of width x height, each held delayCs hundredths of a second; the picture is
// a moving pattern, so every frame differs from the one before it.
bool ZapsatAnimaci(const std::wstring& cesta, int width, int height, int count, int delayCs);
// The same kind of animation written as common encoders write one: after the first frame,
// each frame is only the rectangle where it differs from the one before, drawn over it. A
// still background with a moving block.
bool ZapsatCastecnou(const std::wstring& cesta, int width, int height, int count, int delayCs);
// One frame of width x height in a single colour: a file of a few hundred kilobytes that
// decodes to a frame far larger than the process could copy whole.
bool ZapsatJednobarevny(const std::wstring& cesta, int width, int height);

} // namespace Bench
