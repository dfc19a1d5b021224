#pragma once
// Saving the active frame of an open image in the format named by a file extension.
// GifAnimace::SaveToFile and GifAnimace::SaveFrame are implemented in ExportSnimku.cpp.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

class GifAnimace;

// Index of the first encoder, in the image library's order, whose extension list contains
// ext (with its dot, any case), and its class identifier; -1 when none matches.
int FindEncoder(const wchar_t* ext, CLSID* encoder);

// "<path>_temp_<ext>": the file beside the open one that a save over it writes first. When a
// file of that name exists already, attempt n > 0 names "<path>_temp_<n><ext>" instead.
std::wstring TemporaryPathFor(const std::wstring& path, unsigned attempt = 0);

// Creates a new, empty temporary file beside the source under the first free name, so that
// the save writes only into a file of its own. S_OK with the name, or the failure.
HRESULT ReserveTemporaryFile(const std::wstring& source, std::wstring& temporary);

// True when the file decodes as an image of exactly width x height pixels.
bool IsImageOfSize(const std::wstring& path, UINT width, UINT height);

// Which frame to save, asked once the dialog has closed (the dialog's loop may have moved the
// animation on); nothing means the active frame.
using KterySnimek = std::function<std::optional<UINT>()>;

// The save command of a window: asks for a target and saves the model's active frame there,
// or the frame named. Does nothing without a model or image; a failed save is not reported
// to the user. The caller keeps the model alive through the dialog.
void OnSaveFrame(HWND owner, GifAnimace* model, const KterySnimek& snimek);
inline void OnSaveFrame(HWND owner, GifAnimace* model, std::optional<UINT> snimek = std::nullopt)
{
    OnSaveFrame(owner, model, KterySnimek([snimek] { return snimek; }));
}
