#pragma once
// A rebar along the top of its parent. Owns its window: deleting the wrapper destroys it.
#include <windows.h>
#include <commctrl.h>

#include "winlib/ChildControl.h"

namespace Tarnel::WinApi {

class Rebar : public ChildControl {
public:
    // Child, visible, band borders, no divider, placed by its parent, at the top.
    static constexpr DWORD kStyl = WS_CHILD | WS_VISIBLE | RBS_BANDBORDERS | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_TOP;

    // Creates the control with no image list of its own.
    void Create(HWND parent, UINT id);
    void InsertBand(REBARBANDINFOW& band);
    // Changes what the band's mask names of the band at the index.
    void SetBand(UINT index, REBARBANDINFOW& band);
};

} // namespace Tarnel::WinApi
