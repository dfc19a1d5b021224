#include "tests/TestSupport.h"

#include <shlwapi.h>
#include <shellapi.h>

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

std::wstring SharedGifs()
{
    const char* dir = ANIMORA_SHARED_GIFS;
    // The build passes a Unix path; Wine maps the root file system to Z:.
    std::wstring wide(dir, dir + strlen(dir));
    for (auto& c : wide)
        if (c == L'/') c = L'\\';
    return L"Z:" + wide;
}

std::wstring SharedGif(const wchar_t* name) { return SharedGifs() + L"\\" + name; }

namespace {
std::wstring ExecutableDir()
{
    std::wstring path = ExecutablePath();
    return path.substr(0, path.find_last_of(L'\\'));
}

void RemoveTree(const std::wstring& path)
{
    std::wstring from = path + L'\0'; // double-terminated list
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
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

void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
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
