#pragma once
// A list box held by one window handle. A list box it created is its own and is destroyed
// with it; one it was merely attached to is left alone.
#include <windows.h>

namespace Tarnel::WinApi {

class ListBox {
public:
    ListBox() = default;
    ~ListBox() { Release(); }
    ListBox(const ListBox&) = delete;
    ListBox& operator=(const ListBox&) = delete;

    HWND Handle() const { return hwnd_; }
    bool Owns() const { return owns_; }
    bool IsWindow() const { return hwnd_ && ::IsWindow(hwnd_); }

    // Takes over an existing list box without owning it (the previous one is released).
    void Attach(HWND window);
    // Creates an owned list box child over the rectangle, in the default GUI font.
    void Create(HWND parent, const RECT& rect, DWORD style, UINT id);
    // Destroys an owned window; either way the wrapper then holds nothing.
    void Release();

    // Appends an item with empty text and the given item data; returns its index.
    int AddItem(LPARAM data);
    void Clear();
    int Count() const;
    void Select(int index);
    int Selected() const;
    LPARAM ItemData(int index) const;

    // Item height of an owner-drawn row showing a picture of that height: a list box row
    // holds at most 255.
    static UINT VyskaPolozky(UINT vyskaObrazku) { return vyskaObrazku < 255 ? vyskaObrazku : 255; }

private:
    void RequireWindow() const;

    HWND hwnd_ = nullptr;
    bool owns_ = false;
};

} // namespace Tarnel::WinApi
