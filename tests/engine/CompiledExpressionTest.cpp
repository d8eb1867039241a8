// The compiled form against the tree walk: random expressions over every catalogue row, names
// of every kind and every operator, evaluated at random points in every angle mode and under
// random work budgets. Both paths must agree bit for bit in the value, the code, the roots'
// fields, the work charged and the program-wide state they change.
#include "tests/engine/EvaluatorTestSupport.h"

#include "engine/CompiledExpression.h"
#include "engine/EngineNames.h"
#include "engine/EvaluatorOperations.h"
#include "engine/FunctionCatalogue.h"
#include "engine/UserFunction.h"

#include <cstring>
#include <random>
#include <string>

namespace {

// Random expressions in the language the parser's fuzz target speaks.
class ExpressionSource {
public:
    explicit ExpressionSource(unsigned seed) : m_random(seed) {}

    int Pick(int n) { return int(m_random() % unsigned(n)); }
    bool Chance(int percent) { return Pick(100) < percent; }

    std::string Expression(int depth)
    {
        std::string text = (Chance(15) ? "-" : "") + Term(depth);
        for (int n = Pick(3); n > 0; --n)
            text += std::string(Chance(50) ? "+" : "-") + Term(depth);
        return text;
    }

    // A call of catalogue row `row` with arguments of the given depth.
    std::string Call(int row, int depth)
    {
        const FunctionTableEntry& entry = GetFunctionEntry(row);
        std::string text = entry.name;
        if (entry.maxArguments == 0)
            return text;
        const bool any = entry.minArguments == AnyArgumentCount;
        const int low = any ? 1 : entry.minArguments;
        const int count = low + Pick((any ? 5 : entry.maxArguments) - low + 1);
        text += "(";
        for (int i = 0; i < count; ++i) {
            if (i > 0)
                text += ",";
            text += Argument(entry.opId, i, depth);
        }
        return text + ")";
    }

private:
    std::string Term(int depth)
    {
        std::string text = Factor(depth);
        for (int n = Pick(3); n > 0; --n)
            text += std::string(Chance(75) ? "*" : "/") + Factor(depth);
        return text;
    }

    std::string Factor(int depth)
    {
        std::string text = Postfix(depth);
        if (Chance(25))
            text += "^" + Postfix(depth);
        return text;
    }

    std::string Postfix(int depth)
    {
        std::string text = Primary(depth);
        if (Chance(4))
            text += Chance(50) ? "%" : "!";
        return text;
    }

    // Mostly tame operands, so that most evaluations succeed and their bits are compared; now
    // and then one at an edge of the rules.
    std::string Primary(int depth)
    {
        static const char* const kNumbers[] = {"0.5", "2", "3.25", "7", "0.1", "1", "1.5"};
        static const char* const kEdges[] = {"180",   "90",       "171",  "400",
                                             "1e308", "2.5e-310", "1e-5", "(-2147483649)",
                                             "INF",   "NINF",     "0"};
        static const char* const kNames[] = {"x",   "x",  "x",  "y",  "z",   "t",    "v",
                                             "a1e", "uc", "ev", "PI", "ANS", "RAND", "e"};
        const int choice = depth > 0 ? Pick(12) : Pick(2);
        if (choice == 0 || choice == 5 || choice == 6)
            return Chance(90) ? kNumbers[Pick(int(std::size(kNumbers)))]
                              : kEdges[Pick(int(std::size(kEdges)))];
        if (choice == 1 || choice == 7 || choice == 8)
            return kNames[Pick(int(std::size(kNames)))];
        if (choice == 2)
            return "(" + Expression(depth - 1) + ")";
        if (choice == 3)
            return Chance(50) ? "uf(" + Expression(depth - 1) + "," + Expression(depth - 1) + ")"
                              : "sq(" + Expression(depth - 1) + ")";
        return Call(Pick(GetFunctionTableSize()), depth - 1);
    }

    // The calculus functions get an expression in x and small ranges, so that each evaluation
    // stays short; CONVERT gets units.
    std::string Argument(int op, int i, int depth)
    {
        static const char* const kUnits[] = {"\"m\"", "\"ft\"", "\"kg\"", "\"s\"", "\"nope\""};
        const bool calculus = op == OpFInt || op == OpFDiff || op == OpFZero || op == OpFSum;
        if (calculus && i == 0)
            return Expression(std::min(depth, 1));
        if (calculus)
            return std::to_string(Pick(4) - 1);
        if (op == OpConvert && i > 0)
            return kUnits[Pick(int(std::size(kUnits)))];
        return Expression(depth);
    }

    std::mt19937 m_random;
};

// What one evaluation left behind.
struct Outcome {
    int code = 0;
    double value = 0;
    double rootValue = 0;
    long long work = 0;
    int nextRandom = 0;
    int oneShotBase = 0;
    std::string rootText;
    int functionCode = 0;
    double functionValue = 0;
    double parameter = 0;
    double x = 0;
};

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class CompiledExpressionTest : public EvaluatorTest {
protected:
    void SetUp() override
    {
        EvaluatorTest::SetUp();
        DefineFunction("uf(a,b) = a*b+1");
        DefineFunction("sq(a) = a^2+sin(a)/3");
        for (CCalcEngine* engine : {&m_walked, &m_compiled}) {
            engine->AddExpressionVariable("ev", "v+1");
            engine->m_dLastAnswer = 0.25;
        }
    }
    void TearDown() override
    {
        EvaluationWorkLimit = MaxEvaluationWork;
        EvaluatorTest::TearDown();
    }

    void DefineFunction(const char* definition)
    {
        ASSERT_EQ(CCalcEngine().DefineUserFunction(definition, false), 0) << definition;
    }

    // Parses text in both engines; false when it does not parse. With `shrink` the tables lose
    // a variable and the user constant afterwards, so reads of them fail with 20.
    bool Parse(const std::string& text, int angleMode, bool shrink = false)
    {
        if (GetUserConstantCount() == 0)
            AddUserConstant("constant", "m", "uc", 2);
        for (CCalcEngine* engine : {&m_walked, &m_compiled}) {
            engine->SetVariableCount(2);
            engine->SetVariable(0, "v", 1.5);
            engine->SetVariable(1, "a1e", -2);
            engine->m_nAngleMode = angleMode;
            engine->SetExpression(text.c_str());
            if (engine->Parse() != 0)
                return false;
        }
        m_program.Compile(m_compiled.m_Root);
        if (shrink) {
            m_walked.SetVariableCount(1);
            m_compiled.SetVariableCount(1);
            DeleteUserConstant(0);
        }
        return true;
    }

    // One evaluation at a point, through the tree walk or the program, from one starting state.
    Outcome Run(bool compiled, const double* point, int randomSkip)
    {
        ResetRandomGenerator();
        for (int i = 0; i < randomSkip; ++i)
            NextRandom15();
        CUserFunction& uf = *GetUserFunctions()[0];
        uf.m_Root.m_dValue = 0.5;
        uf.m_Root.m_nErrorCode = 0;
        uf.m_Variables[0].dValue = 0;
        for (int i = 0; i < IndependentVariableCount; ++i)
            g_IndependentVariables[i].dValue = point[i];
        CCalcEngine& engine = compiled ? m_compiled : m_walked;
        engine.m_nOneShotBase = -1;
        Outcome o;
        CCompiledExpression::SetTreeWalkOnly(!compiled);
        o.code = compiled ? m_program.Evaluate(o.value) : engine.m_Root.Evaluate(o.value);
        CCompiledExpression::SetTreeWalkOnly(false);
        o.rootValue = engine.m_Root.m_dValue;
        o.work = EvaluationWork::Done();
        o.nextRandom = NextRandom15();
        o.oneShotBase = engine.m_nOneShotBase;
        o.rootText = engine.m_Root.m_bTextResult ? engine.m_Root.m_strSource.GetString() : "";
        o.functionCode = uf.m_Root.m_nErrorCode;
        o.functionValue = uf.m_Root.m_dValue;
        o.parameter = uf.m_Variables[0].dValue;
        o.x = g_IndependentVariables[0].dValue;
        return o;
    }

    // Both paths at the point; the failure names the text, the point and the budget.
    void Compare(const std::string& text, const double* point, int randomSkip)
    {
        const Outcome walked = Run(false, point, randomSkip);
        const Outcome compiled = Run(true, point, randomSkip);
        const std::string where = text + " at x=" + std::to_string(point[0]) +
                                  " budget=" + std::to_string(EvaluationWorkLimit);
        EXPECT_EQ(compiled.code, walked.code) << where;
        EXPECT_TRUE(SameBits(compiled.value, walked.value))
            << where << ": " << compiled.value << " vs " << walked.value;
        EXPECT_TRUE(SameBits(compiled.rootValue, walked.rootValue)) << where;
        EXPECT_EQ(compiled.work, walked.work) << where;
        EXPECT_EQ(compiled.nextRandom, walked.nextRandom) << where;
        EXPECT_EQ(compiled.oneShotBase, walked.oneShotBase) << where;
        EXPECT_EQ(compiled.rootText, walked.rootText) << where;
        EXPECT_EQ(compiled.functionCode, walked.functionCode) << where;
        EXPECT_TRUE(SameBits(compiled.functionValue, walked.functionValue)) << where;
        EXPECT_TRUE(SameBits(compiled.parameter, walked.parameter)) << where;
        EXPECT_TRUE(SameBits(compiled.x, walked.x)) << where;
    }

    CCalcEngine m_walked;
    CCalcEngine m_compiled;
    CCompiledExpression m_program;
};

constexpr double kPoints[][4] = {
    {0.5, 2, -1, 3},  {0, 0, 0, 0},          {-3.75, 1e-3, 7, -0.5},
    {90, 180, 45, 1}, {1e300, -1e300, 2, 0}, {-0.0, 3.141592653589793, 1, 2},
};

TEST_F(CompiledExpressionTest, EveryCatalogueRowAgreesWithTheTreeWalk)
{
    EvaluationWorkLimit = 20000;
    ExpressionSource source(7);
    for (int row = 0; row < GetFunctionTableSize(); ++row) {
        int parsed = 0;
        for (int attempt = 0; attempt < 20 && parsed < 3; ++attempt) {
            const std::string text = source.Call(row, 1);
            if (!Parse(text, attempt % 3))
                continue;
            ++parsed;
            for (const auto& point : kPoints)
                Compare(text, point, attempt);
        }
        EXPECT_GT(parsed, 0) << GetFunctionEntry(row).name;
    }
}

TEST_F(CompiledExpressionTest, RandomExpressionsAgreeWithTheTreeWalk)
{
    ExpressionSource source(2024);
    int parsed = 0;
    while (parsed < 4000) {
        const std::string text = source.Expression(3);
        const int angleMode = source.Pick(4); // 3: any other value means gradians
        if (!Parse(text, angleMode, source.Chance(5)))
            continue;
        ++parsed;
        // Mostly the default budget at this scale; some runs with little, so that every charge
        // point is reached.
        EvaluationWorkLimit = source.Chance(70) ? 20000 : 1 + source.Pick(60);
        for (int i = 0; i < 3; ++i) {
            const auto& point = kPoints[source.Pick(int(std::size(kPoints)))];
            Compare(text, point, source.Pick(5));
        }
    }
}

TEST_F(CompiledExpressionTest, EdgeRulesAgreeWithTheTreeWalk)
{
    // Points that succeed and fail in turn, so that what one evaluation leaves in the roots
    // meets the next.
    const double points[][4] = {{0.5, 1, 2, 3}, {0, 1, 2, 3}, {2.5, 1, 2, 3}, {0.5, 1, 2, 3}};
    const struct {
        const char* text;
        int angleMode;
    } cases[] = {
        {"-10^(x*400)", AngleRadians},           // the error arises below the root
        {"10^(x*400)", AngleRadians},            // at the root: clamped there
        {"(x-8)^(1/3)", AngleRadians},           // NaN at the root: 45, the value kept
        {"1/(x-0.5)+1/0", AngleRadians},         // a constant part that fails is no number
        {"HEX(x*255)", AngleRadians},            // text result and one-shot base at the root
        {"SIN(x*180)+TAN(x*180)", AngleDegrees}, // exact zeros and poles
        {"uf(x*1e200, 1e200)", AngleRadians},    // 46 in a body taken in
        {"sq(x)+uf(x, RAND)", AngleGradians},
        {"FSUM(1/(x-2), 1, 3)*x", AngleRadians}, // an error inside a nested sum
        {"FINT(sqrt(x), 0, 1)+x", AngleRadians},
        {"BESSELJ(2, x)+BESSELY(-1, x)", AngleRadians}, // a constant order: its routine direct
        {"BESSELK(2.9, x)", AngleRadians},              // fails at x = 0: the root takes it
        {"BESSELI(3, y)*PSIN(1, x)", AngleRadians},     // fails below the root
        {"BESSELJ(3e9, x)", AngleRadians},              // an order out of range: 13 each time
        {"uf(x, 1)+PSIN(2, x)", AngleRadians},
        {"x", AngleRadians},
        {"7", AngleRadians},
        {"e*x+v/4", AngleRadians},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Parse(c.text, c.angleMode)) << c.text;
        for (const auto& point : points)
            Compare(c.text, point, 1);
    }
}

TEST_F(CompiledExpressionTest, WhatTheProgramCannotDoTheTreeWalkDoes)
{
    const double point[4] = {0.5, 1, 2, 3};
    // A call whose function moved in the list is bound again by name at each evaluation.
    DefineFunction("g(a) = a+1");
    DefineFunction("h(a) = 2*a");
    ASSERT_TRUE(Parse("h(x)+1", AngleRadians));
    DeleteUserFunction(FindUserFunction("g"));
    m_program.Compile(m_compiled.m_Root);
    Compare("h(x)+1 after g is deleted", point, 0);
    // Leaves no parse makes: a slot index out of range, a variable without an engine.
    ASSERT_TRUE(Parse("x+v*2", AngleRadians));
    for (CCalcEngine* engine : {&m_walked, &m_compiled}) {
        engine->m_Root.m_pLeft->m_nIndex = IndependentVariableCount;
        engine->m_Root.m_pRight->m_pLeft->m_pOwner = nullptr;
    }
    m_program.Compile(m_compiled.m_Root);
    EXPECT_EQ(m_program.GetTreeWalkCount(), 2);
    Compare("x+v*2 with broken leaves", point, 0);
    m_compiled.m_Root.m_pLeft->m_nIndex = 0;
    m_walked.m_Root.m_pLeft->m_nIndex = 0;
    m_program.Compile(m_compiled.m_Root);
    Compare("x+v*2 with a variable without an engine", point, 0);
}

TEST_F(CompiledExpressionTest, EveryWorkBudgetEndsBothPathsAlike)
{
    // Charges of chains, leaves, calls, bodies taken in, nested calculus and failed reads: the
    // budget runs out at each of them in turn.
    const struct {
        const char* text;
        bool shrink;
    } cases[] = {
        {"1+x*2-v/3+uc^2", false},
        {"a1e*2+sin(x)-e", true},
        {"uc+1", true},
        {"sq(x+1)*uf(x,2)-sq(sq(e))", false},
        {"FSUM(x^2+uf(x,x), 1, 4)+RAND*x", false},
        {"FINT(x*e, 0, 1)/HEX(x+20)+SUM(x, v, 3)", false},
        {"FDIFF(sq(x), 1)+MAX(1/x, 2)", false},
    };
    const double point[4] = {0.5, 2, 3, 4};
    for (const auto& c : cases) {
        ASSERT_TRUE(Parse(c.text, AngleRadians, c.shrink)) << c.text;
        EvaluationWorkLimit = MaxEvaluationWork;
        Compare(c.text, point, 0);
        const long long work = EvaluationWork::Done();
        m_program.Compile(m_compiled.m_Root); // the user functions are parsed now: bodies go in
        for (long long limit = 1; limit <= work + 1; ++limit) {
            EvaluationWorkLimit = limit;
            Compare(c.text, point, 0);
        }
    }
}

} // namespace
