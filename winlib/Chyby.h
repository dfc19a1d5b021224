#pragma once
// The one way the program deals with failures it does not expect: turn them into an
// HRESULT, show the fatal report and end the process on the spot.
#include <windows.h>

#include "winlib/Nekopirovatelny.h"

namespace Tarnel::WinApi {

// Asked first by the fatal report; an owner that returns anything but E_NOTIMPL has
// dealt with the failure itself (the process still ends without returning).
class FatalErrorHook {
public:
    virtual HRESULT OnFatalError(const wchar_t* text) = 0;

protected:
    ~FatalErrorHook() = default;
};

void SetFatalErrorHook(FatalErrorHook* hook);

HRESULT HresultFromWin32(DWORD error);
// Always a failure: a last error of 0 becomes E_FAIL.
HRESULT HresultFromLastError();

// Message text of one HRESULT, built on first request and cached. The text lives in the
// object itself: the fatal report runs when memory may be what has run out, so nothing on its
// way to the message box allocates.
class ErrorInfo : private Nekopirovatelny {
public:
    explicit ErrorInfo(HRESULT hr) : hr_(hr) {}

    HRESULT Error() const { return hr_; }
    const wchar_t* ErrorText();

    // Room for the longest system text the report shows; longer texts are cut.
    static constexpr size_t kMaxText = 1024;

private:
    HRESULT hr_;
    bool built_ = false;
    wchar_t text_[kMaxText] = {};
};

[[noreturn]] void ReportFatalError(const wchar_t* text);
[[noreturn]] void RaiseFatal(HRESULT hr);
[[noreturn]] void RaiseLastError();

// Fail-fast checks for calls whose failure the program does not expect.
inline void CheckWin32(BOOL ok) { if (!ok) RaiseLastError(); }
inline void CheckHr(HRESULT hr) { if (FAILED(hr)) RaiseFatal(hr); }

} // namespace Tarnel::WinApi
