#pragma once
// The test executable's own global allocator: it behaves as the standard one until a test
// (in a child process) tells it to fail, as an exhausted heap would.
namespace SelhavajiciAlokace {

// From now on every operator new of the process throws std::bad_alloc.
void Zapnout();

} // namespace SelhavajiciAlokace
