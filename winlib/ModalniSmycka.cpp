#include "winlib/ModalniSmycka.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace Tarnel::WinApi {
namespace {

struct OdlozeneZavreni {
    HWND okno;
    WPARAM wParam;
    LPARAM lParam;
};

// Plain data only: the thread's state needs no constructor, destructor or heap. A thread
// has a window or two of its own, so a few slots for deferred closes are plenty.
constexpr int kMistaOdlozenych = 8;
thread_local int t_hloubka = 0;
thread_local int t_pocetOdlozenych = 0;
thread_local OdlozeneZavreni t_odlozena[kMistaOdlozenych];

bool JeDialog(HWND okno)
{
    wchar_t trida[16] = L"";
    return GetClassNameW(okno, trida, 16) > 0 && wcscmp(trida, L"#32770") == 0;
}

// How many owners lie between the window and `koren`; -1 when it is not owned by it at all.
int HloubkaVlastnictvi(HWND okno, HWND koren)
{
    int hloubka = 0;
    for (HWND vlastnik = GetWindow(okno, GW_OWNER); vlastnik; vlastnik = GetWindow(vlastnik, GW_OWNER)) {
        ++hloubka;
        if (vlastnik == koren) return hloubka;
    }
    return -1;
}

// The button that answers "no thanks": Cancel where there is one, else No, else OK. A message
// box without a Cancel button ignores IDCANCEL on some systems.
int ZrusovaciTlacitko(HWND dialog)
{
    if (GetDlgItem(dialog, IDCANCEL)) return IDCANCEL;
    if (GetDlgItem(dialog, IDNO)) return IDNO;
    if (GetDlgItem(dialog, IDOK)) return IDOK;
    return IDCANCEL;
}

struct NalezenyDialog {
    HWND okno;
    int hloubka;
};

} // namespace

ModalniSmycka::ModalniSmycka() { ++t_hloubka; }

ModalniSmycka::~ModalniSmycka()
{
    if (--t_hloubka > 0) return;
    const int pocet = std::exchange(t_pocetOdlozenych, 0);
    for (int i = 0; i < pocet; ++i) {
        const OdlozeneZavreni z = t_odlozena[i];
        if (IsWindow(z.okno)) PostMessageW(z.okno, WM_CLOSE, z.wParam, z.lParam);
    }
}

bool ModalniSmycka::Bezi() { return t_hloubka > 0; }

bool ModalniSmycka::OdlozitZavreni(HWND okno, WPARAM wParam, LPARAM lParam)
{
    if (!Bezi()) return false;
    OdlozeneZavreni* const konec = t_odlozena + t_pocetOdlozenych;
    const bool uzCeka = std::any_of(t_odlozena, konec, [okno](const OdlozeneZavreni& z) { return z.okno == okno; });
    if (!uzCeka) {
        // Out of slots the close cannot wait; the loops are still asked to end.
        if (t_pocetOdlozenych == kMistaOdlozenych) {
            UkoncitModalniSmycky(okno);
            return false;
        }
        t_odlozena[t_pocetOdlozenych++] = {okno, wParam, lParam};
    }
    UkoncitModalniSmycky(okno);
    return true;
}

void UkoncitModalniSmycky(HWND okno)
{
    EndMenu();
    struct Hledani {
        HWND koren;
        std::vector<NalezenyDialog> dialogy;
    } hledani{okno, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND kandidat, LPARAM param) {
            auto* h = reinterpret_cast<Hledani*>(param);
            if (!JeDialog(kandidat)) return TRUE;
            const int hloubka = HloubkaVlastnictvi(kandidat, h->koren);
            if (hloubka > 0) h->dialogy.push_back({kandidat, hloubka});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&hledani));
    std::sort(hledani.dialogy.begin(), hledani.dialogy.end(),
              [](const NalezenyDialog& a, const NalezenyDialog& b) { return a.hloubka > b.hloubka; });
    for (const NalezenyDialog& d : hledani.dialogy) {
        const int tlacitko = ZrusovaciTlacitko(d.okno);
        PostMessageW(d.okno, WM_COMMAND, MAKEWPARAM(tlacitko, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d.okno, tlacitko)));
    }
}

} // namespace Tarnel::WinApi
