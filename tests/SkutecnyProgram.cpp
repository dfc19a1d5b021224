#include "tests/SkutecnyProgram.h"

#include <gtest/gtest.h>

#include "tests/TestSupport.h"

bool SkutecnyProgram::Start(const std::wstring& argumenty, const wchar_t* slozka)
{
    std::wstring exe = TestSupport::ExecutablePath();
    exe = exe.substr(0, exe.find_last_of(L'\\')) + L"\\Animora.exe";
    std::wstring prikaz = L"\"" + exe + L"\" " + argumenty;
    STARTUPINFOW si{sizeof si};
    if (!CreateProcessW(nullptr, prikaz.data(), nullptr, nullptr, FALSE, 0, nullptr, slozka, &si, &pi_)) {
        ADD_FAILURE() << "CreateProcess failed with " << GetLastError();
        return false;
    }
    WaitForInputIdle(pi_.hProcess, 10000);
    return true;
}

SkutecnyProgram::~SkutecnyProgram()
{
    if (!pi_.hProcess) return;
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 3);
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
}

HWND SkutecnyProgram::HlavniOkno(DWORD timeoutMs)
{
    HWND nalezeno = nullptr;
    TestSupport::PumpUntil(
        [&] {
            nalezeno = nullptr;
            for (HWND w = FindWindowExW(nullptr, nullptr, L"Animora", nullptr); w;
                 w = FindWindowExW(nullptr, w, L"Animora", nullptr)) {
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                if (pid == pi_.dwProcessId && IsWindowVisible(w)) nalezeno = w;
            }
            return nalezeno != nullptr;
        },
        timeoutMs);
    return nalezeno;
}

DWORD SkutecnyProgram::KodUkonceni(DWORD timeoutMs)
{
    if (WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD kod = 0;
    GetExitCodeProcess(pi_.hProcess, &kod);
    return kod;
}

std::wstring TextStavu(HWND okno)
{
    HWND stav = FindWindowExW(okno, nullptr, L"msctls_statusbar32", nullptr);
    if (!stav) return L"<no status bar>";
    wchar_t text[1024] = {};
    SendMessageTimeoutW(stav, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}
