#pragma once
#include "analysis/DataObject.h"

#include <vector>

class CDataColumn;

// Operations of CMatrixObject::Combine.
enum MatrixCombine : int { MatrixAdd = 0, MatrixSubtract = 1, MatrixMultiply = 2 };

// A project matrix: rows x cols doubles, 1-based. The elements live in one block with row 0 and
// column 0 allocated and unused, and GetRows() gives the row pointers the numerical library
// takes. Operations answer with engine codes: 15 invalid data (a singular matrix or a failed
// library call), 33 out of memory, 41 a shape that does not fit; a failed operation changes
// nothing.
class CMatrixObject : public CDataObject {
public:
    CMatrixObject();
    CMatrixObject(const CMatrixObject&) = delete;
    CMatrixObject& operator=(const CMatrixObject&) = delete;

    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    double GetAt(int i, int j) const { return m_rows[std::size_t(i)][j]; }
    void SetAt(int i, int j, double value)
    {
        m_rows[std::size_t(i)][j] = value;
        m_bModified = TRUE;
    }
    // Row pointers 0..rows, each row 0..cols; null for a matrix without storage.
    double** GetRows() { return m_rows.empty() ? nullptr : m_rows.data(); }

    // New storage of the size, all 0; with keep the overlapping part is copied. 33 (nothing
    // changed) when the storage cannot be had.
    int Resize(int rows, int cols, BOOL bKeep);
    void Zero();
    int Copy(const CMatrixObject& other);
    BOOL IsSameSize(const CMatrixObject& other) const
    {
        return m_nRows == other.m_nRows && m_nCols == other.m_nCols;
    }
    // An n x 1 matrix of the column's values.
    int FromColumn(const CDataColumn& column);

    // Base form, rows, cols, then the elements row by row.
    void Serialize(CArchive& ar) override;
    int ApplyExpression(CCalcEngine& engine) override;

    // 0, 41 when not square, 15 for an element that is not finite, 34 for a singular matrix
    // (result unchanged), 17 for a determinant too large for a double.
    int Determinant(double& result) const;
    int Invert();
    // The n x (n + 1) augmented system solved into the column's n values.
    int SolveAugmented(CDataColumn& solution) const;
    // Eigenvalues and, when vectors is given, eigenvectors (columns) of a symmetric matrix by
    // Jacobi rotations.
    int Eigen(CDataColumn& values, CMatrixObject* vectors) const;
    int Transpose();
    int Combine(const CMatrixObject& other, int operation);
    // 1-based positions: rows 1..rows + 1 for inserting, 1..rows for deleting; 41 outside.
    int InsertRow(int r);
    int DeleteRow(int r);
    int InsertColumn(int c);
    int DeleteColumn(int c);

private:
    // Builds storage of a size into data and rows; false when it cannot be had.
    static bool Allocate(int rows, int cols, std::vector<double>& data,
                         std::vector<double*>& rowPointers);
    // The matrix at a size one row or column larger or smaller: when growing, row skipRow
    // (column skipCol) is the new zero one; when shrinking, that old one is dropped.
    int Rebuild(int rows, int cols, int skipRow, int skipCol);
    void Take(int rows, int cols, std::vector<double>& data, std::vector<double*>& rowPointers);
    bool IsSquare() const { return m_nRows > 0 && m_nRows == m_nCols; }

    std::vector<double> m_data;
    std::vector<double*> m_rows;
    int m_nRows = 0;
    int m_nCols = 0;
};
