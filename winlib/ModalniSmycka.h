#pragma once
// Every modal loop (a dialog, a message box, a common dialog, a tracked menu) dispatches any
// message of its thread while it waits, so whatever the handler that started it still uses
// may be torn down under it. The loops announce themselves here; a window whose close request
// arrives while one runs asks the loops to end and is closed once the outermost has returned.
#include <windows.h>

#include "winlib/Nekopirovatelny.h"

namespace Tarnel::WinApi {

// One running modal loop of the calling thread, for the guard's lifetime.
class ModalniSmycka : private Nekopirovatelny {
public:
    ModalniSmycka();
    // When the outermost loop of the thread ends, the closes deferred meanwhile are posted
    // again to their windows, so they run after the interrupted handler has returned.
    ~ModalniSmycka();

    // Whether a modal loop runs on the calling thread.
    static bool Bezi();
    // For a WM_CLOSE handler: while a loop runs, asks the loops shown over the window to end
    // and remembers the close. True when the close was deferred and the caller must not act.
    static bool OdlozitZavreni(HWND okno, WPARAM wParam, LPARAM lParam);
};

// Ends the tracked menu of the calling thread and cancels, innermost first, the dialogs and
// message boxes of the thread that the window owns directly or through one another. The
// cancels are posted: the loops end once they next look at their queue.
void UkoncitModalniSmycky(HWND okno);

} // namespace Tarnel::WinApi
