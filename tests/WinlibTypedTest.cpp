// The messages the window layer unpacks for its typed handlers: commands, OK and Cancel of a
// dialog, owner drawing reflected to the control whose items it is, and the windows that
// dialogs and top-level windows own.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/winlib_test_resource.h"
#include "winlib/DialogImpl.h"
#include "winlib/Okno.h"

using Tarnel::WinApi::DialogImpl;
using Tarnel::WinApi::WindowImpl;

namespace {

struct Command {
    UINT id;
    UINT code;
    HWND control;
};

class TypedDialog : public DialogImpl {
public:
    TypedDialog() : DialogImpl(IDD_WINLIB_TEST) {}

    std::vector<Command> commands;
    int initialised = 0;
    int oks = 0;

protected:
    BOOL OnInitDialog() override
    {
        ++initialised;
        return TRUE;
    }
    bool OnCommand(UINT id, UINT code, HWND control) override
    {
        commands.push_back({id, code, control});
        return id == IDC_WINLIB_TLACITKO;
    }
    // Counts instead of ending; Cancel keeps the default.
    void OnOk() override { ++oks; }
};

// The owner-drawn button, taken over: the dialog reflects its drawing here.
class DrawnButton : public WindowImpl {
public:
    std::vector<UINT> drawn; // control ids of the items drawn

protected:
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override
    {
        drawn.push_back(item.CtlID);
        FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_HIGHLIGHT));
        return true;
    }
};

TEST(WinlibTyped, DialogCommandsArriveUnpackedAndOkAndCancelGoThroughTheirHandlers)
{
    TypedDialog dialog;
    HWND window = dialog.Create(nullptr);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(1, dialog.initialised);

    HWND button = GetDlgItem(window, IDC_WINLIB_TLACITKO);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_WINLIB_TLACITKO, BN_DOUBLECLICKED),
                 reinterpret_cast<LPARAM>(button));
    ASSERT_EQ(1u, dialog.commands.size());
    EXPECT_EQ(static_cast<UINT>(IDC_WINLIB_TLACITKO), dialog.commands[0].id);
    EXPECT_EQ(static_cast<UINT>(BN_DOUBLECLICKED), dialog.commands[0].code);
    EXPECT_EQ(button, dialog.commands[0].control);

    // OK, left alone by the command handler, goes to OnOk, which here does not end.
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(1, dialog.oks);
    EXPECT_TRUE(IsWindow(window));
    // Only a click ends: another notification of the Cancel button does not.
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_SETFOCUS), 0);
    EXPECT_TRUE(IsWindow(window));
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_FALSE(IsWindow(window)) << "the default Cancel ends a modeless dialog by destroying it";
    EXPECT_EQ(4u, dialog.commands.size()) << "the command handler saw every command first";
}

TEST(WinlibTyped, OwnerDrawingGoesToTheControlWhoseItemItIs)
{
    TypedDialog dialog;
    HWND window = dialog.Create(nullptr);
    ASSERT_NE(nullptr, window);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    HWND vlastni = GetDlgItem(window, IDC_WINLIB_VLASTNI);
    DrawnButton control;
    ASSERT_TRUE(control.SubclassWindow(vlastni));

    RedrawWindow(vlastni, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_FALSE(control.drawn.empty());
    for (UINT id : control.drawn) EXPECT_EQ(static_cast<UINT>(IDC_WINLIB_VLASTNI), id);
    control.ReleaseWindow();
}

TEST(WinlibTyped, DeletingADialogOrATopLevelWindowDestroysTheWindowItOwns)
{
    auto dialog = std::make_unique<TypedDialog>();
    HWND okno = dialog->Create(nullptr);
    ASSERT_TRUE(IsWindow(okno));
    dialog.reset();
    EXPECT_FALSE(IsWindow(okno));

    auto hlavni = std::make_unique<Tarnel::WinApi::Okno>();
    okno = hlavni->Create(Tarnel::WinApi::WindowClass{L"WinlibTypedOkno"}, nullptr, L"okno", WS_OVERLAPPEDWINDOW, 0,
                          RECT{0, 0, 200, 100});
    ASSERT_TRUE(IsWindow(okno));
    hlavni.reset();
    EXPECT_FALSE(IsWindow(okno));
}

} // namespace
