#pragma once
// A small seeded generator whose sequence is the same on every platform and library, so a
// training run is reproducible from its seed.

#include <cstdint>

namespace Runegarden {

class RGRandom {
public:
    explicit RGRandom(uint64_t seed);

    uint64_t Next();
    // Uniform in [0, 1).
    double Uniform();
    double Uniform(double low, double high) { return low + (high - low) * Uniform(); }
    // Uniform in [0, count).
    int Index(int count);
    bool Chance(double probability) { return Uniform() < probability; }
    double Gaussian();

private:
    uint64_t m_State;
};

} // namespace Runegarden
