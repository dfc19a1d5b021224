#pragma once
// Pictures of frames as the main window has drawn them at its current picture size, kept in
// a byte budget, least recently used out first. The image library can only step forward
// cheaply, and a large frame may take it longer to compose than the frame is shown; a frame
// drawn once is copied from here instead. A picture is the whole fitted drawing (background
// included) of one frame, so a kept one is exactly what drawing the frame afresh would give.
//
// The pictures live in one block of slots per picture size. Memory a process touches for the
// first time costs far more than copying into it (on some machines a copy of a frame into
// fresh memory takes as long as decoding it), so a worker thread touches the slots the
// animation will need ahead of the first loop, and a slot, once touched, is used again and
// again. Each slot belongs to one side at a time, handed over by its atomic state: the worker
// touches only slots nobody has taken, the window writes only slots it has taken.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <thread>
#include <unordered_map>
#include <vector>

#include "winlib/Nekopirovatelny.h"

class MezipametSnimku : private Tarnel::WinApi::Nekopirovatelny {
public:
    explicit MezipametSnimku(size_t rozpocetBajtu) : rozpocet(rozpocetBajtu) {}
    ~MezipametSnimku();

    // At most 128 MB, and at most an eighth of the machine's memory.
    static size_t VychoziRozpocet(uint64_t fyzickaPamet);

    // The pictures the cache holds are of this size, on this background; asking for another
    // empties it. About `ocekavano` pictures will be wanted (the frames of the animation).
    void Nastavit(int sirka, int vyska, uint32_t pozadi, size_t ocekavano = 0);
    // The kept picture of the frame (marked recently used), or null.
    const uint32_t* Najit(unsigned snimek);
    bool Obsahuje(unsigned snimek) const { return polozky.count(snimek) != 0; }
    // Keeps a copy of a picture of the current size (rows of 4-byte pixels, `krok` bytes apart),
    // dropping the least recently used ones to make room; nothing when it cannot fit at all.
    void Ulozit(unsigned snimek, const uint8_t* pixely, ptrdiff_t krok);
    // Forgets every picture; the memory stays for the next ones of the same size.
    void Vyprazdnit();
    // Another budget; what is kept goes, and with it the memory.
    void NastavitRozpocet(size_t bajtu);

    // How many pictures of the current size the budget holds.
    size_t Kapacita() const;
    size_t Pocet() const { return polozky.size(); }
    size_t ObsazenoBajtu() const { return polozky.size() * VelikostObrazu(); }
    size_t Rozpocet() const { return rozpocet; }
    int Sirka() const { return sirka; }
    int Vyska() const { return vyska; }

private:
    enum Stav : uint8_t { Volny, Dotykany, Pripraveny, Obsazeny };

    struct Obraz {
        unsigned snimek;
        size_t slot;
    };
    using Seznam = std::list<Obraz>; // most recently used first

    size_t VelikostObrazu() const;
    uint8_t* Slot(size_t slot) const { return pamet.get() + slot * VelikostObrazu(); }
    size_t VzitSlot();
    void OdebratNejstarsi();
    void Uvolnit();
    void Predpripravit(size_t pocet);
    void ZastavitPredpripravu();

    size_t rozpocet;
    int sirka = 0;
    int vyska = 0;
    uint32_t pozadi = 0;
    Seznam poradi;
    std::unordered_map<unsigned, Seznam::iterator> polozky;

    // The slots: Kapacita() pictures of the current size, and who each belongs to.
    std::unique_ptr<uint8_t[]> pamet;
    std::unique_ptr<std::atomic<uint8_t>[]> stavy;
    size_t pocetSlotu = 0;
    size_t dalsiNovy = 0;             // slots below this the window has taken at some time
    std::vector<size_t> volne;        // taken slots that hold no picture now
    size_t pozadovano = 0;            // slots the worker was asked to touch, from the first
    std::thread predpriprava;
    std::atomic<bool> zastavit{false};
    std::atomic<bool> hotovo{false};
};
