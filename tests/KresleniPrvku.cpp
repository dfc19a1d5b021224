#include "tests/KresleniPrvku.h"

#include <cstdlib>
#include <map>
#include <memory>

namespace KresleniPrvku {

std::unique_ptr<GifFixtures::Canvas> Vytisknout(HWND prvek, COLORREF vypln, int sirka)
{
    RECT klient{};
    GetClientRect(prvek, &klient);
    auto platno = std::make_unique<GifFixtures::Canvas>(sirka ? sirka : klient.right, klient.bottom, vypln);
    SendMessageW(prvek, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(platno->Dc()), PRF_CLIENT);
    GdiFlush();
    return platno;
}

std::unique_ptr<GifFixtures::Canvas> ZObrazovky(HWND prvek)
{
    RECT klient{};
    GetClientRect(prvek, &klient);
    auto platno = std::make_unique<GifFixtures::Canvas>(klient.right, klient.bottom, RGB(1, 2, 3));
    HDC obrazovka = GetDC(prvek);
    BitBlt(platno->Dc(), 0, 0, klient.right, klient.bottom, obrazovka, 0, 0, SRCCOPY);
    ReleaseDC(prvek, obrazovka);
    GdiFlush();
    return platno;
}

bool OdstinBarvy(COLORREF barva, COLORREF text, COLORREF pozadi)
{
    // barva = a * text + (1 - a) * pozadi in every channel, with a little room for rounding.
    const int kanaly[3][3] = {{GetRValue(barva), GetRValue(text), GetRValue(pozadi)},
                              {GetGValue(barva), GetGValue(text), GetGValue(pozadi)},
                              {GetBValue(barva), GetBValue(text), GetBValue(pozadi)}};
    double podil = -1;
    for (const auto& k : kanaly) {
        const int rozsah = k[1] - k[2];
        if (rozsah == 0) {
            if (std::abs(k[0] - k[2]) > 2) return false;
            continue;
        }
        const double a = static_cast<double>(k[0] - k[2]) / rozsah;
        if (a < -0.02 || a > 1.02) return false;
        if (podil >= 0 && std::abs(a - podil) > 0.04) return false;
        if (podil < 0) podil = a;
    }
    return true;
}

int CiziPixely(const GifFixtures::Canvas& platno, COLORREF pozadi, COLORREF text, const RECT& oblast)
{
    int pocet = 0;
    for (int y = oblast.top; y < oblast.bottom; ++y)
        for (int x = oblast.left; x < oblast.right; ++x) {
            const COLORREF p = platno.Pixel(x, y);
            if (p != pozadi && !OdstinBarvy(p, text, pozadi)) ++pocet;
        }
    return pocet;
}

namespace {

struct Zaznam {
    std::map<DWORD, LOGFONTW> pisma;
    DWORD vybrane = 0xFFFFFFFF;
    COLORREF barva = CLR_INVALID;
    std::vector<DWORD> vybery;
    std::vector<VolaniTextu> volani;
    std::vector<size_t> poradiVolani; // selections made before each call
};

int CALLBACK ZaznamProc(HDC, HANDLETABLE*, const ENHMETARECORD* zaznam, int, LPARAM param)
{
    auto* z = reinterpret_cast<Zaznam*>(param);
    switch (zaznam->iType) {
    case EMR_EXTCREATEFONTINDIRECTW: {
        const auto* r = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(zaznam);
        z->pisma[r->ihFont] = r->elfw.elfLogFont;
        break;
    }
    case EMR_SELECTOBJECT: {
        const DWORD objekt = reinterpret_cast<const EMRSELECTOBJECT*>(zaznam)->ihObject;
        const bool pismo = z->pisma.count(objekt) != 0 || objekt == (ENHMETA_STOCK_OBJECT | SYSTEM_FONT) ||
                           objekt == (ENHMETA_STOCK_OBJECT | DEFAULT_GUI_FONT);
        if (pismo) {
            z->vybrane = objekt;
            z->vybery.push_back(objekt);
        }
        break;
    }
    case EMR_SETTEXTCOLOR:
        z->barva = reinterpret_cast<const EMRSETTEXTCOLOR*>(zaznam)->crColor;
        break;
    case EMR_EXTTEXTOUTW: {
        const auto* r = reinterpret_cast<const EMREXTTEXTOUTW*>(zaznam);
        const auto* znaky = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(r) + r->emrtext.offString);
        VolaniTextu volani;
        volani.text.assign(znaky, r->emrtext.nChars);
        volani.barva = z->barva;
        const auto pismo = z->pisma.find(z->vybrane);
        volani.pismoZnamo = pismo != z->pisma.end();
        if (volani.pismoZnamo) volani.pismo = pismo->second;
        z->volani.push_back(volani);
        z->poradiVolani.push_back(z->vybery.size());
        break;
    }
    default:
        break;
    }
    return 1;
}

} // namespace

std::vector<VolaniTextu> ZaznamenatText(HWND prvek)
{
    HDC vzor = GetDC(prvek);
    HDC metasoubor = CreateEnhMetaFileW(vzor, nullptr, nullptr, nullptr);
    ReleaseDC(prvek, vzor);
    if (!metasoubor) return {};
    SendMessageW(prvek, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(metasoubor), PRF_CLIENT);
    HENHMETAFILE zaznamy = CloseEnhMetaFile(metasoubor);
    Zaznam z;
    EnumEnhMetaFile(nullptr, zaznamy, &ZaznamProc, &z, nullptr);
    DeleteEnhMetaFile(zaznamy);
    for (size_t i = 0; i < z.volani.size(); ++i) {
        const auto hranice = z.vybery.begin() + static_cast<std::ptrdiff_t>(z.poradiVolani[i]);
        z.volani[i].vyberyPred.assign(z.vybery.begin(), hranice);
        z.volani[i].vyberyPo.assign(hranice, z.vybery.end());
    }
    return z.volani;
}

} // namespace KresleniPrvku
