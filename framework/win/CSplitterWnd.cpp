#include "framework/win/CSplitterWnd.h"

#include "framework/win/CCreateContext.h"
#include "framework/win/CDC.h"
#include "framework/win/CFrameWnd.h"
#include "framework/win/CView.h"
#include "framework/win/MessageCrackers.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
ON_WM_PAINT()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CANCELMODE()
ON_WM_KEYDOWN()
ON_WM_SETCURSOR()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CSplitterWnd::CSplitterWnd()
    : m_cxSplitter(6), m_cySplitter(6), m_cxBorderShare(0), m_cyBorderShare(0), m_cxSplitterGap(6),
      m_cySplitterGap(6), m_cxBorder(2), m_cyBorder(2)
{
}

CSplitterWnd::~CSplitterWnd() = default;

void CSplitterWnd::LayoutRowCol(CRowColInfo* pInfo, int n, int nSize, int nGap)
{
    if (n <= 0)
        return;
    int nLeft = nSize;
    for (int i = 0; i < n - 1; i++) {
        CRowColInfo& info = pInfo[i];
        if (nLeft <= 0) {
            info.nCurSize = 0;
            continue;
        }
        info.nCurSize =
            info.nIdealSize < info.nMinSize ? 0 : std::min(std::max(info.nIdealSize, 0), nLeft);
        nLeft -= info.nCurSize + nGap;
    }
    pInfo[n - 1].nCurSize = std::max(nLeft, 0);
}

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID)
{
    if (nRows < 1 || nCols < 1 || nRows > 16 || nCols > 16 || m_hWnd)
        return FALSE;
    m_nRows = m_nMaxRows = nRows;
    m_nCols = m_nMaxCols = nCols;
    m_rowInfo.assign(std::size_t(nRows), CRowColInfo{});
    m_colInfo.assign(std::size_t(nCols), CRowColInfo{});
    m_pRowInfo = m_rowInfo.data();
    m_pColInfo = m_colInfo.data();
    // A border style becomes the sunken client edge.
    DWORD dwExStyle = 0;
    if (dwStyle & WS_BORDER) {
        dwStyle &= ~WS_BORDER;
        dwExStyle |= WS_EX_CLIENTEDGE;
    }
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, nullptr, HBRUSH(COLOR_BTNFACE + 1));
    return CWnd::CreateEx(dwExStyle, lpszClass, nullptr, dwStyle | WS_CHILD, 0, 0, 0, 0,
                          pParentWnd->GetSafeHwnd(), reinterpret_cast<HMENU>(UINT_PTR(nID)));
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit,
                              CCreateContext* pContext)
{
    if (row < 0 || row >= m_nMaxRows || col < 0 || col >= m_nMaxCols || !pViewClass)
        return FALSE;
    if (GetPane(row, col))
        return FALSE; // the pane is taken
    m_pColInfo[col].nIdealSize = sizeInit.cx;
    m_pRowInfo[row].nIdealSize = sizeInit.cy;

    CCreateContext contextT;
    BOOL bSendInitialUpdate = FALSE;
    if (!pContext) {
        if (CView* pView = GetActiveFrameView()) {
            contextT.m_pLastView = pView;
            contextT.m_pCurrentDoc = pView->GetDocument();
        }
        bSendInitialUpdate = TRUE;
        pContext = &contextT;
    }
    CObject* pObject = pViewClass->CreateObject();
    auto* pWnd = dynamic_cast<CWnd*>(pObject);
    if (!pWnd) {
        delete pObject;
        return FALSE;
    }
    RECT rect{0, 0, sizeInit.cx, sizeInit.cy};
    if (!pWnd->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, this,
                      UINT(IdFromRowCol(row, col)), pContext))
        return FALSE; // the view destroyed and deleted itself
    if (bSendInitialUpdate)
        pWnd->SendMessage(WM_INITIALUPDATE);
    return TRUE;
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const
{
    ASSERT(row >= 0 && row < m_nMaxRows);
    if (row < 0 || row >= m_nMaxRows)
        return;
    cyCur = m_pRowInfo[row].nCurSize;
    cyMin = m_pRowInfo[row].nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin)
{
    ASSERT(row >= 0 && row < m_nMaxRows);
    if (row < 0 || row >= m_nMaxRows)
        return;
    m_pRowInfo[row].nIdealSize = cyIdeal;
    m_pRowInfo[row].nMinSize = cyMin;
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const
{
    ASSERT(col >= 0 && col < m_nMaxCols);
    if (col < 0 || col >= m_nMaxCols)
        return;
    cxCur = m_pColInfo[col].nCurSize;
    cxMin = m_pColInfo[col].nMinSize;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin)
{
    ASSERT(col >= 0 && col < m_nMaxCols);
    if (col < 0 || col >= m_nMaxCols)
        return;
    m_pColInfo[col].nIdealSize = cxIdeal;
    m_pColInfo[col].nMinSize = cxMin;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const
{
    if (!m_hWnd)
        return nullptr;
    HWND hWnd = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
    return hWnd ? CWnd::FromHandle(hWnd) : nullptr;
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol)
{
    if (!pWnd || !pWnd->GetSafeHwnd() || ::GetParent(pWnd->GetSafeHwnd()) != m_hWnd)
        return FALSE;
    int nID = ::GetDlgCtrlID(pWnd->GetSafeHwnd()) - int(AFX_IDW_PANE_FIRST);
    int row = nID / 16, col = nID % 16;
    if (nID < 0 || row >= m_nRows || col >= m_nCols)
        return FALSE;
    if (pRow)
        *pRow = row;
    if (pCol)
        *pCol = col;
    return TRUE;
}

void CSplitterWnd::GetInsideRect(CRect& rect) const { ::GetClientRect(m_hWnd, &rect); }

CRect CSplitterWnd::GetCellRect(int row, int col) const
{
    CRect rectInside;
    GetInsideRect(rectInside);
    int x = rectInside.left, y = rectInside.top;
    for (int c = 0; c < col; c++)
        x += m_pColInfo[c].nCurSize + m_cxSplitterGap;
    for (int r = 0; r < row; r++)
        y += m_pRowInfo[r].nCurSize + m_cySplitterGap;
    return CRect(x, y, x + m_pColInfo[col].nCurSize, y + m_pRowInfo[row].nCurSize);
}

CRect CSplitterWnd::GetColumnBarRect(int col) const
{
    CRect rectInside;
    GetInsideRect(rectInside);
    CRect cell = GetCellRect(0, col);
    CRect rect(cell.right, rectInside.top, cell.right + m_cxSplitterGap, rectInside.bottom);
    rect.InflateRect(m_cxBorderShare, 0);
    return rect;
}

CRect CSplitterWnd::GetRowBarRect(int row) const
{
    CRect rectInside;
    GetInsideRect(rectInside);
    CRect cell = GetCellRect(row, 0);
    CRect rect(rectInside.left, cell.bottom, rectInside.right, cell.bottom + m_cySplitterGap);
    rect.InflateRect(0, m_cyBorderShare);
    return rect;
}

void CSplitterWnd::RecalcLayout()
{
    if (!m_hWnd || m_nRows <= 0 || m_nCols <= 0)
        return;
    CRect rectInside;
    GetInsideRect(rectInside);
    LayoutRowCol(m_pColInfo, m_nCols, rectInside.Width(), m_cxSplitterGap);
    LayoutRowCol(m_pRowInfo, m_nRows, rectInside.Height(), m_cySplitterGap);

    HDWP hDWP = ::BeginDeferWindowPos(m_nRows * m_nCols);
    std::vector<HWND> moved;
    for (int row = 0; row < m_nRows; row++) {
        for (int col = 0; col < m_nCols; col++) {
            HWND hWndPane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
            if (!hWndPane || !hDWP)
                continue;
            CRect rect = GetCellRect(row, col);
            rect.DeflateRect(m_cxBorder, m_cyBorder);
            // A pane that moves is drawn again rather than copied: its old pixels may already
            // be covered by a neighbour shown or moved in the same layout.
            CRect rectOld;
            ::GetWindowRect(hWndPane, &rectOld);
            ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rectOld), 2);
            UINT nFlags = SWP_NOACTIVATE | SWP_NOZORDER;
            if (rectOld.TopLeft() != rect.TopLeft()) {
                nFlags |= SWP_NOCOPYBITS;
                moved.push_back(hWndPane);
            }
            hDWP = ::DeferWindowPos(hDWP, hWndPane, nullptr, rect.left, rect.top,
                                    std::max(0, rect.Width()), std::max(0, rect.Height()), nFlags);
        }
    }
    if (hDWP)
        ::EndDeferWindowPos(hDWP);
    for (HWND hWndPane : moved)
        ::RedrawWindow(hWndPane, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    // The bars and borders are drawn by the splitter itself.
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
}

int CSplitterWnd::HitTest(CPoint pt) const
{
    int nRowHit = -1, nColHit = -1;
    for (int col = 0; col + 1 < m_nCols; col++)
        if (GetColumnBarRect(col).PtInRect(pt)) {
            nColHit = col;
            break;
        }
    for (int row = 0; row + 1 < m_nRows; row++)
        if (GetRowBarRect(row).PtInRect(pt)) {
            nRowHit = row;
            break;
        }
    if (nRowHit >= 0 && nColHit >= 0)
        return splitterIntersection1 + nRowHit * 15 + nColHit;
    if (nRowHit >= 0)
        return vSplitterBar1 + nRowHit;
    if (nColHit >= 0)
        return hSplitterBar1 + nColHit;
    return noHit;
}

// The tracker of a hit: a bar of the splitter's bar width at the hit bar's place.
void CSplitterWnd::GetHitRect(int ht, CRect& rect) const
{
    CRect rectInside;
    GetInsideRect(rectInside);
    if (ht >= vSplitterBar1 && ht <= vSplitterBar15) {
        CRect cell = GetCellRect(ht - vSplitterBar1, 0);
        rect = CRect(rectInside.left, cell.bottom, rectInside.right, cell.bottom + m_cySplitter);
    } else if (ht >= hSplitterBar1 && ht <= hSplitterBar15) {
        CRect cell = GetCellRect(0, ht - hSplitterBar1);
        rect = CRect(cell.right, rectInside.top, cell.right + m_cxSplitter, rectInside.bottom);
    } else {
        rect.SetRectEmpty();
    }
}

void CSplitterWnd::SetSplitCursor(int ht)
{
    LPCTSTR lpszCursor = IDC_ARROW;
    if (ht >= vSplitterBar1 && ht <= vSplitterBar15)
        lpszCursor = IDC_SIZENS;
    else if (ht >= hSplitterBar1 && ht <= hSplitterBar15)
        lpszCursor = IDC_SIZEWE;
    else if (ht >= splitterIntersection1 && ht <= splitterIntersection225)
        lpszCursor = IDC_SIZEALL;
    ::SetCursor(::LoadCursor(nullptr, lpszCursor));
}

void CSplitterWnd::StartTracking(int ht)
{
    if (ht == noHit || m_bTracking)
        return;
    m_htTrack = ht;
    m_bTracking2 = FALSE;
    CRect rectInside;
    GetInsideRect(rectInside);
    m_rectLimit = rectInside;
    if (ht >= splitterIntersection1 && ht <= splitterIntersection225) {
        // A crossing drags the row bar and the column bar together.
        int n = ht - splitterIntersection1;
        GetHitRect(vSplitterBar1 + n / 15, m_rectTracker);
        GetHitRect(hSplitterBar1 + n % 15, m_rectTracker2);
        m_bTracking2 = TRUE;
    } else {
        GetHitRect(ht, m_rectTracker);
    }
    if (ht >= vSplitterBar1 && ht <= vSplitterBar15)
        m_rectLimit.bottom -= m_cySplitter;
    else if (ht >= hSplitterBar1 && ht <= hSplitterBar15)
        m_rectLimit.right -= m_cxSplitter;
    else {
        m_rectLimit.bottom -= m_cySplitter;
        m_rectLimit.right -= m_cxSplitter;
    }
    m_hWndFocusBefore = ::GetFocus();
    SetCapture();
    SetFocus(); // Escape cancels the drag
    m_bTracking = TRUE;
    OnInvertTracker(m_rectTracker);
    if (m_bTracking2)
        OnInvertTracker(m_rectTracker2);
    SetSplitCursor(ht);
}

void CSplitterWnd::StopTracking(BOOL bAccept)
{
    if (!m_bTracking)
        return;
    m_bTracking = FALSE; // first: ReleaseCapture sends WM_CAPTURECHANGED/CANCELMODE back here
    OnInvertTracker(m_rectTracker);
    if (m_bTracking2)
        OnInvertTracker(m_rectTracker2);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (m_hWndFocusBefore && ::IsWindow(m_hWndFocusBefore))
        ::SetFocus(m_hWndFocusBefore);
    m_hWndFocusBefore = nullptr;
    if (!bAccept)
        return;
    int ht = m_htTrack;
    CRect rectInside;
    GetInsideRect(rectInside);
    auto acceptRow = [&](int row, const CRect& tracker) {
        m_pRowInfo[row].nIdealSize = std::max(0, int(tracker.top - GetCellRect(row, 0).top));
    };
    auto acceptCol = [&](int col, const CRect& tracker) {
        m_pColInfo[col].nIdealSize = std::max(0, int(tracker.left - GetCellRect(0, col).left));
    };
    if (ht >= vSplitterBar1 && ht <= vSplitterBar15)
        acceptRow(ht - vSplitterBar1, m_rectTracker);
    else if (ht >= hSplitterBar1 && ht <= hSplitterBar15)
        acceptCol(ht - hSplitterBar1, m_rectTracker);
    else if (ht >= splitterIntersection1 && ht <= splitterIntersection225) {
        int n = ht - splitterIntersection1;
        acceptRow(n / 15, m_rectTracker);
        acceptCol(n % 15, m_rectTracker2);
    }
    RecalcLayout();
}

void CSplitterWnd::OnInvertTracker(const CRect& rect)
{
    if (rect.IsRectEmpty())
        return;
    // A half-tone pattern XOR-ed over the window (and its panes): drawing it twice erases it.
    static const WORD kPattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA,
                                     0x5555, 0xAAAA, 0x5555, 0xAAAA};
    HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, kPattern);
    HBRUSH hBrush = ::CreatePatternBrush(hBitmap);
    HDC hDC = ::GetDCEx(m_hWnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    HGDIOBJ hOld = ::SelectObject(hDC, hBrush);
    ::PatBlt(hDC, rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    ::DeleteObject(hBrush);
    ::DeleteObject(hBitmap);
}

void CSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect)
{
    if (!pDC) {
        ::RedrawWindow(m_hWnd, &rect, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
        return;
    }
    HDC hDC = pDC->m_hDC;
    COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    auto fill = [&](const CRect& r, COLORREF clr) {
        ::SetBkColor(hDC, clr);
        ::ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    };
    auto frame = [&](CRect r, COLORREF clrTopLeft, COLORREF clrBottomRight) {
        fill(CRect(r.left, r.top, r.right - 1, r.top + 1), clrTopLeft);
        fill(CRect(r.left, r.top, r.left + 1, r.bottom - 1), clrTopLeft);
        fill(CRect(r.right - 1, r.top, r.right, r.bottom), clrBottomRight);
        fill(CRect(r.left, r.bottom - 1, r.right, r.bottom), clrBottomRight);
    };
    switch (nType) {
    case splitBorder: {
        // Sunken: shadow above and left, highlight below and right.
        CRect r = rect;
        frame(r, clrShadow, clrHilite);
        r.DeflateRect(1, 1);
        frame(r, ::GetSysColor(COLOR_WINDOWFRAME), clrFace);
        break;
    }
    case splitBox: {
        CRect r = rect;
        frame(r, clrHilite, clrShadow);
        r.DeflateRect(1, 1);
        fill(r, clrFace);
        break;
    }
    case splitBar:
    case splitIntersection:
        fill(rect, clrFace);
        break;
    }
}

void CSplitterWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rectInside;
    GetInsideRect(rectInside);
    for (int col = 0; col + 1 < m_nCols; col++)
        OnDrawSplitter(&dc, splitBar, GetColumnBarRect(col));
    for (int row = 0; row + 1 < m_nRows; row++)
        OnDrawSplitter(&dc, splitBar, GetRowBarRect(row));
    for (int row = 0; row + 1 < m_nRows; row++)
        for (int col = 0; col + 1 < m_nCols; col++) {
            CRect rectRow = GetRowBarRect(row), rectCol = GetColumnBarRect(col);
            OnDrawSplitter(&dc, splitIntersection,
                           CRect(rectCol.left, rectRow.top, rectCol.right, rectRow.bottom));
        }
    if (m_cxBorder > 0 || m_cyBorder > 0)
        for (int row = 0; row < m_nRows; row++)
            for (int col = 0; col < m_nCols; col++)
                OnDrawSplitter(&dc, splitBorder, GetCellRect(row, col));
}

BOOL CSplitterWnd::OnEraseBkgnd(CDC*)
{
    return TRUE; // OnPaint covers everything the panes leave
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy)
{
    if (nType != SIZE_MINIMIZED && cx > 0 && cy > 0)
        RecalcLayout();
    CWnd::OnSize(nType, cx, cy);
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint pt)
{
    if (m_bTracking)
        return;
    StartTracking(HitTest(pt));
    if (!m_bTracking)
        return;
    // Where the bar was grabbed: the tracker keeps that distance from the pointer.
    const CRect& rectRow = m_rectTracker;
    const CRect& rectCol = m_bTracking2 ? m_rectTracker2 : m_rectTracker;
    m_ptTrackOffset = CPoint(pt.x - rectCol.left, pt.y - rectRow.top);
}

void CSplitterWnd::OnMouseMove(UINT, CPoint pt)
{
    if (!m_bTracking) {
        SetSplitCursor(HitTest(pt));
        return;
    }
    if (::GetCapture() != m_hWnd) {
        StopTracking(FALSE);
        return;
    }
    // Rows move the tracker vertically, columns horizontally, a crossing both.
    auto move = [&](CRect& tracker, BOOL bVert, BOOL bHorz) {
        CRect rectNew = tracker;
        if (bVert) {
            int y = std::clamp(int(pt.y - m_ptTrackOffset.y), int(m_rectLimit.top),
                               int(m_rectLimit.bottom));
            rectNew.OffsetRect(0, y - rectNew.top);
        }
        if (bHorz) {
            int x = std::clamp(int(pt.x - m_ptTrackOffset.x), int(m_rectLimit.left),
                               int(m_rectLimit.right));
            rectNew.OffsetRect(x - rectNew.left, 0);
        }
        if (rectNew == tracker)
            return;
        OnInvertTracker(tracker);
        tracker = rectNew;
        OnInvertTracker(tracker);
    };
    int ht = m_htTrack;
    if (ht >= vSplitterBar1 && ht <= vSplitterBar15)
        move(m_rectTracker, TRUE, FALSE);
    else if (ht >= hSplitterBar1 && ht <= hSplitterBar15)
        move(m_rectTracker, FALSE, TRUE);
    else {
        move(m_rectTracker, TRUE, FALSE);
        move(m_rectTracker2, FALSE, TRUE);
    }
}

void CSplitterWnd::OnLButtonUp(UINT, CPoint) { StopTracking(TRUE); }

void CSplitterWnd::OnCancelMode()
{
    StopTracking(FALSE);
    CWnd::OnCancelMode();
}

void CSplitterWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE && m_bTracking) {
        StopTracking(FALSE);
        return;
    }
    CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    // Over the bars the cursor is chosen by OnMouseMove.
    if (pWnd && pWnd->GetSafeHwnd() == m_hWnd && nHitTest == HTCLIENT)
        return TRUE;
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

CView* CSplitterWnd::GetActiveFrameView() const
{
    CFrameWnd* pFrame = AfxFindParentFrame(m_hWnd);
    return pFrame ? pFrame->GetActiveView() : nullptr;
}

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol)
{
    CWnd* pView = GetActiveFrameView();
    if (!pView || !IsChildPane(pView, pRow, pCol)) {
        pView = CWnd::GetFocus();
        if (!pView || !IsChildPane(pView, pRow, pCol))
            return nullptr;
    }
    return pView;
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd)
{
    CWnd* pPane = pWnd ? pWnd : GetPane(row, col);
    if (!pPane)
        return;
    auto* pView = dynamic_cast<CView*>(CWnd::FromHandlePermanent(pPane->GetSafeHwnd()));
    CFrameWnd* pFrame = AfxFindParentFrame(m_hWnd);
    if (pView && pFrame)
        pFrame->SetActiveView(pView);
    else
        pPane->SetFocus();
}

BOOL CSplitterWnd::CanActivateNext(BOOL) { return m_nRows * m_nCols > 1; }

void CSplitterWnd::ActivateNext(BOOL bPrev)
{
    int row = 0, col = 0;
    if (!GetActivePane(&row, &col))
        row = col = 0;
    int nCount = m_nRows * m_nCols;
    int n = row * m_nCols + col;
    n = (n + (bPrev ? nCount - 1 : 1)) % nCount;
    SetActivePane(n / m_nCols, n % m_nCols);
}
