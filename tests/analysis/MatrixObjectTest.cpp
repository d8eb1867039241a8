// Matrices: linear algebra with singular and ill-shaped operands refused, row and column edits,
// and the stored form with hostile sizes.
#include "analysis/MatrixObject.h"
#include "analysis/DataColumn.h"
#include "tests/support/StoredBytes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Grid = std::vector<std::vector<double>>;

void Set(CMatrixObject& m, const Grid& rows)
{
    ASSERT_EQ(m.Resize(int(rows.size()), rows.empty() ? 0 : int(rows[0].size()), FALSE), 0);
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t j = 0; j < rows[i].size(); ++j)
            m.SetAt(int(i) + 1, int(j) + 1, rows[i][j]);
}

Grid Get(const CMatrixObject& m)
{
    Grid rows(std::size_t(m.GetRowCount()), std::vector<double>(std::size_t(m.GetColumnCount())));
    for (int i = 1; i <= m.GetRowCount(); ++i)
        for (int j = 1; j <= m.GetColumnCount(); ++j)
            rows[std::size_t(i) - 1][std::size_t(j) - 1] = m.GetAt(i, j);
    return rows;
}

void ExpectNear(const Grid& actual, const Grid& expected, const char* what)
{
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        ASSERT_EQ(actual[i].size(), expected[i].size()) << what;
        for (std::size_t j = 0; j < actual[i].size(); ++j)
            EXPECT_NEAR(actual[i][j], expected[i][j], 1e-12)
                << what << " [" << i << "][" << j << "]";
    }
}

TEST(MatrixObject, DeterminantsAndSingularMatrices)
{
    struct Case {
        Grid m;
        int code;
        double det;
    };
    const Case cases[] = {
        {{{0, 1}, {1, 0}}, 0, -1},
        {{{2, 0, 0}, {0, 3, 0}, {0, 0, 4}}, 0, 24},
        {{{1, 2}, {2, 4}}, 34, 0},       // dependent rows: the pivot would be replaced
        {{{1, 2}, {0, 0}}, 34, 0},       // a row of zeros
        {{{1, 2, 3}, {4, 5, 6}}, 41, 0}, // not square
        {{{1e200, 0}, {0, -1e200}}, 17, 0},
        // Partial products beyond the doubles, a determinant within them.
        {{{1e200, 0, 0, 0}, {0, 1e200, 0, 0}, {0, 0, 1e-200, 0}, {0, 0, 0, 1e-200}}, 0, 1},
        {{{1e-200, 0, 0}, {0, 1e-200, 0}, {0, 0, 1e300}}, 0, 1e-100},
        {{}, 41, 0}, // no elements
    };
    for (const Case& c : cases) {
        CMatrixObject m;
        Set(m, c.m);
        double det = 99;
        EXPECT_EQ(m.Determinant(det), c.code) << ::testing::PrintToString(c.m);
        EXPECT_DOUBLE_EQ(det, c.code ? 99 : c.det) << ::testing::PrintToString(c.m);
    }
}

TEST(MatrixObject, InverseSolveAndEigen)
{
    CMatrixObject m;
    Set(m, {{4, 7}, {2, 6}});
    ASSERT_EQ(m.Invert(), 0);
    ExpectNear(Get(m), {{0.6, -0.7}, {-0.2, 0.4}}, "inverse");

    CMatrixObject singular;
    Set(singular, {{1, 2}, {2, 4}});
    EXPECT_EQ(singular.Invert(), 34);
    EXPECT_EQ(Get(singular), (Grid{{1, 2}, {2, 4}}));

    CMatrixObject system;
    Set(system, {{2, 1, 5}, {1, 3, 10}});
    CDataColumn x;
    ASSERT_EQ(system.SolveAugmented(x), 0);
    ASSERT_EQ(x.GetCount(), 2);
    EXPECT_NEAR(x.GetValue(1), 1, 1e-12);
    EXPECT_NEAR(x.GetValue(2), 3, 1e-12);
    CMatrixObject notAugmented;
    Set(notAugmented, {{2, 1}, {1, 3}});
    EXPECT_EQ(notAugmented.SolveAugmented(x), 41);

    CMatrixObject symmetric;
    Set(symmetric, {{2, 1}, {1, 2}});
    CDataColumn values;
    CMatrixObject vectors;
    ASSERT_EQ(symmetric.Eigen(values, &vectors), 0);
    std::vector<double> found{values.GetValue(1), values.GetValue(2)};
    std::sort(found.begin(), found.end());
    EXPECT_NEAR(found[0], 1, 1e-12);
    EXPECT_NEAR(found[1], 3, 1e-12);
    EXPECT_EQ(vectors.GetRowCount(), 2);

    CMatrixObject skew;
    Set(skew, {{1, 2}, {3, 1}});
    EXPECT_EQ(skew.Eigen(values, &vectors), 41);
}

TEST(MatrixObject, CombiningByShape)
{
    struct Case {
        const char* what;
        Grid a, b;
        int operation, code;
        Grid result;
    };
    const Case cases[] = {
        {"2x3 times 3x2",
         {{1, 2, 3}, {4, 5, 6}},
         {{1, 0}, {0, 1}, {1, 1}},
         2,
         0,
         {{4, 5}, {10, 11}}},
        {"add of other shapes",
         {{1, 2, 3}, {4, 5, 6}},
         {{1, 0}, {0, 1}, {1, 1}},
         0,
         41,
         {{1, 2, 3}, {4, 5, 6}}},
        {"subtract", {{5, 5}}, {{1, 2}}, 1, 0, {{4, 3}}},
        {"unknown operation", {{5, 5}}, {{1, 2}}, 7, 0, {{5, 5}}},
    };
    for (const Case& c : cases) {
        CMatrixObject a, b;
        Set(a, c.a);
        Set(b, c.b);
        EXPECT_EQ(a.Combine(b, c.operation), c.code) << c.what;
        EXPECT_EQ(Get(a), c.result) << c.what;
    }
    CMatrixObject square;
    Set(square, {{1, 2}, {3, 4}});
    ASSERT_EQ(square.Combine(square, MatrixMultiply), 0);
    EXPECT_EQ(Get(square), (Grid{{7, 10}, {15, 22}}));
}

TEST(MatrixObject, RowAndColumnEdits)
{
    struct Case {
        const char* what;
        Grid before;
        int (CMatrixObject::*edit)(int);
        int position, code;
        Grid after;
    };
    const Case cases[] = {
        {"insert row 2",
         {{1, 2}, {3, 4}},
         &CMatrixObject::InsertRow,
         2,
         0,
         {{1, 2}, {0, 0}, {3, 4}}},
        {"insert row after the last", {{1, 2}}, &CMatrixObject::InsertRow, 2, 0, {{1, 2}, {0, 0}}},
        {"insert row out of range", {{1, 2}}, &CMatrixObject::InsertRow, 3, 41, {{1, 2}}},
        {"delete row 1", {{1, 2}, {3, 4}}, &CMatrixObject::DeleteRow, 1, 0, {{3, 4}}},
        {"insert column 1",
         {{1, 2}, {3, 4}},
         &CMatrixObject::InsertColumn,
         1,
         0,
         {{0, 1, 2}, {0, 3, 4}}},
        {"delete column 2",
         {{1, 2, 5}, {3, 4, 6}},
         &CMatrixObject::DeleteColumn,
         2,
         0,
         {{1, 5}, {3, 6}}},
        {"delete column 0", {{1, 2}}, &CMatrixObject::DeleteColumn, 0, 41, {{1, 2}}},
    };
    for (const Case& c : cases) {
        CMatrixObject m;
        Set(m, c.before);
        EXPECT_EQ((m.*c.edit)(c.position), c.code) << c.what;
        EXPECT_EQ(Get(m), c.after) << c.what;
    }
    CMatrixObject row;
    Set(row, {{1, 2, 3}});
    ASSERT_EQ(row.DeleteRow(1), 0);
    EXPECT_EQ(row.GetRowCount(), 0);
    EXPECT_EQ(row.GetColumnCount(), 3);

    CMatrixObject m;
    Set(m, {{1, 2}, {3, 4}});
    ASSERT_EQ(m.Transpose(), 0);
    EXPECT_EQ(Get(m), (Grid{{1, 3}, {2, 4}}));
    // Storage that cannot be had: 33 and nothing changed.
    EXPECT_EQ(m.Resize(100000, 100000, TRUE), 33);
    EXPECT_EQ(Get(m), (Grid{{1, 3}, {2, 4}}));
}

TEST(MatrixStoredForm, BytesEmptyShapesAndHostileSizes)
{
    CMatrixObject m;
    m.SetName("M");
    Set(m, {{1, 2}, {3, 4}});
    const stored::Bytes expected =
        stored::Builder().DataObject("M", 4).I32(2).I32(2).F64(1).F64(2).F64(3).F64(4).Get();
    EXPECT_EQ(stored::Store([&](CArchive& ar) { m.Serialize(ar); }), expected);

    CMatrixObject flat;
    flat.SetName("Z");
    Set(flat, {{1, 2, 3}});
    ASSERT_EQ(flat.DeleteRow(1), 0);
    const stored::Bytes empty = stored::Builder().DataObject("Z", 4).I32(0).I32(3).Get();
    EXPECT_EQ(stored::Store([&](CArchive& ar) { flat.Serialize(ar); }), empty);
    CMatrixObject fresh;
    ASSERT_TRUE(stored::Load(empty, [&](CArchive& ar) { fresh.Serialize(ar); }));
    EXPECT_EQ(fresh.GetRowCount(), 0);
    EXPECT_EQ(fresh.GetColumnCount(), 0);
    EXPECT_STREQ(fresh.GetName(), "Z");

    CMatrixObject target;
    Set(target, {{9}});
    auto read = [&](CArchive& ar) { target.Serialize(ar); };
    const stored::Bytes hostile[] = {
        stored::Builder().DataObject("H", 4).I32(-1).I32(2).Get(),
        stored::Builder().DataObject("H", 4).I32(0x7FFFFFFF).I32(0x7FFFFFFF).F64(1).Get(),
        stored::Builder().DataObject("H", 4).I32(65536).I32(65536).F64(1).Get(),
    };
    for (const stored::Bytes& bytes : hostile)
        EXPECT_FALSE(stored::Load(bytes, read));
    auto snapshot = [&] {
        const std::string s = ::testing::PrintToString(Get(target));
        return stored::Bytes(s.begin(), s.end());
    };
    EXPECT_EQ(stored::FirstTruncationAccepted(expected, read, snapshot), -1);
    EXPECT_EQ(Get(target), (Grid{{9}}));
}

} // namespace
