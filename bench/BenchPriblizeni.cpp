#include "bench/BenchPriblizeni.h"

#include <cstdio>
#include <string>
#include <vector>

#include "app/OknoHlavni.h"
#include "bench/Mereni.h"
#include "resources/resource.h"

namespace Bench {

namespace {

constexpr int kPruchodu = 2;

void Prikaz(UINT id) { SendMessageW(oknoHlavni.Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

// The zoom asked for, reached the way the user reaches it: actual size, then steps up.
void NastavitPriblizeni(double meritko)
{
    if (meritko == 0) {
        Prikaz(ID_ZOBRAZIT_PRIZPUSOBIT);
        return;
    }
    Prikaz(ID_ZOBRAZIT_SKUTECNA);
    while (oknoHlavni.AktualniPriblizeni().meritko < meritko) Prikaz(ID_ZOBRAZIT_ZVETSIT);
}

// Steps forward (each one selects the frame and draws it at once), median ms.
double ZmenaSnimku(int snimku)
{
    std::vector<double> casy;
    for (int k = 1; k < kPruchodu * snimku; ++k) {
        const LONGLONG t0 = Now();
        Prikaz(ID_ANIMACE_KROKVPRED);
        casy.push_back(Ms(Now() - t0));
    }
    return Median(casy);
}

} // namespace

void Priblizeni()
{
    struct Soubor {
        int sirka, vyska, snimku;
    };
    const Soubor soubory[] = {{640, 480, 24}, {1920, 1080, 40}};
    const double priblizeni[] = {0, 1, 8, 32};
    SetWindowPos(oknoHlavni.Handle(), nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER);
    std::printf("\nA frame change in the main window (800x600, a step forward: select + draw), median ms, "
                "%d passes\n",
                kPruchodu);
    std::printf("%-10s %6s | %8s | %8s | %8s | %8s\n", "image", "frames", "fitted", "100 %", "800 %", "3200 %");
    for (const Soubor& s : soubory) {
        const std::wstring cesta = PripravitAnimaci(s.sirka, s.vyska, s.snimku, 4);
        std::printf("%4dx%-5d %6d", s.sirka, s.vyska, s.snimku);
        for (const double meritko : priblizeni) {
            oknoHlavni.OtevritSoubor(cesta, false);
            NastavitPriblizeni(meritko);
            std::printf(" | %8.2f", ZmenaSnimku(s.snimku));
        }
        std::printf("\n");
    }
    oknoHlavni.ZavritSoubor();
}

} // namespace Bench
