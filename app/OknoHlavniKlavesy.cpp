// The keyboard: the keys of the window and of its frames list, the commands only the keyboard
// gives, and the list of keys.
#include "app/OknoHlavni.h"

#include "app/DlgKlavesoveZkratky.h"
#include "app/Klavesy.h"
#include "frames/SousedniObrazek.h"
#include "image/GifAnimace.h"
#include "resources/resource.h"
#include "winlib/Chyby.h"
#include "winlib/ModalniSmycka.h"

using namespace Tarnel::WinApi;

namespace {

bool Drzena(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

Klavesa KlavesaSModifikatory(UINT vk, wchar_t znak)
{
    Klavesa klavesa;
    klavesa.vk = vk;
    klavesa.znak = znak;
    klavesa.shift = Drzena(VK_SHIFT);
    klavesa.ctrl = Drzena(VK_CONTROL);
    klavesa.alt = Drzena(VK_MENU);
    return klavesa;
}

UINT SkenKod(LPARAM lParam) { return (static_cast<UINT>(lParam) >> 16) & 0xFF; }

// Whether the next key message waiting for this thread presses the same key again (a held
// key repeating) with no release between. Repeats come at the keyboard's rate however long a
// step takes; running only the last of those waiting keeps the window showing the frame the
// user is at, instead of working off a backlog after the key is released.
bool DalsiStiskCeka(UINT vk, UINT skenKod)
{
    MSG dalsi;
    if (!PeekMessageW(&dalsi, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE | PM_NOYIELD)) return false;
    if (dalsi.message != WM_KEYDOWN) return false;
    return (vk && dalsi.wParam == vk) || (skenKod && SkenKod(dalsi.lParam) == skenKod);
}

} // namespace

bool OknoHlavni::OnKeyDown(UINT vk, LPARAM lParam)
{
    // The view's own keys first: zoom, background, full screen (and Esc leaving it).
    if (KlavesaPohledu(vk)) return true;
    return ProvestKlavesu(KlavesaSModifikatory(vk, 0), vk, SkenKod(lParam));
}

bool OknoHlavni::OnChar(wchar_t znak, LPARAM lParam)
{
    return ProvestKlavesu(KlavesaSModifikatory(0, znak), 0, SkenKod(lParam));
}

LRESULT OknoHlavni::OnVKeyToItem(UINT vk)
{
    // Any other key the list handles as a list does: the up and down arrows move its
    // selection, as the user expects there.
    if (!JeKlavesaOkna(KlavesaSModifikatory(vk, 0))) return -1;
    // The window's key runs once the list has finished with it: a command may take the list
    // away (a file opened or closed, the view left) while the list's handling of the key is
    // still on its way back through the list's object.
    Post(WM_KEYDOWN, vk, 1);
    return -2;
}

void OknoHlavni::OnParentNotify(WPARAM wParam, LPARAM lParam)
{
    // The frames list goes when the view changes or a file opens. Had it the focus, the
    // keyboard would otherwise belong to no window at all and the keys would stop working.
    if (LOWORD(wParam) == WM_DESTROY && reinterpret_cast<HWND>(lParam) == GetFocus()) SetFocus(hwnd_);
}

bool OknoHlavni::ProvestKlavesu(const Klavesa& klavesa, UINT vk, UINT skenKod)
{
    const PrikazyKlavesy prikazy = UrcitPrikazyKlavesy(klavesa, prehrava);
    if (!prikazy[0]) return false;
    if (DalsiStiskCeka(vk, skenKod)) return true;
    const HWND okno = hwnd_;
    for (UINT prikaz : prikazy) {
        if (!prikaz) break;
        // Each command as the table has it now: the one before may have changed the state.
        if (!PrikazPovolen(prikaz, UrcitStavyPrikazu(AktualniPodminky(), seznamSnimku != nullptr, PrehledObrazkuBezi())))
            break;
        // As from an accelerator: the command runs where every command runs, under the rules
        // that hold while a dialog of the window waits.
        ::SendMessageW(okno, WM_COMMAND, MAKEWPARAM(prikaz, 1), 0);
        // A command may run a dialog, whose loop may have closed the window meanwhile.
        if (!::IsWindow(okno) || FromHandle(okno) != this) return true;
    }
    // In the frames list view the selected row is the frame shown by the counter.
    if (seznamSnimku && JeSnimek(snimek) && seznamSnimku->Selected() != snimek) seznamSnimku->Select(snimek);
    return true;
}

bool OknoHlavni::OnPrikazKlavesnice(UINT prikaz)
{
    if (ModalniSmycka::Bezi() && CekaNaModalniSmycku(PrikazStavu(prikaz))) return true;
    switch (prikaz) {
    case ID_NAPOVEDA_KLAVESY: ZobrazitKlavesy(); return true;
    case ID_SNIMEK_PRVNI:
    case ID_SNIMEK_POSLEDNI:
    case ID_SNIMEK_VPRED_O_DESET:
    case ID_SNIMEK_ZPET_O_DESET:
        if (animace) PrejitNaSnimek(CilovySnimek(prikaz, snimek, animace->FrameCount()));
        return true;
    case ID_SOUBOR_DALSI_VE_SLOZCE: OtevritSousedniSoubor(1); return true;
    case ID_SOUBOR_PREDCHOZI_VE_SLOZCE: OtevritSousedniSoubor(-1); return true;
    default: return false;
    }
}

void OknoHlavni::PrejitNaSnimek(int cil)
{
    // Available as the single steps are: paused, in an animation.
    const Podminky podminky = AktualniPodminky();
    if (podminky.p || !podminky.a || !JeSnimek(cil)) return;
    snimek = cil;
    PrekreslitObrazek();
    AktualizovatPocitadlo();
    AktualizovatPrikazy();
}

void OknoHlavni::OtevritSousedniSoubor(int smer)
{
    if (cestaSouboru.empty()) return;
    const std::optional<std::wstring> soused = SousedniObrazek(cestaSouboru, smer);
    if (!soused) return;
    // The next file plays unless the user had paused this one to look at it; a still image
    // never plays. The speed stays as the user set it.
    const Podminky pred = AktualniPodminky();
    OtevritSoubor(*soused, !(pred.a && !pred.p));
}

void OknoHlavni::ZobrazitKlavesy()
{
    // A second modal loop over one that runs already would outlive the first one's handler.
    if (ModalniSmycka::Bezi()) return;
    DlgKlavesoveZkratky dialog;
    if (dialog.DoModal(hwnd_) == -1) RaiseLastError();
    // Nothing of the window is used after the loop: it may have been closed meanwhile.
}

bool SeznamSnimkuOkna::ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The list keeps its strings, so it never hands characters on as WM_CHARTOITEM: the
    // window's own are given to the window, whose keys work wherever its focus is.
    if (message != WM_CHAR) return false;
    Klavesa klavesa;
    klavesa.znak = static_cast<wchar_t>(wParam);
    if (!JeKlavesaOkna(klavesa)) return false;
    result = ::SendMessageW(::GetParent(window), WM_CHAR, wParam, lParam);
    return true;
}
