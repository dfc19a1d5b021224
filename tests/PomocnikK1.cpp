#include "tests/PomocnikK1.h"

#include <cstdio>

namespace PomocnikK1 {

WNDPROC ProcOf(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }

void Type(HWND control, const wchar_t* text)
{
    for (const wchar_t* c = text; *c; ++c) SendMessageW(control, WM_CHAR, *c, 1);
}

std::wstring SystemText(HRESULT hr)
{
    Tarnel::WinApi::ErrorInfo info(hr);
    return info.ErrorText() ? info.ErrorText() : L"";
}

Obsluha Answer(UINT wanted, LRESULT answer)
{
    return [wanted, answer](HWND, UINT message, WPARAM, LPARAM, LRESULT& result) {
        if (message != wanted) return false;
        result = answer;
        return true;
    };
}

OcekavaneHlaseni::OcekavaneHlaseni(std::wstring text) : text_(std::move(text))
{
    Tarnel::WinApi::SetFatalErrorHook(this);
}

OcekavaneHlaseni::~OcekavaneHlaseni() { Tarnel::WinApi::SetFatalErrorHook(nullptr); }

HRESULT OcekavaneHlaseni::OnFatalError(const wchar_t* text)
{
    fputs(text && text_ == text ? "fatal report with the expected text\n" : "fatal report with another text\n", stderr);
    return S_OK;
}

} // namespace PomocnikK1
