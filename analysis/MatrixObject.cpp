#include "analysis/MatrixObject.h"

#include "analysis/DataColumn.h"
#include "engine/CalcEngine.h"
#include "engine/CompiledExpression.h"
#include "engine/EngineNames.h"
#include "engine/EvaluationWork.h"
#include "framework/core/CArchive.h"
#include "numeric/LinearAlgebra.h"
#include "numeric/NumericCore.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <new>
#include <utility>

namespace {

// Beyond this many elements (with row and column 0) a matrix is refused as out of memory.
constexpr ULONGLONG kMaxElements = ULONGLONG(1) << 31;

// Runs a library routine with errno cleared and reports whether it set errno, keeping the
// caller's errno.
template <class F> bool LibraryFails(F&& call)
{
    const int saved = errno;
    errno = 0;
    call();
    const bool failed = errno != 0;
    errno = saved;
    return failed;
}

// A pivot at most this part (times n) of the largest element of its original row is rounding
// left of a zero: the row is a combination of the rows above it.
constexpr double kNegligiblePivot = 2.2e-16;

// The LU factors of an n x n matrix into lu and indx: 0; 15 for an element that is not finite;
// 34 for a singular matrix (a row of zeros, or a pivot that is zero or negligible against its
// original row), which must not be solved with a stand-in pivot.
int Decompose(CMatrixObject& lu, std::vector<int>& indx, double& parity)
{
    const int n = lu.GetRowCount();
    std::vector<double> rowScale(std::size_t(n) + 1, 0.0);
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            const double v = lu.GetAt(i, j);
            if (!std::isfinite(v))
                return ErrInvalidData;
            rowScale[std::size_t(i)] = std::max(rowScale[std::size_t(i)], std::fabs(v));
        }
    }
    indx.assign(std::size_t(n) + 1, 0);
    int replaced = 0;
    const int saved = errno;
    errno = 0;
    LuDecompose(lu.GetRows(), n, indx.data(), &parity, &replaced);
    const int library = errno;
    errno = saved;
    if (library == NumericOutOfMemory)
        return ErrOutOfMemory;
    if (library != 0 || replaced != 0)
        return ErrSingularMatrix;
    // Row j of the factors is the original row that the exchanges brought there.
    std::vector<int> origin(std::size_t(n) + 1);
    for (int i = 0; i <= n; ++i)
        origin[std::size_t(i)] = i;
    for (int j = 1; j <= n; ++j)
        std::swap(origin[std::size_t(j)], origin[std::size_t(indx[std::size_t(j)])]);
    for (int j = 1; j <= n; ++j)
        if (std::fabs(lu.GetAt(j, j)) <=
            n * kNegligiblePivot * rowScale[std::size_t(origin[std::size_t(j)])])
            return ErrSingularMatrix;
    return 0;
}

// The old row (or column) that new position i takes its values from, 0 for none: growing, the
// new position skip is the zero one; otherwise the old position skip is dropped.
int SourceIndex(int i, bool grow, int skip)
{
    if (grow)
        return i == skip ? 0 : i > skip ? i - 1 : i;
    return i >= skip ? i + 1 : i;
}

} // namespace

CMatrixObject::CMatrixObject() : CDataObject(DataTypeMatrix) {}

bool CMatrixObject::Allocate(int rows, int cols, std::vector<double>& data,
                             std::vector<double*>& rowPointers)
{
    if (rows < 0 || cols < 0)
        return false;
    const ULONGLONG width = ULONGLONG(cols) + 1;
    const ULONGLONG elements = (ULONGLONG(rows) + 1) * width;
    if (elements > kMaxElements)
        return false;
    try {
        data.assign(std::size_t(elements), 0.0);
        rowPointers.resize(std::size_t(rows) + 1);
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (int i = 0; i <= rows; ++i)
        rowPointers[std::size_t(i)] = data.data() + std::size_t(i) * width;
    return true;
}

void CMatrixObject::Take(int rows, int cols, std::vector<double>& data,
                         std::vector<double*>& rowPointers)
{
    m_data.swap(data);
    m_rows.swap(rowPointers);
    m_nRows = rows;
    m_nCols = cols;
    m_bModified = TRUE;
}

int CMatrixObject::Resize(int rows, int cols, BOOL bKeep)
{
    std::vector<double> data;
    std::vector<double*> rowPointers;
    if (!Allocate(rows, cols, data, rowPointers))
        return ErrOutOfMemory;
    if (bKeep && !m_rows.empty()) {
        const int keepRows = std::min(rows, m_nRows), keepCols = std::min(cols, m_nCols);
        for (int i = 1; i <= keepRows; ++i)
            std::copy_n(m_rows[std::size_t(i)] + 1, keepCols, rowPointers[std::size_t(i)] + 1);
    }
    Take(rows, cols, data, rowPointers);
    return 0;
}

void CMatrixObject::Zero()
{
    std::fill(m_data.begin(), m_data.end(), 0.0);
    m_bModified = TRUE;
}

int CMatrixObject::Copy(const CMatrixObject& other)
{
    if (&other == this)
        return 0;
    if (other.m_rows.empty()) {
        m_data.clear();
        m_rows.clear();
        m_nRows = m_nCols = 0;
        m_bModified = TRUE;
        return 0;
    }
    std::vector<double> data;
    std::vector<double*> rowPointers;
    if (!Allocate(other.m_nRows, other.m_nCols, data, rowPointers))
        return ErrOutOfMemory;
    std::copy(other.m_data.begin(), other.m_data.end(), data.begin());
    Take(other.m_nRows, other.m_nCols, data, rowPointers);
    return 0;
}

int CMatrixObject::FromColumn(const CDataColumn& column)
{
    const int n = column.GetCount();
    std::vector<double> data;
    std::vector<double*> rowPointers;
    if (!Allocate(n, 1, data, rowPointers))
        return ErrOutOfMemory;
    for (int i = 1; i <= n; ++i)
        rowPointers[std::size_t(i)][1] = column.GetValue(i);
    Take(n, 1, data, rowPointers);
    return 0;
}

void CMatrixObject::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        WriteBase(ar);
        ar << std::int32_t(m_nRows) << std::int32_t(m_nCols);
        if (m_nRows > 0 && m_nCols > 0)
            for (int i = 1; i <= m_nRows; ++i)
                ar.WriteArray(m_rows[std::size_t(i)] + 1, std::size_t(m_nCols));
        return;
    }
    const StoredBase base = ReadBase(ar);
    std::int32_t rows = 0, cols = 0;
    ar >> rows >> cols;
    if (rows < 0 || cols < 0)
        throw CArchiveException(CArchiveException::genericException);
    if (rows == 0 || cols == 0) {
        // No elements follow; the matrix keeps what it holds.
        TakeBase(base);
        return;
    }
    // Checked in 64 bits against what the file still holds before anything is allocated.
    ar.CheckCount(ULONGLONG(rows) * ULONGLONG(cols), sizeof(double));
    std::vector<double> data;
    std::vector<double*> rowPointers;
    if (!Allocate(rows, cols, data, rowPointers))
        throw CArchiveException(CArchiveException::genericException);
    for (int i = 1; i <= rows; ++i)
        ar.ReadArray(rowPointers[std::size_t(i)] + 1, std::size_t(cols));
    TakeBase(base);
    Take(rows, cols, data, rowPointers);
    m_bModified = FALSE;
}

int CMatrixObject::ApplyExpression(CCalcEngine& engine)
{
    const CommandWork command; // one budget in time for every element
    CMatrixObject result;
    if (const int code = result.Copy(*this))
        return code;
    CCompiledExpression program(engine.m_Root);
    for (int i = 1; i <= m_nRows; ++i)
        for (int j = 1; j <= m_nCols; ++j)
            if (const int code = program.EvaluateAt(GetAt(i, j), result.m_rows[std::size_t(i)][j]))
                return code;
    m_data.swap(result.m_data);
    m_rows.swap(result.m_rows);
    m_bModified = TRUE;
    return 0;
}

int CMatrixObject::Determinant(double& result) const
{
    if (!IsSquare())
        return ErrNotSupported;
    CMatrixObject lu;
    if (const int code = lu.Copy(*this))
        return code;
    std::vector<int> indx;
    double parity = 1;
    if (const int code = Decompose(lu, indx, parity))
        return code;
    // The pivots' product with its binary exponent kept apart, so that partial products neither
    // overflow nor underflow on the way; a determinant beyond the doubles is 17.
    double mantissa = parity;
    long long exponent = 0;
    for (int i = 1; i <= m_nRows; ++i) {
        int e = 0;
        mantissa = std::frexp(mantissa * lu.GetAt(i, i), &e);
        exponent += e;
    }
    if (mantissa != 0 && exponent > std::numeric_limits<double>::max_exponent)
        return ErrResultTooLarge;
    result = std::ldexp(mantissa, int(std::max<long long>(exponent, INT_MIN / 2)));
    if (!std::isfinite(result))
        return ErrResultTooLarge;
    return 0;
}

int CMatrixObject::Invert()
{
    if (!IsSquare())
        return ErrNotSupported;
    const int n = m_nRows;
    CMatrixObject lu, inverse;
    if (lu.Copy(*this) || inverse.Resize(n, n, FALSE))
        return ErrOutOfMemory;
    std::vector<int> indx;
    double parity = 1;
    if (const int code = Decompose(lu, indx, parity))
        return code;
    std::vector<double> column(std::size_t(n) + 1);
    for (int j = 1; j <= n; ++j) {
        std::fill(column.begin(), column.end(), 0.0);
        column[std::size_t(j)] = 1.0;
        LuBackSubstitute(lu.GetRows(), n, indx.data(), column.data());
        for (int i = 1; i <= n; ++i)
            inverse.m_rows[std::size_t(i)][j] = column[std::size_t(i)];
    }
    m_data.swap(inverse.m_data);
    m_rows.swap(inverse.m_rows);
    m_bModified = TRUE;
    return 0;
}

int CMatrixObject::SolveAugmented(CDataColumn& solution) const
{
    const int n = m_nRows;
    if (n < 1 || m_nCols != n + 1)
        return ErrNotSupported;
    CMatrixObject lu;
    if (lu.Resize(n, n, FALSE))
        return ErrOutOfMemory;
    std::vector<double> b(std::size_t(n) + 1, 0.0);
    for (int i = 1; i <= n; ++i) {
        std::copy_n(m_rows[std::size_t(i)] + 1, n, lu.m_rows[std::size_t(i)] + 1);
        b[std::size_t(i)] = GetAt(i, n + 1);
    }
    std::vector<int> indx;
    double parity = 1;
    if (const int code = Decompose(lu, indx, parity))
        return code;
    LuBackSubstitute(lu.GetRows(), n, indx.data(), b.data());
    solution.TakeValues(b);
    return 0;
}

int CMatrixObject::Eigen(CDataColumn& values, CMatrixObject* vectors) const
{
    if (!IsSquare())
        return ErrNotSupported;
    const int n = m_nRows;
    double largest = 0;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            if (!std::isfinite(GetAt(i, j)))
                return ErrInvalidData;
            largest = std::max(largest, std::fabs(GetAt(i, j)));
        }
    }
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (!(std::fabs(GetAt(i, j) - GetAt(j, i)) <= 1e-12 * largest))
                return ErrNotSupported;
    CMatrixObject eigenvectors;
    if (vectors && eigenvectors.Resize(n, n, FALSE))
        return ErrOutOfMemory;
    std::vector<double> eigenvalues(std::size_t(n) + 1, 0.0);
    int rotations = 0;
    if (LibraryFails([&] {
            JacobiEigen(m_rows.data(), n, eigenvalues.data(),
                        vectors ? eigenvectors.GetRows() : nullptr, &rotations);
        }))
        return ErrInvalidData;
    values.TakeValues(eigenvalues);
    if (vectors) {
        vectors->m_data.swap(eigenvectors.m_data);
        vectors->m_rows.swap(eigenvectors.m_rows);
        vectors->m_nRows = vectors->m_nCols = n;
        vectors->m_bModified = TRUE;
    }
    return 0;
}

int CMatrixObject::Transpose()
{
    std::vector<double> data;
    std::vector<double*> rowPointers;
    if (!Allocate(m_nCols, m_nRows, data, rowPointers))
        return ErrOutOfMemory;
    for (int i = 1; i <= m_nCols; ++i)
        for (int j = 1; j <= m_nRows; ++j)
            rowPointers[std::size_t(i)][j] = GetAt(j, i);
    Take(m_nCols, m_nRows, data, rowPointers);
    return 0;
}

int CMatrixObject::Combine(const CMatrixObject& other, int operation)
{
    if (operation < MatrixAdd || operation > MatrixMultiply)
        return 0;
    if (operation != MatrixMultiply ? !IsSameSize(other) : m_nCols != other.m_nRows)
        return ErrNotSupported;
    // A · A reads the other operand while this one is rewritten: work from a copy.
    CMatrixObject copy;
    const CMatrixObject* pOther = &other;
    if (&other == this) {
        if (copy.Copy(other))
            return ErrOutOfMemory;
        pOther = &copy;
    }
    if (operation != MatrixMultiply) {
        const double sign = operation == MatrixAdd ? 1.0 : -1.0;
        for (int i = 1; i <= m_nRows; ++i)
            for (int j = 1; j <= m_nCols; ++j)
                m_rows[std::size_t(i)][j] += sign * pOther->GetAt(i, j);
        m_bModified = TRUE;
        return 0;
    }
    std::vector<double> data;
    std::vector<double*> rowPointers;
    if (!Allocate(m_nRows, pOther->m_nCols, data, rowPointers))
        return ErrOutOfMemory;
    for (int i = 1; i <= m_nRows; ++i) {
        for (int j = 1; j <= pOther->m_nCols; ++j) {
            double sum = 0;
            for (int k = 1; k <= m_nCols; ++k)
                sum += GetAt(i, k) * pOther->GetAt(k, j);
            rowPointers[std::size_t(i)][j] = sum;
        }
    }
    Take(m_nRows, pOther->m_nCols, data, rowPointers);
    return 0;
}

int CMatrixObject::Rebuild(int rows, int cols, int skipRow, int skipCol)
{
    std::vector<double> data;
    std::vector<double*> rowPointers;
    if (!Allocate(rows, cols, data, rowPointers))
        return ErrOutOfMemory;
    const bool growRows = rows > m_nRows, growCols = cols > m_nCols;
    for (int i = 1; i <= rows; ++i) {
        const int from = SourceIndex(i, growRows, skipRow);
        if (from < 1 || from > m_nRows)
            continue;
        for (int j = 1; j <= cols; ++j) {
            const int fromCol = SourceIndex(j, growCols, skipCol);
            if (fromCol >= 1 && fromCol <= m_nCols)
                rowPointers[std::size_t(i)][j] = GetAt(from, fromCol);
        }
    }
    Take(rows, cols, data, rowPointers);
    return 0;
}

int CMatrixObject::InsertRow(int r)
{
    if (r < 1 || r > m_nRows + 1)
        return ErrNotSupported;
    return Rebuild(m_nRows + 1, m_nCols, r, m_nCols + 1);
}

int CMatrixObject::DeleteRow(int r)
{
    if (r < 1 || r > m_nRows)
        return ErrNotSupported;
    return Rebuild(m_nRows - 1, m_nCols, r, m_nCols + 1);
}

int CMatrixObject::InsertColumn(int c)
{
    if (c < 1 || c > m_nCols + 1)
        return ErrNotSupported;
    return Rebuild(m_nRows, m_nCols + 1, m_nRows + 1, c);
}

int CMatrixObject::DeleteColumn(int c)
{
    if (c < 1 || c > m_nCols)
        return ErrNotSupported;
    return Rebuild(m_nRows, m_nCols - 1, m_nRows + 1, c);
}
