#include "numeric/BetaFamily.h"
#include "numeric/NumericCore.h"

#include <gsl/gsl_sf_dawson.h>
#include <gsl/gsl_sf_gamma.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Binomial, ExactBelowTwoToThe53)
{
    struct Case {
        int n, k;
        double expected;
    };
    const Case cases[] = {
        {5, 2, 10},
        {0, 0, 1},
        {30, 15, 155117520},
        {40, 20, 137846528820},
        {56, 28, 7648690600760440},
        {1000, 3, 166167000},
        {INT_MAX, 1, 2147483647.0},
        {INT_MAX, INT_MAX, 1},
        {INT_MAX, INT_MAX - 1, 2147483647.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "n=" << c.n << " k=" << c.k);
        errno = 0;
        EXPECT_EQ(BinomialCoefficient(c.n, c.k), c.expected);
        EXPECT_EQ(errno, 0);
    }
}

TEST(Binomial, LargeValuesToTenDigits)
{
    struct Case {
        int n, k;
    };
    const Case cases[] = {{57, 28}, {62, 31}, {100, 50}, {500, 7}, {1000, 500}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "n=" << c.n << " k=" << c.k);
        errno = 0;
        const double expected = gsl_sf_choose(c.n, c.k);
        const double value = BinomialCoefficient(c.n, c.k);
        EXPECT_NEAR(value, expected, 1e-9 * expected);
        EXPECT_EQ(value, std::floor(value));
        EXPECT_EQ(errno, 0);
    }
}

TEST(Binomial, OutOfRangeOrderSets103)
{
    struct Case {
        int n, k;
    };
    const Case cases[] = {{3, 5}, {5, -1}, {-3, 2}, {INT_MAX, -5}, {INT_MIN, INT_MAX}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "n=" << c.n << " k=" << c.k);
        errno = 0;
        const double value = BinomialCoefficient(c.n, c.k);
        EXPECT_EQ(errno, NumericBadArgument);
        if (c.n >= 0 && c.n < 100) {
            EXPECT_EQ(value, 0);
        }
    }
}

TEST(BetaFunctions, CompleteBetaAgainstClosedForms)
{
    struct Case {
        double z, w, expected;
    };
    const Case cases[] = {{2, 3, 1.0 / 12},
                          {0.5, 0.5, M_PI},
                          {1, 1, 1},
                          {10, 0.25, gsl_sf_beta(10, 0.25)},
                          {300, 400, gsl_sf_beta(300, 400)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "z=" << c.z << " w=" << c.w);
        errno = 0;
        EXPECT_NEAR(BetaFunction(c.z, c.w), c.expected, 1e-9 * c.expected);
        EXPECT_EQ(errno, 0);
    }
}

TEST(BetaFunctions, IncompleteBetaAgainstGsl)
{
    struct Case {
        double a, b, x;
    };
    const Case cases[] = {{2, 3, 0.4},           {1, 1, 0.3},   {0.5, 0.5, 0.5}, {0.5, 0.5, 0.01},
                          {5, 0.5, 0.9},         {0.5, 5, 0.9}, {10, 20, 0.2},   {10, 20, 0.6},
                          {30000, 30000, 0.501}, {2, 3, 0},     {2, 3, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "a=" << c.a << " b=" << c.b << " x=" << c.x);
        errno = 0;
        EXPECT_NEAR(IncompleteBeta(c.a, c.b, c.x), gsl_sf_beta_inc(c.a, c.b, c.x), 2e-7);
        EXPECT_EQ(errno, 0);
    }
    EXPECT_NEAR(IncompleteBeta(2, 3, 0.4), 0.5248, 1e-12);
    EXPECT_EQ(IncompleteBeta(2, 3, 0), 0);
    EXPECT_EQ(IncompleteBeta(2, 3, 1), 1);
}

TEST(BetaFunctions, IncompleteBetaRefusals)
{
    struct Case {
        double a, b, x;
        double result;
    };
    const Case cases[] = {{2, 3, 1.5, 0},       {2, 3, -0.1, 0},   {2, 3, kNaN, 0},
                          {kNaN, 3, 0.5, 0},    {2, kNaN, 0.5, 0}, {1e6, 1e6, 0.4999, 0},
                          {1e6, 1e6, 0.5001, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "a=" << c.a << " b=" << c.b << " x=" << c.x);
        errno = 0;
        EXPECT_EQ(IncompleteBeta(c.a, c.b, c.x), c.result);
        EXPECT_EQ(errno, NumericBadArgument);
    }
    errno = 0;
    EXPECT_EQ(IncompleteBetaContinuedFraction(1e6, 1e6, 0.4999), 0);
    EXPECT_EQ(errno, NumericBadArgument);
}

TEST(Dawson, AgreesWithGslAndIsOdd)
{
    for (double x : {1e-3, 0.1, 0.1999, 0.2, 0.5, 1.0, 2.0, 3.3, 10.0, 100.0, 1e5}) {
        SCOPED_TRACE(testing::Message() << "x=" << x);
        errno = 0;
        const double expected = gsl_sf_dawson(x);
        // The six-term sampling sum is good to about 4e-7 relative.
        EXPECT_NEAR(DawsonIntegral(x), expected, 5e-7 * expected);
        EXPECT_EQ(DawsonIntegral(-x), -DawsonIntegral(x));
        EXPECT_EQ(errno, 0);
    }
    EXPECT_NEAR(DawsonIntegral(0.5), 0.4244364, 1e-7);
    EXPECT_NEAR(DawsonIntegral(1), 0.5380795, 1e-7);
    EXPECT_NEAR(DawsonIntegral(2), 0.3013404, 1e-7);
    EXPECT_NEAR(DawsonIntegral(10), 0.0502538, 1e-7);
    errno = 0;
    EXPECT_EQ(DawsonIntegral(kNaN), 0);
    EXPECT_EQ(errno, NumericBadArgument);
    errno = 0;
    EXPECT_TRUE(std::isfinite(DawsonIntegral(1e300)));
}

} // namespace
