#pragma once
// The real Animora.exe in a process of its own, for what only the whole program shows: its
// exit code, and how it behaves when messages reach it from outside.
#include <windows.h>

#include <string>

#include "tests/TestSupport.h"

class SkutecnyProgram : TestSupport::NonCopyable {
public:
    ~SkutecnyProgram();

    // Starts Animora.exe (beside the test executable) with the arguments, in the folder given.
    bool Start(const std::wstring& argumenty, const wchar_t* slozka = nullptr);
    // The program's visible top-level window of class "Animora", once it shows.
    HWND HlavniOkno(DWORD timeoutMs);
    // The exit code, or STILL_ACTIVE when the program has not ended in time.
    DWORD KodUkonceni(DWORD timeoutMs);
    DWORD Id() const { return pi_.dwProcessId; }

private:
    PROCESS_INFORMATION pi_{};
};

// Part 0 of the status bar: its window text, which a window message can read across processes.
std::wstring TextStavu(HWND okno);
