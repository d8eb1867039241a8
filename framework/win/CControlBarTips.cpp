// Tool tips and fly-by prompts of control bars: the tool under the pointer names itself in a
// tip and tells the frame's status bar what it does.
#include "framework/win/CControlBar.h"

#include "framework/win/CFrameWnd.h"
#include "framework/win/Controls.h"
#include "framework/win/FrameworkIds.h"

#include <cstring>

INT_PTR CControlBar::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE);
    if (!hWndChild || hWndChild == m_hWnd)
        return -1;
    const int nID = ::GetDlgCtrlID(hWndChild);
    if (nID == 0 || nID == -1)
        return -1;
    if (pTI && pTI->cbSize >= TTTOOLINFOA_V1_SIZE) {
        pTI->hwnd = m_hWnd;
        pTI->uId = UINT_PTR(nID);
        pTI->lpszText = LPSTR_TEXTCALLBACKA;
        ::GetWindowRect(hWndChild, &pTI->rect);
        ScreenToClient(reinterpret_cast<CRect*>(&pTI->rect));
    }
    return nID;
}

BOOL CControlBar::PreTranslateMessage(MSG* pMsg)
{
    if ((m_dwStyle & (CBRS_TOOLTIPS | CBRS_FLYBY)) &&
        ((pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST) ||
         pMsg->message == WM_MOUSELEAVE))
        FilterToolTipMessage(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

void CControlBar::FilterToolTipMessage(const MSG* pMsg)
{
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return;
    if (pMsg->message == WM_MOUSELEAVE)
        return; // handled by OnMouseLeave
    CPoint point(short(LOWORD(pMsg->lParam)), short(HIWORD(pMsg->lParam)));
    ::MapWindowPoints(pMsg->hwnd, m_hWnd, &point, 1);
    TOOLINFOA ti = {};
    ti.cbSize = sizeof ti;
    const INT_PTR nHit = OnToolHitTest(point, &ti);
    if (nHit != m_nLastHit)
        SetTrackedTool(nHit, &ti);
    if (m_pToolTip && m_pToolTip->GetSafeHwnd() && nHit != -1) {
        MSG msg = *pMsg;
        msg.hwnd = m_hWnd;
        msg.lParam = MAKELPARAM(point.x, point.y);
        m_pToolTip->RelayEvent(&msg);
    }
}

void CControlBar::SetTrackedTool(INT_PTR nHit, const TOOLINFOA* pTI)
{
    const INT_PTR nOldHit = m_nLastHit;
    m_nLastHit = nHit;
    if (m_dwStyle & CBRS_FLYBY) {
        if (CFrameWnd* pFrame = GetDockingFrame())
            pFrame->SendMessage(WM_SETMESSAGESTRING,
                                nHit != -1 ? WPARAM(nHit) : AFX_IDS_IDLEMESSAGE);
    }
    if (m_dwStyle & CBRS_TOOLTIPS) {
        if (!m_pToolTip) {
            m_pToolTip = new CToolTipCtrl;
            if (!m_pToolTip->Create(this, TTS_ALWAYSTIP)) {
                delete m_pToolTip;
                m_pToolTip = nullptr;
            }
        }
        if (m_pToolTip) {
            // One tool at a time: the one under the pointer, its text asked for when shown.
            TOOLINFOA ti = {};
            ti.cbSize = sizeof ti;
            ti.hwnd = m_hWnd;
            if (nOldHit != -1) {
                ti.uId = UINT_PTR(nOldHit);
                m_pToolTip->SendMessage(TTM_DELTOOLA, 0, LPARAM(&ti));
            }
            if (nHit != -1 && pTI) {
                ti.uId = UINT_PTR(nHit);
                ti.rect = pTI->rect;
                ti.lpszText = LPSTR_TEXTCALLBACKA;
                m_pToolTip->SendMessage(TTM_ADDTOOLA, 0, LPARAM(&ti));
            }
            m_pToolTip->Activate(nHit != -1);
        }
    }
    if (nHit != -1) {
        TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&tme);
    }
}

void CControlBar::OnMouseLeave()
{
    if (m_nLastHit != -1)
        SetTrackedTool(-1, nullptr);
    CWnd::OnMouseLeave();
}

BOOL CControlBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return CWnd::OnNotify(wParam, lParam, pResult) ||
           FillToolTipText(reinterpret_cast<NMHDR*>(lParam), pResult);
}

BOOL CControlBar::FillToolTipText(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pNMHDR->code != TTN_NEEDTEXTA && pNMHDR->code != TTN_NEEDTEXTW)
        return FALSE;
    // The tip is the part of the command's string after its status-bar prompt.
    char szFull[256] = {};
    const UINT nID = UINT(pNMHDR->idFrom);
    if (nID != 0)
        ::LoadStringA(AfxGetResourceHandle(), nID, szFull, int(sizeof szFull));
    const char* pszTip = std::strchr(szFull, '\n');
    pszTip = pszTip ? pszTip + 1 : "";
    if (pNMHDR->code == TTN_NEEDTEXTA) {
        auto* pInfo = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
        ::lstrcpynA(pInfo->szText, pszTip, int(sizeof pInfo->szText));
        pInfo->lpszText = pInfo->szText;
    } else {
        auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
        ::MultiByteToWideChar(CP_ACP, 0, pszTip, -1, pInfo->szText, 80);
        pInfo->szText[79] = 0;
        pInfo->lpszText = pInfo->szText;
    }
    *pResult = 0;
    return TRUE;
}
