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
        {1e23, 1, 23},
        {-1e23, -1, 23},
        {9.999999999999997e22, 9.999999999999997, 22},
        {1e-5, 1, -5},
        {0.1, 1, -1},
    };
    for (const Case& c : cases) {
        int e = 0;
        const double m = SplitMantissaExponent(c.x, e);
        EXPECT_DOUBLE_EQ(m, c.m) << "x " << c.x;
        EXPECT_EQ(e, c.e) << "x " << c.x;
        EXPECT_LT(std::fabs(m), 10.0) << "x " << c.x;
    }
}

// The insert-function dialog lists the categories from this table, in this order.
TEST_F(EngineEdgeCaseTest, FunctionCategoryNamesInOrder)
{
    const char* const expected[] = {
        "Algebraic", "Trigonometric", "Inverse Trig", "Hyperbolic", "Inverse Hyperbolic",
        "Graphing", "Financial", "Statistical", "Special", "Solver", "Unit Conversion",
        "Base Conversion", "Bit-wise Operations",
    };
    ASSERT_EQ(GetFunctionCategoryCount(), int(std::size(expected)));
    for (int i = 0; i < GetFunctionCategoryCount(); ++i) {
        EXPECT_STREQ(FunctionCategoryNames[i], expected[i]) << "category " << i;
        EXPECT_STREQ(GetFunctionCategoryName(i), expected[i]) << "category " << i;
    }
}

} // namespace
