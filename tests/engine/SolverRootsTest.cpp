// The roots a solver model, FZERO and Find Zeros list, judged by true roots computed outside the
// program (closed forms and 80-digit arithmetic, in SolverRootsCases.h): every root listed lies
// within the tolerance, or a few doubles, of a true root, and every simple root that a scan step
// holds alone is found. Close pairs, steep roots, underflows, poles and jumps small and large,
// roots in rounding noise, domain gaps and magnitudes from 1e-12 to 1e15, in a model, in FZERO's
// bracket and in Find Zeros.
#include "tests/engine/SolverRootsCases.h"

#include "engine/EvaluationWork.h"
#include "engine/LocaleSeparators.h"
#include "engine/SolverModel.h"
#include "tests/support/ScopedValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

enum class Scan { Model, Fzero, Zeros };

// One setting of a row: "decimals/steps:mask", mask 1 where a true root must be found.
struct Setting {
    int decimals = 5, steps = 200;
    std::string must;
};

std::vector<Setting> SettingsOf(const RootRow& row)
{
    std::vector<Setting> settings;
    std::istringstream in(row.settings);
    for (std::string word; in >> word;) {
        Setting s;
        const std::size_t colon = word.find(':');
        if (word[0] != 'F')
            std::sscanf(word.c_str(), "%d/%d", &s.decimals, &s.steps);
        s.must = colon == std::string::npos ? std::string() : word.substr(colon + 1);
        settings.push_back(s);
    }
    return settings;
}

std::string Text(double x)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", x);
    return text;
}

// The roots the program lists for a row in one setting; code receives its code.
std::vector<double> Listed(Scan scan, const RootRow& row, const Setting& s, int& code)
{
    std::vector<double> roots;
    if (scan == Scan::Model) {
        CSolverModel model;
        code = model.SetEquation(row.equation);
        EXPECT_EQ(code, 0);
        model.m_dMinimum = row.a;
        model.m_dMaximum = row.b;
        model.m_SolverFormat.SetDecimals(s.decimals);
        model.m_nSolverSteps = s.steps;
        model.SetVariable(0, model.GetVariableName(0), 0.125);
        code = model.Solve(0, roots);
        EXPECT_EQ(model.GetVariableValue(0), 0.125) << "the variable keeps its value";
    } else if (scan == Scan::Zeros) {
        CCalcEngine engine;
        engine.m_nSolverSteps = s.steps;
        engine.m_SolverFormat.SetDecimals(s.decimals);
        engine.SetExpression(row.equation);
        const CommandWork command;
        code = engine.FindRoots(row.a, row.b, roots);
    } else {
        CCalcEngine engine;
        const std::string text =
            "FZERO(" + std::string(row.equation) + ", " + Text(row.a) + ", " + Text(row.b) + ")";
        engine.SetExpression(text.c_str());
        EXPECT_EQ(engine.Parse(), 0);
        const double root = engine.Evaluate();
        code = engine.GetErrorCode();
        if (code == 0)
            roots.push_back(root);
    }
    return roots;
}

// Within the tolerance or four doubles of x: where the doubles lie farther apart than the
// tolerance, a root is resolved to its neighbouring doubles.
bool Near(double z, double x, double tol)
{
    const double ulp = std::nextafter(std::fabs(x), kInf) - std::fabs(x);
    return std::fabs(z - x) <= std::max(tol, 4 * ulp);
}

void ExpectTruth(Scan scan, const RootRow* rows, std::size_t count)
{
    const ScopedValue untimed(EvaluationSecondsLimit, 600.0); // the machine's speed decides nothing
    for (const RootRow& row : std::vector<RootRow>(rows, rows + count)) {
        for (const Setting& s : SettingsOf(row)) {
            const double tol = scan == Scan::Fzero
                                   ? 1e-5
                                   : std::max(std::pow(10.0, -s.decimals), kMinimumTolerance);
            int code = 0;
            const std::vector<double> listed = Listed(scan, row, s, code);
            std::string input = std::string(row.equation) + " on [" + Text(row.a) + ", " +
                                Text(row.b) + "], " + std::to_string(s.decimals) + " decimals, " +
                                std::to_string(s.steps) + " steps; listed:";
            for (double z : listed)
                input += " " + Text(z);
            SCOPED_TRACE(input);
            // FZERO passes on the error of f at an end of its bracket.
            EXPECT_TRUE(scan == Scan::Fzero || code == 0 || code == ErrNoSolutions)
                << "code " << code;
            for (double z : listed) {
                bool root = std::fabs(z) > row.judgedUpTo || (z >= row.zeroFrom && z <= row.zeroTo);
                for (double x : row.roots)
                    root = root || Near(z, x, tol);
                EXPECT_TRUE(root) << Text(z) << " is no root";
            }
            EXPECT_TRUE(row.zeroFrom > row.zeroTo || !listed.empty()) << "no point listed";
            ASSERT_EQ(s.must.size(), row.roots.size()) << "the table's mask";
            for (std::size_t i = 0; i < row.roots.size(); ++i) {
                bool found = false;
                for (double z : listed)
                    found = found || Near(z, row.roots[i], tol);
                EXPECT_TRUE(found || s.must[i] == '0') << Text(row.roots[i]) << " is not found";
            }
        }
    }
}

#define EXPECT_TRUTH(scan, rows) ExpectTruth(scan, rows, std::size(rows))

class SolverRootsTest : public ::testing::Test {
protected:
    void SetUp() override { UseDotSeparators(); }
};

// Two roots closer than the tolerance are each found where a step boundary lies between them:
// the bracket around one is decided inside itself, not beside it where the other lies.
TEST_F(SolverRootsTest, BothRootsOfAClosePairAreFound)
{
    EXPECT_TRUTH(Scan::Model, kClosePairs);
    EXPECT_TRUTH(Scan::Fzero, kClosePairBrackets);
}

// A steep root (slope times tolerance from 1 to 1e20) is no pole: its values shrink as its
// bracket narrows.
TEST_F(SolverRootsTest, SteepRootsAreFound)
{
    EXPECT_TRUTH(Scan::Model, kSteepRoots);
    EXPECT_TRUTH(Scan::Fzero, kSteepBrackets);
}

// A 0 that is there only because a result underflowed is no root; an equation that is 0 on a
// whole interval lists its points there.
TEST_F(SolverRootsTest, AnUnderflowIsNoZero)
{
    EXPECT_TRUTH(Scan::Model, kUnderflows);
    EXPECT_TRUTH(Scan::Fzero, kUnderflowBrackets);
    EXPECT_TRUTH(Scan::Zeros, kUnderflowZeros);
    EXPECT_TRUTH(Scan::Model, kExactZeros);
    EXPECT_TRUTH(Scan::Zeros, kExactZeroScans);
}

TEST_F(SolverRootsTest, PolesAndJumpsAreNoRoots)
{
    EXPECT_TRUTH(Scan::Model, kPolesAndJumps);
    EXPECT_TRUTH(Scan::Fzero, kPoleAndJumpBrackets);
    EXPECT_TRUTH(Scan::Zeros, kPoleAndJumpScans);
}

// A jump small against the equation's change across the tolerance (a jump of 1e-6 in a slope of
// 1e6, or where the rest is flat, as (x-1)^3 at 1) is no root, however closely it is narrowed.
TEST_F(SolverRootsTest, SmallJumpsAreNoRoots)
{
    EXPECT_TRUTH(Scan::Model, kSmallJumps);
    EXPECT_TRUTH(Scan::Fzero, kSmallJumpBrackets);
}

// Roots where the equation's values are only rounding noise, results that cancel or that are
// large against their change, are found though their values stop shrinking before the doubles.
TEST_F(SolverRootsTest, RootsInRoundingNoiseAreFound)
{
    EXPECT_TRUTH(Scan::Model, kNoisyRoots);
    EXPECT_TRUTH(Scan::Fzero, kNoisyRootBrackets);
}

TEST_F(SolverRootsTest, RootsBesideDomainGapsAreFound)
{
    EXPECT_TRUTH(Scan::Model, kGaps);
    EXPECT_TRUTH(Scan::Fzero, kGapBrackets);
    EXPECT_TRUTH(Scan::Zeros, kGapScans);
}

TEST_F(SolverRootsTest, RootsAreFoundAtEveryMagnitude)
{
    EXPECT_TRUTH(Scan::Model, kMagnitudes);
    EXPECT_TRUTH(Scan::Fzero, kMagnitudeBrackets);
    EXPECT_TRUTH(Scan::Model, kSmallMagnitudes);
}

// A new model's interval, -1e300 .. 1e300: the roots around 0 are found; far out, where the
// doubles lie farther apart than a period, every double is beside a true root.
TEST_F(SolverRootsTest, ANewModelFindsTheRootsAroundZero) { EXPECT_TRUTH(Scan::Model, kNewModels); }

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
