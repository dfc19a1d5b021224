#pragma once
// A flat toolbar with tooltips, sized by the rebar it sits in. Owns its window: deleting the
// wrapper destroys it. The image lists it shows belong to the caller and must outlive it.
#include <windows.h>
#include <commctrl.h>

#include "winlib/ChildControl.h"

namespace Tarnel::WinApi {

class Toolbar : public ChildControl {
public:
    // Child, visible, clipped, transparent, flat, wrapable, with tooltips, sized by the rebar.
    static constexpr DWORD kStyl = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TBSTYLE_TRANSPARENT |
                                   TBSTYLE_FLAT | TBSTYLE_WRAPABLE | TBSTYLE_TOOLTIPS | CCS_NODIVIDER |
                                   CCS_NORESIZE | CCS_TOP;

    // Creates the control and gives it its pictures; only drop-down arrows as extended style.
    void Create(HWND parent, UINT id, HIMAGELIST obrazky, HIMAGELIST sedeObrazky);
    // Gives the buttons other pictures (of another size, for another DPI); the buttons follow
    // the pictures' size.
    void NastavitObrazky(HIMAGELIST obrazky, HIMAGELIST sedeObrazky);
    HIMAGELIST ImageList() const;
    void AddButton(const TBBUTTON& button);
    void EnableButton(int command, bool enable);
};

} // namespace Tarnel::WinApi
