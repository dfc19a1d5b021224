#pragma once
// The save command of a window (the main window's "Uložit aktuální snímek", the overview
// panel's "Uložit obrázek"): asks for a target, saves a frame of the window's model there and
// tells the user when that failed. The model's own saving is in image/ExportSnimku.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

class GifAnimace;

enum class VysledekUlozeni {
    Nic,                 // no image, or the user chose no target
    Ulozeno,             // written to another file
    UlozenoDoOtevreneho, // written over the open file, which the model now shows afresh
    Selhalo,             // nothing was written; the user has been told why
};

// Which frame to save, asked once the dialog has closed: the dialog's loop dispatches whatever
// arrives, so an animation may have played on under it. Nothing means the active frame.
using KterySnimek = std::function<std::optional<UINT>()>;

// Saves the frame named to the file the user chooses. The frame is made active only once the
// dialog has closed: the dialog's loop may have drawn other frames of the model meanwhile
// (rows of a frames list). A failed save is reported in a message box owned by the window.
// The caller keeps the model alive through the dialogs and checks its own state afterwards:
// both loops dispatch whatever arrives.
VysledekUlozeni OnSaveFrame(HWND owner, GifAnimace* model, const KterySnimek& snimek);
inline VysledekUlozeni OnSaveFrame(HWND owner, GifAnimace* model, std::optional<UINT> snimek = std::nullopt)
{
    return OnSaveFrame(owner, model, KterySnimek([snimek] { return snimek; }));
}

// What the message box says of a save of the file that failed with the code.
std::wstring TextNeulozeni(const std::wstring& cil, HRESULT vysledek);
