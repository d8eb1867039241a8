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

namespace {

constexpr DWORD kFrameStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr DWORD kFrameExStyle = WS_EX_TOOLWINDOW;

} // namespace

BOOL CKxMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                            HBRUSH(COLOR_BTNFACE + 1));
    if (!CWnd::CreateEx(kFrameExStyle, lpszClass, "", kFrameStyle, 0, 0, 0, 0, AfxSafeHwnd(pParent),
                        nullptr))
        return FALSE;
    if (!m_wndDockBar.Create(this, WS_CHILD | WS_VISIBLE | (dwBarStyle & CBRS_ALIGN_ANY),
                             AFX_IDW_DOCKBAR_FLOAT)) {
        DestroyWindow(); // the frame deletes itself
        return FALSE;
    }
    return TRUE;
}

CSize CKxMiniDockFrameWnd::CalcFrameSize(CSize client)
{
    RECT rect = {0, 0, client.cx, client.cy};
    ::AdjustWindowRectEx(&rect, kFrameStyle, FALSE, kFrameExStyle);
    return CSize(rect.right - rect.left, rect.bottom - rect.top);
}

void CKxMiniDockFrameWnd::RecalcLayout(BOOL)
{
    if (!m_wndDockBar.m_hWnd || m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    const CSize size = m_wndDockBar.CalcFixedLayout(FALSE, TRUE);
    m_wndDockBar.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    const CSize frame = CalcFrameSize(size);
    SetWindowPos(nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_bInRecalcLayout = FALSE;
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
