#include "tests/engine/EvaluatorTestSupport.h"

#include "engine/BuiltinUnits.h"
#include "engine/CompiledExpression.h"
#include "engine/EngineNames.h"
#include "engine/UnitRegistry.h"
#include "framework/core/AsciiText.h"
#include "numeric/UnderflowFlag.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

bool IsTemperatureScale(const char* name)
{
    for (const char* scale : {"degC", "degree C", "degK", "degree K", "degF", "degree F"})
        if (ascii::EqualNoCase(scale, name))
            return true;
    return false;
}

// Every built-in relation converts both ways by its own factor, so each category is reachable
// from each of its names within the search's visit budget.
TEST_F(EvaluatorTest, EveryBuiltinRelationConvertsBothWays)
{
    for (int i = 0; i < GetBuiltinUnitCount(); ++i) {
        const BuiltinUnitEntry& row = GetBuiltinUnit(i);
        if (IsTemperatureScale(row.name) && IsTemperatureScale(row.base))
            continue; // scales with an offset, converted by formula
        double value = 3.0;
        ASSERT_EQ(ConvertUnits(value, row.name, row.base), 0) << row.name << " -> " << row.base;
        EXPECT_NEAR(value, 3.0 * row.factor, 1e-9 * 3.0 * row.factor)
            << row.name << " -> " << row.base;
        ASSERT_EQ(ConvertUnits(value, row.base, row.name), 0) << row.base << " -> " << row.name;
        EXPECT_NEAR(value, 3.0, 3e-9) << row.base << " -> " << row.name;
    }
}

} // namespace

namespace {

// A call parsed before its user function was redefined uses the new definition, and is refused
// when the new one takes a different number of arguments.
TEST_F(EvaluatorTest, CallsParsedBeforeARedefinitionFollowIt)
{
    CCalcEngine definer;
    ASSERT_EQ(definer.DefineUserFunction("f(a) = a+1", false), 0);
    CCalcEngine engine;
    engine.SetExpression("f(2)*f(3)");
    ASSERT_EQ(engine.Parse(), 0);
    EXPECT_EQ(engine.Evaluate(), 12);
    struct Case {
        const char* definition;
        EngineErrorCode code;
        double value;
    } cases[] = {
        {"f(a) = a*10", ErrNone, 600},
        {"f(p, q, r, s, u, v, w) = p+q+r+s+u+v+w", ErrArgumentsNotMatching, 0},
        {"f(p, q) = p*q", ErrArgumentsNotMatching, 0},
        {"f(b) = b-1", ErrNone, 2},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(definer.DefineUserFunction(c.definition, true), 0) << c.definition;
        const double value = engine.Evaluate();
        EXPECT_EQ(engine.GetErrorCode(), c.code) << c.definition;
        if (c.code == 0) {
            EXPECT_EQ(value, c.value) << c.definition;
        }
    }
}

// A call names its function: after another function is deleted, the call must not land on
// whichever function moved into its place.
TEST_F(EvaluatorTest, CallsFollowTheirFunctionAfterADeletion)
{
    CCalcEngine definer;
    ASSERT_EQ(definer.DefineUserFunction("g(a) = a+100", false), 0);
    ASSERT_EQ(definer.DefineUserFunction("h(a) = a*2", false), 0);
    CCalcEngine engine;
    engine.SetExpression("h(5)");
    ASSERT_EQ(engine.Parse(), 0);
    EXPECT_EQ(engine.Evaluate(), 10);

    DeleteUserFunction(FindUserFunction("g"));
    EXPECT_EQ(engine.Evaluate(), 10);
    EXPECT_EQ(engine.GetErrorCode(), 0);

    DeleteUserFunction(FindUserFunction("h"));
    engine.Evaluate();
    EXPECT_EQ(engine.GetErrorCode(), ErrInvalidName);
}

} // namespace

namespace {

// Edge cases of single operations not covered by the operator tables elsewhere.
TEST_F(EvaluatorTest, OperationEdgeCases)
{
    const ValueCase radians[] = {
        {"ACOT(0)", 3.141592653589793 / 2},
        {"ATANH(-0.5)", std::atanh(-0.5)},
        {"ACOTH(-2)", std::atanh(-0.5)},
        {"LOGN(10, 1)", 0, 0},
        {"NOT(2147483647)", -2147483648.0},
        {"XOR(-1, 0)", -1},
        {"RSHIFT(-1, 31)", -1},
        {"RSHIFT(1, 32)", 1},
        {"MIN(2)", 2},
        {"MAX(-1, -1)", -1},
        {"AVE(1, 2)", 1.5},
        {"FACT(-0.5)", 1},
    };
    ExpectValues(radians, std::size(radians));
    const ValueCase degrees[] = {{"ACOT(0)", 90},
                                 {"COT(270)", 0, 0},
                                 {"SEC(180)", -1},
                                 {"CSC(270)", -1},
                                 {"TAN(-180)", 0, 0}};
    ExpectValues(degrees, std::size(degrees), AngleDegrees);
    const ErrorCase errors[] = {
        {"LOGN(1, 1)", ErrRange}, // 0/0 with no library error: a range error
        {"LOGN(INF, INF)", ErrRange}, {"ATANH(-1)", ErrRange},    {"ASECH(0)", ErrRange},
        {"ACSCH(0)", ErrRange},       {"ASEC(0)", ErrDomain},     {"ASECH(2)", ErrDomain},
        {"ACOTH(0.5)", ErrDomain},    {"MOD(INF, 2)", ErrDomain}, {"COSH(-1000)", ErrRange},
        {"EXP(INF)", ErrRange},       {"2^1024", ErrRange},       {"(-2)^1025", ErrRange},
    };
    ExpectErrors(errors, std::size(errors));
    EXPECT_EQ(Evaluate("ATANH(-1)").value, -1e300);
    EXPECT_EQ(Evaluate("(-2)^1025").value, -1e300);
    EXPECT_EQ(Evaluate("SEC(90)", AngleDegrees).value, 1e300);
}

} // namespace

namespace {

// Solver decimals go up to 16, a rounding unit finer than doubles resolve: the root search of a
// solver model still works, to the finest tolerance it has.
TEST_F(EvaluatorTest, RootSearchAtSixteenSolverDecimals)
{
    CCalcEngine engine;
    ASSERT_EQ(engine.DefineVariable("a", 0, false), 0);
    engine.SetExpression("a^2-2");
    ASSERT_EQ(engine.Parse(), 0);
    engine.m_SolverFormat.m_dRoundingUnit = 1e-16;
    std::vector<double> zeros;
    ASSERT_EQ(engine.FindRootsInVariable(-5, 5, 0, zeros), 0);
    ASSERT_EQ(zeros.size(), 2u);
    EXPECT_NEAR(zeros[1], std::sqrt(2.0), 1e-14);
    EXPECT_EQ(engine.FindZerosInVariable(-5, 5, 0, 0, 1e-16, zeros), ErrBadArgument); // no steps
}

} // namespace

namespace {

// A result that underflows to 0 raises the floating-point underflow flag, which tells the zero
// finders that the 0 is none, on every build: the Windows runtime's exp and the special-function
// library's own arithmetic return such a 0 without it. An exact 0 raises nothing. Both the tree
// walk and the compiled form, whose constant parts keep an underflow to each evaluation.
TEST_F(EvaluatorTest, OnlyAZeroFromAnUnderflowRaisesTheFlag)
{
    const struct {
        const char* text;
        double x;
        bool underflowed; // the exact value is no 0
    } cases[] = {
        {"exp(x)", -1000, true},
        {"exp(-x^2)", 50, true},
        {"0.5^x", 2000, true},
        {"x^(-16)", 1e30, true},
        {"x^(-100)", 1e10, true},
        {"x*1e-200*1e-200", 1, true},
        {"sech(x)", 800, true},
        {"csch(x)", 800, true},
        {"erfc(x)", 30, true},
        {"besselk(0, x)", 800, true},
        {"gammaq(1, x)", 800, true},
        {"gammap(100, x)", 0.001, true},
        {"airyai(x)", 200, true},
        {"betai(100, 100, x)", 0.0001, true},
        {"exp(-1000)*x", 1, true},
        {"sin(x)*exp(-x^2)", 50, true},
        {"(x-1)^3*1e-300", 1.00000001, true},
        {"x - x", 3, false},
        {"floor(x)", 0.5, false},
        {"max(x, 0)", -3, false},
        {"sin(x)", 0, false},
        {"(x-30)*(x+1)", 30, false},
        {"x^2", 0, false},
        {"0^x", 2.5, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " at " + std::to_string(c.x));
        CCalcEngine engine;
        engine.SetExpression(c.text);
        ASSERT_EQ(engine.Parse(), 0);
        double walked = -1, compiled = -1;
        const bool walkRaised = RaisesUnderflow([&] { walked = engine.m_Root.EvaluateAt(c.x); });
        CCompiledExpression program(engine.m_Root);
        const bool compiledRaised = RaisesUnderflow([&] { compiled = program.EvaluateAt(c.x); });
        EXPECT_EQ(walked, 0.0);
        EXPECT_EQ(compiled, 0.0);
        EXPECT_EQ(walkRaised, c.underflowed);
        EXPECT_EQ(compiledRaised, c.underflowed);
    }
}

} // namespace
