#pragma once
// The program's name and title icons as start-up sets them, for the object's life: what the
// windows and dialogs under test show in their captions.
#include <windows.h>

#include "app/Aplikace.h"
#include "resources/resource.h"
#include "tests/TestSupport.h"

class IdentitaProgramu : TestSupport::NonCopyable {
public:
    IdentitaProgramu()
    {
        aplikace.nazevAplikace = L"Animora";
        aplikace.velkaIkona = Ikona(SM_CXICON, SM_CYICON);
        aplikace.malaIkona = Ikona(SM_CXSMICON, SM_CYSMICON);
    }
    ~IdentitaProgramu()
    {
        if (aplikace.velkaIkona) DestroyIcon(aplikace.velkaIkona);
        if (aplikace.malaIkona) DestroyIcon(aplikace.malaIkona);
        aplikace.velkaIkona = aplikace.malaIkona = nullptr;
    }

private:
    static HICON Ikona(int metrikaX, int metrikaY)
    {
        return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ANIMORA), IMAGE_ICON,
                                             GetSystemMetrics(metrikaX), GetSystemMetrics(metrikaY), 0));
    }
};
