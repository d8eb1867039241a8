#include "tests/engine/EvaluatorTestSupport.h"

#include "engine/BuiltinUnits.h"
#include "engine/UnitRegistry.h"
#include "framework/core/AsciiText.h"

#include <cmath>
#include <string>

namespace {

bool IsTemperatureScale(const char* name)
{
    for (const char* scale : {"degC", "degree C", "degK", "degree K", "degF", "degree F"})
        if (ascii::EqualNoCase(scale, name))
            return true;
    return false;
}

// Every built-in relation converts both ways by its own factor, so each category is reachable
// from each of its names within the search's visit budget.
TEST_F(EvaluatorTest, EveryBuiltinRelationConvertsBothWays)
{
    for (int i = 0; i < GetBuiltinUnitCount(); ++i) {
        const BuiltinUnitEntry& row = GetBuiltinUnit(i);
        if (IsTemperatureScale(row.name) && IsTemperatureScale(row.base))
            continue; // scales with an offset, converted by formula
        double value = 3.0;
        ASSERT_EQ(ConvertUnits(value, row.name, row.base), 0) << row.name << " -> " << row.base;
        EXPECT_NEAR(value, 3.0 * row.factor, 1e-9 * 3.0 * row.factor) << row.name << " -> " << row.base;
        ASSERT_EQ(ConvertUnits(value, row.base, row.name), 0) << row.base << " -> " << row.name;
        EXPECT_NEAR(value, 3.0, 3e-9) << row.base << " -> " << row.name;
    }
}

} // namespace

namespace {

// A call parsed before its user function was redefined uses the new definition, and is refused
// when the new one takes a different number of arguments.
TEST_F(EvaluatorTest, CallsParsedBeforeARedefinitionFollowIt)
{
    CCalcEngine definer;
    ASSERT_EQ(definer.DefineUserFunction("f(a) = a+1", false), 0);
    CCalcEngine engine;
    engine.SetExpression("f(2)*f(3)");
    ASSERT_EQ(engine.Parse(), 0);
    EXPECT_EQ(engine.Evaluate(), 12);
    struct Case {
        const char* definition;
        int code;
        double value;
    } cases[] = {
        {"f(a) = a*10", 0, 600},
        {"f(p, q, r, s, u, v, w) = p+q+r+s+u+v+w", 37, 0},
        {"f(p, q) = p*q", 37, 0},
        {"f(b) = b-1", 0, 2},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(definer.DefineUserFunction(c.definition, true), 0) << c.definition;
        const double value = engine.Evaluate();
        EXPECT_EQ(engine.GetErrorCode(), c.code) << c.definition;
        if (c.code == 0) {
            EXPECT_EQ(value, c.value) << c.definition;
        }
    }
}

} // namespace
