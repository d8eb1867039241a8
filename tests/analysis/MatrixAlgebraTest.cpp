// Matrix algebra against the reference library's LU and symmetric eigen routines, and the
// refusal of matrices that have no inverse to rounding.
#include "analysis/DataColumn.h"
#include "analysis/MatrixObject.h"
#include "engine/EngineErrors.h"
#include "tests/analysis/FitTestSupport.h"

#include <gsl/gsl_eigen.h>
#include <gsl/gsl_linalg.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// ||actual - expected|| / ||expected|| over paired values.
double RelativeError(const std::vector<double>& actual, const std::vector<double>& expected)
{
    double diff = 0, norm = 0;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        diff += (actual[i] - expected[i]) * (actual[i] - expected[i]);
        norm += expected[i] * expected[i];
    }
    return std::sqrt(diff / norm);
}

// A rows x cols matrix of the row-major values (matrices do not copy implicitly).
struct MatrixOf : CMatrixObject {
    MatrixOf(int rows, int cols, const std::vector<double>& rowMajor)
    {
        Resize(rows, cols, FALSE);
        for (int i = 1; i <= rows; ++i)
            for (int j = 1; j <= cols; ++j)
                SetAt(i, j, rowMajor[std::size_t((i - 1) * cols + j - 1)]);
    }
};

std::vector<double> Elements(const CMatrixObject& m)
{
    std::vector<double> v;
    for (int i = 1; i <= m.GetRowCount(); ++i)
        for (int j = 1; j <= m.GetColumnCount(); ++j)
            v.push_back(m.GetAt(i, j));
    return v;
}

TEST(MatrixAlgebra, DeterminantInverseAndSolutionAgreeWithLuDecomposition)
{
    TestRandom random(3);
    for (int n : {1, 2, 5, 13, 50}) {
        SCOPED_TRACE(testing::Message() << "n=" << n);
        const std::size_t size = std::size_t(n);
        std::vector<double> a(size * size), b(size), augmented;
        for (double& v : a)
            v = random.Between(-1, 1);
        for (double& v : b)
            v = random.Between(-10, 10);
        for (int i = 0; i < n; ++i) {
            augmented.insert(augmented.end(), a.begin() + i * n, a.begin() + (i + 1) * n);
            augmented.push_back(b[std::size_t(i)]);
        }
        gsl_matrix_view lu = gsl_matrix_view_array(a.data(), std::size_t(n), std::size_t(n));
        const MatrixOf original(n, n, a);
        gsl_permutation* p = gsl_permutation_alloc(std::size_t(n));
        int sign = 0;
        gsl_linalg_LU_decomp(&lu.matrix, p, &sign);
        gsl_matrix* inverse = gsl_matrix_alloc(std::size_t(n), std::size_t(n));
        gsl_linalg_LU_invert(&lu.matrix, p, inverse);
        gsl_vector_view rhs = gsl_vector_view_array(b.data(), std::size_t(n));
        gsl_vector* x = gsl_vector_alloc(std::size_t(n));
        gsl_linalg_LU_solve(&lu.matrix, p, &rhs.vector, x);

        double det = 0;
        ASSERT_EQ(original.Determinant(det), 0);
        EXPECT_TRUE(RelativelyNear(det, gsl_linalg_LU_det(&lu.matrix, sign), 1e-10));
        CMatrixObject inverted;
        inverted.Copy(original);
        ASSERT_EQ(inverted.Invert(), 0);
        EXPECT_LE(RelativeError(Elements(inverted),
                                std::vector<double>(inverse->data, inverse->data + n * n)),
                  1e-10);
        CDataColumn solution;
        ASSERT_EQ(MatrixOf(n, n + 1, augmented).SolveAugmented(solution), 0);
        EXPECT_LE(
            RelativeError(std::vector<double>(solution.GetData() + 1, solution.GetData() + n + 1),
                          std::vector<double>(x->data, x->data + n)),
            1e-10);
        gsl_vector_free(x);
        gsl_matrix_free(inverse);
        gsl_permutation_free(p);
    }
}

TEST(MatrixAlgebra, EigenpairsAgreeWithTheSymmetricSolver)
{
    TestRandom random(4);
    for (int n : {1, 3, 10, 50}) {
        SCOPED_TRACE(testing::Message() << "n=" << n);
        std::vector<double> a(std::size_t(n * n));
        for (int i = 0; i < n; ++i)
            for (int j = 0; j <= i; ++j)
                a[std::size_t(i * n + j)] = a[std::size_t(j * n + i)] = random.Between(-1, 1);
        CDataColumn values;
        CMatrixObject vectors;
        ASSERT_EQ(MatrixOf(n, n, a).Eigen(values, &vectors), 0);

        gsl_matrix_view m = gsl_matrix_view_array(a.data(), std::size_t(n), std::size_t(n));
        gsl_vector* eval = gsl_vector_alloc(std::size_t(n));
        gsl_matrix* evec = gsl_matrix_alloc(std::size_t(n), std::size_t(n));
        gsl_eigen_symmv_workspace* work = gsl_eigen_symmv_alloc(std::size_t(n));
        gsl_eigen_symmv(&m.matrix, eval, evec, work);
        gsl_eigen_symmv_sort(eval, evec, GSL_EIGEN_SORT_VAL_ASC);

        // Our pairs sorted by value; each vector compared up to its sign.
        std::vector<int> order(static_cast<std::size_t>(n));
        for (int k = 0; k < n; ++k)
            order[std::size_t(k)] = k + 1;
        std::sort(order.begin(), order.end(),
                  [&](int l, int r) { return values.GetValue(l) < values.GetValue(r); });
        std::vector<double> ours, reference;
        for (int k = 0; k < n; ++k) {
            const int c = order[std::size_t(k)];
            ours.push_back(values.GetValue(c));
            reference.push_back(gsl_vector_get(eval, std::size_t(k)));
            const double sign =
                vectors.GetAt(1, c) * gsl_matrix_get(evec, 0, std::size_t(k)) < 0 ? -1.0 : 1.0;
            for (int i = 1; i <= n; ++i) {
                ours.push_back(sign * vectors.GetAt(i, c));
                reference.push_back(gsl_matrix_get(evec, std::size_t(i - 1), std::size_t(k)));
            }
        }
        EXPECT_LE(RelativeError(ours, reference), 1e-10);
        gsl_eigen_symmv_free(work);
        gsl_matrix_free(evec);
        gsl_vector_free(eval);
    }
}

TEST(MatrixAlgebra, SingularAndInvalidMatricesAreRefused)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* what;
        int n;
        std::vector<double> a;
        int code;
    } cases[] = {
        {"rows 1 2 3, 4 5 6, 7 8 9", 3, {1, 2, 3, 4, 5, 6, 7, 8, 9}, ErrSingularMatrix},
        {"a row of zeros", 3, {1, 2, 3, 0, 0, 0, 7, 8, 10}, ErrSingularMatrix},
        {"dependent rows of unequal size", 2, {1e-20, 2e-20, 3e20, 6e20}, ErrSingularMatrix},
        {"a NaN element", 2, {1, nan, 3, 4}, ErrInvalidData},
        {"an infinite element", 2, {1, 2, HUGE_VAL, 4}, ErrInvalidData},
        {"rows of very unequal size", 2, {1e-20, 0, 0, 1e20}, 0},
    };
    for (const auto& c : cases) {
        const MatrixOf m(c.n, c.n, c.a);
        double det = 7;
        EXPECT_EQ(m.Determinant(det), c.code) << c.what;
        CMatrixObject inverse;
        inverse.Copy(m);
        EXPECT_EQ(inverse.Invert(), c.code) << c.what;
        // A refused inverse leaves every element as it was (NaN included).
        if (c.code) {
            const std::vector<double> kept = Elements(inverse), before = Elements(m);
            for (std::size_t k = 0; k < kept.size(); ++k)
                EXPECT_TRUE(kept[k] == before[k] || (std::isnan(kept[k]) && std::isnan(before[k])))
                    << c.what;
        }
        std::vector<double> augmented;
        for (int i = 0; i < c.n; ++i) {
            augmented.insert(augmented.end(), c.a.begin() + i * c.n, c.a.begin() + (i + 1) * c.n);
            augmented.push_back(1);
        }
        CDataColumn solution;
        EXPECT_EQ(MatrixOf(c.n, c.n + 1, augmented).SolveAugmented(solution), c.code) << c.what;
    }
    CDataColumn values;
    CMatrixObject vectors;
    EXPECT_EQ(MatrixOf(2, 2, {1, nan, nan, 1}).Eigen(values, &vectors), ErrInvalidData);
}

TEST(MatrixAlgebra, HilbertMatrixOfOrderEightInverts)
{
    const int n = 8;
    std::vector<double> h(std::size_t(n * n));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            h[std::size_t(i * n + j)] = 1.0 / (i + j + 1);
    MatrixOf inverse(n, n, h);
    ASSERT_EQ(inverse.Invert(), 0);
    // The inverse has integer elements (condition number about 1.5e10).
    EXPECT_TRUE(RelativelyNear(inverse.GetAt(1, 1), 64.0, 1e-6));
    EXPECT_TRUE(RelativelyNear(inverse.GetAt(4, 5), -800415000.0, 1e-6));
    EXPECT_TRUE(RelativelyNear(inverse.GetAt(8, 8), 176679360.0, 1e-6));
}

} // namespace
