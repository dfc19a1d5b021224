#include "frames/SousedniObrazek.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>

#include "image/GifAnimace.h"
#include "winlib/Cesta.h"

namespace {

constexpr const wchar_t* kPriponyObrazku[] = {L".gif", L".png", L".jpg", L".jpeg", L".bmp", L".tif", L".tiff"};

bool PredchaziJakoPruzkumnik(const std::wstring& a, const std::wstring& b)
{
    return StrCmpLogicalW(a.c_str(), b.c_str()) < 0;
}

std::vector<std::wstring> ObrazkyVeSlozce(const std::wstring& slozka)
{
    std::vector<std::wstring> nazvy;
    WIN32_FIND_DATAW nalez{};
    HANDLE hledani = FindFirstFileExW((slozka + L"\\*").c_str(), FindExInfoBasic, &nalez, FindExSearchNameMatch,
                                      nullptr, 0);
    // A folder that cannot be listed (gone, or no longer readable) simply has no neighbours.
    if (hledani == INVALID_HANDLE_VALUE) return nazvy;
    do {
        if (!(nalez.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && JeNazevObrazku(nalez.cFileName))
            nazvy.emplace_back(nalez.cFileName);
    } while (FindNextFileW(hledani, &nalez));
    FindClose(hledani);
    SeraditJakoPruzkumnik(nazvy);
    return nazvy;
}

bool OtevreSeJakoObrazek(const std::wstring& cesta)
{
    GifAnimace zkouska;
    zkouska.Load(cesta, false);
    return zkouska.HasImage();
}

} // namespace

bool JeNazevObrazku(const std::wstring& nazev)
{
    const wchar_t* pripona = PathFindExtensionW(nazev.c_str());
    return std::any_of(std::begin(kPriponyObrazku), std::end(kPriponyObrazku),
                       [pripona](const wchar_t* znama) { return StrCmpIW(pripona, znama) == 0; });
}

void SeraditJakoPruzkumnik(std::vector<std::wstring>& nazvy)
{
    std::stable_sort(nazvy.begin(), nazvy.end(), PredchaziJakoPruzkumnik);
}

std::vector<size_t> PoradiSousedu(const std::vector<std::wstring>& serazene, const std::wstring& aktualni, int smer)
{
    const size_t n = serazene.size();
    // The names before the current one, and the current one itself where the list holds it.
    const size_t pred = static_cast<size_t>(
        std::lower_bound(serazene.begin(), serazene.end(), aktualni, PredchaziJakoPruzkumnik) - serazene.begin());
    const bool nalezen = pred < n && StrCmpLogicalW(serazene[pred].c_str(), aktualni.c_str()) == 0;

    std::vector<size_t> poradi;
    if (n == 0) return poradi;
    const size_t zacatek = smer > 0 ? (nalezen ? pred + 1 : pred) % n : (pred + n - 1) % n;
    for (size_t k = 0; k < n; ++k) {
        const size_t i = smer > 0 ? (zacatek + k) % n : (zacatek + n - k) % n;
        if (nalezen && i == pred) continue;
        poradi.push_back(i);
    }
    return poradi;
}

std::optional<std::wstring> SousedniObrazek(const std::wstring& cesta, int smer,
                                            const std::function<bool(const std::wstring&)>& lzeOtevrit)
{
    // A bare name (from the command line, say) lies in the current folder.
    const size_t lomitko = cesta.find_last_of(L"\\/");
    const bool holyNazev = lomitko == std::wstring::npos;
    const std::wstring predpona = holyNazev ? std::wstring() : cesta.substr(0, lomitko + 1);
    const std::vector<std::wstring> nazvy = ObrazkyVeSlozce(holyNazev ? L"." : cesta.substr(0, lomitko));
    for (size_t i : PoradiSousedu(nazvy, Tarnel::WinApi::NazevSouboru(cesta), smer)) {
        const std::wstring kandidat = predpona + nazvy[i];
        if (lzeOtevrit ? lzeOtevrit(kandidat) : OtevreSeJakoObrazek(kandidat)) return kandidat;
    }
    return std::nullopt;
}
