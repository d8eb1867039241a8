// Long and deep input through every walk of the tree (parse, evaluate, compile, print,
// differentiate, copy, free) on a stack of the size a Windows program's main thread has: a chain of
// operators at one level costs no depth, and the deepest nesting the parser accepts still fits.
#include "tests/engine/EngineTestSupport.h"

#include "engine/CompiledExpression.h"

#include <cmath>
#include <memory>

namespace {

constexpr std::size_t kWindowsMainStack = 1 << 20;

class LongInputTest : public EngineTest {};

struct WalkCase {
    const char* label;
    std::string text;
    double x;                   // the value of x while evaluating
    double value;               // what the text evaluates to
    EngineErrorCode deriveCode; // of the symbolic derivative with respect to x
    const char* derivative;     // its printed text when it succeeds
};

// Every walk of one text; what each gives is checked against the case.
void WalkEverything(const WalkCase& c)
{
    SCOPED_TRACE(c.label);
    auto engine = std::make_unique<CCalcEngine>();
    engine->SetExpression(c.text.c_str());
    ASSERT_EQ(engine->Parse(), 0);
    EXPECT_EQ(engine->m_Root.EvaluateAt(c.x), c.value);
    EXPECT_EQ(engine->GetErrorCode(), 0);
    EXPECT_EQ(CCompiledExpression(engine->m_Root).EvaluateAt(c.x), c.value);
    // The printed chain is the text it was read from (compared quietly: it is long).
    EXPECT_TRUE(engine->GetText() == c.text.c_str());
    auto copy = std::make_unique<CExprNode>();
    copy->CopyFrom(engine->m_Root);
    engine.reset(); // the copy stands on its own
    EXPECT_EQ(copy->EvaluateAt(c.x), c.value);
    copy.reset();

    CCalcEngine derived;
    derived.SetExpression(c.text.c_str());
    EXPECT_EQ(derived.DeriveSymbolic("x"), c.deriveCode);
    if (c.deriveCode == 0) {
        const CString printed = derived.GetText();
        EXPECT_TRUE(printed == c.derivative) << printed.Left(80).GetString();
    }
}

TEST_F(LongInputTest, ChainsOfAHundredThousandTermsTakeEveryWalk)
{
    const int n = 100000;
    const WalkCase cases[] = {
        {"sum", Chain("1", "+", n), 0, n, ErrNone, "0"},
        {"sum in x", Chain("x", "+", n), 1, n, ErrNone, "100000"},
        {"differences", Chain("x", "-", n), 2, 2 - 2.0 * (n - 1), ErrNone, "(-99998)"},
        {"products", Chain("x", "*", n), 1, 1, ErrOverflow, nullptr}, // a result of 10^10 nodes
        {"quotients", "x" + Repeat("/1", n - 1), 2, 2, ErrNone, "1"},
        {"powers", "2" + Repeat("^1", n - 1), 0, 2, ErrNone, "0"},
        {"terms of two factors", Chain("x*2", "+", n / 2), 1, n, ErrNone, "100000"},
        {"SUM arguments", "SUM(" + Chain("1", ",", n) + ")", 0, n, ErrInvalidFunction, nullptr},
        {"AVE arguments", "AVE(" + Chain("x", ",", n) + ")", 3, 3, ErrInvalidFunction, nullptr},
        {"MIN arguments", "MIN(" + Chain("x", ",", n - 1) + ",0)", 3, 0, ErrInvalidFunction,
         nullptr},
        {"MAX arguments", "MAX(" + Chain("1", ",", n - 1) + ",x)", 5, 5, ErrInvalidFunction,
         nullptr},
    };
    RunWithStack(kWindowsMainStack, [&] {
        for (const WalkCase& c : cases)
            WalkEverything(c);
    });
}

// The printed derivative of text, evaluated at x, against a central difference of text; the
// printed text reads back. A derivative too deeply nested to read back is refused with 12.
void ExpectDerivativeAgrees(const std::string& text, double x, int deriveCode)
{
    CCalcEngine f, df;
    f.SetExpression(text.c_str());
    ASSERT_EQ(f.Parse(), 0);
    df.SetExpression(text.c_str());
    ASSERT_EQ(df.DeriveSymbolic("x"), deriveCode);
    if (deriveCode != 0)
        return;
    const double h = 1e-6;
    const double numeric = (f.m_Root.EvaluateAt(x + h) - f.m_Root.EvaluateAt(x - h)) / (2 * h);
    const double symbolic = df.m_Root.EvaluateAt(x);
    ASSERT_EQ(df.GetErrorCode(), 0);
    EXPECT_EQ(CCompiledExpression(df.m_Root).EvaluateAt(x), symbolic);
    EXPECT_NEAR(symbolic, numeric, 1e-5 * (1 + std::fabs(numeric)));
    CCalcEngine reread;
    reread.m_bSymbolic = 1;
    reread.SetExpression(df.GetText());
    EXPECT_EQ(reread.Parse(), 0);
    EXPECT_NEAR(reread.m_Root.EvaluateAt(x), symbolic, 1e-12 * std::fabs(symbolic));
}

TEST_F(LongInputTest, TheDeepestNestingFitsEveryWalk)
{
    struct Case {
        const char* label;
        std::string text;
        double x;
        int deriveCode;
    };
    const Case cases[] = {
        {"calls", Repeat("sin(", 498) + "x" + Repeat(")", 498), 0.7, 0},
        {"calls, the derivative a level deeper", Repeat("sin(", 499) + "x" + Repeat(")", 499), 0.7,
         ErrOverflow},
        {"brackets", Repeat("(", 498) + "x^2" + Repeat(")", 498), 0.7, 0},
        {"signs", Repeat("-(", 249) + "x^3" + Repeat(")", 249), 0.7, 0},
        {"right-nested powers", Repeat("1.001^(", 249) + "x" + Repeat(")", 249), 0.7, 0},
        {"right-nested sums", Repeat("x*(1+", 166) + "x" + Repeat(")", 166), 0.7, 0},
        {"product of 150 factors", Chain("x", "*", 150), 1.001, 0},
        {"product of 200 factors", Chain("x", "*", 200), 1.001, ErrOverflow},
        {"product of 440 factors", Chain("x", "*", 440), 1.001, ErrOverflow},
        {"quotients of 120 sums", Chain("(x+1)", "/", 120), 0.5, 0},
        {"quotients of 250 sums", Chain("(x+1)", "/", 250), 0.5, ErrOverflow},
    };
    RunWithStack(kWindowsMainStack, [&] {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.label);
            ExpectDerivativeAgrees(c.text, c.x, c.deriveCode);
        }
        // Postfix operators nest too; they have no derivative, but parse, print and copy.
        const std::string postfix = "1" + Repeat("%", 499);
        CCalcEngine engine;
        engine.SetExpression(postfix.c_str());
        ASSERT_EQ(engine.Parse(), 0);
        EXPECT_STREQ(engine.GetText(), postfix.c_str());
        CExprNode copy;
        copy.CopyFrom(engine.m_Root);
        double value = 0;
        EXPECT_EQ(copy.Evaluate(value), 0);
    });
}

} // namespace
