// The rules of the options pages, the general dialogs and the two tools, without windows.
#include "app/CalculationOptions.h"
#include "app/DocumentSettings.h"
#include "app/GeneralDialogs.h"
#include "engine/CalcEngine.h"
#include "engine/FunctionCatalogue.h"
#include "framework/core/ProfileStore.h"

#include <gtest/gtest.h>

namespace {

TEST(NumberFormatOptions, SampleFollowsModeAndDecimals)
{
    const struct {
        int mode, decimals;
        bool usesDecimals;
        const char* sample;
    } cases[] = {
        {0, 3, false, "123456789"},
        {1, 3, true, "123456789.000"},
        {2, 0, true, "123456789"},
        {3, 2, true, "1.23E+8"},
        {4, 1, true, "123.5E+6"},
        {5, 3, false, "123,456,789.00"},
        {1, 15, true, "123456789.000000000000000"},
        {1, 16, true, ""},
        {1, -1, true, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatModeUsesDecimals(c.mode), c.usesDecimals) << c.mode;
        EXPECT_STREQ(FormatOptionSample(c.mode, c.decimals), c.sample)
            << c.mode << " " << c.decimals;
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

} // namespace
