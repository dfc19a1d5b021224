#include "winlib/Cesta.h"

#include <windows.h>
#include <shlwapi.h>

namespace Tarnel::WinApi {

bool JeSoubor(const std::wstring& cesta)
{
    return !cesta.empty() && PathFileExistsW(cesta.c_str()) && !PathIsDirectoryW(cesta.c_str());
}

} // namespace Tarnel::WinApi
