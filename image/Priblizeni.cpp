#include "image/Priblizeni.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace {

// Scales that differ by less than this are one step: the fitted scale of a picture may land a
// hair beside a step, and a step must then still move.
constexpr double kTolerance = 1e-6;

std::vector<double> SestavitStupne()
{
    std::vector<double> stupne;
    double pod = 1.0;
    std::vector<double> mensi;
    while (pod / 1.25 > kNejmensiPriblizeni + kTolerance) {
        pod /= 1.25;
        mensi.push_back(pod);
    }
    stupne.push_back(kNejmensiPriblizeni);
    stupne.insert(stupne.end(), mensi.rbegin(), mensi.rend());
    // Above 1 x a block of pixels of one size is what lets the user count pixels, so the
    // ×1.25 steps are rounded to whole multiples, always at least one more.
    double nad = 1.0;
    while (nad < kNejvetsiPriblizeni) {
        stupne.push_back(nad);
        nad = std::min(kNejvetsiPriblizeni, std::max(nad + 1.0, std::round(nad * 1.25)));
    }
    stupne.push_back(kNejvetsiPriblizeni);
    return stupne;
}

} // namespace

const std::vector<double>& StupnePriblizeni()
{
    static const std::vector<double> stupne = SestavitStupne();
    return stupne;
}

double VetsiPriblizeni(double meritko)
{
    for (const double stupen : StupnePriblizeni())
        if (stupen > meritko * (1 + kTolerance)) return stupen;
    return kNejvetsiPriblizeni;
}

double MensiPriblizeni(double meritko)
{
    const auto& stupne = StupnePriblizeni();
    for (auto i = stupne.rbegin(); i != stupne.rend(); ++i)
        if (*i < meritko * (1 - kTolerance)) return *i;
    return kNejmensiPriblizeni;
}

int ZvetsenaDelka(int delka, double meritko)
{
    const double d = std::floor(static_cast<double>(delka) * meritko + 0.5);
    return static_cast<int>(std::clamp(d, 1.0, 2147483647.0));
}

int RozsahPosunu(int obraz, int okno) { return std::max(0, obraz - okno); }

int OmezitPosun(int posun, int obraz, int okno) { return std::clamp(posun, 0, RozsahPosunu(obraz, okno)); }

int PocatekObrazu(const Osa& osa)
{
    if (osa.obraz <= osa.okno) return (osa.okno - osa.obraz) / 2;
    return -OmezitPosun(osa.posun, osa.obraz, osa.okno);
}

int PosunPoPriblizeni(const Osa& stary, int novyObraz, int kurzor)
{
    // The image point under the cursor, as a fraction of the picture, before and after.
    const double bod = static_cast<double>(kurzor - PocatekObrazu(stary)) / stary.obraz;
    const double posun = bod * novyObraz - kurzor;
    return OmezitPosun(static_cast<int>(std::lround(posun)), novyObraz, stary.okno);
}

void ZdrojovePixely(int zdroj, int obraz, int prvni, int pocet, std::vector<int>& vysledek)
{
    vysledek.resize(static_cast<size_t>(std::max(0, pocet)));
    for (int i = 0; i < pocet; ++i) {
        const int64_t p = static_cast<int64_t>(prvni + i) * zdroj / obraz;
        vysledek[static_cast<size_t>(i)] = static_cast<int>(std::clamp<int64_t>(p, 0, zdroj - 1));
    }
}

PozadiPruhlednosti DalsiPozadi(PozadiPruhlednosti pozadi)
{
    return static_cast<PozadiPruhlednosti>((static_cast<uint32_t>(pozadi) + 1) % kPocetPozadi);
}

uint32_t PixelPozadi(PozadiPruhlednosti pozadi, uint32_t barvaOkna, int x, int y)
{
    switch (pozadi) {
    case PozadiPruhlednosti::Sachovnice:
        return ((x / kPoleSachovnice + y / kPoleSachovnice) & 1) ? kSachovniceStredni : kSachovniceSvetla;
    case PozadiPruhlednosti::Tmave: return kPozadiTmave;
    case PozadiPruhlednosti::Svetle: return kPozadiSvetle;
    case PozadiPruhlednosti::BarvaOkna: break;
    }
    return barvaOkna;
}

void VyplnitRadekPozadi(PozadiPruhlednosti pozadi, uint32_t barvaOkna, int x, int y, int pocet, uint32_t* radek)
{
    if (pozadi != PozadiPruhlednosti::Sachovnice) {
        std::fill(radek, radek + pocet, PixelPozadi(pozadi, barvaOkna, x, y));
        return;
    }
    for (int i = 0; i < pocet;) {
        // A run to the end of the square the pixel lies in.
        const int konec = std::min(pocet, i + kPoleSachovnice - (x + i) % kPoleSachovnice);
        std::fill(radek + i, radek + konec, PixelPozadi(pozadi, barvaOkna, x + i, y));
        i = konec;
    }
}

Posuvniky PotrebnePosuvniky(int sirka, int vyska, int cx, int cy, int sirkaListy, int vyskaListy)
{
    Posuvniky p;
    p.vodorovny = sirka > cx;
    p.svisly = vyska > (p.vodorovny ? cy - vyskaListy : cy);
    if (p.svisly && !p.vodorovny) p.vodorovny = sirka > cx - sirkaListy;
    return p;
}

namespace {
// Read by the overview thread while the main thread may change it; a word is enough.
std::atomic<uint32_t> spolecnePozadi{0};
} // namespace

PozadiPruhlednosti SpolecnePozadi() { return static_cast<PozadiPruhlednosti>(spolecnePozadi.load() % kPocetPozadi); }

void NastavitSpolecnePozadi(PozadiPruhlednosti pozadi) { spolecnePozadi.store(static_cast<uint32_t>(pozadi)); }

std::wstring ProcentaPriblizeni(double meritko)
{
    const long desetiny = std::lround(meritko * 1000);
    if (desetiny >= 100) return std::to_wstring(std::lround(meritko * 100));
    return std::to_wstring(desetiny / 10) + L"," + std::to_wstring(desetiny % 10);
}
