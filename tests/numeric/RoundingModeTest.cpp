// The rounding the program sets is the one the hardware and the runtime then use: sums whose exact
// value lies between two doubles (and two long doubles) land on the side each mode names.
#include "numeric/RoundingMode.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace {

TEST(RoundingMode, SumsBetweenTwoNumbersLandWhereEachModeSays)
{
    // 1 + 2^-60 and -1 - 2^-60 lie just beyond 1 and -1 in size, far below half a step of either
    // format, so only the mode decides: nearest and toward zero keep +-1, upward and downward
    // move one step to their side.
    const struct {
        int mode;
        const char* name;
        int up, down; // steps from 1 of 1 + 2^-60 and of -1 - 2^-60 (toward -2)
    } modes[] = {{FE_TONEAREST, "nearest", 0, 0},
                 {FE_UPWARD, "upward", 1, 0},
                 {FE_DOWNWARD, "downward", 0, 1},
                 {FE_TOWARDZERO, "toward zero", 0, 0}};
    volatile double tiny = std::ldexp(1.0, -60);
    volatile long double tinyLong = std::ldexp(1.0L, -80);
    for (const auto& m : modes) {
        SetRounding(m.mode);
        const double up = 1.0 + tiny, down = -1.0 - tiny;
        const long double upLong = 1.0L + tinyLong, downLong = -1.0L - tinyLong;
        const int kept = CurrentRounding(), runtime = std::fegetround();
        SetRounding(FE_TONEAREST);
        SCOPED_TRACE(m.name);
        EXPECT_EQ(kept, m.mode);
        EXPECT_EQ(runtime, m.mode);
        EXPECT_EQ(up, 1.0 + m.up * DBL_EPSILON);
        EXPECT_EQ(down, -1.0 - m.down * DBL_EPSILON);
        EXPECT_EQ(upLong, 1.0L + m.up * LDBL_EPSILON);
        EXPECT_EQ(downLong, -1.0L - m.down * LDBL_EPSILON);
    }
}

} // namespace
