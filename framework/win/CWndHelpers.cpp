// The CWnd members that wrap plain Win32 calls, and the modal loop.
#include "framework/win/AfxState.h"
#include "framework/win/CDC.h"
#include "framework/win/CGdiObject.h"
#include "framework/win/CMenu.h"
#include "framework/win/CWaitCursor.h"
#include "framework/win/CWinApp.h"
#include "framework/win/CWinThread.h"
#include "framework/win/CWnd.h"
#include "framework/win/ModalTestHook.h"

void CWnd::GetWindowText(CString& rString) const
{
    HWND hWnd = LiveHwnd();
    const int nLen = ::GetWindowTextLengthA(hWnd);
    ::GetWindowTextA(hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    if (HWND hWnd = ::GetDlgItem(LiveHwnd(), nID))
        FromHandle(hWnd)->GetWindowText(rString);
    return rString.GetLength();
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessageA(LiveHwnd(), WM_SETFONT,
                   reinterpret_cast<WPARAM>(pFont ? pFont->m_hObject : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(::SendMessageA(LiveHwnd(), WM_GETFONT, 0, 0)));
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    return AfxDoMessageBox(m_hWnd, lpszText, lpszCaption ? lpszCaption : AfxGetAppName(), nType);
}

void CWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->WinHelp(dwData, nCmd);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(LiveHwnd(), AfxSafeHwnd(pWndInsertAfter), x, y, cx, cy, nFlags);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    HWND hWnd = LiveHwnd();
    ::ClientToScreen(hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
    ::ClientToScreen(hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    HWND hWnd = LiveHwnd();
    ::ScreenToClient(hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
    ::ScreenToClient(hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const DWORD dwStyle = GetStyle();
    const DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, LONG_PTR(dwNewStyle));
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const DWORD dwStyle = GetExStyle();
    const DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, LONG_PTR(dwNewStyle));
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) const
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(LiveHwnd(), nBar, lpScrollInfo);
}

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(LiveHwnd())); }

CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(LiveHwnd())); }

int CWnd::ReleaseDC(CDC* pDC) { return ::ReleaseDC(LiveHwnd(), pDC->m_hDC); }

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(LiveHwnd())); }

BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(LiveHwnd(), pMenu ? pMenu->m_hMenu : nullptr); }

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(LiveHwnd(), bRevert));
}

CWnd* CWnd::GetOwner() const { return m_hWndOwner ? FromHandle(m_hWndOwner) : GetParent(); }

CWnd* CWnd::GetTopLevelParent() const
{
    HWND hWnd = m_hWnd;
    for (;;) {
        HWND hNext = (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD)
                         ? ::GetParent(hWnd)
                         : ::GetWindow(hWnd, GW_OWNER);
        if (!hNext)
            return FromHandle(hWnd);
        hWnd = hNext;
    }
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    if (GetStyle() & WS_CHILD) {
        CRect rc, rcParent;
        ::GetWindowRect(m_hWnd, &rc);
        ::GetClientRect(::GetParent(m_hWnd), &rcParent);
        ::SetWindowPos(m_hWnd, nullptr, (rcParent.left + rcParent.right - rc.Width()) / 2,
                       (rcParent.top + rcParent.bottom - rc.Height()) / 2, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    AfxCenterOnOwner(m_hWnd, AfxSafeHwnd(pAlternateOwner));
}

CRect AfxGetWorkArea(HMONITOR hMonitor)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (hMonitor && ::GetMonitorInfoA(hMonitor, &monitor))
        return monitor.rcWork;
    return CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

void AfxCenterOnOwner(HWND hWnd, HWND hWndCenter)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    if (!hWndCenter)
        hWndCenter = ::GetWindow(hWnd, GW_OWNER);
    if (!hWndCenter)
        hWndCenter = AfxSafeHwnd(AfxGetMainWnd());
    if (hWndCenter == hWnd)
        hWndCenter = nullptr;
    // The work area of the owner's monitor (of the window's own without an owner) bounds it.
    const CRect rcWork = AfxGetWorkArea(
        ::MonitorFromWindow(hWndCenter ? hWndCenter : hWnd, MONITOR_DEFAULTTONEAREST));
    CRect rcOwner = rcWork;
    if (hWndCenter && ::IsWindowVisible(hWndCenter) && !::IsIconic(hWndCenter))
        ::GetWindowRect(hWndCenter, &rcOwner);
    const CPoint topLeft = CenteredInWorkArea(rc.Size(), rcOwner, rcWork);
    ::SetWindowPos(hWnd, nullptr, topLeft.x, topLeft.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm)
{
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (bOnlyPerm) {
            if (CWnd* pWnd = FromHandlePermanent(hChild))
                AfxCallWndProc(pWnd, hChild, message, wParam, lParam);
        } else {
            ::SendMessageA(hChild, message, wParam, lParam);
        }
        if (bDeep && ::GetTopWindow(hChild)) {
            CWnd child;
            child.m_hWnd = hChild; // borrowed for the recursion only
            child.SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
            child.m_hWnd = nullptr;
        }
    }
}

// ---- modal loop -----------------------------------------------------------------------------

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        PostMessage(WM_NULL); // wakes the loop so it sees the end
    }
}

int CWnd::RunModalLoop(DWORD dwFlags)
{
    const CModalCursor arrow; // the user is asked: no wait cursor meanwhile
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndParent = ::GetParent(m_hWnd);
    m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
    MSG* pMsg = &AfxGetThreadState()->m_msgCur;
    int nTestRounds = 0;

    for (;;) {
        bool wentIdle = false;
        while (bIdle && !::PeekMessageA(pMsg, nullptr, 0, 0, PM_NOREMOVE)) {
            wentIdle = true;
            if (bShowIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent && lIdleCount == 0)
                ::SendMessageA(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, LPARAM(m_hWnd));
            if ((dwFlags & MLF_NOKICKIDLE) ||
                !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = FALSE;
        }
        // Under test the hook acts when the loop is idle; a dialog it never ends is aborted.
        if (CModalTestHook* pHook = AfxGetModalTestHook(); pHook && wentIdle && ContinueModal()) {
            pHook->OnModalIdle(this);
            if (ContinueModal() && ++nTestRounds > CModalTestHook::kMaxIdleRounds)
                EndModalLoop(IDABORT);
            if (ContinueModal())
                PostMessage(WM_NULL); // come back to the hook when this round's messages are done
        }
        if (!ContinueModal())
            break;

        do {
            if (!AfxPumpMessage()) {
                ::PostQuitMessage(0);
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            if (!ContinueModal())
                goto ExitModal;
            if (AfxIsIdleMessage(pMsg)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(pMsg, nullptr, 0, 0, PM_NOREMOVE));
    }
ExitModal:
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}
