#pragma once
// Shared helpers of the test executable: fixture paths, a scratch folder below the build
// tree, a scratch registry root, and pumping the message queue.
#include <windows.h>

#include <string>

namespace TestSupport {

// Folder of the decoder test GIFs (read-only).
std::wstring SharedGifs();
std::wstring SharedGif(const wchar_t* name);
// A fresh, empty folder below the test executable's folder, removed by the caller's scope.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::wstring& Path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// Redirects HKEY_CURRENT_USER to a private scratch key for the object's life.
class ScratchRegistry {
public:
    ScratchRegistry();
    ~ScratchRegistry();
    ScratchRegistry(const ScratchRegistry&) = delete;
    ScratchRegistry& operator=(const ScratchRegistry&) = delete;

private:
    HKEY root_ = nullptr;
    std::wstring name_;
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

std::wstring ExecutablePath();
bool WriteBytes(const std::wstring& path, const void* data, size_t size);
std::string ReadBytes(const std::wstring& path);

} // namespace TestSupport
