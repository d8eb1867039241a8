#pragma once
// What the program's grid asks of the view that owns it. The data view implements it; a grid
// without one never lets the user change a cell.
#include "framework/core/CString.h"
#include "grid/CellRange.h"

#include <vector>

class IGridOwnerView {
public:
    virtual ~IGridOwnerView() = default;
    // Whether the user may change cell (nRow, nCol) at all.
    virtual BOOL IsCellEditable(int nRow, int nCol) = 0;
    // Whether szText may stand in the cell; FALSE puts the old text back.
    virtual BOOL ValidateEdit(int nRow, int nCol, LPCTSTR szText) = 0;
    // The text an in-place editor over the cell starts with.
    virtual CString GetEditText(int nRow, int nCol) = 0;
    // Whether dragged cells may be dropped on the grid now.
    virtual BOOL CanAcceptDrop() = 0;
    // A drop wrote the cells of block (a paste sends nothing: the view reads the clipboard
    // itself); the view takes them into its item, or refreshes the grid from it.
    virtual void OnCellsDropped(const CCellBlock& block) = 0;
    // The user empties cells (Delete, Cut, the source of a move): TRUE when the view took them
    // into its item and showed the result, FALSE to leave each to the grid's guarded path.
    virtual BOOL EmptyCells(const std::vector<CCellPos>& cells) = 0;
};
