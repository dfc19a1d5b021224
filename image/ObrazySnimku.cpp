#include "image/ObrazySnimku.h"

#include <new>

size_t ObrazySnimku::Velikost(int sirka, int vyska)
{
    if (sirka <= 0 || vyska <= 0) return 0;
    return static_cast<size_t>(sirka) * static_cast<size_t>(vyska) * sizeof(uint32_t);
}

const uint32_t* ObrazySnimku::Najit(const KlicObrazu& klic)
{
    const auto nalezeny = polozky_.find(klic);
    if (nalezeny == polozky_.end()) return nullptr;
    poradi_.splice(poradi_.begin(), poradi_, nalezeny->second);
    return nalezeny->second->pixely.get();
}

uint32_t* ObrazySnimku::Pridat(const KlicObrazu& klic, size_t rozpocet)
{
    const size_t velikost = Velikost(klic.sirka, klic.vyska);
    if (velikost == 0 || velikost > rozpocet) return nullptr;
    std::unique_ptr<uint32_t[]> pamet;
    if (const auto stary = polozky_.find(klic); stary != polozky_.end()) {
        pamet = std::move(stary->second->pixely);
        bajtu_ -= velikost;
        poradi_.erase(stary->second);
        polozky_.erase(stary);
    }
    while (!poradi_.empty() && bajtu_ + velikost > rozpocet) {
        Obraz& nejstarsi = poradi_.back();
        const size_t jeho = Velikost(nejstarsi.klic.sirka, nejstarsi.klic.vyska);
        if (!pamet && jeho == velikost) pamet = std::move(nejstarsi.pixely);
        bajtu_ -= jeho;
        polozky_.erase(nejstarsi.klic);
        poradi_.pop_back();
    }
    if (!pamet) pamet.reset(new (std::nothrow) uint32_t[velikost / sizeof(uint32_t)]);
    if (!pamet) return nullptr;
    poradi_.push_front(Obraz{klic, std::move(pamet)});
    polozky_[klic] = poradi_.begin();
    bajtu_ += velikost;
    return poradi_.front().pixely.get();
}

void ObrazySnimku::Vyprazdnit()
{
    polozky_.clear();
    poradi_.clear();
    bajtu_ = 0;
}
