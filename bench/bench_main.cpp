// Benchmarks: the cost of one frame change, the timing of real playback in the main window,
// and the memory the largest file takes while it plays. Prints tables; asserts nothing.
#include <windows.h>
#include <commctrl.h>
#include <objidl.h>
#include <gdiplus.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/Aplikace.h"
#include "app/OknoHlavni.h"
#include "bench/BenchPrehled.h"
#include "bench/GifZapis.h"
#include "image/GifAnimace.h"
#include "resources/resource.h"
#include "settings/Nastaveni.h"
#include "winlib/Handles.h"

namespace {

double Ms(LONGLONG ticks)
{
    static LARGE_INTEGER f = [] {
        LARGE_INTEGER v;
        QueryPerformanceFrequency(&v);
        return v;
    }();
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(f.QuadPart);
}

LONGLONG Now()
{
    LARGE_INTEGER v;
    QueryPerformanceCounter(&v);
    return v.QuadPart;
}

double Percentile(std::vector<double> v, double p)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    size_t i = static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

std::wstring SlozkaDat()
{
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    path = path.substr(0, path.find_last_of(L'\\')) + L"\\bench-data";
    CreateDirectoryW(path.c_str(), nullptr);
    return path;
}

struct Soubor {
    const char* nazev;
    int width, height, count;
    std::wstring cesta;
};

void Priprav(Soubor& s, int delayCs)
{
    wchar_t name[64];
    swprintf(name, 64, L"\\%dx%d_%d_%d.gif", s.width, s.height, s.count, delayCs);
    s.cesta = SlozkaDat() + name;
    if (GetFileAttributesW(s.cesta.c_str()) == INVALID_FILE_ATTRIBUTES)
        Bench::ZapsatAnimaci(s.cesta, s.width, s.height, s.count, delayCs);
}

// SelectFrame + DrawFitted into an 800 x 600 off-screen target, frames in order.
void ZmenaSnimku(std::vector<Soubor>& soubory)
{
    std::printf("\nFrame change (SelectFrame + DrawFitted into 800x600), sequential order\n");
    std::printf("%-12s %7s %11s %11s %11s\n", "image", "frames", "median ms", "p95 ms", "max ms");
    Tarnel::WinApi::WindowDc screen(nullptr);
    Tarnel::WinApi::MemoryDc dc(screen.Get());
    Tarnel::WinApi::Bitmap cil(CreateCompatibleBitmap(screen.Get(), 800, 600));
    Tarnel::WinApi::SelectGuard vyber(dc.Get(), cil.Get());
    HBRUSH pozadi = GetSysColorBrush(COLOR_WINDOW);
    for (auto& s : soubory) {
        GifAnimace model;
        if (FAILED(model.Load(s.cesta, true))) {
            std::printf("%-12s  could not be loaded\n", s.nazev);
            continue;
        }
        std::vector<double> casy;
        for (int kolo = 0; kolo < 2; ++kolo)
            for (int i = 0; i < model.FrameCount(); ++i) {
                LONGLONG t0 = Now();
                model.SelectFrame(static_cast<UINT>(i));
                model.DrawFitted(dc.Get(), 0, 0, 800, 600, pozadi);
                casy.push_back(Ms(Now() - t0));
            }
        std::printf("%-12s %7d %11.2f %11.2f %11.2f\n", s.nazev, model.FrameCount(), Percentile(casy, 0.5),
                    Percentile(casy, 0.95), Percentile(casy, 1.0));
    }
}

// Runs the main window's own message loop for a while and records when its frame changes.
std::vector<LONGLONG> Prehravat(int snimku)
{
    std::vector<LONGLONG> zmeny;
    int posledni = oknoHlavni.Snimek();
    const ULONGLONG konec = GetTickCount64() + 60000;
    while (static_cast<int>(zmeny.size()) < snimku && GetTickCount64() < konec) {
        MSG msg;
        if (!GetMessageW(&msg, nullptr, 0, 0)) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        if (oknoHlavni.Snimek() != posledni) {
            posledni = oknoHlavni.Snimek();
            zmeny.push_back(Now());
        }
    }
    return zmeny;
}

void Intervaly()
{
    std::printf("\nPlayback in the main window (timer, tick, redraw), 200 frames of 320x240\n");
    std::printf("%-8s %6s %10s %11s %9s %14s\n", "delay", "speed", "nominal", "median ms", "p95 ms", "drift/200 ms");
    struct Pripad {
        int delayCs;
        uint32_t rychlost;
    };
    for (const Pripad p : {Pripad{2, 100}, Pripad{5, 100}, Pripad{10, 100}, Pripad{10, 1000}}) {
        Soubor s{"", 320, 240, 201, {}};
        Priprav(s, p.delayCs);
        nastaveni.rychlostAnimace = p.rychlost;
        SendMessageW(oknoHlavni.Handle(), WM_COMMAND, ID_RYCHLOST_VYCHOZI, 0);
        oknoHlavni.OtevritSoubor(s.cesta, true);
        const double nominal = p.delayCs * 10.0 * 100.0 / p.rychlost;
        std::vector<LONGLONG> zmeny = Prehravat(201);
        std::vector<double> intervaly;
        for (size_t i = 1; i < zmeny.size(); ++i) intervaly.push_back(Ms(zmeny[i] - zmeny[i - 1]));
        const double celkem = zmeny.size() > 1 ? Ms(zmeny.back() - zmeny.front()) : 0;
        std::printf("%5d ms %5u%% %7.0f ms %11.2f %9.2f %14.1f\n", p.delayCs * 10, p.rychlost, nominal,
                    Percentile(intervaly, 0.5), Percentile(intervaly, 0.95),
                    celkem - nominal * static_cast<double>(intervaly.size()));
        oknoHlavni.ZavritSoubor();
    }
}

void Pamet(const Soubor& nejvetsi)
{
    PROCESS_MEMORY_COUNTERS pred{sizeof pred};
    GetProcessMemoryInfo(GetCurrentProcess(), &pred, sizeof pred);
    oknoHlavni.OtevritSoubor(nejvetsi.cesta, true);
    Prehravat(oknoHlavni.Animace() ? std::max(1, oknoHlavni.Animace()->FrameCount()) : 1);
    PROCESS_MEMORY_COUNTERS po{sizeof po};
    GetProcessMemoryInfo(GetCurrentProcess(), &po, sizeof po);
    oknoHlavni.ZavritSoubor();
    std::printf("\nMemory while playing %s (%d frames) in the main window\n", nejvetsi.nazev, nejvetsi.count);
    std::printf("working set before %.1f MB, peak working set %.1f MB\n", pred.WorkingSetSize / 1048576.0,
                po.PeakWorkingSetSize / 1048576.0);
}

} // namespace

int wmain()
{
    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof icc, 0x2FFF};
    InitCommonControlsEx(&icc);
    Gdiplus::GdiplusStartupInput vstup;
    Gdiplus::GdiplusStartup(&aplikace.gdiplusToken, &vstup, nullptr);
    aplikace.nazevAplikace = L"Animora";
    aplikace.seznamObrazku = std::make_unique<ToolbarImages>();
    aplikace.seznamObrazku->Load(IDB_PANEL_NASTROJU);

    // Placement goes to a scratch key, never to the prefix's own settings.
    HKEY scratch = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\AnimoraBench", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &scratch,
                    nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, scratch);

    std::vector<Soubor> soubory = {{"320x240", 320, 240, 100, {}}, {"1280x720", 1280, 720, 60, {}},
                                   {"1920x1080", 1920, 1080, 40, {}}};
    for (auto& s : soubory) Priprav(s, 4);

    oknoHlavni.VytvoritHlavniOkno(nullptr);
    Pamet(soubory.back()); // first, so the peak belongs to this file alone
    ZmenaSnimku(soubory);
    Intervaly();
    Bench::PrehledSnimku();
    DestroyWindow(oknoHlavni.Handle());

    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(scratch);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\AnimoraBench");
    return 0;
}
