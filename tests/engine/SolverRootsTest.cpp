// A solve cut short by its time, or by a tool's budget in work, lists roots it resolved, nearest 0
// first, judged by closed forms. Every other root the solver models, FZERO and Find Zeros list is
// judged against the truth corpus in tests/data/roots by tools/root-truth (the root_truth_* tests).
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

const long double kPi = 3.14159265358979323846264338327950288L;
const long double kRise = std::asin(std::exp(-0.1L)); // ln(sin(x)) = -0.1

struct CutCase {
    const char* equation;
    int steps;
    RootFamily roots;
};

const CutCase kCutCases[] = {
    {"x^2 = 2", 200, {{-1.41421356237309504880L, 1.41421356237309504880L}}},
    {"x^2 = 2", 10000, {{-1.41421356237309504880L, 1.41421356237309504880L}}},
    {"x^2 = 1e-12", 200, {{-1e-6L, 1e-6L}}},
    {"sin(x) = 0.5", 200, {{kPi / 6, 5 * kPi / 6}, 2 * kPi}},
    {"sin(x) = 0.5", 10000, {{kPi / 6, 5 * kPi / 6}, 2 * kPi}},
    {"ln(sin(x)) = -0.1", 10000, {{kRise, kPi - kRise}, 2 * kPi}},
};

// A new model of c solved for x, cut short: the roots it lists, each a true root, beginning with
// the ones nearest 0; the variable keeps its value.
std::vector<double> SolveCutShort(const CutCase& c)
{
    CSolverModel model;
    EXPECT_EQ(model.SetEquation(c.equation), 0);
    model.m_SolverFormat.SetDecimals(5);
    model.m_nSolverSteps = c.steps;
    model.SetVariable(0, "x", 7);
    std::vector<double> roots;
    EXPECT_EQ(model.Solve(0, roots), ErrMaxIterations);
    EXPECT_EQ(model.GetVariableValue(0), 7);
    if (roots.empty()) {
        ADD_FAILURE() << "no roots";
        return roots;
    }
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
    return roots;
}

// Past its time a solve lists roots it resolved by then.
TEST_F(SolverRootsTest, ASolveCutShortListsTheRootsNearestZero)
{
    const ScopedValue noTime(EvaluationSecondsLimit, 0.0);
    for (const CutCase& c : kCutCases) {
        SCOPED_TRACE(std::string(c.equation) + ", " + std::to_string(c.steps) + " steps");
        SolveCutShort(c);
    }
}

// A tool's budget in work cuts a solve as its time does, after as much work and at the same
// place every time, however long the work takes.
TEST_F(SolverRootsTest, ABudgetInWorkCutsASolveAtTheSamePlace)
{
    const ScopedValue untimed(EvaluationSecondsLimit, 600.0);
    constexpr long long kWork = EvaluationWork::kClockCharges;
    for (const CutCase& c : kCutCases) {
        SCOPED_TRACE(std::string(c.equation) + ", " + std::to_string(c.steps) + " steps");
        CommandWork::LimitWork(kWork);
        const std::vector<double> roots = SolveCutShort(c);
        EXPECT_GT(CommandWork::Charged(), kWork);
        EXPECT_LE(CommandWork::Charged(), kWork + EvaluationWork::kClockCharges);
        EXPECT_EQ(SolveCutShort(c), roots);
        CommandWork::LimitWork(-1);
    }
}

} // namespace
