#pragma once
// The dialog of "Exportovat snímky…": the folder (typed, or chosen in the common folder
// picker), the format (PNG first; BMP, JPEG, GIF and TIFF as the save command offers them),
// all frames or a range by the counter's numbers, and whether the delays are written too.
#include <windows.h>

#include <optional>
#include <string>

#include "soubory/VystupSnimku.h"
#include "winlib/DialogImpl.h"
#include "winlib/EditCislo.h"

// Modal; the object holds what the user chose once the dialog has ended with IDOK.
class DlgExportSnimku : public Tarnel::WinApi::DialogImpl {
public:
    // The file's frames, all of them, into the file's own folder as PNG, with the delays.
    DlgExportSnimku(const std::wstring& soubor, UINT pocetSnimku);

    const ZadaniExportu& Zadani() const { return zadani; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT kod, HWND prvek) override;
    // Accepts only an existing folder and a range within the file; otherwise says why.
    void OnOk() override;

private:
    void Prochazet();
    void PovolitRozsah();
    std::optional<RozsahSnimku> ZvolenyRozsah() const;
    // A box over the dialog, then the focus on the control to put right.
    void Upozornit(const std::wstring& text, int prvek);

    ZadaniExportu zadani;
    Tarnel::WinApi::EditCislo od;
    Tarnel::WinApi::EditCislo po;
};

// The common folder picker over the owner, starting in `zacatek`; the chosen folder, or
// nothing when the user cancels.
std::optional<std::wstring> ShowFolderDialog(HWND owner, const std::wstring& zacatek);
