// The grid's focus cell and selection, and what the mouse does to them: clicks with Ctrl and
// Shift, selecting by dragging with automatic scrolling, resizing rows and columns, title tips.
#include "grid/CGridCtrl.h"

#include "framework/win/CDC.h"

#include <algorithm>
#include <cstdlib>

namespace {

// A DC of the window for direct redraws, released however the caller leaves.
class CWindowDCHolder {
public:
    CWindowDCHolder(CGridCtrl* pGrid, BOOL bWanted)
        : m_pGrid(pGrid), m_pDC(bWanted && ::IsWindow(pGrid->m_hWnd) ? pGrid->GetDC() : nullptr)
    {
    }
    ~CWindowDCHolder()
    {
        if (m_pDC)
            m_pGrid->ReleaseDC(m_pDC);
    }
    CWindowDCHolder(const CWindowDCHolder&) = delete;
    CWindowDCHolder& operator=(const CWindowDCHolder&) = delete;
    CDC* Get() const { return m_pDC; }

private:
    CGridCtrl* m_pGrid;
    CDC* m_pDC;
};

void SetSystemCursor(LPCSTR lpszCursor) { ::SetCursor(::LoadCursorA(nullptr, lpszCursor)); }

} // namespace

// --- Focus and selection -------------------------------------------------------------------

CCellPos CGridCtrl::SetFocusCell(CCellPos cell)
{
    const CCellPos idPrev = m_idCurrentCell;
    if (cell == idPrev)
        return idPrev;
    if (cell.row != -1 && cell.row < GetFixedRowCount())
        cell.row = GetFixedRowCount();
    if (cell.col != -1 && cell.col < GetFixedColumnCount())
        cell.col = GetFixedColumnCount();
    m_idCurrentCell = cell;

    // The headers of the focus cell's row and column show it when tracking is on.
    const auto redrawHeaders = [this](const CCellPos& at, const CCellPos& other) {
        if (!m_bTrackFocusCell)
            return;
        if (at.col != other.col)
            for (int nRow = 0; nRow < GetFixedRowCount(); ++nRow)
                RedrawCell(nRow, at.col);
        if (at.row != other.row)
            for (int nCol = 0; nCol < GetFixedColumnCount(); ++nCol)
                RedrawCell(at.row, nCol);
    };
    if (IsValid(idPrev)) {
        SetItemState(idPrev.row, idPrev.col,
                     GetItemState(idPrev.row, idPrev.col) & ~CellState::kFocused);
        RedrawCell(idPrev);
        redrawHeaders(idPrev, cell);
    }
    if (IsValid(cell)) {
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | CellState::kFocused);
        RedrawCell(cell);
        redrawHeaders(cell, idPrev);
    }
    return idPrev;
}

void CGridCtrl::RedrawOrInvalidate(int nRow, int nCol, CDC* pDC)
{
    if (pDC)
        RedrawCell(nRow, nCol, pDC);
    else
        InvalidateCellRect(nRow, nCol);
}

void CGridCtrl::SetSelectedRange(const CCellBlock& range, BOOL bForceRepaint, BOOL bSelectCells)
{
    SetSelectedRange(range.GetMinRow(), range.GetMinCol(), range.GetMaxRow(), range.GetMaxCol(),
                     bForceRepaint, bSelectCells);
}

void CGridCtrl::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol,
                                 BOOL bForceRepaint, BOOL bSelectCells)
{
    if (!m_bEnableSelection)
        return;
    const CWindowDCHolder dc(this, bForceRepaint);
    CDC* pDC = dc.Get();
    const CCellBlock visible = GetVisibleNonFixedCellRange();
    const auto clampInto = [](int& nBound, int nFixed) {
        if (nBound >= 0 && nBound < nFixed)
            nBound = nFixed;
    };
    clampInto(nMinRow, GetFixedRowCount());
    clampInto(nMaxRow, GetFixedRowCount());
    clampInto(nMinCol, GetFixedColumnCount());
    clampInto(nMaxCol, GetFixedColumnCount());
    const CCellBlock range(nMinRow, nMinCol, nMaxRow, nMaxCol);

    if (bSelectCells) {
        // Walk a snapshot: clearing a cell's bit takes it out of the set.
        for (const CCellPos& cell : m_SelectedCellMap.GetCells()) {
            if (!IsValid(cell)) {
                m_SelectedCellMap.Remove(cell.row, cell.col);
                continue;
            }
            SetItemState(cell.row, cell.col,
                         GetItemState(cell.row, cell.col) & ~CellState::kSelected);
            if (!range.Contains(cell) && visible.Contains(cell))
                RedrawOrInvalidate(cell.row, cell.col, pDC);
        }
    }
    if (!(m_bListMode && m_bSingleRowSelection)) {
        if (nMinRow < 0)
            return;
        if (nMinCol >= 0 && nMaxRow >= 0 && nMaxCol >= 0) {
            for (const CCellPos& cell : m_PrevSelectedCellMap.GetCells()) {
                if (!IsValid(cell))
                    continue;
                SetItemState(cell.row, cell.col,
                             GetItemState(cell.row, cell.col) | CellState::kSelected);
                if (visible.Contains(cell))
                    RedrawOrInvalidate(cell.row, cell.col, pDC);
            }
        }
    }
    if (!IsValid(range))
        return;
    for (int nRow = nMinRow; nRow <= nMaxRow; ++nRow) {
        for (int nCol = nMinCol; nCol <= nMaxCol; ++nCol) {
            const UINT state = GetItemState(nRow, nCol);
            const BOOL bSelected = (state & CellState::kSelected) != 0;
            if (bool(bSelected) == bool(bSelectCells))
                continue;
            SetItemState(nRow, nCol,
                         bSelectCells ? state | CellState::kSelected
                                      : state & ~CellState::kSelected);
            if (visible.Contains(nRow, nCol))
                RedrawOrInvalidate(nRow, nCol, pDC);
        }
    }
}

void CGridCtrl::ResetSelectedRange()
{
    m_PrevSelectedCellMap.Clear();
    SetSelectedRange(-1, -1, -1, -1, FALSE, TRUE);
    SetFocusCell(-1, -1);
}

CCellBlock CGridCtrl::GetSelectedCellRange() const
{
    if (m_SelectedCellMap.IsEmpty())
        return CCellBlock(GetRowCount(), GetColumnCount(), -1, -1);
    return m_SelectedCellMap.GetBoundingBlock();
}

BOOL CGridCtrl::IsCellSelected(int nRow, int nCol) const
{
    if (!m_bEnableSelection)
        return FALSE;
    if (m_bVirtualMode)
        return m_SelectedCellMap.Contains(nRow, nCol);
    return (GetItemState(nRow, nCol) & CellState::kSelected) != 0;
}

BOOL CGridCtrl::IsCellEditable(int nRow, int nCol) const
{
    return m_bEditable && IsValid(nRow, nCol) && !(GetItemState(nRow, nCol) & CellState::kReadOnly);
}

void CGridCtrl::SelectAllCells()
{
    if (!m_bEnableSelection)
        return;
    SetSelectedRange(GetFixedRowCount(), GetFixedColumnCount(), GetRowCount() - 1,
                     GetColumnCount() - 1);
}

void CGridCtrl::SelectColumns(CCellPos currentCell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (!m_bEnableSelection || !IsValid(currentCell) || currentCell.col < GetFixedColumnCount())
        return;
    int nFirst = currentCell.col, nLast = currentCell.col;
    if (!m_bSingleColSelection) {
        nFirst = std::min(m_SelectionStartCell.col, currentCell.col);
        nLast = std::max(m_SelectionStartCell.col, currentCell.col);
    }
    SetSelectedRange(GetFixedRowCount(), nFirst, GetRowCount() - 1, nLast, bForceRedraw,
                     bSelectCells);
}

void CGridCtrl::SelectRows(CCellPos currentCell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (!m_bEnableSelection || !IsValid(currentCell) || currentCell.row < GetFixedRowCount())
        return;
    int nFirst = currentCell.row, nLast = currentCell.row;
    if (!(m_bListMode && m_bSingleRowSelection)) {
        nFirst = std::min(m_SelectionStartCell.row, currentCell.row);
        nLast = std::max(m_SelectionStartCell.row, currentCell.row);
    }
    SetSelectedRange(nFirst, GetFixedColumnCount(), nLast, GetColumnCount() - 1, bForceRedraw,
                     bSelectCells);
}

void CGridCtrl::SelectCells(CCellPos currentCell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (!m_bEnableSelection || !IsValid(currentCell) || currentCell.row < GetFixedRowCount() ||
        currentCell.col < GetFixedColumnCount())
        return;
    SetSelectedRange(std::min(m_SelectionStartCell.row, currentCell.row),
                     std::min(m_SelectionStartCell.col, currentCell.col),
                     std::max(m_SelectionStartCell.row, currentCell.row),
                     std::max(m_SelectionStartCell.col, currentCell.col), bForceRedraw,
                     bSelectCells);
}

void CGridCtrl::OnSelecting(const CCellPos& currentCell)
{
    switch (m_MouseMode) {
    case MOUSE_SELECT_ALL:
        SelectAllCells();
        break;
    case MOUSE_SELECT_COL:
        SelectColumns(currentCell, FALSE);
        break;
    case MOUSE_SELECT_ROW:
        SelectRows(currentCell, FALSE);
        break;
    case MOUSE_SELECT_CELLS:
        SelectCells(currentCell, FALSE);
        break;
    default:
        break;
    }
}

// --- Hit tests -----------------------------------------------------------------------------

BOOL CGridCtrl::MouseOverRowResizeArea(CPoint point)
{
    if (point.x >= GetFixedColumnWidth())
        return FALSE;
    const CCellPos cell = GetCellFromPt(point);
    CPoint start;
    if (!GetCellOrigin(cell, &start))
        return FALSE;
    const int nEndY = start.y + GetRowHeight(cell.row);
    return (point.y - start.y < m_nResizeCaptureRange && cell.row != 0) ||
           nEndY - point.y < m_nResizeCaptureRange;
}

BOOL CGridCtrl::MouseOverColumnResizeArea(CPoint point)
{
    if (point.y >= GetFixedRowHeight())
        return FALSE;
    const CCellPos cell = GetCellFromPt(point);
    CPoint start;
    if (!GetCellOrigin(cell, &start))
        return FALSE;
    const int nEndX = start.x + GetColumnWidth(cell.col);
    return (point.x - start.x < m_nResizeCaptureRange && cell.col != 0) ||
           nEndX - point.x < m_nResizeCaptureRange;
}

CPoint CGridCtrl::GetPointClicked(int nRow, int nCol, const CPoint& point)
{
    CPoint origin;
    if (!GetCellOrigin(nRow, nCol, &origin))
        return CPoint(0, 0);
    return CPoint(point.x - origin.x, point.y - origin.y);
}

// --- Mouse ---------------------------------------------------------------------------------

void CGridCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    m_LeftClickDownPoint = point;
    m_bLMouseButtonDown = TRUE;
    m_LeftClickDownCell = GetCellFromPt(point);
    if (!IsValid(m_LeftClickDownCell))
        return;
    const CCellPos down = m_LeftClickDownCell;
    if (!(nFlags & MK_SHIFT))
        m_SelectionStartCell = down;
    else if (!IsValid(m_SelectionStartCell))
        m_SelectionStartCell = m_idCurrentCell;
    EndEditing();
    if (!PressCell(nFlags, point, down))
        return;

    SetCapture();
    if (m_MouseMode == MOUSE_NOTHING) {
        if (m_bAllowColumnResize && MouseOverColumnResizeArea(point)) {
            SetSystemCursor(IDC_SIZEWE);
            m_MouseMode = MOUSE_OVER_COL_DIVIDE;
        } else if (m_bAllowRowResize && MouseOverRowResizeArea(point)) {
            SetSystemCursor(IDC_SIZENS);
            m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
        }
    }
    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE || m_MouseMode == MOUSE_OVER_ROW_DIVIDE)
        StartSizing(point);
    else if (m_MouseMode != MOUSE_PREPARE_DRAG)
        BeginSelecting(nFlags, down);
    m_LastMousePoint = point;
}

// What a press on a cell prepares: an edit on the focus cell's text, a drag of the selection,
// Ctrl's deselection of a selected cell, or a new focus. FALSE when nothing more follows.
BOOL CGridCtrl::PressCell(UINT nFlags, CPoint point, const CCellPos& down)
{
    CGridCellBase* pCell = GetCell(down.row, down.col);
    if (pCell)
        pCell->OnClickDown(GetPointClicked(down.row, down.col, point));
    BOOL bInTextArea = FALSE;
    CRect textRect;
    if (pCell && GetCellRect(down, textRect) && pCell->GetTextRect(textRect))
        bInTextArea = textRect.PtInRect(point);

    if (down == m_idCurrentCell && !(nFlags & MK_CONTROL) && bInTextArea && IsCellEditable(down)) {
        m_MouseMode = MOUSE_PREPARE_EDIT;
        return FALSE;
    }
    if (IsCellSelected(down)) {
        if (nFlags & MK_CONTROL) {
            SetFocusCell(down);
            if (m_bListMode)
                SelectRows(down, TRUE, FALSE);
            else
                SelectCells(down, TRUE, FALSE);
            return FALSE;
        }
        if (m_bAllowDragAndDrop)
            m_MouseMode = MOUSE_PREPARE_DRAG;
    } else if (m_MouseMode != MOUSE_OVER_COL_DIVIDE && m_MouseMode != MOUSE_OVER_ROW_DIVIDE) {
        SetFocusCell(-1, -1);
        if (GetRowCount() > GetFixedRowCount() && GetColumnCount() > GetFixedColumnCount())
            SetFocusCell(std::max(down.row, GetFixedRowCount()),
                         std::max(down.col, GetFixedColumnCount()));
    }
    return TRUE;
}

// A press that selects: the headers select their rows or columns, a cell starts a block that
// the mouse extends (scrolling by the timer past the edges). Ctrl keeps the earlier selection.
void CGridCtrl::BeginSelecting(UINT nFlags, const CCellPos& down)
{
    SendMessageToParent(down.row, down.col, GridNotify::kSelChanging);
    m_PrevSelectedCellMap.Clear();
    if (nFlags & MK_CONTROL)
        m_PrevSelectedCellMap = m_SelectedCellMap;
    CCellPos clicked = down;
    if (down.row < GetFixedRowCount()) {
        OnFixedRowClick(clicked);
    } else if (down.col < GetFixedColumnCount()) {
        OnFixedColumnClick(clicked);
    } else {
        m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
        OnSelecting(down);
        m_nTimerID = SetTimer(kAutoScrollTimer, UINT(m_nTimerInterval));
    }
}

// Starts sizing the row or column whose border is under the point: the one before the border,
// or, when hidden ones may not come back by resizing, the nearest shown one before it.
void CGridCtrl::StartSizing(CPoint point)
{
    const BOOL bColumn = m_MouseMode == MOUSE_OVER_COL_DIVIDE;
    const CGridAxis& axis = bColumn ? m_cols : m_rows;
    int& nIndex = bColumn ? m_LeftClickDownCell.col : m_LeftClickDownCell.row;
    const int nCoord = bColumn ? point.x : point.y;
    const BOOL bUnhide = bColumn ? m_bHiddenColUnhide : m_bHiddenRowUnhide;
    m_MouseMode = bColumn ? MOUSE_SIZING_COL : MOUSE_SIZING_ROW;

    CRect visRect;
    GetVisibleNonFixedCellRange(visRect);
    const int nLast = axis.GetCount() - 1;
    const int nVisibleEnd = bColumn ? visRect.right : visRect.bottom;
    if (axis.GetSize(nLast) < m_nResizeCaptureRange &&
        std::abs(nCoord - nVisibleEnd) < m_nResizeCaptureRange)
        nIndex = nLast;
    CPoint start;
    if (!GetCellOrigin(bColumn ? 0 : nIndex, bColumn ? nIndex : 0, &start))
        return;
    const int nStart = bColumn ? start.x : start.y;
    if (nCoord - nStart < m_nResizeCaptureRange &&
        (nIndex != nLast || axis.GetSize(nLast) >= m_nResizeCaptureRange))
        --nIndex; // the border at the left (top) edge belongs to the one before
    if (!bUnhide)
        while (nIndex >= 0 && axis.GetSize(nIndex) == 0)
            --nIndex;
    if (nIndex < 0 || !GetCellOrigin(bColumn ? 0 : nIndex, bColumn ? nIndex : 0, &start)) {
        m_MouseMode = MOUSE_NOTHING;
        return;
    }
    InvertResizeMarker(nCoord, bColumn);

    // Keep the pointer between the sized one's start and the far side of the client area.
    CRect client;
    GetClientRect(client);
    CRect clip = client;
    if (bColumn) {
        clip.left = start.x + 1;
        clip.right = point.x + client.Width() - GetFixedColumnWidth();
    } else {
        clip.top = start.y + 1;
        clip.bottom = point.y + client.Height() - GetFixedRowHeight();
    }
    ClientToScreen(clip);
    ::ClipCursor(clip);
}

void CGridCtrl::InvertResizeMarker(int nPos, BOOL bColumn)
{
    CRect client;
    GetClientRect(client);
    CRect band = bColumn ? CRect(nPos, client.top, nPos + 2, client.bottom)
                         : CRect(client.left, nPos, client.right, nPos + 2);
    if (CDC* pDC = GetDC()) {
        pDC->InvertRect(band);
        ReleaseDC(pDC);
    }
}

void CGridCtrl::EndSizing(CPoint point)
{
    const BOOL bColumn = m_MouseMode == MOUSE_SIZING_COL;
    InvertResizeMarker(bColumn ? m_LastMousePoint.x : m_LastMousePoint.y, bColumn);
    if (point == m_LeftClickDownPoint || (point.x == 0 && point.y == 0))
        return;
    const int nIndex = bColumn ? m_LeftClickDownCell.col : m_LeftClickDownCell.row;
    CPoint start;
    if (!GetCellOrigin(bColumn ? 0 : nIndex, bColumn ? nIndex : 0, &start))
        return;
    const BOOL bMayHide = bColumn ? m_bAllowColHide : m_bAllowRowHide;
    const int nSize =
        std::max<int>(bColumn ? point.x - start.x : point.y - start.y, bMayHide ? 0 : 1);
    if (bColumn)
        SetColumnWidth(nIndex, nSize);
    else
        SetRowHeight(nIndex, nSize);
    ResetScrollBars();
    Invalidate();
    if (bColumn)
        SendMessageToParent(nSize, nIndex, GridNotify::kColumnResized);
}

void CGridCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CRect client;
    GetClientRect(client);
    if (!client.PtInRect(point) && m_MouseMode != MOUSE_DRAGGING)
        return;
    if (m_bLMouseButtonDown && m_MouseMode != MOUSE_NOTHING && IsValid(m_LeftClickDownCell)) {
        TrackMouseAction(point);
        m_LastMousePoint = point;
        return;
    }
    if (m_bAllowColumnResize && MouseOverColumnResizeArea(point)) {
        if (m_MouseMode != MOUSE_OVER_COL_DIVIDE) {
            SetSystemCursor(IDC_SIZEWE);
            m_MouseMode = MOUSE_OVER_COL_DIVIDE;
        }
    } else if (m_bAllowRowResize && MouseOverRowResizeArea(point)) {
        if (m_MouseMode != MOUSE_OVER_ROW_DIVIDE) {
            SetSystemCursor(IDC_SIZENS);
            m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
        }
    } else if (m_MouseMode != MOUSE_NOTHING) {
        SetSystemCursor(IDC_ARROW);
        m_MouseMode = MOUSE_NOTHING;
    }
    if (m_MouseMode == MOUSE_NOTHING && !(nFlags & MK_LBUTTON))
        ShowTitleTip(point);
    m_LastMousePoint = point;
}

// The mouse moves with the button down: the selection follows, a resize marker moves, or a
// press on the selection becomes a drag once it has really moved.
void CGridCtrl::TrackMouseAction(CPoint point)
{
    switch (m_MouseMode) {
    case MOUSE_SELECT_COL:
    case MOUSE_SELECT_ROW:
    case MOUSE_SELECT_CELLS: {
        const CCellPos cell = GetCellFromPt(point);
        if (!IsValid(cell) || cell == m_idCurrentCell)
            break;
        OnSelecting(cell);
        if ((cell.row >= GetFixedRowCount() && cell.col >= GetFixedColumnCount()) ||
            m_MouseMode != MOUSE_SELECT_CELLS)
            SetFocusCell(cell);
        break;
    }
    case MOUSE_SIZING_ROW:
        InvertResizeMarker(m_LastMousePoint.y, FALSE);
        InvertResizeMarker(point.y, FALSE);
        break;
    case MOUSE_SIZING_COL:
        InvertResizeMarker(m_LastMousePoint.x, TRUE);
        InvertResizeMarker(point.x, TRUE);
        break;
    case MOUSE_PREPARE_EDIT:
    case MOUSE_PREPARE_DRAG:
        // A small jitter is still a click: only a real movement starts a drag.
        if (m_bAllowDragAndDrop &&
            (std::abs(point.x - m_LeftClickDownPoint.x) > ::GetSystemMetrics(SM_CXDRAG) ||
             std::abs(point.y - m_LeftClickDownPoint.y) > ::GetSystemMetrics(SM_CYDRAG))) {
            m_MouseMode = MOUSE_PREPARE_DRAG;
            OnBeginDrag();
        }
        break;
    default:
        break;
    }
}

void CGridCtrl::ShowTitleTip(CPoint point)
{
    if (m_bVirtualMode && !m_bTitleTips)
        return;
    const CCellPos cell = GetCellFromPt(point);
    CGridCellBase* pCell = GetCell(cell.row, cell.col);
    if (!pCell)
        return;
    pCell->OnMouseOver();
    LPCTSTR szTip = pCell->GetTipText();
    CRect cellRect, textRect;
    if (!m_bTitleTips || !szTip || !*szTip || pCell->IsEditing() || !GetCellRect(cell, cellRect))
        return;
    textRect = cellRect;
    if (!pCell->GetTipTextRect(textRect) || textRect.IsRectEmpty())
        return;
    m_TitleTip.Show(textRect, szTip, 0, cellRect, pCell->GetFont(), m_crTTipTextClr,
                    m_crTTipBackClr);
}

void CGridCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kAutoScrollTimer)
        return;
    CPoint origin;
    if (!::GetCursorPos(&origin))
        return;
    ScreenToClient(&origin);
    CRect rect;
    GetClientRect(rect);
    const int nFixedHeight = GetFixedRowHeight();
    const int nFixedWidth = GetFixedColumnWidth();
    CPoint pt = origin;
    pt.x = std::clamp<int>(pt.x, rect.left, std::max<int>(rect.left, rect.right - 1));
    if (origin.y > rect.bottom) {
        SendMessage(WM_KEYDOWN, VK_DOWN, 0);
        pt.y = rect.bottom;
        OnSelecting(GetCellFromPt(pt));
    } else if (origin.y < nFixedHeight) {
        SendMessage(WM_KEYDOWN, VK_UP, 0);
        pt.y = nFixedHeight + 1;
        OnSelecting(GetCellFromPt(pt));
    }
    pt = origin;
    pt.y = std::clamp<int>(pt.y, rect.top, std::max<int>(rect.top, rect.bottom - 1));
    if (origin.x > rect.right) {
        SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
        pt.x = rect.right;
        OnSelecting(GetCellFromPt(pt));
    } else if (origin.x < nFixedWidth) {
        SendMessage(WM_KEYDOWN, VK_LEFT, 0);
        pt.x = nFixedWidth + 1;
        OnSelecting(GetCellFromPt(pt));
    }
}

void CGridCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonUp(nFlags, point);
    m_bLMouseButtonDown = FALSE;
    ::ClipCursor(nullptr);
    if (GetCapture() && GetCapture()->m_hWnd == m_hWnd) {
        ::ReleaseCapture();
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
    const CCellPos down = m_LeftClickDownCell;
    const CPoint pointRelative = GetPointClicked(m_idCurrentCell.row, m_idCurrentCell.col, point);
    switch (m_MouseMode) {
    case MOUSE_PREPARE_EDIT:
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, pointRelative, VK_LBUTTON,
                   GridEditStart::Mouse);
        break;
    case MOUSE_PREPARE_DRAG: {
        // Released without a drag: a plain click, which selects and focuses the cell.
        if (CGridCellBase* pCell = GetCell(down.row, down.col))
            pCell->OnClick(GetPointClicked(down.row, down.col, point));
        SendMessageToParent(down.row, down.col, NM_CLICK);
        SendMessageToParent(down.row, down.col, GridNotify::kSelChanging);
        m_PrevSelectedCellMap.Clear();
        m_SelectionStartCell = down;
        SetFocusCell(down);
        m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
        OnSelecting(down);
        SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GridNotify::kSelChanged);
        break;
    }
    case MOUSE_SIZING_COL:
    case MOUSE_SIZING_ROW:
        EndSizing(point);
        break;
    default:
        SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GridNotify::kSelChanged);
        // A press that ends over another cell (a selection dragged away) is no click.
        if (GetCellFromPt(point) == down) {
            if (CGridCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
                pCell->OnClick(pointRelative);
            SendMessageToParent(down.row, down.col, NM_CLICK);
        } else if (CGridCellBase* pPressed = GetCell(down.row, down.col)) {
            pPressed->OnMouseLeave(); // a button pressed there comes up without acting
        }
        break;
    }
    m_MouseMode = MOUSE_NOTHING;
    SetSystemCursor(IDC_ARROW);
    if (IsValid(down) && ::IsWindow(m_hWnd)) {
        CWnd* pOwner = GetOwner();
        if (pOwner && ::IsWindow(pOwner->m_hWnd))
            pOwner->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), LPARAM(m_hWnd));
    }
}

void CGridCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const CCellPos cell = GetCellFromPt(point);
    if (!IsValid(cell)) {
        CWnd::OnLButtonDblClk(nFlags, point);
        return;
    }
    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE || m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
        const BOOL bColumn = m_MouseMode == MOUSE_OVER_COL_DIVIDE;
        CPoint start;
        if (GetCellOrigin(bColumn ? 0 : cell.row, bColumn ? cell.col : 0, &start)) {
            int nIndex = bColumn ? cell.col : cell.row;
            if ((bColumn ? point.x - start.x : point.y - start.y) < m_nResizeCaptureRange)
                --nIndex;
            const CGridAxis& axis = bColumn ? m_cols : m_rows;
            while (nIndex >= 0 && axis.GetSize(nIndex) == 0)
                --nIndex;
            if (nIndex >= 0) {
                if (bColumn)
                    AutoSizeColumn(nIndex, UINT(m_nAutoSizeColumnStyle), TRUE);
                else
                    AutoSizeRow(nIndex, TRUE);
                Invalidate();
            }
        }
    } else if (m_MouseMode == MOUSE_NOTHING) {
        const CPoint pointRelative = GetPointClicked(cell.row, cell.col, point);
        CGridCellBase* pCell = GetCell(cell.row, cell.col);
        CRect textRect;
        if (pCell && cell.row >= GetFixedRowCount() && cell.col >= GetFixedColumnCount() &&
            (IsValid(m_LeftClickDownCell) || m_bListMode) && GetCellRect(cell, textRect) &&
            pCell->GetTextRect(textRect) && textRect.PtInRect(point))
            OnEditCell(cell.row, cell.col, pointRelative, VK_LBUTTON, GridEditStart::Mouse);
        if ((pCell = GetCell(cell.row, cell.col)) != nullptr)
            pCell->OnDblClick(pointRelative);
        SendMessageToParent(cell.row, cell.col, NM_DBLCLK);
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

void CGridCtrl::OnRButtonUp(UINT nFlags, CPoint point)
{
    CWnd::OnRButtonUp(nFlags, point);
    const CCellPos cell = GetCellFromPt(point);
    EndEditing();
    if (!IsValid(cell)) {
        SendMessageToParent(-1, -1, NM_RCLICK);
        return;
    }
    SetFocusCell(-1, -1);
    SetFocusCell(std::max(cell.row, GetFixedRowCount()), std::max(cell.col, GetFixedColumnCount()));
    if (CGridCellBase* pCell = GetCell(cell.row, cell.col))
        pCell->OnRClick(GetPointClicked(cell.row, cell.col, point));
    SendMessageToParent(cell.row, cell.col, NM_RCLICK);
}

BOOL CGridCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest != HTCLIENT)
        return CWnd::OnSetCursor(pWnd, nHitTest, message);
    switch (m_MouseMode) {
    case MOUSE_OVER_COL_DIVIDE:
        SetSystemCursor(IDC_SIZEWE);
        break;
    case MOUSE_OVER_ROW_DIVIDE:
        SetSystemCursor(IDC_SIZENS);
        break;
    case MOUSE_DRAGGING:
        break;
    default: {
        if (!m_bVirtualMode) {
            CPoint pt;
            ::GetCursorPos(&pt);
            ScreenToClient(&pt);
            const CCellPos cell = GetCellFromPt(pt);
            if (CGridCellBase* pCell = GetCell(cell.row, cell.col))
                return pCell->OnSetCursor();
        }
        SetSystemCursor(IDC_ARROW);
        break;
    }
    }
    return TRUE;
}
