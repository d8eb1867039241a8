#include "ui/KxFlatComboBox.h"

#include "framework/win/CDC.h"
#include "framework/win/MessageCrackers.h"

IMPLEMENT_DYNAMIC(CKxFlatComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CKxFlatComboBox, CComboBox)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_TIMER()
ON_WM_PAINT()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_CONTROL_REFLECT(CBN_EDITUPDATE, &CKxFlatComboBox::OnEditUpdate)
END_MESSAGE_MAP()

namespace {

constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT kHoverPeriod = 10; // ms

} // namespace

BOOL CKxFlatComboBox::PreTranslateMessage(MSG* pMsg)
{
    // Completing again after Backspace or Delete would put back what the user just removed.
    if (pMsg->message == WM_KEYDOWN)
        m_bAutoComplete = pMsg->wParam != VK_DELETE && pMsg->wParam != VK_BACK;
    return CComboBox::PreTranslateMessage(pMsg);
}

BOOL CKxFlatComboBox::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The edit field of a drop-down box takes the focus itself: the box hears of it from there.
    const UINT nCode = HIWORD(wParam);
    if (nCode == EN_SETFOCUS || nCode == EN_KILLFOCUS) {
        DefWindowProc(WM_COMMAND, wParam, lParam);
        m_bHasFocus = nCode == EN_SETFOCUS;
        ShowLook(m_bHasFocus || IsPointerOver() ? Look::Raised : Look::Flat);
        return TRUE;
    }
    return CComboBox::OnCommand(wParam, lParam);
}

BOOL CKxFlatComboBox::HasFocus() const
{
    const HWND hFocus = ::GetFocus();
    return m_bHasFocus || hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus);
}

BOOL CKxFlatComboBox::IsPointerOver() const
{
    CPoint point;
    ::GetCursorPos(&point);
    CRect rect;
    GetWindowRect(&rect);
    return rect.PtInRect(point);
}

void CKxFlatComboBox::OnMouseMove(UINT nFlags, CPoint point)
{
    SetTimer(kHoverTimer, kHoverPeriod);
    CheckLook();
    CComboBox::OnMouseMove(nFlags, point);
}

void CKxFlatComboBox::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kHoverTimer) {
        CComboBox::OnTimer(nIDEvent);
        return;
    }
    if (!CheckLook())
        KillTimer(kHoverTimer);
}

BOOL CKxFlatComboBox::CheckLook()
{
    if (m_bLButtonDown) {
        if (m_bPainted)
            ShowLook(Look::Pressed);
        return FALSE;
    }
    if (!IsPointerOver() && !HasFocus()) {
        if (m_bPainted)
            ShowLook(Look::Flat);
        return FALSE;
    }
    ShowLook(Look::Raised);
    return TRUE;
}

void CKxFlatComboBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bLButtonDown = TRUE;
    CComboBox::OnLButtonDown(nFlags, point);
    CheckLook();
}

void CKxFlatComboBox::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bLButtonDown = FALSE;
    Invalidate();
    CComboBox::OnLButtonUp(nFlags, point);
}

void CKxFlatComboBox::OnSetFocus(CWnd* pOldWnd)
{
    CComboBox::OnSetFocus(pOldWnd);
    m_bHasFocus = TRUE;
    ShowLook(Look::Raised);
}

void CKxFlatComboBox::OnKillFocus(CWnd* pNewWnd)
{
    CComboBox::OnKillFocus(pNewWnd);
    m_bHasFocus = ::IsChild(m_hWnd, AfxSafeHwnd(pNewWnd));
    if (!m_bHasFocus)
        ShowLook(Look::Flat);
}

void CKxFlatComboBox::OnPaint()
{
    // The flat look replaces the sunken edges; taking them away changes the frame once.
    constexpr DWORD kEdges = WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME;
    if (GetExStyle() & kEdges)
        ModifyStyleEx(kEdges, 0, SWP_FRAMECHANGED);
    Default();
    Draw(IsPointerOver() || HasFocus() ? Look::Raised : Look::Flat);
}

void CKxFlatComboBox::ShowLook(Look look)
{
    if (look != m_look || (look == Look::Raised) != m_bPainted)
        Draw(look);
}

void CKxFlatComboBox::Draw(Look look)
{
    m_look = look;
    m_bPainted = look == Look::Raised;
    if (!::IsWindowVisible(m_hWnd))
        return;
    const COLORREF clrFace = ::GetSysColor(COLOR_3DFACE);
    const COLORREF clrHilite = ::GetSysColor(COLOR_3DHILIGHT);
    const COLORREF clrShadow = ::GetSysColor(COLOR_3DSHADOW);
    const BOOL bEnabled = IsWindowEnabled();
    const int cxThumb = ::GetSystemMetrics(SM_CXHTHUMB);

    CClientDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    if (look == Look::Flat)
        dc.Draw3dRect(&rect, clrFace, clrFace);
    else
        dc.Draw3dRect(&rect, clrShadow, clrHilite);
    rect.DeflateRect(1, 1);
    const COLORREF clrInner = bEnabled ? clrFace : clrHilite;
    dc.Draw3dRect(&rect, clrInner, clrInner);
    rect.DeflateRect(1, 1);
    CRect rectText = rect;
    rectText.right -= cxThumb;
    dc.Draw3dRect(&rectText, clrFace, clrFace);
    rectText.DeflateRect(1, 1);
    dc.Draw3dRect(&rectText, clrFace, clrFace);
    if (!bEnabled)
        return;

    CRect rectButton(rect.right - cxThumb, rect.top, rect.right, rect.bottom);
    switch (look) {
    case Look::Flat:
        dc.Draw3dRect(&rectButton, clrHilite, clrHilite);
        break;
    case Look::Raised:
        dc.Draw3dRect(&rectButton, clrShadow, clrHilite);
        break;
    case Look::Pressed:
        rectButton.OffsetRect(1, 1);
        dc.Draw3dRect(&rectButton, clrHilite, clrShadow);
        break;
    }
}

void CKxFlatComboBox::OnEditUpdate()
{
    if (!m_bAutoComplete)
        return;
    CString typed;
    GetWindowText(typed);
    const int nTyped = typed.GetLength();
    const DWORD dwSel = GetEditSel();
    const BOOL bHadSel = dwSel != DWORD(CB_ERR);
    const int nStart = LOWORD(dwSel), nEnd = HIWORD(dwSel);
    if (SelectString(-1, typed) == CB_ERR) {
        SetWindowText(typed);
        if (bHadSel)
            SetEditSel(nStart, nEnd);
    }
    if (!bHadSel || nEnd >= nTyped)
        SetEditSel(nTyped, -1);
    else
        SetEditSel(nStart, nEnd);
}
