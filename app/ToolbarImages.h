#pragma once
// The toolbar's pictures: one image list as drawn, and a grey copy for disabled buttons.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

// Grey level of one pixel as disabled buttons show it.
inline uint8_t SedaUroven(uint8_t red, uint8_t green, uint8_t blue)
{
    return static_cast<uint8_t>((30u * red + 59u * green + 11u * blue) / 100u);
}
// Turns 32-bit BGRA pixels grey in place, alpha untouched.
void ZesednoutPixely(uint8_t* bgra, size_t pocetPixelu);

class ToolbarImages {
public:
    ToolbarImages() = default;
    ~ToolbarImages();
    ToolbarImages(const ToolbarImages&) = delete;
    ToolbarImages& operator=(const ToolbarImages&) = delete;

    void Load(UINT bitmapId);
    void Release();

    HIMAGELIST Normal() const { return normal_; }
    HIMAGELIST Disabled() const { return disabled_; }
    int Count() const { return count_; }

private:
    HIMAGELIST CreateList(HBITMAP bitmap, int size) const;
    HBITMAP LoadGreyBitmap(UINT bitmapId) const;

    HIMAGELIST normal_ = nullptr;
    HIMAGELIST disabled_ = nullptr;
    int count_ = 0;
};
