#pragma once
// Finding and working the dialogs and menus the program shows, as a user would. A test works
// them in one of two ways: from inside the modal loop that shows them (Behem: a thread timer
// takes steps as their windows appear), or from a helper thread while the test thread runs
// the loop (ObsluhaDialogu), where a script may wait. Both end what stays open, so a failing
// test cannot leave the test thread blocked.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace DialogDriver {

std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);
std::vector<HWND> Children(HWND parent);
// The thread's top-level windows of a class.
std::vector<HWND> ThreadWindows(DWORD thread, const wchar_t* className);
// A visible dialog-class window of the thread, other than `except`, whose owner is `owner`
// when one is given.
HWND FindDialog(DWORD thread, HWND owner = nullptr, HWND except = nullptr);
// The same, waited for from another thread; null when none shows within the time.
HWND WaitForDialog(DWORD thread, HWND owner = nullptr, HWND except = nullptr, DWORD ms = 15000);
// Where a window lies in the client area of `rodic`.
RECT VKlientu(HWND rodic, HWND okno);
// The popup menu that shows, if one does.
HWND OpenMenu();
// The file name box of a common item dialog: its first visible edit control.
HWND FirstVisibleEdit(HWND dialog);
// Clicks a button by posting, so that a modal box the click opens cannot block the caller.
void Click(HWND dialog, int id);

// What the user does in a common file dialog: the path typed, then OK; an empty path cancels.
struct FileChoice {
    std::wstring typed;
    int overwriteAnswer = 0;        // IDYES or IDNO when an overwrite question is expected
    bool cancelAfterAnswer = false; // then cancels the dialog the question came back to
};
// From a helper thread; true when the overwrite question showed and was answered.
bool Choose(DWORD thread, HWND dialog, const FileChoice& choice);

// One step inside a modal loop: once `najit` finds the loop's window, `udelat` runs there.
struct Krok {
    std::function<HWND()> najit;
    std::function<void(HWND)> udelat;
};
// Runs the action, which starts modal loops, and takes the steps one by one from inside
// them; returns how many were taken. Whatever still shows five seconds after the last step
// is ended (a dialog with kHlidacUkoncil, a menu closed).
size_t Behem(const std::function<void()>& akce, std::vector<Krok> kroky);
constexpr INT_PTR kHlidacUkoncil = 77;
// The step "in the dialog over `vlastnik`": runs the check there, then cancels the dialog
// unless the check ends it itself (zrusit = false).
Krok VDialogu(HWND vlastnik, std::function<void(HWND)> kontrola, bool zrusit = true);
// The action with that one step; true when the check ran.
bool BehemDialogu(HWND vlastnik, const std::function<void()>& akce, std::function<void(HWND)> kontrola,
                  bool zrusit = true);

} // namespace DialogDriver

class ObsluhaDialogu {
public:
    using Skript = std::function<void(HWND dialog)>;

    // Starts the helper: it waits for a visible dialog of the thread (by default the calling
    // one), lets it settle, runs the script and waits for the dialog to end.
    explicit ObsluhaDialogu(Skript skript, DWORD vlakno = GetCurrentThreadId());
    ~ObsluhaDialogu();
    ObsluhaDialogu(const ObsluhaDialogu&) = delete;
    ObsluhaDialogu& operator=(const ObsluhaDialogu&) = delete;

    // Tells the helper the test thread is done and waits for it; afterwards the flags below
    // may be read.
    void Dokoncit();
    bool Nalezen() const { return nalezen_; }
    // The script ran but the dialog did not end by itself; the helper cancelled it.
    bool ZustalOtevren() const { return zustalOtevren_; }
    // Runs the action on this thread while a helper works the dialog it shows with the
    // script; true when a dialog showed and ended as a user ends it.
    static bool Obslouzit(const std::function<void()>& akce, Skript skript);
    // For a script: a dialog of the thread that shows, waited for until the test thread is done.
    HWND Pockat(HWND vlastnik = nullptr, HWND krome = nullptr) const;

private:
    void Pracovat();

    Skript skript_;
    DWORD vlakno_;
    std::atomic<bool> konec_{false};
    bool nalezen_ = false;
    bool zustalOtevren_ = false;
    std::thread pomocnik_;
};

// What a user does, from the helper thread.
namespace Uzivatel {

inline std::wstring Text(HWND okno) { return DialogDriver::TextOf(okno); }
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
// The tooltip of the thread that knows the tool (window, id), with the tool's flags and the
// text it shows; all empty when none knows it.
struct Tip {
    HWND okno = nullptr;
    UINT priznaky = 0;
    std::wstring text;
};
Tip NajitTip(DWORD vlakno, HWND oknoNastroje, UINT_PTR idNastroje);
inline std::wstring TextTipu(DWORD vlakno, HWND oknoNastroje, UINT_PTR idNastroje)
{
    return NajitTip(vlakno, oknoNastroje, idNastroje).text;
}
// Waits until the window is gone; false when it still exists after the time.
bool PockatNaZavreni(HWND okno, DWORD ms = 5000);

} // namespace Uzivatel
