#include "framework/win/CMiniDockFrameWnd.h"

#include "framework/win/CDockContext.h"
#include "framework/win/MessageCrackers.h"

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CFrameWnd)
ON_WM_CLOSE()
ON_WM_NCLBUTTONDOWN()
ON_MESSAGE(WM_NCLBUTTONDBLCLK, &CMiniDockFrameWnd::OnNcLButtonDblClk)
ON_MESSAGE(WM_FLOATEMPTY, &CMiniDockFrameWnd::OnFloatEmpty)
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE) { m_bAddToTitle = FALSE; }

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    return CreateFrame(pParent, dwBarStyle, kFrameStyle);
}

BOOL CMiniDockFrameWnd::CreateFrame(CWnd* pParent, DWORD dwBarStyle, DWORD dwFrameStyle)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                            HBRUSH(COLOR_BTNFACE + 1));
    if (!CWnd::CreateEx(kFrameExStyle, lpszClass, "", dwFrameStyle, 0, 0, 0, 0,
                        AfxSafeHwnd(pParent), nullptr))
        return FALSE;
    if (!m_wndDockBar.Create(this, WS_CHILD | WS_VISIBLE | (dwBarStyle & CBRS_ALIGN_ANY),
                             AFX_IDW_DOCKBAR_FLOAT)) {
        DestroyWindow(); // the frame deletes itself
        return FALSE;
    }
    return TRUE;
}

CSize CMiniDockFrameWnd::FrameSizeFor(CSize client, DWORD dwFrameStyle)
{
    RECT rect = {0, 0, client.cx, client.cy};
    ::AdjustWindowRectEx(&rect, dwFrameStyle, FALSE, kFrameExStyle);
    return CSize(rect.right - rect.left, rect.bottom - rect.top);
}

void CMiniDockFrameWnd::RecalcLayout(BOOL)
{
    if (!m_wndDockBar.m_hWnd || m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    const CSize size = m_wndDockBar.CalcFixedLayout(FALSE, TRUE);
    m_wndDockBar.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    const CSize frame = FrameSize(size);
    SetWindowPos(nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_bInRecalcLayout = FALSE;
}

CControlBar* CMiniDockFrameWnd::GetDraggableBar() const
{
    const auto rows = m_wndDockBar.GetRows();
    if (rows.size() != 1 || rows[0].size() != 1 || !rows[0][0]->m_pDockContext)
        return nullptr;
    return rows[0][0];
}

// Closing a floating frame hides its bars; the frame goes with them.
void CMiniDockFrameWnd::OnClose()
{
    for (const auto& row : m_wndDockBar.GetRows())
        for (CControlBar* pBar : row)
            if (CFrameWnd* pFrame = pBar->GetDockingFrame(); pFrame && pFrame != this)
                pFrame->ShowControlBar(pBar, FALSE, FALSE);
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTCAPTION)
        if (CControlBar* pBar = GetDraggableBar()) {
            pBar->m_pDockContext->StartDrag(point);
            return;
        }
    CWnd::OnNcLButtonDown(nHitTest, point);
}

LRESULT CMiniDockFrameWnd::OnNcLButtonDblClk(WPARAM wParam, LPARAM lParam)
{
    if (wParam == HTCAPTION)
        if (CControlBar* pBar = GetDraggableBar()) {
            pBar->m_pDockContext->ToggleDocking();
            return 0;
        }
    return DefWindowProc(WM_NCLBUTTONDBLCLK, wParam, lParam);
}

LRESULT CMiniDockFrameWnd::OnFloatEmpty(WPARAM, LPARAM)
{
    if (m_wndDockBar.GetDockedCount() == 0)
        DestroyWindow();
    return 0;
}
