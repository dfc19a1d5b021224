#pragma once
// The modal program information dialog: the icon, the product name as a dark-red heading,
// the version, the legal notice as the caption of a frame, and links to the maker's web
// site and support e-mail, each with its tooltip. Everything is set once at initialisation.
// Owns its window: an object deleted while the dialog still exists destroys it.
#include <windows.h>

#include <string>

#include "winlib/DialogImpl.h"
#include "winlib/StaticNadpis.h"
#include "winlib/ToolTip.h"

class DlgProgramInfo : public Tarnel::WinApi::DialogImpl {
public:
    // souborVerze names the file whose version resource is shown; the program's own when empty.
    explicit DlgProgramInfo(std::wstring souborVerze = {});

    const Knihovna::StaticNadpis& Nadpis() const { return nadpis; }
    const Tarnel::WinApi::ToolTip& Tipy() const { return tipy; }

    // What the two links open through the shell.
    std::wstring adresaWebu;
    std::wstring adresaPodpory;

protected:
    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    BOOL OnInitDialog() override;
    bool OnNotify(NMHDR& oznameni, LRESULT& result) override;

private:
    LRESULT OnCtlColor(HDC dc);

    void NastavitTexty();
    std::wstring RadekVerze() const;
    void PripojitNadpis();
    void PridatTipy();
    HWND NajitPrvek(int id) const;
    const wchar_t* SouborVerze() const { return souborVerze_.empty() ? nullptr : souborVerze_.c_str(); }

    Knihovna::StaticNadpis nadpis;
    Tarnel::WinApi::ToolTip tipy;
    std::wstring souborVerze_;
};

// The open program information dialog, or null: there is never more than one.
extern DlgProgramInfo* dlgProgramInfo;
