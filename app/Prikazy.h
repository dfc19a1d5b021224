#pragma once
// The main window's decisions that need no window: which commands are available in which
// playback state, frame intervals, speed steps, status texts and bar layout. The window only
// gathers the inputs and applies the answers, so all of this is tested without one.
#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// What the playback rules need to know about the open file.
struct StavModelu {
    bool maObrazek = false;          // a model exists and holds a decoded image
    int pocetSnimku = -1;            // -1 without an image
    bool maTabulkuZpozdeni = false;  // the file carries per-frame delays
    uint32_t zpozdeniPrvniho = 0;    // delay of frame 0 in milliseconds
};

// L: a file is shown; A: it plays as an animation; P: the timer runs.
struct Podminky {
    bool l = false;
    bool a = false;
    bool p = false;
};

// A multi-frame file whose first frame has no delay is shown as a still image.
Podminky UrcitPodminky(const StavModelu& model, bool prehrava);

// The state of one command whose state ever changes.
struct StavPrikazu {
    UINT prikaz;
    bool povoleno;
    bool zaskrtnuto;
    // A check item of the main menu (a view or the overview tool): it has no toolbar button,
    // and the context menu leaves it enabled and unchecked. The others are the playback and
    // file commands, which the toolbar and the context menu show in the same state.
    bool jenHlavniMenu;
};

// Every such command once, in the order the main menu is updated in.
using StavyPrikazu = std::array<StavPrikazu, 10>;

StavyPrikazu UrcitStavyPrikazu(const Podminky& podminky, bool seznamZobrazen, bool prehledObrazkuBezi);

// Timer interval of a frame of delay ms at a speed in percent. A speed of 0 (a bad stored
// default) plays at the file's own timing instead of dividing by it.
uint32_t IntervalSnimku(uint32_t zpozdeniMs, uint32_t rychlost);

constexpr uint32_t kNejnizsiRychlost = 10;
constexpr uint32_t kNejvyssiRychlost = 1000;

uint32_t ZvysenaRychlost(uint32_t rychlost, uint32_t krok);
// Empty when the speed is below the step: lowering then leaves everything as it is.
std::optional<uint32_t> SnizenaRychlost(uint32_t rychlost, uint32_t krok);

// Next frame after a tick or a step forward: wraps after the last frame.
int NasledujiciSnimek(int snimek, int pocetSnimku);
// Previous frame for a step back: stops at frame 0.
int PredchoziSnimek(int snimek);

// Right edges of the three status-bar parts for a status bar of the given width: the counter
// and the speed parts as wide as given, the file part the rest (none when the bar is narrower).
std::array<int, 3> CastiStavoveListy(int sirkaListy, int sirkaPocitadla, int sirkaRychlosti);
// The longest texts the counter and the speed part show (the speed at kNejvyssiRychlost):
// their widths are measured from these.
constexpr wchar_t kNejdelsiPocitadlo[] = L"9999/9999";

// Where the frames list goes: between the rebar and the status bar, full width.
struct Obdelnik {
    int x;
    int y;
    int cx;
    int cy;
};
Obdelnik OblastSeznamu(int sirkaKlienta, int vyskaKlienta, int vyskaRebaru, int vyskaStavoveListy);

// Commands refused while a handler of the window waits in a modal loop: they would replace or
// close the model that handler uses, or start a second loop over it.
bool CekaNaModalniSmycku(UINT prikaz);

// Where the context menu opens for the lParam of WM_CONTEXTMENU.
POINT PoziceKontextovehoMenu(LPARAM lParam, POINT kurzor, POINT levyHorniRohKlienta);

// Status texts. Paths and names go in as text, never as a format.
std::wstring TextInformaciOSouboru(const std::wstring& cesta, int pocetSnimku);
std::wstring TextRychlosti(uint32_t rychlost);
std::wstring TextPocitadla(const Podminky& podminky, int snimek, int pocetSnimku);

// A help string holds an optional status text and tooltip text separated by a line feed.
// Menu help: the part before the line feed, or the whole string with a full stop.
std::wstring TextNapovedyMenu(const std::wstring& retezec);
// Tooltip: the part after the line feed, or the whole string, cut to the buffer size.
std::wstring TextTipu(const std::wstring& retezec, size_t velikostBufferu);
