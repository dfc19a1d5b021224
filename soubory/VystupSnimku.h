#pragma once
// What an export of every frame writes, decided without any window or file: the formats it
// offers, the names of its files, the range of frames, the rows of the table of delays, and
// the question asked before files are overwritten.
#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

enum class FormatExportu { Png, Bmp, Jpeg, Gif, Tiff };

struct PopisFormatu {
    FormatExportu format;
    const wchar_t* pripona; // with its dot, as the files get it
    UINT nazev;             // the format's name in the string table
    bool pruhlednost;       // the format keeps transparent pixels
};

// The formats the save command offers, PNG first (the default).
const std::array<PopisFormatu, 5>& FormatyExportu();
const PopisFormatu& Popis(FormatExportu format);

// Frames by the numbers the counter shows: 1-based, both ends included.
struct RozsahSnimku {
    UINT od = 1;
    UINT po = 1;
};
inline bool operator==(const RozsahSnimku& a, const RozsahSnimku& b) { return a.od == b.od && a.po == b.po; }
// The range when it lies within 1..pocetSnimku and does not run backwards.
std::optional<RozsahSnimku> PlatnyRozsah(UINT od, UINT po, UINT pocetSnimku);

// What the user asked for.
struct ZadaniExportu {
    std::wstring soubor; // the animation
    std::wstring slozka; // where the files go
    FormatExportu format = FormatExportu::Png;
    RozsahSnimku rozsah;
    bool zpozdeni = true; // the table of delays as well
    UINT pocetSnimku = 1; // of the file: the numbers in the names have as many digits as it has
};

// The file name of the animation without its folder and extension: "<name>" of every file.
std::wstring ZakladNazvu(const std::wstring& soubor);
// Digits of the number; the frame numbers in the names are zero-padded to those of the count.
UINT PocetCislic(UINT cislo);
// "<name>_007.png": frame number cislo (1-based) of an export of the given task.
std::wstring CestaSnimku(const ZadaniExportu& zadani, UINT cislo);
// "<name>_snimky.csv", the table of the frames' delays and rectangles.
std::wstring CestaTabulky(const ZadaniExportu& zadani);
// Every file the export writes, frames in order, the table last when it is asked for.
std::vector<std::wstring> CileExportu(const ZadaniExportu& zadani);

// The table of delays, UTF-8: a byte-order mark and the header row, then a row per frame.
std::string HlavickaTabulky();
std::string RadekTabulky(UINT cislo, UINT zpozdeniMs, UINT x, UINT y, UINT sirka, UINT vyska, UINT likvidace);

// The overwrite question for that many existing files, in the Czech plural it needs.
std::wstring OtazkaPrepsani(UINT existujicich);
