// The menu bar's open pop-ups: tracking one after another as the user moves between buttons.
#include "framework/win/CFrameWnd.h"
#include "ui/KxMenuBar.h"

namespace {

// One menu bar tracks a pop-up at a time, through one message-filter hook.
CKxMenuBar* g_pTrackingBar = nullptr;
HHOOK g_hMessageFilter = nullptr;

} // namespace

LRESULT CALLBACK CKxMenuBar::MessageFilter(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == MSGF_MENU && g_pTrackingBar &&
        g_pTrackingBar->FilterPopupInput(reinterpret_cast<MSG*>(lParam)))
        return TRUE;
    return ::CallNextHookEx(g_hMessageFilter, nCode, wParam, lParam);
}

CPoint CKxMenuBar::PopupOrigin(int nButton, UINT& nAlign) const
{
    CRect rect;
    SendMessage(TB_GETITEMRECT, WPARAM(nButton), LPARAM(&rect));
    ClientToScreen(&rect);
    nAlign = TPM_LEFTALIGN | TPM_TOPALIGN;
    if (m_dwStyle & CBRS_ALIGN_BOTTOM) {
        nAlign = TPM_LEFTALIGN | TPM_BOTTOMALIGN;
        return rect.TopLeft();
    }
    if ((m_dwStyle & CBRS_ALIGN_LEFT) && !(m_dwStyle & CBRS_FLOATING))
        return CPoint(rect.right, rect.top);
    if ((m_dwStyle & CBRS_ALIGN_RIGHT) && !(m_dwStyle & CBRS_FLOATING)) {
        nAlign = TPM_RIGHTALIGN | TPM_TOPALIGN;
        return rect.TopLeft();
    }
    return CPoint(rect.left, rect.bottom); // along the top, and floating
}

void CKxMenuBar::OpenButtonPopup(int nButton)
{
    if (!m_hWnd || !m_trackingMenu.LoadMenu(m_nIDMenu))
        return;
    m_trackingMenu.LoadToolBarImages(m_nIDMenu);
    CFrameWnd* pFrame = AfxFindParentFrame(m_hWnd);
    if (CWnd* pOwner = GetOwner(); pOwner && dynamic_cast<CFrameWnd*>(pOwner))
        pFrame = static_cast<CFrameWnd*>(pOwner);
    while (nButton >= 0 && nButton < GetCount() && pFrame) {
        m_nNextPopupButton = -1;
        const UINT nPosition = GetItemID(nButton);
        SendMessage(TB_PRESSBUTTON, nPosition, TRUE);
        UpdateWindow();
        // The pop-up opens with its first item selected.
        pFrame->PostMessage(WM_KEYDOWN, VK_DOWN, 1);
        pFrame->PostMessage(WM_KEYUP, VK_DOWN, LPARAM(0xC0000001));
        m_keys.SetMode(MenuBarMode::PopupOpen);
        m_bEscape = FALSE;
        m_bRightArrow = m_bLeftArrow = TRUE;
        m_nPopupButton = nButton;
        SendMessage(TB_SETHOTITEM, WPARAM(nButton));
        g_pTrackingBar = this;
        g_hMessageFilter =
            ::SetWindowsHookExA(WH_MSGFILTER, &MessageFilter, nullptr, ::GetCurrentThreadId());
        UINT nAlign = 0;
        const CPoint point = PopupOrigin(nButton, nAlign);
        CMenu* pPopup = m_trackingMenu.GetSubMenu(int(nPosition));
        m_hTrackedPopup = pPopup ? pPopup->m_hMenu : nullptr;
        if (pPopup)
            pPopup->TrackPopupMenu(nAlign | TPM_LEFTBUTTON | TPM_VERTICAL, point.x, point.y,
                                   pFrame);
        if (g_hMessageFilter)
            ::UnhookWindowsHookEx(g_hMessageFilter);
        g_hMessageFilter = nullptr;
        g_pTrackingBar = nullptr;
        m_hTrackedPopup = nullptr;
        if (!m_hWnd)
            return; // the bar went while its pop-up was open
        SendMessage(TB_PRESSBUTTON, nPosition, FALSE);
        UpdateWindow();
        // Escape leaves the keyboard on the same button.
        m_keys.SetMode(m_bEscape ? MenuBarMode::Buttons : MenuBarMode::Idle);
        SendMessage(TB_SETHOTITEM, WPARAM(m_bEscape ? nButton : -1));
        m_nPopupButton = -1;
        nButton = m_nNextPopupButton;
    }
    m_trackingMenu.DestroyMenu();
}

void CKxMenuBar::SwitchToButton(int nButton)
{
    if (nButton == m_nPopupButton)
        return;
    m_nNextPopupButton = nButton;
    if (CWnd* pOwner = GetOwner())
        pOwner->PostMessage(WM_CANCELMODE);
}

BOOL CKxMenuBar::FilterPopupInput(MSG* pMsg)
{
    const int nCount = GetCount();
    if (nCount <= 0)
        return FALSE;
    switch (pMsg->message) {
    case WM_KEYDOWN:
        if (pMsg->wParam == VK_LEFT && m_bLeftArrow) {
            SwitchToButton((m_nPopupButton + nCount - 1) % nCount);
            return TRUE;
        }
        if (pMsg->wParam == VK_RIGHT && m_bRightArrow) {
            SwitchToButton((m_nPopupButton + 1) % nCount);
            return TRUE;
        }
        if (pMsg->wParam == VK_ESCAPE)
            m_bEscape = TRUE;
        return FALSE;
    case WM_MOUSEMOVE: {
        CPoint point = pMsg->pt;
        ScreenToClient(&point);
        if (point == m_ptLastMouse)
            return FALSE;
        const int nButton = HitTestButton(point);
        if (nButton >= 0 && nButton != m_nPopupButton)
            SwitchToButton(nButton);
        m_ptLastMouse = point;
        return FALSE;
    }
    case WM_LBUTTONDOWN: {
        CPoint point = pMsg->pt;
        ScreenToClient(&point);
        if (HitTestButton(point) != m_nPopupButton)
            return FALSE;
        SwitchToButton(-1); // a click on the open button closes it
        return TRUE;
    }
    default:
        return FALSE;
    }
}

void CKxMenuBar::OnMenuSelect(HMENU hMenu, UINT nItem, UINT nFlags)
{
    if (m_keys.GetMode() != MenuBarMode::PopupOpen)
        return;
    // Right goes to the next button unless it opens a sub-menu; Left only from the top pop-up.
    m_bRightArrow = !(nFlags & MF_POPUP) || !::GetSubMenu(hMenu, int(nItem));
    m_bLeftArrow = hMenu == m_hTrackedPopup;
}
