#include "ui/KxOutlookBar.h"

#include "framework/win/CDC.h"
#include "framework/win/CImageList.h"
#include "framework/win/MessageCrackers.h"
#include "ui/SystemFonts.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKxOutlookBar, CListBox)

BEGIN_MESSAGE_MAP(CKxOutlookBar, CListBox)
ON_WM_CREATE()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_TIMER()
ON_WM_PAINT()
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

namespace {

constexpr UINT_PTR kTrackTimer = 1;
constexpr UINT kTrackPeriod = 10; // ms
constexpr int kIconSize = 32;
constexpr int kLabelTop = 45;

} // namespace

CKxOutlookBar::CKxOutlookBar() { CreateSystemFont(m_font, SystemFont::Message); }

int CKxOutlookBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CListBox::OnCreate(lpcs) == -1)
        return -1;
    SetFont(&m_font, FALSE);
    return 0;
}

int CKxOutlookBar::AddItem(LPCTSTR lpszLabel, int nImage)
{
    m_items.push_back({nImage, lpszLabel});
    const int nIndex = int(SendMessage(LB_ADDSTRING, 0, LPARAM(m_items.size() - 1)));
    if (nIndex < 0) {
        m_items.pop_back();
        return -1;
    }
    // Without LBS_HASSTRINGS the list keeps the value given; with it, the text.
    SetItemData(nIndex, m_items.size() - 1);
    return nIndex;
}

int CKxOutlookBar::GetItemImage(int nIndex) const
{
    const auto n = std::size_t(nIndex >= 0 ? GetItemData(nIndex) : m_items.size());
    return n < m_items.size() ? m_items[n].image : -1;
}

CString CKxOutlookBar::GetItemLabel(int nIndex) const
{
    const auto n = std::size_t(nIndex >= 0 ? GetItemData(nIndex) : m_items.size());
    return n < m_items.size() ? m_items[n].label : CString();
}

void CKxOutlookBar::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = kItemHeight;
}

CRect CKxOutlookBar::IconRect(const CRect& rectItem) const
{
    const int x = rectItem.left + (rectItem.Width() - kIconSize) / 2;
    return CRect(x, rectItem.top, x + kIconSize, rectItem.top + kIconSize);
}

void CKxOutlookBar::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const int nIndex = int(lpDrawItemStruct->itemID);
    CRect rect = lpDrawItemStruct->rcItem;
    if (lpDrawItemStruct->itemAction & ODA_DRAWENTIRE)
        pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_3DSHADOW));
    rect.DeflateRect(8, 5);
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    if (lpDrawItemStruct->itemAction & (ODA_DRAWENTIRE | ODA_SELECT))
        DrawIconFrame(pDC, rect, lpDrawItemStruct->itemState);
    if (!(lpDrawItemStruct->itemAction & ODA_DRAWENTIRE) &&
        !(lpDrawItemStruct->itemAction & ODA_SELECT))
        return;
    CRect rectIcon = IconRect(rect);
    pDC->FillSolidRect(&rectIcon, ::GetSysColor(COLOR_3DSHADOW));
    const int nImage = GetItemImage(nIndex);
    if (m_pLargeList && m_pLargeList->m_hImageList && nImage >= 0) {
        CPoint point = rectIcon.TopLeft();
        if (m_bButtonHeld && (lpDrawItemStruct->itemState & ODS_SELECTED))
            point.Offset(2, 2);
        m_pLargeList->Draw(pDC, nImage, point, ILD_TRANSPARENT);
    }
    CRect rectLabel(rect.left, rect.top + kLabelTop, rect.right, rect.bottom + 5);
    CFont* pOldFont = pDC->SelectObject(&m_font);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_WINDOW));
    pDC->DrawText(GetItemLabel(nIndex), &rectLabel, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    pDC->SelectObject(pOldFont);
}

void CKxOutlookBar::DrawIconFrame(CDC* pDC, const CRect& rectItem, UINT nState)
{
    CRect rect = IconRect(rectItem);
    rect.InflateRect(3, 3);
    if (!(nState & ODS_SELECTED)) {
        for (int i = 0; i < 2; ++i, rect.DeflateRect(1, 1))
            pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_3DSHADOW), ::GetSysColor(COLOR_3DSHADOW));
        return;
    }
    const COLORREF clrFace = ::GetSysColor(COLOR_3DFACE);
    const COLORREF clrDark = ::GetSysColor(COLOR_3DDKSHADOW);
    if (m_bButtonHeld)
        pDC->Draw3dRect(&rect, clrDark, clrFace);
    else
        pDC->Draw3dRect(&rect, clrFace, clrDark);
}

HBRUSH CKxOutlookBar::CtlColor(CDC* pDC, UINT)
{
    pDC->SetBkColor(::GetSysColor(COLOR_3DSHADOW));
    return ::GetSysColorBrush(COLOR_3DSHADOW);
}

void CKxOutlookBar::OnPaint()
{
    // The list paints its items; the space below them takes the shadow colour too.
    Default();
    const int nCount = GetCount();
    CRect client;
    GetClientRect(&client);
    CRect rectLast;
    int bottom = 0;
    if (nCount > 0 && GetItemRect(nCount - 1, &rectLast) != LB_ERR)
        bottom = std::max(0, int(rectLast.bottom));
    if (bottom < client.bottom) {
        CClientDC dc(this);
        dc.FillSolidRect(client.left, bottom, client.Width(), client.bottom - bottom,
                         ::GetSysColor(COLOR_3DSHADOW));
    }
}

int CKxOutlookBar::ItemAt(CPoint point) const
{
    BOOL bOutside = TRUE;
    const UINT nItem = ItemFromPoint(point, bOutside);
    return bOutside ? -1 : int(nItem);
}

void CKxOutlookBar::OnMouseMove(UINT nFlags, CPoint point)
{
    m_lastPoint = point;
    SetTimer(kTrackTimer, kTrackPeriod);
    CListBox::OnMouseMove(nFlags, point);
}

void CKxOutlookBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kTrackTimer) {
        CListBox::OnTimer(nIDEvent);
        return;
    }
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point)) {
        const int nItem = ItemAt(point);
        if (m_bHighlight && nItem != GetCurSel())
            SetCurSel(nItem);
        return;
    }
    if (!m_bButtonHeld)
        SetCurSel(-1);
    KillTimer(kTrackTimer);
}

void CKxOutlookBar::OnLButtonDown(UINT, CPoint point)
{
    // The list's own selection tracking is not used: the item under the pointer is the one.
    m_bButtonHeld = TRUE;
    SetCurSel(-1);
    SetCurSel(ItemAt(point));
}

void CKxOutlookBar::OnLButtonUp(UINT, CPoint point)
{
    m_bButtonHeld = FALSE;
    const int nItem = ItemAt(point);
    SetCurSel(-1);
    SetCurSel(nItem);
    const HWND hWndNotify = m_hWndNotify ? m_hWndNotify : ::GetParent(m_hWnd);
    if (hWndNotify)
        ::SendMessageA(hWndNotify, kClickMessage, WPARAM(nItem), LPARAM(GetDlgCtrlID()));
}
