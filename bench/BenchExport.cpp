#include "bench/BenchExport.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "bench/Mereni.h"
#include "image/GifAnimace.h"
#include "soubory/ZapisSnimku.h"

namespace Bench {
namespace {

constexpr int kUlozeniJednoho = 5; // saves of one frame, for their median

std::wstring SlozkaVysledku()
{
    std::wstring exe(MAX_PATH, L'\0');
    exe.resize(GetModuleFileNameW(nullptr, exe.data(), MAX_PATH));
    return exe.substr(0, exe.find_last_of(L'\\')) + L"\\bench-export";
}

void Vycistit(const std::wstring& slozka)
{
    std::wstring dvojitaNula = slozka + L'\0';
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = dvojitaNula.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
}

// The middle frame of the file saved on its own, as the save command saves it (ms, median).
double UlozeniJednoho(const std::wstring& soubor, const std::wstring& cil, bool podklad)
{
    GifAnimace model;
    if (FAILED(model.Load(soubor, true))) return 0;
    std::vector<double> casy;
    for (int i = 0; i < kUlozeniJednoho; ++i) {
        const LONGLONG t0 = Now();
        model.SelectFrame(static_cast<UINT>(model.FrameCount() / 2));
        model.SaveToFile(cil, podklad ? std::optional<COLORREF>(GetSysColor(COLOR_WINDOW)) : std::nullopt);
        casy.push_back(Ms(Now() - t0));
    }
    return Median(casy);
}

} // namespace

void ExportSnimku()
{
    std::printf("\nExporting every frame to a folder (each file written, checked and put in place)\n");
    std::printf("%-16s %-6s | %9s | %9s | %15s\n", "image", "format", "seconds", "ms/frame", "one frame, ms");
    struct Soubor {
        int sirka, vyska, snimku;
    };
    const std::wstring slozka = SlozkaVysledku();
    for (const Soubor s : {Soubor{1280, 720, 30}, Soubor{640, 480, 60}}) {
        const std::wstring cesta = PripravitAnimaci(s.sirka, s.vyska, s.snimku, 4);
        for (const FormatExportu format : {FormatExportu::Png, FormatExportu::Bmp}) {
            Vycistit(slozka);
            CreateDirectoryW(slozka.c_str(), nullptr);
            ZadaniExportu zadani;
            zadani.soubor = cesta;
            zadani.slozka = slozka;
            zadani.format = format;
            zadani.pocetSnimku = static_cast<UINT>(s.snimku);
            zadani.rozsah = {1, zadani.pocetSnimku};
            const LONGLONG t0 = Now();
            const VysledekExportu v = ExportovatSnimky(zadani, GetSysColor(COLOR_WINDOW), [](UINT, UINT) { return true; });
            const double ms = Ms(Now() - t0);
            const double jeden = UlozeniJednoho(cesta, slozka + L"\\jeden" + Popis(format).pripona,
                                                !Popis(format).pruhlednost);
            char nazev[32];
            std::snprintf(nazev, sizeof nazev, "%dx%d x%d", s.sirka, s.vyska, s.snimku);
            if (FAILED(v.chyba)) {
                std::printf("%-16s %-6ls | failed at %ls (0x%08lX)\n", nazev, Popis(format).pripona + 1,
                            v.soubor.c_str(), static_cast<unsigned long>(v.chyba));
                continue;
            }
            std::printf("%-16s %-6ls | %9.2f | %9.1f | %15.1f\n", nazev, Popis(format).pripona + 1, ms / 1000.0,
                        ms / s.snimku, jeden);
        }
    }
    Vycistit(slozka);
}

} // namespace Bench
