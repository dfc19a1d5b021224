// Animora's GIF decoder beside giflib (and Wuffs, when built with it), natively, in one
// process on the same files, the decoders taking turns so that the machine's changing load
// falls on each alike. For each file and decoder:
//   open   file bytes in memory to frame 0 composed (ms)
//   loop 1 per frame, the frames after frame 0 right after opening (ms)
//   loop 2 per frame, the same frames once more after frame 0 has come round again (ms)
// each the median of several rounds, a fresh decoder every round; then the geometric mean of
// the ratios ours / theirs. Before timing, every frame of two loops is compared with ours.
//   animora_bench_native GIF...
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <ctime>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "bench/native/Prehravace.h"
#include "image/GifDekoder.h"

namespace {

constexpr size_t kKol = 7;

using Tovarna = std::unique_ptr<Prehravac> (*)();

struct Casy {
    double otevreni = 0, smycka1 = 0, smycka2 = 0;
};

struct Soubor {
    std::string nazev;
    std::vector<uint8_t> bajty;
    uint32_t sirka = 0, vyska = 0;
    size_t snimku = 0;
    std::vector<Casy> casy; // per decoder
};

double Now()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

size_t Hash(const uint32_t* pixels, size_t count)
{
    return std::hash<std::string_view>{}(std::string_view(reinterpret_cast<const char*>(pixels), count * 4));
}

std::string FirstLine(const char* path, const char* prefix)
{
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(prefix, 0) == 0) return line.substr(line.find(':') + 2);
    return "?";
}

std::string LoadAverage()
{
    std::ifstream in("/proc/loadavg");
    std::string a, b, c;
    in >> a >> b >> c;
    return a + " " + b + " " + c;
}

// Every frame of two loops of `them` against ours; the number of frames that differ.
size_t Differences(const Soubor& s, Tovarna them)
{
    auto ours = NovyAnimora();
    auto other = them();
    ours->Prepare(s.bajty);
    other->Prepare(s.bajty);
    if (!ours->Open(s.bajty) || !other->Open(s.bajty)) return SIZE_MAX;
    if (ours->Width() != other->Width() || ours->Height() != other->Height()) return SIZE_MAX;
    const size_t pixels = size_t{ours->Width()} * ours->Height();
    size_t bad = Hash(ours->Canvas(), pixels) != Hash(other->Canvas(), pixels);
    for (size_t i = 1; i < 2 * s.snimku; ++i) bad += Hash(ours->Next(), pixels) != Hash(other->Next(), pixels);
    return bad;
}

Casy Round(const Soubor& s, Tovarna tovarna)
{
    Casy c;
    auto p = tovarna();
    p->Prepare(s.bajty);
    const double t0 = Now();
    if (!p->Open(s.bajty)) return c;
    const double t1 = Now();
    for (size_t i = 1; i < s.snimku; ++i) p->Next();
    const double t2 = Now();
    p->Next(); // frame 0 again, not timed: the loops compare the same frames
    const double t3 = Now();
    for (size_t i = 1; i < s.snimku; ++i) p->Next();
    const double t4 = Now();
    const double frames = static_cast<double>(std::max<size_t>(s.snimku - 1, 1));
    c.otevreni = t1 - t0;
    c.smycka1 = (t2 - t1) / frames;
    c.smycka2 = (t4 - t3) / frames;
    return c;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Checks the others against ours, then times every decoder kKol times, taking turns.
void Measure(Soubor& s, const std::vector<Tovarna>& tovarny, const std::vector<std::string>& jmena)
{
    GifDekoder d;
    if (d.Open(s.bajty) != GifDekoder::Otevreni::Otevreno) return;
    s.sirka = d.Width();
    s.vyska = d.Height();
    s.snimku = d.FrameCount();
    for (size_t k = 1; k < tovarny.size(); ++k) {
        const size_t bad = Differences(s, tovarny[k]);
        if (bad) std::printf("%s: %s composes %zu frames otherwise\n", s.nazev.c_str(), jmena[k].c_str(), bad);
    }
    std::vector<std::vector<Casy>> kola(tovarny.size());
    for (size_t kolo = 0; kolo < kKol; ++kolo)
        for (size_t k = 0; k < tovarny.size(); ++k) {
            const size_t which = (k + kolo) % tovarny.size(); // each goes first in turn
            kola[which].push_back(Round(s, tovarny[which]));
        }
    for (const std::vector<Casy>& v : kola) {
        std::vector<double> a, b, c;
        for (const Casy& x : v) {
            a.push_back(x.otevreni);
            b.push_back(x.smycka1);
            c.push_back(x.smycka2);
        }
        s.casy.push_back({Median(a), Median(b), Median(c)});
    }
}

void PrintHeader(bool wuffs)
{
    char datum[64];
    const std::time_t now = std::time(nullptr);
    std::strftime(datum, sizeof datum, "%Y-%m-%d %H:%M UTC", std::gmtime(&now));
    std::printf("\nNative GIF decoding: Animora beside giflib%s, g++ -O2 -g\n", wuffs ? " and Wuffs" : "");
    std::printf("machine: %s, %u cores; %s; load average %s\n", FirstLine("/proc/cpuinfo", "model name").c_str(),
                std::thread::hardware_concurrency(), datum, LoadAverage().c_str());
    std::printf("open = file bytes in memory to frame 0 composed; loop 1 = per frame, frames 1 to the last\n"
                "right after opening; loop 2 = the same frames in the next loop; ms, median of %zu rounds\n\n",
                kKol);
}

void PrintTimes(const std::vector<Soubor>& soubory, const std::vector<std::string>& jmena)
{
    std::printf("%-22s %9s %6s", "file", "size", "frames");
    for (const std::string& j : jmena) std::printf(" | %-7s open loop1 loop2", j.c_str());
    std::printf("\n");
    for (const Soubor& s : soubory) {
        if (s.casy.empty()) {
            std::printf("%-22s does not open\n", s.nazev.c_str());
            continue;
        }
        const std::string size = std::to_string(s.sirka) + "x" + std::to_string(s.vyska);
        std::printf("%-22s %9s %6zu", s.nazev.c_str(), size.c_str(), s.snimku);
        for (const Casy& c : s.casy) std::printf(" | %7s %5.2f %5.2f %5.2f", "", c.otevreni, c.smycka1, c.smycka2);
        std::printf("\n");
    }
}

void PrintRatios(const std::vector<Soubor>& soubory, size_t k, const std::string& jmeno)
{
    std::printf("\nAnimora / %s (below 1: ours is faster)\n", jmeno.c_str());
    double logs[3] = {0, 0, 0};
    size_t n = 0;
    for (const Soubor& s : soubory) {
        if (s.casy.empty()) continue;
        const Casy& o = s.casy[0];
        const Casy& t = s.casy[k];
        const double r[3] = {o.otevreni / t.otevreni, o.smycka1 / t.smycka1, o.smycka2 / t.smycka2};
        std::printf("  %-22s open %5.2f  loop1 %5.2f  loop2 %5.2f\n", s.nazev.c_str(), r[0], r[1], r[2]);
        for (int i = 0; i < 3; ++i) logs[i] += std::log(r[i]);
        ++n;
    }
    if (n)
        std::printf("  %-22s open %5.2f  loop1 %5.2f  loop2 %5.2f\n", "geometric mean", std::exp(logs[0] / n),
                    std::exp(logs[1] / n), std::exp(logs[2] / n));
}

} // namespace

int main(int argc, char** argv)
{
    // Large blocks always come fresh from the system, as they do when a program opens a file
    // for the first time; otherwise glibc would hand the last round's memory to the next.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);

    std::vector<Tovarna> tovarny{NovyAnimora, NovyGiflib};
    std::vector<std::string> jmena{"Animora", "giflib"};
    if (NovyWuffs()) {
        tovarny.push_back(NovyWuffs);
        jmena.push_back("Wuffs");
    }
    PrintHeader(tovarny.size() > 2);

    std::vector<Soubor> soubory;
    for (int a = 1; a < argc; ++a) {
        Soubor s;
        std::ifstream in(argv[a], std::ios::binary);
        s.bajty.assign(std::istreambuf_iterator<char>(in), {});
        s.nazev = argv[a];
        s.nazev = s.nazev.substr(s.nazev.find_last_of('/') + 1);
        Measure(s, tovarny, jmena);
        soubory.push_back(std::move(s));
    }
    PrintTimes(soubory, jmena);
    for (size_t k = 1; k < tovarny.size(); ++k) PrintRatios(soubory, k, jmena[k]);
    std::printf("\nload average afterwards %s\n", LoadAverage().c_str());
    return 0;
}
