#include "tests/engine/EvaluatorTestSupport.h"

#include "engine/EngineStartup.h"
#include "engine/LocaleSeparators.h"
#include "engine/UserFunction.h"

#include <cstdlib>
#include <string>
#include <vector>

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
        {"g(a, b) = f(a)", ErrContainsUserFunction},
        {"g(a) = f + a", ErrContainsUserFunction},
        {"g(x) = x^2", ErrArgumentsNotMatching}, // x is the independent variable in the body
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

// One step against the project's engine and the program-wide tables: "F definition", "C symbol"
// or "C symbol=value" (a constant, 2 by default), "V name" (a variable), "E name" (an expression
// variable), "D symbol" and "R symbol" (delete or rename that constant) or "? text" to evaluate.
// The answer, else "error" and the code.
std::string Step(CCalcEngine& project, const std::string& step)
{
    const CString arg = step.substr(2).c_str();
    int code = 0;
    double value = 0;
    switch (step[0]) {
    case 'F':
        code = project.DefineUserFunction(arg, false);
        break;
    case 'C': {
        const int equal = arg.Find('=');
        code = equal < 0 ? AddUserConstant("", "", arg, 2)
                         : AddUserConstant("", "", arg.Left(equal), std::atof(arg.Mid(equal + 1)));
        break;
    }
    case 'V':
        code = project.DefineVariable(arg, 5, false);
        break;
    case 'E':
        code = project.DefineExpressionVariable(arg, "11", false);
        break;
    case 'D':
        DeleteUserConstant(FindUserConstant(arg));
        break;
    case 'R':
        code = RenameUserConstant(FindUserConstant(arg), "renamed");
        break;
    default:
        project.SetExpression(arg);
        if ((code = project.Parse()) == 0) {
            value = project.Evaluate();
            code = project.GetErrorCode();
        }
    }
    return code ? "error " + std::to_string(code) : std::to_string(value);
}

// Something else named like a parameter, made before the function, after it, or after a first
// call: the body reads the parameter all the same. Built-in names cannot be parameters.
TEST_F(EvaluatorTest, AParameterMeansTheParameterWhateverElseBearsItsName)
{
    const std::pair<const char*, int> parameters[] = {
        {"h", 0},
        {"W", 0},
        {"area", 0},
        {"e", 0},  // a physical constant
        {"c0", 0}, // a physical constant
        {"sin", ErrPredefinedName},
        {"LOGN", ErrPredefinedName},
        {"pi", ErrPredefinedName},
        {"ANS", ErrPredefinedName},
        {"rand", ErrPredefinedName},
        {"x", ErrArgumentsNotMatching}, // the body reads the independent variable
        {"T", ErrArgumentsNotMatching},
    };
    const char* others[] = {"F (q) = q+100", "F (q, r) = q*r", "C ", "V ", "E "};
    for (const auto& [name, code] : parameters)
        for (const char* other : others)
            for (int when = 0; when < 3; ++when) {
                FreeGlobalSymbolTables();
                InitCalcEngine();
                CCalcEngine project;
                const std::string make = std::string(other).insert(2, name),
                                  define = std::string("F f(") + name + ", b) = " + name + "^2 - b",
                                  defined = code ? "error " + std::to_string(code) : "0.000000";
                SCOPED_TRACE(make + ", " + define + ", when " + std::to_string(when));
                if (when == 0)
                    Step(project, make);
                EXPECT_EQ(Step(project, define), defined);
                const char* answer = code ? "error 7" : "5.000000"; // 7: no such function
                if (when == 2) {
                    EXPECT_EQ(Step(project, "? f(3, 4)"), answer);
                }
                if (when > 0)
                    Step(project, make);
                EXPECT_EQ(Step(project, "? f(3, 4)"), answer);
            }
}

// A function answers the same whatever was called before: one called before the constant its
// body names changes and one first called after it answer alike.
TEST_F(EvaluatorTest, ABodyReadsTheConstantsAsTheyAreAtEachCall)
{
    const struct {
        std::vector<const char*> change;
        const char* answer;
    } cases[] = {
        {{}, "6.000000"},
        {{"D k1"}, "6.000000"},
        {{"D k1", "C k3=9"}, "6.000000"}, // k3 takes the place that kk had
        {{"R kk"}, "error 7"},
        {{"D kk"}, "error 7"},
        {{"D kk", "F kk(q) = q"}, "error 51"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change.empty() ? "" : c.change.back());
        FreeGlobalSymbolTables();
        InitCalcEngine();
        CCalcEngine project;
        for (const char* step : {"C k1=5", "C kk", "F called(a) = a*kk+a", "F fresh(a) = a*kk+a"})
            Step(project, step);
        EXPECT_EQ(Step(project, "? called(2)"), "6.000000");
        for (const char* step : c.change)
            Step(project, step);
        EXPECT_EQ(Step(project, "? called(2)"), c.answer);
        EXPECT_EQ(Step(project, "? fresh(2)"), c.answer);
    }
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
