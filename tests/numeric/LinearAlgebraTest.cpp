#include "numeric/LinearAlgebra.h"
#include "numeric/Moments.h"
#include "numeric/NumericCore.h"
#include "tests/support/TestRandom.h"

#include <gsl/gsl_eigen.h>
#include <gsl/gsl_linalg.h>
#include <gsl/gsl_statistics_double.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <vector>

namespace {

// A 1-based matrix filled from row-major values, released at the end of the test.
class Matrix {
public:
    Matrix(int rows, int cols, const std::vector<double>& values = {})
        : rows_(rows), cols_(cols), m_(AllocMatrix(1, rows, 1, cols))
    {
        for (int i = 1; i <= rows; ++i)
            for (int j = 1; j <= cols; ++j)
                m_[i][j] = values.empty() ? 0.0 : values[(i - 1) * cols + (j - 1)];
    }
    ~Matrix() { FreeMatrix(m_, 1, rows_, 1, cols_); }
    Matrix(const Matrix&) = delete;
    Matrix& operator=(const Matrix&) = delete;
    double** get() { return m_; }
    double* operator[](int i) { return m_[i]; }

private:
    int rows_;
    int cols_;
    double** m_;
};

// Test matrices, row-major: general, symmetric positive, with negative and tiny entries.
const std::vector<std::vector<double>> kSquareMatrices = {
    {4},
    {0, 1, 1, 0},
    {2, -1, 0, -1, 2, -1, 0, -1, 2},
    {1e-8, 3, 2, 5, 1e3, -7, 0.5, -2, 9},
    {1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 14, 13, 15, 16, 19},
    {6, 2, 1, 0.5, -3, 2, 5, 2, 1, 0, 1, 2, 4, 1, 2, 0.5, 1, 1, 3, 1, -3, 0, 2, 1, 8},
};

int Order(const std::vector<double>& values)
{
    return static_cast<int>(std::lround(std::sqrt(static_cast<double>(values.size()))));
}

TEST(LuDecomposition, FactorsReproduceThePermutedMatrix)
{
    for (const auto& values : kSquareMatrices) {
        const int n = Order(values);
        SCOPED_TRACE(testing::Message() << "n=" << n << " a11=" << values[0]);
        Matrix a(n, n, values);
        int* indx = AllocIntVector(1, n);
        double d = 0;
        errno = 0;
        LuDecompose(a.get(), n, indx, &d);
        EXPECT_EQ(errno, 0);
        // Apply the recorded interchanges to a copy of A, then compare with L·U.
        Matrix pa(n, n, values);
        for (int j = 1; j <= n; ++j)
            for (int k = 1; k <= n; ++k)
                std::swap(pa[j][k], pa[indx[j]][k]);
        for (int i = 1; i <= n; ++i) {
            for (int j = 1; j <= n; ++j) {
                double lu = 0;
                for (int k = 1; k <= std::min(i, j); ++k)
                    lu += (k == i ? 1.0 : a[i][k]) * a[k][j];
                EXPECT_NEAR(lu, pa[i][j], 1e-12 * 1e3) << i << "," << j;
            }
        }
        // The determinant agrees with GSL's.
        gsl_matrix* g = gsl_matrix_alloc(n, n);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                gsl_matrix_set(g, i, j, values[i * n + j]);
        gsl_permutation* perm = gsl_permutation_alloc(n);
        int signum = 0;
        gsl_linalg_LU_decomp(g, perm, &signum);
        double det = d;
        for (int i = 1; i <= n; ++i)
            det *= a[i][i];
        const double expected = gsl_linalg_LU_det(g, signum);
        EXPECT_NEAR(det, expected, 1e-10 * std::fabs(expected));
        gsl_permutation_free(perm);
        gsl_matrix_free(g);
        FreeIntVector(indx, 1, n);
    }
}

TEST(LuDecomposition, BackSubstitutionSolvesTheSystem)
{
    for (const auto& values : kSquareMatrices) {
        const int n = Order(values);
        SCOPED_TRACE(testing::Message() << "n=" << n << " a11=" << values[0]);
        Matrix a(n, n, values);
        int* indx = AllocIntVector(1, n);
        double d = 0;
        LuDecompose(a.get(), n, indx, &d);
        for (int unit = 0; unit <= n; ++unit) {
            // Right-hand sides with leading zeros exercise the skip of the forward pass.
            double* b = AllocVector(1, n);
            for (int i = 1; i <= n; ++i)
                b[i] = unit == 0 ? i * 0.5 - 1 : (i == unit ? 1.0 : 0.0);
            std::vector<double> rhs(b + 1, b + n + 1);
            errno = 0;
            LuBackSubstitute(a.get(), n, indx, b);
            EXPECT_EQ(errno, 0);
            for (int i = 0; i < n; ++i) {
                double ax = 0;
                for (int j = 0; j < n; ++j)
                    ax += values[i * n + j] * b[j + 1];
                EXPECT_NEAR(ax, rhs[i], 1e-9) << "row " << i + 1 << " rhs " << unit;
            }
            FreeVector(b, 1, n);
        }
        FreeIntVector(indx, 1, n);
    }
}

TEST(LuDecomposition, ZeroRowAndSingularMatrices)
{
    Matrix zeroRow(3, 3, {1, 2, 3, 0, 0, 0, 4, 5, 6});
    int indx[4] = {0, -7, -7, -7};
    double d = 0;
    errno = 0;
    LuDecompose(zeroRow.get(), 3, indx, &d);
    EXPECT_EQ(errno, NumericSingularMatrix);
    EXPECT_EQ(d, 1);
    EXPECT_EQ(zeroRow[1][1], 1);
    EXPECT_EQ(zeroRow[3][3], 6);
    EXPECT_EQ(indx[2], -7);

    Matrix singular(2, 2, {1, 2, 2, 4});
    errno = 0;
    int replaced = -1;
    LuDecompose(singular.get(), 2, indx, &d, &replaced);
    EXPECT_EQ(errno, 0);
    EXPECT_EQ(singular[2][2], 1e-20);
    EXPECT_EQ(replaced, 1);
    Matrix regular(2, 2, {0, 1, 1, 0});
    LuDecompose(regular.get(), 2, indx, &d, &replaced);
    EXPECT_EQ(replaced, 0);
    EXPECT_LT(std::fabs(d * singular[1][1] * singular[2][2]), 1e-18);

    errno = 0;
    LuDecompose(singular.get(), -3, indx, &d);
    EXPECT_EQ(errno, NumericOutOfMemory);
}

TEST(JacobiEigenpairs, AgreeWithGslSymmetricSolver)
{
    for (const auto& values : kSquareMatrices) {
        const int n = Order(values);
        // Symmetrise: (A + Aᵀ)/2.
        std::vector<double> sym(values.size());
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                sym[i * n + j] = 0.5 * (values[i * n + j] + values[j * n + i]);
        SCOPED_TRACE(testing::Message() << "n=" << n << " a11=" << sym[0]);
        Matrix a(n, n, sym);
        Matrix v(n, n);
        double* d = AllocVector(1, n);
        int nrot = -1;
        errno = 0;
        JacobiEigen(a.get(), n, d, v.get(), &nrot);
        EXPECT_EQ(errno, 0);

        gsl_matrix* g = gsl_matrix_alloc(n, n);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                gsl_matrix_set(g, i, j, sym[i * n + j]);
        gsl_vector* eval = gsl_vector_alloc(n);
        gsl_matrix* evec = gsl_matrix_alloc(n, n);
        gsl_eigen_symmv_workspace* w = gsl_eigen_symmv_alloc(n);
        gsl_eigen_symmv(g, eval, evec, w);
        gsl_eigen_symmv_sort(eval, evec, GSL_EIGEN_SORT_VAL_ASC);
        std::vector<double> ours(d + 1, d + n + 1);
        std::sort(ours.begin(), ours.end());
        for (int k = 0; k < n; ++k)
            EXPECT_NEAR(ours[k], gsl_vector_get(eval, k), 1e-9) << "k=" << k;
        // Each column k of v is a unit eigenvector of d[k].
        for (int k = 1; k <= n; ++k) {
            double norm = 0;
            for (int i = 1; i <= n; ++i) {
                double av = 0;
                for (int j = 1; j <= n; ++j)
                    av += sym[(i - 1) * n + (j - 1)] * v[j][k];
                EXPECT_NEAR(av, d[k] * v[i][k], 1e-9) << "column " << k << " row " << i;
                norm += v[i][k] * v[i][k];
            }
            EXPECT_NEAR(norm, 1, 1e-12);
        }
        gsl_eigen_symmv_free(w);
        gsl_matrix_free(evec);
        gsl_vector_free(eval);
        gsl_matrix_free(g);
        FreeVector(d, 1, n);
    }
}

// The cyclic Jacobi sweep as the textbook writes it, rotation after rotation over the upper
// triangle: the library's regrouped sweep must give the same bits with every kernel.
int TextbookJacobi(std::vector<double> a, int n, std::vector<double>& d, std::vector<double>& v)
{
    auto at = [&](int i, int j) -> double& { return a[std::size_t(i) * n + j]; };
    auto vat = [&](int i, int j) -> double& { return v[std::size_t(i) * n + j]; };
    auto rotate = [](double& x, double& y, double s, double tau) {
        const double u = x, w = y;
        x = u - s * (w + u * tau);
        y = w + s * (u - w * tau);
    };
    v.assign(std::size_t(n) * n, 0.0);
    d.resize(std::size_t(n));
    std::vector<double> b(static_cast<std::size_t>(n)), z(static_cast<std::size_t>(n), 0.0);
    for (int p = 0; p < n; ++p) {
        vat(p, p) = 1;
        b[p] = d[p] = at(p, p);
    }
    int nrot = 0;
    for (int sweep = 1; sweep <= 50; ++sweep) {
        double sm = 0;
        for (int p = 0; p < n - 1; ++p)
            for (int q = p + 1; q < n; ++q)
                sm += std::fabs(at(p, q));
        if (sm == 0)
            return nrot;
        const double threshold = sweep < 4 ? 0.2 * sm / (double(n) * n) : 0.0;
        for (int p = 0; p < n - 1; ++p) {
            for (int q = p + 1; q < n; ++q) {
                const double g = 100 * std::fabs(at(p, q));
                if (sweep > 4 && std::fabs(d[p]) + g == std::fabs(d[p]) &&
                    std::fabs(d[q]) + g == std::fabs(d[q])) {
                    at(p, q) = 0;
                    continue;
                }
                if (!(std::fabs(at(p, q)) > threshold))
                    continue;
                double h = d[q] - d[p], t = 0;
                if (std::fabs(h) + g == std::fabs(h)) {
                    t = at(p, q) / h;
                } else {
                    const double theta = 0.5 * h / at(p, q);
                    t = 1 / (std::fabs(theta) + std::sqrt(1 + theta * theta));
                    t = theta < 0 ? -t : t;
                }
                const double c = 1 / std::sqrt(1 + t * t), s = t * c, tau = s / (1 + c);
                h = t * at(p, q);
                z[p] -= h;
                z[q] += h;
                d[p] -= h;
                d[q] += h;
                at(p, q) = 0;
                for (int j = 0; j < p; ++j)
                    rotate(at(j, p), at(j, q), s, tau);
                for (int j = p + 1; j < q; ++j)
                    rotate(at(p, j), at(j, q), s, tau);
                for (int j = q + 1; j < n; ++j)
                    rotate(at(p, j), at(q, j), s, tau);
                for (int j = 0; j < n; ++j)
                    rotate(vat(j, p), vat(j, q), s, tau);
                ++nrot;
            }
        }
        for (int p = 0; p < n; ++p) {
            b[p] += z[p];
            d[p] = b[p];
            z[p] = 0;
        }
    }
    return -1;
}

// The kernels of one width (the parameter), with and without the eigenvectors' second thread.
// The four-lane ones need AVX: on a processor without it their tests are skipped.
class JacobiKernelWidth : public testing::TestWithParam<JacobiKernels> {
protected:
    void SetUp() override
    {
        if (!ForceJacobiKernels(GetParam()))
            GTEST_SKIP() << "the processor has no AVX for the four-lane kernels";
    }
    // The widest kernels with the thread come back at the end of the case, whatever happens.
    void TearDown() override { ForceJacobiKernels(JacobiKernels::Widest, true); }
};

INSTANTIATE_TEST_SUITE_P(Kernels, JacobiKernelWidth,
                         testing::Values(JacobiKernels::Pair, JacobiKernels::Quad),
                         [](const testing::TestParamInfo<JacobiKernels>& width) {
                             return width.param == JacobiKernels::Quad ? "FourLanes" : "TwoLanes";
                         });

// The eigenpairs of a[1..n][1..n] and their rotations; errors counts errno and any difference in
// the eigenvalues computed without the eigenvectors.
struct Eigenpairs {
    std::vector<double> d;
    std::vector<double> v; // row-major, 0-based
    int nrot = -1;
    int errors = 0;
};

Eigenpairs Decompose(Matrix& a, int n)
{
    Eigenpairs r;
    Matrix vectors(n, n);
    std::vector<double> d(std::size_t(n) + 1), only(std::size_t(n) + 1);
    int nrotOnly = -1;
    errno = 0;
    JacobiEigen(a.get(), n, d.data(), vectors.get(), &r.nrot);
    JacobiEigen(a.get(), n, only.data(), nullptr, &nrotOnly);
    r.errors = errno;
    r.d.assign(d.begin() + 1, d.end());
    r.errors += (nrotOnly != r.nrot) + (only != d);
    for (int i = 1; i <= n; ++i)
        for (int k = 1; k <= n; ++k)
            r.v.push_back(vectors[i][k]);
    return r;
}

// The rotations of the textbook sweep, in its order and with its bits, with and without
// eigenvectors. Sizes around the tiles, the row groups, the vector lanes and the order where the
// eigenvectors go to a second thread.
TEST_P(JacobiKernelWidth, GivesTheTextbookBits)
{
    TestRandom random(99);
    auto next = [&random] { return random.Next(); };
    struct Kind {
        const char* name;
        std::vector<int> sizes;
        std::function<double(int, int)> entry; // 1-based, i <= j
    };
    const Kind kinds[] = {
        {"random over six decades",
         {1, 2, 9, 17, 130, 300},
         [&](int, int) { return (next() - 0.5) * std::pow(10.0, int(next() * 6) - 3); }},
        {"integers in [-10, 10]",
         {40, 129},
         [&](int, int) { return std::floor(next() * 21) - 10; }},
        {"min(i, j)", {33, 150}, [](int i, int) { return double(i); }},
        {"1/(i + j - 1)", {12, 140}, [](int i, int j) { return 1.0 / (i + j - 1); }},
        {"sin(i j)", {50, 257}, [](int i, int j) { return std::sin(double(i) * j); }},
    };
    for (const Kind& kind : kinds)
        for (const int n : kind.sizes) {
            std::vector<double> values(std::size_t(n) * n);
            for (int i = 0; i < n; ++i)
                for (int j = i; j < n; ++j)
                    values[std::size_t(i) * n + j] = values[std::size_t(j) * n + i] =
                        kind.entry(i + 1, j + 1);
            std::vector<double> d, v;
            const int rotations = TextbookJacobi(values, n, d, v);
            ASSERT_GT(rotations, n > 1 ? 0 : -1);
            Matrix a(n, n, values);
            for (const bool secondThread : {true, false}) {
                SCOPED_TRACE(testing::Message() << kind.name << ", n=" << n
                                                << (secondThread ? "" : ", no second thread"));
                ForceJacobiKernels(GetParam(), secondThread);
                const Eigenpairs ours = Decompose(a, n);
                EXPECT_EQ(ours.errors, 0);
                EXPECT_EQ(ours.nrot, rotations);
                int bad = 0;
                for (int i = 0; i < n * n; ++i) {
                    bad += a[i / n + 1][i % n + 1] != values[std::size_t(i)]; // a is only read
                    bad += ours.v[std::size_t(i)] != v[std::size_t(i)];
                }
                for (int k = 0; k < n; ++k)
                    bad += ours.d[std::size_t(k)] != d[std::size_t(k)];
                EXPECT_EQ(bad, 0);
            }
        }
}

// The bits of the eigenpairs and the rotation count, as one number.
std::uint64_t Fingerprint(const Eigenpairs& r)
{
    std::uint64_t h = 14695981039346656037ULL ^ std::uint64_t(r.nrot);
    auto mix = [&h](const std::vector<double>& values) {
        for (const double value : values) {
            std::uint64_t bits;
            std::memcpy(&bits, &value, sizeof bits);
            h = (h ^ bits) * 1099511628211ULL;
        }
    };
    mix(r.d);
    mix(r.v);
    return h;
}

// Recorded from the native build: the kernels of each width, with and without the second thread,
// in the native build and the Windows one, must give these bits (a project opened on two
// computers gives one answer). The largest order makes more than 2^17 rotations in a sweep, so the
// rows left behind and the eigenvectors take a log replayed in the middle of the sweep.
TEST_P(JacobiKernelWidth, GivesTheRecordedBitsOnEveryBuild)
{
    TestRandom integers(2024), uniform(7);
    struct Row {
        const char* name;
        int n;
        std::function<double(int, int)> entry; // 1-based, i <= j
        std::uint64_t fingerprint;
    };
    const Row rows[] = {
        {"integers in [-10, 10]", 540,
         [&](int, int) { return std::floor(integers.Next() * 21) - 10; }, 0xd33aca63c08f741cULL},
        {"1/(i + j - 1)", 140, [](int i, int j) { return 1.0 / (i + j - 1); },
         0x95d421e7d2315fcULL},
        {"uniform in [-1, 1)", 9, [&](int, int) { return uniform.Between(-1, 1); },
         0xcc7818502dc4cbcaULL},
    };
    for (const Row& row : rows) {
        const int n = row.n;
        Matrix a(n, n);
        for (int i = 1; i <= n; ++i)
            for (int j = i; j <= n; ++j)
                a[i][j] = a[j][i] = row.entry(i, j);
        for (const bool secondThread : {true, false}) {
            SCOPED_TRACE(testing::Message()
                         << row.name << ", n=" << n << (secondThread ? "" : ", no second thread"));
            ForceJacobiKernels(GetParam(), secondThread);
            const Eigenpairs ours = Decompose(a, n);
            EXPECT_EQ(ours.errors, 0);
            EXPECT_EQ(Fingerprint(ours), row.fingerprint)
                << std::hex << "0x" << Fingerprint(ours) << "ULL";
        }
    }
}

TEST(JacobiEigenpairs, DiagonalReturnsAtOnceAndNaNStops)
{
    Matrix a(3, 3, {3, 0, 0, 0, -1, 0, 0, 0, 2});
    Matrix v(3, 3);
    double d[4];
    int nrot = -1;
    errno = 0;
    JacobiEigen(a.get(), 3, d, v.get(), &nrot);
    EXPECT_EQ(errno, 0);
    EXPECT_EQ(nrot, 0);
    EXPECT_EQ(d[1], 3);
    EXPECT_EQ(d[2], -1);
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j)
            EXPECT_EQ(v[i][j], i == j ? 1 : 0);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    Matrix bad(2, 2, {1, nan, nan, 1});
    errno = 0;
    JacobiEigen(bad.get(), 2, d, v.get(), &nrot);
    EXPECT_EQ(errno, NumericIterationLimit);

    // The same through all 50 sweeps of a matrix large enough for the eigenvectors' thread.
    const int n = 140;
    std::vector<double> values(std::size_t(n) * n);
    for (int i = 0; i < n * n; ++i)
        values[std::size_t(i)] = 1.0 + std::min(i / n, i % n);
    values[3 * n + 70] = values[70 * n + 3] = nan;
    Matrix large(n, n, values), vectors(n, n);
    std::vector<double> eigenvalues(std::size_t(n) + 1);
    errno = 0;
    JacobiEigen(large.get(), n, eigenvalues.data(), vectors.get(), &nrot);
    EXPECT_EQ(errno, NumericIterationLimit);
    EXPECT_GT(nrot, 0);
    EXPECT_TRUE(std::isnan(large[4][71]));
    EXPECT_EQ(large[n][n - 1], values.back() - 1); // a is only read

    errno = 0;
    JacobiEigen(bad.get(), -2, d, v.get(), &nrot);
    EXPECT_EQ(errno, NumericOutOfMemory);
}

TEST(CovarianceExpansion, FrozenParametersGetZeroRowsAndColumns)
{
    // Parameters 1 and 3 of 4 were fitted; their covariance sits in the leading 2×2 block.
    Matrix covar(4, 4, {1, 0.5, 9, 9, 0.5, 2, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9});
    const int ia[5] = {0, 1, 0, 1, 0};
    ExpandCovariance(covar.get(), 4, ia, 2);
    const double expected[4][4] = {{1, 0, 0.5, 0}, {0, 0, 0, 0}, {0.5, 0, 2, 0}, {0, 0, 0, 0}};
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 4; ++j)
            EXPECT_EQ(covar[i][j], expected[i - 1][j - 1]) << i << "," << j;
}

TEST(SampleMoments, AgreeWithClosedFormsAndGsl)
{
    const double four[] = {0, 1, 2, 3, 4};
    double ave, adev, sdev, var, skew, curt;
    errno = 0;
    ComputeMoments(four, 4, &ave, &adev, &sdev, &var, &skew, &curt);
    EXPECT_EQ(errno, 0);
    EXPECT_DOUBLE_EQ(ave, 2.5);
    EXPECT_DOUBLE_EQ(adev, 1.0);
    EXPECT_DOUBLE_EQ(var, 5.0 / 3);
    EXPECT_DOUBLE_EQ(skew, 0);
    EXPECT_DOUBLE_EQ(curt, (2 * std::pow(1.5, 4) + 2 * std::pow(0.5, 4)) / (4 * var * var) - 3);

    const double data[] = {0, 2.5, -1, 7, 3.25, 0.5, 11, 4, 4, -6};
    const int n = 9;
    ComputeMoments(data, n, &ave, &adev, &sdev, &var, &skew, &curt);
    EXPECT_NEAR(ave, gsl_stats_mean(data + 1, 1, n), 1e-14);
    EXPECT_NEAR(adev, gsl_stats_absdev(data + 1, 1, n), 1e-14);
    EXPECT_NEAR(sdev, gsl_stats_sd(data + 1, 1, n), 1e-14);
    EXPECT_NEAR(skew, gsl_stats_skew(data + 1, 1, n), 1e-14);
    EXPECT_NEAR(curt, gsl_stats_kurtosis(data + 1, 1, n), 1e-14);
}

TEST(SampleMoments, EqualValuesAndTooFewPoints)
{
    const double same[] = {0, 5, 5, 5};
    double ave = -1, adev = -1, sdev = -1, var = -1, skew = -1, curt = -1;
    errno = 0;
    ComputeMoments(same, 3, &ave, &adev, &sdev, &var, &skew, &curt);
    EXPECT_EQ(errno, 0);
    EXPECT_EQ(ave, 5);
    EXPECT_EQ(adev + sdev + var + skew + curt, 0);
    for (int n : {1, 0, -4}) {
        double untouched = 42;
        errno = 0;
        ComputeMoments(same, n, &untouched, &untouched, &untouched, &untouched, &untouched,
                       &untouched);
        EXPECT_EQ(errno, NumericBadArgument) << n;
        EXPECT_EQ(untouched, 42) << n;
    }
}

TEST(NevilleInterpolation, ReproducesPolynomialsAndRefusesEqualAbscissae)
{
    const double xa[] = {0, -1, 0.5, 2, 3};
    double ya[5];
    auto cubic = [](double x) { return ((2 * x - 1) * x + 3) * x - 4; };
    for (int i = 1; i <= 4; ++i)
        ya[i] = cubic(xa[i]);
    for (double x : {-2.0, -1.0, 0.0, 0.7, 2.0, 2.9, 10.0}) {
        double y = 0;
        double dy = 0;
        errno = 0;
        PolynomialInterpolate(xa, ya, 4, x, &y, &dy);
        EXPECT_EQ(errno, 0);
        EXPECT_NEAR(y, cubic(x), 1e-10 * std::fmax(1, std::fabs(cubic(x)))) << x;
    }
    double y = 0;
    double dy = 77;
    PolynomialInterpolate(xa, ya, 1, 5.0, &y, &dy);
    EXPECT_EQ(y, ya[1]);
    EXPECT_EQ(dy, 77);

    const double same[] = {0, 1, 1, 2};
    const double vals[] = {0, 3, 4, 5};
    errno = 0;
    PolynomialInterpolate(same, vals, 3, 1.5, &y, &dy);
    EXPECT_EQ(errno, NumericEqualAbscissae);
    errno = 0;
    PolynomialInterpolate(same, vals, 0, 1.5, &y, &dy);
    EXPECT_EQ(errno, NumericBadArgument);
}

} // namespace
