#pragma once
// The arithmetic of looking closer: zoom steps, the size of the zoomed picture, how far it can
// be panned, the point that stays under the cursor while zooming, and which source pixel each
// column or row of the screen shows. Plain functions on numbers, so the tests need no window.
// All sizes are in device pixels: at 1 x an image pixel is one device pixel.
#include <cstdint>
#include <string>
#include <vector>

constexpr double kNejmensiPriblizeni = 1.0 / 16;
constexpr double kNejvetsiPriblizeni = 32.0;

// The zoom of the main picture: fitted into the window (the default), or a fixed scale.
struct Priblizeni {
    bool prizpusobit = true;
    double meritko = 1.0; // only when not fitted

    static Priblizeni Prizpusobene() { return {}; }
    static Priblizeni Pevne(double meritko) { return {false, meritko}; }
};

// The next step up and down from any scale (the fitted view's scale included): powers of
// 1.25 below 1 x, whole multiples above, within kNejmensiPriblizeni .. kNejvetsiPriblizeni.
double VetsiPriblizeni(double meritko);
double MensiPriblizeni(double meritko);
// Every step, smallest first.
const std::vector<double>& StupnePriblizeni();

// Pixels of an image side of `delka` pixels at the scale; never less than 1. Whole multiples
// are exact, so every image pixel becomes a block of the same size.
int ZvetsenaDelka(int delka, double meritko);

// One axis of the view: the zoomed picture of `obraz` device pixels in a window of `okno`.
struct Osa {
    int obraz;
    int okno;
    int posun; // how far the picture is scrolled; 0 when it fits
};

// How far the picture can be scrolled (0 when it fits the window).
int RozsahPosunu(int obraz, int okno);
int OmezitPosun(int posun, int obraz, int okno);
// Where the picture's first pixel lands in the window: centred when it fits, else -posun.
int PocatekObrazu(const Osa& osa);

// The scroll position after a zoom from `stary` to a picture of `novyObraz` pixels that keeps
// the image point under `kurzor` (window pixels from the area's edge) under it where it can.
int PosunPoPriblizeni(const Osa& stary, int novyObraz, int kurzor);

// For each of `pocet` window pixels from `prvni` on (in picture pixels, from the picture's
// first pixel), the source pixel it shows when `zdroj` pixels are drawn as `obraz` pixels
// (obraz >= zdroj: nearest neighbour, no blending).
void ZdrojovePixely(int zdroj, int obraz, int prvni, int pocet, std::vector<int>& vysledek);

// The background under a picture's transparent pixels.
enum class PozadiPruhlednosti : uint32_t {
    BarvaOkna = 0, // the brush the caller draws with
    Sachovnice = 1,
    Tmave = 2,
    Svetle = 3,
};
constexpr uint32_t kPocetPozadi = 4;
PozadiPruhlednosti DalsiPozadi(PozadiPruhlednosti pozadi);

// Checkerboard squares, in device pixels, and the colours of the fixed backgrounds
// (0x00RRGGBB, as pixels in memory).
constexpr int kPoleSachovnice = 8;
constexpr uint32_t kSachovniceSvetla = 0xE6E6E6;
constexpr uint32_t kSachovniceStredni = 0xA8A8A8;
constexpr uint32_t kPozadiTmave = 0x202020;
constexpr uint32_t kPozadiSvetle = 0xF4F4F4;

// The pixel of the background at (x, y) from the picture's top-left corner; `barvaOkna` for
// BarvaOkna.
uint32_t PixelPozadi(PozadiPruhlednosti pozadi, uint32_t barvaOkna, int x, int y);
// Fills `pocet` pixels of one row, which starts at (x, y) of the picture.
void VyplnitRadekPozadi(PozadiPruhlednosti pozadi, uint32_t barvaOkna, int x, int y, int pocet, uint32_t* radek);

// Whether a picture of sirka x vyska needs the horizontal and the vertical scroll bar in an
// area of cx x cy, where a horizontal bar takes `vyskaListy` of the height and a vertical one
// `sirkaListy` of the width (one bar can make the other needed).
struct Posuvniky {
    bool vodorovny = false;
    bool svisly = false;
};
Posuvniky PotrebnePosuvniky(int sirka, int vyska, int cx, int cy, int sirkaListy, int vyskaListy);

// The background every view of frames in the process uses (the main window's picture and
// frames list, the overview panel on its own thread). The main window sets it.
PozadiPruhlednosti SpolecnePozadi();
void NastavitSpolecnePozadi(PozadiPruhlednosti pozadi);

// The scale in percent as the status bar shows it: whole percent from 10 % up, one decimal
// (with a decimal comma) below.
std::wstring ProcentaPriblizeni(double meritko);
