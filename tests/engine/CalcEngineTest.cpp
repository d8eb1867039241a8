#include "tests/engine/EngineTestSupport.h"

#include "engine/UnitRegistry.h"
#include "engine/UserFunction.h"

#include <cmath>

namespace {

class CalcEngineTest : public EngineTest {
protected:
    // Value of text in engine, with the root's code in code.
    double Run(CCalcEngine& engine, const char* text, int& code)
    {
        engine.SetExpression(text);
        code = engine.Parse();
        if (code)
            return 0;
        double value = engine.Evaluate();
        code = engine.GetErrorCode();
        return value;
    }
};

TEST_F(CalcEngineTest, FreshEngineDefaults)
{
    CCalcEngine engine;
    int code = -1;
    EXPECT_EQ(Run(engine, "ANS", code), 0);
    EXPECT_EQ(code, 0);
    EXPECT_NEAR(Run(engine, "sin(pi/2)", code), 1, 1e-15);
    EXPECT_EQ(engine.m_nAngleMode, AngleRadians);
    EXPECT_EQ(engine.m_nNumberBase, 10);
    EXPECT_EQ(engine.m_nSolverSteps, 200);
    Run(engine, "1/3", code);
    EXPECT_STREQ(engine.FormatResultInBase(), "0.333333333333333");
    engine.m_dLastAnswer = 4;
    EXPECT_EQ(Run(engine, "ans*2", code), 8);
}

TEST_F(CalcEngineTest, EvaluationErrorsStayInTheRoot)
{
    CCalcEngine engine;
    engine.SetExpression("1/0");
    ASSERT_EQ(engine.Parse(), 0);
    engine.Evaluate();
    EXPECT_EQ(engine.GetErrorCode(), ErrDivisionByZero);
    engine.SetExpression("2");
    EXPECT_EQ(engine.GetErrorCode(), 0);
}

TEST_F(CalcEngineTest, StoringAVariableFromAnExpression)
{
    CCalcEngine engine;
    EXPECT_EQ(engine.SetVariableFromExpression("a", "2*3", false), 0);
    EXPECT_EQ(engine.GetVariableValue(engine.FindVariable("a")), 6);
    EXPECT_STREQ(engine.GetExpressionText(), "2*3");
    EXPECT_EQ(engine.SetVariableFromExpression("a", "1", false), ErrNameExists);
    EXPECT_EQ(engine.SetVariableFromExpression("a", "a+1", true), 0);
    EXPECT_EQ(engine.GetVariableValue(0), 7);
    EXPECT_EQ(engine.SetVariableFromExpression("b", "(1", false), ErrUnbalancedParenthesis);
    EXPECT_EQ(engine.SetVariableFromExpression("b", "1/0", false), ErrDivisionByZero);
    EXPECT_EQ(engine.FindVariable("b"), -1);
    EXPECT_EQ(engine.SetVariableFromExpression("sin", "1", false), ErrPredefinedName);
}

TEST_F(CalcEngineTest, EvaluatingExpressionVariables)
{
    CCalcEngine engine;
    engine.AppendVariable("a", 3);
    ASSERT_EQ(engine.DefineExpressionVariable("sq", "a^2", false), 0);
    ASSERT_EQ(engine.DefineExpressionVariable("inv", "1/(a-3)", false), 0);
    EXPECT_EQ(engine.EvaluateExpressionVariable(0), 0);
    EXPECT_EQ(engine.m_ExprVariables[0].dCachedValue, 9);
    EXPECT_EQ(engine.m_ExprVariables[0].bEvaluated, 1);
    EXPECT_EQ(engine.EvaluateExpressionVariable(1), ErrDivisionByZero);
    EXPECT_EQ(engine.m_ExprVariables[1].bEvaluated, 0);
    // A new text marks every cached value stale.
    ASSERT_EQ(engine.SetExpressionVariableText(1, "sq+1"), 0);
    EXPECT_EQ(engine.m_ExprVariables[0].bEvaluated, 0);
    EXPECT_EQ(engine.EvaluateExpressionVariable(1), 0);
    EXPECT_EQ(engine.m_ExprVariables[1].dCachedValue, 10);
    EXPECT_EQ(engine.EvaluateExpressionVariable(5), ErrInvalidName);
}

TEST_F(CalcEngineTest, EvaluateWithVariable)
{
    CCalcEngine engine;
    engine.AppendVariable("k", 0);
    engine.SetExpression("k^2+1");
    ASSERT_EQ(engine.Parse(), 0);
    EXPECT_EQ(engine.EvaluateWithVariable(0, 3), 10);
    EXPECT_EQ(engine.EvaluateWithVariable(0, -1), 2);
}

TEST_F(CalcEngineTest, EnginesShareProgramWideNamesOnly)
{
    CCalcEngine first;
    CCalcEngine second;
    ASSERT_EQ(first.DefineUserFunction("f(a) = a+1", false), 0);
    ASSERT_EQ(first.DefineVariable("v", 2, false), 0);
    g_IndependentVariables[0].dValue = 5;
    int code = -1;
    EXPECT_EQ(Run(second, "f(x)", code), 6);
    EXPECT_EQ(code, 0);
    Run(second, "v", code);
    EXPECT_EQ(code, ErrUnrecognizedFunction);
}

TEST_F(CalcEngineTest, DefiningAndReplacingUserFunctions)
{
    CCalcEngine engine;
    engine.AppendVariable("taken", 1);
    ASSERT_EQ(engine.DefineUserFunction("f(a) = a*2", false), 0);
    ASSERT_EQ(engine.DefineUserFunction("g(a) = a*3", false), 0);
    EXPECT_EQ(engine.DefineUserFunction("f(a) = a*4", false), ErrNameExists);
    EXPECT_EQ(engine.DefineUserFunction("taken(a) = a", false), ErrNameExists);
    EXPECT_EQ(engine.DefineUserFunction("f(a) = a*4", true), 0);
    EXPECT_EQ(GetUserFunctionCount(), 2);
    EXPECT_EQ(FindUserFunction("f"), 0);

    EXPECT_EQ(engine.ReplaceUserFunction(0, "g(b) = b"), ErrNameExists);
    EXPECT_EQ(engine.ReplaceUserFunction(0, "h(b) = b-1"), 0);
    EXPECT_EQ(FindUserFunction("f"), -1);
    EXPECT_EQ(FindUserFunction("h"), 0);
    EXPECT_EQ(engine.ReplaceUserFunction(0, "h(b) = "), ErrDanglingEqualSign);
    EXPECT_EQ(engine.ReplaceUserFunction(7, "k(b) = b"), ErrInvalidName);
    int code = -1;
    EXPECT_EQ(Run(engine, "h(5)+g(1)", code), 7);
}

TEST_F(CalcEngineTest, TreesNeverReadPastATableAfterADeletion)
{
    CCalcEngine engine;
    engine.AppendVariable("a", 1);
    ASSERT_EQ(engine.DefineUserFunction("f(p) = p*2", false), 0);
    ASSERT_EQ(AddUserConstant("c", "", "kc", 3), 0);
    AddPredefinedName("pn", 4);
    struct Case {
        const char* text;
        void (*remove)(CCalcEngine&);
    };
    const Case cases[] = {
        {"a+1", [](CCalcEngine& e) { e.DeleteVariable(0); }},
        {"f(2)", [](CCalcEngine&) { DeleteUserFunction(0); }},
        {"kc*2", [](CCalcEngine&) { DeleteUserConstant(0); }},
        {"pn/2", [](CCalcEngine&) { GetPredefinedNames().clear(); }},
    };
    for (const Case& c : cases) {
        engine.SetExpression(c.text);
        ASSERT_EQ(engine.Parse(), 0) << c.text;
        c.remove(engine);
        engine.Evaluate();
        EXPECT_EQ(engine.GetErrorCode(), ErrInvalidName) << c.text;
    }
}

// Each change of what an expression's values depend on changes its inputs, and nothing else
// does: the graphs sampled from it are drawn again exactly then.
TEST_F(CalcEngineTest, InputsChangeWithWhatTheValuesDependOn)
{
    ResetUnitRegistry();
    struct Case {
        const char* text;
        void (*change)(CCalcEngine&);
        bool changed;
    };
    const Case cases[] = {
        {"sin(x)", [](CCalcEngine& e) { e.m_nAngleMode = AngleDegrees; }, true},
        {"a*x", [](CCalcEngine& e) { e.SetVariable(0, "a", 4); }, true},
        {"a*x", [](CCalcEngine& e) { e.SetVariable(1, "b", 4); }, false},
        {"a*x", [](CCalcEngine& e) { e.DeleteVariable(1); }, false},
        {"a*x", [](CCalcEngine& e) { e.DeleteVariable(0); }, true},
        {"e*x", [](CCalcEngine& e) { e.SetExpressionVariableText(0, "a+2"); }, true},
        {"e*x", [](CCalcEngine& e) { e.SetVariable(0, "a", 4); }, true},
        {"f(x)", [](CCalcEngine& e) { e.ReplaceUserFunction(0, "f(p) = p+2"); }, true},
        {"f(x)", [](CCalcEngine& e) { e.DefineUserFunction("g(p) = p", false); }, false},
        {"f(x)", [](CCalcEngine&) { SetUserConstantRecord(0, "", "", "k", 6); }, true},
        {"x+1", [](CCalcEngine& e) { e.ReplaceUserFunction(0, "f(p) = p+2"); }, false},
        {"k*x", [](CCalcEngine&) { SetUserConstantRecord(0, "", "", "k", 6); }, true},
        {"ANS*x", [](CCalcEngine& e) { e.m_dLastAnswer = 7; }, true},
        {"10*x", [](CCalcEngine& e) { e.m_nNumberBase = 16; }, true},
        {"FINT(x, 0, 1)*x", [](CCalcEngine& e) { e.m_SolverFormat.SetDecimals(8); }, true},
        {"x^2", [](CCalcEngine& e) { e.m_SolverFormat.SetDecimals(8); }, false},
        {"CONVERT(x, \"smoot\", \"cm\")", [](CCalcEngine&) { SetUserUnitFactor(0, 171); }, true},
        {"x*2", [](CCalcEngine&) { AddUserUnit("furlong", "m", 201.168); }, false},
    };
    for (const Case& c : cases) {
        FreeGlobalSymbolTables();
        ResetUnitRegistry();
        CCalcEngine engine;
        engine.AppendVariable("a", 2);
        engine.AppendVariable("b", 3);
        engine.AddExpressionVariable("e", "a+1");
        ASSERT_EQ(AddUserConstant("", "", "k", 5), 0);
        ASSERT_EQ(engine.DefineUserFunction("f(p) = p+k", false), 0);
        ASSERT_EQ(AddUserUnit("smoot", "cm", 170.18), 0);
        engine.SetExpression(c.text);
        ASSERT_EQ(engine.Parse(), 0) << c.text;
        const std::string before = engine.DescribeInputs();
        EXPECT_FALSE(before.empty()) << c.text;
        c.change(engine);
        engine.SetExpression(c.text);
        engine.Parse();
        EXPECT_EQ(engine.DescribeInputs() != before, c.changed) << c.text;
    }
}

} // namespace
