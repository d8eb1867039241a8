#include "numeric/Airy.h"
#include "numeric/NumericCore.h"
#include "tests/numeric/OracleCheck.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_sf_airy.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <limits>

namespace {

using special_check::kForeignErrno;
using special_check::Near;

constexpr double kPi = 3.14159265358979323846;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Airy {
    double ai, bi, aip, bip;
};

Airy CallAiry(double x)
{
    Airy r{kNaN, kNaN, kNaN, kNaN};
    AiryFunctions(x, &r.ai, &r.bi, &r.aip, &r.bip);
    return r;
}

class AiryTest : public ::testing::Test {
protected:
    void SetUp() override { gsl_set_error_handler_off(); }
};

TEST_F(AiryTest, ZeroGivesTheEightDigitConstantsExactly)
{
    errno = kForeignErrno;
    const Airy r = CallAiry(0.0);
    EXPECT_EQ(errno, kForeignErrno);
    EXPECT_EQ(r.ai, 0.35502805);
    EXPECT_EQ(r.bi, 0.6149266198489869);
    EXPECT_EQ(r.aip, -0.2588194);
    EXPECT_EQ(r.bip, 0.44828835015527047);
}

TEST_F(AiryTest, AgreesWithGslOnBothSides)
{
    // pi and 1/sqrt(3) enter with eight digits. For x < 0 the functions oscillate, so they are
    // compared relative to their envelopes |x|^(-1/4) and |x|^(1/4) (over sqrt(pi)).
    const double xs[] = {-60, -20.5, -7.3, -2.3381, -1, -0.4, -1e-3, 1e-3,
                         0.4, 1,     1.9,  2.5,     8,  30,   90};
    for (double x : xs) {
        SCOPED_TRACE(testing::Message() << "x=" << x);
        errno = kForeignErrno;
        const Airy r = CallAiry(x);
        EXPECT_EQ(errno, kForeignErrno);
        const double ax = std::fabs(x);
        const double env = x < 0 ? std::pow(ax, -0.25) / std::sqrt(kPi) : 0.0;
        const double envp = x < 0 ? std::pow(ax, 0.25) / std::sqrt(kPi) : 0.0;
        EXPECT_TRUE(Near(r.ai, gsl_sf_airy_Ai(x, GSL_PREC_DOUBLE), 5e-8, env));
        EXPECT_TRUE(Near(r.bi, gsl_sf_airy_Bi(x, GSL_PREC_DOUBLE), 5e-8, env));
        EXPECT_TRUE(Near(r.aip, gsl_sf_airy_Ai_deriv(x, GSL_PREC_DOUBLE), 5e-8, envp));
        EXPECT_TRUE(Near(r.bip, gsl_sf_airy_Bi_deriv(x, GSL_PREC_DOUBLE), 5e-8, envp));
        // The Wronskian Ai Bi' - Ai' Bi = 1/pi.
        EXPECT_TRUE(Near(r.ai * r.bip - r.aip * r.bi, 1 / kPi, 5e-8));
    }
}

TEST_F(AiryTest, PublishedValuesAtPlusAndMinusOne)
{
    struct Case {
        double x, ai, bi, aip, bip;
    };
    const Case cases[] = {
        {1, 0.1352924163, 1.2074235950, -0.1591474413, 0.9324359334},
        {-1, 0.5355608833, 0.1039973895, -0.0101605671, 0.5923756264},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "x=" << c.x);
        const Airy r = CallAiry(c.x);
        EXPECT_TRUE(Near(r.ai, c.ai, 2e-8));
        EXPECT_TRUE(Near(r.bi, c.bi, 2e-8));
        EXPECT_TRUE(Near(r.aip, c.aip, 2e-8, 0.1));
        EXPECT_TRUE(Near(r.bip, c.bip, 2e-8));
    }
}

TEST_F(AiryTest, ContinuousAtZero)
{
    for (double x : {-1e-6, 1e-6}) {
        SCOPED_TRACE(testing::Message() << "x=" << x);
        const Airy r = CallAiry(x);
        EXPECT_NEAR(r.ai, 0.35502805, 1e-6);
        EXPECT_NEAR(r.bi, 0.6149266198489869, 1e-6);
        EXPECT_NEAR(r.aip, -0.2588194, 1e-6);
        EXPECT_NEAR(r.bip, 0.44828835015527047, 1e-6);
    }
}

TEST_F(AiryTest, LargePositiveArgumentsUnderflowAndOverflowSilently)
{
    errno = 0;
    const Airy r = CallAiry(110.0);
    EXPECT_EQ(errno, 0);
    EXPECT_EQ(r.ai, 0.0);
    EXPECT_EQ(r.bi, kInf);
}

TEST_F(AiryTest, FailuresOfTheBesselRoutinesShowInErrno)
{
    // Below about -604 the Bessel continued fraction gives out; NaN is refused by the Bessel side.
    for (double x : {-700.0, kNaN, -kInf}) {
        SCOPED_TRACE(testing::Message() << "x=" << x);
        errno = 0;
        const Airy r = CallAiry(x);
        EXPECT_EQ(errno, NumericBadArgument);
        EXPECT_TRUE(std::isnan(r.ai));
        EXPECT_TRUE(std::isnan(r.bip));
    }
}

} // namespace
