#include "tests/TestSupport.h"

#include <shlwapi.h>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace TestSupport {

std::wstring ExecutablePath()
{
    std::wstring path(32767, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

namespace {
// The build passes Unix paths; Wine maps the root file system to Z:.
std::wstring WinePath(const char* dir)
{
    std::wstring wide(dir, dir + strlen(dir));
    for (auto& c : wide)
        if (c == L'/') c = L'\\';
    wide = L"Z:" + wide;
    wchar_t full[MAX_PATH];
    DWORD len = GetFullPathNameW(wide.c_str(), MAX_PATH, full, nullptr);
    return (len > 0 && len < MAX_PATH) ? std::wstring(full, len) : wide;
}
} // namespace

std::wstring SharedGifs() { return WinePath(ANIMORA_SHARED_GIFS); }
std::wstring SourceFile(const wchar_t* relative) { return WinePath(ANIMORA_SOURCE_DIR) + L"\\" + relative; }

std::wstring SharedGif(const wchar_t* name) { return SharedGifs() + L"\\" + name; }

namespace {
std::wstring ExecutableDir()
{
    std::wstring path = ExecutablePath();
    return path.substr(0, path.find_last_of(L'\\'));
}

// Deletes a folder and everything below it, by extended-length paths so that deep trees go
// too. (Wine's SHFileOperation, given a tree deeper than MAX_PATH, deletes files of the
// parent folder instead, so it must not be used here.)
void RemoveTree(const std::wstring& path)
{
    const std::wstring root = path.rfind(L"\\\\?\\", 0) == 0 ? path : L"\\\\?\\" + path;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((root + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = root + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(root.c_str());
}
} // namespace

ScratchDir::ScratchDir()
{
    static unsigned counter = 0;
    wchar_t name[64];
    swprintf(name, 64, L"\\scratch-%lu-%u", GetCurrentProcessId(), ++counter);
    path_ = ExecutableDir() + name;
    RemoveTree(path_);
    CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchDir::~ScratchDir() { RemoveTree(path_); }

ScratchRegistry::ScratchRegistry()
{
    wchar_t name[80];
    swprintf(name, 80, L"Software\\AnimoraTests\\run-%lu-%llu", GetCurrentProcessId(), GetTickCount64());
    name_ = name;
    RegCreateKeyExW(HKEY_CURRENT_USER, name_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root_, nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, root_);
}

ScratchRegistry::~ScratchRegistry()
{
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(root_);
    RegDeleteTreeW(HKEY_CURRENT_USER, name_.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, name_.c_str());
}

OwnerWindow::OwnerWindow()
    : window_(CreateWindowExW(0, L"STATIC", L"Animora test owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 500, 300,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr))
{
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::set<UINT> MenuCommands(HMENU menu)
{
    std::set<UINT> commands;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            const std::set<UINT> below = MenuCommands(sub);
            commands.insert(below.begin(), below.end());
        } else if (const UINT id = GetMenuItemID(menu, i); id != 0 && id != static_cast<UINT>(-1)) {
            commands.insert(id);
        }
    }
    return commands;
}

bool WriteBytes(const std::wstring& path, const void* data, size_t size)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(file);
    return ok && written == size;
}

std::vector<std::wstring> FilesIn(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

std::string ReadBytes(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string data;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got) data.append(buffer, got);
    CloseHandle(file);
    return data;
}

} // namespace TestSupport
