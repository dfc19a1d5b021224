#pragma once
// The program's single top-level window: the open image fitted between a rebar with the
// toolbar and a three-part status bar, or a list of all frames; the menus and every command;
// and the playback of the animation on one window timer.
//
// The class is split by concern: OknoHlavni.cpp (window, messages, commands),
// OknoHlavniPrehravani.cpp (playback, status texts, command states), OknoHlavniPanely.cpp
// (bars, layout, help texts) and OknoHlavniSeznam.cpp (painting and the frames list view).
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "image/Priblizeni.h"
#include "winlib/ChildControl.h"
#include "winlib/ListBox.h"
#include "app/Prikazy.h"
#include "winlib/Rebar.h"
#include "app/RytmusSnimku.h"
#include "image/PravidlaPrehravani.h"
#include "winlib/StatusBar.h"
#include "winlib/Toolbar.h"
#include "winlib/Handles.h"
#include "winlib/Okno.h"
#include "winlib/RozliseniCasovace.h"

class GifAnimace;
struct Klavesa;

constexpr UINT_PTR TIMER_ANIMACE = 1;
constexpr UINT ID_REBAR = 1;
constexpr UINT ID_PANEL_NASTROJU = 1001;
constexpr UINT ID_PAS_PANELU = 1001;
constexpr UINT ID_STAVOVA_LISTA = 1;
constexpr UINT ID_SEZNAM_SNIMKU = 1010;

// Status-bar parts.
constexpr int kCastInformace = 0;
constexpr int kCastPocitadlo = 1;
constexpr int kCastRychlost = 2;

// The frames list view: one row per frame of the window's model, the frame fitted into it.
class SeznamSnimkuOkna : public Tarnel::WinApi::ListBox {
public:
    // The window's model as it is at each drawing: the window replaces it as files open.
    explicit SeznamSnimkuOkna(const std::unique_ptr<GifAnimace>& animace) : animace(animace) {}

protected:
    bool OnDrawItem(const DRAWITEMSTRUCT& polozka) override;
    bool OnMeasureItem(MEASUREITEMSTRUCT& polozka) override;
    // Characters of the window's keys go to the window (OknoHlavniKlavesy.cpp).
    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    const std::unique_ptr<GifAnimace>& animace;
};

// Owns its window, its bars and the open model; the one instance is the global below.
class OknoHlavni : public Tarnel::WinApi::Okno {
public:
    static constexpr wchar_t kNazevTridy[] = L"Animora";

    OknoHlavni();
    ~OknoHlavni() override;

    // Creates, places and shows the window; with a path, opens that file and plays it.
    void VytvoritHlavniOkno(const wchar_t* cesta);

    // Playback. Each leaves the status texts and command states up to date.
    void OtevritSoubor(const std::wstring& cesta, bool spustit);
    void ZavritSoubor();
    LRESULT SpustitAnimaci();
    LRESULT DalsiSnimek();
    void PrerusitAnimaci();
    void ZastavitAnimaci();
    void KrokVpred();
    void KrokZpet();
    void ZmenitRychlost(UINT prikaz);
    void ZvolitRychlost();
    void ZvolitCasovani(Casovani casovani);
    void ZvolitOpakovani(Opakovani opakovani);
    void AktualizovatStav();
    void AktualizovatPocitadlo();
    void AktualizovatPrikazy();

    // Frames list view.
    void ZobrazitPrehledSnimku();
    void ZobrazitAnimaci();
    void ZrusitSeznamSnimku();

    // What the playback rules currently see.
    Podminky AktualniPodminky() const;
    bool Prehrava() const { return prehrava; }
    int Snimek() const { return snimek; }
    uint32_t Rychlost() const { return rychlost; }
    const std::wstring& TextStavu() const { return textStavu; }
    const std::wstring& CestaSouboru() const { return cestaSouboru; }
    const GifAnimace* Animace() const { return animace.get(); }
    HWND StavovaLista() const { return stavovaLista ? stavovaLista->Handle() : nullptr; }
    HWND RebarOkno() const { return rebar ? rebar->Handle() : nullptr; }
    HWND PanelNastroju() const { return panelNastroju ? panelNastroju->Handle() : nullptr; }
    HWND SeznamSnimku() const { return seznamSnimku ? seznamSnimku->Handle() : nullptr; }
    const std::array<int, 3>& CastiStavoveListy() const { return castiStavoveListy; }
    // The DPI the window is laid out for.
    UINT Dpi() const { return dpi; }

    // Looking closer (OknoHlavniPohled.cpp, OknoHlavniCelaObrazovka.cpp): the zoom of the
    // picture, how far it is scrolled, the background under transparent pixels, full screen.
    const Priblizeni& AktualniPriblizeni() const { return priblizeni; }
    POINT Posun() const { return posun; }
    bool NaCeleObrazovce() const { return celaObrazovka.has_value(); }
    // The area the picture is drawn in: between the bars, less the scroll bars shown.
    RECT OblastPohledu() const;
    // The keys of the view (Ctrl+0, Ctrl+1, Ctrl with + and -, B, F11, Esc on full screen);
    // false for any other key. The window's WM_KEYDOWN handling asks it first.
    bool KlavesaPohledu(UINT klavesa);

protected:
    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnCommand(UINT prikaz, UINT kod, HWND prvek) override;
    bool OnNotify(NMHDR& hlavicka, LRESULT& result) override;

    // The one animation timer; virtual so that a test can watch the intervals asked for.
    virtual BOOL NastavitCasovac(UINT intervalMs);
    virtual BOOL ZrusitCasovac();

private:
    // Menu handle the window destroys itself; the holder never does.
    struct DrzakMenu {
        HMENU menu = nullptr;
        bool vlastni = false;
    };

    // Message handlers.
    LRESULT OnClose(WPARAM wParam, LPARAM lParam);
    LRESULT OnEndSession(WPARAM konciRelace, LPARAM lParam);
    LRESULT OnDestroy();
    LRESULT OnPaint();
    bool OnEraseBackground(LRESULT& result);
    LRESULT OnContextMenu(LPARAM pozice);
    LRESULT OnTimer(UINT_PTR idCasovace);
    LRESULT OnMenuSelect(WPARAM wParam, LPARAM lParam);
    bool OnDropFiles(HDROP drop, LRESULT& result);
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);

    // Window.
    void UkoncitOkno();
    void UlozitPolohuJednou();
    void PrekreslitOkno();
    // A frame change: only the picture between the bars, which covers itself.
    void PrekreslitObrazek();
    RECT OblastObrazku() const;
    // The frame on screen into the rectangle of dc, as the model draws it.
    void VykreslitSnimek(HDC dc, const RECT& oblast);
    void PoslatZmenuVelikosti();
    HMENU HlavniMenu() const;

    // Command bars.
    HRESULT VytvoritPanelNastroju();
    void VytvoritStavovouListu();
    LRESULT RozmistitPanely(WPARAM wParam, LPARAM lParam);
    // The bars at the window's DPI: the status font and the part widths measured in it, the
    // toolbar's pictures and the band that holds them.
    void NastavitPismoStavoveListy();
    void RozmeritPas(REBARBANDINFOW& pas) const;
    void PrizpusobitPanelyDpi();
    void ZobrazitTextStavu();
    void VyplnitTip(NMTTDISPINFOW* tip);
    void ZobrazitMenuRychlosti();
    // The command states in one menu (the main menu takes every row, another one the playback
    // and file commands only) and, when given, on the toolbar.
    void PouzitStavyPrikazu(HMENU menu, bool hlavniMenu, Tarnel::WinApi::Toolbar* panel) const;
    void SledovatMenu(HMENU popup, POINT pozice);

    // Looking closer: messages and commands of the view; true when handled.
    bool ZpravaPohledu(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool PrikazPohledu(UINT prikaz);
    void VychoziPriblizeni();
    // A new zoom; with a point of the view area, the image point under it stays there.
    void NastavitPriblizeni(const Priblizeni& nove, std::optional<POINT> bod);
    void Priblizit(bool blize, std::optional<POINT> bod);
    // The scale the picture is shown at (the fitted one included).
    double ZobrazeneMeritko() const;
    SIZE VelikostObrazu() const; // the zoomed picture, device pixels
    void Posunout(POINT novy);
    void RozmistitPohled();
    void ZobrazitPriblizeni();
    // The zoom's texts at their widest, in the status font.
    int SirkaTextuPriblizeni() const;
    void NastavitPozadi(PozadiPruhlednosti pozadi);
    void PouzitStavyPohledu(HMENU menu) const;
    LRESULT OnScroll(int lista, UINT kod);
    bool OnMouseWheel(WPARAM wParam, LPARAM lParam, bool vodorovne);
    bool OnLButtonDown(LPARAM lParam);
    bool DvojityKlik(POINT bod);
    bool OnMouseMove(LPARAM lParam);
    bool OnSetCursor(LPARAM lParam, LRESULT& result);
    bool BodVPohledu(POINT klient) const;
    bool LzePosouvat() const;
    void PrepnoutCelouObrazovku();
    void VstoupitNaCelouObrazovku();
    void OpustitCelouObrazovku();

    // Frames list view.
    void VytvoritSeznamSnimku();
    void NaplnitSeznamSnimku();

    // Keys (OknoHlavniKlavesy.cpp): from the window itself and from the frames list.
    bool OnKeyDown(UINT vk, LPARAM lParam);
    bool OnChar(wchar_t znak, LPARAM lParam);
    LRESULT OnVKeyToItem(UINT vk);
    void OnParentNotify(WPARAM wParam, LPARAM lParam);
    // Runs the key's commands unless a later press of the same key already waits; false
    // when the key is not one of the window's.
    bool ProvestKlavesu(const Klavesa& klavesa, UINT vk, UINT skenKod);
    // Commands beyond the menus': the list of keys and the keyboard's own moves.
    bool OnPrikazKlavesnice(UINT prikaz);
    void PrejitNaSnimek(int cil);
    void OtevritSousedniSoubor(int smer);
    void ZobrazitKlavesy();

    // Playback helpers. The one way playback starts and the one way it stops: the timer, the
    // flag and the finer system timer together.
    void ZacitPrehravani(UINT intervalMs);
    void UkoncitPrehravani();
    // After any change: the status texts, the counter and the command states from one look
    // at the conditions.
    void Obnovit();
    StavModelu StavAnimace() const;
    // The delay frame index shows for under the chosen timing rule, before the speed.
    UINT ZpozdeniSnimku(UINT index) const;
    std::wstring TextPripraven() const;
    bool JeSnimek(int index) const;

    // Commands that open dialogs, the frames overview tool or the web page.
    void OtevritDialogem();
    void UlozitAktualniSnimek();
    void ZobrazitPredvolby();
    void PrepnoutPrehledObrazku();
    // False when the overview thread has not ended within its limit.
    bool UkoncitPrehledObrazku();
    bool PrehledObrazkuBezi() const;
    void OtevritWeb();
    // Exporting the frames and the clipboard (OknoHlavniExport.cpp): the commands, false for
    // any other, and their states in a menu.
    bool ObslouzitPrikazExportu(UINT prikaz);
    void PouzitStavyExportu(HMENU menu) const;

    std::unique_ptr<GifAnimace> animace;
    std::unique_ptr<Tarnel::WinApi::StatusBar> stavovaLista;
    std::unique_ptr<Tarnel::WinApi::Rebar> rebar;
    std::unique_ptr<Tarnel::WinApi::Toolbar> panelNastroju;
    DrzakMenu hlavniMenu;
    std::unique_ptr<SeznamSnimkuOkna> seznamSnimku;
    std::array<int, 3> castiStavoveListy{};
    UINT dpi = USER_DEFAULT_SCREEN_DPI;
    Tarnel::WinApi::Font pismoStavoveListy;
    int sirkaPocitadla = 0; // widths of the status parts 1 and 2, for their longest texts
    int sirkaRychlosti = 0;
    bool prehrava = false;
    int snimek = -1;
    uint32_t rychlost = 100;
    std::wstring textStavu;
    std::wstring cestaSouboru;
    // Playback on the clock: the timer's reckoning, and the finer system timer while playing.
    RytmusSnimku rytmus;
    Tarnel::WinApi::RozliseniCasovace presnostCasovace;
    bool polohaUlozena = false;
    // What the playback rules know of the open file, read once when it opens.
    StavModelu stavModelu;
    // Plays of the file ended since it was opened or started again, and whether they are all
    // it asked for (only when the file's loop count is followed).
    uint32_t odehrano = 0;
    bool dohrano = false;

    // Looking closer.
    Priblizeni priblizeni;
    POINT posun{};
    Posuvniky posuvniky;
    Tarnel::WinApi::ChildControl vodorovnyPosuvnik;
    Tarnel::WinApi::ChildControl svislyPosuvnik;
    Tarnel::WinApi::ChildControl textPriblizeni; // a child of the status bar, in the speed part
    int sirkaTextuPriblizeni = 0;
    // Dragging the picture: where the button went down and the scroll position then.
    std::optional<std::pair<POINT, POINT>> tazeni;
    // The last press of the left button on the picture, for the double click: the window
    // class asks for no double clicks of its own.
    std::optional<std::pair<LONG, POINT>> posledniKlik;
    // Full screen: the window as it was before, to go back to.
    struct CelaObrazovka {
        WINDOWPLACEMENT poloha;
        LONG_PTR styl;
    };
    std::optional<CelaObrazovka> celaObrazovka;
};

extern OknoHlavni oknoHlavni;
