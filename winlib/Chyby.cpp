#include "winlib/Chyby.h"

#include <shlwapi.h>

#include <cwchar>
#include <string>

namespace Tarnel::WinApi {
namespace {

FatalErrorHook* g_hook = nullptr;

constexpr DWORD kExitFatal = 0xFFFFFFFF;
constexpr UINT kFatalBoxStyle = MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND; // 0x00012010
constexpr DWORD kMaxPath = 32767;

std::wstring OwnExecutableName()
{
    std::wstring path(kMaxPath, L'\0');
    DWORD len = GetModuleFileNameW(nullptr, path.data(), kMaxPath);
    if (len == 0 || len >= kMaxPath) return {};
    path.resize(len);
    const wchar_t* name = PathFindFileNameW(path.c_str());
    return (name && *name) ? std::wstring(name) : std::wstring();
}

} // namespace

void SetFatalErrorHook(FatalErrorHook* hook) { g_hook = hook; }

HRESULT HresultFromWin32(DWORD error)
{
    if (static_cast<LONG>(error) <= 0) return static_cast<HRESULT>(error);
    return static_cast<HRESULT>((error & 0x0000FFFF) | 0x80070000);
}

HRESULT HresultFromLastError()
{
    HRESULT hr = HresultFromWin32(GetLastError());
    return hr < 0 ? hr : E_FAIL;
}

ErrorInfo::~ErrorInfo()
{
    if (text_) LocalFree(text_);
}

const wchar_t* ErrorInfo::ErrorText()
{
    if (text_) return text_;
    wchar_t* buffer = nullptr;
    DWORD len = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                               nullptr, static_cast<DWORD>(hr_), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                               reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    if (len && buffer) {
        // Only the one trailing line break goes; the rest of the system's text stays as it is.
        if (len > 1 && buffer[len - 1] == L'\n') {
            buffer[--len] = L'\0';
            if (len > 0 && buffer[len - 1] == L'\r') buffer[--len] = L'\0';
        }
        text_ = buffer;
        return text_;
    }
    constexpr size_t kFallbackChars = 32;
    text_ = static_cast<wchar_t*>(LocalAlloc(LMEM_FIXED, kFallbackChars * sizeof(wchar_t)));
    if (!text_) return nullptr;
    const auto code = static_cast<unsigned long>(hr_);
    if (code > 0x80040200UL && code <= 0x8004FFFFUL)
        swprintf(text_, kFallbackChars, L"IDispatch error #%d", static_cast<int>(code - 0x80040200UL));
    else
        swprintf(text_, kFallbackChars, L"Unknown error 0x%0lX", code);
    return text_;
}

void ReportFatalError(const wchar_t* text)
{
    if (g_hook && g_hook->OnFatalError(text) != E_NOTIMPL) ExitProcess(kExitFatal);

    const std::wstring exeName = OwnExecutableName();
    if (exeName.empty()) FatalAppExitW(0, text ? text : L"");

    std::wstring message = L"Došlo k významné chybě!\n\n";
    message += text ? text : L"";
    message += L"\n\nAplikace \"";
    message += exeName;
    message += L"\" bude ukončena.";
    MessageBoxW(nullptr, message.c_str(), exeName.c_str(), kFatalBoxStyle);
    ExitProcess(kExitFatal);
}

void RaiseFatal(HRESULT hr)
{
    // Never destroyed: the process ends inside the report.
    auto* error = new ErrorInfo(hr);
    ReportFatalError(error->ErrorText());
}

void RaiseLastError() { RaiseFatal(HresultFromLastError()); }

} // namespace Tarnel::WinApi
