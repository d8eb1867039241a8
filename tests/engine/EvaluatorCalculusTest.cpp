#include "tests/engine/EvaluatorTestSupport.h"

#include "engine/CompiledExpression.h"
#include "engine/EvaluationWork.h"
#include "engine/UnitRegistry.h"
#include "tests/support/ScopedValue.h"

#include <cmath>
#include <string>

namespace {

constexpr double kPi = 3.141592653589793;

TEST_F(EvaluatorTest, IntegralsDerivativesAndZerosOfExpressions)
{
    const ValueCase values[] = {
        {"FINT(x, 0, 1)", 0.5, 1e-9},
        {"FINT(x^2, 0, 3)", 9, 1e-9},
        {"FINT(SIN(x), 0, PI)", 2, 1e-6},
        {"FINT(1/x^2, 1, INF)", 1, 1e-5},
        {"FINT(1/(1+x^2), NINF, INF)", kPi, 1e-5}, // relative: the solver rounding unit
        {"FINT(EXP(-x^2), NINF, INF)", std::sqrt(kPi), 1e-5},
        {"FINT(EXP(x), NINF, 0)", 1, 1e-5},
        {"FINT(x, 1, 0)", -0.5, 1e-9},
        {"FINT(FINT(x, 0, 1), 0, 2)", 1, 1e-9}, // nested: each integral keeps its own sums
        {"FINT(x, 0, 1)*FINT(x, 0, 2)", 1, 1e-9},
        {"FDIFF(x^3, 2)", 12, 1e-5},
        {"FDIFF(SIN(x), 0)", 1, 1e-5},
        {"FDIFF(FINT(x, 0, 1)*x, 5)", 0.5, 1e-5}, // the inner integral leaves x as it found it
        {"FSUM(x, 1, 3) + x", 6, 0},
        {"FZERO(x^2-2, 0, 2)", std::sqrt(2.0), 1e-5},
        {"FZERO(COS(x), 0, 3)", kPi / 2, 1e-5},
        // Doubles lie 1.2e-4 and 1.5e-5 apart there: the root is the double next to the zero.
        {"FZERO((x-1e12)^2-2, 1e12, 1e12+5)", 1e12 + std::sqrt(2.0), 1.23e-4},
        {"FZERO(SIN(x)-0.5, 1e11+1, 1e11+3)", 100000000001.42712, 1.6e-5},
        {"FSUM(x, 1, 10)", 55, 0},
        {"FSUM(x, 10, 1)", 55, 0},
        {"FSUM(x, 1, 2, 0)", 3, 0},
        {"FSUM(x, 0, 1, 0.1)", 5.5, 1e-12},   // x = a + i*step: eleven terms, no lost last one
        {"FSUM(x, 0, 0.7, 0.1)", 2.8, 1e-12}, // b lies on the last point within rounding
        {"FSUM(1, 0, 0.6, 0.1)", 7, 0},
        {"FSUM(1, 0, 0.65, 0.1)", 7, 0},           // a last point short of b is not summed
        {"FSUM(x, 1, 2000000)", 2000001000000, 0}, // two million terms are allowed
        {"FSUM(x^2, 1, 3, -1)", 14, 0},
        {"FSUM(FSUM(x, 1, 2), 1, 3)", 9, 0},
    };
    ExpectValues(values, std::size(values));
    const ErrorCase errors[] = {
        {"FINT(LN(x), 0, 1)",
         ErrLogOfNonPositive}, // an error at an end other than overflow ends the rule
        {"FZERO(x^2+1, -1, 1)", ErrNoSolutions},
        {"FZERO(1/x, 0, 2)", ErrDivisionByZero},    // the division by zero at an end is passed on
        {"FSUM(1/(x-2), 1, 3)", ErrDivisionByZero}, // an error in f is FSUM's error
        {"FSUM(x, 1e20, 2e20)", ErrMaxIterations},  // a step that cannot move x
        {"FSUM(1, 0, 1e7)", ErrMaxIterations},      // one term more than ten million
        {"FSUM(1, 0, 1, 1e-7)", ErrMaxIterations},
        {"FSUM(x, 1, INF)", ErrMaxIterations},
    };
    ExpectErrors(errors, std::size(errors));
}

// Nested sums, integrals, derivatives, zeros and user functions draw on one work budget per
// outermost evaluation (lowered here so that the cases stay quick).
TEST_F(EvaluatorTest, NestedCalculusSharesOneWorkBudget)
{
    CCalcEngine definer;
    ASSERT_EQ(definer.DefineUserFunction("h(a) = FSUM(x*a, 1, 1000)", false), 0);
    const long long saved = EvaluationWorkLimit;
    EvaluationWorkLimit = 100000;
    const ErrorCase errors[] = {
        {"FSUM(FSUM(x, 1, 1000), 1, 1000)", ErrMaxIterations},
        {"FSUM(h(x), 1, 1000)", ErrMaxIterations},
        {"FINT(FSUM(x, 1, 100000), 0, 1)", ErrMaxIterations},
        {"FDIFF(FSUM(x, 1, 100000), 1)", ErrMaxIterations},
        {"FZERO(FSUM(x, 1, 100000) - 1, 0, 1)", ErrMaxIterations},
    };
    ExpectErrors(errors, std::size(errors));
    // Each outermost evaluation starts with the whole budget again.
    const ValueCase values[] = {
        {"FSUM(FSUM(x, 1, 100), 1, 100)", 505000, 0},
        {"FSUM(FSUM(x, 1, 100), 1, 100)", 505000, 0},
    };
    ExpectValues(values, std::size(values));
    EvaluationWorkLimit = saved;
}

// The budget is bounded in time too: the clock is read once per kClockCharges charges, so with
// no time at all an evaluation of several such stretches ends with 35 in both forms, and a
// shorter one is left alone. A unit search pays for the steps it takes through a chain of units.
TEST_F(EvaluatorTest, TheBudgetIsBoundedInTimeAndUnitSearchesPayTheirSteps)
{
    const ErrorCase timed[] = {{"FSUM(x, 1, 100000)", ErrMaxIterations},
                               {"FSUM(x, 1, 1000)", ErrNone}};
    for (const ErrorCase& c : timed) {
        const ScopedValue noTime(EvaluationSecondsLimit, 0.0);
        CCalcEngine engine;
        engine.SetExpression(c.text);
        ASSERT_EQ(engine.Parse(), 0);
        double value = 0;
        EXPECT_EQ(engine.m_Root.Evaluate(value), c.code) << c.text;
        CCompiledExpression(engine.m_Root).Evaluate();
        EXPECT_EQ(engine.GetErrorCode(), c.code) << c.text << " compiled";
    }

    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(AddUserUnit(("q" + std::to_string(i)).c_str(),
                              i == 999 ? "ft" : ("q" + std::to_string(i + 1)).c_str(), 1.0),
                  0);
    const ScopedValue work(EvaluationWorkLimit, 50000LL);
    const ErrorCase chained[] = {{"FSUM(CONVERT(x, \"q0\", \"ft\"), 1, 100)", ErrMaxIterations}};
    ExpectErrors(chained, std::size(chained));
    const ValueCase once[] = {{"CONVERT(2, \"q0\", \"ft\")", 2, 0}};
    ExpectValues(once, std::size(once));
}

// Expression variables that double at each level: the expansion is refused with 12 once the text
// it would copy passes its bound, long before it costs seconds or gigabytes.
TEST_F(EvaluatorTest, ExpressionVariablesExpandWithinATextBound)
{
    CCalcEngine engine;
    for (int i = 0; i < 20; ++i) {
        const std::string next = "d" + std::to_string(i + 1);
        engine.AddExpressionVariable(("d" + std::to_string(i)).c_str(),
                                     (next + "*" + next).c_str());
    }
    engine.AddExpressionVariable("d20", ("0." + std::string(19998, '7')).c_str());
    engine.SetExpression("d0");
    EXPECT_EQ(engine.Parse(), ErrOverflow);
    engine.SetExpression("d14"); // 64 copies of a 20 KB literal: more than the bound allows
    EXPECT_EQ(engine.Parse(), ErrOverflow);
    engine.SetExpression("d17+1"); // 8 copies
    ASSERT_EQ(engine.Parse(), 0);
    EXPECT_NEAR(engine.Evaluate(), std::pow(7.0 / 9, 8) + 1, 1e-12);
}

TEST_F(EvaluatorTest, FindZeroRefusesAJump)
{
    // Narrowed on to its jump, x/ABS(x) meets 0, where it has no value.
    EXPECT_EQ(Evaluate("FZERO(x/ABS(x), -1, 2)").code, ErrDivisionByZero);
    EXPECT_EQ(Evaluate("FZERO(FLOOR(x)+0.5, -1.7, 1.3)").code, ErrBadArgument);
}

TEST_F(EvaluatorTest, DerivativeToleranceFollowsTheSolverFormat)
{
    CCalcEngine engine;
    engine.m_SolverFormat.SetDecimals(16); // a rounding unit below 1e-15 is refused
    engine.SetExpression("FDIFF(x^2, 1)");
    ASSERT_EQ(engine.Parse(), 0);
    engine.Evaluate();
    EXPECT_EQ(engine.GetErrorCode(), ErrBadArgument);
}

TEST_F(EvaluatorTest, UnitConversionInExpressions)
{
    const ValueCase values[] = {
        {"CONVERT(1, \"km\", \"mi\")", 0.621371192237334, 1e-9},
        {"CONVERT(1, \"m/s\", \"km/h\")", 3.6, 1e-9},
        {"CONVERT(1, \"m^2\", \"ft^2\")", 10.763910416709722, 1e-9},
        {"CONVERT(1, \"kg*m/s^2\", \"lb*ft/s^2\")", 7.233013851209894, 1e-9},
        {"CONVERT(1, \"1/s\", \"1/min\")", 60, 1e-12},
        {"CONVERT(100, \"degree c\", \"DegF\")", 212, 1e-12},
        {"CONVERT(1, \"light year\", \"km\")", 9460730472580.8, 1e-12},
        {"CONVERT(2, \"square meter\", \"m2\")", 2, 1e-12},
        {"CONVERT(3, \"meters\", \"m\")", 3, 1e-12},
        {"CONVERT(3, \"ft.\", \"in\")", 36, 1e-12},
    };
    ExpectValues(values, std::size(values));
    const ErrorCase errors[] = {
        {"CONVERT(1, \"m^2\", \"ft^3\")", ErrBadArgument},
        {"CONVERT(1, \"m+s\", \"km+h\")", ErrBadArgument},
        {"CONVERT(1, \"m s\", \"m\")", ErrBadArgument}, // text left over by the unit parse
        {"CONVERT(1, \"m\", \"km/h\")", ErrBadArgument},
        {"CONVERT(1, \"(m\", \"km\")", ErrBadArgument},
        {"CONVERT(1, \"parsec\", \"kg\")", ErrBadArgument},
    };
    ExpectErrors(errors, std::size(errors));
    // Units written as names of the engine are read from their text.
    CCalcEngine engine;
    engine.m_bLenient = 1;
    engine.SetExpression("CONVERT(1, km, mi)");
    ASSERT_EQ(engine.Parse(), 0);
    EXPECT_NEAR(engine.Evaluate(), 0.621371192237334, 1e-9);
}

} // namespace

namespace {

TEST_F(EvaluatorTest, CalculusOnAParsedExpression)
{
    CCalcEngine engine;
    engine.SetExpression("SIN(x)");
    ASSERT_EQ(engine.Parse(), 0);
    std::vector<double> zeros;
    ASSERT_EQ(engine.m_Root.FindZerosInRange(-1, 7, 100, 1e-9, zeros), 0);
    ASSERT_EQ(zeros.size(), 3u);
    EXPECT_NEAR(zeros[1], kPi, 1e-8);
    EXPECT_EQ(engine.m_Root.FindZerosInRange(0, 10, 0, 1e-5, zeros), ErrBadArgument);
    EXPECT_NEAR(engine.m_Root.FindZero(3, 4, 1e-10), kPi, 1e-9);
    EXPECT_EQ(engine.m_Root.m_nErrorCode, 0);
    engine.m_Root.FindZero(0.5, 1, 1e-10);
    EXPECT_EQ(engine.m_Root.m_nErrorCode, ErrNoSolutions);
    double result = 0;
    ASSERT_EQ(engine.m_Root.Integrate(0, kPi, result), 0);
    EXPECT_NEAR(result, 2, 1e-5);
    double tol = 1e-8;
    ASSERT_EQ(engine.m_Root.NumericDerivative(0, result, tol), 0);
    EXPECT_NEAR(result, 1, 1e-8);

    engine.SetExpression("(x-2)^2+1");
    ASSERT_EQ(engine.Parse(), 0);
    double xmin = 0;
    EXPECT_NEAR(engine.m_Root.FindMinimum(0, 1, 1e-8, xmin), 1, 1e-12);
    EXPECT_NEAR(xmin, 2, 1e-4);
}

TEST_F(EvaluatorTest, ZerosInOneVariableOfAnEngine)
{
    CCalcEngine engine;
    ASSERT_EQ(engine.DefineVariable("a", 0, false), 0);
    engine.SetExpression("a^2-4");
    ASSERT_EQ(engine.Parse(), 0);
    std::vector<double> zeros;
    ASSERT_EQ(engine.FindRootsInVariable(-5, 5, 0, zeros), 0);
    ASSERT_EQ(zeros.size(), 2u);
    EXPECT_NEAR(zeros[0], -2, 1e-5);
    EXPECT_NEAR(zeros[1], 2, 1e-5);
    EXPECT_EQ(engine.FindZerosInVariable(5, -5, 10, 0, 1e-5, zeros), ErrBadArgument);
    EXPECT_NEAR(engine.FindZeroInVariable(0, 3, 0, 1e-9), 2, 1e-8);
    engine.FindZeroInVariable(3, 4, 0, 1e-9);
    EXPECT_EQ(engine.GetErrorCode(), ErrBadArgument); // one sign at both ends
}

} // namespace
