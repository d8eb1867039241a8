#include "ui/ColourPopup.h"

#include "framework/win/CDC.h"
#include "framework/win/CommonDialogs.h"
#include "framework/win/MessageCrackers.h"
#include "ui/ColourPicker.h"
#include "ui/SystemFonts.h"

#include <algorithm>
#include <vector>

BEGIN_MESSAGE_MAP(CColourPopup, CWnd)
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, &CColourPopup::OnPrintClient)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_KEYDOWN()
ON_WM_KILLFOCUS()
ON_WM_ACTIVATEAPP()
ON_WM_QUERYNEWPALETTE()
ON_WM_PALETTECHANGED()
END_MESSAGE_MAP()

CColourPopup::CColourPopup(COLORREF crInitial, CColourPicker* pParent, LPCTSTR lpszDefaultText,
                           LPCTSTR lpszCustomText)
    : m_strDefaultText(lpszDefaultText), m_strCustomText(lpszCustomText),
      m_crInitialColour(crInitial), m_crColour(crInitial), m_pParent(pParent)
{
    CreateSystemFont(m_Font, SystemFont::Message);
    // A palette of the swatch colours, so they show true on a palette display.
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + kColourCount * sizeof(PALETTEENTRY));
    auto* pLogPalette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    pLogPalette->palVersion = 0x300;
    pLogPalette->palNumEntries = kColourCount;
    for (int i = 0; i < kColourCount; ++i) {
        const COLORREF colour = g_colourTable[i].colour;
        pLogPalette->palPalEntry[i] = {GetRValue(colour), GetGValue(colour), GetBValue(colour), 0};
    }
    m_hPalette = ::CreatePalette(pLogPalette);
}

CColourPopup::~CColourPopup()
{
    if (m_hPalette)
        ::DeleteObject(m_hPalette);
}

CColourPopup* CColourPopup::Open(CPoint point, COLORREF crInitial, CColourPicker* pParent,
                                 LPCTSTR lpszDefaultText, LPCTSTR lpszCustomText)
{
    auto* pPopup = new CColourPopup(crInitial, pParent, lpszDefaultText, lpszCustomText);
    // A window that could not be made has deleted its object already.
    return pPopup->CreatePopup(point) ? pPopup : nullptr;
}

BOOL CColourPopup::CreatePopup(CPoint point)
{
    LPCTSTR lpszClass =
        AfxRegisterWndClass(CS_CLASSDC | CS_SAVEBITS | CS_HREDRAW | CS_VREDRAW,
                            ::LoadCursorA(nullptr, IDC_ARROW), HBRUSH(COLOR_BTNFACE + 1));
    if (!CWnd::CreateEx(0, lpszClass, "", WS_POPUP, point.x, point.y, 100, 100,
                        AfxSafeHwnd(m_pParent), nullptr))
        return FALSE;
    ShowWindow(SW_SHOWNA);
    SetWindowSize();
    CreateToolTips();
    m_nChosenColourSel = m_layout.ChosenBox(m_crInitialColour);
    SetCapture();
    return TRUE;
}

void CColourPopup::PostNcDestroy()
{
    if (m_pParent)
        m_pParent->OnPopupClosed(this);
    delete this;
}

void CColourPopup::SetWindowSize()
{
    const int margin = ::GetSystemMetrics(SM_CXEDGE);
    CSize extent(0, 0);
    {
        CClientDC dc(this);
        CFont* pOldFont = dc.SelectObject(&m_Font);
        for (const CString* pText : {&m_strDefaultText, &m_strCustomText}) {
            if (pText->IsEmpty())
                continue;
            const CSize size = dc.GetTextExtent(*pText);
            extent.cx = std::max(extent.cx, size.cx);
            extent.cy = std::max(extent.cy, size.cy);
        }
        dc.SelectObject(pOldFont);
    }
    m_layout.Compute(margin, !m_strDefaultText.IsEmpty(), !m_strCustomText.IsEmpty(), extent);
    CRect rectWindow, rectButton;
    GetWindowRect(&rectWindow);
    if (m_pParent && m_pParent->GetSafeHwnd())
        m_pParent->GetWindowRect(&rectButton);
    const CSize screen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    const CRect rect = PlaceColourPopup(rectWindow.TopLeft(), m_layout.GetWindowSize(),
                                        rectButton.Height(), screen);
    MoveWindow(&rect, TRUE);
}

void CColourPopup::CreateToolTips()
{
    if (!m_ToolTip.Create(this))
        return;
    for (int i = 0; i < kColourCount; ++i) {
        const CRect rect = m_layout.GetCellRect(i);
        m_ToolTip.AddTool(this, g_colourTable[i].name, &rect, UINT_PTR(i + 1));
    }
}

BOOL CColourPopup::PreTranslateMessage(MSG* pMsg)
{
    if (m_ToolTip.GetSafeHwnd())
        m_ToolTip.RelayEvent(pMsg);
    // The pop-up keeps the mouse until it ends, whoever took it meanwhile.
    if (!m_bEnded && !m_bChildWindowVisible && ::GetCapture() != m_hWnd)
        SetCapture();
    return CWnd::PreTranslateMessage(pMsg);
}

void CColourPopup::OnMouseMove(UINT nFlags, CPoint point)
{
    const int nBox = m_layout.BoxAt(point);
    if (nBox != kNoBox && nBox != m_nCurrentSel)
        ChangeSelection(nBox);
    CWnd::OnMouseMove(nFlags, point);
}

void CColourPopup::OnLButtonUp(UINT, CPoint)
{
    const DWORD pos = ::GetMessagePos();
    const CPoint point(short(LOWORD(pos)), short(HIWORD(pos)));
    CRect rect;
    GetWindowRect(&rect);
    EndSelection(rect.PtInRect(point) ? CPN_SELENDOK : CPN_SELENDCANCEL);
}

void CColourPopup::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    HandleKey(nChar);
    CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CColourPopup::HandleKey(UINT nChar)
{
    PopupKey key;
    switch (nChar) {
    case VK_UP:
        key = PopupKey::Up;
        break;
    case VK_DOWN:
        key = PopupKey::Down;
        break;
    case VK_LEFT:
        key = PopupKey::Left;
        break;
    case VK_RIGHT:
        key = PopupKey::Right;
        break;
    case VK_ESCAPE:
        m_crColour = m_crInitialColour;
        EndSelection(CPN_SELENDCANCEL);
        return;
    case VK_RETURN:
    case VK_SPACE:
        EndSelection(CPN_SELENDOK);
        return;
    default:
        return;
    }
    // The walk starts from the box drawn as chosen when nothing is highlighted yet.
    const int nFrom = m_nCurrentSel == kNoBox ? m_nChosenColourSel : m_nCurrentSel;
    ChangeSelection(m_layout.NextBox(nFrom, key));
}

void CColourPopup::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    ::ReleaseCapture();
}

void CColourPopup::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CWnd::OnActivateApp(bActive, dwThreadID);
    // The colour dialog takes the activation while it runs: that ends nothing.
    if (!bActive && !m_bChildWindowVisible)
        EndSelection(CPN_SELENDCANCEL);
}

BOOL CColourPopup::OnQueryNewPalette()
{
    Invalidate();
    return CWnd::OnQueryNewPalette();
}

void CColourPopup::OnPaletteChanged(CWnd* pFocusWnd)
{
    CWnd::OnPaletteChanged(pFocusWnd);
    if (!pFocusWnd || pFocusWnd->GetSafeHwnd() != m_hWnd)
        Invalidate();
}

void CColourPopup::ChangeSelection(int nBox)
{
    if (nBox >= kColourCount)
        nBox = kCustomBox;
    const int nOld = m_nCurrentSel;
    m_nCurrentSel = nBox;
    RedrawCell(nOld);
    RedrawCell(nBox);
    COLORREF crReport = m_crInitialColour;
    if (nBox >= 0)
        crReport = m_crColour = g_colourTable[nBox].colour;
    else if (nBox == kAutomaticBox)
        crReport = m_crColour = kPickerAutomaticColour;
    if (m_pParent)
        m_pParent->SendMessage(CPN_SELCHANGE, crReport, 0);
}

void CColourPopup::EndSelection(UINT message)
{
    if (m_bEnded)
        return; // one answer per pop-up
    m_bEnded = TRUE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (message != CPN_SELENDCANCEL && m_nCurrentSel == kCustomBox) {
        m_bChildWindowVisible = TRUE;
        // Centred on the dialog the button belongs to, not on this small pop-up.
        CWnd* pOwner = m_pParent ? static_cast<CWnd*>(m_pParent) : this;
        CColorDialog dlg(m_crInitialColour, CC_FULLOPEN | CC_ANYCOLOR, pOwner);
        if (dlg.DoModal() == IDOK)
            m_crColour = dlg.GetColor();
        else
            message = CPN_SELENDCANCEL;
        m_bChildWindowVisible = FALSE;
    }
    if (message == CPN_SELENDCANCEL)
        m_crColour = m_crInitialColour;
    CColourPicker* pParent = m_pParent;
    m_pParent = nullptr; // the button may go while it handles the answer
    if (pParent) {
        pParent->OnPopupClosed(this);
        if (pParent->GetSafeHwnd())
            pParent->SendMessage(message, m_crColour, 0);
    }
    DestroyWindow();
}

void CColourPopup::CancelSilently()
{
    m_pParent = nullptr;
    m_bEnded = TRUE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    DestroyWindow();
}

void CColourPopup::OnPaint()
{
    CPaintDC dc(this);
    DrawAll(&dc);
}

LRESULT CColourPopup::OnPrintClient(WPARAM wParam, LPARAM)
{
    DrawAll(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 0;
}

void CColourPopup::DrawAll(CDC* pDC)
{
    DrawCell(pDC, kAutomaticBox);
    for (int i = 0; i < kColourCount; ++i)
        DrawCell(pDC, i);
    DrawCell(pDC, kCustomBox);
    CRect rect;
    GetClientRect(&rect);
    pDC->DrawEdge(&rect, EDGE_RAISED, BF_RECT);
}

void CColourPopup::RedrawCell(int nBox)
{
    if (m_layout.GetCellRect(nBox).IsRectEmpty())
        return;
    CClientDC dc(this);
    DrawCell(&dc, nBox);
}

void CColourPopup::DrawCell(CDC* pDC, int nBox)
{
    if (m_layout.GetCellRect(nBox).IsRectEmpty())
        return;
    if (nBox < 0)
        DrawTextBox(pDC, nBox);
    else
        DrawSwatch(pDC, nBox);
}

void CColourPopup::DrawTextBox(CDC* pDC, int nBox)
{
    const int margin = m_layout.GetMargin();
    const CRect rect = m_layout.GetCellRect(nBox);
    CRect rectButton = rect;
    if (nBox == kCustomBox) {
        rectButton.top += 2 * margin;
        pDC->FillSolidRect(&rectButton, ::GetSysColor(COLOR_3DFACE));
        // A separator line above "More Colours...".
        const int left = rect.left + 2 * margin, width = rect.Width() - 4 * margin;
        pDC->FillSolidRect(left, rect.top, width, 1, ::GetSysColor(COLOR_3DSHADOW));
        pDC->FillSolidRect(left, rect.top + 1, width, 1, ::GetSysColor(COLOR_3DHILIGHT));
    } else {
        pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_3DFACE));
    }
    rectButton.DeflateRect(1, 1);
    const BOOL bHighlighted = m_nCurrentSel == nBox, bChosen = m_nChosenColourSel == nBox;
    pDC->FillSolidRect(&rectButton,
                       ::GetSysColor(bChosen && !bHighlighted ? COLOR_3DLIGHT : COLOR_3DFACE));
    if (nBox == kAutomaticBox) {
        CRect rectFrame = rectButton;
        rectFrame.DeflateRect(2 * margin, 2 * margin);
        CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_3DSHADOW));
        CPen* pOldPen = pDC->SelectObject(&pen);
        CGdiObject* pOldBrush = pDC->SelectStockObject(HOLLOW_BRUSH);
        pDC->Rectangle(&rectFrame);
        pDC->SelectObject(pOldBrush);
        pDC->SelectObject(pOldPen);
    }
    if (bHighlighted)
        pDC->DrawEdge(&rectButton, BDR_RAISEDINNER, BF_RECT);
    else if (bChosen)
        pDC->DrawEdge(&rectButton, BDR_SUNKENOUTER, BF_RECT);
    CFont* pOldFont = pDC->SelectObject(&m_Font);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    pDC->DrawText(nBox == kCustomBox ? m_strCustomText : m_strDefaultText, &rectButton,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SelectObject(pOldFont);
}

void CColourPopup::DrawSwatch(CDC* pDC, int nBox)
{
    HPALETTE hOldPalette = nullptr;
    if (m_hPalette && (pDC->GetDeviceCaps(RASTERCAPS) & RC_PALETTE)) {
        hOldPalette = ::SelectPalette(pDC->m_hDC, m_hPalette, FALSE);
        ::RealizePalette(pDC->m_hDC);
    }
    CRect rect = m_layout.GetCellRect(nBox);
    const BOOL bHighlighted = m_nCurrentSel == nBox, bChosen = m_nChosenColourSel == nBox;
    pDC->FillSolidRect(&rect,
                       ::GetSysColor(bChosen && !bHighlighted ? COLOR_3DHILIGHT : COLOR_3DFACE));
    if (bHighlighted)
        pDC->DrawEdge(&rect, BDR_RAISEDINNER, BF_RECT);
    else if (bChosen)
        pDC->DrawEdge(&rect, BDR_SUNKENOUTER, BF_RECT);
    const COLORREF colour = g_colourTable[nBox].colour;
    CBrush brush(PALETTERGB(GetRValue(colour), GetGValue(colour), GetBValue(colour)));
    CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_3DSHADOW));
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    CPen* pOldPen = pDC->SelectObject(&pen);
    rect.DeflateRect(m_layout.GetMargin() + 1, m_layout.GetMargin() + 1);
    pDC->Rectangle(&rect);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
    if (hOldPalette)
        ::SelectPalette(pDC->m_hDC, hOldPalette, FALSE);
}
