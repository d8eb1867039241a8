#include "ui/KxSizeDockBar.h"

#include "framework/win/CDC.h"
#include "framework/win/CDockContext.h"
#include "framework/win/CFrameWnd.h"
#include "framework/win/MessageCrackers.h"
#include "res/UiIds.h"
#include "ui/CaptureLoop.h"
#include "ui/KxControlBar.h"
#include "ui/SizingBarLayout.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKxSizeDockBar, CDockBar)

BEGIN_MESSAGE_MAP(CKxSizeDockBar, CDockBar)
ON_MESSAGE(WM_NCCALCSIZE, &CKxSizeDockBar::OnNcCalcSize)
ON_WM_NCPAINT()
ON_WM_NCHITTEST()
ON_WM_SETCURSOR()
ON_WM_NCLBUTTONDOWN()
ON_WM_SIZE()
ON_WM_CANCELMODE()
END_MESSAGE_MAP()

namespace {

constexpr int kBorder = 2; // each border named by the side's style

} // namespace

UINT CKxSizeDockBar::SideId(DWORD dwSide)
{
    switch (dwSide & CBRS_ALIGN_ANY) {
    case CBRS_ALIGN_TOP:
        return IDW_KXSIZEDOCK_TOP;
    case CBRS_ALIGN_RIGHT:
        return IDW_KXSIZEDOCK_RIGHT;
    case CBRS_ALIGN_BOTTOM:
        return IDW_KXSIZEDOCK_BOTTOM;
    default:
        return IDW_KXSIZEDOCK_LEFT;
    }
}

DWORD CKxSizeDockBar::SideStyle(DWORD dwSide)
{
    switch (dwSide & CBRS_ALIGN_ANY) {
    case CBRS_ALIGN_TOP:
        return CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
    case CBRS_ALIGN_RIGHT:
        return CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
    case CBRS_ALIGN_BOTTOM:
        return CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
    default:
        return CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
    }
}

std::vector<CKxControlBar*> CKxSizeDockBar::GetVisibleBars() const
{
    std::vector<CKxControlBar*> bars;
    for (CControlBar* pBar : m_arrBars)
        if (auto* pPane = dynamic_cast<CKxControlBar*>(pBar); pPane && pPane->IsVisible())
            bars.push_back(pPane);
    return bars;
}

void CKxSizeDockBar::SetSideSize(int nSize) { m_nSize = std::max(nSize, kSizingEdge); }

CSize CKxSizeDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    const std::vector<CKxControlBar*> bars = GetVisibleBars();
    if (bars.empty())
        return CSize(0, 0);
    if (m_nSize <= 0)
        SetSideSize(bars.front()->GetDockedSize(IsHorz()).cy);
    int nAcross = m_nSize + kSizingEdge;
    for (DWORD dwBorder :
         {CBRS_BORDER_LEFT, CBRS_BORDER_RIGHT, CBRS_BORDER_TOP, CBRS_BORDER_BOTTOM})
        if ((m_dwStyle & dwBorder) &&
            ((dwBorder & (CBRS_BORDER_TOP | CBRS_BORDER_BOTTOM)) != 0) == (bHorz != 0))
            nAcross += kBorder;
    return bHorz ? CSize(bStretch ? 32767 : 0, nAcross) : CSize(nAcross, bStretch ? 32767 : 0);
}

void CKxSizeDockBar::LayoutBars()
{
    if (!m_hWnd)
        return;
    const std::vector<CKxControlBar*> bars = GetVisibleBars();
    if (bars.empty())
        return;
    CRect client;
    GetClientRect(&client);
    const BOOL bHorz = IsHorz();
    std::vector<int> wanted;
    int nMaximised = -1;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        // Every pane is as deep as its side: it keeps that depth when it moves elsewhere.
        CSize size = bars[i]->GetDockedSize(bHorz);
        size.cy = m_nSize;
        bars[i]->SetDockedSize(bHorz, size);
        wanted.push_back(size.cx);
        if (bars[i] == m_pMaximized)
            nMaximised = int(i);
    }
    if (nMaximised < 0)
        m_pMaximized = nullptr;
    const std::vector<int> lengths =
        LayoutSizingBars(bHorz ? client.Width() : client.Height(), wanted, nMaximised,
                         bars.front()->GetCaptionSize());
    HDWP hDWP = ::BeginDeferWindowPos(int(bars.size()));
    int nPos = 0;
    for (std::size_t i = 0; i < bars.size() && hDWP; ++i) {
        const CRect rect = bHorz ? CRect(nPos, 0, nPos + lengths[i], client.bottom)
                                 : CRect(0, nPos, client.right, nPos + lengths[i]);
        hDWP = ::DeferWindowPos(hDWP, bars[i]->m_hWnd, nullptr, rect.left, rect.top, rect.Width(),
                                rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
        if (CDockContext* pContext = bars[i]->m_pDockContext) {
            pContext->m_rectMRUDockPos = rect;
            pContext->m_uMRUDockID = UINT(GetDlgCtrlID());
        }
        nPos += lengths[i];
    }
    if (hDWP)
        ::EndDeferWindowPos(hDWP);
}

void CKxSizeDockBar::ResizeBar(CKxControlBar* pBar, int nLength)
{
    CSize size = pBar->GetDockedSize(IsHorz());
    size.cx = std::max(nLength, pBar->GetCaptionSize());
    pBar->SetDockedSize(IsHorz(), size);
    LayoutBars();
}

void CKxSizeDockBar::MaximizeBar(CKxControlBar* pBar)
{
    m_pMaximized = pBar;
    LayoutBars();
}

void CKxSizeDockBar::RestoreBars()
{
    m_pMaximized = nullptr;
    LayoutBars();
}

// --- the splitter edge ---------------------------------------------------------------------

CRect CKxSizeDockBar::EdgeInWindow() const
{
    CRect rect;
    GetWindowRect(&rect);
    rect.OffsetRect(-rect.left, -rect.top);
    if (GetVisibleBars().empty())
        return CRect();
    const int b = kBorder;
    if (m_dwStyle & CBRS_ALIGN_LEFT) {
        const int right = rect.right - ((m_dwStyle & CBRS_BORDER_RIGHT) ? b : 0);
        return CRect(right - kSizingEdge, rect.top, right, rect.bottom);
    }
    if (m_dwStyle & CBRS_ALIGN_RIGHT) {
        const int left = (m_dwStyle & CBRS_BORDER_LEFT) ? b : 0;
        return CRect(left, rect.top, left + kSizingEdge, rect.bottom);
    }
    if (m_dwStyle & CBRS_ALIGN_TOP) {
        const int bottom = rect.bottom - ((m_dwStyle & CBRS_BORDER_BOTTOM) ? b : 0);
        return CRect(rect.left, bottom - kSizingEdge, rect.right, bottom);
    }
    const int top = (m_dwStyle & CBRS_BORDER_TOP) ? b : 0;
    return CRect(rect.left, top, rect.right, top + kSizingEdge);
}

CRect CKxSizeDockBar::GetEdgeRect() const
{
    CRect edge = EdgeInWindow();
    if (edge.IsRectEmpty())
        return edge;
    CRect window;
    GetWindowRect(&window);
    edge.OffsetRect(window.left, window.top);
    return edge;
}

LRESULT CKxSizeDockBar::OnNcCalcSize(WPARAM, LPARAM lParam)
{
    RECT& rect = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0];
    if (GetVisibleBars().empty())
        return 0;
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left += kBorder;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= kBorder;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += kBorder;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= kBorder;
    if (m_dwStyle & CBRS_ALIGN_LEFT)
        rect.right -= kSizingEdge;
    else if (m_dwStyle & CBRS_ALIGN_RIGHT)
        rect.left += kSizingEdge;
    else if (m_dwStyle & CBRS_ALIGN_TOP)
        rect.bottom -= kSizingEdge;
    else
        rect.top += kSizingEdge;
    rect.right = std::max(rect.right, rect.left);
    rect.bottom = std::max(rect.bottom, rect.top);
    return 0;
}

void CKxSizeDockBar::OnNcPaint()
{
    CWindowDC dc(this);
    CRect window;
    GetWindowRect(&window);
    window.OffsetRect(-window.left, -window.top);
    const COLORREF clrHilite = ::GetSysColor(COLOR_3DHILIGHT);
    const COLORREF clrShadow = ::GetSysColor(COLOR_3DSHADOW);
    const COLORREF clrFace = ::GetSysColor(COLOR_3DFACE);
    if (m_dwStyle & CBRS_BORDER_LEFT) {
        dc.FillSolidRect(window.left, window.top, 1, window.Height(), clrShadow);
        dc.FillSolidRect(window.left + 1, window.top, 1, window.Height(), clrHilite);
    }
    if (m_dwStyle & CBRS_BORDER_RIGHT) {
        dc.FillSolidRect(window.right - 2, window.top, 1, window.Height(), clrShadow);
        dc.FillSolidRect(window.right - 1, window.top, 1, window.Height(), clrHilite);
    }
    if (m_dwStyle & CBRS_BORDER_TOP) {
        dc.FillSolidRect(window.left, window.top, window.Width(), 1, clrShadow);
        dc.FillSolidRect(window.left, window.top + 1, window.Width(), 1, clrHilite);
    }
    if (m_dwStyle & CBRS_BORDER_BOTTOM) {
        dc.FillSolidRect(window.left, window.bottom - 2, window.Width(), 1, clrShadow);
        dc.FillSolidRect(window.left, window.bottom - 1, window.Width(), 1, clrHilite);
    }
    CRect edge = EdgeInWindow();
    if (!edge.IsRectEmpty()) {
        dc.FillSolidRect(&edge, clrFace);
        if (!m_bNoFrame)
            dc.Draw3dRect(&edge, clrHilite, clrShadow);
    }
}

LRESULT CKxSizeDockBar::OnNcHitTest(CPoint point)
{
    if (GetEdgeRect().PtInRect(point))
        return HTBORDER;
    return CDockBar::OnNcHitTest(point);
}

BOOL CKxSizeDockBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    m_bOverEdge = nHitTest == HTBORDER;
    if (m_bOverEdge) {
        ::SetCursor(::LoadCursorA(nullptr, IsHorz() ? IDC_SIZENS : IDC_SIZEWE));
        return TRUE;
    }
    return CDockBar::OnSetCursor(pWnd, nHitTest, message);
}

void CKxSizeDockBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTBORDER && !GetVisibleBars().empty()) {
        TrackEdge(point);
        return;
    }
    CDockBar::OnNcLButtonDown(nHitTest, point);
}

void CKxSizeDockBar::OnSize(UINT nType, int cx, int cy)
{
    CDockBar::OnSize(nType, cx, cy);
    LayoutBars();
}

void CKxSizeDockBar::OnCancelMode()
{
    CDockBar::OnCancelMode();
    m_bEndLoop = TRUE;
}

int CKxSizeDockBar::GetRoomAcross() const
{
    CFrameWnd* pFrame = GetParentFrame();
    if (!pFrame)
        return m_nSize;
    CRect client, window;
    pFrame->GetClientRect(&client);
    pFrame->ClientToScreen(&client);
    GetWindowRect(&window);
    const int nOther = (IsHorz() ? window.Height() : window.Width()) - m_nSize; // edge, borders
    int nRoom = 0;
    if (m_dwStyle & CBRS_ALIGN_LEFT)
        nRoom = client.right - window.left;
    else if (m_dwStyle & CBRS_ALIGN_RIGHT)
        nRoom = window.right - client.left;
    else if (m_dwStyle & CBRS_ALIGN_TOP)
        nRoom = client.bottom - window.top;
    else
        nRoom = window.bottom - client.top;
    return nRoom - nOther;
}

void CKxSizeDockBar::TrackEdge(CPoint point)
{
    const CRect edge = GetEdgeRect();
    const int nStart = m_nSize;
    const int nMax = GetRoomAcross();
    const BOOL bHorz = IsHorz();
    // Dragging away from the frame's side makes the side deeper.
    const int nSign = (m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_TOP)) ? 1 : -1;
    int nSize = nStart;
    m_bTracking = TRUE;
    m_ptStart = point;
    m_rectTracker = edge;
    InvertTrackerRect(m_rectTracker);
    auto follow = [&](const CaptureMouse& mouse) {
        const CPoint pt = mouse.point;
        const int nDelta = nSign * (bHorz ? pt.y - m_ptStart.y : pt.x - m_ptStart.x);
        nSize = TrackedSideSize(nStart, nDelta, nMax);
        CRect rect = edge;
        const int nShift = nSign * (nSize - nStart);
        rect.OffsetRect(bHorz ? 0 : nShift, bHorz ? nShift : 0);
        InvertTrackerRect(m_rectTracker);
        m_rectTracker = rect;
        InvertTrackerRect(m_rectTracker);
        return TRUE;
    };
    CaptureMouse end;
    const CaptureLoopEnd result = RunCaptureLoop(this, m_bEndLoop, end, follow);
    if (result == CaptureLoopEnd::Destroyed)
        return;
    if (result == CaptureLoopEnd::Released)
        follow(end);
    InvertTrackerRect(m_rectTracker);
    m_bTracking = FALSE;
    if (result != CaptureLoopEnd::Released || nSize == nStart)
        return;
    SetSideSize(nSize);
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->RecalcLayout();
}
