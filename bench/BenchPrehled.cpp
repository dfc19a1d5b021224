#include "bench/BenchPrehled.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/Mereni.h"
#include "frames/DlgPrehledFrames.h"
#include "image/GifAnimace.h"
#include "resources/resource.h"

namespace Bench {
namespace {

// The same file the frame-change table uses: 60 frames of 1280 x 720 held 4 hundredths each.
struct {
    int sirka = 1280, vyska = 720, snimku = 60, zpozdeniCs = 4;
} constexpr kSoubor;
std::wstring Soubor() { return PripravitAnimaci(kSoubor.sirka, kSoubor.vyska, kSoubor.snimku, kSoubor.zpozdeniCs); }

std::wstring Procesor()
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return NazevProcesoru() + L", " + std::to_wstring(info.dwNumberOfProcessors) + L" cores";
}

struct Vysledek {
    std::vector<double> kroky;
    double drzenoMb = 0;
    int vyskaRadku = 0;
};

Vysledek Posouvat(HWND hostitel, const std::wstring& cesta)
{
    Vysledek vysledek;
    DlgPrehledFrames panel;
    HWND okno = panel.Vytvorit(hostitel, cesta.c_str());
    ShowWindow(okno, SW_SHOW);
    HWND seznam = GetDlgItem(okno, IDC_PREHLED_SEZNAM);
    UpdateWindow(seznam);
    vysledek.vyskaRadku = static_cast<int>(SendMessageW(seznam, LB_GETITEMHEIGHT, 0, 0));

    SendMessageW(seznam, LB_SETTOPINDEX, kSoubor.snimku - 1, 0);
    UpdateWindow(seznam);
    const auto konec = static_cast<int>(SendMessageW(seznam, LB_GETTOPINDEX, 0, 0));
    for (int horni = konec - 1; horni >= 0; --horni) {
        const LONGLONG t0 = Now();
        SendMessageW(seznam, LB_SETTOPINDEX, static_cast<WPARAM>(horni), 0);
        UpdateWindow(seznam);
        vysledek.kroky.push_back(Ms(Now() - t0));
    }
    vysledek.drzenoMb = static_cast<double>(panel.Model()->DrzenaPamet()) / 1048576.0;
    return vysledek;
}

} // namespace

void PrehledSnimku()
{
    const std::wstring cesta = Soubor();
    HWND hostitel = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0, 0, 700, 700,
                                    nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SYSTEMTIME dnes;
    GetLocalTime(&dnes);
    std::printf("\nFrames overview panel: %d frames of %dx%d scrolled from the end back to the start, one row a "
                "step\n(%ls, %04u-%02u-%02u)\n",
                kSoubor.snimku, kSoubor.sirka, kSoubor.vyska, Procesor().c_str(), dnes.wYear, dnes.wMonth, dnes.wDay);
    std::printf("%6s %11s %9s %9s %9s %9s\n", "steps", "median ms", "p95 ms", "max ms", "total s", "held MB");
    const Vysledek v = Posouvat(hostitel, cesta);
    double celkem = 0;
    for (double k : v.kroky) celkem += k;
    std::printf("%6zu %11.1f %9.1f %9.1f %9.2f %9.1f\n", v.kroky.size(), Percentile(v.kroky, 0.5),
                Percentile(v.kroky, 0.95), Percentile(v.kroky, 1.0), celkem / 1000.0, v.drzenoMb);
    DestroyWindow(hostitel);
}

} // namespace Bench
