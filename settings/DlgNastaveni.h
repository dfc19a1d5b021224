#pragma once
// The preferences: the default playback speed and the speed step, stored on OK straight into
// the settings record and the registry, and a link to the maker's web site. The speed of the
// animation on screen is not the dialog's business.
#include <windows.h>

#include <memory>

#include "winlib/DialogImpl.h"
#include "winlib/EditCislo.h"
#include "winlib/ToolTip.h"

class DlgNastaveni : public Tarnel::WinApi::DialogImpl {
public:
    DlgNastaveni();

protected:
    BOOL OnInitDialog() override;
    // Stores both entries; Storno, Esc and the close box end the dialog by default, storing
    // nothing.
    void OnOk() override;
    bool OnNotify(NMHDR& hlavicka, LRESULT& result) override;
    // Opens the maker's web address in the browser; a failure is not the user's concern.
    virtual void OtevritAdresu(const wchar_t* adresa, int zobrazeni);

private:
    void Ulozit();

    Tarnel::WinApi::EditCislo editRychlosti;
    Tarnel::WinApi::EditCislo editKroku;
    std::unique_ptr<Tarnel::WinApi::ToolTip> tipOdkazu;
};

// The settings dialog while it runs, so that a second request brings it to the front.
extern DlgNastaveni* dlgNastaveni;
