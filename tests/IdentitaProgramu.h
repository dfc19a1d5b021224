#pragma once
// The program's name and title icons as start-up sets them, for the object's life: what the
// windows and dialogs under test show in their captions.
#include <windows.h>

#include "app/Aplikace.h"
#include "resources/resource.h"
#include "tests/TestSupport.h"
#include "winlib/Identita.h"

class IdentitaProgramu : TestSupport::NonCopyable {
public:
    IdentitaProgramu()
    {
        aplikace.nazevAplikace = L"Animora";
        aplikace.velkaIkona.Reset(Ikona(SM_CXICON, SM_CYICON));
        aplikace.malaIkona.Reset(Ikona(SM_CXSMICON, SM_CYSMICON));
        Tarnel::WinApi::NastavitIdentitu(aplikace.nazevAplikace, aplikace.velkaIkona.Get(), aplikace.malaIkona.Get());
    }
    ~IdentitaProgramu()
    {
        Tarnel::WinApi::NastavitIdentitu(aplikace.nazevAplikace, nullptr, nullptr);
        aplikace.velkaIkona.Reset();
        aplikace.malaIkona.Reset();
    }

private:
    static HICON Ikona(int metrikaX, int metrikaY)
    {
        return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ANIMORA), IMAGE_ICON,
                                             GetSystemMetrics(metrikaX), GetSystemMetrics(metrikaY), 0));
    }
};
