// Every file of the shared GIF corpus through GifDekoder, checked against ImageMagick's
// "-coalesce" of the same file (every frame: alpha everywhere, colour where opaque) and
// against MANIFEST.tsv (frame counts, sizes and delays of the valid files). Damaged files
// are checked against what their blocks say they hold. Native (POSIX) program:
//   GifDekoderCoalesce GIF_FOLDER [LZW_WINDOW]
// prints one line per file and exits 1 when any check fails. A small LZW window makes the
// decoder rebuild most strings along their prefix chains instead of copying them.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "image/GifDekoder.h"
#include "tests/ManifestGifu.h"

namespace {

using Otevreni = GifDekoder::Otevreni;

// Files whose ImageMagick composition is not the one browsers show, so it is no reference.
const std::map<std::string, std::string> kImageMagickWrong = {
    // ImageMagick scans past the unknown block at offset 781 for the next image separator and
    // finds 55 "frames" in the noise; browsers end the file at a byte that starts no block,
    // and before offset 781 there is no image at all.
    {"nsgif_afl-id000023.gif", "ImageMagick reads images past an unknown block"},
    // The first frame (50 x 50 of a 100 x 100 screen) has no transparent index, and then
    // ImageMagick fills the rest of the screen, and what disposal 2 clears, with the file's
    // background colour; browsers leave both transparent.
    {"imagers_issue_1455_undersized.gif", "ImageMagick paints the background colour"},
};

// What the block structure of the damaged files (kind "corrupt") gives, where the manifest's
// 0 only says that ImageMagick could not decode them.
struct Damaged {
    Otevreni result;
    size_t frames;
};
const std::map<std::string, Damaged> kDamaged = {
    {"imagegif_gifplayer-muybridge_trunc13.gif", {Otevreni::ZadnySnimek, 0}}, // the screen descriptor only
    {"pillow_iss634_trunc138000.gif", {Otevreni::Otevreno, 16}},   // 15 whole frames and a cut one
    // Its one frame is 0 pixels wide, and so is its screen: there is no canvas to show.
    {"pillow_zero_width.gif", {Otevreni::ZadnySnimek, 0}},
    // A frame of 65535 x 1321 with LZW code size 143: it draws nothing, but as the first frame
    // it grows the screen past the canvas budget (it was left out before, and the file with it).
    {"pillow_decompression_bomb.gif", {Otevreni::PrilisVelky, 0}},
    {"imagegif_issue-101-infinite-empty-loop.gif", {Otevreni::ZadnySnimek, 0}}, // 0 wide, LZW code size 0
    {"imagegif_issue-117-out-of-range.gif", {Otevreni::ZadnySnimek, 0}},        // LZW code size 0
    {"nsgif_afl-id000097.gif", {Otevreni::ZadnySnimek, 0}},                     // LZW code size 0
    {"nsgif_afl-id000023.gif", {Otevreni::ZadnySnimek, 0}}, // an unknown block before any image
    {"imagers_zero-loop-count.gif", {Otevreni::ZadnySnimek, 0}}, // an unknown block after the screen
    {"nsgif_afl-id000001.gif", {Otevreni::NeniGif, 0}},          // two bytes
    {"nsgif_afl-id000252.gif", {Otevreni::PrilisVelky, 0}},      // an 18425 x 17993 screen
    {"nsgif_afl-id000007.gif", {Otevreni::Otevreno, 1}},         // a 32 x 32 frame cut short
    {"nsgif_lzwof.gif", {Otevreni::Otevreno, 1}}, // a 27 x 4 frame on a 4 x 13060 screen
};

using ManifestRow = ManifestGifu::Radek;

std::map<std::string, ManifestRow> ReadManifest(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::map<std::string, ManifestRow> rows;
    for (ManifestRow& row : ManifestGifu::Precist(std::string(std::istreambuf_iterator<char>(in), {})))
        rows[row.file] = row;
    return rows;
}

std::vector<uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Runs a shell command; its standard output, and whether it exited with 0.
bool Run(const std::string& command, std::string& output)
{
    output.clear();
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe) return false;
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    return pclose(pipe) == 0;
}

struct Coalesced {
    std::vector<std::pair<uint32_t, uint32_t>> sizes;
    std::vector<unsigned> delays;
    std::string rgba;
};

// ImageMagick's composed frames, or false when it cannot read the file.
bool ImageMagick(const std::filesystem::path& file, Coalesced& out)
{
    const std::string quoted = "'" + file.string() + "'";
    std::string info;
    if (!Run("convert " + quoted + " -coalesce -format '%w %h %T\\n' info:", info) || info.empty()) return false;
    std::stringstream lines(info);
    uint32_t w = 0, h = 0;
    unsigned delay = 0;
    while (lines >> w >> h >> delay) {
        out.sizes.emplace_back(w, h);
        out.delays.push_back(delay);
    }
    return Run("convert " + quoted + " -coalesce -depth 8 rgba:-", out.rgba);
}

// Differences between a composed frame and ImageMagick's bytes of it (R, G, B, A): alpha
// everywhere, colour where the pixel is opaque.
size_t Differences(const uint32_t* frame, const uint8_t* rgba, size_t pixels)
{
    size_t bad = 0;
    for (size_t p = 0; p < pixels; ++p, rgba += 4) {
        const uint32_t ours = frame[p];
        const uint32_t alpha = ours >> 24;
        if (alpha != rgba[3]) {
            ++bad;
        } else if (alpha == 255) {
            const uint32_t theirs = 0xFF000000u | (uint32_t{rgba[0]} << 16) | (uint32_t{rgba[1]} << 8) | rgba[2];
            bad += ours != theirs;
        }
    }
    return bad;
}

class Checker {
public:
    void Fail(const std::string& file, const std::string& what)
    {
        std::cout << "FAIL " << file << ": " << what << "\n";
        ++failures_;
    }
    int Failures() const { return failures_; }

private:
    int failures_ = 0;
};

std::string Describe(const GifDekoder& d, Otevreni result)
{
    static const char* const kNames[] = {"opened", "not a GIF", "too large", "no decodable frame"};
    std::ostringstream s;
    s << kNames[static_cast<int>(result)];
    if (result == Otevreni::Otevreno) {
        size_t whole = 0;
        for (size_t i = 0; i < d.FrameCount(); ++i) whole += d.Uplny(i);
        s << ", " << d.FrameCount() << " frames (" << whole << " whole), " << d.Width() << "x" << d.Height();
    }
    return s.str();
}

bool HasGifSignature(const std::vector<uint8_t>& bytes)
{
    const std::string start(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(std::min<size_t>(6, bytes.size())));
    return start == "GIF87a" || start == "GIF89a";
}

void CheckManifest(Checker& check, const std::string& name, GifDekoder& d, Otevreni result, const ManifestRow& row,
                   bool gif)
{
    // Other formats, whatever their names, are the image library's.
    if (!gif && row.kind != "corrupt") {
        if (result != Otevreni::NeniGif) check.Fail(name, "taken for a GIF");
        return;
    }
    if (row.kind == "corrupt") {
        const auto expected = kDamaged.find(name);
        if (expected == kDamaged.end()) {
            check.Fail(name, "a damaged file without an expectation");
        } else if (result != expected->second.result || d.FrameCount() != expected->second.frames) {
            check.Fail(name, "opens as " + Describe(d, result));
        }
        return;
    }
    if (result != Otevreni::Otevreno) return check.Fail(name, "does not open: " + Describe(d, result));
    if (d.FrameCount() != static_cast<size_t>(row.frames)) check.Fail(name, "frame count " + std::to_string(d.FrameCount()));
    if (d.Width() != row.width || d.Height() != row.height) check.Fail(name, "canvas " + Describe(d, result));
    for (size_t i = 0; i < d.FrameCount() && i < row.delays.size(); ++i)
        if (d.Delay(i) != row.delays[i]) check.Fail(name, "delay of frame " + std::to_string(i));
}

void CheckAgainstImageMagick(Checker& check, const std::string& name, const std::filesystem::path& path,
                             GifDekoder& d, Otevreni result)
{
    Coalesced im;
    if (!ImageMagick(path, im)) {
        std::cout << "     ImageMagick cannot read it\n";
        return;
    }
    const auto wrong = kImageMagickWrong.find(name);
    if (wrong != kImageMagickWrong.end()) {
        std::cout << "     not compared: " << wrong->second << "\n";
        return;
    }
    if (result != Otevreni::Otevreno) return check.Fail(name, "ImageMagick reads it, we do not");
    if (im.sizes.size() != d.FrameCount())
        return check.Fail(name, "ImageMagick has " + std::to_string(im.sizes.size()) + " frames");
    const size_t pixels = size_t{d.Width()} * d.Height();
    if (im.rgba.size() != pixels * 4 * d.FrameCount()) return check.Fail(name, "ImageMagick's pixels do not add up");
    for (size_t i = 0; i < d.FrameCount(); ++i) {
        if (im.sizes[i] != std::make_pair(d.Width(), d.Height()))
            return check.Fail(name, "ImageMagick's frame " + std::to_string(i) + " has another size");
        if (im.delays[i] != d.Delay(i)) check.Fail(name, "ImageMagick's delay of frame " + std::to_string(i));
        const auto* rgba = reinterpret_cast<const uint8_t*>(im.rgba.data()) + i * pixels * 4;
        const size_t bad = Differences(d.Snimek(i), rgba, pixels);
        if (bad) check.Fail(name, "frame " + std::to_string(i) + ": " + std::to_string(bad) + " pixels differ");
    }
    std::cout << "     matches ImageMagick in " << d.FrameCount() << " frames\n";
}

// The cut copy holds the whole file's first 15 frames exactly; the cut frame shows some of
// its rows over what frame 14 left.
void CheckTruncatedCopy(Checker& check, const std::filesystem::path& folder, GifDekoder::Limity limity)
{
    const std::string name = "pillow_iss634_trunc138000.gif";
    GifDekoder whole(limity);
    GifDekoder cut(limity);
    if (whole.Open(ReadFile(folder / "pillow_iss634.gif")) != Otevreni::Otevreno ||
        cut.Open(ReadFile(folder / name)) != Otevreni::Otevreno || cut.FrameCount() != 16)
        return check.Fail(name, "does not open beside the whole file");
    const size_t pixels = size_t{whole.Width()} * whole.Height();
    std::vector<uint32_t> before;
    for (size_t i = 0; i < 16; ++i) {
        const uint32_t* expected = whole.Snimek(i);
        const uint32_t* got = cut.Snimek(i);
        if (cut.Uplny(i) != (i < 15)) check.Fail(name, "frame " + std::to_string(i) + " wrongly (in)complete");
        size_t fromFrame = 0;
        size_t bad = 0;
        for (size_t p = 0; p < pixels; ++p) {
            if (got[p] == expected[p]) continue;
            if (i == 15 && got[p] == before[p])
                ++fromFrame;
            else
                ++bad;
        }
        if (bad) check.Fail(name, "frame " + std::to_string(i) + ": " + std::to_string(bad) + " pixels differ");
        if (i == 15 && (fromFrame == 0 || fromFrame == pixels))
            check.Fail(name, "the cut frame shows none or all of its rows");
        before.assign(expected, expected + pixels);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::cerr << "usage: GifDekoderCoalesce GIF_FOLDER [LZW_WINDOW]\n";
        return 2;
    }
    GifDekoder::Limity limity;
    if (argc == 3) limity.oknoLzw = std::strtoul(argv[2], nullptr, 10);
    const std::filesystem::path folder = argv[1];
    const std::map<std::string, ManifestRow> manifest = ReadManifest(folder / "MANIFEST.tsv");
    std::set<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename() != "MANIFEST.tsv" && entry.path().extension() != ".md") files.insert(entry.path());

    Checker check;
    for (const std::filesystem::path& path : files) {
        const std::string name = path.filename().string();
        GifDekoder d(limity);
        std::vector<uint8_t> bytes = ReadFile(path);
        const bool gif = HasGifSignature(bytes);
        const Otevreni result = d.Open(std::move(bytes));
        std::cout << name << ": " << Describe(d, result) << "\n";
        const auto row = manifest.find(name);
        if (row == manifest.end())
            check.Fail(name, "not in the manifest");
        else
            CheckManifest(check, name, d, result, row->second, gif);
        if (gif) CheckAgainstImageMagick(check, name, path, d, result);
    }
    CheckTruncatedCopy(check, folder, limity);
    std::cout << (check.Failures() ? "FAILED: " : "passed: ") << files.size() << " files, " << check.Failures()
              << " failures\n";
    return check.Failures() ? 1 : 0;
}
