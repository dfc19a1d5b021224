#pragma once
// What the window layer's tests share: a window or dialog that records its messages, the
// installed procedure, typing, and a fatal-report hook that tells on stderr whether the
// report's text was the expected one (a death test matches kOcekavany).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "winlib/Chyby.h"

namespace PomocnikK1 {

inline WNDPROC ProcOf(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }
// Each character as the WM_CHAR that typing it sends.
inline void Type(HWND control, const wchar_t* text)
{
    for (const wchar_t* c = text; *c; ++c) SendMessageW(control, WM_CHAR, *c, 1);
}
inline std::wstring SystemText(HRESULT hr)
{
    Tarnel::WinApi::ErrorInfo info(hr);
    return info.ErrorText() ? info.ErrorText() : L"";
}

// Another party's procedure put over the window's current one, the way a second library or a
// tooltip watching the control does; it forwards everything and counts the window's ends.
namespace Cizi {
inline WNDPROC pod = nullptr;
inline int konce = 0;
inline LRESULT CALLBACK Procedura(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY) ++konce;
    return CallWindowProcW(pod, window, message, wParam, lParam);
}
inline void Nainstalovat(HWND window)
{
    pod = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedura)));
}
// Takes it off again, giving the window the procedure found beneath it.
inline void Odebrat(HWND window) { SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pod)); }
} // namespace Cizi

struct Zprava {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
using Obsluha = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)>;
// Answers one message with a fixed result.
inline Obsluha Answer(UINT wanted, LRESULT answer)
{
    return [wanted, answer](HWND, UINT message, WPARAM, LPARAM, LRESULT& result) {
        if (message == wanted) result = answer;
        return message == wanted;
    };
}

// Records every message its map sees and handles what the handler takes; destroys its window
// with it unless told to leave it.
template <class Zaklad>
class Zaznamnik : public Zaklad {
public:
    using Zaklad::Zaklad;
    ~Zaznamnik() override
    {
        if (nicitOkno && this->IsWindow()) ::DestroyWindow(this->hwnd_);
    }
    int Count(UINT message) const
    {
        return static_cast<int>(
            std::count_if(seen.begin(), seen.end(), [message](const Zprava& z) { return z.message == message; }));
    }
    bool Saw(UINT message) const { return Count(message) > 0; }

    std::vector<Zprava> seen;
    Obsluha handler;
    bool nicitOkno = true;

protected:
    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        seen.push_back({message, wParam, lParam});
        return handler && handler(window, message, wParam, lParam, result);
    }
};

class OcekavaneHlaseni : public Tarnel::WinApi::FatalErrorHook {
public:
    static constexpr const char* kOcekavany = "fatal report with the expected text";
    explicit OcekavaneHlaseni(std::wstring text) : text_(std::move(text)) { Tarnel::WinApi::SetFatalErrorHook(this); }
    ~OcekavaneHlaseni() { Tarnel::WinApi::SetFatalErrorHook(nullptr); }
    HRESULT OnFatalError(const wchar_t* text) override
    {
        fprintf(stderr, "fatal report with %s text\n", text && text_ == text ? "the expected" : "another");
        return S_OK;
    }

private:
    std::wstring text_;
};

} // namespace PomocnikK1
