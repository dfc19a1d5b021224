#include "winlib/StatusBar.h"

#include "winlib/Chyby.h"
#include "winlib/Dpi.h"
#include "winlib/Handles.h"

namespace Tarnel::WinApi {

namespace {

// Within its part, at 96 DPI, the text keeps this far from either side: the part's sunken
// edge and the inset of the text within it.
constexpr int kVnitrniOkraj = 4;

} // namespace

void StatusBar::Create(HWND parent, UINT id)
{
    Destroy();
    if (!::IsWindow(parent)) RaiseFatal(E_INVALIDARG);
    ChildControl::Create(STATUSCLASSNAMEW, L"", kStyl, parent, id);
}

void StatusBar::SetParts(const int* praveOkraje, int pocet)
{
    if (!SendMessageW(hwnd_, SB_SETPARTS, static_cast<WPARAM>(pocet), reinterpret_cast<LPARAM>(praveOkraje)))
        RaiseLastError();
}

void StatusBar::SetText(int cast, const std::wstring& text)
{
    if (!SendMessageW(hwnd_, SB_SETTEXTW, static_cast<WPARAM>(cast), reinterpret_cast<LPARAM>(text.c_str())))
        RaiseLastError();
}

void StatusBar::SetFont(HFONT pismo)
{
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(pismo), TRUE);
}

int StatusBar::SirkaCasti(const std::wstring& text, UINT dpi) const
{
    // Horizontal border, vertical border, gap between parts.
    int okraje[3] = {};
    if (!SendMessageW(hwnd_, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(okraje))) RaiseLastError();
    auto pismo = reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    SIZE rozmer{};
    {
        WindowDc dc(hwnd_);
        SelectGuard vyber(dc.Get(), pismo ? pismo : GetStockObject(DEFAULT_GUI_FONT));
        CheckWin32(GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &rozmer));
    }
    return rozmer.cx + okraje[2] + 2 * (okraje[0] + Skalovat(kVnitrniOkraj, dpi));
}

std::wstring StatusBar::Text(int cast) const
{
    const auto delka = LOWORD(SendMessageW(hwnd_, SB_GETTEXTLENGTHW, static_cast<WPARAM>(cast), 0));
    std::wstring text(static_cast<size_t>(delka) + 1, L'\0');
    SendMessageW(hwnd_, SB_GETTEXTW, static_cast<WPARAM>(cast), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcsnlen(text.c_str(), delka));
    return text;
}

} // namespace Tarnel::WinApi
