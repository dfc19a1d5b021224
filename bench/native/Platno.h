#pragma once
// The canvas the other libraries' frames are composed on, and the disposal of a frame's
// rectangle once it has been shown, done the same way for each of them.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

class Platno {
public:
    enum class Likvidace { Ponechat, Vymazat, Obnovit };
    struct Obdelnik {
        uint32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0; // clipped to the canvas
    };

    void Allocate(uint32_t width, uint32_t height)
    {
        sirka_ = width;
        vyska_ = height;
        pixely_.reset(static_cast<uint32_t*>(std::calloc(size_t{width} * height + 1, sizeof(uint32_t))));
        if (!pixely_) throw std::bad_alloc();
        likvidace_ = Likvidace::Ponechat;
    }
    void Clear()
    {
        std::memset(pixely_.get(), 0, size_t{sirka_} * vyska_ * sizeof(uint32_t));
        likvidace_ = Likvidace::Ponechat;
    }
    uint32_t* Pixels() const { return pixely_.get(); }
    uint32_t Width() const { return sirka_; }
    uint32_t Height() const { return vyska_; }

    Obdelnik Clip(uint32_t x, uint32_t y, uint32_t w, uint32_t h) const
    {
        return {std::min(x, sirka_), std::min(y, vyska_), std::min(x + w, sirka_), std::min(y + h, vyska_)};
    }

    // Before a frame is drawn: what its disposal will need afterwards.
    void BeforeFrame(Obdelnik r, Likvidace likvidace)
    {
        obdelnik_ = r;
        likvidace_ = likvidace;
        if (likvidace != Likvidace::Obnovit) return;
        const size_t w = r.x1 - r.x0;
        ulozeno_.resize(w * (r.y1 - r.y0));
        for (uint32_t y = r.y0; y < r.y1; ++y)
            std::memcpy(&ulozeno_[(y - r.y0) * w], Row(y) + r.x0, w * sizeof(uint32_t));
    }
    // Before the next frame is drawn: the disposal of the one shown.
    void Dispose()
    {
        const Obdelnik r = obdelnik_;
        const size_t w = r.x1 - r.x0;
        for (uint32_t y = r.y0; y < r.y1 && likvidace_ != Likvidace::Ponechat; ++y) {
            if (likvidace_ == Likvidace::Vymazat)
                std::fill(Row(y) + r.x0, Row(y) + r.x1, 0u);
            else
                std::memcpy(Row(y) + r.x0, &ulozeno_[(y - r.y0) * w], w * sizeof(uint32_t));
        }
        likvidace_ = Likvidace::Ponechat;
    }
    uint32_t* Row(uint32_t y) const { return pixely_.get() + size_t{y} * sirka_; }

private:
    struct Uvolnit {
        void operator()(uint32_t* p) const { std::free(p); }
    };
    std::unique_ptr<uint32_t[], Uvolnit> pixely_;
    uint32_t sirka_ = 0;
    uint32_t vyska_ = 0;
    Likvidace likvidace_ = Likvidace::Ponechat;
    Obdelnik obdelnik_;
    std::vector<uint32_t> ulozeno_;
};
