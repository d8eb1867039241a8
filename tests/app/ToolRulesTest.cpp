// The rules of the options pages, the general dialogs and the two tools, without windows.
#include "app/CalculationOptions.h"
#include "app/ConverterRules.h"
#include "app/ConverterTables.h"
#include "app/DocumentSettings.h"
#include "app/FinanceRules.h"
#include "app/GeneralDialogs.h"
#include "engine/CalcEngine.h"
#include "engine/EngineStartup.h"
#include "engine/FunctionCatalogue.h"
#include "engine/UnitRegistry.h"
#include "framework/core/AsciiText.h"
#include "framework/core/ProfileStore.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

TEST(NumberFormatOptions, SampleFollowsModeAndTheDecimalsAsTyped)
{
    const struct {
        int mode;
        const char* decimals;
        bool usesDecimals;
        const char* sample;
    } cases[] = {
        {0, "3", false, "123456789"},
        {1, "3", true, "123456789.000"},
        {2, "0", true, "123456789"},
        {3, "2", true, "1.23E+8"},
        {4, " +1 ", true, "123.5E+6"},
        {5, "3", false, "123,456,789.00"},
        {1, "15", true, "123456789.000000000000000"},
        {1, "1", true, "123456789.0"},
        {1, "16", true, kSampleOutOfRange}, // the "1" before it no longer counts
        {1, "-1", true, kSampleOutOfRange},
        {1, "99999999999999999999", true, kSampleOutOfRange},
        {0, "16", false, kSampleOutOfRange}, // OK refuses it whatever the mode
        {1, "", true, kSampleNotWhole},
        {1, "1.5", true, kSampleNotWhole},
        {1, "x", true, kSampleNotWhole},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatModeUsesDecimals(c.mode), c.usesDecimals) << c.mode;
        EXPECT_STREQ(FormatOptionSample(c.mode, c.decimals), c.sample)
            << c.mode << " '" << c.decimals << "'";
    }
}

TEST(NumberFormatOptions, BaseChoicesAndWhatOkStores)
{
    const struct {
        int base, choice;
    } choices[] = {{10, 0}, {16, 1}, {8, 2}, {2, 3}, {7, 4}};
    for (const auto& c : choices) {
        EXPECT_EQ(BaseChoiceOf(c.base), c.choice) << c.base;
        EXPECT_EQ(BaseOfChoice(c.choice, c.base), c.base) << c.base;
    }

    // A custom base outside 2..36 reaches the engine and the settings brought into range.
    const struct {
        int custom, stored;
    } bases[] = {{40, 36}, {1, 2}, {-5, 2}, {20, 20}};
    for (const auto& b : bases) {
        CCalcEngine engine;
        CMemoryProfileStore store;
        NumberFormatOptions options{1, 4, 2, kBaseChoiceOther, b.custom};
        ApplyNumberFormatOptions(options, engine, store);
        EXPECT_EQ(engine.m_nNumberBase, b.stored) << b.custom;
        EXPECT_EQ(store.GetInt("Calculation", "NumberBase", 0), b.stored) << b.custom;
        EXPECT_EQ(engine.m_ResultFormat.m_nMode, 1);
        EXPECT_DOUBLE_EQ(engine.m_ResultFormat.m_dRoundingUnit, 1e-4);
        EXPECT_EQ(engine.m_nAngleMode, 2);
        EXPECT_EQ(store.GetInt("Calculation", "DecimalPlaces", 0), 4);
        EXPECT_EQ(store.GetInt("Calculation", "AngleMode", 0), 2);
        const NumberFormatOptions back = ReadNumberFormatOptions(engine);
        EXPECT_EQ(back.nBaseChoice, b.stored == 2 ? 3 : kBaseChoiceOther);
    }

    // An angle mode the engine reads as gradians shows as gradians and stays while chosen.
    const struct {
        int engineMode, shown, chosen, stored;
    } angles[] = {{0, 0, 0, 0}, {1, 1, 2, 2}, {7, 2, 2, 7}, {-1, 2, 1, 1}};
    for (const auto& a : angles) {
        CCalcEngine engine;
        CMemoryProfileStore store;
        engine.m_nAngleMode = a.engineMode;
        NumberFormatOptions options = ReadNumberFormatOptions(engine);
        EXPECT_EQ(options.nAngleMode, a.shown) << a.engineMode;
        options.nAngleMode = a.chosen;
        ApplyNumberFormatOptions(options, engine, store);
        EXPECT_EQ(engine.m_nAngleMode, a.stored) << a.engineMode;
        EXPECT_EQ(store.GetInt("Calculation", "AngleMode", -9), a.stored) << a.engineMode;
    }
}

TEST(SolverDefaults, OkStoresTheFourValuesAsTheDocumentReadsThem)
{
    DocumentSettings settings;
    CMemoryProfileStore store;
    // A minimum above the maximum is kept: new models then keep their own interval.
    ApplySolverDefaults({7, 5.0, -5.0, 300}, settings, store);
    DocumentSettings read;
    ReadSolverModelSettings(store, read);
    EXPECT_EQ(read.nSolverDecimals, 7);
    EXPECT_EQ(read.dSolverMin, 5.0);
    EXPECT_EQ(read.dSolverMax, -5.0);
    EXPECT_EQ(read.nSolverSteps, 300);
    EXPECT_EQ(store.GetType("SolverModel", "Min"), CMemoryProfileStore::typeBinary);
    const SolverDefaults shown = ReadSolverDefaults(settings);
    EXPECT_EQ(shown.dMax, -5.0);
}

TEST(MoreOptions, PaneTicksGiveTheMask)
{
    const struct {
        unsigned ticked, mask;
    } cases[] = {{0, 0}, {1, 1}, {4, 4}, {1 | 8, 9}, {1 | 2 | 8, 15}, {2 | 4 | 8, 15}, {15, 15}};
    for (const auto& c : cases)
        EXPECT_EQ(ViewMaskOfTicks(c.ticked), c.mask) << c.ticked;
    // Every kind with panes of its own belongs to exactly one category, and shows its own mask.
    int owners[16] = {};
    for (const ViewCategory& category : kViewCategories) {
        bool shownIsMember = false;
        for (int i = 0; i < category.nRecords; ++i) {
            ++owners[category.records[i]];
            shownIsMember |= category.records[i] == category.nShown;
        }
        EXPECT_TRUE(shownIsMember) << category.pszName;
    }
    for (int kind = 0; kind < 16; ++kind)
        EXPECT_EQ(owners[kind], kind == 10 || kind == 11 ? 0 : 1) << kind;
}

TEST(InsertFunction, CategoriesListsAndSyntax)
{
    const std::vector<CString> categories = InsertFunctionCategories();
    ASSERT_EQ(categories.size(), 14u);
    EXPECT_STREQ(categories[0], "Favorites");
    EXPECT_STREQ(categories[2], "Trigonometric");

    const std::vector<CString> favorites{"MYFUNC", "SIN"};
    EXPECT_EQ(InsertFunctionNames(0, favorites), favorites);
    size_t total = 0;
    for (int i = 1; i < 14; ++i) {
        for (const CString& name : InsertFunctionNames(i, favorites))
            EXPECT_STREQ(GetFunctionEntry(FindFunctionEntry(name)).category, categories[i]) << name;
        total += InsertFunctionNames(i, favorites).size();
    }
    EXPECT_EQ(total, size_t(GetFunctionTableSize()));
    EXPECT_TRUE(InsertFunctionNames(14, favorites).empty());

    // Once the catalogue is sorted at start-up, every category lists its names in that order.
    SortFunctionTable();
    EXPECT_EQ(InsertFunctionNames(2, favorites),
              (std::vector<CString>{"COS", "COT", "CSC", "SEC", "SIN", "TAN"}));
    for (int i = 1; i < 14; ++i) {
        const std::vector<CString> names = InsertFunctionNames(i, favorites);
        for (size_t k = 1; k < names.size(); ++k)
            EXPECT_LT(ascii::CompareNoCase(names[k - 1], names[k]), 0)
                << categories[i] << " " << names[k];
    }

    CString syntax = "old", description = "old";
    EXPECT_TRUE(DescribeCatalogueFunction("SIN", syntax, description));
    EXPECT_STREQ(syntax, "SIN(x)");
    EXPECT_STREQ(description, "Returns the sine function of x");
    EXPECT_FALSE(DescribeCatalogueFunction("MYFUNC", syntax, description));
    EXPECT_FALSE(DescribeCatalogueFunction("sin", syntax, description)) << "exact names only";
}

TEST(Links, MailAddressesOpenAsMail)
{
    const struct {
        const char* text;
        const char* target;
    } cases[] = {
        {"support@zivra.example", "mailto:support@zivra.example"},
        {"@zivra", "@zivra"},
        {"https://www.zivra.example/", "https://www.zivra.example/"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(LinkTarget(c.text), c.target) << c.text;
    EXPECT_TRUE(ShellOpenFailed(2));
    EXPECT_TRUE(ShellOpenFailed(32));
    EXPECT_FALSE(ShellOpenFailed(33));
}

TEST(Converter, SettingsOutsideTheirRangeReadAsDefaults)
{
    const struct {
        int startup, last, recentCount;
        int wantStartup, wantLast;
        size_t wantRecent;
    } cases[] = {
        {2, 16, 3, 2, 16, 1},
        {7, 99, 25, 0, 0, 0},
        {-1, -4, -3, 0, 0, 0},
        {1, 17, 20, 1, 0, 2},
    };
    for (const auto& c : cases) {
        CMemoryProfileStore store;
        store.WriteInt("Converter", "StartupCategory", c.startup);
        store.WriteInt("Converter", "LastCategory", c.last);
        store.WriteInt("Converter", "RecentCount", c.recentCount);
        store.WriteString("Converter", "Recent0", "  foot ");
        store.WriteString("Converter", "Recent1", std::string(101, 'm').c_str());
        store.WriteString("Converter", "Recent2", " ");
        store.WriteString("Converter", "Recent3", "inch");
        ConverterSettings settings;
        ReadConverterSettings(store, settings);
        EXPECT_EQ(settings.nStartupCategory, c.wantStartup) << c.startup;
        EXPECT_EQ(settings.nLastCategory, c.wantLast) << c.last;
        ASSERT_EQ(settings.recent.size(), c.wantRecent) << c.recentCount;
        if (c.wantRecent) {
            EXPECT_STREQ(settings.recent[0], "foot");
        }
        EXPECT_EQ(settings.nLeft, -1);
        EXPECT_EQ(settings.nLogResults, 1);
    }
    // What is written reads back.
    ConverterSettings written;
    written.nStartupCategory = 2;
    written.nLastCategory = 8;
    written.nIsBig = 1;
    written.nLeft = 30;
    written.recent = {"degree F", "degree C"};
    CMemoryProfileStore store;
    WriteConverterSettings(store, written);
    ConverterSettings read;
    ReadConverterSettings(store, read);
    EXPECT_EQ(read.recent, written.recent);
    EXPECT_EQ(read.nLastCategory, 8);
    EXPECT_EQ(read.nIsBig, 1);
    EXPECT_EQ(read.nLeft, 30);
    const struct {
        int startup, last, index;
    } starts[] = {{0, 5, 16}, {1, 5, 15}, {2, 5, 5}, {2, 17, 0}, {2, -1, 0}, {9, 5, 16}};
    for (const auto& c : starts)
        EXPECT_EQ(StartupCategoryIndex(c.startup, c.last), c.index) << c.startup << " " << c.last;
}

TEST(Converter, RecentUnitsNewestFirstAtMostTwenty)
{
    std::vector<CString> recent;
    AddRecentUnit(recent, "degree C");
    AddRecentUnit(recent, " degree F ");
    AddRecentUnit(recent, "DEGREE C"); // already there: keeps its place
    AddRecentUnit(recent, "   ");
    AddRecentUnit(recent, CString(std::string(101, 'x').c_str()));
    ASSERT_EQ(recent.size(), 2u);
    EXPECT_STREQ(recent[0], "degree F");
    EXPECT_STREQ(recent[1], "degree C");
    for (int i = 0; i < 19; ++i)
        AddRecentUnit(recent, CString(("unit" + std::to_string(i)).c_str()));
    ASSERT_EQ(recent.size(), 20u);
    EXPECT_STREQ(recent[0], "unit18");
    EXPECT_STREQ(recent[19], "degree F") << "the oldest dropped out";
}

class ConverterUnitsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FreeGlobalSymbolTables();
        InitCalcEngine();
    }
    void TearDown() override { FreeGlobalSymbolTables(); }
};

// Each unit of a category measures what the category's first unit measures, so the two
// convert, except in the two categories that mix quantities.
TEST_F(ConverterUnitsTest, EveryUnitConvertsWithinItsCategory)
{
    const char* first[kConverterCategoryCount] = {};
    int counts[kConverterCategoryCount] = {};
    for (const ConverterUnit& unit : kConverterUnits) {
        ASSERT_TRUE(unit.category >= 0 && unit.category < ConverterUserDefined) << unit.name;
        if (!first[unit.category])
            first[unit.category] = unit.name;
        else
            EXPECT_EQ((&unit - 1)->category, unit.category) << "one run per category";
        ++counts[unit.category];
        if (unit.category == ConverterElectricityMagnetism ||
            unit.category == ConverterMiscellaneous)
            continue;
        double value = 1.0;
        const int code = ConvertBetweenUnits(value, unit.name, first[unit.category]);
        EXPECT_EQ(code, 0) << unit.name;
    }
    const int expected[kConverterCategoryCount] = {30, 15, 34, 16, 7,  6,  8, 18, 3,
                                                   8,  9,  14, 3,  14, 12, 0, 0};
    for (int i = 0; i < kConverterCategoryCount; ++i)
        EXPECT_EQ(counts[i], expected[i]) << kConverterCategories[i];
    EXPECT_EQ(ConverterUnitList(ConverterTemperature, {}),
              (std::vector<CString>{"degree C", "degree F", "degree K"}));
}

TEST_F(ConverterUnitsTest, ConversionsAndTheirRefusals)
{
    const struct {
        const char* from;
        const char* to;
        double value, result;
        int code;
    } cases[] = {
        {"meter", " foot ", 100, 328.08398950131236, 0},
        {"degree C", "degree F", 100, 212, 0},
        {"kilometer/hour", "meter/second", 36, 10, 0},
        {"kilowatt hour", "watt hour", 2, 2000, 0},
        {"watt hour", "watt second", 1, 3600, 0},
        {"meter", "", 5, 5, 13},
        {"", "foot", 5, 5, 13},
        {"meter)", "foot", 5, 5, 13},
        {"meter", "second", 5, 5, 13},
        {"flurbs", "foot", 5, 5, 13},
    };
    for (const auto& c : cases) {
        double value = c.value;
        EXPECT_EQ(ConvertBetweenUnits(value, c.from, c.to), c.code) << c.from << " " << c.to;
        EXPECT_NEAR(value, c.result, 1e-9 * std::fabs(c.result)) << c.from << " " << c.to;
    }
    double value = 1;
    EXPECT_EQ(ConvertBetweenUnits(value, CString(std::string(10000, 'm').c_str()), "foot"), 13);

    // The user-defined category lists each conversion's name and base; none: empty lists.
    EXPECT_TRUE(ConverterUnitList(ConverterUserDefined, {}).empty());
    ASSERT_EQ(AddUserUnit("smoot", "cm", 170.18), 0);
    EXPECT_EQ(ConverterUnitList(ConverterUserDefined, {}), (std::vector<CString>{"smoot", "cm"}));
    EXPECT_EQ(ConverterUnitList(ConverterRecentlyUsed, {"x"}), std::vector<CString>{"x"});
    EXPECT_STREQ(ConversionLogLine("100", " meter", "328.083989501312", "foot "),
                 "' 100 meter = 328.083989501312 foot");
}

TEST(FinanceBox, EachButtonSolvesItsQuantity)
{
    // Monthly, one year at 12 %, 1000 borrowed, paid off at the end of each month.
    FinanceValues loan;
    loan.dRate = 12;
    loan.dDuration = 1;
    loan.dPresentValue = 1000;
    loan.dPayment = -88.84878867834166;
    const struct {
        FinanceQuantity quantity;
        int frequency;
        const char* text;
    } cases[] = {
        {SolvePayment, 4, "-88.85"},   {SolvePresentValue, 4, "1000.00"},
        {SolveDuration, 4, "1.00"},    {SolveFutureValue, 4, "0"},
        {SolvePayment, 0, "-1120.00"}, {SolvePayment, 99, "-88.85"}, // unknown: monthly
        {SolvePayment, 6, "-2.91"},
    };
    for (const auto& c : cases) {
        FinanceValues values = loan;
        values.nFrequency = c.frequency;
        CString text;
        EXPECT_TRUE(FinanceResultText(SolveFinance(c.quantity, values), text)) << c.quantity;
        EXPECT_STREQ(text, c.text) << c.quantity << " " << c.frequency;
    }

    // Results that are not finite have no text; what reads as zero shows "0".
    FinanceValues never; // no payment, no interest: the duration is infinite
    never.dPresentValue = 1000;
    FinanceValues huge = loan; // a duration of 1e300 years at 12 %
    huge.dDuration = 1e300;
    CString text = "old";
    EXPECT_FALSE(FinanceResultText(SolveFinance(SolveDuration, never), text));
    EXPECT_FALSE(FinanceResultText(SolveFinance(SolveFutureValue, huge), text));
    EXPECT_STREQ(text, "old");
    const struct {
        double value;
        const char* text;
    } shown[] = {{-0.001, "0"}, {0.004, "0"}, {0.005, "0.01"}, {-1234.5, "-1234.50"}};
    for (const auto& c : shown) {
        EXPECT_TRUE(FinanceResultText(c.value, text));
        EXPECT_STREQ(text, c.text) << c.value;
    }
}

TEST(FinanceBox, InterestRateFoundNoneOrNotConverged)
{
    FinanceValues values;
    values.dDuration = 1;
    values.dPresentValue = 1000;
    values.dPayment = -88.85;
    double rate = -1;
    EXPECT_EQ(SolveRate(values, 10, rate), RateFound);
    EXPECT_NEAR(rate, 12, 0.01);
    values.dPayment = -80; // pays back less than was borrowed: a negative rate
    EXPECT_EQ(SolveRate(values, 10, rate), RateNone);
    values.dPayment = 0; // nothing paid: no rate changes anything
    EXPECT_EQ(SolveRate(values, 10, rate), RateNotConverged);

    CMemoryProfileStore store;
    store.WriteInt("FinanceBox", "Visible", 5);
    FinanceBoxSettings settings;
    ReadFinanceBoxSettings(store, settings);
    EXPECT_EQ(settings.nVisible, 0);
    EXPECT_EQ(settings.nLeft, -1);
}

} // namespace
