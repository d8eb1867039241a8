#include "ui/PaneTable.h"

void CPaneTable::Reset(int nRows, int nCols)
{
    m_nRows = nRows > 0 ? nRows : 0;
    m_nCols = nCols > 0 ? nCols : 0;
    m_nHiddenRow = m_nHiddenCol = -1;
}

bool CPaneTable::HideRow(int row)
{
    if (m_nHiddenRow >= 0 || row < 0 || row >= m_nRows || m_nRows < 2)
        return false;
    m_nHiddenRow = row;
    return true;
}

bool CPaneTable::HideCol(int col)
{
    if (m_nHiddenCol >= 0 || col < 0 || col >= m_nCols || m_nCols < 2)
        return false;
    m_nHiddenCol = col;
    return true;
}

int CPaneTable::ShowRow()
{
    const int row = m_nHiddenRow;
    m_nHiddenRow = -1;
    return row;
}

int CPaneTable::ShowCol()
{
    const int col = m_nHiddenCol;
    m_nHiddenCol = -1;
    return col;
}

int CPaneTable::Slot(int index, int hidden, int visible)
{
    if (index == hidden)
        return visible;
    return hidden >= 0 && index > hidden ? index - 1 : index;
}

int CPaneTable::Index(int slot, int hidden, int visible)
{
    if (slot < 0 || slot >= visible)
        return -1;
    return hidden >= 0 && slot >= hidden ? slot + 1 : slot;
}
