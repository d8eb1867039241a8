#include "tests/engine/EngineTestSupport.h"

#include "engine/UserFunction.h"

#include <string>

namespace {

struct ShapeCase {
    const char* text;
    const char* tree;
};

struct ErrorCase {
    const char* text;
    EngineErrorCode code;
    int position;
    int span;
};

class ParserTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        for (const char* name : {"a", "b", "c", "a1e"})
            engine.AppendVariable(name, 0);
    }

    // The parse code, with the tree rendered into tree on success.
    int ParseText(const char* text, std::string* tree = nullptr)
    {
        engine.SetExpression(text);
        int code = engine.Parse();
        if (tree)
            *tree = code ? std::string() : RenderTree(&engine.m_Root);
        return code;
    }

    void ExpectShapes(std::initializer_list<ShapeCase> cases)
    {
        for (const ShapeCase& c : cases) {
            std::string tree;
            EXPECT_EQ(ParseText(c.text, &tree), 0) << "text: " << c.text;
            EXPECT_EQ(tree, c.tree) << "text: " << c.text;
        }
    }

    void ExpectErrors(std::initializer_list<ErrorCase> cases)
    {
        for (const ErrorCase& c : cases) {
            EXPECT_EQ(ParseText(c.text), c.code) << "text: " << c.text;
            EXPECT_EQ(engine.GetErrorPosition(), c.position) << "text: " << c.text;
            EXPECT_EQ(ErrorSpanLength, c.span) << "text: " << c.text;
        }
    }

    CCalcEngine engine;
};

TEST_F(ParserTest, OperatorsBindByPrecedenceAndFromTheLeft)
{
    ExpectShapes({
        {"a-b-c", "((a-b)-c)"},
        {"a/b/c", "((a/b)/c)"},
        {"a^b^c", "((a^b)^c)"},
        {"-a^2", "(0-(a^2))"},
        {"-x", "(0-x)"},
        {"+x", "(0+x)"},
        {"5%+2", "((5%)+2)"},
        {"3!^2", "((3!)^2)"},
        {"2^3!", "(2^(3!))"},
        {"2*3+4", "((2*3)+4)"},
        {"2+3*4", "(2+(3*4))"},
        {"2*3^4", "(2*(3^4))"},
        {"(1+2)*3", "((1+2)*3)"},
        {"((a))", "a"},
        {"1e-5+1", "(1e-005+1)"},
        {"x-1e+2", "(x-100)"},
        {"2.5E-3*a", "(0.0025*a)"},
        {"a1e-3", "(a1e-3)"},
        {"2 * ( a + b )", "(2*(a+b))"},
    });
}

TEST_F(ParserTest, LeavesAndCalls)
{
    engine.m_dLastAnswer = 7;
    ExpectShapes({
        {"", "0"},
        {"   ", "0"},
        {"  3  ", "3"},
        {".5", "0.5"},
        {"5.", "5"},
        {"2e3", "2000"},
        {"2d3", "2000"},
        {"2D-1", "0.2"},
        {"#1.5", "1.5"},
        {"0x1F", "31"},
        {"0X1f", "31"},
        {"0b101", "5"},
        {"0o17", "15"},
        {"0d12", "12"},
        {"0.5", "0.5"},
        {"0x7FFFFFFF", "2147483647"},
        {"pi", "3.14159265358979"},
        {"ANS", "7"},
        {"inf", "INF"},
        {"PINF", "INF"},
        {"ninf", "-INF"},
        {"RAND", "RAND[]"},
        {"rnd", "rnd[]"},
        {"sin(x)", "sin[x]"},
        {"SIN( x )", "SIN[x]"},
        {"logn(2, 8)", "logn[2;8]"},
        {"sum(1,2,3)", "sum[1;2;3]"},
        {"max(a,(b),sin(c))", "max[a;b;sin[c]]"},
        {"\"abc\"", "\"abc\""},
        {"\"a(b,\"", "\"a(b,\""},
        {"sum(\"a,b\")", "sum[\"a,b\"]"},
        {"fint(x^2, 0, 1)", "fint[(x^2);0;1]"},
        {"sin(x)%", "(sin[x]%)"},
    });
}

TEST_F(ParserTest, ErrorsGiveCodePositionAndSpan)
{
    ExpectErrors({
        {"(1+2", ErrUnbalancedParenthesis, 0, 1},
        {"1+2)", ErrUnbalancedParenthesis, 3, 1},
        {"1+(2", ErrUnbalancedParenthesis, 2, 1},
        {"sin(x", ErrUnbalancedParenthesis, 3, 1},
        {"sin 3", ErrMissingParenthesis, 4, 1},
        {"sin", ErrMissingParenthesis, 0, 3},
        {"1+cos", ErrMissingParenthesis, 2, 3},
        {"SIN(1,2)", ErrWrongArgumentCount, 4, 3},
        {"LOGN(2)", ErrWrongArgumentCount, 5, 1},
        {"sum()", ErrWrongArgumentCount, 4, 1},
        {"pi(", ErrUnbalancedParenthesis, 2, 1},
        {"2*-3", ErrDanglingOperator, 1, 1},
        {"2^-1", ErrDanglingOperator, 1, 1},
        {"a--b", ErrDanglingOperator, 1, 1},
        {"1+", ErrDanglingOperator, 1, 1},
        {"*2", ErrDanglingOperator, 0, 1},
        {"1+*2", ErrDanglingOperator, 2, 1},
        {"-", ErrDanglingOperator, 0, 1},
        {"2x", ErrBadNumber, 0, 2},
        {"2 x", ErrBadNumber, 0, 3},
        {"1 + 2x", ErrBadNumber, 4, 2},
        {"#", ErrBadNumber, 0, 1},
        {"0x", ErrBadNumber, 0, 2},
        {"0xFFFFFFFF", ErrBadNumber, 0, 10},
        {"0b102", ErrBadNumber, 0, 5},
        {"1e400", ErrBadNumber, 0, 5},
        {"1e", ErrBadNumber, 0, 2},
        {"1.2.3", ErrBadNumber, 0, 5},
        {"foo", ErrUnrecognizedFunction, 0, 3},
        {"1+foo", ErrUnrecognizedFunction, 2, 3},
        {"1+ foo", ErrUnrecognizedFunction, 3, 3},
        {"sin(foo)", ErrUnrecognizedFunction, 4, 3},
        {"(1)2", ErrUnexpectedCharacter, 3, 1},
        {"( 1 ) 2", ErrUnexpectedCharacter, 6, 1},
        {"x 2", ErrUnexpectedCharacter, 2, 1},
        {"sin(x)3", ErrMissingParenthesis, 6, 1},
        {"pi 2", ErrUnexpectedCharacter, 3, 1},
        {"x(2)", ErrUnexpectedCharacter, 1, 1},
        {"@", ErrUnexpectedCharacter, 0, 1},
        {"1+@", ErrUnexpectedCharacter, 2, 1},
        {"\"abc", ErrBadString, 0, 4},
        {"1+\"ab", ErrBadString, 2, 3},
        {"sum(\"a)", ErrBadString, 4, 3},
        {"\"ab\"c", ErrUnexpectedCharacter, 4, 1},
        {"2*(3+)", ErrDanglingOperator, 4, 1},
        {"sin(1+)", ErrDanglingOperator, 5, 1},
        {"logn(2,1+)", ErrDanglingOperator, 8, 1},
        {"  (1+)", ErrDanglingOperator, 4, 1},
        // A call ends with its ")": other text after it is a missing bracket at the end.
        {"SIN(1)x", ErrMissingParenthesis, 6, 1},
        {"SIN(1) x", ErrMissingParenthesis, 7, 1},
        {"sum(1,2) 3", ErrMissingParenthesis, 9, 1},
        {"SIN(1)(2)", ErrUnexpectedCharacter, 6, 1},
        {"SIN(1) (2)", ErrUnexpectedCharacter, 7, 1},
        {"(1)(2)", ErrUnexpectedCharacter, 3, 1},
        // Faults of a chain in the order of its splits: dangling from the right, then an
        // unbalanced left part, then the operands from the left.
        {"(1+2+", ErrDanglingOperator, 4, 1},
        {"(1+2*", ErrUnbalancedParenthesis, 0, 1},
        {"(1+foo+2", ErrUnbalancedParenthesis, 0, 1},
        {"foo+1+(", ErrUnbalancedParenthesis, 6, 1},
        {"foo+1+bar", ErrUnrecognizedFunction, 0, 3},
        {"1+foo+bar", ErrUnrecognizedFunction, 2, 3},
        {"sum(1,(2,3", ErrUnbalancedParenthesis, 6, 1},
        {"sum(foo,1+)", ErrUnrecognizedFunction, 4, 3},
        {"sum(1,1+)", ErrDanglingOperator, 7, 1},
        {"1,2%", ErrWrongArgumentCount, 0, 3},
    });
}

TEST_F(ParserTest, CommaConventionReadsSemicolonsAndDecimalCommas)
{
    UseCommaSeparators();
    ExpectShapes({
        {"2,5*LOGN(2;8)", "(2.5*LOGN[2;8])"},
        {"sum(1,5;2)", "sum[1.5;2]"},
        {"1,5e-3+a", "(0.0015+a)"},
    });
    ExpectErrors({
        {"SIN(1;2)", ErrWrongArgumentCount, 4, 3},
        {"LOGN(2,8)", ErrWrongArgumentCount, 5, 3},
        {"1.5", ErrBadNumber, 0, 3},
    });
}

TEST_F(ParserTest, DotConventionRefusesDecimalCommas)
{
    ExpectShapes({{"LOGN(2,8)", "LOGN[2;8]"}});
    ExpectErrors({{"2,5", ErrBadNumber, 0, 3}, {"sum(1;2)", ErrBadNumber, 4, 3}});
}

TEST_F(ParserTest, CurrencyModeDropsThousandsSeparators)
{
    engine.m_ResultFormat.m_nMode = FormatModeCurrency;
    ExpectShapes({{"1,234.5", "1234.5"}, {"1 000", "1000"}});
}

TEST_F(ParserTest, NumberBaseReadsPlainLiterals)
{
    engine.m_nNumberBase = 16;
    ExpectShapes({{"#FF", "255"}, {"10+1", "(16+1)"}, {"0b11", "3"}});
    ExpectErrors({{"1.5", ErrBadNumber, 0, 3}});
}

TEST_F(ParserTest, PrefixedLiteralsRaiseTheOneShotBase)
{
    ASSERT_EQ(ParseText("0x1F+0b1"), 0);
    EXPECT_EQ(engine.m_nOneShotBase, 16);
    ASSERT_EQ(ParseText("0b1+0o7"), 0);
    EXPECT_EQ(engine.m_nOneShotBase, 8);
    ASSERT_EQ(ParseText("2"), 0);
    EXPECT_EQ(engine.m_nOneShotBase, -1);
}

TEST_F(ParserTest, NestingIsCappedButChainsAreNot)
{
    struct Case {
        const char* label;
        std::string text;
        EngineErrorCode code;
    };
    const Case cases[] = {
        {"400 brackets", Repeat("(", 400) + "1" + Repeat(")", 400), ErrNone},
        {"1000 brackets", Repeat("(", 1000) + "1" + Repeat(")", 1000), ErrOverflow},
        {"400 calls", Repeat("sin(", 400) + "x" + Repeat(")", 400), ErrNone},
        {"1000 calls", Repeat("sin(", 1000) + "x" + Repeat(")", 1000), ErrOverflow},
        {"400 calls of two arguments", Repeat("max(1,", 400) + "x" + Repeat(")", 400), ErrNone},
        {"400 postfix", "1" + Repeat("%", 400), ErrNone},
        {"1000 postfix", "1" + Repeat("%", 1000), ErrOverflow},
        {"1000 signs", Repeat("-(", 1000) + "1" + Repeat(")", 1000), ErrOverflow},
        {"sum of 501 ones", Chain("1", "+", 501), ErrNone},
        {"100,000 terms", Chain("1", "+", 100000), ErrNone},
        {"100,000 differences", Chain("a", "-", 100000), ErrNone},
        {"100,000 factors", Chain("x", "*", 100000), ErrNone},
        {"100,000 quotients", Chain("2", "/", 100000), ErrNone},
        {"100,000 powers", Chain("2", "^", 100000), ErrNone},
        {"20,000 mixed terms", Chain("1*2^x", "+", 20000), ErrNone},
        {"100,000 arguments", "sum(" + Chain("1", ",", 100000) + ")", ErrNone},
        {"100,001 arguments", "sum(" + Chain("1", ",", 100001) + ")", ErrWrongArgumentCount},
        {"150,000 terms", Chain("1", "+", 150000), ErrOverflow}, // past the node cap
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(ParseText(c.text.c_str()), c.code);
        EXPECT_GE(engine.GetErrorPosition(), 0);
        EXPECT_LT(engine.GetErrorPosition(), int(c.text.size()));
    }
    // A chain keeps the shape of the binary operators it is written with.
    ExpectShapes({{"1-2+3-4", "(((1-2)+3)-4)"}, {"sum(1,2,3,4)", "sum[1;2;3;4]"}});
    // A fault deep in a long chain is found where it is.
    const std::string faulty = Chain("1", "+", 40000) + "+foo" + Repeat("+1", 40000);
    EXPECT_EQ(ParseText(faulty.c_str()), ErrUnrecognizedFunction);
    EXPECT_EQ(engine.GetErrorPosition(), 80000);
}

TEST_F(ParserTest, ExpressionVariablesExpandInPlace)
{
    engine.AddExpressionVariable("ev", "a+1");
    engine.AddExpressionVariable("self", "2*self");
    engine.AddExpressionVariable("broken", "1+");
    engine.AddExpressionVariable("p", "q+1");
    engine.AddExpressionVariable("q", "p*2");
    ExpectShapes({{"2*ev", "(2*(a+1))"}, {"ev^ev", "((a+1)^(a+1))"}});
    ExpectErrors({
        {"self", ErrCircularReference, 0, 4},
        {"3+self", ErrCircularReference, 2, 4},
        {"3*broken", ErrDanglingOperator, 2, 6},
        {"1+p", ErrCircularReference, 2, 1},
        {"ev 2", ErrUnexpectedCharacter, 3, 1},
    });
}

TEST_F(ParserTest, ExpressionVariableExpansionIsBounded)
{
    // Each name doubles the text of the one before: 2^40 nodes if nothing stopped it.
    engine.AddExpressionVariable("e0", "a");
    for (int i = 1; i <= 40; ++i) {
        std::string prev = "e" + std::to_string(i - 1);
        engine.AddExpressionVariable(("e" + std::to_string(i)).c_str(),
                                     (prev + "+" + prev).c_str());
    }
    EXPECT_EQ(ParseText("e40"), ErrOverflow);
}

TEST_F(ParserTest, NamesResolveInTheDocumentedOrder)
{
    AddPredefinedName("me", 9.1e-31);
    ASSERT_EQ(AddUserConstant("Gee", "m/s^2", "gee", 9.81), 0);
    engine.AppendVariable("x", 5); // the independent variable wins
    ASSERT_EQ(ParseText("ME"), 0);
    EXPECT_EQ(engine.m_Root.m_nKind, NodePredefined);
    ASSERT_EQ(ParseText("Gee"), 0);
    EXPECT_EQ(engine.m_Root.m_nKind, NodeUserConstant);
    ASSERT_EQ(ParseText("X"), 0);
    EXPECT_EQ(engine.m_Root.m_nKind, NodeIndependent);
    EXPECT_EQ(engine.m_Root.m_nIndex, 0);
    ASSERT_EQ(ParseText("t"), 0);
    EXPECT_EQ(engine.m_Root.m_nIndex, 3);
    ASSERT_EQ(ParseText("B"), 0);
    EXPECT_EQ(engine.m_Root.m_nKind, NodeVariable);
    EXPECT_EQ(engine.m_Root.m_nIndex, 1);

    engine.m_bIndependentOn = 0;
    ASSERT_EQ(ParseText("x"), 0);
    EXPECT_EQ(engine.m_Root.m_nKind, NodeVariable);
    EXPECT_EQ(engine.m_Root.m_nIndex, 4);
}

TEST_F(ParserTest, ParseModes)
{
    CCalcEngine lenient;
    lenient.SetExpression("p*q+p+x");
    ASSERT_EQ(lenient.ParseLenient(), 0);
    ASSERT_EQ(lenient.GetVariableCount(), 3);
    EXPECT_STREQ(lenient.GetVariableName(0), "p");
    EXPECT_STREQ(lenient.GetVariableName(1), "q");
    EXPECT_STREQ(lenient.GetVariableName(2), "x");
    lenient.SetExpression("r 2");
    EXPECT_EQ(lenient.Parse(), ErrUnexpectedCharacter);
    EXPECT_EQ(lenient.GetVariableCount(), 3);

    CCalcEngine symbolic;
    symbolic.m_bSymbolic = 1;
    symbolic.SetExpression("k*x");
    ASSERT_EQ(symbolic.Parse(), 0);
    EXPECT_EQ(symbolic.m_Root.m_pLeft->m_nKind, NodeSymbol);

    CCalcEngine units;
    units.m_bUnitMode = 1;
    units.SetExpression("km/h^2");
    ASSERT_EQ(units.Parse(), 0);
    EXPECT_EQ(RenderTree(&units.m_Root), "(km/(h^2))");
    EXPECT_EQ(units.m_Root.m_pLeft->m_nKind, NodeVariable);
}

TEST_F(ParserTest, UserFunctionCallsTakeTheirParameterCount)
{
    auto* f = new CUserFunction;
    f->SetName("twice");
    f->AppendVariable("a", 0);
    f->SetExpression("a*2");
    GetUserFunctions().push_back(f);

    ASSERT_EQ(ParseText("1+TWICE(3)"), 0);
    EXPECT_EQ(engine.m_Root.m_pRight->m_nOpId, OpUserFunction);
    EXPECT_EQ(engine.m_Root.m_pRight->m_nIndex, 0);
    EXPECT_EQ(engine.m_bUsesUserFunction, 1);
    ExpectErrors(
        {{"twice(1,2)", ErrWrongArgumentCount, 6, 3}, {"twice", ErrMissingParenthesis, 0, 5}});

    engine.m_bUserFunctionsOn = 0;
    ExpectErrors({{"twice(1)", ErrUnrecognizedFunction, 0, 5}});
}

TEST_F(ParserTest, SetExpressionClearsTheErrorState)
{
    ASSERT_EQ(ParseText("(1"), ErrUnbalancedParenthesis);
    engine.SetExpression("1");
    EXPECT_EQ(engine.GetErrorCode(), 0);
    EXPECT_EQ(engine.GetErrorPosition(), 0);
    EXPECT_EQ(ErrorSpanLength, 1);
}

TEST_F(ParserTest, CopiedTreesAreIndependent)
{
    ASSERT_EQ(ParseText("1+2*sin(x)"), 0);
    CExprNode copy;
    copy.CopyFrom(engine.m_Root);
    engine.SetExpression("5");
    EXPECT_EQ(RenderTree(&copy), "(1+(2*sin[x]))");

    copy.ReplaceWith(copy.m_pRight);
    EXPECT_EQ(RenderTree(&copy), "(2*sin[x])");
    copy.Clear();
    EXPECT_EQ(RenderTree(&copy), "0");
    EXPECT_EQ(copy.m_pLeft, nullptr);
}

TEST(PeekNonBlankTest, SkipsBlanksBothWays)
{
    std::string_view text = "a  b ";
    int p = 0;
    EXPECT_EQ(PeekNonBlank(text, p, +1), 'b');
    EXPECT_EQ(p, 3);
    EXPECT_EQ(PeekNonBlank(text, p, +1), 0);
    p = 3;
    EXPECT_EQ(PeekNonBlank(text, p, -1), 'a');
    EXPECT_EQ(p, 0);
    EXPECT_EQ(PeekNonBlank(text, p, -1), 0);
}

} // namespace
