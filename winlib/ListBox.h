#pragma once
// A list box held by one window handle and taken over by the object, so that the parent
// reflects the drawing and measuring of owner-drawn items to it (OnDrawItem, OnMeasureItem of
// a derived list); what the list declines stays the parent's, as without the wrapper. A list
// box it created is its own and is destroyed with it; one it was merely attached to is handed
// back as it was.
#include <windows.h>

#include "winlib/WindowImpl.h"

namespace Tarnel::WinApi {

class ListBox : public WindowImpl {
public:
    ListBox() = default;
    ~ListBox() override { Release(); }

    bool Owns() const { return owns_; }

    // Takes over an existing list box without owning it (the previous one is released).
    void Attach(HWND window);
    // Creates an owned list box child over the rectangle, in the default GUI font.
    void Create(HWND parent, const RECT& rect, DWORD style, UINT id);
    // Destroys an owned window, hands back an attached one; either way the wrapper then holds
    // nothing.
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

    bool owns_ = false;
};

} // namespace Tarnel::WinApi
