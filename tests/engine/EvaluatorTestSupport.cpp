#include "tests/engine/EvaluatorTestSupport.h"

#include "engine/EngineStartup.h"
#include "engine/EvaluatorOperations.h"
#include "engine/LocaleSeparators.h"
#include "engine/UnitRegistry.h"

#include <cmath>

Evaluation Evaluate(const char* text, int angleMode)
{
    Evaluation result;
    CCalcEngine engine;
    engine.m_nAngleMode = angleMode;
    engine.SetExpression(text);
    result.parseCode = engine.Parse();
    if (result.parseCode != 0)
        return result;
    result.value = engine.Evaluate();
    result.code = engine.GetErrorCode();
    if (engine.m_Root.m_bTextResult)
        result.text = engine.m_Root.m_strSource.GetString();
    result.oneShotBase = engine.m_nOneShotBase;
    return result;
}

void ExpectValues(const ValueCase* cases, size_t count, int angleMode)
{
    for (size_t i = 0; i < count; ++i) {
        const ValueCase& c = cases[i];
        const Evaluation e = Evaluate(c.text, angleMode);
        ASSERT_EQ(e.parseCode, 0) << c.text;
        EXPECT_EQ(e.code, 0) << c.text;
        const double tolerance = c.tolerance * std::max(1.0, std::fabs(c.expected));
        if (c.tolerance == 0)
            EXPECT_EQ(e.value, c.expected) << c.text;
        else
            EXPECT_NEAR(e.value, c.expected, tolerance) << c.text;
    }
}

void ExpectErrors(const ErrorCase* cases, size_t count, int angleMode)
{
    for (size_t i = 0; i < count; ++i) {
        const Evaluation e = Evaluate(cases[i].text, angleMode);
        EXPECT_EQ(e.parseCode, 0) << cases[i].text;
        EXPECT_EQ(e.code, cases[i].code) << cases[i].text;
    }
}

void EvaluatorTest::SetUp()
{
    FreeGlobalSymbolTables();
    InitCalcEngine();
    UseDotSeparators();
    ResetUnitRegistry();
    ResetRandomGenerator();
}

void EvaluatorTest::TearDown()
{
    FreeGlobalSymbolTables();
    ResetIndependentVariables();
    ResetUnitRegistry();
}
