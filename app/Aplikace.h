#pragma once
// The application object: what every window of the program shares, and start-up and
// shutdown in their fixed order.
#include <windows.h>

#include <memory>
#include <string>

#include "app/ToolbarImages.h"
#include "image/GdipObraz.h"
#include "winlib/Chyby.h"
#include "winlib/Handles.h"
#include "winlib/Nekopirovatelny.h"

class Aplikace : public Tarnel::WinApi::FatalErrorHook, private Tarnel::WinApi::Nekopirovatelny {
public:
    Aplikace() = default;
    virtual ~Aplikace();

    virtual wchar_t* GetAppName();
    // The program does not handle fatal failures itself: the report shows its own box.
    HRESULT OnFatalError(const wchar_t* text) override;
    virtual int ShowMessage(const wchar_t* text, UINT flags);

    HRESULT Startup();
    HRESULT Shutdown();
    void ShowProgramInfo(HWND owner);

    GdiplusRelace gdiplus;
    Tarnel::WinApi::Icon velkaIkona;
    Tarnel::WinApi::Icon malaIkona;
    std::wstring nazevAplikace;
    std::unique_ptr<ToolbarImages> seznamObrazku;

protected:
    // Start-up's icon step; a null result fails start-up with the thread's last error.
    virtual HICON NacistIkonu(int cx, int cy);
    // The first command-line argument when it names an existing file that is no folder.
    static std::wstring SouborZPrikazoveRadky();
};

extern Aplikace aplikace;

// The message loop of the main thread; returns the quit message's code.
int SpustitSmyckuZprav();
