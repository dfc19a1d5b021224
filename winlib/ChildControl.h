#pragma once
// Owns one plain child control (no behaviour of its own, so no binding): creating it again
// or deleting the holder destroys the window.
#include <windows.h>

#include "winlib/Window.h"

namespace Tarnel::WinApi {

class ChildControl : public Window {
public:
    ChildControl() = default;
    ~ChildControl() { Destroy(); }
    ChildControl(const ChildControl&) = delete;
    ChildControl& operator=(const ChildControl&) = delete;

    // Destroys a window still held, then creates the control; a failure is fatal.
    void Create(const wchar_t* className, const wchar_t* title, DWORD style, HWND parent, UINT id);
    // Destroys the window if it still is one; a failed destroy is fatal.
    void Destroy();
};

} // namespace Tarnel::WinApi
