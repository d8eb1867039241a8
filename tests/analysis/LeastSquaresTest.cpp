#include "analysis/GaussJordan.h"
#include "analysis/LinearLeastSquares.h"
#include "analysis/OneBasedMatrix.h"
#include "engine/EngineErrors.h"
#include "tests/analysis/FitTestSupport.h"
#include "tests/analysis/NistData.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

OneBasedMatrix FromRows(int n, const std::vector<double>& rowMajor)
{
    OneBasedMatrix a(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            a[i][j] = rowMajor[std::size_t((i - 1) * n + (j - 1))];
    return a;
}

// Full pivoting exchanges rows and columns; the inverse and the solutions must come back in the
// original order: A A^-1 = I and A x = b to rounding.
TEST(GaussJordan, InverseAndSolutionsSatisfyTheSystem)
{
    TestRandom random(7);
    for (int n : {1, 2, 3, 8, 30, 50}) {
        OneBasedMatrix a(n, n), b(n, 2);
        for (int i = 1; i <= n; ++i) {
            for (int j = 1; j <= n; ++j)
                a[i][j] = random.Between(-1, 1);
            b[i][1] = random.Between(-1, 1);
            b[i][2] = random.Between(-100, 100);
        }
        const OneBasedMatrix original = a, rhs = b;
        ASSERT_EQ(GaussJordan(a.Rows(), n, b.Rows(), 2), 0) << n;
        double worst = 0;
        for (int i = 1; i <= n; ++i) {
            for (int j = 1; j <= n; ++j) {
                double identity = 0;
                for (int k = 1; k <= n; ++k)
                    identity += original[i][k] * a[k][j];
                worst = std::max(worst, std::fabs(identity - (i == j ? 1.0 : 0.0)));
            }
            for (int c = 1; c <= 2; ++c) {
                double ax = 0;
                for (int k = 1; k <= n; ++k)
                    ax += original[i][k] * b[k][c];
                worst = std::max(worst, std::fabs(ax - rhs[i][c]) / (c == 1 ? 1.0 : 100.0));
            }
        }
        EXPECT_LE(worst, 1e-10) << "n=" << n;
    }
}

struct SolveCase {
    const char* what;
    int n;
    std::vector<double> a;
    bool scaled; // through SolveNormalEquations, else GaussJordan with exact-zero pivots
    int code;
};

TEST(GaussJordan, RefusesWhatHasNoUniqueSolution)
{
    const SolveCase cases[] = {
        {"zero matrix", 2, {0, 0, 0, 0}, false, ErrSingularMatrix},
        {"equal rows", 2, {1, 2, 1, 2}, false, ErrSingularMatrix},
        {"NaN element", 2, {kNaN, kNaN, kNaN, kNaN}, false, ErrSingularMatrix},
        {"dependent to 15 digits, exact pivots", 2, {1, 1, 1, 1 + 1e-15}, false, 0},
        {"dependent to 15 digits, scaled", 2, {1, 1, 1, 1 + 1e-15}, true, ErrSingularMatrix},
        {"independent across 1e32 of scale", 2, {1e16, 0.5, 0.5, 1e-16}, true, 0},
        {"zero diagonal", 2, {1, 0, 0, 0}, true, ErrSingularMatrix},
        {"infinite element", 2, {1, 0, 0, HUGE_VAL}, true, ErrResultTooLarge},
        {"rank 2 of 3", 3, {2, 1, 3, 1, 2, 3, 3, 3, 6}, true, ErrSingularMatrix},
    };
    for (const SolveCase& c : cases) {
        OneBasedMatrix a = FromRows(c.n, c.a);
        OneBasedMatrix b(c.n, 1);
        b.Fill(1.0);
        const int code = c.scaled ? SolveNormalEquations(a.Rows(), c.n, b.Rows(), 1)
                                  : GaussJordan(a.Rows(), c.n, b.Rows(), 1);
        EXPECT_EQ(code, c.code) << c.what;
    }
}

// The Longley regression through caller-defined bases: x is the row number and each basis reads
// its column, as a fit of table columns would.
TEST(LinearLeastSquares, LongleyThroughColumnBasesMatchesCertifiedResults)
{
    using namespace nist;
    FitSample sample;
    sample.Resize(kLongleyCount);
    for (int i = 1; i <= kLongleyCount; ++i) {
        sample.x[std::size_t(i)] = i;
        sample.y[std::size_t(i)] = kLongleyY[i - 1];
        sample.s[std::size_t(i)] = kLongleyResidualDeviation;
    }
    std::vector<BasisFunction> basis;
    for (int j = 0; j < kLongleyTerms; ++j)
        basis.push_back([j](double row) { return kLongleyX[int(row) - 1][j]; });
    std::vector<double> a(kLongleyTerms + 1, 0.0);
    std::vector<int> fitted(kLongleyTerms + 1, 1);
    OneBasedMatrix covar(kLongleyTerms, kLongleyTerms);
    ASSERT_EQ(
        LinearLeastSquares(sample, a.data(), fitted.data(), kLongleyTerms, covar.Rows(), basis), 0);
    for (int j = 1; j <= kLongleyTerms; ++j) {
        EXPECT_TRUE(RelativelyNear(a[std::size_t(j)], kLongleyValues[j - 1], 2e-6)) << "B" << j - 1;
        EXPECT_TRUE(RelativelyNear(std::sqrt(covar[j][j]), kLongleyDeviations[j - 1], 2e-6))
            << "sd B" << j - 1;
    }
}

TEST(LinearLeastSquares, HeldParameterKeepsItsValueAndHasNoCovariance)
{
    const double x[] = {1, 2, 3, 4};
    const double y[] = {5.5, 7.5, 11.5, 13.5}; // 2 + 3x, off by +-0.5
    FitSample sample = MakeSample(4, x, y, 0.5);
    double a[] = {0, 0, 3};
    int fitted[] = {0, 1, 0};
    OneBasedMatrix covar(2, 2);
    const std::vector<BasisFunction> basis = {[](double) { return 1.0; },
                                              [](double t) { return t; }};
    ASSERT_EQ(LinearLeastSquares(sample, a, fitted, 2, covar.Rows(), basis), 0);
    EXPECT_DOUBLE_EQ(a[1], 2.0);
    EXPECT_EQ(a[2], 3.0);
    EXPECT_DOUBLE_EQ(covar[1][1], 0.25 / 4);
    EXPECT_EQ(covar[1][2], 0.0);
    EXPECT_EQ(covar[2][2], 0.0);
}

struct LeastSquaresError {
    const char* what;
    std::vector<double> x;
    std::vector<double> y;
    std::vector<int> fitted; // 1-based, element 0 unused
    BasisFunction second;
    int code;
};

TEST(LinearLeastSquares, ReportsDataItCannotFit)
{
    const BasisFunction line = [](double t) { return t; };
    const LeastSquaresError cases[] = {
        {"nothing fitted", {1, 2, 3}, {1, 2, 3}, {0, 0, 0}, line, ErrInvalidData},
        {"fewer points than terms", {1}, {1}, {0, 1, 1}, line, ErrTooFewDataPoints},
        {"NaN y", {1, 2, 3}, {1, kNaN, 3}, {0, 1, 1}, line, ErrBadArgument},
        {"infinite x", {1, HUGE_VAL, 3}, {1, 2, 3}, {0, 1, 1}, line, ErrBadArgument},
        {"basis without a value",
         {1, -2, 3},
         {1, 2, 3},
         {0, 1, 1},
         [](double t) { return std::sqrt(t); },
         ErrBadArgument},
        {"basis overflows",
         {1, 2, 3},
         {1, 2, 3},
         {0, 1, 1},
         [](double t) { return std::exp(1000 * t); },
         ErrResultTooLarge},
        {"normal matrix overflows", {1, 2e200, 3}, {1, 2, 3}, {0, 1, 1}, line, ErrResultTooLarge},
        {"one x value", {2, 2, 2, 2}, {1, 2, 3, 4}, {0, 1, 1}, line, ErrSingularMatrix},
    };
    for (const LeastSquaresError& c : cases) {
        FitSample sample = MakeSample(int(c.x.size()), c.x.data(), c.y.data(), 1.0);
        double a[3] = {0, 0, 0};
        OneBasedMatrix covar(2, 2);
        const std::vector<BasisFunction> basis = {[](double) { return 1.0; }, c.second};
        EXPECT_EQ(LinearLeastSquares(sample, a, c.fitted.data(), 2, covar.Rows(), basis), c.code)
            << c.what;
    }
}

} // namespace
