#pragma once
// Working a dialog of the program from a helper thread while the test thread runs it
// modally, the way a user would: typing, keys, clicks and the close box all arrive as
// messages through the dialog's own modal loop. Whatever the script does, the helper makes
// sure the dialog ends, so a failing test cannot leave the test thread blocked.
#include <windows.h>

#include <functional>
#include <string>
#include <thread>

class ObsluhaDialogu {
public:
    using Skript = std::function<void(HWND dialog)>;

    // Starts the helper: it waits for a visible dialog of the thread (by default the calling
    // one), lets it settle, runs the script and waits for the dialog to end.
    explicit ObsluhaDialogu(Skript skript, DWORD vlakno = GetCurrentThreadId());
    ~ObsluhaDialogu();
    ObsluhaDialogu(const ObsluhaDialogu&) = delete;
    ObsluhaDialogu& operator=(const ObsluhaDialogu&) = delete;

    // Waits for the helper; afterwards the flags below may be read.
    void Dokoncit();
    bool Nalezen() const { return nalezen_; }
    // The script ran but the dialog did not end by itself; the helper cancelled it.
    bool ZustalOtevren() const { return zustalOtevren_; }

private:
    void Pracovat();

    Skript skript_;
    DWORD vlakno_;
    bool nalezen_ = false;
    bool zustalOtevren_ = false;
    std::thread pomocnik_;
};

// What a user does, from the helper thread.
namespace Uzivatel {

std::wstring Text(HWND okno);
// Replaces the text of a control, as pasting over a selection does.
void Napsat(HWND prvek, const std::wstring& text);
// A key pressed and released while the control has the focus.
void Stisknout(HWND prvek, UINT klavesa);
// A mouse click in the middle of the control; the press moves the focus there first.
void Kliknout(HWND prvek);
// The close box of the caption.
void ZavritKrizkem(HWND dialog);
// The control that has the keyboard focus on the thread.
HWND Fokus(DWORD vlakno);
// The text a tooltip of the thread shows for the tool (window, id); empty when none does.
std::wstring TextTipu(DWORD vlakno, HWND oknoNastroje, UINT_PTR idNastroje);
// Waits until the window is gone; false when it still exists after the time.
bool PockatNaZavreni(HWND okno, DWORD ms = 5000);

} // namespace Uzivatel
