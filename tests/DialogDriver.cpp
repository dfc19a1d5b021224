#include "tests/DialogDriver.h"

namespace DialogDriver {

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> all;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

HWND FindDialog(DWORD thread, HWND owner, HWND except)
{
    struct Search {
        HWND owner, except, found;
    } search{owner, except, nullptr};
    EnumThreadWindows(
        thread,
        [](HWND window, LPARAM param) {
            auto* s = reinterpret_cast<Search*>(param);
            if (window == s->except || !IsWindowVisible(window) || ClassOf(window) != L"#32770") return TRUE;
            if (s->owner && GetWindow(window, GW_OWNER) != s->owner) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FirstVisibleEdit(HWND dialog)
{
    for (HWND child : Children(dialog))
        if (IsWindowVisible(child) && _wcsicmp(ClassOf(child).c_str(), L"Edit") == 0) return child;
    return nullptr;
}

void Click(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

} // namespace DialogDriver
