#pragma once
// The list of keys (Help, Klávesové zkratky): every key of the main window and of the frames
// overview with what it does, one row each from the string table. A modal dialog over the
// main window; Esc, Enter and the close box end it.
#include <windows.h>

#include "winlib/DialogImpl.h"

class DlgKlavesoveZkratky : public Tarnel::WinApi::DialogImpl {
public:
    DlgKlavesoveZkratky();

protected:
    BOOL OnInitDialog() override;
};
