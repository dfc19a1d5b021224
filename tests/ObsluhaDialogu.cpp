#include "tests/ObsluhaDialogu.h"

#include <commctrl.h>

#include <vector>

#include "tests/DialogDriver.h"

namespace {

constexpr DWORD kCekaniNaDialog = 10000;

HWND PockatNaDialog(DWORD vlakno)
{
    const ULONGLONG konec = GetTickCount64() + kCekaniNaDialog;
    while (GetTickCount64() < konec) {
        if (HWND dialog = DialogDriver::FindDialog(vlakno)) return dialog;
        Sleep(20);
    }
    return nullptr;
}

} // namespace

ObsluhaDialogu::ObsluhaDialogu(Skript skript, DWORD vlakno)
    : skript_(std::move(skript)), vlakno_(vlakno), pomocnik_([this] { Pracovat(); })
{
}

ObsluhaDialogu::~ObsluhaDialogu() { Dokoncit(); }

void ObsluhaDialogu::Dokoncit()
{
    if (pomocnik_.joinable()) pomocnik_.join();
}

void ObsluhaDialogu::Pracovat()
{
    HWND dialog = PockatNaDialog(vlakno_);
    if (!dialog) return;
    nalezen_ = true;
    Sleep(100); // the dialog has been shown; let it take the focus as it does for a user
    if (skript_) skript_(dialog);
    if (Uzivatel::PockatNaZavreni(dialog)) return;
    zustalOtevren_ = true;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    if (!Uzivatel::PockatNaZavreni(dialog)) PostMessageW(dialog, WM_CLOSE, 0, 0);
}

namespace Uzivatel {

std::wstring Text(HWND okno)
{
    wchar_t text[512] = L"";
    SendMessageW(okno, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

void Napsat(HWND prvek, const std::wstring& text)
{
    SendMessageW(prvek, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Stisknout(HWND prvek, UINT klavesa)
{
    PostMessageW(prvek, WM_KEYDOWN, klavesa, 1);
    PostMessageW(prvek, WM_KEYUP, klavesa, static_cast<LPARAM>(0xC0000001));
}

void Kliknout(HWND prvek)
{
    RECT r{};
    GetClientRect(prvek, &r);
    const LPARAM bod = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageW(prvek, WM_LBUTTONDOWN, MK_LBUTTON, bod);
    PostMessageW(prvek, WM_LBUTTONUP, 0, bod);
}

void ZavritKrizkem(HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

HWND Fokus(DWORD vlakno)
{
    GUITHREADINFO info{sizeof info};
    return GetGUIThreadInfo(vlakno, &info) ? info.hwndFocus : nullptr;
}

std::wstring TextTipu(DWORD vlakno, HWND oknoNastroje, UINT_PTR idNastroje)
{
    std::vector<HWND> tipy;
    EnumThreadWindows(
        vlakno,
        [](HWND okno, LPARAM seznam) {
            if (DialogDriver::ClassOf(okno) == TOOLTIPS_CLASSW) reinterpret_cast<std::vector<HWND>*>(seznam)->push_back(okno);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tipy));
    for (HWND tip : tipy) {
        const auto pocet = static_cast<UINT>(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
        for (UINT i = 0; i < pocet; ++i) {
            TTTOOLINFOW nastroj{};
            nastroj.cbSize = sizeof nastroj;
            if (!SendMessageW(tip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&nastroj))) continue;
            if (nastroj.hwnd != oknoNastroje || nastroj.uId != idNastroje) continue;
            wchar_t text[256] = L"";
            nastroj.lpszText = text;
            SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&nastroj));
            return text;
        }
    }
    return L"";
}

bool PockatNaZavreni(HWND okno, DWORD ms)
{
    const ULONGLONG konec = GetTickCount64() + ms;
    while (IsWindow(okno)) {
        if (GetTickCount64() > konec) return false;
        Sleep(20);
    }
    return true;
}

} // namespace Uzivatel
