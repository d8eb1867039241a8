// The grid's text exchange: the edit commands and the clipboard, drag and drop of cells between
// grids, sorting by a column, and the header clicks.
#include "grid/CGridCtrl.h"

#include "engine/LocaleSeparators.h"
#include "framework/win/CCmdUI.h"
#include "framework/win/CDC.h"
#include "framework/win/CDialog.h"
#include "framework/win/CImageList.h"
#include "framework/win/COleDataObject.h"
#include "framework/win/COleDataSource.h"
#include "framework/win/CSharedFile.h"
#include "framework/win/Controls.h"
#include "framework/win/GlobalMemory.h"
#include "grid/GridClipboardText.h"
#include "grid/GridSort.h"

#include <algorithm>
#include <new>

// --- Clipboard -----------------------------------------------------------------------------

COleDataSource* CGridCtrl::CopyTextFromGrid()
{
    const CCellBlock range = GetSelectedCellRange();
    if (!IsValid(range))
        return nullptr;
    if (m_bVirtualMode)
        SendCacheHintToParent(range);
    HGLOBAL hText = nullptr;
    try {
        const std::string text = BuildGridCopyText(
            range, m_rows, m_cols, [this](int r, int c) { return IsCellSelected(r, c); },
            [this](int r, int c) { return GetItemText(r, c); });
        CSharedFile file(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, 4096);
        file.Write(text.data(), UINT(text.size()));
        file.Write("", 1);
        hText = file.Detach();
    } catch (const std::bad_alloc&) {
        hText = nullptr;
    } catch (const CMemoryException&) {
        hText = nullptr;
    }
    if (m_bVirtualMode)
        SendCacheHintToParent(CCellBlock());
    if (!hText)
        return nullptr;
    auto* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, hText);
    return pSource;
}

std::vector<CCellPos> CGridCtrl::GetSelectedShownCells() const
{
    // Only the selected cells: an unselected cell inside their bounding block keeps its text.
    std::vector<CCellPos> cells = m_SelectedCellMap.GetCells();
    std::erase_if(cells, [this](const CCellPos& cell) {
        return !m_rows.IsShown(cell.row) || !m_cols.IsShown(cell.col);
    });
    std::sort(cells.begin(), cells.end(), [](const CCellPos& a, const CCellPos& b) {
        return a.row != b.row ? a.row < b.row : a.col < b.col;
    });
    return cells;
}

void CGridCtrl::CutSelectedText()
{
    if (IsEditable())
        EmptyCells(GetSelectedShownCells());
}

void CGridCtrl::EmptyCells(const std::vector<CCellPos>& cells)
{
    if (!IsEditable())
        return;
    const BOOL bWasDeferring = m_bDeferRedraw;
    m_bDeferRedraw = TRUE;
    for (const CCellPos& cell : cells)
        ValidateAndModifyCellContents(cell.row, cell.col, "");
    m_bDeferRedraw = bWasDeferring;
    Refresh();
}

void CGridCtrl::OnEditCopy()
{
    if (COleDataSource* pSource = CopyTextFromGrid())
        pSource->SetClipboard();
}

void CGridCtrl::OnEditCut()
{
    if (!IsEditable())
        return;
    COleDataSource* pSource = CopyTextFromGrid();
    if (!pSource)
        return;
    pSource->SetClipboard();
    CutSelectedText();
}

void CGridCtrl::OnEditPaste()
{
    if (!IsEditable())
        return;
    CCellPos cell = GetFocusCell();
    if (!IsValid(cell))
        cell = GetTopleftNonFixedCell();
    if (!IsValid(cell))
        return;
    // An open editor takes the paste itself.
    CGridCellBase* pCell = GetCell(cell.row, cell.col);
    if (pCell && pCell->IsEditing()) {
        if (auto* pEdit = dynamic_cast<CEdit*>(pCell->GetEditWnd())) {
            pEdit->SendMessage(WM_PASTE);
            return;
        }
    }
    COleDataObject clipboard;
    if (clipboard.AttachClipboard())
        PasteTextToGrid(cell, &clipboard);
}

void CGridCtrl::OnEditSelectAll()
{
    SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GridNotify::kSelChanging);
    SelectAllCells();
    SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GridNotify::kSelChanged);
}

void CGridCtrl::OnUpdateEditCopy(CCmdUI* pCmdUI)
{
    const CCellBlock range = GetSelectedCellRange();
    pCmdUI->Enable(IsValid(range) && range.GetCellCount() > 0);
}

void CGridCtrl::OnUpdateEditCut(CCmdUI* pCmdUI)
{
    const CCellBlock range = GetSelectedCellRange();
    pCmdUI->Enable(IsEditable() && IsValid(range) && range.GetCellCount() > 0);
}

void CGridCtrl::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsValid(m_idCurrentCell) && IsCellEditable(m_idCurrentCell) &&
                   ::IsClipboardFormatAvailable(CF_TEXT));
}

void CGridCtrl::OnUpdateEditSelectAll(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bEnableSelection); }

void CGridCtrl::ShowPasteTooLarge() const { AfxMessageBox(kPasteTooLarge, MB_ICONEXCLAMATION); }

void CGridCtrl::GrowToFit(int nRows, int nCols)
{
    if (nRows > GetRowCount() && !SetRowCount(nRows))
        throw std::bad_alloc();
    if (nCols > GetColumnCount() && !SetColumnCount(nCols))
        throw std::bad_alloc();
}

BOOL CGridCtrl::PasteTextToGrid(CCellPos cell, COleDataObject* pDataObject)
{
    m_bLastPastePartial = FALSE;
    m_LastPasteRange = CCellBlock();
    if (!IsValid(cell) || !IsCellEditable(cell) || !pDataObject ||
        !pDataObject->IsDataAvailable(CF_TEXT))
        return FALSE;
    HGLOBAL hText = pDataObject->GetGlobalData(CF_TEXT);
    if (!hText)
        return FALSE;
    GridPastePlan plan;
    try {
        // Read within the block: foreign text may lack its terminating NUL.
        CGlobalLock lock(hText);
        plan = PlanGridPaste(static_cast<const char*>(lock.Data()), lock.Size(),
                             GetLocaleSeparators().chDecimal, cell.row, cell.col, m_rows, m_cols);
    } catch (const std::bad_alloc&) {
        plan.bTooLarge = TRUE;
    }
    ::GlobalFree(hText);
    if (plan.bTooLarge) {
        ShowPasteTooLarge();
        return FALSE;
    }
    if (plan.fields.empty())
        return TRUE;
    try {
        GrowToFit(plan.nRowCount, plan.nColCount);
    } catch (const std::bad_alloc&) {
        ShowPasteTooLarge();
        Refresh();
        return FALSE;
    }

    m_bPasting = TRUE;
    const BOOL bWasDeferring = m_bDeferRedraw;
    m_bDeferRedraw = TRUE;
    int nMaxRow = cell.row, nMaxCol = cell.col;
    for (const GridPasteField& field : plan.fields) {
        if (!ValidateAndModifyCellContents(field.nRow, field.nCol, field.strText))
            m_bLastPastePartial = TRUE;
        SetItemState(field.nRow, field.nCol,
                     GetItemState(field.nRow, field.nCol) & ~CellState::kSelected);
        nMaxRow = std::max(nMaxRow, field.nRow);
        nMaxCol = std::max(nMaxCol, field.nCol);
    }
    m_bDeferRedraw = bWasDeferring;
    m_bPasting = FALSE;
    m_LastPasteRange = CCellBlock(cell.row, cell.col, nMaxRow, nMaxCol);
    Refresh();
    return TRUE;
}

void CGridCtrl::OnCellsPasted(const CCellBlock&, BOOL) {}

// --- Drag and drop -------------------------------------------------------------------------

void CGridCtrl::OnBeginDrag()
{
    if (!m_bAllowDragAndDrop)
        return;
    COleDataSource* pSource = CopyTextFromGrid();
    if (!pSource)
        return;
    const CCellBlock range = GetSelectedCellRange();
    SendMessageToParent(range.GetMinRow(), range.GetMinCol(), GridNotify::kBeginDrag);
    m_MouseMode = MOUSE_DRAGGING;
    m_bLMouseButtonDown = FALSE;
    if (m_nTimerID) {
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
    const DROPEFFECT dropEffect = pSource->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    pSource->InternalRelease();
    m_MouseMode = MOUSE_NOTHING;
    if (GetCapture() && GetCapture()->m_hWnd == m_hWnd)
        ::ReleaseCapture();
    if (dropEffect & DROPEFFECT_MOVE)
        CutSelectedText();
}

DROPEFFECT CGridCtrl::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!m_bAllowDragAndDrop || !pDataObject->IsDataAvailable(CF_TEXT))
        return DROPEFFECT_NONE;
    m_LastDragOverCell = GetCellFromPt(point);
    if (!IsValid(m_LastDragOverCell) || !IsCellEditable(m_LastDragOverCell)) {
        m_LastDragOverCell = CCellPos(-1, -1);
        return DROPEFFECT_NONE;
    }
    const CCellPos& cell = m_LastDragOverCell;
    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | CellState::kDropTarget);
    RedrawCell(cell);
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

DROPEFFECT CGridCtrl::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!m_bAllowDragAndDrop || !IsEditable() || !pDataObject->IsDataAvailable(CF_TEXT))
        return DROPEFFECT_NONE;
    const CCellPos cell = GetCellFromPt(point);
    if (!IsValid(cell)) {
        OnDragLeave();
        m_LastDragOverCell = CCellPos(-1, -1);
        return DROPEFFECT_NONE;
    }
    if (!IsCellEditable(cell))
        return DROPEFFECT_NONE;
    if (!(cell == m_LastDragOverCell)) {
        OnDragLeave();
        m_LastDragOverCell = cell;
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | CellState::kDropTarget);
        RedrawCell(cell);
    }
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CGridCtrl::OnDragLeave()
{
    const CCellPos& cell = m_LastDragOverCell;
    if (!IsValid(cell))
        return;
    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~CellState::kDropTarget);
    RedrawCell(cell);
}

BOOL CGridCtrl::OnDrop(COleDataObject* pDataObject, DROPEFFECT* pEffect, CPoint)
{
    m_MouseMode = MOUSE_NOTHING;
    if (!m_bAllowDragAndDrop || !IsCellEditable(m_LastDragOverCell))
        return FALSE;
    OnDragLeave();
    const CCellPos target = m_LastDragOverCell;
    m_LastDragOverCell = CCellPos(-1, -1);
    if (!PasteTextToGrid(target, pDataObject))
        return FALSE;
    // A source whose text did not all arrive keeps its cells.
    if (m_bLastPastePartial && (*pEffect & DROPEFFECT_MOVE))
        *pEffect = DROPEFFECT_COPY;
    OnCellsPasted(m_LastPasteRange, TRUE);
    return TRUE;
}

// --- Sorting -------------------------------------------------------------------------------

void CGridCtrl::SetSortColumn(int nCol)
{
    if (m_nSortColumn >= 0)
        InvalidateCellRect(0, m_nSortColumn);
    m_nSortColumn = nCol;
    if (nCol >= 0)
        InvalidateCellRect(0, nCol);
}

BOOL CGridCtrl::SortTextItems(int nCol, BOOL bAscending, LPARAM data)
{
    return SortItems(m_pfnCompare ? m_pfnCompare : CompareText, nCol, bAscending, data);
}

BOOL CGridCtrl::SortItems(int nCol, BOOL bAscending, LPARAM data)
{
    return SortTextItems(nCol, bAscending, data);
}

BOOL CGridCtrl::SortItems(GridCompareFunc pfnCompare, int nCol, BOOL bAscending, LPARAM data)
{
    SetSortColumn(nCol);
    m_bAscending = bAscending;
    ResetSelectedRange();
    const BOOL bResult = SortRows(pfnCompare, nCol, bAscending, data, GetFixedRowCount(), -1) >= 0;
    Refresh();
    return bResult;
}

// Sorts rows nLow..nHigh (-1: the last row) by column nCol; -1 when nothing can be sorted.
int CGridCtrl::SortRows(GridCompareFunc pfnCompare, int nCol, BOOL bAscending, LPARAM data,
                        int nLow, int nHigh)
{
    if (m_bVirtualMode || !pfnCompare || nCol < 0 || nCol >= GetColumnCount())
        return -1;
    if (nHigh == -1)
        nHigh = GetRowCount() - 1;
    if (nHigh <= nLow)
        return -1;
    QuickSortGridRows(
        nLow, nHigh, bAscending,
        [&](int a, int b) {
            return pfnCompare(LPARAM(GetCell(a, nCol)), LPARAM(GetCell(b, nCol)), data);
        },
        [this](int a, int b) { SwapRows(a, b); });
    return 0;
}

void CGridCtrl::SwapRows(int nRow1, int nRow2)
{
    std::swap(m_RowData[std::size_t(nRow1)], m_RowData[std::size_t(nRow2)]);
    m_rows.Swap(nRow1, nRow2);
    for (int nRow : {nRow1, nRow2})
        for (int nCol = 0; nCol < GetColumnCount(); ++nCol)
            if (CGridCellBase* pCell = m_RowData[std::size_t(nRow)][std::size_t(nCol)])
                pCell->SetCoords(nRow, nCol);
}

int CALLBACK CGridCtrl::CompareText(LPARAM lParam1, LPARAM lParam2, LPARAM)
{
    const auto* pCell1 = reinterpret_cast<const CGridCellBase*>(lParam1);
    const auto* pCell2 = reinterpret_cast<const CGridCellBase*>(lParam2);
    if (!pCell1 || !pCell2)
        return 0;
    const char* a = pCell1->GetText();
    const char* b = pCell2->GetText();
    return CompareGridText(a ? a : "", b ? b : "");
}

// --- Header clicks and the drag image ------------------------------------------------------

void CGridCtrl::OnFixedRowClick(CCellPos& cell)
{
    if (!IsValid(cell))
        return;
    if (m_bSortOnClick) {
        CWaitCursor wait;
        const BOOL bAscending = cell.col == m_nSortColumn ? !m_bAscending : TRUE;
        SortItems(cell.col, bAscending);
        Invalidate();
    }
    if (m_bFixedRowSelection) {
        m_MouseMode = cell.col < GetFixedColumnCount() ? MOUSE_SELECT_ALL : MOUSE_SELECT_COL;
        OnSelecting(cell);
    }
}

void CGridCtrl::OnFixedColumnClick(CCellPos& cell)
{
    if (!IsValid(cell) || !m_bFixedColumnSelection)
        return;
    m_MouseMode = cell.row < GetFixedRowCount() ? MOUSE_SELECT_ALL : MOUSE_SELECT_ROW;
    OnSelecting(cell);
}

CImageList* CGridCtrl::CreateDragImage(CPoint* pHotSpot)
{
    CRect rect;
    if (!::IsWindow(m_hWnd) || !GetCellRect(m_idCurrentCell, rect))
        return nullptr;
    CDC* pDC = GetDC();
    if (!pDC)
        return nullptr;
    const int nWidth = GetColumnWidth(m_idCurrentCell.col);
    const int nHeight = GetRowHeight(m_idCurrentCell.row);
    if (pHotSpot)
        *pHotSpot = CPoint(nWidth, nHeight);
    auto* pList = new CImageList;
    if (!pList->Create(nWidth, nHeight, ILC_MASK | ILC_COLOR24, 1, 1)) {
        delete pList;
        ReleaseDC(pDC);
        return nullptr;
    }
    CDC memDC;
    CBitmap bitmap;
    memDC.CreateCompatibleDC(pDC);
    bitmap.CreateCompatibleBitmap(pDC, nWidth, nHeight);
    CBitmap* pOldBitmap = memDC.SelectObject(&bitmap);
    if (CGridCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
        pCell->Draw(&memDC, m_idCurrentCell.row, m_idCurrentCell.col,
                    CRect(0, 0, nWidth - 1, nHeight - 1), FALSE);
    memDC.SelectObject(pOldBitmap);
    ReleaseDC(pDC);
    pList->Add(&bitmap, m_cellDefault.GetBackColour());
    return pList;
}
