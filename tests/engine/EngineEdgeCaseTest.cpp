#include "tests/engine/EngineTestSupport.h"

#include "engine/FunctionCatalogue.h"
#include "engine/NumberFormat.h"

#include <cmath>
#include <iterator>

namespace {

class EngineEdgeCaseTest : public EngineTest {};

// Values whose 17 significant digits sit just below a power of ten: the mantissa must stay
// below 10 and the exponent take the carry, as plots label axes from the pair.
TEST_F(EngineEdgeCaseTest, MantissaNextToAPowerOfTenStaysBelowTen)
{
    struct Case {
        double x, m;
        int e;
    };
    const Case cases[] = {
        {1e23, 1, 23}, {-1e23, -1, 23}, {9.999999999999997e22, 9.999999999999997, 22},
        {1e-5, 1, -5}, {0.1, 1, -1},
    };
    for (const Case& c : cases) {
        int e = 0;
        const double m = SplitMantissaExponent(c.x, e);
        EXPECT_DOUBLE_EQ(m, c.m) << "x " << c.x;
        EXPECT_EQ(e, c.e) << "x " << c.x;
        EXPECT_LT(std::fabs(m), 10.0) << "x " << c.x;
    }
}

// Brackets group one operand: a separator inside them is no argument separator, in either
// convention, so the argument count of the call still holds.
TEST_F(EngineEdgeCaseTest, BracketsInAnArgumentListHoldOneOperand)
{
    struct Case {
        bool comma;
        const char* text;
        EngineErrorCode code;
        int position, span;
    };
    const Case cases[] = {
        {false, "sum((1,2),3)", ErrBadNumber, 5, 3},  {false, "fact((3,4))", ErrBadNumber, 6, 3},
        {false, "logn((2,8),3)", ErrBadNumber, 6, 3}, {false, "sin( (1,2) )", ErrBadNumber, 6, 3},
        {false, "(1,2)!", ErrBadNumber, 1, 3},        {false, "sum((1+2),3)", ErrNone, 0, 1},
        {false, "logn((2),(8))", ErrNone, 0, 1},      {true, "sum((1;2);3)", ErrBadNumber, 5, 3},
        {true, "sum((1,5);3)", ErrNone, 0, 1},
    };
    for (const Case& c : cases) {
        if (c.comma)
            UseCommaSeparators();
        else
            UseDotSeparators();
        CCalcEngine engine;
        engine.SetExpression(c.text);
        EXPECT_EQ(engine.Parse(), c.code) << "text: " << c.text;
        EXPECT_EQ(engine.GetErrorPosition(), c.position) << "text: " << c.text;
        EXPECT_EQ(ErrorSpanLength, c.span) << "text: " << c.text;
    }
    UseDotSeparators();
    CCalcEngine engine;
    engine.SetExpression("sum((1+2),3)");
    ASSERT_EQ(engine.Parse(), 0);
    EXPECT_EQ(engine.Evaluate(), 6);
}

// The insert-function dialog lists the categories from this table, in this order.
TEST_F(EngineEdgeCaseTest, FunctionCategoryNamesInOrder)
{
    const char* const expected[] = {
        "Algebraic",
        "Trigonometric",
        "Inverse Trig",
        "Hyperbolic",
        "Inverse Hyperbolic",
        "Graphing",
        "Financial",
        "Statistical",
        "Special",
        "Solver",
        "Unit Conversion",
        "Base Conversion",
        "Bit-wise Operations",
    };
    ASSERT_EQ(GetFunctionCategoryCount(), int(std::size(expected)));
    for (int i = 0; i < GetFunctionCategoryCount(); ++i) {
        EXPECT_STREQ(FunctionCategoryNames[i], expected[i]) << "category " << i;
        EXPECT_STREQ(GetFunctionCategoryName(i), expected[i]) << "category " << i;
    }
}

} // namespace
