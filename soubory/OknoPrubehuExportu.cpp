#include "soubory/OknoPrubehuExportu.h"

#include <commctrl.h>
#include <shellapi.h>

#include "resources/resource_export.h"
#include "winlib/Chyby.h"
#include "winlib/Handles.h"
#include "winlib/Identita.h"
#include "winlib/ModalniSmycka.h"
#include "winlib/Okno.h"
#include "winlib/Retezce.h"

using namespace Tarnel::WinApi;

namespace {

// From the export's thread: wParam frames done, lParam frames in all; then the end.
constexpr UINT WM_PRUBEH_EXPORTU = WM_APP + 20;
constexpr UINT WM_KONEC_EXPORTU = WM_APP + 21;

} // namespace

std::wstring TextSelhaniExportu(const VysledekExportu& vysledek)
{
    return TextZdroje(IDS_EXPORT_SELHALO,
                      {vysledek.soubor, ErrorInfo(vysledek.chyba).ErrorText(), std::to_wstring(vysledek.zapsano)});
}

std::wstring TextKonceExportu(const VysledekExportu& vysledek, const std::wstring& slozka)
{
    return TextZdroje(vysledek.zruseno ? IDS_EXPORT_ZRUSENO : IDS_EXPORT_HOTOVO,
                      {std::to_wstring(vysledek.zapsano), slozka});
}

HWND OknoPrubehuExportu::Spustit(HWND vlastnik, const ZadaniExportu& zadani)
{
    auto* okno = new OknoPrubehuExportu(zadani);
    HWND hwnd = okno->Create(vlastnik);
    if (!hwnd) {
        delete okno;
        return nullptr;
    }
    ShowWindow(hwnd, SW_SHOW);
    return hwnd;
}

OknoPrubehuExportu::OknoPrubehuExportu(const ZadaniExportu& zadani)
    : DialogImpl(IDD_PRUBEH_EXPORTU), zadani(zadani), podklad(GetSysColor(COLOR_WINDOW))
{
}

OknoPrubehuExportu::~OknoPrubehuExportu() { Zastavit(); }

BOOL OknoPrubehuExportu::OnInitDialog()
{
    NastavitIkonyOkna(hwnd_);
    Vycentrovat(hwnd_, GetWindow(hwnd_, GW_OWNER));
    UkazatPrubeh(0, zadani.rozsah.po - zadani.rozsah.od + 1);
    bezi = true;
    vlakno = std::thread([this, okno = hwnd_] { Pracovat(okno); });
    return TRUE;
}

void OknoPrubehuExportu::Pracovat(HWND okno)
{
    ComApartment com; // the image library's encoders may use COM on this thread
    vysledek = ExportovatSnimky(zadani, podklad, [this, okno](UINT hotovo, UINT celkem) {
        PostMessageW(okno, WM_PRUBEH_EXPORTU, hotovo, celkem);
        return !zrusit.load();
    });
    PostMessageW(okno, WM_KONEC_EXPORTU, 0, 0);
}

bool OknoPrubehuExportu::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_PRUBEH_EXPORTU:
        if (bezi) UkazatPrubeh(static_cast<UINT>(wParam), static_cast<UINT>(lParam));
        result = 0;
        return true;
    case WM_KONEC_EXPORTU: Dokoncit(); result = 0; return true;
    case WM_DESTROY: Zastavit(); return false;
    default: return false;
    }
}

void OknoPrubehuExportu::UkazatPrubeh(UINT hotovo, UINT celkem)
{
    const UINT cislo = hotovo < celkem ? hotovo + 1 : celkem;
    SetDlgItemTextW(hwnd_, IDC_PRUBEH_TEXT,
                    TextZdroje(IDS_EXPORT_PRUBEH, {std::to_wstring(cislo), std::to_wstring(celkem)}).c_str());
    SendDlgItemMessageW(hwnd_, IDC_PRUBEH_UKAZATEL, PBM_SETRANGE32, 0, static_cast<LPARAM>(celkem));
    SendDlgItemMessageW(hwnd_, IDC_PRUBEH_UKAZATEL, PBM_SETPOS, hotovo, 0);
}

void OknoPrubehuExportu::Dokoncit()
{
    if (!bezi) return;
    Zastavit();
    SetDlgItemTextW(hwnd_, IDC_PRUBEH_HOTOVO, TextKonceExportu(vysledek, zadani.slozka).c_str());
    SetDlgItemTextW(hwnd_, IDCANCEL, TextZdroje(IDS_EXPORT_ZAVRIT).c_str());
    EnableWindow(Item(IDCANCEL), TRUE);
    if (SUCCEEDED(vysledek.chyba)) return;
    const std::wstring text = TextSelhaniExportu(vysledek);
    ModalniSmycka smycka;
    MessageBoxW(hwnd_, text.c_str(), NazevProgramu().c_str(), MB_OK | MB_ICONERROR);
    // The box's loop may have closed this window: nothing of it is touched after.
}

void OknoPrubehuExportu::Zastavit()
{
    zrusit.store(true);
    if (vlakno.joinable()) vlakno.join();
    bezi = false;
}

void OknoPrubehuExportu::OnCancel()
{
    if (bezi) {
        // The thread ends after its frame and reports; the window stays to say what is left.
        zrusit.store(true);
        EnableWindow(Item(IDCANCEL), FALSE);
        return;
    }
    EndDialog(IDCANCEL);
}

bool OknoPrubehuExportu::OnNotify(NMHDR& hlavicka, LRESULT& result)
{
    if (hlavicka.idFrom != IDC_PRUBEH_HOTOVO || (hlavicka.code != NM_CLICK && hlavicka.code != NM_RETURN)) return false;
    // A folder that will not open is no reason to bother the user.
    ShellExecuteW(hwnd_, L"open", zadani.slozka.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    result = 0;
    return true;
}
