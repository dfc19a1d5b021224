// The speed and settings dialog templates as compiled into the program: style, size, font
// and every control with its id, class, text, position, size and style, in tab order.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource.h"

namespace {

struct Prvek {
    DWORD id;
    std::wstring trida; // the class name, or the name of a predefined class's ordinal
    std::wstring text;
    short x, y, cx, cy;
    DWORD styl;
};

struct Sablona {
    DWORD styl = 0;
    short cx = 0, cy = 0;
    WORD velikostPisma = 0;
    std::wstring pismo;
    std::vector<Prvek> prvky;
};

// Reads DLGTEMPLATEEX as the dialog manager does.
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
    // A string or an ordinal (0xFFFF followed by its number).
    std::wstring Retezec()
    {
        const WORD prvni = Cist<WORD>();
        if (prvni == 0xFFFF) {
            switch (Cist<WORD>()) {
            case 0x80: return L"Button";
            case 0x81: return L"Edit";
            case 0x82: return L"Static";
            default: return L"#ordinal";
            }
        }
        std::wstring text;
        for (WORD znak = prvni; znak; znak = Cist<WORD>()) text.push_back(static_cast<wchar_t>(znak));
        return text;
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

Sablona NacistSablonu(UINT id)
{
    Sablona sablona;
    HRSRC zdroj = FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), RT_DIALOG);
    if (!zdroj) return sablona;
    Ctenar c(static_cast<const BYTE*>(LockResource(LoadResource(GetModuleHandleW(nullptr), zdroj))));
    EXPECT_EQ(1, c.Cist<WORD>()) << "DIALOGEX";
    EXPECT_EQ(0xFFFF, c.Cist<WORD>());
    c.Cist<DWORD>(); // help id
    c.Cist<DWORD>(); // extended style
    sablona.styl = c.Cist<DWORD>();
    const WORD pocet = c.Cist<WORD>();
    c.Cist<short>();
    c.Cist<short>();
    sablona.cx = c.Cist<short>();
    sablona.cy = c.Cist<short>();
    c.Retezec(); // menu
    c.Retezec(); // class
    c.Retezec(); // caption
    if (sablona.styl & DS_SETFONT) {
        sablona.velikostPisma = c.Cist<WORD>();
        c.Cist<WORD>();
        c.Cist<BYTE>();
        c.Cist<BYTE>();
        sablona.pismo = c.Retezec();
    }
    for (WORD i = 0; i < pocet; ++i) {
        c.ZarovnatNaDword();
        Prvek prvek{};
        c.Cist<DWORD>(); // help id
        c.Cist<DWORD>(); // extended style
        prvek.styl = c.Cist<DWORD>();
        prvek.x = c.Cist<short>();
        prvek.y = c.Cist<short>();
        prvek.cx = c.Cist<short>();
        prvek.cy = c.Cist<short>();
        prvek.id = c.Cist<DWORD>();
        prvek.trida = c.Retezec();
        prvek.text = c.Retezec();
        c.Preskocit(c.Cist<WORD>());
        sablona.prvky.push_back(prvek);
    }
    return sablona;
}

constexpr DWORD kStylDialogu = 0x80C800C8; // popup, caption, system menu, modal frame, shell font
constexpr DWORD kPodrizeny = WS_CHILD | WS_VISIBLE;
constexpr DWORD kBezId = static_cast<DWORD>(-1); // a static the program never addresses

void OcekavatPrvky(const std::vector<Prvek>& ocekavane, const Sablona& sablona)
{
    ASSERT_EQ(ocekavane.size(), sablona.prvky.size());
    for (size_t i = 0; i < ocekavane.size(); ++i) {
        const Prvek& o = ocekavane[i];
        const Prvek& s = sablona.prvky[i];
        SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(static_cast<int>(o.id)));
        EXPECT_EQ(o.id, s.id);
        EXPECT_EQ(0, _wcsicmp(o.trida.c_str(), s.trida.c_str())) << testing::PrintToString(s.trida);
        EXPECT_EQ(o.text, s.text);
        EXPECT_EQ(o.x, s.x);
        EXPECT_EQ(o.y, s.y);
        EXPECT_EQ(o.cx, s.cx);
        EXPECT_EQ(o.cy, s.cy);
        EXPECT_EQ(o.styl, s.styl & o.styl) << std::hex << s.styl;
    }
}

TEST(SablonyDialogu, SpeedDialog107)
{
    const Sablona s = NacistSablonu(IDD_RYCHLOST_ANIMACE);
    EXPECT_EQ(kStylDialogu, s.styl);
    EXPECT_EQ(203, s.cx);
    EXPECT_EQ(83, s.cy);
    EXPECT_EQ(8, s.velikostPisma);
    EXPECT_EQ(L"MS Shell Dlg", s.pismo);
    OcekavatPrvky(
        {
            {IDC_RYCHLOST_HODNOTA, L"Edit", L"", 7, 20, 189, 14, kPodrizeny | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
            {IDOK, L"Button", L"O&K", 88, 62, 50, 14, kPodrizeny | WS_TABSTOP | BS_DEFPUSHBUTTON},
            {IDCANCEL, L"Button", L"Stor&no", 146, 62, 50, 14, kPodrizeny | WS_TABSTOP | BS_PUSHBUTTON},
            {kBezId, L"Static", L"Zvolte rychlost animace v procentech původní rychlosti", 7, 7, 176, 8, kPodrizeny},
            {IDC_RYCHLOST_TRVALE, L"Button", L"Použít tuto hodnotu jako výchozí trvale", 7, 39, 141, 10,
             kPodrizeny | WS_TABSTOP | BS_AUTOCHECKBOX},
        },
        s);
    ASSERT_EQ(5u, s.prvky.size());
    EXPECT_EQ(0u, s.prvky[0].styl & ES_NUMBER) << "the numeric entry adds it at run time";
    EXPECT_EQ(0u, s.prvky[2].styl & BS_DEFPUSHBUTTON);
}

TEST(SablonyDialogu, SettingsDialog109)
{
    const Sablona s = NacistSablonu(IDD_NASTAVENI);
    EXPECT_EQ(kStylDialogu, s.styl);
    EXPECT_EQ(319, s.cx);
    EXPECT_EQ(74, s.cy);
    EXPECT_EQ(8, s.velikostPisma);
    EXPECT_EQ(L"MS Shell Dlg", s.pismo);
    ASSERT_EQ(7u, s.prvky.size());
    const std::wstring odkaz = s.prvky[6].text;
    OcekavatPrvky(
        {
            {IDOK, L"Button", L"OK", 207, 52, 50, 15, kPodrizeny | WS_TABSTOP | BS_DEFPUSHBUTTON},
            {IDCANCEL, L"Button", L"Stor&no", 262, 52, 50, 15, kPodrizeny | WS_TABSTOP},
            {kBezId, L"Static", L"Výchozí rychlost přehrávání animace (v procentech skutečné rychlosti):", 7, 9, 228, 8,
             kPodrizeny},
            {IDC_NASTAVENI_RYCHLOST, L"Edit", L"", 239, 7, 73, 14, kPodrizeny | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
            {kBezId, L"Static", L"Krok změny rychlosti přehrávání (v procentech):", 7, 28, 155, 8, kPodrizeny},
            {IDC_NASTAVENI_KROK, L"Edit", L"", 166, 26, 146, 14, kPodrizeny | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
            {IDC_NASTAVENI_ODKAZ, WC_LINK, odkaz, 7, 54, 193, 13, kPodrizeny | WS_TABSTOP},
        },
        s);
    const std::wstring url = ANIMORA_WEB_URL;
    EXPECT_NE(std::wstring::npos, odkaz.find(L"Tarnel"));
    EXPECT_NE(std::wstring::npos, odkaz.find(L"<a href=\"" + url + L"\">")) << testing::PrintToString(odkaz);
    // The shown address may end in a no-break space that keeps its last letter from being clipped.
    EXPECT_NE(std::wstring::npos, odkaz.find(L">" ANIMORA_WEB_MENU_TEXT L"\u00a0</a>")) << testing::PrintToString(odkaz);
}

} // namespace
