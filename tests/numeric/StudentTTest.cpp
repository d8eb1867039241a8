#include "numeric/StudentT.h"

#include <gsl/gsl_cdf.h>
#include <gsl/gsl_sf_gamma.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>
#include <string>

namespace {

constexpr double kMaxNum = 1.79769313486231570815E308;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

void ExpectRelative(double actual, double expected, double tolerance)
{
    EXPECT_NEAR(actual, expected, tolerance * std::fmax(1e-300, std::fabs(expected)));
}

TEST(StudentTQuantile, AgreesWithGslInverseDistribution)
{
    for (int k : {1, 2, 3, 4, 5, 7, 10, 30, 100, 1000, 100000}) {
        for (double p : {0.001, 0.025, 0.1, 0.25, 0.3, 0.45, 0.55, 0.7, 0.75, 0.975, 0.999}) {
            SCOPED_TRACE(testing::Message() << "k=" << k << " p=" << p);
            const double expected = gsl_cdf_tdist_Pinv(p, k);
            errno = 0;
            ExpectRelative(tdist::stdtri(k, p), expected, 1e-9);
            EXPECT_EQ(errno, 0);
        }
    }
    EXPECT_NEAR(tdist::stdtri(10, 0.025), -2.2281388519862747, 1e-14);
    EXPECT_EQ(tdist::stdtri(1, 0.5), 0);
}

TEST(StudentTQuantile, FarTails)
{
    // One degree of freedom has the closed form tan(π(p − 1/2)); the others are reference
    // values computed with arbitrary-precision arithmetic. Far tails keep about 7 digits.
    struct Case {
        int k;
        double p, t;
    };
    const Case cases[] = {
        {1, 1e-10, -1 / std::tan(std::numbers::pi * 1e-10)},
        {1, 1 - 1e-10, 1 / std::tan(std::numbers::pi * 1e-10)},
        {1000, 1e-10, -6.4278762831342136},
        {100000, 1e-10, -6.3620004198436912},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "k=" << c.k << " p=" << c.p);
        ExpectRelative(tdist::stdtri(c.k, c.p), c.t, 2e-7);
    }
}

TEST(StudentTQuantile, DomainErrorsReportAndGiveZero)
{
    struct Case {
        int k;
        double p;
    };
    const Case cases[] = {{0, 0.3}, {5, 1}, {5, 0}, {-3, 0.5}, {5, 1.5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "k=" << c.k << " p=" << c.p);
        errno = 0;
        testing::internal::CaptureStdout();
        EXPECT_EQ(tdist::stdtri(c.k, c.p), 0);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nstdtri domain error\n");
        EXPECT_EQ(errno, 0);
    }
    EXPECT_TRUE(std::isnan(tdist::stdtri(3, kNaN)));
}

TEST(IncompleteBetaCephes, AgreesWithGsl)
{
    struct Case {
        double a, b, x;
    };
    const Case cases[] = {{1, 1, 0.3},       {0.5, 0.5, 0.5}, {2, 3, 0.4},       {0.5, 5, 0.1},
                          {5, 0.5, 0.97},    {10, 20, 0.2},   {10, 20, 0.6},     {50, 60, 0.45},
                          {0.01, 0.02, 0.5}, {200, 300, 0.4}, {1e4, 1e4, 0.499}, {3, 200, 0.001}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "a=" << c.a << " b=" << c.b << " x=" << c.x);
        errno = 0;
        // Large a and b lose digits in the log-gamma differences.
        ExpectRelative(tdist::incbet(c.a, c.b, c.x), gsl_sf_beta_inc(c.a, c.b, c.x), 1e-10);
        EXPECT_EQ(errno, 0);
    }
    EXPECT_EQ(tdist::incbet(2, 3, 0), 0);
    EXPECT_EQ(tdist::incbet(2, 3, 1), 1);
    EXPECT_DOUBLE_EQ(tdist::incbet(1, 1, 0.3), 0.3);
    testing::internal::CaptureStdout();
    EXPECT_EQ(tdist::incbet(-1, 3, 0.5), 0);
    EXPECT_EQ(tdist::incbet(1, 3, 1.5), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\nincbet domain error\n\nincbet domain error\n");
}

TEST(IncompleteBetaCephes, InverseRoundTrips)
{
    struct Case {
        double a, b;
    };
    const Case cases[] = {{0.5, 0.5}, {0.5, 5}, {1, 1},    {2, 3},
                          {5, 0.5},   {10, 20}, {50, 0.5}, {500, 400}};
    for (const Case& c : cases) {
        for (double y : {1e-8, 0.01, 0.3, 0.5, 0.8, 0.999}) {
            SCOPED_TRACE(testing::Message() << "a=" << c.a << " b=" << c.b << " y=" << y);
            const double x = tdist::incbi(c.a, c.b, y);
            ExpectRelative(x, gsl_cdf_beta_Pinv(y, c.a, c.b), 1e-8);
            ExpectRelative(tdist::incbet(c.a, c.b, x), y, 1e-9);
        }
    }
    EXPECT_EQ(tdist::incbi(2, 3, 0), 0);
    EXPECT_EQ(tdist::incbi(2, 3, 1), 1);
}

TEST(GammaCephes, AgreesWithGslIncludingSigns)
{
    for (double x : {1e-12, 0.3,   1.0,  2.0,  2.5,  5.0,   12.9,  33.0,  33.5,    100.7,
                     143.5, 170.9, -0.5, -1.5, -2.3, -20.2, -33.7, -34.5, -100.25, -150.5}) {
        SCOPED_TRACE(testing::Message() << "x=" << x);
        errno = 0;
        ExpectRelative(tdist::gamma(x), gsl_sf_gamma(x), 1e-13);
        gsl_sf_result lg;
        double sign;
        gsl_sf_lngamma_sgn_e(x, &lg, &sign);
        EXPECT_NEAR(tdist::lgam(x), lg.val, 1e-13 * std::fmax(1, std::fabs(lg.val)));
        EXPECT_EQ(tdist::LastGammaSign(), static_cast<int>(sign));
        EXPECT_EQ(errno, 0);
    }
    for (double x : {13.0, 200.0, 999.0, 1000.0, 5e7, 2e8, 1e300}) {
        SCOPED_TRACE(testing::Message() << "x=" << x);
        ExpectRelative(tdist::lgam(x), gsl_sf_lngamma(x), 1e-14);
    }
    EXPECT_EQ(tdist::gamma(5), 24);
    // Far below zero Γ underflows to zero rather than NaN.
    EXPECT_EQ(tdist::gamma(-200.5), 0);
    EXPECT_EQ(tdist::gamma(-800.5), 0);
}

TEST(GammaCephes, PolesReport)
{
    struct Case {
        double x;
        bool logarithm;
        double result;
        const char* report;
    };
    const Case cases[] = {
        {0, false, kMaxNum, "\ngamma singularity error\n"},
        {-40, false, kMaxNum, "\ngamma overflow error\n"},
        {-3, false, kMaxNum, "\ngamma singularity error\n"},
        {-40, true, kMaxNum, "\nlgam overflow error\n"},
        {-2, true, kMaxNum, "\nlgam overflow error\n"},
        {0, true, kMaxNum, "\nlgam overflow error\n"},
        {1e306, true, kMaxNum, "\nlgam overflow error\n"},
        {-1e300, false, kMaxNum, "\ngamma overflow error\n"},
        {171.7, false, kMaxNum, "\ngamma overflow error\n"},
        {800, false, kMaxNum, "\ngamma overflow error\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "x=" << c.x << (c.logarithm ? " lgam" : " gamma"));
        testing::internal::CaptureStdout();
        EXPECT_EQ(c.logarithm ? tdist::lgam(c.x) : tdist::gamma(c.x), c.result);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.report);
    }
}

TEST(NormalQuantile, AgreesWithGslOnEveryBranch)
{
    for (double y :
         {1e-300, 1e-20, 1e-14, 1e-5, 0.01, 0.1353, 0.2, 0.5, 0.7, 0.86, 0.87, 0.999999}) {
        SCOPED_TRACE(testing::Message() << "y=" << y);
        ExpectRelative(tdist::ndtri(y), gsl_cdf_ugaussian_Pinv(y), 1e-13);
    }
    testing::internal::CaptureStdout();
    EXPECT_EQ(tdist::ndtri(0), -kMaxNum);
    EXPECT_EQ(tdist::ndtri(1), kMaxNum);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\nndtri domain error\n\nndtri domain error\n");
}

TEST(MathErrorReport, KindTexts)
{
    struct Case {
        int kind;
        const char* text;
    };
    const Case cases[] = {{1, "domain"},
                          {2, "singularity"},
                          {3, "overflow"},
                          {4, "underflow"},
                          {5, "total loss of precision"},
                          {6, "partial loss of precision"},
                          {7, "unknown"}};
    for (const Case& c : cases) {
        testing::internal::CaptureStdout();
        EXPECT_EQ(tdist::ReportMathError("incbi", c.kind), 0);
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  std::string("\nincbi ") + c.text + " error\n");
    }
}

TEST(MathErrorReport, ErrnoIsNeverTouched)
{
    errno = 55;
    tdist::incbet(300, 400, 0.01); // underflows through the logarithms
    tdist::gamma(-180.5);          // underflows through Stirling's formula
    tdist::stdtri(3, 1e-300);
    testing::internal::CaptureStdout();
    tdist::stdtri(0, 0.5);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(errno, 55);
}

// A windowed program has no open standard output; the failed writes of the report must not
// show up in errno, which the fits test after their other library calls.
TEST(MathErrorReport, FailedWritesLeaveErrnoAlone)
{
    // One file per process: the native and sanitizer runs may share the temporary folder.
    const std::string path =
        testing::TempDir() + "numeric_report_readonly_" + std::to_string(getpid()) + ".txt";
    FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    std::fflush(stdout);
    const int stdoutFd = fileno(stdout);
    const int savedFd = dup(stdoutFd);
    const int readOnlyFd = open(path.c_str(), O_RDONLY);
    ASSERT_GE(readOnlyFd, 0);
    dup2(readOnlyFd, stdoutFd);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    errno = 55;
    tdist::ReportMathError("incbi", tdist::MathPartialLoss);
    const int afterReport = errno;
    tdist::stdtri(0, 0.3);
    const int afterDomainError = errno;
    const bool writeFailed = std::ferror(stdout) != 0;
    std::clearerr(stdout);
    dup2(savedFd, stdoutFd);
    close(savedFd);
    close(readOnlyFd);
    std::remove(path.c_str());
    EXPECT_TRUE(writeFailed);
    EXPECT_EQ(afterReport, 55);
    EXPECT_EQ(afterDomainError, 55);
}

TEST(Polynomials, HornerWithAndWithoutLeadingOne)
{
    const double c[] = {2, -3, 1}; // 2x² − 3x + 1
    EXPECT_EQ(tdist::EvaluatePolynomial(3, c, 2), 10);
    EXPECT_EQ(tdist::EvaluateMonicPolynomial(3, c, 3), 27 + 18 - 9 + 1);
}

} // namespace
