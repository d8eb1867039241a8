// The data view's side of its grid: the owner's answers (which cells take input, which texts
// stand, where drops land) and the grid's notifications (an ended edit, a "Calculate" click,
// a column resized by the mouse).
#include "analysis/GridView.h"

#include "analysis/ItemType.h"
#include "framework/win/CWaitCursor.h"

#include <algorithm>

namespace {

constexpr int kCalculateColumn = 3;
constexpr int kFirstCalculateRow = 3;

} // namespace

BOOL CGridView::IsCellEditable(int nRow, int nCol)
{
    const IDataViewDocument* pDoc = GetDataDocument();
    if (!pDoc || nRow < 1 || nCol < 1)
        return FALSE;
    // A paste or drop writes its whole block; the document keeps what fits its item.
    if (m_Grid.IsPasting() && IsDataItemKind(pDoc->GetSelectedKind()))
        return TRUE;
    return pDoc->IsCellEditable(nRow, nCol);
}

BOOL CGridView::ValidateEdit(int, int, LPCTSTR szText)
{
    // A table takes every pasted field: one that is no number, or none, empties its cell.
    if (m_Grid.IsPasting() && GetSelectedKind() == ItemDataTable)
        return TRUE;
    CString text = szText;
    text.Trim();
    if (text.IsEmpty())
        return !m_Grid.IsPasting() && IsDataItemKind(GetSelectedKind());
    return text[0] != '#' || !m_Grid.IsPasting();
}

CString CGridView::GetEditText(int nRow, int nCol)
{
    if (const auto found = m_MessageCells.find({nRow, nCol}); found != m_MessageCells.end())
        return found->second;
    return m_Grid.GetItemText(nRow, nCol);
}

BOOL CGridView::CanAcceptDrop() { return IsDataItemKind(GetSelectedKind()); }

void CGridView::OnCellsDropped(const CCellBlock& block)
{
    if (IDataViewDocument* pDoc = GetDataDocument()) {
        const PastedCells cells = CollectPastedCells(block);
        if (!cells.empty())
            pDoc->TakePastedCells(cells);
    }
}

BOOL CGridView::EmptyCells(const std::vector<CCellPos>& cells)
{
    IDataViewDocument* pDoc = GetDataDocument();
    const int kind = pDoc ? pDoc->GetSelectedKind() : ItemNone;
    if (!IsDataItemKind(kind))
        return FALSE;
    CellAddresses addresses;
    for (const CCellPos& cell : cells)
        addresses.push_back({cell.row, cell.col});
    pDoc->EmptyGridCells(addresses);
    if (kind == ItemList)
        DropSelection();
    return TRUE;
}

PastedCells CGridView::CollectPastedCells(const CCellBlock& block)
{
    PastedCells cells;
    if (!m_Grid.IsValid(block))
        return cells;
    for (int row = std::max(block.GetMinRow(), 1); row <= block.GetMaxRow(); ++row)
        for (int column = std::max(block.GetMinCol(), 1); column <= block.GetMaxCol(); ++column)
            if (m_Grid.GetModified(row, column))
                cells.push_back({row, column, m_Grid.GetItemText(row, column)});
    return cells;
}

void CGridView::OnEndEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pInfo = reinterpret_cast<GridDispInfo*>(pNMHDR);
    IDataViewDocument* pDoc = GetDataDocument();
    const int row = pInfo->item.row, column = pInfo->item.col;
    const CString typed = pInfo->item.strText;
    CString text = typed;
    const CWaitCursor wait; // an edit may redraw a plot of the whole table
    if (CString(typed).Trim().IsEmpty() && EmptyCells({CCellPos(row, column)})) {
        *pResult = 0;
        return;
    }
    if (!pDoc || !pDoc->ApplyGridEdit(row, column, text)) {
        *pResult = -1;
        return;
    }
    *pResult = 0;
    m_Grid.SetItemString(row, column, text);
    // A refusal's message stands in the cell; the next edit there starts from what was typed.
    if (text.Left(1) == "#")
        m_MessageCells[{row, column}] = typed;
    else
        m_MessageCells.erase({row, column});
    // An entry typed into the next free row makes the row after it the next free one.
    ColourRows(*pDoc, row);
    ResizeGrid();
}

void CGridView::OnButtonClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* pInfo = reinterpret_cast<const GridNotifyInfo*>(pNMHDR);
    IDataViewDocument* pDoc = GetDataDocument();
    const int row = pInfo->iRow;
    if (!pDoc || pDoc->GetSelectedKind() != ItemSolverModel || pInfo->iColumn != kCalculateColumn ||
        row < kFirstCalculateRow || row - kFirstCalculateRow >= m_nCalculateButtons)
        return;
    if (const CString failure = pDoc->ShowSolverSolution(row - kFirstCalculateRow);
        !failure.IsEmpty()) {
        m_Grid.SetItemString(row, 2, failure);
        m_Grid.RedrawCell(row, 2);
        m_MessageCells[{row, 2}] = CString(); // the value cell shows why; typing starts afresh
    }
}

void CGridView::OnColumnResized(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* pInfo = reinterpret_cast<const GridNotifyInfo*>(pNMHDR);
    if (IDataViewDocument* pDoc = GetDataDocument())
        pDoc->StoreColumnWidth(pInfo->iColumn, pInfo->iRow);
}
