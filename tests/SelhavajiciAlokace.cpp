#include "tests/SelhavajiciAlokace.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> g_selhavat{false};

void* Alokovat(std::size_t velikost)
{
    if (g_selhavat.load(std::memory_order_relaxed)) throw std::bad_alloc();
    if (void* p = std::malloc(velikost ? velikost : 1)) return p;
    throw std::bad_alloc();
}
} // namespace

void SelhavajiciAlokace::Zapnout() { g_selhavat = true; }

void* operator new(std::size_t velikost) { return Alokovat(velikost); }
void* operator new[](std::size_t velikost) { return Alokovat(velikost); }
void* operator new(std::size_t velikost, const std::nothrow_t&) noexcept
{
    try {
        return Alokovat(velikost);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t velikost, const std::nothrow_t& t) noexcept { return operator new(velikost, t); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
