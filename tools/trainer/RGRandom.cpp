#include "tools/trainer/RGRandom.h"

#include <cmath>

namespace Runegarden {

RGRandom::RGRandom(uint64_t seed) : m_State(seed) {}

uint64_t RGRandom::Next()
{
    // splitmix64
    uint64_t z = (m_State += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double RGRandom::Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

int RGRandom::Index(int count) { return static_cast<int>(Uniform() * count); }

double RGRandom::Gaussian()
{
    const double u = 1.0 - Uniform();
    const double v = Uniform();
    return std::sqrt(-2.0 * std::log(u)) * std::cos(6.283185307179586 * v);
}

} // namespace Runegarden
