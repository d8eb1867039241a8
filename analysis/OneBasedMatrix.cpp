#include "analysis/OneBasedMatrix.h"

#include <algorithm>

OneBasedMatrix& OneBasedMatrix::operator=(const OneBasedMatrix& other)
{
    if (this != &other) {
        Resize(other.m_rows, other.m_cols);
        std::copy(other.m_block.begin(), other.m_block.end(), m_block.begin());
    }
    return *this;
}

void OneBasedMatrix::Resize(int rows, int cols)
{
    rows = std::max(rows, 0);
    cols = std::max(cols, 0);
    const std::size_t stride = std::size_t(cols) + 1;
    m_block.assign((std::size_t(rows) + 1) * stride, 0.0);
    m_rowPointers.resize(std::size_t(rows) + 1);
    for (std::size_t i = 0; i <= std::size_t(rows); ++i)
        m_rowPointers[i] = m_block.data() + i * stride;
    m_rows = rows;
    m_cols = cols;
}

void OneBasedMatrix::Fill(double value) { std::fill(m_block.begin(), m_block.end(), value); }
