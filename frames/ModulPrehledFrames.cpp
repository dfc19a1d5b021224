#include "frames/ModulPrehledFrames.h"

#include <shlwapi.h>

#include <new>

#include "frames/DlgPrehledFrames.h"
#include "resources/resource.h"
#include "winlib/Cesta.h"
#include "winlib/Chyby.h"
#include "winlib/Dpi.h"
#include "winlib/Identita.h"
#include "winlib/ModalniSmycka.h"

using namespace Tarnel::WinApi;

namespace {

constexpr int kSirkaPriVytvoreni = 800;
constexpr int kVyskaPriVytvoreni = 600;
// What the window's frame is measured for: it gets a caption as an overlapped window.
constexpr DWORD kStylRamecku = WS_CAPTION | WS_SYSMENU;

void Oznamit(HWND hlavniOkno)
{
    if (hlavniOkno && ::IsWindow(hlavniOkno)) PostMessageW(hlavniOkno, WM_AKTUALIZOVAT_STAV, 0, 0);
}

} // namespace

ModulPrehledFrames::ModulPrehledFrames(const wchar_t* klicAplikace) { NastavitKlicRegistru(klicAplikace); }

ModulPrehledFrames::~ModulPrehledFrames()
{
    // A thread still running at exit owns the window and the panel: it is stopped first, and
    // what it still holds is its own to free when it will not stop (the window included).
    if (Bezi() && !Ukoncit()) {
        (void)panel.release();
        return;
    }
    panel.reset();
}

void ModulPrehledFrames::Spustit(const wchar_t* cesta, HWND oznamovat)
{
    if (Bezi()) return;
    cestaSouboru.clear();
    if (cesta && PathFileExistsW(cesta)) cestaSouboru = cesta;
    hlavniOkno = oznamovat;
    zavritPoVytvoreni.store(false);
    cekani.Reset();

    // The thread closes the handle in vlakno as its last act, so it may run only once the
    // handle is there.
    HANDLE novy = CreateThread(nullptr, 0, &ModulPrehledFrames::ProceduraVlakna, this, CREATE_SUSPENDED, nullptr);
    if (!novy) RaiseLastError();
    HANDLE kopie = nullptr;
    CheckWin32(DuplicateHandle(GetCurrentProcess(), novy, GetCurrentProcess(), &kopie,
                               SYNCHRONIZE | THREAD_QUERY_LIMITED_INFORMATION, FALSE, 0));
    cekani.Reset(kopie);
    vlakno.store(novy);
    if (ResumeThread(novy) == static_cast<DWORD>(-1)) RaiseLastError();
}

bool ModulPrehledFrames::Ukoncit()
{
    if (!Bezi()) return true;
    // A thread that has not made its window yet finds the request when it has; one that has
    // gets the close posted. Whichever of the two looks second sees the other's part.
    zavritPoVytvoreni.store(true);
    if (HWND cil = okno.load()) PostMessageW(cil, WM_CLOSE, 0, 1);
    if (!PockatSPrekreslovanim(cekani.Get(), kLimitUkonceniMs)) return false;
    cekani.Reset();
    return true;
}

bool PockatSPrekreslovanim(HANDLE objekt, DWORD limitMs)
{
    const ULONGLONG konec = GetTickCount64() + limitMs;
    for (;;) {
        const ULONGLONG ted = GetTickCount64();
        const DWORD zbyva = ted >= konec ? 0 : static_cast<DWORD>(konec - ted);
        const DWORD vysledek = MsgWaitForMultipleObjects(1, &objekt, FALSE, zbyva, QS_PAINT);
        if (vysledek == WAIT_OBJECT_0) return true;
        if (vysledek == WAIT_TIMEOUT) return false;
        if (vysledek == WAIT_FAILED) RaiseLastError();
        // Only painting: input and commands wait until the caller has finished what it does.
        MSG zprava;
        while (PeekMessageW(&zprava, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&zprava);
        if (zbyva == 0) return WaitForSingleObject(objekt, 0) == WAIT_OBJECT_0;
    }
}

DWORD WINAPI ModulPrehledFrames::ProceduraVlakna(void* modul)
{
    try {
        return static_cast<ModulPrehledFrames*>(modul)->BehVlakna();
    } catch (HRESULT hr) {
        RaiseFatal(hr ? hr : E_FAIL);
    } catch (const std::bad_alloc&) {
        RaiseFatal(E_OUTOFMEMORY);
    }
}

DWORD ModulPrehledFrames::BehVlakna()
{
    // Spustit may run again as soon as vlakno is clear; what the end needs is taken now.
    const HWND oznamovat = hlavniOkno;
    {
        ComApartment apartma; // the panel's file dialogs are COM objects of this thread
        Oznamit(oznamovat);
        VytvoritOkno();
        MSG zprava;
        while (GetMessageW(&zprava, nullptr, 0, 0) > 0) {
            if (panel && panel->PredzpracovatZpravu(zprava)) continue;
            TranslateMessage(&zprava);
            DispatchMessageW(&zprava);
        }
        panel.reset();
        DestroyOwnedWindow(hwnd_);
    }
    CheckWin32(CloseHandle(vlakno.load()));
    vlakno.store(nullptr);
    Oznamit(oznamovat);
    return 0;
}

void ModulPrehledFrames::VytvoritOkno()
{
    const WindowClass trida{kNazevTridy, CS_HREDRAW | CS_VREDRAW, IDC_ARROW,
                            reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_APPWORKSPACE + 1))};
    if (!Create(trida, nullptr, NazevProgramu().c_str(), kStylOkna, 0,
                RECT{0, 0, kSirkaPriVytvoreni, kVyskaPriVytvoreni}))
        RaiseLastError();
    // A size at 96 DPI, as wide as centring takes it for; the panel sets the final one.
    NastavitVelikostProDpi(hwnd_, SIZE{kSirkaPriVytvoreni, kVyskaPriVytvoreni});
    okno.store(hwnd_);
    const bool zavrit = zavritPoVytvoreni.load();
    if (zavrit) Post(WM_CLOSE, 0, 1);

    NastavitIkonyOkna(hwnd_);
    if (ObnovitPolohu(nullptr, true) != S_OK) Vycentrovat(hwnd_, nullptr);

    // A window that closes at once need not wait for its file to be decoded.
    const bool ukazatSoubor = !zavrit && JeSoubor(cestaSouboru);
    panel = std::make_unique<DlgPrehledFrames>([this] { return casovani.load(); });
    HWND oknoPanelu = panel->Vytvorit(hwnd_, ukazatSoubor ? cestaSouboru.c_str() : nullptr);
    ShowWindow(oknoPanelu, SW_SHOW);
    PrizpusobitPanelu(oknoPanelu);
    ShowWindow(hwnd_, SW_SHOW);
    ZameritSeznam();
}

void ModulPrehledFrames::PrizpusobitPanelu(HWND oknoPanelu)
{
    RECT r{};
    CheckWin32(GetClientRect(oknoPanelu, &r));
    UpravitObdelnikOkna(r, kStylRamecku, false, 0, DpiOkna(hwnd_));
    CheckWin32(SetWindowPos(hwnd_, nullptr, 0, 0, Width(r), Height(r), SWP_NOMOVE | SWP_NOZORDER));
}

bool ModulPrehledFrames::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_CLOSE: result = OnClose(wParam, lParam); return true;
    case WM_DESTROY: result = OnDestroy(); return true;
    case WM_ACTIVATE: result = 0; return OnActivate(wParam);
    case WM_DPICHANGED: result = OnDpiChanged(lParam); return true;
    default: return false;
    }
}

LRESULT ModulPrehledFrames::OnClose(WPARAM wParam, LPARAM lParam)
{
    // The panel may wait in one of its dialogs, which still uses it: the dialogs are asked to
    // end, and the close comes back once the panel's handler has returned.
    if (ModalniSmycka::OdlozitZavreni(hwnd_, wParam, lParam)) return 0;
    UlozitPolohu(nullptr);
    return DefWindowProc(WM_CLOSE, wParam, lParam);
}

LRESULT ModulPrehledFrames::OnDestroy()
{
    PostQuitMessage(0);
    return DefWindowProc(WM_DESTROY, 0, 0);
}

void ModulPrehledFrames::OnFinalMessage(HWND) { okno.store(nullptr); }

bool ModulPrehledFrames::OnActivate(WPARAM wParam)
{
    // Left to the default (the focus on the window itself) when leaving, when minimised, and
    // before the panel exists.
    if (LOWORD(wParam) == WA_INACTIVE || HIWORD(wParam) || !panel || !panel->IsWindow()) return false;
    ZameritSeznam();
    return true;
}

void ModulPrehledFrames::ZameritSeznam()
{
    if (panel && panel->IsWindow()) SetFocus(panel->Item(IDC_PREHLED_SEZNAM));
}

LRESULT ModulPrehledFrames::OnDpiChanged(LPARAM lParam)
{
    // The place the system suggests, and the size that holds the panel at the new DPI.
    PrijmoutNavrzenyObdelnik(hwnd_, lParam);
    if (panel && panel->IsWindow()) PrizpusobitPanelu(panel->Handle());
    return 0;
}
