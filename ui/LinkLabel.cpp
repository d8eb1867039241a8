#include "ui/LinkLabel.h"

#include "framework/win/CDC.h"
#include "framework/win/MessageCrackers.h"
#include "ui/LinkAddress.h"
#include "ui/ShellOpen.h"

IMPLEMENT_DYNAMIC(CLinkLabel, CStatic)

BEGIN_MESSAGE_MAP(CLinkLabel, CStatic)
ON_WM_CTLCOLOR_REFLECT()
ON_CONTROL_REFLECT(STN_CLICKED, &CLinkLabel::OnClicked)
ON_WM_MOUSEMOVE()
ON_WM_CAPTURECHANGED()
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CLinkLabel::CLinkLabel() : m_hLinkCursor(::LoadCursorA(nullptr, IDC_HAND)) {}

void CLinkLabel::PreSubclassWindow()
{
    // Clicks reach the label only with SS_NOTIFY.
    ModifyStyle(0, SS_NOTIFY);
    CStatic::PreSubclassWindow();
}

CString CLinkLabel::GetAddress() const
{
    CString address = m_strAddress;
    if (address.IsEmpty() && ::IsWindow(m_hWnd))
        GetWindowText(address);
    return address;
}

void CLinkLabel::SetColours(COLORREF crLink, COLORREF crVisited, COLORREF crHover)
{
    m_crLink = crLink;
    m_crVisited = crVisited;
    m_crHover = crHover;
    Repaint();
}

void CLinkLabel::SetVisited(BOOL bVisited)
{
    m_bVisited = bVisited;
    Repaint();
}

COLORREF CLinkLabel::GetTextColour() const
{
    if (m_bOverControl)
        return m_crHover;
    return m_bVisited ? m_crVisited : m_crLink;
}

void CLinkLabel::Repaint()
{
    if (::IsWindow(m_hWnd))
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
}

HBRUSH CLinkLabel::CtlColor(CDC* pDC, UINT)
{
    pDC->SetTextColor(GetTextColour());
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH));
}

void CLinkLabel::OpenLink()
{
    const INT_PTR result = OpenAddress(GetAddress(), SW_SHOW);
    if (result > HINSTANCE_ERROR) {
        SetVisited(TRUE);
        return;
    }
    ::MessageBeep(MB_ICONEXCLAMATION);
    AfxMessageBox(LinkOpenErrorMessage(result), MB_OK | MB_ICONEXCLAMATION);
}

void CLinkLabel::OnMouseMove(UINT nFlags, CPoint point)
{
    CStatic::OnMouseMove(nFlags, point);
    CRect rect;
    GetClientRect(&rect);
    if (m_bOverControl) {
        if (!rect.PtInRect(point)) {
            m_bOverControl = FALSE;
            ::ReleaseCapture();
            Repaint();
        }
    } else if (rect.PtInRect(point)) {
        m_bOverControl = TRUE;
        Repaint();
        SetCapture();
    }
}

void CLinkLabel::OnCaptureChanged(CWnd* pWnd)
{
    // Another window took the mouse: the pointer is no longer known to be over the label.
    if (m_bOverControl && AfxSafeHwnd(pWnd) != m_hWnd) {
        m_bOverControl = FALSE;
        Repaint();
    }
    CStatic::OnCaptureChanged(pWnd);
}

BOOL CLinkLabel::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hLinkCursor) {
        ::SetCursor(m_hLinkCursor);
        return TRUE;
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}
