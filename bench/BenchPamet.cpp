#include "bench/BenchPamet.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "app/OknoHlavni.h"
#include "bench/Mereni.h"
#include "image/GifAnimace.h"
#include "resources/resource.h"

namespace Bench {
namespace {

constexpr int kKroku = 60;
constexpr DWORD kPrehravatMs = 3000;

double PracovniSadaMb()
{
    PROCESS_MEMORY_COUNTERS m{sizeof m};
    GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof m);
    return static_cast<double>(m.WorkingSetSize) / 1048576.0;
}

double VelikostSouboruMb(const std::wstring& cesta)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(cesta.c_str(), GetFileExInfoStandard, &data)) return 0;
    return static_cast<double>((uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow) / 1048576.0;
}

void Cekat(DWORD ms)
{
    const ULONGLONG konec = GetTickCount64() + ms;
    while (GetTickCount64() < konec) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(5);
    }
}

} // namespace

int VlastniPametDite(const wchar_t* cesta, int kroku)
{
    oknoHlavni.VytvoritHlavniOkno(nullptr);
    oknoHlavni.OtevritSoubor(cesta, true);
    Cekat(kPrehravatMs);
    const double prehrava = PracovniSadaMb();
    SendMessageW(oknoHlavni.Handle(), WM_COMMAND, ID_ANIMACE_PRERUSIT, 0);
    for (int i = 0; i < kroku; ++i) SendMessageW(oknoHlavni.Handle(), WM_COMMAND, ID_ANIMACE_KROKZPET, 0);
    Cekat(200);
    std::printf("%.0f %.0f\n", prehrava * 1024, PracovniSadaMb() * 1024);
    std::fflush(stdout);
    DestroyWindow(oknoHlavni.Handle());
    return 0;
}

void VlastniPamet()
{
    struct Soubor {
        const char* popis;
        std::wstring cesta;
    };
    const Soubor zaklad{"2x2, 2 frames", PripravitAnimaci(2, 2, 2, 4)};
    const Soubor soubory[] = {
        {"472x298, 380 frames, changed rects", PripravitCastecnou(472, 298, 380, 4)},
        {"640x480, 24 frames, changed rects", PripravitCastecnou(640, 480, 24, 4)},
        {"1280x720, 24 frames, changed rects", PripravitCastecnou(1280, 720, 24, 4)},
        {"1920x1080, 24 frames, changed rects", PripravitCastecnou(1920, 1080, 24, 4)},
        {"1920x1080, 40 full frames", PripravitAnimaci(1920, 1080, 40, 4)},
    };
    auto zmerit = [](const std::wstring& cesta, double& prehrava, double& kroky) {
        double a = 0, b = 0;
        if (std::sscanf(VystupDitete(L"--own-memory", cesta, kKroku).c_str(), "%lf %lf", &a, &b) != 2) return false;
        prehrava = a / 1024;
        kroky = b / 1024;
        return true;
    };
    double zakladPrehrava = 0, zakladKroky = 0;
    if (!zmerit(zaklad.cesta, zakladPrehrava, zakladKroky)) return;
    std::printf("\nOwn memory of the main window (800x600), each file in a process of its own: working set %.1f s\n"
                "into playback, and after %d steps back; MB beyond the same program showing a 2x2 GIF\n"
                "(%.1f MB playing); the limit while playing is file + 3 canvases + 16 MB\n",
                kPrehravatMs / 1000.0, kKroku, zakladPrehrava);
    std::printf("%-38s | %8s | %8s | %12s | %10s\n", "file", "file MB", "playing", "steps back", "limit");
    for (const Soubor& s : soubory) {
        double prehrava = 0, kroky = 0;
        if (!zmerit(s.cesta, prehrava, kroky)) {
            std::printf("%-38s | failed\n", s.popis);
            continue;
        }
        GifAnimace model;
        model.Load(s.cesta, true);
        const double platno = model.HasImage() ? model.Width() * model.Height() * 4.0 / 1048576.0 : 0;
        const double soubor = VelikostSouboruMb(s.cesta);
        std::printf("%-38s | %8.1f | %8.1f | %12.1f | %10.1f\n", s.popis, soubor, prehrava - zakladPrehrava,
                    kroky - zakladPrehrava, soubor + 3 * platno + 16);
    }
}

} // namespace Bench
