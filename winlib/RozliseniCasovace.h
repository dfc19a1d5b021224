#pragma once
// Holds a finer resolution of the system timer (timeBeginPeriod) for as long as the owner
// needs it, and always gives it back with the matching timeEndPeriod.
#include <windows.h>

#include "winlib/Nekopirovatelny.h"

namespace Tarnel::WinApi {

// Owns at most one period request; not copyable. Holding it twice takes it once, releasing
// it twice gives it back once.
class RozliseniCasovace : private Nekopirovatelny {
public:
    explicit RozliseniCasovace(UINT periodaMs = 1) : periodaMs_(periodaMs) {}
    ~RozliseniCasovace() { Uvolnit(); }

    // A system that refuses the period leaves the holder empty: timers then keep the
    // default granularity, which is no failure.
    void Drzet();
    void Uvolnit();
    bool Drzi() const { return drzi_; }

    // How many periods the holders of this process hold at the moment, so that a test can
    // see every request given back.
    static int Drzeno();

private:
    UINT periodaMs_;
    bool drzi_ = false;
};

} // namespace Tarnel::WinApi
