#include "app/MezipametSnimku.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kNejvyssiRozpocet = size_t{128} << 20;
constexpr size_t kStranka = 4096;

} // namespace

MezipametSnimku::~MezipametSnimku() { ZastavitPredpripravu(); }

size_t MezipametSnimku::VychoziRozpocet(uint64_t fyzickaPamet)
{
    return static_cast<size_t>(std::min<uint64_t>(kNejvyssiRozpocet, fyzickaPamet / 8));
}

size_t MezipametSnimku::VelikostObrazu() const
{
    if (sirka <= 0 || vyska <= 0) return 0;
    return static_cast<size_t>(sirka) * static_cast<size_t>(vyska) * 4;
}

size_t MezipametSnimku::Kapacita() const
{
    const size_t jeden = VelikostObrazu();
    return jeden ? rozpocet / jeden : 0;
}

void MezipametSnimku::Nastavit(int novaSirka, int novaVyska, uint32_t novePozadi, size_t ocekavano)
{
    if (novaSirka != sirka || novaVyska != vyska || novePozadi != pozadi) {
        Uvolnit();
        sirka = novaSirka;
        vyska = novaVyska;
        pozadi = novePozadi;
    }
    if (!pamet && Kapacita() > 0) {
        pocetSlotu = Kapacita();
        // Not cleared: only what the window writes is ever read.
        pamet.reset(new (std::nothrow) uint8_t[pocetSlotu * VelikostObrazu()]);
        if (!pamet) {
            pocetSlotu = 0;
            return;
        }
        stavy.reset(new std::atomic<uint8_t>[pocetSlotu]);
        for (size_t i = 0; i < pocetSlotu; ++i) stavy[i].store(Volny);
    }
    Predpripravit(ocekavano);
}

void MezipametSnimku::Predpripravit(size_t pocet)
{
    pocet = std::min(pocet, pocetSlotu);
    if (pocet <= pozadovano) return;
    // One worker at a time; a larger animation of the same size asks for the rest later.
    if (predpriprava.joinable()) {
        if (!hotovo.load()) return;
        predpriprava.join();
    }
    const size_t od = std::max(pozadovano, dalsiNovy);
    pozadovano = pocet;
    zastavit.store(false);
    hotovo.store(false);
    predpriprava = std::thread([this, od, pocet, zaklad = pamet.get(), velikost = VelikostObrazu()] {
        for (size_t i = od; i < pocet && !zastavit.load(std::memory_order_relaxed); ++i) {
            uint8_t volny = Volny;
            if (!stavy[i].compare_exchange_strong(volny, Dotykany)) continue;
            uint8_t* slot = zaklad + i * velikost;
            for (size_t b = 0; b < velikost; b += kStranka) slot[b] = 0;
            stavy[i].store(Pripraveny, std::memory_order_release);
        }
        hotovo.store(true);
    });
}

void MezipametSnimku::ZastavitPredpripravu()
{
    if (!predpriprava.joinable()) return;
    zastavit.store(true);
    predpriprava.join();
}

size_t MezipametSnimku::VzitSlot()
{
    if (!volne.empty()) {
        const size_t slot = volne.back();
        volne.pop_back();
        return slot;
    }
    const size_t slot = dalsiNovy++;
    // A slot the worker is touching right now is its for a moment longer; one it has not come
    // to yet it will pass over.
    uint8_t stav = stavy[slot].load(std::memory_order_acquire);
    while (stav == Dotykany || !stavy[slot].compare_exchange_weak(stav, Obsazeny, std::memory_order_acquire)) {
        if (stav == Dotykany) {
            std::this_thread::yield();
            stav = stavy[slot].load(std::memory_order_acquire);
        }
    }
    return slot;
}

const uint32_t* MezipametSnimku::Najit(unsigned snimek)
{
    const auto nalezeny = polozky.find(snimek);
    if (nalezeny == polozky.end()) return nullptr;
    poradi.splice(poradi.begin(), poradi, nalezeny->second);
    return reinterpret_cast<const uint32_t*>(Slot(nalezeny->second->slot));
}

void MezipametSnimku::OdebratNejstarsi()
{
    volne.push_back(poradi.back().slot);
    polozky.erase(poradi.back().snimek);
    poradi.pop_back();
}

void MezipametSnimku::Ulozit(unsigned snimek, const uint8_t* pixely, ptrdiff_t krok)
{
    const size_t velikost = VelikostObrazu();
    if (!pamet || velikost == 0) return;
    if (const auto stary = polozky.find(snimek); stary != polozky.end()) {
        volne.push_back(stary->second->slot);
        poradi.erase(stary->second);
        polozky.erase(stary);
    }
    if (poradi.size() == pocetSlotu) OdebratNejstarsi();
    const size_t slot = VzitSlot();
    uint8_t* cil = Slot(slot);
    const size_t radek = static_cast<size_t>(sirka) * 4;
    if (krok == static_cast<ptrdiff_t>(radek)) {
        std::memcpy(cil, pixely, velikost);
    } else {
        for (int y = 0; y < vyska; ++y) std::memcpy(cil + radek * static_cast<size_t>(y), pixely + krok * y, radek);
    }
    poradi.push_front(Obraz{snimek, slot});
    polozky[snimek] = poradi.begin();
}

void MezipametSnimku::Vyprazdnit()
{
    for (const Obraz& obraz : poradi) volne.push_back(obraz.slot);
    poradi.clear();
    polozky.clear();
}

void MezipametSnimku::Uvolnit()
{
    ZastavitPredpripravu();
    poradi.clear();
    polozky.clear();
    volne.clear();
    pamet.reset();
    stavy.reset();
    pocetSlotu = 0;
    dalsiNovy = 0;
    pozadovano = 0;
}

void MezipametSnimku::NastavitRozpocet(size_t bajtu)
{
    Uvolnit();
    rozpocet = bajtu;
    sirka = vyska = 0;
}
