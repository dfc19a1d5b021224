#include "bench/BenchKroky.h"

#include <windows.h>

#include <cstdio>
#include <numeric>
#include <string>
#include <vector>

#include "app/OknoHlavni.h"
#include "bench/Mereni.h"
#include "image/GifAnimace.h"
#include "resources/resource.h"

namespace Bench {
namespace {

constexpr int kSnimku = 24;

struct Kroky {
    std::vector<double> vpred;
    std::vector<double> zpet;        // back through frames shown since the file was opened
    std::vector<double> zpetNoveho;  // back through frames not yet shown at this size
};

double Krok(UINT prikaz)
{
    const LONGLONG t0 = Now();
    SendMessageW(oknoHlavni.Handle(), WM_COMMAND, prikaz, 0);
    return Ms(Now() - t0);
}

// Lets the window's idle work run for a moment, as it does while the user looks at a frame.
void Podivat()
{
    const ULONGLONG konec = GetTickCount64() + 1000;
    while (GetTickCount64() < konec) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
}

Kroky ZmeritKroky(const std::wstring& cesta)
{
    Kroky k;
    oknoHlavni.OtevritSoubor(cesta, false);
    Podivat();
    const int n = oknoHlavni.Animace() ? oknoHlavni.Animace()->FrameCount() : 0;
    for (int i = 1; i < n; ++i) k.vpred.push_back(Krok(ID_ANIMACE_KROKVPRED));
    for (int i = 1; i < n; ++i) k.zpet.push_back(Krok(ID_ANIMACE_KROKZPET));
    // The file opened afresh and the last frame shown at once: going back then meets frames
    // never drawn.
    oknoHlavni.OtevritSoubor(cesta, false);
    for (int i = 1; i < n; ++i) Krok(ID_ANIMACE_KROKVPRED);
    Podivat();
    for (int i = 1; i < n; ++i) k.zpetNoveho.push_back(Krok(ID_ANIMACE_KROKZPET));
    oknoHlavni.ZavritSoubor();
    return k;
}

double Prumer(const std::vector<double>& v) { return v.empty() ? 0 : std::accumulate(v.begin(), v.end(), 0.0) / v.size(); }

// Frame intervals of the second and later loops.
std::vector<double> DruhaSmycka(const std::wstring& cesta, int intervalu)
{
    oknoHlavni.OtevritSoubor(cesta, true);
    const int n = oknoHlavni.Animace() ? oknoHlavni.Animace()->FrameCount() : 0;
    const std::vector<LONGLONG> zmeny = Prehravat(n + 1 + intervalu);
    oknoHlavni.ZavritSoubor();
    std::vector<double> intervaly;
    for (size_t i = static_cast<size_t>(n) + 1; i < zmeny.size(); ++i) intervaly.push_back(Ms(zmeny[i] - zmeny[i - 1]));
    return intervaly;
}

} // namespace

std::vector<LONGLONG> Prehravat(int zmen)
{
    std::vector<LONGLONG> zmeny;
    int posledni = oknoHlavni.Snimek();
    const ULONGLONG konec = GetTickCount64() + 120000;
    while (static_cast<int>(zmeny.size()) < zmen && GetTickCount64() < konec) {
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

void KrokyAPrehravani()
{
    std::printf("\nSteps in the main window (800x600), %d frames written as changed rectangles, each run of steps\n"
                "a second after the file is shown; ms, medians (back into frames not shown: median / the\n"
                "first step, which composes from frame 0)\n",
                kSnimku);
    std::printf("%-10s | %8s | %8s | %17s | %s\n", "image", "forward", "back", "back, not shown", "back/forward");
    for (const auto& [w, h] : {std::pair{640, 480}, std::pair{1280, 720}, std::pair{1920, 1080}}) {
        const std::wstring cesta = PripravitCastecnou(w, h, kSnimku, 4);
        const Kroky k = ZmeritKroky(cesta);
        char nazev[32];
        std::snprintf(nazev, sizeof nazev, "%dx%d", w, h);
        std::printf("%-10s | %8.2f | %8.2f | %7.2f / %7.1f | %5.2f\n", nazev, Median(k.vpred), Median(k.zpet),
                    Median(k.zpetNoveho), k.zpetNoveho.empty() ? 0 : k.zpetNoveho.front(),
                    Median(k.zpet) / Median(k.vpred));
    }
    constexpr int kIntervalu = 100;
    std::printf("\nPlayback from the second loop, 1920x1080, %d frames of 20 ms, %d intervals (ms)\n", kSnimku,
                kIntervalu);
    std::printf("%8s | %8s | %8s\n", "median", "mean", "p95");
    const std::vector<double> v = DruhaSmycka(PripravitCastecnou(1920, 1080, kSnimku, 2), kIntervalu);
    std::printf("%8.2f | %8.2f | %8.2f\n", Median(v), Prumer(v), Percentile(v, 0.95));
}

} // namespace Bench
