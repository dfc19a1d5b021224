#include "winlib/Retezce.h"

#include <vector>

#include "winlib/Chyby.h"

namespace Tarnel::WinApi {

std::optional<std::wstring> NacistRetezec(UINT id)
{
    const wchar_t* text = nullptr;
    // With no buffer the call hands out the resource text itself, which is not terminated.
    const int delka = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (delka <= 0 || !text) return std::nullopt;
    return std::wstring(text, static_cast<size_t>(delka));
}

std::wstring VyplnitVzor(const std::wstring& vzor, std::initializer_list<std::wstring> texty)
{
    const std::vector<std::wstring> vlozky(texty);
    std::wstring vysledek;
    for (size_t i = 0; i < vzor.size(); ++i) {
        const wchar_t dalsi = i + 1 < vzor.size() ? vzor[i + 1] : L'\0';
        if (vzor[i] == L'%' && dalsi >= L'1' && dalsi <= L'9') {
            const size_t cislo = static_cast<size_t>(dalsi - L'1');
            if (cislo < vlozky.size()) vysledek += vlozky[cislo];
            ++i;
        } else if (vzor[i] == L'%' && dalsi == L'n') {
            vysledek += L"\r\n";
            ++i;
        } else {
            vysledek += vzor[i];
        }
    }
    return vysledek;
}

std::wstring TextZdroje(UINT id, std::initializer_list<std::wstring> texty)
{
    const auto vzor = NacistRetezec(id);
    if (!vzor) RaiseFatal(HresultFromWin32(ERROR_RESOURCE_NAME_NOT_FOUND));
    return VyplnitVzor(*vzor, texty);
}

} // namespace Tarnel::WinApi
