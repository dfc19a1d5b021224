#include "winlib/RozliseniCasovace.h"

#include <mmsystem.h>

#include <atomic>

#include "winlib/Chyby.h"

namespace Tarnel::WinApi {

namespace {
std::atomic<int> drzeno{0};
}

void RozliseniCasovace::Drzet()
{
    if (drzi_) return;
    if (timeBeginPeriod(periodaMs_) != TIMERR_NOERROR) return;
    drzi_ = true;
    ++drzeno;
}

void RozliseniCasovace::Uvolnit()
{
    if (!drzi_) return;
    drzi_ = false;
    --drzeno;
    // The period was granted to us, so giving it back cannot fail.
    if (timeEndPeriod(periodaMs_) != TIMERR_NOERROR) RaiseFatal(E_UNEXPECTED);
}

int RozliseniCasovace::Drzeno() { return drzeno.load(); }

} // namespace Tarnel::WinApi
