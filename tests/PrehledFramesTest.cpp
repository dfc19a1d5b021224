#include "tests/PrehledFramesTest.h"

#include <tlhelp32.h>

#include <atomic>
#include <thread>

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

std::wstring Text(HWND okno)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(okno)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(okno, text.data(), static_cast<int>(text.size()))));
    return text;
}

HWND Panel(HWND oknoPrehledu) { return FindWindowExW(oknoPrehledu, nullptr, L"#32770", nullptr); }

HWND CekatNaDialog(DWORD vlakno, HWND vlastnik, HWND krome, DWORD ms)
{
    const ULONGLONG konec = GetTickCount64() + ms;
    while (GetTickCount64() < konec) {
        if (HWND nalezeno = DialogDriver::FindDialog(vlakno, vlastnik, krome)) return nalezeno;
        Sleep(20);
    }
    return nullptr;
}

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

namespace {

void ProvestScenar(DWORD vlakno, HWND dialog, const Scenar& scenar)
{
    if (scenar.cesta.empty()) {
        DialogDriver::Click(dialog, IDCANCEL);
        return;
    }
    SetWindowTextW(DialogDriver::FirstVisibleEdit(dialog), scenar.cesta.c_str());
    DialogDriver::Click(dialog, IDOK);
    if (!scenar.odpovedNaPrepis) return;
    if (HWND otazka = CekatNaDialog(vlakno, dialog, dialog)) DialogDriver::Click(otazka, scenar.odpovedNaPrepis);
}

// Answers No to any box still over the dialog and cancels the dialog, until it is gone.
void ZavritZbytek(DWORD vlakno, HWND dialog, const std::atomic<bool>& hotovo)
{
    const ULONGLONG konec = GetTickCount64() + 15000;
    while (!hotovo && IsWindow(dialog) && GetTickCount64() < konec) Sleep(20);
    while (!hotovo && IsWindow(dialog)) {
        if (HWND box = DialogDriver::FindDialog(vlakno, dialog, dialog)) DialogDriver::Click(box, IDNO);
        DialogDriver::Click(dialog, IDCANCEL);
        Sleep(200);
    }
}

} // namespace

bool ObslouzitDialog(const std::function<void()>& akce, const Scenar& scenar)
{
    const DWORD vlakno = GetCurrentThreadId();
    std::atomic<bool> hotovo{false};
    bool videno = false;
    std::thread ridic([&] {
        HWND dialog = nullptr;
        while (!hotovo && !(dialog = DialogDriver::FindDialog(vlakno))) Sleep(20);
        if (!dialog) return;
        videno = true;
        ProvestScenar(vlakno, dialog, scenar);
        ZavritZbytek(vlakno, dialog, hotovo);
        if (!scenar.zprava) return;
        HWND box = nullptr;
        const ULONGLONG konec = GetTickCount64() + 15000;
        while (!hotovo && !(box = DialogDriver::FindDialog(vlakno)) && GetTickCount64() < konec) Sleep(20);
        if (!box) return;
        Sleep(100); // let it finish showing its text
        scenar.zprava->videna = true;
        scenar.zprava->vlastnik = GetWindow(box, GW_OWNER);
        scenar.zprava->text = Text(GetDlgItem(box, 0xFFFF));
        DialogDriver::Click(box, IDOK);
    });
    akce();
    hotovo = true;
    ridic.join();
    return videno;
}

} // namespace PrehledFrames
