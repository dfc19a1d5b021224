#pragma once
// Rendered rows of the frames overview list, kept within a fixed byte budget. The image
// library can only step forward through an animation cheaply: every step back decodes again
// from the first frame, so a list scrolled upwards would pay that for every row it shows.
// Rows rendered once are copied from here instead; the least recently used go first.
#include <windows.h>

#include <cstddef>
#include <list>

#include "winlib/Handles.h"
#include "winlib/Nekopirovatelny.h"

class MezipametPolozek : private Tarnel::WinApi::Nekopirovatelny {
public:
    // One rendering: the frame, the row size and the background it was drawn on.
    struct Klic {
        UINT snimek;
        int sirka;
        int vyska;
        COLORREF pozadi;
    };

    // Each rendering is a GDI object, and a process has only some thousands of those: rows of
    // a tiny image would otherwise fill the budget with far too many.
    static constexpr size_t kNejvicePolozek = 1024;

    explicit MezipametPolozek(size_t rozpocetBajtu) : rozpocet(rozpocetBajtu) {}

    // What a rendering of that size costs: 32 bits a pixel, as the display keeps it.
    static size_t Velikost(int sirka, int vyska);
    // How many renderings of that size the budget holds.
    size_t Kapacita(int sirka, int vyska) const;

    bool Obsahuje(const Klic& klic) const;
    // Copies a kept rendering to (x, y) of dc and marks it recently used; false when none is kept.
    bool Vykreslit(const Klic& klic, HDC dc, int x, int y);
    // Keeps a rendering (a bitmap of the key's size), making room by dropping the least
    // recently used ones; one larger than the whole budget is not kept.
    void Ulozit(const Klic& klic, Tarnel::WinApi::Bitmap bitmapa);
    void Vyprazdnit();

    size_t Pocet() const { return polozky.size(); }
    size_t ObsazenoBajtu() const { return obsazeno; }
    size_t Rozpocet() const { return rozpocet; }

private:
    struct Polozka {
        Klic klic;
        Tarnel::WinApi::Bitmap bitmapa;
    };
    using Seznam = std::list<Polozka>; // most recently used first

    Seznam::iterator Najit(const Klic& klic);
    Seznam::const_iterator Najit(const Klic& klic) const;
    void Odebrat(Seznam::iterator polozka);

    size_t rozpocet;
    size_t obsazeno = 0;
    Seznam polozky;
};
