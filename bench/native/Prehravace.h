#pragma once
// The decoders the native benchmark compares, each behind the same small player: open a file
// held in memory and compose its frame 0, then compose the next frame (after the last, frame 0
// again), always onto a canvas of 0xAARRGGBB straight-alpha pixels that starts transparent,
// with disposal 2 clearing and disposal 3 restoring the frame's rectangle. Canvas memory comes
// from calloc for all of them, so that none pays for clearing fresh memory.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class Prehravac {
public:
    virtual ~Prehravac() = default;
    virtual const char* Name() const = 0;
    // Work on the file that belongs before the clock starts.
    virtual void Prepare(const std::vector<uint8_t>&) {}
    // Opens the file and composes frame 0; false when it cannot.
    virtual bool Open(const std::vector<uint8_t>& file) = 0;
    // Composes the frame after the one shown; the canvas, Width() * Height() pixels.
    virtual const uint32_t* Next() = 0;
    virtual const uint32_t* Canvas() const = 0;
    virtual uint32_t Width() const = 0;
    virtual uint32_t Height() const = 0;
};

// Animora's decoder.
std::unique_ptr<Prehravac> NovyAnimora();
// giflib's decoding functions, its frames composed here.
std::unique_ptr<Prehravac> NovyGiflib();
// Wuffs, when the benchmark is built with it (null otherwise).
std::unique_ptr<Prehravac> NovyWuffs();
