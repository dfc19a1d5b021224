// What fills the area between the bars: the active frame fitted into it, or the frames list
// view with one owner-drawn row per frame.
#include "app/OknoHlavni.h"

#include <cstring>

#include "image/GifAnimace.h"
#include "winlib/Chyby.h"
#include "winlib/Handles.h"

using namespace Tarnel::WinApi;

namespace {

// Child, visible, both scroll bars, owner-drawn rows of their own heights, notifying.
constexpr DWORD kStylSeznamu = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_OWNERDRAWVARIABLE |
                               LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT;

// A bar hidden for full screen takes no room.
RECT OknoNeboPrazdno(HWND okno)
{
    return okno && (GetWindowLongW(okno, GWL_STYLE) & WS_VISIBLE) ? Window(okno).WindowRect() : RECT{};
}

} // namespace

RECT OknoHlavni::OblastObrazku() const
{
    const RECT r = OknoNeboPrazdno(RebarOkno());
    const RECT s = OknoNeboPrazdno(StavovaLista());
    const RECT c = ClientRect();
    return RECT{c.left, Height(r), c.left + Width(c), Height(c) - Height(s)};
}

LRESULT OknoHlavni::OnPaint()
{
    if (!animace || !animace->HasImage() || seznamSnimku) return DefWindowProc(WM_PAINT, 0, 0);

    const RECT oblast = OblastPohledu();
    PaintDc dc(hwnd_);
    VykreslitSnimek(dc.Get(), oblast);
    return 0;
}

void OknoHlavni::VykreslitSnimek(HDC dc, const RECT& oblast)
{
    // The window's frame number leads; the model shows that frame, kept or drawn afresh.
    if (JeSnimek(snimek)) animace->SelectFrame(static_cast<UINT>(snimek));
    // Full screen shows the picture on black; the window's own view on the window colour.
    const bool cela = celaObrazovka.has_value();
    if (!priblizeni.prizpusobit) {
        animace->DrawZoomed(dc, oblast, priblizeni.meritko, posun, cela ? RGB(0, 0, 0) : GetSysColor(COLOR_WINDOW),
                            SpolecnePozadi());
        return;
    }
    animace->DrawFitted(dc, oblast.left, oblast.top, Width(oblast), Height(oblast),
                        cela ? static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)) : GetSysColorBrush(COLOR_WINDOW),
                        SpolecnePozadi());
}

void OknoHlavni::PrekreslitObrazek()
{
    // No erase (the drawing fills its own area) and no children: the bars stay as they are
    // unless they change themselves. The window has no WS_CLIPCHILDREN, so the area asked
    // for must not reach under a bar, and it does not.
    const RECT oblast = OblastObrazku();
    RedrawWindow(hwnd_, &oblast, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW);
}

bool OknoHlavni::OnEraseBackground(LRESULT& result)
{
    // The fitted drawing covers its whole area; erasing first would only make it flicker.
    if (!animace || !animace->HasImage()) return false;
    result = 0;
    return true;
}

bool SeznamSnimkuOkna::OnMeasureItem(MEASUREITEMSTRUCT& polozka)
{
    if (!animace || !animace->HasImage()) return false;
    animace->SelectFrame(static_cast<UINT>(polozka.itemData));
    polozka.itemHeight = ListBox::VyskaPolozky(animace->Height());
    return true;
}

bool SeznamSnimkuOkna::OnDrawItem(const DRAWITEMSTRUCT& polozka)
{
    if (!animace || !animace->HasImage()) return false;
    // An empty list still asks for its focus rectangle; there is no frame to show in it.
    if (polozka.itemID == static_cast<UINT>(-1)) return true;
    animace->SelectFrame(static_cast<UINT>(polozka.itemData));
    HBRUSH pozadi = GetSysColorBrush((polozka.itemState & ODS_SELECTED) ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    const RECT& r = polozka.rcItem;
    animace->DrawFitted(polozka.hDC, r.left, r.top, Width(r), Height(r), pozadi, SpolecnePozadi());
    return true;
}

void OknoHlavni::ZobrazitPrehledSnimku()
{
    if (!animace || !animace->HasImage()) return;
    if (prehrava) {
        UkoncitPrehravani();
        PrekreslitOkno();
        AktualizovatPrikazy();
    }
    if (!seznamSnimku) VytvoritSeznamSnimku();
    NaplnitSeznamSnimku();
    AktualizovatPrikazy();
    PoslatZmenuVelikosti();
}

void OknoHlavni::VytvoritSeznamSnimku()
{
    seznamSnimku = std::make_unique<SeznamSnimkuOkna>(animace);
    seznamSnimku->Create(hwnd_, RECT{}, kStylSeznamu, ID_SEZNAM_SNIMKU);
    PoslatZmenuVelikosti();
}

void OknoHlavni::NaplnitSeznamSnimku()
{
    seznamSnimku->Clear();
    if (animace && animace->HasImage()) {
        const int pocet = animace->FrameCount();
        for (int i = 0; i < pocet; ++i) seznamSnimku->AddItem(i);
    }
    if (seznamSnimku->Count() > 0) seznamSnimku->Select(0);
    const int vybrany = seznamSnimku->Selected();
    if (animace && vybrany != LB_ERR) animace->SelectFrame(static_cast<UINT>(seznamSnimku->ItemData(vybrany)));
}

void OknoHlavni::ZrusitSeznamSnimku()
{
    if (!seznamSnimku) return;
    seznamSnimku->Release();
    seznamSnimku.reset();
    PoslatZmenuVelikosti();
}

void OknoHlavni::ZobrazitAnimaci()
{
    ZrusitSeznamSnimku();
    PoslatZmenuVelikosti();
    if (!prehrava) SpustitAnimaci();
    AktualizovatPrikazy();
}
