// Docking of a frame's control bars: dock bars on its sides and floating frames.
#include "framework/win/CDockBar.h"
#include "framework/win/CDockContext.h"
#include "framework/win/CFrameWnd.h"
#include "framework/win/CMiniDockFrameWnd.h"

#include <algorithm>

const CFrameWnd::DockBarSide CFrameWnd::dockBarSides[4] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT},
};

BOOL CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
    for (const DockBarSide& side : dockBarSides) {
        if (!(side.dwStyle & dwDockStyle & CBRS_ALIGN_ANY) || GetControlBar(side.nID))
            continue;
        auto* pDockBar = new CDockBar;
        pDockBar->m_bAutoDelete = TRUE;
        // A dock bar that cannot be made has deleted itself.
        if (!pDockBar->Create(
                this, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | side.dwStyle,
                side.nID))
            return FALSE;
    }
    return TRUE;
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    CDockBar* pDockBar = nullptr;
    if (nDockBarID) {
        pDockBar = dynamic_cast<CDockBar*>(GetControlBar(nDockBarID));
    } else {
        // The side the bar is aligned to, when docking there is allowed.
        for (const DockBarSide& side : dockBarSides)
            if (side.dwStyle & pBar->GetBarStyle() & pBar->m_dwDockStyle & CBRS_ALIGN_ANY) {
                pDockBar = dynamic_cast<CDockBar*>(GetControlBar(side.nID));
                if (pDockBar)
                    break;
            }
    }
    DockControlBar(pBar, pDockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (!pBar || !pDockBar)
        return;
    pBar->m_pDockSite = this;
    pDockBar->DockControlBar(pBar, lpRect);
    RecalcLayout();
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (!pBar)
        return;
    pBar->m_pDockSite = this;
    CWnd* pFrame = nullptr;
    if (pBar->IsFloating() && pBar->m_pDockBar->GetDockedCount() == 1) {
        pFrame = pBar->m_pDockBar->GetParent(); // alone in its frame already: move the frame
    } else {
        CObject* pObject =
            (m_pFloatingFrameClass ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd))
                ->CreateObject();
        auto* pMiniFrame = dynamic_cast<CMiniDockFrameWnd*>(pObject);
        if (!pMiniFrame) {
            delete pObject;
            return;
        }
        if (!pMiniFrame->Create(this, dwStyle))
            return; // it deleted itself
        CString strTitle;
        pBar->GetWindowText(strTitle);
        pMiniFrame->SetTitle(strTitle);
        pMiniFrame->SetWindowText(strTitle);
        pMiniFrame->m_wndDockBar.DockControlBar(pBar, nullptr);
        pMiniFrame->RecalcLayout();
        pFrame = pMiniFrame;
    }
    // The frame stays on the work area of the screen.
    CRect rectFrame;
    pFrame->GetWindowRect(&rectFrame);
    RECT work = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    point.x = std::max(int(work.left), std::min(int(point.x), int(work.right - rectFrame.Width())));
    point.y =
        std::max(int(work.top), std::min(int(point.y), int(work.bottom - rectFrame.Height())));
    pFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (pBar->m_pDockContext) {
        pBar->m_pDockContext->m_ptMRUFloatPos = point;
        pBar->m_pDockContext->m_bHasFloated = TRUE;
    }
    RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    if (bDelay)
        pBar->DelayShow(bShow);
    else
        pBar->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
    if (pBar->IsFloating()) {
        CDockBar* pDockBar = pBar->m_pDockBar;
        CWnd* pMiniFrame = pDockBar->GetParent();
        if (auto* pFrame = dynamic_cast<CFrameWnd*>(pMiniFrame))
            pFrame->RecalcLayout();
        pMiniFrame->ShowWindow(pDockBar->GetDockedVisibleCount() > 0 ? SW_SHOWNA : SW_HIDE);
    }
    RecalcLayout();
}

DWORD CFrameWnd::CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar)
{
    if (ppDockBar)
        *ppDockBar = nullptr;
    for (CControlBar* pBar : m_listControlBars) {
        auto* pDockBar = dynamic_cast<CDockBar*>(pBar);
        if (!pDockBar || pDockBar->m_bFloating || !(pDockBar->GetStyle() & WS_VISIBLE) ||
            !(pDockBar->GetBarStyle() & dwDockStyle & CBRS_ALIGN_ANY))
            continue;
        // An empty dock bar is a line along its side; the bar only has to reach it.
        CRect rectBar;
        pDockBar->GetWindowRect(&rectBar);
        if (rectBar.Width() == 0)
            ++rectBar.right;
        if (rectBar.Height() == 0)
            ++rectBar.bottom;
        CRect rectHit;
        if (::IntersectRect(&rectHit, &rectBar, &rect)) {
            if (ppDockBar)
                *ppDockBar = pDockBar;
            return pDockBar->GetBarStyle() & CBRS_ALIGN_ANY;
        }
    }
    return 0;
}
