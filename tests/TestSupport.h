#pragma once
// Shared helpers of the test executable: fixture paths, a scratch folder below the build
// tree, a scratch registry root, and pumping the message queue.
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "winlib/Nekopirovatelny.h"

namespace TestSupport {

// A base for the holders of the tests, which own what they hold and so are never copied.
using NonCopyable = Tarnel::WinApi::Nekopirovatelny;

// Folder of the decoder test GIFs (read-only).
std::wstring SharedGifs();
std::wstring SharedGif(const wchar_t* name);
// A file of the source tree (read-only), by its path below the top folder.
std::wstring SourceFile(const wchar_t* relative);
// A fresh, empty folder below the test executable's folder, removed by the caller's scope.
class ScratchDir : NonCopyable {
public:
    ScratchDir();
    ~ScratchDir();
    const std::wstring& Path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// Redirects HKEY_CURRENT_USER to a private scratch key for the object's life.
class ScratchRegistry : NonCopyable {
public:
    ScratchRegistry();
    ~ScratchRegistry();

private:
    HKEY root_ = nullptr;
    std::wstring name_;
};

// A plain visible top-level window to own dialogs, destroyed with the object.
class OwnerWindow : NonCopyable {
public:
    OwnerWindow();
    ~OwnerWindow() { DestroyWindow(window_); }
    HWND Get() const { return window_; }

private:
    HWND window_;
};

// Dispatches every queued message of this thread (timers excluded unless asked).
void PumpMessages();
// Pumps until the predicate holds or the time runs out; returns the predicate's last value.
template <typename Pred>
bool PumpUntil(Pred pred, DWORD timeoutMs)
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!pred()) {
        if (GetTickCount64() > end) return false;
        PumpMessages();
        Sleep(1);
    }
    return true;
}

// Every command of a menu and its sub-menus.
std::set<UINT> MenuCommands(HMENU menu);

std::wstring ExecutablePath();
bool WriteBytes(const std::wstring& path, const void* data, size_t size);
std::string ReadBytes(const std::wstring& path);
// The names of the files (not folders) in a folder.
std::vector<std::wstring> FilesIn(const std::wstring& folder);

} // namespace TestSupport
