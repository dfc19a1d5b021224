#pragma once
// A base for classes that own what they hold (a handle, a window, a buffer): such an object is
// neither copied nor assigned, so that exactly one of them releases it.

namespace Tarnel::WinApi {

class Nekopirovatelny {
public:
    Nekopirovatelny(const Nekopirovatelny&) = delete;
    Nekopirovatelny& operator=(const Nekopirovatelny&) = delete;

protected:
    Nekopirovatelny() = default;
    ~Nekopirovatelny() = default;
};

} // namespace Tarnel::WinApi
