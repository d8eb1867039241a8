// Catalogue handlers: each one against the evaluator on the same arguments, and the edge cases
// of the integer and bit-wise rows.
#include "engine/CatalogueHandlers.h"
#include "engine/CalcEngine.h"
#include "engine/EngineNames.h"
#include "engine/FunctionCatalogue.h"
#include "engine/LocaleSeparators.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <vector>

namespace {

class CatalogueHandlersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseDotSeparators();
        ResetIndependentVariables();
    }
};

struct HandlerCase {
    const char* name;
    std::vector<double> args;
};

CString CallText(const HandlerCase& c)
{
    CString text = CString(c.name) + "(";
    for (std::size_t i = 0; i < c.args.size(); ++i) {
        CString arg;
        arg.Format("%s%.17g", i ? "," : "", c.args[i]);
        text += arg;
    }
    return text + ")";
}

TEST_F(CatalogueHandlersTest, EveryHandlerAgreesWithTheEvaluator)
{
    const HandlerCase cases[] = {
        {"FACT", {6}},
        {"EXP", {0.7}},
        {"LN", {2.5}},
        {"LOG", {250}},
        {"ABS", {-3.5}},
        {"SQRT", {2}},
        {"SQR", {-1.5}},
        {"INT", {-2.7}},
        {"CEIL", {-2.7}},
        {"FLOOR", {-2.7}},
        {"RAD", {90}},
        {"DEG", {1}},
        {"LOGN", {2, 8}},
        {"MOD", {-7, 3}},
        {"SIN", {0.3}},
        {"COS", {0.3}},
        {"TAN", {0.3}},
        {"SEC", {0.3}},
        {"CSC", {0.3}},
        {"COT", {0.3}},
        {"ASIN", {0.3}},
        {"ARCSIN", {0.3}},
        {"ACOS", {0.3}},
        {"ARCCOS", {0.3}},
        {"ATAN", {3}},
        {"ARCTAN", {3}},
        {"ASEC", {1.5}},
        {"ARCSEC", {-1.5}},
        {"ACSC", {1.5}},
        {"ARCCSC", {-2}},
        {"ACOT", {0.4}},
        {"ARCCOT", {-3}},
        {"SINH", {0.8}},
        {"COSH", {0.8}},
        {"TANH", {0.8}},
        {"SECH", {0.8}},
        {"CSCH", {0.8}},
        {"COTH", {0.8}},
        {"ASINH", {-2}},
        {"ARCSINH", {0.5}},
        {"ACOSH", {1.5}},
        {"ARCCOSH", {3}},
        {"ATANH", {0.5}},
        {"ARCTANH", {-0.2}},
        {"ASECH", {0.5}},
        {"ARCSECH", {0.9}},
        {"ACSCH", {-0.5}},
        {"ARCCSCH", {2}},
        {"ACOTH", {1.5}},
        {"ARCCOTH", {-3}},
        {"PV", {0.1, 10, -100, 0, 0}},
        {"FV", {0.05, 12, -10, -100, 1}},
        {"PMT", {0.01, 24, 1000, 0, 0}},
        {"NPER", {0.01, -50, 1000, 0, 0}},
        {"RATE", {24, -50, 1000, 0, 0, 0}},
        {"EFR", {0.06, 0}},
        {"EFFECTIVERATE", {0.06, 4}},
        {"APR", {0.0617, 0}},
        {"NOMINALRATE", {0.0617, 4}},
        {"AIRYAI", {0.7}},
        {"AIRYBI", {-1.2}},
        {"BICO", {10, 3}},
        {"BETA", {2.5, 1.5}},
        {"BETAI", {2, 3, 0.4}},
        {"BESSELJ", {2, 1.5}},
        {"BESSELY", {1, 2.5}},
        {"BESSELK", {0, 1.5}},
        {"BESSELI", {3, 2}},
        {"BESSELJ", {-3, 1.5}},
        {"BESSELY", {0, 2.5}},
        {"BESSELK", {-1, 1.5}},
        {"BESSELI", {1, 2}},
        {"BESSELJS", {1, 2}},
        {"BESSELYS", {2, 3}},
        {"ELLIPTICRF", {1, 2, 3}},
        {"ELLIPTICRD", {1, 2, 3}},
        {"ELLIPTICRJ", {1, 2, 3, 4}},
        {"ELLIPTICRC", {1, 2}},
        {"DAWSON", {0.8}},
        {"ELLIPTICF", {1.2, 0.5}},
        {"ELLIPTICE", {1.2, 0.5}},
        {"ELLIPTICP", {1.2, 0.3, 0.5}},
        {"ELLIPTICSN", {0.8, 0.6}},
        {"ELLIPTICCN", {0.8, 0.6}},
        {"ELLIPTICDN", {0.8, 0.6}},
        {"ERF", {0.4}},
        {"ERFC", {0.4}},
        {"EXPEI", {1.3}},
        {"FACTLN", {20}},
        {"FRESNELS", {0.9}},
        {"FRESNELC", {0.9}},
        {"GAMMALN", {4.5}},
        {"GAMMAP", {2, 1.5}},
        {"GAMMAQ", {2, 1.5}},
        {"COSINT", {1.5}},
        {"SININT", {1.5}},
        {"AND", {6.9, 3.2}},
        {"OR", {12, 3}},
        {"XOR", {12, 10}},
        {"NOT", {0}},
        {"LSHIFT", {1, 33}},
        {"RSHIFT", {-8, 1}},
    };
    int withHandler = 0;
    for (int row = 0; row < GetFunctionTableSize(); ++row)
        withHandler += FindCatalogueHandler(GetFunctionEntry(row).name) != nullptr;
    EXPECT_EQ(withHandler, int(std::size(cases)) - 4); // four extra Bessel orders

    for (const HandlerCase& c : cases) {
        const CString text = CallText(c);
        SCOPED_TRACE(text.GetString());
        const CatalogueHandler handler = FindCatalogueHandler(c.name);
        ASSERT_NE(handler, nullptr);
        const int row = FindFunctionEntry(c.name);
        ASSERT_GE(row, 0);
        std::vector<double> args(c.args);
        args.resize(std::size_t(GetFunctionEntry(row).maxArguments) + 1, 0.0);
        const double value = handler(args.data());

        CCalcEngine engine;
        engine.SetExpression(text);
        ASSERT_EQ(engine.Parse(), 0);
        const double expected = engine.Evaluate();
        ASSERT_EQ(engine.GetErrorCode(), 0);
        // The numerical library and the special-function library agree to about 8 digits.
        EXPECT_NEAR(value, expected, 1e-7 * (1 + std::fabs(expected)));
    }
}

TEST_F(CatalogueHandlersTest, IntegerAndBitwiseEdgeCases)
{
    struct Case {
        const char* name;
        std::vector<double> args;
        double expected;
    } cases[] = {
        {"LOGN", {2, 8}, 3},
        {"MOD", {-7, 3}, -1},
        {"RSHIFT", {-8, 1}, -4},
        {"LSHIFT", {1, 33}, 2},
        {"AND", {6.9, 3.2}, 2},
        {"NOT", {0}, -1},
        {"FACT", {5.9}, 120},
        {"FACT", {0}, 1},
        {"FACT", {170}, 7.257415615307994e306},
        {"INT", {1e20}, INT_MAX},
        {"INT", {-1e20}, INT_MIN},
        {"INT", {NAN}, 0},
        {"RATE", {10, 100, 100, 100, 0, 0}, 0}, // no rate pays this back
        {"EFR", {0.12, 0}, std::pow(1.01, 12) - 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<double> args(c.args);
        args.resize(8, 0.0);
        EXPECT_NEAR(FindCatalogueHandler(c.name)(args.data()), c.expected,
                    1e-12 * (1 + std::fabs(c.expected)));
    }
}

TEST_F(CatalogueHandlersTest, FactorialOutsideItsRangeSetsErrno)
{
    const double negative[] = {-1};
    errno = 0;
    EXPECT_EQ(FindCatalogueHandler("FACT")(negative), 0);
    EXPECT_EQ(errno, EDOM);
    const double large[] = {171};
    errno = 0;
    EXPECT_EQ(FindCatalogueHandler("FACT")(large), 0);
    EXPECT_EQ(errno, ERANGE);
    errno = 0;
}

TEST_F(CatalogueHandlersTest, RowsOnlyTheEvaluatorServesHaveNone)
{
    for (const char* name :
         {"PI", "ANS", "PLOT", "SUM", "GAMMA", "ZETA", "FSUM", "CONVERT", "HEX", "FINT", "NOSUCH"})
        EXPECT_EQ(FindCatalogueHandler(name), nullptr) << name;
    EXPECT_EQ(FindCatalogueHandler("exp"), &catalogue::Exp);
}

TEST_F(CatalogueHandlersTest, SolverHandlersWorkOnTheArgumentExpression)
{
    CCalcEngine engine;
    engine.SetExpression("x^2-2");
    ASSERT_EQ(engine.Parse(), 0);
    EXPECT_NEAR(HandleFZero(engine.m_Root, 0, 2), std::sqrt(2.0), 1e-5);
    EXPECT_EQ(GetLastHandlerError(), 0);
    EXPECT_NEAR(HandleFInt(engine.m_Root, 0, 3), 3, 1e-5);
    EXPECT_NEAR(HandleFDiff(engine.m_Root, 1.5), 3, 1e-5);
    EXPECT_EQ(HandleFZero(engine.m_Root, 2, 3), 0);
    EXPECT_EQ(GetLastHandlerError(), ErrNoSolutions);
    engine.SetExpression("1/x");
    ASSERT_EQ(engine.Parse(), 0);
    EXPECT_EQ(HandleFInt(engine.m_Root, 0, 1), 0);
    EXPECT_EQ(GetLastHandlerError(), ErrDivisionByZero);
}

} // namespace
