#pragma once
// Comparisons shared by the special-function and accuracy tests: relative closeness with an
// absolute floor (for values near a zero of the function), distance in ulps from a true value,
// and the errno discipline of the library.

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstring>

namespace special_check {

// |actual - expected| <= rel * max(|expected|, floor).
inline ::testing::AssertionResult Near(double actual, double expected, double rel,
                                       double floor = 0.0)
{
    const double scale = std::fmax(std::fabs(expected), floor);
    const double diff = std::fabs(actual - expected);
    if (diff <= rel * scale || actual == expected)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "actual " << actual << " expected " << expected << " relative error "
           << (scale > 0 ? diff / scale : diff) << " > " << rel;
}

// A value the library never stores itself: a successful call must leave it in errno.
constexpr int kForeignErrno = EDOM;

// True when the two doubles have the same bit pattern (so +0 and -0 differ, NaN equals NaN).
inline bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// |value - truth| in units of the last place of truth.
inline double UlpsFrom(double value, double truth)
{
    const double unit = std::nextafter(std::fabs(truth), HUGE_VAL) - std::fabs(truth);
    return std::fabs(value - truth) / unit;
}

} // namespace special_check
