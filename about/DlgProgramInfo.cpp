#include "about/DlgProgramInfo.h"

#include <commctrl.h>
#include <shellapi.h>

#include <utility>

#include "resources/resource.h"
#include "winlib/Chyby.h"
#include "winlib/Identita.h"
#include "winlib/Okno.h"
#include "winlib/Retezce.h"
#include "winlib/Verze.h"

using namespace Tarnel::WinApi;

DlgProgramInfo* dlgProgramInfo = nullptr;

namespace {

const wchar_t kPredmetPodpory[] = L"?subject=Zadost o technickou podporu";

// The shell shows nothing when it cannot open a link (a result of 32 or less), and neither
// does the dialog: a machine without a browser or mail program is no reason for a message.
void OtevritOdkaz(const std::wstring& adresa)
{
    ShellExecuteW(nullptr, L"open", adresa.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

} // namespace

DlgProgramInfo::DlgProgramInfo(std::wstring souborVerze)
    : DialogImpl(IDD_PROGRAM_INFO), adresaWebu(ANIMORA_WEB_URL),
      adresaPodpory(std::wstring(L"mailto:") + ANIMORA_EMAIL + kPredmetPodpory), souborVerze_(std::move(souborVerze))
{
}

bool DlgProgramInfo::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        result = OnCtlColor(reinterpret_cast<HDC>(wParam));
        return true;
    default:
        // Reflected to the control that sent it (the heading paints this way); OK, Esc and the
        // close box end the dialog by default.
        return false;
    }
}

BOOL DlgProgramInfo::OnInitDialog()
{
    NastavitIkonyOkna(hwnd_);
    NastavitTexty();
    PripojitNadpis();
    PridatTipy();
    Vycentrovat(hwnd_, ::GetWindow(hwnd_, GW_OWNER));
    SetForegroundWindow(hwnd_);
    return TRUE; // the system puts the focus on the first control
}

bool DlgProgramInfo::OnNotify(NMHDR& oznameni, LRESULT& result)
{
    // Enter on a focused link means the same as a click.
    if (oznameni.code != static_cast<UINT>(NM_CLICK) && oznameni.code != static_cast<UINT>(NM_RETURN)) return false;
    if (oznameni.idFrom == IDC_INFO_WEB)
        OtevritOdkaz(adresaWebu);
    else if (oznameni.idFrom == IDC_INFO_EMAIL)
        OtevritOdkaz(adresaPodpory);
    else
        return false;
    result = 0;
    return true;
}

LRESULT DlgProgramInfo::OnCtlColor(HDC dc)
{
    // Texts stand on the window colour, so they take the scheme's text colour with it.
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

void DlgProgramInfo::NastavitTexty()
{
    const std::wstring& nazev = NazevProgramu();
    CheckWin32(SetWindowTextW(hwnd_, TextZdroje(IDS_TITULEK_O_PROGRAMU, {nazev}).c_str()));
    CheckWin32(SetDlgItemTextW(hwnd_, IDC_APLIKACE, nazev.c_str()));
    // Without a notice in the version resource the frame goes without a caption.
    std::wstring pravo;
    ReadVersionString(L"LegalCopyright", pravo, SouborVerze());
    CheckWin32(SetDlgItemTextW(hwnd_, IDC_INFO_PRAVA, pravo.c_str()));
    CheckWin32(SetDlgItemTextW(hwnd_, IDC_VERZE, RadekVerze().c_str()));
}

std::wstring DlgProgramInfo::RadekVerze() const
{
    WORD major = 0, minor = 0, build = 0, revision = 0;
    std::wstring cislo = TextZdroje(IDS_VERZE_NEZNAMA);
    if (SUCCEEDED(ReadProductVersion(major, minor, build, revision, SouborVerze())))
        cislo = std::to_wstring(major) + L'.' + std::to_wstring(minor) + L'.' + std::to_wstring(build) + L'.' +
                std::to_wstring(revision);
    return TextZdroje(IDS_VERZE, {cislo});
}

void DlgProgramInfo::PripojitNadpis()
{
    nadpis.Pripojit(Item(IDC_APLIKACE));
    nadpis.NastavitPismo(L"Verdana");
    if (!nadpis.IsWindow()) RaiseFatal(E_HANDLE);
    nadpis.stetecPozadi = GetSysColorBrush(COLOR_WINDOW);
    if (nadpis.IsVisible()) RedrawWindow(nadpis, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void DlgProgramInfo::PridatTipy()
{
    tipy.Vytvorit(hwnd_);
    if (!tipy.IsWindow()) RaiseFatal(E_HANDLE);
    tipy.PridatNastroj(NajitPrvek(IDC_INFO_EMAIL), IDS_TIP_EMAIL);
    if (!tipy.IsWindow()) RaiseFatal(E_HANDLE);
    tipy.PridatNastroj(NajitPrvek(IDC_INFO_WEB), IDS_TIP_WEB);
}

HWND DlgProgramInfo::NajitPrvek(int id) const
{
    HWND prvek = Item(id);
    if (!prvek) RaiseFatal(E_INVALIDARG);
    return prvek;
}
