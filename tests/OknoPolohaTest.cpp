// Window placement against a real (scratch) registry and real windows on the Xvfb screen,
// whose work area is 0,0-1280,1024; and the centring of real windows.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "tests/ChildModes.h"
#include "tests/PomocnikK1.h"
#include "tests/TestSupport.h"
#include "winlib/Chyby.h"
#include "winlib/Okno.h"

using namespace Tarnel::WinApi;

namespace {

const wchar_t kAppKey[] = L"Software\\Tarnel\\AnimoraTest\\1";
const wchar_t kPlacementKey[] = L"Software\\Tarnel\\AnimoraTest\\1\\Parametry oken\\";
const WindowClass kTestClass{L"OknoTestTrida"};

class TestOkno : public Okno {
public:
    HWND CreateAt(const RECT& rect, DWORD style = WS_OVERLAPPEDWINDOW, HWND owner = nullptr)
    {
        return Create(kTestClass, owner, L"okno", style, 0, rect);
    }

protected:
    bool ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
};

RECT At(LONG left, LONG top, LONG width, LONG height) { return RECT{left, top, left + width, top + height}; }

RECT RectOf(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

testing::AssertionResult HasRect(HWND window, const RECT& expected)
{
    const RECT r = RectOf(window);
    if (EqualRect(&r, &expected)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "window at " << r.left << "," << r.top << "-" << r.right << "," << r.bottom
                                       << ", expected " << expected.left << "," << expected.top << "-" << expected.right
                                       << "," << expected.bottom;
}

// A REG_DWORD value stored for the class; empty when missing or of another type.
std::optional<DWORD> ReadValue(const std::wstring& className, const wchar_t* name)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    const std::wstring path = kPlacementKey + className;
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

void WriteValue(const std::wstring& className, const wchar_t* name, DWORD type, const void* data, DWORD size)
{
    const std::wstring path = kPlacementKey + className;
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), name, type, data, size));
}

void WriteDword(const std::wstring& className, const wchar_t* name, DWORD value)
{
    WriteValue(className, name, REG_DWORD, &value, sizeof value);
}

class OknoPoloha : public testing::Test {
protected:
    void SetUp() override { okno.NastavitKlicRegistru(kAppKey); }

    // A visible window of the test class at the given place, under the application key.
    static HWND Show(TestOkno& window, const RECT& rect, DWORD style = WS_OVERLAPPEDWINDOW)
    {
        window.NastavitKlicRegistru(kAppKey);
        HWND hwnd = window.CreateAt(rect, style);
        if (hwnd) ShowWindow(hwnd, SW_SHOWNOACTIVATE);
        return hwnd;
    }

    TestSupport::ScratchRegistry registry;
    TestOkno okno;
};

TEST_F(OknoPoloha, KeyPathIsSetOnceFromTheApplicationKey)
{
    EXPECT_EQ(kPlacementKey, okno.KlicPolohy());
    okno.NastavitKlicRegistru(nullptr);
    EXPECT_EQ(kPlacementKey, okno.KlicPolohy()) << "null changes nothing";
    TestOkno other;
    EXPECT_EQ(L"", other.KlicPolohy());
    other.NastavitKlicRegistru(L"Software\\100%s");
    EXPECT_EQ(L"Software\\100%s\\Parametry oken\\", other.KlicPolohy()) << "the key is no format";
}

TEST_F(OknoPoloha, SavedPlacementComesBackInANewWindow)
{
    ASSERT_NE(nullptr, Show(okno, At(100, 120, 400, 300)));
    EXPECT_EQ(S_OK, okno.UlozitPolohu(nullptr));
    EXPECT_EQ(0x00780064u, ReadValue(kTestClass.name, L"Poloha")) << "REG_DWORD values";
    EXPECT_EQ(0x012C0190u, ReadValue(kTestClass.name, L"Velikost"));
    DestroyWindow(okno);

    TestOkno next;
    ASSERT_NE(nullptr, Show(next, At(10, 10, 200, 150)));
    EXPECT_EQ(S_OK, next.ObnovitPolohu(nullptr, false));
    EXPECT_TRUE(HasRect(next, At(100, 120, 400, 300)));

    TestOkno positionOnly;
    ASSERT_NE(nullptr, Show(positionOnly, At(10, 10, 200, 150)));
    EXPECT_EQ(S_OK, positionOnly.ObnovitPolohu(nullptr, true));
    EXPECT_TRUE(HasRect(positionOnly, At(100, 120, 200, 150))) << "the size stays as it was";
}

TEST_F(OknoPoloha, GivenClassNameNamesTheSubKey)
{
    const std::wstring longest(254, L'x');
    ASSERT_NE(nullptr, Show(okno, At(200, 210, 320, 240)));
    EXPECT_EQ(S_OK, okno.UlozitPolohu(L"GifFramesList"));
    EXPECT_EQ(S_OK, okno.UlozitPolohu(longest.c_str()));
    EXPECT_EQ(0x00D200C8u, ReadValue(L"GifFramesList", L"Poloha"));
    EXPECT_EQ(0x00D200C8u, ReadValue(longest, L"Poloha"));
    EXPECT_FALSE(ReadValue(kTestClass.name, L"Poloha")) << "the window's own class is not used";

    MoveWindow(okno, 5, 6, 100, 100, TRUE);
    EXPECT_EQ(S_OK, okno.ObnovitPolohu(L"GifFramesList", false));
    EXPECT_TRUE(HasRect(okno, At(200, 210, 320, 240)));
}

TEST_F(OknoPoloha, ObjectWithoutAWindowOnlyReportsWhatIsStored)
{
    WriteDword(L"Bez okna", L"Poloha", ZabalitDvojici(1, 2));
    WriteDword(L"Bez okna", L"Velikost", ZabalitDvojici(3, 4));
    EXPECT_EQ(S_OK, okno.ObnovitPolohu(L"Bez okna", false));
    EXPECT_EQ(S_FALSE, okno.ObnovitPolohu(L"Jina", false));
    EXPECT_EQ(S_FALSE, okno.UlozitPolohu(L"Bez okna")) << "no window, nothing visible to save";
}

TEST_F(OknoPoloha, HiddenOrMinimisedWindowKeepsTheEarlierPlacement)
{
    ASSERT_NE(nullptr, Show(okno, At(100, 120, 400, 300)));
    ASSERT_EQ(S_OK, okno.UlozitPolohu(nullptr));
    const auto saved = ReadValue(kTestClass.name, L"Poloha");

    const auto nicNeulozeno = [&] {
        EXPECT_EQ(S_FALSE, okno.UlozitPolohu(nullptr));
        EXPECT_EQ(saved, ReadValue(kTestClass.name, L"Poloha"));
    };
    MoveWindow(okno, 300, 310, 400, 300, TRUE);
    ShowWindow(okno, SW_HIDE);
    nicNeulozeno();

    // Minimised: wherever the system parks it (off the screen, or in a row at the bottom
    // when no shell hides it), nothing is written.
    ShowWindow(okno, SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(IsIconic(okno));
    nicNeulozeno();

    // Both edges negative reads as minimised too, even on a window that is not.
    ShowWindow(okno, SW_RESTORE);
    ASSERT_FALSE(IsIconic(okno));
    MoveWindow(okno, -10, -1, 400, 300, TRUE);
    nicNeulozeno();

    MoveWindow(okno, 300, 310, 400, 300, TRUE);
    EXPECT_EQ(S_OK, okno.UlozitPolohu(nullptr));
    EXPECT_EQ(ZabalitDvojici(300, 310), ReadValue(kTestClass.name, L"Poloha"));
}

TEST_F(OknoPoloha, MaximisedWindowOnAScreenFromTheOriginIsNotSaved)
{
    ASSERT_NE(nullptr, Show(okno, At(100, 120, 400, 300)));
    ShowWindow(okno, SW_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(okno));
    const RECT maximised = RectOf(okno);
    ASSERT_TRUE(maximised.left < 0 && maximised.top < 0) << "its frame lies just off the screen";
    EXPECT_EQ(S_FALSE, okno.UlozitPolohu(nullptr));
    EXPECT_FALSE(ReadValue(kTestClass.name, L"Poloha"));
}

TEST_F(OknoPoloha, PositionLeftOfThePrimaryMonitorComesBackOnThatSide)
{
    // A window on a monitor left of the primary one: stored as the low 16 bits of -300.
    ASSERT_NE(nullptr, Show(okno, At(-300, 100, 400, 300)));
    ASSERT_TRUE(HasRect(okno, At(-300, 100, 400, 300)));
    EXPECT_EQ(S_OK, okno.UlozitPolohu(nullptr));
    EXPECT_EQ(ZabalitDvojici(-300, 100), ReadValue(kTestClass.name, L"Poloha"));
    EXPECT_EQ(-300, RozbalitPolohu(ZabalitDvojici(-300, 100)).x);
    EXPECT_EQ(-5, RozbalitPolohu(ZabalitDvojici(100, -5)).y);
    DestroyWindow(okno);

    // Read back signed, so it comes back at -300 and only the pull into the work area of this
    // one monitor moves it, to the left edge; read unsigned it would land at the right edge.
    TestOkno next;
    ASSERT_NE(nullptr, Show(next, At(10, 10, 100, 100)));
    EXPECT_EQ(S_OK, next.ObnovitPolohu(nullptr, false));
    EXPECT_TRUE(HasRect(next, At(0, 100, 400, 300)));
}

TEST(OknoPolohaProgram, PlacementKeyThatMayNotBeWrittenStillClosesNormally)
{
    // The application key is volatile, so no stored key may go below it: the close must not
    // end in the fatal report.
    const std::wstring klic = L"Software\\AnimoraTests\\refused-" + std::to_wstring(GetCurrentProcessId());
    ChildProcess child;
    ASSERT_TRUE(StartChild(L"close-with-refused-placement", L"\"" + klic + L"\"", child));
    EXPECT_EQ(0u, child.WaitForExit(30000));
    RegDeleteTreeW(HKEY_CURRENT_USER, klic.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, klic.c_str());
}

TEST_F(OknoPoloha, StoredSizeLargerThanTheWorkAreaEndsAtItsLeftAndTopEdges)
{
    WriteDword(kTestClass.name, L"Poloha", ZabalitDvojici(50, 60));
    WriteDword(kTestClass.name, L"Velikost", ZabalitDvojici(1500, 1200));
    for (DWORD style : {static_cast<DWORD>(WS_OVERLAPPEDWINDOW), static_cast<DWORD>(WS_POPUP)}) {
        SCOPED_TRACE(style);
        TestOkno window;
        ASSERT_NE(nullptr, Show(window, At(10, 10, 100, 100), style));
        EXPECT_EQ(S_OK, window.ObnovitPolohu(nullptr, false));
        const RECT r = RectOf(window);
        EXPECT_EQ(0, r.left);
        EXPECT_EQ(0, r.top);
        EXPECT_GT(r.right, 1280) << "still larger than the work area";
        EXPECT_GT(r.bottom, 1024);
    }
}

TEST_F(OknoPoloha, ValuesOfAnyTypeUpToFourBytesAreTaken)
{
    const DWORD poloha = ZabalitDvojici(150, 160);
    const DWORD velikost = ZabalitDvojici(250, 200);
    WriteValue(kTestClass.name, L"Poloha", REG_BINARY, &poloha, 4);
    WriteValue(kTestClass.name, L"Velikost", REG_BINARY, &velikost, 4);
    ASSERT_NE(nullptr, Show(okno, At(10, 10, 100, 100)));
    EXPECT_EQ(S_OK, okno.ObnovitPolohu(nullptr, false));
    EXPECT_TRUE(HasRect(okno, At(150, 160, 250, 200)));

    // Two bytes fill only the low half; the rest of the buffer stays zero.
    const BYTE shortPoloha[2] = {0x2C, 0x01};
    WriteValue(kTestClass.name, L"Poloha", REG_BINARY, shortPoloha, 2);
    EXPECT_EQ(S_OK, okno.ObnovitPolohu(nullptr, true));
    EXPECT_TRUE(HasRect(okno, At(300, 0, 250, 200)));
}

TEST_F(OknoPoloha, NothingOrMissingOrTooLongValuesMeanNothingIsStored)
{
    ASSERT_NE(nullptr, Show(okno, At(10, 20, 200, 150)));
    const wchar_t text[] = L"12345";
    const BYTE eight[8] = {1, 0, 1, 0, 1, 0, 1, 0};
    struct Case {
        const char* what;
        const wchar_t* className;
    };
    WriteDword(L"JenPoloha", L"Poloha", ZabalitDvojici(300, 300));
    WriteDword(L"JenVelikost", L"Velikost", ZabalitDvojici(300, 300));
    WriteValue(L"DlouhyText", L"Poloha", REG_SZ, text, sizeof text);
    WriteDword(L"DlouhyText", L"Velikost", ZabalitDvojici(300, 300));
    WriteDword(L"OsmBajtu", L"Poloha", ZabalitDvojici(300, 300));
    WriteValue(L"OsmBajtu", L"Velikost", REG_BINARY, eight, sizeof eight);
    for (const Case& c : {Case{"first run, own class", nullptr}, Case{"first run", L"JinaTrida"},
                          Case{"no Velikost", L"JenPoloha"}, Case{"no Poloha", L"JenVelikost"},
                          Case{"REG_SZ of 12 bytes", L"DlouhyText"}, Case{"8 bytes", L"OsmBajtu"}})
        for (const bool jenPoloha : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (jenPoloha ? ", position only" : ""));
            EXPECT_EQ(S_FALSE, okno.ObnovitPolohu(c.className, jenPoloha));
            EXPECT_TRUE(HasRect(okno, At(10, 20, 200, 150))) << "the window is left alone";
        }
}

// The centring of real windows: over the owner, or on the work area.
class OknoVycentrovat : public testing::Test {
protected:
    TestOkno owner;
    TestOkno window;
};

TEST_F(OknoVycentrovat, OwnedWindowIsCentredOverItsVisibleOwnerOnTheWorkAreaOtherwise)
{
    enum Vlastnik { Zadny, Viditelny, Skryty, Minimalizovany };
    struct Pripad {
        const char* what;
        Vlastnik vlastnik;
        RECT owner, expected;
    };
    const Pripad pripady[] = {
        {"without owner", Zadny, {}, At(440, 362, 400, 300)},
        {"visible owner", Viditelny, At(100, 100, 400, 300), At(200, 200, 200, 100)},
        {"owner near the corner: kept on the work area", Viditelny, At(1100, 900, 180, 124), At(880, 724, 400, 300)},
        {"hidden owner", Skryty, At(100, 100, 400, 300), At(540, 462, 200, 100)},
        {"minimised owner", Minimalizovany, At(100, 100, 400, 300), At(540, 462, 200, 100)},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.what);
        TestOkno vlastnik;
        TestOkno okno;
        if (p.vlastnik != Zadny) {
            ASSERT_NE(nullptr, vlastnik.CreateAt(p.owner));
        }
        if (p.vlastnik == Viditelny) ShowWindow(vlastnik, SW_SHOWNOACTIVATE);
        if (p.vlastnik == Minimalizovany) ShowWindow(vlastnik, SW_SHOWMINNOACTIVE);
        ASSERT_EQ(p.vlastnik == Minimalizovany, IsIconic(vlastnik) != FALSE);
        const DWORD styl = p.vlastnik == Zadny ? WS_OVERLAPPEDWINDOW : WS_POPUP | WS_CAPTION;
        const RECT& r = p.expected;
        ASSERT_NE(nullptr, okno.CreateAt(At(3, 4, r.right - r.left, r.bottom - r.top), styl, vlastnik.Handle()));
        Vycentrovat(okno);
        EXPECT_TRUE(HasRect(okno, p.expected));
    }
}

TEST_F(OknoVycentrovat, GivenReferenceWinsOverTheOwnerAndNothingIsActivated)
{
    ASSERT_NE(nullptr, owner.CreateAt(At(100, 100, 400, 300)));
    TestOkno reference;
    ASSERT_NE(nullptr, reference.CreateAt(At(600, 500, 300, 200)));
    ShowWindow(owner, SW_SHOWNOACTIVATE);
    ShowWindow(reference, SW_SHOWNOACTIVATE);
    ASSERT_NE(nullptr, window.CreateAt(At(3, 4, 100, 50), WS_POPUP | WS_CAPTION, owner));
    ShowWindow(window, SW_SHOWNOACTIVATE);
    HWND active = GetActiveWindow();
    Vycentrovat(window, reference);
    EXPECT_TRUE(HasRect(window, At(700, 575, 100, 50)));
    EXPECT_EQ(active, GetActiveWindow());
}

TEST_F(OknoVycentrovat, ChildWindowIsCentredInItsParent)
{
    ASSERT_NE(nullptr, owner.CreateAt(At(100, 100, 400, 300), WS_POPUP));
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 50, owner, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, child);
    Vycentrovat(child);
    RECT r = RectOf(child);
    MapWindowPoints(nullptr, owner, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(150, r.left);
    EXPECT_EQ(125, r.top);
    EXPECT_EQ(100, r.right - r.left);
}

// The step on a fresh window object, with the hook expecting the text; with `klic` the object
// has the application key, with `okno` a visible window.
void Fatalne(const std::wstring& text, bool klic, bool okno, const std::function<void(TestOkno&)>& krok)
{
    PomocnikK1::OcekavaneHlaseni hook(text);
    TestOkno window;
    if (klic) window.NastavitKlicRegistru(kAppKey);
    if (okno) ShowWindow(window.CreateAt(At(10, 10, 100, 100)), SW_SHOWNOACTIVATE);
    krok(window);
}

TEST(OknoDeathTest, SavingBeforeTheKeyIsSetOrAClassNameThatDoesNotFitEndsTheProgram)
{
    TestSupport::ScratchRegistry registry;
    const std::wstring tooLong(255, L'x');
    const std::wstring noRoom = PomocnikK1::SystemText(HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER));
    const auto fatal = testing::ExitedWithCode(-1);
    const char* const expected = PomocnikK1::OcekavaneHlaseni::kOcekavany;
    EXPECT_EXIT(Fatalne(L"Nebyl nastaven klíč registru pro uložení souřadnic okna", false, true,
                        [](TestOkno& w) { w.UlozitPolohu(nullptr); }),
                fatal, expected);
    EXPECT_EXIT(Fatalne(noRoom, true, true, [&](TestOkno& w) { w.UlozitPolohu(tooLong.c_str()); }), fatal, expected);
    EXPECT_EXIT(Fatalne(noRoom, true, true, [&](TestOkno& w) { w.ObnovitPolohu(tooLong.c_str(), false); }), fatal,
                expected);
    EXPECT_EXIT(Fatalne(PomocnikK1::SystemText(HRESULT_FROM_WIN32(ERROR_INVALID_WINDOW_HANDLE)), true, false,
                        [](TestOkno& w) { w.ObnovitPolohu(nullptr, false); }),
                fatal, expected);
}

} // namespace
