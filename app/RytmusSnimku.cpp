#include "app/RytmusSnimku.h"

#include <windows.h>

namespace {
constexpr int64_t kMikrosekundMs = 1000;
}

uint32_t RytmusSnimku::Zacit(int64_t ted, uint32_t intervalMs, uint32_t rychlost)
{
    termin_ = ted + static_cast<int64_t>(intervalMs) * kMikrosekundMs;
    rychlost_ = rychlost;
    bezi_ = true;
    return intervalMs;
}

uint32_t RytmusSnimku::Dalsi(int64_t ted, uint32_t intervalMs, uint32_t rychlost)
{
    const int64_t zpozdeni = ted - termin_;
    const int64_t interval = static_cast<int64_t>(intervalMs) * kMikrosekundMs;
    if (!bezi_ || rychlost != rychlost_ || zpozdeni < 0 || zpozdeni > interval) return Zacit(ted, intervalMs, rychlost);
    termin_ += interval;
    // Rounded up, so that the tick never comes before it is due and the lateness left over
    // is taken off the next interval instead.
    return static_cast<uint32_t>((termin_ - ted + kMikrosekundMs - 1) / kMikrosekundMs);
}

int64_t CasRytmu()
{
    static const int64_t frekvence = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<int64_t>(f.QuadPart);
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    const int64_t tiky = c.QuadPart;
    // Whole seconds and the rest apart, so that the product never overflows.
    return tiky / frekvence * 1000000 + tiky % frekvence * 1000000 / frekvence;
}
