#pragma once
// The rows of the shared GIFs' MANIFEST.tsv (file, kind, frames, screen size, delays), read
// alike by the tests under Wine and by the native decoder checks; standard C++ only.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace ManifestGifu {

struct Radek {
    std::string file;
    std::string kind;
    int frames = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint32_t> delays; // hundredths of a second
};

inline std::vector<std::string> Rozdelit(const std::string& text, char oddelovac)
{
    std::vector<std::string> pole;
    std::stringstream in(text);
    std::string kus;
    while (std::getline(in, kus, oddelovac)) pole.push_back(kus);
    return pole;
}

// The rows of the manifest's text; the header and short lines are left out.
inline std::vector<Radek> Precist(const std::string& text)
{
    std::vector<Radek> radky;
    std::stringstream in(text);
    std::string radek;
    std::getline(in, radek); // header
    while (std::getline(in, radek)) {
        if (!radek.empty() && radek.back() == '\r') radek.pop_back();
        const std::vector<std::string> f = Rozdelit(radek, '\t');
        if (f.size() < 9) continue;
        Radek r;
        r.file = f[0];
        r.kind = f[4];
        r.frames = std::atoi(f[5].c_str());
        r.width = static_cast<uint32_t>(std::strtoul(f[6].c_str(), nullptr, 10));
        r.height = static_cast<uint32_t>(std::strtoul(f[7].c_str(), nullptr, 10));
        for (const std::string& d : Rozdelit(f[8], ','))
            r.delays.push_back(static_cast<uint32_t>(std::strtoul(d.c_str(), nullptr, 10)));
        radky.push_back(r);
    }
    return radky;
}

} // namespace ManifestGifu
