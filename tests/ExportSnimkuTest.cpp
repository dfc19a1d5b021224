// Saving the active frame: encoder lookup, every format written and decoded back, saving
// over the open file through the temporary file, and the ways a save can fail.
#include <windows.h>

#include <algorithm>
#include <optional>

#include <gtest/gtest.h>

#include "image/ExportSnimku.h"
#include "image/GifAnimace.h"
#include "soubory/PrikazUlozeni.h"
#include "tests/GifFixtures.h"
#include "tests/TestSupport.h"

using namespace GifFixtures;
using TestSupport::ReadBytes;
using TestSupport::ScratchDir;

namespace {

constexpr int kFrames = 8;
constexpr UINT kActive = 5;
constexpr UINT16 kWidth = 24;
constexpr UINT16 kHeight = 18;

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// An open 8-frame animation, frame i in FrameColour(i), with frame 5 active.
struct OpenAnimation {
    explicit OpenAnimation(const ScratchDir& dir, const wchar_t* name = L"a.gif") : path(dir.File(name))
    {
        EXPECT_TRUE(WriteGif(path, Animation(kWidth, kHeight, kFrames)));
        original = ReadBytes(path);
        EXPECT_EQ(S_OK, model.Load(path, true));
        EXPECT_EQ(S_OK, model.SelectFrame(kActive));
    }
    std::wstring path;
    std::string original;
    GifAnimace model;
};

COLORREF ColourDrawn(const GifAnimace& model)
{
    Canvas canvas(4, 4, RGB(1, 2, 3));
    SolidBrush brush(RGB(4, 5, 6));
    model.DrawFitted(canvas.Dc(), 0, 0, 4, 4, brush.Get());
    return canvas.Pixel(2, 2);
}

// The file decodes as a single kWidth x kHeight image in `colour` (within `tolerance`).
void ExpectSingleFrameOf(const std::wstring& path, COLORREF colour, int tolerance)
{
    GifAnimace check;
    ASSERT_EQ(S_OK, check.Load(path, true));
    EXPECT_EQ(1, check.FrameCount());
    EXPECT_EQ(kWidth, check.Width());
    EXPECT_EQ(kHeight, check.Height());
    for (const POINT p : {POINT{0, 0}, POINT{kWidth - 1, kHeight - 1}, POINT{kWidth / 2, kHeight / 2}}) {
        COLORREF got = 0;
        ASSERT_TRUE(DecodedPixel(path, 0, p.x, p.y, got));
        EXPECT_LE(ColourDistance(colour, got), tolerance)
            << "pixel " << p.x << "," << p.y << " is " << std::hex << got << " not " << colour;
    }
}

} // namespace

// --- encoders ---------------------------------------------------------------------------

TEST(FindEncoderTest, ExtensionsInAnyCaseFindTheirEncoders)
{
    CLSID first{};
    CLSID other{};
    const int jpeg = FindEncoder(L".jpg", &first);
    ASSERT_GE(jpeg, 0);
    for (const wchar_t* ext : {L".jpeg", L".JPG", L".jPe", L".jfif"}) {
        EXPECT_EQ(jpeg, FindEncoder(ext, &other)) << testing::PrintToString(std::wstring(ext));
        EXPECT_TRUE(IsEqualCLSID(first, other));
    }
    const int tiff = FindEncoder(L".tif", &first);
    ASSERT_GE(tiff, 0);
    EXPECT_EQ(tiff, FindEncoder(L".TIFF", &other));
    EXPECT_TRUE(IsEqualCLSID(first, other));
    // Five different encoders for the five formats offered.
    std::vector<int> found;
    for (const wchar_t* ext : {L".bmp", L".jpg", L".gif", L".tif", L".png"}) found.push_back(FindEncoder(ext, &other));
    std::sort(found.begin(), found.end());
    EXPECT_GE(found[0], 0);
    EXPECT_EQ(found.end(), std::adjacent_find(found.begin(), found.end()));
}

TEST(FindEncoderTest, UnknownOrEmptyExtensionFindsNothing)
{
    CLSID clsid = {0x12345678};
    EXPECT_EQ(-1, FindEncoder(L".xyz", &clsid));
    EXPECT_EQ(-1, FindEncoder(L"", &clsid));
    EXPECT_EQ(-1, FindEncoder(L".pngx", &clsid));
    // Parts of a pattern are no pattern: "x.p" is not a PNG, nor "x." a BMP.
    for (const wchar_t* part : {L".p", L".jp", L".", L".PN", L"*.PNG", L"PNG"})
        EXPECT_EQ(-1, FindEncoder(part, &clsid)) << testing::PrintToString(std::wstring(part));
    EXPECT_EQ(0x12345678u, clsid.Data1); // left alone when nothing matches
}

TEST(ExportPathTest, TemporaryFileSitsBesideTheOpenFileAndLaterOnesAreNumbered)
{
    EXPECT_EQ(L"C:\\Data\\anim.gif_temp_.gif", TemporaryPathFor(L"C:\\Data\\anim.gif"));
    EXPECT_EQ(L"C:\\Data.v2\\anim_temp_", TemporaryPathFor(L"C:\\Data.v2\\anim"));
    EXPECT_EQ(L"C:\\a\\b.c.PNG_temp_.PNG", TemporaryPathFor(L"C:\\a\\b.c.PNG"));
    EXPECT_EQ(L"C:\\Data\\anim.gif_temp_.gif", TemporaryPathFor(L"C:\\Data\\anim.gif", 0));
    EXPECT_EQ(L"C:\\Data\\anim.gif_temp_2.gif", TemporaryPathFor(L"C:\\Data\\anim.gif", 2));
}

TEST(ExportPathTest, WrittenFileCheckWantsADecodableImageOfTheSameSize)
{
    ScratchDir dir;
    const std::wstring image = dir.File(L"i.gif");
    ASSERT_TRUE(WriteGif(image, Still(30, 20, FrameColour(0))));
    EXPECT_TRUE(IsImageOfSize(image, 30, 20));
    EXPECT_FALSE(IsImageOfSize(image, 20, 30));
    EXPECT_FALSE(IsImageOfSize(image, 30, 21));
    // What a broken encoder leaves behind: a GIF header and nothing else.
    const std::string stub = EncodeGif(Still(30, 20, FrameColour(0))).substr(0, 24);
    const std::wstring broken = dir.File(L"broken.gif");
    ASSERT_TRUE(TestSupport::WriteBytes(broken, stub.data(), stub.size()));
    EXPECT_FALSE(IsImageOfSize(broken, 30, 20));
    EXPECT_FALSE(IsImageOfSize(dir.File(L"none.gif"), 30, 20));
}

// --- saving to another file -------------------------------------------------------------

TEST(ExportSnimkuTest, ActiveFrameInEveryFormat)
{
    ScratchDir dir;
    OpenAnimation open(dir);
    const COLORREF expected = FrameColour(kActive);
    struct Case {
        const wchar_t* name;
        std::string magic;
        int tolerance; // JPEG is lossy; the others keep a colour of the web palette exactly
    };
    const Case cases[] = {
        {L"b.png", "\x89PNG", 0}, {L"b.bmp", "BM", 0},     {L"b.jpg", "\xFF\xD8", 24}, {L"c.JPEG", "\xFF\xD8", 24},
        {L"b.GIF", "GIF8", 0},    {L"b.tif", "II*", 0}, {L"b.Tiff", "II*", 0},
    };
    // An existing file of the name is overwritten.
    ASSERT_TRUE(TestSupport::WriteBytes(dir.File(L"b.png"), "old", 3));
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << testing::PrintToString(std::wstring(c.name)));
        const std::wstring target = dir.File(c.name);
        ASSERT_EQ(S_OK, open.model.SaveFrame(target.c_str()));
        EXPECT_EQ(0, ReadBytes(target).compare(0, c.magic.size(), c.magic));
        ExpectSingleFrameOf(target, expected, c.tolerance);
        // The open file is neither touched nor reloaded: same bytes, same active frame.
        EXPECT_EQ(open.original, ReadBytes(open.path));
        EXPECT_EQ(open.path, open.model.Path());
        EXPECT_EQ(kFrames, open.model.FrameCount());
        EXPECT_EQ(expected, ColourDrawn(open.model));
    }
}

TEST(ExportSnimkuTest, UnknownExtensionOrMissingFolderWritesNothing)
{
    ScratchDir dir;
    OpenAnimation open(dir);
    for (const wchar_t* name : {L"b.xyz", L"bez přípony", L"tečka.v.složce\\soubor", L"chybí\\b.png"}) {
        SCOPED_TRACE(testing::Message() << testing::PrintToString(std::wstring(name)));
        const std::wstring target = dir.File(name);
        const HRESULT hr = open.model.SaveFrame(target.c_str());
        if (target.find(L"chybí") == std::wstring::npos)
            EXPECT_EQ(E_INVALIDARG, hr);
        else
            EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
        EXPECT_FALSE(Exists(target));
    }
    EXPECT_FALSE(Exists(dir.File(L"chybí")));
    EXPECT_EQ(open.original, ReadBytes(open.path));
    EXPECT_EQ(FrameColour(kActive), ColourDrawn(open.model));
}

TEST(ExportSnimkuTest, PathsLongerThanMaxPath)
{
    ScratchDir dir;
    OpenAnimation open(dir);
    // Nested folders through the long-path prefix, well past 260 characters in all.
    std::wstring folder = L"\\\\?\\" + dir.Path();
    for (int i = 0; i < 4; ++i) {
        folder += L"\\" + std::wstring(70, static_cast<wchar_t>(L'a' + i));
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    }
    // With the prefix and without it: a clear result either way, and a file only on success.
    for (const std::wstring& target : {folder + L"\\dlouhá cesta.png", folder.substr(4) + L"\\bez prefixu.bmp"}) {
        SCOPED_TRACE(testing::Message() << target.size() << " characters");
        ASSERT_GT(target.size(), 300u);
        const HRESULT hr = open.model.SaveFrame(target.c_str());
        const std::wstring readable = target.compare(0, 4, L"\\\\?\\") == 0 ? target : L"\\\\?\\" + target;
        if (hr == S_OK) {
            COLORREF colour = 0;
            ASSERT_TRUE(DecodedPixel(readable, 0, 1, 1, colour));
            EXPECT_EQ(FrameColour(kActive), colour);
        } else {
            EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
            EXPECT_FALSE(Exists(readable));
        }
        EXPECT_EQ(FrameColour(kActive), ColourDrawn(open.model));
    }
}

// --- saving over the open file ----------------------------------------------------------
// A file of the user's under the name the temporary file would have.
struct UsersFileUnderTheTemporaryName {
    explicit UsersFileUnderTheTemporaryName(const std::wstring& open) : path(TemporaryPathFor(open))
    {
        EXPECT_TRUE(TestSupport::WriteBytes(path, bytes.data(), bytes.size()));
    }
    void ExpectUntouched() const { EXPECT_EQ(bytes, ReadBytes(path)) << "the user's own file"; }
    std::wstring path;
    std::string bytes = std::string("not ours, keep me\r\n") + std::string(300, '\x7F');
};

// Another program holds the file open (without letting it be deleted) for the object's life.
struct HeldElsewhere {
    explicit HeldElsewhere(const std::wstring& path)
        : file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr))
    {
        EXPECT_NE(INVALID_HANDLE_VALUE, file);
    }
    ~HeldElsewhere() { CloseHandle(file); }
    HANDLE file;
};

TEST(ExportSnimkuTest, SavingOverTheOpenFileReopensItAsTheSavedFrame)
{
    struct Case {
        const wchar_t* name;
        const wchar_t* target; // none means the open file; a name ending .bmp.gif is still a GIF
        bool usersFile;        // a file of the user's under the temporary name, which the save goes round
    };
    for (const Case& c : {Case{L"anim.gif", L"ANIM.GIF", false}, Case{L"snímek.bmp.gif", nullptr, false},
                          Case{L"anim.gif", L"anim.gif", true}}) {
        SCOPED_TRACE(testing::Message() << testing::PrintToString(std::wstring(c.target ? c.target : L"-")));
        ScratchDir dir;
        OpenAnimation open(dir, c.name);
        std::optional<UsersFileUnderTheTemporaryName> users;
        if (c.usersFile) users.emplace(open.path);
        ASSERT_EQ(S_OK, open.model.SaveFrame(c.target ? dir.File(c.target).c_str() : nullptr));
        if (users) users->ExpectUntouched();
        EXPECT_FALSE(Exists(TemporaryPathFor(open.path, users ? 1 : 0)));
        EXPECT_EQ(open.path, open.model.Path());
        EXPECT_EQ(1, open.model.FrameCount());
        EXPECT_EQ(FrameColour(kActive), ColourDrawn(open.model));
        EXPECT_EQ(0, ReadBytes(open.path).compare(0, 4, "GIF8"));
        open.model.Clear();
        ExpectSingleFrameOf(open.path, FrameColour(kActive), 0);
    }
}

TEST(ExportSnimkuTest, OpenFileWithoutFrameInformationIsReopenedWithout)
{
    ScratchDir dir;
    const std::wstring path = dir.File(L"still.png");
    {
        OpenAnimation source(dir);
        ASSERT_EQ(S_OK, source.model.SaveToFile(path));
    }
    GifAnimace model;
    ASSERT_EQ(S_OK, model.Load(path, false));
    ASSERT_EQ(S_OK, model.SaveFrame(path.c_str()));
    EXPECT_TRUE(model.HasImage());
    EXPECT_EQ(0, model.FrameCount());
    EXPECT_FALSE(Exists(TemporaryPathFor(path)));
}

// Each way a save over the open file is refused: the file stays byte for byte, nothing of the
// Each way a save over the open file is refused, with a file of the user's under the temporary
// name or without: the file stays byte for byte, nothing of the save is left beside it, and the
// model shows the file again at the frame it showed.
TEST(ExportSnimkuTest, RefusedSaveOverTheOpenFileLeavesItAndReopensIt)
{
    enum Way { Held, NoEncoder, ReadOnly };
    for (const Way way : {Held, NoEncoder, ReadOnly}) {
        for (const bool usersFile : {false, true}) {
            SCOPED_TRACE(testing::Message() << "way " << way << (usersFile ? ", user's file beside" : ""));
            ScratchDir dir;
            // A GIF under a name whose extension no encoder lists fails before writing anything.
            OpenAnimation open(dir, way == NoEncoder ? L"anim.gyf" : L"a.gif");
            std::optional<UsersFileUnderTheTemporaryName> users;
            if (usersFile) users.emplace(open.path);
            std::optional<HeldElsewhere> held;
            if (way == Held) held.emplace(open.path);
            ASSERT_TRUE(way != ReadOnly || SetFileAttributesW(open.path.c_str(), FILE_ATTRIBUTE_READONLY));
            const HRESULT hr = open.model.SaveFrame(open.path.c_str());
            held.reset();
            SetFileAttributesW(open.path.c_str(), FILE_ATTRIBUTE_NORMAL);
            EXPECT_TRUE(FAILED(hr) && (way != NoEncoder || hr == E_INVALIDARG)) << std::hex << hr;
            if (users) users->ExpectUntouched();
            EXPECT_EQ(open.original, ReadBytes(open.path));
            EXPECT_FALSE(Exists(TemporaryPathFor(open.path, users ? 1 : 0))) << "the save's own file is gone";
            EXPECT_EQ(open.path, open.model.Path());
            EXPECT_EQ(kFrames, open.model.FrameCount());
            EXPECT_EQ(FrameColour(kActive), ColourDrawn(open.model));
            EXPECT_EQ(kActive, open.model.ActiveFrame());
        }
    }
}

TEST(ExportSnimkuTest, ReadOnlyTargetOrOneHeldByAnotherProgramFailsAndStaysAsItWas)
{
    ScratchDir dir;
    OpenAnimation open(dir);
    const std::wstring target = dir.File(L"drzený.png");
    const std::string users = "another program has this open";
    for (const bool readOnly : {true, false}) {
        SCOPED_TRACE(readOnly ? "read-only" : "held");
        ASSERT_TRUE(TestSupport::WriteBytes(target, users.data(), users.size()));
        ASSERT_TRUE(!readOnly || SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
        std::optional<HeldElsewhere> held;
        if (!readOnly) held.emplace(target);
        const HRESULT hr = open.model.SaveFrame(target.c_str());
        held.reset();
        SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_TRUE(FAILED(hr) && (!readOnly || hr == HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED))) << std::hex << hr;
        EXPECT_EQ(users, ReadBytes(target));
        EXPECT_FALSE(Exists(TemporaryPathFor(target))) << "the save's own file is removed";
        EXPECT_EQ(kActive, open.model.ActiveFrame());
    }
}

TEST(ExportSnimkuTest, TemporaryNameOfATargetNearTheLengthLimitIsShort)
{
    ScratchDir dir;
    OpenAnimation open(dir);
    // A target just short of MAX_PATH, whose "_temp_" name would not be.
    std::wstring target = dir.File(L"");
    target += std::wstring(MAX_PATH - 1 - target.size() - 4, L'd') + L".png";
    ASSERT_EQ(static_cast<size_t>(MAX_PATH - 1), target.size());
    ASSERT_GE(TemporaryPathFor(target).size(), static_cast<size_t>(MAX_PATH));
    ASSERT_EQ(S_OK, open.model.SaveFrame(target.c_str()));
    COLORREF colour = 0;
    ASSERT_TRUE(DecodedPixel(target, 0, 1, 1, colour));
    EXPECT_EQ(FrameColour(kActive), colour);
    EXPECT_FALSE(Exists(ShortTemporaryPathFor(target, 0)));
}

TEST(ExportSnimkuTest, OnSaveFrameWithoutModelOrImageDoesNothing)
{
    // No dialog may appear: with nothing to save the handler returns at once.
    OnSaveFrame(nullptr, nullptr);
    GifAnimace empty;
    OnSaveFrame(nullptr, &empty);
    EXPECT_FALSE(empty.HasImage());
}

// --- a drive that fills up during the write (run by tests/PlnyDisk.sh on a tiny drive) -----

TEST(PlnyDisk, DISABLED_SaveThatDoesNotFitLeavesTheTargetAndNothingBesideIt)
{
    wchar_t drive[MAX_PATH] = L"";
    ASSERT_GT(GetEnvironmentVariableW(L"ANIMORA_PLNY_DISK", drive, MAX_PATH), 0u) << "run by tests/PlnyDisk.sh";
    const std::wstring folder = drive;
    // The user's file takes most of the drive; the new frame, a large bitmap, fits nowhere.
    const std::wstring target = folder + L"\\puvodni.bmp";
    const std::string users(40 * 1024, 'u');
    ASSERT_TRUE(TestSupport::WriteBytes(target, users.data(), users.size()));
    auto contents = [&folder] {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            if (found.cFileName[0] != L'.') names.push_back(found.cFileName);
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
    };

    ScratchDir dir;
    const std::wstring source = dir.File(L"velky.gif");
    ASSERT_TRUE(WriteGif(source, Animation(300, 200, 2)));
    GifAnimace model;
    ASSERT_EQ(S_OK, model.Load(source, true));

    EXPECT_TRUE(FAILED(model.SaveFrame(target.c_str()))) << "a save that did not happen says so";
    EXPECT_EQ(users, ReadBytes(target)) << "the user's file is as it was";
    EXPECT_EQ(std::vector<std::wstring>{L"puvodni.bmp"}, contents()) << "nothing of the save is left";

    // A new file that fails half-way is not left half-written either.
    EXPECT_TRUE(FAILED(model.SaveFrame((folder + L"\\novy.bmp").c_str())));
    EXPECT_EQ(std::vector<std::wstring>{L"puvodni.bmp"}, contents());
}
