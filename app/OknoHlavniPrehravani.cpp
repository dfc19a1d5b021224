// Playback: opening and closing files, the frame timer, the playback and speed commands,
// the status texts and the enabled and checked states of the commands.
#include "app/OknoHlavni.h"

#include "app/Aplikace.h"
#include "frames/ModulPrehledFrames.h"
#include "image/GifAnimace.h"
#include "resources/resource.h"
#include "settings/DlgRychlostAnimace.h"
#include "settings/Nastaveni.h"
#include "winlib/Chyby.h"
#include "winlib/Identita.h"
#include "winlib/Retezce.h"

using namespace Tarnel::WinApi;

StavModelu OknoHlavni::StavAnimace() const
{
    StavModelu model;
    if (!animace || !animace->HasImage()) return model;
    model.maObrazek = true;
    model.pocetSnimku = animace->FrameCount();
    model.maTabulkuZpozdeni = animace->HasDelayTable();
    model.zpozdeniPrvniho = ZpozdeniSnimku(0);
    return model;
}

UINT OknoHlavni::ZpozdeniSnimku(UINT index) const
{
    return ZpozdeniPodlePravidla(animace->FrameDelayMs(index), nastaveni.casovaniSnimku);
}

Podminky OknoHlavni::AktualniPodminky() const { return UrcitPodminky(stavModelu, prehrava); }

bool OknoHlavni::JeSnimek(int index) const
{
    return animace && static_cast<unsigned>(index) < static_cast<unsigned>(animace->FrameCount());
}

void OknoHlavni::ZacitPrehravani(UINT intervalMs)
{
    CheckWin32(NastavitCasovac(intervalMs));
    prehrava = true;
    presnostCasovace.Drzet();
}

void OknoHlavni::UkoncitPrehravani()
{
    // Only an armed timer is killed: a stray tick must not end the program.
    if (prehrava) CheckWin32(ZrusitCasovac());
    prehrava = false;
    presnostCasovace.Uvolnit();
}

void OknoHlavni::Obnovit()
{
    AktualizovatStav();
    AktualizovatPocitadlo();
    AktualizovatPrikazy();
}

void OknoHlavni::OtevritSoubor(const std::wstring& cesta, bool spustit)
{
    ZrusitSeznamSnimku();
    ZavritSoubor();

    animace = std::make_unique<GifAnimace>();
    animace->Load(cesta, true); // an undecodable file simply leaves the model without an image
    VychoziPriblizeni();
    stavModelu = StavAnimace();
    cestaSouboru = cesta;
    snimek = 0;
    odehrano = 0;
    dohrano = false;

    if (AktualniPodminky().a && spustit) {
        // Frame 0 is active right after loading. Should arming fail, the file still shows.
        if (NastavitCasovac(rytmus.Zacit(CasRytmu(), IntervalSnimku(ZpozdeniSnimku(0), rychlost), rychlost))) {
            prehrava = true;
            presnostCasovace.Drzet();
        }
    }
    PrekreslitOkno();
    Obnovit();
}

void OknoHlavni::ZavritSoubor()
{
    UkoncitPrehravani();
    DestroyGifAnimace(animace);
    stavModelu = StavModelu{};
    snimek = -1;
    cestaSouboru.clear();
    ZrusitSeznamSnimku();

    PrekreslitOkno();
    Obnovit();
}

LRESULT OknoHlavni::SpustitAnimaci()
{
    if (!AktualniPodminky().a || !JeSnimek(snimek)) return 0;
    if (dohrano) {
        // The plays the file asked for are over: Spustit plays it again from its start.
        dohrano = false;
        odehrano = 0;
        snimek = 0;
        AktualizovatPocitadlo();
    }
    const UINT zpozdeni = ZpozdeniSnimku(static_cast<UINT>(snimek));
    PrekreslitObrazek();
    ZacitPrehravani(rytmus.Zacit(CasRytmu(), IntervalSnimku(zpozdeni, rychlost), rychlost));
    AktualizovatPrikazy();
    return 0;
}

LRESULT OknoHlavni::DalsiSnimek()
{
    // Only an armed timer ticks; anything else is a stray message with nothing to kill.
    if (!prehrava) return 0;
    const int64_t ted = CasRytmu();
    CheckWin32(ZrusitCasovac());
    prehrava = false;

    const int dalsi = NasledujiciSnimek(snimek, animace ? animace->FrameCount() : -1);
    if (dalsi == 0 && JeSnimek(snimek) && !DalsiPrehrani(nastaveni.opakovani, animace->LoopCount(), ++odehrano)) {
        // The last play has ended: the last frame stays, as in a browser, and the commands
        // are those of a paused animation.
        dohrano = true;
        UkoncitPrehravani();
        AktualizovatPrikazy();
        return 0;
    }
    snimek = dalsi;
    if (!stavModelu.maObrazek || !stavModelu.maTabulkuZpozdeni || !JeSnimek(snimek)) {
        UkoncitPrehravani();
        return 0;
    }
    const UINT zpozdeni = ZpozdeniSnimku(static_cast<UINT>(snimek));
    // Armed before the frame is decoded and drawn, so that the work overlaps the wait instead
    // of adding to it. The speed is read here: a change made while the previous frame showed
    // applies from this one.
    CheckWin32(NastavitCasovac(rytmus.Dalsi(ted, IntervalSnimku(zpozdeni, rychlost), rychlost)));
    prehrava = true;
    AktualizovatPocitadlo();
    PrekreslitObrazek();
    return 0;
}

void OknoHlavni::PrerusitAnimaci()
{
    if (!prehrava) return;
    UkoncitPrehravani();
    PrekreslitObrazek();
    AktualizovatPrikazy();
}

void OknoHlavni::ZastavitAnimaci()
{
    // Paused or playing alike: the file is read again from disk and shown from frame 0.
    if (!AktualniPodminky().a) return;
    const std::wstring cesta = animace->Path();
    OtevritSoubor(cesta, false);
}

void OknoHlavni::KrokVpred()
{
    const Podminky podminky = AktualniPodminky();
    if (podminky.p || !podminky.a) return;
    snimek = NasledujiciSnimek(snimek, animace->FrameCount());
    PrekreslitObrazek();
    AktualizovatPocitadlo();
    AktualizovatPrikazy();
}

void OknoHlavni::KrokZpet()
{
    const Podminky podminky = AktualniPodminky();
    if (podminky.p || !podminky.a) return;
    snimek = PredchoziSnimek(snimek);
    PrekreslitObrazek();
    AktualizovatPocitadlo();
    AktualizovatPrikazy();
}

void OknoHlavni::ZmenitRychlost(UINT prikaz)
{
    switch (prikaz) {
    case ID_RYCHLOST_ZVYSIT:
        rychlost = ZvysenaRychlost(rychlost, nastaveni.krokZmenyRychlosti);
        break;
    case ID_RYCHLOST_SNIZIT: {
        const auto nova = SnizenaRychlost(rychlost, nastaveni.krokZmenyRychlosti);
        if (!nova) return;
        rychlost = *nova;
        break;
    }
    case ID_RYCHLOST_VYCHOZI:
        rychlost = nastaveni.rychlostAnimace;
        break;
    default:
        return;
    }
    AktualizovatStav();
}

void OknoHlavni::ZvolitRychlost()
{
    // Not while another loop of ours runs: the command table refuses ID_ANIMACE_RYCHLOST then.
    DlgRychlostAnimace dialog;
    dialog.rychlost = rychlost;
    const INT_PTR vysledek = dialog.DoModal(hwnd_);
    if (vysledek == -1) RaiseLastError();
    // The dialog's loop dispatched whatever arrived meanwhile, a speed command included: the
    // comparison is with the speed as it is now, and only a window still there is updated.
    if (vysledek != IDOK || !IsWindow() || dialog.rychlost == rychlost) return;
    rychlost = dialog.rychlost;
    if (dialog.jakoVychozi) {
        nastaveni.rychlostAnimace = rychlost;
        UlozitNastaveni(nastaveni); // a registry that refuses leaves the new default for this run
    }
    AktualizovatStav();
}

void OknoHlavni::ZvolitCasovani(Casovani casovani)
{
    if (nastaveni.casovaniSnimku == casovani) return;
    nastaveni.casovaniSnimku = casovani;
    UlozitVolby(nastaveni); // a registry that refuses keeps the choice for this run
    modulPrehledFrames.NastavitCasovani(casovani);
    // The first frame's delay decides whether the file is an animation at all: a file that
    // stops being one under the new rule is shown as a still image, from its first frame.
    stavModelu = StavAnimace();
    if (!AktualniPodminky().a && (prehrava || snimek > 0)) {
        UkoncitPrehravani();
        snimek = 0;
        PrekreslitObrazek();
    }
    Obnovit();
}

void OknoHlavni::ZvolitOpakovani(Opakovani opakovani)
{
    if (nastaveni.opakovani == opakovani) return;
    nastaveni.opakovani = opakovani;
    UlozitVolby(nastaveni);
    odehrano = 0; // the file's plays count from the choice on
    AktualizovatPrikazy();
}

std::wstring OknoHlavni::TextPripraven() const
{
    return TextZdroje(IDS_PRIPRAVEN, {NazevProgramu()});
}

void OknoHlavni::AktualizovatStav()
{
    if (AktualniPodminky().l) {
        if (stavovaLista) stavovaLista->SetText(kCastRychlost, TextRychlosti(rychlost));
        textStavu = TextInformaciOSouboru(cestaSouboru, animace->FrameCount());
    } else {
        // The speed part keeps its last text: with no file there is nothing it applies to.
        textStavu = TextPripraven();
    }
    ZobrazitTextStavu();
}

void OknoHlavni::AktualizovatPocitadlo()
{
    if (!stavovaLista) return;
    const Podminky podminky = AktualniPodminky();
    stavovaLista->SetText(kCastPocitadlo, TextPocitadla(podminky, snimek, podminky.l ? animace->FrameCount() : 0));
}

void OknoHlavni::AktualizovatPrikazy()
{
    const bool panel = panelNastroju && panelNastroju->IsWindow();
    PouzitStavyPrikazu(HlavniMenu(), true, panel ? panelNastroju.get() : nullptr);
}

void OknoHlavni::PouzitStavyPrikazu(HMENU menu, bool hlavniMenu, Toolbar* panel) const
{
    const StavyPrikazu stavy = UrcitStavyPrikazu(AktualniPodminky(), seznamSnimku != nullptr, PrehledObrazkuBezi());
    for (const StavPrikazu& stav : stavy) {
        if (stav.jenHlavniMenu && !hlavniMenu) continue;
        EnableMenuItem(menu, stav.prikaz, MF_BYCOMMAND | (stav.povoleno ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
        if (stav.jenHlavniMenu)
            CheckMenuItem(menu, stav.prikaz, MF_BYCOMMAND | (stav.zaskrtnuto ? MF_CHECKED : MF_UNCHECKED));
        else if (panel)
            panel->EnableButton(static_cast<int>(stav.prikaz), stav.povoleno);
    }
    // The choices of the Animace menu, in every menu that has them.
    const UINT casovani = nastaveni.casovaniSnimku == Casovani::JakoProhlizec ? ID_CASOVANI_JAKO_PROHLIZEC
                                                                              : ID_CASOVANI_PODLE_SOUBORU;
    const UINT opakovani =
        nastaveni.opakovani == Opakovani::PodleSouboru ? ID_OPAKOVANI_PODLE_SOUBORU : ID_OPAKOVANI_STALE;
    CheckMenuRadioItem(menu, ID_CASOVANI_PODLE_SOUBORU, ID_CASOVANI_JAKO_PROHLIZEC, casovani, MF_BYCOMMAND);
    CheckMenuRadioItem(menu, ID_OPAKOVANI_STALE, ID_OPAKOVANI_PODLE_SOUBORU, opakovani, MF_BYCOMMAND);
    PouzitStavyExportu(menu);
    PouzitStavyPohledu(menu);
}
