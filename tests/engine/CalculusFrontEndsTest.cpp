// The calculus commands on functions with known roots, extrema, areas, lengths, volumes and
// centres of mass.
#include "engine/CalcEngine.h"
#include "engine/EngineNames.h"
#include "engine/LocaleSeparators.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;

class CalculusFrontEndsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseDotSeparators();
        ResetIndependentVariables();
    }
    void TearDown() override { ResetIndependentVariables(); }
};

void ExpectValues(const std::vector<double>& actual, std::initializer_list<double> expected,
                  double tolerance)
{
    ASSERT_EQ(actual.size(), expected.size());
    std::size_t i = 0;
    for (double value : expected)
        EXPECT_NEAR(actual[i++], value, tolerance);
}

TEST_F(CalculusFrontEndsTest, RootsAndIntersections)
{
    CCalcEngine engine;
    engine.SetExpression("x^2-2");
    std::vector<double> roots;
    ASSERT_EQ(engine.FindRoots(-2, 2, roots), 0);
    ExpectValues(roots, {-std::sqrt(2.0), std::sqrt(2.0)}, 1e-5);

    engine.SetExpression("x^2+1");
    roots.clear();
    EXPECT_EQ(engine.FindRoots(-2, 2, roots), ErrNoSolutions);

    engine.SetExpression("x^2+");
    EXPECT_EQ(engine.FindRoots(-2, 2, roots), ErrDanglingOperator);

    engine.SetExpression("sin(x)");
    std::vector<double> crossings;
    ASSERT_EQ(engine.FindIntersections("x^2", "1", -2, 2, crossings), 0);
    ExpectValues(crossings, {-1, 1}, 1e-5);
    EXPECT_STREQ(engine.GetExpressionText(), "sin(x)");
}

struct ExtremaCase {
    const char* function;
    double a, b;
    std::initializer_list<double> maxima, minima;
};

TEST_F(CalculusFrontEndsTest, ExtremaAreClassifiedFromBothSides)
{
    const ExtremaCase cases[] = {
        {"x^2-2*x", -5, 5, {}, {1}},
        {"-(x^2)", -5, 5, {0}, {}},
        {"x^3", -1, 1, {}, {}},
        {"x^3", -1, 1.3, {}, {}},
        {"2*x+1", -1, 1, {}, {}},
        {"x^3-3*x", -3, 3.1, {-1}, {1}},
        {"sin(x)", 0, 7, {kPi / 2}, {3 * kPi / 2}},
    };
    for (const ExtremaCase& c : cases) {
        SCOPED_TRACE(c.function);
        CCalcEngine engine;
        engine.SetExpression(c.function);
        std::vector<double> maxima, minima;
        ASSERT_EQ(engine.FindExtrema(c.a, c.b, maxima, minima), 0);
        ExpectValues(maxima, c.maxima, 1e-4);
        ExpectValues(minima, c.minima, 1e-4);
        // The function is the engine's expression again, whatever was found.
        EXPECT_STREQ(engine.GetExpressionText(), c.function);
        ASSERT_EQ(engine.Parse(), 0);
        EXPECT_NEAR(
            engine.m_Root.EvaluateAt(0.25),
            [&] {
                CCalcEngine f;
                f.SetExpression(c.function);
                f.Parse();
                return f.m_Root.EvaluateAt(0.25);
            }(),
            1e-12);
    }
}

TEST_F(CalculusFrontEndsTest, ExtremaOfAFunctionWithoutDerivativeEndWithItsCode)
{
    CCalcEngine engine;
    std::vector<double> maxima, minima;
    engine.SetExpression("INT(x)");
    EXPECT_EQ(engine.FindExtrema(-1, 1, maxima, minima), ErrInvalidFunction);
    EXPECT_STREQ(engine.GetExpressionText(), "INT(x)");
    EXPECT_TRUE(maxima.empty() && minima.empty());
}

TEST_F(CalculusFrontEndsTest, TangentDerivativeAndIntegral)
{
    CCalcEngine engine;
    engine.SetExpression("x^2");
    double slope = 0, intercept = 0;
    ASSERT_EQ(engine.GetTangentLine(1, slope, intercept), 0);
    EXPECT_NEAR(slope, 2, 1e-5);
    EXPECT_NEAR(intercept, -1, 1e-5);

    engine.SetExpression("x^3");
    double derivative = 0;
    ASSERT_EQ(engine.DifferentiateAt(2, derivative), 0);
    EXPECT_NEAR(derivative, 12, 1e-4);

    double integral = 0;
    ASSERT_EQ(engine.Integrate(0, 1, integral), 0);
    EXPECT_NEAR(integral, 0.25, 1e-6);

    engine.SetExpression("1/x");
    const double before = slope;
    EXPECT_EQ(engine.GetTangentLine(0, slope, intercept), ErrDivisionByZero);
    EXPECT_EQ(slope, before); // untouched
}

struct IntegralCase {
    const char* name;
    int (*run)(CCalcEngine&, double&);
    double expected;
};

TEST_F(CalculusFrontEndsTest, IntegralsOfTheCurveCommands)
{
    const IntegralCase cases[] = {
        {"area between x and 0",
         [](CCalcEngine& e, double& r) { return e.AreaBetween("x", "0", -1, 1, r); }, 1},
        {"signed integral of x",
         [](CCalcEngine& e, double& r) { return e.IntegrateBetween("x", "0", -1, 1, r); }, 0},
        {"area between sin and cos",
         [](CCalcEngine& e, double& r) { return e.AreaBetween("sin(x)", "cos(x)", 0, kPi / 2, r); },
         2 * std::sqrt(2.0) - 2},
        {"cone volume",
         [](CCalcEngine& e, double& r) { return e.VolumeOfRevolution("x", "0", 0, 1, r); },
         kPi / 3},
        {"washer volume",
         [](CCalcEngine& e, double& r) { return e.VolumeOfRevolution("1", "x", 0, 1, r); },
         2 * kPi / 3},
        {"length of a line",
         [](CCalcEngine& e, double& r) {
             e.SetExpression("2*x+1");
             return e.ArcLength(0, 1, r);
         },
         std::sqrt(5.0)},
        {"length of a parabola",
         [](CCalcEngine& e, double& r) {
             e.SetExpression("x^2");
             return e.ArcLength(0, 1, r);
         },
         1.4789428575445975},
        {"cone surface",
         [](CCalcEngine& e, double& r) {
             e.SetExpression("x");
             return e.SurfaceOfRevolution(0, 1, r);
         },
         kPi * std::sqrt(2.0)},
        {"sphere surface",
         [](CCalcEngine& e, double& r) {
             e.SetExpression("sqrt(1-x^2)");
             return e.SurfaceOfRevolution(-0.999, 0.999, r);
         },
         4 * kPi * 0.999},
    };
    for (const IntegralCase& c : cases) {
        SCOPED_TRACE(c.name);
        CCalcEngine engine;
        double result = -12345;
        ASSERT_EQ(c.run(engine, result), 0);
        EXPECT_NEAR(result, c.expected, 1e-4 * (1 + std::fabs(c.expected)));
    }
}

TEST_F(CalculusFrontEndsTest, ArcLengthCanBeAskedTwice)
{
    CCalcEngine engine;
    engine.SetExpression("x^2");
    double first = 0, second = 0;
    ASSERT_EQ(engine.ArcLength(0, 1, first), 0);
    ASSERT_EQ(engine.ArcLength(0, 1, second), 0);
    EXPECT_EQ(first, second);
    EXPECT_STREQ(engine.GetExpressionText(), "x^2");
}

// The commands differentiate a printed copy of the function: the copy names ANS, and its
// derivative carries the angle mode (the arc of a sine over 0..180 degrees is barely longer
// than 180, not the 216 of a sine in radians stretched out).
TEST_F(CalculusFrontEndsTest, TheDerivativeKeepsTheAnswerAndTheAngleMode)
{
    CCalcEngine engine;
    engine.m_dLastAnswer = 3;
    engine.SetExpression("ANS*x^2-6*x");
    std::vector<double> maxima, minima;
    ASSERT_EQ(engine.FindExtrema(-5, 5, maxima, minima), 0);
    ExpectValues(minima, {1}, 1e-4);

    engine.m_nAngleMode = AngleDegrees;
    engine.SetExpression("SIN(x)");
    double length = 0;
    ASSERT_EQ(engine.ArcLength(0, 180, length), 0);
    EXPECT_NEAR(length, 180.0137070010586, 1e-4);
}

TEST_F(CalculusFrontEndsTest, CentreOfMass)
{
    CCalcEngine engine;
    double xc = 0, yc = 0;
    ASSERT_EQ(engine.CenterOfMass("1", "0", 0, 2, xc, yc), 0);
    EXPECT_NEAR(xc, 1, 1e-6);
    EXPECT_NEAR(yc, 0.5, 1e-6);
    ASSERT_EQ(engine.CenterOfMass("x", "0", 0, 1, xc, yc), 0);
    EXPECT_NEAR(xc, 2.0 / 3, 1e-6);
    EXPECT_NEAR(yc, 1.0 / 3, 1e-6);
    ASSERT_EQ(engine.CenterOfMass("1-x^2", "0", -1, 1, xc, yc), 0);
    EXPECT_NEAR(xc, 0, 1e-6);
    EXPECT_NEAR(yc, 0.4, 1e-6);

    xc = yc = 7;
    EXPECT_EQ(engine.CenterOfMass("x", "x", 0, 1, xc, yc), ErrDivisionByZero);
    EXPECT_EQ(xc, 7);
    EXPECT_EQ(engine.CenterOfMass("x+", "0", 0, 1, xc, yc), ErrDanglingOperator);
}

TEST_F(CalculusFrontEndsTest, DeriveSymbolicInAnotherVariable)
{
    CCalcEngine engine;
    engine.SetExpression("t^2+x");
    ASSERT_EQ(engine.DeriveSymbolic("t"), 0);
    EXPECT_STREQ(engine.GetText(), "2*t");
    engine.SetExpression("x^3");
    ASSERT_EQ(engine.DeriveSymbolic("x"), 0);
    EXPECT_STREQ(engine.GetText(), "3*x^2");
    // Parsed while t was still the fourth slot.
    engine.SetExpression("(t^2)");
    ASSERT_EQ(engine.Parse(), 0);
    ASSERT_EQ(engine.DeriveSymbolic("t"), 0);
    EXPECT_STREQ(engine.GetText(), "2*t");
}

TEST_F(CalculusFrontEndsTest, AParsedExpressionIsKeptWithItsTree)
{
    CCalcEngine engine;
    engine.SetExpression("(x^2-2*x)");
    ASSERT_EQ(engine.Parse(), 0);
    std::vector<double> maxima, minima;
    ASSERT_EQ(engine.FindExtrema(-5, 5, maxima, minima), 0);
    ExpectValues(minima, {1}, 1e-4);
    double length = 0;
    ASSERT_EQ(engine.ArcLength(0, 2, length), 0);
    EXPECT_EQ(engine.m_Root.m_bParsed, 1);
    EXPECT_EQ(engine.m_Root.EvaluateAt(3), 3);
    EXPECT_STREQ(engine.GetText(), "x^2-2*x");
}

} // namespace
