#include "tests/SablonaDialogu.h"

#include <cstring>
#include <cwctype>

namespace SablonaDialogu {
namespace {

class Ctenar {
public:
    explicit Ctenar(const BYTE* data) : zacatek_(data), p_(data) {}
    template <typename T> T Cist()
    {
        T hodnota;
        memcpy(&hodnota, p_, sizeof hodnota);
        p_ += sizeof hodnota;
        return hodnota;
    }
    std::wstring Retezec()
    {
        std::wstring text;
        for (WORD znak = Cist<WORD>(); znak; znak = Cist<WORD>()) text.push_back(static_cast<wchar_t>(znak));
        return text;
    }
    // A string, or an ordinal: 0xFFFF followed by its number.
    std::wstring RetezecNeboCislo()
    {
        WORD prvni;
        memcpy(&prvni, p_, sizeof prvni);
        if (prvni != 0xFFFF) return Retezec();
        p_ += 2;
        return L"#" + std::to_wstring(Cist<WORD>());
    }
    RECT Obdelnik()
    {
        const short x = Cist<short>(), y = Cist<short>(), cx = Cist<short>(), cy = Cist<short>();
        return RECT{x, y, x + cx, y + cy};
    }
    void ZarovnatNaDword()
    {
        while ((p_ - zacatek_) % 4) ++p_;
    }
    void Preskocit(size_t bajtu) { p_ += bajtu; }

private:
    const BYTE* zacatek_;
    const BYTE* p_;
};

std::wstring Trida(std::wstring nazev)
{
    static const std::pair<const wchar_t*, const wchar_t*> kAtomy[] = {
        {L"#128", L"BUTTON"}, {L"#129", L"EDIT"},      {L"#130", L"STATIC"},
        {L"#131", L"LISTBOX"}, {L"#132", L"SCROLLBAR"}, {L"#133", L"COMBOBOX"},
    };
    for (const auto& [atom, jmeno] : kAtomy)
        if (nazev == atom) return jmeno;
    for (auto& znak : nazev) znak = static_cast<wchar_t>(towupper(znak));
    return nazev;
}

} // namespace

Sablona Nacist(UINT id)
{
    Sablona sablona;
    HRSRC zdroj = FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_DIALOG);
    if (!zdroj) return sablona;
    Ctenar c(static_cast<const BYTE*>(LockResource(LoadResource(nullptr, zdroj))));
    if (c.Cist<WORD>() != 1 || c.Cist<WORD>() != 0xFFFF) return sablona; // DIALOGEX only
    sablona.nalezena = true;
    c.Cist<DWORD>(); // help id
    c.Cist<DWORD>(); // extended style
    sablona.styl = c.Cist<DWORD>();
    const WORD pocet = c.Cist<WORD>();
    const RECT rozmer = c.Obdelnik();
    sablona.rozmer = SIZE{rozmer.right - rozmer.left, rozmer.bottom - rozmer.top};
    c.RetezecNeboCislo(); // menu
    c.RetezecNeboCislo(); // class
    sablona.titulek = c.Retezec();
    if (sablona.styl & DS_SETFONT) {
        sablona.bodyPisma = c.Cist<WORD>();
        c.Cist<DWORD>(); // weight, italic, character set
        sablona.pismo = c.Retezec();
    }
    for (WORD i = 0; i < pocet; ++i) {
        c.ZarovnatNaDword();
        Prvek prvek;
        c.Cist<DWORD>(); // help id
        c.Cist<DWORD>(); // extended style
        prvek.styl = c.Cist<DWORD>();
        prvek.misto = c.Obdelnik();
        prvek.id = c.Cist<DWORD>();
        prvek.trida = Trida(c.RetezecNeboCislo());
        prvek.text = c.RetezecNeboCislo();
        c.Preskocit(c.Cist<WORD>()); // creation data
        sablona.prvky.push_back(prvek);
    }
    return sablona;
}

std::vector<UINT> VsechnyDialogy()
{
    std::vector<UINT> id;
    EnumResourceNamesW(
        nullptr, RT_DIALOG,
        [](HMODULE, LPCWSTR, LPWSTR nazev, LONG_PTR seznam) -> BOOL {
            if (IS_INTRESOURCE(nazev))
                reinterpret_cast<std::vector<UINT>*>(seznam)->push_back(static_cast<UINT>(reinterpret_cast<UINT_PTR>(nazev)));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&id));
    return id;
}

RECT VPixelech(HWND dialog, const RECT& misto)
{
    RECT poloha{misto.left, misto.top, 0, 0};
    RECT velikost{misto.right - misto.left, misto.bottom - misto.top, 0, 0};
    MapDialogRect(dialog, &poloha);
    MapDialogRect(dialog, &velikost);
    return RECT{poloha.left, poloha.top, poloha.left + velikost.left, poloha.top + velikost.top};
}

} // namespace SablonaDialogu
