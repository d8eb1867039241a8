#include "engine/BuiltinUnits.h"
#include "engine/EngineErrors.h"
#include "engine/PhysicalConstants.h"
#include "engine/UnitRegistry.h"
#include "framework/core/AsciiText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

class UnitConversion : public ::testing::Test {
protected:
    void SetUp() override { ResetUnitRegistry(); }
    void TearDown() override { ResetUnitRegistry(); }
};

struct ConversionCase {
    double value;
    const char* from;
    const char* to;
    double expected;
};

void ExpectConversions(const ConversionCase* cases, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const ConversionCase& c = cases[i];
        double value = c.value;
        ASSERT_EQ(ConvertUnits(value, c.from, c.to), 0)
            << c.value << " " << c.from << " -> " << c.to;
        EXPECT_NEAR(value, c.expected, 1e-9 * std::fabs(c.expected) + 1e-12)
            << c.value << " " << c.from << " -> " << c.to;
    }
}

TEST_F(UnitConversion, TablesHaveTheirSizes)
{
    EXPECT_EQ(GetPhysicalConstantCount(), 29);
    EXPECT_EQ(GetBuiltinUnitCount(), 277);
    EXPECT_EQ(GetUnitRecordCount(), 277);
    EXPECT_EQ(GetUserUnitCount(), 0);
    EXPECT_STREQ(GetPhysicalConstant(26).symbol, "c0");
    EXPECT_EQ(GetPhysicalConstant(26).value, 299792458.0);
    for (int i = 0; i < GetBuiltinUnitCount(); ++i) {
        const BuiltinUnitEntry& row = GetBuiltinUnit(i);
        EXPECT_TRUE(row.name[0] && row.base[0] && row.factor > 0) << "row " << i;
    }
}

TEST_F(UnitConversion, OneUnitOfEachCategory)
{
    const ConversionCase cases[] = {
        {1, "km", "mi", 0.621371192237334},
        {1, "mi", "km", 1.609344},
        {3, "inches", "cm", 7.62},
        {3, "meters", "m", 3},
        {1, "ft", "m", 0.3048},
        {1, "acre", "m2", 4046.8564224},
        {1, "hectare", "are", 100},
        {1, "gallon", "l", 3.785411784},
        {1, "gallon", "pint", 8},
        {1, "barrel", "l", 158.987294928},
        {1, "lb", "g", 453.59237},
        {1, "stone", "kg", 6.35029318},
        {1, "day", "s", 86400},
        {1, "year", "h", 8766},
        {1, "degC", "degR", 1.8}, // a temperature difference through the registry
        {1, "kgf", "N", 9.80665},
        {1, "atm", "kPa", 101.325},
        {1, "torr", "Pa", 101325.0 / 760},
        {1, "kcal", "J", 4186.8},
        {1, "kwh", "kJ", 3600},
        {1, "hp", "W", 735.4988},
        {1, "tesla", "gauss", 10000},
        {1, "Radian", "Degree", 57.29577951308232},
        {1, "Megabyte", "bit", 8388608},
        {1, "curie", "Bq", 3.7e10},
    };
    ExpectConversions(cases, std::size(cases));
}

// Rows that once were off their definitions by more than a millionth.
TEST_F(UnitConversion, BuiltinRowsFollowTheirDefinitions)
{
    const ConversionCase cases[] = {
        {1, "hand", "in", 4},
        {3, "barleycorn", "in", 1},
        {1, "psi", "Pa", 6894.757293168361}, // 1 lbf per square inch
        {1, "atm", "psi", 14.695948775513449},
        {1, "astronomical unit", "m", 149597870700},
        {1, "light year", "m", 299792458.0 * 365.25 * 86400},
        {1, "amu", "kg", 1.66053906660e-27},
    };
    ExpectConversions(cases, std::size(cases));
}

TEST_F(UnitConversion, MultiWordNamesAreLookedUpWhole)
{
    const ConversionCase cases[] = {
        {1, "square meter", "ft2", 10.763910416709722},
        {1, "cubic foot", "l", 28.316846592},
        {1, "UK gallon", "l", 4.54609},
        {1, "UK gallon", "UK pint", 8},
        {760, "millimeter of mercury", "atm", 1},
        {1, "light year", "km", 9460730472580.8},
        {2, "nautical mile", "m", 3704},
        {1, "  pound force ", "N", 4.448221615},
        {1, "short ton", "lb", 2000},
    };
    ExpectConversions(cases, std::size(cases));
}

TEST_F(UnitConversion, Temperatures)
{
    const ConversionCase cases[] = {
        {100, "degree c", "DegF", 212},  {0, "DEGF", "DEGK", 255.3722222222222},
        {5, "DEGC", "DEGC", 5},          {300, "degK", "degC", 26.85},
        {-40, "degF", "degC", -40},      {0, "degree K", "degree F", -459.67},
        {32, "degree F", "degree C", 0},
    };
    ExpectConversions(cases, std::size(cases));
}

TEST_F(UnitConversion, RefusalsLeaveTheValueUnchanged)
{
    const char* pairs[][2] = {
        {"km", "kg"},                              // different quantities
        {"furlongs2", "m"},                        // no such unit
        {"light", "km"},                           // part of a multi-word name only
        {"", "m"},          {"square meter", "m"}, // area to length
    };
    for (const auto& pair : pairs) {
        double value = 7.0;
        EXPECT_EQ(ConvertUnits(value, pair[0], pair[1]), ErrBadArgument)
            << pair[0] << " -> " << pair[1];
        EXPECT_EQ(value, 7.0) << pair[0] << " -> " << pair[1];
    }
}

TEST_F(UnitConversion, UserConversions)
{
    EXPECT_EQ(AddUserUnit("smoot", "in", 67), 0);
    EXPECT_EQ(GetUserUnitCount(), 1);
    double value = 1;
    ASSERT_EQ(ConvertUnits(value, "smoot", "m"), 0);
    EXPECT_NEAR(value, 1.7018, 1e-12);
    // furlong already converts to yd through the built-in relations.
    EXPECT_EQ(AddUserUnit("furlong", "", 220), 0);
    EXPECT_EQ(SetUserUnitBase(1, "yd"), ErrConversionExists);
    EXPECT_EQ(GetUserUnitBase(1), "");
    EXPECT_FALSE(IsUserUnitComplete(1));
    EXPECT_EQ(SetUserUnitBase(1, "widget"), 0);
    // The same check when the name changes: smoot already converts to in.
    EXPECT_EQ(SetUserUnitName(1, "smoot"), ErrConversionExists);
    EXPECT_EQ(GetUserUnitName(1), "furlong");
    EXPECT_EQ(SetUserUnitName(5, "x"), ErrBadArgument);
    EXPECT_TRUE(IsUserUnitComplete(1));
    // Each conversion keeps the identity it was given through every edit.
    const unsigned identity = GetUserUnit(1).nIdentity;
    EXPECT_NE(identity, 0u);
    EXPECT_NE(identity, GetUserUnit(0).nIdentity);
    EXPECT_EQ(SetUserUnit(1, "furlong", "widget", 2), 0);
    DeleteUserUnit(0);
    EXPECT_EQ(GetUserUnitCount(), 1);
    EXPECT_EQ(GetUserUnitName(0), "furlong");
    EXPECT_EQ(GetUserUnit(0).nIdentity, identity);
    TruncateUnitRegistry();
    EXPECT_EQ(GetUserUnitCount(), 0);
}

TEST_F(UnitConversion, ZeroOrNonFiniteFactorsAreRefused)
{
    EXPECT_EQ(AddUserUnit("nothing", "m", 0.0), ErrBadArgument);
    EXPECT_EQ(AddUserUnit("endless", "m", std::numeric_limits<double>::infinity()), ErrBadArgument);
    EXPECT_EQ(AddUserUnit("unknown", "m", std::numeric_limits<double>::quiet_NaN()),
              ErrBadArgument);
    EXPECT_EQ(GetUserUnitCount(), 0);
    ASSERT_EQ(AddUserUnit("blip", "m", 2.0), 0);
    EXPECT_EQ(SetUserUnitFactor(0, 0.0), ErrBadArgument);
    EXPECT_EQ(GetUserUnitFactor(0), 2.0);
}

TEST_F(UnitConversion, CyclesOfUserConversionsEndTheSearch)
{
    // A dense web of user relations among names that lead nowhere near the target.
    const char* names[] = {"qa", "qb", "qc", "qd", "qe", "qf", "qg", "qh", "qi", "qj", "qk", "ql"};
    for (const char* from : names) {
        for (const char* to : names) {
            if (from != to) {
                ASSERT_EQ(AddUserUnit(from, to, 2.0), 0);
            }
        }
    }
    double value = 1;
    EXPECT_EQ(ConvertUnits(value, "qa", "kg"), ErrBadArgument);
    EXPECT_EQ(ConvertUnits(value, "qa", "qb"), 0);
    EXPECT_TRUE(CanConvertUnits("qa", "ql"));
    EXPECT_FALSE(CanConvertUnits("qa", "m"));
}

// The first chain in registry order decides, even where the relations disagree; a chain longer
// than any search budget is still found, and an edit in its middle is seen at once.
TEST_F(UnitConversion, SearchTakesTheFirstChainAndFollowsLongOnes)
{
    ASSERT_EQ(AddUserUnit("ua", "ub", 2.0), 0);
    ASSERT_EQ(AddUserUnit("ub", "uc", 3.0), 0);
    ASSERT_EQ(AddUserUnit("ua", "uc", 10.0), 0);
    double factor = 0;
    ASSERT_TRUE(FindUnitFactor("UA", "uc", factor));
    EXPECT_EQ(factor, 6.0);
    ASSERT_TRUE(FindUnitFactor("uc", "ua", factor));
    EXPECT_DOUBLE_EQ(factor, 1.0 / 6.0);

    constexpr int kLinks = 30000;
    for (int i = 0; i < kLinks; ++i) {
        const std::string name = "w" + std::to_string(i), base = "w" + std::to_string(i + 1);
        ASSERT_EQ(AddUserUnit(name.c_str(), base.c_str(), 1.0), 0);
    }
    const std::string last = "w" + std::to_string(kLinks);
    EXPECT_TRUE(CanConvertUnits("w0", last.c_str()));
    EXPECT_FALSE(CanConvertUnits("w0", "nosuch"));
    DeleteUserUnit(3 + kLinks / 2);
    EXPECT_FALSE(CanConvertUnits("w0", last.c_str()));
    EXPECT_FALSE(IsRegisteredUnitName("nosuch"));
    EXPECT_TRUE(IsRegisteredUnitName(last.c_str()));
}

} // namespace

namespace {

TEST(BuiltinTables, DisplayOrderIsAStableSortAndLookupKeepsTableOrder)
{
    EXPECT_EQ(FindPhysicalConstant("ME"), 9);
    EXPECT_EQ(FindPhysicalConstant("c0"), 26);
    EXPECT_EQ(FindPhysicalConstant("nope"), -1);
    SortPhysicalConstants();
    EXPECT_EQ(GetSortedPhysicalConstantRow(0), 0); // "Alpha particle mass"
    for (int i = 1; i < GetPhysicalConstantCount(); ++i)
        EXPECT_LE(ascii::CompareNoCase(
                      GetPhysicalConstant(GetSortedPhysicalConstantRow(i - 1)).description,
                      GetPhysicalConstant(GetSortedPhysicalConstantRow(i)).description),
                  0);
    EXPECT_EQ(GetPhysicalConstant(26).value, 299792458.0); // the table itself is untouched
    SortBuiltinUnits();
    for (int i = 1; i < GetBuiltinUnitCount(); ++i) {
        const int a = GetSortedBuiltinUnitRow(i - 1), b = GetSortedBuiltinUnitRow(i);
        const int order = ascii::CompareNoCase(GetBuiltinUnit(a).name, GetBuiltinUnit(b).name);
        EXPECT_TRUE(order < 0 || (order == 0 && a < b)) << GetBuiltinUnit(a).name;
    }
}

} // namespace
