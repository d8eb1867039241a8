// The document's side of the data view: typed cells, the workspace's tip, and the commands at
// the grid's focus cell (rows and columns, entries, favourites, a double-clicked entry).
#include "analysis/GridView.h"
#include "app/MyDocument.h"
#include "app/RichWorkspace.h"
#include "res/resource.h"

CGridView* CMyDocument::GetGridView() const
{
    for (CView* pView : m_viewList)
        if (auto* pGridView = dynamic_cast<CGridView*>(pView))
            if (pGridView->GetSafeHwnd())
                return pGridView;
    return nullptr;
}

BOOL CMyDocument::ApplyGridEdit(int row, int column, CString& text)
{
    double value = 0;
    return m_Model.ApplyGridEdit(row, column, text, value);
}

void CMyDocument::HideTip()
{
    if (CRichWorkspace* pWorkspace = GetWorkspaceView())
        pWorkspace->GetTipWnd().Hide();
}

namespace {

// The grid's focus cell when it is one of the data cells (not a header), else (-1, -1).
CCellPos DataFocusCell(CGridView* pView)
{
    if (!pView)
        return CCellPos(-1, -1);
    CGridCtrl& grid = pView->GetGrid();
    const CCellPos cell = grid.GetFocusCell();
    if (!grid.IsValid(cell) || cell.row < grid.GetFixedRowCount() ||
        cell.col < grid.GetFixedColumnCount())
        return CCellPos(-1, -1);
    return cell;
}

} // namespace

void CMyDocument::OnGridRowOrColumn(UINT nID)
{
    CGridView* pView = GetGridView();
    const CCellPos cell = DataFocusCell(pView);
    if (cell.row < 0)
        return;
    BOOL bMoved = FALSE;
    switch (nID) {
    case ID_GRID_INSERT_ROW:
        bMoved = m_Model.InsertGridRow(cell.row);
        break;
    case ID_GRID_DELETE_ROW:
        bMoved = m_Model.DeleteGridRow(cell.row);
        break;
    case ID_GRID_INSERT_COLUMN:
        bMoved = m_Model.InsertGridColumn(cell.col);
        break;
    case ID_GRID_DELETE_COLUMN:
        bMoved = m_Model.DeleteGridColumn(cell.col);
        break;
    default:
        break;
    }
    // Entries moved under the selection: it would highlight cells the user never chose.
    if (bMoved)
        pView->DropSelection();
}

void CMyDocument::OnGridDeleteItem()
{
    CGridView* pView = GetGridView();
    const CCellPos cell = DataFocusCell(pView);
    if (cell.row >= 0 && m_Model.DeleteGridEntry(cell.row))
        pView->DropSelection();
}

void CMyDocument::OnGridDeleteRows()
{
    CGridView* pView = GetGridView();
    if (!pView)
        return;
    const CCellBlock block = pView->GetGrid().GetSelectedCellRange();
    if (pView->GetGrid().IsValid(block) &&
        m_Model.DeleteGridRows(block.GetMinRow(), block.GetMaxRow(), block.GetMinCol()))
        pView->DropSelection();
}

void CMyDocument::OnGridAddToFavorites()
{
    const CCellPos cell = DataFocusCell(GetGridView());
    if (cell.row >= 0)
        m_Model.AddEntryToFavorites(cell.row);
}

void CMyDocument::OnGridInsertEntry()
{
    const CCellPos cell = DataFocusCell(GetGridView());
    if (cell.row < 0)
        return;
    const CString text = m_Model.GetEntryWorkspaceText(cell.row);
    if (CRichWorkspace* pWorkspace = GetWorkspaceView(); pWorkspace && !text.IsEmpty())
        pWorkspace->TypeText(text);
}
