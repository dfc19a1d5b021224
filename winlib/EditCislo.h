#pragma once
// An edit control of a dialog turned into an entry for a whole number within a range: only
// digits can be typed, a tooltip over the control names the range, and when the control
// loses the focus with something that is not a number in the range, the last valid number
// is put back. The value itself is the control's text, read whenever it is asked for.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "winlib/Edit.h"
#include "winlib/ToolTip.h"

namespace Tarnel::WinApi {

class EditCislo : public Edit {
public:
    EditCislo() = default;
    // Destroys the tooltip and lets go of a control that still exists; the control goes on
    // working as a plain edit control.
    ~EditCislo() override;

    // Attaches to the control (leaving an earlier one first), makes it digits-only, shows
    // the value and sets up the range tooltip. A negative bound means none. Every failure
    // is fatal.
    void Pripojit(HWND prvek, uint32_t hodnota, int32_t dolniMez, int32_t horniMez);
    // S_OK with the number when the text is one within the range; 1, with the target left
    // as it was, otherwise.
    HRESULT ZiskatHodnotu(uint32_t& hodnota) const;
    // The check made when the control loses the focus: a valid number becomes the last
    // valid one (S_OK); anything else is replaced by it (E_INVALIDARG).
    HRESULT Overit();
    // Gives the control its previous procedure back while ours is still the installed one,
    // and returns the control; otherwise returns null and changes nothing.
    HWND Odpojit();
    // The tooltip's text for the current bounds.
    std::wstring TextRozsahu() const;

    HWND Tooltip() const { return tip.Handle(); }
    uint32_t PosledniPlatna() const { return posledniPlatna; }

protected:
    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    std::optional<uint32_t> PlatneCislo() const;
    void VytvoritTooltip();

    int32_t minimum = -1;
    int32_t maximum = -1;
    uint32_t posledniPlatna = 0;
    ToolTip tip;
};

// The text as an unsigned 32-bit decimal number: digits only, blanks allowed around them.
// Nothing for an empty text, any other character, or a number above 4294967295.
std::optional<uint32_t> PrecistCislo(const std::wstring& text);

} // namespace Tarnel::WinApi
