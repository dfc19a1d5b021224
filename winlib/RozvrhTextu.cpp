#include "winlib/RozvrhTextu.h"

#include <algorithm>
#include <string>

#include "winlib/Chyby.h"
#include "winlib/Handles.h"
#include "winlib/Window.h"

namespace Tarnel::WinApi {
namespace {

bool VRadku(const RECT& a, const RECT& b) { return a.top < b.bottom && b.top < a.bottom; }

// The nearest control right of the text in its row, or -1.
int SousedVpravo(const std::vector<PrvekRozvrhu>& prvky, size_t text)
{
    const RECT& t = prvky[text].obdelnik;
    int soused = -1;
    for (size_t i = 0; i < prvky.size(); ++i) {
        const RECT& r = prvky[i].obdelnik;
        if (i == text || !VRadku(r, t) || r.left < t.right) continue;
        if (soused < 0 || r.left < prvky[static_cast<size_t>(soused)].obdelnik.left) soused = static_cast<int>(i);
    }
    return soused;
}

// Moves every control right of the text in its row; returns the rightmost edge they reach.
LONG PosunoutRadek(std::vector<PrvekRozvrhu>& prvky, size_t text, LONG posun)
{
    const RECT t = prvky[text].obdelnik;
    LONG pravy = t.right;
    for (size_t i = 0; i < prvky.size(); ++i) {
        RECT& r = prvky[i].obdelnik;
        if (i == text || !VRadku(r, t) || r.left < t.right) continue;
        OffsetRect(&r, posun, 0);
        pravy = std::max(pravy, r.right);
    }
    return pravy;
}

// Static controls that show one line of plain text; icons, pictures, frames and owner-drawn
// ones draw something else.
bool JeJednoradkovyText(HWND prvek, LONG styl, int vyskaRadku)
{
    switch (styl & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP: break;
    default: return false;
    }
    return Height(Window(prvek).WindowRect()) < 2 * vyskaRadku;
}

struct Mereni {
    int sirka = 0;
    int vyskaRadku = 0;
};

// The text on one line in the control's own font, as the control draws it (tabs expanded, an
// ampersand marking the next letter unless the style says otherwise).
Mereni ZmeritText(HWND prvek, const std::wstring& text, LONG styl)
{
    auto pismo = reinterpret_cast<HGDIOBJ>(SendMessageW(prvek, WM_GETFONT, 0, 0));
    WindowDc dc(prvek);
    SelectGuard vyber(dc.Get(), pismo ? pismo : GetStockObject(SYSTEM_FONT));
    TEXTMETRICW metriky{};
    CheckWin32(GetTextMetricsW(dc.Get(), &metriky));
    RECT obdelnik{};
    const UINT priznaky = DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS | ((styl & SS_NOPREFIX) ? DT_NOPREFIX : 0);
    if (!text.empty()) DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &obdelnik, priznaky);
    return Mereni{Width(obdelnik), metriky.tmHeight};
}

} // namespace

int RozvrhnoutTexty(std::vector<PrvekRozvrhu>& prvky, int sirkaKlienta, int okraj, int mezera)
{
    int rust = 0;
    for (size_t i = 0; i < prvky.size(); ++i) {
        RECT& t = prvky[i].obdelnik;
        const LONG chtene = t.left + prvky[i].sirkaTextu;
        if (prvky[i].sirkaTextu <= 0 || chtene <= t.right) continue;

        const int soused = SousedVpravo(prvky, i);
        LONG mez = std::max<LONG>(t.right, sirkaKlienta + rust - okraj);
        if (soused >= 0) {
            const RECT& s = prvky[static_cast<size_t>(soused)].obdelnik;
            mez = s.left - std::min<LONG>(mezera, s.left - t.right);
        }
        if (chtene <= mez) {
            t.right = chtene;
            continue;
        }
        const LONG chybi = chtene - mez;
        if (soused >= 0) {
            PrvekRozvrhu& s = prvky[static_cast<size_t>(soused)];
            if (s.muzeUstoupit && chybi * 4 <= Width(s.obdelnik) * kUstupEditu) {
                s.obdelnik.left += chybi;
            } else {
                const LONG pravy = PosunoutRadek(prvky, i, chybi);
                rust = std::max(rust, static_cast<int>(pravy + okraj - sirkaKlienta));
            }
        } else {
            rust = std::max(rust, static_cast<int>(chtene + okraj - sirkaKlienta));
        }
        t.right = chtene;
    }
    return rust;
}

void PrizpusobitTextyDialogu(HWND dialog)
{
    std::vector<HWND> okna;
    std::vector<PrvekRozvrhu> prvky;
    for (HWND prvek = GetWindow(dialog, GW_CHILD); prvek; prvek = GetWindow(prvek, GW_HWNDNEXT)) {
        const LONG styl = GetWindowLongW(prvek, GWL_STYLE);
        if (!(styl & WS_VISIBLE)) continue;
        Window okno(prvek);
        PrvekRozvrhu p;
        p.obdelnik = okno.WindowRect();
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&p.obdelnik), 2);
        const std::wstring trida = okno.ClassName();
        if (_wcsicmp(trida.c_str(), L"Static") == 0) {
            const Mereni mereni = ZmeritText(prvek, okno.Text(), styl);
            if (JeJednoradkovyText(prvek, styl, mereni.vyskaRadku)) p.sirkaTextu = mereni.sirka;
        }
        p.muzeUstoupit = _wcsicmp(trida.c_str(), L"Edit") == 0 && (styl & ES_AUTOHSCROLL) && !(styl & ES_MULTILINE);
        okna.push_back(prvek);
        prvky.push_back(p);
    }
    const std::vector<PrvekRozvrhu> puvodni = prvky;

    // The margins every dialog layout is built on: 7 dialog units at the edge, 4 between.
    RECT jednotky{0, 0, 7, 4};
    CheckWin32(MapDialogRect(dialog, &jednotky));
    const int rust = RozvrhnoutTexty(prvky, Width(Window(dialog).ClientRect()), jednotky.right, jednotky.bottom);

    if (rust > 0) {
        const RECT okno = Window(dialog).WindowRect();
        CheckWin32(SetWindowPos(dialog, nullptr, 0, 0, Width(okno) + rust, Height(okno),
                                SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    }
    for (size_t i = 0; i < okna.size(); ++i) {
        const RECT& r = prvky[i].obdelnik;
        if (EqualRect(&r, &puvodni[i].obdelnik)) continue;
        CheckWin32(SetWindowPos(okna[i], nullptr, r.left, r.top, Width(r), Height(r), SWP_NOZORDER | SWP_NOACTIVATE));
    }
}

} // namespace Tarnel::WinApi
