// The grid's text exchange and sorting without a window: the copy text, the paste plan with
// its separators, hidden rows and columns, growth and limits, and row sorting.
#include "grid/GridClipboardText.h"
#include "grid/GridSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

CGridAxis Axis(int nCount, int nFixed, std::vector<int> hidden = {})
{
    CGridAxis axis;
    axis.Resize(nCount, 20);
    for (int i : hidden)
        axis.SetSize(i, 0);
    axis.SetFixedCount(nFixed);
    return axis;
}

TEST(GridCopyText, ShownCellsJoinedByTabsAndCrLf)
{
    // Rows 1..3 by columns 1..4; row 2 and column 3 hidden; (1, 2) not selected.
    const CGridAxis rows = Axis(5, 1, {2});
    const CGridAxis cols = Axis(6, 1, {3});
    const auto selected = [](int r, int c) { return BOOL(!(r == 1 && c == 2)); };
    const auto text = [](int r, int c) {
        CString s;
        s.Format("%c%d", 'a' + c - 1, r);
        return s;
    };
    EXPECT_EQ(BuildGridCopyText(CCellBlock(1, 1, 3, 4), rows, cols, selected, text),
              "a1\t\td1\r\na3\tb3\td3");
    EXPECT_EQ(BuildGridCopyText(CCellBlock(1, 1, 1, 3), rows, cols, selected, text), "a1\t")
        << "a hidden last column adds no trailing tab";
}

struct PasteCase {
    const char* what;
    std::string text;
    char chDecimal;                    // the locale's decimal separator
    std::vector<std::string> expected; // "row,col=text"
};

std::vector<std::string> Placed(const GridPastePlan& plan)
{
    std::vector<std::string> placed;
    for (const GridPasteField& f : plan.fields)
        placed.push_back(std::to_string(f.nRow) + "," + std::to_string(f.nCol) + "=" +
                         std::string(f.strText.View()));
    return placed;
}

// What another program's text pastes as, and that the grid's own copy comes back whole, under
// a decimal point and a decimal comma.
TEST(GridPastePlanTest, LineEndsAndSeparatorsPerLocale)
{
    const CGridAxis rows = Axis(10, 1);
    const CGridAxis cols = Axis(10, 1);
    const PasteCase cases[] = {
        {"comma then tab", "a,b\nc\td", '.', {"2,3=a", "2,4=b", "3,3=c", "3,4=d"}},
        {"CRLF and blanks trimmed", " x \r\n", '.', {"2,3=x"}},
        {"lone CR ends a line", "x\ry", '.', {"2,3=x", "3,3=y"}},
        {"trailing separator ends an empty field",
         "a\t\nb,",
         '.',
         {"2,3=a", "2,4=", "3,3=b", "3,4="}},
        {"empty field between separators", "a,,b", '.', {"2,3=a", "2,4=", "2,5=b"}},
        {"empty line counts as a row", "a\n\nb", '.', {"2,3=a", "4,3=b"}},
        {"blanks part no fields", "1.5 2", '.', {"2,3=1.5 2"}},
        {"the grid's own copy", "1.5\t2\r\n\t3", '.', {"2,3=1.5", "2,4=2", "3,3=", "3,4=3"}},
        {"its copy of an empty last cell",
         "1.5\t\r\n\t3",
         '.',
         {"2,3=1.5", "2,4=", "3,3=", "3,4=3"}},
        {"decimal comma kept", "7\t1,5", ',', {"2,3=7", "2,4=1,5"}},
        {"semicolon and tab", "1,5;2\t3", ',', {"2,3=1,5", "2,4=2", "2,5=3"}},
        {"blanks part fields", " 1,5  2,5\t 3 ", ',', {"2,3=1,5", "2,4=2,5", "2,5=3"}},
        {"blanks around a separator", "1 ; 2\t 3", ',', {"2,3=1", "2,4=2", "2,5=3"}},
        {"empty field between tabs", "a\t\tb;;c", ',', {"2,3=a", "2,4=", "2,5=b", "2,6=", "2,7=c"}},
        {"CRLF lines", "1,5\r\n2,5 \r\n", ',', {"2,3=1,5", "3,3=2,5"}},
        {"the grid's own copy", "1,5\t2\r\n\t3", ',', {"2,3=1,5", "2,4=2", "3,3=", "3,4=3"}},
        {"its copy of an empty last cell",
         "1,5\t\r\n2;",
         ',',
         {"2,3=1,5", "2,4=", "3,3=2", "3,4="}},
        {"trailing blanks end no field", "1,5 \t 2 ", ',', {"2,3=1,5", "2,4=2"}},
        {"nothing", "", ',', {}},
    };
    for (const PasteCase& c : cases) {
        const GridPastePlan plan =
            PlanGridPaste(c.text.data(), c.text.size(), c.chDecimal, 2, 3, rows, cols);
        EXPECT_FALSE(plan.bTooLarge) << c.what << " " << c.chDecimal;
        EXPECT_EQ(Placed(plan), c.expected) << c.what << " " << c.chDecimal;
        EXPECT_EQ(plan.nRowCount, 10) << c.what;
    }
}

TEST(GridPastePlanTest, HiddenRowsAndColumnsAreStepsNotTargets)
{
    // Row 3 and column 4 are hidden: the fields go round them and keep their places after.
    const CGridAxis rows = Axis(10, 1, {3});
    const CGridAxis cols = Axis(10, 1, {4});
    const std::string text = "a\tb\tc\nd\te\tf";
    const GridPastePlan plan = PlanGridPaste(text.data(), text.size(), '.', 2, 3, rows, cols);
    const std::vector<std::string> expected = {"2,3=a", "2,5=b", "2,6=c",
                                               "4,3=d", "4,5=e", "4,6=f"};
    EXPECT_EQ(Placed(plan), expected);
}

TEST(GridPastePlanTest, ReadsOnlyUpToTheBlockEndOrItsNul)
{
    const CGridAxis axis = Axis(10, 0);
    const char noNul[] = {'1', '2', '3'}; // a foreign block without a terminator
    GridPastePlan plan = PlanGridPaste(noNul, 2, '.', 0, 0, axis, axis);
    EXPECT_EQ(Placed(plan), std::vector<std::string>{"0,0=12"});
    const char early[] = "ab\0cd";
    plan = PlanGridPaste(early, sizeof(early), '.', 0, 0, axis, axis);
    EXPECT_EQ(Placed(plan), std::vector<std::string>{"0,0=ab"});
}

TEST(GridPastePlanTest, GrowthAndLimits)
{
    const CGridAxis rows = Axis(10, 1);
    const CGridAxis cols = Axis(4, 1);
    std::string text = "a,b";
    GridPastePlan plan = PlanGridPaste(text.data(), text.size(), '.', 9, 3, rows, cols);
    EXPECT_EQ(plan.nRowCount, 10) << "row 9 exists";
    EXPECT_EQ(plan.nColCount, 9) << "column 4 is past the end: 4 + 5";
    text = "a\nb";
    plan = PlanGridPaste(text.data(), text.size(), '.', 9, 1, rows, cols);
    EXPECT_EQ(plan.nRowCount, 110) << "row 10 is past the end: 10 + 100";

    struct Limit {
        const char* what;
        std::string text;
        int nRow, nCol;
        BOOL bTooLarge;
    };
    GridPasteLimits limits;
    const Limit cases[] = {
        {"field of 32,767", std::string(32767, 'x'), 1, 1, FALSE},
        {"field of 32,768", std::string(32768, 'x'), 1, 1, TRUE},
        {"rows past 1,048,576", "a", 1048477, 1, TRUE},
        {"last row that fits", "a", 1048476, 1, FALSE},
        {"columns past 16,384", "a", 1, 16380, TRUE},
        {"cells past 2,000,000", "a", 500000, 1, TRUE},
    };
    const CGridAxis narrow = Axis(4, 1);
    for (const Limit& c : cases) {
        limits.nMaxCells = c.nRow > 1000000 ? 10000000 : 2000000;
        plan =
            PlanGridPaste(c.text.data(), c.text.size(), '.', c.nRow, c.nCol, rows, narrow, limits);
        EXPECT_EQ(plan.bTooLarge, c.bTooLarge) << c.what;
    }
}

// Rows as strings; the sort moves them and counts the exchanges.
struct SortRows {
    std::vector<std::string> rows;
    int nSwaps = 0;
    GridRowCompare Compare()
    {
        return [this](int a, int b) { return CompareGridText(rows[a].c_str(), rows[b].c_str()); };
    }
    GridRowSwap Swap()
    {
        return [this](int a, int b) {
            std::swap(rows[std::size_t(a)], rows[std::size_t(b)]);
            ++nSwaps;
        };
    }
};

TEST(GridSortTest, ByteOrderAndBothDirections)
{
    SortRows s{{"header", "b", "a", "B", ""}};
    QuickSortGridRows(1, 4, TRUE, s.Compare(), s.Swap());
    EXPECT_EQ(s.rows, (std::vector<std::string>{"header", "", "B", "a", "b"}))
        << "upper case before lower case; the fixed row stays";
    QuickSortGridRows(1, 4, FALSE, s.Compare(), s.Swap());
    EXPECT_EQ(s.rows, (std::vector<std::string>{"header", "b", "a", "B", ""}));
    EXPECT_EQ(CompareGridText("\xE9", "z"), 1) << "bytes compare unsigned";
    EXPECT_EQ(CompareGridText("ab", "abc"), -1);

    SortRows equal{{"x", "x", "x", "x"}};
    QuickSortGridRows(0, 3, TRUE, equal.Compare(), equal.Swap());
    EXPECT_EQ(equal.nSwaps, 0) << "equal rows never change places";
}

TEST(GridSortTest, LargeAdversarialInputsSortQuickly)
{
    const int n = 100000;
    struct Input {
        const char* what;
        std::vector<int> keys;
    };
    std::vector<Input> inputs = {{"organ pipe", {}}, {"sawtooth", {}}, {"descending", {}}};
    for (int i = 0; i < n; ++i) {
        inputs[0].keys.push_back(i < n / 2 ? i : n - 1 - i);
        inputs[1].keys.push_back(i % 97);
        inputs[2].keys.push_back(n - i);
    }
    for (Input& input : inputs) {
        std::vector<int>& v = input.keys;
        long long nCompares = 0;
        QuickSortGridRows(
            0, n - 1, TRUE,
            [&](int a, int b) {
                ++nCompares;
                return v[std::size_t(a)] < v[std::size_t(b)]
                           ? -1
                           : v[std::size_t(a)] > v[std::size_t(b)];
            },
            [&](int a, int b) { std::swap(v[std::size_t(a)], v[std::size_t(b)]); });
        EXPECT_TRUE(std::is_sorted(v.begin(), v.end())) << input.what;
        EXPECT_LT(nCompares, 100LL * n) << input.what << ": the sort must not turn quadratic";
    }
}

} // namespace
