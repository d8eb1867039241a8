#include "framework/win/CControlBar.h"

#include "framework/win/CDC.h"
#include "framework/win/CDockBar.h"
#include "framework/win/CDockContext.h"
#include "framework/win/CFrameWnd.h"
#include "framework/win/Controls.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/MessageCrackers.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSELEAVE()
ON_MESSAGE(WM_SIZEPARENT, &CControlBar::OnSizeParent)
ON_MESSAGE(WM_IDLEUPDATECMDUI, &CControlBar::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::~CControlBar()
{
    // A bar that goes before its window takes the window down as a bar, so its dock bar and
    // frame forget it.
    if (m_hWnd && CWnd::FromHandlePermanent(m_hWnd) == this)
        ::DestroyWindow(m_hWnd);
    if (m_pDockBar)
        m_pDockBar->RemoveControlBar(this);
    if (m_pFrame)
        m_pFrame->RemoveControlBar(this);
    delete m_pDockContext;
    delete m_pToolTip;
}

CFrameWnd* CControlBar::GetParentFrame() const { return AfxFindParentFrame(m_hWnd); }

CFrameWnd* CControlBar::GetDockingFrame() const
{
    return m_pDockSite ? m_pDockSite : GetParentFrame();
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CSize(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
}

CSize CControlBar::CalcDynamicLayout(int, DWORD dwMode)
{
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}

int CControlBar::GetGripperSpace() const { return (m_dwStyle & CBRS_GRIPPER) ? 7 : 2; }

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    const int cxBorder2 = 2 * ::GetSystemMetrics(SM_CXBORDER);
    const int cyBorder2 = 2 * ::GetSystemMetrics(SM_CYBORDER);
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left += cxBorder2;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += cyBorder2;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= cxBorder2;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= cyBorder2;
    // A vertical bar turns its borders with it.
    if (bHorz) {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    } else {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
    if (IsDocked()) {
        if (bHorz)
            rect.left += GetGripperSpace();
        else
            rect.top += GetGripperSpace();
    }
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    const DWORD dwOld = m_dwStyle;
    m_dwStyle = dwStyle;
    if (dwOld != dwStyle)
        OnBarStyleChange(dwOld, dwStyle);
}

void CControlBar::OnBarStyleChange(DWORD, DWORD)
{
    if (m_hWnd)
        Invalidate();
}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
    if (!m_pDockSite)
        m_pDockSite = GetParentFrame();
    if (dwDockStyle && !m_pDockContext)
        m_pDockContext = new CDockContext(this);
    else if (!dwDockStyle && m_pDockContext) {
        delete m_pDockContext;
        m_pDockContext = nullptr;
    }
}

BOOL CControlBar::IsFloating() const { return m_pDockBar && m_pDockBar->m_bFloating; }

void CControlBar::DelayShow(BOOL bShow)
{
    const BOOL bShown = m_hWnd && (GetStyle() & WS_VISIBLE);
    m_nStateFlags &= ~(kDelayShow | kDelayHide);
    if (bShow && !bShown)
        m_nStateFlags |= kDelayShow;
    else if (!bShow && bShown)
        m_nStateFlags |= kDelayHide;
}

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & kDelayHide)
        return FALSE;
    return (m_nStateFlags & kDelayShow) || (m_hWnd && (GetStyle() & WS_VISIBLE));
}

void CControlBar::RecalcDelayShow()
{
    if (m_nStateFlags & kDelayShow)
        ShowWindow(SW_SHOWNA);
    else if (m_nStateFlags & kDelayHide)
        ShowWindow(SW_HIDE);
    m_nStateFlags &= ~(kDelayShow | kDelayHide);
}

void CControlBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    DrawBorders(pDC, rect);
    DrawGripper(pDC, rect);
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    if (!(m_dwStyle & CBRS_BORDER_ANY))
        return;
    const COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (m_dwStyle & CBRS_BORDER_LEFT)
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), clrHilite);
    if (m_dwStyle & CBRS_BORDER_TOP)
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, clrHilite);
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), clrShadow);
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, clrShadow);
    rect.DeflateRect((m_dwStyle & CBRS_BORDER_LEFT) ? 1 : 0, (m_dwStyle & CBRS_BORDER_TOP) ? 1 : 0,
                     (m_dwStyle & CBRS_BORDER_RIGHT) ? 1 : 0,
                     (m_dwStyle & CBRS_BORDER_BOTTOM) ? 1 : 0);
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if (!(m_dwStyle & CBRS_GRIPPER) || !IsDocked())
        return;
    const COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    for (int offset : {1, 5}) {
        if (bHorz)
            pDC->Draw3dRect(rect.left + offset, rect.top + 2, 3, rect.Height() - 4, clrHilite,
                            clrShadow);
        else
            pDC->Draw3dRect(rect.left + 2, rect.top + offset, rect.Width() - 4, 3, clrHilite,
                            clrShadow);
    }
}

int CControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    m_pFrame = GetParentFrame();
    if (m_pFrame)
        m_pFrame->AddControlBar(this);
    return 0;
}

void CControlBar::OnDestroy()
{
    if (m_pDockBar) {
        CDockBar* pDockBar = m_pDockBar;
        m_pDockBar = nullptr;
        pDockBar->RemoveControlBar(this);
    }
    if (m_pFrame) {
        m_pFrame->RemoveControlBar(this);
        m_pFrame = nullptr;
    }
    if (m_pToolTip) {
        m_pToolTip->DestroyWindow();
        delete m_pToolTip;
        m_pToolTip = nullptr;
    }
    m_nLastHit = -1;
    CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

// A press where no tool is starts dragging the bar, when it may move.
void CControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_pDockContext && OnToolHitTest(point, nullptr) == -1) {
        ClientToScreen(&point);
        m_pDockContext->StartDrag(point);
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pDockContext && OnToolHitTest(point, nullptr) == -1) {
        m_pDockContext->ToggleDocking();
        return;
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!IsVisible()) {
        RecalcDelayShow();
        return 0;
    }
    RECT& rc = pLayout->rect;
    BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CSize size = CalcFixedLayout(pLayout->bStretch, bHorz);
    RECT rcBar = rc;
    if (m_dwStyle & CBRS_ALIGN_TOP) {
        rcBar.bottom = rc.top + size.cy;
        rc.top = rcBar.bottom;
    } else if (m_dwStyle & CBRS_ALIGN_BOTTOM) {
        rcBar.top = rc.bottom - size.cy;
        rc.bottom = rcBar.top;
    } else if (m_dwStyle & CBRS_ALIGN_LEFT) {
        rcBar.right = rc.left + size.cx;
        rc.left = rcBar.right;
    } else if (m_dwStyle & CBRS_ALIGN_RIGHT) {
        rcBar.left = rc.right - size.cx;
        rc.right = rcBar.left;
    } else {
        return 0;
    }
    if (pLayout->hDWP) {
        pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, nullptr, rcBar.left, rcBar.top,
                                         rcBar.right - rcBar.left, rcBar.bottom - rcBar.top,
                                         SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOCOPYBITS);
        RecalcDelayShow();
    }
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    if (CFrameWnd* pTarget = GetDockingFrame())
        OnUpdateCmdUI(pTarget, BOOL(wParam));
    return 0;
}
