#pragma once
// Questions about paths that several windows ask before they open a file.
#include <string>

namespace Tarnel::WinApi {

// Whether the path names something on disk that is a file, not a folder.
bool JeSoubor(const std::wstring& cesta);

// The last part of a path: what follows its last backslash or slash.
std::wstring NazevSouboru(const std::wstring& cesta);

} // namespace Tarnel::WinApi
