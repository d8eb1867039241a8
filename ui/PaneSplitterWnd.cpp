#include "ui/PaneSplitterWnd.h"

#include "framework/win/CDC.h"
#include "framework/win/CView.h"
#include "framework/win/MessageCrackers.h"

IMPLEMENT_DYNAMIC(CPaneSplitterWnd, CSplitterWnd)

BEGIN_MESSAGE_MAP(CPaneSplitterWnd, CSplitterWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

void CPaneSplitterWnd::HideColumn(int col, BOOL bRecalc)
{
    BeginChange();
    if (!m_table.HideCol(col))
        return;
    EndChange(bRecalc);
    MoveActivePaneOff(FALSE, col);
}

void CPaneSplitterWnd::ShowColumn(BOOL bRecalc)
{
    BeginChange();
    if (m_table.ShowCol() < 0)
        return;
    EndChange(bRecalc);
}

void CPaneSplitterWnd::HideRow(int row, BOOL bRecalc)
{
    BeginChange();
    if (!m_table.HideRow(row))
        return;
    EndChange(bRecalc);
    MoveActivePaneOff(TRUE, row);
}

void CPaneSplitterWnd::ShowRow(BOOL bRecalc)
{
    BeginChange();
    if (m_table.ShowRow() < 0)
        return;
    EndChange(bRecalc);
}

void CPaneSplitterWnd::BeginChange()
{
    if (m_table.GetRows() != m_nMaxRows || m_table.GetCols() != m_nMaxCols) {
        m_table.Reset(m_nMaxRows, m_nMaxCols);
        m_rowExtent.assign(std::size_t(m_nMaxRows), Extent{});
        m_colExtent.assign(std::size_t(m_nMaxCols), Extent{});
    }
    m_cells.assign(std::size_t(m_nMaxRows * m_nMaxCols), nullptr);
    if (!m_hWnd)
        return;
    for (int row = 0; row < m_nMaxRows; ++row)
        for (int col = 0; col < m_nMaxCols; ++col)
            m_cells[std::size_t(row * m_nMaxCols + col)] =
                ::GetDlgItem(m_hWnd, int(AFX_IDW_PANE_FIRST) + m_table.PaneOffset(row, col));
    // The ideal sizes, not the current ones: the last row or column shows whatever is left,
    // which is no size of its own to restore.
    auto keep = [](const CRowColInfo& info, Extent& extent) {
        extent.nIdeal = info.nIdealSize;
        extent.nMin = info.nMinSize;
    };
    for (int slot = 0; slot < m_table.GetVisibleRows(); ++slot)
        keep(m_pRowInfo[slot], m_rowExtent[std::size_t(m_table.RowOfSlot(slot))]);
    for (int slot = 0; slot < m_table.GetVisibleCols(); ++slot)
        keep(m_pColInfo[slot], m_colExtent[std::size_t(m_table.ColOfSlot(slot))]);
}

void CPaneSplitterWnd::EndChange(BOOL bRecalc)
{
    for (int row = 0; row < m_nMaxRows; ++row) {
        for (int col = 0; col < m_nMaxCols; ++col) {
            HWND hWnd = m_cells[std::size_t(row * m_nMaxCols + col)];
            if (!hWnd)
                continue;
            ::SetWindowLongPtrA(hWnd, GWLP_ID,
                                LONG_PTR(AFX_IDW_PANE_FIRST) + m_table.PaneOffset(row, col));
            const BOOL bShown = (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
            if (m_table.IsVisible(row, col) && !bShown)
                ::ShowWindow(hWnd, SW_SHOWNA);
            else if (!m_table.IsVisible(row, col) && bShown)
                ::ShowWindow(hWnd, SW_HIDE);
        }
    }
    m_nRows = m_table.GetVisibleRows();
    m_nCols = m_table.GetVisibleCols();
    for (int slot = 0; slot < m_nRows; ++slot) {
        const Extent& extent = m_rowExtent[std::size_t(m_table.RowOfSlot(slot))];
        m_pRowInfo[slot].nIdealSize = extent.nIdeal;
        m_pRowInfo[slot].nMinSize = extent.nMin;
    }
    for (int slot = 0; slot < m_nCols; ++slot) {
        const Extent& extent = m_colExtent[std::size_t(m_table.ColOfSlot(slot))];
        m_pColInfo[slot].nIdealSize = extent.nIdeal;
        m_pColInfo[slot].nMinSize = extent.nMin;
    }
    if (bRecalc)
        RecalcLayout();
}

// An active pane that was just hidden hands the activation to its neighbour in the next row
// or column (the first after the last).
void CPaneSplitterWnd::MoveActivePaneOff(BOOL bRow, int nIndex)
{
    HWND hWndActive = nullptr;
    if (CView* pView = GetActiveFrameView())
        hWndActive = pView->GetSafeHwnd();
    for (int row = 0; row < m_nMaxRows && hWndActive; ++row) {
        for (int col = 0; col < m_nMaxCols; ++col) {
            if (m_cells[std::size_t(row * m_nMaxCols + col)] != hWndActive)
                continue;
            if ((bRow ? row : col) != nIndex)
                return;
            const int nextRow = bRow ? (row + 1) % m_nMaxRows : row;
            const int nextCol = bRow ? col : (col + 1) % m_nMaxCols;
            if (HWND hWndNext = m_cells[std::size_t(nextRow * m_nMaxCols + nextCol)])
                SetActivePane(-1, -1, CWnd::FromHandle(hWndNext));
            return;
        }
    }
}

BOOL CPaneSplitterWnd::SwapView(int row, int col, CWnd* pWnd, BOOL bRecalc)
{
    HWND hWnd = AfxSafeHwnd(pWnd);
    if (!hWnd || ::GetParent(hWnd) != m_hWnd || row < 0 || row >= m_nRows || col < 0 ||
        col >= m_nCols)
        return FALSE;
    HWND hWndOld = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
    if (!hWndOld || hWndOld == hWnd)
        return FALSE;
    const int nOldId = ::GetDlgCtrlID(hWndOld), nNewId = ::GetDlgCtrlID(hWnd);
    ::SetWindowLongPtrA(hWndOld, GWLP_ID, nNewId);
    ::SetWindowLongPtrA(hWnd, GWLP_ID, nOldId);
    ::ShowWindow(hWnd, SW_SHOWNA);
    int oldRow = -1, oldCol = -1;
    if (!IsChildPane(CWnd::FromHandle(hWndOld), &oldRow, &oldCol))
        ::ShowWindow(hWndOld, SW_HIDE);
    if (bRecalc)
        RecalcLayout();
    return TRUE;
}

void CPaneSplitterWnd::SetFlags(DWORD dwFlags)
{
    m_dwFlags = dwFlags;
    const BOOL bThin = (dwFlags & PSF_THINBARS) != 0;
    m_cxBorderShare = m_cyBorderShare = 0;
    m_cxSplitterGap = m_cySplitterGap = bThin ? 1 : 6;
}

int CPaneSplitterWnd::HitTest(CPoint pt) const
{
    if (m_dwFlags & PSF_NODRAG)
        return noHit;
    return CSplitterWnd::HitTest(pt);
}

void CPaneSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect)
{
    if (!m_bFlatLook) {
        CSplitterWnd::OnDrawSplitter(pDC, nType, rect);
        return;
    }
    if (!pDC) {
        ::RedrawWindow(m_hWnd, &rect, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
        return;
    }
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    CRect r = rect;
    switch (nType) {
    case splitBox:
        pDC->Draw3dRect(&r, clrFace, ::GetSysColor(COLOR_WINDOWFRAME));
        r.DeflateRect(1, 1);
        pDC->Draw3dRect(&r, clrHilite, clrShadow);
        r.DeflateRect(1, 1);
        pDC->FillSolidRect(&r, clrFace);
        break;
    case splitBar:
    case splitIntersection:
        pDC->FillSolidRect(&r, clrFace);
        break;
    case splitBorder:
        pDC->Draw3dRect(&r, clrFace, clrFace);
        r.DeflateRect(1, 1);
        pDC->Draw3dRect(&r, clrShadow, clrHilite);
        break;
    }
}

void CPaneSplitterWnd::OnPaint()
{
    if (!m_bFlatLook) {
        CSplitterWnd::OnPaint();
        return;
    }
    CPaintDC dc(this);
    // The bars run over the splitter's own edge, so no frame-coloured gaps stay at their ends.
    CRect rectInside;
    GetInsideRect(rectInside);
    rectInside.InflateRect(4, 4);
    for (int col = 0; col + 1 < m_nCols; ++col) {
        CRect rect = GetColumnBarRect(col);
        OnDrawSplitter(&dc, splitBar,
                       CRect(rect.left, rectInside.top, rect.right, rectInside.bottom));
    }
    for (int row = 0; row + 1 < m_nRows; ++row) {
        CRect rect = GetRowBarRect(row);
        OnDrawSplitter(&dc, splitBar,
                       CRect(rectInside.left, rect.top, rectInside.right, rect.bottom));
    }
    for (int row = 0; row + 1 < m_nRows; ++row)
        for (int col = 0; col + 1 < m_nCols; ++col) {
            CRect rectRow = GetRowBarRect(row), rectCol = GetColumnBarRect(col);
            OnDrawSplitter(&dc, splitIntersection,
                           CRect(rectCol.left, rectRow.top, rectCol.right, rectRow.bottom));
        }
    if (m_cxBorder > 0 || m_cyBorder > 0)
        for (int row = 0; row < m_nRows; ++row)
            for (int col = 0; col < m_nCols; ++col)
                OnDrawSplitter(&dc, splitBorder, GetCellRect(row, col));
}
