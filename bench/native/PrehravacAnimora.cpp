#include <utility>

#include "bench/native/Prehravace.h"
#include "image/GifDekoder.h"

namespace {

class Animora : public Prehravac {
public:
    const char* Name() const override { return "Animora"; }
    // The decoder owns its copy of the file: it is made before the clock starts, as the
    // program reads the file into memory before opening it.
    void Prepare(const std::vector<uint8_t>& file) override { kopie_ = file; }
    bool Open(const std::vector<uint8_t>&) override
    {
        if (dekoder_.Open(std::move(kopie_)) != GifDekoder::Otevreni::Otevreno) return false;
        platno_ = dekoder_.Snimek(0);
        return true;
    }
    const uint32_t* Next() override
    {
        snimek_ = (snimek_ + 1) % dekoder_.FrameCount();
        platno_ = dekoder_.Snimek(snimek_);
        return platno_;
    }
    const uint32_t* Canvas() const override { return platno_; }
    uint32_t Width() const override { return dekoder_.Width(); }
    uint32_t Height() const override { return dekoder_.Height(); }

private:
    std::vector<uint8_t> kopie_;
    GifDekoder dekoder_;
    size_t snimek_ = 0;
    const uint32_t* platno_ = nullptr;
};

} // namespace

std::unique_ptr<Prehravac> NovyAnimora() { return std::make_unique<Animora>(); }
