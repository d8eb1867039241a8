// A solve cut short by its time lists roots it resolved, nearest 0 first, judged by closed forms.
// Every other root the solver models, FZERO and Find Zeros list is judged against the truth
// corpus in tests/data/roots by tools/root-truth (the root_truth_* tests).
#include "engine/EvaluationWork.h"
#include "engine/LocaleSeparators.h"
#include "engine/SolverModel.h"
#include "tests/support/ScopedValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr long double kInf = std::numeric_limits<long double>::infinity();

std::string Text(double x)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", x);
    return text;
}

class SolverRootsTest : public ::testing::Test {
protected:
    void SetUp() override { UseDotSeparators(); }
};

// The true roots offset + k period (all k; just the offsets when period is 0), and the distance
// from z to the nearest, in long double, which holds z - k period to 1e-8 up to |z| = 1e9.
struct RootFamily {
    std::vector<long double> offsets;
    long double period = 0;

    long double Distance(double z) const
    {
        long double nearest = kInf;
        for (long double o : offsets) {
            const long double d = period == 0 ? z - o : std::remainder(z - o, period);
            nearest = std::min(nearest, std::fabs(d));
        }
        return nearest;
    }
    // The true root nearest 0 on the side of z.
    long double NearestZeroOnSideOf(double z) const
    {
        long double nearest = z < 0 ? -kInf : kInf;
        for (long double o : offsets) {
            long double r = period == 0 ? o : o - period * std::floor(o / period);
            if (z < 0 && period != 0)
                r -= period;
            if ((z < 0) == (r < 0) && std::fabs(r) < std::fabs(nearest))
                nearest = r;
        }
        return nearest;
    }
};

// Past its time a solve lists roots it resolved by then, each a true root, beginning with those
// nearest 0; the variable keeps its value.
TEST_F(SolverRootsTest, ASolveCutShortListsTheRootsNearestZero)
{
    const ScopedValue noTime(EvaluationSecondsLimit, 0.0);
    constexpr long double pi = 3.14159265358979323846264338327950288L;
    const long double rise = std::asin(std::exp(-0.1L)); // ln(sin(x)) = -0.1
    const struct {
        const char* equation;
        int steps;
        RootFamily roots;
    } cases[] = {
        {"x^2 = 2", 200, {{-1.41421356237309504880L, 1.41421356237309504880L}}},
        {"x^2 = 2", 10000, {{-1.41421356237309504880L, 1.41421356237309504880L}}},
        {"x^2 = 1e-12", 200, {{-1e-6L, 1e-6L}}},
        {"sin(x) = 0.5", 200, {{pi / 6, 5 * pi / 6}, 2 * pi}},
        {"sin(x) = 0.5", 10000, {{pi / 6, 5 * pi / 6}, 2 * pi}},
        {"ln(sin(x)) = -0.1", 10000, {{rise, pi - rise}, 2 * pi}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.equation) + ", " + std::to_string(c.steps) + " steps");
        CSolverModel model;
        ASSERT_EQ(model.SetEquation(c.equation), 0);
        model.m_SolverFormat.SetDecimals(5);
        model.m_nSolverSteps = c.steps;
        model.SetVariable(0, "x", 7);
        std::vector<double> roots;
        EXPECT_EQ(model.Solve(0, roots), ErrMaxIterations);
        EXPECT_EQ(model.GetVariableValue(0), 7);
        ASSERT_FALSE(roots.empty());
        double first = roots[0];
        for (std::size_t i = 0; i < roots.size(); ++i) {
            EXPECT_TRUE(i == 0 || roots[i - 1] < roots[i]) << "ascending";
            if (std::fabs(roots[i]) <= 1e9) {
                EXPECT_LE(c.roots.Distance(roots[i]), 1e-5L) << Text(roots[i]) << " is no root";
            }
            if (std::fabs(roots[i]) < std::fabs(first))
                first = roots[i];
        }
        EXPECT_LE(std::fabs(first - c.roots.NearestZeroOnSideOf(first)), 1e-5L)
            << Text(first) << " is not the root nearest 0 on its side";
    }
}

} // namespace
