// The main window's export and clipboard commands: where their items are, when they are
// enabled, and that the clipboard commands act on the window's file.
#include <windows.h>
#include <shellapi.h>

#include <vector>

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "resources/resource_export.h"
#include "soubory/KlavesyExportu.h"
#include "tests/DialogDriver.h"
#include "tests/OknoHlavniTest.h"

namespace {

constexpr UINT kPrikazy[] = {ID_ANIMACE_EXPORTOVATSNIMKY, ID_ANIMACE_KOPIROVATSNIMEK, ID_ANIMACE_KOPIROVATSOUBOR};

std::wstring SouborZeSchranky()
{
    wchar_t cesta[MAX_PATH] = {};
    if (!OpenClipboard(nullptr)) return {};
    if (auto drop = static_cast<HDROP>(GetClipboardData(CF_HDROP))) DragQueryFileW(drop, 0, cesta, MAX_PATH);
    CloseClipboard();
    return cesta;
}

} // namespace

TEST_F(OknoHlavniTest, ExportAndCopyFollowTheSaveItemAndNeedAPicture)
{
    Vytvorit();
    HMENU animace = GetSubMenu(GetMenu(Okno()), 1);
    const int pocet = GetMenuItemCount(animace);
    int ulozit = 0;
    while (ulozit < pocet && GetMenuItemID(animace, ulozit) != ID_ANIMACE_ULOZITSNIMEK) ++ulozit;
    ASSERT_LE(ulozit + 4, pocet) << "the save item, and the three after it";
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(kPrikazy[i], GetMenuItemID(animace, ulozit + 1 + i));
        EXPECT_FALSE(MenuPovoleno(static_cast<int>(kPrikazy[i]))) << kPrikazy[i] << " without a picture";
    }

    okno->OtevritSoubor(PomalaAnimace(), true);
    std::vector<UINT> vKontextu;
    DialogDriver::Behem([&] { SendMessageW(Okno(), WM_CONTEXTMENU, 0, MAKELPARAM(20, 20)); },
                        {{DialogDriver::OpenMenu, [&](HWND popup) {
                              auto* menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
                              for (const UINT prikaz : kPrikazy) vKontextu.push_back(GetMenuState(menu, prikaz, MF_BYCOMMAND));
                              EndMenu();
                          }}});
    ASSERT_EQ(3u, vKontextu.size());
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(MenuPovoleno(static_cast<int>(kPrikazy[i]))) << kPrikazy[i] << " while playing";
        EXPECT_NE(static_cast<UINT>(-1), vKontextu[i]) << kPrikazy[i] << " in the context menu";
        EXPECT_EQ(0u, vKontextu[i] & (MF_GRAYED | MF_DISABLED)) << kPrikazy[i];
    }

    // The keys the window's key handling maps through the export's own table.
    Prikaz(PrikazKlavesyExportu('C', true, true, false));
    EXPECT_EQ(okno->CestaSouboru(), SouborZeSchranky());
    Prikaz(PrikazKlavesyExportu('C', true, false, false));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIBV5));
    EXPECT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormatW(L"PNG")));
    CloseClipboard();
}
