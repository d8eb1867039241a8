#pragma once
#include <vector>

// A rows x cols matrix of doubles addressed [1..rows][1..cols] through row pointers, the form
// the elimination and fitting routines take; the storage is one owned block, row 0 and column 0
// unused. Construction throws std::bad_alloc like any container; callers that size it from user
// data catch that and report "Out of memory".
class OneBasedMatrix {
public:
    OneBasedMatrix() = default;
    OneBasedMatrix(int rows, int cols) { Resize(rows, cols); }
    OneBasedMatrix(const OneBasedMatrix& other) { *this = other; }
    OneBasedMatrix& operator=(const OneBasedMatrix& other);
    OneBasedMatrix(OneBasedMatrix&&) noexcept = default;
    OneBasedMatrix& operator=(OneBasedMatrix&&) noexcept = default;

    // New size, every element 0.
    void Resize(int rows, int cols);
    void Fill(double value);

    int RowCount() const { return m_rows; }
    int ColumnCount() const { return m_cols; }
    double** Rows() { return m_rowPointers.data(); }
    double* operator[](int i) { return m_rowPointers[std::size_t(i)]; }
    const double* operator[](int i) const { return m_rowPointers[std::size_t(i)]; }

private:
    int m_rows = 0;
    int m_cols = 0;
    std::vector<double> m_block;
    std::vector<double*> m_rowPointers;
};
