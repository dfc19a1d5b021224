#pragma once
// The progress of an export of frames: a window beside the one it was started from, with
// "Snímek 37 ze 120", a progress bar and "Zrušit", while a thread of its own writes the files
// (the window it belongs to stays usable). At the end a line says how many files were written
// where, with a link that opens the folder; a failure is told in a message box as well.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "soubory/ZapisSnimku.h"
#include "winlib/DialogImpl.h"

// Owns the export's thread; the object deletes itself once its window is gone. Closing the
// window (or its owner) stops the export after the frame being written.
class OknoPrubehuExportu : public Tarnel::WinApi::DialogImpl {
public:
    // Shows the window over the owner and starts the export; the window, or null when it could
    // not be made (nothing is written then).
    static HWND Spustit(HWND vlastnik, const ZadaniExportu& zadani);

protected:
    BOOL OnInitDialog() override;
    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnNotify(NMHDR& hlavicka, LRESULT& result) override;
    void OnOk() override {}
    void OnCancel() override;
    void OnFinalMessage(HWND) override { delete this; }

private:
    explicit OknoPrubehuExportu(const ZadaniExportu& zadani);
    ~OknoPrubehuExportu() override;

    void Pracovat(HWND okno);
    void UkazatPrubeh(UINT hotovo, UINT celkem);
    void Dokoncit();
    // Asks the thread to stop and waits for it: at most the frame it is writing.
    void Zastavit();

    ZadaniExportu zadani;
    COLORREF podklad;
    std::atomic<bool> zrusit{false};
    VysledekExportu vysledek; // the thread's until it has ended
    std::thread vlakno;
    bool bezi = false;
};

// What the box says when an export stopped at a file: the file, the system's reason and how
// many files written before it stay.
std::wstring TextSelhaniExportu(const VysledekExportu& vysledek);
// The closing line: how many files were written and where (the folder as a link).
std::wstring TextKonceExportu(const VysledekExportu& vysledek, const std::wstring& slozka);
