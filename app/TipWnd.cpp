#include "app/TipWnd.h"

#include "app/WorkspaceWords.h"
#include "framework/win/CDC.h"
#include "framework/win/MessageCrackers.h"

BEGIN_MESSAGE_MAP(CTipWnd, CWnd)
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, &CTipWnd::OnPrintClient)
ON_MESSAGE(WM_MOUSEACTIVATE, &CTipWnd::OnMouseActivate)
ON_MESSAGE(WM_LBUTTONDOWN, &CTipWnd::OnButtonDown)
ON_MESSAGE(WM_RBUTTONDOWN, &CTipWnd::OnButtonDown)
ON_MESSAGE(WM_MBUTTONDOWN, &CTipWnd::OnButtonDown)
END_MESSAGE_MAP()

CTipWnd::CTipWnd() = default;

BOOL CTipWnd::Create(CWnd* pParent)
{
    m_pParent = pParent;
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW));
    if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, lpszClass, "", WS_POPUP, 0, 0, 1, 1,
                  pParent ? pParent->GetSafeHwnd() : nullptr, nullptr))
        return FALSE;
    m_font.CreateFont(15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                      "MS Sans Serif");
    return TRUE;
}

void CTipWnd::SetText(const CString& text)
{
    m_strText = text;
    SetWindowText(text);
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(&m_font);
    CSize extent = dc.GetTextExtent(text);
    dc.SelectObject(pOld);
    m_sizeText = {extent.cx, extent.cy};
    m_sizeWindow = {extent.cx + 2 * m_nMarginX, extent.cy + 2 * m_nMarginY};
    SetWindowPos(nullptr, 0, 0, m_sizeWindow.cx, m_sizeWindow.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Invalidate();
}

void CTipWnd::Show(const CString& text, POINT screenPoint, int nLineTop, BOOL bHideOnClick)
{
    if (!GetSafeHwnd())
        return;
    SetText(text);
    // The monitor the caret is on, which may not be the one most of the frame is on.
    const CPoint corner =
        PlaceTip(screenPoint, nLineTop, m_sizeWindow,
                 AfxGetWorkArea(::MonitorFromPoint(screenPoint, MONITOR_DEFAULTTONEAREST)));
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, corner.x, corner.y, 0, 0,
                   SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_bShown = TRUE;
    if (bHideOnClick)
        m_bHideOnClick = TRUE;
    if (m_pParent && m_pParent->GetSafeHwnd())
        m_frameWatch.Watch(::GetAncestor(m_pParent->GetSafeHwnd(), GA_ROOT));
}

void CTipWnd::Hide()
{
    if (GetSafeHwnd())
        ShowWindow(SW_HIDE);
    m_bShown = FALSE;
    m_bHideOnClick = FALSE;
}

void CTipWnd::OnPaint()
{
    CPaintDC dc(this);
    Draw(dc);
}

LRESULT CTipWnd::OnPrintClient(WPARAM wParam, LPARAM)
{
    Draw(*CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 0;
}

void CTipWnd::Draw(CDC& dc)
{
    CRect rect(0, 0, m_sizeWindow.cx, m_sizeWindow.cy);
    dc.FillSolidRect(&rect, RGB(0, 0, 0));
    rect.DeflateRect(1, 1);
    dc.FillSolidRect(&rect, m_crBackground);
    CFont* pOld = dc.SelectObject(&m_font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.TextOut(m_nMarginX, m_nMarginY, m_strText);
    dc.SelectObject(pOld);
}

LRESULT CTipWnd::OnMouseActivate(WPARAM, LPARAM)
{
    // A click on the tip must leave the caret and the keyboard in the workspace.
    return MA_NOACTIVATE;
}

LRESULT CTipWnd::OnButtonDown(WPARAM, LPARAM)
{
    if (m_bHideOnClick)
        Hide();
    return 0;
}

void CTipFrameWatch::Watch(HWND hFrame)
{
    if (GetHookedWindow() != hFrame)
        AttachHook(hFrame);
    ::GetWindowRect(hFrame, &m_rectFrame);
}

LRESULT CTipFrameWatch::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CSubclassWnd::WindowProc(message, wParam, lParam);
    if (m_tip.IsShown() && (message == WM_ENTERSIZEMOVE || message == WM_WINDOWPOSCHANGED)) {
        RECT rect{};
        ::GetWindowRect(m_hWnd, &rect);
        if (message == WM_ENTERSIZEMOVE || !::EqualRect(&rect, &m_rectFrame))
            m_tip.Hide();
    }
    return result;
}
