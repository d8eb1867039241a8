// Equations whose roots a scan sees only by looking closely, solved as a model, by FZERO and by
// Find Zeros and judged by roots computed outside the program (closed forms, 40-digit
// arithmetic): every root is listed, within the tolerance or the equation's rounding noise, and
// nothing else is.
#include "engine/EvaluationWork.h"
#include "engine/LocaleSeparators.h"
#include "engine/SolverModel.h"
#include "tests/support/ScopedValue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

enum class Scan { Model, Fzero, Zeros };

struct ScanCase {
    Scan scan;
    const char* equation; // a model's equation, or the expression of FZERO and Find Zeros
    double a, b;          // Min and Max, or FZERO's bracket
    int decimals, steps;
    std::vector<double> roots; // every true root there, ascending
    double noise = 0;          // how far rounding lets a listed root lie from a true one
};

std::string Text(double x)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", x);
    return text;
}

std::vector<double> Listed(const ScanCase& c)
{
    std::vector<double> roots;
    if (c.scan == Scan::Model) {
        CSolverModel model;
        EXPECT_EQ(model.SetEquation(c.equation), 0);
        model.m_dMinimum = c.a;
        model.m_dMaximum = c.b;
        model.m_SolverFormat.SetDecimals(c.decimals);
        model.m_nSolverSteps = c.steps;
        model.Solve(0, roots);
        return roots;
    }
    CCalcEngine engine;
    engine.m_nSolverSteps = c.steps;
    engine.m_SolverFormat.SetDecimals(c.decimals);
    if (c.scan == Scan::Zeros) {
        engine.SetExpression(c.equation);
        const CommandWork command;
        engine.FindRoots(c.a, c.b, roots);
        return roots;
    }
    const std::string text =
        "FZERO(" + std::string(c.equation) + ", " + Text(c.a) + ", " + Text(c.b) + ")";
    engine.SetExpression(text.c_str());
    EXPECT_EQ(engine.Parse(), 0);
    const double root = engine.Evaluate();
    if (engine.GetErrorCode() == 0)
        roots.push_back(root);
    return roots;
}

bool Near(double z, double x, double within)
{
    const double ulp = std::nextafter(std::fabs(x), HUGE_VAL) - std::fabs(x);
    return std::fabs(z - x) <= std::max(within, 4 * ulp);
}

class RootScanCasesTest : public ::testing::Test {
protected:
    void SetUp() override { UseDotSeparators(); }
};

TEST_F(RootScanCasesTest, EveryRootIsListedAndNothingElse)
{
    const ScopedValue untimed(EvaluationSecondsLimit, 600.0); // the machine's speed decides nothing
    const Scan M = Scan::Model, F = Scan::Fzero, Z = Scan::Zeros;
    const ScanCase cases[] = {
        // Roots in rounding noise, at decimals finer than the noise.
        {M, "(6371000+x)^2-6371000^2 = 1e6", 0, 1, 9, 200, {0.078480614804645511}, 6e-10},
        {M, "(6371000+x)^2-6371000^2 = 1e6", 0, 1, 15, 200, {0.078480614804645511}, 6e-10},
        {M,
         "1-cos(x) = 1e-6",
         -1,
         1,
         15,
         1000,
         {-0.0014142136802242518, 0.0014142136802242518},
         8e-14},
        {M, "(x+1e6)-1e6 = 0.7", 0, 1, 10, 200, {0.7}, 1.2e-10},
        {M, "(x+1000)-1000 = 0.123456789", 0, 1, 13, 200, {0.123456789}, 1.2e-13},
        {M, "(x+1e12)-1e12 = 3.22787", 0, 10, 5, 1000, {3.22787}, 1.2e-4},
        {F, "(x+1e12)-1e12-3.22787", 0, 10, 5, 0, {3.22787}, 1.2e-4},
        // Values within rounding noise of 0 over a stretch: one root where the signs beside
        // it differ (the cubic's coefficients as the doubles read them: 40-digit roots), none
        // where they agree.
        {M, "x^3-3.3*x^2+3.63*x-1.331 = 0", -10, 10, 8, 200, {1.0999948476491425}, 2e-5},
        {M, "x^3-3*x^2+3*x-1 = 0", -0.7, 6.1, 8, 200, {1}, 1e-5},
        {M, "exp(x)*exp(-x)-1 = 1e-17", -10, 10, 15, 200, {}},
        {M, "sin(x)^2+cos(x)^2-1 = -1e-17", -10, 10, 15, 200, {}},
        {M, "(x+1000)-1000-x = -1e-14", -10, 10, 15, 10000, {}},
        {M, "(x+1e8)^2-1e16-2e8*x = -1e-3", -10, 10, 15, 200, {}},
        {M, "x^4-4*x^3+6*x^2-4*x+1 = -1e-17", -10, 10, 15, 200, {}},
        // Rounding up and down cancels in a difference of like terms: the values at the
        // neighbouring doubles tell the noise.
        {M, "(x+1)^2-x^2-2*x = 1+1e-15", -10, 10, 8, 1000, {}},
        // A sign change in the noise beside the root, where Brent's method closes first.
        {M, "x^3-3.3*x^2+3.62*x-1.32 = 0", -1e300, 1e300, 2, 10000, {1, 1.1, 1.2}, 1e-5},
        // Two roots in one step of the scan, a new model's defaults included.
        {M, "x^2-5*x+6 = 0", -1e300, 1e300, 2, 200, {2, 3}},
        {M, "x^3-6*x^2+11*x-6 = 0", -1e300, 1e300, 2, 200, {1, 2, 3}},
        // Three roots in one octave of a new model's search, whose ends show one sign change.
        {M, "(x-1)*(x-1.1)*(x-1.2) = 0", -1e300, 1e300, 5, 200, {1, 1.1, 1.2}},
        {M, "(x-1)*(x-1.1)*(x-1.2) = 0", -1e300, 1e300, 15, 200, {1, 1.1, 1.2}},
        {M, "(x-1)*(x-1.01)*(x-1.02) = 0", -1e300, 1e300, 5, 1000, {1, 1.01, 1.02}},
        {M, "(x-0.001)*(x-0.0011)*(x-0.0012) = 0", -1e300, 1e300, 8, 10000, {1e-3, 1.1e-3, 1.2e-3}},
        {M, "(x-1)*(x-1.1)*(x-1.2)*(x-1.3) = 0", -1e300, 1e300, 5, 200, {1, 1.1, 1.2, 1.3}},
        {M, "(x-1e10)^2 = 4", -1e300, 1e300, 2, 200, {9999999998, 10000000002}},
        {M, "(x-1)*(x-1.001) = 0", -10, 10, 4, 200, {1, 1.001}},
        {Z, "(x-1)*(x-1.001)", -10, 10, 4, 10000, {1, 1.001}},
        // A step that begins where the equation has no value.
        {Z, "ln(x)+3", -10, 10, 5, 200, {0.049787068367863943}},
        {Z, "log(x)+1.5", -10, 10, 5, 200, {0.031622776601683793}},
        // Rounding plateaus are no roots; a subnormal result is a value.
        {M, "tanh(x) = 1", 0, 100, 5, 200, {}},
        {M, "erf(x) = 1", 0, 10, 5, 200, {}},
        {Z, "1/(1+exp(-x))-1", 0, 100, 5, 200, {}},
        {M, "exp(-x^2) = 1e-320", -50, 50, 5, 200, {-27.144561697660447, 27.144561697660447}, 1e-5},
        // Roots of odd order, whose values are flat beside them.
        {M, "x^3 = 0", -0.7, 6.1, 15, 200, {0}},
        {M, "sin(x)^3 = 0", -0.7, 6.1, 12, 200, {0, 3.1415926535897932}},
        {M, "(x-1)^3 = 0", 0.3, 7.1, 15, 200, {1}},
        {M, "x*abs(x) = 0", -0.7, 6.1, 15, 200, {0}},
    };
    for (const ScanCase& c : cases) {
        const double tol = c.scan == Scan::Fzero ? 1e-5 : std::pow(10.0, -c.decimals);
        const double within = std::max(tol, c.noise);
        const std::vector<double> listed = Listed(c);
        std::string input = std::string(c.equation) + " on [" + Text(c.a) + ", " + Text(c.b) +
                            "], " + std::to_string(c.decimals) + " decimals, " +
                            std::to_string(c.steps) + " steps; listed:";
        for (double z : listed)
            input += " " + Text(z);
        SCOPED_TRACE(input);
        for (double z : listed)
            EXPECT_TRUE(std::any_of(c.roots.begin(), c.roots.end(),
                                    [&](double x) { return Near(z, x, within); }))
                << Text(z) << " is no root";
        for (double x : c.roots)
            EXPECT_TRUE(std::any_of(listed.begin(), listed.end(),
                                    [&](double z) { return Near(z, x, within); }))
                << Text(x) << " is not found";
    }
}

// One root for each band of noise across which the sign changes, however many points inside it
// are 0: (x-1)^5 multiplied out is 0 at doubles across 1 +- 1e-3.
TEST_F(RootScanCasesTest, ABandOfNoiseHoldsOneRoot)
{
    const ScopedValue untimed(EvaluationSecondsLimit, 600.0);
    const std::vector<double> listed =
        Listed({Scan::Model, "x^5-5*x^4+10*x^3-10*x^2+5*x-1 = 0", -0.63, 1.19, 8, 10000, {1}});
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_NEAR(listed[0], 1, 2e-3);
}

// Both roots of each hump of ln(sin(x)) = -0.1 (asin(exp(-0.1)) and pi minus it, plus 2k*pi: a
// closed form) are found where a step of 3 holds both between the gaps in the domain, as a
// model and by Find Zeros.
TEST_F(RootScanCasesTest, PairsBesideTheGapsOfTheDomainAreFound)
{
    const ScopedValue untimed(EvaluationSecondsLimit, 600.0);
    const double rise = std::asin(std::exp(-0.1));
    std::vector<double> roots;
    for (int k = 0; k < 48; ++k)
        for (double x : {rise + 2 * k * M_PI, M_PI - rise + 2 * k * M_PI})
            if (x < 300)
                roots.push_back(x);
    for (const ScanCase& c : {ScanCase{Scan::Model, "ln(sin(x)) = -0.1", 0, 300, 5, 100, roots},
                              ScanCase{Scan::Zeros, "ln(sin(x))+0.1", 0, 300, 5, 100, roots}}) {
        const std::vector<double> listed = Listed(c);
        ASSERT_EQ(listed.size(), roots.size()) << c.equation;
        for (std::size_t i = 0; i < roots.size(); ++i)
            EXPECT_TRUE(Near(listed[i], roots[i], 1e-5)) << c.equation << ": " << Text(roots[i]);
    }
}

} // namespace
