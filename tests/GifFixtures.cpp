#include "tests/GifFixtures.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdlib>

#include "tests/TestSupport.h"

namespace GifFixtures {
namespace {

constexpr int kMinCodeSize = 8; // 256 colours; codes start 9 bits wide
constexpr unsigned kClearCode = 1u << kMinCodeSize;
constexpr unsigned kEndCode = kClearCode + 1;
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

std::string LzwSolid(BYTE index, size_t pixels) { return LzwLiterals(std::vector<BYTE>(pixels, index)); }

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

void PutLoop(std::string& out)
{
    out += "\x21\xFF\x0B" "NETSCAPE2.0";
    out += std::string("\x03\x01\x00\x00\x00", 5);
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

void PutOwnFrame(std::string& out, const GifRecipe& recipe, const Frame& frame)
{
    PutControl(out, recipe, frame, frame.transparentIndex);
    out += '\x2C';
    Put16(out, frame.left);
    Put16(out, frame.top);
    Put16(out, frame.width);
    Put16(out, frame.height);
    out += static_cast<char>(frame.interlaced ? 0xC7 : 0x87);
    PutTable(out, frame.colours);
    out += static_cast<char>(kMinCodeSize);
    const std::vector<BYTE> rows = frame.interlaced ? Interlace(frame.pixels, frame.width, frame.height) : frame.pixels;
    PutSubBlocks(out, LzwLiterals(rows, frame.pixelsWritten));
}

void PutFrame(std::string& out, const GifRecipe& recipe, size_t index)
{
    const Frame& frame = recipe.frames[index];
    if (!frame.pixels.empty()) return PutOwnFrame(out, recipe, frame);
    const bool local = recipe.palette == Palette::Local || (recipe.palette == Palette::FirstFrameOnly && index == 0);
    // The frame's one pixel value: its own entry of the global table, else entry 0.
    BYTE pixel = recipe.palette == Palette::Global ? static_cast<BYTE>(index) : 0;
    PutControl(out, recipe, frame, frame.transparent ? pixel : -1);

    out += '\x2C';
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, recipe.width);
    Put16(out, recipe.height);
    if (local) {
        out += '\x87';
        PutTable(out, {frame.colour});
    } else {
        out += '\0';
    }
    out += static_cast<char>(kMinCodeSize);
    PutSubBlocks(out, LzwSolid(pixel, size_t{recipe.width} * recipe.height));
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
    constexpr unsigned kCodes = 4096;
    std::vector<std::vector<unsigned>> next; // next[code][value]: the code of that string plus value
    unsigned free = 0;
    const auto reset = [&] {
        next.assign(kCodes, std::vector<unsigned>());
        free = clear + 2;
    };
    // The decoder defines each code one code after the encoder, and reads every code with
    // the narrowest width that holds the codes it has defined.
    const auto width = [&](unsigned defined) {
        int w = minimumCode + 1;
        while (w < 12 && (1u << w) < defined) ++w;
        return w;
    };
    BitWriter bits;
    reset();
    bits.Put(clear, width(free));
    if (values.empty()) {
        bits.Put(clear + 1, width(free));
        return bits.Finish();
    }
    unsigned prefix = values[0];
    for (size_t i = 1; i < values.size(); ++i) {
        std::vector<unsigned>& links = next[prefix];
        if (links.size() > values[i] && links[values[i]] != 0) {
            prefix = links[values[i]];
            continue;
        }
        bits.Put(prefix, width(free));
        if (free < kCodes) {
            if (links.size() <= values[i]) links.resize(values[i] + 1u, 0);
            links[values[i]] = free++;
        } else if (!deferredClear) {
            bits.Put(clear, width(free));
            reset();
        }
        prefix = values[i];
    }
    bits.Put(prefix, width(free));
    bits.Put(clear + 1, width(free < kCodes ? free + 1 : free));
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
        std::vector<COLORREF> colours;
        for (const Frame& f : recipe.frames) colours.push_back(f.colour);
        PutTable(out, colours);
    }
    if (recipe.loop) PutLoop(out);
    if (!recipe.comment.empty()) PutComment(out, recipe.comment);
    for (size_t i = 0; i < recipe.frames.size(); ++i) PutFrame(out, recipe, i);
    out += '\x3B';
    return out;
}

bool WriteGif(const std::wstring& path, const GifRecipe& recipe)
{
    const std::string data = EncodeGif(recipe);
    return TestSupport::WriteBytes(path, data.data(), data.size());
}

bool DecodedPixel(const std::wstring& path, UINT frame, int x, int y, COLORREF& colour)
{
    namespace Gdip = Gdiplus::DllExports;
    static const GUID kTime = {0x6aedbd6d, 0x3fb5, 0x418a, {0x83, 0xa6, 0x7f, 0x45, 0x22, 0x9d, 0xc8, 0x72}};
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (Gdip::GdipCreateBitmapFromFile(path.c_str(), &bitmap) != Gdiplus::Ok) return false;
    bool ok = frame == 0 || Gdip::GdipImageSelectActiveFrame(bitmap, &kTime, frame) == Gdiplus::Ok;
    Gdiplus::ARGB argb = 0;
    ok = ok && Gdip::GdipBitmapGetPixel(bitmap, x, y, &argb) == Gdiplus::Ok;
    Gdip::GdipDisposeImage(bitmap);
    colour = RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
    return ok;
}

bool UnderWine()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

int ColourDistance(COLORREF a, COLORREF b)
{
    const int dr = std::abs(GetRValue(a) - GetRValue(b));
    const int dg = std::abs(GetGValue(a) - GetGValue(b));
    const int db = std::abs(GetBValue(a) - GetBValue(b));
    return std::max({dr, dg, db});
}

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<DWORD*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
    Fill(fill);
}

Canvas::~Canvas()
{
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

COLORREF Canvas::Pixel(int x, int y) const
{
    GdiFlush();
    return Raw(x, y);
}

COLORREF Canvas::Raw(int x, int y) const
{
    const DWORD p = bits_[static_cast<size_t>(y) * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void Canvas::Fill(COLORREF colour)
{
    GdiFlush();
    const DWORD p = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    std::fill(bits_, bits_ + static_cast<size_t>(width_) * height_, p);
}

RECT Canvas::BoundsOfOther(COLORREF background, const RECT& area) const
{
    RECT bounds = {area.right, area.bottom, area.left, area.top};
    bool any = false;
    GdiFlush();
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (Raw(x, y) == background) continue;
            any = true;
            bounds.left = std::min<LONG>(bounds.left, x);
            bounds.top = std::min<LONG>(bounds.top, y);
            bounds.right = std::max<LONG>(bounds.right, x + 1);
            bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
        }
    }
    return any ? bounds : RECT{0, 0, 0, 0};
}

int Canvas::Count(COLORREF colour, const RECT& area) const
{
    int n = 0;
    GdiFlush();
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) n += Raw(x, y) == colour;
    return n;
}

} // namespace GifFixtures
