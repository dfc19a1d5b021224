#pragma once
// GIF files written on the spot, for the tests and the benchmarks: solid-colour frames with
// chosen delays, or frames with pixels, rectangles, tables and disposal of their own, with
// literal or compressed LZW data.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace GifFixtures {

struct Frame {
    COLORREF colour;
    UINT16 delay; // hundredths of a second
    bool transparent = false; // the frame's one colour is its transparent colour
    BYTE disposal = 1;        // as the control extension writes it, 0..7

    // A frame of its own when `pixels` is not empty: its indices, row by row, into `colours`
    // (written as its local table), over width x height at (left, top), which may reach past
    // the screen. `colour` and `transparent` then play no part.
    UINT16 left = 0;
    UINT16 top = 0;
    UINT16 width = 0;
    UINT16 height = 0;
    std::vector<BYTE> pixels;
    std::vector<COLORREF> colours;
    int transparentIndex = -1;
    bool interlaced = false;
    // The image data's end code comes after this many pixels (all of them by default).
    size_t pixelsWritten = SIZE_MAX;
    // With `pixels` and no `colours` the frame has no table of its own: its indices are into
    // the global table.
};

// An LZW stream of values below 2^minimumCode (1..11) that compresses as encoders do. With
// deferredClear the table stays full for the rest of the stream instead of being cleared.
std::string LzwCompressed(const std::vector<uint16_t>& values, int minimumCode, bool deferredClear);

// Where the colours of the file live. None writes a GIF without any colour table;
// FirstFrameOnly gives the first frame a local table and the others none at all.
enum class Palette { Global, Local, None, FirstFrameOnly };

// What EncodeGif writes.
struct GifRecipe {
    UINT16 width = 16;
    UINT16 height = 16;
    std::vector<Frame> frames;
    Palette palette = Palette::Global;
    bool loop = true;      // NETSCAPE2.0 loop block right after the screen descriptor
    UINT16 loopCount = 0;  // its count: 0 for ever, n for n repetitions after the first play
    std::string comment;   // a comment block before the first frame when not empty
    // An application extension between each frame's control extension and its image, as
    // ImageMagick writes them.
    bool applicationAfterControl = false;
    // The global table when not empty, instead of one entry per frame.
    std::vector<COLORREF> globalColours;
    // Image data compressed as encoders compress it, instead of a literal code a pixel: for
    // files of realistic size.
    bool compressed = false;
};

// A colour for frame i, distinct from its neighbours' and chosen from the 6x6x6 "web" cube
// so that it survives a palette conversion unchanged. Never black or white.
COLORREF FrameColour(int i);

// count frames of width x height, frame i in FrameColour(i) held delays[i] (or 10 when
// delays is shorter).
GifRecipe Animation(UINT16 width, UINT16 height, int count, const std::vector<UINT16>& delays = {});
// One frame of one colour, no delays to speak of.
GifRecipe Still(UINT16 width, UINT16 height, COLORREF colour);
// A frame of its own (see Frame): w x h at (left, top), index i of pixels the colour
// colours[i].
Frame OwnFrame(UINT16 left, UINT16 top, UINT16 w, UINT16 h, std::vector<BYTE> pixels, std::vector<COLORREF> colours,
               BYTE disposal = 1);

std::string EncodeGif(const GifRecipe& recipe);
bool WriteGif(const std::wstring& path, const GifRecipe& recipe);

} // namespace GifFixtures
