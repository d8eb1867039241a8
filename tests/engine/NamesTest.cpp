#include "tests/engine/EngineTestSupport.h"

#include "engine/UserFunction.h"

#include <string>

namespace {

class NamesTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        AddPredefinedName("pre", 1);
        engine.AppendVariable("var", 2);
        engine.AddExpressionVariable("ev", "var+1");
        auto* f = new CUserFunction;
        f->SetName("uf");
        GetUserFunctions().push_back(f);
        ASSERT_EQ(AddUserConstant("a constant", "m", "uc", 3), 0);
    }

    CCalcEngine engine;
};

TEST_F(NamesTest, NameChecksByKindAndTable)
{
    struct Case {
        const char* name;
        int variable, exprVariable, userFunction, userConstant;
    };
    const Case cases[] = {
        {"", 20, 20, 20, 20},    {"2a", 20, 20, 20, 20},        {"a-b", 20, 20, 20, 20},
        {"a b", 20, 20, 20, 20}, {"\xe9t\xe9", 20, 20, 20, 20}, {"sin", 21, 21, 21, 21},
        {"PI", 21, 21, 21, 21},  {"ans", 21, 21, 21, 21},       {"x", 21, 21, 21, 21},
        {"T", 21, 21, 21, 21},   {"rand", 21, 21, 21, 21},      {"pre", 22, 22, 22, 22},
        {"VAR", 0, 22, 22, 22},  {"ev", 22, 0, 22, 22},         {"uf", 22, 22, 0, 22},
        {"UC", 22, 22, 22, 0},   {"_fresh1", 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(engine.CheckVariableName(c.name), c.variable) << "name: " << c.name;
        EXPECT_EQ(engine.CheckExpressionVariableName(c.name), c.exprVariable) << "name: " << c.name;
        EXPECT_EQ(engine.CheckUserFunctionName(c.name), c.userFunction) << "name: " << c.name;
        EXPECT_EQ(engine.CheckUserConstantName(c.name), c.userConstant) << "name: " << c.name;
    }
}

TEST_F(NamesTest, SwitchedOffIndependentVariablesAreFreeNames)
{
    EnableOnlyT();
    EXPECT_EQ(engine.DefineVariable("x", 1, false), 0);
    EXPECT_EQ(engine.DefineVariable("t", 1, false), ErrPredefinedName);
    ResetIndependentVariables();
    EXPECT_EQ(engine.DefineVariable("y", 1, false), ErrPredefinedName);
    EnableOnlyX();
    EXPECT_EQ(FindIndependentVariable("x"), 0);
    EXPECT_EQ(FindIndependentVariable("t"), -1);
}

TEST_F(NamesTest, DefineAndRenameVariables)
{
    EXPECT_EQ(engine.DefineVariable("var", 5, false), ErrNameExists);
    EXPECT_EQ(engine.DefineVariable("VAR", 5, true), 0);
    EXPECT_STREQ(engine.GetVariableName(0), "VAR");
    EXPECT_EQ(engine.GetVariableValue(0), 5);
    EXPECT_EQ(engine.DefineVariable("ev", 1, true), ErrNameExists);
    EXPECT_EQ(engine.DefineVariable("b", 7, false), 0);
    EXPECT_EQ(engine.GetVariableCount(), 2);

    EXPECT_EQ(engine.RenameVariable(1, "B"), 0);
    EXPECT_STREQ(engine.GetVariableName(1), "b"); // a change of case only is not applied
    EXPECT_EQ(engine.RenameVariable(1, "var"), ErrNameExists);
    EXPECT_EQ(engine.RenameVariable(1, "cos"), ErrPredefinedName);
    EXPECT_EQ(engine.RenameVariable(1, "c"), 0);
    EXPECT_STREQ(engine.GetVariableName(1), "c");

    engine.DeleteVariable(0);
    EXPECT_EQ(engine.GetVariableCount(), 1);
    EXPECT_EQ(engine.FindVariable("c"), 0);
    engine.DeleteVariable(5); // out of range: nothing happens
    EXPECT_EQ(engine.GetVariableCount(), 1);
    EXPECT_STREQ(engine.GetVariableName(9), "");
}

TEST_F(NamesTest, SetVariableCountEmptiesEveryRecord)
{
    for (const char* n : {"v1", "v2", "v3", "v4"})
        engine.AppendVariable(n, 4);
    engine.SetVariableCount(3);
    ASSERT_EQ(engine.GetVariableCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_STREQ(engine.GetVariableName(i), "");
        EXPECT_EQ(engine.GetVariableValue(i), 0);
    }
    engine.SetVariableCount(0);
    EXPECT_EQ(engine.GetVariableCount(), 0);
}

TEST_F(NamesTest, ExpressionVariablesKeepOnlyTextsThatParse)
{
    EXPECT_EQ(engine.DefineExpressionVariable("ev", "2", false), ErrNameExists);
    EXPECT_EQ(engine.DefineExpressionVariable("ev", "1+", true), ErrDanglingOperator);
    EXPECT_STREQ(engine.GetExpressionVariableText(0), "var+1");
    EXPECT_EQ(engine.DefineExpressionVariable("nw", "(1", false), ErrUnbalancedParenthesis);
    EXPECT_EQ(engine.FindExpressionVariable("nw"), -1);
    EXPECT_EQ(engine.DefineExpressionVariable("nw", "ev*2", false), 0);
    EXPECT_STREQ(engine.GetExpressionVariableText(1), "ev*2");
    EXPECT_EQ(engine.DefineExpressionVariable("var", "1", false), ErrNameExists);

    engine.m_ExprVariables[0].bEvaluated = 1;
    EXPECT_EQ(engine.RenameExpressionVariable(1, "NW"), 0);
    EXPECT_STREQ(engine.GetExpressionVariableName(1), "nw");
    EXPECT_EQ(engine.RenameExpressionVariable(1, "ev"), ErrNameExists);
    EXPECT_EQ(engine.RenameExpressionVariable(1, "w2"), 0);
    EXPECT_STREQ(engine.GetExpressionVariableName(1), "w2");
    EXPECT_EQ(engine.m_ExprVariables[0].bEvaluated, 0);

    engine.DeleteExpressionVariable(0);
    EXPECT_EQ(engine.GetExpressionVariableCount(), 1);
    EXPECT_STREQ(engine.GetExpressionVariableName(0), "w2");
}

TEST_F(NamesTest, UserConstants)
{
    EXPECT_EQ(AddUserConstant("again", "", "UC", 1), ErrNameExists);
    EXPECT_EQ(AddUserConstant("bad", "", "1x", 1), ErrInvalidName);
    EXPECT_EQ(AddUserConstant("reserved", "", "sqrt", 1), ErrPredefinedName);
    EXPECT_EQ(AddUserConstant("no symbol", "", "", 1), 0);
    EXPECT_EQ(AddUserConstant("no symbol", "", "", 1), 0);
    EXPECT_EQ(GetUserConstantCount(), 3);
    EXPECT_EQ(FindUserConstant(""), -1);
    // Constants alike are told apart by their identities, which edits keep.
    const unsigned identity = GetUserConstants()[1].nIdentity;
    EXPECT_NE(identity, 0u);
    EXPECT_NE(identity, GetUserConstants()[2].nIdentity);

    EXPECT_EQ(RenameUserConstant(1, ""), ErrInvalidName);
    EXPECT_EQ(RenameUserConstant(0, "Uc"), 0);
    EXPECT_STREQ(GetUserConstants()[0].strSymbol, "uc");
    EXPECT_EQ(RenameUserConstant(1, "uc"), ErrNameExists);
    EXPECT_EQ(RenameUserConstant(1, "k2"), 0);
    EXPECT_EQ(FindUserConstant("K2"), 1);

    GetUserConstants()[1].dUncertainty = 0.5;
    SetUserConstantRecord(1, "d", "u", "k3", 4);
    EXPECT_STREQ(GetUserConstantDescription(1), "d");
    EXPECT_STREQ(GetUserConstantUnit(1), "u");
    EXPECT_EQ(GetUserConstants()[1].dValue, 4);
    EXPECT_EQ(GetUserConstants()[1].dUncertainty, 0.5);
    EXPECT_EQ(GetUserConstants()[1].nIdentity, identity);

    DeleteUserConstant(0);
    EXPECT_EQ(FindUserConstant("k3"), 0);
}

TEST_F(NamesTest, UserFunctionListAndCleanUp)
{
    auto* g = new CUserFunction;
    g->SetName("g");
    g->AppendVariable("a", 0);
    g->AppendVariable("b", 0);
    GetUserFunctions().push_back(g);
    EXPECT_EQ(FindUserFunction("G"), 1);
    EXPECT_STREQ(GetUserFunctionParameters(1), "a,b");
    UseCommaSeparators();
    EXPECT_STREQ(GetUserFunctionParameters(1), "a;b");
    UseDotSeparators();
    SetUserFunctionDescription(1, "adds");
    EXPECT_STREQ(GetUserFunctionDescription(1), "adds");

    DeleteUserFunction(0);
    EXPECT_EQ(FindUserFunction("g"), 0);
    EXPECT_EQ(GetUserFunctionCount(), 1);

    FreeGlobalSymbolTables();
    EXPECT_EQ(GetUserFunctionCount(), 0);
    EXPECT_EQ(GetUserConstantCount(), 0);
    EXPECT_FALSE(PredefinedNameExists("pre"));
}

TEST_F(NamesTest, DescribeName)
{
    struct Case {
        const char* name;
        int kind;
        const char* text;
        int count;
    };
    engine.m_Variables[0].dValue = 0.25;
    auto* g = new CUserFunction;
    g->SetName("g");
    g->AppendVariable("a", 0);
    g->AppendVariable("b", 0);
    GetUserFunctions().push_back(g);
    engine.AddExpressionVariable("area", "var*2");
    const Case cases[] = {
        {"LOGN", NameBuiltinFunction, "LOGN(n, x)", 2},
        {"pi", NameBuiltinFunction, "PI", 1},
        {"sum", NameBuiltinFunction, "SUM(v1, v2, v3, ..., vn)", 5},
        {"C0", NamePhysicalConstant, "Speed of light in vacuum (299792458 m/s)", -1},
        {"g", NameUserFunction, "a,b", 2},
        {"uc", NameUserConstant, "a constant (3 m)", -1},
        {"AREA", NameExpressionVariable, "'var*2'", -1},
        {"ev", NamePhysicalConstant, "Electron volt (1.602176462e-019 J)", -1},
        {"var", NameVariable, "0.25", -1},
        {"nothing", NameUnknown, "", -1},
    };
    for (const Case& c : cases) {
        CString text;
        int count = -1;
        EXPECT_EQ(engine.DescribeName(c.name, text, count), c.kind) << "name: " << c.name;
        EXPECT_STREQ(text, c.text) << "name: " << c.name;
        EXPECT_EQ(count, c.count) << "name: " << c.name;
    }
}

} // namespace
