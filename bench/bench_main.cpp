// Benchmarks: what one frame change costs (bare frame selection, the former GDI+ drawing,
// the program's own drawing), how real playback in the main window keeps time, and the
// memory the largest file takes while it plays next to a process that only decodes it.
// Prints tables; asserts nothing.
//
// Child modes (the memory table runs them as separate processes, so that each peak belongs
// to one activity alone):
//   animora_bench --memory-window FILE LOOPS   plays FILE in the main window
//   animora_bench --memory-decode FILE LOOPS   only opens FILE and selects every frame
//   animora_bench --huge-decode FILE 1         only opens a one-frame FILE
//   animora_bench --huge-window FILE 1         opens and shows it in the main window
//   animora_bench --own-memory FILE STEPS      plays FILE, then steps back (bench/BenchPamet)
//   animora_bench --zoom                       the frame change at each zoom alone
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>
#include <objidl.h>
#include <gdiplus.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "app/Aplikace.h"
#include "app/OknoHlavni.h"
#include "app/Prikazy.h"
#include "bench/BenchDekoder.h"
#include "bench/BenchExport.h"
#include "bench/BenchKroky.h"
#include "bench/BenchPamet.h"
#include "bench/BenchPrehled.h"
#include "bench/BenchPriblizeni.h"
#include "bench/GifZapis.h"
#include "bench/Mereni.h"
#include "image/GdipObraz.h"
#include "image/GifAnimace.h"
#include "resources/resource.h"
#include "settings/Nastaveni.h"
#include "winlib/Handles.h"
#include "winlib/RozliseniCasovace.h"

using namespace Tarnel::WinApi;
using namespace Bench;

namespace {

// The time dimension of animated images.
constexpr GUID kCas = {0x6aedbd6d, 0x3fb5, 0x418a, {0x83, 0xa6, 0x7f, 0x45, 0x22, 0x9d, 0xc8, 0x72}};
constexpr int kSirkaCile = 800;
constexpr int kVyskaCile = 600;
constexpr int kPruchodu = 4; // passes over the frames of each file when timing frame changes
constexpr wchar_t kKlicBench[] = L"Software\\AnimoraBench";

// Under Wine the host's load average is readable through the root drive: the machine may be
// shared, and the figures mean more with it.
std::string ZatizeniHostitele()
{
    HANDLE soubor = CreateFileW(L"Z:\\proc\\loadavg", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                nullptr);
    if (soubor == INVALID_HANDLE_VALUE) return "unknown";
    char text[128] = {};
    DWORD precteno = 0;
    ReadFile(soubor, text, sizeof text - 1, &precteno, nullptr);
    CloseHandle(soubor);
    std::string zatizeni(text, precteno);
    // The three load averages only.
    size_t mezery = 0;
    for (size_t i = 0; i < zatizeni.size(); ++i)
        if (zatizeni[i] == ' ' && ++mezery == 3) return zatizeni.substr(0, i);
    return zatizeni;
}

void VypsatStroj()
{
    SYSTEM_INFO info{};
    GetNativeSystemInfo(&info);
    SYSTEMTIME cas{};
    GetLocalTime(&cas);
    std::printf("Animora benchmarks, %04u-%02u-%02u %02u:%02u\n", cas.wYear, cas.wMonth, cas.wDay, cas.wHour,
                cas.wMinute);
    std::printf("CPU: %ls, %lu logical processors\n", NazevProcesoru().c_str(), info.dwNumberOfProcessors);

    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    using WineVersionFn = const char*(CDECL*)();
    using WineHostFn = void(CDECL*)(const char**, const char**);
    OSVERSIONINFOW verze{sizeof verze};
    if (auto rtl = reinterpret_cast<RtlGetVersionFn>(GetProcAddress(ntdll, "RtlGetVersion"))) rtl(&verze);
    std::printf("OS: Windows %lu.%lu build %lu", verze.dwMajorVersion, verze.dwMinorVersion, verze.dwBuildNumber);
    if (auto wine = reinterpret_cast<WineVersionFn>(GetProcAddress(ntdll, "wine_get_version"))) {
        const char* system = "";
        const char* vydani = "";
        if (auto host = reinterpret_cast<WineHostFn>(GetProcAddress(ntdll, "wine_get_host_version")))
            host(&system, &vydani);
        std::printf(" as reported by Wine %s on %s %s", wine(), system, vydani);
    }
    std::printf("\n");
    TIMECAPS caps{};
    timeGetDevCaps(&caps, sizeof caps);
    std::printf("Multimedia timer periods: %u to %u ms\n", caps.wPeriodMin, caps.wPeriodMax);
    std::printf("Host load average (1, 5, 15 min) at the start: %s\n", ZatizeniHostitele().c_str());
}

// --- test animations ---------------------------------------------------------------------

struct Soubor {
    int width;
    int height;
    int count;
    int delayCs;
    std::wstring cesta;
};

Soubor Pripravit(int width, int height, int count, int delayCs)
{
    return Soubor{width, height, count, delayCs, Bench::PripravitAnimaci(width, height, count, delayCs)};
}

// --- the program's environment -----------------------------------------------------------

// Placements go to a scratch key, never to the prefix's own settings.
class ScratchHkcu : Tarnel::WinApi::Nekopirovatelny {
public:
    explicit ScratchHkcu(const std::wstring& podklic)
    {
        RegCreateKeyExW(HKEY_CURRENT_USER, podklic.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &klic_, nullptr);
        RegOverridePredefKey(HKEY_CURRENT_USER, klic_);
    }
    ~ScratchHkcu()
    {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(klic_);
    }

private:
    HKEY klic_ = nullptr;
};

void SpustitProstredi()
{
    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof icc, 0x2FFF};
    InitCommonControlsEx(&icc);
    aplikace.gdiplus.Spustit();
    aplikace.nazevAplikace = L"Animora";
    aplikace.seznamObrazku = std::make_unique<ToolbarImages>();
    aplikace.seznamObrazku->LoadSizes();
}

// --- (a) to (c): one frame change ----------------------------------------------------------

// The drawing the program did before its own: GDI+ scales the frame into a compatible bitmap
// created for the call, which is then copied to the target.
void StaraCestaKresleni(Gdiplus::GpBitmap* image, HDC dc, int x, int y, int cx, int cy, HBRUSH brush)
{
    const UINT h = BitmapHeight(image);
    const UINT w = BitmapWidth(image);
    Bitmap offscreen(CreateCompatibleBitmap(dc, cx, cy));
    MemoryDc memory(dc);
    SelectGuard select(memory.Get(), offscreen.Get());
    const RECT box = {0, 0, cx, cy};
    FillRect(memory.Get(), &box, brush);
    {
        OwnedGraphics graphics(memory.Get());
        const FittedPlacement to = FittedRect(w, h, cx, cy);
        Gdip::GdipDrawImageRectI(graphics.Get(), image, to.x, to.y, to.cx, to.cy);
    }
    BitBlt(dc, x, y, cx, cy, memory.Get(), 0, 0, SRCCOPY);
}

// A plain visible window of the target size, standing for the picture area of the main window.
class CilovyOkno {
public:
    CilovyOkno()
    {
        WNDCLASSW trida{};
        trida.lpfnWndProc = DefWindowProcW;
        trida.hInstance = GetModuleHandleW(nullptr);
        trida.lpszClassName = L"AnimoraBenchCil";
        RegisterClassW(&trida);
        okno_ = CreateWindowExW(0, trida.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, kSirkaCile, kVyskaCile,
                                nullptr, nullptr, trida.hInstance, nullptr);
    }
    ~CilovyOkno() { DestroyWindow(okno_); }
    CilovyOkno(const CilovyOkno&) = delete;
    CilovyOkno& operator=(const CilovyOkno&) = delete;
    HWND Get() const { return okno_; }

private:
    HWND okno_ = nullptr;
};

struct Rozdeleni {
    std::vector<double> vyber;      // (a) GdipImageSelectActiveFrame alone
    std::vector<double> stara;      // (b) select + former GDI+ drawing + copy
    std::vector<double> nova;       // (c) select + DrawFitted (draw + copy)
    std::vector<double> novaKresba; // the DrawFitted part of (c)
};

Gdiplus::GpBitmap* Otevrit(const std::wstring& cesta)
{
    Gdiplus::GpBitmap* b = nullptr;
    return Gdip::GdipCreateBitmapFromFile(cesta.c_str(), &b) == Gdiplus::Ok ? b : nullptr;
}

// Separate decoders of the same file. The bare selection and the new frame change step to the
// same frame in turn, in an order that alternates, so that a busy moment of the machine falls
// on both alike; the former drawing runs on its own afterwards, because its allocations and
// GDI+ drawing would otherwise leave the others a colder cache than playback would.
bool ZmeritZmeny(const Soubor& s, HDC cil, Rozdeleni& r)
{
    Gdiplus::GpBitmap* holy = Otevrit(s.cesta);
    Gdiplus::GpBitmap* stary = Otevrit(s.cesta);
    GifAnimace model;
    const bool ok = holy && stary && SUCCEEDED(model.Load(s.cesta, true)) && model.FrameCount() > 1;
    HBRUSH pozadi = GetSysColorBrush(COLOR_WINDOW);
    const int n = ok ? model.FrameCount() : 0;
    auto vyber = [&](UINT i) {
        const LONGLONG t0 = Now();
        Gdip::GdipImageSelectActiveFrame(holy, &kCas, i);
        r.vyber.push_back(Ms(Now() - t0));
    };
    auto nova = [&](UINT i) {
        const LONGLONG t0 = Now();
        model.SelectFrame(i);
        const LONGLONG t1 = Now();
        model.DrawFitted(cil, 0, 0, kSirkaCile, kVyskaCile, pozadi);
        const LONGLONG t2 = Now();
        r.nova.push_back(Ms(t2 - t0));
        r.novaKresba.push_back(Ms(t2 - t1));
    };
    // Passes in order; frame 0 at the very start is already active and costs nothing.
    for (int k = 1; k < kPruchodu * n; ++k) {
        const UINT i = static_cast<UINT>(k % n);
        if (k % 2) {
            vyber(i);
            nova(i);
        } else {
            nova(i);
            vyber(i);
        }
    }
    for (int k = 1; k < kPruchodu * n; ++k) {
        const UINT i = static_cast<UINT>(k % n);
        const LONGLONG t0 = Now();
        Gdip::GdipImageSelectActiveFrame(stary, &kCas, i);
        StaraCestaKresleni(stary, cil, 0, 0, kSirkaCile, kVyskaCile, pozadi);
        r.stara.push_back(Ms(Now() - t0));
    }
    if (holy) Gdip::GdipDisposeImage(holy);
    if (stary) Gdip::GdipDisposeImage(stary);
    return ok;
}

void ZmenaSnimku(const std::vector<Soubor>& soubory)
{
    std::printf("\nOne frame change into %dx%d (median / p95 ms, frames in order, %d passes)\n", kSirkaCile,
                kVyskaCile, kPruchodu);
    std::printf("  (a) GdipImageSelectActiveFrame alone\n");
    std::printf("  (b) select + the former drawing: GdipDrawImageRectI into a new memory DC, BitBlt\n");
    std::printf("  (c) select + DrawFitted: area-averaged into the kept back buffer, BitBlt\n");
    std::printf("  target: a visible %dx%d window\n", kSirkaCile, kVyskaCile);
    std::printf("%-10s %6s | %15s | %15s | %15s | %5s | %15s\n", "image", "frames", "(a) select", "(b) old change",
                "(c) new change", "c/a", "draw of (c)");
    CilovyOkno okno;
    WindowDc dc(okno.Get());
    for (const Soubor& s : soubory) {
        Rozdeleni r;
        char nazev[32];
        std::snprintf(nazev, sizeof nazev, "%dx%d", s.width, s.height);
        if (!ZmeritZmeny(s, dc.Get(), r)) {
            std::printf("%-10s  could not be loaded\n", nazev);
            continue;
        }
        std::printf("%-10s %6d | %6.2f / %6.2f | %6.2f / %6.2f | %6.2f / %6.2f | %5.2f | %6.2f / %6.2f\n", nazev,
                    s.count, Median(r.vyber), Percentile(r.vyber, 0.95), Median(r.stara), Percentile(r.stara, 0.95),
                    Median(r.nova), Percentile(r.nova, 0.95), Median(r.nova) / Median(r.vyber),
                    Median(r.novaKresba), Percentile(r.novaKresba, 0.95));
    }
}

// --- (d) real playback ---------------------------------------------------------------------

void Intervaly()
{
    constexpr int kZahrati = 5;
    constexpr int kIntervalu = 200;
    std::printf("\nPlayback in the main window (800x600), %d frame intervals after %d to warm up\n", kIntervalu,
                kZahrati);
    std::printf("%-10s %6s %6s | %8s %9s %8s | %10s %8s | %s\n", "image", "delay", "speed", "nominal", "median",
                "p95", "drift ms", "drift %", "timer resolution held");
    struct Pripad {
        Soubor soubor;
        uint32_t rychlost;
    };
    std::vector<Pripad> pripady;
    for (int delayCs : {2, 5, 10})
        for (uint32_t rychlost : {100u, 1000u}) pripady.push_back({Pripravit(320, 240, 201, delayCs), rychlost});
    pripady.push_back({Pripravit(1280, 720, 60, 4), 100});

    for (const Pripad& p : pripady) {
        nastaveni.rychlostAnimace = p.rychlost;
        SendMessageW(oknoHlavni.Handle(), WM_COMMAND, ID_RYCHLOST_VYCHOZI, 0);
        oknoHlavni.OtevritSoubor(p.soubor.cesta, true);
        const bool drzi = RozliseniCasovace::Drzeno() > 0;
        const double nominal = IntervalSnimku(static_cast<uint32_t>(p.soubor.delayCs) * 10, p.rychlost);
        std::vector<LONGLONG> zmeny = Prehravat(kZahrati + kIntervalu + 1);
        oknoHlavni.ZavritSoubor();
        char nazev[32];
        std::snprintf(nazev, sizeof nazev, "%dx%d", p.soubor.width, p.soubor.height);
        if (static_cast<int>(zmeny.size()) < kZahrati + kIntervalu + 1) {
            std::printf("%-10s %3d ms %5u%% | timed out\n", nazev, p.soubor.delayCs * 10, p.rychlost);
            continue;
        }
        zmeny.erase(zmeny.begin(), zmeny.begin() + kZahrati);
        std::vector<double> intervaly;
        for (size_t i = 1; i < zmeny.size(); ++i) intervaly.push_back(Ms(zmeny[i] - zmeny[i - 1]));
        const double ocekavano = nominal * kIntervalu;
        const double drift = Ms(zmeny.back() - zmeny.front()) - ocekavano;
        std::printf("%-10s %3d ms %5u%% | %5.0f ms %9.2f %8.2f | %+10.1f %+7.1f%% | %s\n", nazev,
                    p.soubor.delayCs * 10, p.rychlost, nominal, Median(intervaly), Percentile(intervaly, 0.95),
                    drift, 100.0 * drift / ocekavano, drzi ? "yes" : "no");
    }
    nastaveni.rychlostAnimace = 100;
    SendMessageW(oknoHlavni.Handle(), WM_COMMAND, ID_RYCHLOST_VYCHOZI, 0);
}

// The window timer itself, re-armed on every tick as playback arms it: what an interval asked
// for becomes, with and without the finer system timer.
double MereniCasovace(HWND okno, UINT interval, int tiku)
{
    std::vector<double> intervaly;
    SetTimer(okno, 7, interval, nullptr);
    LONGLONG posledni = 0;
    while (static_cast<int>(intervaly.size()) < tiku) {
        MSG msg;
        if (!GetMessageW(&msg, nullptr, 0, 0)) break;
        if (msg.message == WM_TIMER && msg.hwnd == okno && msg.wParam == 7) {
            const LONGLONG ted = Now();
            SetTimer(okno, 7, interval, nullptr);
            if (posledni) intervaly.push_back(Ms(ted - posledni));
            posledni = ted;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    KillTimer(okno, 7);
    return Median(intervaly);
}

void Casovac()
{
    std::printf("\nThe window timer re-armed on every tick (median of 100 intervals, ms)\n");
    std::printf("%-10s | %12s | %20s\n", "requested", "as it is", "with timeBeginPeriod(1)");
    CilovyOkno okno;
    for (UINT interval : {1u, 5u, 9u, 10u, 15u, 20u}) {
        const double bez = MereniCasovace(okno.Get(), interval, 100);
        RozliseniCasovace presnost;
        presnost.Drzet();
        const double s = MereniCasovace(okno.Get(), interval, 100);
        std::printf("%7u ms | %12.2f | %20.2f\n", interval, bez, s);
    }
}

// --- (e) memory ---------------------------------------------------------------------------

void VypsatPamet(int smycka)
{
    PROCESS_MEMORY_COUNTERS m{sizeof m};
    GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof m);
    std::printf("%d %zu %zu\n", smycka, m.PeakWorkingSetSize / 1024, m.WorkingSetSize / 1024);
    std::fflush(stdout);
}

int PametOkna(const std::wstring& cesta, int smycek)
{
    SpustitProstredi();
    ScratchHkcu scratch(std::wstring(kKlicBench) + L"\\child");
    oknoHlavni.VytvoritHlavniOkno(nullptr);
    oknoHlavni.OtevritSoubor(cesta, true);
    const int snimku = oknoHlavni.Animace() ? oknoHlavni.Animace()->FrameCount() : 0;
    if (snimku <= 1) return 1;
    for (int smycka = 1; smycka <= smycek; ++smycka) {
        Prehravat(snimku);
        VypsatPamet(smycka);
    }
    DestroyWindow(oknoHlavni.Handle());
    return 0;
}

int PametDekoderu(const std::wstring& cesta, int smycek)
{
    GdiplusRelace gdiplus;
    gdiplus.Spustit();
    Gdiplus::GpBitmap* b = Otevrit(cesta);
    UINT snimku = 0;
    if (!b || Gdip::GdipImageGetFrameCount(b, &kCas, &snimku) != Gdiplus::Ok || snimku <= 1) return 1;
    for (int smycka = 1; smycka <= smycek; ++smycka) {
        for (UINT i = 0; i < snimku; ++i) Gdip::GdipImageSelectActiveFrame(b, &kCas, (i + 1) % snimku);
        VypsatPamet(smycka);
    }
    Gdip::GdipDisposeImage(b);
    return 0;
}

struct Mereni {
    int smycka;
    double spickaMb;
    double soucasnaMb;
};

// The lines "loop peak-KB ws-KB" a memory child prints.
std::vector<Mereni> SpustitDite(const wchar_t* rezim, const std::wstring& cesta, int smycek)
{
    std::vector<Mereni> vysledek;
    const std::string vystup = VystupDitete(rezim, cesta, smycek);
    size_t pos = 0;
    while (pos < vystup.size()) {
        const size_t konec = vystup.find('\n', pos);
        const std::string r = vystup.substr(pos, konec == std::string::npos ? std::string::npos : konec - pos);
        int smycka = 0;
        unsigned long long spicka = 0;
        unsigned long long soucasna = 0;
        if (std::sscanf(r.c_str(), "%d %llu %llu", &smycka, &spicka, &soucasna) == 3)
            vysledek.push_back({smycka, spicka / 1024.0, soucasna / 1024.0});
        if (konec == std::string::npos) break;
        pos = konec + 1;
    }
    return vysledek;
}

// --- (f) a frame too large to copy whole -------------------------------------------------------

void VypsatObrovsky(LONGLONG zacatek, bool obraz)
{
    PROCESS_MEMORY_COUNTERS m{sizeof m};
    GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof m);
    std::printf("%zu %.0f %d\n", m.PeakWorkingSetSize / 1024, Ms(Now() - zacatek), obraz ? 1 : 0);
    std::fflush(stdout);
}

int ObrovskyDekoder(const std::wstring& cesta)
{
    GdiplusRelace gdiplus;
    gdiplus.Spustit();
    const LONGLONG zacatek = Now();
    Gdiplus::GpBitmap* b = Otevrit(cesta);
    UINT sirka = 0;
    if (b) Gdip::GdipGetImageWidth(b, &sirka);
    VypsatObrovsky(zacatek, sirka > 0);
    if (b) Gdip::GdipDisposeImage(b);
    return 0;
}

int ObrovskyVOkne(const std::wstring& cesta)
{
    SpustitProstredi();
    ScratchHkcu scratch(std::wstring(kKlicBench) + L"\\child");
    oknoHlavni.VytvoritHlavniOkno(nullptr);
    const LONGLONG zacatek = Now();
    oknoHlavni.OtevritSoubor(cesta, true);
    UpdateWindow(oknoHlavni.Handle());
    VypsatObrovsky(zacatek, oknoHlavni.Animace() && oknoHlavni.Animace()->HasImage());
    DestroyWindow(oknoHlavni.Handle());
    return 0;
}

void ObrovskySnimek()
{
    constexpr int kStrana = 30000;
    const std::wstring cesta = Bench::PripravitJednobarevny(kStrana, kStrana);
    std::printf("\nOne frame of %dx%d in one colour, each process on its own (peak working set, MB; time to\n"
                "open and show, ms)\n",
                kStrana, kStrana);
    std::printf("%-44s | %12s | %10s | %s\n", "process", "peak", "time", "result");
    struct Radek {
        const char* popis;
        const wchar_t* rezim;
    };
    for (const Radek r : {Radek{"bare: the image library opens the file", L"--huge-decode"},
                          Radek{"main window opens and draws it", L"--huge-window"}}) {
        unsigned long long spicka = 0;
        double ms = 0;
        int obraz = 0;
        if (std::sscanf(VystupDitete(r.rezim, cesta, 1).c_str(), "%llu %lf %d", &spicka, &ms, &obraz) != 3) {
            std::printf("%-44s | failed\n", r.popis);
            continue;
        }
        std::printf("%-44s | %12.1f | %10.0f | %s\n", r.popis, spicka / 1024.0, ms,
                    obraz ? "shown" : "not an image it can show");
    }
}

void Pamet(const Soubor& s)
{
    constexpr int kSmycek = 5;
    std::printf("\nMemory of %dx%d, %d frames, each process on its own (MB; peak working set after loop 1 and "
                "after loop %d, working set at the end)\n",
                s.width, s.height, s.count, kSmycek);
    std::printf("%-44s | %12s | %12s | %12s\n", "process", "peak loop 1", "peak loop 5", "ws at end");
    struct Radek {
        const char* popis;
        const wchar_t* rezim;
    };
    for (const Radek r : {Radek{"main window playing the file", L"--memory-window"},
                          Radek{"main window, GIFs decoded by the library", L"--memory-window-library"},
                          Radek{"bare: open the file and select every frame", L"--memory-decode"}}) {
        const std::vector<Mereni> m = SpustitDite(r.rezim, s.cesta, kSmycek);
        if (m.size() != kSmycek) {
            std::printf("%-44s | failed\n", r.popis);
            continue;
        }
        std::printf("%-44s | %12.1f | %12.1f | %12.1f\n", r.popis, m.front().spickaMb, m.back().spickaMb,
                    m.back().soucasnaMb);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 4 && std::wcscmp(argv[1], L"--memory-window") == 0) return PametOkna(argv[2], _wtoi(argv[3]));
    if (argc == 4 && std::wcscmp(argv[1], L"--memory-window-library") == 0) {
        GifAnimace::UseLibraryForGifsInNewModels(true);
        return PametOkna(argv[2], _wtoi(argv[3]));
    }
    if (argc == 4 && std::wcscmp(argv[1], L"--memory-decode") == 0) return PametDekoderu(argv[2], _wtoi(argv[3]));
    if (argc == 4 && std::wcscmp(argv[1], L"--huge-decode") == 0) return ObrovskyDekoder(argv[2]);
    if (argc == 4 && std::wcscmp(argv[1], L"--huge-window") == 0) return ObrovskyVOkne(argv[2]);
    if (argc == 4 && std::wcscmp(argv[1], L"--own-memory") == 0) {
        SpustitProstredi();
        ScratchHkcu scratch(std::wstring(kKlicBench) + L"\\child");
        return VlastniPametDite(argv[2], _wtoi(argv[3]));
    }

    VypsatStroj();
    if (argc == 2 && std::wcscmp(argv[1], L"--huge") == 0) { // this table alone
        ObrovskySnimek();
        return 0;
    }
    SpustitProstredi();
    if (argc == 2 && std::wcscmp(argv[1], L"--decoders") == 0) { // this table alone
        Dekodery();
        return 0;
    }
    if (argc == 2 && std::wcscmp(argv[1], L"--export") == 0) { // this table alone
        Bench::ExportSnimku();
        return 0;
    }
    if (argc == 2 && std::wcscmp(argv[1], L"--zoom") == 0) { // this table alone
        ScratchHkcu scratch(kKlicBench);
        oknoHlavni.VytvoritHlavniOkno(nullptr);
        Bench::Priblizeni();
        DestroyWindow(oknoHlavni.Handle());
        return 0;
    }
    if (argc == 2 && std::wcscmp(argv[1], L"--memory") == 0) { // this table alone
        Pamet(Pripravit(1920, 1080, 40, 4));
        return 0;
    }
    if (argc == 2 && std::wcscmp(argv[1], L"--steps") == 0) { // these tables alone
        VlastniPamet();
        ScratchHkcu scratch(kKlicBench);
        oknoHlavni.VytvoritHlavniOkno(nullptr);
        KrokyAPrehravani();
        DestroyWindow(oknoHlavni.Handle());
        return 0;
    }
    const std::vector<Soubor> soubory = {Pripravit(320, 240, 100, 4), Pripravit(1280, 720, 60, 4),
                                         Pripravit(1920, 1080, 40, 4)};
    Pamet(soubory.back());
    VlastniPamet();
    ObrovskySnimek();
    {
        ScratchHkcu scratch(kKlicBench);
        oknoHlavni.VytvoritHlavniOkno(nullptr);
        ZmenaSnimku(soubory);
        Bench::Priblizeni();
        Intervaly();
        Dekodery();
        KrokyAPrehravani();
        Casovac();
        Bench::PrehledSnimku();
        Bench::ExportSnimku();
        DestroyWindow(oknoHlavni.Handle());
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, kKlicBench);
    std::printf("\nHost load average (1, 5, 15 min) at the end: %s\n", ZatizeniHostitele().c_str());
    return 0;
}
