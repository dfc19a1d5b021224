#pragma once
// What the window layer's own tests share: a window or dialog that records its messages, the
// procedure a window has installed, typing into a control, and a fatal-report hook that says
// on stderr whether it got the text the test expects.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "winlib/Chyby.h"

namespace PomocnikK1 {

WNDPROC ProcOf(HWND window);
// Each character as a WM_CHAR, as typing it into the focused control sends it.
void Type(HWND control, const wchar_t* text);
std::wstring SystemText(HRESULT hr);

struct Zprava {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
using Obsluha = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)>;
// Answers one message with a fixed result.
Obsluha Answer(UINT wanted, LRESULT answer);

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
    size_t IndexOf(UINT message) const
    {
        return static_cast<size_t>(
            std::find_if(seen.begin(), seen.end(), [message](const Zprava& z) { return z.message == message; }) -
            seen.begin());
    }

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

// Takes the fatal report in place of the box for its life and tells on stderr whether the
// report's text was the expected one; a death test matches kOcekavany.
class OcekavaneHlaseni : public Tarnel::WinApi::FatalErrorHook {
public:
    static constexpr const char* kOcekavany = "fatal report with the expected text";
    explicit OcekavaneHlaseni(std::wstring text);
    ~OcekavaneHlaseni();
    HRESULT OnFatalError(const wchar_t* text) override;

private:
    std::wstring text_;
};

} // namespace PomocnikK1
