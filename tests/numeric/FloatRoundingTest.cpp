#include "numeric/FloatRounding.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMin = std::numeric_limits<double>::denorm_min();

struct Rounding {
    double x;
    double floorValue;
    double ceilValue;
};

TEST(FloorCeil, WholeNumbersAroundTheArgument)
{
    const Rounding cases[] = {
        {-0.5, -1, 0},
        {2.5, 2, 3},
        {-2, -2, -2},
        {2.1, 2, 3},
        {-2.1, -3, -2},
        {1e300, 1e300, 1e300},
        {-1e300, -1e300, -1e300},
        {0.0, 0, 0},
        {-0.0, 0, 0},
        {kMin, 0, 1},
        {-kMin, -1, 0},
        {0.9999999999999999, 0, 1},
        {4503599627370495.5, 4503599627370495.0, 4503599627370496.0},
        {-4503599627370495.5, -4503599627370496.0, -4503599627370495.0},
        {9007199254740993.0, 9007199254740993.0, 9007199254740993.0},
        {65536.75, 65536, 65537},
        {-65536.75, -65537, -65536},
        {kInf, kInf, kInf},
        {-kInf, -kInf, -kInf},
    };
    for (const Rounding& c : cases) {
        SCOPED_TRACE(testing::Message() << "x=" << c.x);
        EXPECT_EQ(NumericFloor(c.x), c.floorValue);
        EXPECT_EQ(NumericCeil(c.x), c.ceilValue);
    }
    EXPECT_FALSE(std::signbit(NumericFloor(-0.0)));
    EXPECT_TRUE(std::isnan(NumericFloor(std::nan(""))));
    EXPECT_TRUE(std::isnan(NumericCeil(std::nan(""))));
}

TEST(FloorCeil, AgreesWithTheRuntimeOverManyMagnitudes)
{
    for (int e = -30; e <= 60; ++e) {
        for (double frac : {1.0, 1.1, 1.25, 1.5, 1.75, 1.9999999}) {
            for (double sign : {1.0, -1.0}) {
                const double x = sign * std::ldexp(frac, e);
                ASSERT_EQ(NumericFloor(x), std::floor(x)) << x;
                ASSERT_EQ(NumericCeil(x), std::ceil(x)) << x;
            }
        }
    }
}

struct Scaling {
    double x;
    int n;
    double expected;
};

TEST(Ldexp, EdgesOfTheExponentRange)
{
    const double maxDouble = std::numeric_limits<double>::max();
    const Scaling cases[] = {
        {1, 1024, kInf},
        {-1, 1024, -kInf},
        {1, -1074, kMin},
        {1, -1080, 0},
        {1, -1022, std::numeric_limits<double>::min()},
        {0.75, -1074, kMin},
        {0.75, -1073, 2 * kMin},
        {0.5, 1024, 8.98846567431158e307},
        {maxDouble, 1, kInf},
        {-maxDouble, 1, -kInf},
        {kMin, 1074, 1},
        {kMin, 2000, 5.67251933470834e278},
        {kMin, 2100, kInf},
        {-kMin, 1, -2 * kMin},
        {3, 0, 3},
        {1, INT_MAX, kInf},
        {-3, INT_MAX, -kInf},
        {1, INT_MIN, 0},
        {0, 5, 0},
        {kInf, -5, kInf},
        {-kInf, 5, -kInf},
    };
    for (const Scaling& c : cases) {
        SCOPED_TRACE(testing::Message() << "x=" << c.x << " n=" << c.n);
        EXPECT_EQ(NumericLdexp(c.x, c.n), c.expected);
    }
    EXPECT_TRUE(std::isnan(NumericLdexp(std::nan(""), 3)));
    EXPECT_FALSE(std::signbit(NumericLdexp(-1, -1080)));
}

TEST(Ldexp, AgreesWithTheRuntimeForNormalArguments)
{
    for (double x : {1.0, -1.0, 0.1, -3.75, 1.2345678901234567e-300, 6.02e23, -1.7e308}) {
        for (int n = -1200; n <= 1200; n += 7) {
            ASSERT_EQ(NumericLdexp(x, n), std::ldexp(x, n)) << "x=" << x << " n=" << n;
        }
    }
}

TEST(Ldexp, NeverTouchesErrno)
{
    errno = 0;
    NumericLdexp(1, 5000);
    NumericLdexp(1, -5000);
    NumericFloor(-2.5);
    EXPECT_EQ(errno, 0);
}

} // namespace
