#include "grid/CTitleTip.h"

#include "framework/core/Exceptions.h"
#include "framework/win/CDC.h"
#include "framework/win/MessageCrackers.h"

BEGIN_MESSAGE_MAP(CTitleTip, CWnd)
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CTitleTip::CTitleTip() : m_dwDblClickMsecs(::GetDoubleClickTime())
{
    WNDCLASSA wndcls{};
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (!::GetClassInfoA(hInst, kClassName, &wndcls)) {
        wndcls.style = CS_SAVEBITS;
        wndcls.lpfnWndProc = ::DefWindowProcA;
        wndcls.hInstance = hInst;
        wndcls.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wndcls.hbrBackground = HBRUSH(COLOR_INFOBK + 1);
        wndcls.lpszClassName = kClassName;
        if (!::RegisterClassA(&wndcls))
            throw CResourceException("title tip window class");
    }
}

CTitleTip::~CTitleTip()
{
    if (m_hWnd)
        CTitleTip::DestroyWindow();
}

BOOL CTitleTip::Create(CWnd* pParentWnd)
{
    if (m_bCreated)
        return TRUE;
    m_pParentWnd = pParentWnd;
    m_bCreated =
        CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, nullptr, WS_POPUP | WS_BORDER,
                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr);
    return m_bCreated;
}

BOOL CTitleTip::DestroyWindow()
{
    m_bCreated = FALSE;
    return CWnd::DestroyWindow();
}

void CTitleTip::Show(CRect rectTitle, LPCTSTR lpszTitleText, int xoffset, LPRECT lpHoverRect,
                     const LOGFONTA* lpLogFont, COLORREF crTextClr, COLORREF crBackClr)
{
    if (!::IsWindow(m_hWnd) && !Create(m_pParentWnd))
        return;
    if (rectTitle.IsRectEmpty() || IsWindowVisible() || !m_pParentWnd)
        return;
    m_rectHover = lpHoverRect ? CRect(lpHoverRect) : rectTitle;
    m_rectHover.right++;
    m_rectHover.bottom++;
    m_pParentWnd->ClientToScreen(m_rectHover);
    ScreenToClient(m_rectHover);
    if (!GetFocus()) // the program is not active
        return;

    m_rectTitle = CRect(-xoffset - 1, -1, rectTitle.Width() - xoffset, rectTitle.Height() + 1);
    m_pParentWnd->ClientToScreen(rectTitle);
    const CString text = " " + CString(lpszTitleText) + " ";

    CClientDC dc(this);
    CFont font;
    CFont* pOldFont = nullptr;
    if (lpLogFont && font.CreateFontIndirect(lpLogFont))
        pOldFont = dc.SelectObject(&font);
    else
        pOldFont = dc.SelectObject(m_pParentWnd->GetFont());
    CSize size = dc.GetTextExtent(text);
    TEXTMETRICA tm{};
    dc.GetTextMetrics(&tm);
    size.cx += tm.tmOverhang;

    if (rectTitle.left + xoffset + size.cx + xoffset > rectTitle.right - xoffset) {
        SetWindowPos(&wndTop, rectTitle.left + xoffset, rectTitle.top, size.cx + xoffset,
                     rectTitle.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
        if (crBackClr != CLR_DEFAULT) {
            CRect clip;
            dc.GetClipBox(clip);
            CBrush brush(crBackClr);
            CBrush* pOldBrush = dc.SelectObject(&brush);
            dc.PatBlt(clip.left, clip.top, clip.Width(), clip.Height(), PATCOPY);
            dc.SelectObject(pOldBrush);
        }
        if (crTextClr != CLR_DEFAULT)
            dc.SetTextColor(crTextClr);
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut(0, 0, text);
        SetCapture();
    }
    dc.SelectObject(pOldFont);
}

void CTitleTip::Hide()
{
    if (!::IsWindow(m_hWnd))
        return;
    if (GetCapture() == this)
        ::ReleaseCapture();
    ShowWindow(SW_HIDE);
}

CWnd* CTitleTip::WindowUnder(CPoint screenPoint) const
{
    CWnd* pWnd = WindowFromPoint(screenPoint);
    if (!pWnd || pWnd->m_hWnd == m_hWnd)
        pWnd = m_pParentWnd;
    return pWnd;
}

void CTitleTip::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_rectHover.PtInRect(point))
        return;
    Hide();
    ClientToScreen(&point);
    CWnd* pWnd = WindowUnder(point);
    if (!pWnd)
        return;
    const LRESULT hitTest = pWnd->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    if (hitTest == HTCLIENT) {
        pWnd->ScreenToClient(&point);
        pWnd->PostMessage(WM_MOUSEMOVE, nFlags, MAKELPARAM(point.x, point.y));
    } else {
        pWnd->PostMessage(WM_NCMOUSEMOVE, WPARAM(hitTest), MAKELPARAM(point.x, point.y));
    }
}

BOOL CTitleTip::PreTranslateMessage(MSG* pMsg)
{
    switch (pMsg->message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        UINT message = pMsg->message;
        if (message == WM_LBUTTONDOWN) {
            const DWORD dwTick = ::GetTickCount();
            if (m_dwLastLButtonDown != DWORD(-1) &&
                dwTick - m_dwLastLButtonDown <= m_dwDblClickMsecs)
                message = WM_LBUTTONDBLCLK;
            m_dwLastLButtonDown = dwTick;
        }
        CPoint point(short(LOWORD(pMsg->lParam)), short(HIWORD(pMsg->lParam)));
        ::ClientToScreen(pMsg->hwnd, &point);
        Hide();
        CWnd* pWnd = WindowUnder(point);
        if (!pWnd)
            return TRUE;
        const LRESULT hitTest = pWnd->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
        if (hitTest == HTCLIENT) {
            pWnd->ScreenToClient(&point);
            pWnd->PostMessage(message, pMsg->wParam, MAKELPARAM(point.x, point.y));
        } else {
            const UINT ncMessage = message == WM_RBUTTONDOWN   ? WM_NCRBUTTONDOWN
                                   : message == WM_MBUTTONDOWN ? WM_NCMBUTTONDOWN
                                                               : WM_NCLBUTTONDOWN;
            pWnd->PostMessage(ncMessage, WPARAM(hitTest), MAKELPARAM(point.x, point.y));
        }
        return TRUE;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Hide();
        if (m_pParentWnd)
            m_pParentWnd->PostMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
        return TRUE;
    default:
        break;
    }
    if (!GetFocus()) {
        Hide();
        return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}
