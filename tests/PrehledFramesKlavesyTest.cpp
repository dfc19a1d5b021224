// The keys of the frames overview window, which runs its own thread: Tab and Shift+Tab go
// round the panel's controls, the arrows choose a frame in the list, Page Down and Page Up
// walk through the folder of the panel's file.
#include <gtest/gtest.h>

#include "frames/ModulPrehledFrames.h"
#include "resources/resource.h"
#include "tests/DialogDriver.h"
#include "tests/GifFixtures.h"
#include "tests/IdentitaProgramu.h"
#include "tests/PrehledFramesTest.h"
#include "tests/TestSupport.h"

using namespace GifFixtures;

namespace {

constexpr DWORD kCekani = 15000;

class KlavesyPrehledu : public testing::Test {
protected:
    void TearDown() override
    {
        if (pripojeno) AttachThreadInput(GetCurrentThreadId(), vlakno, FALSE);
        modulPrehledFrames.Ukoncit();
        TestSupport::PumpMessages();
    }

    std::wstring Gif(const std::wstring& nazev, int snimku)
    {
        const std::wstring cesta = slozka.File(nazev);
        EXPECT_TRUE(WriteGif(cesta, Animation(40, 30, snimku)));
        return cesta;
    }
    // The overview on the file, once it shows with the list focused; false when it does not.
    bool Zobrazit(const std::wstring& cesta)
    {
        modulPrehledFrames.Spustit(cesta.c_str(), nullptr);
        const bool ukazano = TestSupport::PumpUntil(
            [&] {
                okno = modulPrehledFrames.OknoPrehledu();
                return okno && IsWindowVisible(okno) && Fokus() == Prvek(IDC_PREHLED_SEZNAM);
            },
            kCekani);
        if (ukazano) vlakno = GetWindowThreadProcessId(okno, nullptr);
        return ukazano;
    }
    HWND Prvek(int id) const { return GetDlgItem(PrehledFrames::Panel(okno), id); }
    HWND Fokus() const { return Uzivatel::Fokus(GetWindowThreadProcessId(okno, nullptr)); }
    // A key pressed on the control that has the focus, through the thread's own loop; Shift
    // is held in the key state the two threads then share.
    void Stisknout(UINT vk, bool shift = false)
    {
        if (!pripojeno) pripojeno = AttachThreadInput(GetCurrentThreadId(), vlakno, TRUE) != FALSE;
        BYTE stav[256]{};
        GetKeyboardState(stav);
        stav[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(stav);
        Uzivatel::Stisknout(Fokus(), vk);
    }
    bool CekatNa(const std::function<bool()>& podminka) { return TestSupport::PumpUntil(podminka, kCekani); }

    IdentitaProgramu identita;
    TestSupport::ScratchRegistry registr;
    TestSupport::ScratchDir slozka;
    HWND okno = nullptr;
    DWORD vlakno = 0;
    bool pripojeno = false;
};

} // namespace

TEST_F(KlavesyPrehledu, TabAndShiftTabGoRoundThePanelsControls)
{
    ASSERT_TRUE(Zobrazit(Gif(L"a.gif", 3)));
    const HWND seznam = Prvek(IDC_PREHLED_SEZNAM);
    const HWND otevrit = Prvek(IDC_PREHLED_OTEVRIT);
    const HWND ulozit = Prvek(IDC_PREHLED_ULOZIT);
    const struct {
        bool shift;
        HWND kam;
    } kroky[] = {{false, otevrit}, {false, ulozit}, {false, seznam}, {true, ulozit}, {true, otevrit}, {true, seznam}};
    for (const auto& k : kroky) {
        Stisknout(VK_TAB, k.shift);
        EXPECT_TRUE(CekatNa([&] { return Fokus() == k.kam; })) << (k.shift ? "Shift+Tab to " : "Tab to ")
                                                                 << GetDlgCtrlID(k.kam);
    }
}

TEST_F(KlavesyPrehledu, ArrowsChooseAFrameAndPageKeysWalkTheFolder)
{
    const std::wstring a2 = Gif(L"a2.gif", 3);
    Gif(L"a10.gif", 5);
    ASSERT_TRUE(TestSupport::WriteBytes(slozka.File(L"b.gif"), "GIF89a?", 7));
    ASSERT_TRUE(Zobrazit(a2));
    const HWND seznam = Prvek(IDC_PREHLED_SEZNAM);
    Stisknout(VK_RIGHT);
    EXPECT_TRUE(CekatNa([&] { return SendMessageW(seznam, LB_GETCURSEL, 0, 0) == 1; })) << "the arrow stays the list's";
    Stisknout(VK_END);
    EXPECT_TRUE(CekatNa([&] { return SendMessageW(seznam, LB_GETCURSEL, 0, 0) == 2; }));

    const struct {
        UINT vk;
        const wchar_t* titulek;
    } kroky[] = {
        {VK_NEXT, L"Animora - a10.gif (počet obrázků: 5)"},
        {VK_NEXT, L"Animora - a2.gif (počet obrázků: 3)"}, // past the file that does not open
        {VK_PRIOR, L"Animora - a10.gif (počet obrázků: 5)"},
    };
    for (const auto& k : kroky) {
        Stisknout(k.vk);
        EXPECT_TRUE(CekatNa([&] { return DialogDriver::TextOf(okno) == k.titulek; }))
            << testing::PrintToString(std::wstring(k.titulek)) << ", not " << testing::PrintToString(DialogDriver::TextOf(okno));
    }
}
