#include "engine/NumericCalculus.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kPi = 3.141592653589793;

CalculusFunction Plain(double (*g)(double))
{
    return [g](double x, double& y) {
        y = g(x);
        return std::isfinite(y) ? 0 : ErrRange;
    };
}

struct IntegralCase {
    const char* what;
    CalculusFunction f;
    double a, b;
    double expected;
};

// Every integral that reports success is within the requested relative tolerance.
TEST(NumericCalculus, DefiniteIntegralsMeetTheirTolerance)
{
    const IntegralCase cases[] = {
        {"x on [0, 1]", Plain([](double x) { return x; }), 0, 1, 0.5},
        {"x on [1, 0]", Plain([](double x) { return x; }), 1, 0, -0.5},
        {"sin on [0, pi]", Plain([](double x) { return std::sin(x); }), 0, kPi, 2.0},
        {"exp on [-1, 2]", Plain([](double x) { return std::exp(x); }), -1, 2,
         std::exp(2.0) - std::exp(-1.0)},
        {"sqrt on [0, 1]", Plain([](double x) { return std::sqrt(x); }), 0, 1, 2.0 / 3},
        {"sin^2 on [0, 10]", Plain([](double x) { return std::sin(x) * std::sin(x); }), 0, 10,
         5 - std::sin(20.0) / 4},
        {"1/x^2 on [1, inf]", Plain([](double x) { return 1 / (x * x); }), 1, kInf, 1.0},
        {"exp(-x) on [0, inf]", Plain([](double x) { return std::exp(-x); }), 0, kInf, 1.0},
        {"exp(x) on [-inf, 0]", Plain([](double x) { return std::exp(x); }), -kInf, 0, 1.0},
        {"1/x^2 on [-inf, -2]", Plain([](double x) { return 1 / (x * x); }), -kInf, -2, 0.5},
        {"1/(1+x^2) on [-inf, 0]", Plain([](double x) { return 1 / (1 + x * x); }), -kInf, 0,
         kPi / 2},
        {"1/(1+x^2) on [-inf, inf]", Plain([](double x) { return 1 / (1 + x * x); }), -kInf, kInf,
         kPi},
        {"exp(-x^2) on [-inf, inf]", Plain([](double x) { return std::exp(-x * x); }), -kInf, kInf,
         std::sqrt(kPi)},
        {"exp(-100x^2) on [-inf, inf]", Plain([](double x) { return std::exp(-100 * x * x); }),
         -kInf, kInf, std::sqrt(kPi) / 10},
        {"1/(1+x^4) on [-inf, inf]", Plain([](double x) { return 1 / (1 + x * x * x * x); }), -kInf,
         kInf, kPi / std::sqrt(2.0)},
        {"empty range", Plain([](double x) { return x; }), 3, 3, 0.0},
    };
    for (double eps : {1e-5, 1e-8}) {
        for (const IntegralCase& c : cases) {
            double result = -99;
            ASSERT_EQ(IntegrateFunction(c.f, c.a, c.b, eps, result), 0) << c.what;
            EXPECT_NEAR(result, c.expected, eps * std::fabs(c.expected))
                << c.what << " eps " << eps;
        }
    }
}

TEST(NumericCalculus, IntegralErrors)
{
    double result = -99;
    // An error of the integrand other than overflow at an end ends the closed rule at once.
    const CalculusFunction logOrError = [](double x, double& y) -> int {
        if (x <= 0)
            return ErrLogOfNonPositive;
        y = std::log(x);
        return 0;
    };
    EXPECT_EQ(IntegrateFunction(logOrError, 0, 1, 1e-5, result), ErrLogOfNonPositive);
    EXPECT_EQ(result, 0.0);
    EXPECT_EQ(IntegrateFunction(Plain([](double x) { return x; }), std::nan(""), 1, 1e-5, result),
              ErrBadArgument);
    // The open rule used for an end where f overflows cannot reach 1e-7 on a singular end: the
    // call says so instead of returning a value good to three digits.
    EXPECT_EQ(
        IntegrateFunction(Plain([](double x) { return 1 / std::sqrt(x); }), 0, 1, 1e-7, result),
        ErrMaxIterations);
}

TEST(NumericCalculus, NestedIntegralsKeepTheirOwnState)
{
    // Integral over [0, 1] of (integral over [0, 2] of x*t dt) dx = integral of 2x = 1.
    const CalculusFunction outer = [](double x, double& y) {
        const CalculusFunction inner = [x](double t, double& v) {
            v = x * t;
            return 0;
        };
        return IntegrateFunction(inner, 0, 2, 1e-8, y);
    };
    double result = 0;
    ASSERT_EQ(IntegrateFunction(outer, 0, 1, 1e-8, result), 0);
    EXPECT_NEAR(result, 1.0, 1e-7);
}

TEST(NumericCalculus, Derivatives)
{
    struct Case {
        const char* what;
        CalculusFunction f;
        double x, expected;
    } cases[] = {
        {"x^3 at 2", Plain([](double x) { return x * x * x; }), 2, 12},
        {"sin at 0", Plain([](double x) { return std::sin(x); }), 0, 1},
        {"exp at 1", Plain([](double x) { return std::exp(x); }), 1, std::exp(1.0)},
        {"constant", Plain([](double) { return 5.0; }), 1, 0},
    };
    for (Case& c : cases) {
        double result = -99, tol = 1e-5;
        ASSERT_EQ(DifferentiateFunction(c.f, c.x, result, tol), 0) << c.what;
        EXPECT_NEAR(result, c.expected, 1e-5 * std::max(1.0, std::fabs(c.expected))) << c.what;
    }
    double result = 0, tol = 1e-16;
    EXPECT_EQ(DifferentiateFunction(Plain([](double x) { return x; }), 1, result, tol),
              ErrBadArgument);
    double err = 0;
    EXPECT_EQ(RiddersDerivative(Plain([](double x) { return x; }), 1, 0.0, err, result),
              ErrBadArgument);
}

TEST(NumericCalculus, Zeros)
{
    double root = -99;
    ASSERT_EQ(FindZeroOfFunction(Plain([](double x) { return x * x - 2; }), 0, 2, 1e-5, root), 0);
    EXPECT_NEAR(root, std::sqrt(2.0), 1e-5);
    ASSERT_EQ(FindZeroOfFunction(Plain([](double x) { return std::cos(x); }), 0, 3, 0, root), 0);
    EXPECT_NEAR(root, kPi / 2, 1e-5);
    EXPECT_EQ(FindZeroOfFunction(Plain([](double x) { return x * x + 1; }), -1, 1, 1e-5, root),
              ErrNoSolutions);
    EXPECT_EQ(FindZeroOfFunction(Plain([](double x) { return x * x + 1; }), -1, 1, 1e-5, root,
                                 ErrBadArgument),
              ErrBadArgument);
    // A jump from -1 to 1 is no zero.
    EXPECT_EQ(
        FindZeroOfFunction(Plain([](double x) { return x < 0.3 ? -1.0 : 1.0; }), 0, 1, 1e-5, root),
        ErrBadArgument);
    // An evaluation error met on the way is passed on.
    const CalculusFunction pole = [](double x, double& y) -> int {
        if (x == 0.5)
            return ErrDivisionByZero;
        y = 1 / (x - 0.5);
        return 0;
    };
    EXPECT_EQ(FindZeroOfFunction(pole, 0, 1, 1e-5, root), ErrDivisionByZero);
}

// A zero is returned only where f resolves it: 0 there, a sign change across it within tol or,
// where doubles lie farther apart, between its neighbours; steep zeros there are told apart from
// poles by how evenly f changes across them.
TEST(NumericCalculus, ZerosAreResolvedToTheToleranceOrTheDoubles)
{
    const double big = 1e15, root2 = std::sqrt(2.0);
    const struct {
        const char* what;
        CalculusFunction f;
        double a, b, tol;
        int code;
        double root, within;
    } cases[] = {
        {"x^2-2 to 1e-15", Plain([](double x) { return x * x - 2; }), 0, 2, 1e-15, 0, root2,
         4.5e-16},
        {"x-1e12 exactly", Plain([](double x) { return x - 1e12; }), 0, 2e12, 1e-5, 0, 1e12, 0},
        {"(x-1e12)^2-2, doubles 1.2e-4 apart",
         Plain([](double x) { return (x - 1e12) * (x - 1e12) - 2; }), 1e12, 1e12 + 5, 1e-5, 0,
         1e12 + root2, 1.23e-4},
        {"(x-1e15)^2-2, doubles 0.125 apart, steep",
         [big](double x, double& y) {
             y = (x - big) * (x - big) - 2;
             return 0;
         },
         big, big + 5, 1e-5, 0, big + 1.375, 0},
        {"a pole between doubles 0.125 apart",
         [big](double x, double& y) {
             y = 1 / ((x - big) - 1.4);
             return 0;
         },
         big, big + 5, 1e-5, ErrBadArgument, 0, 0},
        {"x^5 to 1e-15, where interpolation stalls", Plain([](double x) { return std::pow(x, 5); }),
         -0.02, 0.014, 1e-15, 0, 0, 1e-15},
        {"sqrt(x-4)-1e-3 beside its domain's edge",
         [](double x, double& y) {
             y = std::sqrt(x - 4) - 1e-3;
             return std::isfinite(y) ? 0 : ErrRange;
         },
         4, 5, 1e-5, 0, 4.000001, 1e-5},
    };
    for (const auto& c : cases) {
        double root = -99;
        EXPECT_EQ(FindZeroOfFunction(c.f, c.a, c.b, c.tol, root), c.code) << c.what;
        EXPECT_NEAR(root, c.root, c.within) << c.what;
    }
}

TEST(NumericCalculus, ScanForZeros)
{
    std::vector<double> zeros;
    ASSERT_EQ(
        FindZerosOfFunction(Plain([](double x) { return std::sin(x); }), -1, 10, 200, 1e-8, zeros),
        0);
    ASSERT_EQ(zeros.size(), 4u);
    for (int k = 0; k < 4; ++k)
        EXPECT_NEAR(zeros[size_t(k)], k * kPi, 1e-7) << k;
    // A zero on a step boundary is reported once; one at the end of the range is reported.
    zeros.clear();
    ASSERT_EQ(FindZerosOfFunction(Plain([](double x) { return x * (x - 1) * (x - 2); }), 0, 2, 4,
                                  1e-8, zeros),
              0);
    ASSERT_EQ(zeros.size(), 3u);
    EXPECT_EQ(zeros[0], 0.0);
    EXPECT_EQ(zeros[1], 1.0);
    EXPECT_EQ(zeros[2], 2.0);
    zeros.clear();
    EXPECT_EQ(FindZerosOfFunction(Plain([](double x) { return x; }), 0, 10, 0, 1e-5, zeros),
              ErrBadArgument);
    EXPECT_EQ(FindZerosOfFunction(Plain([](double x) { return x; }), 10, 0, 5, 1e-5, zeros),
              ErrBadArgument);
    EXPECT_EQ(FindZerosOfFunction(Plain([](double x) { return x; }), 0, 10, 5, 1e-16, zeros),
              ErrBadArgument);
    EXPECT_EQ(
        FindZerosOfFunction(Plain([](double x) { return x * x + 1; }), -5, 5, 10, 1e-5, zeros), 36);
    EXPECT_TRUE(zeros.empty());
}

TEST(NumericCalculus, Minimum)
{
    double xmin = 0, fmin = 0;
    ASSERT_EQ(FindMinimumOfFunction(Plain([](double x) { return (x - 1) * (x - 1) + 3; }), -5, -4,
                                    1e-8, xmin, fmin),
              0);
    EXPECT_NEAR(xmin, 1.0, 1e-4);
    EXPECT_NEAR(fmin, 3.0, 1e-8);
    ASSERT_EQ(
        FindMinimumOfFunction(Plain([](double x) { return std::cos(x); }), 2, 3, 0, xmin, fmin), 0);
    EXPECT_NEAR(xmin, kPi, 1e-4);
    // A function that falls for ever: the search gives up instead of running without end.
    EXPECT_NE(FindMinimumOfFunction(Plain([](double x) { return -x; }), 0, 1, 1e-5, xmin, fmin), 0);
}

} // namespace
