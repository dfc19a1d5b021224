#include "tests/DialogDriver.h"

#include <commctrl.h>

namespace DialogDriver {
namespace {

// Steps run from a thread timer, which fires inside whatever modal loop the thread runs.
struct Prubeh {
    std::vector<Krok> kroky;
    size_t hotovo = 0;
    ULONGLONG konec = 0;
    UINT_PTR casovac = 0;
};
Prubeh* g_prubeh = nullptr;

constexpr DWORD kHlidani = 5000;

void Zastavit(Prubeh& p)
{
    if (p.casovac) KillTimer(nullptr, p.casovac);
    p.casovac = 0;
}

void CALLBACK Tik(HWND, UINT, UINT_PTR, DWORD)
{
    Prubeh* p = g_prubeh;
    if (!p || !p->casovac) return;
    if (GetTickCount64() > p->konec) {
        Zastavit(*p);
        if (HWND dialog = FindDialog(GetCurrentThreadId())) EndDialog(dialog, kHlidacUkoncil);
        if (OpenMenu()) EndMenu();
        return;
    }
    if (p->hotovo >= p->kroky.size()) return;
    Krok& krok = p->kroky[p->hotovo];
    HWND okno = krok.najit();
    if (!okno) return;
    ++p->hotovo; // first, in case the step runs a loop of its own
    p->konec = GetTickCount64() + kHlidani;
    krok.udelat(okno);
}

} // namespace

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> all;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

std::vector<HWND> ThreadWindows(DWORD thread, const wchar_t* className)
{
    struct Search {
        const wchar_t* className;
        std::vector<HWND> found;
    } search{className, {}};
    EnumThreadWindows(
        thread,
        [](HWND window, LPARAM param) {
            auto* s = reinterpret_cast<Search*>(param);
            if (ClassOf(window) == s->className) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindDialog(DWORD thread, HWND owner, HWND except)
{
    for (HWND window : ThreadWindows(thread, L"#32770")) {
        if (window == except || !IsWindowVisible(window)) continue;
        if (!owner || GetWindow(window, GW_OWNER) == owner) return window;
    }
    return nullptr;
}

HWND WaitForDialog(DWORD thread, HWND owner, HWND except, DWORD ms)
{
    const ULONGLONG end = GetTickCount64() + ms;
    while (GetTickCount64() < end) {
        if (HWND found = FindDialog(thread, owner, except)) return found;
        Sleep(20);
    }
    return nullptr;
}

RECT VKlientu(HWND rodic, HWND okno)
{
    RECT r{};
    GetWindowRect(okno, &r);
    MapWindowPoints(nullptr, rodic, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

HWND OpenMenu()
{
    HWND popup = FindWindowW(L"#32768", nullptr);
    return popup && IsWindowVisible(popup) ? popup : nullptr;
}

HWND FirstVisibleEdit(HWND dialog)
{
    for (HWND child : Children(dialog))
        if (IsWindowVisible(child) && _wcsicmp(ClassOf(child).c_str(), L"Edit") == 0) return child;
    return nullptr;
}

void Click(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

bool Choose(DWORD thread, HWND dialog, const FileChoice& choice)
{
    if (choice.typed.empty()) {
        Click(dialog, IDCANCEL);
        return false;
    }
    SendMessageW(FirstVisibleEdit(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(choice.typed.c_str()));
    Click(dialog, IDOK);
    if (!choice.overwriteAnswer) return false;
    HWND question = WaitForDialog(thread, dialog, dialog);
    if (!question) return false;
    Click(question, choice.overwriteAnswer);
    if (choice.cancelAfterAnswer) {
        Uzivatel::PockatNaZavreni(question, 15000);
        Click(dialog, IDCANCEL);
    }
    return true;
}

size_t Behem(const std::function<void()>& akce, std::vector<Krok> kroky)
{
    Prubeh prubeh{std::move(kroky)};
    prubeh.konec = GetTickCount64() + kHlidani;
    prubeh.casovac = SetTimer(nullptr, 0, 15, &Tik);
    g_prubeh = &prubeh;
    akce();
    Zastavit(prubeh);
    g_prubeh = nullptr;
    return prubeh.hotovo;
}

Krok VDialogu(HWND vlastnik, std::function<void(HWND)> kontrola, bool zrusit)
{
    return Krok{[vlastnik] { return FindDialog(GetCurrentThreadId(), vlastnik); },
                [kontrola = std::move(kontrola), zrusit](HWND dialog) {
                    kontrola(dialog);
                    if (zrusit && IsWindow(dialog)) PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
                }};
}

bool BehemDialogu(HWND vlastnik, const std::function<void()>& akce, std::function<void(HWND)> kontrola, bool zrusit)
{
    return Behem(akce, {VDialogu(vlastnik, std::move(kontrola), zrusit)}) == 1;
}

} // namespace DialogDriver

ObsluhaDialogu::ObsluhaDialogu(Skript skript, DWORD vlakno)
    : skript_(std::move(skript)), vlakno_(vlakno), pomocnik_([this] { Pracovat(); })
{
}

ObsluhaDialogu::~ObsluhaDialogu() { Dokoncit(); }

void ObsluhaDialogu::Dokoncit()
{
    konec_ = true;
    if (pomocnik_.joinable()) pomocnik_.join();
}

bool ObsluhaDialogu::Obslouzit(const std::function<void()>& akce, Skript skript)
{
    ObsluhaDialogu obsluha(std::move(skript));
    akce();
    obsluha.Dokoncit();
    return obsluha.Nalezen() && !obsluha.ZustalOtevren();
}

HWND ObsluhaDialogu::Pockat(HWND vlastnik, HWND krome) const
{
    const ULONGLONG konec = GetTickCount64() + 15000;
    while (!konec_ && GetTickCount64() < konec) {
        if (HWND dialog = DialogDriver::FindDialog(vlakno_, vlastnik, krome)) return dialog;
        Sleep(20);
    }
    return nullptr;
}

void ObsluhaDialogu::Pracovat()
{
    HWND dialog = Pockat();
    if (!dialog) return;
    nalezen_ = true;
    Sleep(200); // the dialog has been shown; let it lay itself out and take the focus
    if (skript_) skript_(dialog);
    if (Uzivatel::PockatNaZavreni(dialog, 15000)) return;
    zustalOtevren_ = true;
    // Whatever box still shows over the dialog is answered, then the dialog is cancelled.
    for (int pokus = 0; pokus < 10 && IsWindow(dialog); ++pokus) {
        if (HWND box = DialogDriver::FindDialog(vlakno_, dialog, dialog)) {
            DialogDriver::Click(box, IDNO);
            DialogDriver::Click(box, IDCANCEL);
        }
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        Uzivatel::PockatNaZavreni(dialog, 1000);
    }
}

namespace Uzivatel {

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

Tip NajitTip(DWORD vlakno, HWND oknoNastroje, UINT_PTR idNastroje)
{
    for (HWND okno : DialogDriver::ThreadWindows(vlakno, TOOLTIPS_CLASSW)) {
        const auto pocet = static_cast<UINT>(SendMessageW(okno, TTM_GETTOOLCOUNT, 0, 0));
        for (UINT i = 0; i < pocet; ++i) {
            TTTOOLINFOW nastroj{};
            nastroj.cbSize = sizeof nastroj;
            if (!SendMessageW(okno, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&nastroj))) continue;
            if (nastroj.hwnd != oknoNastroje || nastroj.uId != idNastroje) continue;
            wchar_t text[256] = L"";
            nastroj.lpszText = text;
            SendMessageW(okno, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&nastroj));
            return Tip{okno, nastroj.uFlags, text};
        }
    }
    return {};
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
