#pragma once
// Noise for benchmark data: the same values on every run and every runtime.
#include <cstdint>

// Values in [-1, 1) from a fixed seed.
class RepeatableNoise {
public:
    explicit RepeatableNoise(std::uint64_t seed = 12345) : m_state(seed) {}
    double Next()
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return double(m_state >> 11) * (2.0 / 9007199254740992.0) - 1.0;
    }

private:
    std::uint64_t m_state;
};
