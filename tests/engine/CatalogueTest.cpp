#include "tests/engine/EngineTestSupport.h"

#include "engine/FunctionCatalogue.h"
#include "framework/core/AsciiText.h"

#include <set>
#include <string>
#include <vector>

namespace {

class CatalogueTest : public EngineTest {};

TEST_F(CatalogueTest, LookupsIgnoreCase)
{
    struct Case {
        const char* name;
        const char* row; // nullptr: not found
        ExprOpId opId;
        int minArgs, maxArgs;
    };
    const Case cases[] = {
        {"sin", "SIN", OpSin, 1, 1},           {"Sin", "SIN", OpSin, 1, 1},
        {"ARCSINH", "ARCSINH", OpAsinh, 1, 1}, {"psin", "PSIN", OpPsiN, 2, 2},
        {"rate", "RATE", OpRate, 3, 6},        {"plot3d", "PLOT3D", OpPlot, 1, 7},
        {"Sum", "SUM", OpSum, 255, 255},       {"pinf", "PINF", OpInf, 0, 0},
        {"SINX", nullptr, OpNone, 0, 0},       {"", nullptr, OpNone, 0, 0},
        {"rand", nullptr, OpNone, 0, 0},
    };
    for (const Case& c : cases) {
        int row = FindFunctionEntry(c.name);
        if (!c.row) {
            EXPECT_EQ(row, -1) << "name: " << c.name;
            continue;
        }
        ASSERT_GE(row, 0) << "name: " << c.name;
        const FunctionTableEntry& e = GetFunctionEntry(row);
        EXPECT_STREQ(e.name, c.row);
        EXPECT_EQ(e.opId, c.opId) << "name: " << c.name;
        EXPECT_EQ(e.minArguments, c.minArgs) << "name: " << c.name;
        EXPECT_EQ(e.maxArguments, c.maxArgs) << "name: " << c.name;
    }
    EXPECT_TRUE(IsFunctionName("  cos  "));
    EXPECT_FALSE(IsFunctionName("   "));
}

TEST_F(CatalogueTest, TableShape)
{
    ASSERT_EQ(GetFunctionTableSize(), 134);
    ASSERT_EQ(GetFunctionCategoryCount(), 13);
    std::set<std::string> names;
    std::set<std::string> categories;
    for (int i = 0; i < GetFunctionCategoryCount(); ++i)
        categories.insert(GetFunctionCategoryName(i));
    int previousCategory = 0;
    for (int i = 0; i < GetFunctionTableSize(); ++i) {
        const FunctionTableEntry& e = GetFunctionEntry(i);
        EXPECT_TRUE(names.insert(e.name).second) << "duplicate " << e.name;
        EXPECT_TRUE(categories.count(e.category)) << e.name;
        EXPECT_LE(e.minArguments, e.maxArguments) << e.name;
        EXPECT_NE(e.description[0], 0) << e.name;
        int category = 0;
        while (std::string(GetFunctionCategoryName(category)) != e.category)
            ++category;
        EXPECT_GE(category, previousCategory) << "rows follow category order at " << e.name;
        previousCategory = category;
        for (const char* p = e.name; *p; ++p)
            EXPECT_FALSE(*p >= 'a' && *p <= 'z') << e.name;
    }
    EXPECT_STREQ(GetFunctionEntry(FindFunctionEntry("LOGN")).argumentTemplate, "n, x");
    EXPECT_STREQ(GetFunctionEntry(FindFunctionEntry("ARCTANH")).description,
                 "Returns the inverse hypergolic tangent of x");
}

TEST_F(CatalogueTest, DisplayOrderIsSortedAndLookupsKeepTableOrder)
{
    int sinRow = FindFunctionEntry("SIN");
    SortFunctionTable();
    std::set<int> seen;
    for (int i = 0; i < GetFunctionTableSize(); ++i) {
        seen.insert(GetSortedFunctionRow(i));
        if (i > 0) {
            EXPECT_LT(ascii::CompareNoCase(GetFunctionEntry(GetSortedFunctionRow(i - 1)).name,
                                           GetFunctionEntry(GetSortedFunctionRow(i)).name),
                      0);
        }
    }
    EXPECT_EQ(int(seen.size()), GetFunctionTableSize());
    EXPECT_STREQ(GetFunctionEntry(GetSortedFunctionRow(0)).name, "ABS");
    EXPECT_EQ(FindFunctionEntry("SIN"), sinRow);
}

TEST_F(CatalogueTest, ParserArgumentCountsFollowTheCatalogue)
{
    struct Case {
        const char* text;
        int code;
    };
    const Case cases[] = {
        {"PSIN(1,2)", 0},
        {"PSIN(1)", 5},
        {"PV(1,2,3)", 0},
        {"PV(1,2,3,4,5)", 0},
        {"PV(1,2,3,4,5,6)", 5},
        {"PV(1,2)", 5},
        {"SUM(1)", 0},
        {"AVE(1,2,3,4,5,6,7,8,9)", 0},
        {"MIN()", 5},
        {"CLAUSEN(1,2)", 0},
        {"PLOT(x)", 0},
        {"PLOT3D(1,2,3,4,5,6,7,8)", 5},
        {"ELLIPTICRJ(1,2,3,4)", 0},
        {"NOT(1,2)", 5},
    };
    CCalcEngine engine;
    for (const Case& c : cases) {
        engine.SetExpression(c.text);
        EXPECT_EQ(engine.Parse(), c.code) << "text: " << c.text;
    }
}

TEST_F(CatalogueTest, SplitFunctionCall)
{
    struct Case {
        const char* text;
        char separator;
        bool call;
        const char* name;
        std::vector<std::string> args;
    };
    const Case cases[] = {
        {"PLOT(sin(x), -1, 1)", 0, true, "PLOT", {"sin(x)", "-1", "1"}},
        {"PLOT(LOGN(2, x), 0, 9)", 0, true, "PLOT", {"LOGN(2, x)", "0", "9"}},
        {"  fzeros ( x^2-1 ,a)  ", 0, true, "fzeros", {"x^2-1", "a"}},
        {"PLOT(f,)", 0, true, "PLOT", {"f"}},
        {"PLOT(a,,b)", 0, true, "PLOT", {"a", "", "b"}},
        {"PLOT(x; 0,5; 1)", ';', true, "PLOT", {"x", "0,5", "1"}},
        {"PLOT()", 0, false, "PLOT", {}},
        {"PLOT", 0, false, "", {}},
        {"PLOT(x", 0, false, "", {}},
        {"(x)", 0, false, "", {}},
        {"", 0, false, "", {}},
        {"PLOT((x)", 0, false, "PLOT", {""}},
    };
    for (const Case& c : cases) {
        CString name;
        CStringArray args;
        EXPECT_EQ(SplitFunctionCall(c.text, name, args, c.separator), c.call) << "text: " << c.text;
        EXPECT_STREQ(name, c.name) << "text: " << c.text;
        ASSERT_EQ(args.GetSize(), int(c.args.size())) << "text: " << c.text;
        for (int i = 0; i < args.GetSize(); ++i)
            EXPECT_EQ(std::string(args.GetAt(i).GetString()), c.args[std::size_t(i)])
                << "text: " << c.text;
    }
}

TEST_F(CatalogueTest, SplitFunctionCallUsesTheLocaleListSeparator)
{
    UseCommaSeparators();
    CString name;
    CStringArray args;
    ASSERT_TRUE(SplitFunctionCall("PLOT(x; 0,5; 1)", name, args, 0));
    ASSERT_EQ(args.GetSize(), 3);
    EXPECT_STREQ(args.GetAt(1), "0,5");
}

} // namespace
