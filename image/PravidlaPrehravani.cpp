#include "image/PravidlaPrehravani.h"

namespace {

constexpr uint32_t kNejkratsiVProhlizeci = 10; // ms: 1 hundredth and less
constexpr uint32_t kZpozdeniProhlizece = 100;

} // namespace

uint32_t ZpozdeniPodlePravidla(uint32_t zpozdeniMs, Casovani casovani)
{
    if (casovani == Casovani::JakoProhlizec && zpozdeniMs <= kNejkratsiVProhlizeci) return kZpozdeniProhlizece;
    return zpozdeniMs;
}

bool DalsiPrehrani(Opakovani opakovani, int smyckySouboru, uint32_t odehrano)
{
    if (opakovani == Opakovani::StaleDokola || smyckySouboru == 0) return true;
    if (smyckySouboru < 0) return false; // no loop count: one play
    return odehrano <= static_cast<uint32_t>(smyckySouboru);
}
