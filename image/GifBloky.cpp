#include "image/GifBloky.h"

#include "winlib/Chyby.h"

namespace GifBloky {

HANDLE OpenShared(const wchar_t* path)
{
    return CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

void Close(HANDLE file)
{
    if (!CloseHandle(file)) Tarnel::WinApi::RaiseLastError();
}

} // namespace GifBloky
