// Messages that arrive while a handler of the main window waits in a modal loop (the open
// and save dialogs, the overwrite question, the context menu, the speed menu): a close or an
// ended session, timer ticks, drops and posted commands must neither crash the window nor
// touch the user's files. The loops run for real on the test thread; a thread timer acts
// from inside them, as a message from outside would arrive.
#include "tests/OknoHlavniTest.h"
#include "frames/ModulPrehledFrames.h"

#include <functional>
#include <vector>

#include "image/GifAnimace.h"
#include "resources/resource.h"
#include "tests/DialogDriver.h"
#include "tests/PomocnikK2.h"
#include "tests/PrehledFramesTest.h"

using namespace GifFixtures;

namespace {

using DialogDriver::Behem;
using DialogDriver::Krok;

HWND DialogOf(HWND vlastnik) { return DialogDriver::FindDialog(GetCurrentThreadId(), vlastnik); }

void NapsatAPotvrdit(HWND dialog, const std::wstring& cesta)
{
    DialogDriver::Choose(GetCurrentThreadId(), dialog, {cesta});
}

// The loops the main window's handlers run, each started the way the user starts it.
enum class Smycka { Otevrit, Ulozit, Prepsat, KontextoveMenu, MenuRychlosti };

class ReentranceTest : public OknoHlavniTest {
protected:
    void SetUp() override
    {
        OknoHlavniTest::SetUp();
        cesta = PomalaAnimace(4);
        Otevrit();
        cizi = slozka.File(L"cizi.png");
        ASSERT_TRUE(TestSupport::WriteBytes(cizi, kCiziObsah.data(), kCiziObsah.size()));
    }
    // A new window with the animation open and paused: saving is offered while paused.
    void Otevrit()
    {
        okno = std::make_unique<SledovaneOkno>();
        Vytvorit();
        okno->OtevritSoubor(cesta, true);
        Prikaz(ID_ANIMACE_PRERUSIT);
        ulozeni = nullptr;
    }

    // Starts the loop; the step given runs once it shows (for the overwrite question, once the
    // save dialog has been told to overwrite the user's file).
    size_t SpustitSmycku(Smycka smycka, std::function<void(HWND)> zasah)
    {
        Krok cil{nullptr, std::move(zasah)};
        std::vector<Krok> kroky;
        std::function<void()> akce;
        switch (smycka) {
        case Smycka::Otevrit:
        case Smycka::Ulozit:
            akce = [this, smycka] { Prikaz(smycka == Smycka::Otevrit ? ID_SOUBOR_OTEVRIT : ID_ANIMACE_ULOZITSNIMEK); };
            cil.najit = [this] { return DialogOf(Okno()); };
            break;
        case Smycka::Prepsat:
            akce = [this] { Prikaz(ID_ANIMACE_ULOZITSNIMEK); };
            kroky.push_back({[this] { return DialogOf(Okno()); },
                             [this](HWND d) {
                                 ulozeni = d;
                                 NapsatAPotvrdit(d, cizi);
                             }});
            cil.najit = [this] { return ulozeni ? DialogOf(ulozeni) : nullptr; };
            break;
        case Smycka::KontextoveMenu:
            akce = [this] { SendMessageW(Okno(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Okno()), -1); };
            cil.najit = DialogDriver::OpenMenu;
            break;
        case Smycka::MenuRychlosti:
            akce = [this] {
                NMTOOLBARW nm{};
                nm.hdr.hwndFrom = Panel();
                nm.hdr.idFrom = ID_PANEL_NASTROJU;
                nm.hdr.code = TBN_DROPDOWN;
                nm.iItem = ID_ANIMACE_RYCHLOST;
                SendMessageW(Okno(), WM_NOTIFY, ID_PANEL_NASTROJU, reinterpret_cast<LPARAM>(&nm));
            };
            cil.najit = DialogDriver::OpenMenu;
            break;
        }
        kroky.push_back(std::move(cil));
        return Behem(akce, std::move(kroky));
    }

    // Ends whatever loop shows, as the user would: Cancel, No, or Escape.
    static void UkoncitSami(HWND okno)
    {
        if (DialogDriver::ClassOf(okno) == L"#32768") {
            EndMenu();
            return;
        }
        if (GetDlgItem(okno, IDNO)) {
            DialogDriver::Click(okno, IDNO);
            // Then the save dialog under it.
            HWND vlastnik = GetWindow(okno, GW_OWNER);
            PostMessageW(vlastnik, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        DialogDriver::Click(okno, IDCANCEL);
    }

    static DWORD UlozenaPoloha()
    {
        DWORD hodnota = 0;
        PrehledFrames::CistDword(PrehledFrames::KlicPolohy(L"Animora"), L"Poloha", hodnota);
        return hodnota;
    }

    const std::string kCiziObsah = std::string("soubor uzivatele, nesmi se zmenit\r\n") + std::string(500, '\x55');
    std::wstring cesta;
    std::wstring cizi;
    HWND ulozeni = nullptr;
};

const std::pair<Smycka, const char*> kSmycky[] = {{Smycka::Otevrit, "open dialog"},
                                                  {Smycka::Ulozit, "save dialog"},
                                                  {Smycka::Prepsat, "overwrite question"},
                                                  {Smycka::KontextoveMenu, "context menu"},
                                                  {Smycka::MenuRychlosti, "speed menu"}};

TEST_F(ReentranceTest, CloseDuringAnyLoopEndsTheLoopAndThenTheWindow)
{
    for (const auto& [smycka, nazev] : kSmycky) {
        SCOPED_TRACE(nazev);
        if (!IsWindow(Okno())) Otevrit();
        const size_t kroku = SpustitSmycku(smycka, [this](HWND) { PostMessageW(Okno(), WM_CLOSE, 0, 0); });
        ASSERT_EQ(smycka == Smycka::Prepsat ? 2u : 1u, kroku) << "the loop showed";
        // The loop was ended for us, and the handler came back to a window that still has
        // its model and bars.
        ASSERT_TRUE(IsWindow(Okno()));
        ASSERT_NE(nullptr, okno->Animace());
        EXPECT_TRUE(okno->Animace()->HasImage());
        EXPECT_NE(nullptr, StavovaLista());
        EXPECT_EQ(0, PomocnikK2::CekatNaKonec()) << "the close comes once the handler has returned";
        EXPECT_FALSE(IsWindow(Okno()));
        EXPECT_EQ(kCiziObsah, TestSupport::ReadBytes(cizi)) << "the file asked about is untouched";
    }
}

TEST_F(ReentranceTest, EndedSessionDuringAnyLoopSavesThePlacementOnceAndLeavesTheRest)
{
    for (const auto& [smycka, nazev] : kSmycky) {
        SCOPED_TRACE(nazev);
        Otevrit();
        ASSERT_TRUE(SetWindowPos(Okno(), nullptr, 60, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER));

        const size_t kroku = SpustitSmycku(smycka, [this](HWND smyckovy) {
            SendMessageW(Okno(), WM_ENDSESSION, TRUE, 0);
            // The session ends without asking the loop to: the user, or the system, ends it.
            UkoncitSami(smyckovy);
        });
        ASSERT_EQ(smycka == Smycka::Prepsat ? 2u : 1u, kroku);
        ASSERT_TRUE(IsWindow(Okno()));
        ASSERT_NE(nullptr, okno->Animace()) << "what the loop's handler used is left alone";
        EXPECT_EQ(MAKELONG(60, 70), static_cast<LONG>(UlozenaPoloha())) << "the placement outlives the session";
        EXPECT_EQ(kCiziObsah, TestSupport::ReadBytes(cizi));

        // Should the process live on and close later, the placement is not written again.
        ASSERT_TRUE(SetWindowPos(Okno(), nullptr, 300, 310, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
        PostMessageW(Okno(), WM_CLOSE, 0, 0);
        EXPECT_EQ(0, PomocnikK2::CekatNaKonec());
        EXPECT_EQ(MAKELONG(60, 70), static_cast<LONG>(UlozenaPoloha()));
    }
}

TEST_F(ReentranceTest, TicksDuringTheSaveDialogAndTheFrameOnScreenIsSaved)
{
    Prikaz(ID_ANIMACE_SPUSTIT);
    ASSERT_TRUE(okno->Prehrava());
    const std::wstring cil = slozka.File(L"snimek.png");
    Behem([this] { Prikaz(ID_ANIMACE_ULOZITSNIMEK); },
          {{[this] { return DialogOf(Okno()); },
            [this, cil](HWND d) {
                for (int i = 0; i < 3; ++i) Tik(); // the animation goes on under the dialog
                NapsatAPotvrdit(d, cil);
            }}});
    ASSERT_TRUE(IsWindow(Okno()));
    ASSERT_TRUE(okno->Prehrava()) << "playback went on";
    COLORREF ulozena = 0;
    ASSERT_TRUE(DecodedPixel(cil, 0, 8, 8, ulozena)) << "the file was written completely";
    EXPECT_EQ(FrameColour(okno->Snimek()), ulozena) << "the frame on screen when the dialog closed";
}

TEST_F(ReentranceTest, DropAndModelCommandsDuringTheSaveDialogAreRefused)
{
    const std::wstring jiny = Gif(L"jiny.gif", Animation(8, 8, 2));
    const std::wstring cil = slozka.File(L"ulozeny.png");
    HGLOBAL drop = nullptr;
    Behem([this] { Prikaz(ID_ANIMACE_ULOZITSNIMEK); },
          {{[this] { return DialogOf(Okno()); },
            [&](HWND d) {
                drop = PomocnikK2::VytvoritDrop({jiny});
                SendMessageW(Okno(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
                SendMessageW(Okno(), WM_COMMAND, ID_SOUBOR_ZAVRIT, 0);
                SendMessageW(Okno(), WM_COMMAND, ID_ANIMACE_ZASTAVIT, 0);
                SendMessageW(Okno(), WM_COMMAND, ID_SOUBOR_OTEVRIT, 0); // would open a second dialog
                SendMessageW(Okno(), WM_AKTUALIZOVAT_STAV, 0, 0);
                NapsatAPotvrdit(d, cil);
            }}});
    ASSERT_NE(nullptr, okno->Animace());
    EXPECT_EQ(cesta, okno->CestaSouboru()) << "the drop did not replace the file under the dialog";
    EXPECT_EQ(static_cast<UINT>(GMEM_INVALID_HANDLE), GlobalFlags(drop)) << "the refused drop was finished";
    COLORREF ulozena = 0;
    ASSERT_TRUE(DecodedPixel(cil, 0, 4, 4, ulozena));
    EXPECT_EQ(FrameColour(okno->Snimek()), ulozena);

    // Once the dialog is gone the same commands work again.
    Prikaz(ID_SOUBOR_ZAVRIT);
    EXPECT_EQ(nullptr, okno->Animace());
}

} // namespace
