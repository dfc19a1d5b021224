#pragma once
// Frame delays as a GIF file's own Graphic Control Extensions give them. Wine 8's decoder
// reports a delay of 0 for every frame whose control extension is followed by an application
// extension (ImageMagick writes one after each), so such files would play at the timer's
// minimum; the file itself still says how long each frame stays.
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

// One entry per complete frame, in order: the delay (hundredths of a second) of the last
// control extension before the frame, 0 for a frame without one. Walking stops at the trailer
// or at anything it cannot read, so a damaged file yields the frames before the damage;
// data that is not a GIF yields none.
std::vector<UINT> GifFrameDelays(const BYTE* data, size_t size);
std::vector<UINT> GifFileFrameDelays(const std::wstring& path);

// Puts the file's delay in place of each 0 in the decoder's table, but only when the file
// lists exactly the frames the decoder found: otherwise the two do not speak of the same
// frames. A non-zero delay of the decoder is never replaced. Returns how many were.
size_t RepairDelays(UINT* table, size_t entries, UINT frameCount, const std::vector<UINT>& fileDelays);
