#include "winlib/Verze.h"

#include <shlwapi.h>

#include <cwchar>

#include "winlib/Chyby.h"
#include "winlib/Handles.h"

namespace Tarnel::WinApi {
namespace {

constexpr DWORD kMaxPath = 32767;

bool OwnPath(std::wstring& path)
{
    path.assign(kMaxPath, L'\0');
    DWORD len = GetModuleFileNameW(nullptr, path.data(), kMaxPath);
    if (len == 0 || len >= kMaxPath) return false;
    path.resize(len);
    return true;
}

// The executable's version block, read into a heap block; an HRESULT on failure.
HRESULT LoadVersionBlock(const std::wstring& path, HeapBlock& block)
{
    if (!PathFileExistsW(path.c_str())) return E_INVALIDARG;
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    if (size == 0) return HresultFromLastError();
    block = HeapBlock(size);
    if (!block) return E_OUTOFMEMORY;
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.Get())) return HresultFromLastError();
    return S_OK;
}

} // namespace

HRESULT ReadVersionString(const wchar_t* nazev, std::wstring& hodnota, const wchar_t* soubor)
{
    std::wstring path;
    if (soubor)
        path = soubor;
    else if (!OwnPath(path))
        return HresultFromLastError();
    HeapBlock block;
    HRESULT hr = LoadVersionBlock(path, block);
    if (FAILED(hr)) return hr;

    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translation = nullptr;
    UINT len = 0;
    if (!VerQueryValueW(block.Get(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &len) ||
        len < sizeof(Translation))
        return HresultFromLastError();

    constexpr size_t kSubBlockChars = 100;
    wchar_t subBlock[kSubBlockChars];
    int written = swprintf(subBlock, kSubBlockChars, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language,
                           translation->codePage, nazev);
    if (written < 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        RaiseLastError();
    }
    wchar_t* value = nullptr;
    if (!VerQueryValueW(block.Get(), subBlock, reinterpret_cast<void**>(&value), &len) || !value)
        return HresultFromLastError();
    hodnota.assign(value, len > 0 && value[len - 1] == L'\0' ? len - 1 : len);
    return S_OK;
}

HRESULT ReadProductVersion(WORD& major, WORD& minor, WORD& build, WORD& revision, const wchar_t* soubor)
{
    std::wstring path;
    if (soubor)
        path = soubor;
    else if (!OwnPath(path))
        RaiseLastError();
    HeapBlock block;
    HRESULT hr = LoadVersionBlock(path, block);
    if (hr == E_OUTOFMEMORY) RaiseFatal(hr);
    if (FAILED(hr)) return hr;

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    if (!VerQueryValueW(block.Get(), L"\\", reinterpret_cast<void**>(&fixed), &len) || len < sizeof(VS_FIXEDFILEINFO))
        return HresultFromLastError();
    major = HIWORD(fixed->dwProductVersionMS);
    minor = LOWORD(fixed->dwProductVersionMS);
    build = HIWORD(fixed->dwProductVersionLS);
    revision = LOWORD(fixed->dwProductVersionLS);
    return S_OK;
}

} // namespace Tarnel::WinApi
