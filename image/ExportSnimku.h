#pragma once
// Saving the active frame of an open image in the format named by a file extension.
// GifAnimace::SaveToFile and GifAnimace::SaveFrame are implemented in ExportSnimku.cpp.
#include <windows.h>

#include <optional>
#include <string>

class GifAnimace;

// Index of the first encoder, in the image library's order, whose extension list contains
// ext (with its dot, any case), and its class identifier; -1 when none matches.
int FindEncoder(const wchar_t* ext, CLSID* encoder);

// "<path>_temp_<ext>": the file beside the open one that a save over it writes first.
std::wstring TemporaryPathFor(const std::wstring& path);

// True when the file decodes as an image of exactly width x height pixels.
bool IsImageOfSize(const std::wstring& path, UINT width, UINT height);

// The save command of a window: asks for a target and saves the model's active frame there,
// or the given frame, made active once a target is chosen (nothing is saved when the model
// lacks it). Does nothing without a model or image; a failed save is not reported to the user.
void OnSaveFrame(HWND owner, GifAnimace* model, std::optional<UINT> snimek = std::nullopt);
