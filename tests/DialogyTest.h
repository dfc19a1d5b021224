#pragma once
// Shared set-up of the speed and settings dialog tests: the application's name and icons as
// start-up sets them, fresh settings, a scratch registry and a window to own the dialogs.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "tests/DialogDriver.h"
#include "tests/IdentitaProgramu.h"
#include "tests/TestSupport.h"
#include "winlib/DialogImpl.h"

class DialogyTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND Vlastnik() const { return vlastnik_->Get(); }
    // Runs the dialog modally over the owner while the script works it; the dialog must have
    // shown and ended as a user ends it.
    INT_PTR Spustit(Tarnel::WinApi::DialogImpl& dialog, ObsluhaDialogu::Skript skript);
    DWORD Vlakno() const { return GetCurrentThreadId(); }
    // The three ways a user cancels: the Storno button, Escape in the control `prvek`, and
    // the close box.
    static std::vector<ObsluhaDialogu::Skript> ZpusobyZruseni(int prvek);

    // A value of the application key: empty when the key or the value is missing; the type
    // must be REG_DWORD of 4 bytes.
    static std::optional<DWORD> Hodnota(const wchar_t* nazev);
    static bool KlicExistuje();
    // Makes the application key impossible to create: its parent becomes a volatile key,
    // which may hold no stored children.
    static void ZakazatZapis();

    IdentitaProgramu identita_;
    TestSupport::ScratchRegistry registr_;
    std::optional<TestSupport::OwnerWindow> vlastnik_;
};
