#pragma once
// The next or previous image file of the folder a file lies in, as Explorer orders the
// folder ("a2.gif" before "a10.gif"), for both windows that walk through a folder with
// Page Down and Page Up. The walk wraps at either end and passes over the files that do not
// open as an image.
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Whether the name ends in the extension of an image type the program opens (the open
// dialog's graphic files, with ".tif" beside ".tiff"); any case.
bool JeNazevObrazku(const std::wstring& nazev);

// Names to the rules of Explorer: digits compare as numbers, letters without case.
void SeraditJakoPruzkumnik(std::vector<std::wstring>& nazvy);

// The indices of serazene (sorted as above) in the order to try them after the file named
// aktualni, going forward (smer > 0) or back: every other name once, wrapping at the ends.
// A current name that is not in the list (deleted meanwhile, say) starts the walk where it
// would stand.
std::vector<size_t> PoradiSousedu(const std::vector<std::wstring>& serazene, const std::wstring& aktualni, int smer);

// The first file in that order that opens as an image (lzeOtevrit decides, by default a
// trial load), or nothing when no other file of the folder does.
std::optional<std::wstring> SousedniObrazek(const std::wstring& cesta, int smer,
                                            const std::function<bool(const std::wstring&)>& lzeOtevrit = {});
