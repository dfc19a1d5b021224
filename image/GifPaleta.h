#pragma once
// A GIF frame with no colour table at all has no defined colours, and at least one widely
// used decoder crashes on such a frame instead of reporting a failure. Files with such a
// frame are turned away before they reach the decoder.
#include <windows.h>

#include <cstddef>
#include <string>

// True only for data that starts as a GIF, has no global colour table, and has a complete
// image descriptor without a local colour table. Anything else, including truncated or
// foreign data, is left to the decoder to judge.
bool GifLacksColourTable(const BYTE* data, size_t size);

// The same test on a file; a file that cannot be read is left to the decoder.
bool GifFileLacksColourTable(const std::wstring& path);
