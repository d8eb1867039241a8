#include "tests/engine/EvaluatorTestSupport.h"

#include "engine/EngineNames.h"

#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;

TEST_F(EvaluatorTest, Operators)
{
    const ValueCase values[] = {
        {"1+2", 3},   {"7-10", -3},        {"6*7", 42},      {"1/4", 0.25},  {"2^10", 1024},
        {"-2^2", -4}, {"2^(-1)", 0.5},     {"50%", 0.5},     {"5%+2", 2.05}, {"3!^2", 36},
        {"2^3!", 64}, {"1e-5+1", 1.00001}, {"x-1e+2", -100}, {"", 0},        {"(2)", 2},
    };
    ExpectValues(values, std::size(values));
    const ErrorCase errors[] = {
        {"1/0", ErrDivisionByZero}, {"1/(1-1)", ErrDivisionByZero},
        {"10^400", ErrRange},       {"0^(-1)", ErrRange},
        {"(-8)^(1/3)", ErrDomain},  {"INF-INF", ErrRange},
        {"INF+1", ErrRange},        {"2*INF", ErrRange},
    };
    ExpectErrors(errors, std::size(errors));
}

TEST_F(EvaluatorTest, RangeErrorsClampTheValueWhereTheyArise)
{
    EXPECT_EQ(Evaluate("10^400").value, 1e300);
    EXPECT_EQ(Evaluate("(-10)^401").value, -1e300);
    EXPECT_EQ(Evaluate("(-10)^401").code, ErrRange);
    // The error stops the subtraction above the power: it is not computed from the clamp.
    const Evaluation e = Evaluate("-10^400");
    EXPECT_EQ(e.code, ErrRange);
    EXPECT_NE(e.value, -1e300);
}

TEST_F(EvaluatorTest, UnderflowIsNoError)
{
    // Whatever the C runtime reports for an underflow, the small result stands.
    const ValueCase values[] = {
        {"EXP(-1000)", 0, 0}, {"1e-200*1e-200", 0, 0},    {"2^(-1074)", 4.9406564584124654e-324, 0},
        {"ERFC(30)", 0, 0},   {"AIRYAI(200)", 0, 1e-300},
    };
    ExpectValues(values, std::size(values));
}

TEST_F(EvaluatorTest, AlgebraicFunctions)
{
    const ValueCase values[] = {
        {"EXP(1)", std::exp(1.0)},
        {"LN(EXP(2))", 2},
        {"LOG(1000)", 3},
        {"LOGN(2, 8)", 3},
        {"ABS(-3)", 3},
        {"SQRT(16)", 4},
        {"SQR(-3)", 9},
        {"INT(-2.7)", -2},
        {"INT(2147483647)", 2147483647},
        {"CEIL(2.1)", 3},
        {"CEIL(-2.1)", -2},
        {"FLOOR(-2.1)", -3},
        {"FLOOR(2)", 2},
        {"FACT(5)", 120},
        {"5.9!", 120},
        {"0!", 1},
        {"170!", 7.257415615307994e306, 1e-12},
        {"DEG(PI)", 180},
        {"RAD(180)", kPi},
        {"MOD(-7, 3)", -1},
        {"MOD(7.5, 2)", 1.5},
    };
    ExpectValues(values, std::size(values));
    const ErrorCase errors[] = {
        {"LN(0)", ErrLogOfNonPositive},
        {"LN(-1)", ErrLogOfNonPositive},
        {"LOG(0)", ErrLogOfNonPositive},
        {"LOGN(1, 0)", ErrLogOfNonPositive},
        {"LOGN(0, 5)", ErrLogOfNonPositive},
        {"SQRT(-1)", ErrSqrtOfNegative},
        {"171!", ErrRange},
        {"(-1)!", ErrDomain},
        {"FACT(1e10)", ErrBadArgument},
        {"INT(3e9)", ErrBadArgument},
        {"INT(-3e9)", ErrBadArgument},
        {"EXP(1000)", ErrRange},
        {"MOD(1, 0)", ErrDomain},
        {"LOGN(1, 5)", ErrRange},
    };
    ExpectErrors(errors, std::size(errors));
}

TEST_F(EvaluatorTest, TrigonometryInDegrees)
{
    const ValueCase values[] = {
        {"SIN(180)", 0, 0}, {"SIN(-180)", 0, 0}, {"COS(90)", 0, 0},  {"COS(270)", 0, 0},
        {"SIN(30)", 0.5},   {"TAN(45)", 1},      {"TAN(180)", 0, 0}, {"SEC(60)", 2},
        {"CSC(30)", 2},     {"COT(90)", 0, 0},   {"COT(45)", 1},     {"ASIN(1)", 90},
        {"ACOS(0)", 90},    {"ATAN(1)", 45},     {"ASEC(2)", 60},    {"ACSC(2)", 30},
        {"ACOT(1)", 45},    {"ARCTAN(1)", 45},
    };
    ExpectValues(values, std::size(values), AngleDegrees);
    const ErrorCase errors[] = {{"TAN(90)", ErrRange},
                                {"SEC(90)", ErrRange},
                                {"CSC(0)", ErrRange},
                                {"COT(0)", ErrRange},
                                {"ASIN(2)", ErrDomain}};
    ExpectErrors(errors, std::size(errors), AngleDegrees);
    EXPECT_EQ(Evaluate("TAN(90)", AngleDegrees).value, 1e300);
}

TEST_F(EvaluatorTest, TrigonometryInRadiansAndGradians)
{
    const ValueCase radians[] = {
        {"SIN(PI/2)", 1},     {"COS(PI)", -1},    {"SIN(PI)", 0, 0},    {"TAN(PI/4)", 1},
        {"ASIN(1)", kPi / 2}, {"ATAN(1)*4", kPi}, {"DEG(ATAN(1))", 45}, {"RAD(45)", kPi / 4},
    };
    ExpectValues(radians, std::size(radians), AngleRadians);
    const ValueCase gradians[] = {
        {"SIN(100)", 1},  {"COS(200)", -1}, {"SIN(200)", 0, 1e-15}, {"TAN(50)", 1},
        {"ASIN(1)", 100}, {"ACOT(1)", 50},  {"DEG(PI)", 180},
    };
    ExpectValues(gradians, std::size(gradians), AngleGradians);
    ExpectValues(gradians, std::size(gradians), 7); // any mode but 0 and 1 is gradians
    const ErrorCase errors[] = {
        {"TAN(100)", ErrRange}, {"ASIN(-1.5)", ErrDomain}, {"SIN(INF)", ErrDomain}};
    ExpectErrors(errors, std::size(errors), AngleGradians);
}

TEST_F(EvaluatorTest, HyperbolicFunctions)
{
    const ValueCase values[] = {
        {"SINH(1)", std::sinh(1.0)},     {"COSH(1)", std::cosh(1.0)},
        {"TANH(1)", std::tanh(1.0)},     {"SECH(1)", 1 / std::cosh(1.0)},
        {"CSCH(1)", 1 / std::sinh(1.0)}, {"COTH(1)", 1 / std::tanh(1.0)},
        {"ASINH(1)", std::asinh(1.0)},   {"ASINH(-1e9)", -21.416413017506358},
        {"ACOSH(2)", std::acosh(2.0)},   {"ACOSH(1e200)", 461.2101657793691},
        {"ATANH(0.5)", std::atanh(0.5)}, {"ASECH(0.5)", std::acosh(2.0)},
        {"ACSCH(-2)", std::asinh(-0.5)}, {"ACOTH(2)", std::atanh(0.5)},
        {"ARCSINH(SINH(3))", 3},
    };
    ExpectValues(values, std::size(values));
    const ErrorCase errors[] = {
        {"ACOSH(0.5)", ErrDomain}, {"ATANH(2)", ErrDomain},  {"ATANH(1)", ErrRange},
        {"ACOTH(1)", ErrRange},    {"SINH(1000)", ErrRange}, {"CSCH(0)", ErrRange},
    };
    ExpectErrors(errors, std::size(errors));
}

TEST_F(EvaluatorTest, StatisticsOverAnyNumberOfArguments)
{
    const ValueCase values[] = {
        {"SUM(1, 2, 3)", 6},
        {"AVE(1, 2, 3, 4)", 2.5},
        {"MIN(3, -1, 2)", -1},
        {"MAX(3, -1, 2)", 3},
        {"SUM(5)", 5},
        {"AVE(-4)", -4},
        {"SUM(1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30)",
         465},
        {"MAX(1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,-30)",
         29},
    };
    ExpectValues(values, std::size(values));
}

TEST_F(EvaluatorTest, BitwiseOperations)
{
    const ValueCase values[] = {
        {"AND(6.9, 3.2)", 2},
        {"OR(5, 2)", 7},
        {"XOR(6, 3)", 5},
        {"NOT(0)", -1},
        {"NOT(-1)", 0},
        {"LSHIFT(1, 33)", 2},
        {"LSHIFT(1, 31)", -2147483648.0},
        {"LSHIFT(3, -1)", -2147483648.0},
        {"RSHIFT(-8, 1)", -4},
        {"RSHIFT(8, 34)", 2},
        {"AND(-1, 255)", 255},
    };
    ExpectValues(values, std::size(values));
    const ErrorCase errors[] = {{"AND(1e10, 1)", ErrBadArgument},
                                {"OR(1, -3e9)", ErrBadArgument},
                                {"NOT(INF)", ErrBadArgument},
                                {"LSHIFT(1, 1e12)", ErrBadArgument}};
    ExpectErrors(errors, std::size(errors));
}

TEST_F(EvaluatorTest, BaseTexts)
{
    struct Case {
        const char* text;
        const char* digits;
        int base;
    } cases[] = {
        {"HEX(255)", "ff", 16},      {"BIN(5)", "101", 2},
        {"OCT(8)", "10", 8},         {"DEC(-5)", "-5", 10},
        {"HEX(-1)", "ffffffff", 16}, {"OCT(-1)", "37777777777", 8},
        {"CB(35, 36)", "z", 36},     {"CONVERTBASE(10, 3)", "101", 3},
        {"BIN(0)", "0", 2},          {"HEX(255.9)", "ff", 16},
    };
    for (const Case& c : cases) {
        const Evaluation e = Evaluate(c.text);
        ASSERT_EQ(e.code, 0) << c.text;
        EXPECT_EQ(e.text, c.digits) << c.text;
        EXPECT_EQ(e.oneShotBase, c.base) << c.text;
    }
    EXPECT_EQ(Evaluate("HEX(255)").value, 255);
    const ErrorCase errors[] = {{"CB(5, 1)", ErrBadArgument},
                                {"CB(5, 37)", ErrBadArgument},
                                {"HEX(1e10)", ErrBadArgument},
                                {"CB(5, 1e10)", ErrBadArgument}};
    ExpectErrors(errors, std::size(errors));
}

TEST_F(EvaluatorTest, RandomNumbersComeFromTheProgramsOwnGenerator)
{
    // The first values of the 15-bit generator from its start-up seed, on every runtime.
    CCalcEngine engine;
    engine.SetExpression("RAND");
    ASSERT_EQ(engine.Parse(), 0);
    const int expected[] = {41, 18467, 6334, 26500, 19169};
    for (int r : expected) {
        const double value = engine.Evaluate();
        EXPECT_EQ(value, double(float(r) * 3.0518509e-05f));
        EXPECT_GE(value, 0.0);
        EXPECT_LE(value, 1.0);
    }
    EXPECT_EQ(Evaluate("RND*0").code, 0);
}

TEST_F(EvaluatorTest, NamesReadTheirTablesAtEvaluation)
{
    EXPECT_NEAR(Evaluate("c0").value, 299792458.0, 0);
    EXPECT_NEAR(Evaluate("ME").value, 9.10938188e-31, 0);
    ASSERT_EQ(AddUserConstant("Answer", "", "answer", 42), 0);
    EXPECT_EQ(Evaluate("answer*2").value, 84);
    CCalcEngine engine;
    ASSERT_EQ(engine.DefineVariable("a", 5, false), 0);
    engine.SetExpression("a*x");
    ASSERT_EQ(engine.Parse(), 0);
    EXPECT_EQ(engine.m_Root.EvaluateAt(3), 15);
    g_IndependentVariables[0].dValue = 4;
    EXPECT_EQ(engine.Evaluate(), 20);
    // A variable deleted after the parse is an invalid name, never a read outside the table.
    engine.DeleteVariable(0);
    engine.Evaluate();
    EXPECT_EQ(engine.GetErrorCode(), ErrInvalidName);
    DeleteUserConstant(0);
    CCalcEngine other;
    other.SetExpression("1");
    ASSERT_EQ(other.Parse(), 0);
    EXPECT_EQ(other.Evaluate(), 1);
}

TEST_F(EvaluatorTest, FinancialFunctions)
{
    const ValueCase values[] = {
        {"PV(0.1, 10, -100)", 614.4567106, 1e-9},
        {"PV(0, 10, -100)", 1000},
        {"PV(0.1, 10, -100, 0, 1)", 675.9023816, 1e-9},
        {"FV(0.05, 10, 0, -1000)", 1628.894627, 1e-9},
        {"PMT(0.01, 12, 1000)", -88.8488, 1e-6},
        {"PMT(0.01, 12, 1000, 0, 1)", -87.9691, 1e-6},
        {"NPER(0.01, -88.8488, 1000)", 12, 1e-5},
        {"RATE(12, -88.8488, 1000)", 0.01, 1e-6},
        {"RATE(12, -88.8488, 1000, 0, 0, 0.05)", 0.01, 1e-6},
        {"EFR(0.12)", 0.126825, 1e-6},
        {"EFFECTIVERATE(0.12, 12)", 0.126825, 1e-6},
        {"EFR(0.12, 1)", 0.12},
        {"APR(EFR(0.12))", 0.12},
        {"NOMINALRATE(0.126825030131969, 12)", 0.12, 1e-9},
    };
    ExpectValues(values, std::size(values));
    const ErrorCase errors[] = {
        {"PMT(0, 0, 1000)", ErrDivisionByZero},
        {"NPER(0, 0, 1000)", ErrDivisionByZero},
        {"NPER(0.1, -50, 1000)", ErrLogOfNonPositive},
        {"PV(0.1, 10, -100, 0, 1e10)", ErrBadArgument},
    };
    ExpectErrors(errors, std::size(errors));
}

TEST_F(EvaluatorTest, StatisticalFunctionsWithoutAnImplementationAreRefused)
{
    const ErrorCase errors[] = {{"NORMDIST(1, 1)", ErrNotSupported},
                                {"BETADIST(0.5, 2, 3)", ErrNotSupported},
                                {"TDIST(1, 5)", ErrNotSupported},
                                {"TINV(0.5, 5)", ErrNotSupported}};
    ExpectErrors(errors, std::size(errors));
}

} // namespace
