#pragma once
// Reads the program's identity from the version resource of its own executable file, or of
// the file named by soubor when one is given.
#include <windows.h>

#include <string>

namespace Tarnel::WinApi {

// One string value of the first translation's string block; the output changes only on 0.
HRESULT ReadVersionString(const wchar_t* nazev, std::wstring& hodnota, const wchar_t* soubor = nullptr);
// The product version of the fixed version block.
HRESULT ReadProductVersion(WORD& major, WORD& minor, WORD& build, WORD& revision, const wchar_t* soubor = nullptr);

} // namespace Tarnel::WinApi
