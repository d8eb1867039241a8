#include "ui/KxMiniDockFrameWnd.h"

#include "framework/win/MessageCrackers.h"
#include "ui/KxControlBar.h"
#include "ui/KxDockContext.h"

IMPLEMENT_DYNCREATE(CKxMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CKxMiniDockFrameWnd, CMiniDockFrameWnd)
ON_WM_NCLBUTTONDOWN()
ON_MESSAGE(WM_NCLBUTTONDBLCLK, &CKxMiniDockFrameWnd::OnNcLButtonDblClk)
ON_WM_MBUTTONDBLCLK()
END_MESSAGE_MAP()

BOOL CKxMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    return CreateFrame(pParent, dwBarStyle, kFrameStyle | WS_THICKFRAME);
}

CKxControlBar* CKxMiniDockFrameWnd::GetPane() const
{
    return dynamic_cast<CKxControlBar*>(GetDraggableBar());
}

void CKxMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CKxControlBar* pPane = GetPane();
    auto* pContext = pPane ? dynamic_cast<CKxDockContext*>(pPane->m_pDockContext) : nullptr;
    if (!pContext) {
        CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
        return;
    }
    if (nHitTest == HTCAPTION) {
        pPane->SetFocus();
        pContext->StartDrag(point);
    } else if (nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT) {
        pContext->Stretch(nHitTest, point);
    } else {
        CWnd::OnNcLButtonDown(nHitTest, point);
    }
}

LRESULT CKxMiniDockFrameWnd::OnNcLButtonDblClk(WPARAM wParam, LPARAM lParam)
{
    if (CKxControlBar* pPane = GetPane(); pPane && wParam == HTCAPTION) {
        pPane->m_pDockContext->ToggleDocking();
        return 0;
    }
    return CMiniDockFrameWnd::OnNcLButtonDblClk(wParam, lParam);
}

void CKxMiniDockFrameWnd::OnMButtonDblClk(UINT nFlags, CPoint point)
{
    if (CKxControlBar* pPane = GetPane()) {
        pPane->m_pDockContext->ToggleDocking();
        return;
    }
    CMiniDockFrameWnd::OnMButtonDblClk(nFlags, point);
}
