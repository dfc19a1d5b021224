#pragma once
// Saving the active frame of an open image in the format named by a file extension.
// GifAnimace::SaveToFile and GifAnimace::SaveFrame are implemented in ExportSnimku.cpp.
//
// No save ever costs the user a file: the frame is written to a file of its own beside the
// target, checked, and only then put in the target's place in one step. Whatever fails on the
// way leaves the target as it was and removes what the save created.
#include <windows.h>

#include <string>

class GifAnimace;

// Index of the first encoder, in the image library's order, one of whose "*.EXT" patterns is
// exactly the extension (with its dot, any case), and its class identifier; -1 when none is.
int FindEncoder(const wchar_t* ext, CLSID* encoder);
// Whether a pattern list such as "*.JPG;*.JPEG;*.JPE" holds "*" followed by the extension.
bool PatternsNameExtension(const wchar_t* patterns, const wchar_t* ext);

// "<path>_temp_<ext>": the file beside the target that a save writes first. When a file of
// that name exists already, attempt n > 0 names "<path>_temp_<n><ext>" instead.
std::wstring TemporaryPathFor(const std::wstring& path, unsigned attempt = 0);
// A short name in the target's folder, for targets whose "_temp_" name would be too long.
std::wstring ShortTemporaryPathFor(const std::wstring& path, unsigned attempt);

// Creates a new, empty temporary file beside the target under the first free name, so that
// the save writes only into a file of its own. S_OK with the name, or the failure.
HRESULT ReserveTemporaryFile(const std::wstring& target, std::wstring& temporary);

// True when the file decodes as an image of exactly width x height pixels.
bool IsImageOfSize(const std::wstring& path, UINT width, UINT height);
