#include "ui/CaptionBar.h"

#include "framework/win/CDC.h"
#include "framework/win/MessageCrackers.h"
#include "res/UiIds.h"
#include "ui/PushPinPopup.h"
#include "ui/SystemFonts.h"

IMPLEMENT_DYNAMIC(CCaptionBar, CStatic)

BEGIN_MESSAGE_MAP(CCaptionBar, CStatic)
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, &CCaptionBar::OnPrintClient)
ON_WM_SYSCOLORCHANGE()
ON_WM_SIZE()
ON_COMMAND(IDC_PUSHPIN, &CCaptionBar::OnPin)
ON_MESSAGE(WM_PUSHPIN_PINNED, &CCaptionBar::OnPinned)
ON_MESSAGE(WM_PUSHPIN_CLOSED, &CCaptionBar::OnClosed)
END_MESSAGE_MAP()

CCaptionBar::CCaptionBar()
    : m_clrHilite(::GetSysColor(COLOR_3DHILIGHT)), m_clrShadow(::GetSysColor(COLOR_3DSHADOW)),
      m_clrFace(::GetSysColor(COLOR_3DFACE)), m_clrInset(::GetSysColor(COLOR_WINDOW)),
      m_clrText(::GetSysColor(COLOR_WINDOWTEXT))
{
}

CCaptionBar::~CCaptionBar() { ClosePopup(); }

BOOL CCaptionBar::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                         UINT nID, DWORD dwCaptionStyle)
{
    if (!CStatic::Create(lpszCaption, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    CreateSystemFont(m_font, SystemFont::Message);
    if (dwCaptionStyle & CAPTION_RAISED)
        m_dwCaptionStyle = CAPTION_RAISED;
    else if (dwCaptionStyle)
        ModifyStyleEx(0, dwCaptionStyle, SWP_FRAMECHANGED);
    m_strCaption = lpszCaption ? lpszCaption : "";
    if (!m_wndPin.Create("", WS_CHILD | BS_OWNERDRAW | BS_ICON | BS_VCENTER, CRect(0, 0, 16, 16),
                         this, IDC_PUSHPIN))
        return FALSE;
    m_wndPin.SetAppearance(GetDrawFont(), m_clrFace, m_clrText);
    CRect rectClient;
    GetClientRect(&rectClient);
    OnSize(SIZE_RESTORED, rectClient.Width(), rectClient.Height());
    return TRUE;
}

void CCaptionBar::SetAppearance(int nInset, CFont* pFont, LPCTSTR lpszCaption, HICON hIcon)
{
    if (nInset)
        m_nInset = nInset;
    if (pFont)
        m_pFont = pFont;
    if (lpszCaption)
        m_strCaption = lpszCaption;
    if (hIcon)
        m_hIcon = hIcon;
    if (!m_hWnd)
        return;
    m_wndPin.SetAppearance(GetDrawFont(), m_clrFace, m_clrText);
    Invalidate();
}

void CCaptionBar::SetCaption(LPCTSTR lpszCaption, HICON hIcon)
{
    if (lpszCaption)
        m_strCaption = lpszCaption;
    if (hIcon)
        m_hIcon = hIcon;
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CCaptionBar::SetColours(COLORREF clrFace, COLORREF clrShadow, COLORREF clrInset)
{
    m_clrFace = clrFace;
    m_clrShadow = clrShadow;
    m_clrInset = clrInset;
    if (!m_hWnd)
        return;
    m_wndPin.SetAppearance(GetDrawFont(), m_clrFace, m_clrText);
    Invalidate();
}

void CCaptionBar::SetPushPinPane(CWnd* pView, CWnd* pNotify, const CRect& rectPane)
{
    m_pDockedView = pView;
    m_pNotifyWnd = pNotify;
    m_rectPane = rectPane;
    if (m_wndPin.m_hWnd)
        m_wndPin.ShowWindow(pView ? SW_SHOW : SW_HIDE);
}

void CCaptionBar::OnPaint()
{
    CPaintDC dc(this);
    DrawStrip(&dc);
}

LRESULT CCaptionBar::OnPrintClient(WPARAM wParam, LPARAM)
{
    DrawStrip(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 0;
}

void CCaptionBar::DrawStrip(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    pDC->SetBkMode(TRANSPARENT);
    pDC->FillSolidRect(&rect, m_clrFace);
    if (m_dwCaptionStyle & CAPTION_RAISED)
        pDC->Draw3dRect(&rect, m_clrHilite, m_clrShadow);
    if (m_nInset) {
        rect.DeflateRect(m_nInset, m_nInset);
        pDC->FillSolidRect(&rect, m_clrInset);
    }
    GetClientRect(&rect);
    if (m_hIcon)
        ::DrawIconEx(pDC->m_hDC, rect.left + m_nInset + 2, (rect.Height() - m_sizeIcon.cy) / 2,
                     m_hIcon, 16, 16, 0, nullptr, DI_NORMAL);
    if (m_strCaption.IsEmpty())
        return;
    CFont* pOldFont = pDC->SelectObject(GetDrawFont());
    pDC->SetTextColor(m_clrText);
    CRect rectText(rect.left + m_nInset + m_sizeIcon.cx + 4, rect.top, rect.right - m_nInset,
                   rect.bottom);
    if (m_wndPin.m_hWnd && (m_wndPin.GetStyle() & WS_VISIBLE)) {
        CRect rectPin;
        m_wndPin.GetWindowRect(&rectPin);
        ScreenToClient(&rectPin);
        rectText.right = rectPin.left;
    }
    CRect rectCalc = rectText;
    pDC->DrawText(m_strCaption, &rectCalc, DT_SINGLELINE | DT_CALCRECT);
    rectText.top = rect.top + (rect.Height() - rectCalc.Height()) / 2;
    rectText.bottom = rectText.top + rectCalc.Height();
    pDC->DrawText(m_strCaption, &rectText, DT_SINGLELINE | DT_END_ELLIPSIS);
    pDC->SelectObject(pOldFont);
}

void CCaptionBar::OnSysColorChange()
{
    CStatic::OnSysColorChange();
    m_clrHilite = ::GetSysColor(COLOR_3DHILIGHT);
    m_clrShadow = ::GetSysColor(COLOR_3DSHADOW);
    m_clrFace = ::GetSysColor(COLOR_3DFACE);
    m_clrText = ::GetSysColor(COLOR_WINDOWTEXT);
    Invalidate();
}

void CCaptionBar::OnSize(UINT nType, int cx, int cy)
{
    CStatic::OnSize(nType, cx, cy);
    if (!m_wndPin.m_hWnd)
        return;
    // The pin at the right end, inside the inset, as high as the font.
    TEXTMETRICA metrics = {};
    {
        CClientDC dc(this);
        CFont* pOldFont = dc.SelectObject(GetDrawFont());
        dc.GetTextMetrics(&metrics);
        dc.SelectObject(pOldFont);
    }
    const int side = std::min(int(metrics.tmHeight) + 2, std::max(cy - 2 * m_nInset, 0));
    m_wndPin.SetWindowPos(nullptr, cx - m_nInset - side, (cy - side) / 2, side, side,
                          SWP_NOZORDER | SWP_NOACTIVATE);
}

void CCaptionBar::OnPin()
{
    if (!m_pDockedView || !m_pDockedView->m_hWnd)
        return; // nothing to show
    ClosePopup();
    CRect rectPin;
    m_wndPin.GetWindowRect(&rectPin);
    auto* pPopup = new CPushPinPopup(this, m_pDockedView);
    if (!pPopup->Create(CPoint(rectPin.left, rectPin.bottom), m_rectPane.Size()))
        return; // it deleted itself
    m_pPopup = pPopup;
    // An owner-drawn button keeps no check: the pressed state shows the pin pushed.
    m_wndPin.SetState(TRUE);
}

void CCaptionBar::OnPopupGone(const CPushPinPopup* pPopup)
{
    if (m_pPopup != pPopup)
        return;
    m_pPopup = nullptr;
    if (m_wndPin.m_hWnd)
        m_wndPin.SetState(FALSE);
}

void CCaptionBar::ClosePopup()
{
    if (m_wndPin.m_hWnd)
        m_wndPin.SetState(FALSE);
    if (CPushPinPopup* pPopup = m_pPopup) {
        m_pPopup = nullptr;
        pPopup->DestroyWindow(); // the view goes back under its parent
    }
}

LRESULT CCaptionBar::OnPinned(WPARAM, LPARAM)
{
    if (!m_pPopup)
        return 0;
    ClosePopup();
    m_wndPin.ShowWindow(SW_HIDE);
    if (m_pNotifyWnd && m_pNotifyWnd->m_hWnd)
        m_pNotifyWnd->SendMessage(WM_PUSHPIN_PINNED);
    if (m_pDockedView && m_pDockedView->m_hWnd) {
        CRect rect = m_rectPane;
        if (CWnd* pParent = m_pDockedView->GetParent())
            pParent->ScreenToClient(&rect);
        m_pDockedView->MoveWindow(&rect);
    }
    Invalidate();
    return 0;
}

LRESULT CCaptionBar::OnClosed(WPARAM, LPARAM)
{
    if (!m_pPopup)
        return 0;
    ClosePopup();
    if (m_pNotifyWnd && m_pNotifyWnd->m_hWnd)
        m_pNotifyWnd->SendMessage(WM_PUSHPIN_CLOSED);
    return 0;
}
