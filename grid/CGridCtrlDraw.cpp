// The grid's painting, the geometry from cells to client pixels and back, and scrolling.
#include "grid/CGridCtrl.h"

#include "framework/win/CDC.h"
#include "grid/COffscreenDC.h"

#include <algorithm>
#include <cstdlib>

// --- Painting ------------------------------------------------------------------------------

void CGridCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (m_bDoubleBuffer) {
        COffscreenDC memDC(&dc);
        OnDraw(memDC.GetDrawDC());
    } else {
        OnDraw(&dc);
    }
}

// Draws the client area into the given DC, the same way a paint does.
LRESULT CGridCtrl::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC* pDC = CDC::FromHandle(HDC(wParam));
    if (!pDC)
        return 0;
    if (m_bDoubleBuffer) {
        COffscreenDC memDC(pDC);
        OnDraw(memDC.GetDrawDC());
    } else {
        OnDraw(pDC);
    }
    return 0;
}

void CGridCtrl::OnDraw(CDC* pDC)
{
    CRect clipRect;
    if (!m_bAllowDraw || pDC->GetClipBox(clipRect) == ERROR)
        return;
    EraseBkgnd(pDC);
    CRect visRect;
    const CCellBlock visible = GetVisibleNonFixedCellRange(visRect);
    if (m_bVirtualMode)
        SendCacheHintToParent(visible);
    DrawCells(pDC, clipRect);
    DrawGridLines(pDC, visRect, visible);
    pDC->SelectStockObject(NULL_PEN);
    if (m_bVirtualMode)
        SendCacheHintToParent(CCellBlock());
}

namespace {

// One region of cells: rows [nFirstRow, nLastRow] from y0 down, columns [nFirstCol, nLastCol]
// from x0 across. Only what meets the clip box is drawn.
struct CellRegion {
    int nFirstRow, nLastRow, y0;
    int nFirstCol, nLastCol, x0;
};

// Walks the shown entries nFirst..nLast of an axis laid out from nStart, calling
// visit(index, first pixel, last pixel) for those that meet [nClipLow, nClipHigh).
template <class Visit>
void WalkShown(const CGridAxis& axis, int nFirst, int nLast, int nStart, int nClipLow,
               int nClipHigh, Visit visit)
{
    int nPos = nStart;
    for (int i = std::max(nFirst, 0); i <= nLast; ++i) {
        const int nSize = axis.GetSize(i);
        if (nSize <= 0)
            continue;
        const int nLow = nPos;
        nPos += nSize;
        if (nLow >= nClipHigh)
            break;
        if (nPos > nClipLow)
            visit(i, nLow, nPos - 1);
    }
}

} // namespace

void CGridCtrl::DrawCells(CDC* pDC, const CRect& clipRect)
{
    const int nFixedRows = GetFixedRowCount();
    const int nFixedCols = GetFixedColumnCount();
    const int nFixedHeight = GetFixedRowHeight();
    const int nFixedWidth = GetFixedColumnWidth();
    const CCellBlock visible = GetVisibleNonFixedCellRange();
    const CellRegion regions[] = {
        {0, nFixedRows - 1, 0, 0, nFixedCols - 1, 0}, // the corner
        {visible.GetMinRow(), visible.GetMaxRow(), nFixedHeight, 0, nFixedCols - 1, 0},
        {0, nFixedRows - 1, 0, visible.GetMinCol(), visible.GetMaxCol(), nFixedWidth},
        {visible.GetMinRow(), visible.GetMaxRow(), nFixedHeight, visible.GetMinCol(),
         visible.GetMaxCol(), nFixedWidth},
    };
    for (const CellRegion& region : regions) {
        WalkShown(m_rows, region.nFirstRow, region.nLastRow, region.y0, clipRect.top,
                  clipRect.bottom, [&](int nRow, int top, int bottom) {
                      WalkShown(m_cols, region.nFirstCol, region.nLastCol, region.x0, clipRect.left,
                                clipRect.right, [&](int nCol, int left, int right) {
                                    if (CGridCellBase* pCell = GetCell(nRow, nCol))
                                        pCell->Draw(pDC, nRow, nCol,
                                                    CRect(left, top, right, bottom), FALSE);
                                });
                  });
    }
}

// Lines along the right and bottom pixel of every shown non-fixed cell; none over the headers.
void CGridCtrl::DrawGridLines(CDC* pDC, const CRect& visRect, const CCellBlock& visible)
{
    CPen pen(PS_SOLID, 0, m_crGridLineColour);
    CPen* pOldPen = pDC->SelectObject(&pen);
    const int nFixedHeight = GetFixedRowHeight();
    const int nFixedWidth = GetFixedColumnWidth();
    if (m_nGridLines & GVL_VERT) {
        int x = nFixedWidth;
        for (int nCol = visible.GetMinCol(); nCol <= visible.GetMaxCol(); ++nCol) {
            if (GetColumnWidth(nCol) <= 0)
                continue;
            x += GetColumnWidth(nCol);
            pDC->MoveTo(x - 1, nFixedHeight);
            pDC->LineTo(x - 1, visRect.bottom);
        }
    }
    if (m_nGridLines & GVL_HORZ) {
        int y = nFixedHeight;
        for (int nRow = visible.GetMinRow(); nRow <= visible.GetMaxRow(); ++nRow) {
            if (GetRowHeight(nRow) <= 0)
                continue;
            y += GetRowHeight(nRow);
            pDC->MoveTo(nFixedWidth, y - 1);
            pDC->LineTo(visRect.right, y - 1);
        }
    }
    pDC->SelectObject(pOldPen);
}

// The background of what the cells leave: header colours where the headers are, the ordinary
// cell colour over the cells (which draw without erasing), the grid colour beyond them.
void CGridCtrl::EraseBkgnd(CDC* pDC)
{
    CRect clip;
    if (pDC->GetClipBox(clip) == ERROR)
        return;
    CRect vis;
    GetVisibleNonFixedCellRange(vis);
    const int nFixedHeight = GetFixedRowHeight();
    const int nFixedWidth = GetFixedColumnWidth();
    if (clip.left < nFixedWidth && clip.top < nFixedHeight)
        pDC->FillSolidRect(CRect(clip.left, clip.top, nFixedWidth, nFixedHeight),
                           m_cellFixedRowColDef.GetBackColour());
    if (clip.left < nFixedWidth && clip.top < vis.bottom)
        pDC->FillSolidRect(
            CRect(clip.left, std::max<int>(clip.top, nFixedHeight), nFixedWidth, vis.bottom),
            m_cellFixedColDef.GetBackColour());
    if (clip.top < nFixedHeight && clip.right > nFixedWidth && clip.left < vis.right)
        pDC->FillSolidRect(CRect(nFixedWidth - 1, clip.top, vis.right, nFixedHeight),
                           m_cellFixedRowDef.GetBackColour());
    CRect cells;
    if (cells.IntersectRect(vis, clip)) {
        cells.left = std::max<int>(cells.left, nFixedWidth);
        cells.top = std::max<int>(cells.top, nFixedHeight);
        if (!cells.IsRectEmpty())
            pDC->FillSolidRect(cells, m_cellDefault.GetBackColour());
    }
    if (clip.right > vis.right)
        pDC->FillSolidRect(CRect(vis.right, clip.top, clip.right, clip.bottom), m_crGridBkColour);
    if (clip.bottom > vis.bottom)
        pDC->FillSolidRect(
            CRect(clip.left, vis.bottom, std::min(vis.right, clip.right), clip.bottom),
            m_crGridBkColour);
}

// --- Geometry ------------------------------------------------------------------------------

CCellPos CGridCtrl::GetTopleftNonFixedCell(BOOL bForceRecalculation)
{
    if (!bForceRecalculation && m_idTopLeftCell.row != -1 && m_idTopLeftCell.col != -1)
        return m_idTopLeftCell;
    m_idTopLeftCell.row = m_rows.TopLeftAt(GetScrollPos32(SB_VERT));
    m_idTopLeftCell.col = m_cols.TopLeftAt(GetScrollPos32(SB_HORZ));
    return m_idTopLeftCell;
}

CCellBlock CGridCtrl::GetVisibleNonFixedCellRange(LPRECT pRect, BOOL bForceRecalculation)
{
    CRect client;
    if (::IsWindow(m_hWnd))
        GetClientRect(client);
    const CCellPos topLeft = GetTopleftNonFixedCell(bForceRecalculation);
    int nBottom = 0, nRight = 0;
    const int nMaxRow = m_rows.LastVisible(topLeft.row, client.bottom, &nBottom);
    const int nMaxCol = m_cols.LastVisible(topLeft.col, client.right, &nRight);
    if (pRect)
        *pRect = CRect(0, 0, nRight, nBottom);
    return CCellBlock(topLeft.row, topLeft.col, nMaxRow, nMaxCol);
}

BOOL CGridCtrl::GetCellOrigin(int nRow, int nCol, LPPOINT p)
{
    if (!IsValid(nRow, nCol))
        return FALSE;
    const CCellPos topLeft = GetTopleftNonFixedCell();
    int x = 0, y = 0;
    if (!m_cols.GetOrigin(nCol, topLeft.col, &x) || !m_rows.GetOrigin(nRow, topLeft.row, &y))
        return FALSE;
    p->x = x;
    p->y = y;
    return TRUE;
}

BOOL CGridCtrl::GetCellRect(int nRow, int nCol, LPRECT pRect)
{
    CPoint origin;
    if (!GetCellOrigin(nRow, nCol, &origin))
        return FALSE;
    pRect->left = origin.x;
    pRect->top = origin.y;
    pRect->right = origin.x + GetColumnWidth(nCol) - 1;
    pRect->bottom = origin.y + GetRowHeight(nRow) - 1;
    return TRUE;
}

CCellPos CGridCtrl::GetCellFromPt(CPoint point, BOOL bAllowFixedCellCheck)
{
    const CCellPos topLeft = GetTopleftNonFixedCell();
    if (!bAllowFixedCellCheck && !IsValid(topLeft))
        return CCellPos(-1, -1);
    return CCellPos(m_rows.IndexAt(point.y, topLeft.row, bAllowFixedCellCheck),
                    m_cols.IndexAt(point.x, topLeft.col, bAllowFixedCellCheck));
}

BOOL CGridCtrl::IsCellVisible(int nRow, int nCol)
{
    if (!::IsWindow(m_hWnd))
        return FALSE;
    CPoint origin;
    if (!GetCellOrigin(nRow, nCol, &origin))
        return FALSE; // outside, or scrolled out before the top-left cell
    CRect client;
    GetClientRect(client);
    return origin.x < client.right && origin.y < client.bottom;
}

BOOL CGridCtrl::InvalidateCellRect(int nRow, int nCol)
{
    if (!m_bAllowDraw || !IsValid(nRow, nCol) || !IsCellVisible(nRow, nCol))
        return FALSE;
    CRect rect;
    if (!GetCellRect(nRow, nCol, rect))
        return FALSE;
    rect.right++;
    rect.bottom++;
    InvalidateRect(rect, TRUE);
    return TRUE;
}

BOOL CGridCtrl::RedrawCell(int nRow, int nCol, CDC* pDC)
{
    CRect rect;
    if (!m_bAllowDraw || !IsCellVisible(nRow, nCol) || !GetCellRect(nRow, nCol, rect))
        return FALSE;
    BOOL bReleaseDC = FALSE;
    if (!pDC) {
        pDC = GetDC();
        bReleaseDC = pDC != nullptr;
        if (!pDC) {
            InvalidateCellRect(nRow, nCol);
            return TRUE;
        }
    }
    BOOL bResult = FALSE;
    if (CGridCellBase* pCell = GetCell(nRow, nCol)) {
        bResult = pCell->Draw(pDC, nRow, nCol, rect, TRUE);
        if (nRow >= GetFixedRowCount() && nCol >= GetFixedColumnCount()) {
            CPen pen(PS_SOLID, 0, m_crGridLineColour);
            CPen* pOldPen = pDC->SelectObject(&pen);
            if (m_nGridLines & GVL_HORZ) {
                pDC->MoveTo(rect.left, rect.bottom);
                pDC->LineTo(rect.right + 1, rect.bottom);
            }
            if (m_nGridLines & GVL_VERT) {
                pDC->MoveTo(rect.right, rect.top);
                pDC->LineTo(rect.right, rect.bottom + 1);
            }
            pDC->SelectObject(pOldPen);
        }
    }
    if (bReleaseDC)
        ReleaseDC(pDC);
    return bResult;
}

BOOL CGridCtrl::RedrawRow(int nRow)
{
    BOOL bResult = TRUE;
    for (int nCol = 0; nCol < GetColumnCount(); ++nCol)
        bResult = RedrawCell(nRow, nCol) && bResult;
    return bResult;
}

BOOL CGridCtrl::RedrawColumn(int nCol)
{
    BOOL bResult = TRUE;
    for (int nRow = 0; nRow < GetRowCount(); ++nRow)
        bResult = RedrawCell(nRow, nCol) && bResult;
    return bResult;
}

// --- Scroll bars ---------------------------------------------------------------------------

void CGridCtrl::ResetScrollBars()
{
    m_idTopLeftCell = CCellPos(-1, -1);
    // Showing or hiding a bar resizes the client area, which comes back here through WM_SIZE;
    // the outer call decides for both bars.
    if (!m_bAllowDraw || !::IsWindow(m_hWnd) || m_bResettingBars)
        return;
    CRect rect;
    GetClientRect(rect);
    if (rect.IsRectEmpty())
        return;
    // Measure as if no bar were shown: a shown bar takes exactly its system width.
    const int nVertBar = ::GetSystemMetrics(SM_CXVSCROLL);
    const int nHorzBar = ::GetSystemMetrics(SM_CYHSCROLL);
    if (GetStyle() & WS_VSCROLL)
        rect.right += nVertBar;
    if (GetStyle() & WS_HSCROLL)
        rect.bottom += nHorzBar;
    const GridScrollBars bars =
        ComputeGridScrollBars(rect.Width(), rect.Height(), m_rows, m_cols, nVertBar, nHorzBar);
    m_nVScrollMax = bars.nVertMax;
    m_nHScrollMax = bars.nHorzMax;

    m_bResettingBars = TRUE;
    EnableScrollBars(SB_HORZ, bars.bShowHorz);
    EnableScrollBars(SB_VERT, bars.bShowVert);
    // A bar that is not needed is hidden, not disabled.
    SCROLLINFO si{};
    si.fMask = SIF_PAGE | SIF_RANGE;
    si.nMin = 0;
    si.nMax = m_nHScrollMax;
    si.nPage = UINT(bars.nHorzPage);
    SetScrollInfo(SB_HORZ, &si, TRUE);
    si.nMax = m_nVScrollMax;
    si.nPage = UINT(bars.nVertPage);
    SetScrollInfo(SB_VERT, &si, TRUE);
    EnableScrollBars(SB_HORZ, bars.bShowHorz);
    EnableScrollBars(SB_VERT, bars.bShowVert);
    m_bResettingBars = FALSE;
    m_idTopLeftCell = CCellPos(-1, -1);
}

void CGridCtrl::EnableScrollBars(int nBar, BOOL bEnable)
{
    const auto shown = [this](DWORD dwStyle) { return (GetStyle() & dwStyle) != 0; };
    if ((nBar == SB_HORZ || nBar == SB_BOTH) && shown(WS_HSCROLL) != bool(bEnable))
        ShowScrollBar(SB_HORZ, bEnable);
    if ((nBar == SB_VERT || nBar == SB_BOTH) && shown(WS_VSCROLL) != bool(bEnable))
        ShowScrollBar(SB_VERT, bEnable);
    // The bits say what the window shows.
    m_nBarState = (shown(WS_HSCROLL) ? 0x1 : 0) | (shown(WS_VSCROLL) ? 0x2 : 0);
}

int CGridCtrl::GetScrollPos32(int nBar, BOOL bGetTrackPos)
{
    if (!::IsWindow(m_hWnd))
        return 0;
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = bGetTrackPos ? SIF_TRACKPOS : SIF_POS;
    if (!::GetScrollInfo(m_hWnd, nBar, &si))
        return 0;
    return bGetTrackPos ? si.nTrackPos : si.nPos;
}

BOOL CGridCtrl::SetScrollPos32(int nBar, int nPos, BOOL bRedraw)
{
    m_idTopLeftCell = CCellPos(-1, -1);
    if (!::IsWindow(m_hWnd))
        return FALSE;
    SCROLLINFO si{};
    si.fMask = SIF_POS;
    si.nPos = nPos;
    return SetScrollInfo(nBar, &si, bRedraw);
}

void CGridCtrl::OnHScroll(UINT nSBCode, UINT, CScrollBar*) { ScrollLines(SB_HORZ, nSBCode); }

void CGridCtrl::OnVScroll(UINT nSBCode, UINT, CScrollBar*) { ScrollLines(SB_VERT, nSBCode); }

// Scrolls one axis: lines step by the size of the first shown row (or column), pages by the
// visible non-fixed extent. Only the non-fixed part is repainted, except at top and bottom.
void CGridCtrl::ScrollLines(int nBar, UINT nSBCode)
{
    m_TitleTip.Hide();
    const BOOL bVert = nBar == SB_VERT;
    const CGridAxis& axis = bVert ? m_rows : m_cols;
    const int nMax = bVert ? m_nVScrollMax : m_nHScrollMax;
    const int nPos = GetScrollPos32(nBar);
    const CCellPos topLeft = GetTopleftNonFixedCell();
    CRect rect;
    GetClientRect(rect);
    const int nFixedExtent = axis.GetFixedExtent();
    (bVert ? rect.top : rect.left) = nFixedExtent;
    const int nPage = (bVert ? rect.bottom : rect.right) - nFixedExtent;

    switch (nSBCode) {
    case SB_LINEDOWN:
    case SB_LINEUP:
        ScrollOneLine(nBar, nSBCode == SB_LINEDOWN, rect);
        break;
    case SB_PAGEDOWN:
        if (nPos < nMax) {
            SetScrollPos32(nBar, std::min(nMax, nPos + nPage));
            InvalidateRect(rect);
        }
        break;
    case SB_PAGEUP:
        if (nPos > 0) {
            SetScrollPos32(nBar, std::max(0, nPos - nPage));
            InvalidateRect(rect);
        }
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SetScrollPos32(nBar, GetScrollPos32(nBar, TRUE));
        const CCellPos newTopLeft = GetTopleftNonFixedCell();
        if (!(newTopLeft == topLeft))
            InvalidateRect(rect);
        break;
    }
    case SB_TOP:
        if (nPos > 0) {
            SetScrollPos32(nBar, 0);
            Invalidate();
        }
        break;
    case SB_BOTTOM:
        if (nPos < nMax) {
            SetScrollPos32(nBar, nMax);
            Invalidate();
        }
        break;
    default:
        break;
    }
}

// One line down steps by the first shown row (or column) at the top, one line up by the shown
// one before it; scrolled is the non-fixed area to repaint.
void CGridCtrl::ScrollOneLine(int nBar, BOOL bDown, const CRect& scrolled)
{
    const BOOL bVert = nBar == SB_VERT;
    const CGridAxis& axis = bVert ? m_rows : m_cols;
    const int nMax = bVert ? m_nVScrollMax : m_nHScrollMax;
    const int nPos = GetScrollPos32(nBar);
    const CCellPos topLeft = GetTopleftNonFixedCell();
    const int nTopLeft = bVert ? topLeft.row : topLeft.col;
    if (bDown) {
        if (nPos >= nMax)
            return;
        int i = nTopLeft;
        while (i < axis.GetCount() - 1 && axis.GetSize(i) == 0)
            ++i;
        SetScrollPos32(nBar, nPos + std::max(axis.GetSize(i), 0));
        if (GetScrollPos32(nBar) != nPos)
            InvalidateRect(scrolled);
        return;
    }
    if (nPos <= 0 || nTopLeft <= axis.GetFixedCount())
        return;
    int i = nTopLeft - 1;
    while (i > axis.GetFixedCount() && axis.GetSize(i) == 0)
        --i;
    SetScrollPos32(nBar, std::max(0, nPos - std::max(axis.GetSize(i), 0)));
    InvalidateRect(scrolled);
}

BOOL CGridCtrl::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    BOOL bPages = FALSE;
    const int nSteps = GridWheelSteps(zDelta, m_nRowsPerWheelNotch, &bPages);
    const UINT nCode =
        bPages ? (nSteps > 0 ? SB_PAGEUP : SB_PAGEDOWN) : (nSteps > 0 ? SB_LINEUP : SB_LINEDOWN);
    for (int i = 0; i < std::abs(nSteps); ++i)
        PostMessage(WM_VSCROLL, MAKEWPARAM(nCode, 0), 0);
    return CWnd::OnMouseWheel(nFlags, zDelta, pt);
}

void CGridCtrl::EnsureVisible(int nRow, int nCol)
{
    if (!m_bAllowDraw || !IsValid(nRow, nCol))
        return;
    // The positions are computed, not stepped to line by line: a cell 100,000 rows away
    // costs one pass over the sizes.
    const CCellPos topLeft = GetTopleftNonFixedCell();
    CRect client;
    GetClientRect(client);
    const int nHorz = GetScrollPos32(SB_HORZ), nVert = GetScrollPos32(SB_VERT);
    const int nNewHorz = m_cols.PositionShowing(nCol, topLeft.col, client.right, nHorz);
    const int nNewVert = m_rows.PositionShowing(nRow, topLeft.row, client.bottom, nVert);
    if (nNewHorz == nHorz && nNewVert == nVert)
        return;
    m_TitleTip.Hide();
    SetScrollPos32(SB_HORZ, nNewHorz);
    SetScrollPos32(SB_VERT, nNewVert);
    Invalidate();
}

// --- Fitting columns and rows to their contents --------------------------------------------

BOOL CGridCtrl::AutoSizeColumn(int nCol, UINT nAutoSizeStyle, BOOL bResetScroll)
{
    if (!m_cols.IsValid(nCol) || GetColumnWidth(nCol) < 1 || !::IsWindow(m_hWnd))
        return FALSE;
    const UINT nStyle = nAutoSizeStyle ? nAutoSizeStyle : UINT(m_nAutoSizeColumnStyle);
    const int nStartRow = (nStyle & GVS_HEADER) ? 0 : GetFixedRowCount();
    const int nEndRow = (nStyle & GVS_DATA) ? GetRowCount() - 1 : GetFixedRowCount() - 1;
    return FitToCells(TRUE, nCol, CCellBlock(nStartRow, nCol, nEndRow, nCol), bResetScroll);
}

BOOL CGridCtrl::AutoSizeRow(int nRow, BOOL bResetScroll)
{
    if (!m_rows.IsValid(nRow) || GetRowHeight(nRow) < 1 || !::IsWindow(m_hWnd))
        return FALSE;
    return FitToCells(FALSE, nRow, CCellBlock(nRow, 0, nRow, GetColumnCount() - 1), bResetScroll);
}

// Sizes column (or row) nIndex to the widest (tallest) extent of the cells of block; a block
// without cells leaves it hidden.
BOOL CGridCtrl::FitToCells(BOOL bColumn, int nIndex, const CCellBlock& block, BOOL bResetScroll)
{
    CDC* pDC = GetDC();
    if (!pDC)
        return FALSE;
    if (m_bVirtualMode)
        SendCacheHintToParent(block);
    int nSize = 0;
    for (int nRow = block.GetMinRow(); nRow <= block.GetMaxRow(); ++nRow)
        for (int nCol = block.GetMinCol(); nCol <= block.GetMaxCol(); ++nCol)
            if (CGridCellBase* pCell = GetCell(nRow, nCol)) {
                const CSize extent = pCell->GetCellExtent(pDC);
                nSize = std::max<int>(nSize, bColumn ? extent.cx : extent.cy);
            }
    (bColumn ? m_cols : m_rows).SetSize(nIndex, nSize);
    if (m_bVirtualMode)
        SendCacheHintToParent(CCellBlock());
    ReleaseDC(pDC);
    if (bResetScroll)
        ResetScrollBars();
    return TRUE;
}
