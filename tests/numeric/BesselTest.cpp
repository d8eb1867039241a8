#include "numeric/Bessel.h"
#include "numeric/NumericCore.h"
#include "tests/numeric/OracleCheck.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_sf_bessel.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <limits>

namespace {

using special_check::kForeignErrno;
using special_check::Near;

constexpr double kPi = 3.14159265358979323846;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class BesselTest : public ::testing::Test {
protected:
    void SetUp() override { gsl_set_error_handler_off(); }
};

// The oscillating functions are compared relative to their envelope sqrt(2/(pi x)), so that a
// value near a zero is not held to a relative accuracy it cannot have.
double Envelope(double x) { return std::fmin(1.0, std::sqrt(2.0 / (kPi * std::fabs(x)))); }

constexpr double kArguments[] = {1e-6, 0.01,  0.5,   1.0, 2.0,  2.404825557695773,
                                 3.75, 5.0,   7.99,  8.0, 8.01, 12.5,
                                 30.0, 100.0, 1234.5};

TEST_F(BesselTest, OrdersZeroAndOneAgreeWithGsl)
{
    // The published approximations of J and Y carry about eight digits near the cut-over at 8;
    // those of I and K bound the error of the scaled value near 2e-7 (5e-7 relative).
    for (double x : kArguments) {
        SCOPED_TRACE(testing::Message() << "x=" << x);
        errno = kForeignErrno;
        const double j0 = BesselJ0(x), j1 = BesselJ1(x), j0m = BesselJ0(-x), j1m = BesselJ1(-x);
        const double y0 = BesselY0(x), y1 = BesselY1(x);
        const double i0 = BesselI0(x), i0m = BesselI0(-x), k0 = BesselK0(x), k1 = BesselK1(x);
        EXPECT_EQ(errno, kForeignErrno);
        EXPECT_TRUE(Near(j0, gsl_sf_bessel_J0(x), 5e-8, Envelope(x)));
        EXPECT_TRUE(Near(j1, gsl_sf_bessel_J1(x), 5e-8, Envelope(x)));
        EXPECT_EQ(j0m, j0);
        EXPECT_EQ(j1m, -j1);
        EXPECT_TRUE(Near(y0, gsl_sf_bessel_Y0(x), 5e-8, Envelope(x)));
        EXPECT_TRUE(Near(y1, gsl_sf_bessel_Y1(x), 5e-8, Envelope(x)));
        EXPECT_TRUE(Near(i0, gsl_sf_bessel_I0(x), 5e-7));
        EXPECT_EQ(i0m, i0);
        EXPECT_TRUE(Near(k0, gsl_sf_bessel_K0(x), 5e-7));
        EXPECT_TRUE(Near(k1, gsl_sf_bessel_K1(x), 5e-7));
    }
}

TEST_F(BesselTest, IntegerOrdersAgreeWithGsl)
{
    // Miller's recurrence keeps about 5e-7 where x is close to n; elsewhere the order-0/1 digits.
    const int orders[] = {2, 3, 5, 10, 31};
    for (int n : orders) {
        for (double x : kArguments) {
            SCOPED_TRACE(testing::Message() << "n=" << n << " x=" << x);
            errno = kForeignErrno;
            const double jn = BesselJn(n, x), in = BesselIn(n, x);
            const double yn = BesselYn(n, x), kn = BesselKn(n, x);
            EXPECT_EQ(errno, kForeignErrno);
            EXPECT_TRUE(Near(jn, gsl_sf_bessel_Jn(n, x), 5e-7, Envelope(x)));
            if (x < 700) {
                EXPECT_TRUE(Near(in, gsl_sf_bessel_In(n, x), 5e-7));
            }
            if (x > 0.2) {
                // Below, Yn and Kn of the higher orders overflow.
                EXPECT_TRUE(Near(yn, gsl_sf_bessel_Yn(n, x), 5e-7, Envelope(x)));
                EXPECT_TRUE(Near(kn, gsl_sf_bessel_Kn(n, x), 5e-7));
            }
        }
    }
}

// Started from n alone, the downward recurrence for In is off by whole percents when x > n.
TEST_F(BesselTest, ModifiedIntegerOrdersHoldForArgumentsFarAboveTheOrder)
{
    struct Case {
        int n;
        double x;
    };
    const Case cases[] = {{2, 100}, {3, 300}, {3, 700}, {10, 700}, {2, -300}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "n=" << c.n << " x=" << c.x);
        EXPECT_TRUE(Near(BesselIn(c.n, c.x), gsl_sf_bessel_In(c.n, c.x), 5e-7));
    }
}

// In/I0 may fall below the normal range, and beyond |x| = 713 I0 overflows, while In of a
// large order is still a double; values computed to 20 digits with arbitrary-precision arithmetic.
TEST_F(BesselTest, ModifiedIntegerOrdersOverflowOnlyWithTheirValue)
{
    struct Case {
        int n;
        double x;
        double expected;
    };
    const Case cases[] = {
        {1050, 600, 4.4375618560667757705e-82},
        {1100, 700, 8.0473214014419477e-26},
        {1200, 700, 4.7938138110240985245e-81},
        {20, 740, kInf},
        {300, 750, 1.3879203654889398399e+298},
        {700, 800, 3.410981595150935826e+219},
        {1500, 1000, 388.89959418735878031},
        {2000, 1000, 1.2950953907756806197e-285},
        {5000, 1000, 0.0},
        {1000000, 1e6, kInf},
        {3, -800, -kInf},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "n=" << c.n << " x=" << c.x);
        errno = kForeignErrno;
        EXPECT_TRUE(Near(BesselIn(c.n, c.x), c.expected, 1e-6));
        EXPECT_EQ(errno, kForeignErrno);
    }
}

TEST_F(BesselTest, IntegerOrderSymmetryAndZero)
{
    errno = 0;
    for (double x : {0.3, 2.0, 4.9, 5.1, 17.0}) {
        SCOPED_TRACE(testing::Message() << "x=" << x);
        EXPECT_EQ(BesselJn(3, -x), -BesselJn(3, x));
        EXPECT_EQ(BesselJn(2, -x), BesselJn(2, x));
        EXPECT_EQ(BesselIn(3, -x), -BesselIn(3, x));
        EXPECT_EQ(BesselIn(4, -x), BesselIn(4, x));
    }
    EXPECT_EQ(BesselJn(2, 0.0), 0.0);
    EXPECT_EQ(BesselIn(5, 0.0), 0.0);
    // 4.9 runs Miller's downward recurrence, 5.1 the upward one; both keep eight digits.
    EXPECT_TRUE(Near(BesselJn(5, 4.9), gsl_sf_bessel_Jn(5, 4.9), 1e-8));
    EXPECT_TRUE(Near(BesselJn(5, 5.1), gsl_sf_bessel_Jn(5, 5.1), 1e-8));
    EXPECT_EQ(errno, 0);
}

TEST_F(BesselTest, BadArgumentsOfTheWholeFunctionsGiveCode103AndZero)
{
    struct Case {
        const char* call;
        double (*f)();
    };
    const Case cases[] = {
        {"Jn(1,2)", [] { return BesselJn(1, 2.0); }},
        {"Jn(-3,2)", [] { return BesselJn(-3, 2.0); }},
        {"In(0,2)", [] { return BesselIn(0, 2.0); }},
        {"Yn(1,2)", [] { return BesselYn(1, 2.0); }},
        {"Kn(0,2)", [] { return BesselKn(0, 2.0); }},
        {"Y0(0)", [] { return BesselY0(0.0); }},
        {"Y1(-1)", [] { return BesselY1(-1.0); }},
        {"K0(-2)", [] { return BesselK0(-2.0); }},
        {"K1(0)", [] { return BesselK1(0.0); }},
        {"Yn(3,-1)", [] { return BesselYn(3, -1.0); }},
        {"Kn(3,0)", [] { return BesselKn(3, 0.0); }},
        {"J0(nan)", [] { return BesselJ0(kNaN); }},
        {"J1(inf)", [] { return BesselJ1(kInf); }},
        {"I0(-inf)", [] { return BesselI0(-kInf); }},
        {"Y0(nan)", [] { return BesselY0(kNaN); }},
        {"Jn(4,nan)", [] { return BesselJn(4, kNaN); }},
        {"In(4,inf)", [] { return BesselIn(4, kInf); }},
        {"Kn(4,nan)", [] { return BesselKn(4, kNaN); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        errno = 0;
        EXPECT_EQ(c.f(), 0.0);
        EXPECT_EQ(errno, NumericBadArgument);
    }
}

TEST_F(BesselTest, HugeOrdersEndAtOnceWithoutOverflowingIntegers)
{
    errno = 0;
    // The upward recurrences stop at the overflow instead of subtracting infinities.
    EXPECT_EQ(BesselYn(INT_MAX, 1.0), -kInf);
    EXPECT_EQ(BesselKn(INT_MAX, 1.0), kInf);
    EXPECT_EQ(BesselYn(400, 1.0), -kInf);
    // Orders whose value lies below the smallest double take no recurrence of 2^31 steps.
    EXPECT_EQ(BesselJn(INT_MAX, 1.0), 0.0);
    EXPECT_EQ(BesselIn(INT_MAX, 3.0), 0.0);
    EXPECT_EQ(BesselJn(1000, 20.0), 0.0);
    EXPECT_EQ(errno, 0);
}

struct JyResult {
    double j, y, jp, yp;
};

JyResult CallJY(double x, double nu)
{
    JyResult r{kNaN, kNaN, kNaN, kNaN};
    BesselJY(x, nu, &r.j, &r.y, &r.jp, &r.yp);
    return r;
}

JyResult CallIK(double x, double nu)
{
    JyResult r{kNaN, kNaN, kNaN, kNaN};
    BesselIK(x, nu, &r.j, &r.y, &r.jp, &r.yp);
    return r;
}

constexpr double kOrders[] = {0.0, 1.0 / 3.0, 0.5, 2.0 / 3.0, 1.0, 2.7, 10.4, 25.0};
constexpr double kFractionalArguments[] = {0.05, 0.8, 1.99, 2.0, 3.3, 9.0, 40.0, 250.0};

TEST_F(BesselTest, FractionalOrdersAgreeWithGsl)
{
    for (double nu : kOrders) {
        for (double x : kFractionalArguments) {
            SCOPED_TRACE(testing::Message() << "nu=" << nu << " x=" << x);
            errno = kForeignErrno;
            const JyResult jy = CallJY(x, nu);
            const JyResult ik = CallIK(x, nu);
            EXPECT_EQ(errno, kForeignErrno);
            const double j = gsl_sf_bessel_Jnu(nu, x), y = gsl_sf_bessel_Ynu(nu, x);
            const double jp = nu / x * j - gsl_sf_bessel_Jnu(nu + 1, x);
            const double yp = nu / x * y - gsl_sf_bessel_Ynu(nu + 1, x);
            EXPECT_TRUE(Near(jy.j, j, 1e-8, Envelope(x)));
            EXPECT_TRUE(Near(jy.y, y, 1e-8, Envelope(x)));
            EXPECT_TRUE(Near(jy.jp, jp, 1e-8, Envelope(x)));
            EXPECT_TRUE(Near(jy.yp, yp, 1e-8, Envelope(x)));
            const double i = gsl_sf_bessel_Inu(nu, x), k = gsl_sf_bessel_Knu(nu, x);
            EXPECT_TRUE(Near(ik.j, i, 1e-8));
            EXPECT_TRUE(Near(ik.y, k, 1e-8));
            EXPECT_TRUE(Near(ik.jp, nu / x * i + gsl_sf_bessel_Inu(nu + 1, x), 1e-8));
            EXPECT_TRUE(Near(ik.yp, nu / x * k - gsl_sf_bessel_Knu(nu + 1, x), 1e-8));
        }
    }
}

TEST_F(BesselTest, WronskiansHoldOnBothSidesOfTheSeriesCutOver)
{
    for (double nu : kOrders) {
        for (double x : {0.3, 1.99, 2.0, 7.0}) {
            SCOPED_TRACE(testing::Message() << "nu=" << nu << " x=" << x);
            const JyResult jy = CallJY(x, nu);
            EXPECT_TRUE(Near(jy.j * jy.yp - jy.y * jy.jp, 2 / (kPi * x), 1e-13));
            const JyResult ik = CallIK(x, nu);
            EXPECT_TRUE(Near(ik.j * ik.yp - ik.jp * ik.y, -1 / x, 1e-13));
        }
    }
}

TEST_F(BesselTest, HalfOrderHasClosedForms)
{
    // Five Chebyshev terms of the gamma pieces limit the series (x < 2) to about 1e-9.
    for (double x : {0.1, 0.7, 1.5, 1.99, 2.0, 3.0, 11.0, 60.0}) {
        SCOPED_TRACE(testing::Message() << "x=" << x);
        const JyResult r = CallJY(x, 0.5);
        const double amp = std::sqrt(2 / (kPi * x));
        const double tol = x < 2 ? 1e-9 : 5e-12;
        EXPECT_TRUE(Near(r.j, amp * std::sin(x), tol, amp));
        EXPECT_TRUE(Near(r.y, -amp * std::cos(x), tol, amp));
    }
}

// Far above x, J and I underflow and Y and K overflow; the recurrences must not turn that into NaN.
TEST_F(BesselTest, FractionalOrdersFarAboveTheArgumentUnderflowAndOverflow)
{
    struct Case {
        double x, nu;
    };
    const Case cases[] = {{0.1, 150}, {1, 200.5},  {5, 400},
                          {30, 1000}, {1e-300, 2}, {3, 2147483647.5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "x=" << c.x << " nu=" << c.nu);
        errno = 0;
        const JyResult jy = CallJY(c.x, c.nu);
        const JyResult ik = CallIK(c.x, c.nu);
        EXPECT_EQ(errno, 0);
        EXPECT_EQ(jy.j, 0.0);
        EXPECT_EQ(jy.y, -kInf);
        EXPECT_EQ(jy.jp, 0.0);
        EXPECT_EQ(jy.yp, kInf);
        EXPECT_EQ(ik.j, 0.0);
        EXPECT_EQ(ik.y, kInf);
        EXPECT_EQ(ik.jp, 0.0);
        EXPECT_EQ(ik.yp, -kInf);
    }
    // Just inside the double range the values are still right.
    for (double nu : {150.0, 200.5}) {
        SCOPED_TRACE(testing::Message() << "x=5 nu=" << nu);
        const JyResult jy = CallJY(5, nu);
        const JyResult ik = CallIK(5, nu);
        EXPECT_TRUE(Near(jy.j, gsl_sf_bessel_Jnu(nu, 5), 1e-8));
        EXPECT_TRUE(Near(jy.y, gsl_sf_bessel_Ynu(nu, 5), 1e-8));
        EXPECT_TRUE(Near(ik.j, gsl_sf_bessel_Inu(nu, 5), 1e-8));
        EXPECT_TRUE(Near(ik.y, gsl_sf_bessel_Knu(nu, 5), 1e-8));
    }
    double sj, sy, sjp, syp;
    SphericalBessel(300, 2.0, &sj, &sy, &sjp, &syp);
    EXPECT_EQ(sj, 0.0);
    EXPECT_EQ(sy, -kInf);
}

TEST_F(BesselTest, FractionalOrderFailuresLeaveOutputsUnwritten)
{
    struct Case {
        double x, nu;
    };
    const Case cases[] = {{0.0, 1.0},  {1.0, -0.5}, {-2.0, 1.0}, {kNaN, 1.0},
                          {1.0, kNaN}, {kInf, 0.3}, {1.0, kInf}, {1.0, 1e10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "x=" << c.x << " nu=" << c.nu);
        for (auto call : {BesselJY, BesselIK}) {
            double a = 1, b = 2, d = 3, e = 4;
            errno = 0;
            call(c.x, c.nu, &a, &b, &d, &e);
            EXPECT_EQ(errno, NumericBadArgument);
            EXPECT_EQ(a, 1);
            EXPECT_EQ(b, 2);
            EXPECT_EQ(d, 3);
            EXPECT_EQ(e, 4);
        }
    }
}

TEST_F(BesselTest, LargeArguments)
{
    errno = 0;
    const JyResult jy = CallJY(5000, 0.3);
    EXPECT_EQ(errno, 0);
    // The first continued fraction needs a little more than x steps: 10001 exhausts it.
    JyResult failed{1, 2, 3, 4};
    BesselJY(10001, 0.3, &failed.j, &failed.y, &failed.jp, &failed.yp);
    EXPECT_EQ(errno, NumericBadArgument);
    EXPECT_EQ(failed.j, 1);
    EXPECT_EQ(failed.yp, 4);
    errno = 0;
    EXPECT_TRUE(Near(jy.j, gsl_sf_bessel_Jnu(0.3, 5000), 1e-8, Envelope(5000)));
    // exp(-800) underflows (the C runtime may flag it): K is 0 and I infinite, and no code.
    const JyResult ik = CallIK(800, 0.3);
    EXPECT_EQ(errno, 0);
    EXPECT_EQ(ik.y, 0.0);
    EXPECT_EQ(ik.j, kInf);
}

TEST_F(BesselTest, SphericalBesselFunctions)
{
    for (double x : {0.2, 1.0, 1.99, 2.5, 13.0}) {
        for (int n : {0, 1, 2, 5}) {
            SCOPED_TRACE(testing::Message() << "n=" << n << " x=" << x);
            double sj, sy, sjp, syp;
            errno = kForeignErrno;
            SphericalBessel(n, x, &sj, &sy, &sjp, &syp);
            EXPECT_EQ(errno, kForeignErrno);
            // sqrt(pi/2) enters with eight digits.
            const double scale = std::fmin(1.0, 1.0 / x);
            EXPECT_TRUE(Near(sj, gsl_sf_bessel_jl(n, x), 5e-8, scale));
            EXPECT_TRUE(Near(sy, gsl_sf_bessel_yl(n, x), 5e-8, scale));
            const double jp = n / x * gsl_sf_bessel_jl(n, x) - gsl_sf_bessel_jl(n + 1, x);
            const double yp = n / x * gsl_sf_bessel_yl(n, x) - gsl_sf_bessel_yl(n + 1, x);
            EXPECT_TRUE(Near(sjp, jp, 5e-8, scale));
            EXPECT_TRUE(Near(syp, yp, 5e-8, scale));
            if (n == 0) {
                EXPECT_TRUE(Near(sj, std::sin(x) / x, 4e-8, scale));
                EXPECT_TRUE(Near(sy, -std::cos(x) / x, 4e-8, scale));
            }
        }
    }
}

TEST_F(BesselTest, SphericalBesselRefusesBadArguments)
{
    struct Case {
        int n;
        double x;
    };
    const Case cases[] = {{-1, 1.0}, {0, 0.0}, {2, -1.0}, {1, kNaN}, {1, kInf}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "n=" << c.n << " x=" << c.x);
        double a = 1, b = 2, d = 3, e = 4;
        errno = 0;
        SphericalBessel(c.n, c.x, &a, &b, &d, &e);
        EXPECT_EQ(errno, NumericBadArgument);
        EXPECT_EQ(a, 1);
        EXPECT_EQ(e, 4);
    }
    // The inner continued fraction gives out: the code stays, the outputs say NaN.
    double a = 1, b = 2, d = 3, e = 4;
    errno = 0;
    SphericalBessel(1, 20000.0, &a, &b, &d, &e);
    EXPECT_EQ(errno, NumericBadArgument);
    EXPECT_TRUE(std::isnan(a));
}

} // namespace
