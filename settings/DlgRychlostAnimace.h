#pragma once
// The speed dialog: the user types a playback speed of their own (10 to 1000 % of the real
// speed) and may make it the stored default. The caller sets `rychlost`, runs the dialog and,
// after IDOK, reads `rychlost` and `jakoVychozi`; what becomes of them is the caller's.
#include <windows.h>

#include <cstdint>

#include "winlib/DialogImpl.h"
#include "winlib/EditCislo.h"

class DlgRychlostAnimace : public Tarnel::WinApi::DialogImpl {
public:
    DlgRychlostAnimace();

    uint32_t rychlost = 100; // in: the speed shown; out: the speed chosen
    bool jakoVychozi = false; // out: whether the check box was checked at OK

protected:
    BOOL OnInitDialog() override;
    // Takes the entry; Storno, Esc and the close box end the dialog by default.
    void OnOk() override;

private:
    Tarnel::WinApi::EditCislo editRychlosti;
};
