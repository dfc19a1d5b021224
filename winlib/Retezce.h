#pragma once
// Texts of the program's string table, and filling their numbered inserts.
#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>

namespace Tarnel::WinApi {

// A string of the program's string table; nothing when there is none of that number.
std::optional<std::wstring> NacistRetezec(UINT id);

// Puts the texts in place of "%1" to "%9" of the pattern, and "%n" becomes a line break. The
// texts go in as they are: a path or a system message with a "%" in it is never read as an insert.
std::wstring VyplnitVzor(const std::wstring& vzor, std::initializer_list<std::wstring> texty);

// The string of the string table with its inserts filled. Every text the program shows is
// there; a missing one is a fault of the build, reported as fatal.
std::wstring TextZdroje(UINT id, std::initializer_list<std::wstring> texty = {});

} // namespace Tarnel::WinApi
