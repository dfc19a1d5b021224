#pragma once
// Keeps playback on the clock. Each tick arms the timer for the frame it shows, and a timer
// armed with the frame's whole interval would add the tick's own lateness to every frame:
// instead the next tick is due a full interval after this one was due, so lateness does not
// add up. A tick more than a whole frame late (the window was dragged, the machine stalled)
// starts the count afresh rather than racing through frames to catch up.
#include <cstdint>

// Times are microseconds of one steady clock; intervals are the timer's milliseconds.
class RytmusSnimku {
public:
    // Playback (re)starts with a frame shown at `ted` for intervalMs: returns intervalMs.
    uint32_t Zacit(int64_t ted, uint32_t intervalMs, uint32_t rychlost);
    // The tick handled at `ted` shows a frame of intervalMs: returns the interval to arm,
    // intervalMs less the tick's lateness, rounded up to whole milliseconds and never below 0.
    // An early tick counts as on time; a new speed starts the count afresh.
    uint32_t Dalsi(int64_t ted, uint32_t intervalMs, uint32_t rychlost);

private:
    int64_t termin_ = 0; // when the next tick is due
    uint32_t rychlost_ = 0;
    bool bezi_ = false;
};

// Now, on the clock RytmusSnimku reckons with.
int64_t CasRytmu();
