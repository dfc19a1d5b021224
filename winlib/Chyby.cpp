#include "winlib/Chyby.h"

#include <shlwapi.h>

#include <atomic>
#include <cwchar>

namespace Tarnel::WinApi {
namespace {

FatalErrorHook* g_hook = nullptr;
// The report's message box dispatches the thread's messages while it waits, and another
// thread may fail meanwhile too: a second report would pile up on the first (a failure that
// repeats on every timer tick runs the stack out), so only the first is ever shown.
std::atomic<bool> g_hlaseno{false};

constexpr DWORD kExitFatal = 0xFFFFFFFF;
constexpr UINT kFatalBoxStyle = MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND; // 0x00012010
constexpr DWORD kMaxPath = 32767;
constexpr size_t kMaxMessage = ErrorInfo::kMaxText + 2 * MAX_PATH;

// Appends as much of the text as fits; the buffer stays terminated.
void Append(wchar_t* buffer, size_t capacity, const wchar_t* text)
{
    size_t used = wcsnlen(buffer, capacity);
    for (; text && *text && used + 1 < capacity; ++text) buffer[used++] = *text;
    buffer[used] = L'\0';
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

const wchar_t* ErrorInfo::ErrorText()
{
    if (built_) return text_;
    built_ = true;
    DWORD len = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                               static_cast<DWORD>(hr_), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text_,
                               static_cast<DWORD>(kMaxText), nullptr);
    if (len) {
        // Only the one trailing line break goes; the rest of the system's text stays as it is.
        if (len > 1 && text_[len - 1] == L'\n') {
            text_[--len] = L'\0';
            if (len > 0 && text_[len - 1] == L'\r') text_[--len] = L'\0';
        }
        return text_;
    }
    const auto code = static_cast<unsigned long>(hr_);
    if (code > 0x80040200UL && code <= 0x8004FFFFUL)
        swprintf(text_, kMaxText, L"IDispatch error #%d", static_cast<int>(code - 0x80040200UL));
    else
        swprintf(text_, kMaxText, L"Unknown error 0x%0lX", code);
    return text_;
}

void ReportFatalError(const wchar_t* text)
{
    if (g_hlaseno.exchange(true)) ExitProcess(kExitFatal);
    if (g_hook && g_hook->OnFatalError(text) != E_NOTIMPL) ExitProcess(kExitFatal);

    // Everything from here on lives on the stack: no heap, whatever failed.
    wchar_t path[kMaxPath];
    const DWORD len = GetModuleFileNameW(nullptr, path, kMaxPath);
    const wchar_t* exeName = (len == 0 || len >= kMaxPath) ? nullptr : PathFindFileNameW(path);
    if (!exeName || !*exeName) FatalAppExitW(0, text ? text : L"");

    wchar_t message[kMaxMessage] = L"";
    Append(message, kMaxMessage, L"Došlo k významné chybě!\n\n");
    Append(message, kMaxMessage, text);
    Append(message, kMaxMessage, L"\n\nAplikace \"");
    Append(message, kMaxMessage, exeName);
    Append(message, kMaxMessage, L"\" bude ukončena.");
    MessageBoxW(nullptr, message, exeName, kFatalBoxStyle);
    ExitProcess(kExitFatal);
}

void RaiseFatal(HRESULT hr)
{
    // Never destroyed: the process ends inside the report.
    ErrorInfo error(hr);
    ReportFatalError(error.ErrorText());
}

void RaiseLastError() { RaiseFatal(HresultFromLastError()); }

} // namespace Tarnel::WinApi
