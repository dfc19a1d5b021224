#include "tests/PrehledFramesTest.h"

#include <tlhelp32.h>

#include "tests/DialogDriver.h"

namespace PrehledFrames {

std::vector<HWND> OknaPrehledu()
{
    std::vector<HWND> okna;
    EnumWindows(
        [](HWND okno, LPARAM seznam) {
            DWORD proces = 0;
            GetWindowThreadProcessId(okno, &proces);
            if (proces == GetCurrentProcessId() && DialogDriver::ClassOf(okno) == L"GifFramesList")
                reinterpret_cast<std::vector<HWND>*>(seznam)->push_back(okno);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&okna));
    return okna;
}

int PocetVlaken()
{
    HANDLE snimek = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snimek == INVALID_HANDLE_VALUE) return -1;
    THREADENTRY32 vlakno{sizeof vlakno};
    int pocet = 0;
    for (BOOL dalsi = Thread32First(snimek, &vlakno); dalsi; dalsi = Thread32Next(snimek, &vlakno))
        pocet += vlakno.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snimek);
    return pocet;
}

HWND Panel(HWND oknoPrehledu) { return FindWindowExW(oknoPrehledu, nullptr, L"#32770", nullptr); }

bool CistDword(const std::wstring& klic, const wchar_t* hodnota, DWORD& cislo)
{
    DWORD delka = sizeof cislo;
    return RegGetValueW(HKEY_CURRENT_USER, klic.c_str(), hodnota, RRF_RT_REG_DWORD, nullptr, &cislo, &delka) ==
           ERROR_SUCCESS;
}

std::wstring KlicPolohy(const wchar_t* trida)
{
    return std::wstring(L"Software\\Tarnel\\Animora\\1\\Parametry oken\\") + trida;
}

bool ObslouzitDialog(const std::function<void()>& akce, const Scenar& scenar)
{
    const DWORD vlakno = GetCurrentThreadId();
    ObsluhaDialogu obsluha([&](HWND dialog) {
        DialogDriver::Choose(vlakno, dialog, {scenar.cesta, scenar.odpovedNaPrepis});
        if (!scenar.zprava || !Uzivatel::PockatNaZavreni(dialog, 15000)) return;
        HWND box = obsluha.Pockat();
        if (!box) return;
        Sleep(100); // let it finish showing its text
        scenar.zprava->videna = true;
        scenar.zprava->vlastnik = GetWindow(box, GW_OWNER);
        scenar.zprava->text = DialogDriver::TextOf(GetDlgItem(box, 0xFFFF));
        DialogDriver::Click(box, IDOK);
    });
    akce();
    obsluha.Dokoncit();
    return obsluha.Nalezen();
}

} // namespace PrehledFrames
