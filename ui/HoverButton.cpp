#include "ui/HoverButton.h"

#include "framework/win/CDC.h"
#include "framework/win/MessageCrackers.h"
#include "ui/SystemFonts.h"

IMPLEMENT_DYNAMIC(CHoverButton, CButton)
IMPLEMENT_DYNAMIC(CPinButton, CHoverButton)

BEGIN_MESSAGE_MAP(CHoverButton, CButton)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_TIMER()
ON_WM_SYSCOLORCHANGE()
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CPinButton, CHoverButton)
ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

namespace {

constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT kHoverPeriod = 10; // ms

} // namespace

CHoverButton::CHoverButton() : m_hCursor(::LoadCursorA(nullptr, IDC_ARROW))
{
    ReadColours();
    CreateSystemFont(m_font, SystemFont::Message);
}

void CHoverButton::ReadColours()
{
    m_clrHilite = ::GetSysColor(COLOR_3DHILIGHT);
    m_clrShadow = ::GetSysColor(COLOR_3DSHADOW);
    m_clrDkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    m_clrFace = ::GetSysColor(COLOR_3DFACE);
    m_clrGrayText = ::GetSysColor(COLOR_GRAYTEXT);
    m_clrText = ::GetSysColor(COLOR_BTNTEXT);
}

void CHoverButton::SetAppearance(CFont* pFont, COLORREF clrFace, COLORREF clrText)
{
    m_pFont = pFont;
    m_clrFace = clrFace;
    m_clrText = clrText;
    m_clrShadow = m_clrDkShadow;
    if (m_hWnd)
        Invalidate();
}

CFont* CHoverButton::GetDrawFont() { return m_pFont ? m_pFont : &m_font; }

void CHoverButton::PreSubclassWindow()
{
    ModifyStyle(0, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

void CHoverButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bFlat) {
        SetTimer(kHoverTimer, kHoverPeriod);
        CheckHover();
    }
    CButton::OnMouseMove(nFlags, point);
}

void CHoverButton::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kHoverTimer)
        CheckHover();
    else
        CButton::OnTimer(nIDEvent);
}

void CHoverButton::CheckHover()
{
    CPoint point;
    ::GetCursorPos(&point);
    CRect rect;
    GetWindowRect(&rect);
    if (!m_bButtonHeld && rect.PtInRect(point)) {
        if (m_bFlat && !m_bPainted) {
            CClientDC dc(this);
            CRect rectClient;
            GetClientRect(&rectClient);
            dc.Draw3dRect(&rectClient, m_clrHilite, m_clrShadow);
            m_bPainted = TRUE;
        }
        return;
    }
    KillTimer(kHoverTimer);
    if (m_bPainted) {
        m_bPainted = FALSE;
        Invalidate();
    }
}

void CHoverButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bButtonHeld = TRUE;
    CButton::OnLButtonDown(nFlags, point);
}

void CHoverButton::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bButtonHeld = FALSE;
    CButton::OnLButtonUp(nFlags, point);
}

void CHoverButton::OnSysColorChange()
{
    CButton::OnSysColorChange();
    ReadColours();
    Invalidate();
}

BOOL CHoverButton::OnSetCursor(CWnd*, UINT, UINT)
{
    ::SetCursor(m_hCursor);
    return TRUE;
}

void CHoverButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const UINT nState = lpDrawItemStruct->itemState;
    const BOOL bPressed = (nState & ODS_SELECTED) != 0;
    CRect rect = lpDrawItemStruct->rcItem;
    pDC->FillSolidRect(&rect, m_clrFace);
    if (m_bFlat) {
        if (bPressed)
            pDC->Draw3dRect(&rect, m_clrShadow, m_clrHilite);
        else
            pDC->Draw3dRect(&rect, m_clrFace, m_clrFace);
    } else {
        pDC->Draw3dRect(&rect, bPressed ? m_clrDkShadow : m_clrHilite,
                        bPressed ? m_clrHilite : m_clrDkShadow);
        CRect rectInner = rect;
        rectInner.DeflateRect(1, 1);
        pDC->Draw3dRect(&rectInner, bPressed ? m_clrShadow : m_clrFace,
                        bPressed ? m_clrFace : m_clrShadow);
    }
    pDC->SetBkMode(TRANSPARENT);
    PaintIconPart(pDC, nState, rect);
    PaintBitmapPart(pDC, nState, rect);
    PaintTextPart(pDC, nState, rect);
}

void CHoverButton::PaintIconPart(CDC* pDC, UINT nState, const CRect& rect)
{
    auto hIcon = reinterpret_cast<HICON>(SendMessage(BM_GETIMAGE, IMAGE_ICON));
    if (!hIcon)
        return;
    CPoint point(rect.left + (rect.Width() - m_sizeIcon.cx) / 2,
                 rect.top + (rect.Height() - m_sizeIcon.cy) / 2);
    if (nState & ODS_SELECTED) {
        if (m_hPushedIcon)
            hIcon = m_hPushedIcon;
        else
            point.Offset(1, 1);
    }
    pDC->DrawState(point, m_sizeIcon, hIcon,
                   DST_ICON | ((nState & ODS_DISABLED) ? DSS_DISABLED : DSS_NORMAL));
}

void CHoverButton::PaintBitmapPart(CDC* pDC, UINT nState, const CRect& rect)
{
    auto hBitmap = reinterpret_cast<HBITMAP>(SendMessage(BM_GETIMAGE, IMAGE_BITMAP));
    if (!hBitmap)
        return;
    CPoint point = rect.TopLeft();
    if (nState & ODS_SELECTED)
        point.Offset(1, 1);
    pDC->DrawState(point, rect.Size(), hBitmap, DST_BITMAP);
}

void CHoverButton::PaintTextPart(CDC* pDC, UINT nState, const CRect& rect)
{
    CString text;
    GetWindowText(text);
    if (text.IsEmpty())
        return;
    CRect rectText = rect;
    rectText.DeflateRect(2, 2);
    if (nState & ODS_SELECTED)
        rectText.OffsetRect(1, 1);
    CFont* pOldFont = pDC->SelectObject(GetDrawFont());
    pDC->SetTextColor((nState & ODS_DISABLED) ? m_clrGrayText : m_clrText);
    pDC->DrawText(text, &rectText, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    pDC->SelectObject(pOldFont);
}

void CPinButton::OnSysColorChange()
{
    CHoverButton::OnSysColorChange();
    m_clrShadow = m_clrDkShadow;
}

void CPinButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const UINT nState = lpDrawItemStruct->itemState;
    const CRect rect = lpDrawItemStruct->rcItem;
    pDC->FillSolidRect(&rect, m_clrFace);
    CString text;
    GetWindowText(text);
    CFont* pOldFont = pDC->SelectObject(GetDrawFont());
    if (!text.IsEmpty()) {
        CRect rectText(0, 0, 0, 0);
        pDC->DrawText(text, &rectText, DT_SINGLELINE | DT_CALCRECT);
        const CPoint point(rect.left + 5, rect.top + (rect.Height() - rectText.Height()) / 2);
        pDC->SetTextColor(m_clrText);
        pDC->DrawState(point, rectText.Size(), text,
                       DST_TEXT | ((nState & ODS_DISABLED) ? DSS_DISABLED : DSS_NORMAL), TRUE, 0,
                       static_cast<CBrush*>(nullptr));
    }
    pDC->SelectObject(pOldFont);
    // The arrow pointing down at the right end.
    const int right = rect.right, bottom = rect.bottom;
    pDC->FillSolidRect(right - 11, bottom - 7, 5, 1, m_clrText);
    pDC->FillSolidRect(right - 10, bottom - 6, 3, 1, m_clrText);
    pDC->SetPixel(right - 9, bottom - 5, m_clrText);
}
