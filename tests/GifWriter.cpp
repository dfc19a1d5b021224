#include "tests/GifWriter.h"

#include <algorithm>
#include <iterator>

namespace GifFixtures {
namespace {

constexpr int kMinCodeSize = 8; // 256 colours; codes start 9 bits wide
constexpr unsigned kClearCode = 1u << kMinCodeSize;
constexpr unsigned kEndCode = kClearCode + 1;
constexpr unsigned kCodes = 4096;
// Literal codes between clear codes: the decoder's table then never outgrows 9-bit codes.
constexpr int kLiteralsPerClear = 250;

void Put16(std::string& out, unsigned value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void PutColour(std::string& out, COLORREF colour)
{
    out += static_cast<char>(GetRValue(colour));
    out += static_cast<char>(GetGValue(colour));
    out += static_cast<char>(GetBValue(colour));
}

void PutTable(std::string& out, const std::vector<COLORREF>& colours)
{
    for (size_t i = 0; i < 256; ++i) PutColour(out, i < colours.size() ? colours[i] : RGB(0, 0, 0));
}

// Splits data into sub-blocks of at most 255 bytes followed by the terminating empty block.
void PutSubBlocks(std::string& out, const std::string& data)
{
    for (size_t pos = 0; pos < data.size(); pos += 255) {
        const size_t n = std::min<size_t>(255, data.size() - pos);
        out += static_cast<char>(n);
        out.append(data, pos, n);
    }
    out += '\0';
}

class BitWriter {
public:
    void Put(unsigned code, int bits)
    {
        buffer_ |= code << used_;
        used_ += bits;
        while (used_ >= 8) {
            data_ += static_cast<char>(buffer_ & 0xFF);
            buffer_ >>= 8;
            used_ -= 8;
        }
    }
    std::string Finish()
    {
        if (used_ > 0) data_ += static_cast<char>(buffer_ & 0xFF);
        return data_;
    }

private:
    std::string data_;
    unsigned buffer_ = 0;
    int used_ = 0;
};

// The decoder defines each code one code after the encoder, and reads every code with the
// narrowest width that holds the codes it has defined.
int CodeWidth(int minimumCode, unsigned defined)
{
    int w = minimumCode + 1;
    while (w < 12 && (1u << w) < defined) ++w;
    return w;
}

// Uncompressed LZW: every pixel as a literal, with clear codes often enough that the code
// width stays at 9 bits. Valid for every decoder, and simple enough to trust. An end code
// after `written` pixels leaves the rest of the frame without data.
std::string LzwLiterals(const std::vector<BYTE>& pixels, size_t written = SIZE_MAX)
{
    BitWriter bits;
    const int width = kMinCodeSize + 1;
    bits.Put(kClearCode, width);
    int sinceClear = 0;
    for (size_t i = 0; i < pixels.size() && i < written; ++i) {
        if (sinceClear == kLiteralsPerClear) {
            bits.Put(kClearCode, width);
            sinceClear = 0;
        }
        bits.Put(pixels[i], width);
        ++sinceClear;
    }
    bits.Put(kEndCode, width);
    return bits.Finish();
}

// The compressed stream of `count` pixels of one index, written run by run: in a stream of
// one value each code the encoder emits stands for a run one pixel longer than the one
// before, so the codes follow from the run lengths without a table, and a frame far larger
// than memory costs no more than its file.
std::string LzwSolidRuns(BYTE index, uint64_t count)
{
    unsigned next = kEndCode + 1;
    BitWriter bits;
    bits.Put(kClearCode, CodeWidth(kMinCodeSize, next));
    uint64_t longest = 1; // the longest run the table holds since the last clear
    while (count > 0) {
        const uint64_t run = std::min(longest, count);
        bits.Put(run == 1 ? index : static_cast<unsigned>(kEndCode + run - 1), CodeWidth(kMinCodeSize, next));
        count -= run;
        if (count == 0) break;
        if (next == kCodes) {
            bits.Put(kClearCode, 12);
            next = kEndCode + 1;
            longest = 1;
        } else {
            ++next;
            longest = run + 1;
        }
    }
    bits.Put(kEndCode, CodeWidth(kMinCodeSize, next < kCodes ? next + 1 : next));
    return bits.Finish();
}

std::string FrameData(const GifRecipe& recipe, const std::vector<BYTE>& pixels, size_t written)
{
    if (!recipe.compressed) return LzwLiterals(pixels, written);
    return LzwCompressed(std::vector<uint16_t>(pixels.begin(), pixels.begin() + std::min(written, pixels.size())),
                         kMinCodeSize, false);
}

// The rows of an interlaced frame in the order the file gives them: every 8th from 0, every
// 8th from 4, every 4th from 2, every 2nd from 1.
std::vector<BYTE> Interlace(const std::vector<BYTE>& pixels, size_t width, size_t height)
{
    std::vector<BYTE> out;
    for (const auto& pass : {std::make_pair(0, 8), std::make_pair(4, 8), std::make_pair(2, 4), std::make_pair(1, 2)})
        for (size_t y = pass.first; y < height; y += pass.second)
            out.insert(out.end(), pixels.begin() + y * width, pixels.begin() + (y + 1) * width);
    return out;
}

void PutLoop(std::string& out, UINT16 count)
{
    out += "\x21\xFF\x0B" "NETSCAPE2.0";
    out += std::string("\x03\x01", 2);
    out += static_cast<char>(count & 0xFF);
    out += static_cast<char>(count >> 8);
    out += '\0';
}

void PutComment(std::string& out, const std::string& text)
{
    out += "\x21\xFE";
    PutSubBlocks(out, text);
}

void PutApplication(std::string& out)
{
    out += "\x21\xFF\x0B" "ImageMagick";
    PutSubBlocks(out, "gamma=0.45455");
}

void PutControl(std::string& out, const GifRecipe& recipe, const Frame& frame, int transparent)
{
    out += "\x21\xF9\x04";
    out += static_cast<char>((frame.disposal & 7) << 2 | (transparent >= 0 ? 1 : 0));
    Put16(out, frame.delay);
    out += static_cast<char>(transparent >= 0 ? transparent : 0);
    out += '\0';
    if (recipe.applicationAfterControl) PutApplication(out);
}

// The image descriptor, and the frame's own table when it has one.
void PutDescriptor(std::string& out, UINT16 left, UINT16 top, UINT16 width, UINT16 height,
                   const std::vector<COLORREF>* table, bool interlaced)
{
    out += '\x2C';
    Put16(out, left);
    Put16(out, top);
    Put16(out, width);
    Put16(out, height);
    out += static_cast<char>((table ? 0x87 : 0) | (interlaced ? 0x40 : 0));
    if (table) PutTable(out, *table);
    out += static_cast<char>(kMinCodeSize);
}

void PutOwnFrame(std::string& out, const GifRecipe& recipe, const Frame& frame)
{
    PutControl(out, recipe, frame, frame.transparentIndex);
    PutDescriptor(out, frame.left, frame.top, frame.width, frame.height, frame.colours.empty() ? nullptr : &frame.colours,
                  frame.interlaced);
    const std::vector<BYTE> rows = frame.interlaced ? Interlace(frame.pixels, frame.width, frame.height) : frame.pixels;
    PutSubBlocks(out, FrameData(recipe, rows, frame.pixelsWritten));
}

void PutFrame(std::string& out, const GifRecipe& recipe, size_t index)
{
    const Frame& frame = recipe.frames[index];
    if (!frame.pixels.empty()) return PutOwnFrame(out, recipe, frame);
    const bool local = recipe.palette == Palette::Local || (recipe.palette == Palette::FirstFrameOnly && index == 0);
    // The frame's one pixel value: its own entry of the global table, else entry 0.
    const bool ownEntry = recipe.palette == Palette::Global && recipe.globalColours.empty();
    const BYTE pixel = ownEntry ? static_cast<BYTE>(index) : 0;
    PutControl(out, recipe, frame, frame.transparent ? pixel : -1);
    const std::vector<COLORREF> table = {frame.colour};
    PutDescriptor(out, 0, 0, recipe.width, recipe.height, local ? &table : nullptr, false);
    const uint64_t count = uint64_t{recipe.width} * recipe.height;
    PutSubBlocks(out, recipe.compressed ? LzwSolidRuns(pixel, count)
                                        : LzwLiterals(std::vector<BYTE>(static_cast<size_t>(count), pixel)));
}

} // namespace

COLORREF FrameColour(int i)
{
    static const COLORREF kColours[] = {
        RGB(0xFF, 0x00, 0x00), RGB(0x00, 0x99, 0x00), RGB(0x00, 0x00, 0xFF), RGB(0xFF, 0xFF, 0x00),
        RGB(0xFF, 0x00, 0xFF), RGB(0x00, 0xFF, 0xFF), RGB(0x99, 0x33, 0x00), RGB(0x66, 0x00, 0x99),
        RGB(0xFF, 0x99, 0x00), RGB(0x00, 0x66, 0x66), RGB(0x99, 0x99, 0x99), RGB(0x33, 0x33, 0x33),
        RGB(0xCC, 0xFF, 0x66), RGB(0x66, 0x66, 0xFF), RGB(0xFF, 0x66, 0x99), RGB(0x00, 0x33, 0x99),
    };
    return kColours[static_cast<size_t>(i) % std::size(kColours)];
}

GifRecipe Animation(UINT16 width, UINT16 height, int count, const std::vector<UINT16>& delays)
{
    GifRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    for (int i = 0; i < count; ++i) {
        const UINT16 delay = static_cast<size_t>(i) < delays.size() ? delays[static_cast<size_t>(i)] : 10;
        recipe.frames.push_back({FrameColour(i), delay});
    }
    return recipe;
}

GifRecipe Still(UINT16 width, UINT16 height, COLORREF colour)
{
    GifRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.loop = false;
    recipe.frames.push_back({colour, 0});
    return recipe;
}

Frame OwnFrame(UINT16 left, UINT16 top, UINT16 w, UINT16 h, std::vector<BYTE> pixels, std::vector<COLORREF> colours,
               BYTE disposal)
{
    Frame frame{RGB(0, 0, 0), 10};
    frame.disposal = disposal;
    frame.left = left;
    frame.top = top;
    frame.width = w;
    frame.height = h;
    frame.pixels = std::move(pixels);
    frame.colours = std::move(colours);
    return frame;
}

std::string LzwCompressed(const std::vector<uint16_t>& values, int minimumCode, bool deferredClear)
{
    const unsigned clear = 1u << minimumCode;
    const unsigned symbols = clear;
    // table[prefix code * symbols + value]: the code of that string plus value. Each entry
    // carries the generation it was made in, so a clear code costs nothing to apply.
    std::vector<uint32_t> table(size_t{kCodes} * symbols, 0);
    uint32_t generation = 1;
    unsigned free = clear + 2;
    BitWriter bits;
    bits.Put(clear, CodeWidth(minimumCode, free));
    if (values.empty()) {
        bits.Put(clear + 1, CodeWidth(minimumCode, free));
        return bits.Finish();
    }
    unsigned prefix = values[0];
    for (size_t i = 1; i < values.size(); ++i) {
        uint32_t& entry = table[size_t{prefix} * symbols + values[i]];
        if ((entry >> 16) == generation) {
            prefix = entry & 0xFFFF;
            continue;
        }
        bits.Put(prefix, CodeWidth(minimumCode, free));
        if (free < kCodes) {
            entry = (generation << 16) | free++;
        } else if (!deferredClear) {
            bits.Put(clear, CodeWidth(minimumCode, free));
            ++generation;
            free = clear + 2;
        }
        prefix = values[i];
    }
    bits.Put(prefix, CodeWidth(minimumCode, free));
    bits.Put(clear + 1, CodeWidth(minimumCode, free < kCodes ? free + 1 : free));
    return bits.Finish();
}

std::string EncodeGif(const GifRecipe& recipe)
{
    std::string out = "GIF89a";
    Put16(out, recipe.width);
    Put16(out, recipe.height);
    out += recipe.palette == Palette::Global ? '\xF7' : '\x70';
    out += std::string("\x00\x00", 2);
    if (recipe.palette == Palette::Global) {
        std::vector<COLORREF> colours = recipe.globalColours;
        if (colours.empty())
            for (const Frame& f : recipe.frames) colours.push_back(f.colour);
        PutTable(out, colours);
    }
    if (recipe.loop) PutLoop(out, recipe.loopCount);
    if (!recipe.comment.empty()) PutComment(out, recipe.comment);
    for (size_t i = 0; i < recipe.frames.size(); ++i) PutFrame(out, recipe, i);
    out += '\x3B';
    return out;
}

bool WriteGif(const std::wstring& path, const GifRecipe& recipe)
{
    const std::string data = EncodeGif(recipe);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == data.size();
}

} // namespace GifFixtures
