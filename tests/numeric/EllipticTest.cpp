#include "numeric/Elliptic.h"
#include "numeric/NumericCore.h"
#include "tests/numeric/OracleCheck.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_sf_ellint.h>
#include <gsl/gsl_sf_elljac.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <limits>

namespace {

using special_check::kForeignErrno;
using special_check::Near;

constexpr double kPi = 3.14159265358979323846;
constexpr double kHalfPi = kPi / 2;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
// The duplication loops stop at deviations of 0.04 to 0.08, which bounds the error near 1e-7.
constexpr double kCarlsonTol = 1e-7;

class EllipticTest : public ::testing::Test {
protected:
    void SetUp() override { gsl_set_error_handler_off(); }
};

struct Triple {
    double x, y, z;
};

TEST_F(EllipticTest, CarlsonRfAndRdAgreeWithGsl)
{
    const Triple cases[] = {{0, 1, 2},     {1, 2, 3},      {0.5, 0.5, 0.5}, {1e-10, 1, 1e3},
                            {2, 3, 4},     {1e5, 1e-3, 7}, {0.25, 4, 0},    {1e20, 1e21, 3e20},
                            {1e-20, 1, 1}, {3, 3, 1e-12},  {0, 1e-10, 1e10}};
    for (const Triple& c : cases) {
        SCOPED_TRACE(testing::Message() << "x=" << c.x << " y=" << c.y << " z=" << c.z);
        errno = kForeignErrno;
        EXPECT_TRUE(Near(CarlsonRF(c.x, c.y, c.z), gsl_sf_ellint_RF(c.x, c.y, c.z, GSL_PREC_DOUBLE),
                         kCarlsonTol));
        if (c.z > 0) {
            EXPECT_TRUE(Near(CarlsonRD(c.x, c.y, c.z),
                             gsl_sf_ellint_RD(c.x, c.y, c.z, GSL_PREC_DOUBLE), kCarlsonTol));
        }
        EXPECT_EQ(errno, kForeignErrno);
    }
}

TEST_F(EllipticTest, CarlsonRjAgreesWithGslAndPrincipalValues)
{
    struct Case {
        double x, y, z, p, expected;
    };
    // p > 0 against GSL (expected 0 = ask GSL); p < 0: principal values from a 30-digit
    // computation.
    const Case cases[] = {
        {0, 1, 2, 3, 0},
        {2, 3, 4, 5, 0},
        {1, 1, 1, 1, 0},
        {0.5, 2, 1e3, 1e-2, 0},
        {1e-3, 4, 9, 1e5, 0},
        {3, 0, 7, 0.1, 0},
        {2, 3, 4, -0.5, 0.24723819703051564901679797819},
        {1, 2, 3, -1, -0.0932404524386764120148090381153},
        {0.5, 1, 4, -2, -0.397573541812314510924289225378},
        {0, 2, 3, -0.25, -1.12096601515174219570903449422},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "x=" << c.x << " y=" << c.y << " z=" << c.z << " p=" << c.p);
        const double expected =
            c.p > 0 ? gsl_sf_ellint_RJ(c.x, c.y, c.z, c.p, GSL_PREC_DOUBLE) : c.expected;
        errno = kForeignErrno;
        EXPECT_TRUE(Near(CarlsonRJ(c.x, c.y, c.z, c.p), expected, kCarlsonTol));
        EXPECT_EQ(errno, kForeignErrno);
    }
}

TEST_F(EllipticTest, CarlsonRcAgreesWithGslAndPrincipalValues)
{
    struct Case {
        double x, y, expected;
    };
    const Case cases[] = {
        {0, 1, 0},
        {1, 1, 0},
        {2, 1, 0},
        {1, 2, 0},
        {1e-12, 5, 0},
        {1e10, 1e-10, 0},
        {2, -1, 0.661768020759984578967052612674},
        {0.5, -3, 0.212570360940949239238339791967},
        {1e-3, -10, 0.00316206685852173684302483792603},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "x=" << c.x << " y=" << c.y);
        const double expected = c.y > 0 ? gsl_sf_ellint_RC(c.x, c.y, GSL_PREC_DOUBLE) : c.expected;
        errno = kForeignErrno;
        EXPECT_TRUE(Near(CarlsonRC(c.x, c.y), expected, kCarlsonTol));
        EXPECT_EQ(errno, kForeignErrno);
    }
}

TEST_F(EllipticTest, CarlsonKnownValues)
{
    errno = 0;
    EXPECT_TRUE(Near(CarlsonRF(0, 1, 1), kHalfPi, 1e-7));
    EXPECT_TRUE(Near(CarlsonRC(0, 1), kHalfPi, 1e-7));
    EXPECT_DOUBLE_EQ(CarlsonRC(1, 1), 1.0);
    EXPECT_TRUE(Near(CarlsonRD(0, 2, 1), 1.79721035210338831, 1e-7));
    EXPECT_TRUE(Near(CarlsonRJ(0, 1, 2, 3), 0.776886237785823320, 1e-7));
    EXPECT_TRUE(Near(CarlsonRJ(2, 3, 4, 5), 0.142975796671567538, 1e-7));
    EXPECT_EQ(errno, 0);
}

TEST_F(EllipticTest, CarlsonRejectsArgumentsOutsideTheDomain)
{
    struct Case {
        const char* call;
        double (*f)();
    };
    const Case cases[] = {
        {"RF(0,0,1)", [] { return CarlsonRF(0, 0, 1); }},
        {"RF(-1,1,1)", [] { return CarlsonRF(-1, 1, 1); }},
        {"RF(1,1,4e37)", [] { return CarlsonRF(1, 1, 4e37); }},
        {"RF(inf,1,1)", [] { return CarlsonRF(kInf, 1, 1); }},
        {"RD(0,0,1)", [] { return CarlsonRD(0, 0, 1); }},
        {"RD(1,1,0)", [] { return CarlsonRD(1, 1, 0); }},
        {"RD(-1,1,1)", [] { return CarlsonRD(-1, 1, 1); }},
        {"RD(1,1,5e21)", [] { return CarlsonRD(1, 1, 5e21); }},
        {"RJ(1,1,1,0)", [] { return CarlsonRJ(1, 1, 1, 0); }},
        {"RJ(0,0,1,1)", [] { return CarlsonRJ(0, 0, 1, 1); }},
        {"RJ(-1,1,1,1)", [] { return CarlsonRJ(-1, 1, 1, 1); }},
        {"RJ(1,1,1,1e12)", [] { return CarlsonRJ(1, 1, 1, 1e12); }},
        {"RC(1,0)", [] { return CarlsonRC(1, 0); }},
        {"RC(-1,1)", [] { return CarlsonRC(-1, 1); }},
        {"RC(0.001,-2e19)", [] { return CarlsonRC(0.001, -2e19); }},
        {"F(1,2)", [] { return LegendreEllipticF(1.0, 2.0); }},
        {"E(pi/2,1)", [] { return LegendreEllipticE(kHalfPi, 1.0); }},
        {"Pi(pi/2,-1,0.5)", [] { return LegendreEllipticPi(kHalfPi, -1.0, 0.5); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        errno = 0;
        const double result = c.f();
        EXPECT_EQ(errno, NumericBadArgument);
        if (c.call[0] == 'R') {
            EXPECT_EQ(result, 0.0);
        }
    }
}

// NaN fails every domain comparison; without an explicit check the duplication loops never end.
TEST_F(EllipticTest, NaNArgumentsAreRefusedAtOnce)
{
    struct Case {
        const char* call;
        double (*f)();
    };
    const Case cases[] = {
        {"RF(nan,1,1)", [] { return CarlsonRF(kNaN, 1, 1); }},
        {"RF(1,1,nan)", [] { return CarlsonRF(1, 1, kNaN); }},
        {"RD(1,nan,1)", [] { return CarlsonRD(1, kNaN, 1); }},
        {"RD(1,1,nan)", [] { return CarlsonRD(1, 1, kNaN); }},
        {"RJ(1,1,1,nan)", [] { return CarlsonRJ(1, 1, 1, kNaN); }},
        {"RJ(nan,1,1,-1)", [] { return CarlsonRJ(kNaN, 1, 1, -1); }},
        {"RC(nan,1)", [] { return CarlsonRC(kNaN, 1); }},
        {"RC(1,nan)", [] { return CarlsonRC(1, kNaN); }},
        {"F(nan,0.5)", [] { return LegendreEllipticF(kNaN, 0.5); }},
        {"F(1,nan)", [] { return LegendreEllipticF(1, kNaN); }},
        {"E(inf,0.5)", [] { return LegendreEllipticE(kInf, 0.5); }},
        {"Pi(1,nan,0.5)", [] { return LegendreEllipticPi(1, kNaN, 0.5); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        errno = 0;
        c.f();
        EXPECT_EQ(errno, NumericBadArgument);
    }
}

TEST_F(EllipticTest, LegendreFormsAgreeWithGsl)
{
    struct Case {
        double phi, k, n;
    };
    const Case cases[] = {{0.3, 0.2, 0.5},  {1.0, 0.9, -0.3}, {kHalfPi, 0.5, 2.0},
                          {1.5, 0.99, 0.1}, {-0.7, 0.6, 0.8}, {0.01, 0.3, -0.9},
                          {1.2, -0.4, 5.0}, {kHalfPi, 0, 0},  {0.9, 1.0, 0.25}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "phi=" << c.phi << " k=" << c.k << " n=" << c.n);
        errno = kForeignErrno;
        EXPECT_TRUE(Near(LegendreEllipticF(c.phi, c.k),
                         gsl_sf_ellint_F(c.phi, c.k, GSL_PREC_DOUBLE), 2e-7));
        EXPECT_TRUE(Near(LegendreEllipticE(c.phi, c.k),
                         gsl_sf_ellint_E(c.phi, c.k, GSL_PREC_DOUBLE), 2e-7));
        EXPECT_TRUE(Near(LegendreEllipticPi(c.phi, c.n, c.k),
                         gsl_sf_ellint_P(c.phi, c.k, c.n, GSL_PREC_DOUBLE), 2e-7));
        EXPECT_EQ(errno, kForeignErrno);
    }
}

TEST_F(EllipticTest, LegendreKnownValues)
{
    errno = 0;
    EXPECT_TRUE(Near(LegendreEllipticF(kHalfPi, 0), kHalfPi, 1e-7));
    EXPECT_TRUE(Near(LegendreEllipticE(kHalfPi, 0), kHalfPi, 1e-7));
    EXPECT_TRUE(Near(LegendreEllipticF(kHalfPi, 0.5), 1.68575035481259604, 1e-7));
    EXPECT_TRUE(Near(LegendreEllipticE(kHalfPi, 0.5), 1.46746220933942715, 1e-7));
    for (double phi : {0.2, 0.8, 1.4})
        EXPECT_DOUBLE_EQ(LegendreEllipticPi(phi, 0, 0.7), LegendreEllipticF(phi, 0.7)) << phi;
    // The characteristic enters with a plus sign.
    for (double n : {-0.5, 0.5, 3.0})
        EXPECT_TRUE(Near(LegendreEllipticPi(kHalfPi, n, 0), kHalfPi / std::sqrt(1 + n), 1e-7)) << n;
    EXPECT_EQ(errno, 0);
}

// The Landen descent stops at a relative gap of CA = 0.0003, which bounds the error near CA^2.
TEST_F(EllipticTest, JacobiFunctionsAgreeWithGsl)
{
    struct Case {
        double u, mc;
    };
    const Case cases[] = {{0.3, 0.5},  {1.0, 0.1},   {2.5, 0.9},  {-1.7, 0.3}, {10.0, 0.75},
                          {0.5, 1e-6}, {3.0, 0.999}, {7.3, 0.01}, {-25, 0.6},  {1e-8, 0.4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "u=" << c.u << " mc=" << c.mc);
        double esn, ecn, edn;
        gsl_sf_elljac_e(c.u, 1 - c.mc, &esn, &ecn, &edn);
        double sn, cn, dn;
        errno = kForeignErrno;
        JacobiEllipticSnCnDn(c.u, c.mc, &sn, &cn, &dn);
        EXPECT_EQ(errno, kForeignErrno);
        EXPECT_TRUE(Near(sn, esn, 1e-7, 1));
        EXPECT_TRUE(Near(cn, ecn, 1e-7, 1));
        EXPECT_TRUE(Near(dn, edn, 1e-7, 1));
    }
}

TEST_F(EllipticTest, JacobiIdentitiesAndLimits)
{
    struct Case {
        double u, mc;
    };
    const Case cases[] = {{0.4, 0.0},  {-2.0, 0.0}, {0.4, 1.0},  {5.0, 1.0},   {1.3, 0.37},
                          {0.3, -2.0}, {1.1, -0.5}, {0.2, -8.0}, {-4.0, -1.0}, {2.2, 3.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "u=" << c.u << " mc=" << c.mc);
        double sn, cn, dn;
        errno = 0;
        JacobiEllipticSnCnDn(c.u, c.mc, &sn, &cn, &dn);
        EXPECT_EQ(errno, 0);
        EXPECT_NEAR(sn * sn + cn * cn, 1.0, 1e-14);
        EXPECT_NEAR(dn * dn + (1 - c.mc) * sn * sn, 1.0, 1e-13);
        if (c.mc == 0) {
            EXPECT_DOUBLE_EQ(sn, std::tanh(c.u));
            EXPECT_DOUBLE_EQ(cn, 1 / std::cosh(c.u));
            EXPECT_DOUBLE_EQ(dn, cn);
        }
        if (c.mc == 1) {
            EXPECT_NEAR(sn, std::sin(c.u), 1e-15);
            EXPECT_NEAR(cn, std::cos(c.u), 1e-15);
            EXPECT_DOUBLE_EQ(dn, 1.0);
        }
    }
    double sn, cn, dn;
    JacobiEllipticSnCnDn(0, 0.3, &sn, &cn, &dn);
    EXPECT_EQ(sn, 0.0);
    EXPECT_EQ(cn, 1.0);
    EXPECT_EQ(dn, 1.0);
}

// k^2 > 1 (negative mc) goes through the reciprocal-modulus transformation; references from a
// 30-digit computation.
TEST_F(EllipticTest, JacobiNegativeComplementaryParameter)
{
    struct Case {
        double u, mc, sn, cn, dn;
    };
    const Case cases[] = {
        {0.3, -2.0, 0.282985878106491519, 0.959124075806825904, 0.871640395103906237},
        {1.1, -0.5, 0.747657849481545661, 0.664084136317553073, 0.401885070838598853},
        {0.2, -8.0, 0.187190435606951716, 0.982323643621225104, 0.827428345752982388},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "u=" << c.u << " mc=" << c.mc);
        double sn, cn, dn;
        JacobiEllipticSnCnDn(c.u, c.mc, &sn, &cn, &dn);
        EXPECT_TRUE(Near(sn, c.sn, 1e-9));
        EXPECT_TRUE(Near(cn, c.cn, 1e-9));
        EXPECT_TRUE(Near(dn, c.dn, 1e-9));
    }
}

TEST_F(EllipticTest, JacobiRefusesNonFiniteArgumentsAndKeepsOutputs)
{
    struct Case {
        double u, mc;
    };
    const Case cases[] = {{kNaN, 0.5}, {0.5, kNaN}, {kInf, 0.5}, {1.0, -kInf}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "u=" << c.u << " mc=" << c.mc);
        double sn = 7, cn = 8, dn = 9;
        errno = 0;
        JacobiEllipticSnCnDn(c.u, c.mc, &sn, &cn, &dn);
        EXPECT_EQ(errno, NumericBadArgument);
        EXPECT_EQ(sn, 7);
        EXPECT_EQ(cn, 8);
        EXPECT_EQ(dn, 9);
    }
}

TEST_F(EllipticTest, SuccessNeverClearsAnEarlierCode)
{
    errno = NumericBadArgument;
    CarlsonRF(1, 2, 3);
    LegendreEllipticE(0.5, 0.5);
    double sn, cn, dn;
    JacobiEllipticSnCnDn(0.5, 0.5, &sn, &cn, &dn);
    EXPECT_EQ(errno, NumericBadArgument);
}

} // namespace
