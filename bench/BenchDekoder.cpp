#include "bench/BenchDekoder.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/Mereni.h"
#include "image/GifAnimace.h"

namespace Bench {
namespace {

constexpr int kSirka = 800;
constexpr int kVyska = 545; // the picture area of an 800 x 600 main window
constexpr int kSnimku = 24;
constexpr int kPruchodu = 2;
constexpr int kKrokuZpet = 5;

struct Mereni {
    double otevreni = 0;
    std::vector<double> zmena;
    std::vector<double> zpet;
    bool ok = false;
};

Mereni Zmerit(const std::wstring& cesta, bool knihovnou, HDC cil)
{
    Mereni m;
    HBRUSH pozadi = GetSysColorBrush(COLOR_WINDOW);
    GifAnimace model;
    model.UseLibraryForGifs(knihovnou);
    const LONGLONG t0 = Now();
    if (FAILED(model.Load(cesta, true))) return m;
    model.DrawFitted(cil, 0, 0, kSirka, kVyska, pozadi);
    m.otevreni = Ms(Now() - t0);
    const int n = model.FrameCount();
    auto zmena = [&](UINT i) {
        const LONGLONG t = Now();
        model.SelectFrame(i);
        model.DrawFitted(cil, 0, 0, kSirka, kVyska, pozadi);
        return Ms(Now() - t);
    };
    for (int k = 1; k < kPruchodu * n; ++k) m.zmena.push_back(zmena(static_cast<UINT>(k % n)));
    for (int k = 0; k < kKrokuZpet; ++k) {
        zmena(static_cast<UINT>(n - 1));
        m.zpet.push_back(zmena(static_cast<UINT>(n - 2)));
    }
    m.ok = n > 2;
    return m;
}

} // namespace

void Dekodery()
{
    std::printf("\nGIF decoding, the program's own decoder beside the image library's, drawn into %dx%d (ms):\n"
                "open = load and draw the first frame; change = select + draw (median / p95, frames in order,\n"
                "%d passes); back = select + draw of the frame before the last, from the last (median)\n",
                kSirka, kVyska, kPruchodu);
    std::printf("%-26s %-8s | %8s | %17s | %8s\n", "file", "decoder", "open", "change", "back");
    HWND okno = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, kSirka, kVyska, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    HDC dc = GetDC(okno);
    struct Soubor {
        const char* popis;
        std::wstring cesta;
    };
    const Soubor soubory[] = {
        {"640x480, changed rects", PripravitCastecnou(640, 480, kSnimku, 4)},
        {"1280x720, changed rects", PripravitCastecnou(1280, 720, kSnimku, 4)},
        {"1920x1080, changed rects", PripravitCastecnou(1920, 1080, kSnimku, 4)},
        {"1920x1080, full frames", PripravitAnimaci(1920, 1080, 40, 4)},
    };
    for (const Soubor& s : soubory) {
        for (const bool knihovnou : {true, false}) {
            const Mereni m = Zmerit(s.cesta, knihovnou, dc);
            if (!m.ok) {
                std::printf("%-26s %-8s | could not be loaded\n", s.popis, knihovnou ? "library" : "ours");
                continue;
            }
            std::printf("%-26s %-8s | %8.1f | %7.2f / %7.2f | %8.2f\n", s.popis, knihovnou ? "library" : "ours",
                        m.otevreni, Median(m.zmena), Percentile(m.zmena, 0.95), Median(m.zpet));
        }
    }
    ReleaseDC(okno, dc);
    DestroyWindow(okno);
}

} // namespace Bench
