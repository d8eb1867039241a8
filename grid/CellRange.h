#pragma once
// Cell addresses and rectangular blocks of cells of a grid.
#include "framework/core/Platform.h"

// A cell address; (-1, -1) means no cell.
class CCellPos {
public:
    CCellPos() = default;
    CCellPos(int nRow, int nCol) : row(nRow), col(nCol) {}

    BOOL IsValid() const { return row >= 0 && col >= 0; }
    friend bool operator==(const CCellPos& a, const CCellPos& b)
    {
        return a.row == b.row && a.col == b.col;
    }

    int row = -1;
    int col = -1;
};

// A block of cells from (minimum row, minimum column) to (maximum row, maximum column), both
// corners included. The empty block is (-1, -1, -1, -1).
class CCellBlock {
public:
    CCellBlock() = default;
    CCellBlock(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol)
        : m_nMinRow(nMinRow), m_nMinCol(nMinCol), m_nMaxRow(nMaxRow), m_nMaxCol(nMaxCol)
    {
    }

    int GetMinRow() const { return m_nMinRow; }
    int GetMinCol() const { return m_nMinCol; }
    int GetMaxRow() const { return m_nMaxRow; }
    int GetMaxCol() const { return m_nMaxCol; }
    CCellPos GetTopLeft() const { return CCellPos(m_nMinRow, m_nMinCol); }

    // All corners non-negative and the minima not past the maxima.
    BOOL IsValid() const
    {
        return m_nMinRow >= 0 && m_nMinCol >= 0 && m_nMaxRow >= 0 && m_nMaxCol >= 0 &&
               m_nMinRow <= m_nMaxRow && m_nMinCol <= m_nMaxCol;
    }
    // Valid and inside a grid of nRows x nCols cells.
    BOOL IsValidIn(int nRows, int nCols) const
    {
        return IsValid() && m_nMaxRow < nRows && m_nMaxCol < nCols;
    }
    BOOL Contains(int nRow, int nCol) const
    {
        return nRow >= m_nMinRow && nRow <= m_nMaxRow && nCol >= m_nMinCol && nCol <= m_nMaxCol;
    }
    BOOL Contains(const CCellPos& cell) const { return Contains(cell.row, cell.col); }
    // Cells in the block (0 for an invalid block); 64-bit, since a block can hold more cells
    // than an int counts.
    LONGLONG GetCellCount() const
    {
        if (!IsValid())
            return 0;
        return LONGLONG(m_nMaxRow - m_nMinRow + 1) * LONGLONG(m_nMaxCol - m_nMinCol + 1);
    }
    friend bool operator==(const CCellBlock& a, const CCellBlock& b)
    {
        return a.m_nMinRow == b.m_nMinRow && a.m_nMinCol == b.m_nMinCol &&
               a.m_nMaxRow == b.m_nMaxRow && a.m_nMaxCol == b.m_nMaxCol;
    }

private:
    int m_nMinRow = -1;
    int m_nMinCol = -1;
    int m_nMaxRow = -1;
    int m_nMaxCol = -1;
};
