#include "tests/engine/EngineTestSupport.h"

#include "engine/EngineStartup.h"
#include "engine/NumberFormat.h"
#include "engine/PhysicalConstants.h"

#include <cerrno>
#include <gsl/gsl_errno.h>

namespace {

class StartupTest : public EngineTest {};

TEST_F(StartupTest, StartUpLoadsConstantsAndResetsSlots)
{
    g_IndependentVariables[0].dValue = 4;
    InitCalcEngine();
    ASSERT_EQ(int(GetPredefinedNames().size()), GetPhysicalConstantCount());
    EXPECT_EQ(FindPredefinedName("ME"), FindPhysicalConstant("me"));
    EXPECT_EQ(GetPredefinedNames()[3].dValue, 2.718281828459045);
    EXPECT_EQ(g_IndependentVariables[0].dValue, 0);
    UseDotSeparators();

    // The special-function library reports through errno instead of aborting.
    errno = 0;
    [] { GSL_ERROR_VAL("test", GSL_EDOM, 0); }();
    EXPECT_EQ(errno, GSL_EDOM);
    errno = 0;
}

TEST_F(StartupTest, SeparatorConventions)
{
    UseCommaSeparators();
    EXPECT_EQ(GetLocaleSeparators().chList, ';');
    EXPECT_EQ(GetLocaleSeparators().chDecimal, ',');
    EXPECT_EQ(GetLocaleSeparators().chThousands, '.');
    EXPECT_EQ(GetDecimalPointFlag(), 0);
    UseDotSeparators();
    EXPECT_EQ(GetLocaleSeparators().chList, ',');
    EXPECT_EQ(GetLocaleSeparators().chDecimal, '.');
    EXPECT_EQ(GetLocaleSeparators().chThousands, ',');
    EXPECT_EQ(GetDecimalPointFlag(), 1);
}

TEST_F(StartupTest, LocaleDecidesTheConvention)
{
    InitLocaleSeparators();
    CString point = QueryUserDecimalPoint();
    EXPECT_EQ(GetLocaleSeparators().chDecimal, point == "," ? ',' : '.');
}

TEST_F(StartupTest, PhysicalConstants)
{
    ASSERT_EQ(GetPhysicalConstantCount(), 29);
    EXPECT_EQ(FindPhysicalConstant("C0"), 26);
    EXPECT_EQ(FindPhysicalConstant("mpl"), 23);
    EXPECT_EQ(FindPhysicalConstant("none"), -1);
    SortPhysicalConstants();
    EXPECT_STREQ(GetPhysicalConstant(GetSortedPhysicalConstantRow(0)).description,
                 "Alpha particle mass");
    EXPECT_STREQ(GetPhysicalConstant(GetSortedPhysicalConstantRow(28)).description,
                 "Universal gas constant");
}

TEST_F(StartupTest, CurveAndSurfaceChecks)
{
    struct Case {
        int kind;
        const char* first;
        const char* second;
        EngineErrorCode code;
    };
    const Case cases[] = {
        {0, "sin(x)", "", ErrNone},
        {0, "t^2", "", ErrUnrecognizedFunction},
        {1, " t^2 ", "", ErrNone},
        {1, "x", "", ErrUnrecognizedFunction},
        {2, "cos(t)", "sin(t)", ErrNone},
        {2, "cos(t)", "sin(x)", ErrUnrecognizedFunction},
        {0, "(x", "", ErrUnbalancedParenthesis},
    };
    for (const Case& c : cases) {
        g_IndependentVariables[0].dValue = 3;
        EXPECT_EQ(ValidateCurveExpression(c.kind, c.first, c.second), c.code) << c.first;
        EXPECT_EQ(FindIndependentVariable("y"), 1);
        EXPECT_EQ(g_IndependentVariables[0].dValue, 0);
    }
    EXPECT_EQ(ValidateSurfaceExpression("x*y"), 0);
    EXPECT_EQ(ValidateSurfaceExpression("x*z"), ErrUnrecognizedFunction);
    EXPECT_EQ(FindIndependentVariable("z"), 2);
}

} // namespace
