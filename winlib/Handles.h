#pragma once
// Small owning holders for the handles the program uses. Every clean-up call is checked:
// a handle that cannot be released is a failure the program does not expect.
#include <windows.h>
#include <objbase.h>

#include <utility>

#include "winlib/Chyby.h"
#include "winlib/Nekopirovatelny.h"

namespace Tarnel::WinApi {

// Owns one GDI object (pen, brush, font, bitmap, region) and deletes it.
template <typename T>
class GdiObject : private Nekopirovatelny {
public:
    GdiObject() = default;
    explicit GdiObject(T handle) : handle_(handle) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& other) noexcept : handle_(other.Detach()) {}
    GdiObject& operator=(GdiObject&& other) noexcept
    {
        if (this != &other) Reset(other.Detach());
        return *this;
    }

    T Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    T Detach() { return std::exchange(handle_, nullptr); }
    void Reset(T handle = nullptr)
    {
        T old = std::exchange(handle_, handle);
        if (old) CheckWin32(DeleteObject(old));
    }

private:
    T handle_ = nullptr;
};

using Bitmap = GdiObject<HBITMAP>;
using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;

// Owns a memory device context (CreateCompatibleDC) and deletes it.
class MemoryDc : private Nekopirovatelny {
public:
    explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith))
    {
        if (!dc_) RaiseLastError();
    }
    ~MemoryDc() { CheckWin32(DeleteDC(dc_)); }

    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// A window's or the screen's device context from GetDC, released on scope exit.
class WindowDc : private Nekopirovatelny {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window))
    {
        if (!dc_) RaiseLastError();
    }
    ~WindowDc()
    {
        if (!ReleaseDC(window_, dc_)) RaiseFatal(E_FAIL);
    }

    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint/EndPaint pair for WM_PAINT.
class PaintDc : private Nekopirovatelny {
public:
    explicit PaintDc(HWND window) : window_(window)
    {
        dc_ = BeginPaint(window_, &ps_);
        if (!dc_) RaiseLastError();
    }
    ~PaintDc() { EndPaint(window_, &ps_); }

    HDC Get() const { return dc_; }
    const PAINTSTRUCT& Info() const { return ps_; }

private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_ = nullptr;
};

// Selects an object into a DC and puts the previous one back on scope exit.
class SelectGuard : private Nekopirovatelny {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object))
    {
        if (!previous_ || previous_ == HGDI_ERROR) RaiseLastError();
    }
    ~SelectGuard()
    {
        HGDIOBJ back = SelectObject(dc_, previous_);
        if (!back || back == HGDI_ERROR) RaiseLastError();
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Owns a registry key and closes it; a key that cannot be closed is fatal.
class RegKey : private Nekopirovatelny {
public:
    RegKey() = default;
    ~RegKey() { Close(); }

    HKEY Get() const { return key_; }
    HKEY* Receive()
    {
        Close();
        return &key_;
    }
    void Close()
    {
        HKEY old = std::exchange(key_, nullptr);
        if (old && RegCloseKey(old) != ERROR_SUCCESS) RaiseFatal(E_UNEXPECTED);
    }

private:
    HKEY key_ = nullptr;
};

// A block on the process heap, freed on scope exit.
class HeapBlock : private Nekopirovatelny {
public:
    HeapBlock() = default;
    explicit HeapBlock(SIZE_T bytes) : data_(HeapAlloc(GetProcessHeap(), 0, bytes)) {}
    ~HeapBlock() { Reset(); }
    HeapBlock(HeapBlock&& other) noexcept : data_(std::exchange(other.data_, nullptr)) {}
    HeapBlock& operator=(HeapBlock&& other) noexcept
    {
        if (this != &other) {
            Reset();
            data_ = std::exchange(other.data_, nullptr);
        }
        return *this;
    }

    void* Get() const { return data_; }
    template <typename T> T* As() const { return static_cast<T*>(data_); }
    explicit operator bool() const { return data_ != nullptr; }
    void Reset()
    {
        void* old = std::exchange(data_, nullptr);
        if (old && !HeapFree(GetProcessHeap(), 0, old)) RaiseLastError();
    }

private:
    void* data_ = nullptr;
};

// Owns one reference to a COM interface.
template <typename T>
class ComPtr : private Nekopirovatelny {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }

    T* Get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }
    T** Receive()
    {
        Reset();
        return &ptr_;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
    void Reset()
    {
        if (T* old = std::exchange(ptr_, nullptr)) old->Release();
    }

private:
    T* ptr_ = nullptr;
};

// Memory the shell hands over with CoTaskMemAlloc.
template <typename T>
class CoTaskMem : private Nekopirovatelny {
public:
    CoTaskMem() = default;
    ~CoTaskMem() { CoTaskMemFree(ptr_); }

    T* Get() const { return ptr_; }
    T** Receive()
    {
        CoTaskMemFree(std::exchange(ptr_, nullptr));
        return &ptr_;
    }

private:
    T* ptr_ = nullptr;
};

// CoInitialize for one thread, balanced only when it took effect.
class ComApartment : private Nekopirovatelny {
public:
    ComApartment() : hr_(CoInitialize(nullptr)) {}
    ~ComApartment()
    {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }

private:
    HRESULT hr_;
};

// Owns one handle that a single call releases; a failed release is fatal.
template <typename H, BOOL(WINAPI* Uvolnit)(H)>
class VlastnenyHandle : private Nekopirovatelny {
public:
    VlastnenyHandle() = default;
    explicit VlastnenyHandle(H handle) : handle_(handle) {}
    ~VlastnenyHandle() { Reset(); }

    H Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(H handle = nullptr)
    {
        H old = std::exchange(handle_, handle);
        if (old) CheckWin32(Uvolnit(old));
    }
    // Releases the handle now and gives the call's answer (TRUE when there was none), for a
    // caller that reports the failure itself.
    BOOL Znicit()
    {
        H old = std::exchange(handle_, nullptr);
        return old ? Uvolnit(old) : TRUE;
    }

private:
    H handle_ = nullptr;
};

// An icon (LoadImage/CreateIcon); a kernel object (thread, event, process).
using Icon = VlastnenyHandle<HICON, &DestroyIcon>;
using KernelHandle = VlastnenyHandle<HANDLE, &CloseHandle>;

} // namespace Tarnel::WinApi
