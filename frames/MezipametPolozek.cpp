#include "frames/MezipametPolozek.h"

#include <algorithm>

using namespace Tarnel::WinApi;

namespace {

bool StejnyKlic(const MezipametPolozek::Klic& a, const MezipametPolozek::Klic& b)
{
    return a.snimek == b.snimek && a.sirka == b.sirka && a.vyska == b.vyska && a.pozadi == b.pozadi;
}

} // namespace

size_t MezipametPolozek::Velikost(int sirka, int vyska)
{
    if (sirka <= 0 || vyska <= 0) return 0;
    return static_cast<size_t>(sirka) * static_cast<size_t>(vyska) * 4;
}

size_t MezipametPolozek::Kapacita(int sirka, int vyska) const
{
    const size_t jedna = Velikost(sirka, vyska);
    if (jedna == 0) return 0;
    return std::min(rozpocet / jedna, kNejvicePolozek);
}

MezipametPolozek::Seznam::iterator MezipametPolozek::Najit(const Klic& klic)
{
    return std::find_if(polozky.begin(), polozky.end(), [&klic](const Polozka& p) { return StejnyKlic(p.klic, klic); });
}

MezipametPolozek::Seznam::const_iterator MezipametPolozek::Najit(const Klic& klic) const
{
    return std::find_if(polozky.begin(), polozky.end(), [&klic](const Polozka& p) { return StejnyKlic(p.klic, klic); });
}

bool MezipametPolozek::Obsahuje(const Klic& klic) const { return Najit(klic) != polozky.end(); }

bool MezipametPolozek::Vykreslit(const Klic& klic, HDC dc, int x, int y)
{
    const auto polozka = Najit(klic);
    if (polozka == polozky.end()) return false;
    polozky.splice(polozky.begin(), polozky, polozka);
    MemoryDc zdroj(dc);
    SelectGuard vyber(zdroj.Get(), polozka->bitmapa.Get());
    CheckWin32(BitBlt(dc, x, y, klic.sirka, klic.vyska, zdroj.Get(), 0, 0, SRCCOPY));
    return true;
}

void MezipametPolozek::Odebrat(Seznam::iterator polozka)
{
    obsazeno -= Velikost(polozka->klic.sirka, polozka->klic.vyska);
    polozky.erase(polozka);
}

void MezipametPolozek::Ulozit(const Klic& klic, Bitmap bitmapa)
{
    const size_t velikost = Velikost(klic.sirka, klic.vyska);
    if (!bitmapa || velikost == 0 || velikost > rozpocet) return;
    const auto stejna = Najit(klic);
    if (stejna != polozky.end()) Odebrat(stejna);
    while (!polozky.empty() && (obsazeno + velikost > rozpocet || polozky.size() >= kNejvicePolozek))
        Odebrat(std::prev(polozky.end()));
    polozky.push_front(Polozka{klic, std::move(bitmapa)});
    obsazeno += velikost;
}

void MezipametPolozek::Vyprazdnit()
{
    polozky.clear();
    obsazeno = 0;
}
