#pragma once
// A repeatable uniform generator in [0, 1), identical on every runtime, for tests that draw
// many cases.
#include <cstdint>

class TestRandom {
public:
    explicit TestRandom(std::uint64_t seed) : m_state(seed) {}
    double Next()
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return double(m_state >> 11) * (1.0 / 9007199254740992.0);
    }
    double Between(double lo, double hi) { return lo + (hi - lo) * Next(); }

private:
    std::uint64_t m_state;
};
