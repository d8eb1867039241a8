// Symbolic derivatives: every template against a central difference, the printed forms the
// user sees, and the refusals.
#include "engine/CalcEngine.h"
#include "engine/EngineNames.h"
#include "engine/LocaleSeparators.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class DifferentiatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseDotSeparators();
        ResetIndependentVariables();
    }
    void TearDown() override
    {
        UseDotSeparators();
        ResetIndependentVariables();
    }
};

// The printed derivative of text with respect to name, or the error code as text.
CString Derivative(const char* text, const char* name = "x", int* code = nullptr,
                   int angleMode = AngleRadians)
{
    CCalcEngine engine;
    engine.m_nAngleMode = angleMode;
    engine.SetExpression(text);
    const int result = engine.DeriveSymbolic(name);
    if (code)
        *code = result;
    if (result != 0) {
        CString error;
        error.Format("error %d", result);
        return error;
    }
    return engine.GetText();
}

double ValueAt(CCalcEngine& engine, double x, int& code)
{
    const double value = engine.m_Root.EvaluateAt(x);
    code = engine.m_Root.m_nErrorCode;
    return value;
}

struct TemplateCase {
    const char* function;
    double points[3];
};

TEST_F(DifferentiatorTest, EveryRuleAgreesWithACentralDifference)
{
    const TemplateCase cases[] = {
        {"3*x^2+2*x-7", {-1.3, 0.4, 2.2}},
        {"x*sin(x)", {-1.3, 0.4, 2.2}},
        {"(x+1)/(x^2+1)", {-1.3, 0.4, 2.2}},
        {"-x^2+cos(x)", {-1.3, 0.4, 2.2}},
        {"x-(-x)-(+x)", {-1.3, 0.4, 2.2}},
        {"x^3", {-1.3, 0.4, 2.2}},
        {"(2*x+1)^2.5", {0.1, 0.4, 2.2}},
        {"x^(-2)", {-1.3, 0.4, 2.2}},
        {"(x+3)^uc", {-1.3, 0.4, 2.2}},
        {"2^x", {-1.3, 0.4, 2.2}},
        {"uc^(x^2)", {-1.3, 0.4, 2.2}},
        {"x^x", {0.3, 0.9, 2.2}},
        {"(x+2)^sin(x)", {-1.3, 0.4, 2.2}},
        {"exp(0.5*x)", {-1.3, 0.4, 2.2}},
        {"ln(x^2+1)", {-1.3, 0.4, 2.2}},
        {"log(x+3)", {-1.3, 0.4, 2.2}},
        {"SIN(2*x)", {-1.3, 0.4, 2.2}},
        {"cos(x^2)", {-1.3, 0.4, 2.2}},
        {"tan(0.5*x)", {-1.3, 0.4, 2.2}},
        {"sec(x/2)", {-1.3, 0.4, 2.2}},
        {"csc(x+2)", {-1.3, 0.4, 0.9}},
        {"cot(x+2)", {-1.3, 0.4, 0.9}},
        {"abs(x-0.5)", {-1.3, 0.4, 2.2}},
        {"sqrt(x^2+1)", {-1.3, 0.4, 2.2}},
        {"sqr(3*x+1)", {-1.3, 0.4, 2.2}},
        {"asin(x/3)", {-1.3, 0.4, 2.2}},
        {"acos(x/3)", {-1.3, 0.4, 2.2}},
        {"atan(3*x)", {-1.3, 0.4, 2.2}},
        {"asec(x+3)", {-1.3, 0.4, 2.2}},
        {"acsc(x+3)", {-1.3, 0.4, 2.2}},
        {"acot(x+3)", {-1.3, 0.4, 2.2}},
        {"sinh(x/2)", {-1.3, 0.4, 2.2}},
        {"cosh(x/2)", {-1.3, 0.4, 2.2}},
        {"tanh(x/2)", {-1.3, 0.4, 2.2}},
        {"sech(x)", {-1.3, 0.4, 2.2}},
        {"csch(x+2)", {-1.3, 0.4, 2.2}},
        {"coth(x+2)", {-1.3, 0.4, 2.2}},
        {"asinh(2*x)", {-1.3, 0.4, 2.2}},
        {"acosh(x+2)", {-0.3, 0.4, 2.2}},
        {"atanh(x/3)", {-1.3, 0.4, 2.2}},
        {"asech(x/3)", {0.3, 0.4, 2.2}},
        {"acsch(x+2)", {-1.3, 0.4, 2.2}},
        {"acoth(x+3)", {-1.3, 0.4, 2.2}},
        {"arcsin(x/3)*arctanh(x/4)", {-1.3, 0.4, 2.2}},
        {"sin(cos(x))*exp(-x)", {-1.3, 0.4, 2.2}},
        {"x*y+y^2", {-1.3, 0.4, 2.2}},
    };
    ASSERT_EQ(AddUserConstant("test constant", "", "uc", 1.7), 0);
    g_IndependentVariables[1].dValue = 1.9; // y
    for (const TemplateCase& c : cases) {
        SCOPED_TRACE(c.function);
        int code = -1;
        const CString derivative = Derivative(c.function, "x", &code);
        ASSERT_EQ(code, 0);
        SCOPED_TRACE(derivative.GetString());
        CCalcEngine f, df;
        f.SetExpression(c.function);
        ASSERT_EQ(f.Parse(), 0);
        df.SetExpression(derivative);
        ASSERT_EQ(df.Parse(), 0);
        for (double x : c.points) {
            const double h = 1e-5;
            int codeF = 0, codeDf = 0;
            const double numeric = (ValueAt(f, x + h, codeF) - ValueAt(f, x - h, codeF)) / (2 * h);
            const double symbolic = ValueAt(df, x, codeDf);
            ASSERT_EQ(codeF, 0);
            ASSERT_EQ(codeDf, 0);
            EXPECT_NEAR(symbolic, numeric, 1e-6 * (1 + std::fabs(numeric))) << "at x = " << x;
        }
    }
    DeleteUserConstant(FindUserConstant("uc"));
    g_IndependentVariables[1].dValue = 0;
}

struct PrintedCase {
    const char* function;
    const char* variable;
    const char* derivative;
};

TEST_F(DifferentiatorTest, PrintedDerivatives)
{
    const PrintedCase cases[] = {
        {"x^3", "x", "3*x^2"},
        {"SIN(x)", "x", "cos(x)"},
        {"COS(x)", "x", "-sin(x)"},
        {"x+cos(x)", "x", "1+(-sin(x))"},
        {"2^x", "x", "ln(2)*2^x"},
        {"x^x", "x", "x^x*(ln(x)+x/x)"},
        {"x*y", "x", "y"},
        {"x*y", "y", "x"},
        {"t^2", "t", "2*t"},
        {"T^2", "t", "2*T"},
        {"a*x^2", "x", "a*2*x"},
        {"1/x", "x", "(-1)/x^2"},
        {"5", "x", "0"},
        {"x", "x", "1"},
        {"y", "x", "0"},
        {"pi*x", "x", "3.141592653589793"},
        {"x^2.123456789", "x", "2.123456789*x^1.123456789"},
        {"x^0.1", "x", "0.1*x^(-0.9)"},
        {"sin(x)^2", "x", "2*sin(x)*cos(x)"},
        {"exp(x)", "x", "exp(x)"},
        {"ln(x)", "x", "1/x"},
    };
    for (const PrintedCase& c : cases) {
        SCOPED_TRACE(c.function);
        EXPECT_STREQ(Derivative(c.function, c.variable), c.derivative);
    }
}

// In degrees or gradians SIN takes its argument in those units, so its derivative carries the
// factor pi/180 or pi/200, and ASIN's the inverse; evaluated in the same mode the derivative
// agrees with a central difference there.
TEST_F(DifferentiatorTest, DerivativesInDegreesAndGradiansCarryTheAngleFactor)
{
    struct Case {
        const char* function;
        double points[2];
    };
    const Case circular[] = {
        {"SIN(x)", {30, 50}},   {"cos(2*x)", {10, 50}},    {"tan(x)", {10, 50}},
        {"sec(x)", {10, 50}},   {"csc(x)", {10, 50}},      {"cot(x)", {10, 50}},
        {"sin(x)^2", {10, 50}}, {"sinh(x/100)", {10, 50}},
    };
    const Case inverse[] = {
        {"asin(x)", {-0.5, 0.3}},  {"acos(x)", {-0.5, 0.3}},      {"atan(x)", {-0.5, 3}},
        {"asec(x)", {1.5, -3}},    {"acsc(x)", {1.5, -3}},        {"acot(x)", {-0.5, 3}},
        {"asin(x/2)*x", {0.5, 1}}, {"sin(acos(x))", {-0.5, 0.3}},
    };
    for (int mode : {AngleDegrees, AngleGradians}) {
        for (const auto* cases : {&circular, &inverse}) {
            for (const Case& c : *cases) {
                SCOPED_TRACE(c.function);
                SCOPED_TRACE(mode);
                CCalcEngine f, df;
                f.m_nAngleMode = df.m_nAngleMode = mode;
                f.SetExpression(c.function);
                ASSERT_EQ(f.Parse(), 0);
                df.SetExpression(c.function);
                ASSERT_EQ(df.DeriveSymbolic("x"), 0);
                for (double x : c.points) {
                    const double h = 1e-4;
                    const double numeric =
                        (f.m_Root.EvaluateAt(x + h) - f.m_Root.EvaluateAt(x - h)) / (2 * h);
                    EXPECT_NEAR(df.m_Root.EvaluateAt(x), numeric, 1e-7 * (1 + std::fabs(numeric)))
                        << "at x = " << x;
                }
            }
        }
    }
    // In degrees the derivative of SIN at 30 is pi/180 cos 30 degrees, not cos 30 degrees.
    CCalcEngine sine;
    sine.m_nAngleMode = AngleDegrees;
    sine.SetExpression("SIN(x)");
    ASSERT_EQ(sine.DeriveSymbolic("x"), 0);
    EXPECT_NEAR(sine.m_Root.EvaluateAt(30), 0.015114994701951816, 1e-15);

    struct PrintedInMode {
        int mode;
        const char* function;
        const char* derivative;
    } printed[] = {
        {AngleRadians, "SIN(x)", "cos(x)"},
        {AngleRadians, "asin(x)", "1/sqrt(1-x^2)"},
        {AngleDegrees, "SIN(x)", "0.017453292519943295*cos(x)"},
        {AngleGradians, "SIN(x)", "0.015707963267948967*cos(x)"},
        {AngleDegrees, "cos(x)", "-0.017453292519943295*sin(x)"},
        {AngleDegrees, "sin(2*x)", "0.017453292519943295*cos(2*x)*2"},
        {AngleDegrees, "asin(x)", "57.29577951308232/sqrt(1-x^2)"},
        {AngleGradians, "atan(x)", "63.66197723675813/(1+x^2)"},
        {AngleDegrees, "sinh(x)", "cosh(x)"},
        {AngleDegrees, "x^2", "2*x"},
    };
    for (const PrintedInMode& c : printed) {
        SCOPED_TRACE(c.function);
        EXPECT_STREQ(Derivative(c.function, "x", nullptr, c.mode), c.derivative);
    }
}

TEST_F(DifferentiatorTest, ConstantsInTemplatesUseTheDecimalPointOfTheEngine)
{
    UseCommaSeparators();
    EXPECT_STREQ(Derivative("x^2,5"), "2,5*x^1,5");
    EXPECT_STREQ(Derivative("LOGN(2;x)"), "error 29");
}

TEST_F(DifferentiatorTest, UserAndPredefinedConstantsDifferentiateToZero)
{
    ASSERT_EQ(AddUserConstant("test constant", "", "uc", 1.7), 0);
    AddPredefinedName("pc", 2.5);
    EXPECT_STREQ(Derivative("uc"), "0");
    EXPECT_STREQ(Derivative("pc"), "0");
    EXPECT_STREQ(Derivative("uc*x+pc"), "uc");
    DeleteUserConstant(FindUserConstant("uc"));
    GetPredefinedNames().pop_back();
}

TEST_F(DifferentiatorTest, RefusedExpressionsAndNames)
{
    struct Case {
        const char* function;
        const char* variable;
        EngineErrorCode code;
    } cases[] = {
        {"RAND*x", "x", ErrInvalidFunction},
        {"x!", "x", ErrInvalidFunction},
        {"INT(x)", "x", ErrInvalidFunction},
        {"LOGN(2, x)", "x", ErrInvalidFunction},
        {"MOD(x, 2)", "x", ErrInvalidFunction},
        {"sin(x%)", "x", ErrInvalidFunction},
        {"x^2", "", ErrInvalidName},
        {"x^2", "2a", ErrInvalidName},
        {"x^2", "a-b", ErrInvalidName},
        {"sin(x", "x", ErrUnbalancedParenthesis},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.function);
        int code = -1;
        Derivative(c.function, c.variable, &code);
        EXPECT_EQ(code, c.code);
    }
}

TEST_F(DifferentiatorTest, AVariableOfTheEngineCannotBeDifferentiated)
{
    CCalcEngine engine;
    ASSERT_EQ(engine.DefineVariable("v", 2, false), 0);
    engine.SetExpression("v*x");
    EXPECT_EQ(engine.DeriveSymbolic("x"), ErrInvalidFunction);
    // A failed derivative leaves the expression as it was.
    EXPECT_STREQ(engine.GetText(), "v*x");
}

TEST_F(DifferentiatorTest, TheVariableSlotIsBackToXAfterwards)
{
    EnableOnlyT();
    CCalcEngine engine;
    engine.SetExpression("t^3");
    ASSERT_EQ(engine.DeriveSymbolic("t"), 0);
    EXPECT_EQ(FindIndependentVariable("x"), 0);
    CCalcEngine other;
    other.SetExpression("x+1");
    EXPECT_EQ(other.Parse(), 0);
}

TEST_F(DifferentiatorTest, SimplifyFoldsConstantsButNotFailures)
{
    CCalcEngine engine;
    engine.m_bSymbolic = 1;
    const struct {
        const char* text;
        const char* simplified;
    } cases[] = {
        {"2*3+x", "6+x"},
        {"x*1", "x"},
        {"1*x", "x"},
        {"0*x", "0"},
        {"x/1", "x"},
        {"x^1", "x"},
        {"0+x", "x"},
        {"x+0", "x"},
        {"x-0", "x"},
        {"1/0+x", "1/0+x"},
        {"sqrt(-1)*x", "sqrt((-1))*x"},
        {"RAND*1", "RAND"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        engine.SetExpression(c.text);
        ASSERT_EQ(engine.Parse(), 0);
        engine.m_Root.Simplify();
        EXPECT_STREQ(engine.GetText(), c.simplified);
        EXPECT_EQ(engine.m_Root.m_nErrorCode, 0);
    }
}

} // namespace
