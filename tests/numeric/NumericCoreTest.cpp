#include "numeric/NumericCore.h"
#include "numeric/ComplexValue.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdint>

namespace {

TEST(NumericAllocation, VectorElementsOneToNAreUsable)
{
    errno = 0;
    const int n = 1000;
    double* v = AllocVector(1, n);
    ASSERT_NE(v, nullptr);
    for (int i = 1; i <= n; ++i)
        v[i] = i * 0.5;
    double sum = 0;
    for (int i = 1; i <= n; ++i)
        sum += v[i];
    EXPECT_DOUBLE_EQ(sum, 0.5 * n * (n + 1) / 2);
    FreeVector(v, 1, n);
    EXPECT_EQ(errno, 0);
}

TEST(NumericAllocation, IntVectorWithOtherLowerBounds)
{
    struct Case {
        int lo, hi;
    };
    const Case cases[] = {{1, 1}, {0, 9}, {-5, 5}, {1, 0}, {100, 120}, {INT_MAX - 3, INT_MAX}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "lo=" << c.lo << " hi=" << c.hi);
        errno = 0;
        int* v = AllocIntVector(c.lo, c.hi);
        ASSERT_NE(v, nullptr);
        for (std::int64_t i = c.lo; i <= c.hi; ++i)
            v[i] = static_cast<int>(i - c.lo);
        for (std::int64_t i = c.lo; i <= c.hi; ++i)
            EXPECT_EQ(v[i], i - c.lo);
        FreeIntVector(v, c.lo, c.hi);
        EXPECT_EQ(errno, 0);
    }
}

TEST(NumericAllocation, MatrixRowsAreContiguous)
{
    errno = 0;
    double** m = AllocMatrix(1, 3, 1, 4);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m[2], m[1] + 4);
    EXPECT_EQ(m[3], m[2] + 4);
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 4; ++j)
            m[i][j] = 10 * i + j;
    EXPECT_EQ(m[1][1], 11);
    EXPECT_EQ(m[3][4], 34);
    FreeMatrix(m, 1, 3, 1, 4);
    EXPECT_EQ(errno, 0);
}

TEST(NumericAllocation, EmptyRangesGiveValidHandles)
{
    errno = 0;
    double* v = AllocVector(1, 0);
    ASSERT_NE(v, nullptr);
    FreeVector(v, 1, 0);
    double** rowsOnly = AllocMatrix(1, 3, 1, 0);
    ASSERT_NE(rowsOnly, nullptr);
    FreeMatrix(rowsOnly, 1, 3, 1, 0);
    double** none = AllocMatrix(1, 0, 1, 0);
    ASSERT_NE(none, nullptr);
    FreeMatrix(none, 1, 0, 1, 0);
    EXPECT_EQ(errno, 0);
}

TEST(NumericAllocation, ReversedBoundsAndOverflowGiveNullAnd105)
{
    struct Case {
        int rlo, rhi, clo, chi;
    };
    const Case cases[] = {
        {1, -1, 1, 4},
        {1, 4, 5, 2},
        {INT_MAX, INT_MIN, 1, 1},
        {INT_MIN, INT_MAX, INT_MIN, INT_MAX},
        {1, INT_MAX, 1, INT_MAX},
        {1, 1 << 30, 1, 1 << 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.rlo << ".." << c.rhi << " x " << c.clo << ".." << c.chi);
        errno = 0;
        EXPECT_EQ(AllocMatrix(c.rlo, c.rhi, c.clo, c.chi), nullptr);
        EXPECT_EQ(errno, NumericOutOfMemory);
    }
    errno = 0;
    EXPECT_EQ(AllocVector(5, 3), nullptr);
    EXPECT_EQ(errno, NumericOutOfMemory);
    errno = 0;
    EXPECT_EQ(AllocIntVector(INT_MAX, INT_MIN), nullptr);
    EXPECT_EQ(errno, NumericOutOfMemory);
}

TEST(NumericAllocation, SuccessNeverClearsTheCallersErrno)
{
    errno = NumericBadArgument;
    double* v = AllocVector(1, 3);
    ASSERT_NE(v, nullptr);
    FreeVector(v, 1, 3);
    EXPECT_EQ(errno, NumericBadArgument);
}

TEST(NumericErrno, LeaveKeepsLibraryCodesAndRestoresOthers)
{
    struct Case {
        int before, during, after;
    };
    const Case cases[] = {
        {0, ERANGE, 0},
        {0, EDOM, 0},
        {77, ERANGE, 77},
        {0, NumericBadArgument, NumericBadArgument},
        {ERANGE, NumericIterationLimit, NumericIterationLimit},
        {NumericBadArgument, 0, NumericBadArgument},
        {0, 101, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "before=" << c.before << " during=" << c.during);
        errno = c.before;
        const int saved = ErrnoEnter();
        errno = c.during;
        EXPECT_EQ(ErrnoLeave(saved, 2.5), 2.5);
        EXPECT_EQ(errno, c.after);
    }
}

TEST(NumericErrno, OnlyTheLibrarysCodesAreRecognised)
{
    for (int code = 0; code < 200; ++code) {
        const bool own =
            code == 100 || code == 103 || code == 104 || code == 105 || code == 108 || code == 109;
        EXPECT_EQ(IsNumericErrorCode(code), own) << code;
    }
    errno = 0;
    SetMathErrno(NumericEqualAbscissae);
    EXPECT_EQ(errno, 108);
}

TEST(ComplexArithmetic, DivisionMatchesTheProductInverse)
{
    struct Case {
        ComplexValue a, b;
    };
    const Case cases[] = {
        {{1, 2}, {3, 4}}, {{-1, 0.5}, {0.25, -8}}, {{5, -3}, {-2, 0}}, {{0, 1}, {0, -3}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.a.re << "," << c.a.im << " / " << c.b.re << "," << c.b.im);
        const ComplexValue q = ComplexDivide(c.a, c.b);
        const ComplexValue back = ComplexMultiply(q, c.b);
        EXPECT_NEAR(back.re, c.a.re, 1e-15);
        EXPECT_NEAR(back.im, c.a.im, 1e-15);
    }
    const ComplexValue s = ComplexSubtract(ComplexAdd(MakeComplex(1, 2), MakeComplex(3, 4)),
                                           ComplexScale(2, MakeComplex(0.5, 1)));
    EXPECT_EQ(s.re, 3);
    EXPECT_EQ(s.im, 4);
}

} // namespace
