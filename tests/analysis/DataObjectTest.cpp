// Data tables and lists: cell rules by layout, rows, sorting, statistics, expressions and stored
// forms, with the decisions on unsound cases (atomic expressions, ragged rows, NaN keys).
#include "analysis/DataTable.h"
#include "analysis/MatrixObject.h"
#include "engine/CalcEngine.h"
#include "engine/EngineErrors.h"
#include "engine/EngineNames.h"
#include "engine/EvaluationWork.h"
#include "engine/LocaleSeparators.h"
#include "tests/support/ScopedValue.h"
#include "tests/support/StoredBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

std::vector<double> Values(const CDataColumn& column)
{
    return std::vector<double>(column.GetData() + 1, column.GetData() + 1 + column.GetCount());
}

std::vector<std::vector<double>> Rows(const CDataTable& table)
{
    std::vector<std::vector<double>> columns;
    for (int c = 0; c < table.GetColumnCount(); ++c)
        columns.push_back(Values(*table.GetColumn(c)));
    return columns;
}

void Fill(CDataTable& table, const std::vector<std::vector<double>>& columns)
{
    table.Create(TableLayoutRagged, int(columns.size()), 0);
    for (std::size_t c = 0; c < columns.size(); ++c)
        for (std::size_t r = 0; r < columns[c].size(); ++r)
            table.SetCell(int(c), int(r), columns[c][r]);
}

stored::Bytes StoreObject(CDataObject& object)
{
    return stored::Store([&](CArchive& ar) { object.Serialize(ar); });
}

TEST(DataTable, NewLayoutOneTableGrowsBothColumnsFromTheRowPastTheEnd)
{
    CDataTable table;
    table.Create(TableLayoutXY, 0, 0);
    ASSERT_EQ(table.GetColumnCount(), 2);
    EXPECT_STREQ(table.GetColumnName(0), "X");
    EXPECT_STREQ(table.GetColumnName(1), "Y");
    EXPECT_EQ(table.GetRowCount(), 0);
    table.SetCell(1, 0, 5);
    EXPECT_EQ(Rows(table), (std::vector<std::vector<double>>{{0}, {5}}));
    table.SetCell(1, 3, 7); // two rows past the end: dropped
    EXPECT_EQ(table.GetRowCount(), 1);
}

TEST(DataTable, LayoutThreeGrowsOnlyAfterItWasStoredAndRead)
{
    CDataTable table;
    table.Create(TableLayoutColumns, 2, 0);
    EXPECT_FALSE(table.IsCellEditable(0, 0));
    table.SetCell(0, 0, 1);
    EXPECT_EQ(table.GetRowCount(), 0);

    const stored::Bytes bytes = StoreObject(table);
    CDataTable loaded;
    ASSERT_TRUE(stored::Load(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
    loaded.SetCell(1, 0, 9);
    EXPECT_EQ(Rows(loaded), (std::vector<std::vector<double>>{{}, {9}}));
}

TEST(DataTable, EditableCellsFollowTheLayout)
{
    struct Case {
        int layout, column, row;
        bool editable;
    };
    // Tables of 2 rows; the ragged one has columns of 2 and 1 values.
    const Case cases[] = {
        {0, 0, 2, true},  {0, 1, 0, false}, {1, 1, 2, true},  {1, 2, 0, false},  {2, 2, 2, true},
        {2, 3, 0, false}, {3, 2, 1, true},  {3, 2, 2, false}, {3, 3, 0, false},  {4, 1, 1, true},
        {4, 1, 2, false}, {4, 2, 2, true},  {5, 0, 0, false}, {1, 0, -1, false},
    };
    for (const Case& c : cases) {
        CDataTable table;
        table.Create(c.layout, 3, 2);
        if (c.layout == TableLayoutRagged)
            table.GetColumn(1)->SetCount(1);
        EXPECT_EQ(table.IsCellEditable(c.column, c.row) != FALSE, c.editable)
            << "layout " << c.layout << " column " << c.column << " row " << c.row;
    }
    CDataTable locked;
    locked.Create(TableLayoutXY, 0, 2);
    locked.SetEditable(FALSE);
    EXPECT_FALSE(locked.IsCellEditable(0, 0));
}

TEST(DataTable, SwitchingToErrorColumnsAndBack)
{
    CDataTable table;
    table.Create(TableLayoutXY, 0, 4);
    table.SetLayout(TableLayoutXYSig);
    ASSERT_EQ(table.GetColumnCount(), 3);
    EXPECT_STREQ(table.GetColumnName(2), "Y Error");
    EXPECT_EQ(Values(*table.GetColumn(2)), std::vector<double>(4, 0.0));
    table.SetLayout(TableLayoutXY);
    EXPECT_EQ(table.GetColumnCount(), 2);
    table.SetLayout(TableLayoutColumns);
    EXPECT_EQ(table.GetColumnCount(), 2);
    EXPECT_EQ(table.GetLayout(), TableLayoutColumns);
}

TEST(DataTable, InsertingAndDeletingRows)
{
    struct Case {
        const char* what;
        int layout;
        bool insert;
        int position;
        std::vector<std::vector<double>> before, after;
    };
    const Case cases[] = {
        {"insert inside", 3, true, 2, {{1, 2}, {3, 4}}, {{1, 0, 2}, {3, 0, 4}}},
        {"insert past the end pads", 3, true, 4, {{1, 2}, {3, 4}}, {{1, 2, 0, 0}, {3, 4, 0, 0}}},
        {"ragged: short column not padded", 4, true, 3, {{1, 2, 3}, {4}}, {{1, 2, 0, 3}, {4}}},
        {"insert at 0 does nothing", 3, true, 0, {{1, 2}, {3, 4}}, {{1, 2}, {3, 4}}},
        {"delete inside", 3, false, 1, {{1, 2}, {3, 4}}, {{2}, {4}}},
        {"delete leaves short columns", 4, false, 2, {{1, 2, 3}, {4}}, {{1, 3}, {4}}},
        {"delete past the end does nothing", 3, false, 3, {{1, 2}, {3, 4}}, {{1, 2}, {3, 4}}},
        {"delete at 0 does nothing", 3, false, 0, {{1, 2}, {3, 4}}, {{1, 2}, {3, 4}}},
    };
    for (const Case& c : cases) {
        CDataTable table;
        Fill(table, c.before);
        table.SetLayout(c.layout);
        if (c.insert)
            table.InsertRow(c.position);
        else
            table.DeleteRow(c.position);
        EXPECT_EQ(Rows(table), c.after) << c.what;
    }
}

TEST(DataTable, SortingByAKeyColumn)
{
    const double nan = std::nan("");
    struct Case {
        const char* what;
        int order, key, code;
        std::vector<std::vector<double>> before, after;
    };
    const Case cases[] = {
        {"ascending", 0, 1, 0, {{1, 2, 3}, {30, 10, 20}}, {{2, 3, 1}, {10, 20, 30}}},
        {"descending", 1, 0, 0, {{1, 3, 2}, {4, 5, 6}}, {{3, 2, 1}, {5, 6, 4}}},
        {"equal keys keep order",
         0,
         0,
         0,
         {{2, 1, 2, 1}, {1, 2, 3, 4}},
         {{1, 1, 2, 2}, {2, 4, 1, 3}}},
        {"NaN last ascending", 0, 0, 0, {{nan, 2, 1}, {1, 2, 3}}, {{1, 2, nan}, {3, 2, 1}}},
        {"NaN last descending", 1, 0, 0, {{nan, 1, 2}, {1, 2, 3}}, {{2, 1, nan}, {3, 2, 1}}},
        {"other order keeps rows", 7, 0, 0, {{2, 1}, {3, 4}}, {{2, 1}, {3, 4}}},
        {"columns of different length",
         0,
         0,
         15,
         {{3, 2, 1}, {1, 2, 3, 4}},
         {{3, 2, 1}, {1, 2, 3, 4}}},
        {"missing key column", 0, 2, 15, {{2, 1}, {3, 4}}, {{2, 1}, {3, 4}}},
    };
    for (const Case& c : cases) {
        CDataTable table;
        Fill(table, c.before);
        EXPECT_EQ(table.Sort(c.order, c.key), c.code) << c.what;
        // NaN never equals itself: compare the bits through their text.
        EXPECT_EQ(::testing::PrintToString(Rows(table)), ::testing::PrintToString(c.after))
            << c.what;
    }
}

TEST(DataColumn, StatisticsNeedTwoValues)
{
    CDataColumn one;
    one.Append(4);
    EXPECT_EQ(one.ComputeStatistics(), 52);

    CDataColumn column;
    for (double v : {2.0, 4.0, 9.0})
        column.Append(v);
    ASSERT_EQ(column.ComputeStatistics(), 0);
    EXPECT_DOUBLE_EQ(column.m_dMean, 5);
    EXPECT_DOUBLE_EQ(column.m_dSum, 15);
    EXPECT_DOUBLE_EQ(column.m_dSumOfSquares, 101);
    EXPECT_EQ(column.m_dMaximum, 9);
    EXPECT_EQ(column.m_dMinimum, 2);
    EXPECT_NEAR(column.m_dVariance, 13, 1e-12);

    CDataTable table;
    Fill(table, {{1}, {1, 2, 3}});
    EXPECT_EQ(table.ComputeStatistics(), 0); // the last column decides
    CDataTable empty;
    empty.Create(TableLayoutColumns, 0, 0);
    EXPECT_EQ(empty.ComputeStatistics(), 0);
    EXPECT_EQ(CDataColumn().GetMax(), 0);
}

TEST(DataColumn, FunctionsAndTransforms)
{
    CDataColumn column;
    column.Append(0);
    column.Append(M_PI / 2);
    EXPECT_EQ(column.ApplyFunction(3), 41);
    EXPECT_EQ(Values(column), (std::vector<double>{0, M_PI / 2}));
    ASSERT_EQ(column.ApplyFunction(5), 0);
    EXPECT_NEAR(column.GetValue(2), 1, 1e-15);

    CDataObject* pOut = nullptr;
    ASSERT_EQ(column.CreateTransformed(0, 2, &pOut), 0);
    ASSERT_NE(pOut, nullptr);
    EXPECT_EQ(Values(*static_cast<CDataColumn*>(pOut)), Values(column));
    delete pOut;
    EXPECT_EQ(column.CreateTransformed(0, 9, &pOut), 41);
    EXPECT_EQ(pOut, nullptr);
}

class ExpressionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseDotSeparators();
        ResetIndependentVariables();
    }
    void TearDown() override { ResetIndependentVariables(); }
    void Parse(const char* text)
    {
        engine.SetExpression(text);
        ASSERT_EQ(engine.Parse(), 0) << text;
    }
    CCalcEngine engine;
};

TEST_F(ExpressionTest, AFailingValueLeavesEveryColumnAsItWas)
{
    CDataTable table;
    Fill(table, {{1, 4}, {9, -1}});
    Parse("sqrt(x)");
    EXPECT_NE(table.ApplyExpression(engine), 0);
    EXPECT_EQ(Rows(table), (std::vector<std::vector<double>>{{1, 4}, {9, -1}}));
    table.SetCell(1, 1, 16);
    ASSERT_EQ(table.ApplyExpression(engine), 0);
    EXPECT_EQ(Rows(table), (std::vector<std::vector<double>>{{1, 2}, {3, 4}}));
}

// A fill or transform is one command with one budget in time for all its rows: with no time at
// all, rows that each stay within their own evaluation's budget still end the command with 35
// once together they reach the clock twice, and the values stay as they were.
TEST_F(ExpressionTest, AFillSharesOneBudgetInTime)
{
    CDataTable table;
    const std::vector<std::vector<double>> columns{std::vector<double>(2000, 1),
                                                   std::vector<double>(2000, 2)};
    Fill(table, columns);
    Parse("FSUM(x, 1, 10) + x");
    {
        const ScopedValue noTime(EvaluationSecondsLimit, 0.0);
        EXPECT_EQ(table.ApplyExpression(engine), ErrMaxIterations);
        EXPECT_EQ(Rows(table), columns);
        CMatrixObject matrix;
        ASSERT_EQ(matrix.Resize(40, 50, FALSE), 0);
        EXPECT_EQ(matrix.ApplyExpression(engine), ErrMaxIterations);
        EXPECT_EQ(matrix.GetAt(40, 50), 0);
    }
    ASSERT_EQ(table.ApplyExpression(engine), 0);
    EXPECT_EQ(table.GetValue(1, 2000), 57);
}

TEST(DataColumnStoredForm, CountsElementZeroAndReadsBack)
{
    CDataColumn column;
    column.SetName("L1");
    for (double v : {1.5, -2.0, 1e300})
        column.Append(v);
    const stored::Bytes expected =
        stored::Builder().DataObject("L1", 2).Count(4).F64(0).F64(1.5).F64(-2.0).F64(1e300).Get();
    EXPECT_EQ(StoreObject(column), expected);
    EXPECT_FALSE(column.IsModified());

    CDataColumn loaded;
    ASSERT_TRUE(stored::Load(expected, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_STREQ(loaded.GetName(), "L1");
    EXPECT_EQ(Values(loaded), Values(column));

    // A stored element count of 0 is an empty list.
    const stored::Bytes empty = stored::Builder().DataObject("E", 2).Count(0).Get();
    ASSERT_TRUE(stored::Load(empty, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_EQ(loaded.GetCount(), 0);
}

TEST(DataTableStoredForm, BytesAndRefusedTruncations)
{
    CDataTable table;
    table.SetName("T");
    table.Create(TableLayoutXY, 0, 1);
    table.SetCell(1, 0, 2.5);
    const stored::Bytes expected = stored::Builder()
                                       .DataObject("T", 0)
                                       .I32(1)
                                       .I32(2)
                                       .DataObject("X", 2)
                                       .Count(2)
                                       .F64(0)
                                       .F64(0)
                                       .DataObject("Y", 2)
                                       .Count(2)
                                       .F64(0)
                                       .F64(2.5)
                                       .Get();
    ASSERT_EQ(StoreObject(table), expected);

    CDataTable target;
    Fill(target, {{7, 8}});
    auto read = [&](CArchive& ar) { target.Serialize(ar); };
    auto snapshot = [&] {
        return ::testing::PrintToString(Rows(target)) + target.GetName().GetString();
    };
    auto bytesOf = [&] {
        const std::string s = snapshot();
        return stored::Bytes(s.begin(), s.end());
    };
    EXPECT_EQ(stored::FirstTruncationAccepted(expected, read, bytesOf), -1);

    // Counts beyond what the file holds, and negative ones, are refused as well.
    const stored::Bytes hostile[] = {
        stored::Builder().DataObject("T", 0).I32(1).I32(-1).Get(),
        stored::Builder().DataObject("T", 0).I32(1).I32(1000000).Get(),
        stored::Builder()
            .DataObject("T", 0)
            .I32(1)
            .I32(1)
            .DataObject("X", 2)
            .Count(0xFFFFFFFF)
            .Get(),
    };
    for (const stored::Bytes& bytes : hostile)
        EXPECT_FALSE(stored::Load(bytes, read));
    EXPECT_EQ(Rows(target), (std::vector<std::vector<double>>{{7, 8}}));
}

TEST(DataStoredForm, NonFiniteValuesKeepTheirBits)
{
    CDataColumn column;
    const double values[] = {std::nan(""), -std::nan("1"), INFINITY, -INFINITY, -0.0};
    for (double v : values)
        column.Append(v);
    CDataColumn loaded;
    ASSERT_TRUE(stored::Load(StoreObject(column), [&](CArchive& ar) { loaded.Serialize(ar); }));
    ASSERT_EQ(loaded.GetCount(), 5);
    EXPECT_EQ(std::memcmp(loaded.GetData() + 1, values, sizeof values), 0);
}

} // namespace
