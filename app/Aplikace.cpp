#include "app/Aplikace.h"

#include <commctrl.h>
#include <gdiplus.h>
#include <shellapi.h>

#include <new>
#include <utility>

#include "about/DlgProgramInfo.h"
#include "app/OknoHlavni.h"
#include "frames/ModulPrehledFrames.h"
#include "resources/resource.h"
#include "settings/Nastaveni.h"
#include "winlib/Cesta.h"
#include "winlib/Identita.h"
#include "winlib/ModalniSmycka.h"
#include "winlib/Verze.h"

using namespace Tarnel::WinApi;

Aplikace aplikace;
ModulPrehledFrames modulPrehledFrames{kKlicAplikace};

namespace {

constexpr DWORD kOvladaciPrvky = 0x2FFF; // the common control classes the program uses

// Start-up's own steps leave early by throwing the failure; Startup turns it into its result.
[[noreturn]] void SelhaniStartu() { throw HresultFromLastError(); }

// The window shows and reopens the file by its full path, whatever the working folder was.
std::wstring PlnaCesta(const wchar_t* cesta)
{
    DWORD delka = GetFullPathNameW(cesta, 0, nullptr, nullptr);
    if (delka == 0) return cesta;
    std::wstring plna(delka, L'\0');
    delka = GetFullPathNameW(cesta, delka, plna.data(), nullptr);
    if (delka == 0 || delka >= plna.size()) return cesta;
    plna.resize(delka);
    return plna;
}

} // namespace

Aplikace::~Aplikace() = default;

wchar_t* Aplikace::GetAppName() { return nazevAplikace.data(); }

HRESULT Aplikace::OnFatalError(const wchar_t* /*text*/) { return E_NOTIMPL; }

int Aplikace::ShowMessage(const wchar_t* text, UINT flags)
{
    ModalniSmycka smycka;
    MessageBoxW(nullptr, text, nazevAplikace.c_str(), flags | MB_TASKMODAL | MB_SETFOREGROUND);
    return 0;
}

HICON Aplikace::NacistIkonu(int cx, int cy)
{
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ANIMORA), IMAGE_ICON, cx, cy, 0));
}

std::wstring Aplikace::SouborZPrikazoveRadky()
{
    int pocet = 0;
    LPWSTR* argumenty = CommandLineToArgvW(GetCommandLineW(), &pocet);
    if (!argumenty) return {};
    std::wstring cesta;
    if (pocet >= 2 && JeSoubor(argumenty[1])) cesta = PlnaCesta(argumenty[1]);
    LocalFree(argumenty);
    return cesta;
}

HRESULT Aplikace::Startup()
{
    SetFatalErrorHook(this);
    try {
        INITCOMMONCONTROLSEX icc{sizeof icc, kOvladaciPrvky};
        if (!InitCommonControlsEx(&icc)) SelhaniStartu();

        if (gdiplus.Spustit() != Gdiplus::Ok) SelhaniStartu();

        ReadVersionString(L"ProductName", nazevAplikace);

        seznamObrazku = std::make_unique<ToolbarImages>();
        seznamObrazku->LoadSizes();

        velkaIkona.Reset(NacistIkonu(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)));
        if (!velkaIkona.Get()) SelhaniStartu();
        malaIkona.Reset(NacistIkonu(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)));
        if (!malaIkona.Get()) SelhaniStartu();
        NastavitIdentitu(nazevAplikace, velkaIkona.Get(), malaIkona.Get());

        nastaveni = Nastaveni{};
        NacistNastaveni();

        const std::wstring cesta = SouborZPrikazoveRadky();
        oknoHlavni.VytvoritHlavniOkno(cesta.empty() ? nullptr : cesta.c_str());
        return S_OK;
    } catch (HRESULT hr) {
        return hr ? hr : E_FAIL;
    } catch (const std::bad_alloc&) {
        // No memory for a name or a path: the same quiet failure as any other start-up step.
        return E_OUTOFMEMORY;
    }
}

HRESULT Aplikace::Shutdown()
{
    try {
        // No window may be given the icons once they are gone.
        NastavitIdentitu(nazevAplikace, nullptr, nullptr);
        if (!velkaIkona.Znicit()) SelhaniStartu();
        if (!malaIkona.Znicit()) SelhaniStartu();
        seznamObrazku.reset();
        gdiplus.Ukoncit();
        return S_OK;
    } catch (HRESULT hr) {
        return hr ? hr : E_FAIL;
    }
}

void Aplikace::ShowProgramInfo(HWND owner)
{
    if (dlgProgramInfo) {
        // Asked again while it is open: the one dialog comes to the front.
        if (dlgProgramInfo->IsWindow()) SetForegroundWindow(*dlgProgramInfo);
        return;
    }
    if (ModalniSmycka::Bezi()) return; // no second modal loop over another one
    if (!owner && oknoHlavni.IsWindow()) owner = oknoHlavni;
    try {
        auto dialog = std::make_unique<DlgProgramInfo>();
        dlgProgramInfo = dialog.get();
        const INT_PTR vysledek = dialog->DoModal(owner);
        // The loop dispatched whatever came meanwhile; the pointer is cleared only while it
        // still names this dialog.
        if (dlgProgramInfo == dialog.get()) dlgProgramInfo = nullptr;
        if (vysledek == -1) RaiseLastError();
    } catch (HRESULT hr) {
        RaiseFatal(hr ? hr : E_FAIL);
    }
}

int SpustitSmyckuZprav()
{
    MSG zprava;
    for (;;) {
        BOOL vysledek = GetMessageW(&zprava, nullptr, 0, 0);
        if (vysledek == -1) RaiseLastError();
        if (!vysledek) return static_cast<int>(zprava.wParam);
        TranslateMessage(&zprava);
        DispatchMessageW(&zprava);
    }
}
