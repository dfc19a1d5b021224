#pragma once
// Pictures of frames as they were drawn, kept within a byte budget that the caller gives at
// each addition, least recently used out first. A picture is the frame fitted into a size and
// laid over a background colour: the same frame, size and colour always give the same
// picture, so a kept one is exactly what drawing it afresh would give.
//
// The memory of a picture that goes is given to the next picture of the same size rather
// than back to the system: memory touched for the first time costs far more than drawing into
// it again.
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <unordered_map>

#include "winlib/Nekopirovatelny.h"

struct KlicObrazu {
    uint32_t snimek;
    int sirka;
    int vyska;
    uint32_t pozadi; // the colour under the frame's transparent pixels
    uint32_t vzor = 0; // or, when not 0, the pattern there (PozadiPruhlednosti::Sachovnice)

    bool operator==(const KlicObrazu& o) const
    {
        return snimek == o.snimek && sirka == o.sirka && vyska == o.vyska && pozadi == o.pozadi && vzor == o.vzor;
    }
};

// Owns its pictures; not copyable.
class ObrazySnimku : private Tarnel::WinApi::Nekopirovatelny {
public:
    // The kept picture (sirka x vyska 32-bit pixels, rows top-down), marked recently used; or null.
    const uint32_t* Najit(const KlicObrazu& klic);
    bool Obsahuje(const KlicObrazu& klic) const { return polozky_.count(klic) != 0; }
    // Room for a new picture of the key, which the caller then draws; it is kept from now on.
    // The least recently used pictures go until all of them take at most `rozpocet` bytes;
    // null when the picture alone would take more, or the memory cannot be had.
    uint32_t* Pridat(const KlicObrazu& klic, size_t rozpocet);
    // Gives every picture's memory back.
    void Vyprazdnit();

    size_t Pocet() const { return polozky_.size(); }
    size_t Bajtu() const { return bajtu_; }
    static size_t Velikost(int sirka, int vyska);

private:
    struct Obraz {
        KlicObrazu klic;
        std::unique_ptr<uint32_t[]> pixely;
    };
    struct Hash {
        size_t operator()(const KlicObrazu& k) const
        {
            return (size_t{k.snimek} * 0x9E3779B1u) ^ (size_t(k.sirka) << 20) ^ (size_t(k.vyska) << 8) ^ k.pozadi ^
                   (size_t{k.vzor} << 28);
        }
    };
    using Poradi = std::list<Obraz>; // most recently used first

    Poradi poradi_;
    std::unordered_map<KlicObrazu, Poradi::iterator, Hash> polozky_;
    size_t bajtu_ = 0;
};
