// The open and save dialogs for real: each runs modally on the test thread over a real
// window, while a helper thread finds it, reads its file-type list, types a path and
// confirms or cancels, as a user would.
#include <windows.h>

#include <optional>

#include <gtest/gtest.h>

#include "image/ExportSnimku.h"
#include "image/GifAnimace.h"
#include "soubory/PrikazUlozeni.h"
#include "soubory/SouboroveDialogy.h"
#include "tests/DialogDriver.h"
#include "tests/GifFixtures.h"
#include "tests/TestSupport.h"

using TestSupport::ScratchDir;
using namespace DialogDriver;

namespace {

constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

std::vector<std::wstring> ComboItems(HWND combo)
{
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring item(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        item.resize(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
        items.push_back(item);
    }
    return items;
}

using Script = FileChoice;

// What the helper thread saw.
struct Seen {
    bool dialog = false;
    std::vector<std::wstring> types;
    std::wstring selectedType;
    bool overwriteQuestion = false;
    bool leftOpen = false; // the script ran but the dialog did not end
    std::wstring layout; // every child window, for a readable failure
};

// The file-type list is the visible combo box that lists "Všechny soubory".
void ReadTypes(HWND dialog, Seen& seen)
{
    for (HWND child : Children(dialog)) {
        seen.layout += ClassOf(child) + L" #" + std::to_wstring(GetDlgCtrlID(child)) + L" '" + TextOf(child) +
                       (IsWindowVisible(child) ? L"'\n" : L"' hidden\n");
        if (!IsWindowVisible(child) || ClassOf(child) != L"ComboBox" || !seen.types.empty()) continue;
        const std::vector<std::wstring> items = ComboItems(child);
        if (items.empty() || items.back().find(L"Všechny soubory") == std::wstring::npos) continue;
        seen.types = items;
        const LRESULT selected = SendMessageW(child, CB_GETCURSEL, 0, 0);
        if (selected >= 0 && static_cast<size_t>(selected) < items.size()) seen.selectedType = items[selected];
    }
}

template <typename Show>
std::optional<std::wstring> RunDialog(Show show, const Script& script, Seen& seen)
{
    TestSupport::OwnerWindow owner;
    const DWORD thread = GetCurrentThreadId();
    ObsluhaDialogu driver([&](HWND dialog) {
        ReadTypes(dialog, seen);
        seen.overwriteQuestion = Choose(thread, dialog, script);
    });
    std::optional<std::wstring> result = show(owner.Get());
    driver.Dokoncit();
    seen.dialog = driver.Nalezen();
    seen.leftOpen = driver.ZustalOtevren();
    EXPECT_FALSE(seen.leftOpen) << "the dialog did not end as the script expected:\n"
                                << testing::PrintToString(seen.layout);
    return result;
}

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

const std::vector<std::wstring> kOpenNames = {L"Obrázky GIF", L"Všechny soubory"};
const std::vector<std::wstring> kSaveNames = {L"Grafické soubory", L"JPEG", L"PNG", L"Bitmapy",
                                              L"GIF", L"TIFF", L"Všechny soubory"};

// The dialog may show the patterns after a name; the name itself must come first.
void ExpectTypeNames(const std::vector<std::wstring>& expected, const Seen& seen)
{
    ASSERT_EQ(expected.size(), seen.types.size()) << testing::PrintToString(seen.layout);
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(0u, seen.types[i].rfind(expected[i], 0)) << testing::PrintToString(seen.types[i]);
}

} // namespace

TEST(DialogSouboryTest, OpenAndSaveDialogsListTheirTypesSelectTheirOwnAndReturnTheChosenPath)
{
    using Show = std::optional<std::wstring> (*)(HWND);
    const struct {
        Show show;
        const wchar_t* file;
        const std::vector<std::wstring>& types;
        const wchar_t* selected;
    } cases[] = {
        {ShowOpenDialog, L"vybraný obrázek.gif", kOpenNames, L"Obrázky GIF"},
        {ShowSaveDialog, L"snímek.png", kSaveNames, L"PNG"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.file)));
        ScratchDir dir;
        const std::wstring file = dir.File(c.file);
        if (c.show == ShowOpenDialog) {
            ASSERT_TRUE(GifFixtures::WriteGif(file, GifFixtures::Animation(4, 4, 2)));
        }
        Seen seen;
        const auto path = RunDialog(c.show, Script{file}, seen);
        ASSERT_TRUE(seen.dialog);
        ExpectTypeNames(c.types, seen);
        EXPECT_EQ(0u, seen.selectedType.rfind(c.selected, 0)) << testing::PrintToString(seen.selectedType);
        ASSERT_TRUE(path.has_value());
        EXPECT_TRUE(SamePath(file, *path)) << testing::PrintToString(*path);
    }
}

TEST(DialogSouboryTest, CancelledOpenOrSaveDialogGivesNothing)
{
    for (auto show : {ShowOpenDialog, ShowSaveDialog}) {
        Seen seen;
        EXPECT_FALSE(RunDialog(show, Script{}, seen).has_value());
        EXPECT_TRUE(seen.dialog);
    }
}

TEST(DialogSouboryTest, PlainNameInTheSaveDialogBecomesPng)
{
    ScratchDir dir;
    Seen seen;
    const auto path = RunDialog(ShowSaveDialog, Script{dir.File(L"x")}, seen);
    ASSERT_TRUE(path.has_value());
    EXPECT_TRUE(SamePath(dir.File(L"x.png"), *path)) << testing::PrintToString(*path);
}

TEST(DialogSouboryTest, SaveDialogAsksBeforeOverwriting)
{
    ScratchDir dir;
    const std::wstring existing = dir.File(L"existuje.png");
    ASSERT_TRUE(TestSupport::WriteBytes(existing, "x", 1));

    Seen yes;
    const auto confirmed = RunDialog(ShowSaveDialog, Script{existing, kIdYes}, yes);
    EXPECT_TRUE(yes.overwriteQuestion);
    ASSERT_TRUE(confirmed.has_value());
    EXPECT_TRUE(SamePath(existing, *confirmed));

    Seen no;
    const auto declined = RunDialog(ShowSaveDialog, Script{existing, kIdNo, true}, no);
    EXPECT_TRUE(no.overwriteQuestion);
    EXPECT_FALSE(declined.has_value());
    EXPECT_EQ("x", TestSupport::ReadBytes(existing));
}

TEST(DialogSouboryTest, SaveCommandWritesTheActiveFrameWhereTheUserSays)
{
    ScratchDir dir;
    const std::wstring source = dir.File(L"a.gif");
    ASSERT_TRUE(GifFixtures::WriteGif(source, GifFixtures::Animation(12, 10, 8)));
    GifAnimace model;
    ASSERT_EQ(S_OK, model.Load(source, true));
    ASSERT_EQ(S_OK, model.SelectFrame(5));
    Seen seen;
    RunDialog([&](HWND owner) { OnSaveFrame(owner, &model); return std::optional<std::wstring>(); },
              Script{dir.File(L"uložený")}, seen);
    const std::wstring written = dir.File(L"uložený.png");
    COLORREF colour = 0;
    ASSERT_TRUE(GifFixtures::DecodedPixel(written, 0, 6, 5, colour));
    EXPECT_EQ(GifFixtures::FrameColour(5), colour);
    EXPECT_EQ(0, TestSupport::ReadBytes(written).compare(0, 4, "\x89PNG"));
    EXPECT_EQ(8, model.FrameCount());
}

TEST(DialogSouboryTest, CancelledSaveCommandWritesNothing)
{
    ScratchDir dir;
    const std::wstring source = dir.File(L"a.gif");
    ASSERT_TRUE(GifFixtures::WriteGif(source, GifFixtures::Animation(12, 10, 3)));
    const std::string before = TestSupport::ReadBytes(source);
    GifAnimace model;
    ASSERT_EQ(S_OK, model.Load(source, true));
    Seen seen;
    RunDialog([&](HWND owner) { OnSaveFrame(owner, &model); return std::optional<std::wstring>(); }, Script{},
              seen);
    EXPECT_TRUE(seen.dialog);
    EXPECT_EQ(before, TestSupport::ReadBytes(source));
    EXPECT_EQ(1u, TestSupport::FilesIn(dir.Path()).size());
}
