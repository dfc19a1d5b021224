#include "winlib/Cesta.h"

#include <windows.h>
#include <shlwapi.h>

namespace Tarnel::WinApi {

bool JeSoubor(const std::wstring& cesta)
{
    return !cesta.empty() && PathFileExistsW(cesta.c_str()) && !PathIsDirectoryW(cesta.c_str());
}

std::wstring NazevSouboru(const std::wstring& cesta)
{
    const size_t oddelovac = cesta.find_last_of(L"\\/");
    return oddelovac == std::wstring::npos ? cesta : cesta.substr(oddelovac + 1);
}

} // namespace Tarnel::WinApi
