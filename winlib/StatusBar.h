#pragma once
// A status bar of parts along the bottom of its parent. Owns its window: deleting the wrapper
// destroys it.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "winlib/ChildControl.h"

namespace Tarnel::WinApi {

class StatusBar : public ChildControl {
public:
    static constexpr DWORD kStyl = WS_CHILD | WS_VISIBLE | SBARS_TOOLTIPS;

    void Create(HWND parent, UINT id);
    // Right edges of the parts, -1 for the last one reaching the edge.
    void SetParts(const int* praveOkraje, int pocet);
    void SetText(int cast, const std::wstring& text);
    // The font the parts are drawn in; the bar's height follows it. Not owned by the bar.
    void SetFont(HFONT pismo);
    // How far apart two part edges must lie for the part to show the text whole: the text in the
    // bar's font, the gap the bar leaves between parts and the part's inner margins at the DPI.
    int SirkaCasti(const std::wstring& text, UINT dpi) const;
    std::wstring Text(int cast) const;
};

} // namespace Tarnel::WinApi
