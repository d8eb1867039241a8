#pragma once
#include <vector>

// Where each pane of a static splitter sits when one row and one column may be hidden. Panes
// keep their cell of the full grid for good; what changes is the slot each one shows in, and
// so its control id (pane offset 16 x row + column from the splitter's first pane id):
// - a visible pane: its row and column among the visible ones;
// - a pane of the hidden column: (its visible row, visible column count);
// - a pane of the hidden row: (visible row count, its visible column);
// - the pane in both: (visible row count, visible column count).
// Every slot is unique, and no hidden pane takes a slot of the visible grid.
class CPaneTable {
public:
    void Reset(int nRows, int nCols);

    int GetRows() const { return m_nRows; }
    int GetCols() const { return m_nCols; }
    int GetVisibleRows() const { return m_nRows - (m_nHiddenRow >= 0 ? 1 : 0); }
    int GetVisibleCols() const { return m_nCols - (m_nHiddenCol >= 0 ? 1 : 0); }
    int GetHiddenRow() const { return m_nHiddenRow; }
    int GetHiddenCol() const { return m_nHiddenCol; }

    // false (nothing changes) for a bad index, when one is hidden already, or for the last
    // visible row or column.
    bool HideRow(int row);
    bool HideCol(int col);
    // The index that was hidden, or -1 when none was.
    int ShowRow();
    int ShowCol();

    bool IsVisible(int row, int col) const { return row != m_nHiddenRow && col != m_nHiddenCol; }
    // The slot of a visible row or column, or of a hidden one (the visible count).
    int SlotOfRow(int row) const { return Slot(row, m_nHiddenRow, GetVisibleRows()); }
    int SlotOfCol(int col) const { return Slot(col, m_nHiddenCol, GetVisibleCols()); }
    // 16 x row slot + column slot.
    int PaneOffset(int row, int col) const { return 16 * SlotOfRow(row) + SlotOfCol(col); }
    // The full-grid index shown in a visible slot, or -1 outside the visible ones.
    int RowOfSlot(int slot) const { return Index(slot, m_nHiddenRow, GetVisibleRows()); }
    int ColOfSlot(int slot) const { return Index(slot, m_nHiddenCol, GetVisibleCols()); }

private:
    static int Slot(int index, int hidden, int visible);
    static int Index(int slot, int hidden, int visible);

    int m_nRows = 0;
    int m_nCols = 0;
    int m_nHiddenRow = -1;
    int m_nHiddenCol = -1;
};
