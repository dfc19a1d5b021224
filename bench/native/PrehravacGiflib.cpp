// giflib reads the file as a stream, a frame at a time, as its own players do; after the last
// frame it opens the file again for frame 0.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>

#include "bench/native/Platno.h"
#include "bench/native/Prehravace.h"

namespace {

class Giflib : public Prehravac {
public:
    ~Giflib() override { Close(); }
    const char* Name() const override { return "giflib"; }
    bool Open(const std::vector<uint8_t>& file) override
    {
        soubor_ = &file;
        if (!Start()) return false;
        platno_.Allocate(gif_->SWidth, gif_->SHeight);
        return DrawNext();
    }
    const uint32_t* Next() override
    {
        platno_.Dispose();
        if (!DrawNext()) {
            Start();
            platno_.Clear();
            DrawNext();
        }
        return platno_.Pixels();
    }
    const uint32_t* Canvas() const override { return platno_.Pixels(); }
    uint32_t Width() const override { return platno_.Width(); }
    uint32_t Height() const override { return platno_.Height(); }

private:
    static int Read(GifFileType* gif, GifByteType* to, int count)
    {
        auto* self = static_cast<Giflib*>(gif->UserData);
        const size_t n = std::min<size_t>(static_cast<size_t>(count), self->soubor_->size() - self->pozice_);
        std::memcpy(to, self->soubor_->data() + self->pozice_, n);
        self->pozice_ += n;
        return static_cast<int>(n);
    }

    void Close()
    {
        if (gif_) DGifCloseFile(gif_, nullptr);
        gif_ = nullptr;
    }

    bool Start()
    {
        Close();
        pozice_ = 0;
        int error = 0;
        gif_ = DGifOpen(this, Read, &error);
        return gif_ != nullptr;
    }

    // Reads up to the next image and draws it; false at the trailer or an error.
    bool DrawNext()
    {
        GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
        for (;;) {
            GifRecordType type;
            if (DGifGetRecordType(gif_, &type) == GIF_ERROR) return false;
            if (type == IMAGE_DESC_RECORD_TYPE) return DrawImage(control);
            if (type != EXTENSION_RECORD_TYPE) return false;
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif_, &code, &block) == GIF_ERROR) return false;
            if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
                DGifExtensionToGCB(block[0], block + 1, &control);
            while (block)
                if (DGifGetExtensionNext(gif_, &block) == GIF_ERROR) return false;
        }
    }

    bool DrawImage(const GraphicsControlBlock& control)
    {
        if (DGifGetImageDesc(gif_) == GIF_ERROR) return false;
        const GifImageDesc& d = gif_->Image;
        const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif_->SColorMap;
        uint32_t palette[256];
        std::fill(palette, palette + 256, 0xFF000000u);
        for (int i = 0; map && i < map->ColorCount && i < 256; ++i) {
            const GifColorType& c = map->Colors[i];
            palette[i] = 0xFF000000u | uint32_t{c.Red} << 16 | uint32_t{c.Green} << 8 | c.Blue;
        }
        const int transparent = control.TransparentColor;
        if (transparent >= 0 && transparent < 256) palette[transparent] = 0;

        const Platno::Obdelnik r = platno_.Clip(d.Left, d.Top, d.Width, d.Height);
        platno_.BeforeFrame(r, control.DisposalMode == DISPOSE_BACKGROUND ? Platno::Likvidace::Vymazat
                               : control.DisposalMode == DISPOSE_PREVIOUS ? Platno::Likvidace::Obnovit
                                                                          : Platno::Likvidace::Ponechat);
        radek_.resize(static_cast<size_t>(d.Width));
        static const int kStart[] = {0, 4, 2, 1};
        static const int kStep[] = {8, 8, 4, 2};
        const int passes = d.Interlace ? 4 : 1;
        for (int pass = 0; pass < passes; ++pass) {
            for (int row = d.Interlace ? kStart[pass] : 0; row < d.Height; row += d.Interlace ? kStep[pass] : 1) {
                if (DGifGetLine(gif_, radek_.data(), d.Width) == GIF_ERROR) return true; // shows what came
                const uint32_t y = static_cast<uint32_t>(d.Top + row);
                if (y >= r.y1) continue;
                uint32_t* out = platno_.Row(y);
                for (uint32_t x = r.x0; x < r.x1; ++x) {
                    const uint32_t colour = palette[radek_[x - d.Left]];
                    if (colour || transparent < 0) out[x] = colour;
                }
            }
        }
        return true;
    }

    const std::vector<uint8_t>* soubor_ = nullptr;
    size_t pozice_ = 0;
    GifFileType* gif_ = nullptr;
    Platno platno_;
    std::vector<GifPixelType> radek_;
};

} // namespace

std::unique_ptr<Prehravac> NovyGiflib() { return std::make_unique<Giflib>(); }
