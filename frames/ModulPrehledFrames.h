#pragma once
// The frames overview tool window. It runs on a user-interface thread of its own, so that the
// main window goes on playing while the user browses frames, and its whole client area is the
// frames panel. The two threads share no locks: the main thread starts the thread and asks its
// window to close by a posted message; the thread tells the main window of its start and end
// by posted messages as well.
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "image/PravidlaPrehravani.h"
#include "winlib/Handles.h"
#include "winlib/Okno.h"

class DlgPrehledFrames;

// Posted by the overview thread to the window it was started for when it starts and when it
// has ended.
constexpr UINT WM_AKTUALIZOVAT_STAV = WM_APP + 1;

// The one instance is the global below. Its window and panel belong to the overview thread.
class ModulPrehledFrames : public Tarnel::WinApi::Okno {
public:
    static constexpr wchar_t kNazevTridy[] = L"GifFramesList";
    // A caption, a system menu and a minimise box; no sizing border: the panel sets the size.
    static constexpr DWORD kStylOkna = WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX;
    static constexpr DWORD kLimitUkonceniMs = 5000;

    // Its window stores its position below the program's registry key.
    explicit ModulPrehledFrames(const wchar_t* klicAplikace);
    ~ModulPrehledFrames() override;

    // Main thread. Unless the thread runs already, starts it with the path when that names
    // something on disk; the panel shows it if it is a file. hlavniOkno is told of the
    // thread's start and end by WM_AKTUALIZOVAT_STAV.
    void Spustit(const wchar_t* cesta, HWND hlavniOkno);
    // Main thread. Asks the window to close, also one still being created, and waits up to
    // kLimitUkonceniMs for the thread, painting the caller's windows meanwhile. True when the
    // thread has ended (or never ran); false when it is still busy (a file dialog waiting on a
    // network drive, say): it then closes when it can, and the caller decides what to do.
    bool Ukoncit();
    // Whether the overview thread exists; any thread.
    bool Bezi() const { return vlakno.load() != nullptr; }
    // The overview window while it exists, else null; any thread.
    HWND OknoPrehledu() const { return okno.load(); }
    // The timing rule the panel's information line follows; any thread.
    void NastavitCasovani(Casovani pravidlo) { casovani.store(pravidlo); }
    Casovani PravidloCasovani() const { return casovani.load(); }

protected:
    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnFinalMessage(HWND window) override;

private:
    static DWORD WINAPI ProceduraVlakna(void* modul);
    DWORD BehVlakna();
    void VytvoritOkno();
    void PrizpusobitPanelu(HWND oknoPanelu);
    LRESULT OnClose(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy();
    bool OnActivate(WPARAM wParam);
    LRESULT OnDpiChanged(LPARAM lParam);
    // The keyboard goes where the user looks: to the list of frames.
    void ZameritSeznam();

    // Written by Spustit, closed and cleared by the thread as its last act.
    std::atomic<HANDLE> vlakno{nullptr};
    // Written by Spustit before the thread starts; read by the thread.
    std::wstring cestaSouboru;
    HWND hlavniOkno = nullptr;
    // The overview thread's own.
    std::unique_ptr<DlgPrehledFrames> panel;

    // The window handle as the main thread may read it: set by the thread once the window
    // exists, cleared when it is gone.
    std::atomic<HWND> okno{nullptr};
    // A close asked for before the window existed; the thread carries it out once it does.
    std::atomic<bool> zavritPoVytvoreni{false};
    std::atomic<Casovani> casovani{Casovani::PodleSouboru};
    // What Ukoncit waits on: a handle of the thread that stays valid however the thread
    // handles its own. Closed after the wait or at the next start.
    Tarnel::WinApi::KernelHandle cekani;
};

// Defined by the program, with its registry key.
extern ModulPrehledFrames modulPrehledFrames;

// Waits up to limitMs for the object, dispatching only the paint messages of the calling
// thread meanwhile, so that its windows do not go blank while it waits. True when signalled.
bool PockatSPrekreslovanim(HANDLE objekt, DWORD limitMs);
