#include "numeric/ExponentialIntegrals.h"
#include "numeric/NumericCore.h"

#include <gsl/gsl_sf_expint.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(ExponentialIntegralE, AgreesWithGslOnSeriesAndFraction)
{
    struct Case {
        int n;
        double x;
    };
    const Case cases[] = {{0, 0.5}, {1, 1e-5}, {1, 0.5}, {1, 1.0},  {1, 1.01},
                          {1, 30},  {2, 0.2},  {2, 5},   {3, 0.9},  {5, 0.01},
                          {5, 2},   {10, 0.5}, {10, 40}, {60, 0.7}, {60, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "n=" << c.n << " x=" << c.x);
        errno = 0;
        const double expected = gsl_sf_expint_En(c.n, c.x);
        EXPECT_NEAR(ExponentialIntegralEn(c.n, c.x), expected, 1e-6 * std::fabs(expected));
        EXPECT_EQ(errno, 0);
    }
    errno = 0;
    EXPECT_EQ(ExponentialIntegralEn(3, 0), 0.5);
    EXPECT_EQ(errno, 0);
}

TEST(ExponentialIntegralE, BadArgumentsSet103)
{
    struct Case {
        int n;
        double x;
    };
    const Case cases[] = {{1, 0}, {0, 0}, {-1, 1}, {2, -0.5}, {2, kNaN}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "n=" << c.n << " x=" << c.x);
        errno = 0;
        EXPECT_EQ(ExponentialIntegralEn(c.n, c.x), 0);
        EXPECT_EQ(errno, NumericBadArgument);
    }
    // The argument is large and the order huge: the fraction's coefficients stay exact.
    errno = 0;
    EXPECT_GE(ExponentialIntegralEn(2147483647, 2), 0);
    EXPECT_EQ(errno, 0);
}

TEST(ExponentialIntegralEi, AgreesWithGslOnBothSeries)
{
    for (double x : {1e-31, 1e-10, 0.1, 1.0, 5.0, 16.0, 16.7, 20.0, 50.0, 700.0}) {
        SCOPED_TRACE(testing::Message() << "x=" << x);
        errno = 0;
        const double expected = gsl_sf_expint_Ei(x);
        EXPECT_NEAR(ExponentialIntegralEi(x), expected, 1e-6 * std::fabs(expected));
        EXPECT_EQ(errno, 0);
    }
    for (double x : {0.0, -1.0, kNaN}) {
        errno = 0;
        EXPECT_EQ(ExponentialIntegralEi(x), 0) << x;
        EXPECT_EQ(errno, NumericBadArgument) << x;
    }
}

TEST(Fresnel, AgreesWithReferenceValues)
{
    // S(x), C(x) computed to 17 digits with arbitrary-precision arithmetic.
    struct Case {
        double x, s, c;
    };
    const Case cases[] = {
        {0.0001, 5.2359877559829886e-13, 9.9999999999999998e-5},
        {0.3, 0.014116998006576586, 0.29940097605204721},
        {1, 0.43825914739035477, 0.77989340037682283},
        {1.5, 0.69750496008209301, 0.44526117603982154},
        {1.6, 0.6388876835093809, 0.36546168344048771},
        {2, 0.34341567836369824, 0.48825340607534075},
        {3.7, 0.57498034988747282, 0.54194566215448757},
        {10, 0.46816997858488224, 0.49989869420551572},
    };
    for (const Case& c : cases) {
        for (double sign : {1.0, -1.0}) {
            SCOPED_TRACE(testing::Message() << "x=" << sign * c.x);
            double s = 0;
            double cc = 0;
            errno = 0;
            FresnelIntegrals(sign * c.x, &s, &cc);
            EXPECT_EQ(errno, 0);
            EXPECT_NEAR(s, sign * c.s, 2e-7 * std::fmax(1e-6, c.s));
            EXPECT_NEAR(cc, sign * c.c, 2e-7 * c.c);
        }
    }
    double s = 7;
    double cc = 7;
    errno = 0;
    FresnelIntegrals(kNaN, &s, &cc);
    EXPECT_EQ(errno, NumericBadArgument);
    EXPECT_EQ(s, 7);
}

TEST(CosineSine, AgreesWithGsl)
{
    for (double x : {1e-20, 0.01, 0.5, 1.0, 2.0, 2.0001, 3.0, 10.0, 100.0, 1e4}) {
        SCOPED_TRACE(testing::Message() << "x=" << x);
        double ci = 0;
        double si = 0;
        errno = 0;
        CosineSineIntegrals(x, &ci, &si);
        EXPECT_EQ(errno, 0);
        EXPECT_NEAR(ci, gsl_sf_Ci(x), 2e-7 * std::fmax(1, std::fabs(gsl_sf_Ci(x))));
        EXPECT_NEAR(si, gsl_sf_Si(x), 2e-7 * std::fmax(1, std::fabs(gsl_sf_Si(x))));
        CosineSineIntegrals(-x, &ci, &si);
        EXPECT_NEAR(si, -gsl_sf_Si(x), 2e-7 * std::fmax(1, std::fabs(gsl_sf_Si(x))));
    }
    double ci = 0;
    double si = 1;
    errno = 0;
    CosineSineIntegrals(0, &ci, &si);
    EXPECT_EQ(ci, -1e30);
    EXPECT_EQ(si, 0);
    EXPECT_EQ(errno, 0);
}

// An overflowed argument is a limit, not a failure: the fractions cannot start from infinity.
TEST(ExponentialFamilyLimits, InfiniteArgumentsGiveTheLimits)
{
    constexpr double kInf = std::numeric_limits<double>::infinity();
    errno = 0;
    EXPECT_EQ(ExponentialIntegralEi(kInf), kInf);
    for (int n : {0, 1, 2, 10}) {
        EXPECT_EQ(ExponentialIntegralEn(n, kInf), 0) << "n=" << n;
    }
    EXPECT_EQ(errno, 0);
    for (double sign : {1.0, -1.0}) {
        SCOPED_TRACE(testing::Message() << "x=" << sign * kInf);
        double s = 7;
        double c = 7;
        FresnelIntegrals(sign * kInf, &s, &c);
        EXPECT_EQ(s, sign * 0.5);
        EXPECT_EQ(c, sign * 0.5);
        double ci = 7;
        double si = 7;
        CosineSineIntegrals(sign * kInf, &ci, &si);
        EXPECT_EQ(ci, 0);
        EXPECT_NEAR(si, sign * 1.5707963267948966, 1e-7);
        EXPECT_EQ(errno, 0);
    }
}

} // namespace
