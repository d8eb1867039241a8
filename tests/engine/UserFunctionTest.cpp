#include "tests/engine/EvaluatorTestSupport.h"

#include "engine/LocaleSeparators.h"
#include "engine/UserFunction.h"

namespace {

TEST_F(EvaluatorTest, UserFunctionsAreCalledLikeBuiltInOnes)
{
    CCalcEngine engine;
    ASSERT_EQ(engine.DefineUserFunction("f(a, b) = a*b+1", false), 0);
    ASSERT_EQ(engine.DefineUserFunction("g(u) = SQRT(u)", false), 0);
    ASSERT_EQ(engine.DefineUserFunction("h(p) = 1/p", false), 0);
    const ValueCase values[] = {
        {"f(2, 3)", 7},
        {"f(f(1, 2), 3)", 10}, // nested calls
        {"F(2, 3)*g(16)", 28}, // names without regard to case
        {"FINT(f(x, 2), 0, 1)", 2, 1e-9},
        {"FSUM(h(x), 1, 4)", 1 + 0.5 + 1.0 / 3 + 0.25, 1e-12},
    };
    ExpectValues(values, std::size(values));
    // The function's own error is the error of its call.
    const ErrorCase errors[] = {{"g(-1)", ErrSqrtOfNegative},
                                {"1+h(0)", ErrDivisionByZero},
                                {"FINT(h(x), -1, 1)", ErrDivisionByZero}};
    ExpectErrors(errors, std::size(errors));
}

TEST_F(EvaluatorTest, UserFunctionDefinitionsAreChecked)
{
    CCalcEngine engine;
    ASSERT_EQ(engine.DefineUserFunction("f(a) = a^2", false), 0);
    const ErrorCase refusals[] = {
        {"g(a,b) = a", ErrArgumentsNotMatching},   // b unused
        {"g(a) = a + c", ErrArgumentsNotMatching}, // c is a second free name
        {"g(g) = g", ErrInvalidVariable},
        {"g(a) a", ErrMissingEqualSign},
        {"g(a) =", ErrDanglingEqualSign},
        {"= a", ErrDanglingEqualSign},
        {"g a = a", ErrBadArgument},
        {"g(a) = f(a)", ErrContainsUserFunction}, // calls another user function
        {"g(x) = x^2", ErrArgumentsNotMatching},  // x is the independent variable in the body
        {"sin(a) = a", ErrPredefinedName},
        {"2g(a) = a", ErrInvalidName},
        {"g(2a) = 1", ErrInvalidName},
        {"g(a) = a+", ErrDanglingOperator},
        {"f(a) = a", ErrNameExists}, // exists, overwriting not allowed
    };
    for (const ErrorCase& c : refusals)
        EXPECT_EQ(engine.DefineUserFunction(c.text, false), c.code) << c.text;
    EXPECT_EQ(GetUserFunctionCount(), 1);
    EXPECT_EQ(engine.DefineUserFunction("f(a) = a^3", true), 0);
    EXPECT_EQ(Evaluate("f(2)").value, 8);
}

TEST_F(EvaluatorTest, UserFunctionDescriptionsFollowTheListSeparator)
{
    CUserFunction function;
    function.m_strDefinition = "g(a, b) = a*b+1";
    ASSERT_EQ(function.Define(), 0);
    EXPECT_STREQ(function.GetName(), "g");
    EXPECT_EQ(function.GetVariableCount(), 2);
    EXPECT_STREQ(function.Describe(), "g(a,b) = a*b+1");
    EXPECT_STREQ(function.m_strHead, "g(a,b)");

    UseCommaSeparators();
    CUserFunction comma;
    comma.m_strDefinition = "g(a; b) = a*b+1";
    ASSERT_EQ(comma.Define(), 0);
    EXPECT_STREQ(comma.Describe(), "g(a;b) = a*b+1");
    CUserFunction again;
    again.m_strDefinition = comma.m_strDefinition;
    EXPECT_EQ(again.Define(), 0);
    UseDotSeparators();

    // A body that has been read keeps its text, so it is described and stored as written.
    CUserFunction percent;
    percent.m_strDefinition = "p(a) = (a)%";
    ASSERT_EQ(percent.Define(), 0);
    ASSERT_EQ(percent.Parse(), 0);
    EXPECT_STREQ(percent.Describe(), "p(a) = (a)%");

    CUserFunction refused;
    refused.m_strDefinition = "g(a,b) = a";
    EXPECT_EQ(refused.Define(), ErrArgumentsNotMatching);
    EXPECT_EQ(refused.GetVariableCount(), 0); // a failed definition leaves the function as it was
}

} // namespace
