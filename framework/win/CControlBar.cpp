#include "framework/win/CControlBar.h"

#include "framework/win/CFrameWnd.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/MessageCrackers.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_MESSAGE(WM_SIZEPARENT, &CControlBar::OnSizeParent)
ON_MESSAGE(WM_IDLEUPDATECMDUI, &CControlBar::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::~CControlBar()
{
    if (m_pFrame)
        m_pFrame->RemoveControlBar(this);
}

CFrameWnd* CControlBar::GetParentFrame() const { return AfxFindParentFrame(m_hWnd); }

CSize CControlBar::CalcFixedLayout(BOOL, BOOL) { return CSize(0, 0); }

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
    if (m_pFrame) {
        m_pFrame->RemoveControlBar(this);
        m_pFrame = nullptr;
    }
    CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    RECT& rc = pLayout->rect;
    BOOL bHorz = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
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
    if (pLayout->hDWP)
        pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, nullptr, rcBar.left, rcBar.top,
                                         rcBar.right - rcBar.left, rcBar.bottom - rcBar.top,
                                         SWP_NOACTIVATE | SWP_NOZORDER);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    if (CFrameWnd* pTarget = GetParentFrame())
        OnUpdateCmdUI(pTarget, BOOL(wParam));
    return 0;
}
