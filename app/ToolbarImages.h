#pragma once
// The toolbar's pictures: one image list as drawn, and a grey copy for disabled buttons, for
// each picture size the program carries (16 pixels for 96 DPI, and larger ones for higher DPI).
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <vector>

#include "winlib/Nekopirovatelny.h"

// Grey level of one pixel as disabled buttons show it.
inline uint8_t SedaUroven(uint8_t red, uint8_t green, uint8_t blue)
{
    return static_cast<uint8_t>((30u * red + 59u * green + 11u * blue) / 100u);
}
// Turns 32-bit BGRA pixels grey in place, alpha untouched.
void ZesednoutPixely(uint8_t* bgra, size_t pocetPixelu);

// Of the picture sizes there are, the one nearest to 16 pixels at 96 DPI scaled to the DPI;
// between two equally near ones the larger. 0 when there is none.
int VelikostObrazkuProDpi(UINT dpi, const std::vector<int>& velikosti);

class ToolbarImages : private Tarnel::WinApi::Nekopirovatelny {
public:
    ToolbarImages() = default;
    ~ToolbarImages();

    // Replaces what the holder has with the pictures of one bitmap; their size is its height.
    void Load(UINT bitmapId);
    // Replaces what the holder has with a set of pictures for every size the program carries.
    void LoadSizes();
    void Release();

    // The lists and picture size of the set that suits the DPI best.
    HIMAGELIST Normal(UINT dpi = USER_DEFAULT_SCREEN_DPI) const;
    HIMAGELIST Disabled(UINT dpi = USER_DEFAULT_SCREEN_DPI) const;
    int Size(UINT dpi = USER_DEFAULT_SCREEN_DPI) const;
    // Pictures in a set (every set holds the same ones).
    int Count() const { return count_; }

private:
    struct Sada {
        HIMAGELIST normal = nullptr;
        HIMAGELIST disabled = nullptr;
        int velikost = 0;
    };

    void Add(UINT bitmapId);
    const Sada* SadaProDpi(UINT dpi) const;
    HIMAGELIST CreateList(HBITMAP bitmap, int size) const;
    HBITMAP LoadGreyBitmap(UINT bitmapId) const;

    std::vector<Sada> sady_;
    int count_ = 0;
};
