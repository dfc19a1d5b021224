// Wuffs's GIF decoder, when the benchmark is built with a Wuffs release file (ANIMORA_WUFFS);
// the file is compiled on its own, this unit only sees its declarations. Wuffs draws a frame
// over the canvas itself; the disposal between frames is the caller's.
#include "bench/native/Prehravace.h"

#if defined(ANIMORA_WUFFS_FILE)
#include ANIMORA_WUFFS_FILE

#include <cstdlib>

#include "bench/native/Platno.h"

namespace {

class Wuffs : public Prehravac {
public:
    ~Wuffs() override { std::free(dekoder_); }
    const char* Name() const override { return "Wuffs"; }
    bool Open(const std::vector<uint8_t>& file) override
    {
        dekoder_ = static_cast<wuffs_gif__decoder*>(std::malloc(sizeof__wuffs_gif__decoder()));
        if (!dekoder_ || wuffs_gif__decoder__initialize(dekoder_, sizeof__wuffs_gif__decoder(), WUFFS_VERSION,
                                                        WUFFS_INITIALIZE__LEAVE_INTERNAL_BUFFERS_UNINITIALIZED)
                             .repr)
            return false;
        vstup_ = wuffs_base__ptr_u8__reader(const_cast<uint8_t*>(file.data()), file.size(), true);
        wuffs_base__image_config config{};
        if (wuffs_gif__decoder__decode_image_config(dekoder_, &config, &vstup_).repr) return false;
        const uint32_t w = wuffs_base__pixel_config__width(&config.pixcfg);
        const uint32_t h = wuffs_base__pixel_config__height(&config.pixcfg);
        wuffs_base__pixel_config__set(&config.pixcfg, WUFFS_BASE__PIXEL_FORMAT__BGRA_NONPREMUL,
                                      WUFFS_BASE__PIXEL_SUBSAMPLING__NONE, w, h);
        prvniSnimek_ = wuffs_base__image_config__first_frame_io_position(&config);
        platno_.Allocate(w, h);
        if (wuffs_base__pixel_buffer__set_from_slice(
                &pixely_, &config.pixcfg,
                wuffs_base__make_slice_u8(reinterpret_cast<uint8_t*>(platno_.Pixels()), size_t{w} * h * 4))
                .repr)
            return false;
        pracovni_.resize(static_cast<size_t>(wuffs_gif__decoder__workbuf_len(dekoder_).max_incl));
        return DrawNext();
    }
    const uint32_t* Next() override
    {
        platno_.Dispose();
        if (!DrawNext()) {
            wuffs_gif__decoder__restart_frame(dekoder_, 0, prvniSnimek_);
            vstup_.meta.ri = static_cast<size_t>(prvniSnimek_);
            platno_.Clear();
            DrawNext();
        }
        return platno_.Pixels();
    }
    const uint32_t* Canvas() const override { return platno_.Pixels(); }
    uint32_t Width() const override { return platno_.Width(); }
    uint32_t Height() const override { return platno_.Height(); }

private:
    bool DrawNext()
    {
        wuffs_base__frame_config frame{};
        if (wuffs_gif__decoder__decode_frame_config(dekoder_, &frame, &vstup_).repr) return false;
        const wuffs_base__rect_ie_u32 b = wuffs_base__frame_config__bounds(&frame);
        const wuffs_base__animation_disposal d = wuffs_base__frame_config__disposal(&frame);
        platno_.BeforeFrame(platno_.Clip(b.min_incl_x, b.min_incl_y, b.max_excl_x - b.min_incl_x,
                                         b.max_excl_y - b.min_incl_y),
                            d == WUFFS_BASE__ANIMATION_DISPOSAL__RESTORE_BACKGROUND ? Platno::Likvidace::Vymazat
                            : d == WUFFS_BASE__ANIMATION_DISPOSAL__RESTORE_PREVIOUS ? Platno::Likvidace::Obnovit
                                                                                     : Platno::Likvidace::Ponechat);
        const wuffs_base__pixel_blend blend = wuffs_base__frame_config__overwrite_instead_of_blend(&frame)
                                                  ? WUFFS_BASE__PIXEL_BLEND__SRC
                                                  : WUFFS_BASE__PIXEL_BLEND__SRC_OVER;
        // A frame cut short still shows what came.
        wuffs_gif__decoder__decode_frame(dekoder_, &pixely_, &vstup_, blend,
                                         wuffs_base__make_slice_u8(pracovni_.data(), pracovni_.size()), nullptr);
        return true;
    }

    wuffs_gif__decoder* dekoder_ = nullptr;
    wuffs_base__io_buffer vstup_{};
    uint64_t prvniSnimek_ = 0;
    Platno platno_;
    wuffs_base__pixel_buffer pixely_{};
    std::vector<uint8_t> pracovni_;
};

} // namespace

std::unique_ptr<Prehravac> NovyWuffs() { return std::make_unique<Wuffs>(); }

#else

std::unique_ptr<Prehravac> NovyWuffs() { return nullptr; }

#endif
